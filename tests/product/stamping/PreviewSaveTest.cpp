// The whole job through the real message loop: type two values, Preview, Save, and what lands on
// the mapped drive.
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "capture/CaptureWindowImage.h"
#include "support/QuillmarkFixture.h"
#include "ui/ControlNames.h"

namespace {

using namespace names;

const std::string kDefaultFile = "\xE4\xBF\xAE\xE6\x94\xB9\xE7\x9A\x84GPS.jpg";  // 修改的GPS.jpg

uint32_t U32(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}
uint16_t U16(const std::vector<uint8_t>& b, size_t at) { return static_cast<uint16_t>(b[at] | b[at + 1] << 8); }

class PreviewSaveTest : public QuillmarkFixture {
 protected:
  void SetUp() override {
    QuillmarkFixture::SetUp();
    StartProgram();
  }
  // Types into an entry box the way a user does: click, select all, type.
  void TypeInto(const char* box, const std::string& utf8) {
    ClickControl(box);
    App().Key('A', quill::kCtrl);
    if (utf8.empty())
      App().Key(VK_DELETE);
    else
      App().Type(utf8);
  }
  void Preview() { ClickControl(kButton1); }
  void Save() { ClickControl(kButton2); }
  std::filesystem::path Desktop() const { return drive_ + "/Users/Administrator/Desktop"; }
  // Every host file under the drive's parent folder, except what lies in the drive.
  std::vector<std::string> FilesOutsideTheDrive() const {
    std::vector<std::string> out;
    std::filesystem::path parent = std::filesystem::path(drive_).parent_path();
    for (auto& e : std::filesystem::recursive_directory_iterator(parent))
      if (e.path().string().rfind(drive_, 0) != 0) out.push_back(e.path().string());
    return out;
  }
};

TEST_F(PreviewSaveTest, TypedValuesArePreviewedAndSavedAsTheBmpOfThePictureBox) {
  TypeInto(kEditBox1, "39.90421");
  TypeInto(kEditBox2, "116.40739");
  Preview();
  EXPECT_EQ(Text(kTransLabel1), "39.90421");
  EXPECT_EQ(Text(kTransLabel2), "116.40739");
  Save();

  std::vector<uint8_t> file = ReadHostFile(DesktopPath(kDefaultFile));
  ASSERT_EQ(file.size(), 574710u);
  struct Field {
    const char* name;
    size_t offset, size;
    uint32_t value;
  } fields[] = {
      {"signature", 0, 2, 0x4D42},  {"file size", 2, 4, 574710}, {"reserved", 6, 2, 0},
      {"reserved", 8, 2, 0},        {"pixel offset", 10, 4, 54}, {"header size", 14, 4, 40},
      {"width", 18, 4, 328},        {"height", 22, 4, 584},      {"planes", 26, 2, 1},
      {"bits", 28, 2, 24},          {"compression", 30, 4, 0},   {"image size", 34, 4, 574656},
      {"x resolution", 38, 4, 0},   {"y resolution", 42, 4, 0},  {"colours used", 46, 4, 0},
      {"important colours", 50, 4, 0},
  };
  for (const Field& f : fields) EXPECT_EQ(f.size == 2 ? U16(file, f.offset) : U32(file, f.offset), f.value) << f.name;

  // The pixel array is the screen image of the picture box, bottom row first.
  RECT box = ScreenRect(kPicBox1);
  Screen().ComposeScreen();
  int differences = 0, green = 0;
  for (int y = 0; y < 584; ++y) {
    const uint8_t* row = &file[54 + static_cast<size_t>(583 - y) * 984];
    for (int x = 0; x < 328; ++x) {
      COLORREF saved = RGB(row[x * 3 + 2], row[x * 3 + 1], row[x * 3]);
      differences += saved != Screen().ScreenPixel(box.left + x, box.top + y);
      green += saved == 0x00A7FEC4;
    }
  }
  EXPECT_EQ(differences, 0);
  EXPECT_GT(green, 40);  // both typed values are on it
}

TEST_F(PreviewSaveTest, TheFileNameIsTheTypedNameWithJpgAddedAsItStands) {
  struct Case {
    std::string typed, file;
  } cases[] = {
      {"", ".jpg"},
      {"x.jpg", "x.jpg.jpg"},
      {"\xE5\x9D\x90\xE6\xA0\x87 1", "\xE5\x9D\x90\xE6\xA0\x87 1.jpg"},  // 坐标 1
  };
  Preview();
  for (const Case& c : cases) {
    TypeInto(kEditBox3, c.typed);
    Save();
    EXPECT_EQ(ReadHostFile(DesktopPath(c.file)).size(), 574710u) << c.file;
  }
}

TEST_F(PreviewSaveTest, BoxesChangedAfterAPreviewStillSaveTheOldImage) {
  Preview();
  Save();
  std::vector<uint8_t> first = ReadHostFile(DesktopPath(kDefaultFile));
  TypeInto(kEditBox1, "1.0");
  TypeInto(kEditBox2, "2.0");
  Save();
  EXPECT_EQ(ReadHostFile(DesktopPath(kDefaultFile)), first);
  EXPECT_EQ(Text(kTransLabel1), "35.123456");
}

TEST_F(PreviewSaveTest, SaveWithoutAKeptImageWritesNothingAndKeepsAnEarlierFile) {
  std::filesystem::create_directories(Desktop());
  std::ofstream(DesktopPath(kDefaultFile)) << "an image saved earlier";
  Save();
  EXPECT_EQ(ReadHostFile(DesktopPath(kDefaultFile)).size(), 22u);
  TypeInto(kEditBox3, "new");
  Save();
  EXPECT_FALSE(std::filesystem::exists(DesktopPath("new.jpg")));
}

TEST_F(PreviewSaveTest, SavesThatCannotHappenEndSilentlyWithNothingWrittenOutsideTheDrive) {
  Preview();
  std::filesystem::create_directories(Desktop());
  std::ofstream(DesktopPath("locked.jpg")) << "read only";
  chmod(DesktopPath("locked.jpg").c_str(), 0444);
  std::ofstream(DesktopPath("held.jpg")) << "held open";
  HANDLE held = nullptr;
  App().RunOnUi([&] {
    held = CreateFileA("C:\\Users\\Administrator\\Desktop\\held.jpg", GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
  });
  ASSERT_NE(held, INVALID_HANDLE_VALUE);

  struct Case {
    std::string name;
    const char* expectedHostFile;  // where the file lands inside the drive, or nullptr
  } cases[] = {
      {"missing\\folder\\x", nullptr},
      {"a<b", nullptr},
      {"what?", nullptr},
      {"locked", nullptr},
      {"held", nullptr},
      {"..\\..\\..\\..\\..\\escaped", "escaped.jpg"},  // clamped at the drive root
      {"..\\..\\..\\up", "up.jpg"},
      {std::string(5000, 'n'), nullptr},
  };
  for (const Case& c : cases) {
    App().RunOnUi([&] { SetWindowTextA(FindControl(kEditBox3)->Window(), c.name.c_str()); });
    Save();
    if (c.expectedHostFile) {
      EXPECT_EQ(ReadHostFile(drive_ + "/" + c.expectedHostFile).size(), 574710u) << c.name;
    }
  }
  EXPECT_EQ(ReadHostFile(DesktopPath("locked.jpg")).size(), 9u);
  EXPECT_EQ(ReadHostFile(DesktopPath("held.jpg")).size(), 9u);
  App().RunOnUi([&] { CloseHandle(held); });
  EXPECT_TRUE(FilesOutsideTheDrive().empty());
  EXPECT_FALSE(std::filesystem::exists(Desktop() / "missing"));

  App().Key(VK_ESCAPE);
  EXPECT_EQ(App().ExitCode(), 0);
}

TEST_F(PreviewSaveTest, ACaptureOfADestroyedWindowIsEmpty) {
  size_t size = 1;
  App().RunOnUi([&] {
    HWND w = CreateWindowExA(0, "EDIT", "", WS_CHILD, 0, 0, 5, 5, Shell().main.window, nullptr, nullptr, nullptr);
    DestroyWindow(w);
    size = CaptureWindowImage(w).Size();
  });
  EXPECT_EQ(size, 0u);
}

}  // namespace
