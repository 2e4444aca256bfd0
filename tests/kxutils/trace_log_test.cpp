// The trace log on states of the test's own, so that each case starts from an untested marker.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include "captured_console.h"
#include "frame/trace_log.h"
#include "temp_folder.h"

namespace fs = std::filesystem;

namespace {

// A run folder with the logs folder beside it, made the current folder for the test's life.
class TraceFolders {
public:
  explicit TraceFolders(bool withLogsFolder = true) : previous_(fs::current_path()) {
    fs::create_directories(run());
    if (withLogsFolder) fs::create_directories(logs());
    fs::current_path(run());
  }
  ~TraceFolders() { fs::current_path(previous_); }

  fs::path run() const { return root_.path() / "app"; }
  fs::path logs() const { return root_.path() / "logs"; }
  void createMarker() const { writeWholeFile(run() / "debug-kx.txt", ""); }

  std::vector<fs::path> logFiles() const {
    std::vector<fs::path> files;
    if (fs::exists(logs()))
      for (const auto& entry : fs::directory_iterator(logs())) files.push_back(entry.path());
    return files;
  }
  std::string onlyLogText() const {
    const auto files = logFiles();
    if (files.size() != 1) return "<" + std::to_string(files.size()) + " log files>";
    return withoutCarriageReturns(readWholeFile(files[0]));
  }

private:
  TempFolder root_;
  fs::path previous_;
};

std::string readConsole(std::FILE* console) {
  std::fflush(console);
  std::rewind(console);
  std::string text;
  char chunk[256];
  size_t got;
  while ((got = std::fread(chunk, 1, sizeof chunk, console)) > 0) text.append(chunk, got);
  return withoutCarriageReturns(text);
}

} // namespace

TEST(TraceLog, WritesTaggedLinesAndAnEmptyLineAfterAMessageEndingInALineBreak) {
  TraceFolders folders;
  folders.createMarker();
  TraceState state;
  traceLogTo(state, "regGet", "Start");
  traceLogTo(state, "regSet", "Key not found: %s\n", "Software\\Missing");
  traceLogTo(state, "NativeScreenUtil", "%s failed with error %d: %s", "OpenProcess", 5, "Access denied.");

  EXPECT_EQ(folders.onlyLogText(), "(regGet) Start\n"
                                   "(regSet) Key not found: Software\\Missing\n"
                                   "\n"
                                   "(NativeScreenUtil) OpenProcess failed with error 5: Access denied.\n");
  const std::string name = folders.logFiles().at(0).filename().string();
  EXPECT_TRUE(std::regex_match(name, std::regex(R"(OmmelUtils-\d{4}-\d\d-\d\d-\d\d-\d\d-\d\d-\d{3}\.log)"))) << name;
}

TEST(TraceLog, MarkerIsLookedForOnlyAtTheFirstCall) {
  {
    TraceFolders folders;
    TraceState state;
    traceLogTo(state, "regGet", "Start");
    folders.createMarker();
    traceLogTo(state, "regGet", "End");
    EXPECT_TRUE(folders.logFiles().empty());
    EXPECT_FALSE(fs::exists(folders.logs()) && !fs::is_empty(folders.logs()));
  }
  {
    TraceFolders folders;
    folders.createMarker();
    TraceState state;
    traceLogTo(state, "regGet", "Start");
    fs::remove(folders.run() / "debug-kx.txt");
    traceLogTo(state, "regGet", "End");
    EXPECT_EQ(folders.onlyLogText(), "(regGet) Start\n(regGet) End\n");
  }
}

TEST(TraceLog, WithoutTheLogsFolderEveryCallSaysSoAndALaterCallOpensTheFile) {
  TraceFolders folders(/*withLogsFolder=*/false);
  folders.createMarker();
  TraceState state;
  state.console = std::tmpfile();
  ASSERT_NE(state.console, nullptr);
  traceLogTo(state, "regGet", "Start");
  traceLogTo(state, "regGet", "End");
  EXPECT_EQ(readConsole(state.console), "Unable to open file!\nUnable to open file!\n");
  EXPECT_FALSE(fs::exists(folders.logs()));

  fs::create_directories(folders.logs());
  traceLogTo(state, "regGet", "Again");
  EXPECT_EQ(folders.onlyLogText(), "(regGet) Again\n");
  std::fclose(state.console);
}

TEST(TraceLog, ThreadsTracingAtOnceShareOneFileWithWholeLines) {
  TraceFolders folders;
  folders.createMarker();
  TraceState state;
  constexpr int kThreads = 4;
  constexpr int kEntries = 200;
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t)
    threads.emplace_back([&state, t] {
      for (int i = 0; i < kEntries; ++i) traceLogTo(state, "thread", "%d entry %d\n", t, i);
    });
  for (auto& thread : threads) thread.join();

  const std::string text = folders.onlyLogText();
  const std::regex entry(R"(\(thread\) (\d) entry (\d+)\n\n)");
  std::vector<int> next(kThreads, 0);
  size_t entries = 0;
  for (std::sregex_iterator it(text.begin(), text.end(), entry), end; it != end; ++it, ++entries) {
    const int thread = std::stoi((*it)[1]);
    EXPECT_EQ(std::stoi((*it)[2]), next[thread]++);
  }
  EXPECT_EQ(entries, size_t{kThreads * kEntries});
  EXPECT_EQ(text.size(), std::string("(thread) 0 entry 0\n\n").size() * kThreads * 10 +
                             std::string("(thread) 0 entry 10\n\n").size() * kThreads * 90 +
                             std::string("(thread) 0 entry 100\n\n").size() * kThreads * 100);
}

TEST(TraceLog, FileNameCarriesThreeDigitMilliseconds) {
  const std::regex form(R"(OmmelUtils-\d{4}-\d\d-\d\d-\d\d-\d\d-\d\d-(\d{3})\.log)");
  for (const auto& [milliseconds, digits] :
       std::vector<std::pair<int, std::string>>{{0, "000"}, {7, "007"}, {42, "042"}, {999, "999"}}) {
    std::smatch match;
    const std::string name = traceFileNameFor(1700000000, milliseconds);
    ASSERT_TRUE(std::regex_match(name, match, form)) << name;
    EXPECT_EQ(match[1], digits);
  }
}
