#!/usr/bin/env python3
"""Draws the program's icon (res/Zelkor.ico: 32x32 in 16 and in 256 colours) and the About
picture (res/About.bmp: 150x108, 24-bit): three dumplings on a skewer. Run it to redraw them."""
import math
import struct
import pathlib

RES = pathlib.Path(__file__).resolve().parent.parent / "res"

VGA16 = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
         (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
         (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]


def dango(x, y, size):
    """The colour at (x, y) of a picture `size` wide, or None where it is transparent."""
    s = size / 32.0
    balls = [((22 * s, 9 * s), (255, 160, 200)), ((16 * s, 16 * s), (255, 255, 255)),
             ((10 * s, 23 * s), (120, 200, 90))]
    for (cx, cy), colour in balls:
        d = math.hypot(x - cx, y - cy)
        if d <= 5.6 * s:
            return (0, 0, 0) if d > 4.6 * s else colour
    # the skewer: a line from the lower left to the upper right
    if abs((x - 3 * s) - (29 * s - y)) <= 1.2 * s and 2 * s <= x <= 29 * s:
        return (160, 110, 40)
    return None


def nearest(colour, palette):
    return min(range(len(palette)),
               key=lambda i: sum((a - b) ** 2 for a, b in zip(colour, palette[i])))


def icon_image(bits, palette):
    size = 32
    pixels = [[dango(x + 0.5, y + 0.5, size) for x in range(size)] for y in range(size)]
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0, 0, 0, 0,
                         len(palette), 0)
    pal = b"".join(struct.pack("BBBB", b, g, r, 0) for r, g, b in palette)
    xor = bytearray()
    mask = bytearray()
    for y in reversed(range(size)):
        row = [nearest(p, palette) if p else 0 for p in pixels[y]]
        if bits == 4:
            xor += bytes((row[i] << 4) | row[i + 1] for i in range(0, size, 2))
        else:
            xor += bytes(row)
        m = 0
        line = bytearray()
        for x in range(size):
            m = (m << 1) | (0 if pixels[y][x] else 1)
            if x % 8 == 7:
                line.append(m)
                m = 0
        mask += line
    return header + pal + bytes(xor) + bytes(mask)


def write_icon():
    palette256 = VGA16 + [(r * 51, g * 51, b * 51) for r in range(6) for g in range(6)
                          for b in range(6)] + [(255, 160, 200), (120, 200, 90), (160, 110, 40)]
    palette256 += [(0, 0, 0)] * (256 - len(palette256))
    images = [icon_image(4, VGA16), icon_image(8, palette256)]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for image, colours, bits in zip(images, (16, 0), (4, 8)):
        out += struct.pack("<BBBBHHII", 32, 32, colours, 0, 1, bits, len(image), offset)
        offset += len(image)
    (RES / "Zelkor.ico").write_bytes(out + b"".join(images))


def write_picture():
    width, height = 150, 108
    rows = []
    for y in range(height):
        row = bytearray()
        for x in range(width):
            if y < 70:  # evening sky
                t = y / 70
                colour = (int(90 + 140 * t), int(140 + 60 * t), int(230 - 60 * t))
            else:  # a wooden table
                grain = int(12 * math.sin(x / 7 + y / 3))
                colour = (150 + grain, 100 + grain, 60 + grain)
            d = dango((x - 40) * 32 / 70, (y - 20) * 32 / 70, 32)
            if d:
                colour = d
            row += bytes((colour[2], colour[1], colour[0]))
        row += b"\0" * ((4 - len(row) % 4) % 4)
        rows.append(bytes(row))
    data = b"".join(reversed(rows))
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 3780, 3780, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(data), 0, 0, 14 + len(info))
    (RES / "About.bmp").write_bytes(header + info + data)


if __name__ == "__main__":
    write_icon()
    write_picture()
