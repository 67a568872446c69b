// Start-up time of Diduzo against a minimal tray program, measured side by side in one run: the
// time from process creation until the program waits for input (its tray icon is added by then).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/e2e/support/e2e_win32.h"

namespace {

// From process creation until the program answers a right press on its tray icon with its
// menu: the press is posted at once and waits in the queue until the program's start-up is
// done and its loop takes messages.
// In a folder without settings the first thing shown is the offer to set applications up, a
// standard message box (class #32770): its appearance is the end of start-up there.
double startupMilliseconds(const std::wstring& commandLine, const std::wstring& folder, const wchar_t* ownerClass,
                           UINT callback, const wchar_t* shownClass = L"#32768", UINT press = WM_RBUTTONDOWN) {
  LARGE_INTEGER frequency, before, after;
  QueryPerformanceFrequency(&frequency);
  e2e::Child child;
  QueryPerformanceCounter(&before);
  if (!child.start(commandLine, folder)) return -1;
  HWND owner = nullptr;
  if (!e2e::waitFor([&] { return (owner = e2e::findWindowOf(child.id(), ownerClass, false)) != nullptr; }, 60000, 1))
    return -1;
  PostMessageW(owner, callback, 1, press);
  if (!e2e::waitFor([&] { return e2e::findWindowOf(child.id(), shownClass, true) != nullptr; }, 60000, 1)) return -1;
  QueryPerformanceCounter(&after);
  return 1000.0 * static_cast<double>(after.QuadPart - before.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// A settings file of `count` applications whose commands name existing programs, so that each
// has an icon.
std::string settingsWith(int count) {
  static const char* const programs[] = {"C:\\windows\\notepad.exe", "C:\\windows\\regedit.exe",
                                         "C:\\windows\\system32\\winecfg.exe", "C:\\windows\\explorer.exe"};
  std::string text = "\xEF\xBB\xBF\r\n[Settings]\r\nEndOnExit = 1\r\nRunOnStart = 1\r\n";
  for (int i = 0; i < count; ++i) {
    text += "[Item" + std::to_string(i) + "]\r\ntype = 1\r\nlevel = 0\r\nrun = 0\r\nstop = 0\r\nname = Application " +
            std::to_string(i) + "\r\ncommand = " + programs[i % 4] + "\r\noptions = \r\nhomedir = \r\n";
  }
  return text;
}

}  // namespace

int main() {
  const std::wstring bin = e2e::buildFolder();
  const std::wstring baselineFolder = e2e::freshFolder(L"baseline");
  e2e::copyFile(bin + L"baseline_tray.exe", baselineFolder + L"baseline_tray.exe");
  struct Scenario {
    const char* name;
    int entries;  // -1: no settings file
    UINT press;
    bool baselineAsks;  // the minimal program shows a message box too
  };
  // A right press opens the tray menu, which needs no entry icons; a left press opens the launch
  // menu, which waits for all of them.
  const Scenario scenarios[] = {
      {"empty folder, until the first question (minimal program: its tray menu)", -1, WM_RBUTTONDOWN, false},
      {"empty folder, until the first question (minimal program: the same box)", -1, WM_RBUTTONDOWN, true},
      {"100 applications with icons, tray menu", 100, WM_RBUTTONDOWN, false},
      {"100 applications with icons, launch menu with its icons", 100, WM_LBUTTONDOWN, false},
      {"1,000 applications with icons, tray menu", 1000, WM_RBUTTONDOWN, false},
      {"1,000 applications with icons, launch menu with its icons", 1000, WM_LBUTTONDOWN, false},
  };
  const int rounds = 11;
  for (const Scenario& s : scenarios) {
    const std::wstring folder = e2e::freshFolder(L"diduzo");
    e2e::copyFile(bin + L"Diduzo.exe", folder + L"Diduzo.exe");
    if (s.entries >= 0) e2e::writeFile(folder + L"Diduzo.prefs", settingsWith(s.entries));
    std::vector<double> ratios, own, base;
    auto baseline = [&] {
      return startupMilliseconds(L"\"" + baselineFolder + L"baseline_tray.exe\"" + (s.baselineAsks ? L" ask" : L""),
                                 baselineFolder, L"BaselineTray", WM_APP, s.baselineAsks ? L"#32770" : L"#32768");
    };
    auto diduzo = [&] {
      return startupMilliseconds(L"\"" + folder + L"Diduzo.exe\"", folder, L"DiduzoAbout", 12501,
                                 s.entries < 0 ? L"#32770" : L"#32768", s.press);
    };
    baseline();  // warms the disk cache and the server
    diduzo();
    for (int i = 0; i < rounds; ++i) {
      const double b = baseline();
      const double d = diduzo();
      base.push_back(b);
      own.push_back(d);
      ratios.push_back(d / b);
    }
    std::printf("start-up, %s: Diduzo %.1f ms, minimal tray program %.1f ms, ratio %.2f (median of %d pairs)\n",
                s.name, median(own), median(base), median(ratios), rounds);
  }
  return 0;
}
