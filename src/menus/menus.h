// Menus: the popup menus of the thread ("#32768" windows), drop-downs,
// context menus, the window menu and submenus alike.
#ifndef VELK_MENUS_MENUS_H
#define VELK_MENUS_MENUS_H

#include "../kinds.h"

// Paints a popup menu in the face: every item from the menu's own state, so
// what the owner changed at WM_INITMENUPOPUP shows.
void PaintPopupMenu(SkinnedWindow *rec, HDC dc, const RECT &window);

// The system's menu font, or its bold form for a popup's default item.
HFONT CreateMenuFont(bool bold);

#endif
