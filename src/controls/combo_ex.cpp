// Extended combo boxes (ComboBoxEx32, the path bar of file managers and
// archivers): a combo box child, skinned as a combo box, whose field this
// window draws as an owner-drawn item in the system's colours, and for the
// editable kind an edit, which asks this window for its colours through the
// combo box. Those are answered in the face's where the host gives none.
#include "controls.h"

#include <commctrl.h>

// The box draws its item's image this far in, and the text this far after
// the image.
static const int ImageOffset = 6;
static const int TextGap = 4;

// Past the images, which keep their own colours; 0 without images. The
// image list's size comes from the common controls the box itself lives in.
int ExtendedTextStart(HWND extended)
{
    const auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(extended, CBEM_GETIMAGELIST, 0, 0));
    const HMODULE controls = GetModuleHandleW(L"comctl32.dll");
    using IconSizeProc = BOOL(WINAPI *)(HIMAGELIST, int *, int *);
    const auto iconSize = controls != nullptr ? reinterpret_cast<IconSizeProc>(reinterpret_cast<void *>(
                                                    GetProcAddress(controls, "ImageList_GetIconSize")))
                                              : nullptr;
    int width = 0;
    int height = 0;
    if (images == nullptr || iconSize == nullptr || !iconSize(images, &width, &height))
        return 0;
    return ImageOffset + width + TextGap;
}

// The box writes an item's text in a box of the system's window colour, one
// pixel inside the item, after its combo box has painted: the text is moved
// onto the face's colours there.
static LRESULT DrawComboBoxExItem(SkinnedWindow *rec, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = ForwardMessage(rec, WM_DRAWITEM, wParam, lParam);
    const auto *item = reinterpret_cast<const DRAWITEMSTRUCT *>(lParam);
    if (rec->released || item == nullptr || item->CtlType != ODT_COMBOBOX)
        return result;
    const int start = ExtendedTextStart(rec->hwnd);
    const RECT text = {item->rcItem.left + (start > 0 ? start : ImageOffset), item->rcItem.top + 1,
                       item->rcItem.right, item->rcItem.bottom - 1};
    RecolourField(item->hDC, text, *CurrentFace());
    return result;
}

static LRESULT HandleComboBoxExMessage(SkinnedWindow *rec, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_DRAWITEM:
        return DrawComboBoxExItem(rec, wParam, lParam);
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
        return AnswerEditParent(rec, msg, wParam, lParam, ForwardMessage(rec, msg, wParam, lParam));
    default:
        return ForwardMessage(rec, msg, wParam, lParam);
    }
}

const SkinClass ComboBoxExClass = {L"ComboBoxEx32", nullptr, CK_COMBOBOXEX, HandleComboBoxExMessage, nullptr, 0,
                                   nullptr, nullptr, nullptr, PAINTS_BY_HANDLER, 0, nullptr, nullptr};
