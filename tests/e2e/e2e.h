// What the end-to-end scenarios share: the settings key read back with the real API, the user's
// folders, files put back after a scenario, and the windows of the settings centre.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "driver.h"
#include "responder.h"
#include "testenv.h"

namespace e2e {

using namespace krevdrv;

constexpr const char* kKeyPath = "Software\\Brennholt\\Vardeko\\3.0";
constexpr const char* kCfgCaption = "青岚拼音输入法 － 属性设置和管理中心";
constexpr const char* kWizCaption = "青岚拼音输入法 配置向导";
constexpr const char* kLexVaultCaption = "青岚拼音输入法 词库备份/恢复";

// One stored value as the registry holds it.
struct RegValue {
  bool present = false;
  DWORD type = REG_NONE;
  std::string data;
  DWORD dword() const;
};
RegValue ReadValue(HKEY root, const std::string& name);
void WriteDword(HKEY root, const std::string& name, DWORD value);
// Every value of the per-user key, by name.
std::map<std::string, RegValue> ReadAllValues();

// The user's application-data folder + "VARDEKO\" (where the service library keeps the user's
// files in the default mode) and the files in it.
std::string UserDataDir();

using krevtest::FileGuard;

// The settings key removed before and after a scenario, and the user data directory's files put
// back: each scenario starts from the defaults.
class Scenario : public ::testing::Test {
 protected:
  Scenario();
  ~Scenario() override;
  std::string data_;

 private:
  bool dataExisted_;
  FileGuard files_;
};

// The settings centre's main window of `p`, once its start page is in front.
HWND WaitCfgMain(const Program& p);
// Selects a node of the page tree and waits for `page` to come to front.
bool ShowPage(HWND main, const std::string& node, const std::string& page);
// A visible top-level dialog (class "#32770") with the caption, of any process, once it answers.
HWND WaitDialog(const std::string& caption, milliseconds timeout = kWindowWait);
// The process of a window, opened for waiting on it and reading its exit code.
HANDLE OpenWindowProcess(HWND h);
long WaitProcessExit(HANDLE process, milliseconds timeout = kWindowWait);

// The wizard: its window once page 0 shows, the page in front (the visible tab sheet), and a
// forward button clicked until the page it leads to shows.
HWND WaitWizard(const Program& p);
int WizardPage(HWND main);
bool Forward(HWND main, const std::string& button, int page);

// Waits until the window is gone (a box that was answered).
bool WaitGone(HWND h, milliseconds timeout = kStateWait);

}  // namespace e2e
