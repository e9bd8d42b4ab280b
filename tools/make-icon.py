#!/usr/bin/env python3
"""Writes the programs' icons in 16x16 and 32x32, 32 bits per pixel:
  make-icon.py                       resources/setup.ico, a printer
  make-icon.py uninstall [out.ico]   resources/uninstall.ico, the printer with a red cross
  make-icon.py restart [out.ico]     resources/restart.ico, a circular arrow
"""
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


def uninstall_pixel(size, x, y):
    """The printer with a red cross over its lower right part."""
    s = size / 32.0
    u, v = x / s - 22, y / s - 22      # centre of the cross
    if -9 <= u <= 9 and -9 <= v <= 9 and (abs(u - v) <= 2.2 or abs(u + v) <= 2.2):
        return (30, 30, 210, 255)
    return pixel(size, x, y)


def restart_pixel(size, x, y):
    """A blue ring open at the top right, with an arrow head at its end."""
    s = size / 32.0
    u, v = x / s - 16, y / s - 16
    r2 = u * u + v * v
    if 8 * 8 <= r2 <= 12 * 12 and not (u > 0 and v < 0 and u > -v * 0.2):
        return (200, 110, 20, 255)
    if 13 <= x / s <= 25 and 1 <= y / s <= 11 and (x / s - 13) + (11 - y / s) <= 12 and x / s >= y / s + 8 - 6:
        return (200, 110, 20, 255)
    return (0, 0, 0, 0)


PICTURES = {'setup': pixel, 'uninstall': uninstall_pixel, 'restart': restart_pixel}


def image(size, draw=pixel):
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    rows = []
    for y in reversed(range(size)):     # bottom-up rows
        rows.append(b''.join(struct.pack('<BBBB', *draw(size, x, y)) for x in range(size)))
    mask_row = ((size + 31) // 32) * 4
    mask = b'\0' * (mask_row * size)    # the alpha channel decides; the AND mask is clear
    return header + b''.join(rows) + mask


def main():
    args = sys.argv[1:]
    name = args.pop(0) if args and args[0] in PICTURES else 'setup'
    out = args[0] if args else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), '..', 'resources', name + '.ico')
    images = [image(16, PICTURES[name]), image(32, PICTURES[name])]
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
