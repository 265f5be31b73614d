// Puts back what a test changes in the shared prefix: the settings keys and single files.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "testenv.h"

namespace settingstest {

// Takes the settings keys (current user and local machine) away for the test and restores them,
// values and all, when it goes.
class SettingsKeysGuard {
 public:
  SettingsKeysGuard();
  ~SettingsKeysGuard();
  SettingsKeysGuard(const SettingsKeysGuard&) = delete;
  SettingsKeysGuard& operator=(const SettingsKeysGuard&) = delete;

 private:
  struct Value {
    std::string name;
    DWORD type;
    std::string data;
  };
  struct Key {
    bool existed = false;
    std::vector<Value> values;
  };
  static Key Take(HKEY root);
  static void Restore(HKEY root, const Key& key);
  Key user_, machine_;
};

using krevtest::FileGuard;

// Raw access to values under Software\Brennholt\Vardeko\3.0.
struct RawValue {
  bool found = false;
  DWORD type = 0;
  std::string data;
};
RawValue ReadRaw(HKEY root, const std::string& name);
void WriteRaw(HKEY root, const std::string& name, DWORD type, const std::string& data);
void WriteDword(HKEY root, const std::string& name, DWORD value);
void WriteText(HKEY root, const std::string& name, const std::string& text);  // with its zero byte
void CreateSettingsKey(HKEY root);
bool SettingsKeyExists(HKEY root);
std::string Dword(DWORD value);  // the 4 little-endian bytes

}  // namespace settingstest
