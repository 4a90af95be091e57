// The Windows storage adapters through the real API (run under Wine here):
// str.ini through the profile API, config.bin through the file API.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <array>
#include <optional>
#include <string>

#include "common/win32/wide_text.h"
#include "storage/config_file.h"
#include "storage/executable_path.h"
#include "storage/ini_file_store.h"
#include "storage/installed_files.h"
#include "storage/settings_paths.h"
#include "storage/staged_file.h"
#include "storage/str_ini.h"
#include "storage/win32/win32_file_system.h"
#include "storage/win32/win32_profile_store.h"
#include "../unit/port_fakes.h"

namespace px {
namespace {

// A fresh folder under the temporary folder for each test.
class Win32Storage : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH, temp);
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = Text(reinterpret_cast<const char16_t*>(temp)) + u"px_storage_" +
           FromUtf8(std::to_string(GetCurrentProcessId()) + "_" + info->name()) + u"\\";
    CreateDirectoryW(WideOf(dir_), nullptr);
  }
  void TearDown() override {
    for (const Text& f : FilesInDir()) {
      SetFileAttributesW(WideOf(dir_ + f), FILE_ATTRIBUTE_NORMAL);
      DeleteFileW(WideOf(dir_ + f));
    }
    RemoveDirectoryW(WideOf(dir_));
  }

  Text PathOf(TextView name) { return dir_ + Text(name); }
  void Put(const Text& path, const FileBytes& bytes) {
    const WriteResult written = WriteWholeFile(files_, path, bytes);
    ASSERT_TRUE(written.Ok()) << written.error;
  }
  Text Decoded(const Text& path) {
    const ReadResult read = files_.Read(path, 1 << 20);
    return read.Ok() ? DecodeIni(read.bytes).text : Text{};
  }
  // Names in the test's folder: no temporary file may stay behind.
  std::vector<Text> FilesInDir() const {
    std::vector<Text> names;
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW(WideOf(dir_ + u"*"), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
      const Text name(reinterpret_cast<const char16_t*>(found.cFileName));
      if (name != u"." && name != u"..") names.push_back(name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
  }

  Win32FileSystem files_;
  Text dir_;
};

LabelSet ChineseLabels() {
  return {u"左键",        u"右键",       u"多媒体 - 音量+", u"DPI切换 - DPI Loop", u"按键关闭", u"按键关闭",
          u"按键关闭",    u"按键关闭",   u"火力键 - 鼠标左键", u"狙击 - 800", u"单键 - Ｆ１", u"快捷键 - 复制",
          u"Windows - 计算器", u"Shift", u"按键关闭", u"𠀀 beyond the BMP"};
}

TEST_F(Win32Storage, ChineseLabelsSurviveTheProfileApiAndOtherSectionsStayUntouched) {
  const Text ini = PathOf(u"str.ini");
  Put(ini, InstalledStrIni());
  const Text before = Decoded(ini);
  Win32ProfileStore store(ini);
  ASSERT_EQ(ReadLanguageCode(store), u"EN");

  ASSERT_TRUE(SaveLabels(store, Language::SimplifiedChinese, ChineseLabels()));
  EXPECT_EQ(LoadLabels(store, Language::SimplifiedChinese), ChineseLabels());

  // Still UTF-16LE, and every other value reads as before.
  const ReadResult read = files_.Read(ini, 1 << 20);
  ASSERT_TRUE(read.Ok());
  EXPECT_EQ(DecodeIni(read.bytes).encoding, IniEncoding::Utf16Le);
  const Text after = DecodeIni(read.bytes).text;
  for (Language other : {Language::English, Language::TraditionalChinese}) {
    for (TextView key : kLabelKeys) {
      EXPECT_EQ(FindIniValue(after, LabelSectionName(other), key), FindIniValue(before, LabelSectionName(other), key))
          << ToUtf8(key);
    }
    EXPECT_EQ(LoadLabels(store, other), DefaultButtonLabels(other));
  }
  for (TextView key : {kLanguageKey, kSkinNameKey, kRedKey, kGreenKey, kBlueKey}) {
    EXPECT_EQ(FindIniValue(after, kSkinsSection, key), FindIniValue(before, kSkinsSection, key)) << ToUtf8(key);
  }
  // The portable store reads what the API wrote.
  IniFileStore portable(files_, ini);
  EXPECT_EQ(LoadLabels(portable, Language::SimplifiedChinese), ChineseLabels());
}

TEST_F(Win32Storage, PortableStoreAndProfileApiAgreeOnFilesWrittenByEither) {
  const std::pair<TextView, Text> values[] = {
      {u"Chinese", u"狙击 - 1600"},
      {u"Padded", u"   padded value   "},
      {u"Quoted", u"\"  in quotes  \""},
      {u"Single", u"'x'"},
      {u"Equals", u"a=b=c"},
      {u"Empty", u""},
      {u"Long", Text(2000, u'长')},
      {u"Exact", Text(1023, u'x')},
  };
  Win32FileSystem fs;
  // Written by the portable store (a new file: UTF-16LE with a BOM).
  const Text byPortable = PathOf(u"portable.ini");
  IniFileStore portable(fs, byPortable);
  for (const auto& [key, value] : values) ASSERT_TRUE(portable.Write(u"Setting-CHS", key, value));
  ASSERT_TRUE(portable.Write(u"Skins", u"Lan", u"CHS"));
  // Written by the API into a UTF-16LE file, as installed.
  const Text byApi = PathOf(u"api.ini");
  Put(byApi, EncodeIni(u"", IniEncoding::Utf16Le));
  Win32ProfileStore api(byApi);
  for (const auto& [key, value] : values) ASSERT_TRUE(api.Write(u"Setting-CHS", key, value));
  ASSERT_TRUE(api.Write(u"Skins", u"Lan", u"CHS"));

  for (const Text& file : {byPortable, byApi}) {
    IniFileStore readPortable(fs, file);
    Win32ProfileStore readApi(file);
    for (const auto& [key, value] : values) {
      const Text viaApi = readApi.Read(u"setting-chs", key);
      EXPECT_EQ(readPortable.Read(u"setting-chs", key), viaApi) << ToUtf8(key) << " in " << ToUtf8(file);
      EXPECT_LE(viaApi.size(), 1023u);
    }
    EXPECT_EQ(readApi.Read(u"Setting-CHS", u"Long"), Text(1023, u'长'));
    EXPECT_EQ(readApi.Read(u"Setting-CHS", u"Chinese"), u"狙击 - 1600");
    EXPECT_EQ(readApi.Read(u"Setting-CHS", u"Missing"), u"");
    EXPECT_EQ(readApi.Read(u"Nowhere", u"Chinese"), u"");
    EXPECT_EQ(ReadLanguageCode(readPortable), u"CHS");
  }
}

// A file that must stay where it is (the simulated mouse's state): replaced
// while it is there; once gone, refused by the replacement itself, and
// nothing is made, neither the file nor a temporary beside it.
TEST_F(Win32Storage, AWriteOverAnExistingFileOnlyWhileItIsThere) {
  const FileBytes bytes{'n', 'e', 'w'};
  // A bare name too, in the current folder, as px6410ctl is given its files.
  std::array<wchar_t, MAX_PATH> before{};
  GetCurrentDirectoryW(MAX_PATH, before.data());
  SetCurrentDirectoryW(WideOf(dir_));
  for (const bool present : {true, false}) {
    for (const Text& file : {PathOf(u"mouse.bin"), Text(u"mouse.bin")}) {
      const bool bare = file == u"mouse.bin";
      if (present) Put(PathOf(u"mouse.bin"), FileBytes{'o', 'l', 'd'});
      const WriteResult written = WriteWholeExistingFile(files_, file, bytes);
      EXPECT_EQ(written.Ok(), present) << (bare ? "bare name" : "whole path");
      if (present) {
        EXPECT_EQ(files_.Read(file, 16).bytes, bytes);
      }
      EXPECT_EQ(FilesInDir().size(), present ? 1u : 0u) << present;
      DeleteFileW(WideOf(PathOf(u"mouse.bin")));
    }
  }
  SetCurrentDirectoryW(before.data());
}

// Counts the files put in place of others.
class CountingFileSystem final : public FileSystem {
 public:
  explicit CountingFileSystem(FileSystem& inner) : inner_(inner) {}
  FileInfo Inspect(const NativePath& p) override { return inner_.Inspect(p); }
  ReadResult Read(const NativePath& p, std::size_t max) override { return inner_.Read(p, max); }
  std::unique_ptr<WritableFile> CreateBeside(const NativePath& t, NativePath& c, int& e) override {
    return inner_.CreateBeside(t, c, e);
  }
  std::unique_ptr<WritableFile> OpenExisting(const NativePath& p, int& e) override { return inner_.OpenExisting(p, e); }
  bool Replace(const NativePath& s, const NativePath& t, int& e) override {
    ++replaced;
    return inner_.Replace(s, t, e);
  }
  bool ReplaceExisting(const NativePath& s, const NativePath& t, int& e) override {
    ++replaced;
    return inner_.ReplaceExisting(s, t, e);
  }
  void Remove(const NativePath& p) override { inner_.Remove(p); }
  std::vector<FolderItem> ListFolder(const NativePath& f) override { return inner_.ListFolder(f); }
  std::string ErrorText(int e) const override { return inner_.ErrorText(e); }
  bool IsAccessDenied(int e) const override { return inner_.IsAccessDenied(e); }
  int replaced = 0;

 private:
  FileSystem& inner_;
};

// The bytes the profile API gave when it wrote each key into str.ini itself,
// now in one replacement of the file.
TEST_F(Win32Storage, LabelsAreOneReplacementWithTheProfileApisOwnBytes) {
  const std::pair<const char*, std::optional<FileBytes>> starts[] = {
      {"installed", InstalledStrIni()},
      {"ANSI", FileBytes{'[', 'S', 'k', 'i', 'n', 's', ']', '\r', '\n', 'L', 'a', 'n', '=', 'E', 'N', '\r', '\n'}},
      {"missing", std::nullopt},
  };
  for (const auto& [name, bytes] : starts) {
    const Text before = PathOf(u"before.ini");
    const Text now = PathOf(u"str.ini");
    if (bytes) {
      Put(before, *bytes);
      Put(now, *bytes);
    }
    Win32ProfileStore api(before);
    for (std::size_t i = 0; i < kLabelKeys.size(); ++i) {
      ASSERT_TRUE(WritePrivateProfileStringW(L"Setting-CHS", WideOf(Text(kLabelKeys[i])), WideOf(ChineseLabels()[i]),
                                             WideOf(before)));
    }
    CountingFileSystem counting(files_);
    Win32ProfileStore store(now, counting);
    ASSERT_TRUE(SaveLabels(store, Language::SimplifiedChinese, ChineseLabels()));
    EXPECT_EQ(files_.Read(now, 1 << 20).bytes, files_.Read(before, 1 << 20).bytes) << name;
    EXPECT_EQ(counting.replaced, 1) << name;
    EXPECT_EQ(LoadLabels(store, Language::SimplifiedChinese), LoadLabels(api, Language::SimplifiedChinese)) << name;
    EXPECT_EQ(FilesInDir().size(), 2u) << name;  // no temporary file left
    DeleteFileW(WideOf(before));
    DeleteFileW(WideOf(now));
  }
}

// Labels saved with config.bin: staged beside str.ini with the API's own
// bytes, str.ini untouched until the commit (or a start) puts them in place;
// dropped, they leave nothing behind.
TEST_F(Win32Storage, StagedLabelsAreTheApiBytesAndReplaceStrIniOnlyWhenCommitted) {
  const Text byApi = PathOf(u"api.ini");
  const Text ini = PathOf(u"str.ini");
  Put(byApi, InstalledStrIni());
  Put(ini, InstalledStrIni());
  for (std::size_t i = 0; i < kLabelKeys.size(); ++i) {
    ASSERT_TRUE(WritePrivateProfileStringW(L"Setting-CHS", WideOf(Text(kLabelKeys[i])), WideOf(ChineseLabels()[i]),
                                           WideOf(byApi)));
  }
  const FileBytes old = files_.Read(ini, 1 << 20).bytes;
  const FileBytes expected = files_.Read(byApi, 1 << 20).bytes;
  Win32ProfileStore store(ini);
  const std::string tags[] = {ContentTag(FileBytes{1}), ContentTag(FileBytes{2}), ContentTag(FileBytes{3})};
  const NativePath staged = PathFromText(ini).parent_path() / (u".str.ini." + FromUtf8(tags[0]) + u".pending");

  ASSERT_TRUE(StageLabels(store, Language::SimplifiedChinese, ChineseLabels(), tags[0]));
  EXPECT_EQ(files_.Read(ini, 1 << 20).bytes, old);
  EXPECT_EQ(files_.Read(staged, 1 << 20).bytes, expected);
  store.DropStaged(tags[0]);
  EXPECT_EQ(FilesInDir().size(), 2u);

  ASSERT_TRUE(StageLabels(store, Language::SimplifiedChinese, ChineseLabels(), tags[1]));
  ASSERT_TRUE(store.CommitStaged(tags[1]));
  EXPECT_EQ(files_.Read(ini, 1 << 20).bytes, expected);
  EXPECT_EQ(FilesInDir().size(), 2u);

  Put(ini, old);
  ASSERT_TRUE(StageLabels(store, Language::SimplifiedChinese, ChineseLabels(), tags[2]));
  store.SettleStaged(tags[2]);  // a start after a crash between the two renames
  EXPECT_EQ(files_.Read(ini, 1 << 20).bytes, expected);
  EXPECT_EQ(FilesInDir().size(), 2u);
}

TEST_F(Win32Storage, OldTemporaryFilesOfStrIniGoYoungOnesStay) {
  const Text ini = PathOf(u"str.ini");
  Put(ini, InstalledStrIni());
  for (const char16_t* name : {u".str.ini.0123456789ab.tmp", u".str.ini.00000000000a.tmp", u".other.0123456789ab.tmp"}) {
    Put(PathOf(name), FileBytes{1});
  }
  for (const char16_t* name : {u".str.ini.0123456789ab.tmp", u".other.0123456789ab.tmp"}) {
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER old{{now.dwLowDateTime, now.dwHighDateTime}};
    old.QuadPart -= 120ull * 10'000'000;  // two minutes
    const FILETIME when{old.LowPart, old.HighPart};
    const HANDLE file = CreateFileW(WideOf(PathOf(name)), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    SetFileTime(file, nullptr, nullptr, &when);
    CloseHandle(file);
  }
  Win32ProfileStore(ini).RemoveStaleTemporaries();
  std::vector<Text> left = FilesInDir();
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left, (std::vector<Text>{u".other.0123456789ab.tmp", u".str.ini.00000000000a.tmp", u"str.ini"}));
}

TEST_F(Win32Storage, MissingStrIniReadsEmptyAndColoursBlack) {
  Win32ProfileStore store(PathOf(u"absent.ini"));
  EXPECT_EQ(LoadLabels(store, Language::English), LabelSet{});
  EXPECT_EQ(ParseUiTextColor(LoadSkinKeys(store)), (Rgb{0, 0, 0}));
  EXPECT_EQ(ReadLanguageCode(store), u"");
}

TEST_F(Win32Storage, ConfigFileSavesWholeAndKeepsAReadOnlyFile) {
  const Text path = PathOf(u"config.bin");
  testing::RecordingBoxes boxes;
  ConfigFile config(files_, boxes, path);
  std::uint8_t flag = 7;
  SettingsModel model{};
  EXPECT_EQ(config.Load(flag, model), ConfigLoadResult::Missing);
  EXPECT_EQ(config.Save(InstalledFirstModel()), ConfigSaveResult::Missing);
  EXPECT_EQ(GetFileAttributesW(WideOf(path)), INVALID_FILE_ATTRIBUTES);
  ASSERT_EQ(boxes.shown.size(), 2u);

  Put(path, InstalledConfigBin());
  EXPECT_EQ(config.Load(flag, model), ConfigLoadResult::Loaded);
  EXPECT_EQ(flag, 0);
  EXPECT_EQ(model, InstalledFirstModel());
  model.ReportRateCode = 8;
  EXPECT_EQ(config.Save(model), ConfigSaveResult::Saved);
  EXPECT_EQ(FilesInDir(), std::vector<Text>{u"config.bin"});
  SettingsModel reread{};
  EXPECT_EQ(config.Load(flag, reread), ConfigLoadResult::Loaded);
  EXPECT_EQ(flag, 1);
  EXPECT_EQ(reread, model);

  const FileBytes saved = files_.Read(path, 1000).bytes;
  SetFileAttributesW(WideOf(path), FILE_ATTRIBUTE_READONLY);
  boxes.shown.clear();
  model.ReportRateCode = 4;
  EXPECT_EQ(config.Save(model), ConfigSaveResult::Failed);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, u"Error Code is: 5 \n");
  EXPECT_EQ(boxes.shown[0].caption, u"NULL ==fp ");
  EXPECT_EQ(files_.Read(path, 1000).bytes, saved);
  EXPECT_EQ(FilesInDir(), std::vector<Text>{u"config.bin"});
}

TEST_F(Win32Storage, PathsComeFromTheRunningExecutable) {
  const Text exe = RunningExecutablePath();
  ASSERT_GT(exe.size(), 4u);
  const SettingsPaths paths = BuildSettingsPaths(exe);
  EXPECT_EQ(paths.configFile, FolderOf(exe) + u"config.bin");
  EXPECT_NE(paths.configFile, exe);  // this test executable is not PX6410-3-4.exe
  EXPECT_EQ(paths.executableFolder.back(), u'\\');
}

}  // namespace
}  // namespace px
