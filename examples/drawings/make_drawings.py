#!/usr/bin/env python3
"""Writes the sample drawings of this folder (ASCII DXF), with no packages beyond Python's own.

    python3 make_drawings.py [output folder]

breakline.dxf        a break-line symbol in R12 form (old-style polyline), model space only;
breakline_symbol.dwg the same file under a drawing name: readers go by content, not name;
titleblock.dxf       a title block defined as a block and inserted once in model space;
blocks.dxf           layers with colours, named, nested and anonymous blocks, every entity kind
                     the platform reads, references scaled, rotated and mirrored, paper space.

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


class Drawing:
    """A drawing: layers, blocks in table order, model and paper space entities."""

    def __init__(self, version="AC1015"):
        self.version = version
        self.layers = [("0", 7, 0)]
        self.blocks = []  # (name, base, flags, entities)
        self.entities = []
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


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    os.makedirs(out, exist_ok=True)
    breakline().write(os.path.join(out, "breakline.dxf"))
    shutil.copyfile(os.path.join(out, "breakline.dxf"), os.path.join(out, "breakline_symbol.dwg"))
    titleblock().write(os.path.join(out, "titleblock.dxf"))
    blocks().write(os.path.join(out, "blocks.dxf"))


if __name__ == "__main__":
    main()
