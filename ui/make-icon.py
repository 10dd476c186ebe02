#!/usr/bin/env python3
"""Draws the program's icon: a blue banner on a pole over green hills, as two 16-colour images
(32x32 and 16x16) in one .ico file. Run it again only to change the picture: python3 make-icon.py"""
import struct
import sys

# The standard 16-colour palette (blue, green, red, reserved) in the order the images index it.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
    (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
    (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, DARK_RED, DARK_GREEN, DARK_YELLOW, NAVY, GREY, RED, GREEN, YELLOW, BLUE, WHITE = 0, 1, 2, 3, 4, 8, 9, 10, 11, 12, 15
CLEAR = None


def picture(size):
    """Rows top to bottom of palette indexes, None where the icon is transparent."""
    s = size / 32.0
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            fx, fy = x / s, y / s
            colour = CLEAR
            # Hills: two overlapping arcs along the bottom.
            if (fx - 8) ** 2 + (fy - 38) ** 2 <= 14 ** 2 or (fx - 24) ** 2 + (fy - 40) ** 2 <= 15 ** 2:
                colour = DARK_GREEN if fy > 30 else GREEN
            # The pole.
            if 9 <= fx < 11 and 3 <= fy < 30:
                colour = DARK_YELLOW
            # The banner with a yellow border and a red disc.
            if 11 <= fx < 27 and 4 <= fy < 16:
                colour = NAVY if (fx < 12 or fx >= 26 or fy < 5 or fy >= 15) else BLUE
                if (fx - 19) ** 2 + (fy - 10) ** 2 <= 3.2 ** 2:
                    colour = RED
                if fx >= 26 or fy < 5 or fy >= 15:
                    colour = YELLOW
            if 9 <= fx < 11 and 1 <= fy < 3:
                colour = YELLOW
            row.append(colour)
        rows.append(row)
    return rows


def image(size):
    rows = picture(size)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in PALETTE)
    xor_stride = ((size * 4 + 31) // 32) * 4
    and_stride = ((size + 31) // 32) * 4
    xor = bytearray()
    mask = bytearray()
    for row in reversed(rows):  # bottom-up
        line = bytearray(xor_stride)
        bits = bytearray(and_stride)
        for x, colour in enumerate(row):
            index = 0 if colour is None else colour
            line[x // 2] |= index << (4 if x % 2 == 0 else 0)
            if colour is None:
                bits[x // 8] |= 0x80 >> (x % 8)
        xor += line
        mask += bits
    return header + palette + bytes(xor) + bytes(mask)


def main(path):
    images = [image(32), image(16)]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip((32, 16), images):
        out += struct.pack('<BBBBHHII', size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    with open(path, 'wb') as f:
        f.write(out + b''.join(images))


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else 'Vorandel.ico')
