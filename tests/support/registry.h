// The registry as the tests see it: values read and written raw with the platform's own calls, so a
// test checks the type and the bytes that are stored, not what a program makes of them; and guards
// that put back what a test changes in the shared prefix.
//
//   krevtest::RawValue v = krevtest::ReadRaw(HKEY_CURRENT_USER, "输入风格");  // the settings key
//   EXPECT_EQ(krevtest::Dword(1), v.data);
//   krevtest::ReadRaw(HKEY_LOCAL_MACHINE, layoutKey, "Ime File").text();     // any key
#pragma once

#include <windows.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace krevtest {

// Where the input method keeps its settings, under the current user and the local machine.
constexpr const char kSettingsKey[] = "Software\\Brennholt\\Vardeko\\3.0";

// One value as the registry stores it.
struct RawValue {
  bool found = false;
  DWORD type = REG_NONE;
  std::string data;  // the stored bytes, a string's zero byte included
  // The data as a DWORD; 0 unless it is 4 bytes long.
  DWORD dword() const;
  // The data up to its first zero byte.
  std::string text() const;
};

// The 4 little-endian bytes of a DWORD, as REG_DWORD stores it.
std::string Dword(DWORD value);

// The value `name` of root\path; found is false when the key or the value is missing.
RawValue ReadRaw(HKEY root, const std::string& path, const std::string& name);
// ... of the settings key.
RawValue ReadRaw(HKEY root, const std::string& name);
// Every value of root\path by name (empty when the key cannot be opened).
std::map<std::string, RawValue> ReadAllValues(HKEY root = HKEY_CURRENT_USER, const std::string& path = kSettingsKey);

// Stores a value, creating the key when it is missing; a value that cannot be stored fails the test.
void WriteRaw(HKEY root, const std::string& path, const std::string& name, DWORD type, const std::string& data);
// ... in the settings key.
void WriteRaw(HKEY root, const std::string& name, DWORD type, const std::string& data);
void WriteDword(HKEY root, const std::string& name, DWORD value);
void WriteText(HKEY root, const std::string& name, const std::string& text);  // REG_SZ with its zero byte
void DeleteValue(HKEY root, const std::string& path, const std::string& name);

bool KeyExists(HKEY root, const std::string& path);
bool SettingsKeyExists(HKEY root = HKEY_CURRENT_USER);
// Creates the (empty) settings key; a key that cannot be made fails the test.
void CreateSettingsKey(HKEY root);
// The settings key removed (with everything below it) under the current user and the local machine.
void DeleteSettingsKeys();

// Names of the keys directly below root\path (empty when it cannot be opened).
std::set<std::string> SubkeyNames(HKEY root, const std::string& path);

// Takes the settings keys (current user and local machine) away for the test and restores them,
// values and all, when it goes.
class SettingsKeysGuard {
 public:
  SettingsKeysGuard();
  ~SettingsKeysGuard();
  SettingsKeysGuard(const SettingsKeysGuard&) = delete;
  SettingsKeysGuard& operator=(const SettingsKeysGuard&) = delete;

 private:
  struct Key {
    bool existed = false;
    std::map<std::string, RawValue> values;
  };
  static Key Take(HKEY root);
  static void Restore(HKEY root, const Key& key);
  Key user_, machine_;
};

// The keyboard layouts under which the system lists the input methods; each registration adds a
// key below it.
constexpr const char kLayoutsKey[] = "System\\CurrentControlSet\\Control\\Keyboard Layouts";

// A registered layout as the input-method manager stored it ("" for a value that is missing).
struct Layout {
  std::string id, imeFile, text;  // the key's name, "Ime File", "Layout Text"
};

// Watches the layouts that registrations add while it lives, and removes them all when it goes,
// so that the shared prefix stays as it was and every run starts from the same registry.
class LayoutWatch {
 public:
  LayoutWatch();
  ~LayoutWatch();
  LayoutWatch(const LayoutWatch&) = delete;
  LayoutWatch& operator=(const LayoutWatch&) = delete;
  // The layouts added since the watch began or since the last call: each new layout once.
  std::vector<Layout> New();
  // The same, removed from the registry at once.
  std::vector<Layout> Take();

 private:
  std::set<std::string> before_, seen_;
};

// Keeps one value and puts it back (or removes it, when it was not there) when it goes or when
// Restore is called; a key that it did not find and that is empty then is removed too.
class ValueGuard {
 public:
  ValueGuard(HKEY root, const std::string& path, const std::string& name);
  ~ValueGuard() { Restore(); }
  ValueGuard(const ValueGuard&) = delete;
  ValueGuard& operator=(const ValueGuard&) = delete;
  void Restore() const;

 private:
  HKEY root_;
  std::string path_, name_;
  bool keyExisted_;
  RawValue saved_;
};

}  // namespace krevtest
