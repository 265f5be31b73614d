#include "wiztest.h"

#include "testenv.h"
#include "uConfig.h"

namespace wiztest {

namespace {

// The stored DWORD; -1 when missing or not a DWORD.
long long AsDword(const krevtest::RawValue& v) {
  return v.type == REG_DWORD && v.data.size() == 4 ? static_cast<long long>(v.dword()) : -1;
}

}  // namespace

void SetDword(const char* name, DWORD value) { krevtest::WriteDword(HKEY_CURRENT_USER, name, value); }

void SetString(const char* name, const std::string& value) { krevtest::WriteText(HKEY_CURRENT_USER, name, value); }

void SetBytes(const char* name, const std::string& bytes) {
  krevtest::WriteRaw(HKEY_CURRENT_USER, name, REG_BINARY, bytes);
}

long long GetDword(const char* name) { return AsDword(krevtest::ReadRaw(HKEY_CURRENT_USER, name)); }

std::string GetBytes(const char* name, DWORD* type) {
  krevtest::RawValue v = krevtest::ReadRaw(HKEY_CURRENT_USER, name);
  if (type) *type = v.type;
  return v.data;
}

long long GetMachineDword() { return AsDword(krevtest::ReadRaw(HKEY_LOCAL_MACHINE, "使用同一用户词库")); }

int CountUserValues() { return static_cast<int>(krevtest::ReadAllValues().size()); }

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
