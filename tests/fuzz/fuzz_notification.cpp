// WM_USER+2 from any process: every type and value, every language and
// settings record behind the DPI stage texts.
#include <array>

#include "app/notification.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace px;
  fuzz::Input in(data, size);
  const auto language = static_cast<Language>(in.Byte() % 3);
  const std::uint8_t variant = in.Byte();
  SettingsModel model{};
  const auto modelBytes = in.Take(kSettingsModelSize);
  std::copy(modelBytes.begin(), modelBytes.end(), model.Bytes().begin());
  const std::uint64_t type = in.U64();
  const auto value = static_cast<std::int64_t>(in.U64());
  const auto balloon = DecideNotification(type, value, TextsFor(language),
                                          [&](int stage) { return StageDpiLabelOf(model, variant, stage); });
  if (balloon) {
    // The balloon's fields of the tray icon: 256 characters of text, 64 of title.
    std::array<char16_t, 256> text{};
    std::array<char16_t, 64> title{};
    if (CopyBounded(balloon->text, text.data(), text.size()) >= text.size()) fuzz::Broken();
    if (CopyBounded(balloon->title, title.data(), title.size()) >= title.size()) fuzz::Broken();
  }
  // Any text into any field size, surrogates included.
  const auto raw = in.Rest();
  Text text;
  for (std::size_t i = 0; i + 1 < raw.size(); i += 2) text += static_cast<char16_t>(raw[i] | raw[i + 1] << 8);
  std::array<char16_t, 8> field{};
  const std::size_t capacity = raw.empty() ? 1 : (raw[0] % field.size()) + 1;
  const std::size_t copied = CopyBounded(text, field.data(), capacity);
  if (copied >= capacity || field[copied] != 0) fuzz::Broken();
  return 0;
}
