#include "e2e.h"

#include <shlobj.h>

namespace e2e {

DWORD RegValue::dword() const {
  DWORD v = 0;
  if (data.size() == sizeof v) memcpy(&v, data.data(), sizeof v);
  return v;
}

RegValue ReadValue(HKEY root, const std::string& name) {
  RegValue v;
  HKEY key;
  if (RegOpenKeyExA(root, kKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) return v;
  DWORD size = 0;
  if (RegQueryValueExA(key, name.c_str(), nullptr, &v.type, nullptr, &size) == ERROR_SUCCESS) {
    v.data.assign(size, '\0');
    if (RegQueryValueExA(key, name.c_str(), nullptr, &v.type, reinterpret_cast<BYTE*>(&v.data[0]), &size) ==
        ERROR_SUCCESS) {
      v.data.resize(size);
      v.present = true;
    }
  }
  RegCloseKey(key);
  return v;
}

void WriteDword(HKEY root, const std::string& name, DWORD value) {
  HKEY key;
  if (RegCreateKeyExA(root, kKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS) return;
  RegSetValueExA(key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
  RegCloseKey(key);
}

std::map<std::string, RegValue> ReadAllValues() {
  std::map<std::string, RegValue> all;
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) return all;
  for (DWORD i = 0;; ++i) {
    char name[512];
    DWORD len = sizeof name;
    if (RegEnumValueA(key, i, name, &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    all[std::string(name, len)] = ReadValue(HKEY_CURRENT_USER, std::string(name, len));
  }
  RegCloseKey(key);
  return all;
}

std::string UserDataDir() {
  char buf[MAX_PATH] = {0};
  SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, 0, buf);
  std::string s = buf;
  if (!s.empty() && s.back() != '\\') s += '\\';
  return s + "VARDEKO\\";
}

namespace {

std::vector<std::string> UserFiles(const std::string& dir) {
  std::vector<std::string> v;
  for (const char* f : {"perlex.dat", "vardekosp.ini", "vardekosp.ksc", "punctdef.ini", "phrasedef.ini", "intake.log"})
    v.push_back(dir + f);
  return v;
}

}  // namespace

Scenario::Scenario()
    : data_(UserDataDir()),
      dataExisted_(GetFileAttributesA(data_.c_str()) != INVALID_FILE_ATTRIBUTES),
      files_(UserFiles(data_)) {
  krevtest::DeleteSettingsKeys();
}

Scenario::~Scenario() {
  krevtest::DeleteSettingsKeys();
  if (!dataExisted_) {
    // The guard has already put the files back, which for a folder that was not there means none.
    for (auto& f : UserFiles(data_)) DeleteFileA(f.c_str());
    RemoveDirectoryA(data_.c_str());
  }
}

HWND WaitCfgMain(const Program& p) {
  HWND main = p.WaitWindow("TfrmMain", kCfgCaption);
  if (!main) return nullptr;
  HWND tree = WaitFind(main, "tvwMenu");
  if (!tree) return nullptr;
  // FormCreate ends by selecting the start page's node.
  WaitUntil([&] {
    std::string sel = TreeSelection(tree);
    return sel == "输入设置" || sel == "输入法版本信息";
  });
  return main;
}

bool ShowPage(HWND main, const std::string& node, const std::string& page) {
  HWND tree = Find(main, "tvwMenu");
  HWND target = Find(main, page);
  if (!tree || !target) return false;
  if (!SelectTreeItem(tree, node)) return false;
  return WaitUntil([&] { return IsFront(target); });
}

HWND WaitDialog(const std::string& caption, milliseconds timeout) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = krevtest::FindTopWindow("#32770", caption)) != nullptr; }, timeout);
  return found && krevtest::Answers(found) ? found : nullptr;
}

HANDLE OpenWindowProcess(HWND h) {
  DWORD pid = 0;
  if (h) GetWindowThreadProcessId(h, &pid);
  return pid ? OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE, FALSE, pid) : nullptr;
}

long WaitProcessExit(HANDLE process, milliseconds timeout) {
  if (!process) return -1000;
  if (WaitForSingleObject(process, static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) return -1000;
  DWORD code = 0;
  GetExitCodeProcess(process, &code);
  return static_cast<long>(code);
}

bool WaitGone(HWND h, milliseconds timeout) { return krevtest::WaitGone(h, timeout); }

}  // namespace e2e
