// The dialog frames section: skinned dialogs side by side, one with all three
// caption buttons and an icon, one with the close button only, and one drawn
// inactive, each over the gallery's own face\back.bmp. The section window is
// a dialog too, with a menu bar under its caption, and shows inactive once
// the main window takes the focus.
#include "gallery.h"

#include <vector>

static const char SectionTitle[] = "velk gallery: dialog frames";

// Short enough to fit below the other sections on a 1024-line screen.
static const int Margin = Px(4);
static const int FrameWidth = Px(200);
static const int FrameHeight = Px(48);
static const int FrameGap = Px(10);
static const int LabelInset = Px(6);
static const int LabelHeight = Px(16);

struct FrameSample {
    const char *title;
    DWORD boxes;
    bool active;
    bool icon;
    const char *label;
};

static const FrameSample FrameSamples[] = {
    {"All three buttons", WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, true, true, "Active, with an icon"},
    {"Close only", WS_SYSMENU, true, false, "Active, no icon"},
    {"Inactive", WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, false, true, "Inactive caption"},
};

// An in-memory dialog template with no items and the usual dialog font:
// DLGTEMPLATE, then no menu, the standard class, the title and the font.
static std::vector<WORD> DialogTemplate(DWORD style, const char *title)
{
    std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
    auto *header = reinterpret_cast<DLGTEMPLATE *>(words.data());
    header->style = style | DS_SETFONT;
    header->cx = 100;
    header->cy = 50;
    words.push_back(0);
    words.push_back(0);
    for (const char *c = title; *c != '\0'; ++c)
        words.push_back(static_cast<unsigned char>(*c));
    words.push_back(0);
    words.push_back(8);
    for (const char *c = "MS Shell Dlg"; *c != '\0'; ++c)
        words.push_back(static_cast<unsigned char>(*c));
    words.push_back(0);
    return words;
}

static INT_PTR CALLBACK FrameSampleProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

// A captioned child dialog: it shows the skinned frame without taking the
// activation from the gallery's main window.
static void AddFrameSample(HWND section, HINSTANCE instance, const FrameSample &sample, int x, int y)
{
    std::vector<WORD> words = DialogTemplate(WS_CHILD | WS_VISIBLE | WS_CAPTION | sample.boxes, sample.title);
    HWND frame = CreateDialogIndirectParamA(instance, reinterpret_cast<DLGTEMPLATE *>(words.data()), section,
                                            FrameSampleProc, 0);
    if (frame == nullptr)
        return;
    SetWindowPos(frame, nullptr, x, y, FrameWidth, FrameHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT client;
    GetClientRect(frame, &client);
    HWND label = CreateWindowExA(0, "Static", sample.label, WS_CHILD | WS_VISIBLE | SS_LEFT, LabelInset, LabelInset,
                                 client.right - 2 * LabelInset, LabelHeight, frame, nullptr, instance, nullptr);
    SendMessageA(label, WM_SETFONT, SendMessageA(frame, WM_GETFONT, 0, 0), FALSE);

    if (sample.icon)
        SendMessageA(frame, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(LoadIconA(nullptr, IDI_APPLICATION)));
    // Child windows are never activated; the host says which caption looks active.
    SendMessageA(frame, WM_NCACTIVATE, sample.active, 0);
}

// The section's menu bar: a host's menus stay the system's, between the
// skinned caption and the background.
static HMENU MakeMenuBar()
{
    static const char *const Menus[][3] = {
        {"&File", "&Open...", "E&xit"},
        {"&Edit", "&Copy", "&Paste"},
        {"&View", "&Status bar", "&Refresh"},
        {"&Help", "&About", nullptr},
    };
    HMENU bar = CreateMenu();
    UINT id = 100;
    for (const auto &menu : Menus) {
        HMENU popup = CreatePopupMenu();
        for (int i = 1; i < 3 && menu[i] != nullptr; ++i)
            AppendMenuA(popup, MF_STRING, id++, menu[i]);
        AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), menu[0]);
    }
    return bar;
}

HWND BuildDialogsSection(const GalleryContext &context)
{
    std::vector<WORD> words = DialogTemplate(WS_POPUP | WS_CAPTION | WS_SYSMENU, SectionTitle);
    HWND section = CreateDialogIndirectParamA(context.instance, reinterpret_cast<DLGTEMPLATE *>(words.data()), nullptr,
                                              PlainSectionProc, 0);
    if (section == nullptr)
        return nullptr;
    SetMenu(section, MakeMenuBar());

    int x = Margin;
    for (const FrameSample &sample : FrameSamples) {
        AddFrameSample(section, context.instance, sample, x, Margin);
        x += FrameWidth + FrameGap;
    }

    RECT window;
    RECT client;
    GetWindowRect(section, &window);
    GetClientRect(section, &client);
    const int width = x - FrameGap + Margin;
    const int height = Margin + FrameHeight + Margin;
    SetWindowPos(section, nullptr, 0, 0, width + (window.right - window.left) - client.right,
                 height + (window.bottom - window.top) - client.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return section;
}
