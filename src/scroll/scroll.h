// Scroll bars and spin buttons.
#ifndef VELK_SCROLL_SCROLL_H
#define VELK_SCROLL_SCROLL_H

#include "../core/skin.h"

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
