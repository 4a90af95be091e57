// The user's Run key: HKCU\Software\Microsoft\Windows\CurrentVersion\Run.
#include <windows.h>

#include <vector>

#include "storage/autostart.h"

namespace px {

namespace {

constexpr wchar_t kRunKeyPath[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr DWORD kMaxValueBytes = 64 * 1024;

// The key opened for as long as one call needs it.
class OpenKey {
 public:
  OpenKey(REGSAM access, bool create) {
    error_ = create ? ::RegCreateKeyExW(HKEY_CURRENT_USER, kRunKeyPath, 0, nullptr, 0, access, nullptr, &key_, nullptr)
                    : ::RegOpenKeyExW(HKEY_CURRENT_USER, kRunKeyPath, 0, access, &key_);
    if (error_ != ERROR_SUCCESS) key_ = nullptr;
  }
  OpenKey(const OpenKey&) = delete;
  OpenKey& operator=(const OpenKey&) = delete;
  ~OpenKey() {
    if (key_ != nullptr) ::RegCloseKey(key_);
  }
  HKEY Get() const { return key_; }
  LSTATUS Error() const { return error_; }

 private:
  HKEY key_ = nullptr;
  LSTATUS error_ = ERROR_SUCCESS;
};

Text Z(TextView text) { return Text(text); }
const wchar_t* W(const Text& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

class UserRunKey final : public RunKey {
 public:
  std::optional<Text> Read(TextView name) override {
    const OpenKey key(KEY_QUERY_VALUE, false);
    if (key.Get() == nullptr) return std::nullopt;
    DWORD type = 0;
    DWORD size = 0;
    const Text valueName = Z(name);
    if (::RegQueryValueExW(key.Get(), W(valueName), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ) || size > kMaxValueBytes) {
      return std::nullopt;
    }
    std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1, L'\0');
    DWORD got = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    if (::RegQueryValueExW(key.Get(), W(valueName), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &got) !=
        ERROR_SUCCESS) {
      return std::nullopt;
    }
    return Text(reinterpret_cast<const char16_t*>(buffer.data()));
  }

  bool Write(TextView name, TextView value, int& error) override {
    const OpenKey key(KEY_SET_VALUE, true);
    if (key.Get() == nullptr) return Fail(key.Error(), error);
    const Text text = Z(value);
    const auto bytes = static_cast<DWORD>((text.size() + 1) * sizeof(char16_t));
    return Fail(::RegSetValueExW(key.Get(), W(Z(name)), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()), bytes),
                error);
  }

  bool Remove(TextView name, int& error) override {
    const OpenKey key(KEY_SET_VALUE, false);
    if (key.Error() == ERROR_FILE_NOT_FOUND) return true;  // no Run key: nothing starts
    if (key.Get() == nullptr) return Fail(key.Error(), error);
    const LSTATUS status = ::RegDeleteValueW(key.Get(), W(Z(name)));
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
