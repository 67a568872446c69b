// What every end-to-end test driver needs: bounded waits, fresh folders, child processes that
// never outlive the test, window look-ups across processes, files and screenshots.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace e2e {

// Polls until the condition holds or the time is up; true when it held.
bool waitFor(const std::function<bool()>& condition, DWORD timeoutMs = 10000, DWORD stepMs = 20);

// A new, empty folder under the temporary folder, ending with a backslash.
std::wstring freshFolder(const std::wstring& name);

// The folder of the test executable, ending with a backslash (Diduzo.exe is beside the build).
std::wstring buildFolder();

// A started process, terminated when the object goes unless it has ended by itself.
class Child {
 public:
  Child() = default;
  ~Child();
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;
  Child(Child&& other) noexcept;

  bool start(const std::wstring& commandLine, const std::wstring& directory = L"");
  bool running() const;
  // Waits for the end; the exit code, or -1 when it did not end in time.
  long waitForExit(DWORD timeoutMs = 10000);
  DWORD id() const { return id_; }
  HANDLE handle() const { return process_; }

 private:
  HANDLE process_ = nullptr;
  DWORD id_ = 0;
};

// The first top-level window of the process with that class (any class when null).
HWND findWindowOf(DWORD processId, const wchar_t* className, bool visibleOnly);
// Polls for it.
HWND waitForWindowOf(DWORD processId, const wchar_t* className, bool visibleOnly, DWORD timeoutMs = 10000);

// Every top-level window of the process with that class, in Z order.
std::vector<HWND> windowsOf(DWORD processId, const wchar_t* className, bool visibleOnly);
// The child windows of that class (all children when null).
std::vector<HWND> childrenOf(HWND parent, const wchar_t* className);
// The text of a window of another process (WM_GETTEXT, which also reads edit controls).
std::wstring textOf(HWND window);
// The first child button with that text, or none.
HWND buttonWithText(HWND window, const std::wstring& text);

// Drives the popup menus that a tray program opens from its icon's callback message.
class TrayDriver {
 public:
  TrayDriver(DWORD processId, HWND owner) : processId_(processId), owner_(owner) {}
  static constexpr UINT kCallback = 12501;
  // Presses the icon (WM_LBUTTONDOWN or WM_RBUTTONDOWN) with the mouse at a fixed place and
  // waits for the menu to open.
  bool press(UINT button) const;
  std::vector<HWND> openMenus() const { return windowsOf(processId_, L"#32768", true); }
  bool waitForMenus(std::size_t count, DWORD timeoutMs = 5000) const;
  // Keys and letters go to the innermost open menu.
  void key(UINT virtualKey) const;
  void letter(wchar_t c) const;

 private:
  DWORD processId_;
  HWND owner_;
};

std::string readFile(const std::wstring& path, bool* exists = nullptr);
bool writeFile(const std::wstring& path, const std::string& bytes);
bool fileExists(const std::wstring& path);
bool copyFile(const std::wstring& from, const std::wstring& to);

// Saves a picture of the whole screen as artefacts/NAME.png (DIDUZO_ARTEFACTS names the folder).
bool screenshot(const std::wstring& name);

std::wstring widen(const std::string& utf8);
std::string narrow(const std::wstring& text);

}  // namespace e2e
