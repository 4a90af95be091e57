#include "app/startup.h"

namespace px {

StartupStep NextStartupStep(StartupStep step, bool succeeded, bool devicePresent) {
  switch (step) {
    case StartupStep::CheckSingleInstance:
      return succeeded ? StartupStep::DialogInit : StartupStep::Done;
    case StartupStep::RegisterDeviceNotification:
      // Without device notifications the window runs bare: no files, skin or fonts.
      return succeeded ? StartupStep::LoadConfig : StartupStep::Done;
    case StartupStep::CreateFonts:
      return devicePresent ? StartupStep::BuildPage : StartupStep::Done;
    case StartupStep::BuildPage:
    case StartupStep::Done:
      return StartupStep::Done;
    default:
      // Every other step goes on whatever it answered.
      return static_cast<StartupStep>(static_cast<int>(step) + 1);
  }
}

std::uint8_t ColorComponentFromText(TextView text) {
  // Like atoi: leading blanks, an optional sign, then digits; anything else stops.
  std::size_t i = 0;
  while (i < text.size() && (text[i] == u' ' || text[i] == u'\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
    negative = text[i] == u'-';
    ++i;
  }
  std::uint32_t value = 0;
  for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
    value = value * 10u + static_cast<std::uint32_t>(text[i] - u'0');
    value &= 0xFFFFu;  // only the low byte matters; keep the sum small
  }
  if (negative) value = 0u - value;
  return static_cast<std::uint8_t>(value & 0xFFu);
}

}  // namespace px
