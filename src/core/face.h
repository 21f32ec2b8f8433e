// The face: every colour of the look in one record, which every painter reads
// through CurrentFace(), so that a face can be changed without touching a
// painter. Colours the look takes from the system (GetSysColor,
// DarkenedSysColor, the system brushes) are not part of it.
#ifndef VELK_CORE_FACE_H
#define VELK_CORE_FACE_H

#include <windows.h>

#include <type_traits>

// Gradients of four corners are in FillGradient4's order: top-left,
// top-right, bottom-left, bottom-right.

struct VerticalGradient {
    COLORREF top;
    COLORREF bottom;
};

// A push button's doubled outline: the tight corner curve, then the outline
// over it.
struct OutlineColours {
    COLORREF corner;
    COLORREF outline;
};

struct TabColours {
    COLORREF fill;
    COLORREF text;
};

// The rows of a check box's or radio button's face.
enum CheckFaceRow { FACE_PRESSED, FACE_HOT, FACE_RESTING };

// The rows of the indicator's inner square fill. The check box painter
// says which states choose each row.
enum IndicatorFillRow {
    FILL_INDETERMINATE_DISABLED,
    FILL_INDETERMINATE_PRESSED,
    FILL_INDETERMINATE_HOT,
    FILL_INDETERMINATE,
    FILL_HOT_CHECKED,
    FILL_HOT,
};

enum OuterFaceRow { OUTER_DISABLED, OUTER_PRESSED, OUTER_HOT, OUTER_FOCUSED, OUTER_RESTING };

enum InnerFaceRow { INNER_DISABLED, INNER_PRESSED, INNER_FLAT_FOCUSED, INNER_RESTING };

// The colour groups of the caption buttons.
enum CaptionButtonGroup {
    GROUP_PRESSED,
    GROUP_UNCHOSEN,
    GROUP_NORMAL,
    GROUP_HOT,
    GROUP_UNOFFERED,
};

// Colour sets of the scroll parts, chosen from the flags word.
enum ColourSetIndex { SET_DISABLED = 0, SET_PRESSED = 1, SET_HOT = 2, SET_NORMAL = 3 };

// A face's pictures, decoded when the face is loaded and never changed after.
// A pattern brush and plain pixels can both be drawn from by several
// threads' paints at once, where a bitmap can be selected into one DC only.
struct FacePictures {
    HBRUSH backgroundTile;        // back.bmp, tiled behind dialogs; null without one
    int progressWidth;
    int progressHeight;
    const DWORD *progressPixels;  // progress.bmp, 32 bits each, top row first; null without one
};

// Colours that CLR_INVALID leaves to the system, so that the built-in face
// follows the system's colours there as the plain controls do.
inline COLORREF FaceOrSystem(COLORREF colour, COLORREF system)
{
    return colour != CLR_INVALID ? colour : system;
}

// Every field after pictures is a COLORREF with a key in face.ini
// (face_file.cpp).
struct Face {
    FacePictures pictures;

    // Behind check boxes, radio buttons and push buttons, the rings that
    // part a radio button's dot and circle from its face, and the inner
    // rings of an enabled Edit.
    COLORREF controlBackground;

    // Check boxes and radio buttons.
    COLORREF checkFaces[3][4];       // by CheckFaceRow
    COLORREF radioDot[4];            // lighter green at the top
    COLORREF indicatorFills[6];      // by IndicatorFillRow
    COLORREF indicatorFrame;         // enabled; a disabled one darkens the system face colour
    COLORREF checkMark;
    COLORREF checkMarkDisabled;
    COLORREF choiceText;             // captions of check boxes and radio buttons; CLR_INVALID: COLOR_BTNTEXT
    COLORREF choiceGreyText;         // and of disabled ones; CLR_INVALID: COLOR_GRAYTEXT

    // Push buttons.
    VerticalGradient pushBackdrop;   // the pale backdrop behind an enabled button
    COLORREF pushShadow;             // down the backdrop's left
    COLORREF pushLight;              // along the backdrop's bottom
    OutlineColours pushOutline;
    OutlineColours pushOutlineDisabled;
    VerticalGradient pushOuterFaces[5];  // by OuterFaceRow
    VerticalGradient pushInnerFaces[4];  // by InnerFaceRow
    // Captions of push buttons and group boxes, and of those disabled or
    // indeterminate.
    COLORREF buttonText;
    COLORREF buttonGreyText;

    // Group boxes and labels.
    COLORREF groupFrame;
    COLORREF labelText;

    // Edits, combo boxes, up-downs, progress bars and tabs.
    COLORREF editRing;               // over the outermost ring of an enabled Edit's border
    COLORREF fieldFrame;             // an enabled combo box's outer ring, an up-down's frame against its Edit
    // The outer ring of a disabled edit, combo box or up-down, and a disabled
    // indicator's frame; CLR_INVALID: the system's button face darkened.
    COLORREF disabledFrame;
    COLORREF progressFrame;
    COLORREF progressBackground;     // behind the fill; CLR_INVALID: COLOR_BTNFACE
    TabColours tabs[2];              // by whether the tab is the selected one
    COLORREF tabOutline;

    // Lists: the system's window colour and window text, as RGB values.
    COLORREF listBackground;
    COLORREF listText;

    // Dialogs.
    COLORREF dialogFrame;            // frame strips, the caption band's base, DlgInit's brush
    // Behind a dialog without a back.bmp. CLR_INVALID stands for the
    // system's button face, read at each paint, so that the built-in face
    // follows the system as a plain dialog does.
    COLORREF dialogBackground;
    COLORREF activeCaption[4];
    COLORREF inactiveCaption[4];
    COLORREF captionText;
    COLORREF captionButtons[5][4];   // by CaptionButtonGroup
    COLORREF captionGlyph;           // the glyphs and outlines of the caption buttons

    // Scroll bars, up-downs and the combo box's drop button, by
    // ColourSetIndex.
    COLORREF scrollOuter[4][4];      // the body of a button or thumb
    COLORREF scrollCorners[4][4];    // the body's four corner pixels
    COLORREF scrollInner[4][4];      // the face inside the body's rim
    COLORREF verticalTrack[4][4];
    COLORREF horizontalTrack[4][4];
    COLORREF scrollShadow;           // the framed part's bevel
    COLORREF scrollShadowDisabled;
    COLORREF scrollGlyph;            // chevrons and triangles
    COLORREF scrollGlyphDisabled;
    COLORREF gripperLight;           // in every state
    COLORREF gripperDark;

    // Trackbars, status bars, headers, tooltips, toolbars and the client
    // colours of edits. Trackbar thumbs and channels take the scroll colours.
    COLORREF trackbarTick;
    COLORREF trackbarSelection;      // the selection range along the channel
    COLORREF barBackground;          // status bars, header items at rest, toolbars, rebar bands
    COLORREF barText;                // status bar parts, header items, toolbar buttons, rebar bands
    COLORREF barDivider;             // between status bar parts and header items
    COLORREF headerHot;
    COLORREF headerPressed;
    COLORREF headerSortArrow;
    COLORREF toolbarButtonHot;
    COLORREF toolbarButtonPressed;   // pressed or checked
    COLORREF tooltipBackground;
    COLORREF tooltipText;
    COLORREF tooltipBorder;
    COLORREF readOnlyBackground;     // read-only and disabled edits
    COLORREF readOnlyText;

    // Popup menus.
    COLORREF menuBackground;
    COLORREF menuText;
    COLORREF menuGreyText;           // disabled items
    COLORREF menuHotBackground;      // the selected item
    COLORREF menuHotText;
    COLORREF menuSeparator;          // separators and column lines
    COLORREF menuFrame;
};

// A table indexed by a row enum has a row for each of its values.
static_assert(std::extent<decltype(Face::checkFaces)>::value == FACE_RESTING + 1,
              "a check face row for each CheckFaceRow");
static_assert(std::extent<decltype(Face::indicatorFills)>::value == FILL_HOT + 1,
              "an indicator fill for each IndicatorFillRow");
static_assert(std::extent<decltype(Face::pushOuterFaces)>::value == OUTER_RESTING + 1,
              "an outer face for each OuterFaceRow");
static_assert(std::extent<decltype(Face::pushInnerFaces)>::value == INNER_RESTING + 1,
              "an inner face for each InnerFaceRow");
static_assert(std::extent<decltype(Face::captionButtons)>::value == GROUP_UNOFFERED + 1,
              "a caption button group for each CaptionButtonGroup");
static_assert(std::extent<decltype(Face::scrollOuter)>::value == SET_NORMAL + 1 &&
                  std::extent<decltype(Face::scrollCorners)>::value == SET_NORMAL + 1 &&
                  std::extent<decltype(Face::scrollInner)>::value == SET_NORMAL + 1 &&
                  std::extent<decltype(Face::verticalTrack)>::value == SET_NORMAL + 1 &&
                  std::extent<decltype(Face::horizontalTrack)>::value == SET_NORMAL + 1,
              "a scroll colour row for each ColourSetIndex");

// The look the library ships with.
extern const Face BuiltInFace;

// The face painters draw with: null until the first paint loads the face
// found at start-up, then whatever face was put in its place last.
extern const Face *volatile currentFace;

// Loads the start-up face, once: face.ini, back.bmp and progress.bmp, each
// where FindFaceFile finds it; the built-in face when none is found. Returns
// the current face.
const Face *StartupFace();

inline const Face *CurrentFace()
{
    const Face *face = currentFace;
    return face != nullptr ? face : StartupFace();
}

// Makes the face in folder (its face.ini, back.bmp and progress.bmp) the
// current one and repaints every skinned window; a null folder puts back the
// start-up face. False, leaving the current face, when the folder or its
// face.ini does not exist.
bool SwitchFace(const wchar_t *folder);

// Fills face from the given files (null or empty: none), every colour that
// face.ini leaves out or gets wrong kept from BuiltInFace, one debugger line
// per problem. FreeFacePictures gives back what its pictures hold.
void LoadFace(Face *face, const wchar_t *iniPath, const wchar_t *backPath, const wchar_t *progressPath);
void FreeFacePictures(Face *face);

// Every face loaded, the current one and those it replaced, is kept until
// the library unloads, since a paint on another thread may still be reading
// one; this frees them then.
void FreeLoadedFaces();

// The name of the index-th key of face.ini and the colour it sets in a Face,
// as a byte offset; false past the last key.
bool DescribeFaceKey(int index, wchar_t *name, size_t capacity, size_t *offset);

#endif
