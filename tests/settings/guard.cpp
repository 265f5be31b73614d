#include "guard.h"

#include <gtest/gtest.h>

#include "testenv.h"

namespace settingstest {
namespace {
const char kKey[] = "Software\\Brennholt\\Vardeko\\3.0";
}

SettingsKeysGuard::Key SettingsKeysGuard::Take(HKEY root) {
  Key saved;
  HKEY key;
  if (RegOpenKeyExA(root, kKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return saved;
  saved.existed = true;
  for (DWORD i = 0;; ++i) {
    char name[16384];
    DWORD nameLen = sizeof name, type = 0, size = 0;
    if (RegEnumValueA(key, i, name, &nameLen, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) break;
    std::string data(size, '\0');
    nameLen = sizeof name;
    RegEnumValueA(key, i, name, &nameLen, nullptr, &type, reinterpret_cast<BYTE*>(&data[0]), &size);
    data.resize(size);
    saved.values.push_back({std::string(name, nameLen), type, data});
  }
  RegCloseKey(key);
  return saved;
}

void SettingsKeysGuard::Restore(HKEY root, const Key& saved) {
  if (!saved.existed) return;
  HKEY key;
  if (RegCreateKeyExA(root, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
    return;
  for (const Value& v : saved.values)
    RegSetValueExA(key, v.name.c_str(), 0, v.type, reinterpret_cast<const BYTE*>(v.data.data()),
                   DWORD(v.data.size()));
  RegCloseKey(key);
}

SettingsKeysGuard::SettingsKeysGuard() : user_(Take(HKEY_CURRENT_USER)), machine_(Take(HKEY_LOCAL_MACHINE)) {
  krevtest::DeleteSettingsKeys();
}

SettingsKeysGuard::~SettingsKeysGuard() {
  krevtest::DeleteSettingsKeys();
  Restore(HKEY_CURRENT_USER, user_);
  Restore(HKEY_LOCAL_MACHINE, machine_);
}

RawValue ReadRaw(HKEY root, const std::string& name) {
  RawValue v;
  HKEY key;
  if (RegOpenKeyExA(root, kKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return v;
  DWORD size = 0;
  if (RegQueryValueExA(key, name.c_str(), nullptr, &v.type, nullptr, &size) == ERROR_SUCCESS) {
    v.data.assign(size, '\0');
    if (RegQueryValueExA(key, name.c_str(), nullptr, &v.type, reinterpret_cast<BYTE*>(&v.data[0]),
                         &size) == ERROR_SUCCESS) {
      v.found = true;
      v.data.resize(size);
    }
  }
  RegCloseKey(key);
  return v;
}

void CreateSettingsKey(HKEY root) {
  HKEY key;
  ASSERT_EQ(ERROR_SUCCESS,
            RegCreateKeyExA(root, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr));
  RegCloseKey(key);
}

bool SettingsKeyExists(HKEY root) {
  HKEY key;
  if (RegOpenKeyExA(root, kKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

void WriteRaw(HKEY root, const std::string& name, DWORD type, const std::string& data) {
  HKEY key;
  ASSERT_EQ(ERROR_SUCCESS,
            RegCreateKeyExA(root, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr));
  EXPECT_EQ(ERROR_SUCCESS, RegSetValueExA(key, name.c_str(), 0, type,
                                          reinterpret_cast<const BYTE*>(data.data()), DWORD(data.size())));
  RegCloseKey(key);
}

std::string Dword(DWORD value) {
  return std::string{char(value & 0xFF), char(value >> 8 & 0xFF), char(value >> 16 & 0xFF),
                     char(value >> 24 & 0xFF)};
}

void WriteDword(HKEY root, const std::string& name, DWORD value) {
  WriteRaw(root, name, REG_DWORD, Dword(value));
}

void WriteText(HKEY root, const std::string& name, const std::string& text) {
  WriteRaw(root, name, REG_SZ, text + std::string(1, '\0'));
}

}  // namespace settingstest
