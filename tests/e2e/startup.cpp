// Start-up figures: the time from process start to the visible main window, for the settings
// centre, the wizard and a program that only opens one window, each started several times in the
// same prefix; prints the medians and the ratios. Used by scripts/startup-figures.
//   e2e_startup ONEWINDOW-EXE [RUNS]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "driver.h"

namespace {

BOOL CALLBACK CountWindow(HWND, LPARAM lp) {
  ++*reinterpret_cast<int*>(lp);
  return TRUE;
}

// Milliseconds from CreateProcess to the first visible top-level window of class `cls`, or -1;
// `windows`, when given, receives the number of windows inside it at that moment.
double TimeToWindow(const std::string& cmdline, const char* cls, int* windows = nullptr) {
  LARGE_INTEGER freq, t0, t1;
  QueryPerformanceFrequency(&freq);
  QueryPerformanceCounter(&t0);
  krevdrv::Program p(cmdline);
  if (!p.started()) return -1;
  HWND h = nullptr;
  while (!(h = p.TopWindow(cls)) && p.Running()) Sleep(1);
  QueryPerformanceCounter(&t1);
  if (!h) return -1;
  if (windows) {
    // The program may still be adding windows when it shows itself; count once it is idle.
    WaitForInputIdle(p.process(), 5000);
    *windows = 0;
    EnumChildWindows(h, CountWindow, reinterpret_cast<LPARAM>(windows));
  }
  krevdrv::Close(h);
  if (p.WaitExit() == -1000) p.Kill();
  return 1000.0 * static_cast<double>(t1.QuadPart - t0.QuadPart) / static_cast<double>(freq.QuadPart);
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? -1 : v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: e2e_startup ONEWINDOW-EXE [RUNS]\n");
    return 2;
  }
  int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 7;
  struct Subject {
    std::string label;
    std::string cmdline;
    const char* cls;
    std::vector<double> ms;
  };
  const std::string onewindow = std::string("\"") + argv[1] + "\"";
  std::vector<Subject> subjects = {
      {"one-window", onewindow, "OneWindow", {}},
      {"krevcfg", krevdrv::Program::InInstallDir("krevcfg.exe"), "TfrmMain", {}},
      {"kvcfgwiz", krevdrv::Program::InInstallDir("kvcfgwiz.exe"), "TfrmMain", {}},
  };
  // One unmeasured start of each first warms the file cache; it also counts the windows of the
  // two programs, for a yardstick that opens one window with as many plain windows inside.
  for (size_t i = 0, n = subjects.size(); i < n; ++i) {
    int windows = 0;
    TimeToWindow(subjects[i].cmdline, subjects[i].cls, &windows);
    if (i == 0) continue;
    std::printf("%s: %d windows inside the main window\n", subjects[i].label.c_str(), windows);
    subjects.push_back({"one-window+" + std::to_string(windows), onewindow + " " + std::to_string(windows), "OneWindow", {}});
  }
  for (size_t i = 3; i < subjects.size(); ++i) TimeToWindow(subjects[i].cmdline, subjects[i].cls);
  // Round robin, so a slow phase of the machine weighs on all alike.
  for (int i = 0; i < runs; ++i) {
    for (auto& s : subjects) {
      double ms = TimeToWindow(s.cmdline, s.cls);
      if (ms < 0) {
        std::fprintf(stderr, "%s: no window\n", s.label.c_str());
        return 1;
      }
      s.ms.push_back(ms);
    }
  }
  double base = Median(subjects[0].ms);
  std::printf("%-16s %10s %10s %10s %8s\n", "program", "median ms", "min ms", "max ms", "ratio");
  for (auto& s : subjects) {
    double med = Median(s.ms);
    std::printf("%-16s %10.1f %10.1f %10.1f %8.2f\n", s.label.c_str(), med, *std::min_element(s.ms.begin(), s.ms.end()),
                *std::max_element(s.ms.begin(), s.ms.end()), med / base);
  }
  std::printf("runs per program: %d (target: ratio at most 1.30)\n", runs);
  return 0;
}
