// The tray menu, the launch menu and the message window, built in this process and read back.
#include <windows.h>

#include <gtest/gtest.h>
#include <shellapi.h>

#include <cwchar>
#include <string>
#include <vector>

#include "app/events.h"
#include "app/message_window_win32.h"
#include "base/wide_win32.h"
#include "tray/about_window_win32.h"
#include "tray/image_menu_win32.h"
#include "tray/tray_win32.h"

namespace diduzo {
namespace {

struct Item {
  UINT id = 0;
  UINT type = 0;
  UINT state = 0;
  HMENU submenu = nullptr;
  ImageItemView image;
  bool isImage = false;
};

Item itemAt(HMENU menu, UINT position) {
  Item item;
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STATE | MIIM_SUBMENU;
  EXPECT_TRUE(GetMenuItemInfoW(menu, position, TRUE, &info));
  item.id = info.wID;
  item.type = info.fType;
  item.state = info.fState;
  item.submenu = info.hSubMenu;
  item.isImage = imageMenuItem(menu, position, item.image);
  return item;
}

// "text#id" for items, "-" for separators, "text[...]" for submenus; "*" marks owner-drawn
// items, "~" greyed ones, "+" an item with an icon.
std::string describe(HMENU menu) {
  std::string out;
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    const Item item = itemAt(menu, static_cast<UINT>(i));
    if (!out.empty()) out += ' ';
    if (item.type & MFT_OWNERDRAW) out += '*';
    if (item.state & MFS_GRAYED) out += '~';
    if (item.image.icon) out += '+';
    if (item.type & MFT_SEPARATOR) {
      out += '-';
      continue;
    }
    std::string text = toUtf8(item.image.text);
    if (!item.isImage) {
      wchar_t buffer[64] = {};
      GetMenuStringW(menu, static_cast<UINT>(i), buffer, 64, MF_BYPOSITION);
      text = toUtf8(fromWide(buffer));
    }
    if (item.submenu)
      out += text + "[" + describe(item.submenu) + "]";
    else
      out += text + "#" + std::to_string(item.id);
  }
  return out;
}

class TrayTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    about = createAboutWindow(GetModuleHandleW(nullptr));
    ASSERT_NE(about, nullptr);
    iconShown = setUpTray(about);  // the menus are made whether or not there is a notification area
  }
  static void TearDownTestSuite() {
    removeTrayIcon();
    destroyLaunchMenu();
    destroyAboutWindow();
  }
  static HWND about;
  static bool iconShown;
};
HWND TrayTest::about = nullptr;
bool TrayTest::iconShown = false;

bool iconExists(HWND owner) {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = owner;
  data.uID = trayIconId;
  data.uFlags = NIF_TIP;
  wcscpy(data.szTip, L"probe");
  const bool exists = Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
  if (exists) addTrayIconAgain();  // the tooltip back as it was
  return exists;
}

TEST_F(TrayTest, IconComesBackWhenTheNotificationAreaIsMadeAgain) {
  if (!iconShown) GTEST_SKIP() << "no notification area here";
  ASSERT_TRUE(iconExists(about));
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = about;
  data.uID = trayIconId;
  ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &data));
  ASSERT_FALSE(iconExists(about));
  ASSERT_NE(taskbarCreatedMessage(), 0u);
  SendMessageW(about, taskbarCreatedMessage(), 0, 0);
  EXPECT_TRUE(iconExists(about));
}

TEST_F(TrayTest, TrayMenuHasItsSevenRowsWithBothOptionsChecked) {
  HMENU menu = trayMenu();
  ASSERT_NE(menu, nullptr);
  const std::string rows = describe(menu);
  // The shell32.dll icons are those of the running system; whether each exists is its affair.
  std::string plain;
  for (char c : rows)
    if (c != '+') plain += c;
  EXPECT_EQ(plain,
            "*Activate automatic END on exit#4 *Activate automatic RUN on start#5 *- *Set Applications#3 "
            "*Help/About#2 *- *Exit#1");
  EXPECT_EQ(itemAt(menu, 0).image.icon, nullptr);
  for (UINT position : {0u, 1u}) EXPECT_TRUE(itemAt(menu, position).state & MFS_CHECKED);
  for (UINT position : {3u, 4u, 6u}) EXPECT_FALSE(itemAt(menu, position).state & MFS_CHECKED);
  EXPECT_TRUE(isOptionOn(4));
  EXPECT_TRUE(isOptionOn(5));
}

TEST_F(TrayTest, OptionsChangeOnlyTheirCheckMark) {
  EnableMenuItem(trayMenu(), 5, MF_BYCOMMAND | MF_GRAYED);
  toggleOption(4);
  EXPECT_FALSE(isOptionOn(4));
  EXPECT_TRUE(isOptionOn(5));
  setOption(5, false);
  EXPECT_FALSE(isOptionOn(5));
  EXPECT_TRUE(itemAt(trayMenu(), 1).state & MFS_GRAYED);  // the rest of the state is kept
  setOption(5, true);
  toggleOption(4);
  EXPECT_TRUE(isOptionOn(4));
  EXPECT_TRUE(isOptionOn(5));
  EXPECT_TRUE(itemAt(trayMenu(), 1).state & MFS_GRAYED);
  EnableMenuItem(trayMenu(), 5, MF_BYCOMMAND | MF_ENABLED);
  EXPECT_FALSE(isOptionOn(3));  // no check mark on a command
}

void add(EntryList& list, EntryKind kind, int level, const char16_t* name, IconHandle icon = nullptr) {
  LaunchEntry* e = list.addAfter();
  e->kind = static_cast<std::int8_t>(kind);
  e->level = static_cast<std::int8_t>(level);
  e->name = name;
  e->icon = icon;
}

TEST_F(TrayTest, LaunchMenuFollowsTheListAndItsPlaceholderRules) {
  HMENU placeholder = launchMenu();
  ASSERT_NE(placeholder, nullptr);
  EXPECT_EQ(describe(placeholder), "*~(empty)#10");
  EntryList empty;
  rebuildLaunchMenu(empty);
  EXPECT_EQ(launchMenu(), placeholder);  // a placeholder-only menu stays as it is

  IconHandle icon = smallFileIcon(u"C:\\windows\\notepad.exe");
  EntryList list;
  add(list, EntryKind::Application, 0, u"A", icon);
  add(list, EntryKind::Group, 0, u"G");
  add(list, EntryKind::Application, 1, u"B");
  add(list, EntryKind::Group, 1, u"H");
  add(list, EntryKind::Folder, 2, u"C");
  add(list, EntryKind::Separator, 0, u"");
  add(list, EntryKind::Application, 0, u"D");
  list.selectAt(3);
  rebuildLaunchMenu(list);
  EXPECT_EQ(describe(launchMenu()), "*+A#10 *G[*B#12 *H[*C#14]] *- *D#16");
  EXPECT_EQ(list.currentIndex(), 3);

  rebuildLaunchMenu(empty);
  HMENU plain = launchMenu();
  EXPECT_EQ(describe(plain), "~(empty)#10");  // drawn by the system
  rebuildLaunchMenu(empty);
  EXPECT_EQ(launchMenu(), plain);

  EntryList groupFirst;
  add(groupFirst, EntryKind::Group, 0, u"G");
  add(groupFirst, EntryKind::Application, 1, u"B");
  rebuildLaunchMenu(groupFirst);
  EXPECT_EQ(describe(launchMenu()), "*G[*B#11]");
  if (icon) DestroyIcon(static_cast<HICON>(icon));
}

TEST_F(TrayTest, LettersChooseOnlyAtTheTopLevel) {
  LRESULT result = 0;
  struct Case {
    wchar_t letter;
    int position;
  };
  for (const Case& c : {Case{L'e', 6}, Case{L'H', 4}, Case{L's', 3}, Case{L'a', 0}}) {
    ASSERT_TRUE(imageMenuChar(MAKEWPARAM(c.letter, MF_POPUP), reinterpret_cast<LPARAM>(trayMenu()), result));
    EXPECT_EQ(result, MAKELRESULT(c.position, MNC_EXECUTE)) << static_cast<char>(c.letter);
  }
  ASSERT_TRUE(imageMenuChar(MAKEWPARAM(L'q', MF_POPUP), reinterpret_cast<LPARAM>(trayMenu()), result));
  EXPECT_EQ(HIWORD(result), MNC_IGNORE);

  EntryList list;
  add(list, EntryKind::Group, 0, u"Group");
  add(list, EntryKind::Application, 1, u"Bee");
  rebuildLaunchMenu(list);
  HMENU submenu = GetSubMenu(launchMenu(), 0);
  ASSERT_TRUE(imageMenuChar(MAKEWPARAM(L'g', MF_POPUP), reinterpret_cast<LPARAM>(launchMenu()), result));
  EXPECT_EQ(result, MAKELRESULT(0, MNC_EXECUTE));  // opens the group
  ASSERT_TRUE(imageMenuChar(MAKEWPARAM(L'b', MF_POPUP), reinterpret_cast<LPARAM>(submenu), result));
  EXPECT_EQ(HIWORD(result), MNC_IGNORE);
  HMENU other = CreatePopupMenu();
  EXPECT_FALSE(imageMenuChar(MAKEWPARAM(L'b', MF_POPUP), reinterpret_cast<LPARAM>(other), result));
  DestroyMenu(other);
}

TEST(ImageMenu, ItemSizes) {
  HMENU menu = createImageMenu(true);
  ASSERT_TRUE(appendImageItem(menu, 7, u"Same", nullptr));
  ASSERT_TRUE(appendImageItem(menu, 8, u"Same\t", nullptr));
  ASSERT_NE(appendImageSubmenu(menu, u"Same"), nullptr);
  ASSERT_TRUE(appendImageSeparator(menu));
  ASSERT_TRUE(appendImageItem(menu, 9, u"", nullptr));
  std::vector<MEASUREITEMSTRUCT> sizes;
  for (UINT i = 0; i < 5; ++i) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_DATA;
    ASSERT_TRUE(GetMenuItemInfoW(menu, i, TRUE, &info));
    MEASUREITEMSTRUCT m{};
    m.CtlType = ODT_MENU;
    m.itemData = info.dwItemData;
    ASSERT_TRUE(measureImageMenuItem(&m));
    sizes.push_back(m);
  }
  EXPECT_GT(sizes[0].itemWidth, 28u);
  EXPECT_EQ(sizes[1].itemWidth, sizes[0].itemWidth + 20);  // a tab
  EXPECT_EQ(sizes[2].itemWidth, sizes[0].itemWidth + 20);  // a submenu
  EXPECT_EQ(sizes[1].itemHeight, sizes[0].itemHeight);
  EXPECT_EQ(sizes[3].itemWidth, 50u);
  EXPECT_EQ(sizes[3].itemHeight, 9u);
  EXPECT_EQ(sizes[4].itemWidth, 28u);
  EXPECT_EQ(sizes[4].itemHeight, sizes[0].itemHeight);
  MEASUREITEMSTRUCT foreign{};
  foreign.CtlType = ODT_MENU;
  EXPECT_FALSE(measureImageMenuItem(&foreign));
  destroyImageMenu(menu);
}

TEST(SmallFileIcon, OnlyForExistingFiles) {
  IconHandle icon = smallFileIcon(u"C:\\windows\\notepad.exe");
  EXPECT_NE(icon, nullptr);
  if (icon) DestroyIcon(static_cast<HICON>(icon));
  EXPECT_EQ(smallFileIcon(u"C:\\no such folder\\nothing.exe"), nullptr);
  EXPECT_EQ(smallFileIcon(u"%windir%\\notepad.exe"), nullptr);
}

// What a timer sees of the message window while showMessage waits, and which button it presses.
struct Probe {
  int press = 0;  // index of the button to press
  bool pushOthers = true;
  int ticks = 0;
  RECT client{};
  RECT window{};
  std::vector<std::wstring> buttons;
  bool stillThereAfterClose = false;
};
Probe* probe = nullptr;

BOOL CALLBACK collectButton(HWND child, LPARAM) {
  wchar_t cls[32] = {}, text[32] = {};
  GetClassNameW(child, cls, 32);
  if (lstrcmpiW(cls, L"Button") == 0) {
    GetWindowTextW(child, text, 32);
    probe->buttons.push_back(text);
  }
  return TRUE;
}

void CALLBACK pressLater(HWND, UINT, UINT_PTR id, DWORD) {
  HWND message = FindWindowW(L"DiduzoMessage", nullptr);
  if (!message) return;
  if (probe->ticks++ == 0) {
    GetClientRect(message, &probe->client);
    GetWindowRect(message, &probe->window);
    EnumChildWindows(message, collectButton, 0);
    if (probe->pushOthers) {
      // Events that arrive while the question waits are lost.
      events().push(Event{EventKind::MenuCommand, 2, nullptr});
      events().push(Event{EventKind::TrayPress, static_cast<int>(TrayButton::Right), nullptr});
      SendMessageW(message, WM_CLOSE, 0, 0);
      probe->stillThereAfterClose = IsWindow(message);
    }
    return;
  }
  KillTimer(nullptr, id);
  HWND button = GetDlgItem(message, 100 + probe->press);
  PostMessageW(button, BM_CLICK, 0, 0);
}

TEST(MessageWindow, ReturnsThePressedButtonAndDropsOtherEvents) {
  struct Case {
    int set;
    int press;
    INT_PTR result;
    std::vector<std::wstring> buttons;
  };
  const Case cases[] = {
      {0, 0, 0, {L"Ok"}},         {4, 0, 6, {L"Yes", L"No"}},           {4, 1, 7, {L"Yes", L"No"}},
      {3, 0, 6, {L"Yes", L"No", L"Cancel"}}, {3, 1, 7, {L"Yes", L"No", L"Cancel"}}, {3, 2, 2, {L"Yes", L"No", L"Cancel"}},
  };
  for (const Case& c : cases) {
    Probe p;
    p.press = c.press;
    probe = &p;
    SetTimer(nullptr, 0, 50, pressLater);
    EXPECT_EQ(showMessage(u"Save?", u"Save changes to application entry?", c.set, nullptr), c.result) << c.set;
    EXPECT_EQ(p.buttons, c.buttons);
    EXPECT_TRUE(p.stillThereAfterClose);
    EXPECT_TRUE(events().empty());
    EXPECT_EQ(FindWindowW(L"DiduzoMessage", nullptr), nullptr);
    EXPECT_EQ(p.client.bottom, 75);
    probe = nullptr;
  }
}

TEST(MessageWindow, ClosedOwnerMeansCentredOnTheScreen) {
  HWND gone = CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  DestroyWindow(gone);
  Probe p;
  p.pushOthers = false;
  probe = &p;
  SetTimer(nullptr, 0, 50, pressLater);
  EXPECT_EQ(showMessage(u"Save?",
                        u"Save changes to application entry and overwrite existing information?\r(Cancel = restore old "
                        u"values)",
                        3, gone),
            6);
  probe = nullptr;
  EXPECT_EQ(p.client.bottom, 88);
  const int width = p.window.right - p.window.left;
  const int height = p.window.bottom - p.window.top;
  EXPECT_EQ(p.window.left, (GetSystemMetrics(SM_CXSCREEN) - width) / 2);
  EXPECT_EQ(p.window.top, (GetSystemMetrics(SM_CYSCREEN) - height) / 2);
}

TEST(MessageWindow, WithoutButtonsReturnsTheOpenWindow) {
  const INT_PTR result = showMessage(u"Starting...", u"Application \"X\" is currently starting. Please be patient...", -1,
                                     nullptr);
  HWND window = reinterpret_cast<HWND>(result);
  ASSERT_TRUE(IsWindow(window));
  EXPECT_TRUE(IsWindowVisible(window));
  RECT client{};
  GetClientRect(window, &client);
  EXPECT_EQ(client.bottom, 40);
  EXPECT_EQ(GetDlgItem(window, 100), nullptr);
  EXPECT_EQ(GetWindowLongW(window, GWL_STYLE) & (WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX), 0);
  DestroyWindow(window);
}

}  // namespace
}  // namespace diduzo
