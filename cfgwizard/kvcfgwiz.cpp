// kvcfgwiz: the configuration wizard. It takes no command-line parameters.
#include "uCfgWiz.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  Application.Initialize();
  Application.SetTitle(WizardAppTitle);
  Application.CreateForm(frmMain);
  return Application.Run();
}
