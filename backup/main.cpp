// lexvault.exe: the command line is taken from the system, not from the C runtime's start-up code.
#include "cmdline.h"
#include "front.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR, int showCommand) {
  return LexVaultMain(instance, previous, krev::CommandTail(GetCommandLineA()), showCommand);
}
