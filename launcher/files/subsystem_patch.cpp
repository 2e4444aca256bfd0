#include "files/subsystem_patch.h"

#include <cstdint>
#include <cstring>

#include "bundle/marker_search.h"
#include "files/file_open.h"
#include "log/launcher_log.h"
#include "startup/process_exit.h"

namespace {

constexpr int64_t kPeHeaderPointerOffset = 0x3C;
constexpr int64_t kSubsystemOffset = 88; // 20 bytes of file header, 68 into the optional header
constexpr unsigned char kWindowedSubsystem = 2;

// The offset right after the "PE\0\0" signature the DOS header points to, or -1.
int64_t peSignatureEnd(std::FILE* file) {
  unsigned char dos[2] = {0};
  unsigned char pointer[4] = {0};
  if (std::fread(dos, 1, 2, file) != 2 || dos[0] != 'M' || dos[1] != 'Z') return -1;
  if (!seekFileTo(file, kPeHeaderPointerOffset) || std::fread(pointer, 1, 4, file) != 4) return -1;
  const int64_t header =
      static_cast<int64_t>(pointer[0] | pointer[1] << 8 | pointer[2] << 16) | static_cast<int64_t>(pointer[3]) << 24;
  char signature[4] = {0};
  if (!seekFileTo(file, header) || std::fread(signature, 1, 4, file) != 4) return -1;
  if (std::memcmp(signature, "PE\0\0", 4) != 0) return -1;
  return header + 4;
}

int readByteAt(std::FILE* file, int64_t offset) { return seekFileTo(file, offset) ? std::fgetc(file) : EOF; }

} // namespace

void patchWindowsSubsystem(const std::string& path) {
  logMessage("[Windows Subsystem] Fixing %s\n", path.c_str());
  std::FILE* file = openFile(path, "r+b");
  if (!file) {
    logMessage("[Windows Subsystem] Could not open file %s\n", path.c_str());
    endProcess(kExitFatal);
  }
  logMessage("[Windows Subsystem] Opened %s\n", path.c_str());
  const int64_t n = peSignatureEnd(file);
  const int before = n < 0 ? EOF : readByteAt(file, n + kSubsystemOffset);
  if (n < 0 || before == EOF) {
    logMessage("Could not find marker: %s\n", "SS edit - PE sig");
    std::fclose(file);
    endProcess(kExitFatal);
  }
  logMessage("[Windows Subsystem] Found marker OK at %d [+%d = %d]\n", static_cast<int>(n),
             static_cast<int>(kSubsystemOffset), static_cast<int>(n + kSubsystemOffset));
  logMessage("[Windows Subsystem] Skipped to relevant spot %d\n", static_cast<int>(n + kSubsystemOffset));
  logMessage("[Windows Subsystem] Was %02X\n", before);
  seekFileTo(file, n + kSubsystemOffset);
  std::fputc(kWindowedSubsystem, file);
  std::fflush(file);
  logMessage("[Windows Subsystem] Now %02X\n", readByteAt(file, n + kSubsystemOffset));
  std::fflush(file);
  std::fclose(file);
}
