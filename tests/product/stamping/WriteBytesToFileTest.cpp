#include "stamping/WriteBytesToFile.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/kernel/TempDrive.h"

namespace {

using quill::testing::TempDrive;

ImageBytes Bytes(const std::string& s) { return ImageBytes::CopyOf(s.data(), s.size()); }

class WriteBytesToFileTest : public ::testing::Test {
 protected:
  TempDrive drive;
  const char* desktopFile = "C:\\Users\\Administrator\\Desktop\\out.jpg";
  std::string HostFile() const { return drive.Desktop() + "/out.jpg"; }
};

TEST_F(WriteBytesToFileTest, AnEmptyNameFailsAndTouchesNothing) {
  const ImageBytes data = Bytes("data");
  EXPECT_FALSE(WriteBytesToFile("", {&data}));
  EXPECT_FALSE(WriteBytesToFile(nullptr, {&data}));
  EXPECT_EQ(TempDrive::List(drive.Root()), std::vector<std::string>{"Users"});
  EXPECT_TRUE(TempDrive::List(drive.Desktop()).empty());
}

TEST_F(WriteBytesToFileTest, WritesTheBlocksInOrderAndSkipsEmptyOnes) {
  const ImageBytes a = Bytes("BM"), empty, b = Bytes(std::string("\x00\x01rest", 6));
  EXPECT_TRUE(WriteBytesToFile(desktopFile, {&a, &empty, &b}));
  EXPECT_EQ(TempDrive::Read(HostFile()), std::string("BM\x00\x01rest", 8));
}

TEST_F(WriteBytesToFileTest, AnEmptyBlockLeavesAFileOfLengthZero) {
  TempDrive::Write(HostFile(), "an older, longer picture");
  const ImageBytes empty;
  EXPECT_TRUE(WriteBytesToFile(desktopFile, {&empty}));
  EXPECT_TRUE(TempDrive::Exists(HostFile()));
  EXPECT_EQ(TempDrive::Read(HostFile()), "");
}

TEST_F(WriteBytesToFileTest, AFailedOpenWritesNothing) {
  const ImageBytes data = Bytes("data");
  EXPECT_FALSE(WriteBytesToFile("C:\\Users\\Somebody\\Desktop\\out.jpg", {&data}));
  EXPECT_FALSE(WriteBytesToFile("C:\\Users\\Administrator\\Desktop\\a|b.jpg", {&data}));
  EXPECT_TRUE(TempDrive::List(drive.Desktop()).empty());
}

TEST_F(WriteBytesToFileTest, AFailedWriteClosesTheFileAndKeepsWhatWasWritten) {
  pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    struct rlimit limit = {6, 6};  // room for the first block and part of the second
    ::setrlimit(RLIMIT_FSIZE, &limit);
    const ImageBytes first = Bytes("1234"), second = Bytes("56789");
    bool ok = WriteBytesToFile(desktopFile, {&first, &second});
    ::_exit(ok ? 1 : quill::CountLiveObjects().files != 0 ? 2 : 0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(TempDrive::Read(HostFile()), "123456");
}

}  // namespace
