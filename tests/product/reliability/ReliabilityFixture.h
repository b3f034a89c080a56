// The whole program on the headless desktop, fed bad input and bad surroundings. Every case ends
// the same way: the program still runs, nothing appeared outside the drive, and once the window is
// closed every window, device context, GDI object, icon and file the program made is gone again.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "support/QuillmarkFixture.h"
#include "quill/layer.h"
#include "ui/ImageBytes.h"

class ReliabilityFixture : public QuillmarkFixture {
 protected:
  // Starts the program, noting what the layer held before it.
  void Start();
  // Closes the window as the user would; the program must end with 0 and leave nothing behind.
  void CloseAndExpectNoLeak();

  // Ways text reaches an entry box: set by a program, typed as WM_CHAR bytes through the message
  // loop, or pasted from the clipboard with Ctrl+V.
  void SetText(const char* control, const std::string& gbk);
  void TypeBytes(const char* control, const std::string& gbk);
  void Paste(const char* control, const std::string& utf8);

  void Preview();
  void Save();

  ImageBytes ReadPicture(const char* control);
  void WritePicture(const char* control, const std::string& bytes);

  // Every file and folder below the temporary folder that holds the drive, as paths relative to
  // it ("drive_c/Users/..."), so a case can show exactly what it left on the disk.
  std::vector<std::string> TreeAroundDrive() const;
  // The tree of a fresh drive plus the given files (relative to the drive's root).
  std::vector<std::string> FreshTreeWith(std::vector<std::string> files) const;
  std::string Root() const { return drive_; }
  std::string Desktop() const { return drive_ + "/Users/Administrator/Desktop"; }

 private:
  quill::LiveObjects baseline_;
};

std::string ReadFileBytes(const std::string& hostPath);
void WriteFileBytes(const std::string& hostPath, const std::string& bytes);
