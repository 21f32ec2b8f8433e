#include "gdi_ledger.h"

#include <cstdio>
#include <map>
#include <set>

#include "import_patch.h"

namespace {

struct HeldDC {
    const char *how;
    int saveDepth;
};

struct LedgerState {
    HMODULE library;
    std::map<HGDIOBJ, const char *> liveObjects;
    std::set<HGDIOBJ> givenToSystem;
    std::map<HDC, HeldDC> heldDCs;
    std::set<HICON> liveIcons;
    std::vector<std::string> problems;
    int created = 0;
    int obtained = 0;
};

LedgerState *ledger;

void Complain(const char *what, const void *handle)
{
    char text[160];
    std::snprintf(text, sizeof text, "%s (%p)", what, handle);
    ledger->problems.push_back(text);
}

HGDIOBJ Created(HGDIOBJ object, const char *sort)
{
    if (object != nullptr) {
        ledger->liveObjects[object] = sort;
        ++ledger->created;
    }
    return object;
}

HDC Obtained(HDC dc, const char *how)
{
    if (dc != nullptr) {
        ledger->heldDCs[dc] = HeldDC{how, 0};
        ++ledger->obtained;
    }
    return dc;
}

bool SelectedSomewhere(HGDIOBJ object)
{
    const UINT type = GetObjectType(object);
    if (type != OBJ_PEN && type != OBJ_BRUSH && type != OBJ_FONT && type != OBJ_BITMAP)
        return false;
    for (const auto &held : ledger->heldDCs) {
        if (GetCurrentObject(held.first, type) == object)
            return true;
    }
    return false;
}

// A DC goes back with nothing of the library's selected and every saved
// state restored.
void CheckReleased(HDC dc)
{
    auto held = ledger->heldDCs.find(dc);
    if (held == ledger->heldDCs.end()) {
        Complain("released a DC it did not obtain", dc);
        return;
    }
    for (UINT type : {UINT{OBJ_PEN}, UINT{OBJ_BRUSH}, UINT{OBJ_FONT}, UINT{OBJ_BITMAP}}) {
        HGDIOBJ current = GetCurrentObject(dc, type);
        if (current != nullptr && ledger->liveObjects.count(current) != 0)
            Complain("released a DC with one of its own objects still selected", current);
    }
    if (held->second.saveDepth != 0)
        Complain("released a DC with a saved state not restored", dc);
    ledger->heldDCs.erase(held);
}

// The system functions as the library imports them.
struct Originals {
    decltype(&CreatePen) createPen;
    decltype(&CreatePenIndirect) createPenIndirect;
    decltype(&ExtCreatePen) extCreatePen;
    decltype(&CreateSolidBrush) createSolidBrush;
    decltype(&CreateBrushIndirect) createBrushIndirect;
    decltype(&CreateHatchBrush) createHatchBrush;
    decltype(&CreatePatternBrush) createPatternBrush;
    decltype(&CreateCompatibleBitmap) createCompatibleBitmap;
    decltype(&CreateBitmap) createBitmap;
    decltype(&CreateDIBSection) createDIBSection;
    decltype(&CreateRectRgn) createRectRgn;
    decltype(&CreateRectRgnIndirect) createRectRgnIndirect;
    decltype(&CreateRoundRectRgn) createRoundRectRgn;
    decltype(&CreateEllipticRgn) createEllipticRgn;
    decltype(&CreatePolygonRgn) createPolygonRgn;
    decltype(&CreateFontIndirectA) createFontIndirectA;
    decltype(&CreateFontIndirectW) createFontIndirectW;
    decltype(&CreateCompatibleDC) createCompatibleDC;
    decltype(&DeleteObject) deleteObject;
    decltype(&DeleteDC) deleteDC;
    decltype(&SaveDC) saveDC;
    decltype(&RestoreDC) restoreDC;
    decltype(&GetDC) getDC;
    decltype(&GetWindowDC) getWindowDC;
    decltype(&GetDCEx) getDCEx;
    decltype(&BeginPaint) beginPaint;
    decltype(&ReleaseDC) releaseDC;
    decltype(&EndPaint) endPaint;
    decltype(&SetWindowRgn) setWindowRgn;
    decltype(&LoadImageW) loadImageW;
    decltype(&LoadBitmapW) loadBitmapW;
    decltype(&CopyImage) copyImage;
    decltype(&DestroyIcon) destroyIcon;
    decltype(&GetIconInfo) getIconInfo;
} original;

HPEN WINAPI LedgerCreatePen(int style, int width, COLORREF colour)
{
    return static_cast<HPEN>(Created(original.createPen(style, width, colour), "pen"));
}
HPEN WINAPI LedgerCreatePenIndirect(const LOGPEN *pen)
{
    return static_cast<HPEN>(Created(original.createPenIndirect(pen), "pen"));
}
HPEN WINAPI LedgerExtCreatePen(DWORD style, DWORD width, const LOGBRUSH *brush, DWORD count, const DWORD *dashes)
{
    return static_cast<HPEN>(Created(original.extCreatePen(style, width, brush, count, dashes), "pen"));
}
HBRUSH WINAPI LedgerCreateSolidBrush(COLORREF colour)
{
    return static_cast<HBRUSH>(Created(original.createSolidBrush(colour), "brush"));
}
HBRUSH WINAPI LedgerCreateBrushIndirect(const LOGBRUSH *brush)
{
    return static_cast<HBRUSH>(Created(original.createBrushIndirect(brush), "brush"));
}
HBRUSH WINAPI LedgerCreateHatchBrush(int hatch, COLORREF colour)
{
    return static_cast<HBRUSH>(Created(original.createHatchBrush(hatch, colour), "brush"));
}
HBRUSH WINAPI LedgerCreatePatternBrush(HBITMAP bitmap)
{
    return static_cast<HBRUSH>(Created(original.createPatternBrush(bitmap), "brush"));
}
HBITMAP WINAPI LedgerCreateCompatibleBitmap(HDC dc, int width, int height)
{
    return static_cast<HBITMAP>(Created(original.createCompatibleBitmap(dc, width, height), "bitmap"));
}
HBITMAP WINAPI LedgerCreateBitmap(int width, int height, UINT planes, UINT bits, const void *data)
{
    return static_cast<HBITMAP>(Created(original.createBitmap(width, height, planes, bits, data), "bitmap"));
}
HBITMAP WINAPI LedgerCreateDIBSection(HDC dc, const BITMAPINFO *info, UINT usage, void **bits, HANDLE section,
                                      DWORD offset)
{
    return static_cast<HBITMAP>(
        Created(original.createDIBSection(dc, info, usage, bits, section, offset), "bitmap"));
}
HRGN WINAPI LedgerCreateRectRgn(int left, int top, int right, int bottom)
{
    return static_cast<HRGN>(Created(original.createRectRgn(left, top, right, bottom), "region"));
}
HRGN WINAPI LedgerCreateRectRgnIndirect(const RECT *rect)
{
    return static_cast<HRGN>(Created(original.createRectRgnIndirect(rect), "region"));
}
HRGN WINAPI LedgerCreateRoundRectRgn(int left, int top, int right, int bottom, int width, int height)
{
    return static_cast<HRGN>(
        Created(original.createRoundRectRgn(left, top, right, bottom, width, height), "region"));
}
HRGN WINAPI LedgerCreateEllipticRgn(int left, int top, int right, int bottom)
{
    return static_cast<HRGN>(Created(original.createEllipticRgn(left, top, right, bottom), "region"));
}
HRGN WINAPI LedgerCreatePolygonRgn(const POINT *points, int count, int mode)
{
    return static_cast<HRGN>(Created(original.createPolygonRgn(points, count, mode), "region"));
}
HFONT WINAPI LedgerCreateFontIndirectA(const LOGFONTA *font)
{
    return static_cast<HFONT>(Created(original.createFontIndirectA(font), "font"));
}
HFONT WINAPI LedgerCreateFontIndirectW(const LOGFONTW *font)
{
    return static_cast<HFONT>(Created(original.createFontIndirectW(font), "font"));
}
HDC WINAPI LedgerCreateCompatibleDC(HDC dc)
{
    ++ledger->created;
    return Obtained(original.createCompatibleDC(dc), "CreateCompatibleDC");
}

BOOL WINAPI LedgerDeleteObject(HGDIOBJ object)
{
    auto live = ledger->liveObjects.find(object);
    if (live == ledger->liveObjects.end()) {
        if (ledger->givenToSystem.count(object) != 0)
            Complain("deleted a region it had handed to the system", object);
        else
            Complain("deleted an object it did not create", object);
        return original.deleteObject(object);
    }
    if (SelectedSomewhere(object)) {
        char what[96];
        std::snprintf(what, sizeof what, "deleted a %s that is still selected", live->second);
        Complain(what, object);
    }
    ledger->liveObjects.erase(live);
    return original.deleteObject(object);
}

BOOL WINAPI LedgerDeleteDC(HDC dc)
{
    CheckReleased(dc);
    return original.deleteDC(dc);
}

int WINAPI LedgerSaveDC(HDC dc)
{
    const int level = original.saveDC(dc);
    auto held = ledger->heldDCs.find(dc);
    if (level != 0 && held != ledger->heldDCs.end())
        held->second.saveDepth = level;
    return level;
}

BOOL WINAPI LedgerRestoreDC(HDC dc, int level)
{
    auto held = ledger->heldDCs.find(dc);
    if (held != ledger->heldDCs.end()) {
        const int depth = held->second.saveDepth;
        held->second.saveDepth = level < 0 ? depth + level : level - 1;
    }
    return original.restoreDC(dc, level);
}

HDC WINAPI LedgerGetDC(HWND hwnd)
{
    return Obtained(original.getDC(hwnd), "GetDC");
}
HDC WINAPI LedgerGetWindowDC(HWND hwnd)
{
    return Obtained(original.getWindowDC(hwnd), "GetWindowDC");
}
HDC WINAPI LedgerGetDCEx(HWND hwnd, HRGN clip, DWORD flags)
{
    return Obtained(original.getDCEx(hwnd, clip, flags), "GetDCEx");
}
HDC WINAPI LedgerBeginPaint(HWND hwnd, PAINTSTRUCT *paint)
{
    return Obtained(original.beginPaint(hwnd, paint), "BeginPaint");
}
int WINAPI LedgerReleaseDC(HWND hwnd, HDC dc)
{
    CheckReleased(dc);
    return original.releaseDC(hwnd, dc);
}
BOOL WINAPI LedgerEndPaint(HWND hwnd, const PAINTSTRUCT *paint)
{
    CheckReleased(paint->hdc);
    return original.endPaint(hwnd, paint);
}

int WINAPI LedgerSetWindowRgn(HWND hwnd, HRGN region, BOOL redraw)
{
    const int result = original.setWindowRgn(hwnd, region, redraw);
    if (result != 0 && ledger->liveObjects.erase(region) != 0)
        ledger->givenToSystem.insert(region);
    return result;
}

HANDLE WINAPI LedgerLoadImageW(HINSTANCE module, LPCWSTR name, UINT type, int width, int height, UINT flags)
{
    HANDLE image = original.loadImageW(module, name, type, width, height, flags);
    if (image == nullptr || (flags & LR_SHARED) != 0)
        return image;
    if (type == IMAGE_BITMAP)
        Created(image, "bitmap");
    else if (type == IMAGE_ICON || type == IMAGE_CURSOR)
        ledger->liveIcons.insert(static_cast<HICON>(image));
    return image;
}
HBITMAP WINAPI LedgerLoadBitmapW(HINSTANCE module, LPCWSTR name)
{
    return static_cast<HBITMAP>(Created(original.loadBitmapW(module, name), "bitmap"));
}
HANDLE WINAPI LedgerCopyImage(HANDLE image, UINT type, int width, int height, UINT flags)
{
    HANDLE copy = original.copyImage(image, type, width, height, flags);
    // LR_COPYRETURNORG may hand back the original, which stays its owner's.
    if (copy == nullptr || copy == image)
        return copy;
    if (type == IMAGE_BITMAP)
        Created(copy, "bitmap");
    else
        ledger->liveIcons.insert(static_cast<HICON>(copy));
    return copy;
}
BOOL WINAPI LedgerDestroyIcon(HICON icon)
{
    if (ledger->liveIcons.erase(icon) == 0)
        Complain("destroyed an icon it did not create", icon);
    return original.destroyIcon(icon);
}

// The two bitmaps GetIconInfo hands out are the caller's to delete.
BOOL WINAPI LedgerGetIconInfo(HICON icon, ICONINFO *info)
{
    const BOOL result = original.getIconInfo(icon, info);
    if (result) {
        Created(info->hbmMask, "bitmap");
        Created(info->hbmColor, "bitmap");
    }
    return result;
}

struct PatchEntry {
    const char *dll;
    const char *function;
    void *replacement;
    void **originalSlot;
};

#define LEDGER_ENTRY(dll, name, field) \
    {dll, #name, reinterpret_cast<void *>(Ledger##name), reinterpret_cast<void **>(&original.field)}

const PatchEntry Patches[] = {
    LEDGER_ENTRY("gdi32.dll", CreatePen, createPen),
    LEDGER_ENTRY("gdi32.dll", CreatePenIndirect, createPenIndirect),
    LEDGER_ENTRY("gdi32.dll", ExtCreatePen, extCreatePen),
    LEDGER_ENTRY("gdi32.dll", CreateSolidBrush, createSolidBrush),
    LEDGER_ENTRY("gdi32.dll", CreateBrushIndirect, createBrushIndirect),
    LEDGER_ENTRY("gdi32.dll", CreateHatchBrush, createHatchBrush),
    LEDGER_ENTRY("gdi32.dll", CreatePatternBrush, createPatternBrush),
    LEDGER_ENTRY("gdi32.dll", CreateCompatibleBitmap, createCompatibleBitmap),
    LEDGER_ENTRY("gdi32.dll", CreateBitmap, createBitmap),
    LEDGER_ENTRY("gdi32.dll", CreateDIBSection, createDIBSection),
    LEDGER_ENTRY("gdi32.dll", CreateRectRgn, createRectRgn),
    LEDGER_ENTRY("gdi32.dll", CreateRectRgnIndirect, createRectRgnIndirect),
    LEDGER_ENTRY("gdi32.dll", CreateRoundRectRgn, createRoundRectRgn),
    LEDGER_ENTRY("gdi32.dll", CreateEllipticRgn, createEllipticRgn),
    LEDGER_ENTRY("gdi32.dll", CreatePolygonRgn, createPolygonRgn),
    LEDGER_ENTRY("gdi32.dll", CreateFontIndirectA, createFontIndirectA),
    LEDGER_ENTRY("gdi32.dll", CreateFontIndirectW, createFontIndirectW),
    LEDGER_ENTRY("gdi32.dll", CreateCompatibleDC, createCompatibleDC),
    LEDGER_ENTRY("gdi32.dll", DeleteObject, deleteObject),
    LEDGER_ENTRY("gdi32.dll", DeleteDC, deleteDC),
    LEDGER_ENTRY("gdi32.dll", SaveDC, saveDC),
    LEDGER_ENTRY("gdi32.dll", RestoreDC, restoreDC),
    LEDGER_ENTRY("user32.dll", GetDC, getDC),
    LEDGER_ENTRY("user32.dll", GetWindowDC, getWindowDC),
    LEDGER_ENTRY("user32.dll", GetDCEx, getDCEx),
    LEDGER_ENTRY("user32.dll", BeginPaint, beginPaint),
    LEDGER_ENTRY("user32.dll", ReleaseDC, releaseDC),
    LEDGER_ENTRY("user32.dll", EndPaint, endPaint),
    LEDGER_ENTRY("user32.dll", SetWindowRgn, setWindowRgn),
    LEDGER_ENTRY("user32.dll", LoadImageW, loadImageW),
    LEDGER_ENTRY("user32.dll", LoadBitmapW, loadBitmapW),
    LEDGER_ENTRY("user32.dll", CopyImage, copyImage),
    LEDGER_ENTRY("user32.dll", DestroyIcon, destroyIcon),
    LEDGER_ENTRY("user32.dll", GetIconInfo, getIconInfo),
};

#undef LEDGER_ENTRY

} // namespace

GdiLedger::GdiLedger(HMODULE library)
{
    ledger = new LedgerState;
    ledger->library = library;
    for (const PatchEntry &entry : Patches) {
        void *replaced = PatchImport(library, entry.dll, entry.function, entry.replacement);
        // Functions the library does not import are never called through it.
        *entry.originalSlot = replaced;
    }
}

GdiLedger::~GdiLedger()
{
    for (const PatchEntry &entry : Patches) {
        if (*entry.originalSlot != nullptr)
            PatchImport(ledger->library, entry.dll, entry.function, *entry.originalSlot);
        *entry.originalSlot = nullptr;
    }
    delete ledger;
    ledger = nullptr;
}

int GdiLedger::LiveObjects() const
{
    return static_cast<int>(ledger->liveObjects.size());
}

int GdiLedger::HeldDCs() const
{
    return static_cast<int>(ledger->heldDCs.size());
}

int GdiLedger::LiveIcons() const
{
    return static_cast<int>(ledger->liveIcons.size());
}

const std::vector<std::string> &GdiLedger::Problems() const
{
    return ledger->problems;
}

int GdiLedger::CreatedCount() const
{
    return ledger->created;
}

int GdiLedger::ObtainedCount() const
{
    return ledger->obtained;
}

void GdiLedger::Reset()
{
    const HMODULE library = ledger->library;
    *ledger = LedgerState{};
    ledger->library = library;
}

std::string GdiLedger::Report() const
{
    std::string text;
    char line[160];
    for (const auto &live : ledger->liveObjects) {
        std::snprintf(line, sizeof line, "  live %s %p\n", live.second, live.first);
        text += line;
    }
    for (const auto &held : ledger->heldDCs) {
        std::snprintf(line, sizeof line, "  held DC %p from %s\n", static_cast<void *>(held.first), held.second.how);
        text += line;
    }
    for (HICON icon : ledger->liveIcons) {
        std::snprintf(line, sizeof line, "  live icon %p\n", static_cast<void *>(icon));
        text += line;
    }
    for (const std::string &problem : ledger->problems)
        text += "  " + problem + "\n";
    return text;
}
