// Helpers of the wizard's tests: the settings key read and written with the plain registry API,
// and a fixture that leaves the settings keys and the user's ShuangPin file as it found them.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace wiztest {

void SetDword(const char* name, DWORD value);
void SetString(const char* name, const std::string& value);
void SetBytes(const char* name, const std::string& bytes);
// Stored DWORD; -1 when missing or not a DWORD.
long long GetDword(const char* name);
// Stored data of any type; `type` receives its type (REG_NONE when missing).
std::string GetBytes(const char* name, DWORD* type = nullptr);
// Number of values under the per-user key.
int CountUserValues();
// The machine-wide value "使用同一用户词库"; -1 when missing.
long long GetMachineDword();

// The initial-consonant mask and the 8-byte final-sound mask as SaveToRegistry writes them.
DWORD InitialsMask(bool z, bool c, bool s, bool l, bool k, bool f);
std::string FinalsMask(bool an, bool en, bool in, bool ian, bool uan);

// Clears the settings keys before and after each test and keeps the user's ShuangPin definition
// file: its bytes (or its absence, and that of its folder) are put back afterwards.
class SettingsFixture : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  std::string spdefPath_;

 private:
  bool hadSpdef_ = false;
  std::string spdefBytes_;
  std::string createdDir_;
};

}  // namespace wiztest
