#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "TempDrive.h"
#include "quill/layer.h"

namespace {

using quill::testing::TempDrive;

// The program's own way of opening its output file.
HANDLE OpenForSave(const char* name) {
  return CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool WriteAll(HANDLE file, const std::string& bytes) {
  DWORD written = 0;
  return WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) && written == bytes.size();
}

// Writes `bytes` to the named file the way the program saves; true when all went.
bool Save(const char* name, const std::string& bytes) {
  HANDLE file = OpenForSave(name);
  if (file == INVALID_HANDLE_VALUE) return false;
  bool ok = WriteAll(file, bytes);
  return CloseHandle(file) && ok;
}

class Files : public ::testing::Test {
 protected:
  TempDrive drive;
};

TEST_F(Files, CreateAlwaysMakesANewFileThenTruncatesAndReusesIt) {
  const std::string path = drive.Desktop() + "/a.jpg";
  ASSERT_TRUE(Save("C:\\Users\\Administrator\\Desktop\\a.jpg", "first content"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_EQ(TempDrive::Read(path), "first content");
  struct stat before;
  ASSERT_EQ(::stat(path.c_str(), &before), 0);

  HANDLE file = OpenForSave("C:/Users/Administrator/Desktop/a.jpg");
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  EXPECT_EQ(TempDrive::Read(path), "");  // cut to length 0 by the open itself
  EXPECT_TRUE(WriteAll(file, "2nd"));
  EXPECT_TRUE(CloseHandle(file));
  EXPECT_EQ(TempDrive::Read(path), "2nd");
  struct stat after;
  ASSERT_EQ(::stat(path.c_str(), &after), 0);
  EXPECT_EQ(after.st_ino, before.st_ino);
}

TEST_F(Files, NamesMatchExistingFilesAndFoldersIgnoringCase) {
  TempDrive::Write(drive.Desktop() + "/Photo.JPG", "old");
  ASSERT_TRUE(Save("c:\\USERS\\administrator\\DESKTOP\\photo.jpg", "new"));
  EXPECT_EQ(TempDrive::List(drive.Desktop()), std::vector<std::string>{"Photo.JPG"});
  EXPECT_EQ(TempDrive::Read(drive.Desktop() + "/Photo.JPG"), "new");

  // Cyrillic names fold too: Документ.txt written as ДОКУМЕНТ.TXT.
  TempDrive::Write(drive.Root() + "/\xD0\x94\xD0\xBE\xD0\xBA.txt", "x");
  ASSERT_TRUE(Save("C:\\\xA7\xA5\xA7\xB0\xA7\xAC.TXT", "y"));  // ДОК.TXT
  EXPECT_EQ(TempDrive::Read(drive.Root() + "/\xD0\x94\xD0\xBE\xD0\xBA.txt"), "y");
}

TEST_F(Files, HostNamesAreTheUtf8OfTheGbkName) {
  ASSERT_TRUE(Save("C:\\Users\\Administrator\\Desktop\\\xD0\xDE\xB8\xC4\xB5\xC4GPS.jpg", "bmp"));
  EXPECT_EQ(TempDrive::Read(drive.Desktop() + "/\xE4\xBF\xAE\xE6\x94\xB9\xE7\x9A\x84GPS.jpg"), "bmp");
  ASSERT_TRUE(Save("C:\\..\\..\\x.jpg. ", "top"));
  EXPECT_EQ(TempDrive::Read(drive.Root() + "/x.jpg"), "top");
}

TEST_F(Files, RefusedOpensCreateNothing) {
  struct Case {
    const char* name;
    DWORD error;
  } cases[] = {
      {"C:\\Users\\Nobody\\Desktop\\x.jpg", ERROR_PATH_NOT_FOUND},
      {"C:\\Users\\Administrator\\Desktop\\x.jpg\\y.jpg", ERROR_PATH_NOT_FOUND},
      {"C:\\Users", ERROR_ACCESS_DENIED},
      {"C:\\users\\", ERROR_ACCESS_DENIED},
      {"C:\\", ERROR_ACCESS_DENIED},
      {"C:\\Users\\Administrator\\Desktop\\a?.jpg", ERROR_INVALID_NAME},
      {"C:\\Users\\Administrator\\Desktop\\CON.jpg", ERROR_INVALID_NAME},
      {"D:\\x.jpg", ERROR_PATH_NOT_FOUND},
      {"\\\\server\\share\\x.jpg", ERROR_PATH_NOT_FOUND},
      {"", ERROR_PATH_NOT_FOUND},
  };
  const auto before = TempDrive::List(drive.Desktop());
  for (const Case& c : cases) {
    SetLastError(0);
    EXPECT_EQ(OpenForSave(c.name), INVALID_HANDLE_VALUE) << c.name;
    EXPECT_EQ(GetLastError(), c.error) << c.name;
  }
  EXPECT_EQ(TempDrive::List(drive.Root()), std::vector<std::string>{"Users"});
  EXPECT_EQ(TempDrive::List(drive.Desktop()), before);
}

TEST_F(Files, DispositionsOtherThanCreateAlways) {
  TempDrive::Write(drive.Root() + "/old.txt", "old");
  struct Case {
    const char* name;
    DWORD disposition;
    bool opens;
    DWORD error;
    const char* contentAfter;  // of the host file, or nullptr when it must not exist
  } cases[] = {
      {"C:\\old.txt", CREATE_NEW, false, ERROR_FILE_EXISTS, "old"},
      {"C:\\old.txt", OPEN_EXISTING, true, ERROR_SUCCESS, "old"},
      {"C:\\old.txt", OPEN_ALWAYS, true, ERROR_ALREADY_EXISTS, "old"},
      {"C:\\old.txt", TRUNCATE_EXISTING, true, ERROR_SUCCESS, ""},
      {"C:\\none1.txt", OPEN_EXISTING, false, ERROR_FILE_NOT_FOUND, nullptr},
      {"C:\\none2.txt", TRUNCATE_EXISTING, false, ERROR_FILE_NOT_FOUND, nullptr},
      {"C:\\new1.txt", CREATE_NEW, true, ERROR_SUCCESS, ""},
      {"C:\\new2.txt", OPEN_ALWAYS, true, ERROR_SUCCESS, ""},
  };
  for (const Case& c : cases) {
    HANDLE file = CreateFileA(c.name, GENERIC_WRITE, 0, nullptr, c.disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_EQ(file != INVALID_HANDLE_VALUE, c.opens) << c.name << " " << c.disposition;
    EXPECT_EQ(GetLastError(), c.error) << c.name << " " << c.disposition;
    if (file != INVALID_HANDLE_VALUE) {
      EXPECT_TRUE(CloseHandle(file));
    }
    std::string host = drive.Root() + "/" + (c.name + 3);
    if (c.contentAfter) {
      EXPECT_EQ(TempDrive::Read(host), c.contentAfter) << c.name;
    } else {
      EXPECT_FALSE(TempDrive::Exists(host)) << c.name;
    }
  }
}

TEST_F(Files, AnOpenFileRefusesASecondOpenAndStaysUntouched) {
  HANDLE first = OpenForSave("C:\\held.jpg");
  ASSERT_NE(first, INVALID_HANDLE_VALUE);
  ASSERT_TRUE(WriteAll(first, "kept"));
  // Any second open is refused while the first is open, even one that asks to share.
  EXPECT_EQ(OpenForSave("C:\\HELD.jpg"), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
  EXPECT_EQ(CreateFileA("C:\\held.jpg", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                        FILE_ATTRIBUTE_NORMAL, nullptr),
            INVALID_HANDLE_VALUE);
  EXPECT_EQ(TempDrive::Read(drive.Root() + "/held.jpg"), "kept");
  EXPECT_TRUE(CloseHandle(first));

  HANDLE again = OpenForSave("C:\\held.jpg");
  EXPECT_NE(again, INVALID_HANDLE_VALUE);
  EXPECT_TRUE(CloseHandle(again));
}

TEST_F(Files, AFileHeldByAnotherProcessIsRefused) {
  int ready[2], release[2];
  ASSERT_EQ(::pipe(ready), 0);
  ASSERT_EQ(::pipe(release), 0);
  pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    HANDLE file = OpenForSave("C:\\shared.jpg");
    bool ok = file != INVALID_HANDLE_VALUE && WriteAll(file, "child's");
    char byte = ok ? 1 : 0;
    (void)!::write(ready[1], &byte, 1);
    (void)!::read(release[0], &byte, 1);
    ::_exit(ok ? 0 : 1);
  }
  char byte = 0;
  ASSERT_EQ(::read(ready[0], &byte, 1), 1);
  ASSERT_EQ(byte, 1);
  EXPECT_EQ(OpenForSave("C:\\shared.jpg"), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
  EXPECT_EQ(TempDrive::Read(drive.Root() + "/shared.jpg"), "child's");
  ASSERT_EQ(::write(release[1], &byte, 1), 1);
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  for (int fd : {ready[0], ready[1], release[0], release[1]}) ::close(fd);

  // Once the other process is gone, the file opens again.
  EXPECT_TRUE(Save("C:\\shared.jpg", "mine"));
}

TEST_F(Files, AReadOnlyFileIsRefusedAndUnchanged) {
  const std::string path = drive.Root() + "/ro.jpg";
  TempDrive::Write(path, "read only");
  ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
  EXPECT_EQ(OpenForSave("C:\\ro.jpg"), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_EQ(TempDrive::Read(path), "read only");
  struct stat st;
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0444u);

  // Reading is still allowed.
  HANDLE reader = CreateFileA("C:\\ro.jpg", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_NE(reader, INVALID_HANDLE_VALUE);
  EXPECT_TRUE(CloseHandle(reader));
  // A file created with the read-only attribute is read-only on the host.
  HANDLE made = CreateFileA("C:\\made.txt", GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_READONLY, nullptr);
  ASSERT_NE(made, INVALID_HANDLE_VALUE);
  EXPECT_TRUE(WriteAll(made, "x"));  // the handle that created it may still write
  EXPECT_TRUE(CloseHandle(made));
  EXPECT_EQ(OpenForSave("C:\\made.txt"), INVALID_HANDLE_VALUE);
}

TEST_F(Files, SymbolicLinksNeverLeadOutOfTheDrive) {
  namespace fs = std::filesystem;
  const std::string outside = drive.Base() + "/outside";
  fs::create_directory(outside);
  TempDrive::Write(outside + "/target.jpg", "outside");
  fs::create_directory_symlink(outside, drive.Desktop() + "/out");
  fs::create_symlink(outside + "/target.jpg", drive.Root() + "/link.jpg");
  fs::create_symlink(outside + "/dangling.jpg", drive.Root() + "/dangling.jpg");
  fs::create_directory_symlink("..", drive.Root() + "/up");
  fs::create_directory(drive.Root() + "/inner");
  fs::create_directory_symlink(drive.Root() + "/inner", drive.Root() + "/alias");

  for (const char* name : {"C:\\Users\\Administrator\\Desktop\\out\\target.jpg",
                           "C:\\Users\\Administrator\\Desktop\\OUT\\new.jpg", "C:\\link.jpg", "C:\\LINK.JPG",
                           "C:\\dangling.jpg", "C:\\up\\outside\\target.jpg", "C:\\up\\escaped.jpg",
                           "C:\\alias\\x.jpg"}) {
    EXPECT_EQ(OpenForSave(name), INVALID_HANDLE_VALUE) << name;
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED)) << name;
  }
  EXPECT_EQ(TempDrive::List(outside), std::vector<std::string>{"target.jpg"});
  EXPECT_EQ(TempDrive::Read(outside + "/target.jpg"), "outside");
  EXPECT_FALSE(TempDrive::Exists(drive.Base() + "/escaped.jpg"));
  EXPECT_TRUE(TempDrive::List(drive.Root() + "/inner").empty());
}

TEST_F(Files, AShortWriteReportsWhatWasWrittenAndFails) {
  // The file size limit applies to the whole process, so a child takes it.
  pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    struct rlimit limit = {10, 10};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    HANDLE file = OpenForSave("C:\\full.jpg");
    if (file == INVALID_HANDLE_VALUE) ::_exit(10);
    const std::string bytes(100, 'x');
    DWORD written = 12345;
    BOOL ok = WriteFile(file, bytes.data(), 100, &written, nullptr);
    DWORD error = GetLastError();
    BOOL closed = CloseHandle(file);
    ::_exit(ok ? 11 : written != 10 ? 12 : error != ERROR_DISK_FULL ? 13 : !closed ? 14 : 0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status)) << "signal " << WTERMSIG(status);
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(TempDrive::Read(drive.Root() + "/full.jpg"), std::string(10, 'x'));
}

TEST_F(Files, StaleAndForeignHandlesFail) {
  HANDLE file = OpenForSave("C:\\h.txt");
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  EXPECT_EQ(quill::CountLiveObjects().files, 1u);
  ASSERT_TRUE(CloseHandle(file));
  EXPECT_EQ(quill::CountLiveObjects().files, 0u);

  int local = 0;
  for (HANDLE bad : {file, INVALID_HANDLE_VALUE, static_cast<HANDLE>(nullptr), static_cast<HANDLE>(&local),
                     reinterpret_cast<HANDLE>(uintptr_t{0x1234})}) {
    DWORD written = 77;
    SetLastError(0);
    EXPECT_FALSE(WriteFile(bad, "x", 1, &written, nullptr));
    EXPECT_EQ(written, 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    SetLastError(0);
    EXPECT_FALSE(CloseHandle(bad));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  }
  // A handle opened for reading cannot write.
  HANDLE reader = CreateFileA("C:\\h.txt", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(WriteFile(reader, "x", 1, nullptr, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_TRUE(CloseHandle(reader));
}

TEST_F(Files, ResetLayerClosesOpenFiles) {
  HANDLE file = OpenForSave("C:\\left-open.jpg");
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  quill::ResetLayer();
  EXPECT_EQ(quill::CountLiveObjects().files, 0u);
  EXPECT_FALSE(CloseHandle(file));
  EXPECT_TRUE(Save("C:\\left-open.jpg", "free again"));  // the lock went with the handle
}

// The drive's root folder comes from the environment and is created once, with its skeleton.
class DriveRoot : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/quill-root-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    base_ = pattern;
    for (const char* name : {"QUILLMARK_DRIVE_C", "XDG_DATA_HOME", "HOME"}) {
      const char* value = std::getenv(name);
      saved_.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
    }
  }
  void TearDown() override {
    for (auto& [name, value] : saved_) {
      if (value)
        ::setenv(name.c_str(), value->c_str(), 1);
      else
        ::unsetenv(name.c_str());
    }
    quill::kernel::ResetDriveMapping();
    std::filesystem::remove_all(base_);
  }
  std::string base_;
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

TEST_F(DriveRoot, AMissingRootIsCreatedWithTheSkeleton) {
  ::setenv("QUILLMARK_DRIVE_C", (base_ + "/deep/er/drive").c_str(), 1);
  quill::kernel::ResetDriveMapping();
  EXPECT_EQ(quill::kernel::DriveRoot(), base_ + "/deep/er/drive");
  EXPECT_TRUE(std::filesystem::is_directory(base_ + "/deep/er/drive/Users/Administrator/Desktop"));
  EXPECT_TRUE(Save("C:\\Users\\Administrator\\Desktop\\x.jpg", "x"));
}

TEST_F(DriveRoot, AnExistingRootIsUsedAsItIs) {
  std::filesystem::create_directory(base_ + "/mine");
  ::setenv("QUILLMARK_DRIVE_C", (base_ + "/mine").c_str(), 1);
  quill::kernel::ResetDriveMapping();
  EXPECT_EQ(quill::kernel::DriveRoot(), base_ + "/mine");
  EXPECT_TRUE(TempDrive::List(base_ + "/mine").empty());
  EXPECT_FALSE(Save("C:\\Users\\Administrator\\Desktop\\x.jpg", "x"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  EXPECT_TRUE(TempDrive::List(base_ + "/mine").empty());
}

TEST_F(DriveRoot, TheDefaultLivesUnderTheUsersDataFolder) {
  ::unsetenv("QUILLMARK_DRIVE_C");
  ::setenv("XDG_DATA_HOME", (base_ + "/data").c_str(), 1);
  EXPECT_EQ(quill::kernel::DriveRootLocation(), base_ + "/data/quillmark/drive_c");
  ::setenv("XDG_DATA_HOME", "relative/data", 1);  // not absolute: ignored
  ::setenv("HOME", (base_ + "/home").c_str(), 1);
  EXPECT_EQ(quill::kernel::DriveRootLocation(), base_ + "/home/.local/share/quillmark/drive_c");
  quill::kernel::ResetDriveMapping();
  EXPECT_TRUE(Save("C:\\Users\\Administrator\\Desktop\\x.jpg", "x"));
  EXPECT_EQ(TempDrive::Read(base_ + "/home/.local/share/quillmark/drive_c/Users/Administrator/Desktop/x.jpg"), "x");
}

TEST_F(DriveRoot, ARootThatCannotBeMadeFailsEveryOpen) {
  TempDrive::Write(base_ + "/file", "");
  ::setenv("QUILLMARK_DRIVE_C", (base_ + "/file/drive").c_str(), 1);
  quill::kernel::ResetDriveMapping();
  EXPECT_EQ(quill::kernel::DriveRoot(), "");
  EXPECT_EQ(OpenForSave("C:\\x.jpg"), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
}

}  // namespace
