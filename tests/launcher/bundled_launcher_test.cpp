// launcher.exe copies with bundle data, made by the bundle writer and run under Wine: what they read
// from their own file, where they install and where they log.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>

#include "bundle/bundle_markers.h"
#include "bundle/bundle_writer.h"
#include "temp_folder.h"
#include "test_keys.h"
#include "wine_process.h"

namespace {

using namespace std::string_literals;
namespace fs = std::filesystem;

// Sets environment variables of this process (and so of the launchers it starts) for one scope.
class ScopedEnvironment {
public:
  explicit ScopedEnvironment(const std::map<std::string, std::optional<std::string>>& values) {
    for (const auto& [name, value] : values) {
      const char* old = std::getenv(name.c_str());
      saved_[name] = old ? std::optional<std::string>(old) : std::nullopt;
      set(name, value);
    }
  }
  ~ScopedEnvironment() {
    for (const auto& [name, value] : saved_) set(name, value);
  }

private:
  static void set(const std::string& name, const std::optional<std::string>& value) {
    _putenv_s(name.c_str(), value ? value->c_str() : ""); // an empty value removes the variable
  }
  std::map<std::string, std::optional<std::string>> saved_;
};

BundleContents sampleContents() {
  BundleContents c;
  c.tailFields = {{"app_name", "Sample"},       {"min_splash_ms", "700"},      {"kxsig_public_key", testPublicKeyHex()},
                  {"can_override_splash", "1"}, {"install_type", "temp_user"}, {"silent_parameter", "/S"},
                  {"java_version", "7"},        {"update_url", "D"},           {"skip_system_jre", "1"}};
  c.params = {{"skip_system_jre", "1"},
              {"auto_disable_appnap", "true"},
              {"supported_langs", "en,da,de,es,fr,it,nl,pt,sv"},
              {"update_url", "http://updates.example/x"},
              {"jre_name", "Windows32JRE"},
              {"Jre_name", "case-sensitive"},
              {"empty", ""},
              {"v100", std::string(100, 'a')},
              {"v101", std::string(101, 'b')}};
  return c;
}

struct BundledRun {
  ProcessResult result;
  std::string logFile; // the run log's text, empty when none was written
};

// Writes the bundle into a folder of its own and runs it there.
BundledRun runBundle(const TempFolder& folder, const std::string& bundle, const std::string& arguments = "") {
  writeWholeFile(folder.path() / "bundled.exe", bundle);
  const std::string exe = windowsPathOf((folder.path() / "bundled.exe").string());
  BundledRun run;
  run.result = runProgram(exe, "\"" + exe + "\" " + arguments, windowsPathOf(folder.path().string()), 30000);
  for (const auto& entry : fs::recursive_directory_iterator(folder.path())) {
    if (entry.path().parent_path().filename() == "logs" && entry.path().extension() == ".log") {
      run.logFile = readWholeFile(entry.path());
    }
  }
  return run;
}

std::string launcherBytes() { return readWholeFile(KX_LAUNCHER_EXE); }

std::string build(const std::string& launcher, const BundleContents& contents) {
  std::string error;
  const auto bundle = buildBundle(launcher, contents, &error);
  EXPECT_TRUE(bundle.has_value()) << error;
  return bundle.value_or("");
}

bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(BundledLauncher, LogsPropertiesAndFieldsAndOpensItsRunLogInTheMasterFolder) {
  TempFolder folder;
  const std::string appData = windowsPathOf((folder.path() / "appdata").string());
  fs::create_directory(folder.path() / "appdata");
  ScopedEnvironment env({{"APPDATA", appData}});
  const BundledRun run = runBundle(folder, build(launcherBytes(), sampleContents()), "/S");
  const std::string& out = run.result.output;
  EXPECT_EQ(run.result.exitCode, 1u) << out; // the update decision is the next stage
  const char* const expected[] = {
      "[Extractor] Found Params marker. Extracting now...\n",
      "+++ Processing 9 dynamic properties\n",
      "[DynProps] Dynamic Param 0: skip_system_jre=[1]\n",
      "[DynProps] Dynamic Update URL: http://updates.example/x\n",
      "[DynProps] JRE name from dynamic launch properties is Windows32JRE\n",
      "[DynProps] Dynamic Param 6: empty=[]\n",
      "[DynProps] Dynamic Param 7: v100=["
      "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa]\n",
      "[DynProps] Dynamic Param 8: v101=["
      "bbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbb...]\n",
      "+++ Start: Extracting wrapper tail\n",
      "[Extractor] Found tail marker\n",
      "[Extractor] Required Java version 7\n",
      "[Extractor] Skipping System JRE\n",
      "[Extractor] Will use Dynamic Update URL: http://updates.example/x\n",
      "[Extractor] Is silent install is 1\n",
      "[Extractor] Setting up static properties\n",
      "[Extractor] Processed public key of length 550\n",
      "Temporary install\n",
      "Shared directory appears valid.\n",
  };
  for (const char* line : expected) EXPECT_TRUE(has(out, line)) << line << "\n" << out;
  EXPECT_FALSE(has(out, "JRE name from dynamic launch properties is case-sensitive")) << out;
  EXPECT_FALSE(has(out, "ERROR - unable to import public key.")) << out;
  EXPECT_TRUE(has(out, "[Extractor] Shared dir is " + appData + "\n")) << out;
  EXPECT_TRUE(has(out, "[Extractor] Update URL is now 'http://updates.example/x/'\n")) << out;
  EXPECT_TRUE(has(out, "[Extractor] Master folder is " + appData + "\\Ommel-Sample\n")) << out;
  EXPECT_TRUE(fs::is_directory(folder.path() / "appdata" / "Ommel-Sample" / "logs"));
  EXPECT_TRUE(has(out, "[Extractor] Logging to " + appData + "\\Ommel-Sample\\logs\\Wrapper-")) << out;
  EXPECT_TRUE(has(run.logFile, "[Extractor] The update decision is not built into this launcher")) << run.logFile;
}

TEST(BundledLauncher, MarkerAfterItsOwnFirstByteIsFound) {
  TempFolder folder;
  fs::create_directory(folder.path() / "appdata");
  ScopedEnvironment env({{"APPDATA", windowsPathOf((folder.path() / "appdata").string())}});
  const BundledRun run = runBundle(folder, build(launcherBytes() + tailMarker().substr(0, 1), sampleContents()));
  EXPECT_TRUE(has(run.result.output, "[Extractor] Master folder is ")) << run.result.output;
}

TEST(BundledLauncher, TruncatedFilesEndWithTheDocumentedOutcome) {
  const std::string bundle = build(launcherBytes(), sampleContents());
  const size_t params = bundle.rfind(paramsMarker());
  struct Case {
    const char* what;
    std::string file;
    const char* expected;
  };
  const Case cases[] = {
      {"cut inside the tail: no Params marker", bundle.substr(0, params - 20), "Could not find marker: Params\n"},
      {"cut inside the last value", bundle.substr(0, bundle.size() - 5), "Dynamic Param 7: v100="},
      {"cut right after the Params marker", bundle.substr(0, params + paramsMarker().size()),
       "+++ Processing -1 dynamic properties\n"},
  };
  for (const Case& c : cases) {
    TempFolder folder;
    fs::create_directory(folder.path() / "appdata");
    ScopedEnvironment env({{"APPDATA", windowsPathOf((folder.path() / "appdata").string())}});
    const BundledRun run = runBundle(folder, c.file);
    EXPECT_EQ(run.result.exitCode, 1u) << c.what << "\n" << run.result.output;
    EXPECT_TRUE(has(run.result.output, c.expected)) << c.what << "\n" << run.result.output;
    EXPECT_FALSE(has(run.result.output, "Dynamic Param 8")) << c.what;
  }
}

TEST(BundledLauncher, SharedFolderBranchesFollowTheEnvironment) {
  TempFolder folder;
  for (const char* sub : {"local", "all", "bang!dir"}) fs::create_directory(folder.path() / sub);
  const std::string local = windowsPathOf((folder.path() / "local").string());
  const std::string all = windowsPathOf((folder.path() / "all").string());
  const std::string bang = windowsPathOf((folder.path() / "bang!dir").string());
  struct Case {
    const char* what;
    std::map<std::string, std::optional<std::string>> env;
    std::string expectedLine;
  };
  const Case cases[] = {
      {"roaming profile on a share",
       {{"APPDATA", "\\\\server\\share\\p"}, {"LOCALAPPDATA", local}},
       "[Extractor] Local AppData directory resolved to " + local + "\n"},
      {"'!' in the path", {{"APPDATA", bang}}, "Checking if " + bang + " contains a !\n"},
      {"missing APPDATA",
       {{"APPDATA", std::nullopt}, {"ALLUSERSPROFILE", all}},
       "[Extractor] Shared dir is " + all + "\\KXUser-"},
  };
  for (const Case& c : cases) {
    ScopedEnvironment env(c.env);
    const BundledRun run = runBundle(folder, build(launcherBytes(), sampleContents()));
    EXPECT_TRUE(has(run.result.output, c.expectedLine)) << c.what << "\n" << run.result.output;
    EXPECT_TRUE(has(run.result.output, "[Extractor] Master folder is ")) << c.what << "\n" << run.result.output;
  }
}

} // namespace
