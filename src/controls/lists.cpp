// List views, tree views and month calendars take the face's list colours
// through their own colour messages; list boxes and edits through the
// colour messages they send their parent. A colour the host set itself is
// left alone, and every colour the skin set is put back at release; the
// same machinery serves the rebar's and the tooltip's colours.
#include "controls.h"

#include <commctrl.h>

#include "../scroll/scroll.h"

static const ColourMessage ListViewColours[] = {
    {LVM_GETBKCOLOR, LVM_SETBKCOLOR, 0, false, &Face::listBackground, COLOR_WINDOW, CLR_DEFAULT},
    // Texts drawn straight onto the background: no box of their own, which
    // also spares the list view a fill per item. Its paint erases first.
    {LVM_GETTEXTBKCOLOR, LVM_SETTEXTBKCOLOR, 0, false, nullptr, COLOR_WINDOW, CLR_DEFAULT},
    {LVM_GETTEXTCOLOR, LVM_SETTEXTCOLOR, 0, false, &Face::listText, COLOR_WINDOWTEXT, CLR_DEFAULT},
};
static const ColourMessage TreeViewColours[] = {
    {TVM_GETBKCOLOR, TVM_SETBKCOLOR, 0, false, &Face::listBackground, COLOR_WINDOW, CLR_NONE},
    {TVM_GETTEXTCOLOR, TVM_SETTEXTCOLOR, 0, false, &Face::listText, COLOR_WINDOWTEXT, CLR_NONE},
    {TVM_GETLINECOLOR, TVM_SETLINECOLOR, 0, false, &Face::treeLine, COLOR_GRAYTEXT, CLR_DEFAULT},
};
// The title and the days of the next and last months keep their own colours.
static const ColourMessage MonthCalendarColours[] = {
    {MCM_GETCOLOR, MCM_SETCOLOR, MCSC_BACKGROUND, false, &Face::listBackground, COLOR_WINDOW, CLR_DEFAULT},
    {MCM_GETCOLOR, MCM_SETCOLOR, MCSC_MONTHBK, false, &Face::listBackground, COLOR_WINDOW, CLR_DEFAULT},
    {MCM_GETCOLOR, MCM_SETCOLOR, MCSC_TEXT, false, &Face::listText, COLOR_WINDOWTEXT, CLR_DEFAULT},
};

static ColourMessages ColoursOf(const SkinClass *row)
{
    if (row == &ListViewClass)
        return {ListViewColours, ARRAYSIZE(ListViewColours)};
    if (row == &TreeViewClass)
        return {TreeViewColours, ARRAYSIZE(TreeViewColours)};
    return {MonthCalendarColours, ARRAYSIZE(MonthCalendarColours)};
}

static bool IsDefaultColour(COLORREF colour, const ColourMessage &row)
{
    return colour == row.unset || colour == GetSysColor(row.systemColour);
}

static LRESULT SendColourMessage(SkinnedWindow *rec, const ColourMessage &row, UINT msg, COLORREF colour)
{
    if (row.colourInWParam)
        return ForwardMessage(rec, msg, colour, 0);
    return ForwardMessage(rec, msg, row.which, static_cast<LPARAM>(colour));
}

// Straight to the control: the messages change nothing the skin follows.
// The previous procedure may be a host's, so the record is checked after
// each call. A control whose host chose any of its colours keeps them all:
// the host's text goes with the host's background. A colour of the face
// that follows the system is the control's own already.
void SetUpColourMessages(SkinnedWindow *rec, const ColourMessages &table)
{
    auto *block = static_cast<ColourBlock *>(rec->extraState);
    const Face &face = *CurrentFace();
    block->face = &face;
    for (int i = 0; i < table.count; ++i)
        block->gave[i] = false;
    for (int i = 0; i < table.count; ++i) {
        block->had[i] = static_cast<COLORREF>(SendColourMessage(rec, table.rows[i], table.rows[i].get, 0));
        if (rec->released || !IsDefaultColour(block->had[i], table.rows[i]))
            return;
    }
    for (int i = 0; i < table.count && !rec->released; ++i) {
        const ColourMessage &row = table.rows[i];
        if (row.colour != nullptr && FollowsSystem(face, face.*row.colour))
            continue;
        block->given[i] = row.colour != nullptr ? face.*row.colour : CLR_NONE;
        block->gave[i] = true;
        SendColourMessage(rec, row, row.set, block->given[i]);
    }
}

// A colour the host changed since is the host's.
void TearDownColourMessages(SkinnedWindow *rec, const ColourMessages &table)
{
    const auto *block = static_cast<const ColourBlock *>(rec->extraState);
    for (int i = 0; i < table.count; ++i) {
        const ColourMessage &row = table.rows[i];
        if (!block->gave[i] ||
            static_cast<COLORREF>(SendColourMessage(rec, row, row.get, 0)) != block->given[i])
            continue;
        SendColourMessage(rec, row, row.set, block->had[i]);
    }
}

// The host sets a colour of its own: the skin's others go back, so that the
// control shows the host's colours with the control's defaults.
static void LeaveColoursToHost(SkinnedWindow *rec, const ColourMessages &table)
{
    TearDownColourMessages(rec, table);
    auto *block = static_cast<ColourBlock *>(rec->extraState);
    for (int i = 0; i < table.count; ++i)
        block->gave[i] = false;
}

static bool IsColourSetter(const ColourMessages &table, UINT msg)
{
    for (int i = 0; i < table.count; ++i) {
        if (table.rows[i].set == msg)
            return true;
    }
    return false;
}

void FollowFaceColours(SkinnedWindow *rec, const ColourMessages &table)
{
    if (rec->setUpPending || static_cast<const ColourBlock *>(rec->extraState)->face == CurrentFace())
        return;
    TearDownColourMessages(rec, table);
    if (!rec->released)
        SetUpColourMessages(rec, table);
}

static void SetUpListColours(SkinnedWindow *rec, LONG)
{
    if (!rec->setUpPending)
        SetUpColourMessages(rec, ColoursOf(rec->skinClass));
}

static void TearDownListColours(SkinnedWindow *rec)
{
    TearDownColourMessages(rec, ColoursOf(rec->skinClass));
}

// The DC brush carries the colour, so that no brush is made per message.
static LRESULT AnswerColours(HDC dc, COLORREF background, COLORREF text)
{
    SetTextColor(dc, text);
    SetBkColor(dc, background);
    SetDCBrushColor(dc, background);
    return reinterpret_cast<LRESULT>(GetStockObject(DC_BRUSH));
}

// The default procedure answers with the system's brush: the host gave none.
static bool HostGaveNoBrush(LRESULT hostResult, int systemBrush)
{
    return hostResult == 0 || reinterpret_cast<HBRUSH>(hostResult) == GetSysColorBrush(systemBrush);
}

static LRESULT AnswerListBoxParent(SkinnedWindow *, UINT msg, WPARAM wParam, LPARAM, LRESULT hostResult)
{
    if (msg != WM_CTLCOLORLISTBOX || !HostGaveNoBrush(hostResult, COLOR_WINDOW))
        return hostResult;
    const Face &face = *CurrentFace();
    return AnswerColours(reinterpret_cast<HDC>(wParam), face.listBackground, face.listText);
}

// A writable edit asks with WM_CTLCOLOREDIT; a read-only or disabled one
// with WM_CTLCOLORSTATIC, answered by default with the face colour brush.
LRESULT AnswerEditParent(SkinnedWindow *, UINT msg, WPARAM wParam, LPARAM, LRESULT hostResult)
{
    const Face &face = *CurrentFace();
    const HDC dc = reinterpret_cast<HDC>(wParam);
    if (msg == WM_CTLCOLOREDIT && HostGaveNoBrush(hostResult, COLOR_WINDOW))
        return AnswerColours(dc, face.listBackground, face.listText);
    if (msg == WM_CTLCOLORSTATIC && HostGaveNoBrush(hostResult, COLOR_BTNFACE))
        return AnswerColours(dc, face.readOnlyBackground, face.readOnlyText);
    return hostResult;
}

// List boxes and a combo box's list keep their own look but for their
// scroll bars.
const SkinClass ListBoxClass = {L"ListBox", nullptr, CK_LISTBOX, HandleFrameBarsMessage, nullptr, 0, nullptr, nullptr,
                                AnswerListBoxParent, PAINTS_BY_HANDLER, PAINT_OWN_SCROLL_BARS, nullptr, nullptr};
const SkinClass ComboListClass = {L"ComboLBox", nullptr, CK_LISTBOX, HandleFrameBarsMessage, nullptr, 0, nullptr,
                                  nullptr, nullptr, PAINTS_BY_HANDLER, PAINT_OWN_SCROLL_BARS, nullptr, nullptr};
static void FollowListColours(SkinnedWindow *rec)
{
    FollowFaceColours(rec, ColoursOf(rec->skinClass));
}

static void PaintListOver(SkinnedWindow *rec, HDC dc)
{
    if (rec->released)
        return;
    if (rec->skinClass == &ListViewClass)
        PaintListViewOver(rec, dc);
    else if (rec->skinClass == &TreeViewClass)
        PaintTreeViewOver(rec, dc);
}

// The control paints into BeginPaint's DC, or the caller's, and the skin's
// selection and lines go over it there.
static LRESULT PaintListThenOver(SkinnedWindow *rec, HDC callerDC, LPARAM lParam)
{
    FollowListColours(rec);
    if (callerDC != nullptr) {
        const LRESULT result = HandleFrameBarsMessage(rec, WM_PAINT, reinterpret_cast<WPARAM>(callerDC), lParam);
        PaintListOver(rec, callerDC);
        return result;
    }
    // A list view's texts have no box: a host that redraws an item without an
    // erase (a number that changes) would see the new text over the old one,
    // so a paint that came with no erase since the last one erases first.
    auto *block = static_cast<ColourBlock *>(rec->extraState);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(rec->hwnd, &paint);
    if (dc != nullptr && !block->erased && rec->skinClass == &ListViewClass && !rec->released)
        HandleFrameBarsMessage(rec, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    const LRESULT result = HandleFrameBarsMessage(rec, WM_PAINT, reinterpret_cast<WPARAM>(dc), lParam);
    if (dc != nullptr)
        PaintListOver(rec, dc);
    EndPaint(rec->hwnd, &paint);
    block->erased = false;
    return result;
}

// A list view's print erases, as its paint does, so that the items stand on
// its background.
static LRESULT PrintListThenOver(SkinnedWindow *rec, HDC dc, LPARAM flags)
{
    if (rec->skinClass == &ListViewClass)
        flags |= PRF_ERASEBKGND;
    const LRESULT result = HandleFrameBarsMessage(rec, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), flags);
    PaintListOver(rec, dc);
    return result;
}

static LRESULT SetHostColour(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = ForwardMessage(rec, msg, wParam, lParam);
    if (!rec->released && !rec->setUpPending)
        LeaveColoursToHost(rec, ColoursOf(rec->skinClass));
    return result;
}

static LRESULT HandleListColoursMessage(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_CREATE)
        return CreateThenSetUp(rec, wParam, lParam);
    if (msg == WM_PAINT)
        return PaintListThenOver(rec, reinterpret_cast<HDC>(wParam), lParam);
    if (msg == WM_PRINTCLIENT)
        return PrintListThenOver(rec, reinterpret_cast<HDC>(wParam), lParam);
    if (msg == WM_ERASEBKGND)
        static_cast<ColourBlock *>(rec->extraState)->erased = true;
    if (IsColourSetter(ColoursOf(rec->skinClass), msg))
        return SetHostColour(rec, msg, wParam, lParam);
    return HandleFrameBarsMessage(rec, msg, wParam, lParam);
}

// The month calendar's frame is the combo boxes'.
static LRESULT HandleMonthCalendarMessage(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_CREATE)
        return CreateThenSetUp(rec, wParam, lParam);
    return HandleComboBoxMessage(rec, msg, wParam, lParam);
}

// List views and tree views draw themselves in the colours set at attach,
// and in a new face's from their first paint after a switch.
const SkinClass ListViewClass = {L"SysListView32", nullptr, CK_LISTVIEW, HandleListColoursMessage, SetUpListColours,
                                 sizeof(ColourBlock), nullptr, TearDownListColours, nullptr, PAINTS_BY_HANDLER, PAINT_OWN_SCROLL_BARS,
                                 nullptr, nullptr};
const SkinClass TreeViewClass = {L"SysTreeView32", nullptr, CK_TREEVIEW, HandleListColoursMessage, SetUpListColours,
                                 sizeof(ColourBlock), nullptr, TearDownListColours, nullptr, PAINTS_BY_HANDLER, PAINT_OWN_SCROLL_BARS,
                                 nullptr, nullptr};
// Its frame is the combo boxes' (combo.cpp), its colours the lists'.
const SkinClass MonthCalendarClass = {L"SysMonthCal32", ComboRowOfStyle, CK_COMBOBOX, HandleMonthCalendarMessage,
                                      SetUpListColours, sizeof(ColourBlock), PaintComboFrame, TearDownListColours,
                                      nullptr, PAINTS_OVER, PAINT_COVERS_FRAME | PAINT_OVER_IN_BUFFER,
                                      FollowListColours, nullptr};
