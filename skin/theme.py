"""Colours, shared SVG definitions and small drawing helpers of the default skin.

Dark surfaces, one accent colour (a crimson red that goes with the program's own dark-red
function lists), light text. Hover looks are clearly brighter than resting looks.
"""

# Surfaces, darkest first.
BG0 = "#0d0f13"    # window
BG1 = "#14171c"    # cards and pages
BG2 = "#1b1f26"    # headers, raised areas
BG3 = "#242a33"    # controls
BG4 = "#323945"    # controls under the pointer
LINE = "#2a303a"
LINE2 = "#3b4350"
MUTED = "#7f8896"
TEXT = "#e6e9ee"
WHITE = "#ffffff"

ACCENT = "#e23a50"
ACCENT_HI = "#ff6073"
ACCENT_LO = "#8c1f2e"
ACCENT_DEEP = "#3a151c"



class Cell:
    """One picture of the atlas: an SVG body drawn in a width x height box."""

    def __init__(self, width, height, body):
        self.width = width
        self.height = height
        self.body = body
        self.x = 0
        self.y = 0


FONT = "Liberation Sans, DejaVu Sans, sans-serif"

DEFS = f"""
<linearGradient id="gHeader" x1="0" y1="0" x2="0" y2="1">
  <stop offset="0" stop-color="#20252d"/><stop offset="1" stop-color="#191d23"/></linearGradient>
<linearGradient id="gControl" x1="0" y1="0" x2="0" y2="1">
  <stop offset="0" stop-color="#2a303a"/><stop offset="1" stop-color="#1f242c"/></linearGradient>
<linearGradient id="gControlHi" x1="0" y1="0" x2="0" y2="1">
  <stop offset="0" stop-color="#414a58"/><stop offset="1" stop-color="#303743"/></linearGradient>
<linearGradient id="gAccent" x1="0" y1="0" x2="0" y2="1">
  <stop offset="0" stop-color="#ec4459"/><stop offset="1" stop-color="#b92638"/></linearGradient>
<linearGradient id="gAccentHi" x1="0" y1="0" x2="0" y2="1">
  <stop offset="0" stop-color="#ff7384"/><stop offset="1" stop-color="#ec3d53"/></linearGradient>
<linearGradient id="gAccentV" x1="0" y1="1" x2="0" y2="0">
  <stop offset="0" stop-color="#8c1f2e"/><stop offset="1" stop-color="#ff5468"/></linearGradient>
<linearGradient id="gAccentH" x1="0" y1="0" x2="1" y2="0">
  <stop offset="0" stop-color="#9a2232"/><stop offset="1" stop-color="#ff5468"/></linearGradient>
<linearGradient id="gCard" x1="0" y1="0" x2="0" y2="1">
  <stop offset="0" stop-color="#171a20"/><stop offset="1" stop-color="#111318"/></linearGradient>
<linearGradient id="gField" x1="0" y1="0" x2="0" y2="1">
  <stop offset="0" stop-color="#0b0d10"/><stop offset="1" stop-color="#15181d"/></linearGradient>
<linearGradient id="gLight" x1="0" y1="0" x2="0" y2="1">
  <stop offset="0" stop-color="#f4f6f9"/><stop offset="1" stop-color="#dde2e9"/></linearGradient>
<radialGradient id="gGlow" cx="0.5" cy="0.5" r="0.5">
  <stop offset="0" stop-color="{ACCENT}" stop-opacity="0.16"/>
  <stop offset="1" stop-color="{ACCENT}" stop-opacity="0"/></radialGradient>
<pattern id="pDots" width="12" height="12" patternUnits="userSpaceOnUse">
  <circle cx="6" cy="6" r="0.8" fill="#ffffff" fill-opacity="0.06"/></pattern>
"""


def rect(x, y, w, h, r=0, fill="none", stroke=None, sw=1, extra=""):
    s = f' stroke="{stroke}" stroke-width="{sw}"' if stroke else ""
    return f'<rect x="{x}" y="{y}" width="{w}" height="{h}" rx="{r}" fill="{fill}"{s} {extra}/>'


def text(x, y, content, size=10, fill=TEXT, weight="bold", anchor="middle", extra=""):
    return (f'<text x="{x}" y="{y}" font-family="{FONT}" font-size="{size}" font-weight="{weight}"'
            f' fill="{fill}" text-anchor="{anchor}" {extra}>{content}</text>')


def chevron_down(cx, cy, size, stroke, sw=1.5):
    h = size / 2
    return (f'<path d="M{cx - h},{cy - h / 2} L{cx},{cy + h / 2} L{cx + h},{cy - h / 2}" '
            f'fill="none" stroke="{stroke}" stroke-width="{sw}" stroke-linecap="round" '
            f'stroke-linejoin="round"/>')


def card(w, h, fill="url(#gCard)", r=6, border=LINE, outer=None):
    """A rounded card filling the box; `outer` paints the corners (for opaque images)."""
    back = rect(0, 0, w, h, fill=outer) if outer else ""
    return back + rect(0.5, 0.5, w - 1, h - 1, r, fill, border)


def page(w, h):
    """A settings page: hangs below its header, square top and rounded bottom corners."""
    return (rect(0, 0, w, h, fill=BG0)
            + f'<path d="M0.5,0 H{w - 0.5} V{h - 6.5} Q{w - 0.5},{h - 0.5} {w - 6.5},{h - 0.5} '
            f'H6.5 Q0.5,{h - 0.5} 0.5,{h - 6.5} Z" fill="url(#gCard)" stroke="{LINE}"/>'
            + rect(1, 0, w - 2, 1, fill="#000000", extra='fill-opacity="0.35"'))
