#include "wiztest.h"

#include "testenv.h"
#include "uConfig.h"

namespace wiztest {

namespace {

HKEY CreateKey(HKEY root) {
  HKEY key = nullptr;
  LONG r = RegCreateKeyExA(root, KrevSettingsKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                           nullptr, &key, nullptr);
  EXPECT_EQ(ERROR_SUCCESS, r);
  return key;
}

void Set(const char* name, DWORD type, const void* data, DWORD size) {
  HKEY key = CreateKey(HKEY_CURRENT_USER);
  EXPECT_EQ(ERROR_SUCCESS, RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size));
  RegCloseKey(key);
}

std::string Query(HKEY root, const char* name, DWORD* type) {
  DWORD t = REG_NONE;
  std::string data;
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, KrevSettingsKey, 0, KEY_READ, &key) == ERROR_SUCCESS) {
    DWORD size = 0;
    if (RegQueryValueExA(key, name, nullptr, &t, nullptr, &size) == ERROR_SUCCESS) {
      data.resize(size);
      if (RegQueryValueExA(key, name, nullptr, &t, reinterpret_cast<BYTE*>(&data[0]), &size) != ERROR_SUCCESS)
        t = REG_NONE, data.clear();
    } else {
      t = REG_NONE;
    }
    RegCloseKey(key);
  }
  if (type) *type = t;
  return data;
}

long long AsDword(const std::string& data, DWORD type) {
  if (type != REG_DWORD || data.size() != 4) return -1;
  DWORD v;
  memcpy(&v, data.data(), 4);
  return v;
}

}  // namespace

void SetDword(const char* name, DWORD value) { Set(name, REG_DWORD, &value, 4); }

void SetString(const char* name, const std::string& value) {
  Set(name, REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1));
}

void SetBytes(const char* name, const std::string& bytes) {
  Set(name, REG_BINARY, bytes.data(), static_cast<DWORD>(bytes.size()));
}

long long GetDword(const char* name) {
  DWORD type;
  std::string data = Query(HKEY_CURRENT_USER, name, &type);
  return AsDword(data, type);
}

std::string GetBytes(const char* name, DWORD* type) { return Query(HKEY_CURRENT_USER, name, type); }

long long GetMachineDword() {
  DWORD type;
  std::string data = Query(HKEY_LOCAL_MACHINE, "使用同一用户词库", &type);
  return AsDword(data, type);
}

int CountUserValues() {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, KrevSettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return 0;
  DWORD count = 0;
  RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr,
                   nullptr);
  RegCloseKey(key);
  return static_cast<int>(count);
}

DWORD InitialsMask(bool z, bool c, bool s, bool l, bool k, bool f) {
  return 0x00FFFFFFu | (z ? 0x01000000u : 0) | (c ? 0x02000000u : 0) | (s ? 0x04000000u : 0) |
         (l ? 0x08000000u : 0) | (k ? 0x10000000u : 0) | (f ? 0x20000000u : 0);
}

std::string FinalsMask(bool an, bool en, bool in, bool ian, bool uan) {
  std::string m("\xFF\xFF\xFF\xFF\x0F\x00\x00\x00", 8);
  m[4] = static_cast<char>(0x0F | (an ? 0x10 : 0) | (en ? 0x20 : 0) | (in ? 0x40 : 0) | (ian ? 0x80 : 0));
  m[5] = static_cast<char>(uan ? 0x01 : 0);
  return m;
}

void SettingsFixture::SetUp() {
  krevtest::DeleteSettingsKeys();
  TKrevConfig paths;
  spdefPath_ = paths.FSpdefPath;
  ASSERT_FALSE(spdefPath_.empty()) << "the service library names no ShuangPin file";
  hadSpdef_ = krevtest::FileExists(spdefPath_);
  if (hadSpdef_) spdefBytes_ = krevtest::ReadFileBytes(spdefPath_);
  const std::string dir = spdefPath_.substr(0, spdefPath_.find_last_of('\\'));
  if (GetFileAttributesA(dir.c_str()) == INVALID_FILE_ATTRIBUTES) {
    ASSERT_TRUE(CreateDirectoryA(dir.c_str(), nullptr)) << dir;
    createdDir_ = dir;
  }
}

void SettingsFixture::TearDown() {
  krevtest::DeleteSettingsKeys();
  if (hadSpdef_) {
    krevtest::WriteFileBytes(spdefPath_, spdefBytes_);
  } else {
    DeleteFileA(spdefPath_.c_str());
  }
  if (!createdDir_.empty()) krevtest::RemoveTree(createdDir_);
}

}  // namespace wiztest
