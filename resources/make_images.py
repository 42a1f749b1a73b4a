#!/usr/bin/env python3
"""Draws the terminal's own pictures (icons, idle pictures, toolbar strip,
bitmaps of hidden buttons) with the standard library only, so that they can
be made again byte for byte: python3 resources/make_images.py"""

import math
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))

# The toolbar strip's transparent colour: the first pixel of the strip.
MASK = (255, 0, 255)
# What half-covered edge pixels of the strip are blended against.
TOOLBAR_GREY = (236, 236, 236)


# ---------------------------------------------------------------- shapes
def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ring(cx, cy, r_in, r_out):
    return lambda x, y: r_in * r_in <= (x - cx) ** 2 + (y - cy) ** 2 <= r_out * r_out


def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x <= x1 and y0 <= y <= y1


def round_rect(x0, y0, x1, y1, r):
    def inside(x, y):
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            return False
        dx = max(x0 + r - x, 0, x - (x1 - r))
        dy = max(y0 + r - y, 0, y - (y1 - r))
        return dx * dx + dy * dy <= r * r
    return inside


def polygon(points):
    def inside(x, y):
        result = False
        j = len(points) - 1
        for i in range(len(points)):
            xi, yi = points[i]
            xj, yj = points[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                result = not result
            j = i
        return result
    return inside


def line(x0, y0, x1, y1, width):
    def inside(x, y):
        dx, dy = x1 - x0, y1 - y0
        t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / (dx * dx + dy * dy)))
        px, py = x0 + t * dx, y0 + t * dy
        return (x - px) ** 2 + (y - py) ** 2 <= (width / 2) ** 2
    return inside


def arc(cx, cy, r_in, r_out, start_deg, end_deg):
    """Ring segment, angles counter-clockwise from +x with y pointing up."""
    def inside(x, y):
        d2 = (x - cx) ** 2 + (y - cy) ** 2
        if not (r_in * r_in <= d2 <= r_out * r_out):
            return False
        angle = math.degrees(math.atan2(cy - y, x - cx)) % 360
        return (angle - start_deg) % 360 <= (end_deg - start_deg) % 360
    return inside


def minus(shape, hole):
    return lambda x, y: shape(x, y) and not hole(x, y)


def rotated(shape, cx, cy, degrees):
    c, s = math.cos(math.radians(degrees)), math.sin(math.radians(degrees))
    return lambda x, y: shape(cx + (x - cx) * c + (y - cy) * s, cy - (x - cx) * s + (y - cy) * c)


# ---------------------------------------------------------------- raster
def render(width, height, layers, background, samples=4, edge=None):
    """layers: (shape, colour) painted in order. background: colour, a
    function (x, y) -> colour, or None for a transparent picture. edge: colour that partly covered pixels are
    blended against instead of the background (for masked strips)."""
    pixels = []
    step = 1.0 / samples
    for py in range(height):
        row = []
        for px in range(width):
            total = [0, 0, 0]
            covered = 0
            for sy in range(samples):
                for sx in range(samples):
                    x = px + (sx + 0.5) * step
                    y = py + (sy + 0.5) * step
                    colour = None
                    for shape, layer_colour in reversed(layers):
                        if shape(x, y):
                            colour = layer_colour
                            break
                    if colour is None:
                        colour = background(x, y) if callable(background) else None
                        if colour is None:
                            continue
                    else:
                        covered += 1
                    for i in range(3):
                        total[i] += colour[i]
            count = samples * samples
            if background is None:
                # Transparent outside the shapes: colour of what is covered,
                # alpha of how much is covered.
                if covered == 0:
                    row.append((0, 0, 0, 0))
                    continue
                row.append(tuple(int(round(t / covered)) for t in total) +
                           (int(round(255 * covered / count)),))
                continue
            if edge is not None:
                if covered == 0:
                    row.append(background)
                    continue
                for i in range(3):
                    total[i] += edge[i] * (count - covered)
            elif not callable(background):
                for i in range(3):
                    total[i] += background[i] * (count - covered)
            row.append(tuple(int(round(t / count)) for t in total))
        pixels.append(row)
    return pixels


def paste(target, source, left):
    for y, row in enumerate(source):
        target[y][left:left + len(row)] = row


# ---------------------------------------------------------------- files
def write_png(name, pixels):
    height, width = len(pixels), len(pixels[0])
    channels = len(pixels[0][0])
    raw = b"".join(b"\x00" + bytes(c for p in row for c in p) for row in pixels)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    colour_type = 6 if channels == 4 else 2
    header = struct.pack(">IIBBBBB", width, height, 8, colour_type, 0, 0, 0)
    data = (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(data)


def write_bmp(name, pixels):
    """24 bits per pixel, bottom-up, rows padded to 4 bytes."""
    height, width = len(pixels), len(pixels[0])
    stride = (width * 3 + 3) & ~3
    body = bytearray()
    for row in reversed(pixels):
        line_bytes = bytes(c for r, g, b in row for c in (b, g, r))
        body += line_bytes + b"\x00" * (stride - len(line_bytes))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(body), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(body), 2835, 2835, 0, 0)
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(header + info + bytes(body))


# ---------------------------------------------------------------- pictures
GREEN = (40, 170, 70)
DARK_GREEN = (20, 110, 45)
BLUE = (40, 110, 200)
DARK_BLUE = (25, 60, 130)
GREY = (110, 115, 125)
DARK = (50, 55, 65)
RED = (215, 40, 40)
WHITE = (250, 250, 250)
YELLOW = (250, 200, 40)


def handset(cx, cy, scale, colour):
    """A telephone handset: a thick arc with an ear and a mouth piece."""
    s = scale
    return [
        (arc(cx + 4 * s, cy - 4 * s, 9 * s, 14 * s, 160, 290), colour),
        (rotated(round_rect(cx - 12 * s, cy - 8 * s, cx - 3 * s, cy - 3 * s, 2 * s),
                 cx - 7.5 * s, cy - 5.5 * s, -60), colour),
        (rotated(round_rect(cx + 3 * s, cy + 7 * s, cx + 12 * s, cy + 12 * s, 2 * s),
                 cx + 7.5 * s, cy + 9.5 * s, -30), colour),
    ]


def tool_call():
    return handset(14, 18, 1.0, GREEN) + [(polygon([(20, 4), (28, 4), (28, 12)]), DARK_GREEN),
                                          (line(18, 14, 26, 6, 2.5), DARK_GREEN)]


def tool_settings():
    layers = [(circle(16, 16, 10), GREY)]
    for k in range(8):
        layers.append((rotated(rect(14, 2, 18, 9), 16, 16, k * 45), GREY))
    layers.append((circle(16, 16, 4.5), MASK_HOLE))
    return layers


def tool_one_key():
    return [
        (round_rect(2, 9, 21, 25, 3), BLUE),
        (polygon([(21, 17), (30, 10), (30, 24)]), DARK_BLUE),
        (polygon([(8, 12), (8, 22), (16, 17)]), WHITE),
    ]


def tool_snapshot():
    return [
        (round_rect(9, 5, 19, 11, 2), DARK),
        (round_rect(2, 9, 30, 27, 3), DARK),
        (circle(16, 18, 7.5), WHITE),
        (circle(16, 18, 5.5), BLUE),
        (circle(14, 16, 1.8), WHITE),
        (rect(24, 11, 27, 13), YELLOW),
    ]


def tool_record():
    return [
        (circle(16, 16, 13), DARK),
        (circle(16, 16, 10.5), WHITE),
        (circle(16, 16, 8), RED),
    ]


def tool_clear_text():
    layers = [(rect(5, 3, 23, 28), WHITE), (minus(rect(5, 3, 23, 28), rect(6.5, 4.5, 21.5, 26.5)),
                                              GREY)]
    for y in (8, 12, 16, 20):
        layers.append((rect(8, y, 20, y + 1.2), GREY))
    layers += [(line(15, 15, 29, 29, 3.5), RED), (line(29, 15, 15, 29, 3.5), RED)]
    return layers


def tool_tray():
    return [
        (minus(rect(2, 3, 26, 21), rect(4, 8, 24, 19)), DARK_BLUE),
        (rect(4, 8, 24, 19), WHITE),
        (rect(2, 26, 30, 30), GREY),
        (rect(24, 26, 28, 28.5), GREEN),
        (line(12, 12, 24, 24, 3), GREEN),
        (polygon([(27, 27), (27, 17), (17, 27)]), GREEN),
    ]


def tool_exit():
    return [
        (arc(16, 17, 8.5, 12, 120, 60), RED),
        (round_rect(14, 2, 18, 17, 2), RED),
    ]


MASK_HOLE = MASK


def toolbar_strip():
    strip = [[MASK] * 256 for _ in range(32)]
    tools = [tool_call, tool_settings, tool_one_key, tool_snapshot, tool_record,
             tool_clear_text, tool_tray, tool_exit]
    for index, tool in enumerate(tools):
        layers = tool()
        # The gear's hole is part of the background.
        shapes = [(s, c) for s, c in layers if c is not MASK_HOLE]
        holes = [s for s, c in layers if c is MASK_HOLE]
        if holes:
            shapes = [(minus(s, holes[0]), c) for s, c in shapes]
        paste(strip, render(32, 32, shapes, MASK, edge=TOOLBAR_GREY), index * 32)
    return strip


def gradient(top, bottom, height):
    def colour(x, y):
        t = min(max(y / height, 0.0), 1.0)
        return tuple(int(top[i] + (bottom[i] - top[i]) * t) for i in range(3))
    return colour


def idle_local():
    w, h = 420, 248
    cx, cy = w / 2, h / 2
    layers = [
        (round_rect(cx - 80, cy - 45, cx + 40, cy + 45, 12), (120, 160, 215)),
        (polygon([(cx + 40, cy), (cx + 95, cy - 40), (cx + 95, cy + 40)]), (95, 135, 195)),
        (circle(cx - 20, cy, 28), (40, 70, 120)),
        (circle(cx - 20, cy, 18), (70, 110, 170)),
        (circle(cx - 28, cy - 8, 5), (200, 220, 245)),
        (circle(cx + 25, cy - 30, 5), (90, 200, 110)),
    ]
    return render(w, h, layers, gradient((20, 35, 70), (5, 10, 25), h), samples=2)


def idle_remote():
    w, h = 420, 264
    cx, cy = w / 2, h / 2
    layers = [
        (round_rect(cx - 110, cy - 80, cx + 110, cy + 70, 10), (60, 70, 85)),
        (rect(cx - 100, cy - 70, cx + 100, cy + 60), (25, 45, 80)),
        (rect(cx - 15, cy + 70, cx + 15, cy + 90), (60, 70, 85)),
        (round_rect(cx - 50, cy + 88, cx + 50, cy + 96, 3), (60, 70, 85)),
        (circle(cx, cy - 22, 24), (150, 175, 210)),
        (minus(circle(cx, cy + 58, 48), rect(cx - 60, cy + 60.5, cx + 60, cy + 120)),
         (150, 175, 210)),
    ]
    return render(w, h, layers, gradient((15, 20, 35), (35, 45, 70), h), samples=2)


def app_icon(size):
    s = size / 64.0
    layers = [
        (round_rect(2 * s, 2 * s, 62 * s, 62 * s, 12 * s), BLUE),
        (round_rect(10 * s, 18 * s, 40 * s, 42 * s, 4 * s), WHITE),
        (polygon([(40 * s, 30 * s), (54 * s, 20 * s), (54 * s, 40 * s)]), WHITE),
        (circle(25 * s, 30 * s, 6 * s), BLUE),
    ] + handset(44 * s, 48 * s, 0.75 * s, (90, 220, 110))
    return render(size, size, layers, None)


def button_speaker():
    return render(24, 24, [
        (rect(4, 9, 9, 15), DARK),
        (polygon([(9, 9), (15, 4), (15, 20), (9, 15)]), DARK),
        (arc(15, 12, 4, 5.5, 300, 60), BLUE),
        (arc(15, 12, 7, 8.5, 300, 60), BLUE),
    ], (212, 208, 200))


def button_mixer():
    layers = []
    for i, knob in enumerate((8, 15, 11)):
        x = 5 + i * 7
        layers += [(rect(x - 0.7, 3, x + 0.7, 21), DARK), (rect(x - 3, knob - 2, x + 3, knob + 2), BLUE)]
    return render(24, 24, layers, (212, 208, 200))


def main():
    write_bmp("toolbar179.bmp", toolbar_strip())
    write_png("idle140.png", idle_local())
    write_png("idle158.png", idle_remote())
    write_png("icon128.png", app_icon(64))
    write_png("tray134.png", app_icon(32))
    write_bmp("button153.bmp", button_speaker())
    write_bmp("button188.bmp", button_mixer())


if __name__ == "__main__":
    main()
