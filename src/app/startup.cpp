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

}  // namespace px
