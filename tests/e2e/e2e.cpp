#include "e2e.h"

namespace e2e {

namespace {

std::vector<std::string> UserFiles(const std::string& dir) {
  std::vector<std::string> v;
  for (const char* f : {"perlex.dat", "vardekosp.ini", "vardekosp.ksc", "punctdef.ini", "phrasedef.ini", "intake.log"})
    v.push_back(dir + f);
  return v;
}

}  // namespace

Scenario::Scenario()
    : data_(krevtest::DefaultUserDataDir()),
      dataExisted_(GetFileAttributesA(data_.c_str()) != INVALID_FILE_ATTRIBUTES),
      files_(UserFiles(data_)) {
  krevtest::DeleteSettingsKeys();
}

Scenario::~Scenario() {
  krevtest::DeleteSettingsKeys();
  if (!dataExisted_) {
    // The guard has already put the files back, which for a folder that was not there means none.
    for (auto& f : UserFiles(data_)) DeleteFileA(f.c_str());
    RemoveDirectoryA(data_.c_str());
  }
}

HWND WaitCfgMain(const Program& p) {
  HWND main = p.WaitWindow("TfrmMain", kCfgCaption);
  if (!main) return nullptr;
  HWND tree = WaitFind(main, "tvwMenu");
  if (!tree) return nullptr;
  // FormCreate ends by selecting the start page's node.
  WaitUntil([&] {
    std::string sel = TreeSelection(tree);
    return sel == "输入设置" || sel == "输入法版本信息";
  });
  return main;
}

bool ShowPage(HWND main, const std::string& node, const std::string& page) {
  HWND tree = Find(main, "tvwMenu");
  HWND target = Find(main, page);
  if (!tree || !target) return false;
  if (!SelectTreeItem(tree, node)) return false;
  return WaitUntil([&] { return IsFront(target); });
}

HWND WaitDialog(const std::string& caption, milliseconds timeout) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = krevtest::FindTopWindow("#32770", caption)) != nullptr; }, timeout);
  return found && krevtest::Answers(found) ? found : nullptr;
}

// The page in front of the wizard: the only visible tab sheet.
int WizardPage(HWND main) {
  for (int i = 0; i <= 10; ++i) {
    if (Visible(Find(main, "TabSheet" + std::to_string(i)))) return i;
  }
  return -1;
}

// Clicks a page's forward button and waits for the page it leads to.
bool Forward(HWND main, const std::string& button, int page) {
  return Click(Find(main, button)) && WaitUntil([&] { return WizardPage(main) == page; });
}

HWND WaitWizard(const Program& p) {
  HWND main = p.WaitWindow("TfrmMain", kWizCaption);
  if (main && !WaitUntil([&] { return WizardPage(main) == 0; })) return nullptr;
  return main;
}

bool WaitGone(HWND h, milliseconds timeout) { return krevtest::WaitGone(h, timeout); }

}  // namespace e2e
