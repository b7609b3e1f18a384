#!/usr/bin/env python3
"""Make the mountain-name file of Japan's main peaks from the survey's list.

Usage:
    python3 tools/make_japan_names.py CSV_FILE [OUTPUT_FILE]

    CSV_FILE     the survey's list of Japan's main peaks (日本の主な山岳一覧) as CSV,
                 UTF-8, with the header 名前,かな,緯度,経度,標高 (name, reading,
                 latitude and longitude in degrees on JGD2011, height in metres)
    OUTPUT_FILE  the mountain-name file to write (default: assets/sample/japan.ndb,
                 relative to the current folder)

The file has the form of make_sample_names.py's (CP932, CR LF, the header line
"MeshSize=-1", ";" comment lines with the credit, one record per peak:
"name latitude longitude elevation reading A") and keeps the list's order,
north to south. Positions are moved from JGD2011 onto the Tokyo datum of the
mesh codes with PROJ's cs2cs (Debian package proj-bin) and rounded to whole
seconds, as the program reads them.

The list is edited on the way, and the comment lines say so:
  - the few characters CP932 lacks are written in their common form
    (SUBSTITUTES); any other such character stops the script;
  - a name or reading whose "<" (the summit's own name inside a massif's, as in
    富士山<剣ヶ峯>) lacks its closing ">" gets one.
Every peak is written, also those of the southern islands that lie outside the
part of Japan the program reads (south of 30 deg N): the file is the whole list.
"""

import csv
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import make_sample_names as names  # noqa: E402  (the format's writer and the datum shift)

DEFAULT_OUTPUT = os.path.join("assets", "sample", "japan.ndb")

# Characters of the list (JIS X 0213) that CP932 lacks, and the common forms written instead.
SUBSTITUTES = {
    "萊": "莱",  # 薬萊山
    "屛": "屏",  # 屛風山, 蔵王山<屛風岳>
}

COMMENTS = [
    "日本の主な山岳一覧 出典：国土地理院",
    "国土地理院「日本の主な山岳一覧」を加工して作成: 緯度経度を日本測地系に換算して秒単位に丸め、"
    + "CP932 にない字を通用の字体（" + "、".join(SUBSTITUTES.values())
    + "）に置き換え、欠けた閉じ括弧「>」を補った",
]

COLUMNS = ["名前", "かな", "緯度", "経度", "標高"]


def cp932_text(text, where):
    """The text with SUBSTITUTES applied and the closing ">" added where it is missing;
    ValueError when it still holds a character CP932 lacks, or a blank (which would split
    the record)."""
    for old, new in SUBSTITUTES.items():
        text = text.replace(old, new)
    if text.count("<") > text.count(">"):
        text += ">"
    try:
        text.encode("cp932")
    except UnicodeEncodeError as e:
        raise ValueError("%s: %r cannot be written in CP932 (add it to SUBSTITUTES)"
                         % (where, text[e.start])) from None
    if not text or any(c.isspace() for c in text):
        raise ValueError("%s: %r is empty or holds a blank" % (where, text))
    return text


def read_peaks(path):
    """The rows of the list as (name, reading, latitude, longitude, height), in its order."""
    with open(path, encoding="utf-8-sig", newline="") as f:
        reader = csv.reader(f)
        header = next(reader)
        if header != COLUMNS:
            raise ValueError("%s: the header is %r, not %r" % (path, header, COLUMNS))
        peaks = []
        for number, row in enumerate(reader, start=2):
            where = "%s line %d" % (path, number)
            if len(row) != len(COLUMNS):
                raise ValueError("%s: %d items" % (where, len(row)))
            name = cp932_text(row[0], where)
            reading = cp932_text(row[1], where)
            latitude, longitude = float(row[2]), float(row[3])
            if not (20.0 < latitude < 46.0 and 122.0 < longitude < 154.0):
                raise ValueError("%s: %s %s is not in Japan" % (where, row[2], row[3]))
            height = int(row[4])
            peaks.append((name, reading, latitude, longitude, height))
    return peaks


def write_file(csv_path, path):
    peaks = read_peaks(csv_path)
    moved = names.jgd2011_to_tokyo([(p[2], p[3]) for p in peaks])
    records = [names.record((name, names.dms_of(lat), names.dms_of(lon), height, reading))
               for (name, reading, _, _, height), (lat, lon) in zip(peaks, moved)]
    names.write_names_file(path, COMMENTS, records)
    print("wrote %s (%d peaks)" % (path, len(records)))


def main(argv):
    args = argv[1:]
    if not args or args[0] in ("-h", "--help") or len(args) > 2:
        print(__doc__)
        return 0 if args and args[0] in ("-h", "--help") else 2
    write_file(args[0], args[1] if len(args) > 1 else DEFAULT_OUTPUT)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
