#!/usr/bin/python3
"""quillon-cli hob checked by another method: a dense sweep of our own over
the roll angle, on the drawing files the program writes, read with ezdxf
(whose audit must find nothing). For each vertex of the hob's tooth the
design pulley, rolled through every angle, must touch it and never cover
it; for each vertex of a hobbed groove the tooth must touch it and never
cover it; and the overcut and metal left of the command's rows are measured
again along the table groove's normals. All within 1 µm. Usage:
hob_check.py QUILLON_CLI [FIRST LAST] (the cases to run, all by default)"""

import math
import os
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ElementTree

import ezdxf
import numpy

CLI = sys.argv[1]
TOLERANCE = 1e-3 * 1.0  # 1 µm, in mm
ANGLES = 801  # the sweep's grid, refined by golden section about its best
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)
        print("FAILED:", what)


def run(*arguments):
    result = subprocess.run([CLI, *arguments], capture_output=True, check=False)
    assert result.returncode == 0, (arguments, result.stderr)
    return result.stdout


class Contour:
    """A polyline with bulges from a DXF: exact lines and arcs."""

    def __init__(self, path, layer, window=None):
        """window: keep only the pieces of groove 0 and its lands (|x| below it, y above 0),
        closed through the material below them."""
        document = ezdxf.readfile(path)
        auditor = document.audit()
        check(not auditor.errors and not auditor.fixes, f"{path}: ezdxf audit found {auditor.errors} {auditor.fixes}")
        polyline = [e for e in document.modelspace() if e.dxf.layer == layer][0]
        points = [(x, y, b) for x, y, _, _, b in polyline.get_points("xyseb")]
        count = len(points) if polyline.closed else len(points) - 1
        pieces = [(*points[i][:2], *points[(i + 1) % len(points)][:2], points[i][2]) for i in range(count)]
        if window:
            kept = [abs(x0) < window and y0 > 0 for x0, y0, _, _, _ in pieces]
            first = next(i for i in range(count) if kept[i] and not kept[i - 1])
            pieces = [pieces[(first + k) % count] for k in range(count)]
            pieces = pieces[: next((k for k in range(count) if not kept[(first + k) % count]), count)]
        self.pieces = pieces
        dense = []
        for x0, y0, x1, y1, bulge in self.pieces:
            if bulge == 0:
                dense.append((x0, y0))
                continue
            centre, radius, start, sweep = arc_of(x0, y0, x1, y1, bulge)
            steps = max(2, int(abs(sweep) * radius / 0.01))
            dense += [(centre[0] + radius * math.cos(start + sweep * k / steps),
                       centre[1] + radius * math.sin(start + sweep * k / steps)) for k in range(steps)]
        if window:
            dense += [self.pieces[-1][2:4], (self.pieces[-1][2], 0), (self.pieces[0][0], 0)]
        self.polygon = numpy.array(dense)

    def distance(self, p):
        """Unsigned distance from points p (N×2) to the contour's pieces."""
        best = numpy.full(len(p), numpy.inf)
        for x0, y0, x1, y1, bulge in self.pieces:
            if bulge == 0:
                a, d = numpy.array([x0, y0]), numpy.array([x1 - x0, y1 - y0])
                t = numpy.clip(((p - a) @ d) / (d @ d), 0, 1)
                best = numpy.minimum(best, numpy.hypot(*(p - a - numpy.outer(t, d)).T))
                continue
            centre, radius, start, sweep = arc_of(x0, y0, x1, y1, bulge)
            v = p - centre
            along = numpy.mod((numpy.arctan2(v[:, 1], v[:, 0]) - start) * math.copysign(1, sweep), 2 * math.pi)
            on_arc = numpy.abs(numpy.hypot(*v.T) - radius)
            ends = numpy.minimum(numpy.hypot(p[:, 0] - x0, p[:, 1] - y0), numpy.hypot(p[:, 0] - x1, p[:, 1] - y1))
            best = numpy.minimum(best, numpy.where(along <= abs(sweep), on_arc, ends))
        return best

    def inside(self, p):
        """Even-odd rule on the dense polygon (it decides only the sign)."""
        a, b = self.polygon, numpy.roll(self.polygon, -1, axis=0)
        px, py = p[:, 0:1], p[:, 1:2]
        crosses = (a[:, 1] > py) != (b[:, 1] > py)
        x_at = a[:, 0] + (py - a[:, 1]) * (b[:, 0] - a[:, 0]) / numpy.where(b[:, 1] == a[:, 1], 1, b[:, 1] - a[:, 1])
        return (numpy.sum(crosses & (px < x_at), axis=1) % 2) == 1


def arc_of(x0, y0, x1, y1, bulge):
    sweep = 4 * math.atan(bulge)
    chord = math.hypot(x1 - x0, y1 - y0)
    radius = chord / (2 * math.sin(abs(sweep) / 2))
    middle = ((x0 + x1) / 2, (y0 + y1) / 2)
    # The centre lies on the left of the chord for a counter-clockwise arc.
    offset = radius * math.cos(sweep / 2) * math.copysign(1, sweep)
    nx, ny = -(y1 - y0) / chord, (x1 - x0) / chord
    centre = numpy.array([middle[0] + offset * nx, middle[1] + offset * ny])
    return centre, radius, math.atan2(y0 - centre[1], x0 - centre[0]), sweep


def rolled(q, angles, radius, into_pulley):
    """Rack point q at each roll angle in the pulley frame, or pulley point q in the rack frame."""
    c, s = numpy.cos(angles), numpy.sin(angles)
    if into_pulley:
        x, y = q[0] + radius * angles, radius + q[1]
        return numpy.stack([x * c - y * s, x * s + y * c], axis=1)
    x, y = q[0] * c + q[1] * s, -q[0] * s + q[1] * c
    return numpy.stack([x - radius * angles, y - radius], axis=1)


def deepest_cover(q, contour, radius, into_pulley, span):
    """The least signed distance (negative inside the contour's material) of q over every roll angle."""
    def signed(angles):
        p = rolled(q, angles, radius, into_pulley)
        d = contour.distance(p)
        return numpy.where(contour.inside(p), -d, d)
    angles = numpy.linspace(-span, span, ANGLES)
    values = signed(angles)
    k = int(numpy.argmin(values))
    low, high = angles[max(k - 1, 0)], angles[min(k + 1, ANGLES - 1)]
    golden = (math.sqrt(5) - 1) / 2
    for _ in range(30):
        c, d = high - golden * (high - low), low + golden * (high - low)
        fc, fd = signed(numpy.array([c, d]))
        if fc <= fd:
            high = d
        else:
            low = c
    return min(values[k], signed(numpy.array([(low + high) / 2]))[0])


def hob_case(belt, design, teeth, extra=()):
    folder = tempfile.mkdtemp()
    tooth_file, design_file, cut_file = (os.path.join(folder, n) for n in ("hob.dxf", "design.dxf", "cut.dxf"))
    run("hob", belt, str(design), "--design-teeth", str(design), "--format", "dxf", "--output", tooth_file, *extra)
    run("outline", belt, str(design), "--format", "dxf", "--output", design_file, *extra)
    run("outline", belt, str(teeth), "--hobbed", "--design-teeth", str(design), "--format", "dxf",
        "--output", cut_file, *extra)
    row = run("hob", belt, str(design), "--design-teeth", str(design), "--teeth", str(teeth), "--format", "csv",
              *extra).decode().splitlines()
    numbers = dict(zip(row[0].split(","), row[1].split(",")))
    pitch = float(run("run", belt, "1", "--format", "csv", "--columns", "text").decode().splitlines()[1])
    design_radius, radius = pitch * design / 3.14159265 / 2, pitch * teeth / 3.14159265 / 2
    name = f"{belt} hob for {design} teeth"

    # The drawing holds the profile, open, and the pitch line, nothing else.
    document = ezdxf.readfile(tooth_file)
    kinds = sorted((e.dxftype(), e.dxf.layer) for e in document.modelspace())
    check(kinds == [("LINE", "PITCHLINE"), ("LWPOLYLINE", "PROFILE")], f"{name}: the DXF holds {kinds}")
    check(not [e for e in document.modelspace() if e.dxftype() == "LWPOLYLINE"][0].closed, f"{name}: profile closed")
    svg = ElementTree.fromstring(run("hob", belt, str(design), "--design-teeth", str(design), "--format", "svg", *extra))
    check(len(svg.findall("{http://www.w3.org/2000/svg}path")) == 2, f"{name}: the SVG holds no two paths")

    # The tooth, from the land line down: the design pulley touches each
    # vertex at some roll angle and covers none.
    tooth = Contour(tooth_file, "PROFILE")
    pulley = Contour(design_file, "OUTLINE", 1.5 * pitch)
    land = tooth.pieces[0][1]
    worst = 0.0
    for x0, y0, _, _, _ in tooth.pieces[1:]:
        if y0 < land - 1e-9:
            worst = max(worst, abs(deepest_cover((x0, y0), pulley, design_radius, True, 2 * pitch / design_radius)))
    check(worst <= TOLERANCE, f"{name}: a tooth vertex is {worst:.2e} mm from where the design pulley touches it")

    # The hobbed groove 0: the tooth, closed above its land, touches each
    # vertex below the outside circle and covers none.
    closed = Contour(tooth_file, "PROFILE")
    half = pitch / 2
    closed.pieces += [(half, land, half, 5.0, 0), (half, 5.0, -half, 5.0, 0), (-half, 5.0, -half, land, 0)]
    closed.polygon = numpy.vstack([closed.polygon, [[half, land], [half, 5.0], [-half, 5.0]]])
    cut = Contour(cut_file, "OUTLINE", 1.5 * pitch)
    outside = max(math.hypot(x, y) for x, y, _, _, _ in cut.pieces)
    groove = [(x, y) for x, y, _, _, _ in cut.pieces if abs(x) < half and y > 0 and math.hypot(x, y) < outside - 1e-6]
    worst = max(abs(deepest_cover(q, closed, radius, False, 2 * pitch / radius)) for q in groove)
    check(worst <= TOLERANCE, f"{name} on {teeth} teeth: a groove vertex is {worst:.2e} mm from where the tooth touches")

    # Overcut and metal left, along the normals of the table's groove.
    table = os.path.join(folder, "table.dxf")
    run("outline", belt, str(teeth), "--format", "dxf", "--output", table, *extra)
    target = Contour(table, "OUTLINE", 1.5 * pitch)
    over, left = normal_deviation(target, cut, outside)
    for column, value in (("overcut", over), ("metalLeft", left)):
        check(abs(float(numbers[column]) - value) <= TOLERANCE,
              f"{name} on {teeth} teeth: {column} {numbers[column]} by the command, {value:.6f} by the sweep")
    print(f"{name} on {teeth} teeth: overcut {over:.6f} (command {numbers['overcut']}), "
          f"metal left {left:.6f} (command {numbers['metalLeft']})")


def normal_deviation(target, cut, outside):
    """Walk groove 0 of the target in steps of 0.5 µm and meet the hobbed contour along each normal."""
    over = left = 0.0
    segments = numpy.array([(x0, y0, x1, y1) for x0, y0, x1, y1, b in cut.pieces_as_lines()])
    a, d = segments[:, :2], segments[:, 2:] - segments[:, :2]
    for x0, y0, x1, y1, bulge in target.pieces:
        if abs(x0) > 0.3 * outside or y0 < 0 or (bulge != 0 and math.isclose(math.hypot(x0, y0), outside)):
            continue
        if bulge == 0:
            length = math.hypot(x1 - x0, y1 - y0)
            steps = max(2, int(length / 5e-4))
            normal = numpy.array([-(y1 - y0), x1 - x0]) / length  # into the material
            points = [(numpy.array([x0 + (x1 - x0) * k / steps, y0 + (y1 - y0) * k / steps]), normal)
                      for k in range(steps + 1)]
        else:
            centre, radius, start, sweep = arc_of(x0, y0, x1, y1, bulge)
            steps = max(2, int(abs(sweep) * radius / 5e-4))
            points = []
            for k in range(steps + 1):
                u = numpy.array([math.cos(start + sweep * k / steps), math.sin(start + sweep * k / steps)])
                points.append((centre + radius * u, -u if sweep > 0 else u))
        for p, n in points:
            # p + λn meets a + μd: solve for λ on every chord, take the nearest.
            denominator = n[0] * d[:, 1] - n[1] * d[:, 0]
            safe = numpy.where(denominator == 0, 1, denominator)
            w = a - p
            lam = (w[:, 0] * d[:, 1] - w[:, 1] * d[:, 0]) / safe
            mu = (w[:, 0] * n[1] - w[:, 1] * n[0]) / safe
            hits = lam[(denominator != 0) & (mu >= 0) & (mu <= 1)]
            if len(hits):
                nearest = hits[numpy.argmin(numpy.abs(hits))]
                over, left = max(over, nearest), max(left, -nearest)
    return over, left


def pieces_as_lines(self):
    for x0, y0, x1, y1, bulge in self.pieces:
        if bulge == 0:
            yield x0, y0, x1, y1, 0
            continue
        centre, radius, start, sweep = arc_of(x0, y0, x1, y1, bulge)
        steps = max(2, int(math.sqrt(abs(sweep) * radius * abs(sweep) / 1e-8)) + 1)
        for k in range(steps):
            a0, a1 = start + sweep * k / steps, start + sweep * (k + 1) / steps
            yield (centre[0] + radius * math.cos(a0), centre[1] + radius * math.sin(a0),
                   centre[0] + radius * math.cos(a1), centre[1] + radius * math.sin(a1), 0)


Contour.pieces_as_lines = pieces_as_lines

CASES = [("XL", 10, 20), ("MXL", 24, 60), ("HTD5M", 32, 50, ["--approximate"]), ("XL", 10, 10)]
def readme_picture_is_current():
    sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "tools"))
    import hob_picture
    picture = os.path.join(os.path.dirname(__file__), "..", "..", "packaging", "hob-xl-10.svg")
    with open(picture, encoding="utf-8") as shown:
        check(shown.read() == hob_picture.picture(CLI, "XL", "10"),
              "packaging/hob-xl-10.svg is not what tools/hob_picture.py draws now: remake it")


readme_picture_is_current()
for case in CASES[int(sys.argv[2]):int(sys.argv[3])] if len(sys.argv) > 3 else CASES:
    hob_case(*case[:3], *case[3:])
print(f"{len(failures)} failed" if failures else "hob checked by a sweep")
sys.exit(1 if failures else 0)
