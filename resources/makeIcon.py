#!/usr/bin/env python3
"""Writes korGUILogController.ico: a log sheet with ruled lines and a green
tick, drawn afresh at every size Windows asks for at 100 to 200 % scaling
(16 to 64 pixels) and at 256 for Explorer, 32 bits per pixel with alpha. The
256-pixel image is stored as PNG, as Windows expects. Run it again only to
change the icon; the .ico beside it is what the build uses."""
import struct
import sys
import zlib
from pathlib import Path

SIZES = (16, 20, 24, 32, 40, 48, 64, 256)
# Sizes whose image is stored as PNG; the others as bitmaps.
PNG_SIZES = (256,)


def edge(size, units):
    """A length given in units of a 32-pixel image, on this size's pixel grid."""
    return int(units * size / 32.0 + 0.5)


def pixel(size, x, y):
    # x and y are a sample's position, y counting from the top (the image rows
    # are written bottom-up). Edges lie on the pixel grid, so that no line of
    # the drawing falls between two pixels of a small image.
    s = size / 32.0
    line = max(1, edge(size, 1))
    left, right, top, bottom = edge(size, 5), edge(size, 25), edge(size, 2), edge(size, 30)
    sheet = left <= x < right and top <= y < bottom
    border = sheet and (x < left + line or x >= right - line or y < top + line or y >= bottom - line)
    ruled = sheet and edge(size, 8) <= x < edge(size, 22) and \
        any(edge(size, row) <= y < edge(size, row) + line for row in (8, 12, 16, 20))
    stroke = max(1.1, 1.6 * s)
    tick = abs((y - 24 * s) - (x - 18 * s)) < stroke and 18 * s <= x < 22 * s or \
        abs((y - 28 * s) + (x - 22 * s)) < stroke and 22 * s <= x < 30 * s
    if tick and 14 * s <= y < 30 * s:
        return (40, 160, 40, 255)
    if border:
        return (60, 60, 90, 255)
    if ruled:
        return (120, 140, 200, 255)
    if sheet:
        return (250, 250, 245, 255)
    return (0, 0, 0, 0)


def smooth_pixel(size, x, y):
    # Small images keep hard edges, so they stay crisp; from 48 pixels on the
    # edges are averaged over 4 x 4 samples.
    samples = 1 if size < 48 else 4
    total = [0, 0, 0, 0]
    for sy in range(samples):
        for sx in range(samples):
            r, g, b, a = pixel(size, x + (sx + 0.5) / samples, y + (sy + 0.5) / samples)
            total = [total[0] + r * a, total[1] + g * a, total[2] + b * a, total[3] + a]
    alpha = total[3]
    if alpha == 0:
        return (0, 0, 0, 0)
    return (round(total[0] / alpha), round(total[1] / alpha), round(total[2] / alpha),
            round(alpha / (samples * samples)))


def rows(size):
    """The image's rows from the top, each as (r, g, b, a) tuples."""
    return [[smooth_pixel(size, x, y) for x in range(size)] for y in range(size)]


def bitmap_image(size):
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b''.join(bytes((b, g, r, a)) for row in reversed(rows(size)) for (r, g, b, a) in row)
    mask_row = ((size + 31) // 32) * 4
    return header + pixels + b'\0' * (mask_row * size)


def png_chunk(kind, data):
    return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))


def png_image(size):
    raw = b''.join(b'\0' + bytes(value for rgba in row for value in rgba) for row in rows(size))
    header = struct.pack('>IIBBBBB', size, size, 8, 6, 0, 0, 0)  # 8-bit RGBA
    return (b'\x89PNG\r\n\x1a\n' + png_chunk(b'IHDR', header) +
            png_chunk(b'IDAT', zlib.compress(raw, 9)) + png_chunk(b'IEND', b''))


def main():
    out = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).with_name('korGUILogController.ico')
    images = [png_image(size) if size in PNG_SIZES else bitmap_image(size) for size in SIZES]
    data = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, blob in zip(SIZES, images):
        # A width or height of 256 is written as 0.
        data += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    out.write_bytes(data + b''.join(images))


if __name__ == '__main__':
    main()
