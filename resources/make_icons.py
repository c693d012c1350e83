#!/usr/bin/env python3
"""Draws the Velkora icon: a round clock face with two hands on a raised grey tile.

Writes the vector master (velkora.svg), PNG images at 16, 32, 48, 256, 192 and 512 pixels, a
512-pixel maskable image for phone home screens (the tile shrunk into the middle of a grey
square, so that any mask shape leaves it whole) and the Windows icon (velkora.ico, 16 x 16 and
32 x 32 in 16 colours). The small sizes use the 16 standard
colours only; the large ones are smoothed. Run it again after changing the drawing:

    python3 resources/make_icons.py
"""
import math
import os
import struct
import zlib

HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "icons")

# The 16 standard colours of a 4-bit display.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
    (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
    (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, SILVER, GREY, RED, WHITE, NAVY = (0, 0, 0), (192, 192, 192), (128, 128, 128), (255, 0, 0), (255, 255, 255), (0, 0, 128)

# The drawing on a 32 x 32 grid.
BEVEL = 2.0
CENTRE = (16.0, 16.0)
FACE_RADIUS = 11.5
RIM = 1.6
HOUR = (math.radians(300), 6.0, 2.2)     # ten o'clock: angle from twelve, length, width
MINUTE = (math.radians(60), 9.0, 1.6)    # ten past
HUB = 1.6


def segment_distance(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(px - ax - t * dx, py - ay - t * dy)


def hand_end(angle, length):
    return CENTRE[0] + length * math.sin(angle), CENTRE[1] - length * math.cos(angle)


def colour_at(x, y):
    """Colour of the point (x, y) on the 32 x 32 grid, painted back to front."""
    if x < BEVEL and y < 32 - x or y < BEVEL and x < 32 - y:
        colour = WHITE
    elif x >= 32 - BEVEL / 2 or y >= 32 - BEVEL / 2:
        colour = BLACK
    elif x >= 32 - BEVEL or y >= 32 - BEVEL:
        colour = GREY
    else:
        colour = SILVER
    r = math.hypot(x - CENTRE[0], y - CENTRE[1])
    if r <= FACE_RADIUS:
        colour = BLACK if r > FACE_RADIUS - RIM else WHITE
        for hour in range(12):
            a = math.radians(30 * hour)
            inner = FACE_RADIUS - RIM - (2.6 if hour % 3 == 0 else 1.4)
            ax, ay = hand_end(a, inner)
            bx, by = hand_end(a, FACE_RADIUS - RIM)
            if segment_distance(x, y, ax, ay, bx, by) <= (0.8 if hour % 3 == 0 else 0.5):
                colour = GREY if hour % 3 else NAVY
        for angle, length, width in (HOUR, MINUTE):
            ex, ey = hand_end(angle, length)
            if segment_distance(x, y, CENTRE[0], CENTRE[1], ex, ey) <= width / 2:
                colour = BLACK if (angle, length, width) == HOUR else RED
        if r <= HUB:
            colour = BLACK
    return colour


# At 16 x 16 pixels a smoothed drawing turns to mush: this size is drawn pixel by pixel.
SMALL = """
WWWWWWWWWWWWWWWk
Wsssssssssssssgk
WsssskkkkkssssgK
WsskkWWnWWkkssgk
WskWWWWWWWrWksgk
WskWWkWWWrWWksgk
WskWWWkWrWWWksgk
WsknWWWkWWWnksgk
WskWWWWWWWWWksgk
WskWWWWWWWWWksgk
WskWWWWWWWWWksgk
WsskkWWnWWkkssgk
Wsssskkkkkssssgk
Wsssssssssssssgk
Wggggggggggggggk
kkkkkkkkkkkkkkkk
"""
SMALL_COLOURS = {"W": WHITE, "s": SILVER, "g": GREY, "k": BLACK, "K": BLACK, "r": RED, "n": NAVY}


def small_image():
    rows = SMALL.split()
    assert len(rows) == 16 and all(len(row) == 16 for row in rows)
    return [[SMALL_COLOURS[c] for c in row] for row in rows]


# A maskable image keeps what matters inside the middle circle of 80 % of its width; the tile
# takes 70 % and the rest is the tile's grey.
MASKABLE_SHARE = 0.7


def maskable_colour_at(x, y):
    tx, ty = (x - 16) / MASKABLE_SHARE + 16, (y - 16) / MASKABLE_SHARE + 16
    return colour_at(tx, ty) if 0 <= tx < 32 and 0 <= ty < 32 else SILVER


def render(size, samples, colour_at=colour_at):
    """Averages samples x samples points per pixel."""
    scale = 32.0 / size
    image = []
    for py in range(size):
        row = []
        for px in range(size):
            total = [0.0, 0.0, 0.0]
            for sy in range(samples):
                for sx in range(samples):
                    c = colour_at((px + (sx + 0.5) / samples) * scale, (py + (sy + 0.5) / samples) * scale)
                    for i in range(3):
                        total[i] += c[i]
            row.append(tuple(round(t / samples / samples) for t in total))
        image.append(row)
    return image


def nearest_index(colour):
    return min(range(16), key=lambda i: sum((a - b) ** 2 for a, b in zip(PALETTE[i], colour)))


def write_png(path, image):
    """An opaque image with a palette of the colours it uses (there are never more than 256):
    a byte a pixel, which compresses to a fraction of full colour."""
    size = len(image)
    palette = sorted({c for row in image for c in row})
    index = {c: i for i, c in enumerate(palette)}
    raw = b"".join(b"\0" + bytes(index[c] for c in row) for row in image)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n")
        f.write(chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 3, 0, 0, 0)))
        f.write(chunk(b"PLTE", bytes(v for c in palette for v in c)))
        f.write(chunk(b"IDAT", zlib.compress(raw, 9)))
        f.write(chunk(b"IEND", b""))


def ico_entry(indices):
    """A 4-bit device-independent bitmap with an all-opaque mask, bottom row first."""
    size = len(indices)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
    xor_row = (size // 2 + 3) // 4 * 4
    and_row = (size // 8 + 3) // 4 * 4
    pixels = b""
    for row in reversed(indices):
        packed = bytes(row[i] << 4 | row[i + 1] for i in range(0, size, 2))
        pixels += packed + b"\0" * (xor_row - len(packed))
    mask = b"\0" * (and_row * size)
    return header + palette + pixels + mask


def write_ico(path, images):
    entries = [ico_entry(image) for image in images]
    out = struct.pack("<HHH", 0, 1, len(entries))
    offset = 6 + 16 * len(entries)
    for image, data in zip(images, entries):
        size = len(image)
        out += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    with open(path, "wb") as f:
        f.write(out + b"".join(entries))


def write_svg(path):
    def hand(angle, length, width, colour):
        x, y = hand_end(angle, length)
        return (f'  <line x1="{CENTRE[0]}" y1="{CENTRE[1]}" x2="{x:.3f}" y2="{y:.3f}" '
                f'stroke="{colour}" stroke-width="{width}" stroke-linecap="round"/>\n')

    ticks = ""
    for hour in range(12):
        a = math.radians(30 * hour)
        major = hour % 3 == 0
        ax, ay = hand_end(a, FACE_RADIUS - RIM - (2.6 if major else 1.4))
        bx, by = hand_end(a, FACE_RADIUS - RIM)
        ticks += (f'  <line x1="{ax:.3f}" y1="{ay:.3f}" x2="{bx:.3f}" y2="{by:.3f}" '
                  f'stroke="{"#000080" if major else "#808080"}" stroke-width="{1.6 if major else 1.0}"/>\n')
    svg = (
        '<svg xmlns="http://www.w3.org/2000/svg" width="32" height="32" viewBox="0 0 32 32">\n'
        '  <title>Velkora</title>\n'
        '  <rect width="32" height="32" fill="#000000"/>\n'
        f'  <rect width="{32 - BEVEL / 2}" height="{32 - BEVEL / 2}" fill="#808080"/>\n'
        f'  <polygon points="0,0 32,0 {32 - BEVEL},{BEVEL} {BEVEL},{BEVEL} {BEVEL},{32 - BEVEL} 0,32" fill="#ffffff"/>\n'
        f'  <rect x="{BEVEL}" y="{BEVEL}" width="{32 - 2 * BEVEL}" height="{32 - 2 * BEVEL}" fill="#c0c0c0"/>\n'
        f'  <circle cx="{CENTRE[0]}" cy="{CENTRE[1]}" r="{FACE_RADIUS - RIM / 2}" fill="#ffffff" stroke="#000000" stroke-width="{RIM}"/>\n'
        + ticks
        + hand(*HOUR, "#000000")
        + hand(*MINUTE, "#ff0000")
        + f'  <circle cx="{CENTRE[0]}" cy="{CENTRE[1]}" r="{HUB}" fill="#000000"/>\n'
        '</svg>\n')
    with open(path, "w") as f:
        f.write(svg)


def main():
    os.makedirs(HERE, exist_ok=True)
    small = {}
    for size in (16, 32):
        image = small_image() if size == 16 else render(size, 4)
        indices = [[nearest_index(c) for c in row] for row in image]
        small[size] = indices
        write_png(os.path.join(HERE, f"velkora-{size}.png"), [[PALETTE[i] for i in row] for row in indices])
    for size in (48, 256):
        write_png(os.path.join(HERE, f"velkora-{size}.png"), render(size, 4))
    for size in (192, 512):
        write_png(os.path.join(HERE, f"velkora-{size}.png"), render(size, 2))
    write_png(os.path.join(HERE, "velkora-maskable-512.png"), render(512, 2, maskable_colour_at))
    write_ico(os.path.join(HERE, "velkora.ico"), [small[16], small[32]])
    write_svg(os.path.join(HERE, "velkora.svg"))


if __name__ == "__main__":
    main()
