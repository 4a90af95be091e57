// A save replaces each settings file once, with the bytes that one write per
// key used to give; what saves killed half-way left behind is cleared away,
// and nothing else is.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>

#include "app/apply_flow.h"
#include "storage/ini_file_store.h"
#include "storage/installed_files.h"
#include "storage/stale_temporaries.h"
#include "storage/str_ini.h"
#include "storage_fakes.h"

namespace px {
namespace {

using testing::MemoryFileSystem;

FileBytes BytesOf(std::string_view text) { return FileBytes(text.begin(), text.end()); }

TEST(SettingsWrites, LabelsAndSkinChoiceAreOneReplacementWithTheBytesOfOneWriteEach) {
  const Text path = u"/px/str.ini";
  struct Start {
    const char* name;
    std::optional<FileBytes> bytes;
  };
  const Start starts[] = {
      {"missing", std::nullopt},
      {"installed", InstalledStrIni()},
      {"plain, LF, spaced key, comment", BytesOf("[Skins]\nLan=EN\n\n[Setting-EN]\nItem1 = Left\n; note\n")},
      {"Latin-1", BytesOf("[Setting-EN]\r\nItem2=caf\xe9\r\n")},
      {"UTF-8 BOM, lower case, no final newline", BytesOf("\xEF\xBB\xBF[setting-chs]\r\nitem13=x\r\n[Skins]\r\nPath=A")},
  };
  LabelSet labels = DefaultButtonLabels(Language::SimplifiedChinese);
  labels[3] = u"two\r\nlines";
  labels[9] = u"Fire Key-F5";
  for (const Start& start : starts) {
    MemoryFileSystem oneByOne, batch;
    if (start.bytes) oneByOne.files[path] = batch.files[path] = *start.bytes;
    IniFileStore before(oneByOne, PathFromText(path));
    IniFileStore now(batch, PathFromText(path));
    for (std::size_t i = 0; i < kLabelKeys.size(); ++i) {
      ASSERT_TRUE(before.Write(u"Setting-CHS", kLabelKeys[i], labels[i] == u"two\r\nlines" ? u"two  lines" : labels[i]));
    }
    ASSERT_TRUE(SaveLabels(now, Language::SimplifiedChinese, labels));
    EXPECT_EQ(batch.files[path], oneByOne.files[path]) << start.name;
    EXPECT_EQ(batch.replacements[path], 1) << start.name;

    for (auto [key, value] : {std::pair<TextView, TextView>{u"RColor", u"1"}, {u"GColor", u"22"}, {u"BColor", u"255"},
                              {u"Path", u"深色"}}) {
      ASSERT_TRUE(before.Write(u"Skins", key, value));
    }
    ASSERT_TRUE(SaveSkinChoice(now, Rgb{1, 22, 255}, u"深色"));
    EXPECT_EQ(batch.files[path], oneByOne.files[path]) << start.name;
    EXPECT_EQ(batch.replacements[path], 2) << start.name;
  }
}

enum class Kind { File, Folder, Link };

TEST(SettingsWrites, OnlyOldPlainTemporariesOfTheSettingsFilesAreRemoved) {
  struct Case {
    const char* name;
    Kind kind;
    int age;  // seconds
    bool removed;
  };
  const Case cases[] = {
      {".str.ini.0123456789ab.tmp", Kind::File, 61, true},
      {".config.bin.fedcba987654.tmp", Kind::File, 86400, true},
      {".config.bin.000000000000.tmp", Kind::File, 60, true},
      {".str.ini.00000000000a.tmp", Kind::File, 59, false},  // a save may be running in another process
      {".str.ini.00000000000b.tmp", Kind::File, -600, false},  // the clock went back
      {".str.ini.0123456789AB.tmp", Kind::File, 600, false},
      {".str.ini.0123456789a.tmp", Kind::File, 600, false},
      {".str.ini.0123456789abc.tmp", Kind::File, 600, false},
      {"str.ini.0123456789ab.tmp", Kind::File, 600, false},
      {".str.ini.0123456789ab.tmp.bak", Kind::File, 600, false},
      {".str.ini.0123456789ab.TMP", Kind::File, 600, false},
      {".mouse.bin.0123456789ab.tmp", Kind::File, 600, false},
      {".str.ini.1123456789ab.tmp", Kind::Folder, 600, false},
      {".str.ini.2123456789ab.tmp", Kind::Link, 600, false},
      {"str.ini", Kind::File, 600, false},
      {"config.bin", Kind::File, 600, false},
  };
  MemoryFileSystem files;
  for (const Case& c : cases) {
    const Text name = u"/px/" + FromUtf8(c.name);
    if (c.kind == Kind::File) files.files[name] = BytesOf("x");
    if (c.kind == Kind::Folder) files.folders.insert(name);
    if (c.kind == Kind::Link) files.links.insert(name);
    files.ages[name] = std::chrono::seconds(c.age);
  }
  files.files[u"/elsewhere/.str.ini.0123456789ab.tmp"] = BytesOf("x");
  files.ages[u"/elsewhere/.str.ini.0123456789ab.tmp"] = std::chrono::hours(1);

  EXPECT_EQ(RemoveStaleTemporaries(files, PathFromText(u"/px/str.ini")) +
                RemoveStaleTemporaries(files, PathFromText(u"/px/config.bin")),
            3);
  for (const Case& c : cases) {
    const Text name = u"/px/" + FromUtf8(c.name);
    const bool there = files.Has(name) || files.folders.contains(name) || files.links.contains(name);
    EXPECT_EQ(!there, c.removed) << c.name;
  }
  EXPECT_TRUE(files.Has(u"/elsewhere/.str.ini.0123456789ab.tmp"));
}

TEST(SettingsWrites, LeftOversGoAtStartAndAfterEachSave) {
  const Text configLeftOver = u"/px/.config.bin.0123456789ab.tmp";
  const Text iniLeftOver = u"/px/.str.ini.0123456789ab.tmp";
  MemoryFileSystem files;
  testing::RecordingBoxes boxes;
  ConfigFile config(files, boxes, PathFromText(u"/px/config.bin"));
  IniFileStore ini(files, PathFromText(u"/px/str.ini"));
  files.files[u"/px/config.bin"] = InstalledConfigBin();
  files.files[u"/px/str.ini"] = InstalledStrIni();
  const auto leaveBehind = [&] {
    for (const Text& name : {configLeftOver, iniLeftOver}) {
      files.files[name] = BytesOf("half");
      files.ages[name] = std::chrono::minutes(5);
    }
  };

  leaveBehind();
  SettingsSession session;
  LoadSettingsAtStart(session, config, ini);
  EXPECT_FALSE(files.Has(configLeftOver));
  EXPECT_FALSE(files.Has(iniLeftOver));

  leaveBehind();
  EXPECT_EQ(config.Save(session.model), ConfigSaveResult::Saved);
  EXPECT_FALSE(files.Has(configLeftOver));
  EXPECT_TRUE(SaveLabels(ini, session.language, session.labels));
  EXPECT_FALSE(files.Has(iniLeftOver));
}

// The real folder listing: a link is reported as a link, and removing what
// it lists never reaches through one.
TEST(SettingsWrites, SystemListingLeavesLinksTheirTargetsAndYoungFiles) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::path(::testing::TempDir()) / ("px_stale_" + std::to_string(getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir / "kept");
  const auto age = [](const fs::path& path, int seconds) {  // the entry itself, not what a link leads to
    const timespec when[2] = {{time(nullptr) - seconds, 0}, {time(nullptr) - seconds, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), when, AT_SYMLINK_NOFOLLOW), 0);
  };
  const auto put = [&](const fs::path& path, int seconds) {
    std::ofstream(path) << "x";
    age(path, seconds);
  };
  put(dir / ".str.ini.aaaaaaaaaaaa.tmp", 120);
  put(dir / ".str.ini.bbbbbbbbbbbb.tmp", 5);
  put(dir / "kept" / "target", 120);
  fs::create_symlink(dir / "kept" / "target", dir / ".str.ini.cccccccccccc.tmp");
  age(dir / ".str.ini.cccccccccccc.tmp", 120);
  fs::create_directory(dir / ".str.ini.dddddddddddd.tmp");
  put(dir / ".str.ini.dddddddddddd.tmp" / "inside", 120);
  age(dir / ".str.ini.dddddddddddd.tmp", 120);

  EXPECT_EQ(RemoveStaleTemporaries(SystemFileSystem(), dir / "str.ini"), 1);
  EXPECT_FALSE(fs::exists(dir / ".str.ini.aaaaaaaaaaaa.tmp"));
  EXPECT_TRUE(fs::exists(dir / ".str.ini.bbbbbbbbbbbb.tmp"));
  EXPECT_TRUE(fs::is_symlink(dir / ".str.ini.cccccccccccc.tmp"));
  EXPECT_TRUE(fs::exists(dir / "kept" / "target"));
  EXPECT_TRUE(fs::exists(dir / ".str.ini.dddddddddddd.tmp" / "inside"));
  fs::remove_all(dir);
}

}  // namespace
}  // namespace px
