// krevcfg.exe as a process: the start page by command line, the window found by its component
// names from outside, closed by its close box, exit code 0.
#include <windows.h>

#include "formtest.h"
#include "responder.h"

using namespace cfgtest;

namespace {

// The named page's window is topmost among its siblings.
bool IsFrontWindow(HWND h) { return h && GetWindow(h, GW_HWNDPREV) == nullptr; }

}  // namespace

TEST(KrevcfgProcess, StartPageByFirstParameter) {
  std::string data = UserDataDir();
  FileGuard files({data + "vardekosp.ini", data + "punctdef.ini", data + "phrasedef.ini"});
  bool dataExisted = GetFileAttributesA(data.c_str()) != INVALID_FILE_ATTRIBUTES;
  krevtest::DeleteSettingsKeys();
  struct {
    const char* args;
    const char* front;
  } cases[] = {{" ?", "scbxVersion"}, {"", "scbxSetting"}, {" /?", "scbxSetting"},
               {" x ?", "scbxSetting"}};
  for (const auto& c : cases) {
    std::string cmd = "\"" + InstallDir() + "krevcfg.exe\"" + c.args;
    krevtest::Process krevcfg(cmd);
    ASSERT_TRUE(krevcfg.started()) << cmd;
    HWND main = nullptr;
    bool up = krevtest::PumpUntil(
        [&] {
          // The window of the process started here, not of another copy still running.
          main = krevtest::FindTopWindow("TfrmMain", krevtest::kCfgCaption, krevcfg.pid());
          return main && IsFrontWindow(FindNamedWindow(main, c.front));
        },
        std::chrono::seconds(60));
    EXPECT_TRUE(up) << cmd;
    for (const char* other : {"scbxSetting", "scbxVersion", "pnlSpdef", "scbxWordlibMgr"}) {
      if (main && std::string(other) != c.front) {
        EXPECT_FALSE(IsFrontWindow(FindNamedWindow(main, other))) << cmd << " " << other;
      }
    }
    if (main) PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(0, krevcfg.WaitExit(std::chrono::seconds(60))) << cmd;
  }
  krevtest::DeleteSettingsKeys();
  if (!dataExisted) krevtest::RemoveTree(data);
}
