// The painter of arrow buttons, thumbs and channels shared by scroll bars,
// up-downs and the combo box's drop button.
#include "scroll.h"

// Colour sets, chosen from the flags word by ColourSet.
enum ColourSetIndex { SET_DISABLED = 0, SET_PRESSED = 1, SET_HOT = 2, SET_NORMAL = 3 };

// Every table row is in FillGradient4's corner order: top-left, top-right,
// bottom-left, bottom-right.

// The body of a button or thumb.
static const COLORREF OuterGradientColours[4][4] = {
    {0x00EFF3F7, 0x00DEE7E7, 0x00DEE3E7, 0x00DEE3E7},  // disabled
    {0x00DEAEA5, 0x00F7CBBD, 0x00DE8273, 0x00F7C7B5},  // pressed
    {0x00EFC7B5, 0x00E7AE94, 0x00DEA284, 0x00DEA68C},  // hot
    {0x00FFE3D6, 0x00F7CBBD, 0x00F7C3AD, 0x00F7C7B5},  // normal
};

// The body's four corner pixels, which soften its outline.
static const COLORREF CornerPixelColours[4][4] = {
    {0x00F7F7F7, 0x00EFF3F7, 0x00EFF3F7, 0x00EFF3F7},  // disabled
    {0x00DEC3BD, 0x00DEB6AD, 0x00FFE3DE, 0x00F7E3DE},  // pressed
    {0x00EFDBCE, 0x00EFCFC6, 0x00E7CFC6, 0x00E7CBBD},  // hot
    {0x00FFEFE7, 0x00FFE7DE, 0x00FFE3DE, 0x00F7E3DE},  // normal
};

// The face inside the body's one-pixel rim.
static const COLORREF InnerGradientColours[4][4] = {
    {0x00F7F7F7, 0x00E7EFEF, 0x00E7EBEF, 0x00DEE7E7},  // disabled
    {0x00F78E6B, 0x00F79684, 0x00EF9E8C, 0x00EFDFD6},  // pressed
    {0x00FFFFFF, 0x00FFE3CE, 0x00FFDFC6, 0x00FFDBBD},  // hot
    {0x00FFEBE7, 0x00FFCFBD, 0x00FFCBB5, 0x00F7CBAD},  // normal
};

// The channel of a vertical control: shaded across, left to right.
static const COLORREF VerticalTrackGradientColours[4][4] = {
    {0x00EFF3F7, 0x00DEE7E7, 0x00EFF3F7, 0x00DEE3E7},  // disabled
    {0x00DEAEA5, 0x00F7CBBD, 0x00DEAEA5, 0x00F7C7B5},  // pressed
    {0x00EFC7B5, 0x00E7AE94, 0x00EFC7B5, 0x00DEA68C},  // hot
    {0x00FFE3D6, 0x00F7CBBD, 0x00FFE3D6, 0x00F7C7B5},  // normal
};

// The channel of a horizontal control: shaded top to bottom.
static const COLORREF HorizontalTrackGradientColours[4][4] = {
    {0x00DEE7E7, 0x00DEE7E7, 0x00DEE3E7, 0x00DEE3E7},  // disabled
    {0x00F7CBBD, 0x00F7CBBD, 0x00DE8273, 0x00F7C7B5},  // pressed
    {0x00EFC7B5, 0x00EFC7B5, 0x00E7AE94, 0x00DEA68C},  // hot
    {0x00F7CBBD, 0x00F7CBBD, 0x00F7C3AD, 0x00F7C7B5},  // normal
};

// Pen colours, one-pixel solid pens.
static const COLORREF ShadowPenColour = 0x00D6B69C;          // the framed part's bevel
static const COLORREF DisabledShadowPenColour = 0x00BDCFCE;
static const COLORREF GlyphPenColour = 0x0084614A;           // chevrons and triangles
static const COLORREF DisabledGlyphPenColour = 0x00C6CBCE;
static const COLORREF GripperLightPenColour = 0x00FFF7EF;    // in every state
static const COLORREF GripperDarkPenColour = 0x00FFB28C;

// A polyline of up to five points, relative to an origin: MoveToEx to the
// first point, LineTo each further one (so its last point stays undrawn).
struct Stroke {
    int count;
    POINT points[5];
};

// Gripper ridges, relative to the face centre: each dark line lies one pixel
// right of and below a light one.
static const Stroke GripperLightLines[2][4] = {
    {   // vertical control: lines run across
        {2, {{-3, -4}, {3, -4}}},
        {2, {{-3, -2}, {3, -2}}},
        {2, {{-3, 0}, {3, 0}}},
        {2, {{-3, 2}, {3, 2}}},
    },
    {   // horizontal control: lines run down
        {2, {{-4, -3}, {-4, 3}}},
        {2, {{-2, -3}, {-2, 3}}},
        {2, {{0, -3}, {0, 3}}},
        {2, {{2, -3}, {2, 3}}},
    },
};
static const Stroke GripperDarkLines[2][4] = {
    {
        {2, {{-2, -3}, {4, -3}}},
        {2, {{-2, -1}, {4, -1}}},
        {2, {{-2, 1}, {4, 1}}},
        {2, {{-2, 3}, {4, 3}}},
    },
    {
        {2, {{-3, -2}, {-3, 4}}},
        {2, {{-1, -2}, {-1, 4}}},
        {2, {{1, -2}, {1, 4}}},
        {2, {{3, -2}, {3, 4}}},
    },
};

// Glyph directions in order of precedence: the first bit set wins.
static const DWORD GlyphDirections[4] = {SPF_LEFT, SPF_UP, SPF_RIGHT, SPF_DOWN};

// The small solid triangle, by direction: a seven-pixel base with its middle
// pixel left out, then five, three and one pixel toward the tip.
static const Stroke TriangleLines[4][5] = {
    {   // left
        {2, {{-2, 0}, {-2, 1}}},
        {2, {{-1, -1}, {-1, 2}}},
        {2, {{0, -2}, {0, 3}}},
        {2, {{1, -3}, {1, 0}}},
        {2, {{1, 1}, {1, 4}}},
    },
    {   // up
        {2, {{-3, 1}, {0, 1}}},
        {2, {{1, 1}, {4, 1}}},
        {2, {{-2, 0}, {3, 0}}},
        {2, {{-1, -1}, {2, -1}}},
        {2, {{0, -2}, {1, -2}}},
    },
    {   // right
        {2, {{2, 0}, {2, 1}}},
        {2, {{1, -1}, {1, 2}}},
        {2, {{0, -2}, {0, 3}}},
        {2, {{-1, -3}, {-1, 0}}},
        {2, {{-1, 1}, {-1, 4}}},
    },
    {   // down
        {2, {{-3, -1}, {0, -1}}},
        {2, {{1, -1}, {4, -1}}},
        {2, {{-2, 0}, {3, 0}}},
        {2, {{-1, 1}, {2, 1}}},
        {2, {{0, 2}, {1, 2}}},
    },
};

// The chevron, by direction: three nested angles, outermost first.
static const Stroke ChevronLines[4][3] = {
    {   // left
        {3, {{1, -4}, {-3, 0}, {2, 5}}},
        {3, {{1, -3}, {-2, 0}, {2, 4}}},
        {3, {{2, -3}, {-1, 0}, {3, 4}}},
    },
    {   // up
        {3, {{-4, 1}, {0, -3}, {5, 2}}},
        {3, {{-3, 1}, {0, -2}, {4, 2}}},
        {3, {{-3, 2}, {0, -1}, {4, 3}}},
    },
    {   // right
        {3, {{-1, -4}, {3, 0}, {-2, 5}}},
        {3, {{-1, -3}, {2, 0}, {-2, 4}}},
        {3, {{-2, -3}, {1, 0}, {-3, 4}}},
    },
    {   // down
        {3, {{-4, -2}, {0, 2}, {5, -3}}},
        {3, {{-3, -2}, {0, 1}, {4, -3}}},
        {3, {{-3, -3}, {0, 0}, {4, -4}}},
    },
};

static int ColourSet(DWORD flags)
{
    if (flags & SPF_DISABLED)
        return SET_DISABLED;
    if (flags & SPF_PRESSED)
        return SET_PRESSED;
    if (flags & SPF_HOT)
        return SET_HOT;
    return SET_NORMAL;
}

// Draws the strokes, given in design pixels from (x, y), at dpi with a
// fresh one-pixel pen.
static void DrawStrokes(HDC dc, COLORREF colour, const Stroke *strokes, int count, int x, int y, int dpi)
{
    HPEN pen = CreatePen(PS_SOLID, 1, colour);
    HGDIOBJ previousPen = SelectObject(dc, pen);
    for (int i = 0; i < count; ++i)
        DrawDesignStroke(dc, strokes[i].points, strokes[i].count, x, y, dpi);
    SelectObject(dc, previousPen);
    DeleteObject(pen);
}

// A white rim on the part and a shadow just outside its right and bottom
// edges, with both bottom corners cut at 45 degrees. Shrinks the rectangle
// to what is left.
static void PaintFrame(HDC dc, RECT *rect, DWORD flags, int dpi)
{
    const int line = ScaleToDpi(1, dpi);
    const int cut = ScaleToDpi(2, dpi);
    rect->right -= line;
    rect->bottom -= line;
    FrameRectWidth(dc, rect, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)), line);

    const LONG l = rect->left, t = rect->top, r = rect->right, b = rect->bottom;
    const POINT shadow[5] = {{r, t + cut}, {r, b - cut}, {r - cut, b}, {l + line, b}, {l + line - cut, b - cut}};
    HPEN pen = CreatePen(PS_SOLID, 1, (flags & SPF_DISABLED) ? DisabledShadowPenColour : ShadowPenColour);
    HGDIOBJ previousPen = SelectObject(dc, pen);
    DrawPolyline(dc, shadow, 5, line);
    SelectObject(dc, previousPen);
    DeleteObject(pen);
    InflateRect(rect, -line, -line);
}

static void PaintGlyph(HDC dc, DWORD flags, int cx, int cy, int dpi)
{
    int direction = -1;
    for (int i = 0; i < 4 && direction < 0; ++i) {
        if (flags & GlyphDirections[i])
            direction = i;
    }
    if (direction < 0)
        return;

    const COLORREF colour = (flags & SPF_DISABLED) ? DisabledGlyphPenColour : GlyphPenColour;
    if (flags & SPF_TRIANGLE)
        DrawStrokes(dc, colour, TriangleLines[direction], 5, cx, cy, dpi);
    else if (flags & SPF_CHEVRON)
        DrawStrokes(dc, colour, ChevronLines[direction], 3, cx, cy, dpi);
}

// The body's corner pixels, a design pixel each.
static void PaintCornerPixels(HDC dc, const RECT &rect, const COLORREF *corners, int dpi)
{
    const int size = ScaleToDpi(1, dpi);
    const POINT at[4] = {{rect.left, rect.top},
                         {rect.right - size, rect.top},
                         {rect.left, rect.bottom - size},
                         {rect.right - size, rect.bottom - size}};
    for (int i = 0; i < 4; ++i) {
        const RECT corner = {at[i].x, at[i].y, at[i].x + size, at[i].y + size};
        HBRUSH brush = CreateSolidBrush(corners[i]);
        FillRect(dc, &corner, brush);
        DeleteObject(brush);
    }
}

void PaintScrollPart(HDC dc, RECT rect, DWORD flags, int dpi)
{
    if (flags & SPF_FRAMED)
        PaintFrame(dc, &rect, flags, dpi);

    const int set = ColourSet(flags);
    if (flags & SPF_TRACK) {
        FillGradient4(dc, &rect,
                      (flags & SPF_HORZ) ? HorizontalTrackGradientColours[set] : VerticalTrackGradientColours[set]);
        return;
    }

    FillGradient4(dc, &rect, OuterGradientColours[set]);
    PaintCornerPixels(dc, rect, CornerPixelColours[set], dpi);

    const int rim = ScaleToDpi(1, dpi);
    InflateRect(&rect, -rim, -rim);
    FillGradient4(dc, &rect, InnerGradientColours[set]);

    const int cx = rect.left + (rect.right - rect.left) / 2;
    const int cy = rect.top + (rect.bottom - rect.top) / 2;
    if (flags & SPF_GRIPPER) {
        const int orientation = (flags & SPF_HORZ) ? 1 : 0;
        DrawStrokes(dc, GripperLightPenColour, GripperLightLines[orientation], 4, cx, cy, dpi);
        DrawStrokes(dc, GripperDarkPenColour, GripperDarkLines[orientation], 4, cx, cy, dpi);
        return;
    }
    PaintGlyph(dc, flags, cx, cy, dpi);
}
