// Faces: face.ini read in every bad way a host may ship it, a switch while
// another thread paints, and every kind drawn from the face, not constants.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "controls/face_folder.h"
#include "support/window_pixels.h"
#include "core/skin.h"
#include "support/gdi_ledger.h"
#include "support/kinds.h"
#include "support/records.h"

namespace {

std::vector<std::wstring> debuggerLines;
void WINAPI RecordDebuggerLine(LPCWSTR text)
{
    debuggerLines.push_back(text);
}

int heapBlocks = 0;
decltype(&HeapAlloc) realHeapAlloc;
decltype(&HeapFree) realHeapFree;
LPVOID WINAPI CountingHeapAlloc(HANDLE heap, DWORD flags, SIZE_T size)
{
    LPVOID block = realHeapAlloc(heap, flags, size);
    heapBlocks += block != nullptr;
    return block;
}
BOOL WINAPI CountingHeapFree(HANDLE heap, DWORD flags, LPVOID block)
{
    heapBlocks -= block != nullptr;
    return realHeapFree(heap, flags, block);
}

bool WriteBytes(const std::string &path, const std::string &bytes, LONGLONG zeros = 0)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written;
    LARGE_INTEGER extra;
    extra.QuadPart = zeros;
    const bool ok = file != INVALID_HANDLE_VALUE &&
                    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                    SetFilePointerEx(file, extra, nullptr, FILE_CURRENT) && SetEndOfFile(file);
    CloseHandle(file);
    return ok;
}

const char16_t Utf16Text[] = u"\uFEFF[colours]\nLabelText=#E0E0E0\n";

const COLORREF BuiltInFrame = 0x00FF350B;
const COLORREF BuiltInLabel = 0x003CFA96;
const COLORREF Frame = RGB(0x10, 0x20, 0x30);
const COLORREF Label = RGB(0xE0, 0xE0, 0xE0);

struct LoaderRow {
    const char *name;
    std::string bytes;
    LONGLONG zeros;   // zero bytes after them
    bool directory;   // face.ini is a folder, which cannot be read as a file
    COLORREF frame;   // DialogFrame and LabelText as loaded
    COLORREF label;
    std::vector<const wchar_t *> lines;  // what each debugger line says, beside the file's name
};

const LoaderRow LoaderRows[] = {
    {"good", "[colours]\r\nDialogFrame=#102030\r\n; comment\r\n LabelText = #e0e0e0\r\n", 0, false, Frame, Label, {}},
    {"not hex", "[Colours]\nDialogFrame=#GGGGGG\nLabelText=#E0E0E0\n", 0, false, BuiltInFrame, Label,
     {L"(2): DialogFrame: \"#GGGGGG\" is not a colour"}},
    {"too long", "[colours]\nDialogFrame=12345678901234567890\n", 0, false, BuiltInFrame, BuiltInLabel,
     {L"(2): DialogFrame: \"12345678901234567890\" is not a colour"}},
    {"empty", "[colours]\nDialogFrame=\n", 0, false, BuiltInFrame, BuiltInLabel, {L"DialogFrame: \"\" is not"}},
    {"unknown key", "[colours]\nDialogFrme=#102030\n", 0, false, BuiltInFrame, BuiltInLabel,
     {L"(2): DialogFrme: unknown key"}},
    {"binary junk", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), 0, false, BuiltInFrame, BuiltInLabel,
     {L"(1): \uFFFDPNG", L"(2): ?: not a line", L"(3):", L"no [colours] section"}},
    {"several megabytes", "[colours]\nDialogFrame=#102030\n", 4 << 20, false, BuiltInFrame, BuiltInLabel,
     {L"larger than 262144 bytes"}},
    {"UTF-16 with BOM", std::string(reinterpret_cast<const char *>(Utf16Text), sizeof Utf16Text - 2), 0, false, BuiltInFrame, Label, {}},
    {"UTF-8 with BOM", "\xEF\xBB\xBF[colours]\nDialogFrame=#102030\n", 0, false, Frame, BuiltInLabel, {}},
    {"no section", "DialogFrame=#102030\n", 0, false, BuiltInFrame, BuiltInLabel,
     {L"(1): DialogFrame: outside the [colours] section", L"no [colours] section"}},
    {"cannot be read", "", 0, true, BuiltInFrame, BuiltInLabel, {L"cannot be read"}},
};

// Each row with the face's pictures beside it, so that freeing them is
// accounted too.
TEST(FaceLoader, EveryRowGivesItsColoursAndNamesItsProblems)
{
    FaceFolder folder;
    ASSERT_TRUE(folder.Enter());
    ASSERT_TRUE(folder.WritePicture(6, 4, RGB(1, 2, 3), RGB(4, 5, 6)));
    const std::string iniPath = folder.IniPath();
    const std::string picturePath = folder.PicturePath();
    const std::wstring ini(iniPath.begin(), iniPath.end());
    const std::wstring picture(picturePath.begin(), picturePath.end());
    for (const LoaderRow &row : LoaderRows) {
        ASSERT_TRUE(row.directory ? CreateDirectoryA(folder.IniPath().c_str(), nullptr)
                                  : WriteBytes(folder.IniPath(), row.bytes, row.zeros))
            << row.name;
        debuggerLines.clear();
        heapBlocks = 0;
        GdiLedger ledger;
        {
            ScopedImportPatch lines(LibraryModule(), "KERNEL32.dll", "OutputDebugStringW",
                                    reinterpret_cast<void *>(RecordDebuggerLine));
            ScopedImportPatch alloc(LibraryModule(), "KERNEL32.dll", "HeapAlloc",
                                    reinterpret_cast<void *>(CountingHeapAlloc));
            ScopedImportPatch frees(LibraryModule(), "KERNEL32.dll", "HeapFree",
                                    reinterpret_cast<void *>(CountingHeapFree));
            ASSERT_TRUE(lines.original && alloc.original && frees.original);
            realHeapAlloc = reinterpret_cast<decltype(&HeapAlloc)>(alloc.original);
            realHeapFree = reinterpret_cast<decltype(&HeapFree)>(frees.original);
            Face face;
            LoadFace(&face, ini.c_str(), picture.c_str(), picture.c_str());
            EXPECT_EQ(face.dialogFrame, row.frame) << row.name;
            EXPECT_EQ(face.labelText, row.label) << row.name;
            EXPECT_NE(face.pictures.backgroundTile, nullptr) << row.name;
            EXPECT_EQ(face.pictures.progressHeight, 4) << row.name;
            FreeFacePictures(&face);
        }
        EXPECT_TRUE(ledger.Balanced()) << row.name << "\n" << ledger.Report();
        EXPECT_EQ(heapBlocks, 0) << row.name << ": blocks kept";
        ASSERT_EQ(debuggerLines.size(), row.lines.size()) << row.name;
        for (size_t i = 0; i < row.lines.size(); ++i) {
            EXPECT_NE(debuggerLines[i].find(ini), std::wstring::npos) << row.name << ": the file is not named";
            EXPECT_NE(debuggerLines[i].find(row.lines[i]), std::wstring::npos)
                << row.name << ": line " << i << " is not about " << testing::PrintToString(row.lines[i]);
        }
        row.directory ? RemoveDirectoryA(folder.IniPath().c_str()) : DeleteFileA(folder.IniPath().c_str());
    }
    folder.Leave();
}

// Another thread paints a skinned dialog over and over while this one
// switches between two faces, one with pictures, and the start-up one.
struct PaintLoop {
    volatile LONG stop;
    volatile LONG paints;
    HWND dialog;
    HANDLE ready;
};

DWORD WINAPI PaintUntilStopped(void *parameter)
{
    auto *loop = static_cast<PaintLoop *>(parameter);
    Enskin(nullptr, 1);
    loop->dialog = CreateTestDialog(TestDialogStyle, 400, 200, "painting");
    int x = 0;
    for (const TestKind &kind : KindsNamed({"push button", "check box", "progress bar", "vertical scroll bar"}))
        x += CreateKind(loop->dialog, kind, x + 10, 10) != nullptr ? kind.width + 10 : 0;
    SetEvent(loop->ready);
    while (loop->stop == 0) {
        RedrawWindow(loop->dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        InterlockedIncrement(&loop->paints);
        PumpMessages();
    }
    Enskin(nullptr, 0);
    DestroyWindow(loop->dialog);
    return 0;
}

TEST(FaceSwitch, WhileAnotherThreadPaints)
{
    FaceFolder pictured;
    ASSERT_TRUE(pictured.Enter());
    ASSERT_TRUE(pictured.WritePicture(6, 4, RGB(1, 2, 3), RGB(4, 5, 6)));
    ASSERT_TRUE(CopyFileA(pictured.PicturePath().c_str(), pictured.BackgroundPath().c_str(), FALSE));
    ASSERT_TRUE(pictured.Apply());
    const std::string plainFolder = pictured.folder + "\\plain";
    CreateDirectoryA(plainFolder.c_str(), nullptr);
    ASSERT_TRUE(WriteBytes(plainFolder + "\\face.ini", "[colours]\nDialogFrame=#102030\n"));
    const std::wstring plain(plainFolder.begin(), plainFolder.end());
    const std::string picturedFolder = pictured.folder + "\\face";
    const std::wstring withPictures(picturedFolder.begin(), picturedFolder.end());

    PaintLoop loop = {0, 0, nullptr, CreateEventA(nullptr, TRUE, FALSE, nullptr)};
    HANDLE painter = CreateThread(nullptr, 0, PaintUntilStopped, &loop, 0, nullptr);
    ASSERT_EQ(WaitForSingleObject(loop.ready, 10000), WAIT_OBJECT_0);
    for (int i = 0; i < 5000 && loop.paints < 100; ++i) {
        EXPECT_TRUE(EnskinFace(withPictures.c_str()));
        EXPECT_TRUE(EnskinFace(plain.c_str()));
        EXPECT_TRUE(EnskinFace(nullptr));
    }
    EXPECT_TRUE(EnskinFace(plain.c_str()));
    EXPECT_FALSE(EnskinFace(L"Z:\\no such folder"));
    HBRUSH brush = DlgInit(0);
    LOGBRUSH info = {};
    GetObjectA(brush, sizeof info, &info);
    DeleteObject(brush);
    EXPECT_EQ(info.lbColor, Frame) << "DlgInit after the last switch, and a failed one";
    std::vector<NamedPixel> frame = {{"frame after the last switch", loop.dialog, {1, 100}, Frame, CLR_INVALID}};
    AwaitPixels(&frame, 5000);
    EXPECT_EQ(frame[0].seen, Frame);
    InterlockedExchange(&loop.stop, 1);
    EXPECT_EQ(WaitForSingleObject(painter, 10000), WAIT_OBJECT_0);
    EXPECT_GE(loop.paints, 100) << "the other thread hardly painted while faces changed";
    CloseHandle(painter);
    CloseHandle(loop.ready);
    DeleteFileA((plainFolder + "\\face.ini").c_str());
    RemoveDirectoryA(plainFolder.c_str());
    pictured.Leave();
}

// A face whose every colour differs from every other and from the built-in
// one: a painter still drawing a constant shows the wrong colour at its row.
struct KindPixel {
    const char *kind;
    const char *what;
    POINT (*at)(HWND control, int width, int height);  // window coordinates; {-1, -1}: anywhere in it
    COLORREF (*colour)(const Face &face);
};

POINT FirstTab(HWND tab, int, int)
{
    RECT item;
    TabCtrl_GetItemRect(tab, 0, &item);
    return {item.left + 2, (item.top + item.bottom) / 2};
}

#define AT(x, y) [](HWND control, int w, int h) -> POINT { (void)control, (void)w, (void)h; return {x, y}; }
#define COLOUR(field) [](const Face &f) -> COLORREF { return f.field; }
const KindPixel KindPixels[] = {
    {"push button", "outline", AT(w / 2, 1), COLOUR(pushOutline.outline)},
    {"push button", "shadow", AT(0, h / 2), COLOUR(pushShadow)},
    {"push button", "caption", AT(-1, -1), COLOUR(buttonText)},
    {"check box", "box", AT(0, (h - 13) / 2 + 6), COLOUR(indicatorFrame)},
    {"check box", "caption", AT(-1, -1), COLOUR(choiceText)},
    {"radio button", "circle", AT(2, (h - 15) / 2 + 7), COLOUR(indicatorFrame)},
    {"group box", "frame", AT(0, h / 2), COLOUR(groupFrame)},
    {"group box", "caption", AT(-1, -1), COLOUR(buttonText)},
    {"label", "text", AT(-1, -1), COLOUR(labelText)},
    {"edit", "outer ring", AT(w / 2, 0), COLOUR(editRing)},
    {"edit", "inner ring", AT(w / 2, 1), COLOUR(controlBackground)},
    {"drop-down list", "outer ring", AT(w / 2, 0), COLOUR(fieldFrame)},
    {"drop-down list", "drop button", AT(w - 1 - GetSystemMetrics(SM_CYVTHUMB), 2),
     COLOUR(scrollCorners[SET_NORMAL][0])},
    {"vertical scroll bar", "up arrow", AT(0, 0), COLOUR(scrollCorners[SET_NORMAL][0])},
    {"up-down", "upper half", AT(1, 1), COLOUR(scrollCorners[SET_NORMAL][0])},
    {"up-down", "body", AT(0, 0), COLOUR(upDownBody)},
    {"progress bar", "frame", AT(w / 2, 0), COLOUR(progressFrame)},
    {"progress bar", "background", AT(w - 3, h / 2), COLOUR(progressBackground)},
    {"tab control", "selected tab", FirstTab, COLOUR(tabs[1].fill)},
    {"dialog", "frame", AT(1, h / 2), COLOUR(dialogFrame)},
    {"dialog", "caption", AT(GetSystemMetrics(SM_CXDLGFRAME), GetSystemMetrics(SM_CYDLGFRAME)),
     COLOUR(activeCaption[0])},
    {"dialog", "background", AT(w - 10, h - 10), COLOUR(dialogBackground)},
};
#undef COLOUR
#undef AT

class DistinctFaceTest : public RecordCheckedTest {};

TEST_F(DistinctFaceTest, EveryKindShowsTheFacesColourAtItsPixel)
{
    FaceFolder folder;
    ASSERT_TRUE(folder.Enter());
    std::string ini = "[colours]\n";
    wchar_t name[64];
    size_t offset;
    for (int i = 0; DescribeFaceKey(i, name, 64, &offset); ++i) {
        char line[96];
        const COLORREF colour = 0x102030 + i * 0x010203;
        wsprintfA(line, "%ls=#%02X%02X%02X\n", name, GetRValue(colour), GetGValue(colour), GetBValue(colour));
        ini += line;
        const COLORREF builtIn = *reinterpret_cast<const COLORREF *>(reinterpret_cast<const BYTE *>(&BuiltInFace) + offset);
        ASSERT_NE(colour, builtIn & 0xFFFFFF) << "choose another formula for the distinct face";
    }
    ASSERT_TRUE(WriteBytes(folder.IniPath(), ini));
    ASSERT_TRUE(EnskinFace(std::wstring(folder.folder.begin(), folder.folder.end()).append(L"\\face").c_str()));
    const Face &face = *CurrentFace();

    ASSERT_NE(Enskin(nullptr, 1), 0);
    HWND dialog = CreateTestDialog(TestDialogStyle, 760, 420, "distinct");
    int slot = 0;
    HWND control = nullptr;
    for (size_t i = 0; i < std::size(KindPixels); ++i) {
        const KindPixel &row = KindPixels[i];
        const TestKind &kind = KindNamed(row.kind);
        if (IsDialogKind(kind)) {
            control = dialog;
        } else if (i == 0 || std::strcmp(KindPixels[i - 1].kind, row.kind) != 0) {
            control = CreateKind(dialog, kind, 10 + slot % 4 * 185, 10 + slot / 4 * 100, 0, row.kind);
            ++slot;
            TCITEMA item = {TCIF_TEXT, 0, 0, const_cast<char *>("tab")};
            if (std::strcmp(kind.className, WC_TABCONTROLA) == 0)
                TabCtrl_InsertItem(control, 0, &item);
            // An empty range disables the bar's arrows.
            SetScrollRange(control, SB_CTL, 0, 10, FALSE);
        }
        RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        const WindowPixels shot = CaptureWindow(control);
        const POINT at = row.at(control, shot.width, shot.height);
        const COLORREF expected = row.colour(face) & 0xFFFFFF;
        if (at.x < 0)
            EXPECT_NE(std::find(shot.pixels.begin(), shot.pixels.end(), expected), shot.pixels.end())
                << row.kind << ", " << row.what;
        else
            EXPECT_EQ(shot.At(at.x, at.y), expected) << row.kind << ", " << row.what;
    }
    Enskin(nullptr, 0);
    DestroyWindow(dialog);
    folder.Leave();
}

// Each system colour the list names, changed to one of its own; the button
// face's channels partly below 0x20, so that its darkened value stops at 0.
struct SystemChange {
    int index;
    COLORREF colour;
    COLORREF darkened;
};
const SystemChange SystemChanges[] = {
    {COLOR_WINDOW, RGB(0x21, 0x43, 0x65), RGB(0x01, 0x23, 0x45)},
    {COLOR_BTNFACE, RGB(0x10, 0x40, 0x05), RGB(0x00, 0x20, 0x00)},
    {COLOR_BTNTEXT, RGB(0x87, 0x65, 0x43), RGB(0x67, 0x45, 0x23)},
    {COLOR_GRAYTEXT, RGB(0x13, 0x57, 0x9B), RGB(0x00, 0x37, 0x7B)},
    {COLOR_HIGHLIGHT, RGB(0x24, 0x68, 0xAC), RGB(0x04, 0x48, 0x8C)},
    {COLOR_HIGHLIGHTTEXT, RGB(0xF1, 0xE2, 0xD3), RGB(0xD1, 0xC2, 0xB3)},
    {COLOR_BTNSHADOW, RGB(0x35, 0x79, 0x35), RGB(0x15, 0x59, 0x15)},
};

COLORREF ListedColourOf(const Face &face, int index, std::wstring *key = nullptr)
{
    wchar_t name[64] = L"";
    size_t offset = 0;
    DescribeFaceKey(index, name, 64, &offset);
    if (key != nullptr)
        *key = name;
    return *reinterpret_cast<const COLORREF *>(reinterpret_cast<const BYTE *>(&face) + offset);
}

TEST(FaceColours, FollowTheSystemWhereTheListSaysUnlessFaceIniNamesThem)
{
    FaceFolder folder;
    ASSERT_TRUE(folder.Enter());
    ASSERT_TRUE(WriteBytes(folder.IniPath(), "[colours]\nProgressBackground=#102030\n"));
    ASSERT_TRUE(EnskinFace(std::wstring(folder.folder.begin(), folder.folder.end()).append(L"\\face").c_str()));
    const Face &named = *CurrentFace();
    const Face namedBefore = named;
    const Face builtInBefore = BuiltInFace;
    ASSERT_NE(Enskin(nullptr, 1), 0);
    HWND dialog = CreateTestDialog(TestDialogStyle, 200, 120, "system colours");
    INT indexes[std::size(SystemChanges)];
    COLORREF saved[std::size(SystemChanges)], changed[std::size(SystemChanges)];
    for (size_t i = 0; i < std::size(SystemChanges); ++i) {
        indexes[i] = SystemChanges[i].index;
        saved[i] = GetSysColor(indexes[i]);
        changed[i] = SystemChanges[i].colour;
    }
    // The system tells every top-level window, the skinned dialog among them.
    ASSERT_TRUE(SetSysColors(static_cast<int>(std::size(indexes)), indexes, changed));
    PumpMessages(50);

    for (int i = 0; i < FaceColourCount; ++i) {
        const int system = FaceSystemColour(i);
        const auto row = std::find_if(std::begin(SystemChanges), std::end(SystemChanges),
                                      [&](const SystemChange &c) { return c.index == (system & ~DarkenedSystemColour); });
        std::wstring key;
        COLORREF followed = ListedColourOf(builtInBefore, i, &key);
        if (system != OwnColour) {
            ASSERT_NE(row, std::end(SystemChanges)) << key << ": no change of its system colour";
            followed = (system & DarkenedSystemColour) ? row->darkened : row->colour;
        }
        EXPECT_EQ(ListedColourOf(BuiltInFace, i), followed) << "built in: " << key;
        EXPECT_EQ(ListedColourOf(named, i), key == L"ProgressBackground" ? ListedColourOf(namedBefore, i) : followed)
            << "loaded: " << key;
    }
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    EXPECT_EQ(CaptureWindow(dialog).At(100, 80), BuiltInFace.dialogBackground) << "the dialog's background, its own";

    SetSysColors(static_cast<int>(std::size(indexes)), indexes, saved);
    PumpMessages(50);
    EXPECT_EQ(BuiltInFace.progressBackground, GetSysColor(COLOR_BTNFACE)) << "after the colours came back";
    Enskin(nullptr, 0);
    DestroyWindow(dialog);
    folder.Leave();
}

// The shipped dark face paints what once stayed white dark: a disabled check
// box's face and an up-down's body.
TEST(FaceColours, TheDarkFaceLeavesNoWhiteInADisabledCheckBoxOrAnUpDown)
{
    ASSERT_TRUE(EnskinFace(VELK_DARK_FACE));
    const Face &face = *CurrentFace();
    ASSERT_NE(Enskin(nullptr, 1), 0);
    HWND dialog = CreateTestDialog(TestDialogStyle, 300, 120, "dark");
    const struct {
        const char *kind;
        COLORREF colour;
    } rows[] = {{"check box", face.checkFaceDisabled}, {"up-down", face.upDownBody}};
    int x = 10;
    for (const auto &row : rows) {
        HWND control = CreateKind(dialog, KindNamed(row.kind), x, 10);
        x += 140;
        EnableWindow(control, FALSE);
        RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        const WindowPixels shot = CaptureWindow(control);
        EXPECT_NE(std::find(shot.pixels.begin(), shot.pixels.end(), row.colour), shot.pixels.end()) << row.kind;
        EXPECT_EQ(std::find(shot.pixels.begin(), shot.pixels.end(), RGB(255, 255, 255)), shot.pixels.end())
            << row.kind;
    }
    Enskin(nullptr, 0);
    DestroyWindow(dialog);
    EnskinFace(nullptr);
}

}  // namespace
