// Icon statics (SS_ICON: a message box's icon, a dialog's picture, an empty
// slot): the standard control fills its rectangle with its parent's answer
// to WM_CTLCOLORSTATIC, a light square wherever the parent answers in the
// system's colours. The skin draws the parent's own background beneath the
// icon instead, off screen, and the icon as the control places it.
#include "buttons.h"

static SIZE IconSize(HICON icon)
{
    ICONINFO info = {};
    SIZE size = {};
    if (!GetIconInfo(icon, &info))
        return size;
    BITMAP bitmap = {};
    GetObjectW(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    // A monochrome icon's mask holds the AND and XOR halves one above the other.
    size = {bitmap.bmWidth, info.hbmColor != nullptr ? bitmap.bmHeight : bitmap.bmHeight / 2};
    if (info.hbmColor != nullptr)
        DeleteObject(info.hbmColor);
    if (info.hbmMask != nullptr)
        DeleteObject(info.hbmMask);
    return size;
}

// Stretched over the client area, or at its own size in the middle with
// SS_CENTERIMAGE.
static void PaintIconStatic(SkinnedWindow *rec, HDC target, const RECT &window)
{
    const HWND hwnd = rec->hwnd;
    RECT client;
    GetClientRect(hwnd, &client);
    BackBuffer buffer;
    HDC dc = BeginBackBuffer(&buffer, target, ClientAreaIn(hwnd, window), false);
    DrawParentBackground(hwnd, dc);
    const auto icon = reinterpret_cast<HICON>(SendMessageW(hwnd, STM_GETICON, 0, 0));
    if (icon != nullptr) {
        RECT place = client;
        if ((GetWindowLongW(hwnd, GWL_STYLE) & SS_CENTERIMAGE) != 0) {
            const SIZE size = IconSize(icon);
            place.left = (client.right - size.cx) / 2;
            place.top = (client.bottom - size.cy) / 2;
            place.right = place.left + size.cx;
            place.bottom = place.top + size.cy;
        }
        DrawIconEx(dc, place.left, place.top, icon, place.right - place.left, place.bottom - place.top, 0, nullptr,
                   DI_NORMAL);
    }
    EndBackBuffer(&buffer);
}

// The control paints at once, outside WM_PAINT, when its icon changes or it
// is enabled or disabled: the skin paints again after it.
static LRESULT HandleIconStaticMessage(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case STM_SETICON:
    case STM_SETIMAGE:
    case WM_ENABLE:
        return HandleThenRepaint(rec, msg, wParam, lParam, HANDLED_BY_CONTROL);
    default:
        return ForwardMessage(rec, msg, wParam, lParam);
    }
}

const SkinClass IconStaticClass = {L"Static", nullptr, CK_ICON, HandleIconStaticMessage, nullptr, 0, PaintIconStatic,
                                   nullptr, nullptr, PAINTS_INSTEAD, 0, nullptr, nullptr};
