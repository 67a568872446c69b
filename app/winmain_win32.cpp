// Diduzo's entry point: the platform set-up, the windows, then the portable program's start-up
// and its event loop.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "app/shell_win32.h"
#include "launch/paths.h"
#include "launch/paths_win32.h"
#include "tray/about_window_win32.h"
#include "tray/tray_win32.h"

namespace {

// No DLL beside Diduzo.exe on the stick may ever be loaded: the search for DLLs loaded at run
// time is restricted to the system directory before anything else loads.
void restrictDllSearch() {
  using SetDefault = BOOL(WINAPI*)(DWORD);
  HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  auto setDefault = reinterpret_cast<SetDefault>(reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")));
  if (!setDefault || !setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32)) SetDllDirectoryW(L"");
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  using namespace diduzo;
  restrictDllSearch();
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  CoInitialize(nullptr);

  EntryList list;
  const Text programDir = programDirFrom(programFileName());
  Win32Shell shell(programDir);
  shell.setEntries(list);
  if (HWND about = createAboutWindow(instance)) setUpTray(about);

  Program program(shell, list, ProgramPlace{programDir, driveSpecOf(programDir)});
  program.startUp();
  Event event;
  while (waitForEvent(event, program) && program.handle(event)) {
  }
  CoUninitialize();
  return 0;
}
