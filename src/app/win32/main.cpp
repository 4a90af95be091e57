// The program's entry: one application object, its start and end entries.
#include <windows.h>

#include "app/win32/orvane_app.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  px::COrvaneApp app;
  app.InitInstance();
  return app.ExitInstance();
}
