#!/usr/bin/env python3
"""Writes resources/setup.ico: a printer drawn in 16x16 and 32x32, 32 bits per pixel."""
import os
import struct
import sys


def pixel(size, x, y):
    """Colour (b, g, r, a) of the printer picture at (x, y), y counted from the top."""
    s = size / 32.0
    def inside(x0, y0, x1, y1):
        return x0 * s <= x < x1 * s and y0 * s <= y < y1 * s
    if inside(9, 3, 23, 12):            # paper sheet
        if inside(11, 6, 21, 7) or inside(11, 9, 19, 10):
            return (150, 120, 100, 255)
        return (255, 255, 255, 255)
    if inside(3, 12, 29, 24):           # printer body
        if inside(23, 15, 26, 17):
            return (60, 200, 60, 255)   # power light
        if inside(3, 12, 29, 13):
            return (180, 110, 40, 255)
        return (153, 51, 0, 255)        # dark blue (BGR)
    if inside(8, 24, 24, 29):           # output tray with paper
        return (235, 235, 235, 255)
    return (0, 0, 0, 0)


def image(size):
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    rows = []
    for y in reversed(range(size)):     # bottom-up rows
        rows.append(b''.join(struct.pack('<BBBB', *pixel(size, x, y)) for x in range(size)))
    mask_row = ((size + 31) // 32) * 4
    mask = b'\0' * (mask_row * size)    # the alpha channel decides; the AND mask is clear
    return header + b''.join(rows) + mask


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), '..', 'resources', 'setup.ico')
    images = [image(16), image(32)]
    data = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, img in zip((16, 32), images):
        data += struct.pack('<BBBBHHII', size, size, 0, 0, 1, 32, len(img), offset)
        offset += len(img)
    data += b''.join(images)
    with open(out, 'wb') as f:
        f.write(data)


if __name__ == '__main__':
    main()
