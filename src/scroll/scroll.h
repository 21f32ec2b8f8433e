// Scroll bars and spin buttons.
#ifndef VELK_SCROLL_SCROLL_H
#define VELK_SCROLL_SCROLL_H

#include "../core/skin.h"

// The flags word of PaintScrollPart. The low bits equal SKS_DISABLED,
// SKS_PRESSED, SKS_HOT and SKS_HORZ, so a caller may pass its record's state
// ORed with part and glyph bits; every other state bit is ignored.
enum : DWORD {
    SPF_DISABLED = 0x00000001,  // colour set 0, grey pens
    SPF_PRESSED = 0x00000002,   // colour set 1 unless disabled
    SPF_HOT = 0x00000004,       // colour set 2 unless disabled or pressed
    SPF_HORZ = 0x00000400,      // horizontal channel colours, vertical gripper lines
    SPF_TRACK = 0x00100000,     // channel only: one gradient, no corners, no glyph
    SPF_CHEVRON = 0x01000000,   // three nested one-pixel angles
    SPF_GRIPPER = 0x02000000,   // thumb ridges; wins over every other glyph
    SPF_TRIANGLE = 0x04000000,  // small solid triangle; wins over the chevron
    SPF_LEFT = 0x08000000,      // directions, earlier ones winning
    SPF_UP = 0x10000000,
    SPF_RIGHT = 0x20000000,
    SPF_DOWN = 0x40000000,
    SPF_FRAMED = 0x80000000,    // white rim and bevelled shadow around the part
};

// Draws one arrow button, thumb or stretch of channel into any DC, inside
// rect (the glyphs are centred on it and may reach outside a tiny part).
// Leaves the DC with the pen it had on entry.
void PaintScrollPart(HDC dc, RECT rect, DWORD flags);

// A scroll bar's extraState block; rectangles in window coordinates.
struct ScrollBarState {
    RECT thumbRect;        // the thumb as last placed
    RECT downArrowRect;    // vertical bar: bottom arrow button
    RECT upArrowRect;      // vertical bar: top arrow button
    RECT leftArrowRect;    // horizontal bar: left arrow button
    RECT rightArrowRect;   // horizontal bar: right arrow button
    RECT channelRect;      // between the two arrow buttons
    int firstArrowHeld;    // up or left arrow drawn pressed
    int secondArrowHeld;   // down or right arrow drawn pressed
    int thumbHeld;
    int grabX;             // pointer minus thumb's left edge at the press
    int grabY;             // pointer minus thumb's top edge at the press
    int dragging;          // the thumb follows dragPos
    int dragPos;           // the position last reported during a drag
};

LRESULT HandleScrollBarMessage(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT HandleUpDownMessage(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam);

#endif
