"""Settings pages and their controls: page backgrounds, the button rows' drop-down boxes, DPI
level bars, check boxes, sliders and dials in every position, and the program's own images
(scroll thumb, icon).

Sizes follow the rectangles the program uses; a slider's knob sits where a click at that place
selects its position, and the extra right-most positions look "full"."""

import math

from theme import (ACCENT, ACCENT_HI, BG0, BG3, LINE, LINE2, MUTED, TEXT, WHITE,
                   Cell, FONT, page, rect, text)

PAGE_W = 242


# A row's drop-down box: the program centres the caption on x 120-250 of the window (page x
# 100-230) and draws the box image at its left edge, but the longest captions are wider than
# that. The page draws the whole box, wider on both sides and centred on the caption; the
# images are its middle (130 pixels from page x 100), drawn over it.
ROW_BOX = (90, 240)   # page x of the box's outer edges (exclusive)
ROW_IMAGE_X = 100     # page x of the images


def row_box(look, x0, x1, y=0):
    """The box from x0 to x1 (or the part of it that the image covers, when the ends lie
    outside); `look` is "normal", "over" or "leave"."""
    # The looks differ in their edges only: a long caption lies on the box's ends too, which
    # the page draws in the resting look.
    edge = {"normal": LINE2, "over": ACCENT, "leave": ACCENT_HI}[look]
    return rect(x0 + 0.5, y + 0.5, x1 - x0 - 1, 15, 3, "url(#gField)", edge)


def zebra_rows(count):
    rows = "".join(
        rect(4, 1 + 20 * r, PAGE_W - 8, 18, 3, "#ffffff", extra='fill-opacity="0.028"')
        for r in range(0, count, 2))
    return rows + "".join(row_box("normal", *ROW_BOX, y=2 + 20 * r) for r in range(count))


DPI_RAIL_Y = 174  # page y of the value boxes (window y 226)


def dpi_page():
    h = 232
    body = page(PAGE_W, h)
    for v in (40, 80, 120):  # guides at 4000, 8000 and 12000 DPI, level with the bar tops
        y = 152 - v + 0.5
        body += (f'<path d="M4,{y} H238" stroke="#ffffff" stroke-opacity="0.07" '
                 f'stroke-dasharray="2 3"/>')
    # The values' rail: "12000" is wider than a value box and the first stage's value reaches
    # the page's left edge, so the values sit on one rail across the page, in the window's own
    # colour, open at both ends. The value box image is a piece of it.
    body += rect(0, DPI_RAIL_Y, PAGE_W, 11, fill=BG0)
    for k in range(7):
        body += text(14.5 + 35 * k, 169, str(k + 1), 9, MUTED)
        body += rect(6.5 + 35 * k, 211.5, 13, 13, 2.5, "none", LINE2)
    return Cell(PAGE_W, h, body)


def gesture_icon():
    return (f'<path d="M8,40 C12,30 16,50 21,40 C25,31 29,46 34,38" fill="none" stroke="{MUTED}" '
            f'stroke-width="1.4" stroke-linecap="round"/>'
            f'<path d="M8,28 H34 M30,25 L34,28 L30,31" fill="none" stroke="{ACCENT}" '
            f'stroke-width="1.4" stroke-linecap="round" stroke-linejoin="round"/>')


def divider(x, y0, y1):
    return rect(x, y0, 1, y1 - y0, fill=LINE)


def pages():
    return [
        ("/ButtonAssignment/BK_ButtonAssignment.png",
         Cell(PAGE_W, 146, page(PAGE_W, 146) + zebra_rows(7))),
        ("/ButtonAssignment/BK_ButtonAssignment-Side.png",
         Cell(PAGE_W, 246, page(PAGE_W, 246) + zebra_rows(12))),
        ("/DPISetting/BK_DPISetting.png", dpi_page()),
        ("/Lighting/BK_Lighting.png", Cell(PAGE_W, 112, page(PAGE_W, 112) + divider(95, 14, 104))),
        ("/USBReportRate/BK_USBReportRate.png",
         Cell(PAGE_W, 140, page(PAGE_W, 140)
              + f'<circle cx="121" cy="69" r="66" fill="none" stroke="#ffffff" '
              f'stroke-opacity="0.05"/>')),
        ("/MouseAttribute/BK_MouseAttribute.png", Cell(PAGE_W, 108, page(PAGE_W, 108))),
        ("/MouseAttribute/BK_ScrollSpeed.png", Cell(PAGE_W, 76, page(PAGE_W, 76))),
        ("/AngleSnap/BK_AngleSnap.png", Cell(PAGE_W, 40, page(PAGE_W, 40) + divider(120, 8, 32))),
        ("/GestureCorrection/BK-GestureCorrection.png",
         Cell(PAGE_W, 66, page(PAGE_W, 66) + gesture_icon())),
        ("/XYSensitivity/BK_XYSensSetting.png",
         Cell(PAGE_W, 145, page(PAGE_W, 145) + rect(12, 78, PAGE_W - 24, 1, fill=LINE))),
    ]


def dropdown(look):
    # The middle of the row's box (see ROW_BOX): the whole box is the control and the caption
    # is centred on it, so it carries no arrow that a long caption would run into. The resting
    # look is the page's own box; the others light up the middle's edges.
    x0, x1 = ROW_BOX[0] - ROW_IMAGE_X, ROW_BOX[1] - ROW_IMAGE_X
    body = row_box(look, x0, x1)
    if look != "normal":
        body += rect(0, 14, 130, 1, fill=ACCENT, extra='fill-opacity="0.5"')
    return Cell(130, 16, body)


def dpi_bar(level):
    # A click at window y picks level 204 - y; the bar image starts at y = 80, so the fill of
    # level v begins at image row 124 - v and the marker sits on the row a click would pick.
    top = 124 - level
    return Cell(7, 127, rect(0.5, 0.5, 6, 126, 3, "#08090c", "#262c36")
                + rect(1, top, 5, 126 - top, 2.5, "url(#gAccentV)")
                + rect(0, top - 0.5, 7, 2, 1, WHITE))


def check(w, h, on):
    if not on:
        return Cell(w, h, rect(0.5, 0.5, w - 1, h - 1, 2, "url(#gField)", LINE2))
    sx, sy = w / 10, h / 9
    mark = (f'<path d="M{2.4 * sx},{4.6 * sy} L{4.3 * sx},{6.4 * sy} L{7.6 * sx},{2.6 * sy}" '
            f'fill="none" stroke="{WHITE}" stroke-width="1.4" stroke-linecap="round" '
            f'stroke-linejoin="round"/>')
    return Cell(w, h, rect(0.5, 0.5, w - 1, h - 1, 2, "url(#gAccent)", ACCENT_HI) + mark)


def radio(on):
    ring = f'<circle cx="6" cy="6" r="5.4" fill="url(#gField)" stroke="{ACCENT if on else LINE2}"/>'
    dot = f'<circle cx="6" cy="6" r="2.8" fill="{ACCENT_HI}"/>' if on else ""
    return Cell(12, 12, ring + dot)


LINES_FIELD = "#949494"  # the program paints the enabled lines box (148, 148, 148)


def scroll_lines_box():
    # The arrows in the field's own grey, so that field and arrows read as one spin box.
    def arrow(y, up):
        tip, base = (y + 1.5, y + 4.2) if up else (y + 4.5, y + 1.8)
        return (rect(40.5, y + 0.5, 9, 5, 1.5, LINES_FIELD, "#b4b4b4")
                + f'<path d="M42.5,{base} L45,{tip} L47.5,{base} Z" fill="{BG0}"/>')

    return Cell(50, 14, rect(0.5, 0.5, 35, 13, 2, "url(#gField)", LINE2) + arrow(0, True)
                + arrow(8, False))


def slider(width, height, cx, lit_from, full, ticks=()):
    cy = height / 2
    track = rect(4, cy - 1, width - 8, 2, 1, BG3)
    marks = "".join(rect(x - 0.5, cy - 3, 1, 6, 0.5, LINE2) for x in ticks)
    a, b = sorted((lit_from, cx))
    lit = rect(a, cy - 1, b - a, 2, 1, "url(#gAccentH)") if b > a else ""
    knob_fill, knob_ring = (ACCENT_HI, WHITE) if full else (WHITE, ACCENT)
    r = min(4, cy - 0.5)
    knob = (f'<circle cx="{cx}" cy="{cy}" r="{r - 0.5}" fill="{knob_fill}" stroke="{knob_ring}" '
            f'stroke-width="1.5"/>')
    return Cell(width, height, track + marks + lit + knob)


def lighting_slider(p):
    # Click rule: x - left - 4 in steps of 30; labels start every 30 pixels.
    cx = min(4 + 30 * (p - 1), 124)
    return slider(128, 8, cx, 4, p >= 6)


def gesture_slider(p):
    # Click rule: x - left - 4 in steps of 37; position 3 is "0", the middle.
    cx = min(4 + 37 * (p - 1), 150.5)
    return slider(155, 11, cx, 78, p >= 6, ticks=[4 + 37 * i for i in range(5)])


def stage_slider(p):
    # Click rule: x - left - 9 in steps of 21; labels "1".."10" start 7 + 21 i from the left.
    cx = min(10 + 21 * (p - 1), 203.5)
    return slider(208, 9, cx, 4, p >= 11, ticks=[10 + 21 * i for i in range(10)])


def sector(cx, cy, r0, r1, a0, a1, fill, extra=""):
    """An annular sector between angles a0 and a1 (degrees, clockwise from the right)."""
    def pt(r, a):
        return (cx + r * math.cos(math.radians(a)), cy + r * math.sin(math.radians(a)))

    large = 1 if (a1 - a0) % 360 > 180 else 0
    (x0, y0), (x1, y1) = pt(r1, a0), pt(r1, a1)
    (x2, y2), (x3, y3) = pt(r0, a1), pt(r0, a0)
    return (f'<path d="M{x0:.3f},{y0:.3f} A{r1},{r1} 0 {large} 1 {x1:.3f},{y1:.3f} '
            f'L{x2:.3f},{y2:.3f} A{r0},{r0} 0 {large} 0 {x3:.3f},{y3:.3f} Z" fill="{fill}" {extra}/>')


def report_rate_dial(hertz):
    # Quadrants of the ring 35..64: upper right 1000, lower right 500, lower left 250,
    # upper left 125.
    quadrants = [(1000, 270), (500, 0), (250, 90), (125, 180)]
    body = f'<circle cx="64" cy="64" r="63.5" fill="none" stroke="{LINE}"/>'
    for rate, start in quadrants:
        on = rate == hertz
        body += sector(64, 64, 37, 62, start + 3, start + 87,
                       "url(#gAccent)" if on else "url(#gControl)")
        mid = math.radians(start + 45)
        x, y = 64 + 49.5 * math.cos(mid), 64 + 49.5 * math.sin(mid)
        body += text(f"{x:.2f}", f"{y + 3.4:.2f}", str(rate), 9.5, WHITE if on else MUTED)
    body += f'<circle cx="64" cy="64" r="31" fill="url(#gField)" stroke="{LINE2}"/>'
    body += text(64, 68, str(hertz), 17, TEXT)
    body += text(64, 81, "Hz", 9, MUTED)
    return Cell(128, 128, body)


def mix(c0, c1, t):
    a = [int(c0[i:i + 2], 16) for i in (1, 3, 5)]
    b = [int(c1[i:i + 2], 16) for i in (1, 3, 5)]
    return "#" + "".join(f"{round(x + (y - x) * t):02x}" for x, y in zip(a, b))


def speed_dial(p):
    # Upper half ring 43..71 around (71, 71); ten 18-degree segments from the left (position
    # 2) to the right (position 11); 12 is exactly the right-hand horizontal.
    body = ""
    for i in range(10):
        lit = p >= 2 and i <= p - 2
        colour = mix("#9a2232", "#ff6073", i / 9) if lit else BG3
        body += sector(71, 71, 45, 70, 180 + 18 * i + 1, 180 + 18 * (i + 1) - 1, colour)
    angle = 360 if p >= 12 else 180 if p <= 1 else 180 + 18 * (p - 2) + 9
    a = math.radians(angle)
    x0, y0 = 71 + 9 * math.cos(a), 71 + 9 * math.sin(a)
    x1, y1 = 71 + 40 * math.cos(a), 71 + 40 * math.sin(a)
    body += (f'<path d="M{x0:.2f},{y0:.2f} L{x1:.2f},{y1:.2f}" stroke="{WHITE}" stroke-width="2.4" '
             f'stroke-linecap="round"/>')
    body += f'<circle cx="71" cy="71" r="7" fill="{BG3}" stroke="{LINE2}"/>'
    body += f'<circle cx="71" cy="71" r="2.6" fill="{ACCENT_HI}"/>'
    return Cell(142, 83, body)


def images():
    out = [(name, cell, False) for name, cell in pages()]
    for look in ("normal", "over", "leave"):
        out.append((f"/ButtonAssignment/DropdownBox-{look}.png", dropdown(look), True))
    for v in range(1, 121):
        out.append((f"/DPISetting/DPIStage/{v}.png", dpi_bar(v), True))
    out += [
        ("/DPISetting/BK-DPIValue.png", Cell(25, 11, rect(0, 0, 25, 11, fill=BG0)), True),
        ("/Enable.png", check(10, 9, True), True),
        ("/Disable.png", check(10, 9, False), True),
        ("/MouseAttribute/ScrollSpeed/Enable.png", radio(True), True),
        ("/MouseAttribute/ScrollSpeed/Disable.png", radio(False), True),
        ("/MouseAttribute/ScrollSpeed/ScrollLines.png", scroll_lines_box(), True),
    ]
    for p in range(1, 7):
        out.append((f"/Lighting/{p}.png", lighting_slider(p), True))
        out.append((f"/GestureCorrection/{p}.png", gesture_slider(p), True))
    for p in range(1, 12):
        out.append((f"/StageSlider/{p}.png", stage_slider(p), True))
    for p in range(1, 13):
        out.append((f"/MouseAttribute/Speed/{p}.png", speed_dial(p), True))
    for hertz in (1000, 500, 250, 125):
        out.append((f"/USBReportRate/{hertz}HZ.png", report_rate_dial(hertz), True))
    return out


def thumb():
    # Columns 0-6 show (the thumb is 7 pixels wide); they are opaque, with the corners in the
    # track's colour, so the thumb looks the same whatever lies under it. Column 7 is clear.
    body = (rect(0, 0, 7, 114, fill="#08090c") + rect(0, 0, 7, 114, 3, "url(#gAccent)")
            + rect(0.5, 0.5, 6, 113, 3, "none", "#ff8a98", extra='stroke-opacity="0.35"'))
    for y in (50, 54, 58, 62):
        body += rect(2, y, 3, 1, 0.5, WHITE, extra='fill-opacity="0.6"')
    return Cell(8, 114, body)


def icon(size):
    s = size / 48
    return Cell(size, size, f"""
<g transform="scale({s})">
  {rect(1, 1, 46, 46, 10, BG0, ACCENT)}
  <g transform="translate(2.5,2.2) scale(0.9)"><use xlink:href="#logoMark"/></g>
</g>""")


def resources():
    return {
        "thumb": [("scroll-thumb.png", thumb())],
        "icon": [(str(size), icon(size)) for size in (16, 24, 32, 48, 256)],
    }

