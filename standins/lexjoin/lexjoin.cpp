// Stand-in for the word-library merge and repair tool. It changes no file: it only shows which
// job it was started for, so that a person or a test can see what the settings centre asked of it.
//   no arguments  merge the word libraries
//   /r            repair the user word library
#include <windows.h>

#include <string>

#include "cmdline.h"

namespace {

const char kCaption[] = "青岚拼音词库工具";

// The text after the program name, without the blanks and control characters that end it.
std::string Arguments() {
  std::string rest = krev::CommandTail(GetCommandLineA());
  while (!rest.empty() && static_cast<unsigned char>(rest.back()) <= ' ') rest.pop_back();
  return rest;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  std::string args = Arguments();
  if (args.empty()) {
    MessageBoxA(nullptr, "合并用户词库", kCaption, MB_OK | MB_ICONINFORMATION);
    return 0;
  }
  if (args == "/r") {
    MessageBoxA(nullptr, "修复用户词库", kCaption, MB_OK | MB_ICONINFORMATION);
    return 0;
  }
  std::string text = "无法识别的参数：" + args;
  MessageBoxA(nullptr, text.c_str(), kCaption, MB_OK | MB_ICONEXCLAMATION);
  return 1;
}
