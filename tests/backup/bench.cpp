// Times one backup or restore through the program's own entry points, in this process, and prints
// the process's peak memory. Run by scripts/bench-backup; not a test.
//   lexvault_bench backup|restore SOURCE TARGET
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstring>

#include "codec.h"

int main(int argc, char** argv) {
  if (argc != 4 || (std::strcmp(argv[1], "backup") != 0 && std::strcmp(argv[1], "restore") != 0)) {
    std::fprintf(stderr, "usage: lexvault_bench backup|restore SOURCE TARGET\n");
    return 2;
  }
  bool backup = std::strcmp(argv[1], "backup") == 0;
  LARGE_INTEGER freq, t0, t1;
  QueryPerformanceFrequency(&freq);
  QueryPerformanceCounter(&t0);
  int result = backup ? CompressFileTo(argv[2], argv[3]) : DecompressFileTo(argv[2], argv[3]);
  QueryPerformanceCounter(&t1);
  PROCESS_MEMORY_COUNTERS pmc;
  std::memset(&pmc, 0, sizeof pmc);
  pmc.cb = sizeof pmc;
  GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof pmc);
  std::printf("result %d seconds %.3f peak_working_set_kib %lu peak_private_kib %lu\n", result,
              static_cast<double>(t1.QuadPart - t0.QuadPart) / static_cast<double>(freq.QuadPart),
              static_cast<unsigned long>(pmc.PeakWorkingSetSize / 1024),
              static_cast<unsigned long>(pmc.PeakPagefileUsage / 1024));
  return result == 0 ? 0 : 1;
}
