#include "backup_testutil.h"

#include <shlobj.h>
#include <zlib.h>

#include <cstring>

#include "testenv.h"

namespace lvtest {

namespace {
const char kKey[] = "Software\\Brennholt\\Vardeko\\3.0";

std::string Backslashes(std::string s) {
  for (char& c : s) {
    if (c == '/') c = '\\';
  }
  return s;
}

void PutLE32(std::string* s, unsigned long v) {
  for (int i = 0; i < 4; ++i) s->push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}
}  // namespace

std::string Fixture(const std::string& rel) { return Backslashes(LEXVAULT_FIXTURES "/" + rel); }

std::string PeerOutDir() { return Backslashes(LEXVAULT_PEER_OUT "/"); }

std::string Member(const std::string& content, const MemberFields& fields) {
  std::string m = "\x1f\x8b\x08";
  m.push_back(static_cast<char>(fields.flags));
  PutLE32(&m, 1577934245);
  m += std::string("\0\x0b", 2);
  if (fields.flags & 0x04) {
    m.push_back(static_cast<char>(fields.extra.size() & 0xFF));
    m.push_back(static_cast<char>(fields.extra.size() >> 8));
    m += fields.extra;
  }
  if (fields.flags & 0x08) m += fields.name + std::string(1, '\0');
  if (fields.flags & 0x10) m += fields.comment + std::string(1, '\0');
  if (fields.flags & 0x02) m += std::string("\0\0", 2);
  z_stream zs{};
  deflateInit2(&zs, fields.level, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
  std::string out(deflateBound(&zs, content.size()) + 16, '\0');
  zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(content.data()));
  zs.avail_in = static_cast<uInt>(content.size());
  zs.next_out = reinterpret_cast<Bytef*>(&out[0]);
  zs.avail_out = static_cast<uInt>(out.size());
  deflate(&zs, Z_FINISH);
  out.resize(zs.total_out);
  deflateEnd(&zs);
  m += out;
  PutLE32(&m, crc32(0, reinterpret_cast<const Bytef*>(content.data()), static_cast<uInt>(content.size())));
  PutLE32(&m, static_cast<unsigned long>(content.size()));
  return m;
}

std::string StoredName(const std::string& member) {
  if (member.size() < 11) return {};
  size_t end = member.find('\0', 10);
  return end == std::string::npos ? std::string() : member.substr(10, end - 10);
}

bool SetUnixMTime(const std::string& path, unsigned long seconds) {
  HANDLE h = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  unsigned long long t = 116444736000000000ULL + seconds * 10000000ULL;
  FILETIME ft{static_cast<DWORD>(t), static_cast<DWORD>(t >> 32)};
  BOOL ok = SetFileTime(h, nullptr, nullptr, &ft);
  CloseHandle(h);
  return ok != FALSE;
}

EnvVar::EnvVar(const char* name, const char* value) : name_(name) {
  char buf[4096];
  DWORD n = GetEnvironmentVariableA(name, buf, sizeof buf);
  had_ = n > 0 && n < sizeof buf;
  if (had_) old_.assign(buf, n);
  SetEnvironmentVariableA(name, value);
}

EnvVar::~EnvVar() { SetEnvironmentVariableA(name_.c_str(), had_ ? old_.c_str() : nullptr); }

SettingsValues::SettingsValues() {
  user_.root = HKEY_CURRENT_USER;
  user_.name = "用户词库文件";
  machine_.root = HKEY_LOCAL_MACHINE;
  machine_.name = "使用同一用户词库";
  Save(&user_);
  Save(&machine_);
  ClearBoth();
}

SettingsValues::~SettingsValues() {
  Restore(user_);
  Restore(machine_);
}

void SettingsValues::Save(Saved* s) {
  HKEY key;
  if (RegOpenKeyExA(s->root, kKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return;
  s->keyExisted = true;
  BYTE buf[2048];
  DWORD len = sizeof buf;
  if (RegQueryValueExA(key, s->name.c_str(), nullptr, &s->type, buf, &len) == ERROR_SUCCESS) {
    s->had = true;
    s->bytes.assign(reinterpret_cast<char*>(buf), len);
  }
  RegCloseKey(key);
}

void SettingsValues::Restore(const Saved& s) {
  HKEY key;
  if (RegOpenKeyExA(s.root, kKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
  if (s.had) {
    RegSetValueExA(key, s.name.c_str(), 0, s.type, reinterpret_cast<const BYTE*>(s.bytes.data()),
                   static_cast<DWORD>(s.bytes.size()));
  } else {
    RegDeleteValueA(key, s.name.c_str());
  }
  DWORD subkeys = 0, values = 0;
  RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr, nullptr, nullptr,
                   nullptr);
  RegCloseKey(key);
  if (!s.keyExisted && subkeys == 0 && values == 0) RegDeleteKeyA(s.root, kKey);
}

namespace {
void SetValue(HKEY root, const char* name, DWORD type, const std::string& bytes) {
  HKEY key;
  if (RegCreateKeyExA(root, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS) return;
  RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size()));
  RegCloseKey(key);
}
void DeleteValue(HKEY root, const char* name) {
  HKEY key;
  if (RegOpenKeyExA(root, kKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
  RegDeleteValueA(key, name);
  RegCloseKey(key);
}
}  // namespace

void SettingsValues::SetUserWordlib(const std::string& path) {
  SetValue(HKEY_CURRENT_USER, user_.name.c_str(), REG_SZ, path + std::string(1, '\0'));
}

void SettingsValues::SetSameWordlib(const std::string& bytes, DWORD type) {
  SetValue(HKEY_LOCAL_MACHINE, machine_.name.c_str(), type, bytes);
}

void SettingsValues::ClearBoth() {
  DeleteValue(HKEY_CURRENT_USER, user_.name.c_str());
  DeleteValue(HKEY_LOCAL_MACHINE, machine_.name.c_str());
}

std::string Dword(DWORD v) { return std::string(reinterpret_cast<const char*>(&v), 4); }

krevtest::SeenWindow AnswerBox(const std::string& caption, int id, std::chrono::milliseconds timeout) {
  krevtest::SeenWindow seen = krevtest::ExpectBox(caption, id, timeout).get();
  if (seen.found) WaitGone(seen.hwnd, timeout);
  return seen;
}

bool WaitGone(HWND hwnd, std::chrono::milliseconds timeout) { return krevtest::WaitGone(hwnd, timeout); }

std::string AppDataDir() {
  char buf[MAX_PATH] = {0};
  SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, 0, buf);
  return std::string(buf) + "\\";
}

}  // namespace lvtest
