#!/usr/bin/env python3
"""Draws the program's artwork and writes it into resources/art/.

Standard library only, deterministic: running it again gives the same bytes, so the generated
files are committed and a build needs no generator.

    scripts/make_artwork.py [output folder]

Everything is drawn from simple shapes with 4x4 supersampling; the encoders below write the
Windows formats (ICO with 32-bit images and AND masks, CUR with a 1-bit image, 24-bit BMP) and
GIF89a (LZW, one optional transparent colour).
"""

import math
import os
import struct
import sys

SUPERSAMPLE = 4

# The program's colours: three taskbar buttons and the arrow that reorders them.
BLUE = (52, 120, 214)
GREEN = (64, 168, 86)
ORANGE = (236, 142, 40)
ARROW = (40, 40, 48)
RED = (212, 56, 48)
GREY = (120, 120, 128)
WHITE = (255, 255, 255)
MAGENTA = (255, 0, 255)  # the transparent colour of the menu image strip


# ----------------------------------------------------------------------------------------------
# Drawing


class Canvas:
    """RGBA pixels, straight (not premultiplied) alpha, 0..255 integers in rows top to bottom."""

    def __init__(self, width, height, fill=(0, 0, 0, 0)):
        self.width = width
        self.height = height
        self.pixels = [[tuple(fill) for _ in range(width)] for _ in range(height)]

    def blend(self, x, y, color, coverage):
        """Draws colour (RGB or RGBA) over pixel (x, y) with the given coverage 0..1."""
        if coverage <= 0 or not (0 <= x < self.width and 0 <= y < self.height):
            return
        r, g, b = color[:3]
        a = (color[3] / 255.0 if len(color) > 3 else 1.0) * min(coverage, 1.0)
        dr, dg, db, da = self.pixels[y][x]
        da /= 255.0
        out_a = a + da * (1 - a)
        if out_a <= 0:
            return
        mix = lambda s, d: (s * a + d * da * (1 - a)) / out_a
        self.pixels[y][x] = (round(mix(r, dr)), round(mix(g, dg)), round(mix(b, db)), round(out_a * 255))

    def fill_shape(self, inside, color, box=None):
        """Fills every point for which inside(x, y) holds, x and y in pixel units (0 = left edge)."""
        x0, y0, x1, y1 = box or (0, 0, self.width, self.height)
        x0, y0 = max(0, int(math.floor(x0))), max(0, int(math.floor(y0)))
        x1, y1 = min(self.width, int(math.ceil(x1))), min(self.height, int(math.ceil(y1)))
        step = 1.0 / SUPERSAMPLE
        samples = SUPERSAMPLE * SUPERSAMPLE
        for y in range(y0, y1):
            for x in range(x0, x1):
                hits = 0
                for sy in range(SUPERSAMPLE):
                    for sx in range(SUPERSAMPLE):
                        if inside(x + (sx + 0.5) * step, y + (sy + 0.5) * step):
                            hits += 1
                self.blend(x, y, color, hits / samples)

    def rounded_rect(self, left, top, right, bottom, radius, color):
        def inside(x, y):
            if not (left <= x <= right and top <= y <= bottom):
                return False
            cx = min(max(x, left + radius), right - radius)
            cy = min(max(y, top + radius), bottom - radius)
            return (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius
        self.fill_shape(inside, color, (left, top, right, bottom))

    def rect(self, left, top, right, bottom, color):
        self.rounded_rect(left, top, right, bottom, 0, color)

    def circle(self, cx, cy, radius, color, inner=0.0):
        def inside(x, y):
            d = (x - cx) ** 2 + (y - cy) ** 2
            return inner * inner <= d <= radius * radius
        self.fill_shape(inside, color, (cx - radius, cy - radius, cx + radius, cy + radius))

    def polygon(self, points, color):
        def inside(x, y):
            result = False
            j = len(points) - 1
            for i, (xi, yi) in enumerate(points):
                xj, yj = points[j]
                if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                    result = not result
                j = i
            return result
        xs = [p[0] for p in points]
        ys = [p[1] for p in points]
        self.fill_shape(inside, color, (min(xs), min(ys), max(xs), max(ys)))

    def line(self, x0, y0, x1, y1, width, color):
        half = width / 2.0

        def inside(x, y):
            dx, dy = x1 - x0, y1 - y0
            length2 = dx * dx + dy * dy
            t = 0 if length2 == 0 else max(0, min(1, ((x - x0) * dx + (y - y0) * dy) / length2))
            px, py = x0 + t * dx - x, y0 + t * dy - y
            return px * px + py * py <= half * half
        self.fill_shape(inside, color, (min(x0, x1) - half, min(y0, y1) - half,
                                        max(x0, x1) + half, max(y0, y1) + half))

    def paste(self, other, left, top):
        for y, row in enumerate(other.pixels):
            for x, pixel in enumerate(row):
                self.blend(left + x, top + y, pixel, 1.0)

    def text(self, left, top, text, scale, color):
        """Draws text in the 5x7 pixel font below, each font pixel scale x scale pixels."""
        x = left
        for ch in text:
            rows = FONT.get(ch, FONT[" "])
            for row, bits in enumerate(rows):
                for col, bit in enumerate(bits):
                    if bit == "#":
                        self.rect(x + col * scale, top + row * scale,
                                  x + (col + 1) * scale, top + (row + 1) * scale, color)
            x += (len(rows[0]) + 1) * scale
        return x

    def text_width(self, text, scale):
        return sum((len(FONT.get(ch, FONT[" "])[0]) + 1) * scale for ch in text) - scale


FONT = {
    " ": ["...", "...", "...", "...", "...", "...", "..."],
    ".": [".", ".", ".", ".", ".", ".", "#"],
    "R": ["####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"],
    "o": [".....", ".....", ".###.", "#...#", "#...#", "#...#", ".###."],
    "w": [".....", ".....", "#...#", "#...#", "#.#.#", "#.#.#", ".#.#."],
    "t": [".#...", ".#...", "####.", ".#...", ".#...", ".#..#", "..##."],
    "e": [".....", ".....", ".###.", "#...#", "#####", "#....", ".###."],
    "n": [".....", ".....", "####.", "#...#", "#...#", "#...#", "#...#"],
    "d": ["....#", "....#", ".####", "#...#", "#...#", "#...#", ".####"],
    "r": [".....", ".....", "#.##.", "##..#", "#....", "#....", "#...."],
    "a": [".....", ".....", ".###.", "....#", ".####", "#...#", ".####"],
    "s": [".....", ".....", ".####", "#....", ".###.", "....#", "####."],
    "k": ["#....", "#....", "#..#.", "#.#..", "##...", "#.#..", "#..#."],
    "b": ["#....", "#....", "####.", "#...#", "#...#", "#...#", "####."],
    "u": [".....", ".....", "#...#", "#...#", "#...#", "#..##", ".##.#"],
    "E": ["#####", "#....", "#....", "####.", "#....", "#....", "#####"],
    "p": [".....", ".....", "####.", "#...#", "####.", "#....", "#...."],
    "i": [".#.", "...", "##.", ".#.", ".#.", ".#.", "###"],
    "l": ["##.", ".#.", ".#.", ".#.", ".#.", ".#.", "###"],
    "y": [".....", ".....", "#...#", "#...#", ".####", "....#", "###.."],
}


def draw_taskbar_buttons(c, left, top, right, bottom, gap):
    """Three coloured taskbar buttons side by side in the given box."""
    width = (right - left - 2 * gap) / 3.0
    radius = min(width, bottom - top) * 0.18
    for i, color in enumerate((BLUE, GREEN, ORANGE)):
        x = left + i * (width + gap)
        c.rounded_rect(x, top, x + width, bottom, radius, color)


def draw_swap_arrow(c, left, top, right, bottom, thickness):
    """An arrow from right to left: a button moving to the front of the row."""
    mid = (top + bottom) / 2.0
    head = (bottom - top) / 2.0
    c.line(left + head * 0.9, mid, right - thickness / 2, mid, thickness, ARROW)
    c.polygon([(left, mid), (left + head * 1.3, top), (left + head * 1.3, bottom)], ARROW)


def main_icon(size):
    c = Canvas(size, size)
    s = size / 32.0
    c.rounded_rect(0.5 * s, 0.5 * s, 31.5 * s, 31.5 * s, 5 * s, (244, 246, 250))
    c.rounded_rect(0.5 * s, 22 * s, 31.5 * s, 31.5 * s, 4 * s, (70, 78, 96))  # the taskbar
    draw_taskbar_buttons(c, 3 * s, 23.5 * s, 29 * s, 30 * s, 1.5 * s)
    draw_swap_arrow(c, 4 * s, 6 * s, 28 * s, 17 * s, max(1.5, 3.2 * s))
    return c


def default_icon():
    """A plain application window: the fallback icon of a window that has none."""
    c = Canvas(16, 16)
    c.rect(1, 2, 15, 14, (64, 64, 72))
    c.rect(2, 3, 14, 5, (52, 120, 214))
    c.rect(2, 5, 14, 13, WHITE)
    c.rect(3, 7, 10, 8, (180, 180, 188))
    c.rect(3, 9, 12, 10, (180, 180, 188))
    return c


def info_icon():
    c = Canvas(32, 32)
    c.circle(16, 16, 15, (38, 102, 196))
    c.circle(16, 16, 15, (22, 70, 150), inner=13.8)
    c.circle(16, 9, 2.4, WHITE)
    c.rounded_rect(13.8, 13, 18.2, 25.5, 1.2, WHITE)
    return c


def tray_icon():
    c = Canvas(16, 16)
    c.rounded_rect(0, 10, 16, 16, 1.5, (70, 78, 96))
    draw_taskbar_buttons(c, 1, 11, 15, 15, 1)
    draw_swap_arrow(c, 2, 2, 15, 8.5, 2)
    return c


def menu_images():
    """Nine 16x16 menu images in one strip: on, off, settings, show, hide, refresh, about, web,
    updates."""
    c = Canvas(144, 16)
    glyphs = []

    def glyph(fn):
        glyphs.append(fn)
        return fn

    @glyph
    def on(g, x):
        g.circle(x + 8, 8, 6.5, GREEN)
        g.line(x + 5, 8, x + 7.2, 10.5, 1.8, WHITE)
        g.line(x + 7.2, 10.5, x + 11, 5.5, 1.8, WHITE)

    @glyph
    def off(g, x):
        g.circle(x + 8, 8, 6.5, RED)
        g.line(x + 5.5, 5.5, x + 10.5, 10.5, 1.8, WHITE)
        g.line(x + 10.5, 5.5, x + 5.5, 10.5, 1.8, WHITE)

    @glyph
    def settings(g, x):
        for k in range(8):
            angle = k * math.pi / 4
            g.line(x + 8, 8, x + 8 + 6.8 * math.cos(angle), 8 + 6.8 * math.sin(angle), 2.6, GREY)
        g.circle(x + 8, 8, 5, GREY)
        g.circle(x + 8, 8, 2, WHITE)

    @glyph
    def show(g, x):
        g.rect(x + 1, 2, x + 15, 14, (64, 64, 72))
        g.rect(x + 2, 3, x + 14, 5, BLUE)
        g.rect(x + 2, 5, x + 14, 13, WHITE)

    @glyph
    def hide(g, x):
        g.rect(x + 1, 11, x + 15, 15, (70, 78, 96))
        g.polygon([(x + 4, 3), (x + 12, 3), (x + 8, 9)], BLUE)

    @glyph
    def refresh(g, x):
        ring = Canvas(16, 16)
        ring.circle(8, 8, 6, GREEN, inner=4)
        for yy in range(0, 8):
            for xx in range(8, 16):
                ring.pixels[yy][xx] = (0, 0, 0, 0)  # a gap in the ring's upper right quarter
        g.paste(ring, x, 0)
        g.polygon([(x + 8, 0.5), (x + 12, 3.5), (x + 8, 6.5)], GREEN)

    @glyph
    def about(g, x):
        g.circle(x + 8, 8, 7, (38, 102, 196))
        g.rect(x + 7, 3, x + 9, 5, WHITE)
        g.rect(x + 7, 6.5, x + 9, 12.5, WHITE)

    @glyph
    def web(g, x):
        g.circle(x + 8, 8, 7, BLUE)
        g.circle(x + 8, 8, 7, (22, 70, 150), inner=6)
        g.rect(x + 1.5, 7.5, x + 14.5, 8.5, WHITE)
        g.rect(x + 7.5, 1.5, x + 8.5, 14.5, WHITE)
        g.circle(x + 8, 8, 3.8, WHITE, inner=2.9)

    @glyph
    def updates(g, x):
        g.rect(x + 6, 1, x + 10, 8, GREEN)
        g.polygon([(x + 2.5, 7.5), (x + 13.5, 7.5), (x + 8, 13)], GREEN)
        g.rect(x + 2, 14, x + 14, 15.5, GREY)

    for index, draw in enumerate(glyphs):
        draw(c, index * 16)
    # The strip has no alpha channel: mostly transparent pixels become the key colour, the rest
    # are flattened over a menu's light background so that no pink fringe shows.
    return key_transparent(c, MAGENTA, (240, 240, 240))


def tile():
    """The banner tile: white with a light grey diagonal every fourth pixel."""
    c = Canvas(8, 8, WHITE + (255,))
    for y in range(8):
        for x in range(8):
            if (x + y) % 4 == 3:
                c.pixels[y][x] = (236, 236, 236, 255)
    return c


def link_cursor():
    """The pointing hand of the link label as 32 rows of 32 characters: 'X' black outline, '.'
    white, ' ' transparent. The index finger points up and left, its tip at the hot spot (0, 0)."""
    hand = Canvas(32, 32)
    hand.line(2.2, 2.2, 10, 10, 4.4, WHITE)  # index finger
    hand.polygon([(6.5, 12.5), (12.5, 6.5), (23, 15), (23.5, 21), (21, 23.5), (15, 23)], WHITE)  # fist
    hand.line(7, 12.5, 12.5, 19.5, 4.4, WHITE)  # thumb
    hand.line(18.5, 25.5, 25.5, 18.5, 5, WHITE)  # wrist
    creases = Canvas(32, 32)
    for k in range(3):
        creases.line(13 + 3 * k, 9.5 + 2 * k, 16 + 2 * k, 12 + 3 * k, 1, WHITE)
    inside = [[hand.pixels[y][x][3] >= 128 for x in range(32)] for y in range(32)]

    def outline(x, y):
        return any(0 <= x + dx < 32 and 0 <= y + dy < 32 and inside[y + dy][x + dx]
                   for dx in (-1, 0, 1) for dy in (-1, 0, 1))

    rows = []
    for y in range(32):
        row = ""
        for x in range(32):
            if inside[y][x] and 0 < x < 31 and 0 < y < 31 and creases.pixels[y][x][3] < 128:
                row += "."
            elif inside[y][x] or outline(x, y):
                row += "X"
            else:
                row += " "
        rows.append(row)
    rows[0] = "X" + rows[0][1:]  # the hot spot is the tip's outline
    return rows


def about_banner():
    """174x45: the three buttons and the arrow beside the program's name, transparent corners."""
    c = Canvas(174, 45)
    c.rounded_rect(0, 0, 174, 45, 8, (236, 242, 252))
    c.rounded_rect(0, 0, 174, 45, 8, (52, 120, 214, 60))
    c.rounded_rect(1, 1, 173, 44, 7, (248, 250, 254))
    draw_swap_arrow(c, 8, 7, 42, 19, 3)
    draw_taskbar_buttons(c, 8, 24, 44, 37, 2)
    c.text(52, 13, "Rowtender", 2, (32, 48, 88))
    return c


def report_banner():
    """460x60: the error report dialog's heading strip."""
    c = Canvas(460, 60)
    for y in range(60):
        shade = 255 - y // 3
        for x in range(460):
            c.pixels[y][x] = (shade - x // 36, shade - x // 52, 255, 255)
    draw_taskbar_buttons(c, 14, 34, 62, 50, 3)
    c.polygon([(38, 6), (58, 30), (18, 30)], RED)
    c.rect(37, 13, 39.5, 23, WHITE)
    c.rect(37, 25, 39.5, 27.5, WHITE)
    x = c.text(78, 14, "Rowtender", 3, (32, 48, 88))
    c.text(78, 40, "Error report", 2, (70, 78, 96))
    return c


# ----------------------------------------------------------------------------------------------
# Encoders


def dib_header(width, height, bits, colors=0, image_size=0):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, image_size, 0, 0, colors, 0)


def and_mask(canvas):
    """1-bit AND mask, bottom-up, rows padded to 32 bits: set where the pixel is transparent."""
    stride = ((canvas.width + 31) // 32) * 4
    out = bytearray()
    for y in reversed(range(canvas.height)):
        row = bytearray(stride)
        for x in range(canvas.width):
            if canvas.pixels[y][x][3] < 128:
                row[x // 8] |= 0x80 >> (x % 8)
        out += row
    return bytes(out)


def icon_image(canvas):
    """One icon image: BITMAPINFOHEADER (double height), 32-bit BGRA bottom-up, AND mask."""
    xor = bytearray()
    for y in reversed(range(canvas.height)):
        for r, g, b, a in canvas.pixels[y]:
            xor += bytes((b, g, r, a))
    return dib_header(canvas.width, canvas.height * 2, 32) + bytes(xor) + and_mask(canvas)


def ico_file(canvases):
    images = [icon_image(c) for c in canvases]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for c, data in zip(canvases, images):
        out += struct.pack("<BBBBHHII", c.width % 256, c.height % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return out + b"".join(images)


def cur_file(art, hot_x, hot_y):
    """A 32x32 1-bit cursor: black, white and transparent pixels from character art."""
    size = 32
    stride = 4
    xor, mask = bytearray(), bytearray()
    for y in reversed(range(size)):
        xor_row, and_row = bytearray(stride), bytearray(stride)
        for x in range(size):
            ch = art[y][x]
            bit = 0x80 >> (x % 8)
            if ch == " ":
                and_row[x // 8] |= bit
            elif ch == ".":
                xor_row[x // 8] |= bit
        xor += xor_row
        mask += and_row
    palette = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    image = dib_header(size, size * 2, 1, 2) + palette + bytes(xor) + bytes(mask)
    header = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", size, size, 2, 0, hot_x, hot_y, len(image), 6 + 16)
    return header + entry + image


def bmp_file(canvas):
    """24-bit BMP, bottom-up."""
    stride = (canvas.width * 3 + 3) & ~3
    pixels = bytearray()
    for y in reversed(range(canvas.height)):
        row = bytearray()
        for r, g, b, _ in canvas.pixels[y]:
            row += bytes((b, g, r))
        pixels += row + bytes(stride - len(row))
    info = dib_header(canvas.width, canvas.height, 24, 0, len(pixels))
    file_header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return file_header + info + bytes(pixels)


def palette_of(canvas, max_colors):
    """The most frequent opaque colours, at most max_colors; every pixel maps to its nearest."""
    counts = {}
    for row in canvas.pixels:
        for r, g, b, a in row:
            if a >= 128:
                counts[(r, g, b)] = counts.get((r, g, b), 0) + 1
    ranked = sorted(counts, key=lambda color: (-counts[color], color))
    return ranked[:max_colors]


def gif_file(canvas):
    """GIF89a with a global palette; pixels under half opacity become the transparent index."""
    palette = palette_of(canvas, 255)
    transparent = len(palette)
    nearest = {}

    def index_of(r, g, b, a):
        if a < 128:
            return transparent
        key = (r, g, b)
        if key not in nearest:
            nearest[key] = min(range(len(palette)),
                               key=lambda i: sum((p - q) ** 2 for p, q in zip(palette[i], key)))
        return nearest[key]

    indexes = [index_of(*p) for row in canvas.pixels for p in row]
    bits = max(2, (transparent).bit_length())
    table = list(palette) + [(0, 0, 0)] * ((1 << bits) - len(palette))
    out = bytearray(b"GIF89a")
    out += struct.pack("<HHBBB", canvas.width, canvas.height, 0x80 | ((bits - 1) << 4) | (bits - 1), 0, 0)
    for color in table:
        out += bytes(color)
    out += bytes((0x21, 0xF9, 4, 0x01, 0, 0, transparent, 0))  # graphic control: transparency
    out += bytes((0x2C,)) + struct.pack("<HHHHB", 0, 0, canvas.width, canvas.height, 0)
    out += bytes((bits,))
    data = lzw_encode(indexes, bits)
    for i in range(0, len(data), 255):
        block = data[i:i + 255]
        out += bytes((len(block),)) + block
    out += bytes((0, 0x3B))
    return bytes(out)


def lzw_encode(indexes, min_code_size):
    """GIF's variable-width LZW; the table restarts with a clear code when it fills."""
    clear, end = 1 << min_code_size, (1 << min_code_size) + 1
    out, buffer, nbits = bytearray(), 0, 0

    def emit(code, width):
        nonlocal buffer, nbits
        buffer |= code << nbits
        nbits += width
        while nbits >= 8:
            out.append(buffer & 0xFF)
            buffer >>= 8
            nbits -= 8

    def reset():
        return {(i,): i for i in range(clear)}, end + 1, min_code_size + 1

    table, next_code, width = reset()
    emit(clear, width)
    current = ()
    for index in indexes:
        candidate = current + (index,)
        if candidate in table:
            current = candidate
            continue
        emit(table[current], width)
        if next_code < 4096:
            table[candidate] = next_code
            next_code += 1
            if next_code > (1 << width) and width < 12:
                width += 1
        else:
            emit(clear, width)
            table, next_code, width = reset()
        current = (index,)
    if current:
        emit(table[current], width)
    emit(end, width)
    if nbits:
        out.append(buffer & 0xFF)
    return bytes(out)


def key_transparent(canvas, key, background):
    """An opaque copy: pixels under half opacity take the key colour, the others are composited
    over the background."""
    flat = Canvas(canvas.width, canvas.height, background + (255,))
    for y, row in enumerate(canvas.pixels):
        for x, pixel in enumerate(row):
            if pixel[3] < 128:
                flat.pixels[y][x] = key + (255,)
            else:
                flat.blend(x, y, pixel, 1.0)
    return flat


# ----------------------------------------------------------------------------------------------


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "resources", "art")
    os.makedirs(folder, exist_ok=True)
    files = {
        "main.ico": ico_file([main_icon(16), main_icon(32), main_icon(48)]),
        "default.ico": ico_file([default_icon()]),
        "info.ico": ico_file([info_icon()]),
        "tray.ico": ico_file([tray_icon()]),
        "menu_images.bmp": bmp_file(menu_images()),
        "tile.bmp": bmp_file(tile()),
        "link_hand.cur": cur_file(link_cursor(), 0, 0),
        "about_banner.gif": gif_file(about_banner()),
        "report_banner.gif": gif_file(report_banner()),
    }
    for name, data in files.items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)
        print(f"{name}: {len(data)} bytes")


if __name__ == "__main__":
    main()
