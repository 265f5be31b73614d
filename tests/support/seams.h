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
// toolkit). A test replaces a call for its own life only:
//
//   krevtest::ScopedCall refuse(KrevConfigCalls.RegSetValueExA, RefusingSet);
//
// and the real function is back when the scope ends, also when an assertion failed on the way. A
// fixture that replaces several calls holds a ScopedCalls of the struct and then sets them.
#pragma once

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

}  // namespace krevtest
