// A stand-in for a user's portable application. It writes into its record file, one
// "key=value" line each, in UTF-8:
//   pid=...          its process id
//   commandline=...  its command line exactly as GetCommandLineW gives it
//   directory=...    its working directory
//   window=...       its main window's handle, once the window exists
//   child=...        (stub only) the process id of the copy it started
//   close            when its window is asked to close with WM_SYSCOMMAND / SC_CLOSE
// The environment chooses the record file and the behaviour:
//   PROBE_RECORD  the record file (default: probe-record.txt beside the probe)
//   PROBE_MODE    window (default): a visible top-level window at once
//                 late: the window only after PROBE_DELAY milliseconds (default 1500)
//                 hidden: the window created hidden, shown 500 ms later
//                 stub: starts a copy of itself (mode window, record file + ".child") and ends
// A probe that nobody closes ends by itself after a minute.
#include <windows.h>

#include <string>
#include <vector>

namespace {

std::wstring recordPath;

std::wstring environment(const wchar_t* name) {
  std::vector<wchar_t> buffer(32768);
  const DWORD n = GetEnvironmentVariableW(name, buffer.data(), static_cast<DWORD>(buffer.size()));
  return n == 0 || n >= buffer.size() ? std::wstring() : std::wstring(buffer.data(), n);
}

void record(const std::wstring& line) {
  const std::wstring text = line + L"\r\n";
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), n, nullptr, nullptr);
  HANDLE file = CreateFileW(recordPath.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

std::wstring ownPath() {
  std::vector<wchar_t> buffer(32768);
  const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
  return std::wstring(buffer.data(), n);
}

constexpr UINT_PTR kShowTimer = 1;
constexpr UINT_PTR kLifeTimer = 2;

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_CLOSE) {
        record(L"close");
        DestroyWindow(window);
        return 0;
      }
      break;
    case WM_TIMER:
      if (wParam == kShowTimer) {
        KillTimer(window, kShowTimer);
        ShowWindow(window, SW_SHOW);
      } else if (wParam == kLifeTimer) {
        DestroyWindow(window);
      }
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

int startCopy() {
  SetEnvironmentVariableW(L"PROBE_MODE", L"window");
  SetEnvironmentVariableW(L"PROBE_RECORD", (recordPath + L".child").c_str());
  const std::wstring path = ownPath();
  std::wstring line = L"\"" + path + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION child{};
  if (!CreateProcessW(path.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &child))
    return 1;
  record(L"child=" + std::to_wstring(child.dwProcessId));
  CloseHandle(child.hThread);
  CloseHandle(child.hProcess);
  return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  recordPath = environment(L"PROBE_RECORD");
  if (recordPath.empty()) {
    recordPath = ownPath();
    recordPath = recordPath.substr(0, recordPath.find_last_of(L'\\') + 1) + L"probe-record.txt";
  }
  record(L"pid=" + std::to_wstring(GetCurrentProcessId()));
  record(L"commandline=" + std::wstring(GetCommandLineW()));
  std::vector<wchar_t> directory(32768);
  const DWORD n = GetCurrentDirectoryW(static_cast<DWORD>(directory.size()), directory.data());
  record(L"directory=" + std::wstring(directory.data(), n));

  const std::wstring mode = environment(L"PROBE_MODE");
  if (mode == L"stub") return startCopy();
  if (mode == L"late") {
    const std::wstring delay = environment(L"PROBE_DELAY");
    Sleep(delay.empty() ? 1500 : static_cast<DWORD>(_wtoi(delay.c_str())));
  }

  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = windowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = L"DiduzoProbe";
  RegisterClassW(&windowClass);
  const bool hidden = mode == L"hidden";
  HWND window = CreateWindowExW(0, L"DiduzoProbe", L"Probe", WS_OVERLAPPEDWINDOW | (hidden ? 0 : WS_VISIBLE), 40, 40,
                                320, 200, nullptr, nullptr, instance, nullptr);
  if (!window) return 2;
  record(L"window=" + std::to_wstring(reinterpret_cast<UINT_PTR>(window)));
  if (hidden) SetTimer(window, kShowTimer, 500, nullptr);
  SetTimer(window, kLifeTimer, 60000, nullptr);

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
