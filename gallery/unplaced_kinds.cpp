// The unplaced section: every row of the tests' kind list that no other
// section shows, stacked as the row makes it, so that a new kind is in the
// gallery by its row before it is given a place of its own. While every kind
// has its place the section is not made.
#include "gallery.h"

#include <algorithm>
#include <string>
#include <vector>

#include "support/kinds.h"

static const char SectionTitle[] = "velk gallery: kinds without a place";
static const int Margin = Px(12);
static const int RowGap = Px(6);

struct ShownClasses {
    const std::vector<HWND> *sections;
    std::vector<std::string> names;
};

static BOOL CALLBACK NoteClass(HWND window, LPARAM param)
{
    auto *shown = reinterpret_cast<ShownClasses *>(param);
    char name[64];
    GetClassNameA(window, name, sizeof name);
    shown->names.push_back(name);
    return TRUE;
}

// Tooltips are popups the sections own, not children.
static BOOL CALLBACK NoteOwnedPopup(HWND window, LPARAM param)
{
    auto *shown = reinterpret_cast<ShownClasses *>(param);
    const HWND owner = GetWindow(window, GW_OWNER);
    if (std::find(shown->sections->begin(), shown->sections->end(), owner) != shown->sections->end())
        NoteClass(window, param);
    return TRUE;
}

HWND BuildUnplacedKindsSection(const GalleryContext &context, const std::vector<HWND> &sections)
{
    ShownClasses shown = {&sections, {}};
    for (HWND section : sections) {
        NoteClass(section, reinterpret_cast<LPARAM>(&shown));
        EnumChildWindows(section, NoteClass, reinterpret_cast<LPARAM>(&shown));
    }
    EnumThreadWindows(GetCurrentThreadId(), NoteOwnedPopup, reinterpret_cast<LPARAM>(&shown));
    std::vector<TestKind> unplaced;
    for (const TestKind &kind : TestKinds()) {
        const bool placed = std::any_of(shown.names.begin(), shown.names.end(), [&](const std::string &name) {
            return lstrcmpiA(name.c_str(), kind.className) == 0;
        });
        // A popup menu lives only while its menu loop runs; a host's own main
        // windows are the main-window section's.
        if (!placed && lstrcmpA(kind.className, "#32768") != 0 && lstrcmpA(kind.className, MainWindowClassName) != 0)
            unplaced.push_back(kind);
    }
    if (unplaced.empty())
        return nullptr;

    HWND section = CreateWindowExA(WS_EX_DLGMODALFRAME, "#32770", SectionTitle, WS_POPUP | WS_CAPTION | WS_SYSMENU,
                                   0, 0, 100, 100, nullptr, nullptr, context.instance, nullptr);
    if (section == nullptr)
        return nullptr;
    SetWindowLongPtrA(section, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(PlainSectionProc));
    SendMessageA(section, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    int top = Margin;
    int width = 0;
    for (const TestKind &kind : unplaced) {
        HWND control = CreateKind(section, kind, Margin, top, 0, kind.name);
        FillKind(control, kind);
        RECT rect;
        GetWindowRect(control, &rect);
        top += rect.bottom - rect.top + RowGap;
        width = std::max(width, static_cast<int>(rect.right - rect.left));
    }
    RECT window;
    RECT client;
    GetWindowRect(section, &window);
    GetClientRect(section, &client);
    SetWindowPos(section, nullptr, 0, 0, width + 2 * Margin + (window.right - window.left) - client.right,
                 top - RowGap + Margin + (window.bottom - window.top) - client.bottom,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return section;
}
