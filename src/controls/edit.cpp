// Edit frames. An Edit keeps its own client area and caret; only its border
// is redrawn. Hot-key controls keep their own look entirely.
#include "controls.h"

#include "../scroll/scroll.h"

void PaintEditFrame(SkinnedWindow *rec, HDC dc, const RECT &window)
{
    const HWND hwnd = rec->hwnd;
    const Face &face = *CurrentFace();
    const LONG exStyle = GetWindowLongW(hwnd, GWL_EXSTYLE);
    const LONG style = GetWindowLongW(hwnd, GWL_STYLE);
    const bool hasEdge = (exStyle & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE)) != 0;
    if ((style & WS_BORDER) == 0 && !hasEdge)
        return;

    RECT rect = window;

    const bool disabled = (rec->state & SKS_DISABLED) != 0;
    HBRUSH outer = CreateSolidBrush(disabled ? face.disabledFrame : face.editRing);
    FrameRect(dc, &rect, outer);
    DeleteObject(outer);

    if (hasEdge) {
        const bool inactive = (rec->state & (SKS_DISABLED | SKS_READONLY)) != 0;
        HBRUSH inner = CreateSolidBrush(inactive ? face.editInactiveRing : face.controlBackground);
        InflateRect(&rect, -1, -1);
        FrameRect(dc, &rect, inner);
        // Client and static edge together make a three-pixel border.
        if ((exStyle & WS_EX_CLIENTEDGE) && (exStyle & WS_EX_STATICEDGE)) {
            InflateRect(&rect, -1, -1);
            FrameRect(dc, &rect, inner);
        }
        DeleteObject(inner);
    }
}

// The frame changes before the Edit sees the message.
static LRESULT EditSetReadOnly(SkinnedWindow *rec, bool readOnly, WPARAM wParam, LPARAM lParam)
{
    if (readOnly)
        rec->state |= SKS_READONLY;
    else
        rec->state &= ~DWORD{SKS_READONLY};
    RepaintNow(rec);
    return ForwardMessage(rec, EM_SETREADONLY, wParam, lParam);
}

LRESULT HandleEditMessage(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case EM_SETREADONLY:
        return EditSetReadOnly(rec, wParam != 0, wParam, lParam);
    case WM_ENABLE:
        return FollowEnabledState(rec, wParam != 0, wParam, lParam);
    // A multi-line Edit's own scroll bars.
    default:
        return HandleFrameBarsMessage(rec, msg, wParam, lParam);
    }
}

static void SetUpEditKind(SkinnedWindow *rec, LONG style)
{
    if (style & ES_READONLY)
        rec->state |= SKS_READONLY;
}

// The text is the control's own; the frame goes over its border, and a
// multi-line Edit's own scroll bars are the skin's.
const SkinClass EditClass = {L"Edit", nullptr, CK_EDIT, HandleEditMessage, SetUpEditKind, 0, PaintEditFrame, nullptr,
                             AnswerEditParent, PAINTS_FRAME, PAINT_OWN_SCROLL_BARS, nullptr, nullptr};
// Hot-key controls are only followed to their destruction, where the
// subclass procedure releases them after WM_NCDESTROY.
const SkinClass HotKeyClass = {L"msctls_hotkey32", nullptr, CK_LISTBOX, nullptr, nullptr, 0, nullptr, nullptr, nullptr,
                               PAINTS_BY_HANDLER, 0, nullptr, nullptr};
// The IP address control keeps its own window, which draws the dots between
// its fields and routes clicks between them; the fields are Edit children,
// skinned as edits.
const SkinClass IpAddressClass = {L"SysIPAddress32", nullptr, CK_LISTBOX, nullptr, nullptr, 0, nullptr, nullptr,
                                  nullptr, PAINTS_BY_HANDLER, 0, nullptr, nullptr};
