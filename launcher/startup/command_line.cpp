#include "startup/command_line.h"

#include <cstring>

namespace {

struct SwitchEntry {
  const char* name;
  DiagnosticMode mode;
};

// In the order they are compared; the first match wins.
const SwitchEntry kDiagnosticSwitches[] = {
    {"--corvane-proxytest", DiagnosticMode::ProxyTest},
    {"--mkdir", DiagnosticMode::MakeFolder},
    {"--corvane-extracttest", DiagnosticMode::ExtractTest},
    {"--corvane-downloadtest2", DiagnosticMode::DownloadTest2},
    {"--corvane-downloadtest", DiagnosticMode::DownloadTest},
};

constexpr const char kSplashTestSwitch[] = "-TESTSPLASH";

} // namespace

DiagnosticMode chooseDiagnosticMode(int argc, const char* const* argv) {
  if (argc > 2) {
    for (const SwitchEntry& entry : kDiagnosticSwitches) {
      if (std::strcmp(argv[1], entry.name) == 0) return entry.mode;
    }
  }
  if (argc > 1 && std::strcmp(argv[1], kSplashTestSwitch) == 0) return DiagnosticMode::SplashTest;
  return DiagnosticMode::None;
}

const char* diagnosticSwitchName(DiagnosticMode mode) {
  for (const SwitchEntry& entry : kDiagnosticSwitches) {
    if (entry.mode == mode) return entry.name;
  }
  return mode == DiagnosticMode::SplashTest ? kSplashTestSwitch : "";
}

bool isPrepareOnlyRun(int argc, const char* const* argv) {
  return argc > 0 && std::strcmp(argv[argc - 1], kPrepareOnlyArgument) == 0;
}

StartupArguments makeStartupArguments(int argc, const char* const* argv) {
  StartupArguments startup;
  startup.invocationPath = argc > 0 ? argv[0] : "";
  for (int i = 1; i < argc; ++i) startup.arguments.emplace_back(argv[i]);
  startup.prepareOnly = isPrepareOnlyRun(argc, argv);
  return startup;
}
