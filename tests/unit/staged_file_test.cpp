// What a start does with the str.ini copies that saves of the pair staged.
#include <gtest/gtest.h>

#include "storage/staged_file.h"
#include "storage/stale_temporaries.h"
#include "storage_fakes.h"

namespace px {
namespace {

using testing::MemoryFileSystem;

const NativePath kIni = PathFromText(u"/px/str.ini");
const FileBytes kOld = {'o', 'l', 'd'};
const FileBytes kStaged = {'n', 'e', 'w'};

TEST(TemporaryPath, HasTheFormTheSweepRemovesBesideItsTarget) {
  const struct {
    Text target;
    std::uint64_t random;
    Text path;
  } cases[] = {
      {u"/px/str.ini", 0x0123456789abcdefULL, u"/px/.str.ini.fedcba987654.tmp"},
      {u"config.bin", 0xFFFF000000000000ULL, u"./.config.bin.000000000000.tmp"},
  };
  for (const auto& c : cases) {
    const NativePath target = PathFromText(c.target);
    const NativePath path = TemporaryPathOf(target, c.random);
    EXPECT_EQ(path.generic_u16string(), c.path);
    EXPECT_TRUE(IsTemporaryNameOf(path.filename(), target)) << path;
  }
}

TEST(StagedFile, AStartCommitsTheOneOfTheCurrentConfigAndClearsOnlyOldOthers) {
  const std::string current = ContentTag(FileBytes{1, 2, 3});
  const std::string other = ContentTag(FileBytes{1, 2, 4});
  ASSERT_NE(current, other);
  const struct {
    const char* name;
    std::optional<std::string> stagedFor;  // nothing: no staged file
    std::optional<std::string> configTag;  // nothing: config.bin unreadable
    std::chrono::seconds age;
    FileBytes iniAfter;
    bool stagedKept;
  } cases[] = {
      {"matching: the save got past config.bin", current, current, std::chrono::seconds(0), kStaged, false},
      {"matching and old", current, current, std::chrono::seconds(3600), kStaged, false},
      {"another config.bin's, old", other, current, std::chrono::seconds(61), kOld, false},
      {"another config.bin's, young: a save may be running", other, current, std::chrono::seconds(59), kOld, true},
      {"config.bin unreadable, old", current, std::nullopt, std::chrono::seconds(61), kOld, false},
      {"none staged", std::nullopt, current, std::chrono::seconds(0), kOld, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    MemoryFileSystem files;
    files.files[kIni.u16string()] = kOld;
    const Text staged = c.stagedFor ? StagedPathOf(kIni, *c.stagedFor).u16string() : Text();
    if (c.stagedFor) {
      files.files[staged] = kStaged;
      files.ages[staged] = c.age;
    }
    SettleStaged(files, kIni, c.configTag);
    EXPECT_EQ(files.files[kIni.u16string()], c.iniAfter);
    EXPECT_EQ(c.stagedFor && files.Has(staged), c.stagedKept);
    EXPECT_EQ(files.files.size(), c.stagedKept ? 2u : 1u);
  }
}

TEST(StagedFile, NamesCarryTheTagAndAreNotSweptAsTemporaries) {
  const std::string tag = ContentTag(FileBytes(200, 7));
  EXPECT_EQ(tag.size(), 16u);
  const NativePath staged = StagedPathOf(kIni, tag);
  EXPECT_EQ(staged.filename(), NativePath(".str.ini." + tag + ".pending"));
  EXPECT_EQ(StagedTagOf(staged.filename(), kIni), tag);
  EXPECT_FALSE(IsTemporaryNameOf(staged.filename(), kIni));
  for (const char* name : {".config.bin.0123456789abcdef.pending", ".str.ini.0123456789ABCDEF.pending",
                           ".str.ini.0123456789abcde.pending", ".str.ini.0123456789abcdef.tmp"}) {
    EXPECT_EQ(StagedTagOf(NativePath(name), kIni), std::nullopt) << name;
  }
}

}  // namespace
}  // namespace px
