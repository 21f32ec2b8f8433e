// Message handling of skinned dialogs: the library paints the non-client
// area and the background, follows activation and runs the caption buttons;
// the host's dialog procedure sees everything else.
#include "dialog.h"

int UpdateDialogRegionOnSize(SkinnedWindow *rec, WPARAM sizeType)
{
    if (sizeType == SIZE_MAXHIDE)
        return 0;
    const HWND hwnd = rec->hwnd;
    // Square corners while maximised. The region belongs to the system, which
    // frees it; the next frame paint at a normal size installs a new one.
    if (IsZoomed(hwnd)) {
        rec->windowRegion = nullptr;
        SetWindowRgn(hwnd, nullptr, TRUE);
    }
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ERASENOW | RDW_FRAME);
    return 1;
}

// At a new DPI the corners of the region and every size of the frame
// change: the host's procedure moves the dialog to the suggested place
// first, then the next frame paint installs a region at the new size.
static LRESULT DialogDpiChanged(SkinnedWindow *rec, WPARAM wParam, LPARAM lParam)
{
    const HWND hwnd = rec->hwnd;
    const LRESULT result = ForwardMessage(rec, WM_DPICHANGED, wParam, lParam);
    rec = FindSkinnedWindow(hwnd);
    if (rec == nullptr)
        return result;
    rec->windowRegion = nullptr;
    RedrawWindow(hwnd, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ERASENOW | RDW_FRAME | RDW_ALLCHILDREN);
    return result;
}

static void SetActive(SkinnedWindow *rec, bool active)
{
    if (active)
        rec->state |= SKS_FOCUSED;
    else
        rec->state &= ~SKS_FOCUSED;
}

// The whole wParam decides: a minimised window being activated still counts
// as active, although its low word is WA_INACTIVE.
static LRESULT DialogActivate(SkinnedWindow *rec, WPARAM wParam, LPARAM lParam)
{
    const HWND hwnd = rec->hwnd;
    const LRESULT result = ForwardMessage(rec, WM_ACTIVATE, wParam, lParam);
    rec = FindSkinnedWindow(hwnd);
    if (rec == nullptr)
        return result;
    SetActive(rec, wParam != 0);
    PaintDialogNonClient(rec, reinterpret_cast<HRGN>(1));
    return result;
}

// The new look shows at the next caption paint.
static LRESULT DialogActivateApp(SkinnedWindow *rec, WPARAM wParam, LPARAM lParam)
{
    const HWND hwnd = rec->hwnd;
    ForwardMessage(rec, WM_ACTIVATEAPP, wParam, lParam);
    rec = FindSkinnedWindow(hwnd);
    if (rec != nullptr)
        SetActive(rec, wParam != 0);
    return 0;
}

// The caption stays active until WM_ACTIVATE says otherwise, so that a
// deactivation repaints once, after both messages.
static LRESULT DialogNcActivate(SkinnedWindow *rec)
{
    rec->state |= SKS_FOCUSED;
    PaintOnWindowDC(rec, PaintDialogCaption);
    return 1;
}

static void RepaintCaption(SkinnedWindow *rec)
{
    PaintOnWindowDC(rec, PaintDialogCaption);
}

static LRESULT RepaintCaptionThenForward(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam)
{
    const HWND hwnd = rec->hwnd;
    PaintOnWindowDC(rec, PaintDialogCaption);
    rec = FindSkinnedWindow(hwnd);
    if (rec == nullptr)
        return 0;
    return ForwardMessage(rec, msg, wParam, lParam);
}

LRESULT HandleDialogMessage(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_SIZE:
        return UpdateDialogRegionOnSize(rec, wParam);
    case WM_DPICHANGED:
        return DialogDpiChanged(rec, wParam, lParam);
    case WM_ACTIVATE:
        return DialogActivate(rec, wParam, lParam);
    case WM_ACTIVATEAPP:
        return DialogActivateApp(rec, wParam, lParam);
    case WM_NCACTIVATE:
        return DialogNcActivate(rec);
    // Messages that change what the caption shows: the host's procedure
    // acts first, then the caption follows.
    case WM_SETTEXT:
    case WM_NOTIFY:
    case WM_SETICON:
        return HandleThenPaint(rec, msg, wParam, lParam, HANDLED_BY_CONTROL, RepaintCaption);
    case WM_NCRBUTTONUP:
        return RepaintCaptionThenForward(rec, msg, wParam, lParam);
    case WM_PAINT:
        return PaintDialogBackground(rec);
    case WM_NCPAINT:
        return PaintDialogNonClient(rec, reinterpret_cast<HRGN>(wParam));
    // The background comes whole from WM_PAINT. The dialog sets no cursor of
    // its own, not even a sizing one over its borders, and right clicks and
    // menu popups stay away from the host's procedure.
    case WM_ERASEBKGND:
        return 1;
    case WM_SETCURSOR:
    case WM_NCRBUTTONDOWN:
    case WM_INITMENUPOPUP:
        return 0;
    case WM_NCMOUSEMOVE:
        return TrackCaptionButtons(rec, wParam);
    case WM_NCLBUTTONDOWN:
        return PressCaptionButton(rec, wParam, lParam);
    case WM_NCLBUTTONUP:
        return ReleaseCaptionButton(rec, wParam, lParam);
    case WM_MOUSEMOVE:
        return HandleDialogMouseMove(rec, wParam, lParam);
    case WM_LBUTTONUP:
        return HandleDialogButtonUp(rec, wParam, lParam);
    default:
        return ForwardMessage(rec, msg, wParam, lParam);
    }
}

const SkinClass DialogClass = {L"#32770", nullptr, CK_DIALOG, HandleDialogMessage, nullptr,
                               sizeof(CaptionButtonState)};
