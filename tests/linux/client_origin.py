#!/usr/bin/env python3
"""Finds where a window's client area lies in a screenshot of the whole
screen: the position of a small picture (taken from the same client area
elsewhere, at client point X,Y) in the screenshot, less X,Y. Prints "LEFT TOP",
or nothing and exit code 1 when the picture is not there.

    client_origin.py SCREEN.png PATCH.png X Y
"""
import subprocess
import sys


def pixels(path):
    """Width, height and RGB bytes of a picture, through ImageMagick."""
    data = subprocess.run(["convert", path, "-depth", "8", "ppm:-"], check=True, capture_output=True).stdout
    fields, at = [], 0
    while len(fields) < 4:  # P6 WIDTH HEIGHT MAXVAL, blanks between
        while data[at:at + 1].isspace():
            at += 1
        start = at
        while not data[at:at + 1].isspace():
            at += 1
        fields.append(data[start:at])
    return int(fields[1]), int(fields[2]), data[at + 1:]


def main():
    screen_path, patch_path, px, py = sys.argv[1], sys.argv[2], int(sys.argv[3]), int(sys.argv[4])
    sw, sh, screen = pixels(screen_path)
    pw, ph, patch = pixels(patch_path)
    cx, cy = pw // 2, ph // 2
    centre = patch[3 * (cy * pw + cx):3 * (cy * pw + cx) + 3]
    best = None
    for y in range(sh - ph + 1):
        row = 3 * (y + cy) * sw
        for x in range(sw - pw + 1):
            at = row + 3 * (x + cx)
            if any(abs(screen[at + i] - centre[i]) > 12 for i in range(3)):
                continue
            total = 0
            for j in range(0, ph, 2):
                s = 3 * ((y + j) * sw + x)
                p = 3 * j * pw
                total += sum(abs(a - b) for a, b in zip(screen[s:s + 3 * pw], patch[p:p + 3 * pw]))
            if best is None or total < best[0]:
                best = (total, x, y)
    if best is None or best[0] > 40 * pw * ph:
        return 1
    print(best[1] - px, best[2] - py)
    return 0


if __name__ == "__main__":
    sys.exit(main())
