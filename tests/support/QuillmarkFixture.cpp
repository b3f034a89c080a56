#include "QuillmarkFixture.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/Shell.h"
#include "kernel/DriveMapping.h"

void QuillmarkFixture::SetUp() {
  char pattern[] = "/tmp/quillmark-test-XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  drive_ = pattern;
  drive_ += "/drive_c";
  setenv("QUILLMARK_DRIVE_C", drive_.c_str(), 1);
  quill::kernel::ResetDriveMapping();
}

void QuillmarkFixture::TearDown() {
  harness_.reset();
  std::error_code ec;
  std::filesystem::remove_all(std::filesystem::path(drive_).parent_path(), ec);
  unsetenv("QUILLMARK_DRIVE_C");
}

void QuillmarkFixture::StartProgram(int screenWidth, int screenHeight, DefinitionSource source) {
  harness_.reset();  // the old program ends (and the layer resets) before the new one starts
  harness_ = std::make_unique<quill::ProgramHarness>(screenWidth, screenHeight);
  harness_->Start([source] { return RunProgram(source); });
}

HWND QuillmarkFixture::Window(const char* controlName) {
  HWND hwnd = nullptr;
  App().RunOnUi([&] {
    if (Control* c = FindControl(controlName)) hwnd = c->Window();
  });
  return hwnd;
}

HWND QuillmarkFixture::MainWindow() {
  HWND hwnd = nullptr;
  App().RunOnUi([&] { hwnd = Shell().main.window; });
  return hwnd;
}

std::string QuillmarkFixture::Text(const char* controlName) {
  std::string text;
  App().RunOnUi([&] {
    HWND hwnd = FindControl(controlName) ? FindControl(controlName)->Window() : nullptr;
    int length = GetWindowTextLengthA(hwnd);
    text.resize(static_cast<size_t>(length) + 1);
    GetWindowTextA(hwnd, text.data(), length + 1);
    text.resize(static_cast<size_t>(length));
  });
  return text;
}

RECT QuillmarkFixture::ScreenRect(const char* controlName) {
  RECT r{};
  App().RunOnUi([&] {
    if (Control* c = FindControl(controlName)) GetWindowRect(c->Window(), &r);
  });
  return r;
}

HWND QuillmarkFixture::Focus() {
  HWND f = nullptr;
  App().RunOnUi([&] { f = GetFocus(); });
  return f;
}

bool QuillmarkFixture::Checked(const char* controlName) {
  bool checked = false;
  App().RunOnUi([&] {
    if (Control* c = FindControl(controlName)) checked = SendMessageA(c->Window(), BM_GETCHECK, 0, 0) == BST_CHECKED;
  });
  return checked;
}

int QuillmarkFixture::Limit(const char* controlName) {
  int limit = -1;
  App().RunOnUi([&] {
    if (Control* c = FindControl(controlName))
      limit = static_cast<int>(SendMessageA(c->Window(), EM_GETLIMITTEXT, 0, 0));
  });
  return limit;
}

void QuillmarkFixture::ClickControl(const char* controlName, int dx, int dy) {
  RECT r = ScreenRect(controlName);
  int x = dx < 0 ? (r.left + r.right) / 2 : r.left + dx;
  int y = dy < 0 ? (r.top + r.bottom) / 2 : r.top + dy;
  App().Click(x, y);
}

void QuillmarkFixture::FocusControl(const char* controlName) {
  App().RunOnUi([&] {
    if (Control* c = FindControl(controlName)) SetFocus(c->Window());
  });
}

COLORREF QuillmarkFixture::Pixel(int x, int y) {
  Screen().ComposeScreen();
  return Screen().ScreenPixel(x, y);
}

std::string QuillmarkFixture::DesktopPath(const std::string& utf8Name) const {
  return drive_ + "/Users/Administrator/Desktop/" + utf8Name;
}

std::vector<uint8_t> QuillmarkFixture::ReadHostFile(const std::string& path) const {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}
