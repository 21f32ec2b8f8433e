// The kinds the library skins: one row each, defined in the kind's own file.
// The class table (kinds.cpp) lists the rows a window's class is compared
// with; a kind whose class holds several picks its row by style.
#ifndef VELK_KINDS_H
#define VELK_KINDS_H

#include "core/skin.h"

// "Button": push buttons, check boxes, radio buttons and group boxes.
extern const SkinClass ButtonClass;
extern const SkinClass PushButtonClass;
extern const SkinClass CheckBoxClass;
extern const SkinClass RadioButtonClass;
extern const SkinClass GroupBoxClass;
extern const SkinClass StaticClass;
extern const SkinClass EditClass;
extern const SkinClass ComboBoxClass;
extern const SkinClass ListBoxClass;
extern const SkinClass ScrollBarClass;
extern const SkinClass DialogClass;
extern const SkinClass HotKeyClass;
extern const SkinClass IpAddressClass;
extern const SkinClass ListViewClass;
extern const SkinClass ComboListClass;
extern const SkinClass DateTimePickerClass;
extern const SkinClass UpDownClass;
extern const SkinClass MonthCalendarClass;
extern const SkinClass TabClass;
extern const SkinClass ProgressClass;
extern const SkinClass TreeViewClass;
extern const SkinClass TrackbarClass;
extern const SkinClass StatusBarClass;
extern const SkinClass HeaderClass;
extern const SkinClass TooltipClass;
extern const SkinClass ToolbarClass;
extern const SkinClass RebarClass;
extern const SkinClass PopupMenuClass;

#endif
