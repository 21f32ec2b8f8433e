#include "dialog_testing.h"

#include <cstdlib>

#include "core/skin.h"

DialogGeometry GeometryOf(HWND dialog)
{
    DialogGeometry g = {};
    RECT window;
    GetWindowRect(dialog, &window);
    g.width = window.right - window.left;
    g.height = window.bottom - window.top;
    g.cx = GetSystemMetrics(SM_CXDLGFRAME);
    g.cy = GetSystemMetrics(SM_CYDLGFRAME);
    g.ch = GetSystemMetrics(SM_CYCAPTION);
    g.band = {g.cx, g.cy, g.width - g.cy, g.cy + g.ch};
    // Buttons: square, 4 pixels inside the band, 5 apart, from the right.
    const int right = g.width - g.cx;
    const int top = g.cy + 4;
    const int bottom = g.cy + g.ch - 4;
    const int side = g.ch - 8;
    g.closeFace = {right - 4 - side, top, right - 4, bottom};
    g.maxFace = {right - 9 - 2 * side, top, right - 9 - side, bottom};
    g.minFace = {right - 14 - 3 * side, top, right - 14 - 2 * side, bottom};
    return g;
}

int HostDialog::Count(UINT msg) const
{
    int count = 0;
    for (const LoggedMessage &m : seen)
        count += m.msg == msg;
    return count;
}

int HostDialog::Count(UINT msg, WPARAM wParam) const
{
    int count = 0;
    for (const LoggedMessage &m : seen)
        count += m.msg == msg && m.wParam == wParam;
    return count;
}

static const char HostProperty[] = "velk.test.host";

static INT_PTR CALLBACK RecordingDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_INITDIALOG)
        SetPropA(dialog, HostProperty, reinterpret_cast<HANDLE>(lParam));
    auto *host = static_cast<HostDialog *>(GetPropA(dialog, HostProperty));
    if (host == nullptr)
        return FALSE;
    host->seen.push_back({dialog, msg, wParam, lParam});
    if (msg == WM_NCDESTROY)
        RemovePropA(dialog, HostProperty);
    if (host->destroyOn != 0 && msg == host->destroyOn) {
        host->destroyOn = 0;
        host->destroyed = dialog;
        DestroyWindow(dialog);
        return TRUE;
    }
    switch (msg) {
    case WM_NCHITTEST:
        if (host->hitTestAnswer == 0)
            return FALSE;
        SetWindowLongPtrA(dialog, DWLP_MSGRESULT, host->hitTestAnswer);
        return TRUE;
    case WM_NOTIFY:
    case WM_ACTIVATEAPP:
        SetWindowLongPtrA(dialog, DWLP_MSGRESULT, host->answer);
        return TRUE;
    case WM_CLOSE:
        return TRUE;
    case WM_SYSCOMMAND:
        return host->passSysCommand ? FALSE : TRUE;
    default:
        return FALSE;
    }
}

HWND OpenSkinnedDialog(DWORD style, int width, int height, const char *title, HostDialog *host)
{
    HWND dialog = CreateTestDialog(style, width, height, title, host != nullptr ? RecordingDialogProc : nullptr,
                                   reinterpret_cast<LPARAM>(host));
    AttachWindow(dialog);
    PumpMessages();
    return dialog;
}

void DialogTest::SetUp()
{
    RecordCheckedTest::SetUp();
}

void DialogTest::TearDown()
{
    for (HWND hwnd : windows) {
        if (IsWindow(hwnd))
            DestroyWindow(hwnd);
    }
    RecordCheckedTest::TearDown();
}

HWND DialogTest::Open(DWORD style, int width, int height, const char *title, HostDialog *logTo)
{
    HWND dialog = OpenSkinnedDialog(style, width, height, title, logTo != nullptr ? logTo : &host);
    windows.push_back(dialog);
    return dialog;
}

CaptionButtonState *ButtonsOf(HWND dialog)
{
    SkinnedWindow *rec = FindSkinnedWindow(dialog);
    return rec != nullptr ? static_cast<CaptionButtonState *>(rec->extraState) : nullptr;
}

