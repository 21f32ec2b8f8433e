// Scroll bars and spin buttons.
#ifndef VELK_SCROLL_SCROLL_H
#define VELK_SCROLL_SCROLL_H

#include "../kinds.h"

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
static_assert(DWORD{SPF_DISABLED} == DWORD{SKS_DISABLED} && DWORD{SPF_PRESSED} == DWORD{SKS_PRESSED} &&
                  DWORD{SPF_HOT} == DWORD{SKS_HOT} && DWORD{SPF_HORZ} == DWORD{SKS_HORZ},
              "a record's state passes as a flags word");

// Draws one arrow button, thumb or stretch of channel into any DC, inside
// rect (the glyphs are centred on it and may reach outside a tiny part), its
// rims, corners and glyphs at dpi: the window's, or the design's for a
// picture of the design size. Leaves the DC with the pen it had on entry.
void PaintScrollPart(HDC dc, RECT rect, DWORD flags, int dpi = DesignDpi);

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

// Which parts a scroll-bar paint draws. Any other code draws the thumb only.
enum ScrollBarPart {
    SBP_UP = 1,     // vertical: up arrow, then the thumb
    SBP_DOWN = 2,   // vertical: down arrow, then the thumb
    SBP_LEFT = 3,   // horizontal: left arrow, then the thumb
    SBP_RIGHT = 4,  // horizontal: right arrow, then the thumb
    SBP_THUMB = 6,  // the thumb: old place erased, new place drawn
    SBP_ALL = 7,    // both arrows, the whole channel, the thumb
};

// The flags words a scroll bar paints its parts with, by orientation.
struct ScrollBarLook {
    int firstPart;        // SBP_UP or SBP_LEFT
    int secondPart;       // SBP_DOWN or SBP_RIGHT
    DWORD firstArrow;     // up or left arrow at rest; SPF_PRESSED is added while held
    DWORD secondArrow;    // down or right arrow at rest
    DWORD wholeChannel;   // the framed channel of a full repaint
    DWORD thumbChannel;   // the channel over a thumb's old place
    DWORD thumb;          // the thumb at rest
    DWORD heldThumb;      // the thumb held or dragged
};
extern const ScrollBarLook VerticalBarLook;
extern const ScrollBarLook HorizontalBarLook;

// The whole bar, by the orientation of its current style: the kind's painter.
void PaintScrollBar(SkinnedWindow *rec, HDC dc, const RECT &window);

// Lay the bar out from its window size and scroll information, store the
// layout in its ScrollBarState and draw the parts the code asks for into dc.
// A bar whose information cannot be read is left alone; one whose range is
// empty has no thumb.
void PaintScrollBarParts(SkinnedWindow *rec, HDC dc, const RECT &window, int part);

// Place thumbRect in channelRect for the scroll information (or dragPos
// while dragging); barRect is (0, 0, width, height). An empty or inverted
// range leaves thumbRect empty.
void PlaceVerticalThumb(SkinnedWindow *rec, const SCROLLINFO *info, const RECT *barRect);
void PlaceHorizontalThumb(SkinnedWindow *rec, const SCROLLINFO *info, const RECT *barRect);

// The control's SCROLLINFO (SIF_ALL). False for a window that has none.
bool ReadScrollInfo(HWND hwnd, SCROLLINFO *info);

LRESULT HandleScrollBarMessage(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT HandleUpDownMessage(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam);

// Paints an up-down as two triangle halves, the half under the pointer
// pressed while the button is down, framed against a skinned Edit buddy.
void PaintUpDown(SkinnedWindow *rec, HDC dc, const RECT &window);

// The scroll bars of a window that has its own (WS_VSCROLL, WS_HSCROLL):
// the handler of a kind whose only skinned part they are, and the pieces a
// kind with a handler of its own routes to.
LRESULT HandleFrameBarsMessage(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam);
// The bars at once, through the window DC; nothing for a window without.
void RepaintFrameBarsNow(SkinnedWindow *rec);

#endif
