// krevcfg: the input method's settings and management centre.
#include "uCfgPrompt.h"
#include "uMain.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  Application.Initialize();
  Application.SetTitle("青岚拼音输入法－属性设置和管理中心");
  Application.CreateForm(frmMain);
  Application.CreateForm(frmSavePrompt);
  return Application.Run();
}
