#pragma once
// GDI+ for the whole run of the application object: started once by its
// start entry, before any skin picture is decoded, and shut down by its end
// entry. The skin's pictures decode under this one start; none starts or
// stops GDI+ itself.
#include <windows.h>

namespace px {

class GdiplusSession {
 public:
  GdiplusSession();
  ~GdiplusSession();
  GdiplusSession(const GdiplusSession&) = delete;
  GdiplusSession& operator=(const GdiplusSession&) = delete;
  bool Started() const { return started_; }

 private:
  bool started_ = false;
};

}  // namespace px
