// OK and Save: the save sequence, the save prompt, and making sure a user word library exists.
#include "cfglogic.h"
#include "krevset.h"
#include "uCfgPrompt.h"
#include "uMain.h"

namespace {

const char kWordlibCaption[] = "清除复位用户词库";
const char kGenerateFailed[] =
    "生成用户词库失败，请确认用户词库选项，如果指定词库文件，请确认路径是否正确。";

// The wait cursor for the length of a scope; an error that ends the sequence early must not leave
// the hourglass behind.
class TWaitCursor {
 public:
  TWaitCursor() { Screen.SetCursor(crHourGlass); }
  ~TWaitCursor() { Screen.SetCursor(crArrow); }
  TWaitCursor(const TWaitCursor&) = delete;
  TWaitCursor& operator=(const TWaitCursor&) = delete;
};

// "属性设置保存提示" = 0; a key that can be neither opened nor created is skipped silently.
void StorePromptOff() {
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, KrevSettingsKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS) {
    return;
  }
  DWORD zero = 0;
  RegSetValueExA(key, KrevPromptAfterSaveValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&zero),
                 sizeof zero);
  RegCloseKey(key);
}

}  // namespace

void TfrmMain::SaveAll() {
  {
    TWaitCursor wait;
    ControlsToConfig();
    FConfig->SaveToRegistry();
    if (mmoChnsym.Modified()) {
      mmoChnsym.SaveToFile(FConfig->FChnsymPath);
      mmoChnsym.SetModified(false);
    }
    if (mmoSpewords.Modified()) {
      mmoSpewords.SaveToFile(FConfig->FSpewordsPath);
      mmoSpewords.SetModified(false);
    }
    if (mmoSpdef.Modified()) {
      mmoSpdef.SaveToFile(FConfig->FSpdefPath);
      krevGenSPKSCFile();
      mmoSpdef.SetModified(false);
    }
  }
  if (FConfig->FPromptAfterSave) {
    frmSavePrompt->ShowModal();
    FConfig->FPromptAfterSave = frmSavePrompt->PromptAgain();
    if (!FConfig->FPromptAfterSave) StorePromptOff();
  }
}

void TfrmMain::btnOKClick(TObject*) {
  SaveAll();
  FConfig->ReadPaths();
  if (krevcfg::FileExistsAt(FConfig->FUserWordlibPath) || krevGenerateUserWordLib()) {
    Close();
    return;
  }
  Application.MessageBox(kGenerateFailed, kWordlibCaption, MB_OK | MB_ICONEXCLAMATION);
}

void TfrmMain::btnApplyClick(TObject*) {
  SaveAll();
  FConfig->ReadPaths();
  if (!krevcfg::FileExistsAt(FConfig->FUserWordlibPath)) {
    if (krevGenerateUserWordLib()) {
      Application.MessageBox("已经为您生成用户词库成功。", kWordlibCaption, MB_OK | MB_ICONINFORMATION);
    } else {
      Application.MessageBox(kGenerateFailed, kWordlibCaption, MB_OK | MB_ICONEXCLAMATION);
    }
  }
  ShowWordlibLabels();
}
