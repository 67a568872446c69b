// Diduzo.exe from start to exit: settings on disk, the tray menus, launching, tracked starts and
// the exit sequence. Each test copies the program into a folder of its own.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/e2e/support/e2e_win32.h"

namespace {

const std::string kBom = "\xEF\xBB\xBF";

struct Diduzo {
  std::wstring folder;
  e2e::Child child;
  HWND about = nullptr;

  explicit Diduzo(const std::wstring& name) : folder(e2e::freshFolder(name)) {
    e2e::copyFile(e2e::buildFolder() + L"Diduzo.exe", folder + L"Diduzo.exe");
  }
  ~Diduzo() {
    if (child.running()) exitByMenu();
  }

  std::wstring settings() const { return folder + L"Diduzo.prefs"; }
  std::wstring backup() const { return folder + L"Diduzo.prefs.bak"; }
  std::string settingsBytes() const { return e2e::readFile(settings()); }

  bool launch() { return child.start(L"\"" + folder + L"Diduzo.exe\"", folder); }
  // Waits until it waits for input: its start-up is done, or a question is shown.
  bool waitUntilIdle() {
    about = e2e::waitForWindowOf(child.id(), L"DiduzoAbout", false, 20000);
    WaitForInputIdle(child.handle(), 60000);
    return about != nullptr;
  }
  bool start() { return launch() && waitUntilIdle(); }
  e2e::TrayDriver tray() const { return e2e::TrayDriver(child.id(), about); }
  HWND window(const wchar_t* className, const std::wstring& title, DWORD timeoutMs = 10000) const {
    HWND found = nullptr;
    e2e::waitFor(
        [&] {
          for (HWND w : e2e::windowsOf(child.id(), className, true))
            if (e2e::textOf(w) == title) return (found = w) != nullptr;
          return false;
        },
        timeoutMs);
    return found;
  }
  // Chooses a tray menu item by its letter.
  bool trayLetter(wchar_t letter) const {
    if (!tray().press(WM_RBUTTONDOWN)) return false;
    tray().letter(letter);
    return tray().waitForMenus(0);
  }
  bool toggleEndOption(const std::string& expectedFile) const {
    const std::string before = settingsBytes();
    if (!trayLetter(L'a')) return false;
    return e2e::waitFor([&] { return settingsBytes() == expectedFile; });
  }
  long exitByMenu() {
    trayLetter(L'e');
    return child.waitForExit(15000);
  }
};

void press(HWND button) {
  ASSERT_NE(button, nullptr);
  ASSERT_TRUE(IsWindowEnabled(button));
  PostMessageW(button, BM_CLICK, 0, 0);
}

// A probe (a stand-in application) copied into a folder below the program; its record file.
struct Probe {
  std::wstring exe, record;
  Probe(const std::wstring& programFolder, const std::wstring& sub) {
    CreateDirectoryW((programFolder + sub).c_str(), nullptr);
    exe = programFolder + sub + L"\\probe.exe";
    record = programFolder + sub + L"\\probe-record.txt";
    e2e::copyFile(e2e::buildFolder() + L"probe.exe", exe);
  }
  std::string text() const { return e2e::readFile(record); }
  bool has(const std::string& line) const { return text().find(line + "\r\n") != std::string::npos; }
  bool waitFor(const std::string& line, DWORD timeoutMs = 15000) const {
    return e2e::waitFor([&] { return has(line); }, timeoutMs);
  }
  bool waitForWindow() const {
    return e2e::waitFor([&] { return !value("window").empty(); }, 15000);
  }
  std::string value(const std::string& key) const {
    const std::string t = text();
    const std::size_t at = t.find(key + "=");
    if (at == std::string::npos) return {};
    const std::size_t end = t.find("\r\n", at);
    return t.substr(at + key.size() + 1, end - at - key.size() - 1);
  }
  // Ends a probe that Diduzo started and left running.
  void end() const {
    const std::string pid = value("pid");
    if (pid.empty()) return;
    if (HANDLE h = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, static_cast<DWORD>(std::stoul(pid)))) {
      TerminateProcess(h, 0);
      WaitForSingleObject(h, 5000);
      CloseHandle(h);
    }
  }
};

// An environment variable for the programs started from here on, removed again at the end.
struct Variable {
  const wchar_t* name;
  Variable(const wchar_t* n, const std::wstring& value) : name(n) { SetEnvironmentVariableW(name, value.c_str()); }
  ~Variable() { SetEnvironmentVariableW(name, nullptr); }
};

std::string entry(int index, const std::string& body) { return "[Item" + std::to_string(index) + "]\r\n" + body; }

std::string application(const std::string& name, const std::string& command, const std::string& options,
                        const std::string& homedir, int run = 0, int stop = 0) {
  return "type = 1\r\nlevel = 0\r\nrun = " + std::to_string(run) + "\r\nstop = " + std::to_string(stop) + "\r\nname = " + name +
         "\r\ncommand = " + command + "\r\noptions = " + options + "\r\nhomedir = " + homedir + "\r\n";
}

std::string settingsGroup(int end, int run) {
  return kBom + "\r\n[Settings]\r\nEndOnExit = " + std::to_string(end) + "\r\nRunOnStart = " + std::to_string(run) + "\r\n";
}

TEST(Program, FirstStartOffersToSetApplicationsAndAToggleWritesTheWrittenForm) {
  Diduzo d(L"first");
  ASSERT_TRUE(d.start());
  HWND offer = d.window(L"#32770", L"No applications defined yet");
  ASSERT_NE(offer, nullptr);
  bool saidIt = false;
  for (HWND child : e2e::childrenOf(offer, L"Static"))
    saidIt = saidIt || e2e::textOf(child) ==
                           L"There are no applications defined yet in the launching menu! Do you want to set them now?";
  EXPECT_TRUE(saidIt);
  EXPECT_TRUE(e2e::screenshot(L"program-first-start"));
  press(GetDlgItem(offer, IDNO));
  ASSERT_TRUE(e2e::waitFor([&] { return !IsWindow(offer); }));
  EXPECT_FALSE(e2e::fileExists(d.settings()));

  // Both options start checked: turning the END option off writes END 0 and RUN 1.
  EXPECT_TRUE(d.toggleEndOption(settingsGroup(0, 1)));
  EXPECT_TRUE(d.toggleEndOption(settingsGroup(1, 1)));
  EXPECT_FALSE(e2e::fileExists(d.backup()));
  EXPECT_EQ(d.exitByMenu(), 0);
}

TEST(Program, TheAboutWindowShowsAndTabMovesTheFocus) {
  Diduzo d(L"about");
  ASSERT_TRUE(e2e::writeFile(d.settings(), settingsGroup(1, 1) + entry(0, "type = 3\r\nlevel = 0\r\n")));
  ASSERT_TRUE(d.start());
  ASSERT_TRUE(d.trayLetter(L'h'));
  ASSERT_TRUE(e2e::waitFor([&] { return IsWindowVisible(d.about) != FALSE; }));
  HWND text = GetDlgItem(d.about, 28);
  HWND ok = GetDlgItem(d.about, 23);
  ASSERT_NE(text, nullptr);
  ASSERT_NE(ok, nullptr);
  const DWORD thread = GetWindowThreadProcessId(d.about, nullptr);
  auto focus = [&] {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
  };
  for (HWND from : {text, ok}) {
    PostMessageW(from, WM_KEYDOWN, VK_TAB, 0);
    HWND to = from == text ? ok : text;
    EXPECT_TRUE(e2e::waitFor([&] { return focus() == to; }, 3000)) << (from == text ? "text to OK" : "OK to text");
  }
  press(ok);
  EXPECT_TRUE(e2e::waitFor([&] { return !IsWindowVisible(d.about); }));
  EXPECT_EQ(d.exitByMenu(), 0);
}

TEST(Program, AHandEditedFileIsRewrittenByTheReadingRules) {
  Diduzo d(L"hand-edited");
  ASSERT_TRUE(e2e::writeFile(d.settings(),
                             "; written by hand, Latin-1, LF line ends\n"
                             "[Item5]\ntype = $4\nlevel = 300\nname = Caf\xE9\nhomedir = Docs\\\ncommand = ignored.exe\n"
                             "[Settings]\nRunOnStart = 0\nEndOnExit = 2\n"
                             "[Item2]\ntype = 2\nlevel = 0\nname = Group\nrun = 1\nstop = 1\ncommand = x.exe\nextra = 1\n"
                             "[item0]\ntype = 1\nname = lower case is no entry\n"
                             "[Items]\ntype = 3\nlevel = 1\n"));
  ASSERT_TRUE(d.start());
  EXPECT_EQ(d.window(L"#32770", L"No applications defined yet", 500), nullptr);
  EXPECT_TRUE(d.toggleEndOption(settingsGroup(0, 0) +
                                "[Item0]\r\ntype = 4\r\nlevel = 44\r\nrun = 0\r\nstop = 0\r\nname = Caf\xC3\xA9\r\nhomedir = Docs\\\r\n"
                                "[Item1]\r\ntype = 2\r\nlevel = 0\r\nname = Group\r\n"
                                "[Item2]\r\ntype = 3\r\nlevel = 1\r\n"))
      << d.settingsBytes();
}

TEST(Program, TheBackupAloneBecomesTheSettingsFile) {
  Diduzo d(L"backup");
  const std::string saved = settingsGroup(1, 0) + entry(0, "type = 3\r\nlevel = 0\r\n");
  ASSERT_TRUE(e2e::writeFile(d.backup(), saved));
  ASSERT_TRUE(d.start());
  EXPECT_EQ(d.window(L"#32770", L"No applications defined yet", 500), nullptr);  // it was loaded
  EXPECT_EQ(d.settingsBytes(), saved);
  EXPECT_FALSE(e2e::fileExists(d.backup()));
}

TEST(Program, AFailedSaveShowsWriteErrorAndKeepsTheLastGoodSettings) {
  Diduzo d(L"write-error");
  const std::string saved = settingsGroup(1, 0) + entry(0, "type = 3\r\nlevel = 0\r\n");
  ASSERT_TRUE(e2e::writeFile(d.settings(), saved));
  // A folder in the way of the file that a save writes first: the save cannot be made.
  ASSERT_TRUE(CreateDirectoryW(d.backup().c_str(), nullptr));
  ASSERT_TRUE(d.start());
  ASSERT_TRUE(d.trayLetter(L'a'));
  HWND error = d.window(L"DiduzoMessage", L"Write Error");
  ASSERT_NE(error, nullptr);
  EXPECT_TRUE(e2e::screenshot(L"program-write-error"));
  press(e2e::buttonWithText(error, L"Ok"));
  EXPECT_TRUE(e2e::waitFor([&] { return !IsWindow(error); }));
  EXPECT_EQ(d.settingsBytes(), saved);
  EXPECT_EQ(d.exitByMenu(), 0);
}

TEST(Program, ChoosingAnItemStartsItExpandedAndAFolderOpensInExplorer) {
  Diduzo d(L"launch");
  Probe probe(d.folder, L"\u00C4pps \u03A9");
  Variable word(L"PROBE_WORD", L"w\u00F6rd");
  ASSERT_TRUE(e2e::writeFile(d.settings(),
                             settingsGroup(1, 1) +
                                 entry(0, application("Probe", "\xC3\x84pps \xCE\xA9\\probe.exe", "-x %drive%\\Data %PROBE_WORD%",
                                                      "\xC3\x84pps \xCE\xA9\\")) +
                                 entry(1, "type = 4\r\nlevel = 0\r\nrun = 0\r\nstop = 0\r\nname = Windows folder\r\nhomedir = C:\\windows\\\r\n")));
  ASSERT_TRUE(d.start());
  ASSERT_TRUE(d.tray().press(WM_LBUTTONDOWN));
  EXPECT_TRUE(e2e::screenshot(L"program-launch-menu"));
  d.tray().letter(L'p');
  // The working directory as the probe's GetCurrentDirectoryW reports it, without the last backslash.
  ASSERT_TRUE(probe.waitFor("directory=" + e2e::narrow(d.folder) + "\xC3\x84pps \xCE\xA9")) << probe.text();
  const std::string drive = e2e::narrow(d.folder.substr(0, 2));
  EXPECT_EQ(probe.value("commandline"), "\"" + e2e::narrow(probe.exe) + "\" -x " + drive + "\\Data w\xC3\xB6rd");
  probe.end();

  const std::vector<HWND> before = e2e::windowsOf(0, L"ExplorerWClass", true);
  ASSERT_TRUE(d.tray().press(WM_LBUTTONDOWN));
  d.tray().letter(L'w');
  HWND explorer = nullptr;
  EXPECT_TRUE(e2e::waitFor(
      [&] {
        for (HWND w : e2e::windowsOf(0, L"ExplorerWClass", true))
          if (std::find(before.begin(), before.end(), w) == before.end()) explorer = w;
        return explorer != nullptr;
      },
      20000));
  if (explorer) PostMessageW(explorer, WM_SYSCOMMAND, SC_CLOSE, 0);
}

TEST(Program, RunOnStartTracksAndEndOnExitAsksToClose) {
  Diduzo d(L"run-end");
  Probe first(d.folder, L"first"), second(d.folder, L"second"), unmarked(d.folder, L"unmarked");
  // All probes write into one record, so that its order is the order of their starts; they
  // show their windows late, so that the starting notice stays a while.
  const std::wstring shared = d.folder + L"record.txt";
  Variable record(L"PROBE_RECORD", shared);
  Variable mode(L"PROBE_MODE", L"late");
  Variable delay(L"PROBE_DELAY", L"1500");
  ASSERT_TRUE(e2e::writeFile(d.settings(), settingsGroup(1, 1) +
                                               entry(0, application("First", "first\\probe.exe", "-first", "", 1, 1)) +
                                               entry(1, application("Unmarked", "unmarked\\probe.exe", "-unmarked", "", 0, 1)) +
                                               entry(2, application("Second", "second\\probe.exe", "-second", "", 1, 1))));
  ASSERT_TRUE(d.launch());
  HWND notice = nullptr;
  EXPECT_TRUE(e2e::waitFor([&] {
    for (HWND w : e2e::windowsOf(d.child.id(), L"DiduzoMessage", true))
      if (e2e::textOf(w) == L"Starting...") notice = w;
    return notice != nullptr;
  }));
  EXPECT_TRUE(e2e::screenshot(L"program-starting-notice"));
  ASSERT_TRUE(d.waitUntilIdle());
  // Start-up ends after the second one's window has been found.
  std::string text;
  ASSERT_TRUE(e2e::waitFor(
      [&] {
        text = e2e::readFile(shared);
        const std::size_t at = text.find("commandline= -second");
        return at != std::string::npos && text.find("window=", at) != std::string::npos;
      },
      30000))
      << text;
  // A tracked start names the program apart: its command line is the parameters alone.
  const std::size_t firstStart = text.find("commandline= -first\r\n");
  const std::size_t secondStart = text.find("commandline= -second\r\n");
  ASSERT_NE(firstStart, std::string::npos) << text;
  ASSERT_NE(secondStart, std::string::npos) << text;
  // The first one's window came before the second one was started.
  EXPECT_LT(text.find("window=", firstStart), secondStart) << text;
  EXPECT_EQ(text.find("-unmarked"), std::string::npos);
  EXPECT_TRUE(e2e::waitFor([&] { return e2e::windowsOf(d.child.id(), L"DiduzoMessage", true).empty(); }));

  EXPECT_EQ(d.exitByMenu(), 0);
  EXPECT_TRUE(e2e::waitFor([&] {
    const std::string now = e2e::readFile(shared);
    const std::size_t closeFirst = now.find("close\r\n");
    return closeFirst != std::string::npos && now.find("close\r\n", closeFirst + 1) != std::string::npos;
  }));
}

TEST(Program, WithTheEndOptionOffAtExitTrackedApplicationsKeepRunning) {
  Diduzo d(L"end-off");
  Probe probe(d.folder, L"probe");
  ASSERT_TRUE(e2e::writeFile(d.settings(), settingsGroup(1, 1) + entry(0, application("Probe", "probe\\probe.exe", "", "", 1, 1))));
  ASSERT_TRUE(d.start());
  ASSERT_TRUE(probe.waitForWindow());
  ASSERT_TRUE(d.trayLetter(L'a'));  // END off
  ASSERT_TRUE(e2e::waitFor([&] { return d.settingsBytes().find("EndOnExit = 0") != std::string::npos; }));
  EXPECT_EQ(d.exitByMenu(), 0);
  EXPECT_FALSE(probe.waitFor("close", 1500));
  probe.end();
}

}  // namespace
