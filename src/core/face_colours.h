// The colours of the face, one line each: every other table of them (the
// Face record, face.ini's keys, the built-in face, faces/dark/face.ini and
// docs/face-keys.md) is made from this list. Include it with FACE_FIELD and
// FACE_COLOUR defined; it undefines them.
//
// FACE_FIELD(type, field, extent)  // what it colours
//     One member of Face, in order. Its colours follow it, a table's row by
//     row and cell by cell.
// FACE_COLOUR(field, Key, built-in, dark, system)
//     Key: the colour's key in face.ini.
//     built-in, dark: 0xRRGGBB, as face.ini writes them (#RRGGBB). The top
//         byte of a built-in colour is a flag the painter reads; a face.ini
//         colour keeps it.
//     system: OwnColour, or the system colour the built-in face follows (and
//         Darkened(index): that colour 0x20 darker in each channel); its
//         built-in value is then the one the system ships.
//
// After an edit, run faces/make-dark.py: it writes faces/dark/face.ini and
// docs/face-keys.md from this list, and the tests fail until it has.

// Check boxes and radio buttons.
FACE_FIELD(COLORREF, controlBackground, )  // behind choices and push buttons, round a radio dot, in an Edit's rings
FACE_COLOUR(controlBackground, ControlBackground, 0xFFFFFF, 0x2B3038, OwnColour)
FACE_FIELD(COLORREF, checkFaces, [3][4])  // a check box's face (a radio button's when pressed or hot), by state
FACE_COLOUR(checkFaces, CheckFacePressedTopLeft, 0xB5B2A5, 0x23303F, OwnColour)
FACE_COLOUR(checkFaces, CheckFacePressedTopRight, 0xD6D7CE, 0x2A3A4F, OwnColour)
FACE_COLOUR(checkFaces, CheckFacePressedBottomLeft, 0xD6D7CE, 0x2A3A4F, OwnColour)
FACE_COLOUR(checkFaces, CheckFacePressedBottomRight, 0xF7EFDE, 0x223247, OwnColour)
FACE_COLOUR(checkFaces, CheckFaceHotTopLeft, 0xFFF3CE, 0x4A6A90, OwnColour)
FACE_COLOUR(checkFaces, CheckFaceHotTopRight, 0xFFCB63, 0x3A5A80, OwnColour)
FACE_COLOUR(checkFaces, CheckFaceHotBottomLeft, 0xFFCB63, 0x3A5A80, OwnColour)
FACE_COLOUR(checkFaces, CheckFaceHotBottomRight, 0xFFB231, 0x325278, OwnColour)
FACE_COLOUR(checkFaces, CheckFaceRestingTopLeft, 0xDEDFD6, 0x3A3F47, OwnColour)
FACE_COLOUR(checkFaces, CheckFaceRestingTopRight, 0xF7F3EF, 0x2B3038, OwnColour)
FACE_COLOUR(checkFaces, CheckFaceRestingBottomLeft, 0xF7F3EF, 0x2B3038, OwnColour)
FACE_COLOUR(checkFaces, CheckFaceRestingBottomRight, 0xFFFFFF, 0x232830, OwnColour)
FACE_FIELD(COLORREF, checkFaceDisabled, )  // a disabled check box's or radio button's face
FACE_COLOUR(checkFaceDisabled, CheckFaceDisabled, 0xFFFFFF, 0x2A2E34, OwnColour)
FACE_FIELD(COLORREF, radioDot, [4])  // a radio button's dot, four corners of a gradient
FACE_COLOUR(radioDot, RadioDotTopLeft, 0x21A221, 0x7CC4FF, OwnColour)
FACE_COLOUR(radioDot, RadioDotTopRight, 0x21A221, 0x7CC4FF, OwnColour)
FACE_COLOUR(radioDot, RadioDotBottomLeft, 0x187A18, 0x5AA9E6, OwnColour)
FACE_COLOUR(radioDot, RadioDotBottomRight, 0x187A18, 0x5AA9E6, OwnColour)
FACE_FIELD(COLORREF, indicatorFills, [6])  // a check box's inner square: indeterminate, or hot and not pressed
FACE_COLOUR(indicatorFills, IndicatorFillIndeterminateDisabled, 0xCECBBD, 0x3A3F47, OwnColour)
FACE_COLOUR(indicatorFills, IndicatorFillIndeterminatePressed, 0x188A18, 0x2F6BA8, OwnColour)
FACE_COLOUR(indicatorFills, IndicatorFillIndeterminateHot, 0x21A221, 0x5AA9E6, OwnColour)
FACE_COLOUR(indicatorFills, IndicatorFillIndeterminate, 0x73C373, 0x4A86C0, OwnColour)
FACE_COLOUR(indicatorFills, IndicatorFillHotChecked, 0xF7F7F7, 0x3A4350, OwnColour)
FACE_COLOUR(indicatorFills, IndicatorFillHot, 0xE7E7E7, 0x343B46, OwnColour)
FACE_FIELD(COLORREF, indicatorFrame, )  // an enabled check box's or radio button's frame
FACE_COLOUR(indicatorFrame, IndicatorFrame, 0x185184, 0x8FA8C8, OwnColour)
FACE_FIELD(COLORREF, checkMark, )  // the tick of a checked check box
FACE_COLOUR(checkMark, CheckMark, 0x21A221, 0x7CC4FF, OwnColour)
FACE_FIELD(COLORREF, checkMarkDisabled, )  // the tick of a disabled check box
FACE_COLOUR(checkMarkDisabled, CheckMarkDisabled, 0xCECBBD, 0x5A606A, OwnColour)
FACE_FIELD(COLORREF, choiceText, )  // captions of check boxes and radio buttons
FACE_COLOUR(choiceText, ChoiceText, 0x000000, 0xE6E6E6, COLOR_BTNTEXT)
FACE_FIELD(COLORREF, choiceGreyText, )  // captions of disabled check boxes and radio buttons
FACE_COLOUR(choiceGreyText, ChoiceGreyText, 0x6D6D6D, 0xA0A7B0, COLOR_GRAYTEXT)

// Push buttons.
FACE_FIELD(VerticalGradient, pushBackdrop, )  // the pale backdrop behind an enabled push button, top to bottom
FACE_COLOUR(pushBackdrop, PushBackdropTop, 0xDCD6C2, 0x2A2F36, OwnColour)
FACE_COLOUR(pushBackdrop, PushBackdropBottom, 0xF5F4EB, 0x23272D, OwnColour)
FACE_FIELD(COLORREF, pushShadow, )  // down the push button backdrop's left
FACE_COLOUR(pushShadow, PushShadow, 0xE2DECB, 0x1A1D22, OwnColour)
FACE_FIELD(COLORREF, pushLight, )  // along the push button backdrop's bottom
FACE_COLOUR(pushLight, PushLight, 0xF8F7F2, 0x30353D, OwnColour)
FACE_FIELD(OutlineColours, pushOutline, )  // an enabled push button's outline: the corner curve, then the line
FACE_COLOUR(pushOutline, PushOutlineCorner, 0x7A95A8, 0x5A6B80, OwnColour)
FACE_COLOUR(pushOutline, PushOutlineLine, 0x003C74, 0x6F86A3, OwnColour)
FACE_FIELD(OutlineColours, pushOutlineDisabled, )  // a disabled push button's outline
FACE_COLOUR(pushOutlineDisabled, PushOutlineDisabledCorner, 0xD8D5C7, 0x3A3F47, OwnColour)
FACE_COLOUR(pushOutlineDisabled, PushOutlineDisabledLine, 0xC9C7BA, 0x353A41, OwnColour)
FACE_FIELD(VerticalGradient, pushOuterFaces, [5])  // the band at a push button's edge, by state
FACE_COLOUR(pushOuterFaces, PushOuterFaceDisabledTop, 0xF5F4EA, 0x2E3238, OwnColour)
FACE_COLOUR(pushOuterFaces, PushOuterFaceDisabledBottom, 0xF5F4EA, 0x2E3238, OwnColour)
FACE_COLOUR(pushOuterFaces, PushOuterFacePressedTop, 0xD1CCC1, 0x22262C, OwnColour)
FACE_COLOUR(pushOuterFaces, PushOuterFacePressedBottom, 0xF2F1EE, 0x2C3138, OwnColour)
FACE_COLOUR(pushOuterFaces, PushOuterFaceHotTop, 0xFFF0CF, 0x4A6A90, OwnColour)
FACE_COLOUR(pushOuterFaces, PushOuterFaceHotBottom, 0xE59700, 0x3A5A80, OwnColour)
FACE_COLOUR(pushOuterFaces, PushOuterFaceFocusedTop, 0xEBA005, 0xD08A2A, OwnColour)
FACE_COLOUR(pushOuterFaces, PushOuterFaceFocusedBottom, 0xFBC049, 0xB07020, OwnColour)
FACE_COLOUR(pushOuterFaces, PushOuterFaceRestingTop, 0xFFFFFF, 0x4A515C, OwnColour)
FACE_COLOUR(pushOuterFaces, PushOuterFaceRestingBottom, 0xE2DFD6, 0x363B43, OwnColour)
FACE_FIELD(VerticalGradient, pushInnerFaces, [4])  // a push button's face behind its caption, by state
FACE_COLOUR(pushInnerFaces, PushInnerFaceDisabledTop, 0xF5F4EA, 0x2E3238, OwnColour)
FACE_COLOUR(pushInnerFaces, PushInnerFaceDisabledBottom, 0xF5F4EA, 0x2E3238, OwnColour)
FACE_COLOUR(pushInnerFaces, PushInnerFacePressedTop, 0xE5E4DD, 0x2A2F36, OwnColour)
FACE_COLOUR(pushInnerFaces, PushInnerFacePressedBottom, 0xE2E2DA, 0x262A30, OwnColour)
FACE_COLOUR(pushInnerFaces, PushInnerFaceFlatFocusedTop, 0xFBC049, 0x7A4A10, OwnColour)
FACE_COLOUR(pushInnerFaces, PushInnerFaceFlatFocusedBottom, 0xEBA005, 0x8A5514, OwnColour)
FACE_COLOUR(pushInnerFaces, PushInnerFaceRestingTop, 0xFCFCFB, 0x3E444D, OwnColour)
FACE_COLOUR(pushInnerFaces, PushInnerFaceRestingBottom, 0xECEBE6, 0x343940, OwnColour)
FACE_FIELD(COLORREF, buttonText, )  // captions of push buttons and group boxes
FACE_COLOUR(buttonText, ButtonText, 0x000000, 0xF0F0F0, OwnColour)
FACE_FIELD(COLORREF, buttonGreyText, )  // captions of disabled or indeterminate push buttons and group boxes
FACE_COLOUR(buttonGreyText, ButtonGreyText, 0xA5A294, 0xA0A7B0, OwnColour)

// Group boxes and labels.
FACE_FIELD(COLORREF, groupFrame, )  // group box frames
FACE_COLOUR(groupFrame, GroupFrame, 0x000000, 0x5A6B80, OwnColour)
FACE_FIELD(COLORREF, labelText, )  // labels (static text)
FACE_COLOUR(labelText, LabelText, 0x96FA3C, 0xE6E6E6, OwnColour)
FACE_FIELD(COLORREF, labelDisabledText, )  // disabled labels
FACE_COLOUR(labelDisabledText, LabelDisabledText, 0x96FA3C, 0x9EA6B0, OwnColour)

// Edits, combo boxes, up-downs, progress bars and tabs.
FACE_FIELD(COLORREF, editRing, )  // the outermost ring of an enabled Edit's border
FACE_COLOUR(editRing, EditRing, 0x963264, 0x4F6F94, OwnColour)
FACE_FIELD(COLORREF, editInactiveRing, )  // a read-only or disabled Edit's inner rings
FACE_COLOUR(editInactiveRing, EditInactiveRing, 0xFFFFFF, 0x262A31, COLOR_WINDOW)
FACE_FIELD(COLORREF, fieldFrame, )  // an enabled combo box's outer ring, an up-down's frame by its Edit
FACE_COLOUR(fieldFrame, FieldFrame, 0x7B9EBD, 0x4F6F94, OwnColour)
FACE_FIELD(COLORREF, fieldInner, )  // a combo box's inner rings, an up-down's side by its Edit
FACE_COLOUR(fieldInner, FieldInner, 0xFFFFFF, 0x1E2228, COLOR_WINDOW)
FACE_FIELD(COLORREF, fieldInnerDisabled, )  // the same, disabled
FACE_COLOUR(fieldInnerDisabled, FieldInnerDisabled, 0xF0F0F0, 0x262A31, COLOR_BTNFACE)
FACE_FIELD(COLORREF, upDownBody, )  // an up-down's body round its two halves
FACE_COLOUR(upDownBody, UpDownBody, 0xFFFFFF, 0x1E2228, COLOR_WINDOW)
FACE_FIELD(COLORREF, disabledFrame, )  // a disabled Edit's, combo box's, up-down's or choice's frame
FACE_COLOUR(disabledFrame, DisabledFrame, 0xD0D0D0, 0x3A3F47, Darkened(COLOR_BTNFACE))
FACE_FIELD(COLORREF, progressFrame, )  // progress bar frames
FACE_COLOUR(progressFrame, ProgressFrame, 0xFA0A19, 0x5AA9E6, OwnColour)
FACE_FIELD(COLORREF, progressBackground, )  // a progress bar behind its fill
FACE_COLOUR(progressBackground, ProgressBackground, 0xF0F0F0, 0x23272D, COLOR_BTNFACE)
FACE_FIELD(COLORREF, progressFill, )  // a progress bar's done part, in a face without progress.bmp
FACE_COLOUR(progressFill, ProgressFill, 0x21A221, 0x3F8FD8, OwnColour)
FACE_FIELD(TabColours, tabs, [2])  // tabs' fill and text; Selected: the selected tab
FACE_COLOUR(tabs, TabFill, 0xFF0000, 0x2E333B, OwnColour)
FACE_COLOUR(tabs, TabText, 0x00FF00, 0xE6E6E6, OwnColour)
FACE_COLOUR(tabs, TabSelectedFill, 0x64FF00, 0x2F5F92, OwnColour)
FACE_COLOUR(tabs, TabSelectedText, 0x000AFF, 0xFFFFFF, OwnColour)
FACE_FIELD(COLORREF, tabOutline, )  // the outline of tabs
FACE_COLOUR(tabOutline, TabOutline, 0x000000, 0x5A6B80, OwnColour)

// Lists. The built-in colours are the system's usual window colour and window
// text, as fixed values.
FACE_FIELD(COLORREF, listBackground, )  // behind lists, tree views, month calendars and enabled edits
FACE_COLOUR(listBackground, ListBackground, 0xFFFFFF, 0x1E2228, OwnColour)
FACE_FIELD(COLORREF, listText, )  // their text
FACE_COLOUR(listText, ListText, 0x000000, 0xE6E6E6, OwnColour)

// Selections, grid and tree lines, and tab pages. Where one of these still
// follows the system, the control's own drawing of that part stays: the
// built-in look keeps it, and only a face that names the colour changes it.
FACE_FIELD(COLORREF, listSelection, )  // the selected items of a focused list or tree view, a focused combo field
FACE_COLOUR(listSelection, ListSelection, 0x0078D7, 0x2F5F92, COLOR_HIGHLIGHT)
FACE_FIELD(COLORREF, listSelectionText, )  // their text
FACE_COLOUR(listSelectionText, ListSelectionText, 0xFFFFFF, 0xFFFFFF, COLOR_HIGHLIGHTTEXT)
FACE_FIELD(COLORREF, listSelectionUnfocused, )  // the selected items of one without the focus that shows them
FACE_COLOUR(listSelectionUnfocused, ListSelectionUnfocused, 0xF0F0F0, 0x3A4350, COLOR_BTNFACE)
FACE_FIELD(COLORREF, listSelectionUnfocusedText, )  // their text
FACE_COLOUR(listSelectionUnfocusedText, ListSelectionUnfocusedText, 0x000000, 0xE6E6E6, COLOR_BTNTEXT)
FACE_FIELD(COLORREF, listGridLine, )  // a report list view's grid lines
FACE_COLOUR(listGridLine, ListGridLine, 0xF0F0F0, 0x3A3F47, COLOR_BTNFACE)
FACE_FIELD(COLORREF, listEdge, )  // the sunken client edge of lists, trees and other windows with scroll bars of their own; a toolbar's divider
FACE_COLOUR(listEdge, ListEdge, 0xA0A0A0, 0x4A505A, COLOR_BTNSHADOW)
FACE_FIELD(COLORREF, treeLine, )  // a tree view's lines and the frames of its buttons
FACE_COLOUR(treeLine, TreeLine, 0x6D6D6D, 0x6A7480, COLOR_GRAYTEXT)
FACE_FIELD(COLORREF, tabPage, )  // a tab control's page, and the strip beside its tabs
FACE_COLOUR(tabPage, TabPage, 0xF0F0F0, 0x1E2228, COLOR_BTNFACE)
FACE_FIELD(COLORREF, tabPageBorder, )  // the border round a tab control's page
FACE_COLOUR(tabPageBorder, TabPageBorder, 0xA0A0A0, 0x4A525E, COLOR_BTNSHADOW)

// Dialogs.
FACE_FIELD(COLORREF, dialogFrame, )  // frame strips, the caption band's base, DlgInit's brush
FACE_COLOUR(dialogFrame, DialogFrame, 0x0B35FF, 0x2F5F92, OwnColour)
FACE_FIELD(COLORREF, dialogBackground, )  // behind a dialog without back.bmp
FACE_COLOUR(dialogBackground, DialogBackground, 0x22305A, 0x1E2228, OwnColour)
FACE_FIELD(COLORREF, activeCaption, [4])  // an active dialog's caption band
FACE_COLOUR(activeCaption, ActiveCaptionTopLeft, 0x0B90FF, 0x2B4F78, OwnColour)
FACE_COLOUR(activeCaption, ActiveCaptionTopRight, 0x0B90FF, 0x2B4F78, OwnColour)
FACE_COLOUR(activeCaption, ActiveCaptionBottomLeft, 0xADCBF7, 0x355F8F, OwnColour)
FACE_COLOUR(activeCaption, ActiveCaptionBottomRight, 0x0B35FF, 0x24456B, OwnColour)
FACE_FIELD(COLORREF, inactiveCaption, [4])  // an inactive dialog's caption band
FACE_COLOUR(inactiveCaption, InactiveCaptionTopLeft, 0xFFFFFF, 0x3A3F47, OwnColour)
FACE_COLOUR(inactiveCaption, InactiveCaptionTopRight, 0xFFFFFF, 0x3A3F47, OwnColour)
FACE_COLOUR(inactiveCaption, InactiveCaptionBottomLeft, 0x0B90FF, 0x2A2E35, OwnColour)
FACE_COLOUR(inactiveCaption, InactiveCaptionBottomRight, 0x0B90FF, 0x2A2E35, OwnColour)
FACE_FIELD(COLORREF, captionText, )  // dialog caption text
FACE_COLOUR(captionText, CaptionText, 0x000000, 0xFFFFFF, OwnColour)
FACE_FIELD(COLORREF, captionButtons, [5][4])  // caption buttons by state; Unoffered: left out by the style
FACE_COLOUR(captionButtons, CaptionButtonPressedTopLeft, 0xD1CCC1, 0x22262C, OwnColour)
FACE_COLOUR(captionButtons, CaptionButtonPressedTopRight, 0xD1CCC1, 0x22262C, OwnColour)
FACE_COLOUR(captionButtons, CaptionButtonPressedBottomLeft, 0xF2F1EE, 0x2C3138, OwnColour)
FACE_COLOUR(captionButtons, CaptionButtonPressedBottomRight, 0xFFF2F1EE, 0x2C3138, OwnColour)
FACE_COLOUR(captionButtons, CaptionButtonUnchosenTopLeft, 0xFFF0CF, 0x4A6A90, OwnColour)
FACE_COLOUR(captionButtons, CaptionButtonUnchosenTopRight, 0xFFF0CF, 0x4A6A90, OwnColour)
FACE_COLOUR(captionButtons, CaptionButtonUnchosenBottomLeft, 0xE59700, 0x3A5A80, OwnColour)
FACE_COLOUR(captionButtons, CaptionButtonUnchosenBottomRight, 0xFFE59700, 0x3A5A80, OwnColour)
FACE_COLOUR(captionButtons, CaptionButtonNormalTopLeft, 0xD6CBBD, 0x4A515C, OwnColour)
FACE_COLOUR(captionButtons, CaptionButtonNormalTopRight, 0xD6CFC6, 0x4A515C, OwnColour)
FACE_COLOUR(captionButtons, CaptionButtonNormalBottomLeft, 0xF7F3EF, 0x363B43, OwnColour)
FACE_COLOUR(captionButtons, CaptionButtonNormalBottomRight, 0xFFF7F3EF, 0x363B43, OwnColour)
FACE_COLOUR(captionButtons, CaptionButtonHotTopLeft, 0xCEE7FF, 0x5A7BA3, OwnColour)
FACE_COLOUR(captionButtons, CaptionButtonHotTopRight, 0xCEE7FF, 0x5A7BA3, OwnColour)
FACE_COLOUR(captionButtons, CaptionButtonHotBottomLeft, 0x6982EE, 0x3F6690, OwnColour)
FACE_COLOUR(captionButtons, CaptionButtonHotBottomRight, 0xFF6982EE, 0x3F6690, OwnColour)
FACE_COLOUR(captionButtons, CaptionButtonUnofferedTopLeft, 0xFFFFFF, 0x30343B, OwnColour)
FACE_COLOUR(captionButtons, CaptionButtonUnofferedTopRight, 0xFFFFFF, 0x30343B, OwnColour)
FACE_COLOUR(captionButtons, CaptionButtonUnofferedBottomLeft, 0xE2DFD6, 0x2A2E35, OwnColour)
FACE_COLOUR(captionButtons, CaptionButtonUnofferedBottomRight, 0xFFE2DFD6, 0x2A2E35, OwnColour)
FACE_FIELD(COLORREF, captionGlyph, )  // the glyphs and outlines of the caption buttons
FACE_COLOUR(captionGlyph, CaptionGlyph, 0xFFFFFF, 0xE6E6E6, OwnColour)

// Scroll bars, up-downs and the combo box's drop button. Rows by state
// (ColourSetIndex), four corners each.
FACE_FIELD(COLORREF, scrollOuter, [4][4])  // the body of an arrow, thumb, up-down half or drop button
FACE_COLOUR(scrollOuter, ScrollOuterDisabledTopLeft, 0xF7F3EF, 0x2E3136, OwnColour)
FACE_COLOUR(scrollOuter, ScrollOuterDisabledTopRight, 0xE7E7DE, 0x24272C, OwnColour)
FACE_COLOUR(scrollOuter, ScrollOuterDisabledBottomLeft, 0xE7E3DE, 0x1E2126, OwnColour)
FACE_COLOUR(scrollOuter, ScrollOuterDisabledBottomRight, 0xE7E3DE, 0x24272C, OwnColour)
FACE_COLOUR(scrollOuter, ScrollOuterPressedTopLeft, 0xA5AEDE, 0x3975B2, OwnColour)
FACE_COLOUR(scrollOuter, ScrollOuterPressedTopRight, 0xBDCBF7, 0x2F6BA8, OwnColour)
FACE_COLOUR(scrollOuter, ScrollOuterPressedBottomLeft, 0x7382DE, 0x2965A2, OwnColour)
FACE_COLOUR(scrollOuter, ScrollOuterPressedBottomRight, 0xB5C7F7, 0x2F6BA8, OwnColour)
FACE_COLOUR(scrollOuter, ScrollOuterHotTopLeft, 0xB5C7EF, 0x545F6D, OwnColour)
FACE_COLOUR(scrollOuter, ScrollOuterHotTopRight, 0x94AEE7, 0x4A5563, OwnColour)
FACE_COLOUR(scrollOuter, ScrollOuterHotBottomLeft, 0x84A2DE, 0x444F5D, OwnColour)
FACE_COLOUR(scrollOuter, ScrollOuterHotBottomRight, 0x8CA6DE, 0x4A5563, OwnColour)
FACE_COLOUR(scrollOuter, ScrollOuterNormalTopLeft, 0xD6E3FF, 0x444951, OwnColour)
FACE_COLOUR(scrollOuter, ScrollOuterNormalTopRight, 0xBDCBF7, 0x3A3F47, OwnColour)
FACE_COLOUR(scrollOuter, ScrollOuterNormalBottomLeft, 0xADC3F7, 0x343941, OwnColour)
FACE_COLOUR(scrollOuter, ScrollOuterNormalBottomRight, 0xB5C7F7, 0x3A3F47, OwnColour)
FACE_FIELD(COLORREF, scrollCorners, [4][4])  // the four corner pixels of that body, by state
FACE_COLOUR(scrollCorners, ScrollCornersDisabledTopLeft, 0xF7F7F7, 0x36393E, OwnColour)
FACE_COLOUR(scrollCorners, ScrollCornersDisabledTopRight, 0xF7F3EF, 0x36393E, OwnColour)
FACE_COLOUR(scrollCorners, ScrollCornersDisabledBottomLeft, 0xF7F3EF, 0x36393E, OwnColour)
FACE_COLOUR(scrollCorners, ScrollCornersDisabledBottomRight, 0xF7F3EF, 0x36393E, OwnColour)
FACE_COLOUR(scrollCorners, ScrollCornersPressedTopLeft, 0xBDC3DE, 0x417DBA, OwnColour)
FACE_COLOUR(scrollCorners, ScrollCornersPressedTopRight, 0xADB6DE, 0x417DBA, OwnColour)
FACE_COLOUR(scrollCorners, ScrollCornersPressedBottomLeft, 0xDEE3FF, 0x417DBA, OwnColour)
FACE_COLOUR(scrollCorners, ScrollCornersPressedBottomRight, 0xDEE3F7, 0x417DBA, OwnColour)
FACE_COLOUR(scrollCorners, ScrollCornersHotTopLeft, 0xCEDBEF, 0x5C6775, OwnColour)
FACE_COLOUR(scrollCorners, ScrollCornersHotTopRight, 0xC6CFEF, 0x5C6775, OwnColour)
FACE_COLOUR(scrollCorners, ScrollCornersHotBottomLeft, 0xC6CFE7, 0x5C6775, OwnColour)
FACE_COLOUR(scrollCorners, ScrollCornersHotBottomRight, 0xBDCBE7, 0x5C6775, OwnColour)
FACE_COLOUR(scrollCorners, ScrollCornersNormalTopLeft, 0xE7EFFF, 0x4C5159, OwnColour)
FACE_COLOUR(scrollCorners, ScrollCornersNormalTopRight, 0xDEE7FF, 0x4C5159, OwnColour)
FACE_COLOUR(scrollCorners, ScrollCornersNormalBottomLeft, 0xDEE3FF, 0x4C5159, OwnColour)
FACE_COLOUR(scrollCorners, ScrollCornersNormalBottomRight, 0xDEE3F7, 0x4C5159, OwnColour)
FACE_FIELD(COLORREF, scrollInner, [4][4])  // the face inside the body's rim, by state
FACE_COLOUR(scrollInner, ScrollInnerDisabledTopLeft, 0xF7F7F7, 0x3C3F44, OwnColour)
FACE_COLOUR(scrollInner, ScrollInnerDisabledTopRight, 0xEFEFE7, 0x303338, OwnColour)
FACE_COLOUR(scrollInner, ScrollInnerDisabledBottomLeft, 0xEFEBE7, 0x2C2F34, OwnColour)
FACE_COLOUR(scrollInner, ScrollInnerDisabledBottomRight, 0xE7E7DE, 0x202328, OwnColour)
FACE_COLOUR(scrollInner, ScrollInnerPressedTopLeft, 0x6B8EF7, 0x4783C0, OwnColour)
FACE_COLOUR(scrollInner, ScrollInnerPressedTopRight, 0x8496F7, 0x3B77B4, OwnColour)
FACE_COLOUR(scrollInner, ScrollInnerPressedBottomLeft, 0x8C9EEF, 0x3773B0, OwnColour)
FACE_COLOUR(scrollInner, ScrollInnerPressedBottomRight, 0xD6DFEF, 0x2B67A4, OwnColour)
FACE_COLOUR(scrollInner, ScrollInnerHotTopLeft, 0xFFFFFF, 0x626D7B, OwnColour)
FACE_COLOUR(scrollInner, ScrollInnerHotTopRight, 0xCEE3FF, 0x56616F, OwnColour)
FACE_COLOUR(scrollInner, ScrollInnerHotBottomLeft, 0xC6DFFF, 0x525D6B, OwnColour)
FACE_COLOUR(scrollInner, ScrollInnerHotBottomRight, 0xBDDBFF, 0x46515F, OwnColour)
FACE_COLOUR(scrollInner, ScrollInnerNormalTopLeft, 0xE7EBFF, 0x52575F, OwnColour)
FACE_COLOUR(scrollInner, ScrollInnerNormalTopRight, 0xBDCFFF, 0x464B53, OwnColour)
FACE_COLOUR(scrollInner, ScrollInnerNormalBottomLeft, 0xB5CBFF, 0x42474F, OwnColour)
FACE_COLOUR(scrollInner, ScrollInnerNormalBottomRight, 0xADCBF7, 0x363B43, OwnColour)
FACE_FIELD(COLORREF, verticalTrack, [4][4])  // a vertical channel, shaded left to right
FACE_COLOUR(verticalTrack, VerticalTrackDisabledTopLeft, 0xF7F3EF, 0x1C1F24, OwnColour)
FACE_COLOUR(verticalTrack, VerticalTrackDisabledTopRight, 0xE7E7DE, 0x16191E, OwnColour)
FACE_COLOUR(verticalTrack, VerticalTrackDisabledBottomLeft, 0xF7F3EF, 0x1C1F24, OwnColour)
FACE_COLOUR(verticalTrack, VerticalTrackDisabledBottomRight, 0xE7E3DE, 0x16191E, OwnColour)
FACE_COLOUR(verticalTrack, VerticalTrackPressedTopLeft, 0xA5AEDE, 0x2763A0, OwnColour)
FACE_COLOUR(verticalTrack, VerticalTrackPressedTopRight, 0xBDCBF7, 0x215D9A, OwnColour)
FACE_COLOUR(verticalTrack, VerticalTrackPressedBottomLeft, 0xA5AEDE, 0x2763A0, OwnColour)
FACE_COLOUR(verticalTrack, VerticalTrackPressedBottomRight, 0xB5C7F7, 0x215D9A, OwnColour)
FACE_COLOUR(verticalTrack, VerticalTrackHotTopLeft, 0xB5C7EF, 0x424D5B, OwnColour)
FACE_COLOUR(verticalTrack, VerticalTrackHotTopRight, 0x94AEE7, 0x3C4755, OwnColour)
FACE_COLOUR(verticalTrack, VerticalTrackHotBottomLeft, 0xB5C7EF, 0x424D5B, OwnColour)
FACE_COLOUR(verticalTrack, VerticalTrackHotBottomRight, 0x8CA6DE, 0x3C4755, OwnColour)
FACE_COLOUR(verticalTrack, VerticalTrackNormalTopLeft, 0xD6E3FF, 0x32373F, OwnColour)
FACE_COLOUR(verticalTrack, VerticalTrackNormalTopRight, 0xBDCBF7, 0x2C3139, OwnColour)
FACE_COLOUR(verticalTrack, VerticalTrackNormalBottomLeft, 0xD6E3FF, 0x32373F, OwnColour)
FACE_COLOUR(verticalTrack, VerticalTrackNormalBottomRight, 0xB5C7F7, 0x2C3139, OwnColour)
FACE_FIELD(COLORREF, horizontalTrack, [4][4])  // a horizontal channel, shaded top to bottom
FACE_COLOUR(horizontalTrack, HorizontalTrackDisabledTopLeft, 0xE7E7DE, 0x1C1F24, OwnColour)
FACE_COLOUR(horizontalTrack, HorizontalTrackDisabledTopRight, 0xE7E7DE, 0x1C1F24, OwnColour)
FACE_COLOUR(horizontalTrack, HorizontalTrackDisabledBottomLeft, 0xE7E3DE, 0x16191E, OwnColour)
FACE_COLOUR(horizontalTrack, HorizontalTrackDisabledBottomRight, 0xE7E3DE, 0x16191E, OwnColour)
FACE_COLOUR(horizontalTrack, HorizontalTrackPressedTopLeft, 0xBDCBF7, 0x2763A0, OwnColour)
FACE_COLOUR(horizontalTrack, HorizontalTrackPressedTopRight, 0xBDCBF7, 0x2763A0, OwnColour)
FACE_COLOUR(horizontalTrack, HorizontalTrackPressedBottomLeft, 0x7382DE, 0x215D9A, OwnColour)
FACE_COLOUR(horizontalTrack, HorizontalTrackPressedBottomRight, 0xB5C7F7, 0x215D9A, OwnColour)
FACE_COLOUR(horizontalTrack, HorizontalTrackHotTopLeft, 0xB5C7EF, 0x424D5B, OwnColour)
FACE_COLOUR(horizontalTrack, HorizontalTrackHotTopRight, 0xB5C7EF, 0x424D5B, OwnColour)
FACE_COLOUR(horizontalTrack, HorizontalTrackHotBottomLeft, 0x94AEE7, 0x3C4755, OwnColour)
FACE_COLOUR(horizontalTrack, HorizontalTrackHotBottomRight, 0x8CA6DE, 0x3C4755, OwnColour)
FACE_COLOUR(horizontalTrack, HorizontalTrackNormalTopLeft, 0xBDCBF7, 0x32373F, OwnColour)
FACE_COLOUR(horizontalTrack, HorizontalTrackNormalTopRight, 0xBDCBF7, 0x32373F, OwnColour)
FACE_COLOUR(horizontalTrack, HorizontalTrackNormalBottomLeft, 0xADC3F7, 0x2C3139, OwnColour)
FACE_COLOUR(horizontalTrack, HorizontalTrackNormalBottomRight, 0xB5C7F7, 0x2C3139, OwnColour)
FACE_FIELD(COLORREF, scrollShadow, )  // the bevel of a framed scroll part
FACE_COLOUR(scrollShadow, ScrollShadow, 0x9CB6D6, 0x1A1D22, OwnColour)
FACE_FIELD(COLORREF, scrollShadowDisabled, )  // the bevel of a disabled one
FACE_COLOUR(scrollShadowDisabled, ScrollShadowDisabled, 0xCECFBD, 0x2A2E34, OwnColour)
FACE_FIELD(COLORREF, scrollRim, )  // the rim round a framed scroll part
FACE_COLOUR(scrollRim, ScrollRim, 0xFFFFFF, 0x59616C, OwnColour)
FACE_FIELD(COLORREF, scrollGlyph, )  // chevrons and triangles of scroll parts
FACE_COLOUR(scrollGlyph, ScrollGlyph, 0x4A6184, 0xD0D6DE, OwnColour)
FACE_FIELD(COLORREF, scrollGlyphDisabled, )  // those of disabled parts
FACE_COLOUR(scrollGlyphDisabled, ScrollGlyphDisabled, 0xCECBC6, 0x5A606A, OwnColour)
FACE_FIELD(COLORREF, gripperLight, )  // the light dots of a thumb's gripper
FACE_COLOUR(gripperLight, GripperLight, 0xEFF7FF, 0x6A7480, OwnColour)
FACE_FIELD(COLORREF, gripperDark, )  // the dark dots of a thumb's gripper
FACE_COLOUR(gripperDark, GripperDark, 0x8CB2FF, 0x1A1D22, OwnColour)

// Trackbars, status bars, headers, tooltips, toolbars and edits. The built-in
// colours are close to the system's own look of these controls; trackbar
// thumbs and channels take the scroll colours.
FACE_FIELD(COLORREF, trackbarTick, )  // trackbar ticks
FACE_COLOUR(trackbarTick, TrackbarTick, 0x000000, 0xA0A7B0, OwnColour)
FACE_FIELD(COLORREF, trackbarChannelRim, )  // a rim round a trackbar's channel; none while it follows the system
FACE_COLOUR(trackbarChannelRim, TrackbarChannelRim, 0xA0A0A0, 0x6A7480, COLOR_BTNSHADOW)
FACE_FIELD(COLORREF, trackbarSelection, )  // the selection range along a trackbar's channel
FACE_COLOUR(trackbarSelection, TrackbarSelection, 0x0078D7, 0x5AA9E6, OwnColour)
FACE_FIELD(COLORREF, barBackground, )  // status bars, header items at rest, toolbars, rebar bands
FACE_COLOUR(barBackground, BarBackground, 0xF0F0F0, 0x262A31, OwnColour)
FACE_FIELD(COLORREF, barText, )  // their text
FACE_COLOUR(barText, BarText, 0x000000, 0xE6E6E6, OwnColour)
FACE_FIELD(COLORREF, barDivider, )  // between status bar parts and header items
FACE_COLOUR(barDivider, BarDivider, 0xA0A0A0, 0x4A525E, OwnColour)
FACE_FIELD(COLORREF, statusGrip, )  // the dots of a status bar's size grip
FACE_COLOUR(statusGrip, StatusGrip, 0xA0A0A0, 0x6A7480, OwnColour)
FACE_FIELD(COLORREF, headerHot, )  // a header item under the pointer
FACE_COLOUR(headerHot, HeaderHot, 0xD8E8F7, 0x33404F, OwnColour)
FACE_FIELD(COLORREF, headerPressed, )  // a pressed header item
FACE_COLOUR(headerPressed, HeaderPressed, 0xBCD2E5, 0x2F5F92, OwnColour)
FACE_FIELD(COLORREF, headerSortArrow, )  // a header's sort arrow
FACE_COLOUR(headerSortArrow, HeaderSortArrow, 0x707070, 0xA0A7B0, OwnColour)
FACE_FIELD(COLORREF, toolbarButtonHot, )  // a toolbar button under the pointer
FACE_COLOUR(toolbarButtonHot, ToolbarButtonHot, 0xD8E8F7, 0x33404F, OwnColour)
FACE_FIELD(COLORREF, toolbarButtonPressed, )  // a pressed or checked toolbar button
FACE_COLOUR(toolbarButtonPressed, ToolbarButtonPressed, 0xBCD2E5, 0x2F5F92, OwnColour)
FACE_FIELD(COLORREF, tooltipBackground, )  // tooltips' background
FACE_COLOUR(tooltipBackground, TooltipBackground, 0xFFFFE1, 0x30353D, OwnColour)
FACE_FIELD(COLORREF, tooltipText, )  // tooltips' text
FACE_COLOUR(tooltipText, TooltipText, 0x000000, 0xF0F0F0, OwnColour)
FACE_FIELD(COLORREF, tooltipBorder, )  // tooltips' border
FACE_COLOUR(tooltipBorder, TooltipBorder, 0x646464, 0x5A6B80, OwnColour)
FACE_FIELD(COLORREF, readOnlyBackground, )  // behind read-only and disabled edits
FACE_COLOUR(readOnlyBackground, ReadOnlyBackground, 0xF0F0F0, 0x262A31, OwnColour)
FACE_FIELD(COLORREF, readOnlyText, )  // their text
FACE_COLOUR(readOnlyText, ReadOnlyText, 0x000000, 0xC8CDD4, OwnColour)

FACE_FIELD(COLORREF, menuBackground, )  // popup menus' background
FACE_COLOUR(menuBackground, MenuBackground, 0xFAFAFA, 0x2B3038, OwnColour)
FACE_FIELD(COLORREF, menuText, )  // their items' text
FACE_COLOUR(menuText, MenuText, 0x000000, 0xE6E6E6, OwnColour)
FACE_FIELD(COLORREF, menuGreyText, )  // disabled items' text
FACE_COLOUR(menuGreyText, MenuGreyText, 0x6D6D6D, 0xA0A7B0, OwnColour)
FACE_FIELD(COLORREF, menuHotBackground, )  // the selected item
FACE_COLOUR(menuHotBackground, MenuHotBackground, 0xD8E8F7, 0x2F5F92, OwnColour)
FACE_FIELD(COLORREF, menuHotText, )  // its text
FACE_COLOUR(menuHotText, MenuHotText, 0x000000, 0xFFFFFF, OwnColour)
FACE_FIELD(COLORREF, menuSeparator, )  // separators and column lines
FACE_COLOUR(menuSeparator, MenuSeparator, 0xC8C8C8, 0x4A525E, OwnColour)
FACE_FIELD(COLORREF, menuFrame, )  // a popup menu's frame
FACE_COLOUR(menuFrame, MenuFrame, 0xA0A0A0, 0x5A6B80, OwnColour)
FACE_FIELD(COLORREF, menuBarBackground, )  // a window's menu bar strip
FACE_COLOUR(menuBarBackground, MenuBarBackground, 0xF0F0F0, 0x262A31, OwnColour)
FACE_FIELD(COLORREF, menuBarText, )  // its items' text, at rest, hot and pushed
FACE_COLOUR(menuBarText, MenuBarText, 0x000000, 0xE6E6E6, OwnColour)
FACE_FIELD(COLORREF, menuBarGreyText, )  // its disabled items' text
FACE_COLOUR(menuBarGreyText, MenuBarGreyText, 0x6D6D6D, 0xA0A7B0, OwnColour)
FACE_FIELD(COLORREF, menuBarHotBackground, )  // the item under the pointer, or chosen by keys
FACE_COLOUR(menuBarHotBackground, MenuBarHotBackground, 0xD8E8F7, 0x3A4656, OwnColour)
FACE_FIELD(COLORREF, menuBarPushedBackground, )  // the item whose drop-down is open
FACE_COLOUR(menuBarPushedBackground, MenuBarPushedBackground, 0xBCD2E5, 0x2F5F92, OwnColour)

#undef FACE_FIELD
#undef FACE_COLOUR
