// The built-in face: the colours of the look as the library ships it.
#include "face.h"

const Face BuiltInFace = {
    {nullptr, 0, 0, nullptr},  // pictures: none

    0x00FFFFFF,  // controlBackground

    // checkFaces: equal middle corners make each a diagonal gradient.
    {
        {0x00A5B2B5, 0x00CED7D6, 0x00CED7D6, 0x00DEEFF7},  // pressed
        {0x00CEF3FF, 0x0063CBFF, 0x0063CBFF, 0x0031B2FF},  // hot
        {0x00D6DFDE, 0x00EFF3F7, 0x00EFF3F7, 0x00FFFFFF},  // resting, check boxes only
    },
    {0x0021A221, 0x0021A221, 0x00187A18, 0x00187A18},  // radioDot
    // indicatorFills
    {
        0x00BDCBCE,  // indeterminate and disabled
        0x00188A18,  // indeterminate and pressed
        0x0021A221,  // indeterminate and hot
        0x0073C373,  // indeterminate
        0x00F7F7F7,  // hot and not pressed, checked
        0x00E7E7E7,  // hot and not pressed
    },
    0x00845118,  // indicatorFrame
    0x0021A221,  // checkMark
    0x00BDCBCE,  // checkMarkDisabled
    CLR_INVALID,  // choiceText: the system's button text
    CLR_INVALID,  // choiceGreyText: the system's grey text

    {0x00C2D6DC, 0x00EBF4F5},  // pushBackdrop
    0x00CBDEE2,                // pushShadow
    0x00F2F7F8,                // pushLight
    {0x00A8957A, 0x00743C00},  // pushOutline
    {0x00C7D5D8, 0x00BAC7C9},  // pushOutlineDisabled
    // pushOuterFaces
    {
        {0x00EAF4F5, 0x00EAF4F5},  // disabled
        {0x00C1CCD1, 0x00EEF1F2},  // pressed
        {0x00CFF0FF, 0x000097E5},  // hot
        {0x0005A0EB, 0x0049C0FB},  // focused or default
        {0x00FFFFFF, 0x00D6DFE2},  // resting
    },
    // pushInnerFaces
    {
        {0x00EAF4F5, 0x00EAF4F5},  // disabled
        {0x00DDE4E5, 0x00DAE2E2},  // pressed
        {0x0049C0FB, 0x0005A0EB},  // focused or default, with BS_FLAT
        {0x00FBFCFC, 0x00E6EBEC},  // anything else, the hot state included
    },
    0x00000000,  // buttonText
    0x0094A2A5,  // buttonGreyText

    0x00000000,  // groupFrame
    0x003CFA96,  // labelText

    0x00643296,  // editRing
    0x00BD9E7B,  // fieldFrame
    CLR_INVALID,  // disabledFrame: the system's button face darkened
    0x00190AFA,  // progressFrame
    CLR_INVALID,  // progressBackground: the system's button face
    // tabs
    {
        {0x000000FF, 0x0000FF00},  // every other tab: red with green text
        {0x0000FF64, 0x00FF0A00},  // the selected tab: lime with blue text
    },
    0x00000000,  // tabOutline

    0x00FFFFFF,  // listBackground
    0x00000000,  // listText

    0x00FF350B,   // dialogFrame
    CLR_INVALID,  // dialogBackground: the system's button face
    // activeCaption
    {
        0x00FF900B, 0x00FF900B,  // one top edge
        0x00F7CBAD, 0x00FF350B,  // light on the left to deep on the right
    },
    // inactiveCaption
    {
        0x00FFFFFF, 0x00FFFFFF,  // white at the top
        0x00FF900B, 0x00FF900B,  // one bottom edge
    },
    0x00000000,  // captionText
    // captionButtons: the bottom-right corner carries 0xFF in its top byte,
    // so no pair is equal and every fill is drawn as two triangles; on
    // screen it is still a vertical gradient from the top pair to the
    // bottom pair.
    {
        {0x00C1CCD1, 0x00C1CCD1, 0x00EEF1F2, 0xFFEEF1F2},  // pressed
        {0x00CFF0FF, 0x00CFF0FF, 0x000097E5, 0xFF0097E5},  // chosen by no state
        {0x00BDCBD6, 0x00C6CFD6, 0x00EFF3F7, 0xFFEFF3F7},  // normal
        {0x00FFE7CE, 0x00FFE7CE, 0x00EE8269, 0xFFEE8269},  // hot
        {0x00FFFFFF, 0x00FFFFFF, 0x00D6DFE2, 0xFFD6DFE2},  // not offered by the style
    },
    0x00FFFFFF,  // captionGlyph

    // scrollOuter
    {
        {0x00EFF3F7, 0x00DEE7E7, 0x00DEE3E7, 0x00DEE3E7},  // disabled
        {0x00DEAEA5, 0x00F7CBBD, 0x00DE8273, 0x00F7C7B5},  // pressed
        {0x00EFC7B5, 0x00E7AE94, 0x00DEA284, 0x00DEA68C},  // hot
        {0x00FFE3D6, 0x00F7CBBD, 0x00F7C3AD, 0x00F7C7B5},  // normal
    },
    // scrollCorners
    {
        {0x00F7F7F7, 0x00EFF3F7, 0x00EFF3F7, 0x00EFF3F7},  // disabled
        {0x00DEC3BD, 0x00DEB6AD, 0x00FFE3DE, 0x00F7E3DE},  // pressed
        {0x00EFDBCE, 0x00EFCFC6, 0x00E7CFC6, 0x00E7CBBD},  // hot
        {0x00FFEFE7, 0x00FFE7DE, 0x00FFE3DE, 0x00F7E3DE},  // normal
    },
    // scrollInner
    {
        {0x00F7F7F7, 0x00E7EFEF, 0x00E7EBEF, 0x00DEE7E7},  // disabled
        {0x00F78E6B, 0x00F79684, 0x00EF9E8C, 0x00EFDFD6},  // pressed
        {0x00FFFFFF, 0x00FFE3CE, 0x00FFDFC6, 0x00FFDBBD},  // hot
        {0x00FFEBE7, 0x00FFCFBD, 0x00FFCBB5, 0x00F7CBAD},  // normal
    },
    // verticalTrack: shaded across, left to right.
    {
        {0x00EFF3F7, 0x00DEE7E7, 0x00EFF3F7, 0x00DEE3E7},  // disabled
        {0x00DEAEA5, 0x00F7CBBD, 0x00DEAEA5, 0x00F7C7B5},  // pressed
        {0x00EFC7B5, 0x00E7AE94, 0x00EFC7B5, 0x00DEA68C},  // hot
        {0x00FFE3D6, 0x00F7CBBD, 0x00FFE3D6, 0x00F7C7B5},  // normal
    },
    // horizontalTrack: shaded top to bottom.
    {
        {0x00DEE7E7, 0x00DEE7E7, 0x00DEE3E7, 0x00DEE3E7},  // disabled
        {0x00F7CBBD, 0x00F7CBBD, 0x00DE8273, 0x00F7C7B5},  // pressed
        {0x00EFC7B5, 0x00EFC7B5, 0x00E7AE94, 0x00DEA68C},  // hot
        {0x00F7CBBD, 0x00F7CBBD, 0x00F7C3AD, 0x00F7C7B5},  // normal
    },
    0x00D6B69C,  // scrollShadow
    0x00BDCFCE,  // scrollShadowDisabled
    0x0084614A,  // scrollGlyph
    0x00C6CBCE,  // scrollGlyphDisabled
    0x00FFF7EF,  // gripperLight
    0x00FFB28C,  // gripperDark

    // Trackbars, status bars, headers, tooltips, toolbars and edits: close
    // to the system's own look of these controls.
    0x00000000,  // trackbarTick
    0x00D77800,  // trackbarSelection
    0x00F0F0F0,  // barBackground
    0x00000000,  // barText
    0x00A0A0A0,  // barDivider
    0x00F7E8D8,  // headerHot
    0x00E5D2BC,  // headerPressed
    0x00707070,  // headerSortArrow
    0x00F7E8D8,  // toolbarButtonHot
    0x00E5D2BC,  // toolbarButtonPressed
    0x00E1FFFF,  // tooltipBackground
    0x00000000,  // tooltipText
    0x00646464,  // tooltipBorder
    0x00F0F0F0,  // readOnlyBackground
    0x00000000,  // readOnlyText

    // Popup menus: light, as the system's.
    0x00FAFAFA,  // menuBackground
    0x00000000,  // menuText
    0x006D6D6D,  // menuGreyText
    0x00F7E8D8,  // menuHotBackground
    0x00000000,  // menuHotText
    0x00C8C8C8,  // menuSeparator
    0x00A0A0A0,  // menuFrame
};
