// The installed program as a process: it starts on its welcome page, takes no parameters, and
// ends with exit code 0 when its window is closed.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "Control.h"
#include "captions.h"
#include "responder.h"
#include "testenv.h"
#include "wiztest.h"

using namespace wiztest;

namespace {

TEST_F(SettingsFixture, ProgramStartsOnPageZeroAndEndsWithExitCodeZero) {
  SetDword("输入栏字体大小", 32);
  const std::string exe = krevtest::InstallDir() + "kvcfgwiz.exe";
  ASSERT_TRUE(krevtest::FileExists(exe));
  // Parameters are ignored.
  krevtest::Process wizard("\"" + exe + "\" /anything ?", krevtest::InstallDir());
  ASSERT_TRUE(wizard.started());
  HWND wnd = nullptr;
  krevtest::WaitFor(
      [&] { return (wnd = krevtest::FindTopWindow(nullptr, krevtest::kWizCaption, wizard.pid())) != nullptr; },
      std::chrono::seconds(60));
  ASSERT_NE(nullptr, wnd) << "no wizard window";
  char cls[64] = {0};
  GetClassNameA(wnd, cls, sizeof cls);
  EXPECT_STREQ("TfrmMain", cls);
  HWND next = FindNamedWindow(wnd, "btnNext0");
  ASSERT_NE(nullptr, next);
  EXPECT_TRUE(IsWindowVisible(next));
  EXPECT_FALSE(IsWindowVisible(FindNamedWindow(wnd, "btnNext1")));

  PostMessageA(wnd, WM_CLOSE, 0, 0);
  EXPECT_EQ(0, wizard.WaitExit(std::chrono::seconds(60)));
  EXPECT_FALSE(wizard.Running());
  // The close box saves nothing.
  EXPECT_EQ(1, CountUserValues());
  EXPECT_EQ(32, GetDword("输入栏字体大小"));
}

// The names the program imports from krevset.dll, read from its import table.
std::vector<std::string> KrevsetImports(const std::string& exe) {
  std::vector<std::string> names;
  HMODULE m = LoadLibraryExA(exe.c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
  if (!m) return names;
  const auto* base = reinterpret_cast<const BYTE*>(m);
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  for (const auto* d = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress); d->Name; ++d) {
    if (lstrcmpiA(reinterpret_cast<const char*>(base + d->Name), "krevset.dll") != 0) continue;
    for (const auto* t = reinterpret_cast<const IMAGE_THUNK_DATA32*>(base + d->OriginalFirstThunk); t->u1.AddressOfData;
         ++t) {
      if (IMAGE_SNAP_BY_ORDINAL32(t->u1.Ordinal)) continue;
      names.push_back(reinterpret_cast<const char*>(
          reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + t->u1.AddressOfData)->Name));
    }
  }
  FreeLibrary(m);
  std::sort(names.begin(), names.end());
  return names;
}

TEST(Program, BindsOnlyTheSixPathGetters) {
  EXPECT_EQ((std::vector<std::string>{"krevGetChnsymPath", "krevGetSpdefPath", "krevGetSpewordsPath",
                                      "krevGetUserDataPath", "krevGetUserWordlibPath", "krevGetVardekoPath"}),
            KrevsetImports(krevtest::InstallDir() + "kvcfgwiz.exe"));
}

}  // namespace
