#include "model/key_tables.h"

namespace px {

std::uint8_t KeyCodeFromName(TextView keyName) {
  for (const KeyName& entry : KeyNameTable) {
    if (entry.name == keyName) return entry.code;
  }
  return 0;
}

std::uint8_t FireKeyCode(std::uint8_t position) {
  return position < FireKeyList.size() ? FireKeyList[position].code : std::uint8_t{0};
}

std::optional<TextView> KeyNameFromCode(std::uint8_t code) {
  for (const KeyName& entry : KeyNameTable) {
    if (entry.code == code) return entry.name;
  }
  return std::nullopt;
}

std::optional<TextView> FireKeyTextFromCode(std::uint8_t code) {
  for (const FireKey& entry : FireKeyList) {
    if (entry.code == code) return entry.text;
  }
  return std::nullopt;
}

}  // namespace px
