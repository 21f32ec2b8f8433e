// The system's own dialogs, each shown unskinned and then skinned, side by
// side in one picture: the Open, Colour and Font dialogs and a message box.
// Each dialog runs its own modal loop; a timer on this thread finds it there,
// lets it settle, copies it and cancels it.
#include "gallery.h"

#include <commdlg.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "velk.h"

namespace {

// A dialog's pixels, as 24-bit BGR rows, top row first.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> bgr;
};

const UINT CaptureTick = 50;
const int TicksToSettle = 10;     // half a second after the dialog shows
const int TicksToGiveUp = 400;    // twenty seconds: a first file dialog loads the shell
const int PictureGap = 8;
const COLORREF PictureBackground = RGB(64, 96, 128);

struct Capture {
    HWND dialog;
    int ticks;
    int seenAt;
    Picture picture;
};
Capture capture;

BOOL CALLBACK FindShownDialog(HWND window, LPARAM found)
{
    wchar_t className[16];
    GetClassNameW(window, className, 16);
    if (lstrcmpW(className, L"#32770") == 0 && IsWindowVisible(window)) {
        *reinterpret_cast<HWND *>(found) = window;
        return FALSE;
    }
    return TRUE;
}

// Through the dialog's window DC, frame included; what lies outside its
// region keeps the background.
Picture CopyDialog(HWND dialog)
{
    RECT rect;
    GetWindowRect(dialog, &rect);
    Picture picture;
    picture.width = rect.right - rect.left;
    picture.height = rect.bottom - rect.top;
    BITMAPINFO info;
    DescribeScreenshotPixels(&info, picture.width, picture.height);
    void *bits = nullptr;
    HDC memory = CreateCompatibleDC(nullptr);
    HBITMAP image = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (image == nullptr) {
        DeleteDC(memory);
        return Picture();
    }
    HGDIOBJ previous = SelectObject(memory, image);
    const RECT whole = {0, 0, picture.width, picture.height};
    HBRUSH background = CreateSolidBrush(PictureBackground);
    FillRect(memory, &whole, background);
    DeleteObject(background);
    HRGN clip = CreateRectRgn(0, 0, 0, 0);
    if (GetWindowRgn(dialog, clip) != ERROR)
        SelectClipRgn(memory, clip);
    HDC source = GetWindowDC(dialog);
    BitBlt(memory, 0, 0, picture.width, picture.height, source, 0, 0, SRCCOPY);
    ReleaseDC(dialog, source);
    SelectClipRgn(memory, nullptr);
    DeleteObject(clip);
    GdiFlush();
    const int stride = (picture.width * 3 + 3) & ~3;
    picture.bgr.resize(static_cast<size_t>(stride) * picture.height);
    std::copy_n(static_cast<const unsigned char *>(bits), picture.bgr.size(), picture.bgr.begin());
    SelectObject(memory, previous);
    DeleteObject(image);
    DeleteDC(memory);
    return picture;
}

// Runs inside the dialog's own modal loop.
void CALLBACK CaptureTimer(HWND, UINT, UINT_PTR, DWORD)
{
    ++capture.ticks;
    if (capture.dialog == nullptr) {
        EnumThreadWindows(GetCurrentThreadId(), FindShownDialog, reinterpret_cast<LPARAM>(&capture.dialog));
        capture.seenAt = capture.ticks;
    }
    if (capture.dialog == nullptr) {
        if (capture.ticks > TicksToGiveUp)
            PostQuitMessage(1);
        return;
    }
    if (capture.ticks - capture.seenAt == TicksToSettle) {
        capture.picture = CopyDialog(capture.dialog);
        PostMessageW(capture.dialog, WM_COMMAND, IDCANCEL, 0);
    }
}

// Shows the dialog through open, which returns when it has closed.
Picture CaptureDialog(void (*open)())
{
    capture = Capture();
    const UINT_PTR timer = SetTimer(nullptr, 0, CaptureTick, CaptureTimer);
    open();
    KillTimer(nullptr, timer);
    return capture.picture;
}

wchar_t fileName[MAX_PATH];

void OpenFileDialog()
{
    fileName[0] = L'\0';
    OPENFILENAMEW open = {};
    open.lStructSize = sizeof open;
    open.lpstrFilter = L"Bitmaps\0*.bmp\0All files\0*.*\0";
    open.lpstrFile = fileName;
    open.nMaxFile = MAX_PATH;
    open.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST;
    GetOpenFileNameW(&open);
}

void ColourDialog()
{
    static COLORREF custom[16];
    CHOOSECOLORW colour = {};
    colour.lStructSize = sizeof colour;
    colour.rgbResult = RGB(11, 53, 255);
    colour.lpCustColors = custom;
    colour.Flags = CC_FULLOPEN | CC_RGBINIT;
    ChooseColorW(&colour);
}

void FontDialog()
{
    LOGFONTW font = {};
    lstrcpyW(font.lfFaceName, L"Tahoma");
    font.lfHeight = -13;
    CHOOSEFONTW choose = {};
    choose.lStructSize = sizeof choose;
    choose.lpLogFont = &font;
    choose.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT;
    ChooseFontW(&choose);
}

void MessageBoxDialog()
{
    MessageBoxW(nullptr, L"The file has changed. Save it before closing?", L"velk gallery",
                MB_YESNOCANCEL | MB_ICONQUESTION);
}

void (*const Dialogs[])() = {OpenFileDialog, ColourDialog, FontDialog, MessageBoxDialog};

// Rows of dialogs, the unskinned one on the left of each row.
bool WriteSideBySide(const char *path, const std::vector<Picture> &plain, const std::vector<Picture> &skinned)
{
    int width = 0;
    int height = PictureGap;
    for (size_t i = 0; i < plain.size(); ++i) {
        width = std::max(width, PictureGap + plain[i].width + PictureGap + skinned[i].width + PictureGap);
        height += std::max(plain[i].height, skinned[i].height) + PictureGap;
    }
    std::vector<unsigned char> rgb(static_cast<size_t>(width) * height * 3);
    for (size_t i = 0; i < rgb.size(); i += 3) {
        rgb[i] = GetRValue(PictureBackground);
        rgb[i + 1] = GetGValue(PictureBackground);
        rgb[i + 2] = GetBValue(PictureBackground);
    }
    auto place = [&](const Picture &picture, int left, int top) {
        const int stride = (picture.width * 3 + 3) & ~3;
        for (int y = 0; y < picture.height; ++y) {
            for (int x = 0; x < picture.width; ++x) {
                const unsigned char *in = &picture.bgr[static_cast<size_t>(y) * stride + x * 3];
                unsigned char *out = &rgb[(static_cast<size_t>(top + y) * width + left + x) * 3];
                out[0] = in[2];
                out[1] = in[1];
                out[2] = in[0];
            }
        }
    };
    int top = PictureGap;
    for (size_t i = 0; i < plain.size(); ++i) {
        place(plain[i], PictureGap, top);
        place(skinned[i], PictureGap + plain[i].width + PictureGap, top);
        top += std::max(plain[i].height, skinned[i].height) + PictureGap;
    }
    return WritePng(path, rgb.data(), width, height, width * 3);
}

}  // namespace

int ShowSystemDialogs(const char *path, EnskinProc enskin)
{
    std::vector<Picture> plain;
    std::vector<Picture> skinned;
    for (void (*open)() : Dialogs)
        plain.push_back(CaptureDialog(open));
    if (enskin(nullptr, 1) == 0) {
        std::fprintf(stderr, "gallery: cannot switch thread-wide skinning on\n");
        return 1;
    }
    for (void (*open)() : Dialogs)
        skinned.push_back(CaptureDialog(open));
    enskin(nullptr, 0);
    for (size_t i = 0; i < plain.size(); ++i) {
        if (plain[i].width == 0 || skinned[i].width == 0) {
            std::fprintf(stderr, "gallery: system dialog %zu never showed\n", i + 1);
            return 1;
        }
    }
    if (!WriteSideBySide(path, plain, skinned)) {
        std::fprintf(stderr, "gallery: cannot write %s\n", path);
        return 1;
    }
    return 0;
}
