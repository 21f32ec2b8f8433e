// The built-in face's scroll colours that the scroll tests look for.
#ifndef VELK_TESTS_SCROLL_SCROLL_COLOURS_H
#define VELK_TESTS_SCROLL_SCROLL_COLOURS_H

#include "core/face.h"

const COLORREF GlyphPen = BuiltInFace.scrollGlyph;
const COLORREF GreyGlyphPen = BuiltInFace.scrollGlyphDisabled;
const COLORREF GripperLight = BuiltInFace.gripperLight;
const COLORREF GripperDark = BuiltInFace.gripperDark;

// The body's top-left corner pixel differs in every colour set, so it names
// the set the painter chose.
const COLORREF DisabledCorner = BuiltInFace.scrollCorners[SET_DISABLED][0];
const COLORREF PressedCorner = BuiltInFace.scrollCorners[SET_PRESSED][0];
const COLORREF HotCorner = BuiltInFace.scrollCorners[SET_HOT][0];
const COLORREF NormalCorner = BuiltInFace.scrollCorners[SET_NORMAL][0];

#endif
