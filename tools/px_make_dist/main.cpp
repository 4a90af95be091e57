// Makes the config.bin and str.ini installed beside the executable.
//   px_make_dist DIR          write both files into DIR
//   px_make_dist --check DIR  exit 1 unless the files in DIR are what it would write
#include <iostream>
#include <string>
#include <string_view>

#include "storage/file_system.h"
#include "storage/installed_files.h"

namespace {

struct Output {
  const char* name;
  px::FileBytes bytes;
};

}  // namespace

int main(int argc, char** argv) {
  const bool check = argc == 3 && std::string_view(argv[1]) == "--check";
  if (argc != 2 && !check) {
    std::cerr << "usage: px_make_dist [--check] DIR\n";
    return 2;
  }
  const std::string dir = argv[argc - 1];
  const Output outputs[] = {{"config.bin", px::InstalledConfigBin()}, {"str.ini", px::InstalledStrIni()}};
  px::FileSystem& files = px::SystemFileSystem();
  int status = 0;
  for (const auto& out : outputs) {
    const px::NativePath path = px::NativePath(dir) / out.name;
    if (check) {
      const px::ReadResult present = files.Read(path, out.bytes.size());
      if (!present.Ok() || present.bytes != out.bytes) {
        std::cerr << "px_make_dist: " << dir << "/" << out.name << " differs from the generated file\n";
        status = 1;
      }
      continue;
    }
    const px::WriteResult written = px::WriteWholeFile(files, path, out.bytes);
    if (!written.Ok()) {
      std::cerr << "px_make_dist: cannot write " << dir << "/" << out.name << ": " << files.ErrorText(written.error)
                << "\n";
      status = 1;
    }
  }
  return status;
}
