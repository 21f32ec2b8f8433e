// The built-in face and face.ini's keys, both made from the colour list, and
// the colours the built-in face takes from the system.
#include "face.h"

#include <climits>

// Where each colour of the list lies: its field's offset and size.
struct ListedPlace {
    size_t field;
    size_t size;
};

constexpr ListedPlace ListedPlaces[] = {
#define FACE_FIELD(type, field, extent)
#define FACE_COLOUR(field, key, builtIn, dark, system) {offsetof(Face, field), sizeof Face::field},
#include "face_colours.h"
};

static const size_t FirstColour = offsetof(Face, followsSystem) + sizeof(FaceColourSet);

// The list's colours fill Face from followsSystem to its end, each in its
// field: the built-in face below is given in the list's order.
constexpr bool ListFillsFaceInOrder()
{
    for (int i = 0; i < FaceColourCount; ++i) {
        const size_t at = FirstColour + i * sizeof(COLORREF);
        if (at < ListedPlaces[i].field || at >= ListedPlaces[i].field + ListedPlaces[i].size)
            return false;
    }
    // Only the record's own padding may follow the last colour.
    const size_t end = FirstColour + FaceColourCount * sizeof(COLORREF);
    return end <= sizeof(Face) && sizeof(Face) - end < alignof(Face);
}
static_assert(ListFillsFaceInOrder(), "face_colours.h lists every colour of Face once, in the order of Face");

static const wchar_t *const FaceKeys[] = {
#define FACE_FIELD(type, field, extent)
#define FACE_COLOUR(field, key, builtIn, dark, system) L"" #key,
#include "face_colours.h"
};

constexpr int SystemColours[] = {
#define FACE_FIELD(type, field, extent)
#define FACE_COLOUR(field, key, builtIn, dark, system) system,
#include "face_colours.h"
};

constexpr FaceColourSet SystemFollowers()
{
    FaceColourSet set = {};
    for (int i = 0; i < FaceColourCount; ++i) {
        if (SystemColours[i] != OwnColour)
            set.words[i / 32] |= DWORD{1} << (i % 32);
    }
    return set;
}

Face BuiltInFace = {
    {nullptr, 0, 0, nullptr},  // pictures: none
    SystemFollowers(),
#define FACE_FIELD(type, field, extent)
#define FACE_COLOUR(field, key, builtIn, dark, system) ListedColour(builtIn),
#include "face_colours.h"
};

bool DescribeFaceKey(int index, wchar_t *name, size_t capacity, size_t *offset)
{
    if (index < 0 || index >= FaceColourCount || capacity == 0)
        return false;
    lstrcpynW(name, FaceKeys[index], capacity < INT_MAX ? static_cast<int>(capacity) : INT_MAX);
    *offset = FirstColour + index * sizeof(COLORREF);
    return true;
}

int FaceSystemColour(int index)
{
    return SystemColours[index];
}

COLORREF DarkenedSysColor(int index)
{
    const COLORREF colour = GetSysColor(index);
    const BYTE red = GetRValue(colour) >= 0x20 ? GetRValue(colour) - 0x20 : 0;
    const BYTE green = GetGValue(colour) >= 0x20 ? GetGValue(colour) - 0x20 : 0;
    const BYTE blue = GetBValue(colour) >= 0x20 ? GetBValue(colour) - 0x20 : 0;
    return RGB(red, green, blue);
}

bool FollowsSystem(const Face &face, const COLORREF &colour)
{
    const auto *first = reinterpret_cast<const COLORREF *>(reinterpret_cast<const BYTE *>(&face) + FirstColour);
    const ptrdiff_t index = &colour - first;
    return index >= 0 && index < FaceColourCount &&
           (face.followsSystem.words[index / 32] & (DWORD{1} << (index % 32))) != 0;
}

// A paint on another thread may read a colour as it changes: each is one
// aligned word, so it sees the old colour or the new one.
void FollowSystem(Face *face)
{
    for (int i = 0; i < FaceColourCount; ++i) {
        if ((face->followsSystem.words[i / 32] & (DWORD{1} << (i % 32))) == 0)
            continue;
        const int system = SystemColours[i];
        auto *colour = reinterpret_cast<COLORREF *>(reinterpret_cast<BYTE *>(face) + FirstColour) + i;
        *colour = (system & DarkenedSystemColour) ? DarkenedSysColor(system & ~DarkenedSystemColour)
                                                  : GetSysColor(system);
    }
}
