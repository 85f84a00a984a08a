#!/usr/bin/env python3
"""Draws the program's small pictures and writes them as 32-bit bitmaps with alpha:

  resources/catalogue_images.bmp     127 images of 16x16: the catalogue, the palette and
  resources/catalogue_images_32.bmp  the project list (the same at 32x32)
  resources/toolbar_images.bmp       10 images of 16x16: the toolbar buttons
  resources/toolbar_images_32.bmp    (the same at 32x32)

Each strip is one row of square images, index 0 on the left. The script also writes
resources/image_indexes.h, the named indexes the code uses (the toolbar's order, the
disabled mark, the snippet pictures).

Pictures are shapes in a 16-unit square, rasterised with 4x4 supersampling at each size,
stored bottom-up as BI_RGB 32 bpp BGRA with straight (not premultiplied) alpha, which
LoadImage(LR_CREATEDIBSECTION) and an ILC_COLOR32 image list take as they are.

Run it again after changing a drawing; the bitmaps are kept in the repository."""
import math
import struct
import sys
from pathlib import Path

SUBSAMPLES = 4


# --- Shapes: point tests in the 16-unit square, each with a bounding box ---------------

class Shape:
    def __init__(self, bbox):
        self.bbox = bbox

    def contains(self, x, y):
        raise NotImplementedError

    def __sub__(self, other):
        return Difference(self, other)

    def __or__(self, other):
        return Union(self, other)


class Rect(Shape):
    def __init__(self, x0, y0, x1, y1, radius=0.0):
        super().__init__((x0, y0, x1, y1))
        self.radius = radius

    def contains(self, x, y):
        x0, y0, x1, y1 = self.bbox
        if not (x0 <= x < x1 and y0 <= y < y1):
            return False
        r = self.radius
        if r <= 0:
            return True
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


class Circle(Shape):
    def __init__(self, cx, cy, r):
        super().__init__((cx - r, cy - r, cx + r, cy + r))
        self.cx, self.cy, self.r = cx, cy, r

    def contains(self, x, y):
        return (x - self.cx) ** 2 + (y - self.cy) ** 2 <= self.r * self.r


class Polygon(Shape):
    def __init__(self, *points):
        xs = [p[0] for p in points]
        ys = [p[1] for p in points]
        super().__init__((min(xs), min(ys), max(xs), max(ys)))
        self.points = points

    def contains(self, x, y):
        inside = False
        pts = self.points
        j = len(pts) - 1
        for i in range(len(pts)):
            xi, yi = pts[i]
            xj, yj = pts[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                inside = not inside
            j = i
        return inside


class Line(Shape):
    """A stroke of the given width with round ends."""
    def __init__(self, x0, y0, x1, y1, width=1.0):
        h = width / 2
        super().__init__((min(x0, x1) - h, min(y0, y1) - h, max(x0, x1) + h, max(y0, y1) + h))
        self.a, self.b, self.h = (x0, y0), (x1, y1), h

    def contains(self, x, y):
        (ax, ay), (bx, by) = self.a, self.b
        dx, dy = bx - ax, by - ay
        length2 = dx * dx + dy * dy
        t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / length2))
        px, py = ax + t * dx - x, ay + t * dy - y
        return px * px + py * py <= self.h * self.h


class Arc(Shape):
    """A ring segment from angle a0 to a1 (degrees, clockwise from 3 o'clock, y down)."""
    def __init__(self, cx, cy, r, width, a0, a1):
        R = r + width / 2
        super().__init__((cx - R, cy - R, cx + R, cy + R))
        self.cx, self.cy, self.r, self.h, self.a0, self.a1 = cx, cy, r, width / 2, a0, a1

    def contains(self, x, y):
        d = math.hypot(x - self.cx, y - self.cy)
        if abs(d - self.r) > self.h:
            return False
        a = math.degrees(math.atan2(y - self.cy, x - self.cx)) % 360
        return (a - self.a0) % 360 <= (self.a1 - self.a0) % 360


class Difference(Shape):
    def __init__(self, a, b):
        super().__init__(a.bbox)
        self.a, self.b = a, b

    def contains(self, x, y):
        return self.a.contains(x, y) and not self.b.contains(x, y)


class Union(Shape):
    def __init__(self, *parts):
        super().__init__((min(p.bbox[0] for p in parts), min(p.bbox[1] for p in parts),
                          max(p.bbox[2] for p in parts), max(p.bbox[3] for p in parts)))
        self.parts = parts

    def contains(self, x, y):
        return any(p.contains(x, y) for p in self.parts)


class Placed(Shape):
    """A shape moved by (dx, dy) after scaling by s about the origin."""
    def __init__(self, shape, dx, dy, s):
        x0, y0, x1, y1 = shape.bbox
        super().__init__((x0 * s + dx, y0 * s + dy, x1 * s + dx, y1 * s + dy))
        self.shape, self.dx, self.dy, self.s = shape, dx, dy, s

    def contains(self, x, y):
        return self.shape.contains((x - self.dx) / self.s, (y - self.dy) / self.s)


class Mirror(Shape):
    """A shape mirrored about the vertical centre line of the square."""
    def __init__(self, shape):
        x0, y0, x1, y1 = shape.bbox
        super().__init__((16 - x1, y0, 16 - x0, y1))
        self.shape = shape

    def contains(self, x, y):
        return self.shape.contains(16 - x, y)


def place(layers, dx, dy, s=1.0):
    return [(Placed(shape, dx, dy, s), colour) for shape, colour in layers]


# --- Colours -----------------------------------------------------------------------------

def rgb(value, alpha=255):
    return ((value >> 16) & 255, (value >> 8) & 255, value & 255, alpha)


INK = rgb(0x3A3F47)
WHITE = rgb(0xFFFFFF)
PAPER = rgb(0xFBFBFB)
PAPER_EDGE = rgb(0x7A828C)
TEXT_LINE = rgb(0x9AA3AD)
FOLDER = rgb(0xF2C14E)
FOLDER_EDGE = rgb(0xB5862A)
FOLDER_BACK = rgb(0xE0A93A)
BLUE = rgb(0x2D7DD2)
BLUE_DARK = rgb(0x1D5A9E)
GREEN = rgb(0x3BA55C)
GREEN_DARK = rgb(0x267A41)
RED = rgb(0xD64541)
RED_DARK = rgb(0x9E2A27)
ORANGE = rgb(0xF08A24)
PURPLE = rgb(0x8A5CC2)
PURPLE_DARK = rgb(0x5E3A8C)
GREY = rgb(0x8C939B)
GREY_LIGHT = rgb(0xC9CED4)
CONSOLE = rgb(0x1B222C)
CONSOLE_TEXT = rgb(0x4CD964)
YELLOW = rgb(0xFFD84D)
TEAL = rgb(0x2AA198)
BROWN = rgb(0xA0703C)
BROWN_LIGHT = rgb(0xD9A766)


def framed(shape_at, fill, edge, inset=1.0):
    """Two layers: the shape in the edge colour, then the shape inset in the fill colour.
    shape_at(d) returns the shape shrunk by d on every side."""
    return [(shape_at(0), edge), (shape_at(inset), fill)]


def box(x0, y0, x1, y1, fill, edge, radius=0.0):
    return framed(lambda d: Rect(x0 + d, y0 + d, x1 - d, y1 - d, max(0.0, radius - d)), fill, edge)


def disc(cx, cy, r, fill, edge):
    return framed(lambda d: Circle(cx, cy, r - d), fill, edge)


# --- A 3x5 pixel font for the few letters the pictures carry -------------------------------

GLYPHS = {
    "%": ["X.X", "..X", ".X.", "X..", "X.X"],
    "1": [".X.", "XX.", ".X.", ".X.", "XXX"],
    "x": ["...", "X.X", ".X.", "X.X", "..."],
    "=": ["...", "XXX", "...", "XXX", "..."],
    "A": [".X.", "X.X", "XXX", "X.X", "X.X"],
    "?": ["XX.", "..X", ".X.", "...", ".X."],
    "i": [".X.", "...", ".X.", ".X.", ".X."],
    "!": [".X.", ".X.", ".X.", "...", ".X."],
    ">": ["X..", ".X.", "..X", ".X.", "X.."],
    "_": ["...", "...", "...", "...", "XXX"],
    "7": ["XXX", "..X", ".X.", ".X.", ".X."],
    "T": ["XXX", ".X.", ".X.", ".X.", ".X."],
    "{": [".XX", ".X.", "X..", ".X.", ".XX"],
    "}": ["XX.", ".X.", "..X", ".X.", "XX."],
}


def text(x, y, chars, colour, cell=1.0):
    parts = []
    for n, ch in enumerate(chars):
        for row, bits in enumerate(GLYPHS[ch]):
            for col, bit in enumerate(bits):
                if bit == "X":
                    left = x + (n * 4 + col) * cell
                    top = y + row * cell
                    parts.append(Rect(left, top, left + cell, top + cell))
    return [(Union(*parts), colour)]


# --- Base drawings -------------------------------------------------------------------------

def document(x0=3, y0=1, x1=13, y1=15, fill=PAPER, lines=True, line_colour=TEXT_LINE):
    fold = 3
    outline = lambda d: Polygon((x0 + d, y0 + d), (x1 - fold, y0 + d), (x1 - d, y0 + fold),
                                (x1 - d, y1 - d), (x0 + d, y1 - d))
    layers = framed(outline, fill, PAPER_EDGE)
    layers.append((Polygon((x1 - fold, y0), (x1 - fold, y0 + fold), (x1, y0 + fold)), PAPER_EDGE))
    if lines:
        for y in range(int(y0) + 5, int(y1) - 2, 2):
            layers.append((Rect(x0 + 2, y, x1 - 2, y + 1), line_colour))
    return layers


def documents():
    return document(1, 0, 10, 12) + document(5, 3, 15, 16)


def folder(fill=FOLDER, x0=1, y0=3, x1=15, y1=14):
    return (box(x0, y0, x0 + 6, y0 + 3, FOLDER_BACK, FOLDER_EDGE, 1)
            + box(x0, y0 + 2, x1, y1, fill, FOLDER_EDGE, 1))


def open_folder():
    return (box(1, 3, 7, 6, FOLDER_BACK, FOLDER_EDGE, 1) + box(1, 5, 14, 14, FOLDER_BACK, FOLDER_EDGE)
            + framed(lambda d: Polygon((3 + d, 8 + d), (15.5 - d, 8 + d), (13.5 - d, 14 - d), (1 + d * 1.5, 14 - d)),
                     FOLDER, FOLDER_EDGE))


def gear(cx=8, cy=8, r=6.5, fill=GREY, edge=INK, teeth=8):
    inner = r * 0.72
    tooth = []
    for n in range(teeth):
        a = 2 * math.pi * n / teeth
        tooth.append(Line(cx + math.cos(a) * inner, cy + math.sin(a) * inner,
                          cx + math.cos(a) * (r - 1), cy + math.sin(a) * (r - 1), 2.2))
    body = Union(Circle(cx, cy, inner), *tooth)
    return [(body, edge), (Circle(cx, cy, inner - 1), fill), (Circle(cx, cy, r * 0.28), edge),
            (Circle(cx, cy, r * 0.28 - 0.8), WHITE)]


def console(x0=0.5, y0=1.5, x1=15.5, y1=14.5, prompt=True):
    layers = box(x0, y0, x1, y1, CONSOLE, INK, 1) + [(Rect(x0, y0, x1, y0 + 3, 1), BLUE)]
    if prompt:
        layers += text(math.floor(x0) + 2, math.floor(y0) + 5, ">_", CONSOLE_TEXT)
    return layers


def window(x0=0.5, y0=1.5, x1=15.5, y1=14.5, title=BLUE):
    return box(x0, y0, x1, y1, WHITE, INK, 1) + [(Rect(x0 + 0.5, y0 + 0.5, x1 - 0.5, y0 + 3.5), title)]


def monitor():
    return (box(1, 1.5, 15, 11.5, rgb(0x7FC1F0), INK, 1) + [(Rect(6.5, 11.5, 9.5, 13.5), INK),
            (Rect(4, 13.5, 12, 15, 0.5), INK)])


def drive():
    return (box(0.5, 5, 15.5, 12, GREY_LIGHT, INK, 1.5) + [(Rect(2.5, 9, 9, 10), GREY),
            (Circle(12.5, 9.5, 1.1), GREEN)])


def globe(cx=8, cy=8, r=7):
    return disc(cx, cy, r, rgb(0x5DADE2), BLUE_DARK) + [
        (Line(cx - r + 1, cy, cx + r - 1, cy, 0.8), BLUE_DARK),
        (Line(cx, cy - r + 1, cx, cy + r - 1, 0.8), BLUE_DARK),
        (Difference(Circle(cx, cy, r * 0.55), Circle(cx, cy, r * 0.55 - 0.8)), BLUE_DARK),
        (Line(cx - r + 2, cy - r * 0.5, cx + r - 2, cy - r * 0.5, 0.8), BLUE_DARK),
        (Line(cx - r + 2, cy + r * 0.5, cx + r - 2, cy + r * 0.5, 0.8), BLUE_DARK),
    ]


def shield(fill=BLUE, edge=BLUE_DARK):
    outline = lambda d: Polygon((8, 0.5 + d), (14.5 - d, 3 + d), (14 - d, 9), (8, 15.5 - d * 1.4),
                                (2 + d, 9), (1.5 + d, 3 + d))
    return framed(outline, fill, edge) + [(Polygon((8, 2.5), (12.8, 4.3), (12.4, 8.8), (8, 13.5)), rgb(0x5DADE2))]


def clock(cx=8, cy=8, r=7, fill=WHITE):
    return disc(cx, cy, r, fill, INK) + [(Line(cx, cy, cx, cy - r * 0.6, 1.1), INK),
                                          (Line(cx, cy, cx + r * 0.45, cy + r * 0.2, 1.1), INK)]


def calendar():
    layers = box(1, 2, 15, 15, WHITE, INK, 1) + [(Rect(1.5, 2.5, 14.5, 6), RED)]
    layers += [(Rect(4, 0.5, 5.5, 4, 0.5), INK), (Rect(10.5, 0.5, 12, 4, 0.5), INK)]
    for row in range(2):
        for col in range(4):
            layers.append((Rect(3 + col * 2.7, 8 + row * 3, 4.6 + col * 2.7, 9.6 + row * 3), GREY))
    return layers


def clipboard():
    return (box(2, 1.5, 14, 15.5, BROWN_LIGHT, BROWN, 1) + box(4, 3.5, 12, 14, WHITE, GREY)
            + [(Rect(5.5, 0.5, 10.5, 3.5, 1), INK)]
            + [(Rect(5.5, y, 10.5, y + 1), TEXT_LINE) for y in (5.5, 7.5)])


def task_clipboard():
    return clipboard() + place(clock(fill=YELLOW), 0, 7, 0.55)


def bubble(fill=WHITE, edge=INK):
    outline = lambda d: Union(Rect(0.5 + d, 1.5 + d, 15.5 - d, 11 - d, 3 - d),
                              Polygon((4 + d, 10), (8 - d, 10), (3 + d, 15 - d * 2)))
    return framed(outline, fill, edge)


def archive(band=RED):
    return (box(1, 4, 15, 15, BROWN_LIGHT, BROWN, 0.5) + box(0.5, 1.5, 15.5, 5.5, BROWN_LIGHT, BROWN, 0.5)
            + [(Rect(7, 1.5, 9, 15), band)])


def diamond(fill=YELLOW, edge=ORANGE):
    return framed(lambda d: Polygon((8, 0.5 + d * 1.4), (15.5 - d * 1.4, 8), (8, 15.5 - d * 1.4), (0.5 + d * 1.4, 8)),
                  fill, edge)


def flag(colour=RED):
    return [(Rect(2.5, 1, 4, 15.5), INK),
            (Polygon((4, 1.5), (14, 1.5), (11.5, 5), (14, 8.5), (4, 8.5)), colour)]


def arrow(direction, colour=GREEN, cx=8, cy=8, size=6.0, width=2.2):
    """A thick arrow pointing right, turned to the direction (degrees, 0 = right, 90 = down)."""
    a = math.radians(direction)
    def at(u, v):
        return (cx + u * math.cos(a) - v * math.sin(a), cy + u * math.sin(a) + v * math.cos(a))
    head = size * 0.55
    return [(Union(Line(*at(-size, 0), *at(size - head * 0.5, 0), width),
                   Polygon(at(size, 0), at(size - head * 1.1, -head), at(size - head * 1.1, head))), colour)]


def loop_arrow(colour=GREEN):
    return [(Arc(8, 8, 5, 2.2, 300, 240), colour), (Polygon((9.5, 1), (14.5, 3.6), (10, 7.5)), colour)]


def chain():
    return [(Difference(Rect(0.5, 5, 9.5, 11, 3), Rect(2.5, 7, 7.5, 9, 1)), GREY),
            (Difference(Rect(6.5, 5, 15.5, 11, 3), Rect(8.5, 7, 13.5, 9, 1)), INK)]


def key_cap():
    return (box(1, 3, 15, 14, GREY_LIGHT, INK, 2) + box(2.5, 4, 13.5, 11, WHITE, GREY, 1.5)
            + text(6, 5, "A", INK))


def tag(fill=YELLOW, edge=ORANGE):
    return framed(lambda d: Polygon((1 + d, 8), (6 + d * 0.5, 3 + d), (15 - d, 3 + d), (15 - d, 13 - d),
                                    (6 + d * 0.5, 13 - d)), fill, edge) + [(Circle(5.5, 8, 1.2), edge)]


def list_rows(icon=BLUE):
    layers = box(0.5, 1, 15.5, 15, WHITE, INK)
    for n in range(4):
        y = 3 + n * 3
        layers += [(Rect(2.5, y, 4.5, y + 2), icon), (Rect(6, y + 0.5, 13.5, y + 1.5), TEXT_LINE)]
    return layers


def bracket(closing=False, colour=GREEN):
    shape = Union(Rect(3, 1, 5, 15), Rect(3, 1, 8, 3), Rect(3, 13, 8, 15))
    return [(Mirror(shape) if closing else shape, colour)]


def power():
    return [(Arc(8, 9, 5.5, 2.2, 300, 240), RED), (Line(8, 1.5, 8, 8, 2.2), RED)]


def chip():
    layers = [(Rect(x, y0, x + 1.2, y0 + 2), GREY) for x in (4, 6.5, 9, 11.5) for y0 in (1, 13)]
    return layers + box(2.5, 3, 14, 13, INK, INK, 1) + text(7, 6, "i", GREY_LIGHT)


def printer():
    return (box(3.5, 1, 12.5, 7, WHITE, INK) + box(0.5, 5.5, 15.5, 12, GREY_LIGHT, INK, 1.5)
            + box(3.5, 9.5, 12.5, 15.5, WHITE, INK) + [(Rect(5, 11.5, 11, 12.5), TEXT_LINE),
                                                      (Circle(13, 7.5, 0.8), GREEN)])


def magnifier(cx=6.5, cy=6.5, r=4.8, handle=INK):
    return ([(Line(cx + r * 0.7, cy + r * 0.7, 15, 15, 2.6), handle)] + disc(cx, cy, r, rgb(0xD6EAF8), INK)
            + [(Arc(cx, cy, r - 2.2, 1, 200, 260), WHITE)])


def connector():
    outline = lambda d: Polygon((0.5 + d, 4 + d), (15.5 - d, 4 + d), (13.5 - d, 12 - d), (2.5 + d, 12 - d))
    layers = framed(outline, GREY_LIGHT, INK)
    for x in (4, 6.5, 9, 11.5):
        layers.append((Circle(x + 0.5, 6.5, 0.8), INK))
    for x in (5.2, 7.7, 10.2):
        layers.append((Circle(x + 0.5, 9.5, 0.8), INK))
    return layers


def palette():
    layers = framed(lambda d: Difference(Circle(8, 8, 7.2 - d), Circle(12.5, 12.5, 2.5 + d)), rgb(0xF3E5C8), BROWN)
    for (x, y), c in (((5, 5), RED), ((9, 4), BLUE), ((12, 7.5), GREEN), ((4.5, 9.5), YELLOW)):
        layers.append((Circle(x, y, 1.5), c))
    return layers


def windows_logo():
    return [(Rect(1, 1, 7.5, 7.5), RED), (Rect(8.5, 1, 15, 7.5), GREEN), (Rect(1, 8.5, 7.5, 15), BLUE),
            (Rect(8.5, 8.5, 15, 15), YELLOW)]


def tree_lines():
    return ([(Union(Rect(3, 3, 4, 13), Rect(3, 7, 8, 8), Rect(3, 12, 8, 13)), INK)]
            + box(1, 0.5, 6, 4.5, FOLDER, FOLDER_EDGE) + box(8, 5, 14, 9, FOLDER, FOLDER_EDGE)
            + box(8, 10.5, 14, 14.5, FOLDER, FOLDER_EDGE))


def char_grid():
    layers = box(0.5, 0.5, 15.5, 15.5, WHITE, INK)
    for n, ch in enumerate("A%1?x=>{}"):
        layers += text(2 + (n % 3) * 4.5, 2 + (n // 3) * 4.5, ch, BLUE_DARK, 0.8)
    return layers


def sort_lines():
    return ([(Rect(1, 2 + n * 3.5, 10 - n * 2, 3.5 + n * 3.5), INK) for n in range(4)]
            + arrow(90, BLUE, 12.5, 8, 6.5, 2))


def compress():
    return (document(4, 1, 12, 15) + arrow(0, BLUE, 2, 8, 2.2, 1.6) + arrow(180, BLUE, 14, 8, 2.2, 1.6))


def fork():
    return [(Union(Line(2, 8, 6, 8, 2), Line(6, 8, 11, 2.5, 2), Line(6, 8, 11, 8, 2), Line(6, 8, 11, 13.5, 2)), INK),
            (Circle(2, 8, 1.8), BLUE)] + [(Circle(13, y, 1.8), GREEN) for y in (2.5, 8, 13.5)]


def sandbox(colour=TEAL):
    dashes = []
    for n in range(4):
        a = 1 + n * 3.7
        dashes += [Rect(a, 1, a + 2.2, 2.2), Rect(a, 13.8, a + 2.2, 15), Rect(1, a, 2.2, a + 2.2),
                   Rect(13.8, a, 15, a + 2.2)]
    return [(Union(*dashes), colour)] + text(6, 6, "x", INK)


def variable(sign=False):
    layers = box(0.5, 2.5, 15.5, 13.5, rgb(0xEAF2FB), BLUE_DARK, 2) + text(2, 6, "{", BLUE_DARK)
    layers += text(6, 6, "x", INK) + text(10, 6, "}", BLUE_DARK)
    if sign:
        layers = box(0.5, 2.5, 15.5, 13.5, rgb(0xEAF2FB), BLUE_DARK, 2) + text(4, 6, "x=", INK)
    return layers


def parameter():
    return box(0.5, 2.5, 15.5, 13.5, rgb(0xFDF2E0), ORANGE, 2) + text(4, 6, "%1", INK)


def network_folder():
    return folder(y1=11) + [(Rect(7.5, 11, 8.5, 14), INK), (Rect(2, 14, 14, 15), INK)]


def two_monitors():
    small = monitor()
    return place(small, 0, 0, 0.6) + place(small, 6.4, 6.4, 0.6) + [(Line(5, 9, 9, 9, 1), GREEN)]


def bars_chart():
    return ([(Rect(1, 15, 15, 16), INK)] + [(Rect(x, 15 - h, x + 2.5, 15), c)
                                             for x, h, c in ((1.5, 6, BLUE), (5, 10, GREEN), (8.5, 4, ORANGE), (12, 13, BLUE))])


def snippet_piece(fill=PURPLE, edge=PURPLE_DARK):
    return document(2, 1, 14, 15, rgb(0xE4D5F7), lines=False) + text(4, 6, "{", edge) + text(9, 6, "}", edge) + [
        (Rect(6.5, 9, 8, 10.5), fill)]


def toolbox():
    return ([(Difference(Rect(5, 2, 11, 7, 1.5), Rect(6.5, 3.5, 9.5, 7)), INK)]
            + box(0.5, 5.5, 15.5, 15, RED, RED_DARK, 1) + [(Rect(1, 9, 15, 10), RED_DARK), (Rect(7, 8, 9, 11), GREY_LIGHT)])


def no_entry():
    """The disabled mark: a grey circle with a bar across."""
    return disc(8, 8, 7, rgb(0xB8BEC5), rgb(0x6E757D)) + [(Rect(3.5, 6.8, 12.5, 9.2, 0.6), WHITE)]


def star(cx=8, cy=8, r=7, colour=YELLOW, edge=ORANGE):
    def points(radius_scale):
        pts = []
        for n in range(10):
            rr = r * radius_scale * (1 if n % 2 == 0 else 0.45)
            a = math.radians(-90 + n * 36)
            pts.append((cx + rr * math.cos(a), cy + rr * math.sin(a)))
        return pts
    return [(Polygon(*points(1.0)), edge), (Polygon(*points(0.75)), colour)]


def floppy():
    return (box(1, 1, 15, 15, BLUE, BLUE_DARK, 1) + box(4, 1, 12, 6, WHITE, BLUE_DARK)
            + [(Rect(9.5, 2, 11, 5), BLUE_DARK)] + box(3.5, 9, 12.5, 15, GREY_LIGHT, BLUE_DARK))


def help_book():
    return (box(2, 1, 14, 15, BLUE, BLUE_DARK, 1) + [(Rect(4, 1.5, 5, 14.5), BLUE_DARK)]
            + text(7, 4.5, "?", WHITE, 1.2))


# --- Badges: a small sign in a white disc at the lower right ------------------------------

def badge(symbol):
    def sign():
        if symbol == "plus":
            return [(Union(Rect(10, 11.5, 15, 12.5), Rect(12, 9.5, 13, 14.5)), GREEN_DARK)]
        if symbol == "minus":
            return [(Rect(9.8, 11.3, 15.2, 12.7), RED)]
        if symbol == "cross":
            return [(Union(Line(10.3, 9.8, 14.7, 14.2, 1.5), Line(14.7, 9.8, 10.3, 14.2, 1.5)), RED)]
        if symbol == "check":
            return [(Union(Line(9.8, 12, 11.8, 14, 1.5), Line(11.8, 14, 15, 10, 1.5)), GREEN_DARK)]
        if symbol == "play":
            return [(Polygon((10.5, 9.3), (15.2, 12), (10.5, 14.7)), GREEN)]
        if symbol == "resume":
            return [(Rect(9.5, 9.5, 10.8, 14.5), GREEN_DARK), (Polygon((11.8, 9.3), (15.5, 12), (11.8, 14.7)), GREEN)]
        if symbol == "pause":
            return [(Union(Rect(10, 9.5, 11.6, 14.5), Rect(12.9, 9.5, 14.5, 14.5)), ORANGE)]
        if symbol == "stop":
            return [(Rect(10, 9.5, 15, 14.5, 0.5), RED)]
        if symbol == "question":
            return text(11, 10, "?", BLUE_DARK)
        if symbol == "info":
            return text(11, 10, "i", BLUE_DARK)
        if symbol == "warning":
            return text(11, 10, "!", RED)
        if symbol == "search":
            return place(magnifier(), 8.6, 8.6, 0.45)
        if symbol == "pencil":
            return [(Line(10, 14.5, 14.8, 9.5, 2.2), ORANGE), (Polygon((9, 15.5), (9.3, 13.2), (11.2, 15)), INK)]
        if symbol == "right":
            return arrow(0, BLUE, 12.5, 12, 3, 1.4)
        if symbol == "left":
            return arrow(180, BLUE, 12.5, 12, 3, 1.4)
        if symbol == "up":
            return arrow(-90, GREEN, 12.5, 12, 3, 1.4)
        if symbol == "down":
            return arrow(90, BLUE, 12.5, 12, 3, 1.4)
        if symbol == "refresh":
            return [(Arc(12.5, 12, 2.4, 1.2, 330, 270), BLUE), (Polygon((14.2, 8.6), (15.7, 11.5), (12.6, 11)), BLUE)]
        if symbol == "toggle":
            return [(Rect(9.3, 10, 15.7, 14, 2), GREEN), (Circle(13.7, 12, 1.5), WHITE)]
        if symbol == "globe":
            return place(globe(), 8.6, 8.6, 0.46)
        if symbol == "shield":
            return place(shield(), 8.8, 8.4, 0.46)
        if symbol == "star":
            return star(12.5, 12, 3.6)
        if symbol == "gear":
            return place(gear(), 8.7, 8.5, 0.46)
        if symbol == "clock":
            return place(clock(), 8.6, 8.6, 0.46)
        if symbol == "floppy":
            return place(floppy(), 9, 8.6, 0.44)
        if symbol == "prompt":
            return place(console(), 8.4, 8.4, 0.48)
        if symbol == "folder":
            return place(folder(), 8.5, 8.3, 0.48)
        if symbol == "link":
            return place(chain(), 8.5, 8.5, 0.48)
        if symbol == "lines":
            return [(Rect(10, y, 15, y + 1), INK) for y in (10, 12, 14)]
        raise KeyError(symbol)
    return [(Circle(12.5, 12, 3.9), WHITE), (Difference(Circle(12.5, 12, 4.2), Circle(12.5, 12, 3.6)),
                                                   rgb(0x3A3F47, 90))] + sign()


def badged(base, symbol):
    return base + badge(symbol)


# --- The catalogue strip ---------------------------------------------------------------------

CATALOGUE_COUNT = 127

CATALOGUE = {
    0: no_entry(),
    # Files
    7: document(),
    1: documents(),
    2: badged(document(), "cross"),
    3: badged(document(), "right"),
    4: badged(document(), "pencil"),
    5: badged(document(), "refresh"),
    6: document() + place(tag(), 7, 7, 0.55),
    72: magnifier(7, 7, 5.5),
    70: document() + place(magnifier(), 4, 4, 0.75),
    71: printer(),
    76: badged(document(), "check"),
    73: document(0.5, 2, 7.5, 14) + document(8.5, 2, 15.5, 14),
    74: document(0.5, 2, 7.5, 14) + document(8.5, 2, 15.5, 14) + badge("search"),
    77: badged(documents(), "shield"),
    78: place(folder(), 0, -1, 0.7) + place(folder(), 5, 5, 0.7),
    75: sort_lines(),
    121: badged(document(), "prompt"),
    # Directories
    8: folder(),
    9: badged(folder(), "plus"),
    10: badged(folder(), "pencil"),
    11: badged(folder(), "cross"),
    12: badged(folder(), "right"),
    # Control of flow
    13: place(diamond(), 0, 0, 0.6) + arrow(90, INK, 5, 12.5, 2.5, 1.2) + arrow(0, INK, 12.5, 5, 2.5, 1.2),
    14: flag(),
    39: badged(flag(), "right"),
    15: diamond() + text(7, 6, "?", INK),
    16: diamond(rgb(0xFFE9A8)) + arrow(45, ORANGE, 8, 8, 3.5, 1.6),
    17: diamond(GREY_LIGHT, GREY) + [(Rect(4.5, 7, 11.5, 9), INK)],
    18: box(1, 1, 9, 15, BROWN_LIGHT, BROWN) + [(Circle(7, 8.5, 0.8), INK)] + arrow(0, RED, 11, 8, 4.3, 2),
    79: badged(window(), "play"),
    80: bracket(),
    81: bracket(True, RED),
    82: fork(),
    84: badged(folder(), "down"),
    83: badged(folder(), "up"),
    86: badged(sandbox(), "play"),
    85: badged(sandbox(GREY), "stop"),
    89: window(0.5, 0.5, 10.5, 10.5) + window(5, 5, 15.5, 15, GREEN),
    88: badged(console(), "plus"),
    87: badged(document(fill=rgb(0xE8F8EE), line_colour=GREEN), "right"),
    123: loop_arrow() + [(Rect(5.5, y, 10.5, y + 1), INK) for y in (6.5, 9)],
    122: loop_arrow(RED) + [(Rect(5.5, 6.5, 10.5, 9.5), RED_DARK)],
    # System
    19: monitor(),
    20: monitor() + [(Union(Line(3.5, 9, 6.5, 5, 1.2), Line(6.5, 5, 9.5, 7, 1.2), Line(9.5, 7, 12.5, 3.5, 1.2)), INK),
                     (Circle(3.5, 9, 1.3), GREEN), (Circle(12.5, 3.5, 1.3), RED)],
    90: power(),
    91: badged(document(), "link"),
    92: badged(monitor(), "info"),
    94: list_rows(),
    93: badged(list_rows(GREY), "cross"),
    96: badged(calendar(), "clock"),
    97: badged(clock(), "pencil"),
    95: badged(calendar(), "pencil"),
    98: connector(),
    99: badged(network_folder(), "search"),
    100: badged(network_folder(), "cross"),
    101: badged(network_folder(), "toggle"),
    102: chip(),
    120: badged(document(), "shield"),
    # Console
    21: console(),
    22: bubble() + [(Rect(3.5, y, 12.5, y + 1), TEXT_LINE) for y in (4.5, 7)],
    44: bubble(rgb(0xEAF2FB), BLUE_DARK) + text(7, 4, "?", BLUE_DARK),
    104: box(0.5, 1, 15.5, 15, WHITE, INK) + [item for y in (3, 7, 11) for item in (
        (Circle(4, y + 1, 1.6), INK), (Circle(4, y + 1, 0.9), GREEN if y == 7 else WHITE),
        (Rect(7, y + 0.5, 13.5, y + 1.5), TEXT_LINE))],
    23: badged(console(), "toggle"),
    24: console(prompt=False) + [(Polygon((4, 12), (8, 6), (12, 8.5), (8.5, 13)), rgb(0xF4A6B8))],
    25: palette(),
    103: key_cap(),
    105: badged(console(), "pencil"),
    106: document(fill=CONSOLE, line_colour=CONSOLE_TEXT),
    107: windows_logo(),
    108: window(title=YELLOW) + [(Rect(2, 2.5, 9, 3.5), INK)] + [(Rect(2.5, y, 13.5, y + 1), TEXT_LINE) for y in (7, 10)],
    109: box(0.5, 0.5, 11, 11, WHITE, INK, 1) + text(4, 3, "A", INK) + badge("refresh"),
    110: char_grid(),
    # File System
    26: drive(),
    27: tree_lines(),
    28: list_rows(FOLDER),
    29: badged(drive(), "folder"),
    111: badged(drive(), "check"),
    112: badged(drive(), "clock"),
    113: badged(drive(), "warning"),
    119: compress(),
    118: badged(drive(), "info"),
    117: badged(drive(), "plus"),
    116: tag(),
    115: chain(),
    114: badged(drive(), "right"),
    # Service Control
    67: gear(5.8, 5.8, 5.5) + gear(11, 11, 4.5, GREY_LIGHT),
    66: badged(gear(), "search"),
    68: badged(gear(), "play"),
    65: badged(gear(), "pause"),
    69: badged(gear(), "stop"),
    61: badged(gear(), "resume"),
    64: badged(gear(), "question"),
    62: badged(gear(), "plus"),
    63: badged(gear(), "cross"),
    # Access control lists
    55: shield(),
    54: badged(shield(), "check"),
    53: badged(shield(), "cross"),
    57: badged(shield(), "minus"),
    58: badged(shield(), "refresh"),
    60: badged(shield(), "search"),
    52: badged(shield(), "floppy"),
    59: badged(shield(), "up"),
    56: badged(shield(), "plus"),
    # Task scheduler
    45: task_clipboard(),
    46: badged(task_clipboard(), "plus"),
    51: badged(task_clipboard(), "play"),
    49: badged(task_clipboard(), "stop"),
    48: badged(task_clipboard(), "cross"),
    47: badged(task_clipboard(), "pencil"),
    50: badged(task_clipboard(), "search"),
    # Network
    30: globe(),
    31: two_monitors(),
    38: badged(globe(), "down"),
    125: badged(globe(), "gear"),
    126: bars_chart(),
    # Archive
    33: archive(),
    32: archive(BLUE) + text(7, 7, "7", WHITE),
    # Misc
    34: toolbox(),
    35: bubble(rgb(0xE8F8EE), GREEN_DARK) + [(Rect(3.5, y, 12.5, y + 1), GREEN) for y in (4.5, 7)],
    36: parameter(),
    37: variable(sign=True),
    40: badged(parameter(), "check"),
    # Palette
    41: badged(folder(rgb(0xD9C6F2)), "star"),
    42: snippet_piece(),
}


def unused_image():
    """Indexes no catalogue entry uses: a plain grey square, so a wrong index shows."""
    return box(3, 3, 13, 13, GREY_LIGHT, GREY, 2)


# --- The toolbar strip -----------------------------------------------------------------------

# The main toolbar's buttons, then those of the toolbar beside the project list.
TOOLBAR = [
    ("NEW_PROJECT", document(lines=False) + star(12, 4, 4)),
    ("OPEN_PROJECT", open_folder()),
    ("SAVE_PROJECT", floppy()),
    ("MAKE_BATCH_FILE", badged(document(fill=rgb(0xE8F8EE), line_colour=GREEN), "gear")),
    ("PREVIEW_BATCH_FILE", document() + place(magnifier(), 5, 5, 0.7)),
    ("HELP_CONTENTS", help_book()),
    ("MOVE_UP", arrow(-90, BLUE, 8, 8, 6.5, 3)),
    ("MOVE_DOWN", arrow(90, BLUE, 8, 8, 6.5, 3)),
    ("DELETE_ITEM", [(Union(Line(3, 3, 13, 13, 3), Line(13, 3, 3, 13, 3)), RED)]),
    ("DISABLE_ITEM", no_entry()),
]


# Named catalogue indexes the code refers to (the entries carry their own indexes).
CATALOGUE_NAMES = [("DisabledItemImage", 0, "shown instead of an item's picture while it is disabled"),
                   ("SnippetsRootImage", 41, "the palette's \"Snippets\" node"),
                   ("SnippetImage", 42, "one snippet in the palette")]


def index_header():
    def camel(name):
        return "".join(word.capitalize() for word in name.split("_"))
    lines = [
        "#pragma once",
        "// Generated by scripts/make_images.py together with the bitmaps; do not edit by hand.",
        "// Bitmap resources, one row of square images each, index 0 on the left:",
        "//   CATALOGUE_IMAGES (16x16), CATALOGUE_IMAGES_32 (32x32): catalogue, palette, project list",
        "//   TOOLBAR_IMAGES (16x16), TOOLBAR_IMAGES_32 (32x32): tool buttons",
        "// 32 bpp with straight alpha: load with LoadImage(LR_CREATEDIBSECTION) into an",
        "// ILC_COLOR32 image list.",
        "",
        "namespace palvetta {",
        "",
        f"inline constexpr int CatalogueImageCount = {CATALOGUE_COUNT};",
        f"inline constexpr int ToolbarImageCount = {len(TOOLBAR)};",
        "",
    ]
    for name, index, why in CATALOGUE_NAMES:
        lines.append(f"inline constexpr int {name} = {index};  // {why}")
    lines += ["", "// Toolbar strip: the main toolbar's buttons in order, then the project list's.",
              "enum TToolbarImage {"]
    lines += [f"  tbi{camel(name)} = {n}," for n, (name, _) in enumerate(TOOLBAR)]
    lines += ["};", "", "}  // namespace palvetta", ""]
    return "\n".join(lines)


# --- Rasterising and writing ---------------------------------------------------------------

def render(layers, size):
    """RGBA rows (top first) of one picture at size x size, straight alpha."""
    scale = size / 16
    pixels = [[(0.0, 0.0, 0.0, 0.0)] * size for _ in range(size)]
    step = 1 / SUBSAMPLES
    offsets = [(i + 0.5) * step for i in range(SUBSAMPLES)]
    total = SUBSAMPLES * SUBSAMPLES
    for shape, (r, g, b, a) in layers:
        x0, y0, x1, y1 = shape.bbox
        for py in range(max(0, int(y0 * scale)), min(size, int(math.ceil(y1 * scale)) + 1)):
            for px in range(max(0, int(x0 * scale)), min(size, int(math.ceil(x1 * scale)) + 1)):
                hits = sum(1 for oy in offsets for ox in offsets
                           if shape.contains((px + ox) / scale, (py + oy) / scale))
                if not hits:
                    continue
                src = a / 255 * hits / total
                dr, dg, db, da = pixels[py][px]
                out = src + da * (1 - src)
                if out <= 0:
                    pixels[py][px] = (0.0, 0.0, 0.0, 0.0)
                    continue
                mix = lambda s, d: (s * src + d * da * (1 - src)) / out
                pixels[py][px] = (mix(r, dr), mix(g, dg), mix(b, db), out)
    return [[(round(r), round(g), round(b), round(a * 255)) for r, g, b, a in row] for row in pixels]


def bmp(images, size):
    """One bottom-up BI_RGB 32 bpp bitmap holding the images side by side."""
    width = size * len(images)
    rows = []
    for y in range(size - 1, -1, -1):
        row = bytearray()
        for image in images:
            for r, g, b, a in image[y]:
                row += bytes((b, g, r, a) if a else (0, 0, 0, 0))
        rows.append(bytes(row))
    pixels = b"".join(rows)
    info = struct.pack("<IiiHHIIiiII", 40, width, size, 1, 32, 0, len(pixels), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return header + info + pixels


def write(path, data):
    """Through a temporary file, so an interrupted run leaves the old file whole."""
    temporary = path.with_name(path.name + ".tmp")
    temporary.write_bytes(data)
    temporary.replace(path)


def main():
    out = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).parent.parent / "resources"
    catalogue = [CATALOGUE.get(n) or unused_image() for n in range(CATALOGUE_COUNT)]
    toolbar = [layers for _, layers in TOOLBAR]
    for size, suffix in ((16, ""), (32, "_32")):
        write(out / f"catalogue_images{suffix}.bmp", bmp([render(p, size) for p in catalogue], size))
        write(out / f"toolbar_images{suffix}.bmp", bmp([render(p, size) for p in toolbar], size))
    write(out / "image_indexes.h", index_header().encode())


if __name__ == "__main__":
    main()
