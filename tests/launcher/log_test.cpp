// The run log: prefix arithmetic, starred lines and banners, the log file's name and life, the
// system error report, and whole lines when several threads log at once.
#include <gtest/gtest.h>

#include <cerrno>
#include <regex>
#include <thread>
#include <vector>

#include "captured_console.h"
#include "log/launcher_log.h"
#include "temp_folder.h"

#if defined(_WIN32)
#include <windows.h>
#endif

namespace {

uint32_t fakeNow = 0;
uint32_t fakeClock() { return fakeNow; }

class LogTest : public ::testing::Test {
protected:
  void SetUp() override {
    logSetClock(fakeClock);
    logForgetPreviousMessage();
  }
  void TearDown() override {
    if (isLogFileOpen()) closeLogFile();
    logSetClock(nullptr);
  }
  CapturedConsole console;
};

TEST_F(LogTest, PrefixCarriesMillisecondsSinceThePreviousMessage) {
  struct Case {
    uint32_t at;
    const char* expected;
  };
  // The first message is 0 whatever the timer says; then plain differences, left-aligned in 8, and
  // a wrapped 32-bit timer gives the huge unsigned difference.
  const Case cases[] = {
      {1000, "+0        [T] one\n"},          {2500, "+1500     [T] one\n"},
      {2515, "+15       [T] one\n"},          {2515 + 123456789, "+123456789 [T] one\n"},
      {0xFFFFFFF0u, "+4171507976 [T] one\n"}, {0x10u, "+18446744069414584352 [T] one\n"},
  };
  std::string expected;
  for (const Case& c : cases) {
    fakeNow = c.at;
    logMessage("[T] %s\n", "one");
    expected += c.expected;
  }
  EXPECT_EQ(console.text(), expected);
}

TEST_F(LogTest, MessageWithoutLineBreakRunsIntoTheNextPrefix) {
  fakeNow = 10;
  logMessage("[Extractor] LSO file does exist. Retrying (%d)...", 1);
  fakeNow = 20;
  logMessage("[T] next\n");
  EXPECT_EQ(console.text(), "+0        [Extractor] LSO file does exist. Retrying (1)...+10       [T] next\n");
}

TEST_F(LogTest, StarredMessageAndBanners) {
  fakeNow = 5;
  logStarred("Unable to create App Temp folder\n");
  logStartBanner("Extracting wrapper tail");
  logEndBanner("Processing dynamic properties");
  const std::string stars(43, '*'), plus(48, '+'), minus(48, '-');
  const std::string p = "+0        ";
  EXPECT_EQ(console.text(), p + stars + "\n" + p + "Unable to create App Temp folder\n" + p + stars + "\n" + p + plus +
                                "\n" + p + "+++ Start: Extracting wrapper tail\n" + p + plus + "\n" + p + minus + "\n" +
                                p + "--- End: Processing dynamic properties\n" + p + minus + "\n");
}

TEST_F(LogTest, LogFileIsNamedByTimeAndReceivesMessagesUntilClosed) {
  TempFolder master;
  openLogFile(master.launcherPath("Ommel-Demo"));
  ASSERT_TRUE(isLogFileOpen());
  const std::string path = currentLogFilePath();
  EXPECT_TRUE(std::regex_search(
      path, std::regex(R"(Ommel-Demo[\\/]logs[\\/]Wrapper-\d{4}-\d\d-\d\d-\d\d-\d\d-\d\d-\d{3}\.log$)")))
      << path;

  logMessage("[T] into the file\n");
  closeLogFile();
  logMessage("[T] after closing\n");

  const std::string console_text = console.text();
  EXPECT_NE(console_text.find("+0        [Extractor] Logging to " + path + "\n"), std::string::npos);
  EXPECT_NE(console_text.find("[Extractor] Opening the file for writing returned 0\n"), std::string::npos);
  EXPECT_NE(console_text.find("[T] after closing\n"), std::string::npos);

  const std::string raw = readWholeFile(master.path() / "Ommel-Demo" / "logs" / path.substr(path.size() - 35));
#if defined(_WIN32)
  // Text mode: every "\n" lands on disk as CR LF.
  EXPECT_EQ(raw.find("[T] into the file\r\n"), raw.find("[T] into the file"));
#endif
  const std::string file_text = withoutCarriageReturns(raw);
  // The file starts with the first message after the opening lines and ends with the closing line.
  EXPECT_TRUE(std::regex_match(file_text,
                               std::regex(R"(\+0 {8}\[T\] into the file\n\+0 {8}\[Utils\] Closing logging file\.\n)")))
      << file_text;
}

TEST_F(LogTest, NamesOfTheSameSecondDifferOnlyInTheirMilliseconds) {
  const std::string a = logFileNameFor(1596276930, 42);
  const std::string b = logFileNameFor(1596276930, 999);
  ASSERT_EQ(a.size(), std::string("Wrapper-2020-08-01-10-15-30-042.log").size());
  EXPECT_EQ(a.substr(a.size() - 8), "-042.log");
  EXPECT_EQ(b.substr(b.size() - 8), "-999.log");
  EXPECT_EQ(a.substr(0, a.size() - 7), b.substr(0, b.size() - 7));
}

TEST_F(LogTest, UncreatableMasterFolderLeavesLoggingOnTheConsole) {
  TempFolder scratch;
  writeWholeFile(scratch.path() / "plainfile", "x");
  openLogFile(scratch.launcherPath("plainfile"));
  EXPECT_FALSE(isLogFileOpen());
  logMessage("[T] still here\n");
  const std::string text = console.text();
  EXPECT_TRUE(std::regex_search(text, std::regex(R"(\[Extractor\] Opening the file for writing returned [1-9]\d*\n)")))
      << text;
  EXPECT_NE(text.find("[T] still here\n"), std::string::npos);
}

TEST_F(LogTest, SystemErrorReportShowsCodeAndSystemText) {
#if defined(_WIN32)
  SetLastError(ERROR_FILE_NOT_FOUND);
#else
  errno = ENOENT;
#endif
  logSystemError("Rename", "MoveFileExA");
  const std::string text = console.text();
  EXPECT_EQ(text.rfind("+0        [Rename] MoveFileExA failed with error 2: ", 0), 0u) << text;
  // The system text brings its own line break, so an empty line follows.
  EXPECT_EQ(text.substr(text.size() - 2), "\n\n") << text;
  EXPECT_GT(text.size(), std::string("+0        [Rename] MoveFileExA failed with error 2: \n\n").size());
}

TEST_F(LogTest, MessagesFromSeveralThreadsStayWhole) {
  logSetClock(nullptr);
  constexpr int kThreads = 4, kMessages = 300;
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([t] {
      for (int i = 0; i < kMessages; ++i) logMessage("[Thread%d] message %d of a busy stage\n", t, i);
    });
  }
  for (std::thread& thread : threads) thread.join();

  const std::string text = console.text();
  const std::regex line(R"(\+\d+ +\[Thread\d\] message \d+ of a busy stage)");
  size_t count = 0, begin = 0;
  for (size_t end; (end = text.find('\n', begin)) != std::string::npos; begin = end + 1, ++count) {
    ASSERT_TRUE(std::regex_match(text.substr(begin, end - begin), line)) << text.substr(begin, end - begin);
  }
  EXPECT_EQ(count, size_t(kThreads * kMessages));
}

} // namespace
