// Points the launcher log's console stream at a file for the life of the object, so a test can read
// exactly what a run would have printed on standard output.
#pragma once

#include <cstdio>
#include <string>

#include "temp_folder.h"

class CapturedConsole {
public:
  CapturedConsole();
  ~CapturedConsole();
  CapturedConsole(const CapturedConsole&) = delete;
  CapturedConsole& operator=(const CapturedConsole&) = delete;

  // Everything written so far, with the platform's text-mode line ends turned back into "\n".
  std::string text();

private:
  TempFolder folder_;
  std::FILE* file_ = nullptr;
};

std::string withoutCarriageReturns(std::string text);
