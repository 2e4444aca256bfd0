// libFuzzer target: arbitrary bytes read as an archive into a scratch folder. Whatever the input,
// the reader must neither crash, hang nor write outside the folder.
#include <cstdint>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "archive/archive_reader.h"
#include "log/launcher_log.h"
#include "stream/ring_buffer.h"

namespace fs = std::filesystem;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const fs::path scratch = fs::temp_directory_path() / ("archive_fuzz_" + std::to_string(::getpid()));
  static std::FILE* quiet = [] {
    std::FILE* sink = std::fopen("/dev/null", "w");
    logSetConsoleStream(sink);
    return sink;
  }();
  (void)quiet;
  fs::create_directories(scratch / "dest");
  RingBuffer* input = RingBuffer_create(static_cast<int32_t>(size) + 1);
  RingBuffer_write(input, data, static_cast<int32_t>(size));
  RingBuffer_close(input);
  readArchive(input, (scratch / "dest").string(), SignatureRule::kVerifyWhenPresent);
  RingBuffer_destroy(input);
  // Nothing may appear beside the destination.
  for (const auto& entry : fs::directory_iterator(scratch)) {
    if (entry.path().filename() != "dest") __builtin_trap();
  }
  fs::remove_all(scratch / "dest");
  return 0;
}
