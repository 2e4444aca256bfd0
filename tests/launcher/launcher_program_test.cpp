// The real launcher.exe under Wine: what a run prints, where it stops, and its exit codes.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "temp_folder.h"
#include "wine_process.h"

namespace {

const std::string kLauncher = windowsPathOf(KX_LAUNCHER_EXE);

std::string folderOf(const std::string& path) { return path.substr(0, path.find_last_of('\\')); }

ProcessResult runLauncher(const std::string& arguments, const std::string& workingFolder = folderOf(kLauncher)) {
  return runProgram(kLauncher, "\"" + kLauncher + "\"" + (arguments.empty() ? "" : " " + arguments), workingFolder);
}

TEST(LauncherProgram, NormalStartWithoutBundleDataEndsAtTheParamsMarker) {
  const ProcessResult r = runLauncher("");
  ASSERT_TRUE(r.started);
  EXPECT_EQ(r.exitCode, 1u) << r.output;
  const std::string expected_head =
      "Extracting wrapper tail...\n+0        [Extractor] The absolute wrapper path is " + kLauncher + "\n";
  EXPECT_EQ(r.output.substr(0, expected_head.size()), expected_head) << r.output;
  EXPECT_NE(r.output.find("[Extractor] The executable name is " + kLauncher + "\n"), std::string::npos) << r.output;
  // The program image itself must not carry the marker, or a copy without bundle data would find it.
  EXPECT_TRUE(std::regex_search(r.output, std::regex(R"(Could not find marker: Params\n$)"))) << r.output;
}

TEST(LauncherProgram, RelativeInvocationIsMadeAbsoluteFromTheWorkingFolder) {
  const std::string folder = folderOf(kLauncher);
  const ProcessResult r = runProgram(kLauncher, "launcher.exe", folder);
  ASSERT_TRUE(r.started);
  EXPECT_NE(r.output.find("[Extractor] The absolute wrapper path is " + folder + "\\launcher.exe\n"), std::string::npos)
      << r.output;
  EXPECT_NE(r.output.find("[Extractor] The executable name is launcher.exe\n"), std::string::npos) << r.output;
}

TEST(LauncherProgram, MakeFolderModeCreatesOneLevelSilently) {
  TempFolder scratch;
  const std::string target = scratch.launcherPath("made");
  for (int run = 0; run < 2; ++run) { // the second run meets an existing folder
    const ProcessResult r = runLauncher("--mkdir \"" + target + "\"");
    EXPECT_EQ(r.exitCode, 0u) << r.output;
    EXPECT_EQ(r.output, "");
    EXPECT_TRUE(std::filesystem::is_directory(scratch.path() / "made"));
  }
}

TEST(LauncherProgram, ASingleArgumentIsNeverADiagnosticSwitch) {
  const ProcessResult r = runLauncher("--mkdir");
  EXPECT_EQ(r.output.rfind("Extracting wrapper tail...\n", 0), 0u) << r.output;
}

TEST(LauncherProgram, DiagnosticModesNotYetBuiltSaySoAndFail) {
  for (const char* arguments : {"--corvane-proxytest http://127.0.0.1/", "-TESTSPLASH"}) {
    const ProcessResult r = runLauncher(arguments);
    EXPECT_EQ(r.exitCode, 1u) << arguments;
    EXPECT_TRUE(std::regex_match(r.output, std::regex(R"(Diagnostic mode \S+ is not built into this launcher\n)")))
        << r.output;
  }
}

TEST(LauncherProgram, PrepareOnlyRunStartsLikeAnyOther) {
  const ProcessResult r = runLauncher("KXPREPARE_FOR_LAUNCH_ONLY");
  EXPECT_EQ(r.output.rfind("Extracting wrapper tail...\n", 0), 0u) << r.output;
}

} // namespace
