// The user's Run key: HKCU\Software\Microsoft\Windows\CurrentVersion\Run.
#include <windows.h>

#include <vector>

#include "common/win32/wide_text.h"
#include "storage/autostart.h"
#include "winui/handles.h"

namespace px {

namespace {

constexpr wchar_t kRunKeyPath[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr DWORD kMaxValueBytes = 64 * 1024;

// The key opened for as long as one call needs it.
struct OpenKey {
  OpenKey(REGSAM access, bool create) {
    HKEY opened = nullptr;
    error = create ? ::RegCreateKeyExW(HKEY_CURRENT_USER, kRunKeyPath, 0, nullptr, 0, access, nullptr, &opened, nullptr)
                   : ::RegOpenKeyExW(HKEY_CURRENT_USER, kRunKeyPath, 0, access, &opened);
    if (error == ERROR_SUCCESS) key.Reset(opened);
  }
  HKEY Get() const { return key.Get(); }

  winui::Unique<winui::NullableTraits<HKEY, &::RegCloseKey>> key;
  LSTATUS error = ERROR_SUCCESS;
};

class UserRunKey final : public RunKey {
 public:
  std::optional<Text> Read(TextView name) override {
    const OpenKey key(KEY_QUERY_VALUE, false);
    if (key.Get() == nullptr) return std::nullopt;
    DWORD type = 0;
    DWORD size = 0;
    const Text valueName(name);
    if (::RegQueryValueExW(key.Get(), WideOf(valueName), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ) || size > kMaxValueBytes) {
      return std::nullopt;
    }
    std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1, L'\0');
    DWORD got = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    if (::RegQueryValueExW(key.Get(), WideOf(valueName), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()),
                           &got) != ERROR_SUCCESS) {
      return std::nullopt;
    }
    return Text(reinterpret_cast<const char16_t*>(buffer.data()));
  }

  bool Write(TextView name, TextView value, int& error) override {
    const OpenKey key(KEY_SET_VALUE, true);
    if (key.Get() == nullptr) return Fail(key.error, error);
    const Text text(value);
    const auto bytes = static_cast<DWORD>((text.size() + 1) * sizeof(char16_t));
    const auto* data = reinterpret_cast<const BYTE*>(text.c_str());
    return Fail(::RegSetValueExW(key.Get(), WideOf(Text(name)), 0, REG_SZ, data, bytes), error);
  }

  bool Remove(TextView name, int& error) override {
    const OpenKey key(KEY_SET_VALUE, false);
    if (key.error == ERROR_FILE_NOT_FOUND) return true;  // no Run key: nothing starts
    if (key.Get() == nullptr) return Fail(key.error, error);
    const LSTATUS status = ::RegDeleteValueW(key.Get(), WideOf(Text(name)));
    return status == ERROR_FILE_NOT_FOUND || Fail(status, error);
  }

 private:
  // True for success; else the code goes to `error`.
  static bool Fail(LSTATUS status, int& error) {
    if (status == ERROR_SUCCESS) return true;
    error = static_cast<int>(status);
    return false;
  }
};

}  // namespace

RunKey& SystemRunKey() {
  static UserRunKey key;
  return key;
}

}  // namespace px
