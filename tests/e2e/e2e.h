// What the end-to-end scenarios share: a scenario that starts from the defaults and puts back the
// user's files, and the windows of the settings centre and the wizard. The settings key is read back
// raw (registry.h).
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "captions.h"
#include "driver.h"
#include "registry.h"
#include "responder.h"
#include "testenv.h"

namespace e2e {

using namespace krevdrv;

using namespace krevtest::captions;

using krevtest::FileGuard;
using krevtest::RawValue;
using krevtest::ReadAllValues;
using krevtest::ReadRaw;
using krevtest::WriteDword;

// The settings key removed before and after a scenario, and the files of the user data directory
// (where the service library keeps the user's files in the default mode) put back: each scenario
// starts from the defaults.
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

// The wizard: its window once page 0 shows, the page in front (the visible tab sheet), and a
// forward button clicked until the page it leads to shows.
HWND WaitWizard(const Program& p);
int WizardPage(HWND main);
bool Forward(HWND main, const std::string& button, int page);

// Waits until the window is gone (a box that was answered).
bool WaitGone(HWND h, milliseconds timeout = kStateWait);

}  // namespace e2e
