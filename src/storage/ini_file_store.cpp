#include "storage/ini_file_store.h"

#include <algorithm>
#include <string>
#include <vector>

#include "storage/staged_file.h"

namespace px {

namespace {

constexpr TextView kBlanks = u" \t\v\f\r";

TextView Trim(TextView s) {
  const auto first = s.find_first_not_of(kBlanks);
  if (first == TextView::npos) return {};
  const auto last = s.find_last_not_of(kBlanks);
  return s.substr(first, last - first + 1);
}

char16_t FoldAscii(char16_t c) { return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - u'a' + u'A') : c; }

bool SameName(TextView a, TextView b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char16_t x, char16_t y) {
           return FoldAscii(x) == FoldAscii(y);
         });
}

bool IsValidUtf8(std::string_view bytes) { return ToUtf8(FromUtf8(bytes)) == bytes; }

// Lines without their terminators, and how the text ended them.
struct Lines {
  std::vector<Text> lines;
  bool crlf = true;
  bool finalNewline = true;
};

Lines SplitLines(TextView text) {
  Lines out;
  if (text.empty()) return out;
  out.crlf = text.find(u"\r\n") != TextView::npos || text.find(u'\n') == TextView::npos;
  out.finalNewline = text.back() == u'\n';
  std::size_t start = 0;
  while (start < text.size()) {
    auto end = text.find(u'\n', start);
    if (end == TextView::npos) end = text.size();
    TextView line = text.substr(start, end - start);
    if (!line.empty() && line.back() == u'\r') line.remove_suffix(1);
    out.lines.emplace_back(line);
    start = end + 1;
  }
  return out;
}

Text JoinLines(const Lines& l) {
  const TextView newline = l.crlf ? u"\r\n" : u"\n";
  Text out;
  for (std::size_t i = 0; i < l.lines.size(); ++i) {
    out += l.lines[i];
    if (i + 1 < l.lines.size() || l.finalNewline) out += newline;
  }
  return out;
}

// The name of a section header line, or nothing for any other line.
std::optional<TextView> SectionName(TextView line) {
  line = Trim(line);
  if (line.empty() || line.front() != u'[') return std::nullopt;
  line.remove_prefix(1);
  const auto close = line.find(u']');
  if (close != TextView::npos) line = line.substr(0, close);
  return Trim(line);
}

struct Entry {
  TextView key;
  TextView value;
};

std::optional<Entry> ParseEntry(TextView line) {
  if (Trim(line).empty()) return std::nullopt;
  const auto eq = line.find(u'=');
  if (eq == TextView::npos) return Entry{Trim(line), {}};
  return Entry{Trim(line.substr(0, eq)), Trim(line.substr(eq + 1))};
}

Text CleanValue(TextView value) {
  Text out(value);
  std::ranges::replace(out, u'\r', u' ');
  std::ranges::replace(out, u'\n', u' ');
  return out;
}

void AppendUtf16(FileBytes& out, TextView text, bool bigEndian) {
  for (char16_t c : text) {
    const auto lo = static_cast<std::uint8_t>(c & 0xFF);
    const auto hi = static_cast<std::uint8_t>(c >> 8);
    out.push_back(bigEndian ? hi : lo);
    out.push_back(bigEndian ? lo : hi);
  }
}

}  // namespace

DecodedIni DecodeIni(std::span<const std::uint8_t> bytes) {
  const auto startsWith = [&](std::initializer_list<std::uint8_t> bom) {
    return bytes.size() >= bom.size() && std::equal(bom.begin(), bom.end(), bytes.begin());
  };
  DecodedIni out;
  if (startsWith({0xFF, 0xFE}) || startsWith({0xFE, 0xFF})) {
    const bool bigEndian = bytes[0] == 0xFE;
    out.encoding = bigEndian ? IniEncoding::Utf16Be : IniEncoding::Utf16Le;
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
      const unsigned first = bytes[i];
      const unsigned second = bytes[i + 1];
      out.text += static_cast<char16_t>(bigEndian ? (first << 8 | second) : (second << 8 | first));
    }
    return out;
  }
  if (startsWith({0xEF, 0xBB, 0xBF})) {
    out.encoding = IniEncoding::Utf8Bom;
    out.text = FromUtf8(std::string_view(reinterpret_cast<const char*>(bytes.data()) + 3, bytes.size() - 3));
    return out;
  }
  out.encoding = IniEncoding::Plain;
  const std::string_view raw(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  if (IsValidUtf8(raw)) {
    out.text = FromUtf8(raw);
  } else {
    out.text.assign(bytes.begin(), bytes.end());  // Latin-1: byte = code point
  }
  return out;
}

FileBytes EncodeIni(TextView text, IniEncoding encoding) {
  FileBytes out;
  if (encoding == IniEncoding::Plain && std::ranges::any_of(text, [](char16_t c) { return c >= 0x80; })) {
    encoding = IniEncoding::Utf16Le;
  }
  switch (encoding) {
    case IniEncoding::Utf16Le:
      out = {0xFF, 0xFE};
      AppendUtf16(out, text, false);
      break;
    case IniEncoding::Utf16Be:
      out = {0xFE, 0xFF};
      AppendUtf16(out, text, true);
      break;
    case IniEncoding::Utf8Bom: {
      out = {0xEF, 0xBB, 0xBF};
      const std::string utf8 = ToUtf8(text);
      out.insert(out.end(), utf8.begin(), utf8.end());
      break;
    }
    case IniEncoding::Plain:
      out.assign(text.begin(), text.end());  // ASCII only, checked above
      break;
  }
  return out;
}

std::optional<Text> FindIniValue(TextView iniText, TextView section, TextView key) {
  const Lines l = SplitLines(iniText);
  bool inSection = false;
  for (const Text& line : l.lines) {
    if (const auto name = SectionName(line)) {
      inSection = SameName(*name, section);
      continue;
    }
    if (!inSection) continue;
    const auto entry = ParseEntry(line);
    if (!entry || !SameName(entry->key, key)) continue;
    TextView value = entry->value;
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') && value.back() == value.front()) {
      value = value.substr(1, value.size() - 2);
    }
    return Text(value.substr(0, kProfileValueMaxLength));
  }
  return std::nullopt;
}

Text SetIniValue(TextView iniText, TextView section, TextView key, TextView value) {
  Lines l = SplitLines(iniText);
  const Text newLine = Text(key) + u"=" + CleanValue(value);
  std::optional<std::size_t> sectionLine;   // header of the first matching section
  std::optional<std::size_t> lastContent;   // last non-blank line inside it
  for (std::size_t i = 0; i < l.lines.size(); ++i) {
    if (const auto name = SectionName(l.lines[i])) {
      if (sectionLine) break;  // left the section: the key is not there
      if (SameName(*name, section)) {
        sectionLine = i;
        lastContent = i;
      }
      continue;
    }
    if (!sectionLine) continue;
    const auto entry = ParseEntry(l.lines[i]);
    if (!entry) continue;
    if (SameName(entry->key, key)) {
      l.lines[i] = newLine;
      return JoinLines(l);
    }
    lastContent = i;
  }
  if (sectionLine) {
    l.lines.insert(l.lines.begin() + static_cast<std::ptrdiff_t>(*lastContent + 1), newLine);
  } else {
    if (!l.lines.empty() && !Trim(l.lines.back()).empty()) l.lines.emplace_back();
    l.lines.push_back(u"[" + Text(section) + u"]");
    l.lines.push_back(newLine);
  }
  l.finalNewline = true;
  return JoinLines(l);
}

Text IniFileStore::Read(TextView section, TextView key) {
  const ReadResult read = files_.Read(path_, kMaxFileSize);
  if (!read.Ok()) return {};
  return FindIniValue(DecodeIni(read.bytes).text, section, key).value_or(Text{});
}

bool IniFileStore::Write(TextView section, TextView key, TextView value) {
  const ProfileEntry entry{Text(section), Text(key), Text(value)};
  return WriteAll({&entry, 1});
}

std::optional<FileBytes> IniFileStore::WithEntries(std::span<const ProfileEntry> entries) {
  DecodedIni current;  // a new file is UTF-16LE with a BOM
  const ReadResult read = files_.Read(path_, kMaxFileSize);
  if (read.Ok()) {
    current = DecodeIni(read.bytes);
  } else if (read.status != ReadResult::Status::Missing) {
    return std::nullopt;  // never rewritten from a partial or failed read
  }
  for (const ProfileEntry& e : entries) current.text = SetIniValue(current.text, e.section, e.key, e.value);
  return EncodeIni(current.text, current.encoding);
}

bool IniFileStore::WriteAll(std::span<const ProfileEntry> entries) {
  const auto bytes = WithEntries(entries);
  if (!bytes) return false;
  const bool written = WriteWholeFile(files_, path_, *bytes).Ok();
  RemoveStaleTemporaries();
  return written;
}

bool IniFileStore::StageAll(std::span<const ProfileEntry> entries, std::string_view tag) {
  const FileInfo info = files_.Inspect(path_);
  // A folder or a device has no contents to stage beside it.
  if (info.error != 0 || (info.kind != FileKind::Regular && info.kind != FileKind::Missing)) return false;
  const auto bytes = WithEntries(entries);
  return bytes && StageFile(files_, info.resolved, tag, *bytes).Ok();
}

}  // namespace px
