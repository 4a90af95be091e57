#include "device/linux/hidraw_bus.h"

#include <fcntl.h>
#include <linux/hidraw.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <fstream>
#include <iterator>
#include <sstream>

#include "device/linux/report_descriptor.h"

namespace px {

namespace {

std::optional<std::string> ReadFileText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  try {
    // A read error (a device that goes away mid-walk) throws from the stream buffer.
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return std::nullopt;
    return bytes;
  } catch (const std::ios_base::failure&) {
    return std::nullopt;
  }
}

// hidraw10 sorts after hidraw9.
std::pair<std::size_t, std::string> NodeOrder(const std::string& name) {
  std::size_t digits = name.size();
  while (digits > 0 && name[digits - 1] >= '0' && name[digits - 1] <= '9') --digits;
  std::size_t number = 0;
  std::from_chars(name.data() + digits, name.data() + name.size(), number);
  return {number, name};
}

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }

 private:
  int fd_;
};

class HidrawCollection final : public HidCollection {
 public:
  explicit HidrawCollection(int fd) : fd_(fd) {}
  bool SetFeature(std::span<const std::uint8_t> report) override {
    std::vector<std::uint8_t> buffer(report.begin(), report.end());
    return ::ioctl(fd_.get(), HIDIOCSFEATURE(buffer.size()), buffer.data()) >= 0;
  }
  bool GetFeature(std::span<std::uint8_t> report) override {
    return ::ioctl(fd_.get(), HIDIOCGFEATURE(report.size()), report.data()) >= 0;
  }

 private:
  FileDescriptor fd_;
};

class HidrawSet final : public HidInterfaceSet {
 public:
  explicit HidrawSet(std::vector<Text> paths) : paths_(std::move(paths)) {}
  EnumResult EnumInterface(std::uint32_t index) override {
    if (index >= paths_.size()) return EnumResult::NoMoreItems;
    current_ = index;
    return EnumResult::Found;
  }
  std::optional<Text> InterfacePath() override {
    if (!current_) return std::nullopt;
    return paths_[*current_];
  }

 private:
  std::vector<Text> paths_;
  std::optional<std::uint32_t> current_;
};

class HidrawPreparsed final : public HidPreparsedData {
 public:
  explicit HidrawPreparsed(HidCaps caps) : caps_(caps) {}
  std::optional<HidCaps> GetCaps() override { return caps_; }

 private:
  HidCaps caps_;
};

// Everything the query needs was read from sysfs; no node is opened.
class HidrawQuery final : public HidQueryHandle {
 public:
  explicit HidrawQuery(const HidrawInterface& found) : found_(found) {}
  std::optional<HidAttributes> GetAttributes() override { return found_.attributes; }
  std::unique_ptr<HidPreparsedData> GetPreparsedData() override {
    return std::make_unique<HidrawPreparsed>(found_.caps);
  }

 private:
  HidrawInterface found_;
};

}  // namespace

std::optional<HidAttributes> ParseHidUevent(const std::string& uevent) {
  std::istringstream lines(uevent);
  std::string line;
  while (std::getline(lines, line)) {
    if (line.rfind("HID_ID=", 0) != 0) continue;
    unsigned bus = 0, vendor = 0, product = 0;
    char colon1 = 0, colon2 = 0;
    std::istringstream fields(line.substr(7));
    fields >> std::hex >> bus >> colon1 >> vendor >> colon2 >> product;
    if (!fields && !fields.eof()) return std::nullopt;
    if (colon1 != ':' || colon2 != ':' || vendor > 0xFFFF || product > 0xFFFF) return std::nullopt;
    return HidAttributes{static_cast<std::uint16_t>(vendor), static_cast<std::uint16_t>(product)};
  }
  return std::nullopt;
}

std::vector<HidrawInterface> WalkHidraw(const HidrawLocations& where, std::vector<std::string>* skipped) {
  std::vector<std::string> names;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(where.sysfsRoot / "class" / "hidraw", ec), end; !ec && it != end;
       it.increment(ec)) {
    names.push_back(it->path().filename().string());
  }
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    return NodeOrder(a) < NodeOrder(b);
  });

  std::vector<HidrawInterface> found;
  for (const std::string& name : names) {
    const std::filesystem::path device = where.sysfsRoot / "class" / "hidraw" / name / "device";
    auto note = [&](const std::string& why) {
      if (skipped) skipped->push_back(name + ": " + why);
    };
    const std::optional<std::string> uevent = ReadFileText(device / "uevent");
    const std::optional<HidAttributes> attributes = uevent ? ParseHidUevent(*uevent) : std::nullopt;
    if (!attributes) {
      note("no HID_ID in uevent");
      continue;
    }
    const std::optional<std::string> raw = ReadFileText(device / "report_descriptor");
    if (!raw) {
      note("report descriptor unreadable");
      continue;
    }
    const ParsedDescriptor parsed = ParseReportDescriptor(
        std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(raw->data()), raw->size()));
    if (!parsed.error.empty()) note("report descriptor: " + parsed.error);
    const std::filesystem::path node = where.devRoot / name;
    for (std::size_t k = 0; k < parsed.collections.size(); ++k) {
      std::string path = node.string();
      if (k > 0) path += "#" + std::to_string(k);
      found.push_back({FromUtf8(path), node, *attributes, parsed.collections[k].caps});
    }
  }
  return found;
}

HidrawBus::HidrawBus(HidrawLocations where) : where_(std::move(where)) {}

const HidrawInterface* HidrawBus::Find(const Text& path) const {
  for (const auto& f : walked_) {
    if (f.path == path) return &f;
  }
  return nullptr;
}

std::unique_ptr<HidInterfaceSet> HidrawBus::PresentInterfaces() {
  walked_ = WalkHidraw(where_);
  std::vector<Text> paths;
  for (const auto& f : walked_) paths.push_back(f.path);
  return std::make_unique<HidrawSet>(std::move(paths));
}

std::unique_ptr<HidQueryHandle> HidrawBus::OpenForQuery(const Text& path) {
  const HidrawInterface* found = Find(path);
  if (found == nullptr) return nullptr;
  return std::make_unique<HidrawQuery>(*found);
}

OpenedCollection HidrawBus::OpenCollection(const Text& path, CollectionRole /*role*/) {
  const HidrawInterface* found = Find(path);
  if (found == nullptr) return {nullptr, ENOENT};
  const int fd = ::open(found->node.c_str(), O_RDWR | O_CLOEXEC);
  if (fd < 0) return {nullptr, static_cast<std::uint32_t>(errno)};
  return {std::make_unique<HidrawCollection>(fd), 0};
}

std::unique_ptr<HidBus> MakeSystemHidBus() { return std::make_unique<HidrawBus>(); }

}  // namespace px
