// The face: every colour of the look in one record, which every painter reads
// through CurrentFace(), so that a face can be changed without touching a
// painter. Its colours are the list in face_colours.h; those the built-in
// face takes from the system are read into it here, never by a painter.
#ifndef VELK_CORE_FACE_H
#define VELK_CORE_FACE_H

#include <windows.h>

#include <cstddef>
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

// The system column of the colour list (face_colours.h).
constexpr int OwnColour = -1;
constexpr int DarkenedSystemColour = 0x100;
constexpr int Darkened(int index)
{
    return index | DarkenedSystemColour;
}

// A colour of the list, 0xRRGGBB with the flag byte on top, as a COLORREF.
constexpr COLORREF ListedColour(DWORD rrggbb)
{
    return (rrggbb & 0xFF000000) | RGB((rrggbb >> 16) & 0xFF, (rrggbb >> 8) & 0xFF, rrggbb & 0xFF);
}

constexpr int FaceColourCount = 0
#define FACE_FIELD(type, field, extent)
#define FACE_COLOUR(field, key, builtIn, dark, system) +1
#include "face_colours.h"
    ;

// A bit for each colour of the list, by its place in it.
struct FaceColourSet {
    DWORD words[(FaceColourCount + 31) / 32];
};

// Every field after followsSystem is a colour of the list, in its order;
// table rows follow their enums above.
struct Face {
    FacePictures pictures;
    // The colours that take the system's as it now has them: the built-in
    // face's that follow one, less those face.ini names.
    FaceColourSet followsSystem;
#define FACE_FIELD(type, field, extent) type field extent;
#define FACE_COLOUR(field, key, builtIn, dark, system)
#include "face_colours.h"
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

// The look the library ships with: the list's built-in colours, those that
// follow the system as it now has them.
extern Face BuiltInFace;

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
// start-up face. A face with a dark face (a "dark" folder inside it with a
// face.ini) shows that instead while apps use the dark theme. False, leaving
// the current face, when the folder or its face.ini does not exist.
bool SwitchFace(const wchar_t *folder);

// Reads the system's app mode again and, when it changed and the face has a
// dark face, switches to the one it asks for and repaints every skinned
// window, as SwitchFace does.
void FollowAppMode();

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

// The system colour the index-th colour of the list follows, or OwnColour.
int FaceSystemColour(int index);

// Whether a colour of face (one of its fields) still follows the system:
// painters leave the part it colours as the control draws it.
bool FollowsSystem(const Face &face, const COLORREF &colour);

// Gives the colours of face that follow the system the system's values.
void FollowSystem(Face *face);

// The same for the built-in face and every face loaded: at load and whenever
// a skinned window hears that the system's colours or settings changed.
void FollowSystemColours();

// The system colour 0x20 darker in each channel, stopping at black.
COLORREF DarkenedSysColor(int index);

#endif
