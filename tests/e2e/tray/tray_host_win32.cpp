// A stand-in for the program's start-up and loop: the About window, the tray icon, the tray menu
// and a launch menu from a fixed list, and a loop that logs what it handles.
//
//   tray_host.exe LOG [empty]
//
// Each handled event appends a line to LOG: "command ID", "option ID on|off", "control N",
// "close"; "ready" once set up. The registered message "DiduzoTrayHostMessage" to the About window
// shows a "Save?" message (wParam the button set, lParam 1 for the text with a CR) and logs
// "message SET RESULT".
#include <windows.h>

#include <shellapi.h>

#include <string>

#include "app/keyboard_win32.h"
#include "app/events.h"
#include "app/message_window_win32.h"
#include "base/wide_win32.h"
#include "tray/about_window_win32.h"
#include "tray/tray_win32.h"

namespace {

using namespace diduzo;

std::wstring logPath;

void log(const std::string& line) {
  HANDLE file = CreateFileW(logPath.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  const std::string text = line + "\n";
  DWORD written = 0;
  WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);
}

void add(EntryList& list, EntryKind kind, int level, const char16_t* name, IconHandle icon = nullptr) {
  LaunchEntry* e = list.addAfter();
  e->kind = static_cast<std::int8_t>(kind);
  e->level = static_cast<std::int8_t>(level);
  e->name = name;
  e->icon = icon;
}

void fill(EntryList& list) {
  add(list, EntryKind::Application, 0, u"Notepad", smallFileIcon(u"C:\\windows\\notepad.exe"));  // 10
  add(list, EntryKind::Group, 0, u"Group");
  add(list, EntryKind::Application, 1, u"Regedit", smallFileIcon(u"C:\\windows\\regedit.exe"));  // 12
  add(list, EntryKind::Group, 1, u"Deeper");
  add(list, EntryKind::Folder, 2, u"Windows folder");  // 14
  add(list, EntryKind::Separator, 0, u"");
  add(list, EntryKind::Application, 0, u"Missing program", smallFileIcon(u"C:\\nowhere\\missing.exe"));  // 16
  add(list, EntryKind::Folder, 0, u"Temp folder");  // 17
  add(list, EntryKind::Application, 0, u"Greyed notepad", smallFileIcon(u"C:\\windows\\notepad.exe"));  // 18, greyed
}

// Handles one event as the program's loop does; false for "Exit".
bool handle(const Event& event) {
  HWND about = aboutWindow();
  switch (event.kind) {
    case EventKind::TrayPress:
      if (event.number == static_cast<int>(TrayButton::Left)) showMenuAtCursor(launchMenu(), about);
      if (event.number == static_cast<int>(TrayButton::Right)) showMenuAtCursor(trayMenu(), about);
      return true;
    case EventKind::MenuCommand:
      log("command " + std::to_string(event.number));
      if (event.number == 1) return false;
      if (event.number == 2) showAboutWindow();
      if (event.number == 4 || event.number == 5) {
        toggleOption(event.number);
        log("option " + std::to_string(event.number) + (isOptionOn(event.number) ? " on" : " off"));
      }
      return true;
    case EventKind::ControlEvent:
      log("control " + std::to_string(event.number));
      if (event.number == aboutOkButton) hideAboutWindow();
      return true;
    case EventKind::CloseRequest:
      log("close");
      hideAboutWindow();
      return true;
  }
  return true;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (!argv || argc < 2) return 2;
  logPath = argv[1];
  const bool empty = argc > 2 && std::wstring(argv[2]) == L"empty";
  LocalFree(argv);

  HWND about = createAboutWindow(instance);
  if (!about) return 3;
  setUpTray(about);
  EntryList list;
  if (!empty) fill(list);
  rebuildLaunchMenu(list);
  if (!empty) EnableMenuItem(launchMenu(), 18, MF_BYCOMMAND | MF_GRAYED);  // to show a grey icon
  const UINT testMessage = RegisterWindowMessageW(L"DiduzoTrayHostMessage");
  log("ready");

  MSG msg;
  bool running = true;
  while (running && GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (msg.message == testMessage && msg.hwnd == about) {
      const int set = static_cast<int>(msg.wParam);
      const Text text = msg.lParam ? Text(u"Save changes to application entry and overwrite existing information?\r"
                                          u"(Cancel = restore old values)")
                                   : Text(u"Save changes to application entry?");
      const INT_PTR result = showMessage(u"Save?", text, set, nullptr);
      log("message " + std::to_string(set) + " " + std::to_string(result));
      continue;
    }
    if (moveFocusOnTab(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
    Event event;
    while (running && events().pop(event)) running = handle(event);
  }
  removeTrayIcon();
  destroyLaunchMenu();
  destroyAboutWindow();
  for (std::size_t i = 0; i < list.size(); ++i)
    if (list.at(i)->icon) DestroyIcon(static_cast<HICON>(list.at(i)->icon));
  return 0;
}
