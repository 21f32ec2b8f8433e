// The class table: every class the library skins, in the order classes are
// compared. Each row is defined with its kind; a new kind is one file in its
// folder, its row declared in kinds.h and one line here.
#include "kinds.h"

const SkinClass *const SkinClasses[] = {
    &ButtonClass,
    &EditClass,
    &ComboBoxClass,
    &ListBoxClass,
    &ScrollBarClass,
    &StaticClass,
    &DialogClass,
    &HotKeyClass,
    &IpAddressClass,
    &ListViewClass,
    &ComboListClass,
    &DateTimePickerClass,
    &UpDownClass,
    &MonthCalendarClass,
    &TabClass,
    &ProgressClass,
    &TreeViewClass,
    &TrackbarClass,
    &StatusBarClass,
    &HeaderClass,
    &TooltipClass,
    &ToolbarClass,
    &RebarClass,
    &PopupMenuClass,
};

const int SkinClassCount = sizeof SkinClasses / sizeof SkinClasses[0];
