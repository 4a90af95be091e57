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
  px::StdFileSystem files;
  int status = 0;
  for (const auto& out : outputs) {
    const px::Text path = px::FromUtf8(dir + "/" + out.name);
    if (check) {
      const auto present = files.Read(path, out.bytes.size() + 1);
      if (!present || *present != out.bytes) {
        std::cerr << "px_make_dist: " << dir << "/" << out.name << " differs from the generated file\n";
        status = 1;
      }
      continue;
    }
    int error = 0;
    if (!px::WriteFileAtomically(files, path, out.bytes, error)) {
      std::cerr << "px_make_dist: cannot write " << dir << "/" << out.name << " (error " << error << ")\n";
      status = 1;
    }
  }
  return status;
}
