#!/usr/bin/env python3
"""Writes korGUILogController.ico: a 32x32 and a 16x16 image, 32 bits per
pixel, of a log sheet with ruled lines and a green tick. Run it again only to
change the icon; the .ico beside it is what the build uses."""
import struct
import sys
from pathlib import Path


def pixel(size, x, y):
    # y counts from the top here; the image rows are written bottom-up.
    s = size / 32.0
    sheet = 5 * s <= x < 25 * s and 2 * s <= y < 30 * s
    border = sheet and (x < 6 * s or x >= 24 * s or y < 3 * s or y >= 29 * s)
    ruled = sheet and 8 * s <= x < 22 * s and int(y / s) in (8, 12, 16, 20)
    tick = abs((y - 24 * s) - (x - 18 * s)) < 1.6 * s and 18 * s <= x < 22 * s or \
        abs((y - 28 * s) + (x - 22 * s)) < 1.6 * s and 22 * s <= x < 30 * s
    if tick and 14 * s <= y < 30 * s:
        return (40, 160, 40, 255)
    if border:
        return (60, 60, 90, 255)
    if ruled:
        return (120, 140, 200, 255)
    if sheet:
        return (250, 250, 245, 255)
    return (0, 0, 0, 0)


def image(size):
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    rows = []
    for row in range(size):
        y = size - 1 - row
        rows.append(b''.join(bytes((b, g, r, a)) for (r, g, b, a) in
                             (pixel(size, x, y) for x in range(size))))
    mask_row = ((size + 31) // 32) * 4
    return header + b''.join(rows) + b'\0' * (mask_row * size)


def main():
    out = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).with_name('korGUILogController.ico')
    images = [image(32), image(16)]
    data = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, blob in zip((32, 16), images):
        data += struct.pack('<BBBBHHII', size, size, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    out.write_bytes(data + b''.join(images))


if __name__ == '__main__':
    main()
