#include "log/launcher_log.h"

#include <chrono>
#include <cstdarg>
#include <ctime>
#include <mutex>

#include "files/file_open.h"
#include "files/folder_create.h"
#include "locations/path_join.h"
#include "log/launcher_log_platform.h"

namespace {

// Messages come from several threads; one lock around a whole message keeps a prefix with its
// text and the previous-message time consistent. It is recursive because the starred message
// is built from plain messages.
std::recursive_mutex logLock;
std::FILE* logFile = nullptr;
std::string logFilePath;
uint64_t previousMessageTime = 0; // 0: no message yet
LogClock clockSource = nullptr;
std::FILE* consoleStream = nullptr;

uint64_t readTimer() { return static_cast<uint64_t>(clockSource ? clockSource() : platformMillisecondTimer()); }

std::FILE* console() { return consoleStream ? consoleStream : stdout; }

void writeMessage(const char* format, va_list args) {
  std::lock_guard<std::recursive_mutex> hold(logLock);
  const uint64_t now = readTimer();
  // A timer that wrapped since the previous message gives a huge value, as unsigned arithmetic does.
  const unsigned long long elapsed = previousMessageTime == 0 ? 0 : now - previousMessageTime;
  if (logFile) {
    va_list copy;
    va_copy(copy, args);
    std::fprintf(logFile, "+%-8llu ", elapsed);
    std::vfprintf(logFile, format, copy);
    std::fflush(logFile);
    va_end(copy);
  }
  std::FILE* out = console();
  std::fprintf(out, "+%-8llu ", elapsed);
  std::vfprintf(out, format, args);
  std::fflush(out);
  std::fflush(stderr);
  previousMessageTime = readTimer();
}

const char kAsteriskLine[] = "*******************************************\n";
const char kPlusLine[] = "++++++++++++++++++++++++++++++++++++++++++++++++\n";
const char kHyphenLine[] = "------------------------------------------------\n";
static_assert(sizeof(kAsteriskLine) == 43 + 2, "43 asterisks and a line break");
static_assert(sizeof(kPlusLine) == 48 + 2 && sizeof(kHyphenLine) == 48 + 2, "48 signs and a line break");

} // namespace

void logMessage(const char* format, ...) {
  va_list args;
  va_start(args, format);
  writeMessage(format, args);
  va_end(args);
}

void logStarred(const char* format, ...) {
  std::lock_guard<std::recursive_mutex> hold(logLock);
  logMessage("%s", kAsteriskLine);
  va_list args;
  va_start(args, format);
  writeMessage(format, args);
  va_end(args);
  logMessage("%s", kAsteriskLine);
  std::fflush(console());
  std::fflush(stderr);
}

void logStartBanner(const char* stage) {
  std::lock_guard<std::recursive_mutex> hold(logLock);
  logMessage("%s", kPlusLine);
  logMessage("+++ Start: %s\n", stage);
  logMessage("%s", kPlusLine);
}

void logEndBanner(const char* stage) {
  std::lock_guard<std::recursive_mutex> hold(logLock);
  logMessage("%s", kHyphenLine);
  logMessage("--- End: %s\n", stage);
  logMessage("%s", kHyphenLine);
}

std::string logFileNameFor(int64_t epochSeconds, int milliseconds) {
  const std::time_t seconds = static_cast<std::time_t>(epochSeconds);
  std::tm local{};
#if defined(_WIN32)
  localtime_s(&local, &seconds);
#else
  localtime_r(&seconds, &local);
#endif
  char name[1024] = {0};
  size_t length = std::strftime(name, sizeof(name), "%Y-%m-%d-%H-%M-%S", &local);
  std::snprintf(name + length, sizeof(name) - length, "-%03d.log", milliseconds);
  return std::string("Wrapper-") + name;
}

void openLogFile(const std::string& masterFolder) {
  // Seconds and milliseconds come from one reading, so a name never mixes two moments.
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  const int64_t milliseconds = std::chrono::duration_cast<std::chrono::milliseconds>(now).count();
  const std::string name = logFileNameFor(milliseconds / 1000, static_cast<int>(milliseconds % 1000));

  const std::string folder = joinPath(masterFolder, "logs");
  createFolderIfMissing(masterFolder);
  createFolderIfMissing(folder);
  const std::string path = joinPath(folder, name);

  logMessage("[Extractor] Logging to %s\n", path.c_str());
  int error = 0;
  std::FILE* file = openFile(path, "w", &error);
  logMessage("[Extractor] Opening the file for writing returned %d\n", error);
  std::lock_guard<std::recursive_mutex> hold(logLock);
  logFile = file;
  logFilePath = file ? path : std::string();
}

void closeLogFile() {
  logMessage("[Utils] Closing logging file.\n");
  std::lock_guard<std::recursive_mutex> hold(logLock);
  if (logFile) std::fclose(logFile);
  logFile = nullptr;
}

bool isLogFileOpen() {
  std::lock_guard<std::recursive_mutex> hold(logLock);
  return logFile != nullptr;
}

std::string currentLogFilePath() {
  std::lock_guard<std::recursive_mutex> hold(logLock);
  return logFile ? logFilePath : std::string();
}

void logSystemError(const char* tag, const char* operation) {
  const SystemError error = platformLastSystemError();
  logMessage("[%s] %s failed with error %ld: %s\n", tag, operation, error.code, error.text.c_str());
}

void logSetClock(LogClock clock) {
  std::lock_guard<std::recursive_mutex> hold(logLock);
  clockSource = clock;
}

void logSetConsoleStream(std::FILE* out) {
  std::lock_guard<std::recursive_mutex> hold(logLock);
  consoleStream = out;
}

void logForgetPreviousMessage() {
  std::lock_guard<std::recursive_mutex> hold(logLock);
  previousMessageTime = 0;
}
