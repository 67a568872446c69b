// runProgram and startProgram against real processes: the probe application records how it was
// started; documents and folders open in the system's own programs.
#include <windows.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "base/wide_win32.h"
#include "launch/starter.h"
#include "tests/e2e/support/e2e_win32.h"

namespace {

using diduzo::Text;

Text text(const std::wstring& wide) { return diduzo::fromWide(wide.c_str(), wide.size()); }

// An environment variable of this process (and so of what it starts) for one scope.
class Setting {
 public:
  Setting(const wchar_t* name, const std::wstring& value) : name_(name) { SetEnvironmentVariableW(name, value.c_str()); }
  ~Setting() { SetEnvironmentVariableW(name_, nullptr); }
  Setting(const Setting&) = delete;
  Setting& operator=(const Setting&) = delete;

 private:
  const wchar_t* name_;
};

// The probe's record: its "key=value" lines, and whether it saw a close request.
struct Record {
  std::map<std::string, std::wstring> values;
  bool closed = false;
  bool has(const std::string& key) const { return values.count(key) != 0; }
};

Record readRecord(const std::wstring& path) {
  Record out;
  const std::string bytes = e2e::readFile(path);
  std::size_t start = 0;
  for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2) {
    const std::string line = bytes.substr(start, end - start);
    const std::size_t eq = line.find('=');
    if (line == "close") out.closed = true;
    if (eq != std::string::npos) out.values[line.substr(0, eq)] = e2e::widen(line.substr(eq + 1));
  }
  return out;
}

Record waitForRecord(const std::wstring& path, const std::string& key, DWORD timeoutMs = 15000) {
  Record record;
  e2e::waitFor([&] { return (record = readRecord(path)).has(key); }, timeoutMs);
  return record;
}

// A process that a test caused to start, ended when the object goes unless it ended by itself.
class Started {
 public:
  explicit Started(DWORD id) : process_(OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, id)) {}
  ~Started() {
    if (!process_) return;
    if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
      TerminateProcess(process_, 1);
      WaitForSingleObject(process_, 5000);
    }
    CloseHandle(process_);
  }
  Started(const Started&) = delete;
  Started& operator=(const Started&) = delete;
  bool waitForExit(DWORD timeoutMs) { return process_ && WaitForSingleObject(process_, timeoutMs) == WAIT_OBJECT_0; }

 private:
  HANDLE process_;
};

DWORD processOf(HWND window) {
  DWORD id = 0;
  GetWindowThreadProcessId(window, &id);
  return id;
}

// Asks the window to close as the launcher does at exit, and waits until it is gone.
bool closeWindow(HWND window) {
  PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
  return e2e::waitFor([&] { return !IsWindow(window); }, 10000);
}

BOOL CALLBACK collect(HWND window, LPARAM data) {
  reinterpret_cast<std::set<HWND>*>(data)->insert(window);
  return TRUE;
}

std::set<HWND> topLevelWindows() {
  std::set<HWND> out;
  EnumWindows(collect, reinterpret_cast<LPARAM>(&out));
  return out;
}

unsigned long number(const std::wstring& digits) { return wcstoul(digits.c_str(), nullptr, 10); }

std::wstring classOf(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return name;
}

std::wstring titleOf(HWND window) {
  wchar_t title[512] = {};
  GetWindowTextW(window, title, 512);
  return title;
}

// A visible top-level window of that class that was not among `before`.
HWND waitForNewWindow(const std::set<HWND>& before, const wchar_t* className, DWORD timeoutMs = 15000) {
  HWND found = nullptr;
  e2e::waitFor([&] {
    for (HWND window : topLevelWindows())
      if (!before.count(window) && IsWindowVisible(window) && classOf(window) == className) {
        found = window;
        return true;
      }
    return false;
  }, timeoutMs, 100);
  return found;
}

std::wstring withoutTrailingBackslash(std::wstring path) {
  if (path.size() > 3 && path.back() == L'\\') path.pop_back();
  return path;
}

class Starter : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    // Windows maps ".txt" to its text file class; Wine's fresh prefix has the class (opened by
    // its notepad) but not the mapping.
    const wchar_t txtfile[] = L"txtfile";
    RegSetKeyValueW(HKEY_LOCAL_MACHINE, L"Software\\Classes\\.txt", nullptr, REG_SZ, txtfile, sizeof txtfile);
  }
  static void TearDownTestSuite() { CoUninitialize(); }

  // A fresh folder holding a copy of the probe; returns the copy's full path.
  static std::wstring probeIn(const std::wstring& folderName, const wchar_t* fileName = L"probe.exe") {
    const std::wstring folder = e2e::freshFolder(folderName);
    const std::wstring probe = folder + fileName;
    EXPECT_TRUE(e2e::copyFile(e2e::buildFolder() + L"probe.exe", probe));
    return probe;
  }

  static std::wstring currentDirectory() {
    std::vector<wchar_t> buffer(32768);
    const DWORD n = GetCurrentDirectoryW(static_cast<DWORD>(buffer.size()), buffer.data());
    return std::wstring(buffer.data(), n);
  }

  diduzo::Processes& processes = diduzo::systemProcesses();
};

TEST_F(Starter, RunProgramStartsAnExeWithItsExactCommandLineAndDirectory) {
  struct Case {
    const wchar_t* folder;
    const wchar_t* parameters;
    bool workingDir;
  };
  const Case cases[] = {
      {L"plain", L"", false},
      {L"params", L"-x \"a b\" %drive%", true},
      {L"\u00C4pps \u03A9", L"\u00E9t\u00E9 -y", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(e2e::narrow(c.folder));
    const std::wstring probe = probeIn(c.folder);
    const std::wstring workingDir = c.workingDir ? e2e::freshFolder(L"work \u03A9") : L"";
    const std::wstring recordFile = probe + L".record";
    Setting recordSetting(L"PROBE_RECORD", recordFile);

    EXPECT_TRUE(diduzo::runProgram(processes, text(probe), text(c.parameters), text(workingDir)));
    const Record record = waitForRecord(recordFile, "window");
    ASSERT_TRUE(record.has("window"));
    Started started(static_cast<DWORD>(number(record.values.at("pid"))));
    std::wstring expectedLine = L"\"" + probe + L"\"";
    if (*c.parameters) expectedLine += std::wstring(L" ") + c.parameters;
    EXPECT_EQ(record.values.at("commandline"), expectedLine);
    EXPECT_EQ(withoutTrailingBackslash(record.values.at("directory")),
              withoutTrailingBackslash(c.workingDir ? workingDir : currentDirectory()));

    const HWND window = reinterpret_cast<HWND>(number(record.values.at("window")));
    EXPECT_TRUE(closeWindow(window));
    EXPECT_TRUE(readRecord(recordFile).closed);
    EXPECT_TRUE(started.waitForExit(10000));
  }
}

TEST_F(Starter, StartProgramReturnsTheMainWindowOfTheStartedExe) {
  struct Case {
    const wchar_t* mode;
    const wchar_t* parameters;
    const wchar_t* commandLine;
  };
  const Case cases[] = {
      {L"window", L"-x", L" -x"},
      {L"hidden", L"", L" "},
      {L"late", L" -late", L" -late"},
  };
  const std::wstring probe = probeIn(L"\u00C4pps \u03A9", L"Probe \u00DF.Exe");
  for (const Case& c : cases) {
    SCOPED_TRACE(e2e::narrow(c.mode));
    const std::wstring recordFile = probe + L"." + c.mode + L".record";
    Setting recordSetting(L"PROBE_RECORD", recordFile);
    Setting modeSetting(L"PROBE_MODE", c.mode);
    const std::wstring workingDir = e2e::freshFolder(L"work");

    const ULONGLONG before = GetTickCount64();
    const HWND window = static_cast<HWND>(diduzo::startProgram(processes, text(probe), text(c.parameters), text(workingDir)));
    const ULONGLONG took = GetTickCount64() - before;
    const Record record = readRecord(recordFile);
    ASSERT_TRUE(record.has("window"));
    Started started(static_cast<DWORD>(number(record.values.at("pid"))));
    EXPECT_EQ(window, reinterpret_cast<HWND>(number(record.values.at("window"))));
    EXPECT_EQ(record.values.at("commandline"), c.commandLine);
    EXPECT_EQ(withoutTrailingBackslash(record.values.at("directory")), withoutTrailingBackslash(workingDir));
    EXPECT_GE(took, 200u);
    EXPECT_LT(took, 12000u);

    EXPECT_TRUE(closeWindow(window));
    EXPECT_TRUE(readRecord(recordFile).closed);
    EXPECT_TRUE(started.waitForExit(10000));
  }
}

TEST_F(Starter, StartProgramOfAStarterStubReturnsNone) {
  const std::wstring probe = probeIn(L"stub");
  const std::wstring recordFile = probe + L".record";
  Setting recordSetting(L"PROBE_RECORD", recordFile);
  Setting modeSetting(L"PROBE_MODE", L"stub");

  const HWND window = static_cast<HWND>(diduzo::startProgram(processes, text(probe), u"", u""));
  EXPECT_EQ(window, nullptr);
  // The copy that the stub started has a window all the same: it is not the started program's.
  const Record child = waitForRecord(recordFile + L".child", "window");
  ASSERT_TRUE(child.has("window"));
  Started started(static_cast<DWORD>(number(child.values.at("pid"))));
  EXPECT_EQ(readRecord(recordFile).values.at("child"), child.values.at("pid"));
  EXPECT_TRUE(closeWindow(reinterpret_cast<HWND>(number(child.values.at("window")))));
  EXPECT_TRUE(started.waitForExit(10000));
}

TEST_F(Starter, StartProgramOfAMissingExeReturnsNoneAtOnce) {
  const std::wstring folder = e2e::freshFolder(L"missing");
  const ULONGLONG before = GetTickCount64();
  EXPECT_EQ(diduzo::startProgram(processes, text(folder + L"nothing.exe"), u"-x", u""), nullptr);
  EXPECT_LT(GetTickCount64() - before, 2000u);
  EXPECT_FALSE(diduzo::runProgram(processes, text(folder + L"nothing.xyz"), u"", u""));
}

TEST_F(Starter, DocumentsAndFoldersOpenThroughTheShell) {
  const std::wstring docs = e2e::freshFolder(L"Docs \u03A9");
  const std::wstring document = docs + L"read me.txt";
  ASSERT_TRUE(e2e::writeFile(document, "hello from the starter test\r\n"));

  struct Case {
    const char* name;
    bool tracked;
    std::wstring file;
    const wchar_t* windowClass;
    const wchar_t* titlePart;
  };
  const Case cases[] = {
      {"run document", false, document, L"Notepad", L"read me"},
      {"start document", true, document, L"Notepad", L"read me"},
      {"run folder", false, docs, L"ExplorerWClass", L"Docs \u03A9"},  // Wine's explorer names its class so
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::set<HWND> before = topLevelWindows();
    if (c.tracked)
      EXPECT_EQ(diduzo::startProgram(processes, text(c.file), u"", u""), nullptr);
    else
      EXPECT_TRUE(diduzo::runProgram(processes, text(c.file), u"", u""));
    const HWND window = waitForNewWindow(before, c.windowClass);
    if (!window) {
      for (HWND w : topLevelWindows())
        if (!before.count(w)) ADD_FAILURE() << "new window: " << e2e::narrow(classOf(w)) << " / " << e2e::narrow(titleOf(w));
    }
    ASSERT_NE(window, nullptr);
    // The title names what was opened once the program has loaded it.
    EXPECT_TRUE(e2e::waitFor([&] { return titleOf(window).find(c.titlePart) != std::wstring::npos; }))
        << e2e::narrow(titleOf(window));
    e2e::screenshot(std::wstring(L"starter-") + e2e::widen(c.name));
    Started started(processOf(window));
    EXPECT_TRUE(closeWindow(window));
  }
}

}  // namespace
