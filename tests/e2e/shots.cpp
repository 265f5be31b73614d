// Pictures of the windows for docs/: drives the programs through the states shown there and saves
// each window as a BMP in the folder given (scripts/screenshots turns them into PNG files). Meant
// for a prefix with the X11 driver under Xvfb.
//   e2e_shots OUTDIR\   (ends in a backslash)
#include <windows.h>

#include <cstdio>
#include <string>

#include "captions.h"
#include "driver.h"
#include "responder.h"

using namespace krevdrv;

namespace {

std::string out;
int failures = 0;

void Shot(HWND h, const char* name) {
  std::string path = out + name + ".bmp";
  if (!h || !CaptureWindow(h, path)) {
    std::fprintf(stderr, "shots: %s not taken\n", name);
    ++failures;
  } else {
    std::printf("%s\n", name);
  }
  std::fflush(stdout);
}

bool Page(HWND main, const char* node, const char* page) {
  HWND target = Find(main, page);
  return SelectTreeItem(Find(main, "tvwMenu"), node) && WaitUntil([&] { return IsFront(target); });
}

void Centre() {
  Program cfg(Program::InInstallDir("krevcfg.exe"));
  HWND main = cfg.WaitWindow("TfrmMain");
  if (!main || !WaitFind(main, "tvwMenu")) {
    std::fprintf(stderr, "shots: krevcfg did not start\n");
    ++failures;
    return;
  }
  struct {
    const char* node;
    const char* page;
    const char* name;
  } pages[] = {{"输入设置", "scbxSetting", "krevcfg-settings-input"},
               {"功能键", "scbxSetting", "krevcfg-settings-keys"},
               {"外观", "scbxSetting", "krevcfg-settings-look"},
               {"模糊音", "scbxSetting", "krevcfg-settings-fuzzy"},
               {"高级", "scbxSetting", "krevcfg-settings-advanced"},
               {"双拼编码", "pnlSpdef", "krevcfg-editor-shuangpin"},
               {"中文符号输入", "pnlChnsym", "krevcfg-editor-symbols"},
               {"特殊字词和短语", "pnlSpewords", "krevcfg-editor-phrases"},
               {"用户词库管理", "scbxWordlibMgr", "krevcfg-wordlib"},
               {"输入法版本信息", "scbxVersion", "krevcfg-version"}};
  for (auto& p : pages) {
    if (Page(main, p.node, p.page)) Shot(main, p.name);
    else ++failures;
  }
  if (Page(main, "用户词库管理", "scbxWordlibMgr") && Click(Find(main, "btnLexVault"))) {
    HWND dlg = nullptr;
    WaitUntil([&] { return (dlg = krevtest::FindTopWindow("#32770", krevtest::kLexVaultCaption)) != nullptr; }, kWindowWait);
    Shot(dlg, "lexvault-dialog");
    if (dlg) PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0);
  }
  Press(Find(main, "btnApply"));
  HWND prompt = cfg.WaitWindow("TfrmSavePrompt");
  Shot(prompt, "krevcfg-save-prompt");
  if (prompt) Click(Find(prompt, "btnOK"));
  Press(Find(main, "btnCancel"));
  cfg.WaitExit();
}

int WizPage(HWND main) {
  for (int i = 0; i <= 10; ++i)
    if (Visible(Find(main, "TabSheet" + std::to_string(i)))) return i;
  return -1;
}

bool Go(HWND main, const char* button, int page) {
  return Click(Find(main, button)) && WaitUntil([&] { return WizPage(main) == page; });
}

void Wizard() {
  Program wiz(Program::InInstallDir("kvcfgwiz.exe"));
  HWND m = wiz.WaitWindow("TfrmMain");
  if (!m || !WaitUntil([&] { return WizPage(m) == 0; })) {
    std::fprintf(stderr, "shots: kvcfgwiz did not start\n");
    ++failures;
    return;
  }
  Shot(m, "kvcfgwiz-page0");
  bool ok = Go(m, "btnNext0", 1);
  if (ok) Shot(m, "kvcfgwiz-page1");
  ok = ok && SetChecked(Find(m, "rdbtUsage1"), true) && Go(m, "btnNext1", 2);
  if (ok) Shot(m, "kvcfgwiz-page2");
  ok = ok && Go(m, "btnPrev2", 1) && SetChecked(Find(m, "rdbtUsage2"), true) && Go(m, "btnNext1", 6);
  if (ok) Shot(m, "kvcfgwiz-page6");
  ok = ok && SetChecked(Find(m, "rdbxZiranma"), true) && Go(m, "btnNext6", 8);
  if (ok) Shot(m, "kvcfgwiz-page8");
  ok = ok && Go(m, "btnPrev8", 6) && SetChecked(Find(m, "rdbxMspy"), true) && Go(m, "btnNext6", 9);
  if (ok) Shot(m, "kvcfgwiz-page9");
  ok = ok && Go(m, "btnPrev9", 6) && Go(m, "btnPrev6", 1) && SetChecked(Find(m, "rdbtUsage3"), true) &&
       Go(m, "btnNext1", 10);
  if (ok) Shot(m, "kvcfgwiz-page10");
  if (!ok) ++failures;
  wiz.Kill();
}

void Installer() {
  Program inst(Program::InInstallDir("instkrev.exe"));
  HWND box = nullptr;
  WaitUntil([&] { return (box = inst.TopWindow("#32770")) != nullptr || !inst.Running(); }, kWindowWait);
  Shot(box, "instkrev-box");
  if (box) PostMessageA(box, WM_COMMAND, IDOK, 0);
  inst.WaitExit();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: e2e_shots OUTDIR\\\n");
    return 2;
  }
  out = argv[1];
  Centre();
  Wizard();
  Installer();
  return failures ? 1 : 0;
}
