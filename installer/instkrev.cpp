#include "instkrev.h"

#include <imm.h>

#include <cstdio>

namespace instkrev {

const TInstkrevCalls InstkrevRealCalls = {
    ::GetSystemDirectoryA,
    ::ImmInstallIMEA,
};
TInstkrevCalls InstkrevCalls = InstkrevRealCalls;
int ShowMessages = 1;

namespace {

const char kImeFileName[] = "vardeko.ime";
const char kLayoutText[] = "青岚拼音输入法";
const char kCaption[] = "青岚拼音输入法ime安装";
const char kSuccessText[] = "安装ime成功。";
const char kFailureText[] = "安装ime出错！";

// Fills `path` with the system directory, a backslash and the module's file name. False when the
// system cannot name its directory or the whole path does not fit, so nothing is ever cut short
// and nothing is written past either buffer.
bool ImePath(char (&path)[256]) {
  char systemDir[256] = {0};
  // The result is 0 on failure, or the size needed (terminating zero included) when 255 bytes
  // are not enough; only a shorter result means the buffer holds the whole directory.
  UINT length = InstkrevCalls.GetSystemDirectoryA(systemDir, 255);
  if (length == 0 || length >= 255) return false;
  int written = std::snprintf(path, sizeof path, "%s\\%s", systemDir, kImeFileName);
  return written > 0 && static_cast<size_t>(written) < sizeof path;
}

}  // namespace

bool IsSilent(const char* commandTail) {
  return commandTail && commandTail[0] == '/' && commandTail[1] == 's';
}

int InstallerMain(HINSTANCE, HINSTANCE, const char* commandTail, int) {
  ShowMessages = IsSilent(commandTail) ? 0 : 1;

  char path[256] = {0};
  HKL layout = nullptr;
  if (ImePath(path)) layout = InstkrevCalls.ImmInstallIMEA(path, kLayoutText);

  if (layout) {
    if (ShowMessages) MessageBoxA(nullptr, kSuccessText, kCaption, MB_OK | MB_ICONINFORMATION);
    return 0;
  }
  if (ShowMessages) MessageBoxA(nullptr, kFailureText, kCaption, MB_OK | MB_ICONERROR);
  return -2;
}

}  // namespace instkrev
