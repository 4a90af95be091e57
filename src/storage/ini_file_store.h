#pragma once
// A portable str.ini store that reads and writes files the way the Windows
// profile API does for what the program uses: UTF-16LE files with a BOM, as
// well as plain ANSI/UTF-8 ones; case-insensitive sections and keys; values
// trimmed and stripped of one pair of enclosing quotes; 1023 characters at
// most per value.
#include <cstddef>
#include <optional>

#include "storage/file_profile_store.h"

namespace px {

enum class IniEncoding {
  Utf16Le,  // with BOM: what the profile API keeps Chinese text in
  Utf16Be,  // with BOM
  Utf8Bom,
  Plain,    // no BOM: UTF-8 when it decodes as such, Latin-1 otherwise
};

struct DecodedIni {
  Text text;
  IniEncoding encoding = IniEncoding::Utf16Le;
};

DecodedIni DecodeIni(std::span<const std::uint8_t> bytes);

// A plain file keeps its form while it holds ASCII only; once it would hold
// other characters it becomes UTF-16LE with a BOM, which loses nothing and
// which the profile API reads back unchanged.
FileBytes EncodeIni(TextView text, IniEncoding encoding);

// The value of `key` in `section` of an INI text, as the profile API reads it.
std::optional<Text> FindIniValue(TextView iniText, TextView section, TextView key);

// The INI text with `key` of `section` set to `value`; every other line kept.
// New files use CRLF line ends.
Text SetIniValue(TextView iniText, TextView section, TextView key, TextView value);

class IniFileStore final : public FileProfileStore {
 public:
  // Larger files are not rewritten: a partial read must never be saved back.
  static constexpr std::size_t kMaxFileSize = 16 * 1024 * 1024;

  IniFileStore(FileSystem& files, NativePath path) : FileProfileStore(files, std::move(path)) {}

  Text Read(TextView section, TextView key) override;
  // Rewrites the whole file through a temporary file; a failure leaves the
  // old file unchanged.
  bool Write(TextView section, TextView key, TextView value) override;
  // The same bytes as one Write per entry, in one replacement of the file.
  bool WriteAll(std::span<const ProfileEntry> entries) override;
  // The same bytes as WriteAll, in a staged file beside this one.
  bool StageAll(std::span<const ProfileEntry> entries, std::string_view tag) override;

 private:
  // The file's bytes with the entries set; nothing when it cannot be read.
  std::optional<FileBytes> WithEntries(std::span<const ProfileEntry> entries);
};

}  // namespace px
