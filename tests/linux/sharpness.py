#!/usr/bin/python3
"""Edge contrast of a window shot at twice the scale against the same window
shot unscaled and enlarged twice (what a scaled screen shows of plain
pictures): the mean square of the difference between neighbouring pixels,
across and down, on the grey levels. Squared, as a blurred edge keeps its
height but spreads it over more pixels: the mean absolute difference hardly
tells a sharp edge from a soft one, its square halves for an edge spread
over two pixels. Writes the enlarged shot beside the others.

Usage: sharpness.py SHOT_1X SHOT_2X ENLARGED_OUT MIN_RATIO [X,Y,W,H]
Prints "sharp2x=A enlarged=B ratio=R"; exits 1 when R is below MIN_RATIO.
X,Y,W,H (in the unscaled shot's pixels) measures that area only: one with
pictures and no text, as texts are drawn sharp at any scale.
"""
import sys

from PIL import Image, ImageChops, ImageStat


def edge_contrast(image):
    grey = image.convert("L")
    w, h = grey.size
    across = ImageChops.difference(grey.crop((1, 0, w, h)), grey.crop((0, 0, w - 1, h)))
    down = ImageChops.difference(grey.crop((0, 1, w, h)), grey.crop((0, 0, w, h - 1)))
    # The mean of the squares is the root mean square, squared.
    return (ImageStat.Stat(across).rms[0] ** 2 + ImageStat.Stat(down).rms[0] ** 2) / 2


def main():
    plain, doubled, out, least = sys.argv[1], sys.argv[2], sys.argv[3], float(sys.argv[4])
    sharp = Image.open(doubled).convert("RGB")
    enlarged = Image.open(plain).convert("RGB").resize(sharp.size, Image.BILINEAR)
    enlarged.save(out)
    if len(sys.argv) > 5:
        x, y, w, h = (2 * int(v) for v in sys.argv[5].split(","))
        sharp, enlarged = sharp.crop((x, y, x + w, y + h)), enlarged.crop((x, y, x + w, y + h))
    a, b = edge_contrast(sharp), edge_contrast(enlarged)
    ratio = a / b if b else 0.0
    print(f"sharp2x={a:.1f} enlarged={b:.1f} ratio={ratio:.2f}")
    return 0 if ratio >= least else 1


if __name__ == "__main__":
    sys.exit(main())
