#!/usr/bin/env python3
# Draws Ferrolite's artwork (header band tile, the two header button strips, the application icon)
# from geometric shapes and writes the files; only the standard library is needed.
#
# Usage: python3 scripts/make-artwork.py   (writes Images/*.bmp, Images/*.png and res/Ferrolite.ico)
#
# Every shape is a signed distance field in pixel units; a pixel's coverage is taken from the
# distance at its centre, which gives clean antialiased edges without supersampling. The output
# is deterministic, so running the script again leaves the committed files unchanged.
import math
import os
import struct
import zlib

TOP = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

# Palette: a calm blue band, white glyphs.
BAND_TOP = (44, 104, 176)
BAND_BOTTOM = (24, 62, 122)
BAND_RULE = (86, 160, 222)
GLYPH_PRESSED = (28, 72, 138)
WHITE = (255, 255, 255)


def clamp01(x):
    return 0.0 if x < 0.0 else 1.0 if x > 1.0 else x


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def coverage(d):
    """Coverage of a pixel whose centre lies at signed distance d (pixels) from an edge."""
    return clamp01(0.5 - d)


# Signed distance functions: negative inside.
def sd_circle(x, y, cx, cy, r):
    return math.hypot(x - cx, y - cy) - r


def sd_segment(x, y, ax, ay, bx, by, half_width):
    px, py, dx, dy = x - ax, y - ay, bx - ax, by - ay
    h = clamp01((px * dx + py * dy) / (dx * dx + dy * dy)) if (dx or dy) else 0.0
    return math.hypot(px - dx * h, py - dy * h) - half_width


def sd_round_rect(x, y, cx, cy, half_w, half_h, radius):
    qx = abs(x - cx) - half_w + radius
    qy = abs(y - cy) - half_h + radius
    outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
    return outside + min(max(qx, qy), 0.0) - radius


def sd_arc(x, y, cx, cy, radius, start_deg, sweep_deg, half_width):
    """An arc with round caps, from start_deg sweeping clockwise on screen (y grows downward)."""
    angle = math.degrees(math.atan2(y - cy, x - cx))
    rel = (angle - start_deg) % 360.0
    if rel <= sweep_deg:
        return abs(math.hypot(x - cx, y - cy) - radius) - half_width
    ends = []
    for a in (start_deg, start_deg + sweep_deg):
        ex = cx + radius * math.cos(math.radians(a))
        ey = cy + radius * math.sin(math.radians(a))
        ends.append(math.hypot(x - ex, y - ey))
    return min(ends) - half_width


def sd_polygon(x, y, points):
    d = (x - points[0][0]) ** 2 + (y - points[0][1]) ** 2
    sign = 1.0
    n = len(points)
    for i in range(n):
        ax, ay = points[i - 1]
        bx, by = points[i]
        ex, ey = ax - bx, ay - by
        wx, wy = x - bx, y - by
        h = clamp01((wx * ex + wy * ey) / (ex * ex + ey * ey))
        d = min(d, (wx - ex * h) ** 2 + (wy - ey * h) ** 2)
        c1, c2, c3 = y >= by, y < ay, ex * wy > ey * wx
        if (c1 and c2 and c3) or (not c1 and not c2 and not c3):
            sign = -sign
    return sign * math.sqrt(d)


class Canvas:
    """Straight (non-premultiplied) RGBA pixels with float channels, composited with 'over'."""

    def __init__(self, width, height):
        self.width, self.height = width, height
        self.px = [[0.0, 0.0, 0.0, 0.0] for _ in range(width * height)]

    def paint(self, sdf, color, alpha=1.0):
        """Composites a shape; color is an RGB triple or a function of (x, y) giving one."""
        for j in range(self.height):
            for i in range(self.width):
                x, y = i + 0.5, j + 0.5
                a = coverage(sdf(x, y)) * alpha
                if a <= 0.0:
                    continue
                rgb = color(x, y) if callable(color) else color
                p = self.px[j * self.width + i]
                out_a = a + p[3] * (1.0 - a)
                for k in range(3):
                    p[k] = (rgb[k] * a + p[k] * p[3] * (1.0 - a)) / out_a
                p[3] = out_a

    def blit(self, other, ox, oy):
        for j in range(other.height):
            for i in range(other.width):
                self.px[(oy + j) * self.width + ox + i] = list(other.px[j * other.width + i])

    def rgba_rows(self):
        """Rows top to bottom, each a bytes object of R, G, B, A."""
        rows = []
        for j in range(self.height):
            row = bytearray()
            for i in range(self.width):
                p = self.px[j * self.width + i]
                a = round(p[3] * 255)
                row += bytes(round(max(0.0, min(255.0, c))) if a else 0 for c in p[:3]) + bytes([a])
            rows.append(bytes(row))
        return rows


def png_bytes(canvas):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    raw = b"".join(b"\x00" + row for row in canvas.rgba_rows())
    ihdr = struct.pack(">IIBBBBB", canvas.width, canvas.height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) + chunk(b"IDAT", zlib.compress(raw, 9)) +
            chunk(b"IEND", b""))


def dib_icon_bytes(canvas):
    """A 32-bit icon image: BITMAPINFOHEADER, bottom-up BGRA pixels, then the 1-bit AND mask."""
    w, h = canvas.width, canvas.height
    rows = canvas.rgba_rows()
    xor = bytearray()
    mask = bytearray()
    mask_stride = ((w + 31) // 32) * 4
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for i in range(w):
            r, g, b, a = row[i * 4:i * 4 + 4]
            xor += bytes((b, g, r, a))
            if a == 0:
                bits[i // 8] |= 0x80 >> (i % 8)
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return header + bytes(xor) + bytes(mask)


def ico_bytes(entries):
    """entries: list of (size, image bytes) in directory order."""
    out = struct.pack("<HHH", 0, 1, len(entries))
    offset = 6 + 16 * len(entries)
    body = b""
    for size, data in entries:
        dim = 0 if size >= 256 else size
        out += struct.pack("<BBBBHHII", dim, dim, 0, 0, 1, 32, len(data), offset + len(body))
        body += data
    return out + body


def bmp24_bytes(width, height, pixel):
    """A bottom-up 24-bit Windows bitmap file; pixel(x, y) gives an RGB triple (y from the top)."""
    stride = (width * 3 + 3) & ~3
    data = bytearray()
    for y in reversed(range(height)):
        row = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            row += bytes((b, g, r))
        data += row + bytes(stride - len(row))
    file_header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(data), 0, 0, 14 + 40)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    return file_header + info + bytes(data)


# The header band: a vertical gradient with two soft light ribbons whose paths repeat every
# tile width, so the tile repeats seamlessly across any window width, and a light rule at the
# bottom edge that separates the band from the dialog face.
BAND_W, BAND_H = 256, 69


def band_pixel(x, y):
    t = y / (BAND_H - 1)
    rgb = mix(BAND_TOP, BAND_BOTTOM, t)
    phase = 2.0 * math.pi * (x + 0.5) / BAND_W
    light = 0.0
    for centre, swing, shift, width, strength in ((38.0, 13.0, 0.0, 9.0, 0.075), (26.0, 9.0, 2.1, 6.0, 0.045)):
        yc = centre + swing * math.sin(phase + shift)
        light += strength * math.exp(-(((y + 0.5) - yc) / width) ** 2)
    rgb = mix(rgb, WHITE, light)
    if y == BAND_H - 1:
        rgb = BAND_RULE
    return tuple(round(c) for c in rgb)


# The header buttons: a round badge with a glyph, three frames (normal, pointer over, pressed).
FRAME = 24


def glyph_help(x, y):
    c = FRAME / 2
    hook = sd_arc(x, y, c, 9.4, 3.2, 195.0, 255.0, 1.1)
    stem = sd_segment(x, y, c, 12.6, c, 13.9, 1.1)
    dot = sd_circle(x, y, c, 17.3, 1.35)
    return min(hook, stem, dot)


def glyph_about(x, y):
    c = FRAME / 2
    dot = sd_circle(x, y, c, 7.4, 1.4)
    stem = sd_segment(x, y, c, 10.9, c, 16.7, 1.1)
    return min(dot, stem)


def button_strip(glyph):
    strip = Canvas(FRAME * 3, FRAME)
    c = FRAME / 2
    states = (
        # fill colour, fill alpha, ring alpha, glyph colour
        (WHITE, 0.14, 0.60, WHITE),
        (WHITE, 0.30, 0.95, WHITE),
        (WHITE, 0.94, 1.00, GLYPH_PRESSED),
    )
    for index, (fill, fill_alpha, ring_alpha, glyph_color) in enumerate(states):
        frame = Canvas(FRAME, FRAME)
        frame.paint(lambda x, y: sd_circle(x, y, c, c, 10.6), fill, fill_alpha)
        frame.paint(lambda x, y: abs(sd_circle(x, y, c, c, 10.0)) - 0.6, WHITE, ring_alpha)
        frame.paint(glyph, glyph_color)
        strip.blit(frame, index * FRAME, 0)
    return strip


# The application icon: a blue rounded tile with a white phone whose screen shows a circular
# "restore" arrow; below 32 pixels the arrow is left out, as it would only blur.
ICON_SIZES = (256, 128, 96, 72, 64, 48, 32, 24, 16)
ICON_TOP = (74, 160, 236)
ICON_BOTTOM = (26, 82, 168)
SCREEN_TOP = (52, 206, 196)
SCREEN_BOTTOM = (22, 138, 176)


def icon(size):
    s = float(size)
    canvas = Canvas(size, size)
    # Edges of the tile and of the phone are snapped to whole pixels, so that the small sizes
    # stay crisp instead of smearing each edge over two pixels.
    inset = max(1, round(s * 0.04))
    half = s / 2 - inset
    radius = (s - 2 * inset) * 0.22

    def tile_color(x, y):
        return mix(ICON_TOP, ICON_BOTTOM, clamp01((x * 0.25 + y) / (s * 1.25)))

    canvas.paint(lambda x, y: sd_round_rect(x, y, s / 2, s / 2, half, half, radius), tile_color)
    # A faint light edge on the tile's upper half gives it depth.
    if size >= 32:
        canvas.paint(lambda x, y: max(abs(sd_round_rect(x, y, s / 2, s / 2, half - 0.5, half - 0.5, radius)) - 0.5,
                                      y - s * 0.5), WHITE, 0.35)

    cx, cy = s / 2, s / 2
    phone_w, phone_h = round(s * 0.19), round(s * 0.31)
    phone_r = max(1.0, s * 0.075)
    canvas.paint(lambda x, y: sd_round_rect(x, y - max(1.0, s * 0.012), cx, cy, phone_w, phone_h, phone_r),
                 (10, 34, 84), 0.30)
    canvas.paint(lambda x, y: sd_round_rect(x, y, cx, cy, phone_w, phone_h, phone_r), (247, 250, 253))
    screen_w = phone_w - max(1, round(s * 0.03))
    screen_h = phone_h - max(1, round(s * 0.075))

    def screen_color(x, y):
        return mix(SCREEN_TOP, SCREEN_BOTTOM, clamp01((y - (cy - screen_h)) / (2 * screen_h)))

    canvas.paint(lambda x, y: sd_round_rect(x, y, cx, cy, screen_w, screen_h, max(0.5, s * 0.025)), screen_color)
    if size >= 64:
        # The earpiece slot above the screen.
        slot_y = cy - (phone_h + screen_h) / 2
        canvas.paint(lambda x, y: sd_segment(x, y, cx - s * 0.035, slot_y, cx + s * 0.035, slot_y,
                                             max(0.5, s * 0.009)), (150, 170, 196))
    if size >= 32:
        r = screen_w * 0.55
        width = max(0.75, s * 0.022)
        start, sweep = -55.0, 280.0
        canvas.paint(lambda x, y: sd_arc(x, y, cx, cy, r, start, sweep, width), WHITE)
        # The arrow head sits at the arc's start and points counter-clockwise, into the gap:
        # the arc reads as "turning back", the usual sign for restoring.
        a = math.radians(start)
        ex, ey = cx + r * math.cos(a), cy + r * math.sin(a)
        tx, ty = math.sin(a), -math.cos(a)
        nx, ny = math.cos(a), math.sin(a)
        head = s * 0.075
        tip = (ex + tx * head * 1.1, ey + ty * head * 1.1)
        left = (ex + nx * head - tx * head * 0.25, ey + ny * head - ty * head * 0.25)
        right = (ex - nx * head - tx * head * 0.25, ey - ny * head - ty * head * 0.25)
        canvas.paint(lambda x, y: sd_polygon(x, y, (tip, left, right)), WHITE)
    return canvas


def write(path, data):
    full = os.path.join(TOP, path)
    os.makedirs(os.path.dirname(full), exist_ok=True)
    with open(full, "wb") as f:
        f.write(data)
    print(f"{path}: {len(data)} bytes")


def main():
    write("Images/Dlg_Common_Top.bmp", bmp24_bytes(BAND_W, BAND_H, band_pixel))
    write("Images/Button_Top_Help.png", png_bytes(button_strip(glyph_help)))
    write("Images/Button_Top_About.png", png_bytes(button_strip(glyph_about)))
    entries = []
    for size in ICON_SIZES:
        image = icon(size)
        entries.append((size, png_bytes(image) if size == 256 else dib_icon_bytes(image)))
    write("res/Ferrolite.ico", ico_bytes(entries))


if __name__ == "__main__":
    main()
