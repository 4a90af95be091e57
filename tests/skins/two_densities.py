#!/usr/bin/python3
"""Every shipped picture NAME.png has its NAME@2x.png: exactly twice the size,
the same kind of alpha (hard 0/255 or none), drawn anew (not an enlargement
of NAME.png) and with the same look (reduced by 2, close to NAME.png).

    /usr/bin/python3 tests/skins/two_densities.py SKINS_DIR
"""
import glob
import os
import sys

from PIL import Image, ImageChops, ImageStat

# Mean absolute difference per channel (0..255) of the 2x reduced and the 1x,
# in any square of TILE pixels (a misplaced button shows in its own square).
# Not 0: hard alpha edges and small dots fall on other pixels at 2x (up to 7
# for the 18 x 18 frame buttons; a button misplaced on the page gives 23).
MAX_LOOK_DIFFERENCE = 10.0
TILE = 32
# A 2x picture drawn anew differs from every enlargement of the 1x (at least
# 0.1 for the large, mostly flat backgrounds); an enlargement by the same
# filter differs by nothing.
MIN_DETAIL = 0.03
ENLARGEMENTS = (Image.NEAREST, Image.BILINEAR, Image.BICUBIC, Image.LANCZOS)


def mean_difference(a, b):
    return sum(ImageStat.Stat(ImageChops.difference(a, b)).mean) / len(a.getbands())


def hard_alpha(img):
    return img.mode == "RGBA" and set(img.getchannel("A").getdata()) <= {0, 255}


def faults(one_path):
    two_path = one_path[:-len(".png")] + "@2x.png"
    if not os.path.exists(two_path):
        return ["no @2x picture"]
    one, two = Image.open(one_path), Image.open(two_path)
    if two.size != (one.size[0] * 2, one.size[1] * 2):
        return [f"@2x is {two.size}, not twice {one.size}"]
    found = []
    if (one.mode, hard_alpha(one)) != (two.mode, hard_alpha(two)):
        found.append(f"@2x is {two.mode} hard alpha {hard_alpha(two)}, 1x {one.mode} {hard_alpha(one)}")
    one, two = one.convert("RGBA"), two.convert("RGBA")
    reduced = two.reduce(2)
    tiles = [(x, y, x + TILE, y + TILE) for y in range(0, one.height, TILE) for x in range(0, one.width, TILE)]
    look, at = max((mean_difference(reduced.crop(t), one.crop(t)), t[:2]) for t in tiles)
    if look > MAX_LOOK_DIFFERENCE:
        found.append(f"@2x reduced differs from 1x by {look:.2f} at {at}")
    detail = min(mean_difference(two, one.resize(two.size, f)) for f in ENLARGEMENTS)
    if detail < MIN_DETAIL:
        found.append(f"@2x is an enlargement of 1x (differs by {detail:.3f})")
    return found


def main(skins_dir):
    pictures = sorted(p for p in glob.glob(os.path.join(skins_dir, "*", "*.png")) if not p.endswith("@2x.png"))
    failed = 0
    for path in pictures:
        for fault in faults(path):
            print(f"{os.path.relpath(path, skins_dir)}: {fault}")
            failed += 1
    print(f"{len(pictures)} pictures, {failed} faults")
    return 1 if failed or not pictures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
