#pragma once
// The dialog base every window of the utility derives from: created from a
// resource template or one built in memory, run by its own modal loop with
// a pre-translation hook, messages dispatched to one virtual handler.
#include <windows.h>

#include <optional>
#include <vector>

namespace px::winui {

class Dialog {
 public:
  // From dialog resource templateId of this module.
  Dialog(int templateId, HWND owner);
  // From a template built in memory (DLGTEMPLATE or DLGTEMPLATEEX bytes); copied.
  Dialog(std::vector<unsigned char> memoryTemplate, HWND owner);
  virtual ~Dialog();
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;

  // Creates the window, disables the owner, runs the loop until the dialog is
  // ended, re-enables the owner, destroys the window. Answers the end code,
  // or -1 when the window could not be created.
  INT_PTR DoModal();

  // Marks the run as ended with result; the loop leaves after the message in
  // hand. Ending twice keeps the later result.
  void EndDialog(INT_PTR result);

  HWND Hwnd() const { return hwnd_; }
  HWND Owner() const { return owner_; }
  bool Ended() const { return ended_; }
  INT_PTR Result() const { return result_; }

 protected:
  // WM_INITDIALOG; true lets the system set the focus.
  virtual bool OnInitDialog() { return true; }
  // Before TranslateMessage/DispatchMessage; true consumes the message.
  // The default gives the dialog its standard keyboard handling.
  virtual bool PreTranslateMessage(MSG& message);
  // Every message of the window; an answer means handled with that result.
  virtual std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // IDOK / IDCANCEL commands (Enter, Escape and the close box).
  virtual void OnOk() { EndDialog(IDOK); }
  virtual void OnCancel() { EndDialog(IDCANCEL); }

 private:
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
  HWND Create();

  int templateId_ = 0;
  std::vector<unsigned char> memoryTemplate_;
  HWND owner_ = nullptr;
  HWND hwnd_ = nullptr;
  bool ended_ = false;
  INT_PTR result_ = -1;
};

// Builds an empty dialog template (no controls) in memory: DLGTEMPLATEEX
// with the given styles, size in dialog units, optional class and font.
std::vector<unsigned char> BuildDialogTemplate(DWORD style, DWORD exStyle, short cx, short cy,
                                               const wchar_t* className, const wchar_t* fontFace,
                                               WORD pointSize, WORD weight, BYTE charset);

}  // namespace px::winui
