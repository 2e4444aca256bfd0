// kxarchive: makes signing keys and writes (signed, compressed) archives for the launcher.
//
//   kxarchive keygen BITS PRIVATE.der PUBLIC.der PUBLIC.hex
//   kxarchive pack FOLDER OUT [--key PRIVATE.der] [--xz | --lzma] [--nest SUBFOLDER]...
//
// pack writes FOLDER's tree (folders first, then files, in name order). Each --nest SUBFOLDER is
// written instead as an entry SUBFOLDER.p2.l2 holding the xz-compressed archive of that subfolder
// (names still relative to FOLDER), signed with the same key; the launcher extracts it into the
// same destination.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <set>
#include <sstream>

#include "tools/archive/archive_writer.h"

namespace fs = std::filesystem;

namespace {

std::string readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

bool writeFile(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

std::string asText(const std::vector<uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }

struct PackOptions {
  const SigningKey* key = nullptr;
  std::set<std::string> nested; // relative names, "/" separators
};

std::string packTree(const fs::path& root, const fs::path& folder, const PackOptions& options);

void addTree(ArchiveText& archive, const fs::path& root, const fs::path& folder, const PackOptions& options) {
  std::vector<fs::path> children;
  for (const auto& entry : fs::directory_iterator(folder)) children.push_back(entry.path());
  std::sort(children.begin(), children.end());
  for (const auto& child : children) {
    const std::string name = fs::relative(child, root).generic_string();
    if (fs::is_directory(fs::symlink_status(child))) {
      if (options.nested.count(name)) {
        addFileEntry(archive, name + ".p2.l2", compressXz(packTree(root, child, options)));
      } else {
        addFolderEntry(archive, name);
        addTree(archive, root, child, options);
      }
    } else if (fs::is_regular_file(fs::symlink_status(child))) {
      addFileEntry(archive, name, readFile(child));
    }
  }
}

std::string packTree(const fs::path& root, const fs::path& folder, const PackOptions& options) {
  ArchiveText archive;
  addTree(archive, root, folder, options);
  return options.key ? withSignature(archive, *options.key) : withEndRecord(archive);
}

int keygen(int argc, char** argv) {
  if (argc != 6) return 2;
  SigningKey key;
  if (!generateSigningKey(key, std::atoi(argv[2]))) {
    std::cerr << "key generation failed\n";
    return 1;
  }
  const std::vector<uint8_t> publicDer = exportPublicKeyDer(key);
  const bool ok = writeFile(argv[3], asText(exportPrivateKeyDer(key))) && writeFile(argv[4], asText(publicDer)) &&
                  writeFile(argv[5], toHexText(publicDer));
  return ok ? 0 : 1;
}

int pack(int argc, char** argv) {
  if (argc < 4) return 2;
  PackOptions options;
  SigningKey key;
  enum { kNone, kXz, kLzma } compression = kNone;
  for (int i = 4; i < argc; ++i) {
    const std::string option = argv[i];
    if (option == "--key" && i + 1 < argc) {
      const std::string der = readFile(argv[++i]);
      if (!importSigningKey(key, std::vector<uint8_t>(der.begin(), der.end()))) {
        std::cerr << "not a private key: " << argv[i] << "\n";
        return 1;
      }
      options.key = &key;
    } else if (option == "--xz") {
      compression = kXz;
    } else if (option == "--lzma") {
      compression = kLzma;
    } else if (option == "--nest" && i + 1 < argc) {
      options.nested.insert(argv[++i]);
    } else {
      return 2;
    }
  }
  std::string archive = packTree(argv[2], argv[2], options);
  if (compression == kXz) archive = compressXz(archive);
  if (compression == kLzma) archive = compressLegacyLzma(archive);
  return writeFile(argv[3], archive) ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  int result = 2;
  if (command == "keygen") result = keygen(argc, argv);
  if (command == "pack") result = pack(argc, argv);
  if (result == 2) {
    std::cerr << "usage: kxarchive keygen BITS PRIVATE.der PUBLIC.der PUBLIC.hex\n"
                 "       kxarchive pack FOLDER OUT [--key PRIVATE.der] [--xz | --lzma] [--nest SUBFOLDER]...\n";
  }
  return result;
}
