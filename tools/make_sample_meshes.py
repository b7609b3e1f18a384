#!/usr/bin/env python3
"""Make the sample 50 m mesh (elevation) files of the Hidaka mountains.

Usage:
    python3 tools/make_sample_meshes.py [OUTPUT_FOLDER] [--tile TILE_TEXT]

    OUTPUT_FOLDER  folder for the nine ".MEM" files (default: assets/sample/dem,
                   relative to the current folder); created when missing
    --tile FILE    the elevation text tile to read (default: the Geospatial
                   Information Authority of Japan's tile z8/229/94,
                   /work/shared/realdata/dem-8-229-94.txt)

The tile is 256 lines of 256 comma-separated heights in metres ("e" = no
data), Web Mercator zoom 8, x 229, y 94.  Its pixel (i, j) has its centre at
    lon = 360 * (x + (i + 0.5) / 256) / 2^z - 180
    lat = atan(sinh(pi * (1 - 2 * (y + (j + 0.5) / 256) / 2^z)))

The heights are resampled with cubic convolution (Catmull-Rom, a = -0.5) in
the tile's pixel space onto every point of the 3 x 3 block of secondary meshes
around Poroshiri-dake (centre mesh 644205).  Nothing is added to the data: no
noise, no invented detail.  A point whose 4 x 4 neighbourhood holds a no-data
pixel, or reaches outside the tile, is written as no data (-9999).

Each output file "<code>.MEM" is ASCII text with CR LF line ends: one header
line, then records 001..200 from the north edge southward; a record is the
6-digit mesh code, the 3-digit record number and 200 fields of 5 characters
(elevation in 0.1 m, right-aligned, "-9999" = no data) from the west edge
eastward.  Record N lies at latitude north edge - (N - 1) * 1.5", field k at
longitude west edge + k * 2.25".

Source of the heights: 出典：国土地理院 (Geospatial Information Authority of Japan).
"""

import math
import os
import sys

TILE_ZOOM = 8
TILE_X = 229
TILE_Y = 94
TILE_SIZE = 256
DEFAULT_TILE = "/work/shared/realdata/dem-8-229-94.txt"
DEFAULT_OUTPUT = os.path.join("assets", "sample", "dem")

CENTRE_MESH = "644205"
POINTS = 200                 # points per mesh side
LAT_STEP = 1.5               # arc-seconds between records
LON_STEP = 2.25              # arc-seconds between fields
NO_DATA_FIELD = "-9999"


def read_tile(path):
    """Return the tile as a list of rows of floats (None = no data)."""
    rows = []
    with open(path, "r", encoding="ascii") as f:
        for line in f:
            line = line.strip()
            if not line:
                continue
            cells = []
            for text in line.split(","):
                text = text.strip()
                cells.append(None if text == "e" else float(text))
            if len(cells) != TILE_SIZE:
                raise ValueError("tile row %d has %d cells" % (len(rows) + 1, len(cells)))
            rows.append(cells)
    if len(rows) != TILE_SIZE:
        raise ValueError("tile has %d rows" % len(rows))
    return rows


# --- mesh codes -----------------------------------------------------------

def mesh_south_seconds(code):
    return int(code[0:2]) * 2400 + int(code[4]) * 300


def mesh_west_seconds(code):
    return (int(code[2:4]) + 100) * 3600 + int(code[5]) * 450


def mesh_step(code, direction):
    """The neighbouring secondary mesh, crossing first-level mesh edges."""
    k = int(code)
    r = int(code[4])
    c = int(code[5])
    if direction == "east":
        k += 93 if c + 1 > 7 else 1
    elif direction == "west":
        k -= 93 if c - 1 < 0 else 1
    elif direction == "north":
        k += 9930 if r + 1 > 7 else 10
    elif direction == "south":
        k -= 9930 if r - 1 < 0 else 10
    else:
        raise ValueError(direction)
    return "%06d" % k


def mesh_block(centre):
    """The 3 x 3 block: north-west, north, north-east, west, centre, east,
    south-west, south, south-east."""
    west = mesh_step(centre, "west")
    east = mesh_step(centre, "east")
    return [
        mesh_step(west, "north"), mesh_step(centre, "north"), mesh_step(east, "north"),
        west, centre, east,
        mesh_step(west, "south"), mesh_step(centre, "south"), mesh_step(east, "south"),
    ]


# --- tile geometry and resampling ----------------------------------------

def tile_position(lat_deg, lon_deg):
    """Fractional pixel position (column, row) of a point, in the frame where
    pixel (i, j) has its centre at (i, j)."""
    world = TILE_SIZE * (1 << TILE_ZOOM)
    u = (lon_deg + 180.0) / 360.0 * world - TILE_X * TILE_SIZE - 0.5
    lat = math.radians(lat_deg)
    merc = math.asinh(math.tan(lat))
    v = (1.0 - merc / math.pi) / 2.0 * world - TILE_Y * TILE_SIZE - 0.5
    return u, v


def cubic_weights(t):
    """Cubic convolution (Catmull-Rom, a = -0.5) weights of the four samples
    at -1, 0, 1, 2 for a position t in [0, 1)."""
    t2 = t * t
    t3 = t2 * t
    return (
        -0.5 * t3 + t2 - 0.5 * t,
        1.5 * t3 - 2.5 * t2 + 1.0,
        -1.5 * t3 + 2.0 * t2 + 0.5 * t,
        0.5 * t3 - 0.5 * t2,
    )


def sample(tile, u, v):
    """Cubic convolution of the tile at (u, v); None when any of the 4 x 4
    pixels used is missing or outside the tile."""
    i0 = math.floor(u)
    j0 = math.floor(v)
    if i0 - 1 < 0 or j0 - 1 < 0 or i0 + 2 >= TILE_SIZE or j0 + 2 >= TILE_SIZE:
        return None
    wu = cubic_weights(u - i0)
    wv = cubic_weights(v - j0)
    total = 0.0
    for dj in range(4):
        row = tile[j0 - 1 + dj]
        acc = 0.0
        for di in range(4):
            h = row[i0 - 1 + di]
            if h is None:
                return None
            acc += wu[di] * h
        total += wv[dj] * acc
    return total


# --- mesh files -------------------------------------------------------------

def field_text(height):
    if height is None:
        return NO_DATA_FIELD
    tenths = round(height * 10.0)      # halves to even
    if tenths < -9999 or tenths > 99999:
        raise ValueError("height %.1f m does not fit a field" % height)
    return "%5d" % tenths


def mesh_heights(tile, code):
    """200 rows (north to south) of 200 heights (west to east)."""
    north = mesh_south_seconds(code) + 300
    west = mesh_west_seconds(code)
    rows = []
    for n in range(POINTS):
        lat = (north - n * LAT_STEP) / 3600.0
        row = []
        for k in range(POINTS):
            lon = (west + k * LON_STEP) / 3600.0
            u, v = tile_position(lat, lon)
            row.append(sample(tile, u, v))
        rows.append(row)
    return rows


def write_mesh(path, code, rows):
    header = "%s%03d%03d GSI elevation tile z8/229/94, cubic resampled (Hidaka sample)" % (
        code, POINTS, POINTS)
    lines = [header]
    for n, row in enumerate(rows, start=1):
        lines.append(code + "%03d" % n + "".join(field_text(h) for h in row))
    with open(path, "wb") as f:
        f.write(("\r\n".join(lines) + "\r\n").encode("ascii"))


def dms(seconds):
    s = int(round(seconds))
    return "%d°%02d′%02d″" % (s // 3600, s // 60 % 60, s % 60)


def main(argv):
    output = DEFAULT_OUTPUT
    tile_path = DEFAULT_TILE
    args = list(argv[1:])
    while args:
        a = args.pop(0)
        if a in ("-h", "--help"):
            print(__doc__)
            return 0
        if a == "--tile":
            if not args:
                print("--tile needs a file", file=sys.stderr)
                return 2
            tile_path = args.pop(0)
        else:
            output = a
    tile = read_tile(tile_path)
    os.makedirs(output, exist_ok=True)

    best = None
    for code in mesh_block(CENTRE_MESH):
        rows = mesh_heights(tile, code)
        write_mesh(os.path.join(output, code + ".MEM"), code, rows)
        values = [h for row in rows for h in row if h is not None]
        missing = POINTS * POINTS - len(values)
        if values:
            print("%s.MEM  min %7.1f m  max %7.1f m  no data %d" % (
                code, min(values), max(values), missing))
        else:
            print("%s.MEM  no data at all" % code)
        north = mesh_south_seconds(code) + 300
        west = mesh_west_seconds(code)
        for n, row in enumerate(rows):
            for k, h in enumerate(row):
                if h is not None and (best is None or h > best[0]):
                    best = (h, code, n + 1, k, north - n * LAT_STEP, west + k * LON_STEP)
    if best:
        h, code, rec, field, lat, lon = best
        print("highest point of the block: %.1f m in %s record %03d field %d at %s N %s E" % (
            h, code, rec, field, dms(lat), dms(lon)))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
