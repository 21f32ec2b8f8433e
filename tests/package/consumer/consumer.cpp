// Links against the installed import library and calls both exports.
#include <windows.h>

#include <cstdio>

#include "velk.h"

int main()
{
    HWND button = CreateWindowExA(0, "Button", "OK", WS_POPUP, 0, 0, 80, 24, nullptr, nullptr, nullptr, nullptr);
    const bool attached = Enskin(button, 1) != 0;
    const bool released = Enskin(button, 0) == 0 && Enskin(button, 0) == 0;
    HBRUSH brush = DlgInit(0);
    LOGBRUSH info = {};
    GetObjectA(brush, sizeof info, &info);
    DeleteObject(brush);
    DestroyWindow(button);

    const bool ok = attached && released && info.lbColor == RGB(11, 53, 255);
    std::printf("consumer: attach %d, release %d, brush 0x%08lx: %s\n", attached, released,
                static_cast<unsigned long>(info.lbColor), ok ? "ok" : "FAILED");
    return ok ? 0 : 1;
}
