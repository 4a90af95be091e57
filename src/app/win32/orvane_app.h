#pragma once
// COrvaneApp: the application object. Starts the common controls and GDI+,
// registers the main window's class and runs the main window modally; the
// program ends when that run returns.
#include <windows.h>

#include <memory>

#include "app/win32/gdiplus_session.h"

namespace px {

inline constexpr wchar_t kMainWindowClass[] = L"PX6410GMClass";

class COrvaneApp {
 public:
  // Start entry; answers FALSE so that no loop of the application's own runs.
  BOOL InitInstance();
  // End entry; answers the process exit code.
  int ExitInstance();

 private:
  std::unique_ptr<GdiplusSession> gdiplus_;
};

}  // namespace px
