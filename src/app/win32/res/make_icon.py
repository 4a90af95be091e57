#!/usr/bin/env python3
"""Draws the application icon (resource 720) and writes app.ico.

A dark rounded tile with a green rim and a light mouse seen from above: two
buttons split by a line, a glowing green wheel, a soft glow under the body.
Pure Python, no imaging library: each pixel's coverage is sampled 4x4 so the
edges come out antialiased. Run it again after changing the shapes:

    python3 make_icon.py app.ico
"""
import struct
import sys

SIZES = (16, 24, 32, 48, 64)


def rounded_rect(x, y, x0, y0, x1, y1, r):
    """True when (x, y) is inside the rounded rectangle."""
    cx = min(max(x, x0 + r), x1 - r)
    cy = min(max(y, y0 + r), y1 - r)
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ellipse(x, y, cx, cy, rx, ry):
    return ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0


def blend(dst, src, a):
    return tuple(d * (1 - a) + s * a for d, s in zip(dst, src))


def shade(u, v):
    """Colour and alpha at unit coordinates (u, v) in 0..1: a list of layers."""
    layers = []
    # Tile: dark slate with a vertical gradient, green rim.
    if rounded_rect(u, v, 0.02, 0.02, 0.98, 0.98, 0.2):
        top, bottom = (44, 48, 58), (16, 18, 24)
        layers.append((tuple(t + (b - t) * v for t, b in zip(top, bottom)), 1.0))
        if not rounded_rect(u, v, 0.06, 0.06, 0.94, 0.94, 0.17):
            layers.append(((40, 200, 90), 1.0))
    # Glow under the mouse.
    d = ((u - 0.5) / 0.36) ** 2 + ((v - 0.55) / 0.44) ** 2
    if d < 1.0:
        layers.append(((60, 255, 120), 0.35 * (1 - d)))
    # Mouse body.
    if ellipse(u, v, 0.5, 0.55, 0.25, 0.34):
        light = 1.0 - 0.35 * v
        layers.append(((int(235 * light), int(238 * light), int(242 * light)), 1.0))
        # Button split and the line under the buttons.
        if abs(u - 0.5) < 0.018 and v < 0.46:
            layers.append(((70, 74, 84), 1.0))
        if abs(v - 0.46) < 0.018:
            layers.append(((70, 74, 84), 1.0))
    # Wheel.
    if rounded_rect(u, v, 0.455, 0.27, 0.545, 0.41, 0.045):
        layers.append(((40, 220, 100), 1.0))
    return layers


def render(size):
    """BGRA rows, bottom-up, as an icon's DIB wants them."""
    rows = []
    n = 4
    for py in range(size):
        row = bytearray()
        for px in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(n):
                for sx in range(n):
                    u = (px + (sx + 0.5) / n) / size
                    v = (py + (sy + 0.5) / n) / size
                    colour, alpha = (0.0, 0.0, 0.0), 0.0
                    for c, a in shade(u, v):
                        colour = blend(colour, c, a) if alpha > 0 else c
                        alpha = alpha + a * (1 - alpha)
                    acc[0] += colour[0] * alpha
                    acc[1] += colour[1] * alpha
                    acc[2] += colour[2] * alpha
                    acc[3] += alpha
            a = acc[3] / (n * n)
            if a > 0:
                r, g, b = (acc[i] / acc[3] for i in range(3))
            else:
                r = g = b = 0
            row += bytes((int(b), int(g), int(r), int(round(a * 255))))
        rows.append(bytes(row))
    return b"".join(reversed(rows))


def dib(size):
    pixels = render(size)
    mask_row = ((size + 31) // 32) * 4
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(pixels) + mask_row * size, 0, 0, 0, 0)
    return header + pixels + bytes(mask_row * size)


def main(path):
    images = [dib(s) for s in SIZES]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip(SIZES, images):
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b"".join(images)
    with open(path, "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "app.ico")
