// Stand-in for the input method's service library krevset.dll: the paths of the installation and
// user data directories, the user word library and the three definition files, and the actions
// that the settings centre asks of it. Its file formats are described in FORMATS.md.
#include "krevset.h"

#include <cstring>
#include <string>

#include "krevlib.h"
#include "userwordlib.h"

namespace {

HINSTANCE g_module = nullptr;

// Copies `path` into the caller's buffer when it fits (at most KREV_PATH_BUFFER - 1 characters and
// the zero byte); a path that does not fit leaves the buffer as it was and fails.
KREVBOOL Deliver(const std::string& path, char* buffer) {
  if (buffer == nullptr || path.empty() || path.size() > KREV_PATH_BUFFER - 1) return 0;
  memcpy(buffer, path.c_str(), path.size() + 1);
  return 1;
}

// The actions work only on a library that krevGetUserWordlibPath can name. LexVault's buffers
// hold a few characters more; a settings centre that cannot learn such a path takes the library
// for missing and asks for a new one, which must not replace the user's words.
std::string NamedUserWordlib() {
  std::string path = krevset::UserWordlibPath();
  return path.size() <= KREV_PATH_BUFFER - 1 ? path : std::string();
}

}  // namespace

namespace krevset {

std::string InstallDir() {
  char path[MAX_PATH + 1] = {};
  DWORD n = GetModuleFileNameA(g_module, path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return std::string();
  std::string dir(path, n);
  size_t slash = dir.find_last_of('\\');
  if (slash == std::string::npos) return std::string();
  return dir.substr(0, slash + 1);
}

// The user data directory and the user word library come from the rule that LexVault calls too:
// the settings centre must generate and import into the very file that LexVault backs up and
// restores, whatever the registry holds. Both fill a 260-byte buffer; an empty one means the path
// could not be had.
std::string UserDataDir() {
  char path[krev::kPathBufferSize] = {};
  krev::GetUserDataDir(krev::LocationRealCalls, path);
  return path;
}

std::string UserWordlibPath() {
  char path[krev::kPathBufferSize] = {};
  // The user data directory is asked for first, as LexVault's file table asks for it before every
  // file: the lookup makes a missing application-data folder whichever mode then names the library.
  krev::GetUserDataDir(krev::LocationRealCalls, path);
  krev::ResolveUserWordlibPath(krev::LocationRealCalls, path);
  return path;
}

}  // namespace krevset

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) g_module = instance;
  return TRUE;
}

extern "C" {

KREVBOOL __stdcall krevGetVardekoPath(char* buffer) {
  return Deliver(krevset::InstallDir(), buffer);
}

KREVBOOL __stdcall krevGetUserDataPath(char* buffer) {
  return Deliver(krevset::UserDataDir(), buffer);
}

KREVBOOL __stdcall krevGetUserWordlibPath(char* buffer) {
  return Deliver(krevset::UserWordlibPath(), buffer);
}

KREVBOOL __stdcall krevGetChnsymPath(char* buffer) {
  return Deliver(krevset::UserDataDir() + "punctdef.ini", buffer);
}

KREVBOOL __stdcall krevGetSpdefPath(char* buffer) {
  return Deliver(krevset::UserDataDir() + "vardekosp.ini", buffer);
}

KREVBOOL __stdcall krevGetSpewordsPath(char* buffer) {
  return Deliver(krevset::UserDataDir() + "phrasedef.ini", buffer);
}

KREVBOOL __stdcall krevGenSPKSCFile(void) {
  const std::string dir = krevset::UserDataDir();
  return krevset::CompileSpScheme(dir + "vardekosp.ini", dir + "vardekosp.ksc") ? 1 : 0;
}

KREVBOOL __stdcall krevGenerateUserWordLib(void) {
  return krevset::GenerateUserWordlib(krevset::InstallDir() + "baselex.dat",
                                      NamedUserWordlib(), krevset::UserDataDir())
             ? 1
             : 0;
}

KREVBOOL __stdcall krevAddWordsFromTxtFile(const char* path) {
  if (path == nullptr || *path == '\0') return 0;
  return krevset::ImportWordList(path, NamedUserWordlib(),
                                 krevset::UserDataDir() + "intake.log")
             ? 1
             : 0;
}

KREVBOOL __stdcall krevHelpSetting(HWND owner, const char* page) {
  if (page == nullptr) return 0;
  typedef HWND(WINAPI * HtmlHelpFn)(HWND, LPCSTR, UINT, DWORD_PTR);
  // The viewer's windows live in hhctrl.ocx, so it stays loaded once it is.
  static HMODULE viewer = LoadLibraryA("hhctrl.ocx");
  if (viewer == nullptr) return 0;
  HtmlHelpFn htmlHelp = reinterpret_cast<HtmlHelpFn>(
      reinterpret_cast<void*>(GetProcAddress(viewer, "HtmlHelpA")));
  if (htmlHelp == nullptr) return 0;
  const std::string topic = krevset::InstallDir() + "vardeko.chm::/" + page;
  const UINT HH_DISPLAY_TOPIC_ = 0;
  return htmlHelp(owner, topic.c_str(), HH_DISPLAY_TOPIC_, 0) != nullptr ? 1 : 0;
}

}
