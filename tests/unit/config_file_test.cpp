#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "storage/config_file.h"
#include "storage_fakes.h"

namespace px {
namespace {

using testing::MemoryFileSystem;
using testing::RecordingBoxes;
using testing::EventLog;

constexpr TextView kPath = u"C:\\PX\\config.bin";

FileBytes ConfigBytes(std::uint8_t flag, std::uint8_t fill, std::size_t size = kConfigFileSize) {
  FileBytes bytes(size, fill);
  if (!bytes.empty()) bytes[0] = flag;
  return bytes;
}

SettingsModel PatternModel() {
  SettingsModel model{};
  for (std::size_t i = 0; i < kSettingsModelSize; ++i) model.Bytes()[i] = static_cast<std::uint8_t>(i * 7 + 3);
  return model;
}

class ConfigFileTest : public ::testing::Test {
 protected:
  MemoryFileSystem files;
  RecordingBoxes boxes;
  ConfigFile config{files, boxes, Text(kPath)};
  std::uint8_t flag = 0;
  SettingsModel model{};
};

TEST_F(ConfigFileTest, LoadsFlagAndModelFromExactly200Bytes) {
  FileBytes bytes = ConfigBytes(0, 0);
  const SettingsModel pattern = PatternModel();
  std::ranges::copy(pattern.Bytes(), bytes.begin() + 1);
  bytes[0] = 1;
  files.files[Text(kPath)] = bytes;
  EXPECT_EQ(config.Load(flag, model), ConfigLoadResult::Loaded);
  EXPECT_EQ(flag, 1);
  EXPECT_EQ(model, pattern);
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(ConfigFileTest, WrongSizeReadsNothingAndSaysNothing) {
  for (std::size_t size : {std::size_t{0}, std::size_t{199}, std::size_t{201}, std::size_t{4096}}) {
    files.files[Text(kPath)] = ConfigBytes(1, 0xAB, size);
    EXPECT_EQ(config.Load(flag, model), ConfigLoadResult::WrongSize) << size;
    EXPECT_EQ(flag, 0) << size;
    EXPECT_EQ(model, SettingsModel{}) << size;
  }
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(ConfigFileTest, MissingFileIsReportedAndLeavesTheModelZero) {
  EXPECT_EQ(config.Load(flag, model), ConfigLoadResult::Missing);
  EXPECT_EQ(model, SettingsModel{});
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, u"Config file is not exist.");
  EXPECT_EQ(boxes.shown[0].caption, u"PX6410-3-4");
}

TEST_F(ConfigFileTest, UnreadableFileIsTreatedLikeAWrongSizeOne) {
  files.files[Text(kPath)] = ConfigBytes(1, 0xAB);
  files.unreadable.push_back(Text(kPath));
  EXPECT_EQ(config.Load(flag, model), ConfigLoadResult::Unreadable);
  EXPECT_EQ(model, SettingsModel{});
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(ConfigFileTest, SaveWritesFlagOneThenTheModel) {
  files.files[Text(kPath)] = ConfigBytes(0, 0);
  const SettingsModel pattern = PatternModel();
  EXPECT_EQ(config.Save(pattern), ConfigSaveResult::Saved);
  const FileBytes& saved = files.files[Text(kPath)];
  ASSERT_EQ(saved.size(), 200u);
  EXPECT_EQ(saved[0], 1);
  EXPECT_TRUE(std::equal(saved.begin() + 1, saved.end(), pattern.Bytes().begin()));
  EXPECT_EQ(files.files.size(), 1u);  // no temporary file left
  EXPECT_EQ(config.Load(flag, model), ConfigLoadResult::Loaded);
  EXPECT_EQ(flag, 1);
  EXPECT_EQ(model, pattern);
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(ConfigFileTest, SaveDoesNotCreateAMissingFile) {
  EXPECT_EQ(config.Save(PatternModel()), ConfigSaveResult::Missing);
  EXPECT_TRUE(files.files.empty());
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0], (testing::Box{u"Config file is not exist.", u"PX6410-3-4"}));
}

TEST_F(ConfigFileTest, FailedSaveAtAnyStepKeepsTheOldFileAndReportsTheCode) {
  const FileBytes old = ConfigBytes(0, 0x5A);
  struct Case {
    const char* step;
    void (*inject)(MemoryFileSystem&);
    int code;
  };
  const Case cases[] = {
      {"create, disk full", [](MemoryFileSystem& f) { f.failCreate = 28; }, 28},
      {"write, nothing", [](MemoryFileSystem& f) { f.failWriteAfter = 0; }, 28},
      {"write, midway", [](MemoryFileSystem& f) { f.failWriteAfter = 57; }, 28},
      {"flush", [](MemoryFileSystem& f) { f.failFinish = 5; }, 5},
      {"replace", [](MemoryFileSystem& f) { f.failReplace = 32; }, 32},
      // No temporary file and no way into the file itself: the first refusal.
      {"create, then in place", [](MemoryFileSystem& f) { f.failCreate = 13; f.failOpenExisting = 30; }, 13},
  };
  for (const Case& c : cases) {
    MemoryFileSystem fs;
    RecordingBoxes shown;
    fs.files[Text(kPath)] = old;
    c.inject(fs);
    ConfigFile file(fs, shown, Text(kPath));
    EXPECT_EQ(file.Save(PatternModel()), ConfigSaveResult::Failed) << c.step;
    EXPECT_EQ(fs.files[Text(kPath)], old) << c.step;
    EXPECT_EQ(fs.files.size(), 1u) << c.step;
    ASSERT_EQ(shown.shown.size(), 1u) << c.step;
    EXPECT_EQ(shown.shown[0].text, u"Error Code is: " + FromUtf8(std::to_string(c.code)) + u" \n") << c.step;
    EXPECT_EQ(shown.shown[0].caption, u"NULL ==fp ") << c.step;
  }
}

TEST_F(ConfigFileTest, FolderThatRefusesNewFilesGetsTheFileWrittenInPlace) {
  EventLog log;
  MemoryFileSystem fs(&log);
  fs.files[Text(kPath)] = ConfigBytes(0, 0);
  fs.failCreate = 13;
  ConfigFile file(fs, boxes, Text(kPath));
  EXPECT_EQ(file.Save(PatternModel()), ConfigSaveResult::Saved);
  EXPECT_EQ(fs.files[Text(kPath)][0], 1);
  EXPECT_EQ(fs.files[Text(kPath)].size(), 200u);
  EXPECT_EQ(log, (EventLog{"in place " + ToUtf8(kPath)}));
  EXPECT_TRUE(boxes.shown.empty());
}

// The same rules on the real file system.
class ConfigFileOnDisk : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = std::filesystem::temp_directory_path() /
          ("px_config_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    path = dir / "config.bin";
  }
  void TearDown() override { std::filesystem::remove_all(dir); }

  void WriteRaw(const FileBytes& bytes) {
    std::ofstream(std::filesystem::path(path), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }

  std::size_t FilesInDir() const {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(dir), {}));
  }

  std::filesystem::path dir;
  std::filesystem::path path;
  FileSystem& files = SystemFileSystem();
  RecordingBoxes boxes;
};

TEST_F(ConfigFileOnDisk, SaveReplacesTheFileWholeAndLeavesNoTemporaryFile) {
  WriteRaw(ConfigBytes(0, 0x11));
  ConfigFile config(files, boxes, path);
  EXPECT_EQ(config.Save(PatternModel()), ConfigSaveResult::Saved);
  EXPECT_EQ(std::filesystem::file_size(path), 200u);
  EXPECT_EQ(FilesInDir(), 1u);
  std::uint8_t flag = 0;
  SettingsModel model{};
  EXPECT_EQ(config.Load(flag, model), ConfigLoadResult::Loaded);
  EXPECT_EQ(flag, 1);
  EXPECT_EQ(model, PatternModel());
}

TEST_F(ConfigFileOnDisk, SizesAndAFolderInItsPlace) {
  ConfigFile config(files, boxes, path);
  std::uint8_t flag = 0;
  SettingsModel model{};
  WriteRaw(ConfigBytes(1, 0x22, 199));
  EXPECT_EQ(config.Load(flag, model), ConfigLoadResult::WrongSize);
  WriteRaw(ConfigBytes(1, 0x22, 201));
  EXPECT_EQ(config.Load(flag, model), ConfigLoadResult::WrongSize);
  EXPECT_EQ(model, SettingsModel{});
  std::filesystem::remove(path);
  std::filesystem::create_directory(path);  // exists, cannot be read as a file
  EXPECT_EQ(config.Load(flag, model), ConfigLoadResult::Unreadable);
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_EQ(config.Save(PatternModel()), ConfigSaveResult::Failed);
  EXPECT_TRUE(std::filesystem::is_directory(path));
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].caption, u"NULL ==fp ");
}

// The bound caps a read; it is not what gets allocated. A skin image read
// under a 64 MiB cap must not cost 64 MiB.
TEST_F(ConfigFileOnDisk, ReadsAreSizedByTheFileNotByTheBound) {
  const FileBytes bytes{1, 2, 3, 4, 5};
  WriteRaw(bytes);
  const std::size_t hugeBound = std::size_t{1} << 46;  // could never be allocated
  ReadResult read = files.Read(path, hugeBound);
  ASSERT_TRUE(read.Ok());
  EXPECT_EQ(read.bytes, bytes);
  EXPECT_TRUE(files.Read(path, 5).Ok());
  EXPECT_EQ(files.Read(path, 4).status, ReadResult::Status::TooLarge);

  struct Case {
    std::size_t current, maxSize, grown;
  };
  for (const Case& c : {Case{1, hugeBound, 1 + 64 * 1024}, Case{100'000, hugeBound, 200'000}, Case{6, 10, 11},
                        Case{11, 10, 11}}) {
    EXPECT_EQ(GrownReadBufferSize(c.current, c.maxSize), c.grown) << c.current << " of " << c.maxSize;
  }
  EXPECT_EQ(FirstReadBufferSize(5, hugeBound), 6u);
  EXPECT_EQ(FirstReadBufferSize(std::uint64_t{1} << 40, 10), 11u);
}

TEST(ReadOpenFile, AFileSaidToBeOverTheBoundIsNotRead) {
  int reads = 0;
  const auto readSome = [&](std::span<std::uint8_t>) {
    ++reads;
    return ReadPiece{0, std::nullopt};
  };
  const ReadResult over = ReadOpenFile(11, 10, readSome);
  EXPECT_EQ(over.status, ReadResult::Status::TooLarge);
  EXPECT_EQ(over.size, 11u);
  EXPECT_EQ(reads, 0);
  EXPECT_TRUE(ReadOpenFile(10, 10, readSome).Ok());
  EXPECT_EQ(reads, 1);
}

}  // namespace
}  // namespace px

