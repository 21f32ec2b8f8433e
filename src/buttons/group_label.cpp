// Group box and label painting. Both draw without a back buffer and fill no
// background, so the parent shows through.
#include "buttons.h"

// Design sizes, drawn at the window's DPI. The frame's top edge runs through
// the middle of the caption.
static const int GroupFrameTop = 6;
static const int GroupFrameLine = 1;
static const int GroupFrameCorner = 6;
static const int GroupCaptionLeft = 5;

void PaintGroupBox(SkinnedWindow *rec)
{
    const HWND hwnd = rec->hwnd;
    const DWORD state = rec->state;
    const Face &face = *CurrentFace();
    RECT window;
    GetWindowRect(hwnd, &window);
    const int w = window.right - window.left;
    const int h = window.bottom - window.top;

    const int dpi = WindowDpi(hwnd);

    // A fresh window DC draws opaque text on white, which blanks the frame's
    // top line behind the caption.
    HDC dc = GetWindowDC(hwnd);
    HPEN frame = CreateOutlinePen(face.groupFrame, ScaleToDpi(GroupFrameLine, dpi));
    HGDIOBJ previousPen = SelectObject(dc, frame);
    HGDIOBJ previousBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    const int corner = ScaleToDpi(GroupFrameCorner, dpi);
    RoundRect(dc, 0, ScaleToDpi(GroupFrameTop, dpi), w, h, corner, corner);
    SelectObject(dc, previousBrush);
    SelectObject(dc, previousPen);
    DeleteObject(frame);

    const bool grey = (state & (SKS_DISABLED | SKS_INDETERMINATE)) != 0;
    RECT text = {ScaleToDpi(GroupCaptionLeft, dpi), 0, w, h};
    DrawWindowCaption(dc, hwnd, &text, grey ? face.buttonGreyText : face.buttonText, DT_LEFT | DT_TOP);
    ReleaseDC(hwnd, dc);
}

// The label draws what lies beneath it itself, asking its parent for the
// background, so that it reads on the dialog's background even where the
// dialog clips its children, and can be repainted at any time. Composed off
// screen, so that the text never flickers.
void PaintLabel(SkinnedWindow *rec)
{
    const HWND hwnd = rec->hwnd;
    const Face &face = *CurrentFace();
    RECT client;
    GetClientRect(hwnd, &client);

    BackBuffer buffer = {};
    buffer.hwnd = hwnd;
    // A border, if the label has one, is the standard control's own.
    const bool bordered = HasNonClientArea(hwnd);
    buffer.copyThrough = bordered ? 1 : 0;
    HDC dc = BeginBackBuffer(&buffer);
    const int saved = SaveDC(dc);
    if (bordered) {
        // The client area's place in the window, from the window's leading
        // edge: the right one in a mirrored window, as its DC counts.
        RECT window;
        GetWindowRect(hwnd, &window);
        RECT clientOnScreen = client;
        MapWindowPoints(hwnd, HWND_DESKTOP, reinterpret_cast<POINT *>(&clientOnScreen), 2);
        const bool mirrored = (GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0;
        const int leading = mirrored ? window.right - clientOnScreen.right : clientOnScreen.left - window.left;
        SetViewportOrgEx(dc, leading, clientOnScreen.top - window.top, nullptr);
    }
    IntersectClipRect(dc, 0, 0, client.right, client.bottom);
    DrawParentBackground(hwnd, dc);
    // Alignment styles are not consulted: every label reads from the left.
    DrawWindowCaption(dc, hwnd, &client, face.labelText, DT_WORDBREAK);
    RestoreDC(dc, saved);
    buffer.copyThrough = 1;
    EndBackBuffer(&buffer);
}
