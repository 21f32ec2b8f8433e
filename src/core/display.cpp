// What the display asks of the skin: the window's DPI, and whether the user
// wants high contrast, in which case the skin steps aside.
#include "skin.h"

typedef UINT(WINAPI *GetDpiForWindowProc)(HWND);

// GetDpiForWindow came with Windows 10; looked up at run time, so that the
// library still loads on older systems.
static INIT_ONCE dpiFunctionLookup = INIT_ONCE_STATIC_INIT;
static GetDpiForWindowProc getDpiForWindow = nullptr;

static BOOL CALLBACK FindDpiFunction(PINIT_ONCE, PVOID, PVOID *)
{
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    if (user32 != nullptr)
        getDpiForWindow = reinterpret_cast<GetDpiForWindowProc>(
            reinterpret_cast<void *>(GetProcAddress(user32, "GetDpiForWindow")));
    return TRUE;
}

int WindowDpi(HWND hwnd)
{
    InitOnceExecuteOnce(&dpiFunctionLookup, FindDpiFunction, nullptr, nullptr);
    if (getDpiForWindow != nullptr) {
        const UINT dpi = getDpiForWindow(hwnd);
        if (dpi != 0)
            return static_cast<int>(dpi);
    }
    HDC dc = GetDC(hwnd);
    const int dpi = dc != nullptr ? GetDeviceCaps(dc, LOGPIXELSY) : 0;
    if (dc != nullptr)
        ReleaseDC(hwnd, dc);
    return dpi > 0 ? dpi : DesignDpi;
}

// Read at the first question, then again at every settings or colour change
// a skinned window hears of: asking the system at every message would cost
// each message a system call.
static INIT_ONCE contrastRead = INIT_ONCE_STATIC_INIT;
volatile LONG highContrastAsRead = 0;

void ReadHighContrastAgain()
{
    HIGHCONTRASTW contrast = {};
    contrast.cbSize = sizeof contrast;
    const bool on = SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
                    (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
    InterlockedExchange(&highContrastAsRead, on ? 1 : 0);
}

static BOOL CALLBACK ReadHighContrastFirst(PINIT_ONCE, PVOID, PVOID *)
{
    ReadHighContrastAgain();
    return TRUE;
}

bool HighContrastOn()
{
    InitOnceExecuteOnce(&contrastRead, ReadHighContrastFirst, nullptr, nullptr);
    return highContrastAsRead != 0;
}
