"""The main window: its background, logo, title-bar and bottom buttons, view buttons, column
backgrounds (cut from the window background so that they always match it), headers and the
scroll track."""

from theme import (ACCENT, ACCENT_DEEP, ACCENT_HI, ACCENT_LO, BG0, BG2, BG4, LINE, LINE2, MUTED,
                   TEXT, WHITE, Cell, FONT, rect, text)

WINDOW_W, WINDOW_H = 1000, 650

# The middle card that the mouse pictures sit on.
MID_CARD = (268, 36, 460, 530)


def window_defs():
    x, y, w, h = MID_CARD
    return f"""
<g id="window">
  {rect(0, 0, WINDOW_W, WINDOW_H, fill=BG0)}
  {rect(0, 0, WINDOW_W, 28, fill="#111419")}
  {rect(0, 28, WINDOW_W, 1, fill="#1d2129")}
  <path d="M14,9 L22,9 L18,19 L10,19 Z" fill="{ACCENT}"/>
  <text x="28" y="18.5" font-family="{FONT}" font-size="11" font-weight="bold" fill="{MUTED}"
        letter-spacing="1.6">QL-GM900</text>
  {rect(x + 0.5, y + 0.5, w - 1, h - 1, 10, "url(#gCard)", LINE)}
  <ellipse cx="{x + w / 2}" cy="{y + 270}" rx="250" ry="250" fill="url(#gGlow)"/>
  {rect(x + 1, y + 1, w - 2, h - 2, 9, "url(#pDots)")}
  {rect(0, 592, WINDOW_W, WINDOW_H - 592, fill="#0a0c0f")}
  {rect(0, 592, WINDOW_W, 1, fill="#1b1f26")}
</g>
<g id="logoMark">
  <path d="M7,44 C9,27 21,10 44,3 C40,22 28,38 7,44 Z" fill="url(#gAccent)"/>
  <path d="M10,41 L35,13" stroke="{BG0}" stroke-width="2.2" stroke-linecap="round"/>
  <path d="M17,33 L24,33 M22,26 L29,26" stroke="{BG0}" stroke-width="1.6"
        stroke-linecap="round"/>
</g>
"""


def crop(x, y, w, h):
    """A cell that shows the window background's rectangle at (x, y)."""
    return Cell(w, h, f'<use xlink:href="#window" x="{-x}" y="{-y}"/>')


def logo():
    return Cell(242, 64, f"""
<g transform="translate(2,8)"><use xlink:href="#logoMark"/></g>
<text x="60" y="35" font-family="{FONT}" font-size="25" font-weight="bold" fill="{TEXT}"
      letter-spacing="3.2">QUILLON</text>
<rect x="61" y="42" width="22" height="2" fill="{ACCENT}"/>
<text x="88" y="46" font-family="{FONT}" font-size="8.5" font-weight="bold" fill="{MUTED}"
      letter-spacing="1.6">QL-GM900 GAMING MOUSE</text>
""")


def title_button(kind, over):
    ring = rect(0.5, 0.5, 14, 14, 7, BG4 if over else BG2, TEXT if over else LINE2)
    if kind == "close" and over:
        ring = rect(0.5, 0.5, 14, 14, 7, ACCENT, ACCENT_HI)
    ink = WHITE if over else MUTED
    if kind == "help":
        glyph = text(7.5, 11.2, "?", 10, ink)
    elif kind == "min":
        glyph = rect(4, 7, 7, 1.6, 0.8, ink)
    else:
        glyph = (f'<path d="M4.8,4.8 L10.2,10.2 M10.2,4.8 L4.8,10.2" stroke="{ink}" '
                 f'stroke-width="1.6" stroke-linecap="round"/>')
    return Cell(15, 15, ring + glyph)


def wide_button(w, h, over, primary=False, icon=""):
    if primary:
        fill, border = ("url(#gAccentHi)", ACCENT_HI) if over else ("url(#gAccent)", ACCENT_LO)
    else:
        fill, border = ("url(#gControlHi)", ACCENT) if over else ("url(#gControl)", LINE2)
    shine = rect(2, 1.5, w - 4, 1, 0.5, WHITE, extra='fill-opacity="0.10"')
    return Cell(w, h, rect(0.5, 0.5, w - 1, h - 1, 5, fill, border) + shine + icon)


def config_icon(over):
    ink = ACCENT_HI if over else MUTED
    lines = "".join(
        f'<rect x="6" y="{y}" width="14" height="1.6" rx="0.8" fill="{ink}"/>'
        f'<circle cx="{cx}" cy="{y + 0.8}" r="2.3" fill="{BG0}" stroke="{ink}" stroke-width="1.4"/>'
        for y, cx in ((9, 10), (14.2, 16), (19.4, 11)))
    return lines


def view_button(selected):
    if selected:
        body = (rect(0.5, 0.5, 61, 28, 5, ACCENT_DEEP, ACCENT)
                + rect(10, 25, 42, 2, 1, ACCENT_HI))
    else:
        body = rect(0.5, 0.5, 61, 28, 5, BG2, LINE)
    return Cell(62, 29, body)


def header(h, icon=""):
    return Cell(242, h, rect(0.5, 0.5, 241, h - 1, 4, "url(#gHeader)", LINE)
                + rect(1, 4, 2, h - 8, 1, ACCENT) + icon)


def macro_header_icon():
    return (rect(212.5, 11.5, 15, 15, 3, "none", MUTED, 1.2)
            + f'<path d="M217,22 L223,16 M219,16 L223,16 L223,20" fill="none" stroke="{TEXT}" '
            f'stroke-width="1.4" stroke-linecap="round" stroke-linejoin="round"/>')


def images():
    out = [
        ("/main.png", crop(0, 0, WINDOW_W, WINDOW_H), False),
        ("/BK_MainLeft.png", crop(20, 107, 242, 488), False),
        ("/BK_MainMid.png", crop(262, 107, 472, 408), False),
        ("/BK_MainRight.png", crop(734, 32, 242, 563), False),
        ("/Logo.png", logo(), True),
        ("/Bar1.png", Cell(7, 563, rect(0.5, 0.5, 6, 562, 3, "#08090c", "#20252d")), True),
        ("/ItemBK.png", header(20), True),
        ("/MacroManagementBK.png", header(38, macro_header_icon()), True),
        ("/button-mouse-normal.png", view_button(False), True),
        ("/button-mouse-leave.png", view_button(True), True),
    ]
    for over, look in ((False, "normal"), (True, "over")):
        for kind in ("help", "min", "close"):
            out.append((f"/button-{kind}-{look}.png", title_button(kind, over), True))
        out.append((f"/button-cancel-{look}.png", wide_button(120, 30, over), True))
        out.append((f"/button-save-{look}.png", wide_button(57, 30, over, primary=True), True))
        out.append((f"/button-config-{look}.png",
                    wide_button(120, 30, over, icon=config_icon(over)), True))
    return out
