#include "tests/e2e/support/e2e_win32.h"

#include <vector>

namespace e2e {

bool waitFor(const std::function<bool()>& condition, DWORD timeoutMs, DWORD stepMs) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  for (;;) {
    if (condition()) return true;
    if (GetTickCount64() >= end) return false;
    Sleep(stepMs);
  }
}

std::wstring freshFolder(const std::wstring& name) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  static unsigned counter = 0;
  for (;;) {
    std::wstring folder = std::wstring(temp) + L"e2e-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                          std::to_wstring(++counter) + L"-" + name;
    if (CreateDirectoryW(folder.c_str(), nullptr)) return folder + L"\\";
    if (GetLastError() != ERROR_ALREADY_EXISTS) return L"";
  }
}

std::wstring buildFolder() {
  std::vector<wchar_t> buffer(32768);
  const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
  std::wstring path(buffer.data(), n);
  return path.substr(0, path.find_last_of(L"\\/") + 1);
}

Child::~Child() {
  if (!process_) return;
  if (running()) {
    TerminateProcess(process_, 1);
    WaitForSingleObject(process_, 5000);
  }
  CloseHandle(process_);
}

Child::Child(Child&& other) noexcept : process_(other.process_), id_(other.id_) {
  other.process_ = nullptr;
  other.id_ = 0;
}

bool Child::start(const std::wstring& commandLine, const std::wstring& directory) {
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  std::wstring line = commandLine;
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      directory.empty() ? nullptr : directory.c_str(), &si, &pi))
    return false;
  CloseHandle(pi.hThread);
  process_ = pi.hProcess;
  id_ = pi.dwProcessId;
  return true;
}

bool Child::running() const { return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

long Child::waitForExit(DWORD timeoutMs) {
  if (!process_ || WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0) return -1;
  DWORD code = 0;
  GetExitCodeProcess(process_, &code);
  return static_cast<long>(code);
}

namespace {
struct Search {
  DWORD processId;
  const wchar_t* className;
  bool visibleOnly;
  HWND found;
};

BOOL CALLBACK visit(HWND window, LPARAM data) {
  auto* s = reinterpret_cast<Search*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != s->processId) return TRUE;
  if (s->visibleOnly && !IsWindowVisible(window)) return TRUE;
  if (s->className) {
    wchar_t name[256];
    GetClassNameW(window, name, 256);
    if (lstrcmpiW(name, s->className) != 0) return TRUE;
  }
  s->found = window;
  return FALSE;
}
}  // namespace

HWND findWindowOf(DWORD processId, const wchar_t* className, bool visibleOnly) {
  Search s{processId, className, visibleOnly, nullptr};
  EnumWindows(visit, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

HWND waitForWindowOf(DWORD processId, const wchar_t* className, bool visibleOnly, DWORD timeoutMs) {
  HWND found = nullptr;
  waitFor([&] { return (found = findWindowOf(processId, className, visibleOnly)) != nullptr; }, timeoutMs);
  return found;
}

namespace {
struct AllSearch {
  DWORD processId;
  const wchar_t* className;
  bool visibleOnly;
  std::vector<HWND> found;
};

bool classIs(HWND window, const wchar_t* className) {
  if (!className) return true;
  wchar_t name[256];
  GetClassNameW(window, name, 256);
  return lstrcmpiW(name, className) == 0;
}

BOOL CALLBACK collect(HWND window, LPARAM data) {
  auto* s = reinterpret_cast<AllSearch*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (s->processId && owner != s->processId) return TRUE;
  if (s->visibleOnly && !IsWindowVisible(window)) return TRUE;
  if (classIs(window, s->className)) s->found.push_back(window);
  return TRUE;
}
}  // namespace

std::vector<HWND> windowsOf(DWORD processId, const wchar_t* className, bool visibleOnly) {
  AllSearch s{processId, className, visibleOnly, {}};
  EnumWindows(collect, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

std::vector<HWND> childrenOf(HWND parent, const wchar_t* className) {
  AllSearch s{0, className, false, {}};
  EnumChildWindows(parent, collect, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

std::wstring textOf(HWND window) {
  wchar_t buffer[1024] = {};
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG, 2000, &copied);
  return buffer;
}

HWND buttonWithText(HWND window, const std::wstring& text) {
  for (HWND button : childrenOf(window, L"Button"))
    if (textOf(button) == text) return button;
  return nullptr;
}

bool TrayDriver::press(UINT button) const {
  SetCursorPos(300, 200);
  PostMessageW(owner_, kCallback, 1, button);
  return waitForMenus(1);
}

bool TrayDriver::waitForMenus(std::size_t count, DWORD timeoutMs) const {
  return waitFor([&] { return openMenus().size() == count; }, timeoutMs);
}

void TrayDriver::key(UINT virtualKey) const {
  const std::vector<HWND> menus = openMenus();
  if (!menus.empty()) PostMessageW(menus.front(), WM_KEYDOWN, virtualKey, 0);
}

void TrayDriver::letter(wchar_t c) const {
  const std::vector<HWND> menus = openMenus();
  if (!menus.empty()) PostMessageW(menus.front(), WM_CHAR, c, 0);
}

std::string readFile(const std::wstring& path, bool* exists) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
  if (exists) *exists = h != INVALID_HANDLE_VALUE;
  if (h == INVALID_HANDLE_VALUE) return {};
  std::string out;
  char buffer[65536];
  DWORD got = 0;
  while (ReadFile(h, buffer, sizeof buffer, &got, nullptr) && got > 0) out.append(buffer, got);
  CloseHandle(h);
  return out;
}

bool writeFile(const std::wstring& path, const std::string& bytes) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok = WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) && written == bytes.size();
  CloseHandle(h);
  return ok;
}

bool fileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool copyFile(const std::wstring& from, const std::wstring& to) { return CopyFileW(from.c_str(), to.c_str(), FALSE) != 0; }

std::wstring widen(const std::string& utf8) {
  if (utf8.empty()) return {};
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
  return out;
}

std::string narrow(const std::wstring& text) {
  if (text.empty()) return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
  return out;
}

bool screenshot(const std::wstring& name) {
  wchar_t folder[4096];
  const DWORD n = GetEnvironmentVariableW(L"DIDUZO_ARTEFACTS", folder, 4096);
  if (n == 0 || n >= 4096) return false;
  // The folder is given as a Unix path; Wine starts Unix programs such as ImageMagick's import
  // directly, which is how a test under Wine takes a picture of its X display.
  std::wstring windowsFolder = L"Z:" + std::wstring(folder);
  for (wchar_t& c : windowsFolder)
    if (c == L'/') c = L'\\';
  CreateDirectoryW(windowsFolder.c_str(), nullptr);
  const std::wstring file = std::wstring(folder) + L"/" + name + L".png";
  std::wstring windowsFile = windowsFolder + L"\\" + name + L".png";
  DeleteFileW(windowsFile.c_str());
  Child import;
  if (!import.start(L"Z:\\usr\\bin\\import -window root \"" + file + L"\"")) return false;
  // Wine does not hand a Unix program's exit code back, so the picture itself tells.
  import.waitForExit(15000);
  return waitFor([&] { return fileExists(windowsFile); }, 5000);
}

}  // namespace e2e
