// The process-wide trace state, each case in a fresh probe process started in a folder of its own.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "captured_console.h"
#include "temp_folder.h"
#include "wine_process.h"

namespace fs = std::filesystem;

namespace {

struct ProbeRun {
  ProcessResult process;
  std::string logText; // the one log file's text, CR removed; "<n files>" otherwise
  size_t logFiles = 0;
};

ProbeRun runProbe(const std::string& scenario, bool withMarker) {
  TempFolder root;
  const fs::path run = root.path() / "app";
  fs::create_directories(run);
  fs::create_directories(root.path() / "logs");
  if (withMarker) writeWholeFile(run / "debug-kx.txt", "");

  ProbeRun result;
  result.process =
      runProgram(windowsPathOf(KX_TRACE_PROBE_EXE), std::string("kxutils_trace_probe ") + scenario, run.string());
  for (const auto& entry : fs::directory_iterator(root.path() / "logs")) {
    ++result.logFiles;
    result.logText = withoutCarriageReturns(readWholeFile(entry.path()));
  }
  if (result.logFiles != 1) result.logText = "<" + std::to_string(result.logFiles) + " files>";
  return result;
}

std::string systemText(DWORD code) {
  char* text = nullptr;
  FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                 code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<char*>(&text), 0, nullptr);
  std::string words = text ? text : "";
  if (text) LocalFree(text);
  return withoutCarriageReturns(words);
}

} // namespace

// The system's text ends in a line break, the message format adds one and the entry another.
TEST(TraceProcess, LastErrorIsTracedInWordsBetweenStartAndEnd) {
  const ProbeRun run = runProbe("last-error", true);
  ASSERT_TRUE(run.process.started);
  EXPECT_EQ(run.process.exitCode, 0u);
  const std::string words = systemText(ERROR_ACCESS_DENIED);
  ASSERT_FALSE(words.empty());
  EXPECT_EQ(run.logText, "(PrintError) Start\n"
                         "(NativeScreenUtil) OpenProcess failed with error 5: " +
                             words + "\n\n(PrintError) End\n");
}

TEST(TraceProcess, DisplayErrorVariantHasNoStartOrEndLines) {
  const ProbeRun run = runProbe("display-error", true);
  ASSERT_TRUE(run.process.started);
  EXPECT_EQ(run.logText, "(DisplayError) SetWindowsHookEx failed with error 2: " + systemText(2) + "\n\n");
}

TEST(TraceProcess, NoFileWhenTheMarkerIsAbsentAtTheFirstCall) {
  const ProbeRun run = runProbe("marker-created-later", false);
  ASSERT_TRUE(run.process.started);
  EXPECT_EQ(run.process.exitCode, 0u);
  EXPECT_EQ(run.logFiles, 0u);
}
