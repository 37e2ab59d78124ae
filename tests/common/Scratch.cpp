#include "Scratch.h"

#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace Driver {

namespace {

namespace fs = std::filesystem;

class Folder {
 public:
  ~Folder() {
    std::error_code ignored;
    if (!path.empty()) fs::remove_all(path, ignored);
  }
  const fs::path& get() {
    if (path.empty()) {
      const char* tmp = getenv("TMPDIR");
      std::string pattern =
          std::string(tmp && *tmp ? tmp : "/tmp") + "/tavik-driver-XXXXXX";
      if (mkdtemp(&pattern[0]) == nullptr) {
        std::printf("FAIL no temporary folder at %s\n", pattern.c_str());
        std::exit(3);
      }
      path = pattern;
    }
    return path;
  }

 private:
  fs::path path;
};

// Static, so that its destructor runs at exit.
Folder folder;
int made = 0;

}  // namespace

std::string scratchPath(const std::string& name) {
  return (folder.get() / (std::to_string(++made) + "-" + name)).string();
}

std::string scratchFile(const std::string& name, const std::string& content) {
  std::string path = scratchPath(name);
  std::ofstream out(path, std::ios::binary);
  out << content;
  if (!out.flush()) {
    std::printf("FAIL could not write %s\n", path.c_str());
    std::exit(3);
  }
  return path;
}

void copyFile(const std::string& from, const std::string& to) {
  std::error_code error;
  if (!fs::copy_file(from, to, error)) {
    std::printf("FAIL could not copy %s: %s\n", from.c_str(), error.message().c_str());
    std::exit(3);
  }
}

}  // namespace Driver
