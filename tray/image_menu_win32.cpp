#include "tray/image_menu_win32.h"

#include <memory>
#include <unordered_map>
#include <vector>

#include "base/wide_win32.h"
#include "tray/menu_keys.h"

namespace diduzo {

namespace {

constexpr DWORD itemMagic = 0x4D676D49;  // marks our item records among menu item data

struct ImageItem {
  DWORD magic = itemMagic;
  std::wstring text;
  HICON icon = nullptr;
  bool separator = false;
  bool submenu = false;
};

struct ImageMenu {
  bool topLevel = false;
  std::vector<std::unique_ptr<ImageItem>> items;
};

std::unordered_map<HMENU, ImageMenu>& imageMenus() {
  static std::unordered_map<HMENU, ImageMenu> menus;
  return menus;
}

HFONT menuFont = nullptr;

HFONT currentMenuFont() {
  if (!menuFont) refreshMenuFont();
  return menuFont ? menuFont : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

bool appendRecord(HMENU menu, std::unique_ptr<ImageItem> record, UINT id, HMENU submenu) {
  auto found = imageMenus().find(menu);
  if (found == imageMenus().end()) return false;
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE | MIIM_DATA | (record->separator ? 0u : MIIM_ID) | (submenu ? MIIM_SUBMENU : 0u);
  // No menu string: the text lives in the record, so letters reach WM_MENUCHAR.
  info.fType = MFT_OWNERDRAW | (record->separator ? MFT_SEPARATOR : 0u);
  info.wID = id;
  info.hSubMenu = submenu;
  info.dwItemData = reinterpret_cast<ULONG_PTR>(record.get());
  if (!InsertMenuItemW(menu, static_cast<UINT>(GetMenuItemCount(menu)), TRUE, &info)) return false;
  found->second.items.push_back(std::move(record));
  return true;
}

ImageItem* recordOf(ULONG_PTR data) {
  auto* item = reinterpret_cast<ImageItem*>(data);
  return item && item->magic == itemMagic ? item : nullptr;
}

ImageItem* recordAt(HMENU menu, UINT position) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_DATA | MIIM_FTYPE;
  if (!imageMenus().count(menu) || !GetMenuItemInfoW(menu, position, TRUE, &info)) return nullptr;
  return (info.fType & MFT_OWNERDRAW) ? recordOf(info.dwItemData) : nullptr;
}

// The text before the first tab and the text after it.
void splitAtTab(const std::wstring& text, std::wstring& left, std::wstring& right) {
  const std::size_t tab = text.find(L'\t');
  left = text.substr(0, tab);
  right = tab == std::wstring::npos ? L"" : text.substr(tab + 1);
}

int textWidth(HDC dc, const std::wstring& text) {
  if (text.empty()) return 0;
  RECT r{0, 0, 0, 0};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_SINGLELINE | DT_CALCRECT);
  return r.right - r.left;
}

// A grey version of the icon, drawn 16x16 at (x, y) over the background colour.
void drawGreyIcon(HDC dc, HICON icon, int x, int y, COLORREF background) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = 16;
  bi.bmiHeader.biHeight = -16;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC memory = CreateCompatibleDC(dc);
  HBITMAP bitmap = memory ? CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr;
  if (!bitmap) {
    if (memory) DeleteDC(memory);
    return;
  }
  HGDIOBJ old = SelectObject(memory, bitmap);
  const DWORD bg = (GetRValue(background) << 16) | (GetGValue(background) << 8) | GetBValue(background);
  auto* pixels = static_cast<DWORD*>(bits);
  for (int i = 0; i < 256; ++i) pixels[i] = bg;
  DrawIconEx(memory, 0, 0, icon, 16, 16, 0, nullptr, DI_NORMAL);
  GdiFlush();
  for (int i = 0; i < 256; ++i) {
    const DWORD p = pixels[i] & 0xFFFFFF;
    if (p == bg) continue;
    const DWORD lum = (((p >> 16) & 0xFF) * 30 + ((p >> 8) & 0xFF) * 59 + (p & 0xFF) * 11) / 100;
    const DWORD grey = 128 + lum / 2;
    pixels[i] = (grey << 16) | (grey << 8) | grey;
  }
  BitBlt(dc, x, y, 16, 16, memory, 0, 0, SRCCOPY);
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
}

// The small tick of a checked item: 7 pixels wide from x, centred on cy.
void drawTick(HDC dc, int x, int cy, COLORREF colour) {
  HPEN pen = CreatePen(PS_SOLID, 1, colour);
  HGDIOBJ old = SelectObject(dc, pen);
  for (int dy = 0; dy < 2; ++dy) {
    const POINT points[] = {{x, cy - 1 + dy}, {x + 2, cy + 1 + dy}, {x + 7, cy - 4 + dy}};
    Polyline(dc, points, 3);
  }
  SelectObject(dc, old);
  DeleteObject(pen);
}

}  // namespace

HMENU createImageMenu(bool topLevel) {
  HMENU menu = CreatePopupMenu();
  if (menu) imageMenus()[menu].topLevel = topLevel;
  return menu;
}

bool appendImageItem(HMENU menu, UINT id, TextView text, HICON icon) {
  auto record = std::make_unique<ImageItem>();
  record->text = wide(text);
  record->icon = icon;
  return appendRecord(menu, std::move(record), id, nullptr);
}

bool appendImageSeparator(HMENU menu) {
  auto record = std::make_unique<ImageItem>();
  record->separator = true;
  return appendRecord(menu, std::move(record), 0, nullptr);
}

HMENU appendImageSubmenu(HMENU menu, TextView text) {
  HMENU submenu = createImageMenu(false);
  if (!submenu) return nullptr;
  auto record = std::make_unique<ImageItem>();
  record->text = wide(text);
  record->submenu = true;
  if (!appendRecord(menu, std::move(record), 0, submenu)) {
    destroyImageMenu(submenu);
    return nullptr;
  }
  return submenu;
}

void destroyImageMenu(HMENU menu) {
  if (!menu) return;
  // Forget the records of every submenu before the menu goes.
  std::vector<HMENU> pending{menu};
  while (!pending.empty()) {
    HMENU m = pending.back();
    pending.pop_back();
    const int count = GetMenuItemCount(m);
    for (int i = 0; i < count; ++i)
      if (HMENU sub = GetSubMenu(m, i)) pending.push_back(sub);
    imageMenus().erase(m);
  }
  DestroyMenu(menu);
}

bool imageMenuItem(HMENU menu, UINT position, ImageItemView& out) {
  const ImageItem* record = recordAt(menu, position);
  if (!record) return false;
  out.text = fromWide(record->text.c_str(), record->text.size());
  out.icon = record->icon;
  out.separator = record->separator;
  return true;
}

void refreshMenuFont() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  BOOL ok = SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0);
  if (!ok) {
    // Systems before Vista know the structure without its last field.
    metrics.cbSize = sizeof metrics - sizeof metrics.iPaddedBorderWidth;
    ok = SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0);
  }
  HFONT font = ok ? CreateFontIndirectW(&metrics.lfMenuFont) : nullptr;
  if (!font) return;
  if (menuFont) DeleteObject(menuFont);
  menuFont = font;
}

bool measureImageMenuItem(MEASUREITEMSTRUCT* item) {
  if (!item || item->CtlType != ODT_MENU) return false;
  const ImageItem* record = recordOf(item->itemData);
  if (!record) return false;
  if (record->separator) {
    item->itemWidth = 50;
    item->itemHeight = 9;
    return true;
  }
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, currentMenuFont());
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  std::wstring left, right;
  splitAtTab(record->text, left, right);
  const bool hasTab = record->text.find(L'\t') != std::wstring::npos;
  int width = textWidth(dc, left) + textWidth(dc, right) + 28;
  if (record->submenu || hasTab) width += 20;
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  item->itemWidth = static_cast<UINT>(width);
  item->itemHeight = static_cast<UINT>(metrics.tmHeight + 6);
  return true;
}

bool drawImageMenuItem(const DRAWITEMSTRUCT* item) {
  if (!item || item->CtlType != ODT_MENU) return false;
  const ImageItem* record = recordOf(item->itemData);
  if (!record) return false;
  HDC dc = item->hDC;
  const RECT r = item->rcItem;
  if (record->separator) {
    FillRect(dc, &r, GetSysColorBrush(COLOR_MENU));
    const RECT line{r.left, r.top + 4, r.right, r.top + 5};
    FillRect(dc, &line, GetSysColorBrush(COLOR_BTNSHADOW));
    return true;
  }
  const bool selected = item->itemState & ODS_SELECTED;
  const bool grey = item->itemState & (ODS_GRAYED | ODS_DISABLED);
  const int background = selected ? COLOR_HIGHLIGHT : COLOR_MENU;
  FillRect(dc, &r, GetSysColorBrush(background));
  const COLORREF textColour = GetSysColor(grey ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT);

  const int height = r.bottom - r.top;
  if (record->icon) {
    const int x = r.left + 2;
    const int y = r.top + (height - 16) / 2 + 1;
    if (grey)
      drawGreyIcon(dc, record->icon, x, y, GetSysColor(background));
    else
      DrawIconEx(dc, x, y, record->icon, 16, 16, 0, nullptr, DI_NORMAL);
  }
  if (item->itemState & ODS_CHECKED) drawTick(dc, r.left + 7, r.top + height / 2, textColour);

  HGDIOBJ oldFont = SelectObject(dc, currentMenuFont());
  const COLORREF oldColour = SetTextColor(dc, textColour);
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  RECT textRect{r.left + 28, r.top, r.right - 8, r.bottom};
  UINT format = DT_SINGLELINE | DT_VCENTER;
  if (item->itemState & ODS_NOACCEL) format |= DT_HIDEPREFIX;
  std::wstring left, right;
  splitAtTab(record->text, left, right);
  if (!left.empty()) DrawTextW(dc, left.c_str(), static_cast<int>(left.size()), &textRect, format | DT_LEFT);
  if (!right.empty()) DrawTextW(dc, right.c_str(), static_cast<int>(right.size()), &textRect, format | DT_RIGHT);
  SetBkMode(dc, oldMode);
  SetTextColor(dc, oldColour);
  SelectObject(dc, oldFont);
  return true;
}

bool imageMenuChar(WPARAM wParam, LPARAM lParam, LRESULT& result) {
  HMENU menu = reinterpret_cast<HMENU>(lParam);
  auto found = imageMenus().find(menu);
  if (found == imageMenus().end()) return false;
  result = MAKELRESULT(0, MNC_IGNORE);
  if (!found->second.topLevel) return true;  // inside a submenu a letter chooses nothing
  std::vector<Text> texts;
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    const ImageItem* record = recordAt(menu, static_cast<UINT>(i));
    texts.push_back(record && !record->separator ? fromWide(record->text.c_str(), record->text.size()) : Text());
  }
  const int chosen = itemForLetter(texts, static_cast<char16_t>(LOWORD(wParam)));
  if (chosen >= 0) result = MAKELRESULT(chosen, MNC_EXECUTE);
  return true;
}

}  // namespace diduzo
