// The page rebuilt in another skin, the way the skin chooser's OK rebuilds
// it, stopped at each moment something may reach the screen so that a
// screenshot can be taken (scripts/rebuild-shot.sh): the old page, each copy
// during the rebuild, the end of the rebuild (right after its copy to the
// screen) and the page once everything has painted. While stopped, the
// program paints nothing further; Wine still hands the window's pixels to
// the display.
// Usage: px_rebuild_shot FROM_SKIN_FOLDER TO_SKIN_FOLDER SIGNAL_FOLDER
// At each moment NAME it writes SIGNAL_FOLDER\NAME.ready and waits for
// SIGNAL_FOLDER\NAME.taken.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "page_harness.h"

namespace px {
namespace {

class Stops {
 public:
  explicit Stops(std::wstring folder) : folder_(std::move(folder)), never_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

  void At(const std::wstring& name) {
    const std::wstring ready = folder_ + L"\\" + name + L".ready";
    const std::wstring taken = folder_ + L"\\" + name + L".taken";
    winui::UniqueHandle file(::CreateFileW(ready.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    file.Reset();
    // A wait that takes no message: nothing is painted, but Wine shows
    // what the window holds.
    HANDLE never = never_.Get();
    while (::GetFileAttributesW(taken.c_str()) == INVALID_FILE_ATTRIBUTES) {
      ::MsgWaitForMultipleObjects(1, &never, FALSE, 20, 0);
    }
  }

 private:
  std::wstring folder_;
  winui::UniqueHandle never_;
};

Text FromWide(const wchar_t* text) { return Text(text, text + std::wcslen(text)); }

int Run(const wchar_t* from, const wchar_t* to, const wchar_t* signals) {
  pagetest::PageWindow w(FromWide(from));
  if (!w.Ready()) {
    std::fputs("no background in the first skin folder\n", stderr);
    return 2;
  }
  Stops stops(signals);
  w.page->BuildPage();
  w.page->DispatchClick({800, 335});  // the Mode list open, as a user may leave it
  pagetest::Pump();
  stops.At(L"old");

  int copies = 0;
  bool rebuilding = true;
  w.view->onScreen = [&](const char* moment) {
    if (!rebuilding) return;
    if (std::string(moment) == "copy") stops.At(L"copy-" + std::to_wstring(++copies));
    if (std::string(moment) == "rebuild") stops.At(L"end");
  };
  w.skinFolder = FromWide(to);
  w.page->Rebuild();
  rebuilding = false;

  pagetest::Pump();  // whatever is still to paint, painted
  stops.At(L"settled");
  return 0;
}

}  // namespace
}  // namespace px

int wmain(int argc, wchar_t** argv) {
  if (argc < 4) {
    std::fputs("usage: px_rebuild_shot FROM_SKIN_FOLDER TO_SKIN_FOLDER SIGNAL_FOLDER\n", stderr);
    return 2;
  }
  return px::Run(argv[1], argv[2], argv[3]);
}
