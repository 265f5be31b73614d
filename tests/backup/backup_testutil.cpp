#include "backup_testutil.h"

#include <zlib.h>

#include <cstring>

#include "testenv.h"

namespace lvtest {

namespace {
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

void SettingsValues::SetUserWordlib(const std::string& path) {
  krevtest::WriteText(HKEY_CURRENT_USER, "用户词库文件", path);
}

void SettingsValues::SetSameWordlib(const std::string& bytes, DWORD type) {
  krevtest::WriteRaw(HKEY_LOCAL_MACHINE, "使用同一用户词库", type, bytes);
}

void SettingsValues::ClearBoth() {
  krevtest::DeleteValue(HKEY_CURRENT_USER, krevtest::kSettingsKey, "用户词库文件");
  krevtest::DeleteValue(HKEY_LOCAL_MACHINE, krevtest::kSettingsKey, "使用同一用户词库");
}

krevtest::SeenWindow AnswerBox(const std::string& caption, int id, std::chrono::milliseconds timeout) {
  krevtest::SeenWindow seen = krevtest::ExpectBox(caption, id, timeout).get();
  if (seen.found) WaitGone(seen.hwnd, timeout);
  return seen;
}

bool WaitGone(HWND hwnd, std::chrono::milliseconds timeout) { return krevtest::WaitGone(hwnd, timeout); }

}  // namespace lvtest
