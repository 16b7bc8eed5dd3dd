#!/usr/bin/env python3
"""Writes the sample drawings of this folder (ASCII DXF), with no packages beyond Python's own.

    python3 make_drawings.py [output folder]

breakline.dxf        a break-line symbol in R12 form (old-style polyline), model space only;
breakline_symbol.dwg the same file under a drawing name: readers go by content, not name;
titleblock.dxf       a title block defined as a block and inserted once in model space;
blocks.dxf           layers with colours, named, nested and anonymous blocks, every entity kind
                     the platform reads, references scaled, rotated and mirrored, paper space.

One drawing for each of the other kinds of entity:
faces.dxf            3DFACE: a box's faces with hidden edges, a triangle;
splines.dxf          SPLINE: a clamped cubic, a rational quarter circle, one through fit points
                     only, a closed periodic one;
dimensions.dxf       DIMENSION: linear and radial dimensions drawn by their *D blocks;
hatches.dxf          HATCH: a solid fill with a hole, a pattern bounded by lines, arcs (one of them
                     clockwise) and an elliptic arc, a spline-bounded one, seed points after them;
leaders.dxf          LEADER with its note;
mlines.dxf           MLINE: an open and a closed multiline of two elements;
images.dxf           IMAGE (whole and clipped) and WIPEOUT frames;
r2018.dxf            a 2018 drawing as other programs write it: settings in its header ($CLAYER
                     and others), an object embedded in an MTEXT (group 101), group codes of no
                     known range, and CLASSES, OBJECTS, ACDSDATA and THUMBNAILIMAGE sections.

seed/BreakLine/*.dwg and seed/Template/*.dwg are break-line symbols and title-block templates
that kvhost puts into a new user's folders (DXF content under drawing names).

The tests read these files and know their contents: change a drawing here and the expected
names, counts and extents in tests/platform/tst_dxf.cpp with it.
"""

import math
import os
import shutil
import sys


def fmt(value):
    if isinstance(value, float):
        text = repr(round(value, 10))
        return text[:-2] if text.endswith(".0") else text
    return str(value)


class Writer:
    """Group codes and values, one per line, as DXF stores them."""

    def __init__(self):
        self.lines = []

    def group(self, code, value):
        self.lines.append(str(code).rjust(3))
        self.lines.append(fmt(value))

    def point(self, base, p):
        self.group(base, float(p[0]))
        self.group(base + 10, float(p[1]))
        self.group(base + 20, float(p[2]) if len(p) > 2 else 0.0)

    def text(self):
        return "\r\n".join(self.lines) + "\r\n"


class Entity:
    def __init__(self, kind, layer="0", color=None, paper=False, **data):
        self.kind, self.layer, self.color, self.paper, self.data = kind, layer, color, paper, data


def line(a, b, **kw):
    return Entity("LINE", a=a, b=b, **kw)


def circle(c, r, **kw):
    return Entity("CIRCLE", c=c, r=r, **kw)


def arc(c, r, start, end, **kw):
    return Entity("ARC", c=c, r=r, start=start, end=end, **kw)


def ellipse(c, major, ratio, start=0.0, end=2 * math.pi, **kw):
    return Entity("ELLIPSE", c=c, major=major, ratio=ratio, start=start, end=end, **kw)


def lwpolyline(points, closed=False, **kw):
    """points: (x, y) or (x, y, bulge)"""
    return Entity("LWPOLYLINE", points=points, closed=closed, **kw)


def polyline(points, closed=False, **kw):
    return Entity("POLYLINE", points=points, closed=closed, **kw)


def text(p, height, value, rotation=0.0, **kw):
    return Entity("TEXT", p=p, height=height, value=value, rotation=rotation, **kw)


def mtext(p, height, value, width=0.0, attachment=1, rotation=0.0, **kw):
    return Entity("MTEXT", p=p, height=height, value=value, width=width, attachment=attachment,
                  rotation=rotation, **kw)


def point(p, **kw):
    return Entity("POINT", p=p, **kw)


def solid(corners, **kw):
    return Entity("SOLID", corners=corners, **kw)


def insert(name, p, scale=(1.0, 1.0, 1.0), rotation=0.0, **kw):
    return Entity("INSERT", name=name, p=p, scale=scale, rotation=rotation, **kw)


def face(corners, hidden=0, **kw):
    """hidden: bit i hides the edge from corner i to the next"""
    return Entity("3DFACE", corners=corners, hidden=hidden, **kw)


def spline(degree, control=(), knots=(), weights=(), fit=(), closed=False, periodic=False, **kw):
    return Entity("SPLINE", degree=degree, control=control, knots=knots, weights=weights, fit=fit,
                  closed=closed, periodic=periodic, **kw)


def dimension(block, kind, definition, text_at, measurement, **kw):
    """kind 0 rotated, 4 radius; drawn by its block"""
    return Entity("DIMENSION", block=block, dimtype=kind, definition=definition, text_at=text_at,
                  measurement=measurement, **kw)


def hatch(loops, solid=False, pattern="ANSI31", seeds=(), **kw):
    """loops: ("polyline", [(x, y, bulge)...]) or ("edges", [edge...]) with edges
    ("line", a, b), ("arc", centre, r, start, end, ccw), ("ellipse", centre, major, ratio,
    start, end, ccw), ("spline", degree, knots, control)"""
    return Entity("HATCH", loops=loops, solid=solid, pattern="SOLID" if solid else pattern, seeds=seeds, **kw)


def leader(points, **kw):
    return Entity("LEADER", points=points, **kw)


def mline(points, offsets=(0.5, -0.5), closed=False, **kw):
    return Entity("MLINE", points=points, offsets=offsets, closed=closed, **kw)


def image(origin, pixel, size, clip=None, **kw):
    """pixel: the size of one pixel; size: (width, height) in pixels; clip: pixel corners"""
    return Entity("IMAGE", origin=origin, pixel=pixel, size=size, clip=clip, **kw)


def wipeout(origin, width, height, **kw):
    return Entity("WIPEOUT", origin=origin, width=width, height=height, **kw)


def raw(groups):
    """Groups written as they stand: (code, value) pairs, the first one 0 and the type."""
    return Entity("RAW", groups=groups)


def miter(prev, here, nxt):
    """The unit miter direction at a multiline vertex: the left normal, halfway between the
    segments that meet there."""
    def normal(a, b):
        dx, dy = b[0] - a[0], b[1] - a[1]
        length = math.hypot(dx, dy)
        return (-dy / length, dx / length)
    normals = []
    if prev is not None:
        normals.append(normal(prev, here))
    if nxt is not None:
        normals.append(normal(here, nxt))
    nx = sum(n[0] for n in normals) / len(normals)
    ny = sum(n[1] for n in normals) / len(normals)
    length = math.hypot(nx, ny)
    return (nx / length, ny / length)


class Drawing:
    """A drawing: layers, blocks in table order, model and paper space entities."""

    def __init__(self, version="AC1015"):
        self.version = version
        self.layers = [("0", 7, 0)]
        self.blocks = []  # (name, base, flags, entities)
        self.entities = []
        self.variables = []  # header settings: (name, [(code, value)...])
        self.sections = []  # further sections: (name, [(code, value)...]), written after OBJECTS
        self.next_handle = 0x30

    def r12(self):
        return self.version == "AC1009"

    def handle(self):
        self.next_handle += 1
        return format(self.next_handle, "X")

    def layer(self, name, color, flags=0):
        self.layers.append((name, color, flags))

    def block(self, name, base=(0.0, 0.0), flags=0, entities=()):
        self.blocks.append((name, base, flags, list(entities)))

    # --- writing

    def write(self, path):
        w = Writer()
        w.group(999, "Korvane sample drawing")
        self.header(w)
        self.tables(w)
        w.group(0, "SECTION")
        w.group(2, "BLOCKS")
        spaces = [] if self.r12() else [("*Model_Space", (0.0, 0.0), 0, []), ("*Paper_Space", (0.0, 0.0), 0, [])]
        for name, base, flags, entities in spaces + self.blocks:
            owner = self.handle()
            w.group(0, "BLOCK")
            self.common(w, "AcDbBlockBegin", owner)
            w.group(2, name)
            w.group(70, flags)
            w.point(10, base)
            w.group(3, name)
            w.group(1, "")
            for e in entities:
                self.entity(w, e, owner)
            w.group(0, "ENDBLK")
            self.common(w, "AcDbBlockEnd", owner)
        w.group(0, "ENDSEC")
        w.group(0, "SECTION")
        w.group(2, "ENTITIES")
        for e in self.entities:
            self.entity(w, e, "1F")
        w.group(0, "ENDSEC")
        if not self.r12():
            w.group(0, "SECTION")
            w.group(2, "OBJECTS")
            w.group(0, "DICTIONARY")
            w.group(5, "C")
            w.group(330, "0")
            w.group(100, "AcDbDictionary")
            w.group(0, "ENDSEC")
        for name, groups in self.sections:
            w.group(0, "SECTION")
            w.group(2, name)
            for code, value in groups:
                w.group(code, value)
            w.group(0, "ENDSEC")
        w.group(0, "EOF")
        # Texts are in the drawing's code page, windows-1252.
        with open(path, "w", encoding="cp1252", newline="") as f:
            f.write(w.text())

    def header(self, w):
        w.group(0, "SECTION")
        w.group(2, "HEADER")
        w.group(9, "$ACADVER")
        w.group(1, self.version)
        if not self.r12():
            w.group(9, "$DWGCODEPAGE")
            w.group(3, "ANSI_1252")
        w.group(9, "$INSUNITS")
        w.group(70, 4)
        # Unset extents, as programs write them for drawings never measured.
        w.group(9, "$EXTMIN")
        w.point(10, (1e20, 1e20, 1e20))
        w.group(9, "$EXTMAX")
        w.point(10, (-1e20, -1e20, -1e20))
        for name, groups in self.variables:
            w.group(9, name)
            for code, value in groups:
                w.group(code, value)
        w.group(0, "ENDSEC")

    def table(self, w, name, records):
        w.group(0, "TABLE")
        w.group(2, name)
        if not self.r12():
            w.group(5, self.handle())
            w.group(330, "0")
            w.group(100, "AcDbSymbolTable")
        w.group(70, len(records))
        for write_record in records:
            write_record()
        w.group(0, "ENDTAB")

    def record(self, w, kind, subclass):
        w.group(0, kind)
        if not self.r12():
            w.group(5, self.handle())
            w.group(100, "AcDbSymbolTableRecord")
            w.group(100, subclass)

    def tables(self, w):
        w.group(0, "SECTION")
        w.group(2, "TABLES")

        def ltype():
            self.record(w, "LTYPE", "AcDbLinetypeTableRecord")
            w.group(2, "CONTINUOUS")
            w.group(70, 0)
            w.group(3, "Solid line")
            w.group(72, 65)
            w.group(73, 0)
            w.group(40, 0.0)

        self.table(w, "LTYPE", [ltype])

        def layer(name, color, flags):
            def write_layer():
                self.record(w, "LAYER", "AcDbLayerTableRecord")
                w.group(2, name)
                w.group(70, flags)
                w.group(62, color)
                w.group(6, "CONTINUOUS")
            return write_layer

        self.table(w, "LAYER", [layer(*l) for l in self.layers])
        if not self.r12():
            def block_record(name):
                def write_record():
                    self.record(w, "BLOCK_RECORD", "AcDbBlockTableRecord")
                    w.group(2, name)
                return write_record
            names = ["*Model_Space", "*Paper_Space"] + [b[0] for b in self.blocks]
            self.table(w, "BLOCK_RECORD", [block_record(n) for n in names])
        w.group(0, "ENDSEC")

    def common(self, w, subclass, owner, e=None):
        if not self.r12():
            w.group(5, self.handle())
            w.group(330, owner)
            w.group(100, "AcDbEntity")
        if e is not None and e.paper:
            w.group(67, 1)
        w.group(8, e.layer if e is not None else "0")
        if e is not None and e.color is not None:
            w.group(62, e.color)
        if not self.r12():
            w.group(100, subclass)

    def entity(self, w, e, owner):
        d = e.data
        kind = e.kind
        w.group(0, kind)
        if kind == "LINE":
            self.common(w, "AcDbLine", owner, e)
            w.point(10, d["a"])
            w.point(11, d["b"])
        elif kind == "CIRCLE":
            self.common(w, "AcDbCircle", owner, e)
            w.point(10, d["c"])
            w.group(40, float(d["r"]))
        elif kind == "ARC":
            self.common(w, "AcDbCircle", owner, e)
            w.point(10, d["c"])
            w.group(40, float(d["r"]))
            if not self.r12():
                w.group(100, "AcDbArc")
            w.group(50, float(d["start"]))
            w.group(51, float(d["end"]))
        elif kind == "ELLIPSE":
            self.common(w, "AcDbEllipse", owner, e)
            w.point(10, d["c"])
            w.point(11, d["major"])
            w.group(40, float(d["ratio"]))
            w.group(41, float(d["start"]))
            w.group(42, float(d["end"]))
        elif kind == "LWPOLYLINE":
            self.common(w, "AcDbPolyline", owner, e)
            w.group(90, len(d["points"]))
            w.group(70, 1 if d["closed"] else 0)
            for p in d["points"]:
                w.group(10, float(p[0]))
                w.group(20, float(p[1]))
                if len(p) > 2 and p[2]:
                    w.group(42, float(p[2]))
        elif kind == "POLYLINE":
            self.common(w, "AcDb2dPolyline", owner, e)
            w.group(66, 1)
            w.point(10, (0.0, 0.0, 0.0))
            w.group(70, 1 if d["closed"] else 0)
            for p in d["points"]:
                w.group(0, "VERTEX")
                self.common(w, "AcDbVertex", owner, e)
                if not self.r12():
                    w.group(100, "AcDb2dVertex")
                w.point(10, (float(p[0]), float(p[1]), 0.0))
                if len(p) > 2 and p[2]:
                    w.group(42, float(p[2]))
            w.group(0, "SEQEND")
            self.common(w, "AcDbSequenceEnd", owner, e)
        elif kind == "TEXT":
            self.common(w, "AcDbText", owner, e)
            w.point(10, d["p"])
            w.group(40, float(d["height"]))
            w.group(1, d["value"])
            if d["rotation"]:
                w.group(50, float(d["rotation"]))
            if not self.r12():
                w.group(100, "AcDbText")
        elif kind == "MTEXT":
            self.common(w, "AcDbMText", owner, e)
            w.point(10, d["p"])
            w.group(40, float(d["height"]))
            w.group(41, float(d["width"]))
            w.group(71, d["attachment"])
            w.group(1, d["value"])
            if d["rotation"]:
                w.group(50, float(d["rotation"]))
        elif kind == "POINT":
            self.common(w, "AcDbPoint", owner, e)
            w.point(10, d["p"])
        elif kind == "SOLID":
            self.common(w, "AcDbTrace", owner, e)
            for i, corner in enumerate(d["corners"]):
                w.point(10 + i, corner)
        elif kind == "INSERT":
            self.common(w, "AcDbBlockReference", owner, e)
            w.group(2, d["name"])
            w.point(10, d["p"])
            sx, sy, sz = d["scale"]
            if (sx, sy, sz) != (1.0, 1.0, 1.0):
                w.group(41, float(sx))
                w.group(42, float(sy))
                w.group(43, float(sz))
            if d["rotation"]:
                w.group(50, float(d["rotation"]))
        elif kind == "3DFACE":
            self.common(w, "AcDbFace", owner, e)
            for i, corner in enumerate(d["corners"]):
                w.point(10 + i, corner)
            w.group(70, d["hidden"])
        elif kind == "SPLINE":
            self.common(w, "AcDbSpline", owner, e)
            w.point(210, (0.0, 0.0, 1.0))
            flags = 8 + (1 if d["closed"] else 0) + (2 if d["periodic"] else 0) + (4 if d["weights"] else 0)
            w.group(70, flags)
            w.group(71, d["degree"])
            w.group(72, len(d["knots"]))
            w.group(73, len(d["control"]))
            w.group(74, len(d["fit"]))
            w.group(42, 1e-10)
            w.group(43, 1e-10)
            if d["fit"]:
                w.group(44, 1e-10)
            for k in d["knots"]:
                w.group(40, float(k))
            for wt in d["weights"]:
                w.group(41, float(wt))
            for p in d["control"]:
                w.point(10, p)
            for p in d["fit"]:
                w.point(11, p)
        elif kind == "DIMENSION":
            self.common(w, "AcDbDimension", owner, e)
            w.group(2, d["block"])
            w.point(10, d["definition"])
            w.point(11, d["text_at"])
            w.group(70, 32 + d["dimtype"])
            w.group(1, "")
            w.group(3, "Standard")
            w.group(42, float(d["measurement"]))
            if d["dimtype"] == 4:
                w.group(100, "AcDbRadialDimension")
                w.point(15, d["definition"])
                w.group(40, 0.0)
            else:
                w.group(100, "AcDbAlignedDimension")
                w.point(13, d["definition"])
                w.point(14, d["definition"])
                w.group(100, "AcDbRotatedDimension")
        elif kind == "HATCH":
            self.common(w, "AcDbHatch", owner, e)
            w.point(10, (0.0, 0.0, 0.0))
            w.point(210, (0.0, 0.0, 1.0))
            w.group(2, d["pattern"])
            w.group(70, 1 if d["solid"] else 0)
            w.group(71, 0)
            w.group(91, len(d["loops"]))
            for loop_kind, data in d["loops"]:
                if loop_kind == "polyline":
                    w.group(92, 3)
                    w.group(72, 1 if any(len(v) > 2 and v[2] for v in data) else 0)
                    w.group(73, 1)
                    w.group(93, len(data))
                    for v in data:
                        w.group(10, float(v[0]))
                        w.group(20, float(v[1]))
                        if any(len(x) > 2 and x[2] for x in data):
                            w.group(42, float(v[2]) if len(v) > 2 else 0.0)
                else:
                    w.group(92, 1)
                    w.group(93, len(data))
                    for edge in data:
                        self.hatch_edge(w, edge)
                w.group(97, 0)
            w.group(75, 0)
            w.group(76, 1)
            if not d["solid"]:
                w.group(52, 0.0)
                w.group(41, 1.0)
                w.group(77, 0)
                w.group(78, 1)
                w.group(53, 45.0)
                w.group(43, 0.0)
                w.group(44, 0.0)
                w.group(45, -2.2)
                w.group(46, 2.2)
                w.group(79, 0)
            w.group(98, len(d["seeds"]))
            for p in d["seeds"]:
                w.group(10, float(p[0]))
                w.group(20, float(p[1]))
        elif kind == "LEADER":
            self.common(w, "AcDbLeader", owner, e)
            w.group(3, "Standard")
            w.group(71, 1)
            w.group(72, 0)
            w.group(73, 3)
            w.group(74, 0)
            w.group(75, 0)
            w.group(40, 0.0)
            w.group(41, 0.0)
            w.group(76, len(d["points"]))
            for p in d["points"]:
                w.point(10, p)
        elif kind == "MLINE":
            self.common(w, "AcDbMline", owner, e)
            points = d["points"]
            w.group(2, "STANDARD")
            w.group(340, "0")
            w.group(40, 1.0)
            w.group(70, 1)
            w.group(71, 1 + (2 if d["closed"] else 0))
            w.group(72, len(points))
            w.group(73, len(d["offsets"]))
            w.point(10, points[0])
            w.point(210, (0.0, 0.0, 1.0))
            n = len(points)
            for i, p in enumerate(points):
                prev = points[i - 1] if i > 0 or d["closed"] else None
                nxt = points[(i + 1) % n] if i + 1 < n or d["closed"] else None
                to = nxt if nxt is not None else p
                frm = p if nxt is not None else prev
                length = math.hypot(to[0] - frm[0], to[1] - frm[1]) or 1.0
                mx, my = miter(prev, p, nxt)
                dx, dy = (to[0] - frm[0]) / length, (to[1] - frm[1]) / length
                # Along the miter an element lies further out than its offset across the line.
                stretch = 1.0 / (mx * -dy + my * dx)
                w.point(11, p)
                w.point(12, (dx, dy, 0.0))
                w.point(13, (mx, my, 0.0))
                for offset in d["offsets"]:
                    w.group(74, 2)
                    w.group(41, float(offset) * stretch)
                    w.group(41, 0.0)
                    w.group(75, 0)
        elif kind == "IMAGE":
            self.common(w, "AcDbRasterImage", owner, e)
            size = d["pixel"]
            wpx, hpx = d["size"]
            w.group(90, 0)
            w.point(10, d["origin"])
            w.point(11, (float(size), 0.0, 0.0))
            w.point(12, (0.0, float(size), 0.0))
            w.group(13, float(wpx))
            w.group(23, float(hpx))
            w.group(340, "0")
            w.group(70, 7)
            w.group(280, 1 if d["clip"] else 0)
            w.group(281, 50)
            w.group(282, 50)
            w.group(283, 0)
            w.group(360, "0")
            clip = d["clip"] or [(-0.5, -0.5), (wpx - 0.5, hpx - 0.5)]
            w.group(71, 1 if len(clip) == 2 else 2)
            w.group(91, len(clip))
            for x, y in clip:
                w.group(14, float(x))
                w.group(24, float(y))
        elif kind == "WIPEOUT":
            self.common(w, "AcDbWipeout", owner, e)
            w.group(90, 0)
            w.point(10, d["origin"])
            w.point(11, (float(d["width"]), 0.0, 0.0))
            w.point(12, (0.0, float(d["height"]), 0.0))
            w.group(13, 1.0)
            w.group(23, 1.0)
            w.group(340, "0")
            w.group(70, 7)
            w.group(280, 1)
            w.group(281, 50)
            w.group(282, 50)
            w.group(283, 0)
            w.group(360, "0")
            w.group(71, 2)
            corners = [(-0.5, 0.5), (0.5, 0.5), (0.5, -0.5), (-0.5, -0.5), (-0.5, 0.5)]
            w.group(91, len(corners))
            for x, y in corners:
                w.group(14, x)
                w.group(24, y)
        elif kind == "RAW":
            w.lines.pop()
            w.lines.pop()
            for code, value in d["groups"]:
                w.group(code, value)
        else:
            raise ValueError(kind)

    def hatch_edge(self, w, edge):
        kind = edge[0]
        if kind == "line":
            w.group(72, 1)
            w.group(10, float(edge[1][0]))
            w.group(20, float(edge[1][1]))
            w.group(11, float(edge[2][0]))
            w.group(21, float(edge[2][1]))
        elif kind == "arc":
            _, c, r, start, end, ccw = edge
            w.group(72, 2)
            w.group(10, float(c[0]))
            w.group(20, float(c[1]))
            w.group(40, float(r))
            w.group(50, float(start))
            w.group(51, float(end))
            w.group(73, 1 if ccw else 0)
        elif kind == "ellipse":
            _, c, major, ratio, start, end, ccw = edge
            w.group(72, 3)
            w.group(10, float(c[0]))
            w.group(20, float(c[1]))
            w.group(11, float(major[0]))
            w.group(21, float(major[1]))
            w.group(40, float(ratio))
            w.group(50, float(start))
            w.group(51, float(end))
            w.group(73, 1 if ccw else 0)
        elif kind == "spline":
            _, degree, knots, control = edge
            w.group(72, 4)
            w.group(94, degree)
            w.group(73, 0)
            w.group(74, 0)
            w.group(95, len(knots))
            w.group(96, len(control))
            for k in knots:
                w.group(40, float(k))
            for p in control:
                w.group(10, float(p[0]))
                w.group(20, float(p[1]))
            # Fit data of newer versions: none.
            w.group(97, 0)
        else:
            raise ValueError(kind)


def breakline():
    """A break line 4 units long and 1 high: straight ends and a zigzag in the middle."""
    d = Drawing("AC1009")
    d.layer("SYMBOL", 2)
    d.entities += [
        polyline([(0, 0), (1.5, 0), (1.75, 0.5), (2.25, -0.5), (2.5, 0), (4, 0)], layer="SYMBOL"),
    ]
    return d


def titleblock():
    """A 180 x 50 title block with its fields, as the block TITLEBLOCK inserted at the origin."""
    d = Drawing()
    d.layer("FRAME", 7)
    d.layer("TITLE", 2)
    body = [
        lwpolyline([(0, 0), (180, 0), (180, 50), (0, 50)], closed=True, layer="FRAME"),
        line((0, 30), (180, 30), layer="FRAME"),
        line((0, 15), (180, 15), layer="FRAME"),
        line((100, 0), (100, 30), layer="FRAME"),
        line((140, 0), (140, 30), layer="FRAME"),
        text((4, 38), 7.0, "KORVANE SAMPLE DRAWING", layer="TITLE"),
        text((4, 20), 3.5, "DRAWN", layer="TITLE"),
        text((104, 20), 3.5, "DATE", layer="TITLE"),
        text((144, 20), 3.5, "SCALE", layer="TITLE"),
        text((4, 5), 3.5, "SHEET 1 OF 1", layer="TITLE"),
        mtext((104, 12), 2.5, "Revision A\\Pfirst issue", width=34.0, layer="TITLE"),
    ]
    d.block("TITLEBLOCK", entities=body)
    d.entities.append(insert("TITLEBLOCK", (0, 0)))
    return d


def blocks():
    """Several blocks, nested and anonymous ones among them, on layers with colours."""
    d = Drawing()
    d.layer("WALLS", 1)
    d.layer("DOORS", 3)
    d.layer("TEXT", 2)
    d.layer("HIDDEN", -4)       # switched off: a negative colour
    d.layer("FROZEN", 6, 1)     # frozen
    d.layer("Grün", 30)         # a name beyond ASCII, in the drawing's code page

    # DOOR: a leaf and its swing, extents (0,0)-(1,1).
    d.block("DOOR", entities=[
        line((0, 0), (0, 1), layer="0"),
        arc((0, 0), 1, 0, 90, layer="DOORS"),
    ])
    # WINDOW: a 2 x 0.5 frame with a sash line, base point at its middle (1, 0.25).
    d.block("WINDOW", base=(1, 0.25), entities=[
        lwpolyline([(0, 0), (2, 0), (2, 0.5), (0, 0.5)], closed=True, color=5),
        line((0, 0.25), (2, 0.25), color=0),
    ])
    # ROOM: walls with a door and a window inserted; nests the two blocks above.
    d.block("ROOM", entities=[
        lwpolyline([(0, 0), (6, 0), (6, 4), (0, 4)], closed=True, layer="WALLS"),
        insert("DOOR", (1, 0)),
        insert("WINDOW", (3, 4)),
        text((0.5, 1.5), 0.5, "ROOM", layer="TEXT"),
    ])
    # An anonymous block, as programs make them for dimensions and hatches.
    d.block("*U1", flags=1, entities=[
        line((0, 0), (2, 0)),
        line((0, 0), (0, 2)),
        solid([(0, 0), (0.2, 0), (0, 0.2), (0, 0.2)]),
    ])
    # SAMPLER: one of every entity kind read.
    d.block("SAMPLER", entities=[
        line((0, 0), (10, 0)),
        circle((2, 2), 1, color=1),
        arc((5, 2), 1, 0, 180, color=2),
        ellipse((8, 2), (1.5, 0), 0.5, color=3),
        lwpolyline([(0, 4, 1.0), (2, 4), (2, 5)], color=4),
        polyline([(3, 4), (4, 5), (5, 4)], closed=True, color=5),
        text((6, 4), 0.5, "Text %%d", color=6),
        mtext((0, 8), 0.5, "{\\fArial|b1;Multi}\\Pline", width=4.0, color=7),
        point((9, 7), color=8),
        solid([(7, 6), (8, 6), (7, 7), (8, 7)], color=9),
        insert("DOOR", (9, 5), scale=(0.5, 0.5, 1.0)),
    ])
    # *Paper_Space0: a second layout's space; the named record *Paper_Space comes first.
    d.block("*Paper_Space0", entities=[line((0, 0), (1, 1))])

    d.entities += [
        insert("ROOM", (0, 0)),
        insert("ROOM", (10, 0), rotation=90.0),                # rotated: (5.75,0)-(10,6)
        insert("DOOR", (20, 0), scale=(2.0, 2.0, 1.0)),        # scaled: (20,0)-(22,2)
        insert("DOOR", (30, 0), scale=(-1.0, 1.0, 1.0)),       # mirrored: (29,0)-(30,1)
        insert("*U1", (40, 0)),
        insert("SAMPLER", (0, 10)),
        line((0, -5), (50, -5), layer="WALLS"),
        circle((45, 5), 2, layer="HIDDEN"),
        circle((45, 5), 3, layer="FROZEN"),
        text((0, -8), 1.0, "Grün", layer="Grün"),
        line((0, 0), (297, 210), paper=True),
    ]
    return d


def faces():
    """A 10 x 10 x 5 box standing on the origin, its vertical edges hidden where two faces meet,
    and a triangle beside it (its fourth corner repeats the third)."""
    d = Drawing()
    d.layer("FACES", 4)
    b = [(0, 0, 0), (10, 0, 0), (10, 10, 0), (0, 10, 0)]
    t = [(x, y, 5) for x, y, _ in b]
    d.entities += [
        face([b[0], b[1], b[2], b[3]], layer="FACES"),
        face([t[0], t[1], t[2], t[3]], layer="FACES"),
        # Walls: bottom edge, right edge (hidden), top edge, left edge (hidden).
        face([b[0], b[1], t[1], t[0]], hidden=2 | 8, layer="FACES"),
        face([b[1], b[2], t[2], t[1]], hidden=2 | 8, layer="FACES"),
        face([b[2], b[3], t[3], t[2]], hidden=2 | 8, layer="FACES"),
        face([b[3], b[0], t[0], t[3]], hidden=2 | 8, layer="FACES"),
        face([(12, 0, 0), (16, 0, 0), (14, 4, 0), (14, 4, 0)], color=1),
    ]
    return d


def splines():
    """Four splines; with clamped knots a spline starts and ends at its end control points."""
    d = Drawing()
    d.layer("CURVES", 5)
    d.entities += [
        # A clamped cubic from (0,0) to (10,0) rising to 4: extents (0,0)-(10,~3).
        spline(3, control=[(0, 0, 0), (2, 4, 0), (8, 4, 0), (10, 0, 0)], knots=[0, 0, 0, 0, 1, 1, 1, 1],
               layer="CURVES"),
        # A quarter circle of radius 4 about (15,0) as a rational quadratic.
        spline(2, control=[(19, 0, 0), (19, 4, 0), (15, 4, 0)], knots=[0, 0, 0, 1, 1, 1],
               weights=[1, math.sqrt(0.5), 1], color=1),
        # Through fit points only.
        spline(3, fit=[(0, 6, 0), (3, 9, 0), (6, 6, 0), (10, 9, 0)], color=2),
        # Closed and periodic: a rounded square inside (12,6)-(18,12).
        spline(3, control=[(12, 6, 0), (18, 6, 0), (18, 12, 0), (12, 12, 0), (12, 6, 0), (18, 6, 0), (18, 12, 0)],
               knots=list(range(11)), closed=True, periodic=True, color=3),
    ]
    return d


def dimension_block(name, lines, arrows, note, at):
    body = [line(a, b, color=0) for a, b in lines]
    body += [solid(a, color=0) for a in arrows]
    body.append(mtext(at, 0.25, note, attachment=5, color=0))
    return (name, (0.0, 0.0), 1, body)


def dimensions():
    """A 6 x 3 plate with a horizontal dimension above it and a hole with a radius dimension.
    Dimensions draw through their blocks; the blocks are in drawing coordinates."""
    d = Drawing()
    d.layer("PART", 7)
    d.layer("DIMS", 3)
    d.entities += [
        lwpolyline([(0, 0), (6, 0), (6, 3), (0, 3)], closed=True, layer="PART"),
        circle((4.5, 1.5), 0.75, layer="PART"),
    ]
    d.blocks.append(dimension_block(
        "*D1",
        [((0, 3.2), (0, 4.2)), ((6, 3.2), (6, 4.2)), ((0, 4), (6, 4))],
        [[(0, 4), (0.3, 4.05), (0.3, 3.95), (0.3, 3.95)], [(6, 4), (5.7, 4.05), (5.7, 3.95), (5.7, 3.95)]],
        "6", (3, 4.25)))
    d.blocks.append(dimension_block(
        "*D2",
        [((4.5, 1.5), (5.03, 2.03)), ((5.03, 2.03), (6.8, 2.03))],
        [[(5.03, 2.03), (4.84, 1.77), (4.77, 1.84), (4.77, 1.84)]],
        "R0.75", (7.3, 2.03)))
    d.entities += [
        dimension("*D1", 0, (6, 4), (3, 4.25), 6.0, layer="DIMS"),
        dimension("*D2", 4, (4.5, 1.5), (7.3, 2.03), 0.75, layer="DIMS"),
    ]
    return d


def hatches():
    """A solid square with a round hole; a pattern bounded by a line, a clockwise arc and an
    elliptic arc; a pattern bounded by a spline closed with a line. Seed points follow."""
    d = Drawing()
    d.layer("FILL", 1)
    d.layer("PATTERN", 3)
    d.entities += [
        hatch([("polyline", [(0, 0), (10, 0), (10, 10), (0, 10)]),
               ("edges", [("arc", (5, 5), 2, 0, 360, True)])],
              solid=True, layer="FILL", seeds=[(1, 1)]),
        # Bounded by (18,0)-(12,0) and a clockwise arc about (15,0) over the top back to (18,0),
        # whose angles are stored mirrored: 180 to 360 means from 180 the clockwise way to 0.
        hatch([("edges", [("line", (18, 0), (12, 0)), ("arc", (15, 0), 3, 180, 360, False)])],
              layer="PATTERN", seeds=[(15, 1)]),
        # A half ellipse below (12,-1)-(18,-1), 3 wide and 2 deep, closed by its chord.
        hatch([("edges", [("ellipse", (15, -1), (3, 0), 2 / 3, 180, 360, True), ("line", (18, -1), (12, -1))])],
              layer="PATTERN"),
        # A clamped quadratic from (0,12) over (5,17) to (10,12), closed by a line.
        hatch([("edges", [("spline", 2, [0, 0, 0, 1, 1, 1], [(0, 12), (5, 17), (10, 12)]),
                          ("line", (10, 12), (0, 12))])],
              layer="PATTERN", seeds=[(5, 13)]),
    ]
    return d


def leaders():
    d = Drawing()
    d.layer("NOTES", 2)
    d.entities += [
        circle((0, 0), 1),
        leader([(0.7, 0.7, 0), (3, 3, 0), (5, 3, 0)], layer="NOTES"),
        mtext((5.2, 3.2), 0.5, "Drill here", layer="NOTES"),
    ]
    return d


def mlines():
    d = Drawing()
    d.layer("WALLS", 1)
    d.entities += [
        mline([(0, 0, 0), (10, 0, 0), (10, 6, 0)], layer="WALLS"),
        mline([(14, 0, 0), (20, 0, 0), (20, 6, 0), (14, 6, 0)], closed=True, color=5),
    ]
    return d


def images():
    """An image of 200 x 100 pixels, 0.05 a pixel, at (0,0); the same clipped to its middle;
    a 4 x 2 wipeout at (12,0)."""
    d = Drawing()
    d.layer("IMAGES", 6)
    d.entities += [
        image((0, 0, 0), 0.05, (200, 100), layer="IMAGES"),
        image((0, 6, 0), 0.05, (200, 100), clip=[(49.5, 24.5), (149.5, 74.5)], layer="IMAGES"),
        wipeout((12, 0, 0), 4, 2),
    ]
    return d


def r2018():
    """What newer programs write around the geometry: none of it may keep the drawing from
    loading. The MTEXT's embedded object repeats its codes; read as the MTEXT's own, its
    direction (500, 500) would turn the note by 45 degrees."""
    d = Drawing("AC1032")
    d.layer("NOTES", 2)
    d.layer("Walls", 1)
    d.variables += [
        ("$CLAYER", [(8, "WALLS")]),
        ("$TEXTSIZE", [(40, 3.5)]),
        ("$LUPREC", [(70, 2)]),
        ("$PDMODE", [(70, 3)]),
        ("$LTSCALE", [(40, 10.0)]),
        ("$LIMMAX", [(10, 297.0), (20, 210.0)]),
        ("$HANDSEED", [(5, "FFFF")]),
        ("$PSTYLEMODE", [(290, 1)]),
        ("$FINGERPRINTGUID", [(2, "{8E3A9A41-2B7B-4C5C-9E2D-1F0A6B1C2D3E}")]),
    ]
    d.entities += [
        line((0, 0), (100, 0), layer="Walls"),
        line((0, 0), (0, 50), layer="Walls"),
        raw([(0, "MTEXT"), (5, "A1"), (330, "1F"), (100, "AcDbEntity"), (8, "NOTES"), (100, "AcDbMText"),
             (10, 10.0), (20, 10.0), (30, 0.0), (40, 3.5), (41, 60.0), (46, 0.0), (71, 1), (72, 5),
             (1, "Embedded note"), (73, 1), (44, 1.0),
             (101, "Embedded Object"), (70, 1), (10, 1.0), (20, 0.0), (30, 0.0), (11, 500.0), (21, 500.0),
             (31, 0.0), (40, 60.0), (41, 0.0), (42, 3.5), (43, 3.5), (71, 0), (72, 1), (44, 60.0), (45, 3.5),
             (73, 0), (74, 0), (46, 0.0)]),
        # Codes of no known range inside an entity.
        raw([(0, "CIRCLE"), (5, "A2"), (330, "1F"), (100, "AcDbEntity"), (8, "Walls"), (100, "AcDbCircle"),
             (10, 50.0), (20, 25.0), (30, 0.0), (40, 5.0), (85, "unknown"), (1234, "also unknown"), (-3, "x")]),
        # An entity the reader does not keep.
        raw([(0, "3DSOLID"), (5, "A3"), (330, "1F"), (100, "AcDbEntity"), (8, "0"), (100, "AcDbModelerGeometry"),
             (290, 0), (2, "{00000000-0000-0000-0000-000000000000}")]),
    ]
    d.sections += [
        ("ACDSDATA", [
            (70, 2), (71, 6),
            (0, "ACDSSCHEMA"), (90, 0), (1, "AcDb3DSolid_ASM_Data"), (2, "AcDbDs::ID"), (280, 10), (91, 8),
            (2, "ASM_Data"), (280, 15), (91, 0), (101, "ACDSRECORD"), (95, 0), (90, 2),
            (2, "AcDbDs::TreatedAsObjectData"), (280, 1), (291, 1),
            (0, "ACDSRECORD"), (90, 0), (2, "AcDbDs::ID"), (280, 10), (320, "A3"), (2, "ASM_Data"), (280, 15),
            (94, 16), (310, "414349532042696E61727946696C6500"),
        ]),
        ("THUMBNAILIMAGE", [(90, 8), (310, "0102030405060708")]),
    ]
    return d


def seed_breaklines():
    """Break-line symbols, each 4 long with its break in the middle."""
    zigzag = breakline()
    double = Drawing("AC1009")
    double.layer("SYMBOL", 2)
    double.entities.append(polyline([(0, 0), (1.2, 0), (1.45, 0.5), (1.85, -0.5), (2.15, 0.5), (2.55, -0.5),
                                      (2.8, 0), (4, 0)], layer="SYMBOL"))
    wave = Drawing()
    wave.layer("SYMBOL", 2)
    wave.entities += [
        line((0, 0), (1.5, 0), layer="SYMBOL"),
        spline(3, control=[(1.5, 0, 0), (1.8, 1.0, 0), (2.2, -1.0, 0), (2.5, 0, 0)], knots=[0, 0, 0, 0, 1, 1, 1, 1],
               layer="SYMBOL"),
        line((2.5, 0), (4, 0), layer="SYMBOL"),
    ]
    return {"Zigzag.dwg": zigzag, "Double zigzag.dwg": double, "Wave.dwg": wave}


def template(width, height, name):
    """A sheet: its border, a frame 10 inside it and a title block in the lower right corner."""
    d = Drawing()
    d.layer("BORDER", 7)
    d.layer("TITLE", 2)
    d.entities += [
        lwpolyline([(0, 0), (width, 0), (width, height), (0, height)], closed=True, layer="BORDER"),
        lwpolyline([(10, 10), (width - 10, 10), (width - 10, height - 10), (10, height - 10)], closed=True,
                   layer="BORDER"),
        lwpolyline([(width - 190, 10), (width - 10, 10), (width - 10, 50), (width - 190, 50)], closed=True,
                   layer="TITLE"),
        line((width - 190, 30), (width - 10, 30), layer="TITLE"),
        text((width - 186, 36), 7.0, name, layer="TITLE"),
        text((width - 186, 16), 3.5, "DRAWN", layer="TITLE"),
        text((width - 100, 16), 3.5, "SCALE", layer="TITLE"),
    ]
    return d


def seed_templates():
    return {
        "A4 portrait.dwg": template(210, 297, "A4"),
        "A3 landscape.dwg": template(420, 297, "A3"),
        "A1 landscape.dwg": template(841, 594, "A1"),
    }


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    os.makedirs(out, exist_ok=True)
    breakline().write(os.path.join(out, "breakline.dxf"))
    shutil.copyfile(os.path.join(out, "breakline.dxf"), os.path.join(out, "breakline_symbol.dwg"))
    titleblock().write(os.path.join(out, "titleblock.dxf"))
    blocks().write(os.path.join(out, "blocks.dxf"))
    for name, make in [("faces", faces), ("splines", splines), ("dimensions", dimensions), ("hatches", hatches),
                       ("leaders", leaders), ("mlines", mlines), ("images", images), ("r2018", r2018)]:
        make().write(os.path.join(out, name + ".dxf"))
    for folder, drawings in [("BreakLine", seed_breaklines()), ("Template", seed_templates())]:
        os.makedirs(os.path.join(out, "seed", folder), exist_ok=True)
        for name, drawing in drawings.items():
            drawing.write(os.path.join(out, "seed", folder, name))


if __name__ == "__main__":
    main()
