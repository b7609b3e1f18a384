#!/usr/bin/env python3
"""Make the sample mountain profile of the colour dialog's preview.

Usage:
    python3 tools/make_colour_profile.py [OUTPUT_FILE]

    OUTPUT_FILE  the profile to write (default: assets/ORVDATA.SMP, relative to
                 the current folder)

Format: ASCII text with CR LF line ends, exactly 240 records, one per line:
    x elevation
two whole numbers separated by one blank: x runs 0..239 in steps of 1 (the
preview draws the point at 2x, so the profile spans its 480 columns) and the
elevation is in metres.

The profile is an invented, smooth mountain side: it rises from about 300 m in
a valley on the left over a lesser peak of about 2750 m and a saddle of about
2250 m to a main peak of about 4500 m, and falls again to about 400 m on the
right, so every colour band from 0 m to 5000 m shows under it.
"""

import math
import os
import sys

DEFAULT_OUTPUT = os.path.join("assets", "ORVDATA.SMP")
RECORDS = 240

# Gaussian hills: (centre x, height above the floor in metres, width in samples).
HILLS = [
    (62.0, 2350.0, 24.0),   # the lesser peak, about 2750 m
    (150.0, 4150.0, 30.0),  # the main peak, about 4500 m
    (112.0, 700.0, 14.0),   # a shoulder that lifts the saddle between them
]
FLOOR_LEFT = 300.0
FLOOR_RIGHT = 400.0


def elevation(x):
    floor = FLOOR_LEFT + (FLOOR_RIGHT - FLOOR_LEFT) * x / (RECORDS - 1)
    height = sum(h * math.exp(-((x - c) / w) ** 2 / 2.0) for c, h, w in HILLS)
    # A gentle ripple so the slopes are not perfectly smooth.
    ripple = 40.0 * math.sin(x / 5.0) * math.exp(-((x - 120.0) / 90.0) ** 2)
    return floor + height + ripple


def main(argv):
    output = argv[1] if len(argv) > 1 else DEFAULT_OUTPUT
    lines = ["%d %d" % (x, round(elevation(x))) for x in range(RECORDS)]
    with open(output, "w", encoding="ascii", newline="") as f:
        f.write("".join(line + "\r\n" for line in lines))
    heights = [round(elevation(x)) for x in range(RECORDS)]
    print("%s: %d records, %d..%d m, highest at x=%d"
          % (output, RECORDS, min(heights), max(heights), heights.index(max(heights))))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
