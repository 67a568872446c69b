#include <windows.h>
#include <shellapi.h>

#include "base/wide_win32.h"
#include "launch/starter.h"

namespace diduzo {

namespace {

static_assert(sizeof(void*) != 4 || sizeof(STARTUPINFOW) == 68, "STARTUPINFOW of 32-bit Windows");
static_assert(sizeof(void*) != 4 || sizeof(SHELLEXECUTEINFOW) == 60, "SHELLEXECUTEINFOW of 32-bit Windows");
constexpr ULONG kShellMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
static_assert(kShellMask == 0x540, "no close of the process handle, no asynchronous return, no dialogs");

// The walk is bounded: windows that move in Z order while it runs could otherwise make it cycle.
constexpr int kLongestWindowWalk = 65536;

const wchar_t* orNull(const std::wstring& text) { return text.empty() ? nullptr : text.c_str(); }

class SystemProcesses : public Processes {
 public:
  bool create(const Text& application, const Text& commandLine, const Text& directory, ProcessRef& out) override {
    const std::wstring app = wide(application), dir = wide(directory);
    std::wstring line = wide(commandLine);  // CreateProcessW may write into its command line
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION created{};
    if (!CreateProcessW(orNull(app), line.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr,
                        orNull(dir), &startup, &created))
      return false;
    CloseHandle(created.hThread);
    out.id = created.dwProcessId;
    out.handle = created.hProcess;
    return true;
  }

  bool shellOpen(const Text& file, const Text& parameters, const Text& directory) override {
    const std::wstring wideFile = wide(file), wideParameters = wide(parameters), dir = wide(directory);
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = kShellMask;
    info.lpFile = wideFile.c_str();
    info.lpParameters = wideParameters.c_str();
    info.lpDirectory = orNull(dir);
    info.nShow = SW_SHOWNORMAL;
    if (!ShellExecuteExW(&info)) return false;
    if (info.hProcess) CloseHandle(info.hProcess);
    return true;
  }

  void sleep(unsigned milliseconds) override { Sleep(milliseconds); }

  void waitForInputIdle(const ProcessRef& process, unsigned milliseconds) override {
    WaitForInputIdle(static_cast<HANDLE>(process.handle), milliseconds);
  }

  WindowHandle firstTopLevelWindowOf(unsigned long processId) override {
    HWND window = FindWindowW(nullptr, nullptr);
    for (int i = 0; window && i < kLongestWindowWalk; ++i, window = GetWindow(window, GW_HWNDNEXT)) {
      DWORD owner = 0;
      GetWindowThreadProcessId(window, &owner);
      if (owner == processId && !GetParent(window)) return window;
    }
    return nullptr;
  }

  Text upperCase(TextView text) override {
    std::wstring buffer(text.begin(), text.end());
    // The same conversion as CharUpperW, but by length, so that no terminating zero is needed.
    if (!buffer.empty()) CharUpperBuffW(buffer.data(), static_cast<DWORD>(buffer.size()));
    return fromWide(buffer.data(), buffer.size());
  }

  void release(ProcessRef& process) override {
    if (process.handle) CloseHandle(static_cast<HANDLE>(process.handle));
    process = ProcessRef{};
  }
};

}  // namespace

Processes& systemProcesses() {
  static SystemProcesses processes;
  return processes;
}

}  // namespace diduzo
