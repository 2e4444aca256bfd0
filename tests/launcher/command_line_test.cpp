// Which run the command line selects: diagnostic switches, the splash self-test, prepare-only.
#include <gtest/gtest.h>

#include <vector>

#include "startup/command_line.h"
#include "startup/startup_sequence.h"

namespace {

struct ModeCase {
  std::vector<const char*> argv;
  DiagnosticMode expected;
};

TEST(CommandLine, DiagnosticModeFollowsTheArgumentCountRules) {
  const ModeCase cases[] = {
      {{"launcher.exe"}, DiagnosticMode::None},
      {{"launcher.exe", "--mkdir"}, DiagnosticMode::None}, // one argument: never a diagnostic switch
      {{"launcher.exe", "--mkdir", "C:\\x"}, DiagnosticMode::MakeFolder},
      {{"launcher.exe", "--corvane-proxytest", "http://h/"}, DiagnosticMode::ProxyTest},
      {{"launcher.exe", "--corvane-extracttest", "x"}, DiagnosticMode::ExtractTest},
      {{"launcher.exe", "--corvane-downloadtest2", "u"}, DiagnosticMode::DownloadTest2},
      {{"launcher.exe", "--corvane-downloadtest", "u", "Direct"}, DiagnosticMode::DownloadTest},
      {{"launcher.exe", "--MKDIR", "x"}, DiagnosticMode::None},
      {{"launcher.exe", "--mkdirs", "x"}, DiagnosticMode::None},
      {{"launcher.exe", "x", "--mkdir"}, DiagnosticMode::None},
      {{"launcher.exe", "-TESTSPLASH"}, DiagnosticMode::SplashTest},
      {{"launcher.exe", "-TESTSPLASH", "more", "words"}, DiagnosticMode::SplashTest},
      {{"launcher.exe", "-testsplash"}, DiagnosticMode::None},
  };
  for (const ModeCase& c : cases) {
    EXPECT_EQ(chooseDiagnosticMode(static_cast<int>(c.argv.size()), c.argv.data()), c.expected)
        << c.argv.size() << " words, argument 1 " << (c.argv.size() > 1 ? c.argv[1] : "-");
  }
}

TEST(CommandLine, PrepareOnlyIsTheExactLastWord) {
  struct Case {
    std::vector<const char*> argv;
    bool expected;
  };
  const Case cases[] = {
      {{"launcher.exe", "KXPREPARE_FOR_LAUNCH_ONLY"}, true},
      {{"launcher.exe", "a", "KXPREPARE_FOR_LAUNCH_ONLY"}, true},
      {{"launcher.exe", "KXPREPARE_FOR_LAUNCH_ONLY", "a"}, false},
      {{"launcher.exe", "kxprepare_for_launch_only"}, false},
      {{"launcher.exe", "KXPREPARE_FOR_LAUNCH_ONLY "}, false},
      {{"KXPREPARE_FOR_LAUNCH_ONLY"}, true}, // no arguments: the program path is the last word
      {{"launcher.exe"}, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(isPrepareOnlyRun(static_cast<int>(c.argv.size()), c.argv.data()), c.expected) << c.argv.back();
  }
}

TEST(CommandLine, StartupArgumentsKeepTheInvocationPathAndTheRest) {
  const char* argv[] = {"sub\\launcher.exe", "/S", "KXPREPARE_FOR_LAUNCH_ONLY"};
  const StartupArguments s = makeStartupArguments(3, argv);
  EXPECT_EQ(s.invocationPath, "sub\\launcher.exe");
  EXPECT_EQ(s.arguments, (std::vector<std::string>{"/S", "KXPREPARE_FOR_LAUNCH_ONLY"}));
  EXPECT_TRUE(s.prepareOnly);
}

TEST(StartupSequence, AbsoluteLauncherPath) {
  struct Case {
    const char* invocation;
    const char* expected;
  };
  const Case cases[] = {
      {"C:\\Apps\\launcher.exe", "C:\\Apps\\launcher.exe"},
      {"\\\\server\\share\\launcher.exe", "\\\\server\\share\\launcher.exe"},
      {"launcher.exe", "C:\\Work\\launcher.exe"},
      {"sub/launcher.exe", "C:\\Work\\sub\\launcher.exe"},
      {"C:launcher.exe", "C:\\Work\\C:launcher.exe"}, // drive-relative is not absolute
      {"C:/a.exe", "C:\\Work\\C:\\a.exe"},            // only a backslash after the colon counts
      {"ab", "C:\\Work\\ab"},
  };
  for (const Case& c : cases) EXPECT_EQ(absoluteLauncherPath(c.invocation, "C:\\Work"), c.expected) << c.invocation;
}

} // namespace
