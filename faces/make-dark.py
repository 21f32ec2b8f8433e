#!/usr/bin/env python3
"""Makes the dark face (faces/dark/face.ini, back.bmp and progress.bmp), the
built-in face's folder (faces/built-in/face.ini and back.bmp; its
progress.bmp is drawn by hand) and docs/face-keys.md from the colour list,
src/core/face_colours.h, whose columns are the two faces' colours.

Every text colour of the dark face, and the built-in labels, are checked
against every colour they are drawn on (the tiles' pixels included) for a contrast of at least 4.5:1, and every state of a
push button, check box and scroll part against its resting look; the script
fails, writing nothing, when a pair falls short.

Usage: make-dark.py [--check | --check-generated]
  --check            only the checks, nothing written
  --check-generated  fails when a file it writes differs from what it would write
"""
import os
import re
import struct
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
HERE = os.path.join(ROOT, "faces", "dark")
BUILT_IN_HERE = os.path.join(ROOT, "faces", "built-in")
LIST = os.path.join(ROOT, "src", "core", "face_colours.h")
KEY_DOCS = os.path.join(ROOT, "docs", "face-keys.md")


def rgb(text):
    return tuple(int(text[i:i + 2], 16) for i in (1, 3, 5))


def hexa(colour):
    return "#%02X%02X%02X" % colour


def shade(colour, amount):
    return tuple(max(0, min(255, c + amount)) for c in colour)


def listed(value):
    number = int(value, 16) & 0xFFFFFF
    return (number >> 16, (number >> 8) & 0xFF, number & 0xFF)


def read_list():
    """The list's colours in order: (section, what it colours, key, built-in, dark, system)."""
    colours, section, note, block = [], "", "", []
    text = open(LIST, encoding="utf-8").read()
    # The list's own notes end at the first blank line.
    for line in text[text.index("\n\n"):].split("\n"):
        field = re.match(r"FACE_FIELD\(\w+, \w+, [^)]*\)\s*//\s*(.*)", line)
        colour = re.match(r"FACE_COLOUR\(\w+, (\w+), (0x[0-9A-Fa-f]+), (0x[0-9A-Fa-f]+), ([\w()]+)\)", line)
        if line.startswith("// "):
            block.append(line[3:])
        elif field:
            section, note, block = " ".join(block) or section, field.group(1), []
        elif colour:
            key, built_in, dark, system = colour.groups()
            colours.append((section, note, key, listed(built_in), listed(dark), system))
        else:
            block = []
    if len(colours) != text.count("\nFACE_COLOUR("):
        sys.exit("make-dark.py: a FACE_COLOUR line of the list is not of the form its notes give")
    return colours


COLOURS = read_list()
KEYS = {key: dark for _, _, key, _, dark, _ in COLOURS}
BUILT_IN_KEYS = {key: built_in for _, _, key, built_in, _, _ in COLOURS}

# The tile: the background with a faint diagonal weave.
BACKGROUND = KEYS["DialogBackground"]
WEAVE = rgb("#252A31")
TILE = [[WEAVE if (x + y) % 8 == 0 or (x - y) % 16 == 0 else BACKGROUND for x in range(32)] for y in range(32)]

# The built-in tile: the built-in background, a deep blue under the blue
# frame, with a lighter diagonal weave.
BUILT_IN_BACKGROUND = BUILT_IN_KEYS["DialogBackground"]
BUILT_IN_WEAVE = shade(BUILT_IN_BACKGROUND, 12)
BUILT_IN_TILE = [[BUILT_IN_WEAVE if (x + y) % 8 == 0 or (x - y) % 16 == 0 else BUILT_IN_BACKGROUND
                  for x in range(32)] for y in range(32)]

# The progress picture: a blue bar, lit along its top.
PROGRESS = [[shade(rgb("#3F8FD8"), 40 - 6 * y) for _ in range(64)] for y in range(14)]


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
    "LabelDisabledText": ["DialogBackground"] + TILE_PIXELS,
    "ChoiceText": ["DialogBackground"] + TILE_PIXELS,
    "ChoiceGreyText": ["DialogBackground"] + TILE_PIXELS,
    "ButtonText": keys("PushInnerFaceResting") + keys("PushInnerFacePressed") + keys("PushInnerFaceFlatFocused")
    + ["DialogBackground"] + TILE_PIXELS,
    "ButtonGreyText": keys("PushInnerFaceDisabled") + ["DialogBackground"] + TILE_PIXELS,
    "CaptionText": keys("ActiveCaption") + keys("InactiveCaption"),
    "TabText": ["TabFill"],
    "TabSelectedText": ["TabSelectedFill"],
    "ListText": ["ListBackground"],
    "ListSelectionText": ["ListSelection"],
    "ListSelectionUnfocusedText": ["ListSelectionUnfocused"],
    "BarText": ["BarBackground", "HeaderHot", "HeaderPressed", "ToolbarButtonHot", "ToolbarButtonPressed"],
    "TooltipText": ["TooltipBackground"],
    "ReadOnlyText": ["ReadOnlyBackground"],
    "MenuText": ["MenuBackground"],
    "MenuGreyText": ["MenuBackground"],
    "MenuHotText": ["MenuHotBackground"],
    "MenuBarText": ["MenuBarBackground", "MenuBarHotBackground", "MenuBarPushedBackground"],
    "MenuBarGreyText": ["MenuBarBackground"],
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
STATE_PAIRS += [("MenuHotBackground", "MenuBackground"), ("MenuBarHotBackground", "MenuBarBackground"),
                ("MenuBarPushedBackground", "MenuBarHotBackground")]
STATE_PAIRS += [("ListSelection", "ListBackground"), ("ListSelectionUnfocused", "ListBackground")]


BUILT_IN_TILE_PIXELS = sorted({p for row in BUILT_IN_TILE for p in row})
# The built-in look's texts drawn straight on the dialog's background; the
# others stand on backgrounds of their own, kept as the product's look.
BUILT_IN_TEXT_ON = {text: ["DialogBackground"] + BUILT_IN_TILE_PIXELS for text in ("LabelText", "LabelDisabledText")}


def check():
    problems = []
    for text, backgrounds in BUILT_IN_TEXT_ON.items():
        for background in backgrounds:
            colour = BUILT_IN_KEYS[background] if isinstance(background, str) else background
            ratio = contrast(BUILT_IN_KEYS[text], colour)
            if ratio < 4.5:
                problems.append("built-in %s %s on %s %s: %.2f:1, below 4.5:1" % (
                    text, hexa(BUILT_IN_KEYS[text]), background if isinstance(background, str) else "tile",
                    hexa(colour), ratio))
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


def bmp(rows):
    height, width = len(rows), len(rows[0])
    stride = (width * 3 + 3) & ~3
    pixels = b"".join(bytes(c for p in row for c in reversed(p)) + b"\0" * (stride - width * 3)
                      for row in reversed(rows))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return header + info + pixels


def face_ini():
    lines = ["; The dark face, made by faces/make-dark.py from src/core/face_colours.h.", "[colours]"]
    lines += ["%s=%s" % (key, hexa(KEYS[key])) for key in sorted(KEYS)]
    return "\r\n".join(lines + [""]).encode()


def built_in(colour, system):
    if system == "OwnColour":
        return "`%s`" % hexa(colour)
    darkened = re.match(r"Darkened\((\w+)\)", system)
    if darkened:
        return "`%s` darkened by 0x20 (`%s` as shipped)" % (darkened.group(1), hexa(colour))
    return "`%s` (`%s` as shipped)" % (system, hexa(colour))


def key_docs():
    lines = ["# The keys of face.ini", "",
             "Made by `faces/make-dark.py` from the colour list, `src/core/face_colours.h`;",
             "edit the list, not this page. Each key takes `#RRGGBB` in the `[colours]`",
             "section of `face.ini`. A key left out keeps its built-in colour; where that",
             "follows a system colour, the face takes the system's as it is at the time, and",
             "again whenever the system's colours change. Dark: the shipped dark face,",
             "`faces/dark`.", "", "%d keys." % len(COLOURS)]
    section = None
    for heading, note, key, colour, dark, system in COLOURS:
        if heading != section:
            section = heading
            title, _, more = heading.partition(". ")
            lines += ["", "## " + title.rstrip(".")] + (["", more] if more else [])
            lines += ["", "| key | built in | dark | what it colours |", "|---|---|---|---|"]
        lines.append("| `%s` | %s | `%s` | %s |" % (key, built_in(colour, system), hexa(dark), note))
    return "\n".join(lines + [""]).encode()


def built_in_face_ini():
    lines = ["; The built-in face: every key keeps its built-in colour. Made by faces/make-dark.py.", "[colours]"]
    return "\r\n".join(lines + [""]).encode()


def generated():
    return {os.path.join(HERE, "face.ini"): face_ini(), os.path.join(HERE, "back.bmp"): bmp(TILE),
            os.path.join(HERE, "progress.bmp"): bmp(PROGRESS), KEY_DOCS: key_docs(),
            os.path.join(BUILT_IN_HERE, "face.ini"): built_in_face_ini(),
            os.path.join(BUILT_IN_HERE, "back.bmp"): bmp(BUILT_IN_TILE)}


def read_bytes(path):
    try:
        with open(path, "rb") as file:
            return file.read()
    except OSError:
        return None


def main():
    if "--check-generated" in sys.argv[1:]:
        stale = [path for path, content in generated().items() if read_bytes(path) != content]
        for path in stale:
            print("make-dark.py: %s differs from the colour list; run faces/make-dark.py" %
                  os.path.relpath(path, ROOT), file=sys.stderr)
        return 1 if stale else 0
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
    os.makedirs(BUILT_IN_HERE, exist_ok=True)
    for path, content in generated().items():
        with open(path, "wb") as file:
            file.write(content)
    return 0


if __name__ == "__main__":
    sys.exit(main())
