// str.ini in every encoding (UTF-16 either way, UTF-8 with or without BOM,
// Latin-1): read, then a key set and read back, as the utility does.
#include "../unit/storage_fakes.h"
#include "fuzz_input.h"
#include "storage/ini_file_store.h"
#include "storage/str_ini.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace px;
  const DecodedIni decoded = DecodeIni(std::span(data, size));
  for (TextView key : kLabelKeys) static_cast<void>(FindIniValue(decoded.text, u"Setting-CHS", key));

  testing::MemoryFileSystem files;
  files.files[u"str.ini"] = FileBytes(data, data + size);
  IniFileStore store(files, PathFromText(u"str.ini"));
  static_cast<void>(ReadLanguageCode(store));
  static_cast<void>(ParseUiTextColor(LoadSkinKeys(store)));
  static_cast<void>(LoadLabels(store, Language::TraditionalChinese));

  // What is written reads back, whatever the file held before, and the
  // file keeps an encoding that holds it.
  const Text value = u"狙击 - 1600";
  if (!store.Write(kSkinsSection, kSkinNameKey, value)) fuzz::Broken();
  if (store.Read(kSkinsSection, kSkinNameKey) != value) fuzz::Broken();
  const DecodedIni rewritten = DecodeIni(files.files[u"str.ini"]);
  if (FindIniValue(rewritten.text, kSkinsSection, kSkinNameKey) != value) fuzz::Broken();
  return 0;
}
