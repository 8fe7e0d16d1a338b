#!/usr/bin/python3
"""Regenerates the program's icon, About-box bitmaps and hand cursor.

The binary files are committed; run this only to change the artwork.
Needs ImageMagick's `convert` for the icon and the bitmaps; the cursor is
written directly so that its hot spot is exact.
"""
import os
import struct
import subprocess
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))

ICON_BACK = "#1f5f8b"
BANNER_TOP = "#12395e"
BANNER_BOTTOM = "#3a9ec9"
FONT = "DejaVu-Sans-Bold"


def convert(*args):
    subprocess.run(["convert", *args], check=True)


def make_icon(path):
    # A white "T" on a rounded blue square, drawn per size so the small one stays crisp.
    with tempfile.TemporaryDirectory() as tmp:
        frames = []
        for size in (16, 32, 48):
            frame = os.path.join(tmp, f"t{size}.png")
            radius = max(2, size // 6)
            bar = max(2, size // 6)
            margin = max(2, size // 6)
            stem_left = (size - bar) // 2
            convert("-size", f"{size}x{size}", "xc:none",
                    "-fill", ICON_BACK,
                    "-draw", f"roundrectangle 0,0 {size - 1},{size - 1} {radius},{radius}",
                    "-fill", "white",
                    "-draw", f"rectangle {margin},{margin} {size - 1 - margin},{margin + bar - 1}",
                    "-draw", f"rectangle {stem_left},{margin} {stem_left + bar - 1},{size - 1 - margin}",
                    frame)
            frames.append(frame)
        # BMP-coded frames (not PNG) so every icon loader of the platform reads them.
        convert(*frames, "-define", "icon:format=bmp", path)


def make_banner(path, palette):
    width, height = 96, 64
    common = ["-size", f"{width}x{height}", f"gradient:{BANNER_TOP}-{BANNER_BOTTOM}",
              "-fill", "#ffffff80", "-draw", f"rectangle 0,{height - 6} {width - 1},{height - 5}",
              "-font", FONT, "-pointsize", "15", "-fill", "white",
              "-gravity", "center", "-annotate", "+0-4", "Tarnwick"]
    if palette:
        convert(*common, "-type", "Palette", "-colors", "256", "-compress", "none", f"BMP3:{path}")
    else:
        convert(*common, "-type", "TrueColor", "-compress", "none", f"BMP3:{path}")


# A pointing hand: X outline (black), . fill (white), blank transparent.
HAND = [
    "     XX",
    "    X..X",
    "    X..X",
    "    X..X",
    "    X..X",
    "    X..XXX",
    "    X..X..XXX",
    "    X..X..X..XX",
    "    X..X..X..X.X",
    "XXX X..X..X..X..X",
    "X..XX........X..X",
    "X...X...........X",
    " X..............X",
    "  X.............X",
    "  X............X",
    "   X...........X",
    "   X..........X",
    "    X.........X",
    "    X........X",
    "     X.......X",
    "     X.......X",
    "     XXXXXXXXX",
]
HOT_SPOT = (5, 0)


def make_cursor(path):
    size = 32
    xor_rows, and_rows = [], []
    for y in range(size):
        line = HAND[y] if y < len(HAND) else ""
        xor_bits = and_bits = 0
        for x in range(size):
            ch = line[x] if x < len(line) else " "
            bit = 1 << (size - 1 - x)
            if ch == " ":
                and_bits |= bit
            elif ch == ".":
                xor_bits |= bit
        xor_rows.append(struct.pack(">I", xor_bits))
        and_rows.append(struct.pack(">I", and_bits))
    # DIB rows run bottom-up; the height counts the XOR and the AND mask.
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 1, 0, 0, 0, 0, 2, 0)
    palette = struct.pack("<8B", 0, 0, 0, 0, 255, 255, 255, 0)
    image = header + palette + b"".join(reversed(xor_rows)) + b"".join(reversed(and_rows))
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", size, size, 2, 0, HOT_SPOT[0], HOT_SPOT[1], len(image), 6 + 16)
    with open(path, "wb") as out:
        out.write(directory + entry + image)


def main():
    make_icon(os.path.join(HERE, "Tarnwick.ico"))
    make_banner(os.path.join(HERE, "about.bmp"), palette=False)
    make_banner(os.path.join(HERE, "about256.bmp"), palette=True)
    make_cursor(os.path.join(HERE, "hand.cur"))


if __name__ == "__main__":
    main()
