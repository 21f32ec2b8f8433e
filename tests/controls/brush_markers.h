// The rings the library paints in the system's window and button face colours
// given marker colours in the face, so that they can be told from the
// controls' own white and grey; and its COLOR_WINDOW and COLOR_BTNFACE system
// brushes swapped through its import table, to see that it deletes none.
#ifndef VELK_TESTS_CONTROLS_BRUSH_MARKERS_H
#define VELK_TESTS_CONTROLS_BRUSH_MARKERS_H

#include <windows.h>

#include "core/face.h"
#include "support/records.h"
#include "support/import_patch.h"

const COLORREF WindowBrushMarker = 0x00345678;
const COLORREF FaceBrushMarker = 0x00563412;

struct BrushMarkers {
    static inline HBRUSH window;
    static inline HBRUSH face;
    static inline decltype(&GetSysColorBrush) realGetSysColorBrush;

    static HBRUSH WINAPI Marked(int index)
    {
        if (index == COLOR_WINDOW)
            return window;
        if (index == COLOR_BTNFACE)
            return face;
        return realGetSysColorBrush(index);
    }

    ScopedImportPatch patch{LibraryModule(), "user32.dll", "GetSysColorBrush", reinterpret_cast<void *>(Marked)};
    const Face *previousFace = CurrentFace();
    Face marked = *previousFace;

    BrushMarkers()
    {
        realGetSysColorBrush = reinterpret_cast<decltype(&GetSysColorBrush)>(patch.original);
        window = CreateSolidBrush(WindowBrushMarker);
        face = CreateSolidBrush(FaceBrushMarker);
        marked.fieldInner = marked.editInactiveRing = WindowBrushMarker;
        marked.fieldInnerDisabled = FaceBrushMarker;
        currentFace = &marked;
    }
    ~BrushMarkers()
    {
        currentFace = previousFace;
        DeleteObject(window);
        DeleteObject(face);
    }
    BrushMarkers(const BrushMarkers &) = delete;
    BrushMarkers &operator=(const BrushMarkers &) = delete;

    bool Installed() const { return patch.original != nullptr; }
    // A system brush must outlive every paint: the library never deletes one.
    bool Intact() const { return GetObjectType(window) == OBJ_BRUSH && GetObjectType(face) == OBJ_BRUSH; }
};

// For the frame kinds: the markers in place for the whole test, and every
// system brush still alive at its end.
class MarkedBrushesTest : public InDialogTest {
protected:
    BrushMarkers markers;

    void SetUp() override
    {
        ASSERT_TRUE(markers.Installed()) << "the library does not import GetSysColorBrush";
        InDialogTest::SetUp();
    }

    void TearDown() override
    {
        InDialogTest::TearDown();
        EXPECT_TRUE(markers.Intact()) << "the library deleted a system brush";
    }
};

// The disabled outer ring of Edits and combo boxes: the face colour 0x20
// darker in each channel.
inline COLORREF DarkenedFaceColour()
{
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    return RGB(GetRValue(face) - 0x20, GetGValue(face) - 0x20, GetBValue(face) - 0x20);
}

#endif
