// A fresh drive C: for one test: a temporary host folder named by QUILLMARK_DRIVE_C, created by
// the layer itself (so it holds the skeleton Users/Administrator/Desktop), removed afterwards.
// Used by the kernel's tests and by the program's tests that write files.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "kernel/DriveMapping.h"
#include "quill/layer.h"

namespace quill::testing {

class TempDrive {
 public:
  TempDrive() {
    char pattern[] = "/tmp/quill-drive-XXXXXX";
    const char* made = ::mkdtemp(pattern);
    EXPECT_NE(made, nullptr);
    base_ = made ? made : "/tmp";
    const char* previous = std::getenv("QUILLMARK_DRIVE_C");
    if (previous) previous_ = previous;
    hadPrevious_ = previous != nullptr;
    ::setenv("QUILLMARK_DRIVE_C", (base_ + "/drive_c").c_str(), 1);
    kernel::ResetDriveMapping();
    root_ = kernel::DriveRoot();
    EXPECT_FALSE(root_.empty());
  }
  ~TempDrive() {
    EXPECT_EQ(CountLiveObjects().files, 0u) << "a test left a file open";
    if (hadPrevious_)
      ::setenv("QUILLMARK_DRIVE_C", previous_.c_str(), 1);
    else
      ::unsetenv("QUILLMARK_DRIVE_C");
    kernel::ResetDriveMapping();
    std::error_code ignored;
    std::filesystem::remove_all(base_, ignored);
  }
  TempDrive(const TempDrive&) = delete;
  TempDrive& operator=(const TempDrive&) = delete;

  // The host folder standing for C:\ and the temporary folder around it (outside the drive).
  const std::string& Root() const { return root_; }
  const std::string& Base() const { return base_; }
  std::string Desktop() const { return root_ + "/Users/Administrator/Desktop"; }

  static std::string Read(const std::string& hostPath) {
    std::ifstream in(hostPath, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  static void Write(const std::string& hostPath, const std::string& bytes) {
    std::ofstream(hostPath, std::ios::binary) << bytes;
  }
  static bool Exists(const std::string& hostPath) {
    std::error_code ignored;
    return std::filesystem::exists(std::filesystem::symlink_status(hostPath, ignored));
  }
  // The names in a host folder, sorted, to show that nothing else appeared.
  static std::vector<std::string> List(const std::string& hostFolder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(hostFolder))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

 private:
  std::string base_, root_, previous_;
  bool hadPrevious_ = false;
};

}  // namespace quill::testing
