#include "app/app_state.h"

namespace px {

AppState& TheAppState() {
  static AppState state;
  return state;
}

}  // namespace px
