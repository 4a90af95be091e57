#!/usr/bin/python3
"""Draws the shipped skins: 27 PNG images per skin, no words in them (the
program draws its texts over the images), each at two densities: NAME.png at
the layout's size and NAME@2x.png at twice that, for screens scaled 150-200 %.

    /usr/bin/python3 skins/make_skins.py              # rewrite skins/<name>/*.png
    /usr/bin/python3 skins/make_skins.py --preview DIR  # also compose mock-ups into DIR

Needs Pillow (Debian: apt-get install python3-pil). Change a skin by editing
its column in PALETTES; positions come from the program's fixed layout (LAYOUT
and DIALOGS below) and must not move, sizes may grow where noted.

Two rules keep repeated drawing clean. The program blends element images
again and again over the same persistent canvas (every hover, every click), so:
  * element images have hard alpha only (0 or 255) and each normal/over pair
    shares one mask: a redraw replaces what was there and leaves no residue;
  * the page picture BasicSet2.png is fully opaque, so a page rebuild (skin
    change, restore after Cancel) wipes out the texts drawn before.
"""
import argparse
import contextlib
import math
import os
import sys

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))
SUPERSAMPLE = 4  # shapes are drawn this much larger than the output, then reduced
DENSITY = 1  # output pixels per layout pixel: 1, or 2 for the @2x pictures
SS = SUPERSAMPLE * DENSITY  # drawing pixels per layout pixel
DENSITIES = {1: "", 2: "@2x"}  # file name suffix of each density


@contextlib.contextmanager
def density(scale):
    """Draws at `scale` output pixels per layout pixel within the block: the
    same shapes from the same layout, only finer (not an enlarged picture)."""
    global DENSITY, SS
    saved = DENSITY, SS
    DENSITY, SS = scale, SUPERSAMPLE * scale
    try:
        yield
    finally:
        DENSITY, SS = saved


# ---------------------------------------------------------------------------
# Palettes. "text" is the recommended interface text colour (RColor, GColor,
# BColor in str.ini). "well" frames the controls the program paints itself in
# fixed dark colours (dialog drop-down labels and fields white on (40, 40, 40),
# the page's lighting labels on black), so it stays dark in every skin;
# "field" is the skin's own inset look (drop-down rows, grooves, empty cells).
# "frame_over" / "frame_over_line" fill and edge the minimise and skins buttons
# under the pointer; "over_glyph" is their symbol and the page button's there
# (dark red in Light: white on its pale over look would all but vanish).

SKIN_NAMES = ("Default", "Crimson", "Light")
PALETTES = [
    # key               Default           Crimson           Light
    ("base_top",        (17, 19, 24),     (22, 16, 18),     (228, 231, 236)),
    ("base_bottom",     (10, 11, 14),     (12, 9, 10),      (210, 214, 221)),
    ("bar",             (22, 25, 31),     (28, 20, 23),     (244, 245, 248)),
    ("bar_line",        (40, 45, 55),     (56, 38, 44),     (196, 201, 210)),
    ("panel_top",       (30, 34, 42),     (40, 28, 32),     (252, 252, 253)),
    ("panel_bottom",    (21, 24, 30),     (27, 19, 22),     (238, 240, 244)),
    ("panel_line",      (50, 56, 68),     (72, 48, 56),     (196, 201, 210)),
    ("panel_hi",        (62, 70, 84),     (92, 62, 72),     (255, 255, 255)),
    ("header",          (36, 41, 51),     (50, 34, 39),     (232, 235, 240)),
    ("accent",          (0, 204, 255),    (255, 56, 78),    (222, 52, 44)),
    ("accent_dim",      (0, 112, 150),    (160, 30, 48),    (236, 140, 130)),
    ("accent_deep",     (0, 60, 84),      (84, 18, 28),     (250, 214, 208)),
    ("btn_top",         (52, 58, 70),     (70, 48, 55),     (255, 255, 255)),
    ("btn_bottom",      (34, 38, 47),     (46, 31, 36),     (226, 229, 235)),
    ("btn_line",        (74, 82, 98),     (100, 68, 78),    (170, 177, 190)),
    ("btn_hi",          (88, 97, 115),    (120, 84, 95),    (255, 255, 255)),
    ("over_top",        (0, 150, 200),    (214, 40, 62),    (255, 232, 228)),
    ("over_bottom",     (0, 96, 138),     (150, 22, 40),    (250, 196, 188)),
    ("over_line",       (60, 220, 255),   (255, 110, 126),  (222, 52, 44)),
    ("over_hi",         (110, 230, 255),  (255, 150, 160),  (255, 246, 244)),
    ("well",            (12, 14, 18),     (16, 11, 12),     (40, 40, 40)),
    ("well_line",       (56, 63, 76),     (80, 54, 62),     (120, 126, 138)),
    ("field",           (12, 14, 18),     (16, 11, 12),     (250, 251, 253)),
    ("field_line",      (56, 63, 76),     (80, 54, 62),     (178, 185, 198)),
    ("cell_off",        (40, 45, 55),     (56, 38, 44),     (214, 218, 226)),
    ("cell_off_line",   (56, 63, 76),     (80, 54, 62),     (178, 185, 198)),
    ("glyph",           (170, 180, 196),  (210, 180, 186),  (80, 88, 102)),
    ("glyph_over",      (255, 255, 255),  (255, 255, 255),  (255, 255, 255)),
    ("frame_over",      (0, 112, 150),    (160, 30, 48),    (252, 220, 214)),
    ("frame_over_line", (38, 133, 166),   (174, 64, 79),    (222, 52, 44)),
    ("over_glyph",      (255, 255, 255),  (255, 255, 255),  (180, 34, 28)),
    ("danger",          (226, 52, 66),    (255, 70, 70),    (222, 52, 44)),
    ("ink",             (110, 122, 140),  (150, 110, 120),  (150, 158, 172)),  # decorative strokes
    ("text",            (226, 232, 240),  (244, 230, 232),  (32, 36, 44)),
]
SKINS = {name: {key: colours[i] for key, *colours in PALETTES} for i, name in enumerate(SKIN_NAMES)}

# ---------------------------------------------------------------------------
# The program's fixed layout (client pixels; boxes are left, top, right, bottom).

MAIN_SIZE = (880, 660)
LAYOUT = dict(
    skins=(701, 5, 719, 23), minimise=(825, 5, 843, 23), close=(850, 5, 868, 23),
    prepage=(44, 54, 84, 94), title=(90, 51, 236, 99),
    key_heading=(259, 160, 364, 181), rate_heading=(504, 161, 609, 182),
    dpi_heading=(504, 275, 609, 296), light_heading=(704, 275, 809, 296),
    web=(273, 627, 449, 647),
    ok=(562, 623, 667, 644), apply=(666, 623, 771, 644), cancel=(770, 623, 875, 644),
    rows=[(252, 199 + 23 * i, 463, 220 + 23 * i) for i in range(4)],
    mode_a=(253, 518, 358, 539), mode_b=(357, 518, 462, 539), default=(307, 549, 412, 570),
    rate=[(542 + 72 * i, 204, 612 + 72 * i, 215) for i in range(4)],
    dpi_x=[554, 581, 608, 635],
    light_labels=[(767, 330, 835, 344), (767, 360, 835, 374), (767, 390, 835, 404)],
    light_click=[(767, 330, 851, 344), (767, 360, 851, 374), (767, 390, 851, 404)],
    light_row_labels=[(697, 330, 757, 344), (697, 360, 757, 374), (697, 390, 757, 404)],
)
# Panels drawn behind the four areas of the page.
PANELS = dict(
    key=(240, 150, 476, 598), rate=(488, 150, 866, 256), dpi=(488, 266, 674, 598), light=(684, 266, 866, 598),
)

# Small dialogs: close, OK and Cancel sit at fixed points; the window takes the
# background's size (its border hides the last 2 columns and rows).
FRAME = dict(close=(352, 6, 370, 24), ok=(166, 253, 271, 274), cancel=(270, 253, 375, 274))
DIALOGS = {
    # name: (size, drop-down box or None, extra wells, emblem)
    "fire-key": ((440, 280), (82, 69, 165, 85), [(83, 104, 164, 118), (83, 138, 164, 152), (83, 172, 164, 186)], "fire"),
    "hot-key": ((384, 280), (42, 128, 151, 144), [], "hotkey"),
    "media-key": ((384, 280), (42, 128, 151, 144), [], "media"),
    "single-key": ((384, 280), None, [(73, 128, 151, 144)], "key"),
    "snipe-key": ((384, 280), (42, 105, 151, 121), [], "snipe"),
    # The Windows-function list reaches down to y 306.
    "windows-key": ((384, 312), (42, 128, 151, 144), [], "windows"),
    "skins": ((384, 280), (42, 128, 151, 144), [(42, 94, 151, 110)], "skins"),
}
DROPDOWN_ARROW_WIDTH = 15  # the part of a drop-down box right of its label

# Element sizes (each fits the rectangle it is drawn into).
SIZES = dict(button=(105, 21), frame_button=(18, 18), prepage=(40, 40), dropdown=(211, 21),
             rate=(70, 11), dpi=(16, 16), tick=(16, 16))


# ---------------------------------------------------------------------------
# Drawing helpers. Coordinates are in layout pixels; shapes are drawn SS times
# larger and reduced by SUPERSAMPLE, so that edges are smooth and 1-pixel lines
# stay crisp at either density.

def mix(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def scaled(box):
    return [int(round(v * SS)) for v in box]


class Canvas:
    def __init__(self, size, fill=(0, 0, 0, 0)):
        self.size = size
        self.img = Image.new("RGBA", (size[0] * SS, size[1] * SS), fill)

    def draw(self):
        return ImageDraw.Draw(self.img)

    def gradient(self, box, top, bottom, radius=0, mask_extra=None):
        x0, y0, x1, y1 = scaled(box)
        w, h = x1 - x0, y1 - y0
        grad = Image.new("RGBA", (1, h))
        for y in range(h):
            grad.putpixel((0, y), mix(top, bottom, y / max(1, h - 1)) + (255,))
        grad = grad.resize((w, h))
        mask = Image.new("L", (w, h), 0)
        ImageDraw.Draw(mask).rounded_rectangle([0, 0, w - 1, h - 1], radius=int(radius * SS), fill=255)
        self.img.paste(grad, (x0, y0), mask)

    def rrect(self, box, radius, fill=None, outline=None, width=1):
        x0, y0, x1, y1 = scaled(box)
        self.draw().rounded_rectangle([x0, y0, x1 - 1, y1 - 1], radius=int(radius * SS), fill=fill,
                                      outline=outline, width=int(width * SS) if outline else 0)

    def line(self, points, color, width=1):
        pts = [(x * SS, y * SS) for x, y in points]
        self.draw().line(pts, fill=color, width=int(width * SS), joint="curve")

    def glow(self, shape, color, radius, strength=1.0):
        """shape(draw) draws in white on a mask at SS scale; adds a blurred halo."""
        mask = Image.new("L", self.img.size, 0)
        shape(ImageDraw.Draw(mask))
        mask = mask.filter(ImageFilter.GaussianBlur(radius * SS))
        if strength != 1.0:
            mask = mask.point(lambda v: min(255, int(v * strength)))
        layer = Image.new("RGBA", self.img.size, color + (0,))
        layer.putalpha(mask)
        self.img = Image.alpha_composite(self.img, layer)

    def final(self):
        return self.img.reduce(SUPERSAMPLE)


def hard_alpha(img):
    """Alpha 0 or 255 only, so that repeated blending is idempotent."""
    r, g, b, a = img.split()
    a = a.point(lambda v: 255 if v >= 128 else 0)
    out = Image.merge("RGBA", (r, g, b, a))
    clear = Image.new("RGBA", img.size, (0, 0, 0, 0))
    return Image.composite(out, clear, a)


def element(size, paint, edge_color):
    """An element image: painted at SS scale over its edge colour (alpha 0)."""
    c = Canvas(size, edge_color + (0,))
    paint(c)
    return hard_alpha(c.final())


# ---------------------------------------------------------------------------
# Elements

def push_button(p, over):
    w, h = SIZES["button"]

    def paint(c):
        # 2 transparent columns at each side keep neighbouring buttons apart
        # (OK, Apply and Cancel share a column).
        box = (2, 0, w - 2, h)
        line = p["over_line"] if over else p["btn_line"]
        c.rrect(box, 4, fill=line)
        c.gradient((3, 1, w - 3, h - 1), p["over_top"] if over else p["btn_top"],
                   p["over_bottom"] if over else p["btn_bottom"], radius=3)
        c.line([(6, 1.5), (w - 6, 1.5)], p["over_hi"] if over else p["btn_hi"], 1)
    return element((w, h), paint, p["over_line"] if over else p["btn_line"])


def frame_button(p, kind, over):
    w, h = SIZES["frame_button"]

    def paint(c):
        if over and kind == "close":
            c.rrect((0, 0, w, h), 4, fill=mix(p["danger"], (255, 255, 255), 0.15))
            c.rrect((1, 1, w - 1, h - 1), 3, fill=p["danger"])
        elif over:
            c.rrect((0, 0, w, h), 4, fill=p["frame_over_line"])
            c.rrect((1, 1, w - 1, h - 1), 3, fill=p["frame_over"])
        else:
            c.rrect((0, 0, w, h), 4, fill=p["btn_line"])
            c.gradient((1, 1, w - 1, h - 1), p["btn_top"], p["btn_bottom"], radius=3)
        g = (p["glyph_over"] if kind == "close" else p["over_glyph"]) if over else p["glyph"]
        if kind == "close":
            c.line([(5.5, 5.5), (12.5, 12.5)], g, 1.6)
            c.line([(12.5, 5.5), (5.5, 12.5)], g, 1.6)
        elif kind == "min":
            c.line([(5, 12), (13, 12)], g, 1.6)
        else:  # skins: a palette with three paint dots
            d = c.draw()
            d.ellipse(scaled((3.5, 3.5, 14.5, 14.5)), outline=g, width=int(1.3 * SS))
            for (x, y), col in zip([(7, 7), (11, 7.5), (7.5, 11)], [(255, 80, 80), (80, 220, 120), (80, 160, 255)]):
                d.ellipse(scaled((x - 1.4, y - 1.4, x + 1.4, y + 1.4)), fill=col)
    return element((w, h), paint, p["btn_line"] if not over else p["accent_dim" if kind == "close" else "frame_over"])


def prepage_button(p, over):
    w, h = SIZES["prepage"]

    def paint(c):
        d = c.draw()
        ring = p["over_line"] if over else p["btn_line"]
        d.ellipse(scaled((0, 0, w, h)), fill=ring)
        inner = Image.new("RGBA", c.img.size, (0, 0, 0, 0))
        c2 = Canvas((w, h))
        c2.gradient((2, 2, w - 2, h - 2), p["over_top"] if over else p["btn_top"],
                    p["over_bottom"] if over else p["btn_bottom"], radius=18)
        inner = c2.img
        c.img.alpha_composite(inner)
        g = p["over_glyph"] if over else p["accent"]
        # A chevron pointing left with a short tail: back to the page.
        c.line([(23, 12), (15, 20), (23, 28)], g, 2.6)
        c.line([(16, 20), (28, 20)], g, 2.6)
    return element((w, h), paint, p["over_line"] if over else p["btn_line"])


def dropdown_box(p, over):
    w, h = SIZES["dropdown"]

    def paint(c):
        line = p["over_line"] if over else p["field_line"]
        c.rrect((0, 0, w, h), 3, fill=line)
        top = mix(p["field"], p["accent_deep"], 0.6) if over else p["field"]
        c.gradient((1, 1, w - 1, h - 1), top, mix(top, p["panel_top"], 0.35), radius=2)
        # The row number cell (first 20 pixels) and the arrow at the right.
        c.line([(18, 3), (18, h - 3)], line, 1)  # text starts at 20
        g = p["accent"] if over else p["glyph"]
        cx, cy = w - 11, h / 2
        c.draw().polygon(scaled((cx - 4, cy - 2, cx + 4, cy - 2, cx, cy + 3)), fill=g)
    return element((w, h), paint, p["over_line"] if over else p["field_line"])


def level_cell(p, size, lit, lit_mark, unlit_colors):
    """A report-rate segment or a DPI level cell: accent filled with a light
    mark when lit, a dim inset (gradient `unlit_colors`) when not."""
    w, h = size

    def paint(c):
        if lit:
            c.rrect((0, 0, w, h), 3, fill=p["over_line"])
            c.gradient((1, 1, w - 1, h - 1), p["accent"], p["accent_dim"], radius=2)
            lit_mark(c, w, h)
        else:
            c.rrect((0, 0, w, h), 3, fill=p["cell_off_line"])
            c.gradient((1, 1, w - 1, h - 1), *unlit_colors, radius=2)
    return element((w, h), paint, p["over_line"] if lit else p["cell_off_line"])


def rate_segment(p, lit):
    def highlight(c, w, h):  # along the top edge
        c.line([(4, 2), (w - 4, 2)], mix(p["accent"], (255, 255, 255), 0.5), 1)
    return level_cell(p, SIZES["rate"], lit, highlight, (p["field"], p["cell_off"]))


def dpi_cell(p, lit):
    def core(c, w, h):  # a pale square in the middle
        c.rrect((4, 4, w - 4, h - 4), 1, fill=mix(p["accent"], (255, 255, 255), 0.55))
    return level_cell(p, SIZES["dpi"], lit, core, (p["cell_off"], p["field"]))


def tick_box(p, ticked):
    w, h = SIZES["tick"]

    def paint(c):
        c.rrect((0, 0, w, h), 3, fill=p["accent"] if ticked else p["btn_line"])
        if ticked:
            c.gradient((1, 1, w - 1, h - 1), p["accent"], p["accent_dim"], radius=2)
            c.line([(3.8, 8.2), (6.8, 11.2), (12.2, 4.8)], p["glyph_over"], 2.0)
        else:
            c.rrect((1, 1, w - 1, h - 1), 2, fill=p["field"])
    return element((w, h), paint, p["accent"] if ticked else p["btn_line"])


# ---------------------------------------------------------------------------
# Backgrounds

def base(c, p, size):
    w, h = size
    c.gradient((0, 0, w, h), p["base_top"], p["base_bottom"])
    # Faint diagonal hatching for texture.
    d = c.draw()
    hatch = mix(p["base_top"], p["panel_line"], 0.18)
    for x in range(-h, w, 6):
        d.line([(x * SS, h * SS), ((x + h) * SS, 0)], fill=hatch, width=DENSITY)


def title_bar(c, p, width, height=32):
    c.gradient((0, 0, width, height), p["bar"], mix(p["bar"], p["base_top"], 0.6))
    c.line([(0, height - 0.5), (width, height - 0.5)], p["bar_line"], 1)
    # Accent stripe fading to the right.
    for x in range(0, width, 2):
        t = x / width
        c.line([(x, 0.5), (x + 2, 0.5)], mix(p["accent"], p["bar"], min(1.0, t * 1.6)), 1)


def logo(c, p, x, y, s=16):
    """A hexagon emblem with a chevron: the brand mark, no letters."""
    pts = [(x + s / 2 + s / 2 * math.cos(math.radians(a)), y + s / 2 + s / 2 * math.sin(math.radians(a)))
           for a in range(-90, 270, 60)]
    c.draw().polygon([v * SS for pt in pts for v in pt], outline=p["accent"], width=int(1.6 * SS))
    c.line([(x + s * 0.32, y + s * 0.36), (x + s * 0.5, y + s * 0.62), (x + s * 0.68, y + s * 0.36)],
           p["accent"], 1.8)


def panel(c, p, box, header_box=None):
    c.glow(lambda d: d.rounded_rectangle(scaled(box), radius=10 * SS, fill=255), (0, 0, 0), 4, 0.9)
    c.rrect(box, 8, fill=p["panel_line"])
    x0, y0, x1, y1 = box
    c.gradient((x0 + 1, y0 + 1, x1 - 1, y1 - 1), p["panel_top"], p["panel_bottom"], radius=7)
    c.line([(x0 + 8, y0 + 1.5), (x1 - 8, y0 + 1.5)], p["panel_hi"], 1)
    if header_box:
        hx0, hy0, hx1, hy1 = header_box
        # Header strip across the panel, with an accent bar under the heading text.
        c.gradient((x0 + 1, y0 + 1, x1 - 1, hy1 + 3), p["header"], p["panel_top"], radius=7)
        c.line([(x0 + 1, hy1 + 2.5), (x1 - 1, hy1 + 2.5)], p["panel_line"], 1)
        c.rrect((hx0 + 8, hy1 + 1, hx1 - 8, hy1 + 3), 1, fill=p["accent"])
        c.rrect((x0 + 8, hy0 + 4, x0 + 11, hy1 - 4), 1, fill=p["accent"])


def well(c, p, box, grow=2, radius=3, kind="well"):
    x0, y0, x1, y1 = box
    c.rrect((x0 - grow, y0 - grow, x1 + grow, y1 + grow), radius, fill=p[kind + "_line"])
    c.rrect((x0 - grow + 1, y0 - grow + 1, x1 + grow - 1, y1 + grow - 1), radius - 1, fill=p[kind])


def dropdown_well(c, p, box):
    x0, y0, x1, y1 = box
    well(c, p, box)
    # The arrow zone right of the label.
    ax0 = x1 - DROPDOWN_ARROW_WIDTH
    c.gradient((ax0, y0, x1, y1), p["btn_top"], p["btn_bottom"], radius=2)
    cx, cy = (ax0 + x1) / 2, (y0 + y1) / 2
    c.draw().polygon(scaled((cx - 3.5, cy - 1.8, cx + 3.5, cy - 1.8, cx, cy + 2.6)), fill=p["accent"])


def mouse_art(c, p, cx, top, scale=1.0, lit=True):
    """Top view of a gaming mouse: body, button split, wheel and DPI LEDs."""
    s = scale
    w, h = 120 * s, 210 * s
    x0, y0 = cx - w / 2, top
    body = (x0, y0, x0 + w, y0 + h)
    if lit:
        c.glow(lambda d: d.rounded_rectangle(scaled(body), radius=int(58 * s * SS), outline=255,
                                            width=int(4 * SS)), p["accent"], 9 * s, 1.3)
    c.rrect(body, 58 * s, fill=p["panel_line"])
    c.gradient((x0 + 2, y0 + 2, x0 + w - 2, y0 + h - 2), p["panel_top"], p["base_bottom"], radius=56 * s)
    # Button split and side grooves.
    ink = p["accent"] if lit else p["ink"]
    c.line([(cx, y0 + 4), (cx, y0 + 84 * s)], p["panel_line"], 2)
    c.line([(x0 + 10 * s, y0 + 86 * s), (x0 + w - 10 * s, y0 + 86 * s)], p["panel_line"], 2)
    # Scroll wheel.
    c.rrect((cx - 7 * s, y0 + 26 * s, cx + 7 * s, y0 + 62 * s), 6 * s, fill=p["well"], outline=ink, width=2)
    for i in range(5):
        yy = y0 + (32 + i * 6) * s
        c.line([(cx - 4 * s, yy), (cx + 4 * s, yy)], p["panel_line"], 1)
    # DPI LEDs below the wheel.
    for i in range(4):
        yy = y0 + (96 + i * 9) * s
        c.rrect((cx - 3 * s, yy, cx + 3 * s, yy + 5 * s), 2 * s,
                fill=mix(ink, p["panel_top"], i * 0.22) if lit else p["panel_line"])
    # Side accent strips.
    c.line([(x0 + 8 * s, y0 + 110 * s), (x0 + 14 * s, y0 + 170 * s)], ink, 2.5)
    c.line([(x0 + w - 8 * s, y0 + 110 * s), (x0 + w - 14 * s, y0 + 170 * s)], ink, 2.5)
    # Logo on the palm.
    logo(c, p, cx - 9 * s, y0 + 160 * s, 18 * s)


def main_background(p, with_page, elements=None):
    w, h = MAIN_SIZE
    c = Canvas(MAIN_SIZE)
    base(c, p, MAIN_SIZE)
    title_bar(c, p, w)
    logo(c, p, 12, 8)
    # Title plate holding the page button and the page title.
    plate = (36, 46, 452, 102)
    c.rrect(plate, 10, fill=p["panel_line"])
    c.gradient((plate[0] + 1, plate[1] + 1, plate[2] - 1, plate[3] - 1), p["header"], p["panel_bottom"], radius=9)
    if with_page:
        c.rrect((90, 96, 236, 98), 1, fill=p["accent"])  # under the page title
    for i in range(6):  # speed marks trailing off to the right
        x = 268 + i * 28
        c.draw().polygon(scaled((x, 66, x + 14, 66, x + 6, 82, x - 8, 82)),
                         fill=mix(p["accent_dim"], p["panel_bottom"], 0.15 + i * 0.15))
    c.line([(460, 74.5), (866, 74.5)], p["bar_line"], 1)
    if with_page:
        # Left showcase: the mouse over radar rings, clipped to its panel.
        show = (20, 150, 230, 598)
        c.rrect(show, 10, fill=p["panel_line"])
        c.gradient((show[0] + 1, show[1] + 1, show[2] - 1, show[3] - 1), p["panel_bottom"], p["base_bottom"], radius=9)
        rings = Canvas(MAIN_SIZE)
        for r in (150, 110, 70):
            rings.draw().ellipse(scaled((125 - r, 340 - r, 125 + r, 340 + r)),
                                 outline=mix(p["panel_line"], p["panel_bottom"], 0.4) + (255,), width=SS)
        clip = Image.new("L", c.img.size, 0)
        ImageDraw.Draw(clip).rounded_rectangle(scaled((show[0] + 2, show[1] + 2, show[2] - 2, show[3] - 2)),
                                               radius=8 * SS, fill=255)
        rings.img.putalpha(ImageChops.multiply(rings.img.getchannel("A"), clip))
        c.img.alpha_composite(rings.img)
    if with_page:
        mouse_art(c, p, 125, 232, 1.0, lit=True)
    else:
        # No mouse yet: the page is not drawn; show the mouse centred and unlit.
        mouse_art(c, p, w / 2, 230, 1.25, lit=False)
        c.glow(lambda d: d.ellipse(scaled((w / 2 - 40, 540, w / 2 + 40, 548)), fill=255), p["accent"], 6, 0.8)
    if with_page:
        panel(c, p, PANELS["key"], LAYOUT["key_heading"])
        panel(c, p, PANELS["rate"], LAYOUT["rate_heading"])
        panel(c, p, PANELS["dpi"], LAYOUT["dpi_heading"])
        panel(c, p, PANELS["light"], LAYOUT["light_heading"])
        # Key setting: separator above the mode buttons.
        c.line([(252, 506.5), (463, 506.5)], p["panel_line"], 1)
        # Report rate: groove behind the four segments, ticks under them.
        well(c, p, (540, 202, 830, 217), grow=1, radius=4, kind="field")
        for i in range(5):
            x = 541 + 72 * i
            c.line([(x, 219), (x, 223)], p["panel_line"], 1)
        # DPI: grooves behind the columns, guide lines across the levels.
        for k in range(12):
            y = 508 - 18 * k
            c.line([(546, y + 0.5), (656, y + 0.5)], mix(p["panel_line"], p["panel_bottom"], 0.45), 1)
        for x in LAYOUT["dpi_x"]:
            well(c, p, (x, 302, x + 16, 516), grow=2, radius=4, kind="field")
            well(c, p, (x, 523, x + 16, 539), grow=1, radius=2, kind="field")
        # Lighting: wells around the three drop-downs and a light wave below.
        for box in LAYOUT["light_click"]:
            dropdown_well(c, p, box)
        for i in range(3):
            amp, yb = 16 - i * 4, 500 + i * 10
            pts = [(700 + x, yb + amp * math.sin((x + i * 20) / 18.0)) for x in range(0, 150, 2)]
            c.line(pts, mix(p["accent"], p["panel_bottom"], 0.25 + i * 0.25), 2)
    # Bottom bar: web link on the left, OK / Apply / Cancel on the right.
    c.gradient((0, 608, w, h), mix(p["bar"], p["base_bottom"], 0.3), p["base_bottom"])
    c.line([(0, 607.5), (w, 607.5)], p["bar_line"], 1)
    if with_page:
        gx, gy = 258, 637  # a globe before the web link
        d = c.draw()
        d.ellipse(scaled((gx - 7, gy - 7, gx + 7, gy + 7)), outline=p["ink"], width=int(1.3 * SS))
        d.ellipse(scaled((gx - 3, gy - 7, gx + 3, gy + 7)), outline=p["ink"], width=int(1.1 * SS))
        c.line([(gx - 7, gy), (gx + 7, gy)], p["ink"], 1.1)
    img = c.final()
    if not with_page and elements:
        # Without a mouse the program draws no page and no buttons, yet the
        # frame buttons and the page button answer clicks: show them.
        for key, name in (("skins", "button-Skins-normal.png"), ("minimise", "button-min-normal.png"),
                          ("close", "button-close-normal.png"), ("prepage", "button-PrePage-normal.png")):
            img.alpha_composite(elements[name], tuple(v * DENSITY for v in LAYOUT[key][:2]))
    return img.convert("RGB")


def emblem(c, p, kind, cx, cy, s=1.0):
    ink = mix(p["accent"], p["panel_bottom"], 0.45)
    soft = mix(p["panel_line"], p["panel_bottom"], 0.2)
    d = c.draw()
    if kind == "fire":  # a burst of repeated shots
        for i in range(3):
            x = cx - 40 * s + i * 34 * s
            c.rrect((x, cy - 22 * s, x + 24 * s, cy + 22 * s), 6 * s, outline=ink, width=2)
            c.line([(x + 6 * s, cy), (x + 18 * s, cy)], ink, 2)
        for i in range(3):
            c.line([(cx + 64 * s + i * 8 * s, cy - 14 * s), (cx + 70 * s + i * 8 * s, cy), (cx + 64 * s + i * 8 * s, cy + 14 * s)],
                   mix(ink, p["panel_bottom"], i * 0.3), 2.5)
    elif kind == "hotkey":  # two key caps joined by a plus
        for x in (cx - 60 * s, cx + 12 * s):
            c.rrect((x, cy - 24 * s, x + 48 * s, cy + 24 * s), 8 * s, outline=ink, width=2)
            c.rrect((x + 6 * s, cy - 18 * s, x + 42 * s, cy + 14 * s), 5 * s, outline=soft, width=1)
        c.line([(cx - 6 * s, cy), (cx + 6 * s, cy)], ink, 2.5)
        c.line([(cx, cy - 6 * s), (cx, cy + 6 * s)], ink, 2.5)
    elif kind == "media":  # play, with sound waves
        d.polygon(scaled((cx - 26 * s, cy - 30 * s, cx - 26 * s, cy + 30 * s, cx + 22 * s, cy)), outline=ink,
                  width=int(2 * SS))
        for i, r in enumerate((34, 46, 58)):
            d.arc(scaled((cx - r * s + 10 * s, cy - r * s, cx + r * s + 10 * s, cy + r * s)), -40, 40,
                  fill=mix(ink, p["panel_bottom"], i * 0.25), width=int(2 * SS))
    elif kind == "key":  # one key cap
        c.rrect((cx - 34 * s, cy - 34 * s, cx + 34 * s, cy + 34 * s), 10 * s, outline=ink, width=2)
        c.rrect((cx - 24 * s, cy - 26 * s, cx + 24 * s, cy + 18 * s), 7 * s, outline=soft, width=1)
    elif kind == "snipe":  # cross-hair
        for r in (36, 20):
            d.ellipse(scaled((cx - r * s, cy - r * s, cx + r * s, cy + r * s)), outline=ink, width=int(2 * SS))
        for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
            c.line([(cx + dx * 12 * s, cy + dy * 12 * s), (cx + dx * 46 * s, cy + dy * 46 * s)], ink, 2)
        d.ellipse(scaled((cx - 3, cy - 3, cx + 3, cy + 3)), fill=p["accent"])
    elif kind == "windows":  # a window with a title bar
        c.rrect((cx - 44 * s, cy - 32 * s, cx + 44 * s, cy + 32 * s), 6 * s, outline=ink, width=2)
        c.line([(cx - 44 * s, cy - 18 * s), (cx + 44 * s, cy - 18 * s)], ink, 2)
        for i in range(3):
            d.ellipse(scaled((cx + (24 + i * 7) * s - 2, cy - 27 * s, cx + (24 + i * 7) * s + 2, cy - 23 * s)), fill=ink)
        for i in range(3):
            c.line([(cx - 32 * s, cy - 4 * s + i * 12 * s), (cx + (20 - i * 14) * s, cy - 4 * s + i * 12 * s)], soft, 2)
    elif kind == "skins":  # palette
        d.ellipse(scaled((cx - 40 * s, cy - 32 * s, cx + 40 * s, cy + 32 * s)), outline=ink, width=int(2 * SS))
        d.ellipse(scaled((cx + 10 * s, cy + 8 * s, cx + 24 * s, cy + 22 * s)), outline=ink, width=int(2 * SS))
        for (x, y), col in zip([(-22, -8), (-6, -18), (12, -14), (-18, 12)],
                               [(255, 80, 80), (255, 200, 60), (80, 220, 120), (80, 160, 255)]):
            d.ellipse(scaled((cx + x * s - 6 * s, cy + y * s - 6 * s, cx + x * s + 6 * s, cy + y * s + 6 * s)),
                      fill=mix(col, p["panel_bottom"], 0.35))


def dialog_background(p, name):
    size, dropdown, wells, kind = DIALOGS[name]
    w, h = size
    c = Canvas(size)
    c.gradient((0, 0, w, h), p["panel_top"], p["panel_bottom"])
    # The close button sits at a fixed point (x 352..370): a picture wider
    # than the others ends its title bar just after it, as a tab, so that the
    # button closes the bar instead of floating in the middle of it.
    bar_end = FRAME["close"][2] + 8 if w > FRAME["cancel"][2] + 16 else w
    title_bar(c, p, bar_end, 30)
    if bar_end < w:
        c.rrect((bar_end - 6, 0, bar_end, 30), 0, fill=mix(p["bar"], p["base_top"], 0.3))
        c.line([(bar_end - 0.5, 0), (bar_end - 0.5, 30)], p["bar_line"], 1)
    logo(c, p, 10, 7)
    # Content: wells around the drop-down and the fields, an emblem on the right.
    if dropdown:
        dropdown_well(c, p, dropdown)
    for box in wells:
        well(c, p, box, grow=1, radius=2)
    if name == "single-key":
        # The prompt above the key name is drawn white whatever the skin.
        c.rrect((43, 107, 181, 125), 4, fill=mix(p["well"], p["well_line"], 0.3))
    if name == "fire-key":
        # Notes below the fields: an information plate.
        c.rrect((14, 196, w - 10, 242), 6, fill=mix(p["panel_bottom"], p["base_bottom"], 0.5))
        c.rrect((15, 200, 18, 238), 1, fill=p["accent"])
        emblem(c, p, kind, 300, 120, 1.0)
    else:
        emblem(c, p, kind, 270, 128 if name != "snipe-key" else 120, 0.95)
    # Bottom bar with the OK and Cancel buttons.
    c.gradient((0, 244, w, h), mix(p["bar"], p["panel_bottom"], 0.4), p["base_bottom"])
    c.line([(0, 243.5), (w, 243.5)], p["bar_line"], 1)
    # Fine outline just inside the system's border.
    c.rrect((0, 0, w - 2, h - 2), 0, outline=p["panel_line"], width=1)
    return c.final().convert("RGB")


# ---------------------------------------------------------------------------

def build_skin(name, p):
    out = {}
    for over, suffix in ((False, "normal"), (True, "over")):
        out[f"button-{suffix}.png"] = push_button(p, over)
        out[f"button-close-{suffix}.png"] = frame_button(p, "close", over)
        out[f"button-min-{suffix}.png"] = frame_button(p, "min", over)
        out[f"button-Skins-{suffix}.png"] = frame_button(p, "skins", over)
        out[f"button-PrePage-{suffix}.png"] = prepage_button(p, over)
        out[f"DropdownBox-{suffix}.png"] = dropdown_box(p, over)
    out["slider-RP-dark.png"] = rate_segment(p, False)
    out["slider-RP-light.png"] = rate_segment(p, True)
    out["slider-DPI-dark.png"] = dpi_cell(p, False)
    out["slider-DPI-light.png"] = dpi_cell(p, True)
    out["Pane.png"] = tick_box(p, False)
    out["PaneMakingTick.png"] = tick_box(p, True)
    out["main.png"] = main_background(p, with_page=False, elements=out)
    out["BasicSet2.png"] = main_background(p, with_page=True)
    for dialog in DIALOGS:
        out[f"{dialog}.png"] = dialog_background(p, dialog)
    return out


def save_skin(name, images, suffix=""):
    folder = os.path.join(HERE, name)
    os.makedirs(folder, exist_ok=True)
    for file, img in images.items():
        # Element images keep their alpha channel (RGBA); backgrounds are opaque RGB.
        stem, ext = os.path.splitext(file)
        img.save(os.path.join(folder, stem + suffix + ext), optimize=True)
    save_text_color(folder, SKINS[name]["text"])
    return folder


def save_text_color(folder, rgb):
    """The skin's recommended text colour, which the skin chooser proposes
    when the skin is picked: "R, G, B" in decimal."""
    with open(os.path.join(folder, "text-color.txt"), "w", newline="\n") as f:
        f.write("%d, %d, %d\n" % tuple(rgb))


# ---------------------------------------------------------------------------
# Mock-ups: the page and dialogs as the program composes them, with sample texts.

FONT_DIRS = ["/usr/share/fonts/truetype/liberation", "/usr/share/fonts/truetype/dejavu"]


def font(size, bold=False):
    names = ["LiberationSans-Bold.ttf" if bold else "LiberationSans-Regular.ttf",
             "DejaVuSans-Bold.ttf" if bold else "DejaVuSans.ttf"]
    for d in FONT_DIRS:
        for n in names:
            path = os.path.join(d, n)
            if os.path.exists(path):
                return ImageFont.truetype(path, size)
    return ImageFont.load_default()


def text(img, box, s, color, align="center", f=None):
    f = f or font(12)
    d = ImageDraw.Draw(img)
    x0, y0, x1, y1 = box
    tw, th = d.textbbox((0, 0), s, font=f)[2:]
    y = (y0 + y1 - th) / 2
    x = {"center": (x0 + x1 - tw) / 2, "left": x0, "right": x1 - tw}[align]
    d.text((x, y), s, fill=color, font=f)


def paste(canvas, img, xy):
    canvas.alpha_composite(img, xy)


def preview(name, p, images, outdir):
    col = p["text"]
    page = images["main.png"].convert("RGBA")
    paste(page, images["BasicSet2.png"].convert("RGBA"), (0, 0))
    L = LAYOUT
    for key, img in (("skins", "button-Skins-normal.png"), ("minimise", "button-min-normal.png"),
                     ("close", "button-close-over.png"), ("prepage", "button-PrePage-normal.png")):
        paste(page, images[img], L[key][:2])
    text(page, L["title"], "Basic Settings", col, f=font(15, True))
    for key, s in (("key_heading", "Key Setting"), ("rate_heading", "Report Rate Setting"),
                   ("dpi_heading", "DPI Setting"), ("light_heading", "DPI Effect")):
        text(page, L[key], s, col)
    text(page, L["web"], "www.example.com", col)
    for key, s, over in (("ok", "OK", False), ("apply", "Apply", True), ("cancel", "Cancel", False),
                         ("mode_a", "Mode A", True), ("mode_b", "Mode B", False), ("default", "Default", False)):
        paste(page, images["button-over.png" if over else "button-normal.png"], L[key][:2])
        text(page, L[key], s, col)
    labels = ["Left Click", "Right Click", "Mid Click", "DPI Loop"]
    for i, box in enumerate(L["rows"]):
        paste(page, images["DropdownBox-over.png" if i == 2 else "DropdownBox-normal.png"], box[:2])
        text(page, (box[0], box[1], box[0] + 20, box[3]), str(i + 1), col)
        text(page, (box[0] + 20, box[1], box[2], box[3]), labels[i], col, align="left")
    for i, box in enumerate(L["rate"]):
        paste(page, images["slider-RP-light.png" if i == 3 else "slider-RP-dark.png"], box[:2])
        text(page, (box[0], box[3] + 10, box[2], box[3] + 30), ["125", "250", "500", "1000"][i], col)
    levels = ["250", "500", "750", "1000", "1250", "1500", "1750", "2000", "2500", "3000", "3500", "4000"]
    lit = [4, 6, 8, 12]
    enabled = [True, True, True, False]
    for s, x in enumerate(L["dpi_x"]):
        for k in range(12):
            on = enabled[s] and k < lit[s]
            paste(page, images["slider-DPI-light.png" if on else "slider-DPI-dark.png"], (x, 500 - 18 * k))
        # Swatch: a static control filled with the stage colour.
        ImageDraw.Draw(page).rectangle((x, 523, x + 15, 538), fill=[(255, 0, 0), (0, 255, 0), (0, 0, 255), (255, 255, 0)][s])
        paste(page, images["PaneMakingTick.png" if enabled[s] else "Pane.png"], (x, 541))
        text(page, (x, 562, x + 16, 587), str(s + 1), col)
    for k in range(12):
        text(page, (514, 500 - 18 * k, 544, 516 - 18 * k), levels[k], col, align="right", f=font(11))
    text(page, (494, 523, 544, 539), "Color", col, align="right", f=font(11))
    text(page, (494, 541, 544, 557), "Select", col, align="right", f=font(11))
    for box, s, v in zip(L["light_row_labels"], ["Mode", "Parameter", "Effect"], ["Respiration", "6S", "RGB Effect"]):
        text(page, box, s, col, align="right", f=font(11))
    for box, v in zip(L["light_labels"], ["Respiration", "6S", "RGB Effect"]):
        ImageDraw.Draw(page).rectangle((box[0], box[1], box[2] - 1, box[3] - 1), fill=(0, 0, 0))
        text(page, box, v, col, f=font(11))
    page.convert("RGB").save(os.path.join(outdir, f"{name}-page.png"))

    bare = images["main.png"].convert("RGB")
    bare.save(os.path.join(outdir, f"{name}-nomouse.png"))

    for dialog in DIALOGS:
        bg = images[f"{dialog}.png"].convert("RGBA")
        w, h = bg.size
        shown = bg.crop((0, 0, w - 2, h - 2))  # the border covers the rest
        win = Image.new("RGBA", (w, h), (100, 100, 100, 255))
        win.alpha_composite(shown, (1, 1))
        client = Image.new("RGBA", (w - 2, h - 2))
        client.alpha_composite(shown)
        paste(client, images["button-over.png"], FRAME["ok"][:2])
        paste(client, images["button-normal.png"], FRAME["cancel"][:2])
        paste(client, images["button-close-normal.png"], FRAME["close"][:2])
        text(client, FRAME["ok"], "OK", col)
        text(client, FRAME["cancel"], "Cancel", col)
        d = ImageDraw.Draw(client)
        dd = DIALOGS[dialog][1]
        if dd:
            d.rectangle((dd[0], dd[1], dd[2] - DROPDOWN_ARROW_WIDTH - 1, dd[3] - 1), fill=(40, 40, 40))
            text(client, (dd[0], dd[1], dd[2] - DROPDOWN_ARROW_WIDTH, dd[3]), "Copy", (255, 255, 255), align="left")
        for box in DIALOGS[dialog][2]:
            fill = (255, 128, 0) if dialog == "skins" else (40, 40, 40)
            d.rectangle((box[0], box[1], box[2] - 1, box[3] - 1), fill=fill)
        if dialog == "fire-key":
            for (y0, y1), s in zip([(104, 118), (138, 152), (172, 186)], ["Times", "Make Time", "Break Time"]):
                text(client, (-7, y0, 78, y1), s, col, align="right")
            for box, v in zip(DIALOGS[dialog][2], ["1", "32", "32"]):
                text(client, box, v, (255, 255, 255))
            text(client, (23, 198, 433, 224), "Time (value range 5-255)", col, align="left")
            text(client, (23, 214, 433, 240),
                 "Times (value range 0-127,0 indicates fire key to end when the key released)", col, align="left")
        if dialog == "single-key":
            text(client, (43, 108, 181, 124), "Please enter a key", (255, 255, 255))
            text(client, (73, 128, 151, 144), "A", (255, 255, 255))
        if dialog == "skins":
            text(client, (12, 64, 181, 94), "Please click to set the UI text color", col)
        win.alpha_composite(client, (1, 1))
        win.convert("RGB").save(os.path.join(outdir, f"{name}-{dialog}.png"))


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--preview", metavar="DIR", help="also write mock-ups of the page and the dialogs into DIR")
    ap.add_argument("--only", metavar="SKIN", help="draw only this skin")
    args = ap.parse_args()
    for name, palette in SKINS.items():
        if args.only and name != args.only:
            continue
        drawn = {}
        for scale, suffix in DENSITIES.items():
            with density(scale):
                drawn[scale] = build_skin(name, palette)
            folder = save_skin(name, drawn[scale], suffix)
        print(f"{name}: {len(drawn[1])} images at {len(drawn)} densities in {folder}")
        if args.preview:
            os.makedirs(args.preview, exist_ok=True)
            preview(name, palette, drawn[1], args.preview)
    return 0


if __name__ == "__main__":
    sys.exit(main())
