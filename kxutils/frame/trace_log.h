// The library's trace log. It is switched on for the life of the process by the marker file
// "debug-kx.txt" in the current folder at the first trace call, and written to
// ..\logs\OmmelUtils-<local time>-<ms>.log, opened on the first entry.
#pragma once

#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <mutex>
#include <string>

#if defined(__GNUC__)
#define KX_TRACE_PRINTF(fmt, args) __attribute__((format(gnu_printf, fmt, args)))
#else
#define KX_TRACE_PRINTF(fmt, args)
#endif

// The trace switch and stream. Java threads can trace at once: the marker is looked for exactly
// once, and entries are written (and the stream opened) one at a time, so lines never interleave.
struct TraceState {
  TraceState() = default;
  ~TraceState();
  TraceState(const TraceState&) = delete;
  TraceState& operator=(const TraceState&) = delete;

  std::once_flag markerTested;
  bool enabled = false;
  std::mutex entryLock;
  std::FILE* stream = nullptr;
  std::FILE* console = stdout; // receives "Unable to open file!"
};

// One entry "(<tag>) <message>\n" in the process's trace. A message that ends in a line break is
// therefore followed by an empty line.
void traceLog(const char* tag, const char* format, ...) KX_TRACE_PRINTF(2, 3);

// The same on a state of the caller's own (tests start from a fresh, untested state).
void traceLogTo(TraceState& state, const char* tag, const char* format, ...) KX_TRACE_PRINTF(3, 4);
void traceLogV(TraceState& state, const char* tag, const char* format, va_list args);

// "OmmelUtils-%Y-%m-%d-%H-%M-%S-%03d.log" in local time.
std::string traceFileNameFor(int64_t epochSeconds, int milliseconds);
