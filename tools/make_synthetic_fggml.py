#!/usr/bin/env python3
"""Writes a synthetic FG-GML DEM10B set around Mt Fuji for trying "標高データの作成".

The survey's real DEM files need an account to download, so this makes files of the same
shape from an invented surface: a Fuji-like cone (3776 m, crater, radial gullies) north-east of
Fujinomiya, the Tenshi ridge to its west and the Fuji river valley beyond. One ZIP archive per
secondary mesh holds one DEM10B XML file (1125 x 750 points of 0.4", "+x-y" order), as the
survey delivers them. The heights are not the real ones: use the set only to look at the
program, never as terrain.

    python3 tools/make_synthetic_fggml.py OUT_DIR [CENTRE_MESH]

CENTRE_MESH (default 523874, the mesh north of Fujinomiya) names the centre of the block; the
files cover the 3 x 3 block and the row north and the column west of it, which the block
reaches into once its Tokyo-datum corners are moved to JGD2011.
"""
import math
import os
import sys
import zipfile

STEP = 0.4  # seconds of arc between points (DEM10B)
COLUMNS = 1125
ROWS = 750

SUMMIT = (35.3606, 138.7274)  # latitude, longitude (degrees, JGD2011)
KM_PER_DEG_LAT = 110.95
KM_PER_DEG_LON = 91.0  # at 35.3 degrees north


def height(lat, lon):
    """Metres of the invented surface at a point."""
    dy = (lat - SUMMIT[0]) * KM_PER_DEG_LAT
    dx = (lon - SUMMIT[1]) * KM_PER_DEG_LON
    d = math.hypot(dx, dy)
    theta = math.atan2(dy, dx)
    cone = 3776.0 * math.exp(-d / 6.5)
    cone *= 1.0 + 0.06 * math.sin(14.0 * theta) * min(d / 4.0, 1.0)  # radial gullies
    if d < 0.4:
        cone -= 220.0 * (1.0 - d / 0.4)  # the crater
    ridge_x = (lon - 138.535) * KM_PER_DEG_LON
    ridge_y = (lat - 35.36) * KM_PER_DEG_LAT
    ridge = 1450.0 * math.exp(-(ridge_x / 2.2) ** 2) * math.exp(-(ridge_y / 9.0) ** 2)
    ridge *= 1.0 + 0.12 * math.sin(lat * 900.0)  # summits along the ridge
    valley_floor = 60.0 + 40.0 * (lat - 35.15) * 10.0
    river = -50.0 * math.exp(-(((lon - 138.44) * KM_PER_DEG_LON) / 1.5) ** 2)
    return max(valley_floor + river, 20.0) + cone + ridge


def mesh_corner(code):
    """South latitude and west longitude (degrees) of a secondary mesh code ppqqrc."""
    pp, qq, r, c = int(code[0:2]), int(code[2:4]), int(code[4]), int(code[5])
    return (pp * 2400.0 + r * 300.0) / 3600.0, 100.0 + qq + c * 450.0 / 3600.0


def step_mesh(code, north, east):
    """The secondary mesh `north` rows and `east` columns away."""
    pp, qq, r, c = int(code[0:2]), int(code[2:4]), int(code[4]), int(code[5])
    r += north
    c += east
    pp += r // 8
    r %= 8
    qq += c // 8
    c %= 8
    return "%02d%02d%d%d" % (pp, qq, r, c)


def document(code):
    south, west = mesh_corner(code)
    step = STEP / 3600.0
    north, east = south + ROWS * step, west + COLUMNS * step
    lines = [
        '<?xml version="1.0" encoding="UTF-8"?>',
        '<Dataset xmlns:gml="http://www.opengis.net/gml/3.2" '
        'xmlns="http://fgd.gsi.go.jp/spec/2008/FGD_GMLSchema" gml:id="Dataset1">',
        "<description>合成データ（実在の地形ではありません）</description>",
        '<DEM gml:id="DEM001">',
        "<type>10mメッシュ（標高）</type>",
        "<mesh>%s</mesh>" % code,
        '<coverage gml:id="DEM001-3">',
        "<gml:boundedBy>",
        '<gml:Envelope srsName="fguuid:jgd2011.bl">',
        "<gml:lowerCorner>%.9f %.9f</gml:lowerCorner>" % (south, west),
        "<gml:upperCorner>%.9f %.9f</gml:upperCorner>" % (north, east),
        "</gml:Envelope>",
        "</gml:boundedBy>",
        "<gml:gridDomain>",
        '<gml:Grid dimension="2" gml:id="DEM001-4">',
        "<gml:limits>",
        "<gml:GridEnvelope>",
        "<gml:low>0 0</gml:low>",
        "<gml:high>%d %d</gml:high>" % (COLUMNS - 1, ROWS - 1),
        "</gml:GridEnvelope>",
        "</gml:limits>",
        "<gml:axisLabels>x y</gml:axisLabels>",
        "</gml:Grid>",
        "</gml:gridDomain>",
        "<gml:rangeSet>",
        "<gml:DataBlock>",
        '<gml:rangeParameters><QuantityList uom="DEM構成点"/></gml:rangeParameters>',
        "<gml:tupleList>",
    ]
    for y in range(ROWS):
        lat = south + (ROWS - y - 0.5) * step
        for x in range(COLUMNS):
            lines.append("地表面,%.2f" % height(lat, west + (x + 0.5) * step))
    lines += [
        "</gml:tupleList>",
        "</gml:DataBlock>",
        "</gml:rangeSet>",
        "<gml:coverageFunction>",
        "<gml:GridFunction>",
        '<gml:sequenceRule order="+x-y">Linear</gml:sequenceRule>',
        "<gml:startPoint>0 0</gml:startPoint>",
        "</gml:GridFunction>",
        "</gml:coverageFunction>",
        "</coverage>",
        "</DEM>",
        "</Dataset>",
        "",
    ]
    return "\n".join(lines)


def main():
    if len(sys.argv) not in (2, 3):
        sys.exit(__doc__)
    out = sys.argv[1]
    centre = sys.argv[2] if len(sys.argv) == 3 else "523874"
    if len(centre) != 6 or not centre.isdigit() or centre[4] > "7" or centre[5] > "7":
        sys.exit("centre mesh: six digits ppqqrc with r and c in 0..7")
    os.makedirs(out, exist_ok=True)
    for north in (2, 1, 0, -1):
        for east in (-2, -1, 0, 1):
            code = step_mesh(centre, north, east)
            name = "FG-GML-%s-%s-DEM10B-20161001" % (code[0:4], code[4:6])
            with zipfile.ZipFile(os.path.join(out, name + ".zip"), "w", zipfile.ZIP_DEFLATED) as archive:
                archive.writestr(name + ".xml", document(code).encode("utf-8"))
            print(name + ".zip")


if __name__ == "__main__":
    main()
