// quillon-mkresources: writes quillon's resource.h, quillon.rc, quillon.ico and quillon.manifest
// from the core's tables.
//
//   quillon-mkresources DIR           writes the files into DIR
//   quillon-mkresources --check DIR   exit status 1, naming each file, when DIR's files differ from
//                                     what the tables give (the generated files are committed)

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tools/resource_files.h"

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  const bool check = arguments.size() == 2 && arguments[0] == "--check";
  if (arguments.size() != 1 + (check ? 1 : 0)) {
    std::fputs("usage: quillon-mkresources [--check] DIR\n", stderr);
    return 2;
  }
  const std::string dir = arguments.back();
  int status = 0;
  for (const quillon::tools::GeneratedFile& file : quillon::tools::GeneratedFiles()) {
    const std::string path = dir + "/" + std::string(file.name);
    if (check) {
      std::ifstream in(path, std::ios::binary);
      std::ostringstream now;
      now << in.rdbuf();
      if (!in || now.str() != file.contents) {
        std::fprintf(stderr, "quillon-mkresources: %s is not what the core's tables give; regenerate it\n",
                     path.c_str());
        status = 1;
      }
      continue;
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << file.contents;
    if (!out.flush()) {
      std::fprintf(stderr, "quillon-mkresources: cannot write %s\n", path.c_str());
      status = 1;
    }
  }
  return status;
}
