#pragma once
// GDI+ for the whole run of the application object: started by its start
// entry, shut down by its end entry. The skin's images start and stop their
// own use of it around each load.
#include <windows.h>

namespace px {

class GdiplusSession {
 public:
  GdiplusSession();
  ~GdiplusSession();
  GdiplusSession(const GdiplusSession&) = delete;
  GdiplusSession& operator=(const GdiplusSession&) = delete;
  bool Started() const { return token_ != 0; }

 private:
  ULONG_PTR token_ = 0;
};

}  // namespace px
