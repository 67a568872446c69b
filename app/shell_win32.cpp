#include "app/shell_win32.h"

#include "app/keyboard_win32.h"
#include "app/message_window_win32.h"
#include "base/wide_win32.h"
#include "launch/paths.h"
#include "tray/about_window_win32.h"
#include "tray/launch_menu_win32.h"
#include "tray/tray_win32.h"

namespace diduzo {

FileSystem& Win32Shell::files() { return systemFileSystem(); }
Environment& Win32Shell::environment() { return systemEnvironment(); }
Processes& Win32Shell::processes() { return systemProcesses(); }
bool Win32Shell::isOptionOn(int item) { return diduzo::isOptionOn(item); }
void Win32Shell::setOption(int item, bool on) { diduzo::setOption(item, on); }
void Win32Shell::toggleOption(int item) { diduzo::toggleOption(item); }

IconHandle Win32Shell::iconFor(const Text& storedCommand) {
  // Icons are taken from the stored path made absolute; environment references stay unexpanded.
  return smallFileIcon(toAbsolutePath(storedCommand, programDir_));
}

void Win32Shell::entriesChanged() {
  if (list_) rebuildLaunchMenu(*list_);
}

void Win32Shell::showWriteError() {
  showMessage(u"Write Error", u"Settings could not be saved!", 0, configurationOpen() ? configuration_ : nullptr);
}

void* Win32Shell::openNotice(const Text& title, const Text& text) {
  HWND notice = reinterpret_cast<HWND>(showMessage(title, text, -1, nullptr));
  // The thread waits for the started program next and handles no messages meanwhile, so the
  // notice and its text are painted now.
  if (notice) RedrawWindow(notice, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  return notice;
}

void Win32Shell::closeNotice(void* notice) {
  if (notice) DestroyWindow(static_cast<HWND>(notice));
}

void Win32Shell::askToClose(WindowHandle window) { PostMessageW(static_cast<HWND>(window), WM_SYSCOMMAND, SC_CLOSE, 0); }

void Win32Shell::destroyIcon(IconHandle icon) { DestroyIcon(static_cast<HICON>(icon)); }

void Win32Shell::showLaunchMenu() {
  if (launchMenu()) showMenuAtCursor(launchMenu(), aboutWindow());
}

void Win32Shell::showTrayMenu() {
  if (trayMenu()) showMenuAtCursor(trayMenu(), aboutWindow());
}

void Win32Shell::showAbout() { showAboutWindow(); }
void Win32Shell::hideAbout() { hideAboutWindow(); }

bool Win32Shell::offerConfiguration() {
  return MessageBoxW(nullptr,
                     L"There are no applications defined yet in the launching menu! Do you want to set them now?",
                     L"No applications defined yet", MB_YESNO) == IDYES;
}

bool Win32Shell::configurationOpen() { return configuration_ && IsWindow(configuration_); }

// The configuration window opens here ("Set Applications" and the start-up offer's "Yes").
void Win32Shell::openConfiguration() {}

void Win32Shell::closeConfiguration() {
  if (configurationOpen()) DestroyWindow(configuration_);
}

void Win32Shell::shutDown() {
  removeTrayIcon();
  destroyAboutWindow();
}

bool waitForEvent(Event& out, Program& program) {
  bool idleWork = true;
  while (!events().pop(out)) {
    MSG msg;
    if (idleWork && !PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
      idleWork = program.idle();
      continue;
    }
    if (GetMessageW(&msg, nullptr, 0, 0) <= 0) return false;
    if (moveFocusOnTab(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return true;
}

}  // namespace diduzo
