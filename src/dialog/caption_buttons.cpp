// The close, maximise and minimise buttons of a skinned dialog's caption.
#include "dialog.h"

// Colour groups, corners in FillGradient4 order; all three buttons share
// them. The bottom-right corner carries 0xFF in its top byte, so no pair is
// equal and every fill is drawn as two triangles; on screen it is still a
// vertical gradient from the top pair to the bottom pair.
static const COLORREF CaptionButtonColours[5][4] = {
    {0x00C1CCD1, 0x00C1CCD1, 0x00EEF1F2, 0xFFEEF1F2},  // 0: pressed
    {0x00CFF0FF, 0x00CFF0FF, 0x000097E5, 0xFF0097E5},  // 1: chosen by no state
    {0x00BDCBD6, 0x00C6CFD6, 0x00EFF3F7, 0xFFEFF3F7},  // 2: normal
    {0x00FFE7CE, 0x00FFE7CE, 0x00EE8269, 0xFFEE8269},  // 3: hot
    {0x00FFFFFF, 0x00FFFFFF, 0x00D6DFE2, 0xFFD6DFE2},  // 4: not offered by the style
};

// The group of each button state, indexed by CBST_ code.
static const int GroupOfState[3] = {
    2,  // CBST_NORMAL
    0,  // CBST_PRESSED
    3,  // CBST_HOT
};
static const int UnofferedGroup = 4;

static const COLORREF GlyphColour = 0x00FFFFFF;
static const int ButtonInset = 4;    // between the caption band's edges and a button
static const int ButtonGap = 5;      // between neighbouring buttons
static const int OutlineOutset = 2;  // the outline stands this far outside the fill
static const int OutlineCornerDiameter = 4;

// Places from the right: close, maximise, minimise. A button that is not
// drawn leaves its place empty.
enum ButtonSlot { SLOT_CLOSE = 0, SLOT_MAXIMIZE = 1, SLOT_MINIMIZE = 2 };

static int GroupForState(int state)
{
    return state >= CBST_NORMAL && state <= CBST_HOT ? GroupOfState[state] : GroupOfState[CBST_NORMAL];
}

// The buttons are square, as high as the band less the insets above and below.
static RECT ButtonFace(ButtonSlot slot, int top, int right, int bottom)
{
    const int side = (bottom - top) - 2 * ButtonInset;
    const int faceRight = right - ButtonInset - slot * (side + ButtonGap);
    const RECT face = {faceRight - side, top + ButtonInset, faceRight, bottom - ButtonInset};
    return face;
}

static void DrawLine(HDC dc, int x0, int y0, int x1, int y1)
{
    MoveToEx(dc, x0, y0, nullptr);
    LineTo(dc, x1, y1);
}

static void OutlineButton(HDC dc, const RECT &face)
{
    RoundRect(dc, face.left - OutlineOutset, face.top - OutlineOutset, face.right + OutlineOutset,
              face.bottom + OutlineOutset, OutlineCornerDiameter, OutlineCornerDiameter);
}

static bool OffersBoxes(HWND hwnd)
{
    return (GetWindowLongW(hwnd, GWL_STYLE) & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) != 0;
}

static void PaintCloseButton(HWND hwnd, HDC dc, int top, int right, int bottom, int group)
{
    if ((GetWindowLongW(hwnd, GWL_STYLE) & WS_SYSMENU) == 0)
        return;
    const RECT face = ButtonFace(SLOT_CLOSE, top, right, bottom);
    FillGradient4(dc, &face, CaptionButtonColours[group]);
    // An X that grows with the button.
    DrawLine(dc, face.left + 3, face.top + 3, face.right - 3, face.bottom - 3);
    DrawLine(dc, face.right - 3, face.top + 3, face.left + 3, face.bottom - 3);
    OutlineButton(dc, face);
}

static void PaintMinimizeButton(HWND hwnd, HDC dc, int top, int right, int bottom, int group)
{
    if (!OffersBoxes(hwnd))
        return;
    const RECT face = ButtonFace(SLOT_MINIMIZE, top, right, bottom);
    FillGradient4(dc, &face, CaptionButtonColours[group]);
    // A bar two pixels high.
    DrawLine(dc, face.left + 4, face.bottom - 4, face.right - 4, face.bottom - 4);
    DrawLine(dc, face.left + 4, face.bottom - 5, face.right - 4, face.bottom - 5);
    OutlineButton(dc, face);
}

static void PaintMaximizeButton(HWND hwnd, HDC dc, int top, int right, int bottom, int group)
{
    if (!OffersBoxes(hwnd))
        return;
    const RECT face = ButtonFace(SLOT_MAXIMIZE, top, right, bottom);
    FillGradient4(dc, &face, CaptionButtonColours[group]);
    // A plus of fixed size from the top-left corner, the same whether the
    // dialog is maximised or not.
    DrawLine(dc, face.left + 2, face.top + 5, face.left + 9, face.top + 5);
    DrawLine(dc, face.left + 5, face.top + 2, face.left + 5, face.top + 9);
    OutlineButton(dc, face);
}

int PaintCaptionButtons(SkinnedWindow *rec, HDC dc)
{
    const HWND hwnd = rec->hwnd;
    const auto *buttons = static_cast<const CaptionButtonState *>(rec->extraState);
    RECT window;
    GetWindowRect(hwnd, &window);
    const int top = GetSystemMetrics(SM_CYDLGFRAME);
    const int right = (window.right - window.left) - GetSystemMetrics(SM_CXDLGFRAME);
    const int bottom = top + GetSystemMetrics(SM_CYCAPTION);

    const LONG style = GetWindowLongW(hwnd, GWL_STYLE);
    const int closeGroup = GroupForState(buttons->closeState);
    const int minGroup = (style & WS_MINIMIZEBOX) ? GroupForState(buttons->minState) : UnofferedGroup;
    const int maxGroup = (style & WS_MAXIMIZEBOX) ? GroupForState(buttons->maxState) : UnofferedGroup;

    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    HPEN glyphPen = CreatePen(PS_SOLID, 1, GlyphColour);
    HGDIOBJ oldPen = SelectObject(dc, glyphPen);

    PaintCloseButton(hwnd, dc, top, right, bottom, closeGroup);
    PaintMinimizeButton(hwnd, dc, top, right, bottom, minGroup);
    PaintMaximizeButton(hwnd, dc, top, right, bottom, maxGroup);

    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(glyphPen);
    return 1;
}
