#include "captured_console.h"

#include <algorithm>

#include "log/launcher_log.h"

CapturedConsole::CapturedConsole() {
  file_ = std::fopen((folder_.path() / "console.txt").string().c_str(), "w");
  logSetConsoleStream(file_);
}

CapturedConsole::~CapturedConsole() {
  logSetConsoleStream(nullptr);
  if (file_) std::fclose(file_);
}

std::string CapturedConsole::text() {
  std::fflush(file_);
  return withoutCarriageReturns(readWholeFile(folder_.path() / "console.txt"));
}

std::string withoutCarriageReturns(std::string text) {
  text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
  return text;
}
