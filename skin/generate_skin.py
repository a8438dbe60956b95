#!/usr/bin/env python3
"""Builds the default skin of QL-GM900 and the program's own images from vector art.

All pictures are drawn as SVG cells of one atlas, rendered in one rsvg-convert run and turned
into raw RGBA by one ImageMagick run; this script then cuts the cells out and writes each as a
PNG (RGB when it is opaque, RGBA otherwise). Mouse part images are cut from whole scenes
through masks of their part, so that every part can be drawn over the mouse picture on its own.

Usage: generate_skin.py --skin DIR --resources DIR [--sheet FILE] [--work DIR]
"""

import argparse
import base64
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import zlib

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import art_controls  # noqa: E402
import art_dialogs  # noqa: E402
import art_mouse  # noqa: E402
import art_window  # noqa: E402
from theme import DEFS  # noqa: E402

GAP = 4  # empty pixels between atlas cells
ATLAS_WIDTH = 2400


def pack(cells):
    """Shelf packing, tallest first; returns the atlas height."""
    x = y = shelf = 0
    for cell in sorted(cells, key=lambda c: (-c.height, -c.width)):
        if x + cell.width > ATLAS_WIDTH:
            x, y, shelf = 0, y + shelf + GAP, 0
        cell.x, cell.y = x, y
        x += cell.width + GAP
        shelf = max(shelf, cell.height)
    return y + shelf


def atlas_svg(cells, height):
    parts = [
        '<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink" '
        f'width="{ATLAS_WIDTH}" height="{height}" viewBox="0 0 {ATLAS_WIDTH} {height}">',
        "<defs>", DEFS, art_window.window_defs(), art_mouse.mouse_defs(), "</defs>",
    ]
    for cell in cells:
        parts.append(
            f'<svg x="{cell.x}" y="{cell.y}" width="{cell.width}" height="{cell.height}" '
            f'viewBox="0 0 {cell.width} {cell.height}" overflow="hidden">{cell.body}</svg>')
    parts.append("</svg>")
    return "\n".join(parts)


class Raster:
    """The rendered atlas as straight (not premultiplied) RGBA rows."""

    def __init__(self, data, width, height):
        self.data = data
        self.width = width
        self.height = height

    def crop(self, cell):
        stride = self.width * 4
        start = cell.x * 4
        rows = [
            self.data[(cell.y + r) * stride + start:(cell.y + r) * stride + start + cell.width * 4]
            for r in range(cell.height)
        ]
        return b"".join(rows)


def render(cells, work, tools):
    height = pack(cells)
    svg_path = os.path.join(work, "atlas.svg")
    png_path = os.path.join(work, "atlas.png")
    raw_path = os.path.join(work, "atlas.rgba")
    with open(svg_path, "w", encoding="utf-8") as f:
        f.write(atlas_svg(cells, height))
    subprocess.run([tools.rsvg, "--format=png", "-o", png_path, svg_path], check=True)
    subprocess.run([tools.convert, png_path, "-depth", "8", "RGBA:" + raw_path], check=True)
    with open(raw_path, "rb") as f:
        data = f.read()
    if len(data) != ATLAS_WIDTH * height * 4:
        raise SystemExit(f"atlas: expected {ATLAS_WIDTH}x{height} RGBA, got {len(data)} bytes")
    return Raster(data, ATLAS_WIDTH, height)


def png_bytes(rgba, width, height, alpha):
    """A PNG of 8-bit RGBA (colour type 6) or, without alpha, RGB (colour type 2)."""
    if alpha:
        pixels, channels, colour_type = rgba, 4, 6
    else:
        pixels = bytearray(width * height * 3)
        pixels[0::3] = rgba[0::4]
        pixels[1::3] = rgba[1::4]
        pixels[2::3] = rgba[2::4]
        channels, colour_type = 3, 2
    stride = width * channels
    raw = b"".join(b"\x00" + bytes(pixels[r * stride:(r + 1) * stride]) for r in range(height))

    def chunk(kind, payload):
        body = kind + payload
        return struct.pack(">I", len(payload)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", width, height, 8, colour_type, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


def is_opaque(rgba):
    return rgba[3::4].count(255) == len(rgba) // 4


def bgra_bottom_up(rgba, width, height):
    out = bytearray()
    for r in range(height - 1, -1, -1):
        row = rgba[r * width * 4:(r + 1) * width * 4]
        swapped = bytearray(row)
        swapped[0::4] = row[2::4]
        swapped[2::4] = row[0::4]
        out += swapped
    return bytes(out)


def ico_bytes(images):
    """An icon file: images is a list of (size, rgba). 256 is stored as PNG, the rest as DIBs."""
    entries = []
    for size, rgba in images:
        if size >= 256:
            payload = png_bytes(rgba, size, size, True)
        else:
            mask_stride = ((size + 31) // 32) * 4
            header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
            payload = header + bgra_bottom_up(rgba, size, size) + bytes(mask_stride * size)
        entries.append((size, payload))
    out = struct.pack("<HHH", 0, 1, len(entries))
    offset = 6 + 16 * len(entries)
    for size, payload in entries:
        dim = 0 if size >= 256 else size
        out += struct.pack("<BBBBHHII", dim, dim, 0, 0, 1, 32, len(payload), offset)
        offset += len(payload)
    for _, payload in entries:
        out += payload
    return out


def write_file(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def masked(scene, mask):
    """The scene's pixels where the mask is drawn at all, transparent elsewhere."""
    solid = bytes(mask).translate(bytes([0] + [255] * 255))
    n = len(scene)
    return (int.from_bytes(scene, "big") & int.from_bytes(solid, "big")).to_bytes(n, "big")


def overlaps(a, b):
    return int.from_bytes(a[3::4], "big") & int.from_bytes(b[3::4], "big") != 0


def collect():
    """Every output: (cells, plain files, part files, resources)."""
    plain = []  # (skin name, cell, force_alpha)
    for module in (art_window, art_controls, art_dialogs):
        plain.extend(module.images())
    front, side = art_mouse.views()
    resources = art_controls.resources()
    cells = [cell for _, cell, _ in plain]
    for view in (front, side):
        cells += [view.picture, view.base, view.lit] + [p.mask for p in view.parts]
    cells += [cell for _, cell in resources["thumb"]] + [cell for _, cell in resources["icon"]]
    return cells, plain, (front, side), resources


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--skin", required=True, help="the skin folder to write (Skins/Default)")
    parser.add_argument("--resources", required=True, help="folder for the program's images")
    parser.add_argument("--sheet", help="contact sheet of the whole skin to write")
    parser.add_argument("--work", help="folder for the atlas (a temporary one if not given)")
    parser.add_argument("--rsvg", default="rsvg-convert", help="rsvg-convert program")
    parser.add_argument("--convert", default="convert", help="ImageMagick convert program")
    args = parser.parse_args()

    work = args.work or tempfile.mkdtemp(prefix="gm-skin-")
    os.makedirs(work, exist_ok=True)
    cells, plain, views, resources = collect()
    raster = render(cells, work, args)

    if os.path.isdir(args.skin):
        shutil.rmtree(args.skin)
    written = []
    for name, cell, force_alpha in plain:
        rgba = raster.crop(cell)
        alpha = force_alpha or not is_opaque(rgba)
        data = png_bytes(rgba, cell.width, cell.height, alpha)
        write_file(args.skin + name, data)
        written.append((name, cell.width, cell.height, data))

    for view in views:
        data = png_bytes(raster.crop(view.picture), view.width, view.height, True)
        write_file(args.skin + view.picture_name, data)
        written.append((view.picture_name, view.width, view.height, data))
        base = raster.crop(view.base)
        lit = raster.crop(view.lit)
        masks = [(part, raster.crop(part.mask)) for part in view.parts]
        for i, (part, mask) in enumerate(masks):
            for other, other_mask in masks[i + 1:]:
                if overlaps(mask, other_mask):
                    raise SystemExit(f"mouse parts {part.name} and {other.name} overlap")
            for look, scene in (("normal", base), ("over", lit)):
                name = part.file_name(look)
                data = png_bytes(masked(scene, mask), view.width, view.height, True)
                write_file(args.skin + name, data)
                written.append((name, view.width, view.height, data))

    os.makedirs(args.resources, exist_ok=True)
    for name, cell in resources["thumb"]:
        write_file(os.path.join(args.resources, name),
                   png_bytes(raster.crop(cell), cell.width, cell.height, True))
    icon = [(cell.width, raster.crop(cell)) for _, cell in resources["icon"]]
    write_file(os.path.join(args.resources, "QL-GM900.ico"), ico_bytes(icon))

    if args.sheet:
        contact_sheet(sorted(written), args.sheet, work, args.rsvg)
    if not args.work:
        shutil.rmtree(work)
    print(f"skin: {len(written)} images")


def contact_sheet(images, sheet, work, rsvg):
    """All images on one page, each with its name, on a checkerboard that shows transparency.
    Small images are enlarged (up to 4 times), large ones reduced to fit their tile."""
    tile_w, tile_h, columns = 168, 168, 16
    rows = (len(images) + columns - 1) // columns
    width, height = columns * tile_w, rows * tile_h
    parts = [
        f'<svg xmlns="http://www.w3.org/2000/svg" width="{width}" height="{height}">',
        '<defs><pattern id="check" width="16" height="16" patternUnits="userSpaceOnUse">'
        '<rect width="16" height="16" fill="#5a5a5a"/><rect width="8" height="8" fill="#6e6e6e"/>'
        '<rect x="8" y="8" width="8" height="8" fill="#6e6e6e"/></pattern></defs>',
        f'<rect width="{width}" height="{height}" fill="#202020"/>',
    ]
    for i, (name, w, h, data) in enumerate(images):
        x0, y0 = (i % columns) * tile_w, (i // columns) * tile_h
        scale = min(4.0, (tile_w - 12) / w, (tile_h - 30) / h)
        dw, dh = w * scale, h * scale
        x, y = x0 + (tile_w - dw) / 2, y0 + 6 + (tile_h - 30 - dh) / 2
        uri = "data:image/png;base64," + base64.b64encode(data).decode("ascii")
        parts.append(f'<rect x="{x - 2}" y="{y - 2}" width="{dw + 4}" height="{dh + 4}" '
                     'fill="url(#check)"/>')
        parts.append(f'<image x="{x}" y="{y}" width="{dw}" height="{dh}" '
                     f'preserveAspectRatio="none" style="image-rendering:pixelated" href="{uri}"/>')
        label = name.lstrip("/").replace("&", "&amp;")
        parts.append(f'<text x="{x0 + tile_w / 2}" y="{y0 + tile_h - 8}" font-family="DejaVu Sans" '
                     f'font-size="8.5" fill="#d8d8d8" text-anchor="middle">{label} {w}x{h}</text>')
    parts.append("</svg>")
    svg_path = os.path.join(work, "sheet.svg")
    with open(svg_path, "w", encoding="utf-8") as f:
        f.write("\n".join(parts))
    subprocess.run([rsvg, "--format=png", "-o", sheet, svg_path], check=True)


if __name__ == "__main__":
    main()
