// krevcfg: the input method's settings and management centre.
#include "uCfgPrompt.h"
#include "uMain.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  Application.Initialize();
  Application.SetTitle(kAppTitle);
  Application.CreateForm(frmMain);
  Application.CreateForm(frmSavePrompt);
  return Application.Run();
}
