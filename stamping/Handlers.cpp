#include "stamping/Handlers.h"

#include <cstring>

#include "app/ControlAccess.h"
#include "app/SharedHeap.h"
#include "capture/CaptureWindowImage.h"
#include "stamping/JoinTexts.h"
#include "stamping/WriteBytesToFile.h"
#include "ui/ControlNames.h"

void OnMainWindowCreated() {}

void OnPreviewClick() {
  char* longitude = ReadControlText(names::kEditBox1);
  WriteControlText(names::kTransLabel1, longitude);
  FreeBlock(longitude);

  char* latitude = ReadControlText(names::kEditBox2);
  WriteControlText(names::kTransLabel2, latitude);
  FreeBlock(latitude);

  // Both writes have repainted the picture and the texts; the capture reads them back as shown.
  HWND picture = ControlWindow(names::kPicBox1);
  ImageBytes image = CaptureWindowImage(picture);
  WritePicture(names::kPicBox2, image);
  image.Release();
}

void OnSaveClick() {
  char* baseName = ReadControlText(names::kEditBox3);
  const char* parts[] = {"C:\\Users\\Administrator\\Desktop\\", baseName, ".jpg"};
  char* path = JoinTexts(3, parts);
  FreeBlock(baseName);

  ImageBytes picture = ReadPicture(names::kPicBox2);
  // Without a kept image there is nothing to save: writing the empty block would cut an image
  // saved earlier under this name to nothing.
  if (!picture.Empty()) {
    const ImageBytes* blocks[] = {&picture};
    WriteBytesToFile(path, blocks, 1);
  }

  FreeBlock(path);
  picture.Release();
}

void OnPrecision5Click() {
  WriteMaxLength(names::kEditBox1, 8);
  WriteMaxLength(names::kEditBox2, 9);
  RefreshWindow(MainWindowHandle());
}

void OnPrecision6Click() {
  WriteMaxLength(names::kEditBox1, 9);
  WriteMaxLength(names::kEditBox2, 10);
  RefreshWindow(MainWindowHandle());
}

Handler FindHandler(const char* name) {
  static const struct {
    const char* name;
    Handler handler;
  } kTable[] = {
      {"OnMainWindowCreated", &OnMainWindowCreated}, {"OnPreviewClick", &OnPreviewClick},
      {"OnSaveClick", &OnSaveClick},                 {"OnPrecision5Click", &OnPrecision5Click},
      {"OnPrecision6Click", &OnPrecision6Click},
  };
  if (!name) return nullptr;
  for (const auto& entry : kTable)
    if (std::strcmp(entry.name, name) == 0) return entry.handler;
  return nullptr;
}
