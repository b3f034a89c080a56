// Quillmark's window on the headless driver, driven directly on the calling thread: the start-up
// steps of the program's entry without its message loop, so that a benchmark can time one piece
// at a time and pump messages itself.
#pragma once

#include <string>

class HeadlessProgram {
 public:
  // Points the C: drive at a fresh temporary folder, removed again by the destructor.
  HeadlessProgram();
  ~HeadlessProgram();

  HeadlessProgram(const HeadlessProgram&) = delete;
  HeadlessProgram& operator=(const HeadlessProgram&) = delete;

  // Installs a headless driver, builds and shows the window, and handles every message until
  // nothing is left. False when the window could not be built.
  bool Start();
  // Destroys the window and resets the layer, ready for the next Start.
  void Stop();

  // The host folder behind C:.
  const std::string& Drive() const { return drive_; }

 private:
  std::string folder_;
  std::string drive_;
  bool running_ = false;
};

// Handles every pending message and paint on this thread.
void PumpProgram();

// Peak resident memory of this process so far, in KiB.
long PeakRssKiB();
