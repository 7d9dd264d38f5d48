#!/usr/bin/python3
"""Draws the README's picture of a hob tooth in the groove it cuts: groove 0
of the design pulley as 'quillon-cli outline' draws it, and the tooth as
'quillon-cli hob --format svg' draws it, placed as the rack stands at roll
angle 0 (its pitch line on the pulley's pitch circle). Usage:
hob_picture.py QUILLON_CLI BELT TEETH [OUTPUT.svg]"""

import re
import subprocess
import sys
import xml.etree.ElementTree as ElementTree

SVG = "{http://www.w3.org/2000/svg}"
PIXELS_PER_MM = 90


def drawing(cli, *arguments):
    text = subprocess.run([cli, *arguments], capture_output=True, check=True).stdout
    return ElementTree.fromstring(text)


def numbers(text):
    return [float(t) for t in re.findall(r"-?[0-9.]+", text)]


def picture(cli, belt, teeth):
    pulley = drawing(cli, "outline", belt, teeth)
    hob = drawing(cli, "hob", belt, teeth, "--design-teeth", teeth, "--format", "svg")
    rows = subprocess.run([cli, "run", belt, teeth, "--format", "csv", "--columns", "box,text"],
                          capture_output=True, check=True, text=True).stdout.splitlines()
    boxes = dict(row.split(",", 1) for row in rows[1:])
    pitch = float(boxes["Text2"])
    # Unrounded, as the drawings use it.
    radius = pitch * int(teeth) / 3.14159265 / 2
    depth = float(boxes["Text7"])
    outline, = pulley.iter(SVG + "path")
    tooth, pitch_line = hob.iter(SVG + "path")
    left, right = -0.5 * pitch, 0.5 * pitch
    top, bottom = -radius - 0.6, -radius + float(boxes["Text11"]) / 2 + depth + 0.5
    width, height = right - left, bottom - top
    shift = f"translate(0 {-radius!r})"
    return f"""<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" version="1.1" width="{width * PIXELS_PER_MM:.0f}" height="{height * PIXELS_PER_MM:.0f}" viewBox="{left!r} {top!r} {width!r} {height!r}">
<title>The {belt} hob designed for {teeth} teeth in groove 0 of that pulley</title>
<rect x="{left!r}" y="{top!r}" width="{width!r}" height="{height!r}" fill="white"/>
<path fill="#d9d9d9" stroke="black" stroke-width="0.02" d="{outline.get("d")}"/>
<path fill="#4a7fd0" fill-opacity="0.45" stroke="#1f4f9e" stroke-width="0.02" transform="{shift}" d="{tooth.get("d")} L {right!r} {-1.0!r} L {left!r} {-1.0!r} Z"/>
<path fill="none" stroke="#1f4f9e" stroke-width="0.015" stroke-dasharray="0.15 0.08" transform="{shift}" d="{pitch_line.get("d")}"/>
</svg>
"""


if __name__ == "__main__":
    cli, belt, teeth = sys.argv[1:4]
    text = picture(cli, belt, teeth)
    if len(sys.argv) > 4:
        with open(sys.argv[4], "w", encoding="utf-8") as out:
            out.write(text)
    else:
        sys.stdout.write(text)
