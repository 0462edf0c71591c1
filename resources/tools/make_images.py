#!/usr/bin/env python3
"""Draws the icons and bitmaps of Lumisat.exe into resources/.

Pure Python (no imaging library), so the files can be regenerated anywhere:
    python3 resources/tools/make_images.py
Shapes are rendered with 4 x 4 supersampling; icons carry 16, 32 and 48 pixel
images in 32-bit colour with alpha.
"""

import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
RESOURCES = os.path.dirname(HERE)
SUPERSAMPLE = 4


class Canvas:
    """RGBA image with straight (not premultiplied) alpha, values 0..1."""

    def __init__(self, width, height, background=(0.0, 0.0, 0.0, 0.0)):
        self.width = width
        self.height = height
        self.pixels = [[list(background) for _ in range(width)] for _ in range(height)]

    def paint(self, inside, colour, box=None):
        """Composites colour over every pixel by the share of its samples
        for which inside(x, y) holds; colour is (r, g, b[, a]) or a function
        of (x, y) giving one. box = (x0, y0, x1, y1) limits the work."""
        x0, y0, x1, y1 = box or (0, 0, self.width, self.height)
        x0, y0 = max(0, int(x0)), max(0, int(y0))
        x1, y1 = min(self.width, int(math.ceil(x1))), min(self.height, int(math.ceil(y1)))
        step = 1.0 / SUPERSAMPLE
        for py in range(y0, y1):
            for px in range(x0, x1):
                hits = 0
                for sy in range(SUPERSAMPLE):
                    for sx in range(SUPERSAMPLE):
                        if inside(px + (sx + 0.5) * step, py + (sy + 0.5) * step):
                            hits += 1
                if hits:
                    c = colour(px + 0.5, py + 0.5) if callable(colour) else colour
                    alpha = (c[3] if len(c) > 3 else 1.0) * hits / SUPERSAMPLE ** 2
                    self._blend(px, py, c, alpha)

    def _blend(self, x, y, c, alpha):
        dst = self.pixels[y][x]
        out_a = alpha + dst[3] * (1 - alpha)
        if out_a <= 0:
            return
        for i in range(3):
            dst[i] = (c[i] * alpha + dst[i] * dst[3] * (1 - alpha)) / out_a
        dst[3] = out_a

    def rgba8(self, x, y):
        return tuple(int(round(max(0.0, min(1.0, v)) * 255)) for v in self.pixels[y][x])


# --- shapes in pixel coordinates --------------------------------------------

def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ring(cx, cy, r_outer, r_inner):
    return lambda x, y: r_inner ** 2 <= (x - cx) ** 2 + (y - cy) ** 2 <= r_outer ** 2


def rounded_rect(x0, y0, x1, y1, radius):
    def inside(x, y):
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            return False
        cx = min(max(x, x0 + radius), x1 - radius)
        cy = min(max(y, y0 + radius), y1 - radius)
        return (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius
    return inside


def segment(ax, ay, bx, by, half_width):
    """A stroke with round ends from a to b."""
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy or 1e-9

    def inside(x, y):
        t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / length2))
        return (x - ax - t * dx) ** 2 + (y - ay - t * dy) ** 2 <= half_width ** 2
    return inside


def ellipse(cx, cy, rx, ry, angle_deg):
    cos_a, sin_a = math.cos(math.radians(angle_deg)), math.sin(math.radians(angle_deg))

    def inside(x, y):
        u = (x - cx) * cos_a + (y - cy) * sin_a
        v = -(x - cx) * sin_a + (y - cy) * cos_a
        return (u / rx) ** 2 + (v / ry) ** 2 <= 1.0
    return inside


def arc(cx, cy, radius, half_width, start_deg, end_deg):
    """Circular stroke between two angles (degrees, counter-clockwise from
    east, y pointing down as on screen)."""
    def inside(x, y):
        d = math.hypot(x - cx, y - cy)
        if abs(d - radius) > half_width:
            return False
        angle = math.degrees(math.atan2(cy - y, x - cx))
        return start_deg <= angle <= end_deg
    return inside


def vertical_gradient(top, bottom, y0, y1):
    def colour(_x, y):
        t = max(0.0, min(1.0, (y - y0) / ((y1 - y0) or 1)))
        return tuple(a + (b - a) * t for a, b in zip(top, bottom))
    return colour


def rgb(hex_text):
    return tuple(int(hex_text[i:i + 2], 16) / 255.0 for i in (0, 2, 4))


# --- the drawings -------------------------------------------------------------

def draw_application_icon(size):
    """A white dish with its feed and two signal waves on a blue tile."""
    s = float(size)
    c = Canvas(size, size)
    c.paint(rounded_rect(0.02 * s, 0.02 * s, 0.98 * s, 0.98 * s, 0.2 * s),
            vertical_gradient(rgb("3d7fd9"), rgb("123a82"), 0, s))
    # Stand and foot behind the dish.
    c.paint(segment(0.40 * s, 0.62 * s, 0.34 * s, 0.86 * s, 0.045 * s), rgb("c8d0dc"))
    c.paint(rounded_rect(0.20 * s, 0.84 * s, 0.50 * s, 0.92 * s, 0.03 * s), rgb("c8d0dc"))
    # The reflector with a shaded rim.
    c.paint(ellipse(0.40 * s, 0.56 * s, 0.33 * s, 0.15 * s, -45), rgb("9fb0c8"))
    c.paint(ellipse(0.41 * s, 0.55 * s, 0.29 * s, 0.11 * s, -45), rgb("ffffff"))
    # Feed arm and LNB.
    c.paint(segment(0.40 * s, 0.56 * s, 0.63 * s, 0.33 * s, 0.035 * s), rgb("e8ecf2"))
    c.paint(circle(0.65 * s, 0.31 * s, 0.07 * s), rgb("ffb020"))
    # Waves coming in from the upper right.
    for radius in (0.17, 0.29):
        c.paint(arc(0.65 * s, 0.31 * s, radius * s, 0.04 * s, -5, 95), rgb("ffd84a"))
    return c


def draw_state_icon(size, fill_light, fill_dark, glyph_strokes):
    """A shaded disc with a white glyph; the lock-state icons."""
    s = float(size)
    c = Canvas(size, size)
    c.paint(circle(0.5 * s, 0.5 * s, 0.47 * s), fill_dark)
    c.paint(circle(0.5 * s, 0.5 * s, 0.41 * s),
            vertical_gradient(fill_light, fill_dark, 0.1 * s, 0.9 * s))
    for (ax, ay, bx, by) in glyph_strokes:
        c.paint(segment(ax * s, ay * s, bx * s, by * s, 0.075 * s), rgb("ffffff"))
    return c


def draw_locked_icon(size):
    tick = [(0.27, 0.52, 0.43, 0.68), (0.43, 0.68, 0.73, 0.35)]
    return draw_state_icon(size, rgb("5fe35f"), rgb("0f7a1c"), tick)


def draw_unlocked_icon(size):
    cross = [(0.32, 0.32, 0.68, 0.68), (0.68, 0.32, 0.32, 0.68)]
    return draw_state_icon(size, rgb("ff7070"), rgb("a01010"), cross)


# A 5 x 7 dot-matrix font, enough for the banner's title.
DOT_FONT = {
    "N": ["10001", "11001", "10101", "10011", "10001", "10001", "10001"],
    "o": ["00000", "00000", "01110", "10001", "10001", "10001", "01110"],
    "r": ["00000", "00000", "10110", "11001", "10000", "10000", "10000"],
    "v": ["00000", "00000", "10001", "10001", "10001", "01010", "00100"],
    "a": ["00000", "00000", "01110", "00001", "01111", "10001", "01111"],
    "n": ["00000", "00000", "10110", "11001", "10001", "10001", "10001"],
    "e": ["00000", "00000", "01110", "10001", "11111", "10000", "01110"],
    "D": ["11110", "10001", "10001", "10001", "10001", "10001", "11110"],
    "t": ["01000", "01000", "11100", "01000", "01000", "01001", "00110"],
}


def draw_dot_text(canvas, text, left, top, pitch, dot_radius, colour):
    x = left
    for char in text:
        for row, bits in enumerate(DOT_FONT[char]):
            for col, bit in enumerate(bits):
                if bit == "1":
                    cx = x + col * pitch + pitch / 2
                    cy = top + row * pitch + pitch / 2
                    canvas.paint(circle(cx, cy, dot_radius), colour,
                                 (cx - pitch, cy - pitch, cx + pitch, cy + pitch))
        x += 6 * pitch
    return x


# The main dialog is 352 dialog units (528 pixels at 96 dpi) wide.
BANNER_SIZE = (528, 46)


def paste(target, source, left, top):
    for y in range(source.height):
        for x in range(source.width):
            r, g, b, a = source.pixels[y][x]
            if a > 0 and 0 <= left + x < target.width and 0 <= top + y < target.height:
                target._blend(left + x, top + y, (r, g, b), a)


def draw_banner():
    """Dark blue band: the dish emblem, the title in dot-matrix letters and a
    row of rising signal bars."""
    w, h = BANNER_SIZE
    c = Canvas(w, h, (0.0, 0.0, 0.0, 1.0))

    def band(x, y):
        t = x / w
        top = (0.06 + 0.08 * t, 0.16 + 0.18 * t, 0.38 + 0.25 * t)
        return tuple(v * (1.0 - 0.30 * y / h) for v in top)
    c.paint(lambda x, y: True, band)
    c.paint(lambda x, y: y >= h - 2, rgb("4fb4ff"), (0, h - 2, w, h))
    emblem = 38
    paste(c, draw_application_icon(emblem), 10, (h - 2 - emblem) // 2)
    pitch = 4.0
    draw_dot_text(c, "NorvaneData", 62, (h - 2 - 7 * pitch) / 2, pitch, 1.5, rgb("a8ecff"))
    bar_width, gap, bars = 7, 4, 6
    right = w - 16
    for i in range(bars):
        x1 = right - (bars - 1 - i) * (bar_width + gap)
        height = 8 + i * 5
        c.paint(rounded_rect(x1 - bar_width, h - 8 - height, x1, h - 8, 1.5),
                (0.55, 0.85, 1.0, 0.35 + 0.1 * i))
    return c


# --- file writers ---------------------------------------------------------------

def icon_image(canvas):
    """One icon directory image: BITMAPINFOHEADER, BGRA rows bottom-up and
    the 1-bit AND mask (set where fully transparent)."""
    w, h = canvas.width, canvas.height
    header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = bytearray()
    mask = bytearray()
    mask_stride = ((w + 31) // 32) * 4
    for y in reversed(range(h)):
        row_mask = bytearray(mask_stride)
        for x in range(w):
            r, g, b, a = canvas.rgba8(x, y)
            colour += bytes((b, g, r, a))
            if a == 0:
                row_mask[x // 8] |= 0x80 >> (x % 8)
        mask += row_mask
    return header + bytes(colour) + bytes(mask)


def write_icon(path, canvases):
    images = [icon_image(c) for c in canvases]
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for canvas, image in zip(canvases, images):
        size_byte = canvas.width if canvas.width < 256 else 0
        out += struct.pack("<BBBBHHII", size_byte, size_byte, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    for image in images:
        out += image
    with open(path, "wb") as f:
        f.write(out)


def bmp_file(width, height, bits, palette, rows_bottom_up):
    palette_bytes = b"".join(bytes((b, g, r, 0)) for (r, g, b) in palette)
    pixel_bytes = b"".join(rows_bottom_up)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, len(pixel_bytes),
                       2835, 2835, len(palette), 0)
    offset = 14 + len(info) + len(palette_bytes)
    head = struct.pack("<2sIHHI", b"BM", offset + len(pixel_bytes), 0, 0, offset)
    return head + info + palette_bytes + pixel_bytes


def write_bmp24(path, canvas):
    stride = (canvas.width * 3 + 3) // 4 * 4
    rows = []
    for y in reversed(range(canvas.height)):
        row = bytearray()
        for x in range(canvas.width):
            r, g, b, _ = canvas.rgba8(x, y)
            row += bytes((b, g, r))
        row += bytes(stride - len(row))
        rows.append(bytes(row))
    with open(path, "wb") as f:
        f.write(bmp_file(canvas.width, canvas.height, 24, [], rows))


# The 16 colours of the classic system palette, in their usual order.
VGA_PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
    (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
    (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
TEAL, GREEN, RED, WHITE, DARK_GREEN, MAROON = 6, 10, 9, 15, 2, 1


def pid_state_pixels():
    """34 x 16 palette indexes: the 'loaded' and 'not loaded' list images.
    The list cuts the strip into 16-pixel images, so each 14-pixel square
    sits at columns 1..14 of its 16-pixel cut (absolute 1..14 and 17..30)."""
    width, height = 34, 16
    pixels = [[TEAL] * width for _ in range(height)]

    def square(left, fill, edge, glyph):
        for y in range(1, 15):
            for x in range(14):
                on_edge = x in (0, 13) or y in (1, 14)
                colour = edge if on_edge else fill
                if not on_edge and glyph(x + 0.5, y - 1 + 0.5):
                    colour = WHITE
                pixels[y][left + x] = colour

    def white_ring(x, y):
        return 3.5 <= math.hypot(x - 7, y - 7) <= 5.2

    def white_cross(x, y):
        inner = 2 <= x <= 12 and 2 <= y <= 12
        return inner and (abs(x - y) <= 0.75 or abs(x + y - 14) <= 0.75)

    square(1, GREEN, DARK_GREEN, white_ring)
    square(17, RED, MAROON, white_cross)
    return width, height, pixels


def write_pid_states(path):
    width, height, pixels = pid_state_pixels()
    stride = ((width * 4 + 31) // 32) * 4
    rows = []
    for y in reversed(range(height)):
        row = bytearray(stride)
        for x in range(width):
            row[x // 2] |= pixels[y][x] << (0 if x % 2 else 4)
        rows.append(bytes(row))
    with open(path, "wb") as f:
        f.write(bmp_file(width, height, 4, VGA_PALETTE, rows))


def main():
    sizes = (16, 32, 48)
    write_icon(os.path.join(RESOURCES, "Lumisat.ico"), [draw_application_icon(n) for n in sizes])
    write_icon(os.path.join(RESOURCES, "Locked.ico"), [draw_locked_icon(n) for n in sizes])
    write_icon(os.path.join(RESOURCES, "Unlocked.ico"), [draw_unlocked_icon(n) for n in sizes])
    write_bmp24(os.path.join(RESOURCES, "Banner.bmp"), draw_banner())
    write_pid_states(os.path.join(RESOURCES, "PidStates.bmp"))


if __name__ == "__main__":
    main()
