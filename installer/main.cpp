// instkrev.exe: no window of its own; the exit code tells the outcome.
#include "cmdline.h"
#include "instkrev.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR, int showState) {
  return instkrev::InstallerMain(instance, previous, krev::CommandTail(GetCommandLineA()), showState);
}
