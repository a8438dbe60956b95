"""The dialogs: key dialogs, macro picker, macro manager, profile manager and help window, with
their buttons and check boxes. Texts are the program's; the backgrounds only frame the places
where it draws them, so they carry no words of any language."""

from art_controls import check
from theme import (ACCENT, ACCENT_DEEP, ACCENT_HI, BG2, BG3, LINE, LINE2, MUTED, TEXT, WHITE,
                   Cell, chevron_down, rect, text)

LIST_GREY = "#6d6d6d"   # the program paints its lists on (109, 109, 109)
FIELD_DARK = "#282828"  # static texts and lists of the small dialogs: (40, 40, 40)
COUNT_FIELD = "#221815"  # the macro manager's repeat-count field: (34, 24, 21)


def frame(w, h, band=30, icon=""):
    return (rect(0, 0, w, h, fill="url(#gCard)") + rect(0.5, 0.5, w - 1, h - 1, 0, "none", LINE2)
            + rect(1, 1, w - 2, band - 1, fill="url(#gHeader)") + rect(1, band, w - 2, 1, fill=LINE)
            + rect(1, 8, 3, band - 16, 1, ACCENT) + icon)


def separator(x0, x1, y):
    return rect(x0, y, x1 - x0, 1, fill=LINE)


def keycap(x, y, w, h, lit=False, label=""):
    # A flat outline, an illustration: raised keys would look like buttons to press.
    edge = ACCENT if lit else LINE2
    fill = ACCENT if lit else "none"
    cap = rect(x + 0.5, y + 0.5, w - 1, h - 1, 4, fill, edge,
               extra='fill-opacity="0.18" stroke-opacity="0.8"')
    if label:
        cap += text(x + w / 2, y + h / 2 + 4, label, 11, MUTED)
    return cap


def key_icon(x, y):
    return (rect(x + 0.5, y + 0.5, 17, 13, 3, "none", MUTED, 1.2)
            + rect(x + 4, y + 9, 10, 1.5, 0.7, MUTED))


def badge(cx, cy, label):
    return (f'<circle cx="{cx}" cy="{cy}" r="7" fill="{BG3}" stroke="{LINE2}"/>'
            + text(cx, cy + 3.3, label, 9, TEXT))


def plus(cx, cy, colour=ACCENT):
    return (rect(cx - 4, cy - 0.8, 8, 1.6, 0.8, colour)
            + rect(cx - 0.8, cy - 4, 1.6, 8, 0.8, colour))


def combo_key():
    w, h = 380, 285
    body = frame(w, h, icon=key_icon(14, 8) + plus(42, 15) + key_icon(50, 8))
    # Modifier box with its drop-down arrow, then the two key boxes, joined by plus signs.
    body += rect(48.5, 68.5, 85, 17, 3, FIELD_DARK, LINE2) + rect(117, 71, 1, 12, fill=LINE2)
    body += chevron_down(125, 77, 6, TEXT)
    body += rect(48.5, 118.5, 84, 17, 3, FIELD_DARK, LINE2)
    body += rect(48.5, 168.5, 84, 17, 3, FIELD_DARK, LINE2)
    body += plus(90.5, 102) + plus(90.5, 152)
    body += key_icon(20, 70) + badge(29, 127, "1") + badge(29, 177, "2")
    # A small keyboard with a modifier and two keys lit.
    kx, ky = 168, 74
    body += rect(kx + 0.5, ky + 0.5, 190, 122, 8, "#101216", LINE)
    lit = {(0, 3), (1, 1), (2, 5)}
    for row in range(4):
        for col in range(7):
            if row == 3 and col in (2, 3, 4):
                continue
            body += keycap(kx + 10 + col * 25, ky + 10 + row * 26, 22, 24, (row, col) in lit)
    body += keycap(kx + 60, ky + 88, 72, 24)
    body += separator(16, w - 16, 238)
    body += button_pair(244, 378, 250, 25, 311)
    return Cell(w, h, body)


def single_key():
    w, h = 390, 285
    body = frame(w, h, icon=key_icon(14, 8))
    body += rect(71.5, 126.5, 81, 19, 3, WHITE, ACCENT)
    body += (f'<circle cx="275" cy="128" r="62" fill="none" stroke="{ACCENT}" '
             f'stroke-opacity="0.18" stroke-width="10"/>'
             f'<circle cx="275" cy="128" r="78" fill="none" stroke="{ACCENT}" '
             f'stroke-opacity="0.08" stroke-width="6"/>')
    body += keycap(235, 88, 80, 84, True)
    body += separator(16, w - 16, 238)
    body += button_pair(232, 390, 250, 26, 311)
    return Cell(w, h, body)


def macro_icon(x, y, s=1.0):
    bars = "".join(rect(x, y + i * 6 * s, (14 - i * 3) * s, 3 * s, 1.5 * s, MUTED) for i in range(3))
    tri = (f'<path d="M{x + 15 * s},{y + 2 * s} L{x + 23 * s},{y + 7 * s} L{x + 15 * s},'
           f'{y + 12 * s} Z" fill="{ACCENT}"/>')
    return bars + tri


def macro_key():
    w, h = 396, 296  # tall enough for the drop list below the name field
    body = frame(w, h, icon=macro_icon(14, 9))
    body += macro_icon(70, 46, 2.0)
    body += rect(40.5, 126.5, 112, 19, 3, FIELD_DARK, LINE2) + rect(136, 129, 1, 14, fill=LINE2)
    body += chevron_down(144, 136, 6, TEXT)
    body += rect(200, 46, 1, 186, fill=LINE)
    body += separator(16, w - 16, 238)
    body += button_pair(244, 378, 250, 25, 311)
    return Cell(w, h, body)


# The macro manager's texts are centred on rectangles narrower than the longest of them, so
# the background carries surfaces wider than the rectangles, centred on them: the headings'
# band, the record button's pill (its image is the pill's flat middle, drawn over it) and the
# plates under the New/Delete and OK/Cancel buttons.
HEADING_RECTS = ((16, 134), (148, 266), (279, 397))
RECORD_PILL = (270, 410)                              # centred on the record button (290-390)
RECORD_TOP, RECORD_H = 87, 24


def record_pill(x0, x1, y, h):
    r = h / 2 - 0.5
    return (rect(x0 + 0.5, y + 0.5, x1 - x0 - 1, h - 1, r, ACCENT_DEEP, ACCENT)
            + rect(x0 + 3, y + 2, x1 - x0 - 6, 1, 0.5, WHITE, extra='fill-opacity="0.12"'))


def macro_manager():
    w, h = 490, 432
    body = frame(w, h, band=31, icon="")
    # One band under the three headings, each marked by its accent below.
    body += rect(10.5, 57.5, 404, 21, 3, BG2, LINE)
    for x0, x1 in HEADING_RECTS:
        body += rect(x0 + (x1 - x0) / 2 - 12, 77, 24, 2, 1, ACCENT)
    body += rect(19.5, 80.5, 112, 274, 0, LIST_GREY, LINE2)
    body += rect(151.5, 80.5, 112, 274, 0, LIST_GREY, LINE2)
    body += rect(RECORD_PILL[0] - 4.5, 80.5, RECORD_PILL[1] - RECORD_PILL[0] + 8, 274, 4,
                 "#15181d", LINE)
    body += record_pill(RECORD_PILL[0], RECORD_PILL[1], RECORD_TOP, RECORD_H)
    body += rect(288, 124, 100, 1, fill=LINE) + rect(288, 290, 100, 1, fill=LINE)
    body += rect(296.5, 331.5, 84, 15, 2, COUNT_FIELD, LINE2)
    body += separator(12, w - 12, 360)
    body += button_pair(11, 141, 367, 25, 76)    # New, Delete: 17-75, 77-135
    body += button_pair(260, 414, 394, 26, 337)  # OK, Cancel: 266-336, 338-408
    return Cell(w, h, body)


def plate(x0, x1, y, h, over=False):
    fill, border = ("url(#gControlHi)", ACCENT) if over else ("url(#gControl)", LINE2)
    return (rect(x0 + 0.5, y + 0.5, x1 - x0 - 1, h - 1, 4, fill, border)
            + rect(x0 + 2, y + 1.5, x1 - x0 - 4, 1, 0.5, WHITE, extra='fill-opacity="0.10"'))


def button_pair(x0, x1, y, h, divider):
    """The plate under a pair of buttons, wider than the buttons' rectangles on both sides:
    their texts are centred on the rectangles and may be wider. The buttons' images are
    pieces of it; a divider marks the two apart above and below the texts."""
    tick = (rect(divider, y + 2, 1, 6, 0.5, MUTED, extra='fill-opacity="0.6"')
            + rect(divider, y + h - 8, 1, 6, 0.5, MUTED, extra='fill-opacity="0.6"'))
    return plate(x0, x1, y, h) + tick


def pill_button(w, h, over):
    # A piece of a button pair's plate (the middle of it), lit under the pointer.
    return Cell(w, h, plate(-8, w + 8, 0, h, over))


def macro_close(over):
    ink = WHITE if over else MUTED
    fill, border = (ACCENT, ACCENT_HI) if over else (BG2, LINE2)
    return Cell(51, 24, rect(0.5, 0.5, 50, 23, 11.5, fill, border)
                + f'<path d="M21.5,8 L29.5,16 M29.5,8 L21.5,16" stroke="{ink}" stroke-width="1.8" '
                f'stroke-linecap="round"/>')


def record_button():
    # The flat middle of the pill in the background, cut from the same drawing so that the
    # two meet without a seam.
    x = 290 - RECORD_PILL[0]
    return Cell(100, RECORD_H, f'<g transform="translate({-x},0)">'
                + record_pill(0, RECORD_PILL[1] - RECORD_PILL[0], 0, RECORD_H) + '</g>')


def config_dialog():
    w, h = 263, 598
    body = frame(w, h, band=31)
    body += rect(1, 575, w - 2, 22, fill=BG2) + rect(1, 575, w - 2, 1, fill=LINE)
    return Cell(w, h, body)


def new_config_icon():
    return Cell(12, 12, rect(0.5, 0.5, 11, 11, 3, "url(#gAccent)", ACCENT_HI) + plus(6, 6, WHITE))


def help_window():
    w, h = 166, 77
    body = (rect(0, 0, w, h, fill="url(#gLight)") + rect(0.5, 0.5, w - 1, h - 1, 0, "none", "#9aa3b0")
            + rect(0, 0, w, 2, fill=ACCENT) + rect(8, 25, w - 16, 1, fill="#c6ccd6")
            + rect(8, 49, w - 16, 1, fill="#c6ccd6"))
    return Cell(w, h, body)


def images():
    out = [
        ("/combo-key.png", combo_key(), False),
        ("/single-key.png", single_key(), False),
        ("/macro-key.png", macro_key(), False),
        ("/MacroManagement/MacroManagement.png", macro_manager(), False),
        ("/MacroManagement/Record-normal.png", record_button(), True),
        ("/MacroManagement/Pane.png", check(14, 14, False), True),
        ("/MacroManagement/PaneMakingTick.png", check(14, 14, True), True),
        ("/Pane.png", check(16, 16, False), True),
        ("/PaneMakingTick.png", check(16, 16, True), True),
        ("/Config/Config.png", config_dialog(), False),
        ("/Config/New-Config.png", new_config_icon(), True),
        ("/Help/HelpWindow.png", help_window(), False),
    ]
    for over, look in ((False, "normal"), (True, "over")):
        out.append((f"/macro-button-close-{look}.png", macro_close(over), True))
        out.append((f"/MacroManagement/button-new-{look}.png", pill_button(58, 25, over), True))
        out.append((f"/MacroManagement/button-cancel-{look}.png", pill_button(70, 26, over), True))
    return out
