#include "bundle/marker_search.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <vector>

#include "files/file_open.h"
#include "log/launcher_log.h"
#include "startup/process_exit.h"
#include "stream/file_reader.h"

namespace {

// A bundle carries a Java runtime (100 MB and more) and the Params area of a signed launcher sits at
// its very end, so the search reads whole blocks and scans them in memory.
constexpr size_t kSearchBlock = 1 << 20;

} // namespace

bool seekFileTo(std::FILE* file, int64_t offset) {
#if defined(_WIN32)
  return _fseeki64(file, offset, SEEK_SET) == 0;
#else
  return fseeko(file, static_cast<off_t>(offset), SEEK_SET) == 0;
#endif
}

int64_t findMarkerEnd(std::FILE* file, const std::string& marker) {
  if (marker.empty()) return -1;
  const size_t keep = marker.size() - 1;
  // The window holds the last marker length - 1 bytes of the previous block before the new block, so
  // a marker that spans two blocks is found too.
  std::vector<char> window(keep + kSearchBlock);
  size_t carried = 0;
  int64_t windowStart = 0; // file offset of window[0], relative to where the search began
  const std::boyer_moore_horspool_searcher<std::string::const_iterator> searcher(marker.begin(), marker.end());
  for (;;) {
    const size_t got = std::fread(window.data() + carried, 1, kSearchBlock, file);
    if (got == 0) return -1;
    const size_t filled = carried + got;
    const auto begin = window.begin();
    const auto found = std::search(begin, begin + static_cast<std::ptrdiff_t>(filled), searcher);
    if (found != begin + static_cast<std::ptrdiff_t>(filled)) {
      return windowStart + (found - begin) + static_cast<int64_t>(marker.size());
    }
    const size_t next = std::min(keep, filled);
    std::memmove(window.data(), window.data() + filled - next, next);
    windowStart += static_cast<int64_t>(filled - next);
    carried = next;
  }
}

RingBuffer* openMarkedStream(const std::string& path, const std::string& marker, const char* markerName) {
  const bool params = std::strcmp(markerName, "Params") == 0;
  std::FILE* file = openFile(path, "rb");
  if (!file) {
    if (params) {
      logMessage("[Extractor] *********************** Failed to extract wrapper params - couldn't open file %s\n",
                 path.c_str());
    } else {
      logMessage("[Extractor] ************************* Failed to extract wrapper tail - couldn't open file %s\n",
                 path.c_str());
    }
    endProcess(kExitFatal);
  }
  const int64_t end = findMarkerEnd(file, marker);
  if (end < 0 || !seekFileTo(file, end)) {
    logMessage("Could not find marker: %s\n", markerName);
    endProcess(kExitFatal);
  }
  if (!params) logMessage("[Extractor] Found tail marker\n");
  return streamFile(file);
}
