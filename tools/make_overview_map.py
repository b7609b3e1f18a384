#!/usr/bin/env python3
"""Make the overview map picture of Japan shown by the start menu.

Usage:
    python3 tools/make_overview_map.py [LAND_JSON] [-o OUTPUT] [--quality Q]
                                       [--no-grid] [--ppm PPM_FILE]

    LAND_JSON      the Natural Earth 1:10m land outlines as TopoJSON, as shipped
                   by the world-atlas package (default:
                   /tmp/overview/node_modules/world-atlas/land-10m.json, where
                   "npm install --prefix /tmp/overview world-atlas" puts it)
    -o OUTPUT      the JPEG to write (default: assets/overview/japan.jpg,
                   relative to the current folder)
    --quality Q    JPEG quality passed to ImageMagick (default: 90)
    --no-grid      leave out the first-level mesh grid
    --ppm PPM_FILE also keep the uncompressed picture (binary PPM) there

The picture is 1679 x 1919 pixels and spans 128..149 deg E, 30..46 deg N in a
plain latitude/longitude projection: 80 pixels per degree of longitude and
80 pixels per 40' of latitude (120 per degree), so that
    x = (longitude - 128) * 80        y = (46 - latitude) * 120
with the pixel (x, y) covering [x, x + 1) x [y, y + 1). The first-level mesh
sheets (1 deg x 40') are drawn as faint grey lines on the columns x = 80k and
rows y = 80k. Land is filled with partial coverage at its edges (exact across a
pixel row, four samples down it) and outlined by a one-pixel coast line.

The picture is written as binary PPM and turned into a JPEG by ImageMagick's
"convert", which must be on the PATH.
"""

import json
import math
import os
import subprocess
import sys
import tempfile

DEFAULT_INPUT = "/tmp/overview/node_modules/world-atlas/land-10m.json"
DEFAULT_OUTPUT = os.path.join("assets", "overview", "japan.jpg")

WIDTH = 1679
HEIGHT = 1919
WEST = 128.0
NORTH = 46.0
PX_PER_LON = 80.0
PX_PER_LAT = 120.0          # 80 pixels per 40'
GRID_STEP = 80              # one first-level mesh sheet in either direction

SUBROWS = 4                 # samples down each pixel row for the land cover
MARGIN_DEG = 0.5            # rings reaching this close to the frame are kept

SEA = (200, 224, 240)
LAND = (231, 234, 206)
COAST = (96, 112, 92)
GRID = (150, 160, 172)
GRID_ALPHA = 0.35
COAST_ALPHA = 0.85


def decode_arcs(topo):
    """Absolute (longitude, latitude) points of every arc of a TopoJSON topology."""
    transform = topo.get("transform")
    arcs = []
    for arc in topo["arcs"]:
        points = []
        if transform:
            sx, sy = transform["scale"]
            tx, ty = transform["translate"]
            qx = qy = 0
            for p in arc:
                qx += p[0]
                qy += p[1]
                points.append((qx * sx + tx, qy * sy + ty))
        else:
            points = [(float(p[0]), float(p[1])) for p in arc]
        arcs.append(points)
    return arcs


def ring_points(arcs, indices):
    """Join the arcs of one ring; a negative index ~i means arc i reversed."""
    ring = []
    for index in indices:
        points = arcs[index] if index >= 0 else arcs[~index][::-1]
        # Consecutive arcs share their joining point.
        ring.extend(points[1:] if ring else points)
    return ring


def land_rings(topo, arcs):
    """Every ring (outer boundary or hole) of the land polygons."""
    rings = []

    def add_polygon(polygon):
        for ring in polygon:
            rings.append(ring_points(arcs, ring))

    def walk(geometry):
        kind = geometry.get("type")
        if kind == "GeometryCollection":
            for g in geometry.get("geometries", []):
                walk(g)
        elif kind == "Polygon":
            add_polygon(geometry["arcs"])
        elif kind == "MultiPolygon":
            for polygon in geometry["arcs"]:
                add_polygon(polygon)

    for obj in topo["objects"].values():
        walk(obj)
    return rings


def near_frame(ring):
    """Whether a ring's bounding box meets the picture's extent (with a margin)."""
    lons = [p[0] for p in ring]
    lats = [p[1] for p in ring]
    east = WEST + WIDTH / PX_PER_LON
    south = NORTH - HEIGHT / PX_PER_LAT
    return (max(lons) >= WEST - MARGIN_DEG and min(lons) <= east + MARGIN_DEG
            and max(lats) >= south - MARGIN_DEG and min(lats) <= NORTH + MARGIN_DEG)


def to_pixels(ring):
    return [((lon - WEST) * PX_PER_LON, (NORTH - lat) * PX_PER_LAT) for lon, lat in ring]


def land_cover(rings):
    """Fraction of every pixel covered by land (even-odd rule), row by row."""
    # Edges bucketed by every pixel row they cross.
    buckets = [[] for _ in range(HEIGHT)]
    for ring in rings:
        n = len(ring)
        for i in range(n):
            x0, y0 = ring[i]
            x1, y1 = ring[(i + 1) % n]
            if y0 == y1:
                continue
            top, bottom = min(y0, y1), max(y0, y1)
            if bottom <= 0 or top >= HEIGHT:
                continue
            edge = (x0, y0, (x1 - x0) / (y1 - y0), top, bottom)
            for row in range(max(0, int(math.floor(top))), min(HEIGHT, int(math.ceil(bottom)))):
                buckets[row].append(edge)

    cover = []
    weight = 1.0 / SUBROWS
    for row in range(HEIGHT):
        part = [0.0] * (WIDTH + 1)
        full = [0] * (WIDTH + 1)
        for s in range(SUBROWS):
            y = row + (s + 0.5) / SUBROWS
            xs = sorted(x0 + (y - y0) * slope
                        for x0, y0, slope, top, bottom in buckets[row]
                        if top <= y < bottom)
            for k in range(0, len(xs) - 1, 2):
                a = min(max(xs[k], 0.0), float(WIDTH))
                b = min(max(xs[k + 1], 0.0), float(WIDTH))
                if b <= a:
                    continue
                ia, ib = int(a), int(b)
                if ia == ib:
                    part[ia] += b - a
                    continue
                part[ia] += ia + 1 - a
                full[ia + 1] += 1
                full[ib] -= 1
                part[ib] += b - ib
        line = []
        run = 0
        for x in range(WIDTH):
            run += full[x]
            line.append(min(1.0, (run + part[x]) * weight))
        cover.append(line)
    return cover


def coast_mask(rings):
    """Pixels crossed by a coast line, one pixel wide."""
    mask = [bytearray(WIDTH) for _ in range(HEIGHT)]
    for ring in rings:
        n = len(ring)
        for i in range(n):
            x0, y0 = ring[i]
            x1, y1 = ring[(i + 1) % n]
            if max(x0, x1) < 0 or min(x0, x1) >= WIDTH or max(y0, y1) < 0 or min(y0, y1) >= HEIGHT:
                continue
            steps = max(1, int(math.ceil(max(abs(x1 - x0), abs(y1 - y0)) / 0.4)))
            for k in range(steps + 1):
                t = k / steps
                x = int(math.floor(x0 + (x1 - x0) * t))
                y = int(math.floor(y0 + (y1 - y0) * t))
                if 0 <= x < WIDTH and 0 <= y < HEIGHT:
                    mask[y][x] = 1
    return mask


def blend(a, b, t):
    return tuple(int(round(a[c] + (b[c] - a[c]) * t)) for c in range(3))


def render(cover, coast, grid):
    out = bytearray()
    for y in range(HEIGHT):
        on_grid_row = grid and y % GRID_STEP == 0
        cover_row = cover[y]
        coast_row = coast[y]
        for x in range(WIDTH):
            colour = blend(SEA, LAND, cover_row[x])
            if on_grid_row or (grid and x % GRID_STEP == 0):
                colour = blend(colour, GRID, GRID_ALPHA)
            if coast_row[x]:
                colour = blend(colour, COAST, COAST_ALPHA)
            out.extend(colour)
    return bytes(out)


def write_ppm(path, pixels):
    with open(path, "wb") as f:
        f.write(b"P6\n%d %d\n255\n" % (WIDTH, HEIGHT))
        f.write(pixels)


def main(argv):
    source = DEFAULT_INPUT
    output = DEFAULT_OUTPUT
    quality = 90
    grid = True
    keep_ppm = None
    args = list(argv[1:])
    while args:
        a = args.pop(0)
        if a in ("-h", "--help"):
            print(__doc__)
            return 0
        if a in ("-o", "--quality", "--ppm"):
            if not args:
                print(a + " needs a value", file=sys.stderr)
                return 2
            value = args.pop(0)
            if a == "-o":
                output = value
            elif a == "--ppm":
                keep_ppm = value
            else:
                try:
                    quality = int(value)
                except ValueError:
                    quality = -1
                if not 1 <= quality <= 100:
                    print("--quality needs a number 1..100", file=sys.stderr)
                    return 2
        elif a == "--no-grid":
            grid = False
        elif a.startswith("-"):
            print("unknown option " + a, file=sys.stderr)
            return 2
        else:
            source = a

    try:
        with open(source, encoding="utf-8") as f:
            topo = json.load(f)
    except (OSError, ValueError) as e:
        print("cannot read %s: %s" % (source, e), file=sys.stderr)
        return 1

    arcs = decode_arcs(topo)
    rings = [to_pixels(r) for r in land_rings(topo, arcs) if len(r) >= 3 and near_frame(r)]
    print("%d land rings near the frame, %d points" % (len(rings), sum(len(r) for r in rings)))

    pixels = render(land_cover(rings), coast_mask(rings), grid)

    folder = os.path.dirname(output)
    if folder:
        os.makedirs(folder, exist_ok=True)
    ppm = keep_ppm
    if ppm is None:
        handle, ppm = tempfile.mkstemp(suffix=".ppm")
        os.close(handle)
    try:
        write_ppm(ppm, pixels)
        subprocess.run(["convert", ppm, "-quality", str(quality), output], check=True)
    finally:
        if keep_ppm is None:
            os.remove(ppm)
    print("wrote %s (%d bytes)" % (output, os.path.getsize(output)))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
