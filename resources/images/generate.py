#!/usr/bin/env python3
"""Writes the SVG sources of the module's 45 images into src/.

All icons are drawn here, on one 32 x 32 grid, from a few shared pieces
(palette, page, table, boundary, badges, cursor) so that they stay one family:

- outlines are 2 px, centred on odd coordinates so that they land on whole
  pixels both at 32 px and when Qt scales the icon down to 16 px;
- bare glyphs (check, cross, arrows) are 4 px with round ends, centred on
  even coordinates for the same reason;
- every shape is outlined in the darker tone of its own fill (neutral shapes
  in ink);
- a modifier (add, remove, delete, refresh, take out) is a round badge in the
  lower right corner with a white 2 px glyph; "save" is a small disk there.

The explanatory pictures are larger and sit on a light card; the geometry they
explain is drawn in ink and blue, the sizes they name in red with filled
arrowheads and DejaVu Sans labels.

Run render.sh rather than this file: it writes the sources and rasterises them.
Standard library only.
"""

import math
import os
import sys

# Palette
INK = "#34495e"
GREY = "#8a99a8"
GREY_L = "#dde4ea"
PAPER = "#ffffff"
BLUE = "#2f7bd8"
BLUE_D = "#1d5aa6"
BLUE_L = "#d8e7fb"
GREEN = "#2e9e4f"
GREEN_D = "#1f7a3a"
RED = "#d9443a"
RED_D = "#a82c24"
RED_L = "#fbe3e1"
AMBER = "#f4b63f"
AMBER_D = "#c7861a"
CARD = "#f4f6f8"
CARD_EDGE = "#c9d3dc"
FONT = "DejaVu Sans"

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "src")


def svg(width, height, body, title):
    return (
        f'<svg xmlns="http://www.w3.org/2000/svg" width="{width}" height="{height}" '
        f'viewBox="0 0 {width} {height}">\n'
        f"<title>{title}</title>\n{body}</svg>\n"
    )


def icon(body, title):
    return svg(32, 32, body, title)


def fmt(v):
    """Short number text: no trailing zeros, so the sources stay readable."""
    s = f"{v:.2f}".rstrip("0").rstrip(".")
    return "0" if s == "-0" else s


def pts(points):
    return " ".join(f"{fmt(x)},{fmt(y)}" for x, y in points)


def line(x1, y1, x2, y2, color=INK, width=2, cap="round", extra=""):
    return (
        f'<line x1="{fmt(x1)}" y1="{fmt(y1)}" x2="{fmt(x2)}" y2="{fmt(y2)}" stroke="{color}" '
        f'stroke-width="{fmt(width)}" stroke-linecap="{cap}"{extra}/>\n'
    )


def polyline(points, color=INK, width=2, fill="none", extra=""):
    return (
        f'<polyline points="{pts(points)}" fill="{fill}" stroke="{color}" stroke-width="{fmt(width)}" '
        f'stroke-linecap="round" stroke-linejoin="round"{extra}/>\n'
    )


def polygon(points, fill=PAPER, color=INK, width=2, extra=""):
    return (
        f'<polygon points="{pts(points)}" fill="{fill}" stroke="{color}" stroke-width="{fmt(width)}" '
        f'stroke-linejoin="round"{extra}/>\n'
    )


def rect(x, y, w, h, fill=PAPER, color=INK, width=2, r=0, extra=""):
    stroke = f' stroke="{color}" stroke-width="{fmt(width)}"' if color else ""
    return (
        f'<rect x="{fmt(x)}" y="{fmt(y)}" width="{fmt(w)}" height="{fmt(h)}" rx="{fmt(r)}" '
        f'fill="{fill}"{stroke}{extra}/>\n'
    )


def circle(cx, cy, r, fill=PAPER, color=INK, width=2, extra=""):
    stroke = f' stroke="{color}" stroke-width="{fmt(width)}"' if color else ""
    return f'<circle cx="{fmt(cx)}" cy="{fmt(cy)}" r="{fmt(r)}" fill="{fill}"{stroke}{extra}/>\n'


def path(d, fill="none", color=INK, width=2, extra=""):
    stroke = (
        f' stroke="{color}" stroke-width="{fmt(width)}" stroke-linecap="round" stroke-linejoin="round"'
        if color
        else ""
    )
    return f'<path d="{d}" fill="{fill}"{stroke}{extra}/>\n'


def text(x, y, s, size=11, color=RED_D, anchor="middle", weight="normal", rotate=None, halo=CARD):
    """A label; a rim in the background colour keeps it legible over lines."""
    tr = f' transform="rotate({rotate} {fmt(x)} {fmt(y)})"' if rotate is not None else ""
    rim = (f' stroke="{halo}" stroke-width="3" stroke-linejoin="round" paint-order="stroke"'
           if halo else "")
    return (
        f'<text x="{fmt(x)}" y="{fmt(y)}" font-family="{FONT}" font-size="{size}" '
        f'font-weight="{weight}" fill="{color}" text-anchor="{anchor}"{rim}{tr}>{s}</text>\n'
    )


def group(body, transform):
    return f'<g transform="{transform}">\n{body}</g>\n'


# ---------------------------------------------------------------------------
# Shared icon pieces (32 x 32 grid)
# ---------------------------------------------------------------------------

BADGE_X, BADGE_Y, BADGE_R = 23, 23, 7.5


def badge(color, glyph):
    """Round modifier badge in the lower right; a white ring keeps it apart from the base."""
    return circle(BADGE_X, BADGE_Y, BADGE_R, fill=color, color=PAPER, width=1.5) + glyph


def badge_plus():
    g = line(19, 23, 27, 23, PAPER, 2, "butt") + line(23, 19, 23, 27, PAPER, 2, "butt")
    return badge(GREEN, g)


def badge_minus():
    return badge(RED, line(19, 23, 27, 23, PAPER, 2, "butt"))


def badge_cross():
    g = line(20, 20, 26, 26, PAPER, 2) + line(26, 20, 20, 26, PAPER, 2)
    return badge(RED, g)


def badge_check():
    return badge(GREEN, polyline([(19.5, 23), (22, 25.5), (26.5, 20.5)], PAPER, 2))


def badge_refresh():
    """Circular arrow: the thing is made anew."""
    r, a0, a1 = 3.4, 10, 255
    sx, sy = BADGE_X + r * math.cos(math.radians(a0)), BADGE_Y + r * math.sin(math.radians(a0))
    ex, ey = BADGE_X + r * math.cos(math.radians(a1)), BADGE_Y + r * math.sin(math.radians(a1))
    g = path(f"M{fmt(sx)},{fmt(sy)} A{r},{r} 0 1 1 {fmt(ex)},{fmt(ey)}", color=PAPER, width=2)
    t = math.radians(a1)
    tx, ty = -math.sin(t), math.cos(t)
    g += polygon([(ex + tx * 3.2, ey + ty * 3.2), (ex - ty * 2.6, ey + tx * 2.6), (ex + ty * 2.6, ey - tx * 2.6)],
                 fill=PAPER, color=PAPER, width=0.5)
    return badge(BLUE, g)


def badge_out():
    """Arrow leaving to the upper right: something is taken out of the base."""
    g = line(19.5, 26.5, 25.5, 20.5, PAPER, 2) + polyline([(21.5, 20), (26, 20), (26, 24.5)], PAPER, 2)
    return badge(BLUE, g)


def badge_disk():
    """Small floppy disk badge (the same disk as the save icon): the base is saved."""
    g = path("M15.75,15.75 H27 L30.25,19 V30.25 H15.75 Z", fill=BLUE, color=PAPER, width=1.5)
    g += path("M17,17 H26.5 L29,19.5 V29 H17 Z", fill="none", color=BLUE_D, width=1)
    g += rect(19, 17, 6.5, 4.5, fill=BLUE_L, color=None)
    g += rect(23, 17.8, 1.6, 2.9, fill=BLUE_D, color=None)
    g += rect(18.5, 24, 9, 5, fill=PAPER, color=None)
    return g


def page(x=7, y=3, w=18, h=26, fold=6, fill=PAPER, color=INK):
    """A sheet of paper with a folded corner."""
    d = (
        f"M{fmt(x)},{fmt(y)} H{fmt(x + w - fold)} L{fmt(x + w)},{fmt(y + fold)} "
        f"V{fmt(y + h)} H{fmt(x)} Z"
    )
    out = path(d, fill=fill, color=color)
    out += path(f"M{fmt(x + w - fold)},{fmt(y)} V{fmt(y + fold)} H{fmt(x + w)}", color=color)
    return out


def text_lines(x1, x2, ys, color=GREY):
    return "".join(line(x1, y, x2, y, color, 2, "butt") for y in ys)


def table(x=3, y=5, w=20, h=18):
    """The alias table: a header band and two columns."""
    out = rect(x, y, w, h, fill=PAPER, color=INK, r=1.5)
    out += rect(x + 1, y + 1, w - 2, 4, fill=BLUE_L, color=None)
    out += line(x, y + 6, x + w, y + 6, INK, 2, "butt")
    out += line(x + 8, y + 6, x + 8, y + h, INK, 2, "butt")
    out += line(x + 2, y + 12, x + w - 2, y + 12, GREY, 2, "butt")
    return out


# The closed boundary the pattern hatch tools work on; it keeps clear of the badge.
BOUNDARY_PTS = [(3, 9), (13, 3), (25, 7), (23, 19), (11, 23), (3, 17)]


def boundary(fill=BLUE_L, color=BLUE_D, width=2):
    return polygon(BOUNDARY_PTS, fill=fill, color=color, width=width)


def hatch_lines(points, spacing=6, color=GREY, width=2, clip_id="hatch"):
    """Diagonal hatch lines clipped to a polygon."""
    out = f'<clipPath id="{clip_id}"><polygon points="{pts(points)}"/></clipPath>\n'
    body = ""
    for c in range(-40, 80, spacing):
        body += line(c, 40, c + 40, 0, color, width, "butt")
    out += f'<g clip-path="url(#{clip_id})">\n{body}</g>\n'
    return out


def cursor(x, y, scale=1.0):
    """The selection pointer, tip at (x, y)."""
    shape = [(0, 0), (0, 13), (3.2, 10), (5.6, 15.2), (8, 14.1), (5.7, 9), (10, 9)]
    p = [(x + px * scale, y + py * scale) for px, py in shape]
    return polygon(p, fill=PAPER, color=INK, width=1.5)


def arrow(x1, y1, x2, y2, color=BLUE, width=4, head=6):
    """Thick glyph arrow from (x1, y1) to (x2, y2) with an open chevron head."""
    a = math.atan2(y2 - y1, x2 - x1)
    hx1 = x2 - head * math.cos(a - math.pi / 4) * 1.414
    hy1 = y2 - head * math.sin(a - math.pi / 4) * 1.414
    hx2 = x2 - head * math.cos(a + math.pi / 4) * 1.414
    hy2 = y2 - head * math.sin(a + math.pi / 4) * 1.414
    return line(x1, y1, x2, y2, color, width) + polyline([(hx1, hy1), (x2, y2), (hx2, hy2)], color, width)


def halo_arrow(x1, y1, x2, y2, head=5):
    """Blue arrow with a white rim, for arrows drawn over another shape."""
    return arrow(x1, y1, x2, y2, PAPER, 6, head) + arrow(x1, y1, x2, y2, BLUE, 3, head)


def star(cx, cy, ro, ri, fill=AMBER, color=AMBER_D):
    p = []
    for i in range(10):
        r = ro if i % 2 == 0 else ri
        a = -math.pi / 2 + i * math.pi / 5
        p.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return polygon(p, fill=fill, color=color, width=2)


def magnifier(cx, cy, r, handle_to, lens=BLUE_L):
    out = line(cx + r * 0.72, cy + r * 0.72, handle_to[0], handle_to[1], INK, 4)
    out += circle(cx, cy, r, fill=lens, color=INK, width=2)
    return out


def folder(x=3, y=7, w=26, h=19):
    """A closed folder: back with tab, front panel."""
    back = (
        f"M{x},{y + h} V{y} H{x + 9} L{x + 12},{y + 3} H{x + w} V{y + h} Z"
    )
    out = path(back, fill=AMBER_D, color=AMBER_D)
    out += rect(x, y + 6, w, h - 6, fill=AMBER, color=AMBER_D, r=1)
    return out


# ---------------------------------------------------------------------------
# Icons
# ---------------------------------------------------------------------------

ICONS = {}


def icon_def(name, title):
    def wrap(fn):
        ICONS[name] = (title, fn)
        return fn
    return wrap


@icon_def("ok", "OK: accept the dialog")
def _ok():
    return polyline([(6, 17), (13, 24), (26, 9)], GREEN, 4)


@icon_def("cancel", "Cancel: close without changes")
def _cancel():
    return line(8, 8, 24, 24, RED, 4) + line(24, 8, 8, 24, RED, 4)


@icon_def("help", "Help")
def _help():
    out = circle(16, 16, 13, fill=BLUE, color=BLUE_D, width=2)
    out += path("M11.5,12.5 C11.5,6.5 20.5,6.5 20.5,12 C20.5,15.5 16,15.5 16,19.5", color=PAPER, width=3.4)
    out += circle(16, 24, 2.1, fill=PAPER, color=None)
    return out


@icon_def("apply", "Apply the changes")
def _apply():
    out = page(5, 3, 18, 24)
    out += text_lines(9, 19, [13, 17])
    out += line(9, 9, 15, 9, GREY, 2, "butt")
    return out + badge_check()


@icon_def("delete", "Delete")
def _delete():
    out = path("M8,10 H24 L22.5,28 Q22.4,29 21.4,29 H10.6 Q9.6,29 9.5,28 Z", fill=RED_L, color=RED_D)
    out += line(5, 7, 27, 7, RED_D, 2)
    out += path("M12,7 V4 H20 V7", color=RED_D)
    out += line(13, 13, 13.5, 25, RED_D, 2) + line(16, 13, 16, 25, RED_D, 2) + line(19, 13, 18.5, 25, RED_D, 2)
    return out


@icon_def("add_selected_objects", "Add objects by selecting them in the drawing")
def _add_selected_objects():
    out = line(3, 27, 11, 3, BLUE_D, 2)
    out += circle(21, 9, 6, fill="none", color=BLUE_D, width=2)
    out += cursor(8, 12, 0.9)
    return out + badge_plus()


@icon_def("add_pick_points", "Add boundaries by picking points inside closed areas")
def _add_pick_points():
    out = boundary()
    out += line(13, 8, 13, 18, INK, 2) + line(8, 13, 18, 13, INK, 2)
    out += circle(13, 13, 2.2, fill=RED, color=None)
    return out + badge_plus()


@icon_def("select_point", "Pick a point in the drawing")
def _select_point():
    out = line(15, 3, 15, 11, INK, 2, "butt") + line(15, 19, 15, 29, INK, 2, "butt")
    out += line(3, 15, 11, 15, INK, 2, "butt") + line(19, 15, 29, 15, INK, 2, "butt")
    out += rect(11, 11, 8, 8, fill="none", color=INK, width=1.5)
    out += circle(15, 15, 2, fill=RED, color=None)
    return out


@icon_def("select_angle", "Pick an angle in the drawing")
def _select_angle():
    out = line(5, 27, 29, 27, INK, 2)
    out += line(5, 27, 21, 5, INK, 2)
    out += path("M19,27 A14,14 0 0 0 13.2,15.7", color=BLUE, width=2)
    out += polygon([(10.4, 13.6), (15.6, 14.6), (12.2, 18.2)], fill=BLUE, color=BLUE, width=1)
    out += circle(5, 27, 2.4, fill=RED, color=None)
    return out


@icon_def("zoom1", "Zoom to the entities in the drawing")
def _zoom1():
    out = magnifier(13, 13, 9, (27, 27))
    out += line(9, 13, 17, 13, BLUE_D, 2, "butt") + line(13, 9, 13, 17, BLUE_D, 2, "butt")
    return out


@icon_def("recreate_boundary", "Re-create the boundary of a hatch")
def _recreate_boundary():
    out = polygon(BOUNDARY_PTS, fill=PAPER, color="none", width=0)
    out += hatch_lines(BOUNDARY_PTS, clip_id="rb")
    out += polygon(BOUNDARY_PTS, fill="none", color=BLUE_D, width=2)
    return out + badge_refresh()


@icon_def("fc_f_sav", "Save")
def _fc_f_sav():
    out = path("M5,5 H23 L27,9 V27 H5 Z", fill=BLUE, color=BLUE_D)
    out += rect(10, 5, 10, 7, fill=BLUE_L, color=None)
    out += rect(16, 6.5, 2.5, 4, fill=BLUE_D, color=None)
    out += rect(9, 16, 14, 11, fill=PAPER, color=None)
    out += line(11, 20, 21, 20, GREY, 1.5, "butt") + line(11, 23.5, 21, 23.5, GREY, 1.5, "butt")
    return out


@icon_def("lispfunction", "A LISP function of the file")
def _lispfunction():
    out = rect(3, 3, 26, 26, fill=BLUE, color=BLUE_D, r=4)
    # a lambda drawn as strokes
    out += path("M10,8.5 C13,8 14,9.5 15,12 L21.5,24", color=PAPER, width=3)
    out += line(15.6, 15, 10.5, 24, PAPER, 3)
    return out


# Alias editor -------------------------------------------------------------

@icon_def("alias_add", "Create a new alias")
def _alias_add():
    return table() + badge_plus()


@icon_def("alias_remove", "Remove the selected aliases")
def _alias_remove():
    return table() + badge_minus()


@icon_def("alias_clean", "Clean the whole alias list")
def _alias_clean():
    out = table()
    # an eraser lying across the lower right corner
    body = rect(-5, -3.5, 14, 7, fill=PAPER, color=INK, width=1.5, r=1.5)
    body += rect(-5, -3.5, 6, 7, fill=RED, color=INK, width=1.5, r=1.5)
    out += group(body, "translate(23 23) rotate(-45)")
    out += line(16, 30, 29, 30, GREY, 1.5, "butt")
    return out


@icon_def("alias_save", "Save the alias list")
def _alias_save():
    return table() + badge_disk()


@icon_def("alias_export", "Export the aliases to a file")
def _alias_export():
    return table() + halo_arrow(15, 25, 28, 25)


@icon_def("alias_import", "Import aliases from a file")
def _alias_import():
    return table() + halo_arrow(29, 25, 16, 25)


@icon_def("alias_print", "Print the alias list")
def _alias_print():
    out = rect(9, 3, 14, 9, fill=PAPER, color=INK)
    out += rect(3, 11, 26, 12, fill=GREY_L, color=INK, r=2)
    out += circle(24.5, 15.5, 1.3, fill=GREEN, color=None)
    out += rect(9, 19, 14, 10, fill=PAPER, color=INK)
    out += line(12, 23, 20, 23, GREY, 1.5, "butt") + line(12, 26, 20, 26, GREY, 1.5, "butt")
    return out


# Favourites ---------------------------------------------------------------

@icon_def("favorite_save", "Save the settings as a favourite")
def _favorite_save():
    return star(13, 14, 11, 4.6) + badge_disk()


@icon_def("favorite_remove", "Remove favourites")
def _favorite_remove():
    return star(13, 14, 11, 4.6) + badge_minus()


# Pattern hatch boundaries ------------------------------------------------

@icon_def("boundary_delete", "Delete the boundary entities")
def _boundary_delete():
    return boundary() + badge_cross()


@icon_def("boundary_highlight", "Highlight the boundary entities")
def _boundary_highlight():
    out = polygon(BOUNDARY_PTS, fill="none", color=AMBER, width=6, extra=' stroke-opacity="0.85"')
    out += polygon(BOUNDARY_PTS, fill=BLUE_L, color=BLUE_D, width=2)
    out += circle(3, 9, 1.8, fill=BLUE_D, color=None) + circle(13, 3, 1.8, fill=BLUE_D, color=None)
    out += circle(25, 7, 1.8, fill=BLUE_D, color=None) + circle(23, 19, 1.8, fill=BLUE_D, color=None)
    out += circle(11, 23, 1.8, fill=BLUE_D, color=None) + circle(3, 17, 1.8, fill=BLUE_D, color=None)
    return out


@icon_def("hatch_extract", "Take the boundaries from a hatch in the drawing")
def _hatch_extract():
    out = polygon(BOUNDARY_PTS, fill=PAPER, color="none", width=0)
    out += hatch_lines(BOUNDARY_PTS, clip_id="he", color=INK)
    out += polygon(BOUNDARY_PTS, fill="none", color=GREY, width=2)
    return out + badge_out()


# Pickers -----------------------------------------------------------------

@icon_def("pick_block", "Choose a block")
def _pick_block():
    out = polygon([(16, 3), (28, 9), (16, 15), (4, 9)], fill=BLUE_L, color=BLUE_D)
    out += polygon([(4, 9), (16, 15), (16, 29), (4, 23)], fill=BLUE, color=BLUE_D)
    out += polygon([(16, 15), (28, 9), (28, 23), (16, 29)], fill="#5f9be3", color=BLUE_D)
    return out


@icon_def("pick_image", "Choose an image file")
def _pick_image():
    out = rect(3, 5, 26, 22, fill=PAPER, color=INK, r=2)
    out += circle(21, 11.5, 2.6, fill=AMBER, color=None)
    out += polygon([(5, 25), (12, 14), (17, 21), (20, 17.5), (27, 25)], fill=GREEN, color=GREEN_D,
                   width=1.5)
    return out


@icon_def("pick_drawing", "Choose a drawing file")
def _pick_drawing():
    out = page(5, 3, 22, 26, 7)
    out += rect(9, 13, 10, 10, fill="none", color=BLUE_D, width=1.5)
    out += circle(19.5, 21.5, 4.5, fill="none", color=BLUE_D, width=1.5)
    return out


@icon_def("pick_mask", "Choose the plain mask pattern")
def _pick_mask():
    out = ""
    for y in (5, 11, 17, 23, 29):
        out += line(3, y + 3, 29, y - 3, GREY, 2)
    out += rect(8, 10, 16, 12, fill=PAPER, color=BLUE_D, width=2, r=1)
    return out


@icon_def("folder_browse", "Browse for a folder")
def _folder_browse():
    return folder()


@icon_def("file_browse", "Browse for a file")
def _file_browse():
    out = path("M3,27 V7 H12 L15,10 H27 V27 Z", fill=AMBER_D, color=AMBER_D)
    out += page(8, 4, 15, 16, 5)
    out += path("M3,27 L6,15 H30 L27,27 Z", fill=AMBER, color=AMBER_D)
    return out


@icon_def("file_export", "Export to a file")
def _file_export():
    out = page(3, 3, 18, 26, 6)
    out += text_lines(7, 15, [13, 17, 21])
    out += halo_arrow(13, 23, 28, 23)
    return out


@icon_def("search", "Search in the text")
def _search():
    out = page(3, 3, 18, 24, 6)
    out += text_lines(7, 13, [11, 15, 19])
    out += magnifier(19, 19, 6, (28, 28), lens=PAPER)
    return out


@icon_def("preview", "Preview the result in the drawing")
def _preview():
    out = path("M2,16 C8,6 24,6 30,16 C24,26 8,26 2,16 Z", fill=PAPER, color=INK)
    out += circle(16, 16, 5.5, fill=BLUE, color=BLUE_D, width=1.5)
    out += circle(16, 16, 2.2, fill=INK, color=None)
    out += circle(17.8, 14.2, 1.1, fill=PAPER, color=None)
    return out


@icon_def("entity_extract", "Take the pattern settings from an entity in the drawing")
def _entity_extract():
    out = ""
    for (x, y) in [(3, 19), (10, 19), (3, 26), (10, 26)]:
        out += rect(x, y, 5, 4, fill=BLUE_L, color=BLUE_D, width=1)
    # pipette, tip at (13, 19)
    body = rect(0, -2.5, 13, 5, fill=PAPER, color=INK, width=1.5, r=1)
    body += path("M0,-2.5 L-5,0 L0,2.5", fill=PAPER, color=INK, width=1.5)
    body += rect(13, -4, 3, 8, fill=INK, color=None, r=0.5)
    body += rect(16, -3, 6, 6, fill=INK, color=None, r=2.5)
    body += line(2, 0, 10, 0, BLUE, 2, "butt")
    out += group(body, "translate(17 15) rotate(-45)")
    return out


@icon_def("move_top", "Move the selected items to the top")
def _move_top():
    return line(6, 4, 26, 4, BLUE_D, 4) + arrow(16, 28, 16, 11, BLUE, 4, 7)


@icon_def("move_up", "Move the selected items one position up")
def _move_up():
    return arrow(16, 27, 16, 6, BLUE, 4, 8)


@icon_def("move_down", "Move the selected items one position down")
def _move_down():
    return arrow(16, 5, 16, 26, BLUE, 4, 8)


@icon_def("move_bottom", "Move the selected items to the bottom")
def _move_bottom():
    return line(6, 28, 26, 28, BLUE_D, 4) + arrow(16, 4, 16, 21, BLUE, 4, 7)


# ---------------------------------------------------------------------------
# Explanatory pictures
# ---------------------------------------------------------------------------

DIM = RED
DIM_W = 1.2


def card(w, h):
    return rect(0.5, 0.5, w - 1, h - 1, fill=CARD, color=CARD_EDGE, width=1, r=6)


def arrowhead(x, y, angle, length=7, half=2.6, color=DIM):
    """Filled arrowhead with its tip at (x, y), pointing along angle (radians)."""
    bx = x - length * math.cos(angle)
    by = y - length * math.sin(angle)
    nx, ny = -math.sin(angle) * half, math.cos(angle) * half
    return polygon([(x, y), (bx + nx, by + ny), (bx - nx, by - ny)], fill=color, color=color, width=0.5)


def dim(x1, y1, x2, y2, outside=False, ext=10):
    """Dimension line between two points; arrows point outward from inside or, for short
    distances, inward from outside."""
    a = math.atan2(y2 - y1, x2 - x1)
    if not outside:
        out = line(x1, y1, x2, y2, DIM, DIM_W, "butt")
        out += arrowhead(x1, y1, a + math.pi) + arrowhead(x2, y2, a)
    else:
        ex, ey = ext * math.cos(a), ext * math.sin(a)
        out = line(x1 - ex, y1 - ey, x2 + ex, y2 + ey, DIM, DIM_W, "butt")
        out += arrowhead(x1, y1, a) + arrowhead(x2, y2, a + math.pi)
    return out


def ext_line(x1, y1, x2, y2):
    return line(x1, y1, x2, y2, DIM, 0.8, "butt")


def stroke_text(x, y, h, letters, gap, color=INK, width=3):
    """Letters T, E, X drawn as single strokes, like text in a drawing. (x, y) is the
    lower-left corner, h the height; each letter is 2/3 h wide."""
    w = h * 2 / 3
    out = ""
    cx = x
    for ch in letters:
        if ch == "T":
            out += polyline([(cx, y - h), (cx + w, y - h)], color, width)
            out += polyline([(cx + w / 2, y - h), (cx + w / 2, y)], color, width)
        elif ch == "E":
            out += polyline([(cx + w, y - h), (cx, y - h), (cx, y), (cx + w, y)], color, width)
            out += polyline([(cx, y - h / 2), (cx + w * 0.8, y - h / 2)], color, width)
        elif ch == "X":
            out += polyline([(cx, y - h), (cx + w, y)], color, width)
            out += polyline([(cx + w, y - h), (cx, y)], color, width)
        cx += w + gap
    return out


PICTURES = {}


def picture_def(name, title):
    def wrap(fn):
        PICTURES[name] = (title, fn)
        return fn
    return wrap


@picture_def("breakline", "Break line: symbol size and offset past the broken object")
def _breakline():
    W, H = 220, 136
    out = card(W, H)
    # the object being broken: a light band between two edges
    ox1, ox2, oy1, oy2 = 54, 166, 34, 102
    out += rect(ox1, oy1, ox2 - ox1, oy2 - oy1, fill=GREY_L, color=None)
    out += line(ox1, oy1, ox1, oy2, GREY, 2, "butt") + line(ox2, oy1, ox2, oy2, GREY, 2, "butt")
    # the break line: overshoots both edges by the offset, zig-zag symbol in the middle
    y = 68
    off = 34
    zx1, zx2 = 98, 122
    ztop, zbot = 44, 92
    out += polyline([(ox1 - off, y), (zx1, y), (zx1 + 6, ztop), (zx2 - 6, zbot), (zx2, y), (ox2 + off, y)],
                    BLUE_D, 2.5)
    # offset past the left edge (above) and past the right edge (below)
    dy = oy1 - 10
    out += ext_line(ox1 - off, y - 5, ox1 - off, dy - 5) + ext_line(ox1, oy1 - 2, ox1, dy - 5)
    out += dim(ox1 - off, dy, ox1, dy)
    out += text(ox1 - off / 2, dy - 7, "Offset")
    dy = oy2 + 10
    out += ext_line(ox2 + off, y + 5, ox2 + off, dy + 5) + ext_line(ox2, oy2 + 2, ox2, dy + 5)
    out += dim(ox2, dy, ox2 + off, dy)
    out += text(ox2 + off / 2, dy + 15, "Offset")
    # symbol size: the height of the zig-zag
    sx = zx2 + 12
    out += ext_line(zx1 + 10, ztop, sx + 4, ztop) + ext_line(zx2 - 2, zbot, sx + 4, zbot)
    out += dim(sx, ztop, sx, zbot)
    out += text(sx + 5, (ztop + y) / 2 + 4, "Size", anchor="start")
    return svg(W, H, out, "Break line sizes")


@picture_def("textmask", "Text mask or frame: offset between the text and the mask edge")
def _textmask():
    W, H = 220, 120
    out = card(W, H)
    # drawing lines behind the text; the mask hides them
    for yy in (18, 42, 66, 90, 114):
        out += line(8, yy + 20, 212, yy - 30, GREY, 1.5, "butt")
    # the text's extents and the mask around them
    th, gap = 24, 6
    tw = 4 * th * 2 / 3 + 3 * gap
    tx = (W - tw) / 2
    ty = 72
    o = 22
    mx1, my1, mx2, my2 = tx - o, ty - th - o, tx + tw + o, ty + o
    out += rect(mx1, my1, mx2 - mx1, my2 - my1, fill="#eef4fd", color=BLUE_D, width=2)
    out += rect(tx, ty - th, tw, th, fill="none", color=GREY, width=1, extra=' stroke-dasharray="3 2"')
    out += stroke_text(tx, ty, th, "TEXT", gap, INK, 3)
    # offset across (left) and up (top)
    out += dim(mx1, ty - th / 2, tx, ty - th / 2)
    out += text(mx1 - 4, ty - th / 2 + 4, "Offset", anchor="end")
    vx = tx + tw - 8
    out += dim(vx, my1, vx, ty - th)
    out += text(vx + 6, my1 + 15, "Offset", anchor="start")
    return svg(W, H, out, "Text mask offset")


@picture_def("spacing", "Pattern hatch: cell width and height, offsets between the cells")
def _spacing():
    W, H = 220, 140
    out = card(W, H)
    cw, ch, gx, gy = 44, 32, 16, 14
    x0, y0 = 32, 30
    for j in range(2):
        for i in range(3):
            x = x0 + i * (cw + gx)
            y = y0 + j * (ch + gy)
            out += rect(x, y, cw, ch, fill=PAPER, color=GREY, width=1, extra=' stroke-dasharray="3 2"')
            cx, cy = x + cw / 2, y + ch / 2
            out += polygon([(cx, cy - 10), (cx + 13, cy), (cx, cy + 10), (cx - 13, cy)], fill=BLUE_L,
                           color=BLUE_D, width=1.5)
            out += circle(cx, cy, 3.2, fill=BLUE, color=None)
    # width and height of a cell (top, left)
    out += ext_line(x0, y0 - 2, x0, y0 - 16) + ext_line(x0 + cw, y0 - 2, x0 + cw, y0 - 16)
    out += dim(x0, y0 - 11, x0 + cw, y0 - 11)
    out += text(x0 + cw / 2, y0 - 15, "Width")
    out += ext_line(x0 - 2, y0, x0 - 16, y0) + ext_line(x0 - 2, y0 + ch, x0 - 16, y0 + ch)
    out += dim(x0 - 11, y0, x0 - 11, y0 + ch)
    out += text(x0 - 15, y0 + ch / 2, "Height", rotate=-90)
    # offsets between the cells (bottom, right)
    yb = y0 + 2 * ch + gy
    xa = x0 + cw
    out += ext_line(xa, yb + 2, xa, yb + 16) + ext_line(xa + gx, yb + 2, xa + gx, yb + 16)
    out += dim(xa, yb + 11, xa + gx, yb + 11, outside=True, ext=10)
    out += text(xa + gx / 2, yb + 25, "Offset X")
    xr = x0 + 3 * cw + 2 * gx
    ya = y0 + ch
    out += ext_line(xr + 2, ya, xr + 16, ya) + ext_line(xr + 2, ya + gy, xr + 16, ya + gy)
    out += dim(xr + 11, ya, xr + 11, ya + gy, outside=True, ext=10)
    out += text(xr + 23, ya + gy / 2, "Offset Y", rotate=-90)
    return svg(W, H, out, "Pattern spacing")


@picture_def("arcTolerance", "Curve tolerance: greatest distance between an arc and its chords")
def _arc_tolerance():
    W, H = 220, 136
    out = card(W, H)
    cx, cy, r = 110, 124, 96
    # the true arc, dashed
    out += path(f"M{cx - r},{cy} A{r},{r} 0 0 1 {cx + r},{cy}", color=GREY, width=1.5,
                extra=' stroke-dasharray="4 3"')
    # its approximation by straight segments
    p = [(cx + r * math.cos(math.pi - k * math.pi / 3), cy - r * math.sin(math.pi - k * math.pi / 3))
         for k in range(4)]
    out += polyline(p, BLUE_D, 2.5)
    for x, y in p:
        out += circle(x, y, 2.6, fill=PAPER, color=BLUE_D, width=1.5)
    out += line(cx - 4, cy, cx + 4, cy, GREY, 1, "butt") + line(cx, cy - 4, cx, cy + 4, GREY, 1, "butt")
    # the tolerance: from the middle of the top segment to the arc
    chord_y = p[1][1]
    out += dim(cx, cy - r, cx, chord_y, outside=True, ext=14)
    out += text(cx + 8, cy - r - 6, "Tolerance", anchor="start")
    return svg(W, H, out, "Curve tolerance")


def sheet(x, y, w, h):
    """A paper sheet with a slight shadow."""
    out = rect(x + 2, y + 2, w, h, fill="#cfd8e0", color=None)
    out += rect(x, y, w, h, fill=PAPER, color=GREY, width=1)
    return out


@picture_def("titleblock", "Title block inserted on the sheet at its origin")
def _titleblock():
    W, H = 220, 150
    out = card(W, H)
    sx, sy, sw, sh = 22, 10, 180, 118
    out += sheet(sx, sy, sw, sh)
    # the title block: border frame and the title table in the lower right
    fx, fy, fw, fh = sx + 8, sy + 8, sw - 16, sh - 16
    out += rect(fx, fy, fw, fh, fill="none", color=BLUE_D, width=2)
    tw, th = 74, 30
    tx, ty = fx + fw - tw, fy + fh - th
    out += rect(tx, ty, tw, th, fill=BLUE_L, color=BLUE_D, width=2)
    out += line(tx, ty + 10, tx + tw, ty + 10, BLUE_D, 1, "butt")
    out += line(tx, ty + 20, tx + tw, ty + 20, BLUE_D, 1, "butt")
    out += line(tx + 30, ty + 10, tx + 30, ty + th, BLUE_D, 1, "butt")
    out += line(tx + 6, ty + 5, tx + 50, ty + 5, BLUE_D, 2, "butt")
    out += text(tx + tw / 2, ty - 5, "Title block", color=BLUE_D, size=10, halo=PAPER)
    # the drawing on the sheet, faint
    out += rect(fx + 16, fy + 14, 50, 34, fill="none", color=GREY, width=1.2)
    out += circle(fx + 41, fy + 31, 10, fill="none", color=GREY, width=1.2)
    out += line(fx + 80, fy + 20, fx + 130, fy + 20, GREY, 1.2, "butt")
    out += line(fx + 80, fy + 20, fx + 80, fy + 50, GREY, 1.2, "butt")
    # the insertion origin: the lower left corner of the sheet
    ox, oy = sx, sy + sh
    out += line(ox - 7, oy, ox + 7, oy, DIM, 1.5, "butt") + line(ox, oy - 7, ox, oy + 7, DIM, 1.5, "butt")
    out += circle(ox, oy, 3, fill="none", color=DIM, width=1.5)
    out += text(ox + 8, oy + 15, "Origin", anchor="start")
    return svg(W, H, out, "Title block on a sheet")


@picture_def("viewports", "Array of viewports on the sheet: rows, columns and the offsets between them")
def _viewports():
    W, H = 220, 150
    out = card(W, H)
    sx, sy, sw, sh = 12, 9, 196, 130
    out += sheet(sx, sy, sw, sh)
    fx, fy, fw, fh = sx + 7, sy + 7, sw - 14, sh - 14
    out += rect(fx, fy, fw, fh, fill="none", color=GREY, width=1.2)
    out += rect(fx + fw - 50, fy + fh - 16, 50, 16, fill="none", color=GREY, width=1.2)
    # 2 rows x 3 columns of viewports, each showing the model
    vw, vh, gx, gy = 40, 34, 14, 14
    x0, y0 = fx + 8, fy + 8
    for j in range(2):
        for i in range(3):
            x = x0 + i * (vw + gx)
            y = y0 + j * (vh + gy)
            out += rect(x, y, vw, vh, fill=BLUE_L, color=BLUE_D, width=2)
            out += rect(x + 8, y + 11, 16, 14, fill="none", color=BLUE_D, width=1)
            out += circle(x + 26, y + 13, 5, fill="none", color=BLUE_D, width=1)
    # offsets between the viewports: across below the array, up and down on its right
    xa = x0 + vw
    yb = y0 + 2 * vh + gy
    out += ext_line(xa, yb + 2, xa, yb + 14) + ext_line(xa + gx, yb + 2, xa + gx, yb + 14)
    out += dim(xa, yb + 10, xa + gx, yb + 10, outside=True, ext=9)
    out += text(xa + gx / 2, yb + 24, "Offset X", halo=PAPER)
    xr = x0 + 3 * vw + 2 * gx
    ya = y0 + vh
    out += ext_line(xr + 2, ya, xr + 14, ya) + ext_line(xr + 2, ya + gy, xr + 14, ya + gy)
    out += dim(xr + 10, ya, xr + 10, ya + gy, outside=True, ext=9)
    out += text(xr + 22, ya + gy / 2, "Offset Y", rotate=-90, halo=PAPER)
    return svg(W, H, out, "Viewports on a sheet")


def main():
    os.makedirs(OUT, exist_ok=True)
    names = []
    for name, (title, fn) in ICONS.items():
        names.append(name)
        with open(os.path.join(OUT, name + ".svg"), "w", encoding="utf-8") as f:
            f.write(icon(fn(), title))
    for name, (title, fn) in PICTURES.items():
        names.append(name)
        with open(os.path.join(OUT, name + ".svg"), "w", encoding="utf-8") as f:
            f.write(fn())
    # Sources of images that are no longer drawn must not linger.
    for f in os.listdir(OUT):
        if f.endswith(".svg") and f[:-4] not in names:
            os.remove(os.path.join(OUT, f))
    print(f"{len(names)} sources written to {OUT}", file=sys.stderr)


if __name__ == "__main__":
    main()
