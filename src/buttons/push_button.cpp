// Push button painting: backdrop, gradient faces, rounded outline, icon and
// caption, composed off screen.
#include "buttons.h"

// Any of these states narrows the inner face so the outer band shows on the
// left as well.
static const DWORD OuterBandStates = SKS_DISABLED | SKS_PRESSED | SKS_HOT | SKS_FOCUSED | SKS_DEFAULT;

// Design sizes, drawn at the window's DPI: insets from the window's edges.
static const int BackdropInset = 1;     // the shadow's and light line's width
static const int LightLineInset = 2;    // where the light line starts
static const int OuterFaceInset = 2;
static const int InnerFaceInset = 4;    // the outer band shows between the faces
static const int FocusRectInset = 3;
static const int OutlineInset = 1;
static const int CornerDiameter = 4;    // the tight corner curve
static const int OutlineDiameter = 6;
// Around an icon: from the edges, and between icon and caption.
static const int IconMargin = 4;
static const int IconTextGap = 2;
static const int IconCentreShift = 2;   // a centred icon sits this far right of the middle
static const int PressedTextShift = 1;

static void FillVertical(HDC dc, int left, int top, int right, int bottom, const VerticalGradient &colours)
{
    const RECT rect = {left, top, right, bottom};
    const COLORREF corners[4] = {colours.top, colours.top, colours.bottom, colours.bottom};
    FillGradient4(dc, &rect, corners);
}

static OuterFaceRow ChooseOuterFace(DWORD state)
{
    if (state & SKS_DISABLED)
        return OUTER_DISABLED;
    if (state & SKS_PRESSED)
        return OUTER_PRESSED;
    if (state & SKS_HOT)
        return OUTER_HOT;
    if (state & (SKS_FOCUSED | SKS_DEFAULT))
        return OUTER_FOCUSED;
    return OUTER_RESTING;
}

static InnerFaceRow ChooseInnerFace(DWORD state, LONG style)
{
    if (state & SKS_DISABLED)
        return INNER_DISABLED;
    if (state & SKS_PRESSED)
        return INNER_PRESSED;
    if ((state & (SKS_FOCUSED | SKS_DEFAULT)) && (style & BS_FLAT))
        return INNER_FLAT_FOCUSED;
    return INNER_RESTING;
}

static void FillBand(HDC dc, const RECT &band, COLORREF colour)
{
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &band, brush);
    DeleteObject(brush);
}

UINT ButtonTextFormat(LONG style)
{
    UINT format = DT_END_ELLIPSIS;
    if ((style & BS_MULTILINE) == 0)
        format |= DT_SINGLELINE;
    if (style & BS_TOP)
        format |= DT_TOP;
    else if (style & BS_BOTTOM)
        format |= DT_BOTTOM;
    else
        format |= DT_VCENTER | DT_SINGLELINE;  // centring only works on one line
    if (style & BS_LEFT)
        format |= DT_LEFT;
    else if (style & BS_RIGHT)
        format |= DT_RIGHT;
    else
        format |= DT_CENTER;
    return format;
}

// Half the icon's size; an icon's hot spot sits at its centre.
static int IconHalfSize(HICON icon)
{
    ICONINFO info;
    if (!GetIconInfo(icon, &info))
        return -1;
    if (info.hbmMask != nullptr)
        DeleteObject(info.hbmMask);
    if (info.hbmColor != nullptr)
        DeleteObject(info.hbmColor);
    return static_cast<int>(info.yHotspot);
}

ButtonContentPlaces PlaceButtonContent(LONG style, const RECT &area, int half, int dpi)
{
    const int w = area.right - area.left;
    const int h = area.bottom - area.top;
    const int margin = ScaleToDpi(IconMargin, dpi);
    const int gap = ScaleToDpi(IconTextGap, dpi);
    ButtonContentPlaces places = {{0, 0}, area};
    if (half < 0)
        return places;
    RECT &text = places.text;
    int y;
    if (style & BS_TOP) {
        y = h - 2 * half - margin;
        text.bottom -= 2 * half;
    } else if (style & BS_BOTTOM) {
        y = h / 2 - half;
    } else {
        y = margin;
        text.top += 2 * half + margin;
    }
    // The icon stands opposite the caption's side.
    int x;
    if (style & BS_RIGHT) {
        x = margin;
        text.left += 2 * half + gap;
    } else if (style & BS_LEFT) {
        x = w - 2 * half - margin;
        text.right -= 2 * half + gap;
    } else {
        x = w / 2 - half + ScaleToDpi(IconCentreShift, dpi);
    }
    places.icon = {area.left + x, area.top + y};
    return places;
}

bool ButtonIconFits(HWND hwnd, HICON icon)
{
    const int half = IconHalfSize(icon);
    if (half < 0)
        return false;
    RECT area;
    GetClientRect(hwnd, &area);
    const ButtonContentPlaces places =
        PlaceButtonContent(GetWindowLongW(hwnd, GWL_STYLE), area, half, WindowDpi(hwnd));
    const SIZE caption = MeasureWindowText(hwnd);
    const bool iconFits = places.icon.x >= area.left && places.icon.y >= area.top &&
                          places.icon.x + 2 * half <= area.right && places.icon.y + 2 * half <= area.bottom;
    const bool captionFits = caption.cx <= places.text.right - places.text.left &&
                             caption.cy <= places.text.bottom - places.text.top;
    return iconFits && captionFits;
}

void PaintButtonContent(SkinnedWindow *rec, HDC dc, RECT area)
{
    const HWND hwnd = rec->hwnd;
    const DWORD state = rec->state;
    const Face &face = *CurrentFace();
    const LONG style = GetWindowLongW(hwnd, GWL_STYLE);
    const int dpi = WindowDpi(hwnd);

    // The monochrome copy stands for the disabled look; the control keeps
    // the colour icon.
    HICON icon = (state & SKS_DISABLED)
                     ? rec->buttonIcon
                     : reinterpret_cast<HICON>(SendMessageW(hwnd, WM_GETICON, ICON_SMALL, 0));

    const int half = icon != nullptr ? IconHalfSize(icon) : -1;
    const ButtonContentPlaces places = PlaceButtonContent(style, area, half, dpi);
    RECT text = places.text;
    // At its own size: DrawIcon would stretch a small icon to the system
    // icon size, past the room kept for it. A picture keeps its
    // orientation in a mirrored window.
    if (half >= 0)
        DrawIconEx(dc, places.icon.x, places.icon.y, icon, 0, 0, 0, nullptr, DI_NORMAL | DI_NOMIRROR);

    if (state & SKS_PRESSED) {
        const int shift = ScaleToDpi(PressedTextShift, dpi);
        OffsetRect(&text, shift, shift);
    }
    const COLORREF colour = (state & (SKS_DISABLED | SKS_INDETERMINATE)) ? face.buttonGreyText : face.buttonText;
    DrawWindowCaption(dc, hwnd, &text, colour, ButtonTextFormat(style));
}

void PaintPushButton(SkinnedWindow *rec, HDC target, const RECT &window)
{
    const DWORD state = rec->state;
    const Face &face = *CurrentFace();
    BackBuffer buffer;
    HDC dc = BeginBackBuffer(&buffer, target, window, false);

    const int w = window.right - window.left;
    const int h = window.bottom - window.top;
    const RECT whole = {0, 0, w, h};
    const int dpi = WindowDpi(rec->hwnd);
    const int line = ScaleToDpi(BackdropInset, dpi);
    const int outer = ScaleToDpi(OuterFaceInset, dpi);
    const int inner = ScaleToDpi(InnerFaceInset, dpi);
    const int focusInset = ScaleToDpi(FocusRectInset, dpi);
    const int outlineInset = ScaleToDpi(OutlineInset, dpi);

    const bool disabled = (state & SKS_DISABLED) != 0;
    const OutlineColours &outline = disabled ? face.pushOutlineDisabled : face.pushOutline;
    HPEN cornerPen = CreateOutlinePen(outline.corner, line);
    HPEN outlinePen = CreateOutlinePen(outline.outline, line);
    const int saved = SaveDC(dc);
    const LONG style = GetWindowLongW(rec->hwnd, GWL_STYLE);

    FillBand(dc, whole, face.controlBackground);
    SelectObject(dc, GetStockObject(NULL_BRUSH));

    if (!disabled) {
        FillBand(dc, {0, line, line, h - line}, face.pushShadow);
        FillBand(dc, {ScaleToDpi(LightLineInset, dpi), h - line, w - line, h}, face.pushLight);
        FillVertical(dc, line, 0, w, h - line, face.pushBackdrop);
    }

    FillVertical(dc, outer, outer, w - outer, h - outer, face.pushOuterFaces[ChooseOuterFace(state)]);
    // At rest the inner face covers the outer face's left band.
    const int innerLeft = (state & OuterBandStates) ? inner : outer;
    FillVertical(dc, innerLeft, inner, w - inner, h - inner, face.pushInnerFaces[ChooseInnerFace(state, style)]);

    if (state & SKS_FOCUSED) {
        const RECT focus = {focusInset, focusInset, w - focusInset, h - focusInset};
        DrawFocusRect(dc, &focus);
    }

    // The wider curve covers the tighter one except at the corners, which
    // keep a few pixels of the corner colour.
    HGDIOBJ previousPen = SelectObject(dc, cornerPen);
    const int corner = ScaleToDpi(CornerDiameter, dpi);
    const int outlineCorner = ScaleToDpi(OutlineDiameter, dpi);
    RoundRect(dc, outlineInset, outlineInset, w - outlineInset, h - outlineInset, corner, corner);
    SelectObject(dc, outlinePen);
    RoundRect(dc, outlineInset, outlineInset, w - outlineInset, h - outlineInset, outlineCorner, outlineCorner);
    SelectObject(dc, previousPen);
    FillBand(dc, {w - line, 0, w, line}, face.controlBackground);

    PaintButtonContent(rec, dc, whole);

    RestoreDC(dc, saved);
    DeleteObject(cornerPen);
    DeleteObject(outlinePen);
    EndBackBuffer(&buffer);
}
