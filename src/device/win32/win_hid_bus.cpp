#include "device/win32/win_hid_bus.h"

#include <windows.h>

#include <setupapi.h>

extern "C" {
#include <hidsdi.h>
}
#include <hidpi.h>

#include <vector>

#include "common/win32/wide_text.h"
#include "device/hid_port.h"
#include "winui/handles.h"

namespace px {

namespace {

struct DeviceInfoListTraits {
  using Handle = HDEVINFO;
  static Handle Invalid() { return INVALID_HANDLE_VALUE; }
  static bool Valid(Handle h) { return h != INVALID_HANDLE_VALUE; }
  static void Close(Handle h) { SetupDiDestroyDeviceInfoList(h); }
};
using DeviceInfoList = winui::Unique<DeviceInfoListTraits>;

class PreparsedData final : public HidPreparsedData {
 public:
  explicit PreparsedData(PHIDP_PREPARSED_DATA data) : data_(data) {}
  std::optional<HidCaps> GetCaps() override {
    HIDP_CAPS caps{};
    if (HidP_GetCaps(data_.Get(), &caps) == HIDP_STATUS_INVALID_PREPARSED_DATA) return std::nullopt;
    return HidCaps{caps.Usage, caps.UsagePage, caps.FeatureReportByteLength};
  }

 private:
  winui::Unique<winui::NullableTraits<PHIDP_PREPARSED_DATA, &HidD_FreePreparsedData>> data_;
};

class QueryHandle final : public HidQueryHandle {
 public:
  explicit QueryHandle(HANDLE handle) : handle_(handle) {}
  std::optional<HidAttributes> GetAttributes() override {
    HIDD_ATTRIBUTES attributes{};
    attributes.Size = sizeof(attributes);
    if (!HidD_GetAttributes(handle_.Get(), &attributes)) return std::nullopt;
    return HidAttributes{attributes.VendorID, attributes.ProductID};
  }
  std::unique_ptr<HidPreparsedData> GetPreparsedData() override {
    PHIDP_PREPARSED_DATA data = nullptr;
    if (!HidD_GetPreparsedData(handle_.Get(), &data)) return nullptr;
    return std::make_unique<PreparsedData>(data);
  }

 private:
  winui::UniqueHandle handle_;
};

class Collection final : public HidCollection {
 public:
  explicit Collection(HANDLE handle) : handle_(handle) {}
  bool SetFeature(std::span<const std::uint8_t> report) override {
    std::vector<std::uint8_t> buffer(report.begin(), report.end());  // hid.dll takes a mutable buffer
    return HidD_SetFeature(handle_.Get(), buffer.data(), static_cast<ULONG>(buffer.size())) != FALSE;
  }
  bool GetFeature(std::span<std::uint8_t> report) override {
    return HidD_GetFeature(handle_.Get(), report.data(), static_cast<ULONG>(report.size())) != FALSE;
  }

 private:
  winui::UniqueHandle handle_;
};

class InterfaceSet final : public HidInterfaceSet {
 public:
  explicit InterfaceSet(HDEVINFO set) : set_(set) {}

  EnumResult EnumInterface(std::uint32_t index) override {
    SP_DEVICE_INTERFACE_DATA next{};
    next.cbSize = sizeof(next);
    if (SetupDiEnumDeviceInterfaces(set_.Get(), nullptr, &kHidInterfaceClass, index, &next)) {
      current_ = next;
      return EnumResult::Found;
    }
    return GetLastError() == ERROR_NO_MORE_ITEMS ? EnumResult::NoMoreItems : EnumResult::Failed;
  }

  std::optional<Text> InterfacePath() override {
    if (!current_) return std::nullopt;
    DWORD required = 0;
    SetupDiGetDeviceInterfaceDetailW(set_.Get(), &*current_, nullptr, 0, &required, nullptr);
    if (required < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W)) return std::nullopt;
    // DWORD elements keep the structure aligned.
    std::vector<DWORD> storage((required + sizeof(DWORD) - 1) / sizeof(DWORD));
    auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(storage.data());
    detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
    if (!SetupDiGetDeviceInterfaceDetailW(set_.Get(), &*current_, detail, required, nullptr, nullptr)) {
      return std::nullopt;
    }
    return Text(reinterpret_cast<const char16_t*>(detail->DevicePath));
  }

 private:
  DeviceInfoList set_;
  std::optional<SP_DEVICE_INTERFACE_DATA> current_;
};

// Without access rights: the system keeps a mouse open for itself, and the
// attributes and feature reports need none.
HANDLE OpenInterface(const Text& path, DWORD flags) {
  return CreateFileW(WideOf(path), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, flags, nullptr);
}

class WinHidBus final : public HidBus {
 public:
  std::unique_ptr<HidInterfaceSet> PresentInterfaces() override {
    HDEVINFO set = SetupDiGetClassDevsW(&kHidInterfaceClass, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    if (set == INVALID_HANDLE_VALUE) return nullptr;
    return std::make_unique<InterfaceSet>(set);
  }

  std::unique_ptr<HidQueryHandle> OpenForQuery(const Text& path) override {
    HANDLE handle = OpenInterface(path, 0);
    if (handle == INVALID_HANDLE_VALUE) return nullptr;
    return std::make_unique<QueryHandle>(handle);
  }

  OpenedCollection OpenCollection(const Text& path, CollectionRole role) override {
    HANDLE handle = OpenInterface(path, role == CollectionRole::Data ? FILE_ATTRIBUTE_NORMAL : 0);
    if (handle == INVALID_HANDLE_VALUE) return {nullptr, static_cast<std::uint32_t>(GetLastError())};
    return {std::make_unique<Collection>(handle), 0};
  }
};

}  // namespace

std::unique_ptr<HidBus> MakeSystemHidBus() { return std::make_unique<WinHidBus>(); }

}  // namespace px
