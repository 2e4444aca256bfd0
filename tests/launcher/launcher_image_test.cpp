// What is inside launcher.exe: a 32-bit GUI program with the asInvoker manifest, icon group 1000
// with five images, and a version resource.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "temp_folder.h"
#include "wine_process.h"

namespace {

const std::string kLauncher = windowsPathOf(KX_SHIPPED_LAUNCHER_EXE);

std::string resourceBytes(HMODULE module, LPCSTR name, LPCSTR type) {
  HRSRC found = FindResourceA(module, name, type);
  if (!found) return {};
  HGLOBAL loaded = LoadResource(module, found);
  const char* bytes = static_cast<const char*>(LockResource(loaded));
  return bytes ? std::string(bytes, SizeofResource(module, found)) : std::string();
}

TEST(LauncherImage, IsA32BitWindowedProgram) {
  const std::string image = readWholeFile(kLauncher);
  ASSERT_GT(image.size(), 0x400u);
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(image.data());
  ASSERT_EQ(dos->e_magic, IMAGE_DOS_SIGNATURE);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(image.data() + dos->e_lfanew);
  ASSERT_EQ(nt->Signature, IMAGE_NT_SIGNATURE);
  EXPECT_EQ(nt->FileHeader.Machine, IMAGE_FILE_MACHINE_I386);
  EXPECT_EQ(nt->OptionalHeader.Magic, IMAGE_NT_OPTIONAL_HDR32_MAGIC);
  EXPECT_EQ(nt->OptionalHeader.Subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI);
}

TEST(LauncherImage, CarriesManifestIconsAndVersion) {
  HMODULE module = LoadLibraryExA(kLauncher.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(module, nullptr);

  const std::string manifest = resourceBytes(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24) /* RT_MANIFEST */);
  EXPECT_NE(manifest.find("<requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>"), std::string::npos)
      << manifest;

  const std::string group = resourceBytes(module, MAKEINTRESOURCEA(1000), MAKEINTRESOURCEA(14) /* RT_GROUP_ICON */);
  ASSERT_GE(group.size(), 6u);
  const WORD type = *reinterpret_cast<const WORD*>(group.data() + 2);
  const WORD count = *reinterpret_cast<const WORD*>(group.data() + 4);
  EXPECT_EQ(type, 1); // icons, not cursors
  EXPECT_EQ(count, 5);
  FreeLibrary(module);

  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(kLauncher.c_str(), &ignored);
  ASSERT_GT(size, 0u);
  std::string block(size, '\0');
  ASSERT_TRUE(GetFileVersionInfoA(kLauncher.c_str(), 0, size, block.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT fixedSize = 0;
  ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &fixedSize));
  EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
}

} // namespace
