// Save in bad surroundings: the drive gone, a folder or file that may not be written, another
// program holding the file, a disk that fills up, a folder swapped for a link to elsewhere, and
// the captured window gone. The handler stays silent in every case; what the disk holds afterwards
// is the sound outcome, and nothing is written outside the drive.
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "ReliabilityFixture.h"
#include "capture/CaptureWindowImage.h"
#include "ui/ControlNames.h"

namespace {

namespace fs = std::filesystem;

const std::string kFile = "Users/Administrator/Desktop/\xE4\xBF\xAE\xE6\x94\xB9\xE7\x9A\x84GPS.jpg";  // 修改的GPS.jpg
constexpr size_t kCaptureSize = 574710;

class SaveFailureTest : public ReliabilityFixture {
 protected:
  std::string File() const { return Root() + "/" + kFile; }
  std::string Captured() {
    ImageBytes picture = ReadPicture(names::kPicBox2);
    return std::string(reinterpret_cast<const char*>(picture.Data()), picture.Size());
  }
};

// Once the program has used the drive, its folder is not made again behind the user's back.
TEST_F(SaveFailureTest, TheDriveRemovedWhileTheProgramRunsIsNotMadeAgain) {
  Start();
  Preview();
  Save();
  ASSERT_EQ(ReadFileBytes(File()).size(), kCaptureSize);
  fs::remove_all(Root());
  Save();
  EXPECT_EQ(TreeAroundDrive(), std::vector<std::string>{});
  CloseAndExpectNoLeak();
}

TEST_F(SaveFailureTest, AFolderWithoutWritePermissionTakesNoNewFile) {
  Start();
  Preview();
  ASSERT_EQ(::chmod(Desktop().c_str(), 0555), 0);
  Save();
  EXPECT_EQ(TreeAroundDrive(), FreshTreeWith({}));
  // Files already in such a folder can still be rewritten: the folder's mode guards only its names.
  ASSERT_EQ(::chmod(Desktop().c_str(), 0755), 0);
  WriteFileBytes(File(), "older picture");
  ASSERT_EQ(::chmod(Desktop().c_str(), 0555), 0);
  Save();
  EXPECT_EQ(ReadFileBytes(File()), Captured());
  ::chmod(Desktop().c_str(), 0755);
  CloseAndExpectNoLeak();
}

TEST_F(SaveFailureTest, AReadOnlyFileStaysAsItWas) {
  Start();
  WriteFileBytes(File(), "older picture");
  ASSERT_EQ(::chmod(File().c_str(), 0444), 0);
  Preview();
  Save();
  EXPECT_EQ(ReadFileBytes(File()), "older picture");
  EXPECT_EQ(TreeAroundDrive(), FreshTreeWith({kFile}));
  CloseAndExpectNoLeak();
}

TEST_F(SaveFailureTest, AFileAnotherProgramHoldsStaysAsItWas) {
  Start();
  WriteFileBytes(File(), "older picture");
  int held = ::open(File().c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_GE(held, 0);
  ASSERT_EQ(::flock(held, LOCK_EX), 0);
  Preview();
  Save();
  EXPECT_EQ(ReadFileBytes(File()), "older picture");
  ::close(held);
  Save();
  EXPECT_EQ(ReadFileBytes(File()).size(), kCaptureSize);
  CloseAndExpectNoLeak();
}

// The process may not make files larger than a few kilobytes, as on a disk that is nearly full:
// the write stops, the file keeps what was written, and the program goes on.
TEST_F(SaveFailureTest, AFullDiskKeepsWhatWasWrittenAndTheProgramGoesOn) {
  Start();
  Preview();
  struct rlimit saved {};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  struct rlimit small = saved;
  small.rlim_cur = 4096;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  Save();
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &saved), 0);
  const std::string capture = Captured();
  EXPECT_EQ(ReadFileBytes(File()), capture.substr(0, 4096));
  Save();
  EXPECT_EQ(ReadFileBytes(File()), capture);
  EXPECT_EQ(TreeAroundDrive(), FreshTreeWith({kFile}));
  CloseAndExpectNoLeak();
}

// Links are never followed, so a desktop folder swapped for a link to a folder outside the drive
// receives nothing.
TEST_F(SaveFailureTest, ALinkOutOfTheDriveIsNotFollowed) {
  Start();
  Preview();
  const std::string outside = fs::path(Root()).parent_path() / "outside";
  fs::create_directory(outside);
  fs::remove(Desktop());
  fs::create_directory_symlink(outside, Desktop());
  Save();
  EXPECT_TRUE(fs::is_empty(outside));
  CloseAndExpectNoLeak();
}

// The captured window is gone by the time of the next Preview: the capture gives nothing, the
// kept image is dropped, and a Save then leaves the file saved before as it was.
TEST_F(SaveFailureTest, ACaptureOfADestroyedWindowIsEmptyAndSavesNothing) {
  Start();
  Preview();
  Save();
  const std::string saved = ReadFileBytes(File());
  ASSERT_EQ(saved.size(), kCaptureSize);

  HWND picture = Window(names::kPicBox1);
  size_t capturedLength = 1;
  App().RunOnUi([&] {
    DestroyWindow(picture);
    capturedLength = CaptureWindowImage(picture).Size();
  });
  EXPECT_EQ(capturedLength, 0u);
  Preview();
  EXPECT_EQ(ReadPicture(names::kPicBox2).Size(), 0u);
  Save();
  EXPECT_EQ(ReadFileBytes(File()), saved);
  EXPECT_EQ(TreeAroundDrive(), FreshTreeWith({kFile}));
  CloseAndExpectNoLeak();
}

}  // namespace
