// Entry point of every test executable: refuses to run in a prefix whose ANSI code page is not GBK,
// since every text of the programs is GBK and would compare wrong everywhere else, and watches the
// main thread for modal windows that nobody answers (watchdog.h).
#include <windows.h>

#include <cstdio>

#include <gtest/gtest.h>

#include "watchdog.h"

int main(int argc, char** argv) {
  UINT acp = GetACP();
  if (acp != 936) {
    std::fprintf(stderr,
                 "The ANSI code page is %u, not 936. Generate the zh_CN.UTF-8 locale "
                 "(scripts/setup does it) and run Wine with LC_ALL=zh_CN.UTF-8.\n",
                 acp);
    return 2;
  }
  testing::InitGoogleTest(&argc, argv);
  krevtest::StartWatchdog(GetCurrentThreadId());
  int result = RUN_ALL_TESTS();
  krevtest::StopWatchdog();
  return result;
}
