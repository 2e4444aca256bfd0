#include "files/file_operations.h"

#include <sys/stat.h>

#include <cerrno>
#include <vector>

#if defined(_WIN32)
#include <io.h>
#else
#include <unistd.h>
#endif

#include "files/entry_kind.h"
#include "files/file_open.h"
#include "files/folder_create.h"
#include "files/folder_listing.h"
#include "files/working_folder.h"
#include "locations/path_join.h"
#include "log/launcher_log.h"

namespace {

constexpr size_t kCopyChunk = 50000;
// One buffer for every copy: copies run only on the main thread.
std::vector<char> copyBuffer(kCopyChunk);

bool isDotEntry(const std::string& name) { return name.size() <= 2 && !name.empty() && name[0] == '.'; }

bool isFolder(const std::string& path) { return listFolder(path).has_value(); }

void copyStream(std::FILE* source, std::FILE* target) {
  for (;;) {
    const size_t got = std::fread(copyBuffer.data(), 1, kCopyChunk, source);
    std::fwrite(copyBuffer.data(), 1, got, target);
    if (got < kCopyChunk) break;
  }
}

} // namespace

bool fileExists(const std::string& path) {
  std::FILE* file = openFile(path, "rb");
  bool exists = file != nullptr;
  if (file) {
    struct stat info {};
    // Some systems open folders for reading; a folder is no file here.
    if (stat(systemPath(path).c_str(), &info) == 0 && (info.st_mode & S_IFMT) == S_IFDIR) exists = false;
    std::fclose(file);
  }
  logMessage(exists ? "[Utils] File exists: %s\n" : "[Utils] File does NOT exist: %s\n", path.c_str());
  return exists;
}

bool canReadAndWrite(const std::string& path) {
  logMessage("Checking if %s exists\n", path.c_str());
#if defined(_WIN32)
  return _access(path.c_str(), 6) == 0;
#else
  return access(systemPath(path).c_str(), R_OK | W_OK) == 0;
#endif
}

void copyFile(const std::string& target, std::FILE* source) {
  std::FILE* out = openFile(target, "wb");
  if (!out) {
    logMessage("[Extractor] *************************** Unable to open destination file for copy %s\n", target.c_str());
    return;
  }
  copyStream(source, out);
  std::fclose(source);
  std::fclose(out);
}

int CopyFolder(const std::string& source, const std::string& target) {
  const auto entries = listFolder(source);
  if (!entries) {
    logMessage("[CopyFolder] SourceDir from '%s' is NULL\n", source.c_str());
    return 1;
  }
  for (const std::string& name : *entries) {
    if (isDotEntry(name)) continue;
    const std::string from = joinPath(source, name);
    const std::string to = joinPath(target, name);
    if (isLinkEntry(from)) {
      logMessage("[CopyFolder] Not following the link %s\n", from.c_str());
      continue;
    }
    if (isFolder(from)) {
      logMessage("[CopyFolder] Copying DIR %s\n", to.c_str());
      if (!createFolderIfMissing(to)) {
        logMessage(
            "[CopyFolder] *************************** Failed to copy %s to %s (could not create target folder)\n",
            from.c_str(), to.c_str());
        return 1;
      }
      const int result = CopyFolder(from, to);
      if (result != 0) {
        logMessage("[CopyFolder] *************************** Failed to copy %s to %s\n", from.c_str(), to.c_str());
        return result;
      }
      continue;
    }
    logMessage("[CopyFolder] Copying FILE %s\n", to.c_str());
    std::FILE* in = openFile(from, "rb");
    if (!in) {
      logMessage("[CopyFolder] *************************** Unable to open source file for copy %s\n", from.c_str());
      return 1;
    }
    std::FILE* out = openFile(to, "wb");
    if (!out) {
      std::fclose(in);
      logMessage("[CopyFolder] *************************** Unable to open destination file for copy %s\n", to.c_str());
      return 1;
    }
    copyStream(in, out);
    std::fclose(in);
    std::fclose(out);
  }
  return 0;
}

int DeleteFolder(const std::string& folder) {
  const auto entries = listFolder(folder);
  if (!entries) {
    logMessage("[DeleteFolder] Deleting from '%s' is NULL\n", folder.c_str());
    return 1;
  }
  for (const std::string& name : *entries) {
    if (isDotEntry(name)) continue;
    const std::string path = joinPath(folder, name);
    if (isLinkEntry(path)) {
      // A junction or link: remove the link only, never what it points to.
      logMessage("Deleting LINK %s\n", path.c_str());
      if (!removeFolderEntry(path) && std::remove(systemPath(path).c_str()) != 0) {
        logMessage("Failed to delete %s\n", path.c_str());
      }
    } else if (isFolder(path)) {
      logMessage("Deleting DIR %s\n", path.c_str());
      if (DeleteFolder(path) == 0) {
        removeFolderEntry(path);
      } else {
        logMessage("Failed to delete %s\n", path.c_str());
      }
    } else {
      logMessage("Deleting FILE %s\n", path.c_str());
      if (std::remove(systemPath(path).c_str()) != 0) logMessage("Failed to delete file %s\n", path.c_str());
    }
  }
  return 0;
}

void renameFolder(const std::string& target, const std::string& source) {
  logMessage("[Extractor] Working dir is '%s'\n", currentWorkingFolder().c_str());
  const std::string from = systemPath(source);
  const std::string to = systemPath(target);
  if (std::rename(from.c_str(), to.c_str()) == 0) {
    logMessage("[Rename] File '%s' renamed to '%s'\n", source.c_str(), target.c_str());
    return;
  }
  for (int attempt = 0; attempt < 10; ++attempt) {
    logMessage("[Rename] Could not rename '%s' to '%s' [%d]\n", source.c_str(), target.c_str(), errno);
    sleepMilliseconds(50);
    logMessage("[Rename] Windows - this FS seems to not supported renaming. Trying alternative method...\n");
    if (moveReplacing(source, target)) {
      logMessage("[Rename] MoveFileEx worked. Assuming success.\n");
      logMessage("[Rename] File '%s' renamed to '%s'\n", source.c_str(), target.c_str());
      return;
    }
    logSystemError("Extractor", "MoveFileEx");
    sleepMilliseconds(300);
    if (std::rename(from.c_str(), to.c_str()) == 0) {
      logMessage("[Rename] File '%s' renamed to '%s'\n", source.c_str(), target.c_str());
      return;
    }
  }
  logMessage("[Rename] [FAIL] Could not rename '%s' to '%s' [%d]\n", source.c_str(), target.c_str(), errno);
  logMessage("[Rename] Can do no better than a copy on this filesystem\n");
  createFolderIfMissing(target);
  logMessage("[Rename] Created folder %s\n", target.c_str());
  if (CopyFolder(source, target) != 0) {
    logMessage("[Rename] Copy failed too! Severe filesystem issues.\n");
  } else {
    logMessage("[Rename] Copied %s to %s\n", source.c_str(), target.c_str());
  }
}
