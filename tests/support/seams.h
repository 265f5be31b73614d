// Every program keeps the platform calls a test may replace in one struct of function pointers,
// next to a constant of the real functions:
//
//   settings model  KrevConfigCalls, KrevConfigRealCalls                  settings/uConfig.h
//   krevcfg         KrevcfgCalls, KrevcfgRealCalls                        cfgcenter/calls.h
//   LexVault        LexVaultCalls, LexVaultRealCalls                      backup/calls.h
//   instkrev        instkrev::InstkrevCalls, instkrev::InstkrevRealCalls  installer/instkrev.h
//   toolkit         ToolkitCalls, ToolkitRealCalls                        toolkit/ToolkitCalls.h
//
// (kvcfgwiz has none of its own: it reaches the platform through the settings model and the
// toolkit). The shared word-library rule (common/userwordlib.h) has no struct to replace: each
// caller passes it its calls, LexVault those of LexVaultCalls. A test replaces a call for its own
// life only:
//
//   krevtest::ScopedCall refuse(KrevConfigCalls.RegSetValueExA, RefusingSet);
//
// and the real function is back when the scope ends, also when an assertion failed on the way. A
// fixture that replaces several calls holds a ScopedCalls of the struct and then sets them.
//
// Stand-ins that several programs' seams share are here too.
#pragma once

#include <windows.h>

#include <cstring>
#include <string>

namespace krevtest {

template <class Fn>
class ScopedCall {
 public:
  ScopedCall(Fn& slot, Fn replacement) : slot_(slot), saved_(slot) { slot_ = replacement; }
  ~ScopedCall() { slot_ = saved_; }
  ScopedCall(const ScopedCall&) = delete;
  ScopedCall& operator=(const ScopedCall&) = delete;

 private:
  Fn& slot_;
  Fn saved_;
};

// Puts a whole calls struct back to what it held when the guard was made.
template <class Calls>
class ScopedCalls {
 public:
  explicit ScopedCalls(Calls& calls) : calls_(calls), saved_(calls) {}
  ~ScopedCalls() { calls_ = saved_; }
  ScopedCalls(const ScopedCalls&) = delete;
  ScopedCalls& operator=(const ScopedCalls&) = delete;

 private:
  Calls& calls_;
  Calls saved_;
};

// The system directory as FakeSystemDirectory gives it, set by each test that uses it.
struct SystemDirectoryScript {
  std::string dir;     // without a trailing backslash, as the platform gives it
  bool fails = false;  // the call fails: it returns 0 and writes nothing
};
inline SystemDirectoryScript FakeSystemDir;

// GetSystemDirectoryA for a system directory of the test's choosing (FakeSystemDir), for every
// program's `GetSystemDirectoryA` seam. Like the platform it writes the folder with its zero byte
// and returns its length when it fits `size`, and otherwise writes nothing and returns the size a
// buffer needs:
//   krevtest::FakeSystemDir = {"C:\\" + std::string(240, 'w')};
//   krevtest::ScopedCall dir(LexVaultCalls.GetSystemDirectoryA, krevtest::FakeSystemDirectory);
inline UINT WINAPI FakeSystemDirectory(LPSTR buffer, UINT size) {
  const std::string& dir = FakeSystemDir.dir;
  if (FakeSystemDir.fails) return 0;
  if (dir.size() + 1 > size) return static_cast<UINT>(dir.size() + 1);
  std::memcpy(buffer, dir.c_str(), dir.size() + 1);
  return static_cast<UINT>(dir.size());
}

}  // namespace krevtest
