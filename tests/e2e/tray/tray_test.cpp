// The About window, the tray icon's menus and the message window, driven from another process
// through the host program tray_host.exe.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/e2e/support/e2e_win32.h"

namespace {

constexpr UINT trayCallback = e2e::TrayDriver::kCallback;

struct Host {
  e2e::Child child;
  std::wstring log;
  HWND about = nullptr;
  UINT testMessage = RegisterWindowMessageW(L"DiduzoTrayHostMessage");

  bool start(bool empty = false) {
    const std::wstring folder = e2e::freshFolder(L"tray");
    log = folder + L"host.log";
    std::wstring line = L"\"" + e2e::buildFolder() + L"tray_host.exe\" \"" + log + L"\"";
    if (empty) line += L" empty";
    if (!child.start(line, folder)) return false;
    if (!waitForLine("ready")) return false;
    about = e2e::waitForWindowOf(child.id(), L"DiduzoAbout", false);
    return about != nullptr;
  }
  ~Host() {
    if (child.running()) {
      PostMessageW(about, WM_COMMAND, 1, 0);  // "Exit"
      child.waitForExit(5000);
    }
  }

  std::vector<std::string> lines() const {
    std::vector<std::string> out;
    const std::string text = e2e::readFile(log);
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
      out.push_back(text.substr(start, end - start));
    return out;
  }
  bool has(const std::string& line) const {
    for (const std::string& l : lines())
      if (l == line) return true;
    return false;
  }
  bool waitForLine(const std::string& line, DWORD timeoutMs = 10000) const {
    return e2e::waitFor([&] { return has(line); }, timeoutMs);
  }
  // True when `line` is still absent after a while: for things that must not happen.
  bool staysAbsent(const std::string& line) const { return !e2e::waitFor([&] { return has(line); }, 500); }

  std::vector<HWND> openMenus() const { return tray().openMenus(); }
  std::vector<HWND> windowsOfClass(const wchar_t* cls) const { return e2e::windowsOf(child.id(), cls, true); }
  bool waitForMenus(std::size_t count) const { return tray().waitForMenus(count); }
  bool press(UINT button) const { return tray().press(button); }
  void key(UINT vk) const { tray().key(vk); }
  void letter(wchar_t c) const { tray().letter(c); }
  e2e::TrayDriver tray() const { return e2e::TrayDriver(child.id(), about); }
};

using e2e::textOf;

std::vector<HWND> buttonsOf(HWND window) { return e2e::childrenOf(window, L"Button"); }

TEST(Tray, RightPressOpensTheTrayMenuAndLettersChoose) {
  Host host;
  ASSERT_TRUE(host.start());
  EXPECT_FALSE(IsWindowVisible(host.about));
  struct Case {
    wchar_t letter;
    const char* command;
  };
  const Case cases[] = {{L'a', "command 4"}, {L'A', "command 4"}, {L's', "command 3"}, {L'h', "command 2"}};
  bool shot = false;
  for (const Case& c : cases) {
    ASSERT_TRUE(host.press(WM_RBUTTONDOWN)) << static_cast<char>(c.letter);
    if (!shot) shot = e2e::screenshot(L"tray-menu");
    const std::size_t before = host.lines().size();
    host.letter(c.letter);
    ASSERT_TRUE(e2e::waitFor([&] { return host.lines().size() > before; })) << static_cast<char>(c.letter);
    EXPECT_EQ(host.lines()[before], c.command);
    EXPECT_TRUE(host.waitForMenus(0));
  }
  // "a" twice: the END option went off and on again.
  EXPECT_TRUE(host.has("option 4 off"));
  EXPECT_TRUE(host.has("option 4 on"));
  EXPECT_TRUE(e2e::waitFor([&] { return IsWindowVisible(host.about) != FALSE; }));

  ASSERT_TRUE(host.press(WM_RBUTTONDOWN));
  host.letter(L'e');
  EXPECT_TRUE(host.waitForLine("command 1"));
  EXPECT_EQ(host.child.waitForExit(10000), 0);
}

TEST(Tray, MouseMovesReleasesAndDoubleClicksOpenNothing) {
  Host host;
  ASSERT_TRUE(host.start());
  for (UINT message : {WM_MOUSEMOVE, WM_LBUTTONUP, WM_RBUTTONUP, WM_MBUTTONDOWN, WM_LBUTTONDBLCLK, WM_RBUTTONDBLCLK})
    PostMessageW(host.about, trayCallback, 1, message);
  EXPECT_FALSE(e2e::waitFor([&] { return !host.openMenus().empty(); }, 500));
}

TEST(Tray, LeftPressOpensTheLaunchMenuWithNestedGroups) {
  Host host;
  ASSERT_TRUE(host.start());
  ASSERT_TRUE(host.press(WM_LBUTTONDOWN));
  host.key(VK_DOWN);  // Notepad
  host.key(VK_DOWN);  // Group
  host.key(VK_RIGHT);
  ASSERT_TRUE(host.waitForMenus(2));
  host.key(VK_DOWN);  // Deeper
  host.key(VK_RIGHT);
  ASSERT_TRUE(host.waitForMenus(3));
  EXPECT_TRUE(e2e::screenshot(L"launch-menu"));
  host.key(VK_RETURN);  // Windows folder
  EXPECT_TRUE(host.waitForLine("command 14"));
  EXPECT_TRUE(host.waitForMenus(0));

  // Letters at the top level: an initial chooses at once, a group's letter opens it.
  ASSERT_TRUE(host.press(WM_LBUTTONDOWN));
  host.letter(L'm');
  EXPECT_TRUE(host.waitForLine("command 16"));
  EXPECT_TRUE(host.waitForMenus(0));
  ASSERT_TRUE(host.press(WM_LBUTTONDOWN));
  host.letter(L'g');
  ASSERT_TRUE(host.waitForMenus(2));
  host.letter(L'r');  // inside a submenu a letter chooses nothing
  EXPECT_TRUE(host.staysAbsent("command 12"));
  EXPECT_EQ(host.openMenus().size(), 2u);
  host.key(VK_ESCAPE);  // closes the submenu
  EXPECT_TRUE(host.waitForMenus(1));
  host.key(VK_ESCAPE);
  EXPECT_TRUE(host.waitForMenus(0));
  EXPECT_TRUE(host.staysAbsent("command 12"));
}

TEST(Tray, EmptyListShowsAGreyedPlaceholder) {
  Host host;
  ASSERT_TRUE(host.start(true));
  ASSERT_TRUE(host.press(WM_LBUTTONDOWN));
  EXPECT_TRUE(e2e::screenshot(L"launch-menu-empty"));
  host.key(VK_DOWN);
  host.key(VK_RETURN);
  EXPECT_TRUE(host.staysAbsent("command 10"));
  host.key(VK_ESCAPE);
  EXPECT_TRUE(host.waitForMenus(0));
}

TEST(Tray, AboutWindowHidesOnOkAndCloseAndKeepsItsPlace) {
  Host host;
  ASSERT_TRUE(host.start());
  RECT first{};
  GetWindowRect(host.about, &first);
  EXPECT_EQ(first.left, (GetSystemMetrics(SM_CXSCREEN) - (first.right - first.left)) / 2);
  EXPECT_EQ(first.top, (GetSystemMetrics(SM_CYSCREEN) - (first.bottom - first.top)) / 2);
  RECT client{};
  GetClientRect(host.about, &client);
  EXPECT_EQ(client.right, 506);
  EXPECT_EQ(client.bottom, 217);

  auto showByMenu = [&] {
    ASSERT_TRUE(host.press(WM_RBUTTONDOWN));
    host.letter(L'h');
    ASSERT_TRUE(e2e::waitFor([&] { return IsWindowVisible(host.about) != FALSE; }));
  };
  showByMenu();
  // The text control is made when the window is first shown.
  HWND text = GetDlgItem(host.about, 28);
  ASSERT_NE(text, nullptr);
  wchar_t cls[32] = {};
  GetClassNameW(text, cls, 32);
  EXPECT_STREQ(cls, L"RichEdit20W");
  showByMenu();  // twice: still the one window
  EXPECT_EQ(host.windowsOfClass(L"DiduzoAbout").size(), 1u);
  EXPECT_TRUE(e2e::screenshot(L"about"));

  HWND ok = GetDlgItem(host.about, 23);
  ASSERT_NE(ok, nullptr);
  EXPECT_EQ(textOf(ok), L"OK");
  ASSERT_TRUE(IsWindowEnabled(ok));
  PostMessageW(ok, BM_CLICK, 0, 0);
  EXPECT_TRUE(host.waitForLine("control 23"));
  EXPECT_TRUE(e2e::waitFor([&] { return !IsWindowVisible(host.about); }));

  showByMenu();
  SetWindowPos(host.about, nullptr, 40, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  PostMessageW(host.about, WM_SYSCOMMAND, SC_CLOSE, 0);  // the close box
  EXPECT_TRUE(host.waitForLine("close"));
  EXPECT_TRUE(e2e::waitFor([&] { return !IsWindowVisible(host.about); }));
  EXPECT_TRUE(IsWindow(host.about));

  showByMenu();
  RECT moved{};
  GetWindowRect(host.about, &moved);
  EXPECT_EQ(moved.left, 40);
  EXPECT_EQ(moved.top, 50);
  // The tray menu still works after the close box.
  ASSERT_TRUE(host.press(WM_RBUTTONDOWN));
  host.letter(L's');
  EXPECT_TRUE(host.waitForLine("command 3"));
}

TEST(Tray, MessageWindowAnswersOnlyWithItsButtons) {
  Host host;
  ASSERT_TRUE(host.start());
  struct Case {
    int set;
    bool twoLines;
    int press;
    const char* logged;
    std::vector<std::wstring> buttons;
    const wchar_t* screenshot;
  };
  const Case cases[] = {
      {0, false, 0, "message 0 0", {L"Ok"}, nullptr},
      {4, false, 0, "message 4 6", {L"Yes", L"No"}, nullptr},
      {4, false, 1, "message 4 7", {L"Yes", L"No"}, nullptr},
      {3, false, 0, "message 3 6", {L"Yes", L"No", L"Cancel"}, L"save-one-line"},
      {3, true, 1, "message 3 7", {L"Yes", L"No", L"Cancel"}, L"save-two-lines"},
      {3, true, 2, "message 3 2", {L"Yes", L"No", L"Cancel"}, nullptr},
  };
  for (const Case& c : cases) {
    const std::string what = c.logged;
    PostMessageW(host.about, host.testMessage, static_cast<WPARAM>(c.set), c.twoLines ? 1 : 0);
    HWND message = e2e::waitForWindowOf(host.child.id(), L"DiduzoMessage", true, 5000);
    ASSERT_NE(message, nullptr) << what;
    EXPECT_EQ(textOf(message), L"Save?");
    RECT client{};
    GetClientRect(message, &client);
    EXPECT_EQ(client.bottom, c.twoLines ? 88 : 75) << what;
    const std::vector<HWND> buttons = buttonsOf(message);
    std::vector<std::wstring> texts;
    for (HWND b : buttons) texts.push_back(textOf(b));
    EXPECT_EQ(texts, c.buttons) << what;
    for (HWND b : buttons) {
      RECT r{};
      GetWindowRect(b, &r);
      POINT topLeft{r.left, r.top};
      ScreenToClient(message, &topLeft);
      EXPECT_EQ(topLeft.y, client.bottom - 33) << what;
    }
    if (c.screenshot) {
      EXPECT_TRUE(e2e::screenshot(c.screenshot));
    }

    // Meanwhile a tray press, "Help/About", Alt+F4 and the About window's "OK" are all lost.
    PostMessageW(host.about, trayCallback, 1, WM_RBUTTONDOWN);
    PostMessageW(host.about, WM_COMMAND, 2, 0);
    PostMessageW(message, WM_SYSCOMMAND, SC_CLOSE, 0);
    PostMessageW(GetDlgItem(host.about, 23), BM_CLICK, 0, 0);
    EXPECT_FALSE(e2e::waitFor([&] { return !host.openMenus().empty() || IsWindowVisible(host.about); }, 400));
    EXPECT_TRUE(IsWindow(message));
    EXPECT_FALSE(host.has(what));

    ASSERT_LT(static_cast<std::size_t>(c.press), buttons.size());
    ASSERT_TRUE(IsWindowEnabled(buttons[static_cast<std::size_t>(c.press)]));
    PostMessageW(buttons[static_cast<std::size_t>(c.press)], BM_CLICK, 0, 0);
    EXPECT_TRUE(host.waitForLine(what)) << what;
    EXPECT_TRUE(e2e::waitFor([&] { return !IsWindow(message); }));
  }
  EXPECT_FALSE(host.has("command 2"));
  EXPECT_FALSE(host.has("control 23"));
  EXPECT_FALSE(host.has("close"));
  EXPECT_FALSE(IsWindowVisible(host.about));
  EXPECT_TRUE(host.openMenus().empty());
}

}  // namespace
