"""The mouse pictures and their parts.

Front view (drawn at window (362, 49)): the mouse from above with Button 1-7 (left and right
button, wheel, tilt left and right, DPI + and DPI -), each with a numbered badge, and a small
rear view whose tilt arrows are the back parts B-4 and B-5. Side view (at (299, 117)): the
mouse from its left side with the twelve side buttons S1-S12.

Every part image has the size of its view's picture. It is cut from a whole scene (the window
background under the mouse, then the mouse with every part in one look) through a mask of the
part, so it is opaque over its part, transparent elsewhere, and can be drawn on its own.
"""

from theme import ACCENT, ACCENT_HI, BG3, LINE, LINE2, MUTED, TEXT, WHITE, Cell, rect, text

FRONT_AT = (362, 49)
FRONT_SIZE = (358, 466)
SIDE_AT = (299, 117)
SIDE_SIZE = (400, 398)

FRONT_BODY = ("M128,92 C95,92 66,98 58,122 C50,146 48,200 46,240 C44,290 34,330 38,370 "
              "C42,420 80,452 128,452 C176,452 214,420 218,370 C222,330 212,290 210,240 "
              "C208,200 206,146 198,122 C190,98 161,92 128,92 Z")
REAR_BODY = "M270,436 C270,392 286,364 306,362 C326,364 342,392 342,436 Z"
SIDE_BODY = ("M62,288 C40,288 26,278 26,262 C26,246 42,232 78,214 C128,190 188,160 250,152 "
             "C312,146 362,174 370,216 C376,252 366,284 340,288 Z")

MASK_STYLE = 'fill="#ffffff" stroke="#ffffff" stroke-width="2"'


def mouse_defs():
    return f"""
<clipPath id="clipFront"><path d="{FRONT_BODY}"/></clipPath>
<linearGradient id="gBody" x1="0" y1="0" x2="1" y2="1">
  <stop offset="0" stop-color="#22262d"/><stop offset="1" stop-color="#0e1013"/></linearGradient>
<linearGradient id="gPart" x1="0" y1="0" x2="0" y2="1">
  <stop offset="0" stop-color="#3c434e"/><stop offset="1" stop-color="#262b33"/></linearGradient>
<linearGradient id="gPartLit" x1="0" y1="0" x2="0" y2="1">
  <stop offset="0" stop-color="#ff6679"/><stop offset="1" stop-color="#c42a3e"/></linearGradient>
"""


class Part:
    """One part: its shapes (drawn with the look's fill), extras on top, and its badge."""

    def __init__(self, folder, name, shapes, extras=None, badge=None, clip=None):
        self.folder = folder
        self.name = name
        self.shapes = shapes          # SVG elements without fill or stroke
        self.extras = extras or (lambda lit: "")
        self.badge = badge            # (cx, cy, label) or None
        self.clip = clip
        self.mask = None

    def file_name(self, look):
        return f"{self.folder}{self.name}-{look}.png"

    def _clipped(self, content):
        return f'<g clip-path="url(#{self.clip})">{content}</g>' if self.clip else content

    def draw(self, lit):
        fill, stroke = ("url(#gPartLit)", ACCENT_HI) if lit else ("url(#gPart)", LINE2)
        shapes = "".join(s.replace("/>", f' fill="{fill}" stroke="{stroke}"/>') for s in self.shapes)
        out = self._clipped(shapes) + self.extras(lit)
        if self.badge:
            cx, cy, label = self.badge
            out += (f'<circle cx="{cx}" cy="{cy}" r="8" fill="{ACCENT if lit else BG3}" '
                    f'stroke="{ACCENT_HI if lit else LINE2}"/>'
                    + text(cx, cy + 3.5, label, 10, WHITE if lit else TEXT))
        return out

    def mask_svg(self):
        out = self._clipped("".join(self.shapes))
        if self.badge:
            cx, cy, _ = self.badge
            out += f'<circle cx="{cx}" cy="{cy}" r="8"/>'
        return f'<g {MASK_STYLE}>{out}</g>'


def leader(x0, y0, x1, y1):
    return (f'<path d="M{x0},{y0} L{x1},{y1}" stroke="{MUTED}" stroke-opacity="0.55" '
            f'stroke-width="1"/><circle cx="{x1}" cy="{y1}" r="1.6" fill="{MUTED}"/>')


def front_parts():
    folder = "/Mouse/Front/"
    left = ("M0,0 H125 V104 H112 A14,14 0 0 0 98,118 V154 A14,14 0 0 0 112,168 H125 V230 "
            "Q60,242 0,228 Z")
    right = ("M256,0 H131 V104 H144 A14,14 0 0 1 158,118 V154 A14,14 0 0 1 144,168 H131 V230 "
             "Q196,242 256,228 Z")

    def wheel_ribs(lit):
        colour = "#ffd0d6" if lit else "#14171c"
        return "".join(rect(123, y, 10, 1, 0.5, colour, extra='fill-opacity="0.55"')
                       for y in range(116, 158, 5))

    def sign(y, minus):
        def draw(lit):
            ink = WHITE if lit else MUTED
            out = rect(122, y + 8, 12, 2, 1, ink)
            if not minus:
                out += rect(127, y + 3, 2, 12, 1, ink)
            return out
        return draw

    parts = [
        Part(folder, "F-1", [f'<path d="{left}"/>'], badge=(22, 150, "1"), clip="clipFront"),
        Part(folder, "F-2", [f'<path d="{right}"/>'], badge=(234, 150, "2"), clip="clipFront"),
        Part(folder, "F-3", ['<rect x="121" y="110" width="14" height="52" rx="7"/>'],
             extras=wheel_ribs, badge=(128, 70, "3")),
        Part(folder, "F-4", ['<path d="M115,127 L104,136 L115,145 Z" stroke-linejoin="round"/>'],
             badge=(82, 72, "4")),
        Part(folder, "F-5", ['<path d="M141,127 L152,136 L141,145 Z" stroke-linejoin="round"/>'],
             badge=(174, 72, "5")),
        Part(folder, "F-6", ['<rect x="114" y="246" width="28" height="18" rx="5"/>'],
             extras=sign(246, False), badge=(234, 255, "6")),
        Part(folder, "F-7", ['<rect x="114" y="270" width="28" height="18" rx="5"/>'],
             extras=sign(270, True), badge=(234, 279, "7")),
    ]
    back = "/Mouse/Back/"
    parts += [
        Part(back, "B-4", ['<path d="M295,349 L284,357 L295,365 Z" stroke-linejoin="round"/>'],
             badge=(272, 336, "4")),
        Part(back, "B-5", ['<path d="M317,349 L328,357 L317,365 Z" stroke-linejoin="round"/>'],
             badge=(340, 336, "5")),
    ]
    return parts


def front_art(parts, lit):
    out = [
        f'<path d="{FRONT_BODY}" fill="url(#gBody)"/>',
        # light strips along the rear sides and the palm emblem
        f'<path d="M44,300 C40,340 44,392 74,426" fill="none" stroke="{ACCENT}" stroke-width="7" '
        f'stroke-opacity="0.16" stroke-linecap="round"/>',
        f'<path d="M44,300 C40,340 44,392 74,426" fill="none" stroke="{ACCENT_HI}" '
        f'stroke-width="2" stroke-linecap="round"/>',
        f'<path d="M212,300 C216,340 212,392 182,426" fill="none" stroke="{ACCENT}" '
        f'stroke-width="7" stroke-opacity="0.16" stroke-linecap="round"/>',
        f'<path d="M212,300 C216,340 212,392 182,426" fill="none" stroke="{ACCENT_HI}" '
        f'stroke-width="2" stroke-linecap="round"/>',
        '<g transform="translate(114,350) scale(0.6)" opacity="0.9">'
        '<use xlink:href="#logoMark"/></g>',
        '<rect x="98" y="104" width="60" height="64" rx="14" fill="#0a0b0e" stroke="#2a303a"/>',
        # the rear view
        f'<rect x="258.5" y="318.5" width="96" height="128" rx="8" fill="#101216" stroke="{LINE}"/>',
        f'<path d="{REAR_BODY}" fill="url(#gBody)" stroke="#3a414d" stroke-width="1.5"/>',
        '<rect x="301" y="348" width="10" height="22" rx="4" fill="#3a414d" stroke="#14171c"/>',
        f'<path d="M276,420 H336" stroke="{ACCENT_HI}" stroke-width="2" stroke-linecap="round"/>',
    ]
    leaders = [leader(30, 150, 66, 150), leader(226, 150, 190, 150), leader(128, 78, 128, 108),
               leader(88, 78, 106, 128), leader(168, 78, 150, 128), leader(226, 255, 146, 255),
               leader(226, 279, 146, 279), leader(277, 342, 286, 352), leader(335, 342, 326, 352)]
    # buttons under the rim; leaders, the other parts and all badges on top
    for part in (p for p in parts if p.clip):
        out.append(part.draw(part.name in lit))
    out.append(f'<path d="{FRONT_BODY}" fill="none" stroke="#3a414d" stroke-width="1.5"/>')
    out += leaders
    for part in (p for p in parts if not p.clip):
        out.append(part.draw(part.name in lit))
    return "".join(out)


def side_parts():
    folder = "/Mouse/Side/"
    parts = []
    for row in range(3):
        for col in range(4):
            n = row * 4 + col + 1
            x, y = 146 + col * 48, 198 + row * 27

            def digit(lit, x=x, y=y, n=n):
                return text(x + 21, y + 15, str(n), 11, WHITE if lit else MUTED)

            parts.append(Part(folder, f"S-{n}",
                              [f'<rect x="{x}" y="{y}" width="42" height="22" rx="6"/>'],
                              extras=digit))
    return parts


def side_art(parts, lit):
    out = [
        '<rect x="84" y="287" width="90" height="4" rx="2" fill="#08090b"/>',
        '<rect x="236" y="287" width="92" height="4" rx="2" fill="#08090b"/>',
        '<rect x="88" y="192" width="26" height="11" rx="5" fill="#3a414d" stroke="#14171c" '
        'transform="rotate(-26 101 197)"/>',
        f'<path d="{SIDE_BODY}" fill="url(#gBody)" stroke="#3a414d" stroke-width="1.5"/>',
        '<path d="M48,236 C110,206 170,176 236,162" fill="none" stroke="#08090b" '
        'stroke-width="1.8"/>',
        f'<path d="M52,276 C140,282 260,282 352,270" fill="none" stroke="{ACCENT}" '
        f'stroke-width="7" stroke-opacity="0.16" stroke-linecap="round"/>',
        f'<path d="M52,276 C140,282 260,282 352,270" fill="none" stroke="{ACCENT_HI}" '
        f'stroke-width="2" stroke-linecap="round"/>',
        f'<rect x="136.5" y="190.5" width="206" height="91" rx="14" fill="#0f1114" stroke="{LINE}"/>',
    ]
    for part in parts:
        out.append(part.draw(part.name in lit))
    return "".join(out)


class View:
    """A view's picture, its scenes over the window background, and a mask per part; the art
    is moved down by `lift` (negative: up) inside the picture."""

    def __init__(self, picture_name, at, size, parts, art, lift=0):
        self.picture_name = picture_name
        self.width, self.height = size
        self.parts = parts
        under = f'<use xlink:href="#window" x="{-at[0]}" y="{-at[1]}"/>'
        every = {p.name for p in parts}

        def moved(content):
            return f'<g transform="translate(0,{lift})">{content}</g>' if lift else content

        self.picture = Cell(self.width, self.height, moved(art(parts, set())))
        self.base = Cell(self.width, self.height, under + moved(art(parts, set())))
        self.lit = Cell(self.width, self.height, under + moved(art(parts, every)))
        for part in parts:
            part.mask = Cell(self.width, self.height, moved(part.mask_svg()))


def views():
    front = View("/Mouse/Front/MouseFront.png", FRONT_AT, FRONT_SIZE, front_parts(), front_art)
    side = View("/Mouse/Side/MouseSide.png", SIDE_AT, SIDE_SIZE, side_parts(), side_art, lift=-26)
    return front, side

