#include "startup/startup_sequence.h"

#include "bundle/bundle_markers.h"
#include "bundle/dynamic_properties.h"
#include "bundle/marker_search.h"
#include "bundle/property_block.h"
#include "bundle/tail_fields.h"
#include "files/working_folder.h"
#include "locations/location_system.h"
#include "locations/path_join.h"
#include "locations/shared_folder.h"
#include "log/launcher_log.h"
#include "signature/signature_check.h"
#include "startup/process_exit.h"

namespace {

// Everything the sequence holds for the whole run; the later stages add their fields here.
struct StartupState {
  StartupArguments startup;
  std::string absolutePath;
  PropertyBlock properties;
  DynamicSettings dynamic;
  TailFields tail;
  RingBuffer* tailStream = nullptr; // open until the launch: the archive entries follow the fields
  std::string effectiveUpdateUrl;
  bool silent = false;
  std::string sharedFolder;
  std::string masterFolder;
};

// A stage this build does not carry ends the run honestly instead of pretending to succeed.
[[noreturn]] void stageNotBuilt(const char* stage) {
  logMessage("[Extractor] %s is not built into this launcher; the run cannot go on\n", stage);
  endProcess(kExitFatal);
}

// S1: process-wide settings start cleared; the splash graphics start on systems that draw pictures.
void prepareProcess(StartupState&) { clearPublicKey(); }

// S2
void resolveAbsolutePath(StartupState& state) {
  state.absolutePath = absoluteLauncherPath(state.startup.invocationPath, currentWorkingFolder());
  logMessage("[Extractor] The absolute wrapper path is %s\n", state.absolutePath.c_str());
  logMessage("[Extractor] The executable name is %s\n", state.startup.invocationPath.c_str());
}

// S3 to S5
void readParamsArea(StartupState& state) {
  RingBuffer* params = openMarkedStream(state.startup.invocationPath, paramsMarker(), "Params");
  logMessage("[Extractor] Found Params marker. Extracting now...\n");
  state.properties = makePropertyBlock();
  readDynamicProperties(params, state.properties, state.dynamic);
  if (state.startup.prepareOnly) {
    logMessage("[Extractor] This is an elevated run purely to prepare an installation. Will not show UI or launch an "
               "app\n");
  }
}

// S7
void chooseUpdateUrl(StartupState& state) {
  if (state.tail.updateUrl == "D") {
    state.effectiveUpdateUrl = state.dynamic.updateUrl.value_or("");
    logMessage("[Extractor] Will use Dynamic Update URL: %s\n", state.effectiveUpdateUrl.c_str());
  } else {
    state.effectiveUpdateUrl = state.tail.updateUrl;
    logMessage("[Extractor] Will use Static Update URL: %s\n", state.effectiveUpdateUrl.c_str());
  }
}

// S8
void decideSilent(StartupState& state) {
  state.silent = state.dynamic.silent;
  if (!state.silent && !state.tail.silentParameter.empty()) {
    for (const std::string& word : state.startup.arguments) {
      if (word == state.tail.silentParameter) state.silent = true;
    }
  }
  logMessage("[Extractor] Is silent install is %d\n", state.silent ? 1 : 0);
}

// S10: a tail that ended before the key field hands over no value at all, which logs differently
// from an empty one.
void importArchiveSigningKey(const StartupState& state) {
  loadPublicKey(state.tail.publicKey ? state.tail.publicKey->c_str() : nullptr);
}

// S12
void normaliseUpdateUrl(StartupState& state) {
  std::string& url = state.effectiveUpdateUrl;
  logMessage("[Extractor] Update URL is currently '%s'\n", url.c_str());
  if (!url.empty() && url.back() != '/') url += '/';
  logMessage("[Extractor] Update URL is now '%s'\n", url.c_str());
}

// S6 to S13: tail fields, update URL, silent flag, static properties, public key, shared and master
// folders, run log.
void readTailAndOpenLog(StartupState& state) {
  logMessage("\n");
  logStartBanner("Extracting wrapper tail");
  state.tailStream = openMarkedStream(state.startup.invocationPath, tailMarker(), "Tail");
  state.tail = readTailFields(state.tailStream);
  chooseUpdateUrl(state);
  decideSilent(state);
  logEndBanner("Extracting tail");
  logMessage("[Extractor] Setting up static properties\n");
  appendStaticProperties(state.properties, state.tail, state.silent);
  importArchiveSigningKey(state);
  state.sharedFolder = sharedFolderOrEnd(state.tail.installType, systemLocations());
  logMessage("[Extractor] Shared dir is %s\n", state.sharedFolder.c_str());
  normaliseUpdateUrl(state);
  state.masterFolder = joinPath(state.sharedFolder, "Ommel-" + state.tail.appName);
  logMessage("[Extractor] Master folder is %s\n", state.masterFolder.c_str());
  openLogFile(state.masterFolder);
}

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
  readParamsArea(state);
  readTailAndOpenLog(state);
  decideRunOrExtract(state);
  // S17 (run what is installed) or S18 to S21 (extract), then S22 (launch) follow the decision.
  stageNotBuilt("Running or extracting");
}
