#!/usr/bin/python3
"""quillon-cli outline's files read back by readers that are not ours: ezdxf
audits and reads the DXF, the standard library's XML parser reads the SVG,
and LibreCAD renders the DXF to PDF. (That the bytes do not depend on the
locale is tested in the core, where a locale could reach them.) Usage: outline_files_test.py QUILLON_CLI"""

import math
import os
import re
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ElementTree

import ezdxf

CLI = sys.argv[1]
SVG = "{http://www.w3.org/2000/svg}"
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)
        print("FAILED:", what)


def run(*arguments, env=None):
    result = subprocess.run([CLI, *arguments], capture_output=True, env=env, check=False)
    assert result.returncode == 0, (arguments, result.stderr)
    return result.stdout


def outside_diameter(belt, teeth):
    rows = run("run", belt, teeth, "--format", "csv", "--columns", "box,text").decode().splitlines()
    return float(dict(row.split(",", 1) for row in rows)["Text3"])


def dxf_vertices(path, units):
    """The polyline's vertices and bulges, after an audit without findings."""
    document = ezdxf.readfile(path)
    auditor = document.audit()
    check(not auditor.errors and not auditor.fixes, f"{path}: ezdxf audit found {auditor.errors} {auditor.fixes}")
    check(document.dxfversion == "AC1015", f"{path}: version {document.dxfversion}")
    check(document.header["$INSUNITS"] == (1 if units == "in" else 4), f"{path}: $INSUNITS")
    check(document.header["$MEASUREMENT"] == (0 if units == "in" else 1), f"{path}: $MEASUREMENT")
    entities = list(document.modelspace())
    check([e.dxftype() for e in entities] == ["LWPOLYLINE"], f"{path}: model space holds {entities}")
    polyline = entities[0]
    check(polyline.dxf.layer == "OUTLINE" and polyline.closed, f"{path}: layer or not closed")
    return [(x, y, bulge) for x, y, _, _, bulge in polyline.get_points("xyseb")]


def svg_path(path, units):
    """The path's pieces as (command, numbers), after checking the frame."""
    root = ElementTree.parse(path).getroot()
    width, height = root.get("width"), root.get("height")
    box = [float(v) for v in root.get("viewBox").split()]
    check(width == height and width.endswith(units), f"{path}: width {width}, height {height}")
    check(float(width[: -len(units)]) == box[2] == box[3], f"{path}: size {width} against viewBox {box}")
    check(box[0] == box[1] == -box[2] / 2, f"{path}: the axis is not at the viewBox's centre")
    check(root.find(SVG + "title") is not None and root.find(SVG + "desc") is not None, f"{path}: title or desc")
    paths = root.findall(f".//{SVG}path")
    check(len(paths) == 1 and paths[0].get("fill") == "none", f"{path}: {len(paths)} paths")
    check("transform" not in ElementTree.tostring(root).decode(), f"{path}: a transform")
    tokens = re.findall(r"[MLAZ]|-?[0-9.]+(?:e-?[0-9]+)?", paths[0].get("d"))
    pieces, i = [], 0
    while i < len(tokens):
        size = {"M": 2, "L": 2, "A": 7, "Z": 0}[tokens[i]]
        pieces.append((tokens[i], [float(t) for t in tokens[i + 1 : i + 1 + size]]))
        i += 1 + size
    return pieces


def compare(belt, teeth, units, extra=()):
    name = f"{belt} {teeth} {units}"
    folder = tempfile.mkdtemp()
    dxf, svg = os.path.join(folder, "outline.dxf"), os.path.join(folder, "outline.svg")
    run("outline", belt, teeth, "--units", units, "--format", "dxf", "--output", dxf, *extra)
    run("outline", belt, teeth, "--units", units, "--output", svg, *extra)
    vertices, pieces = dxf_vertices(dxf, units), svg_path(svg, units)
    check(len(vertices) >= 6 * int(teeth) and vertices[0][:2] != vertices[-1][:2], f"{name}: {len(vertices)} vertices")
    # The SVG draws the same pieces from the same points, y flipped: each
    # bulge an arc, each zero bulge a line.
    check(pieces[0] == ("M", [vertices[0][0], -vertices[0][1]]), f"{name}: SVG starts elsewhere")
    for i, (x, y, bulge) in enumerate(vertices):
        command, numbers = pieces[i + 1]
        nx, ny, _ = vertices[(i + 1) % len(vertices)]
        check(command == ("A" if bulge else "L") and numbers[-2:] == [nx, -ny], f"{name}: piece {i}")
        if bulge:
            # The radius from the bulge: chord (1 + b²) / 4|b|.
            chord = math.dist((x, y), (nx, ny))
            check(math.isclose(numbers[0], chord * (1 + bulge * bulge) / (4 * abs(bulge)), rel_tol=1e-9),
                  f"{name}: radius of piece {i}")
            check(numbers[4] == (0 if bulge > 0 else 1), f"{name}: sweep flag of piece {i}")
    # The contour reaches the outside circle and stays within it.
    reach = max(math.hypot(x, y) for x, y, _ in vertices) * 2 * (25.4 if units == "in" else 1)
    check(abs(reach - outside_diameter(belt, teeth)) <= 0.0005 + 1e-9, f"{name}: reaches {reach}")
    return dxf


def rendered_by_librecad(dxf):
    pdf = dxf[:-4] + ".pdf"
    environment = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    subprocess.run(["librecad", "dxf2pdf", "-a", "-o", pdf, dxf], env=environment, timeout=120,
                   capture_output=True, check=False)
    check(os.path.exists(pdf), f"LibreCAD wrote no PDF for {dxf}")
    if os.path.exists(pdf):
        gray = subprocess.run(["pdftoppm", "-gray", "-r", "20", pdf], capture_output=True, check=True).stdout
        check(min(gray[gray.index(b"255\n") + 4 :]) < 128, f"LibreCAD drew nothing of {dxf}")


def readme_picture_is_current():
    picture = os.path.join(os.path.dirname(__file__), "..", "..", "packaging", "outline-xl-20.svg")
    with open(picture, "rb") as shown:
        check(shown.read() == run("outline", "XL", "20"),
              "packaging/outline-xl-20.svg is not what quillon-cli outline XL 20 writes now: remake it")


for case in [("XL", "20", "mm"), ("T5", "40", "in"), ("MXL", "200", "mm"), ("HTD5M", "30", "mm", ["--approximate"])]:
    drawing = compare(*case[:3], *case[3:])
rendered_by_librecad(drawing)
readme_picture_is_current()
print(f"{len(failures)} failed" if failures else "outline files read back")
sys.exit(1 if failures else 0)
