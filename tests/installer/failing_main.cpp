// instkrev with an input-method manager that refuses every registration: the one way to see the
// installer's failure path as a process, since the manager here accepts any file.
#include "cmdline.h"
#include "instkrev.h"
#include "seams.h"

namespace {

HKL WINAPI RefuseInstall(LPCSTR, LPCSTR) { return nullptr; }

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR, int showState) {
  krevtest::ScopedCall refuse(instkrev::InstkrevCalls.ImmInstallIMEA, RefuseInstall);
  return instkrev::InstallerMain(instance, previous, krev::CommandTail(GetCommandLineA()), showState);
}
