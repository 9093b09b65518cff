#!/usr/bin/env python3
"""Draws the window icon, a hamburger on a transparent surround, as a 32 x 32 XPM.

Usage: make_icon.py [SIZE] > hamburger.xpm   (SIZE defaults to 32; larger sizes render the same
design scaled up, for desktop icon themes).
"""
import math
import sys

BASE = 32
COLOURS = {
    " ": None,                 # transparent
    "o": (70, 35, 10),         # outline
    "b": (214, 142, 52),       # bun
    "h": (240, 186, 96),       # bun highlight
    "s": (252, 244, 210),      # sesame
    "c": (250, 204, 30),       # cheese
    "l": (70, 178, 40),        # lettuce
    "t": (222, 44, 32),        # tomato
    "p": (110, 56, 24),        # patty
    "d": (80, 38, 14),         # patty grill mark
}


def pixel(x, y):
    """Colour key of the point (x, y) in the 32 x 32 design; fractional coordinates allowed."""
    cx = 16.0
    # Top bun: the upper half of an ellipse from y = 4 to y = 14.
    if 4 <= y < 14.5:
        ry, rx = 10.0, 14.5
        dy = (14.5 - y) / ry
        half = rx * math.sqrt(max(0.0, 1 - dy * dy))
        if abs(x - cx) <= half:
            if abs(x - cx) > half - 1.0 or y < 5:
                return "o"
            for sx, sy in ((10, 8), (15, 6.5), (20, 8), (12.5, 11), (18, 10.5), (23, 11), (8, 11.5)):
                if abs(x - sx) <= 1.0 and abs(y - sy) <= 0.5:
                    return "s"
            if (x - 11) ** 2 / 9 + (y - 7.5) ** 2 / 2 <= 1:
                return "h"
            return "b"
    # Cheese, with a drip on each side.
    if 14.5 <= y < 16.5 and 2 <= x < 30:
        return "c"
    if 16.5 <= y < 18.5 and (6 <= x < 9 or 22 <= x < 25):
        return "c"
    # Lettuce, a wavy band.
    if 16.5 <= y < 18.5 and 1.5 <= x < 30.5:
        wave = 0.8 * math.sin(x * 1.3)
        if y < 18.5 + wave:
            return "l"
    # Tomato.
    if 18.5 <= y < 20.5 and 3 <= x < 29:
        return "t"
    # Patty, with grill marks.
    if 20.5 <= y < 24.5 and 2.5 <= x < 29.5:
        if (x + y) % 6 < 1:
            return "d"
        return "p"
    # Bottom bun: the lower half of a flat ellipse.
    if 24.5 <= y < 28.5:
        dy = (y - 24.5) / 4.0
        half = 13.5 * math.sqrt(max(0.0, 1 - dy * dy))
        if abs(x - cx) <= half:
            if abs(x - cx) > half - 1.0 or y >= 27.5:
                return "o"
            return "b"
    return " "


def main():
    size = int(sys.argv[1]) if len(sys.argv) > 1 else BASE
    scale = BASE / size
    rows = []
    for row in range(size):
        line = ""
        for col in range(size):
            line += pixel((col + 0.5) * scale, (row + 0.5) * scale)
        rows.append(line)
    used = sorted({c for r in rows for c in r})
    out = ["/* XPM */", "static const char* const hamburger_xpm[] = {",
           f'"{size} {size} {len(used)} 1",']
    for key in used:
        rgb = COLOURS[key]
        value = "None" if rgb is None else "#%02X%02X%02X" % rgb
        out.append(f'"{key} c {value}",')
    out += [f'"{r}",' for r in rows]
    out[-1] = out[-1].rstrip(",")
    out.append("};")
    print("\n".join(out))


if __name__ == "__main__":
    main()
