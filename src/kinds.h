// The kinds the library skins: one row each, defined in the kind's own file.
// The class table (kinds.cpp) is made from the list below, in the order a
// window's class is compared with the rows; a kind whose class holds several
// picks its row by style, from rows that only its own file names. A new kind
// is its file and one line here.
#ifndef VELK_KINDS_H
#define VELK_KINDS_H

#include "core/skin.h"

#define VELK_CLASS_TABLE(ROW) \
    ROW(ButtonClass)          \
    ROW(EditClass)            \
    ROW(ComboBoxClass)        \
    ROW(ListBoxClass)         \
    ROW(ScrollBarClass)       \
    ROW(StaticClass)          \
    ROW(DialogClass)          \
    ROW(HotKeyClass)          \
    ROW(IpAddressClass)       \
    ROW(ListViewClass)        \
    ROW(ComboListClass)       \
    ROW(DateTimePickerClass)  \
    ROW(UpDownClass)          \
    ROW(MonthCalendarClass)   \
    ROW(TabClass)             \
    ROW(ProgressClass)        \
    ROW(TreeViewClass)        \
    ROW(TrackbarClass)        \
    ROW(StatusBarClass)       \
    ROW(HeaderClass)          \
    ROW(TooltipClass)         \
    ROW(ToolbarClass)         \
    ROW(RebarClass)           \
    ROW(PopupMenuClass)       \
    ROW(MainWindowClass)       \
    ROW(ComboBoxExClass)

#define VELK_DECLARE_ROW(row) extern const SkinClass row;
VELK_CLASS_TABLE(VELK_DECLARE_ROW)
#undef VELK_DECLARE_ROW

// "Button": the rows its kinds pick by style.
extern const SkinClass PushButtonClass;
extern const SkinClass CheckBoxClass;
extern const SkinClass RadioButtonClass;
extern const SkinClass GroupBoxClass;
// "Static": icons.
extern const SkinClass IconStaticClass;
// "ScrollBar": size boxes and grips.
extern const SkinClass SizeGripClass;

#endif
