#include "startup/startup_sequence.h"

#include "files/working_folder.h"
#include "locations/path_join.h"
#include "log/launcher_log.h"
#include "startup/process_exit.h"

namespace {

// Everything the sequence holds for the whole run; the later stages add their fields here.
struct StartupState {
  StartupArguments startup;
  std::string absolutePath;
};

// A stage this build does not carry ends the run honestly instead of pretending to succeed.
[[noreturn]] void stageNotBuilt(const char* stage) {
  logMessage("[Extractor] %s is not built into this launcher; the run cannot go on\n", stage);
  endProcess(kExitFatal);
}

// S1: process-wide settings start cleared; the splash graphics start on systems that draw pictures.
void prepareProcess(StartupState&) {}

// S2
void resolveAbsolutePath(StartupState& state) {
  state.absolutePath = absoluteLauncherPath(state.startup.invocationPath, currentWorkingFolder());
  logMessage("[Extractor] The absolute wrapper path is %s\n", state.absolutePath.c_str());
  logMessage("[Extractor] The executable name is %s\n", state.startup.invocationPath.c_str());
}

// S3 to S5
void readDynamicProperties(StartupState&) { stageNotBuilt("Reading the bundle's Params area"); }

// S6 to S13: tail fields, update URL, silent flag, static properties, public key, shared and master
// folders, run log.
void readTailAndOpenLog(StartupState&) { stageNotBuilt("Reading the bundle's Tail area"); }

// S14 to S16
void decideRunOrExtract(StartupState&) { stageNotBuilt("The update decision"); }

} // namespace

std::string absoluteLauncherPath(const std::string& invocationPath, const std::string& workingFolder) {
  const std::string& p = invocationPath;
  const bool absolute = p.size() > 2 && ((p[0] == '\\' && p[1] == '\\') || (p[1] == ':' && p[2] == '\\'));
  return absolute ? p : joinPath(workingFolder, p);
}

void runStartupSequence(const StartupArguments& startup) {
  StartupState state;
  state.startup = startup;
  prepareProcess(state);
  resolveAbsolutePath(state);
  readDynamicProperties(state);
  readTailAndOpenLog(state);
  decideRunOrExtract(state);
  // S17 (run what is installed) or S18 to S21 (extract), then S22 (launch) follow the decision.
  stageNotBuilt("Running or extracting");
}
