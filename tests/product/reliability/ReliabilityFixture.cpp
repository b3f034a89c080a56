#include "ReliabilityFixture.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/ControlAccess.h"
#include "kernel/DriveMapping.h"
#include "ui/ControlNames.h"

namespace {

void ExpectSameCounts(const quill::LiveObjects& now, const quill::LiveObjects& before) {
  EXPECT_EQ(now.windows, before.windows) << "windows left behind";
  EXPECT_EQ(now.dcs, before.dcs) << "device contexts left behind";
  EXPECT_EQ(now.gdiObjects, before.gdiObjects) << "GDI objects left behind";
  EXPECT_EQ(now.icons, before.icons) << "icons left behind";
  EXPECT_EQ(now.files, before.files) << "files left open";
}

}  // namespace

void ReliabilityFixture::Start() {
  // The drive exists before the program starts, as it does on a machine that has run it before,
  // so a case can put files and modes in place first.
  ASSERT_EQ(quill::kernel::DriveRoot(), drive_);
  baseline_ = quill::CountLiveObjects();
  StartProgram();
}

void ReliabilityFixture::CloseAndExpectNoLeak() {
  ASSERT_FALSE(App().Exited()) << "the program ended on its own";
  App().CloseRequest(MainWindow());
  EXPECT_EQ(App().ExitCode(), 0);
  // The user-interface thread has ended, so the layer's tables can be read from here.
  ExpectSameCounts(quill::CountLiveObjects(), baseline_);
}

void ReliabilityFixture::SetText(const char* control, const std::string& gbk) {
  HWND hwnd = Window(control);
  App().RunOnUi([&] { SetWindowTextA(hwnd, gbk.c_str()); });
}

void ReliabilityFixture::TypeBytes(const char* control, const std::string& gbk) {
  FocusControl(control);
  HWND hwnd = Window(control);
  // Posted, so each byte travels through the program's own message loop as a typed one does.
  App().RunOnUi([&] {
    for (unsigned char byte : gbk) PostMessageA(hwnd, WM_CHAR, byte, 1);
  });
}

void ReliabilityFixture::Paste(const char* control, const std::string& utf8) {
  FocusControl(control);
  Screen().SetClipboardText(utf8);
  App().Key('V', quill::kCtrl);
}

void ReliabilityFixture::Preview() { ClickControl(names::kButton1); }
void ReliabilityFixture::Save() { ClickControl(names::kButton2); }

ImageBytes ReliabilityFixture::ReadPicture(const char* control) {
  ImageBytes picture;
  App().RunOnUi([&] { picture = ::ReadPicture(control); });
  return picture;
}

void ReliabilityFixture::WritePicture(const char* control, const std::string& bytes) {
  App().RunOnUi([&] { ::WritePicture(control, ImageBytes::CopyOf(bytes.data(), bytes.size())); });
}

std::vector<std::string> ReliabilityFixture::TreeAroundDrive() const {
  namespace fs = std::filesystem;
  const fs::path around = fs::path(drive_).parent_path();
  std::vector<std::string> tree;
  std::error_code ec;
  for (auto it = fs::recursive_directory_iterator(around, ec); !ec && it != fs::recursive_directory_iterator();
       it.increment(ec))
    tree.push_back(fs::relative(it->path(), around).string());
  std::sort(tree.begin(), tree.end());
  return tree;
}

std::vector<std::string> ReliabilityFixture::FreshTreeWith(std::vector<std::string> files) const {
  std::vector<std::string> tree = {"drive_c", "drive_c/Users", "drive_c/Users/Administrator",
                                   "drive_c/Users/Administrator/Desktop"};
  for (const std::string& file : files) tree.push_back("drive_c/" + file);
  std::sort(tree.begin(), tree.end());
  return tree;
}

std::string ReadFileBytes(const std::string& hostPath) {
  std::ifstream in(hostPath, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const std::string& hostPath, const std::string& bytes) {
  std::ofstream(hostPath, std::ios::binary) << bytes;
}
