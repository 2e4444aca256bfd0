// kxbundle: writes a bundle copy of a built launcher.
//   kxbundle LAUNCHER OUTPUT [--field NAME=VALUE]... [--param NAME=VALUE]... [--entry FILE]...
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

#include "bundle/bundle_writer.h"

namespace {

bool readFile(const char* path, std::string& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream out;
  out << in.rdbuf();
  bytes = out.str();
  return true;
}

bool splitPair(const char* text, std::pair<std::string, std::string>& pair) {
  const char* equals = std::strchr(text, '=');
  if (!equals) return false;
  pair = {std::string(text, equals), std::string(equals + 1)};
  return true;
}

int usage() {
  std::fprintf(stderr, "usage: kxbundle LAUNCHER OUTPUT [--field NAME=VALUE]... [--param NAME=VALUE]... "
                       "[--entry FILE]...\n");
  return 2;
}

} // namespace

int main(int argc, char** argv) {
  if (argc < 3) return usage();
  std::string launcher;
  if (!readFile(argv[1], launcher)) {
    std::fprintf(stderr, "kxbundle: cannot read %s\n", argv[1]);
    return 1;
  }
  BundleContents contents;
  for (int i = 3; i < argc; i += 2) {
    if (i + 1 >= argc) return usage();
    std::pair<std::string, std::string> pair;
    if (std::strcmp(argv[i], "--entry") == 0) {
      std::string entry;
      if (!readFile(argv[i + 1], entry)) {
        std::fprintf(stderr, "kxbundle: cannot read %s\n", argv[i + 1]);
        return 1;
      }
      contents.entries.push_back(entry);
    } else if (std::strcmp(argv[i], "--field") == 0 && splitPair(argv[i + 1], pair)) {
      contents.tailFields.push_back(pair);
    } else if (std::strcmp(argv[i], "--param") == 0 && splitPair(argv[i + 1], pair)) {
      contents.params.push_back(pair);
    } else {
      return usage();
    }
  }
  std::string error;
  const auto bundle = buildBundle(launcher, contents, &error);
  if (!bundle) {
    std::fprintf(stderr, "kxbundle: %s\n", error.c_str());
    return 1;
  }
  std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
  out.write(bundle->data(), static_cast<std::streamsize>(bundle->size()));
  if (!out) {
    std::fprintf(stderr, "kxbundle: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
