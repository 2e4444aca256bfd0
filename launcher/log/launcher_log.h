// The launcher's run log: every message goes to standard output and, once opened, to a log file
// in the application's master folder, prefixed with the milliseconds since the previous message.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#if defined(__GNUC__)
#define KX_PRINTF_LIKE(fmt, args) __attribute__((format(gnu_printf, fmt, args)))
#else
#define KX_PRINTF_LIKE(fmt, args)
#endif

// Writes "+<elapsed ms, left-aligned in 8> " and the formatted message to the log file (if open)
// and to standard output, flushing both. The message brings its own line break.
void logMessage(const char* format, ...) KX_PRINTF_LIKE(1, 2);

// A line of 43 asterisks, the message, and the asterisk line again.
void logStarred(const char* format, ...) KX_PRINTF_LIKE(1, 2);

// 48 '+' / "+++ Start: <stage>" / 48 '+', and 48 '-' / "--- End: <stage>" / 48 '-'.
void logStartBanner(const char* stage);
void logEndBanner(const char* stage);

// Creates <masterFolder>\logs and opens logs\Wrapper-<local time>-<ms>.log there. A file that cannot
// be opened is no error: logging goes on to standard output only.
void openLogFile(const std::string& masterFolder);

// Logs "[Utils] Closing logging file." and closes the file; later messages reach standard output only.
void closeLogFile();

bool isLogFileOpen();
std::string currentLogFilePath();

// Logs "[<tag>] <operation> failed with error <code>: <system text>" for the calling thread's last
// system error.
void logSystemError(const char* tag, const char* operation);

// The log file name for a moment given as seconds since the epoch and its millisecond part:
// "Wrapper-%Y-%m-%d-%H-%M-%S-%03d.log" in local time.
std::string logFileNameFor(int64_t epochSeconds, int milliseconds);

// Seams for tests: the millisecond timer and the stream that stands for standard output.
using LogClock = uint32_t (*)();
void logSetClock(LogClock clock);         // nullptr restores the system timer
void logSetConsoleStream(std::FILE* out); // nullptr restores standard output
void logForgetPreviousMessage();          // the next message counts as the first of the run
