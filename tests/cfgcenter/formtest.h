// The real main window built hidden in the test process, over the real registry and files of the
// prepared prefix; what a test changes in the user data directory is put back afterwards.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "captions.h"
#include "testenv.h"
#include "uCfgPrompt.h"
#include "uMain.h"

namespace cfgtest {

// Existence and content of some files, put back on destruction.
using krevtest::FileGuard;

// The folders the service library names.
std::string UserDataDir();
std::string InstallDir();

// Settings stored through the settings object, as a save would.
void StoreSettings(const TKrevConfig& config);

// Every stored field (and the derived mode) equal.
void ExpectSameSettings(const TKrevConfig& expected, const TKrevConfig& actual);

// Every control of the enable rules enabled or shown exactly as its choice says.
void ExpectRuleStates(TfrmMain& f);

// The live ShuangPin file every form test starts with: a scheme the service library compiles.
constexpr const char kSpdefText[] = "; sp line 1\r\n[finals]\r\nai=l";

// Types `text` at the start of an edit or memo as the keyboard would.
void TypeInto(TControl& control, const std::string& text);

// Whether the settings key under the current user exists.
using krevtest::SettingsKeyExists;

// Saves without the prompt from now on, as a tick in the prompt's box does.
void StorePromptOff();

class MainFormTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Ends one case of a test as a test's end does (windows gone, registry and files put back) and
  // starts the next from where a test starts: for a test that runs its cases one after another.
  void StartNextCase() {
    TearDown();
    SetUp();
  }

  // Creates frmMain (running FormCreate) and frmSavePrompt, as the program's main block does.
  TfrmMain& Open();
  // Makes the settings page's visible area 345 pixels high, the design size.
  void DesignSize(int extraHeight = 0);
  TfrmMain& frm() { return *frmMain; }

  std::string spdef_, chnsym_, spewords_, wordlib_, ksc_;

 private:
  std::unique_ptr<FileGuard> files_;
  bool userDirExisted_ = false;
};

}  // namespace cfgtest
