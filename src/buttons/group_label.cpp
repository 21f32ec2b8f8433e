// Group box and label painting. The group box draws straight into the DC
// and fills no background, so the parent shows through; the label draws the
// parent's background beneath its text itself.
#include "buttons.h"

// Design sizes, drawn at the window's DPI. The frame's top edge runs through
// the middle of the caption.
static const int GroupFrameTop = 6;
static const int GroupFrameLine = 1;
static const int GroupFrameCorner = 6;
static const int GroupCaptionLeft = 5;

void PaintGroupBox(SkinnedWindow *rec, HDC dc, const RECT &window)
{
    const HWND hwnd = rec->hwnd;
    const DWORD state = rec->state;
    const Face &face = *CurrentFace();
    const int x = window.left;
    const int y = window.top;
    const int w = window.right - window.left;
    const int h = window.bottom - window.top;

    const int dpi = WindowDpi(hwnd);

    HPEN frame = CreateOutlinePen(face.groupFrame, ScaleToDpi(GroupFrameLine, dpi));
    HGDIOBJ previousPen = SelectObject(dc, frame);
    HGDIOBJ previousBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    const int corner = ScaleToDpi(GroupFrameCorner, dpi);
    RoundRect(dc, x, y + ScaleToDpi(GroupFrameTop, dpi), x + w, y + h, corner, corner);
    SelectObject(dc, previousBrush);
    SelectObject(dc, previousPen);
    DeleteObject(frame);

    // The caption stands on the controls' background, which blanks the
    // frame's top line behind it.
    const int previousMode = SetBkMode(dc, OPAQUE);
    const COLORREF previousBackground = SetBkColor(dc, face.controlBackground);
    const bool grey = (state & (SKS_DISABLED | SKS_INDETERMINATE)) != 0;
    RECT text = {x + ScaleToDpi(GroupCaptionLeft, dpi), y, x + w, y + h};
    DrawWindowCaption(dc, hwnd, &text, grey ? face.buttonGreyText : face.buttonText, DT_LEFT | DT_TOP);
    SetBkColor(dc, previousBackground);
    SetBkMode(dc, previousMode);
}

// The label draws what lies beneath it itself, asking its parent for the
// background, so that it reads on the dialog's background even where the
// dialog clips its children, and can be repainted at any time. Composed off
// screen, so that the text never flickers. A border, if the label has one,
// is the standard control's own: only the client area is drawn.
void PaintLabel(SkinnedWindow *rec, HDC target, const RECT &window)
{
    const HWND hwnd = rec->hwnd;
    const Face &face = *CurrentFace();
    RECT client;
    GetClientRect(hwnd, &client);
    BackBuffer buffer;
    HDC dc = BeginBackBuffer(&buffer, target, ClientAreaIn(hwnd, window), false);
    DrawParentBackground(hwnd, dc);
    // Alignment styles are not consulted: every label reads from the left.
    DrawWindowCaption(dc, hwnd, &client, face.labelText, DT_WORDBREAK);
    EndBackBuffer(&buffer);
}
