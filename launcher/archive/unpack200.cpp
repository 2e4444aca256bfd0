#include "archive/unpack200.h"

#include <mutex>

#include "log/launcher_log.h"

namespace {

std::mutex toolLock;
std::string toolPath;
Unpack200Preparation preparation = nullptr;
bool prepared = false;

} // namespace

void setUnpack200Path(const std::string& path) {
  std::lock_guard<std::mutex> hold(toolLock);
  toolPath = path;
}

std::string unpack200Path() {
  std::lock_guard<std::mutex> hold(toolLock);
  return toolPath;
}

void setUnpack200Preparation(Unpack200Preparation prepare) {
  std::lock_guard<std::mutex> hold(toolLock);
  preparation = prepare;
  prepared = false;
}

void runUnpack200(const std::string& packed, const std::string& target) {
  std::string tool;
  {
    std::lock_guard<std::mutex> hold(toolLock);
    if (!prepared) {
      if (preparation) preparation(toolPath);
      prepared = true;
    }
    tool = toolPath;
  }
  if (!runProgramAndWait(tool, packed, target)) logMessage("\t[Unarchiver] Could not start %s\n", tool.c_str());
}
