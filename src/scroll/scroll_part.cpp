// The painter of arrow buttons, thumbs and channels shared by scroll bars,
// up-downs and the combo box's drop button.
#include "scroll.h"

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

// A rim on the part and a shadow just outside its right and bottom
// edges, with both bottom corners cut at 45 degrees. Shrinks the rectangle
// to what is left.
static void PaintFrame(HDC dc, RECT *rect, DWORD flags, const Face &face, int dpi)
{
    const int line = ScaleToDpi(1, dpi);
    const int cut = ScaleToDpi(2, dpi);
    rect->right -= line;
    rect->bottom -= line;
    HBRUSH rim = CreateSolidBrush(face.scrollRim);
    FrameRectWidth(dc, rect, rim, line);
    DeleteObject(rim);

    const LONG l = rect->left, t = rect->top, r = rect->right, b = rect->bottom;
    const POINT shadow[5] = {{r, t + cut}, {r, b - cut}, {r - cut, b}, {l + line, b}, {l + line - cut, b - cut}};
    HPEN pen = CreatePen(PS_SOLID, 1, (flags & SPF_DISABLED) ? face.scrollShadowDisabled : face.scrollShadow);
    HGDIOBJ previousPen = SelectObject(dc, pen);
    DrawPolyline(dc, shadow, 5, line);
    SelectObject(dc, previousPen);
    DeleteObject(pen);
    InflateRect(rect, -line, -line);
}

static void PaintGlyph(HDC dc, DWORD flags, const Face &face, int cx, int cy, int dpi)
{
    int direction = -1;
    for (int i = 0; i < 4 && direction < 0; ++i) {
        if (flags & GlyphDirections[i])
            direction = i;
    }
    if (direction < 0)
        return;

    const COLORREF colour = (flags & SPF_DISABLED) ? face.scrollGlyphDisabled : face.scrollGlyph;
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
    const Face &face = *CurrentFace();
    if (flags & SPF_FRAMED)
        PaintFrame(dc, &rect, flags, face, dpi);

    const int set = ColourSet(flags);
    if (flags & SPF_TRACK) {
        FillGradient4(dc, &rect,
                      (flags & SPF_HORZ) ? face.horizontalTrack[set] : face.verticalTrack[set]);
        return;
    }

    FillGradient4(dc, &rect, face.scrollOuter[set]);
    PaintCornerPixels(dc, rect, face.scrollCorners[set], dpi);

    const int rim = ScaleToDpi(1, dpi);
    InflateRect(&rect, -rim, -rim);
    FillGradient4(dc, &rect, face.scrollInner[set]);

    const int cx = rect.left + (rect.right - rect.left) / 2;
    const int cy = rect.top + (rect.bottom - rect.top) / 2;
    if (flags & SPF_GRIPPER) {
        const int orientation = (flags & SPF_HORZ) ? 1 : 0;
        DrawStrokes(dc, face.gripperLight, GripperLightLines[orientation], 4, cx, cy, dpi);
        DrawStrokes(dc, face.gripperDark, GripperDarkLines[orientation], 4, cx, cy, dpi);
        return;
    }
    PaintGlyph(dc, flags, face, cx, cy, dpi);
}
