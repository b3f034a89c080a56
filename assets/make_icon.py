#!/usr/bin/python3
"""Draws the program icon: a small satellite in grey line drawing on the left and the letters
"GPS" in dark grey on the right, on a transparent background, 48 x 48 pixels with alpha.

The window system scales it to 32 x 32 and 16 x 16, so the strokes are kept thick enough to
survive that. The PNG is written chunk by chunk here (IHDR, IDAT, IEND) so that the bytes do not
depend on Pillow's encoder settings.

Usage: /usr/bin/python3 assets/make_icon.py [output.png]
"""
import math
import os
import struct
import sys
import zlib

from PIL import Image, ImageDraw, ImageFont

SIZE = 48
SCALE = 8  # the satellite is drawn at eight times the size and reduced, for smooth edges

SATELLITE_GREY = (112, 118, 126, 255)
LETTER_GREY = (58, 62, 68, 255)
LETTER_FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"


def satellite():
    """The satellite, tilted 45 degrees: a body, two solar panels with a cell line each, a dish
    and two signal arcs, all as strokes of one grey."""
    big = SIZE * SCALE
    image = Image.new("RGBA", (big, big), (0, 0, 0, 0))
    draw = ImageDraw.Draw(image)
    cx, cy = 15.0, 15.0
    width = round(1.9 * SCALE)
    turn = math.radians(-45)

    def point(u, v):
        # The satellite's own axes: panels along u, the dish along v. Turned by 45 degrees so the
        # panels run from lower left to upper right and the dish looks down to the right.
        return ((cx + u * math.cos(turn) - v * math.sin(turn)) * SCALE,
                (cy + u * math.sin(turn) + v * math.cos(turn)) * SCALE)

    def outline(u0, v0, u1, v1):
        corners = [point(u0, v0), point(u1, v0), point(u1, v1), point(u0, v1)]
        draw.line(corners + [corners[0]], fill=SATELLITE_GREY, width=width, joint="curve")

    def segment(a, b):
        draw.line([point(*a), point(*b)], fill=SATELLITE_GREY, width=width)

    def arc(v, radius, spread):
        # An arc about the point (0, v), opening in the +v direction.
        x, y = point(0, v)
        r = radius * SCALE
        facing = math.degrees(turn) + 90
        draw.arc([x - r, y - r, x + r, y + r], facing - spread, facing + spread,
                 fill=SATELLITE_GREY, width=width)

    outline(-3.8, -3.8, 3.8, 3.8)
    for side in (-1, 1):
        segment((side * 3.8, 0), (side * 5.6, 0))
        u0, u1 = side * 5.6, side * 13.5
        outline(u0, -3.6, u1, 3.6)
        segment(((u0 + u1) / 2, -3.6), ((u0 + u1) / 2, 3.6))
    segment((0, 3.8), (0, 6.5))
    arc(4.5, 4.0, 60)
    arc(4.5, 8.5, 45)
    return image.reduce(SCALE)


def letters(image):
    draw = ImageDraw.Draw(image)
    face = ImageFont.truetype(LETTER_FONT, 18)
    draw.text((46.5, 45.5), "GPS", font=face, fill=LETTER_GREY, anchor="rs")


def render():
    image = satellite()
    letters(image)
    return image


def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def png_bytes(image):
    rgba = image.tobytes()
    stride = SIZE * 4
    raw = b"".join(b"\x00" + rgba[y * stride:(y + 1) * stride] for y in range(SIZE))
    header = struct.pack(">IIBBBBB", SIZE, SIZE, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "embed",
                                                                "icon.png")
    data = png_bytes(render())
    with open(out, "wb") as f:
        f.write(data)
    print("%s: %d bytes" % (out, len(data)))


if __name__ == "__main__":
    main()
