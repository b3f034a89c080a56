// Runs the whole program (its real entry and message loop) on the headless driver with a
// temporary C: drive, and reads back what a user would see.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "ProgramHarness.h"
#include "app/Shell.h"

class QuillmarkFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Starts the program; the screen size may be chosen first.
  void StartProgram(int screenWidth = 1024, int screenHeight = 768, DefinitionSource source = &MainWindowDefinition);

  quill::ProgramHarness& App() { return *harness_; }
  quill::HeadlessDriver& Screen() { return harness_->Driver(); }

  // Reads on the user-interface thread.
  HWND Window(const char* controlName);
  HWND MainWindow();
  std::string Text(const char* controlName);  // the control's text (GBK bytes)
  RECT ScreenRect(const char* controlName);   // the control's window rectangle on the screen
  HWND Focus();
  bool Checked(const char* controlName);
  int Limit(const char* controlName);

  // Input aimed at controls.
  void ClickControl(const char* controlName, int dx = -1, int dy = -1);
  void FocusControl(const char* controlName);

  // The screen pixel as 0x00RRGGBB-free COLORREF.
  COLORREF Pixel(int x, int y);

  std::string DesktopPath(const std::string& utf8Name) const;
  std::vector<uint8_t> ReadHostFile(const std::string& path) const;

  std::string drive_;
  std::unique_ptr<quill::ProgramHarness> harness_;
};
