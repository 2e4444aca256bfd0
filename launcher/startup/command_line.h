// What the launcher's command line selects before anything else runs.
#pragma once

#include <string>
#include <vector>

enum class DiagnosticMode {
  None,
  ProxyTest,     // "--corvane-proxytest" URL
  MakeFolder,    // "--mkdir" folder
  ExtractTest,   // "--corvane-extracttest"
  DownloadTest2, // "--corvane-downloadtest2" URL
  DownloadTest,  // "--corvane-downloadtest" URL [strategy]
  SplashTest,    // "-TESTSPLASH"
};

// The diagnostic switches are looked at only with at least two words after the program path;
// the splash self-test needs one. argv[0] is the program path.
DiagnosticMode chooseDiagnosticMode(int argc, const char* const* argv);

const char* diagnosticSwitchName(DiagnosticMode mode);

// The last word of the vector is "KXPREPARE_FOR_LAUNCH_ONLY" (with no arguments that is the
// program path itself).
bool isPrepareOnlyRun(int argc, const char* const* argv);

constexpr const char kPrepareOnlyArgument[] = "KXPREPARE_FOR_LAUNCH_ONLY";

// What the start-up sequence is given.
struct StartupArguments {
  std::string invocationPath;         // argv[0], unchanged
  std::vector<std::string> arguments; // the words after it
  bool prepareOnly = false;
};

StartupArguments makeStartupArguments(int argc, const char* const* argv);
