#!/usr/bin/env python3
"""Makes the dark face: faces/dark/face.ini, back.bmp and progress.bmp.

Every text colour is checked against every colour it is drawn on (the tile's
pixels included) for a contrast of at least 4.5:1, and every state of a
push button, check box and scroll part against its resting look; the script
fails, writing nothing, when a pair falls short.

Usage: make-dark.py [--check]   (--check: only the checks, nothing written)
"""
import os
import struct
import sys

HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "dark")
CORNERS = ["TopLeft", "TopRight", "BottomLeft", "BottomRight"]
STATES = ["Disabled", "Pressed", "Hot", "Normal"]


def rgb(text):
    return tuple(int(text[i:i + 2], 16) for i in (1, 3, 5))


def hexa(colour):
    return "#%02X%02X%02X" % colour


def shade(colour, amount):
    return tuple(max(0, min(255, c + amount)) for c in colour)


# The tile: the background with a faint diagonal weave.
BACKGROUND = rgb("#1E2228")
WEAVE = rgb("#252A31")
TILE = [[WEAVE if (x + y) % 8 == 0 or (x - y) % 16 == 0 else BACKGROUND for x in range(32)] for y in range(32)]

# The progress picture: a blue bar, lit along its top.
PROGRESS = [[shade(rgb("#3F8FD8"), 40 - 6 * y) for _ in range(64)] for y in range(14)]

# Scroll parts by state: the body, a lighter corner, the face inside the rim
# lit from the top-left, and the channel darker than all.
SCROLL_BASE = {"Disabled": rgb("#24272C"), "Pressed": rgb("#2F6BA8"), "Hot": rgb("#4A5563"), "Normal": rgb("#3A3F47")}

KEYS = {
    "ControlBackground": rgb("#2B3038"),
    "IndicatorFrame": rgb("#8FA8C8"),
    "CheckMark": rgb("#7CC4FF"),
    "CheckMarkDisabled": rgb("#5A606A"),
    "ChoiceText": rgb("#E6E6E6"),
    "ChoiceGreyText": rgb("#A0A7B0"),
    "PushBackdropTop": rgb("#2A2F36"),
    "PushBackdropBottom": rgb("#23272D"),
    "PushShadow": rgb("#1A1D22"),
    "PushLight": rgb("#30353D"),
    "PushOutlineCorner": rgb("#5A6B80"),
    "PushOutlineLine": rgb("#6F86A3"),
    "PushOutlineDisabledCorner": rgb("#3A3F47"),
    "PushOutlineDisabledLine": rgb("#353A41"),
    "ButtonText": rgb("#F0F0F0"),
    "ButtonGreyText": rgb("#A0A7B0"),
    "GroupFrame": rgb("#5A6B80"),
    "LabelText": rgb("#E6E6E6"),
    "EditRing": rgb("#4F6F94"),
    "FieldFrame": rgb("#4F6F94"),
    "DisabledFrame": rgb("#3A3F47"),
    "ProgressFrame": rgb("#5AA9E6"),
    "ProgressBackground": rgb("#23272D"),
    "TabFill": rgb("#2E333B"),
    "TabText": rgb("#E6E6E6"),
    "TabSelectedFill": rgb("#2F5F92"),
    "TabSelectedText": rgb("#FFFFFF"),
    "TabOutline": rgb("#5A6B80"),
    "ListBackground": rgb("#1E2228"),
    "ListText": rgb("#E6E6E6"),
    "DialogFrame": rgb("#2F5F92"),
    "DialogBackground": BACKGROUND,
    "CaptionText": rgb("#FFFFFF"),
    "CaptionGlyph": rgb("#E6E6E6"),
    "ScrollShadow": rgb("#1A1D22"),
    "ScrollShadowDisabled": rgb("#2A2E34"),
    "ScrollGlyph": rgb("#D0D6DE"),
    "ScrollGlyphDisabled": rgb("#5A606A"),
    "GripperLight": rgb("#6A7480"),
    "GripperDark": rgb("#1A1D22"),
    "TrackbarTick": rgb("#A0A7B0"),
    "TrackbarSelection": rgb("#5AA9E6"),
    "BarBackground": rgb("#262A31"),
    "BarText": rgb("#E6E6E6"),
    "BarDivider": rgb("#4A525E"),
    "HeaderHot": rgb("#33404F"),
    "HeaderPressed": rgb("#2F5F92"),
    "HeaderSortArrow": rgb("#A0A7B0"),
    "ToolbarButtonHot": rgb("#33404F"),
    "ToolbarButtonPressed": rgb("#2F5F92"),
    "TooltipBackground": rgb("#30353D"),
    "TooltipText": rgb("#F0F0F0"),
    "TooltipBorder": rgb("#5A6B80"),
    "ReadOnlyBackground": rgb("#262A31"),
    "ReadOnlyText": rgb("#C8CDD4"),
    "MenuBackground": rgb("#2B3038"),
    "MenuText": rgb("#E6E6E6"),
    "MenuGreyText": rgb("#A0A7B0"),
    "MenuHotBackground": rgb("#2F5F92"),
    "MenuHotText": rgb("#FFFFFF"),
    "MenuSeparator": rgb("#4A525E"),
    "MenuFrame": rgb("#5A6B80"),
}


def gradient(name, top, bottom):
    KEYS.update({name + "Top": top, name + "Bottom": bottom})


def corners(name, top_left, top_right, bottom_left, bottom_right):
    KEYS.update(zip((name + c for c in CORNERS), (top_left, top_right, bottom_left, bottom_right)))


for row, (light, deep) in {"Pressed": ("#23303F", "#2A3A4F"), "Hot": ("#4A6A90", "#3A5A80"),
                           "Resting": ("#3A3F47", "#2B3038")}.items():
    corners("CheckFace" + row, rgb(light), rgb(deep), rgb(deep), shade(rgb(deep), -8))
corners("RadioDot", rgb("#7CC4FF"), rgb("#7CC4FF"), rgb("#5AA9E6"), rgb("#5AA9E6"))
for row, colour in {"IndeterminateDisabled": "#3A3F47", "IndeterminatePressed": "#2F6BA8",
                    "IndeterminateHot": "#5AA9E6", "Indeterminate": "#4A86C0", "HotChecked": "#3A4350",
                    "Hot": "#343B46"}.items():
    KEYS["IndicatorFill" + row] = rgb(colour)
for row, (top, bottom) in {"Disabled": ("#2E3238", "#2E3238"), "Pressed": ("#22262C", "#2C3138"),
                           "Hot": ("#4A6A90", "#3A5A80"), "Focused": ("#D08A2A", "#B07020"),
                           "Resting": ("#4A515C", "#363B43")}.items():
    gradient("PushOuterFace" + row, rgb(top), rgb(bottom))
for row, (top, bottom) in {"Disabled": ("#2E3238", "#2E3238"), "Pressed": ("#2A2F36", "#262A30"),
                           "FlatFocused": ("#7A4A10", "#8A5514"), "Resting": ("#3E444D", "#343940")}.items():
    gradient("PushInnerFace" + row, rgb(top), rgb(bottom))
corners("ActiveCaption", rgb("#2B4F78"), rgb("#2B4F78"), rgb("#355F8F"), rgb("#24456B"))
corners("InactiveCaption", rgb("#3A3F47"), rgb("#3A3F47"), rgb("#2A2E35"), rgb("#2A2E35"))
for row, (top, bottom) in {"Pressed": ("#22262C", "#2C3138"), "Unchosen": ("#4A6A90", "#3A5A80"),
                           "Normal": ("#4A515C", "#363B43"), "Hot": ("#5A7BA3", "#3F6690"),
                           "Unoffered": ("#30343B", "#2A2E35")}.items():
    corners("CaptionButton" + row, rgb(top), rgb(top), rgb(bottom), rgb(bottom))
for state, base in SCROLL_BASE.items():
    corners("ScrollOuter" + state, shade(base, 10), base, shade(base, -6), base)
    corners("ScrollCorners" + state, *(shade(base, 18),) * 4)
    corners("ScrollInner" + state, shade(base, 24), shade(base, 12), shade(base, 8), shade(base, -4))
    track = shade(base, -14)
    corners("VerticalTrack" + state, shade(track, 6), track, shade(track, 6), track)
    corners("HorizontalTrack" + state, shade(track, 6), shade(track, 6), track, track)


def luminance(colour):
    def linear(channel):
        c = channel / 255
        return c / 12.92 if c <= 0.03928 else ((c + 0.055) / 1.055) ** 2.4
    r, g, b = (linear(c) for c in colour)
    return 0.2126 * r + 0.7152 * g + 0.0722 * b


def contrast(a, b):
    high, low = sorted((luminance(a), luminance(b)), reverse=True)
    return (high + 0.05) / (low + 0.05)


def keys(prefix):
    return [k for k in KEYS if k.startswith(prefix)]


TILE_PIXELS = sorted({p for row in TILE for p in row})
# Each text with every colour it is drawn on.
TEXT_ON = {
    "LabelText": ["DialogBackground"] + TILE_PIXELS,
    "ChoiceText": ["DialogBackground"] + TILE_PIXELS,
    "ChoiceGreyText": ["DialogBackground"] + TILE_PIXELS,
    "ButtonText": keys("PushInnerFaceResting") + keys("PushInnerFacePressed") + keys("PushInnerFaceFlatFocused")
    + ["DialogBackground"] + TILE_PIXELS,
    "ButtonGreyText": keys("PushInnerFaceDisabled") + ["DialogBackground"] + TILE_PIXELS,
    "CaptionText": keys("ActiveCaption") + keys("InactiveCaption"),
    "TabText": ["TabFill"],
    "TabSelectedText": ["TabSelectedFill"],
    "ListText": ["ListBackground"],
    "BarText": ["BarBackground", "HeaderHot", "HeaderPressed", "ToolbarButtonHot", "ToolbarButtonPressed"],
    "TooltipText": ["TooltipBackground"],
    "ReadOnlyText": ["ReadOnlyBackground"],
    "MenuText": ["MenuBackground"],
    "MenuGreyText": ["MenuBackground"],
    "MenuHotText": ["MenuHotBackground"],
}
# Each state against the resting look it must stand out from.
STATE_PAIRS = [("PushOuterFace" + s + "Top", "PushOuterFaceRestingTop") for s in ("Disabled", "Pressed", "Hot",
                                                                                 "Focused")]
STATE_PAIRS += [("CheckFace" + s + "TopLeft", "CheckFaceRestingTopLeft") for s in ("Pressed", "Hot")]
STATE_PAIRS += [("ScrollOuter" + s + "TopLeft", "ScrollOuterNormalTopLeft") for s in ("Disabled", "Pressed", "Hot")]
STATE_PAIRS += [("HeaderHot", "BarBackground"), ("HeaderPressed", "BarBackground"),
                ("ToolbarButtonHot", "BarBackground"), ("ToolbarButtonPressed", "BarBackground")]
STATE_PAIRS += [("ButtonGreyText", "ButtonText"), ("ChoiceGreyText", "ChoiceText"),
                ("InactiveCaptionBottomLeft", "ActiveCaptionBottomLeft")]
STATE_PAIRS += [("MenuHotBackground", "MenuBackground")]


def check():
    problems = []
    for text, backgrounds in TEXT_ON.items():
        for background in backgrounds:
            colour = KEYS[background] if isinstance(background, str) else background
            ratio = contrast(KEYS[text], colour)
            if ratio < 4.5:
                problems.append("%s %s on %s %s: %.2f:1, below 4.5:1" % (
                    text, hexa(KEYS[text]), background if isinstance(background, str) else "tile",
                    hexa(colour), ratio))
    for state, resting in STATE_PAIRS:
        distance = max(abs(a - b) for a, b in zip(KEYS[state], KEYS[resting]))
        if distance < 20:
            problems.append("%s is hardly told from %s (a channel apart by %d)" % (state, resting, distance))
    return problems


def write_bmp(path, rows):
    height, width = len(rows), len(rows[0])
    stride = (width * 3 + 3) & ~3
    pixels = b"".join(bytes(c for p in row for c in reversed(p)) + b"\0" * (stride - width * 3)
                      for row in reversed(rows))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    with open(path, "wb") as out:
        out.write(header + info + pixels)


def main():
    problems = check()
    for problem in problems:
        print("make-dark.py: " + problem, file=sys.stderr)
    if problems:
        return 1
    print("make-dark.py: %d text pairs at 4.5:1 or more, lowest %.2f:1" % (
        sum(len(v) for v in TEXT_ON.values()),
        min(contrast(KEYS[t], KEYS[b] if isinstance(b, str) else b) for t, v in TEXT_ON.items() for b in v)))
    if "--check" in sys.argv[1:]:
        return 0
    os.makedirs(HERE, exist_ok=True)
    with open(os.path.join(HERE, "face.ini"), "w", newline="\r\n") as ini:
        ini.write("; The dark face, made by faces/make-dark.py.\n[colours]\n")
        for key in sorted(KEYS):
            ini.write("%s=%s\n" % (key, hexa(KEYS[key])))
    write_bmp(os.path.join(HERE, "back.bmp"), TILE)
    write_bmp(os.path.join(HERE, "progress.bmp"), PROGRESS)
    return 0


if __name__ == "__main__":
    sys.exit(main())
