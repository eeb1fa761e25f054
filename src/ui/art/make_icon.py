#!/usr/bin/env python3
"""Writes TaveroMirelle.ico: the program's icon, a white key cap on a green rounded square.

Six images: 16, 32 and 48 pixels at 4 bits, 48 at 8 bits, 48 and 64 at 32 bits with alpha.
Run it again only to change the artwork; the build uses the committed file.
"""
import struct
import sys

GREEN = (0, 153, 102)
WHITE = (255, 255, 255)
DARK = (0, 90, 60)


def shape(x, y, size):
    """Colour and coverage (0..1) of the pixel centre (x, y) in a size x size icon."""
    u = (x + 0.5) / size
    v = (y + 0.5) / size
    r = 0.22

    def in_round_rect(u, v, left, top, right, bottom, radius):
        if not (left <= u <= right and top <= v <= bottom):
            return False
        cx = min(max(u, left + radius), right - radius)
        cy = min(max(v, top + radius), bottom - radius)
        return (u - cx) ** 2 + (v - cy) ** 2 <= radius ** 2

    if not in_round_rect(u, v, 0.02, 0.02, 0.98, 0.98, r):
        return None
    if in_round_rect(u, v, 0.2, 0.22, 0.8, 0.72, 0.1):
        if 0.32 <= u <= 0.68 and 0.56 <= v <= 0.62:
            return GREEN
        return WHITE
    if 0.2 <= u <= 0.8 and 0.72 < v <= 0.8:
        return DARK
    return GREEN


VGA16 = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
         (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
         (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]


def nearest(colour, palette):
    return min(range(len(palette)),
               key=lambda i: sum((a - b) ** 2 for a, b in zip(colour, palette[i])))


def row_bytes(bits_per_row):
    return ((bits_per_row + 31) // 32) * 4


def image(size, bpp):
    pixels = [[shape(x, y, size) for x in range(size)] for y in range(size)]
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, bpp, 0, 0, 0, 0, 0, 0)
    palette = b''
    xor = bytearray()
    if bpp == 4:
        pal = VGA16
    elif bpp == 8:
        pal = VGA16 + [GREEN, WHITE, DARK] + [(0, 0, 0)] * (256 - 19)
    else:
        pal = None
    if pal:
        palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in pal)
    for y in reversed(range(size)):  # bottom-up
        row = bytearray()
        if bpp == 32:
            for x in range(size):
                c = pixels[y][x]
                row += struct.pack('<BBBB', c[2], c[1], c[0], 255) if c else b'\0\0\0\0'
        else:
            idx = [nearest(c, pal) if c else 0 for c in pixels[y]]
            if bpp == 8:
                row += bytes(idx)
            else:
                for i in range(0, size, 2):
                    row.append((idx[i] << 4) | idx[i + 1])
        row += b'\0' * (row_bytes(size * bpp) - len(row))
        xor += row
    mask = bytearray()
    for y in reversed(range(size)):
        row = bytearray(row_bytes(size))
        for x in range(size):
            if pixels[y][x] is None:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    return header + palette + bytes(xor) + bytes(mask)


def main(path):
    formats = [(16, 4), (32, 4), (48, 4), (48, 8), (48, 32), (64, 32)]
    images = [image(size, bpp) for size, bpp in formats]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for (size, bpp), data in zip(formats, images):
        out += struct.pack('<BBBBHHII', size, size, 16 if bpp == 4 else 0, 0, 1, bpp, len(data),
                           offset)
        offset += len(data)
    out += b''.join(images)
    with open(path, 'wb') as f:
        f.write(out)


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else 'TaveroMirelle.ico')
