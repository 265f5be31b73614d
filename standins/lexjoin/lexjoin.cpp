// Stand-in for the word-library merge and repair tool. It changes no file: it only shows which
// job it was started for, so that a person or a test can see what the settings centre asked of it.
//   no arguments  merge the word libraries
//   /r            repair the user word library
#include <windows.h>

#include <string>

namespace {

const char kCaption[] = "青岚拼音词库工具";

// The text after the program name, as the system hands it to a program.
std::string Arguments() {
  const char* p = GetCommandLineA();
  if (*p == '"') {
    ++p;
    while (*p && *p != '"') ++p;
    if (*p == '"') ++p;
  } else {
    while (static_cast<unsigned char>(*p) > ' ') ++p;
  }
  std::string rest = p;
  size_t first = rest.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return {};
  size_t last = rest.find_last_not_of(" \t\r\n");
  return rest.substr(first, last - first + 1);
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
