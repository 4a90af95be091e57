// Whole-file writes through the machine's own file system port.
#include <gtest/gtest.h>

#include <filesystem>

#include "device_fixtures.h"
#include "storage/file_system.h"

namespace px {
namespace {

// A file that must stay where it is (the simulated mouse's state): replaced
// while it is there; once gone, refused, and nothing is made, neither the
// file nor a temporary beside it. The write holds no check of its own before
// the replacement, so the refusal is the port's, in one step with it.
TEST(WholeFileWrites, OverAnExistingFileOnlyWhileItIsThere) {
  const FileBytes bytes{'n', 'e', 'w'};
  for (const bool present : {true, false}) {
    testing::TempDir dir;
    const std::filesystem::path file = dir.path() / "mouse.bin";
    if (present) {
      ASSERT_TRUE(WriteWholeFile(SystemFileSystem(), file, FileBytes{'o', 'l', 'd'}).Ok());
    }
    const WriteResult written = WriteWholeExistingFile(SystemFileSystem(), file, bytes);
    EXPECT_EQ(written.Ok(), present);
    if (present) {
      EXPECT_EQ(testing::ReadBytes(file), bytes);
    } else {
      EXPECT_EQ(written.failedAt, WriteResult::Step::Replace);
    }
    const auto names = std::distance(std::filesystem::directory_iterator(dir.path()), {});
    EXPECT_EQ(names, present ? 1 : 0) << present;
  }
}

}  // namespace
}  // namespace px
