#include "frame/trace_log.h"

#include <chrono>
#include <ctime>
#include <functional>

namespace {

// Relative to the current folder; the library never creates the logs folder.
#if defined(_WIN32)
constexpr const char* kLogFolder = "..\\logs\\";
#else
constexpr const char* kLogFolder = "../logs/";
#endif
constexpr const char* kMarkerFile = "debug-kx.txt";

bool localTimeOf(std::time_t seconds, std::tm& out) {
#if defined(_WIN32)
  return localtime_s(&out, &seconds) == 0;
#else
  return localtime_r(&seconds, &out) != nullptr;
#endif
}

std::string traceFilePathNow() {
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  const auto milliseconds = std::chrono::duration_cast<std::chrono::milliseconds>(now).count();
  return kLogFolder + traceFileNameFor(milliseconds / 1000, static_cast<int>(milliseconds % 1000));
}

void testMarker(TraceState& state) {
  if (std::FILE* marker = std::fopen(kMarkerFile, "r")) {
    std::fclose(marker);
    state.enabled = true;
  }
}

} // namespace

TraceState::~TraceState() {
  if (stream) std::fclose(stream);
}

std::string traceFileNameFor(int64_t epochSeconds, int milliseconds) {
  std::tm local{};
  char stamp[1024] = "";
  if (localTimeOf(static_cast<std::time_t>(epochSeconds), local))
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d-%H-%M-%S", &local);
  char withMilliseconds[1100];
  std::snprintf(withMilliseconds, sizeof withMilliseconds, "%s-%03d", stamp, milliseconds);
  return std::string("OmmelUtils-") + withMilliseconds + ".log";
}

void traceLogV(TraceState& state, const char* tag, const char* format, va_list args) {
  std::call_once(state.markerTested, testMarker, std::ref(state));
  if (!state.enabled) return;

  std::lock_guard<std::mutex> entry(state.entryLock);
  if (!state.stream) {
    state.stream = std::fopen(traceFilePathNow().c_str(), "a+");
    if (!state.stream) {
      std::fputs("Unable to open file!\n", state.console);
      std::fflush(state.console);
      return;
    }
  }
  std::fprintf(state.stream, "(%s) ", tag);
  std::vfprintf(state.stream, format, args);
  std::fflush(state.stream);
  std::fputs("\n", state.stream);
  std::fflush(state.stream);
}

void traceLogTo(TraceState& state, const char* tag, const char* format, ...) {
  va_list args;
  va_start(args, format);
  traceLogV(state, tag, format, args);
  va_end(args);
}

void traceLog(const char* tag, const char* format, ...) {
  // Never destroyed: threads of the library may still trace while the process ends.
  static TraceState* const processState = new TraceState;
  va_list args;
  va_start(args, format);
  traceLogV(*processState, tag, format, args);
  va_end(args);
}
