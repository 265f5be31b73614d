// Stands in for a program that the settings centre starts: writes down where it was started from,
// the command line it received and the arguments the runtime made of it, into "<its path>.rec",
// one item a line:
//   module path
//   command line
//   each argument after the program name
// The record is written beside it first and then renamed, so a reader never sees half of one.
#include <windows.h>

#include <cstdlib>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char module[MAX_PATH] = {0};
  GetModuleFileNameA(nullptr, module, MAX_PATH);
  std::string record = std::string(module) + "\r\n" + GetCommandLineA() + "\r\n";
  for (int i = 1; i < __argc; ++i) record += std::string(__argv[i]) + "\r\n";

  const std::string target = std::string(module) + ".rec";
  const std::string partial = target + ".part";
  HANDLE h = CreateFileA(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return 2;
  DWORD written = 0;
  BOOL ok = WriteFile(h, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
  CloseHandle(h);
  if (!ok || written != record.size()) return 2;
  return MoveFileExA(partial.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 2;
}
