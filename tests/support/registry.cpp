#include "registry.h"

#include <gtest/gtest.h>

#include <cstring>

namespace krevtest {

namespace {

void DeleteTreeKey(HKEY root, const std::string& path) {
  HKEY key;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
  char name[512];
  for (;;) {
    DWORD len = sizeof name;
    if (RegEnumKeyExA(key, 0, name, &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    DeleteTreeKey(root, path + "\\" + name);
  }
  RegCloseKey(key);
  RegDeleteKeyA(root, path.c_str());
}

std::string LayoutPath(const std::string& id) { return std::string(kLayoutsKey) + "\\" + id; }

}  // namespace

DWORD RawValue::dword() const {
  DWORD v = 0;
  if (data.size() == sizeof v) std::memcpy(&v, data.data(), sizeof v);
  return v;
}

std::string RawValue::text() const { return data.substr(0, data.find('\0')); }

std::string Dword(DWORD value) {
  return std::string{char(value & 0xFF), char(value >> 8 & 0xFF), char(value >> 16 & 0xFF), char(value >> 24 & 0xFF)};
}

RawValue ReadRaw(HKEY root, const std::string& path, const std::string& name) {
  RawValue v;
  HKEY key;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return v;
  DWORD size = 0;
  if (RegQueryValueExA(key, name.c_str(), nullptr, &v.type, nullptr, &size) == ERROR_SUCCESS) {
    v.data.assign(size, '\0');
    if (RegQueryValueExA(key, name.c_str(), nullptr, &v.type, reinterpret_cast<BYTE*>(&v.data[0]), &size) ==
        ERROR_SUCCESS) {
      v.found = true;
      v.data.resize(size);
    }
  }
  if (!v.found) {
    v.type = REG_NONE;
    v.data.clear();
  }
  RegCloseKey(key);
  return v;
}

RawValue ReadRaw(HKEY root, const std::string& name) { return ReadRaw(root, kSettingsKey, name); }

std::map<std::string, RawValue> ReadAllValues(HKEY root, const std::string& path) {
  std::map<std::string, RawValue> all;
  HKEY key;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return all;
  std::vector<std::string> names;
  for (DWORD i = 0;; ++i) {
    char name[16384];  // the longest name a value may have
    DWORD len = sizeof name;
    if (RegEnumValueA(key, i, name, &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    names.emplace_back(name, len);
  }
  RegCloseKey(key);
  for (const std::string& name : names) all[name] = ReadRaw(root, path, name);
  return all;
}

void WriteRaw(HKEY root, const std::string& path, const std::string& name, DWORD type, const std::string& data) {
  HKEY key;
  LONG r = RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
  ASSERT_EQ(ERROR_SUCCESS, r) << "key " << path;
  r = RegSetValueExA(key, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(data.data()), DWORD(data.size()));
  RegCloseKey(key);
  EXPECT_EQ(ERROR_SUCCESS, r) << "value " << name;
}

void WriteRaw(HKEY root, const std::string& name, DWORD type, const std::string& data) {
  WriteRaw(root, kSettingsKey, name, type, data);
}

void WriteDword(HKEY root, const std::string& name, DWORD value) { WriteRaw(root, name, REG_DWORD, Dword(value)); }

void WriteText(HKEY root, const std::string& name, const std::string& text) {
  WriteRaw(root, name, REG_SZ, text + std::string(1, '\0'));
}

void DeleteValue(HKEY root, const std::string& path, const std::string& name) {
  HKEY key;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
  RegDeleteValueA(key, name.c_str());
  RegCloseKey(key);
}

bool KeyExists(HKEY root, const std::string& path) {
  HKEY key;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

bool SettingsKeyExists(HKEY root) { return KeyExists(root, kSettingsKey); }

void CreateSettingsKey(HKEY root) {
  HKEY key;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(root, kSettingsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr));
  RegCloseKey(key);
}

void DeleteSettingsKeys() {
  DeleteTreeKey(HKEY_CURRENT_USER, kSettingsKey);
  DeleteTreeKey(HKEY_LOCAL_MACHINE, kSettingsKey);
}

std::set<std::string> SubkeyNames(HKEY root, const std::string& path) {
  std::set<std::string> names;
  HKEY key;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return names;
  char name[256];
  for (DWORD i = 0;; ++i) {
    DWORD len = sizeof name;
    if (RegEnumKeyExA(key, i, name, &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    names.insert(name);
  }
  RegCloseKey(key);
  return names;
}

// ---- SettingsKeysGuard

SettingsKeysGuard::Key SettingsKeysGuard::Take(HKEY root) {
  Key saved;
  saved.existed = SettingsKeyExists(root);
  saved.values = ReadAllValues(root, kSettingsKey);
  return saved;
}

void SettingsKeysGuard::Restore(HKEY root, const Key& saved) {
  if (!saved.existed) return;
  HKEY key;
  if (RegCreateKeyExA(root, kSettingsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
    return;
  for (const auto& v : saved.values) {
    RegSetValueExA(key, v.first.c_str(), 0, v.second.type, reinterpret_cast<const BYTE*>(v.second.data.data()),
                   DWORD(v.second.data.size()));
  }
  RegCloseKey(key);
}

SettingsKeysGuard::SettingsKeysGuard() : user_(Take(HKEY_CURRENT_USER)), machine_(Take(HKEY_LOCAL_MACHINE)) {
  DeleteSettingsKeys();
}

SettingsKeysGuard::~SettingsKeysGuard() {
  DeleteSettingsKeys();
  Restore(HKEY_CURRENT_USER, user_);
  Restore(HKEY_LOCAL_MACHINE, machine_);
}

// ---- ValueGuard

ValueGuard::ValueGuard(HKEY root, const std::string& path, const std::string& name)
    : root_(root), path_(path), name_(name), keyExisted_(KeyExists(root, path)), saved_(ReadRaw(root, path, name)) {}

void ValueGuard::Restore() const {
  HKEY key;
  if (saved_.found) {
    if (RegCreateKeyExA(root_, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
      return;
    RegSetValueExA(key, name_.c_str(), 0, saved_.type, reinterpret_cast<const BYTE*>(saved_.data.data()),
                   DWORD(saved_.data.size()));
  } else {
    if (RegOpenKeyExA(root_, path_.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
    RegDeleteValueA(key, name_.c_str());
  }
  DWORD subkeys = 0, values = 0;
  RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr, nullptr, nullptr,
                   nullptr);
  RegCloseKey(key);
  if (!keyExisted_ && subkeys == 0 && values == 0) RegDeleteKeyA(root_, path_.c_str());
}

// ---- LayoutWatch

LayoutWatch::LayoutWatch() : before_(SubkeyNames(HKEY_LOCAL_MACHINE, kLayoutsKey)) {}

LayoutWatch::~LayoutWatch() {
  for (const std::string& id : SubkeyNames(HKEY_LOCAL_MACHINE, kLayoutsKey)) {
    if (!before_.count(id)) RegDeleteKeyA(HKEY_LOCAL_MACHINE, LayoutPath(id).c_str());
  }
}

std::vector<Layout> LayoutWatch::New() {
  std::vector<Layout> found;
  for (const std::string& id : SubkeyNames(HKEY_LOCAL_MACHINE, kLayoutsKey)) {
    if (before_.count(id) || !seen_.insert(id).second) continue;
    found.push_back({id, ReadRaw(HKEY_LOCAL_MACHINE, LayoutPath(id), "Ime File").text(),
                     ReadRaw(HKEY_LOCAL_MACHINE, LayoutPath(id), "Layout Text").text()});
  }
  return found;
}

std::vector<Layout> LayoutWatch::Take() {
  std::vector<Layout> found = New();
  for (const Layout& l : found) {
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, LayoutPath(l.id).c_str());
    seen_.erase(l.id);
  }
  return found;
}

}  // namespace krevtest
