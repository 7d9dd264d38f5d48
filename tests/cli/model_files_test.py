#!/usr/bin/python3
"""quillon-cli model's files read back by readers that are not ours: Open
CASCADE (occt-draw) reads the STEP, checks the shape and measures its
volume; admesh reads the STL; Python's zipfile and XML parser read the 3MF
package, and PrusaSlicer's command line reads one as a slicer does;
FreeCAD's freecadcmd reads the STEP as CAD users open it. Usage:
model_files_test.py QUILLON_CLI"""

import glob
import math
import os
import pty
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ElementTree
import zipfile

CLI = sys.argv[1]
CORE = "{http://schemas.microsoft.com/3dmanufacturing/core/2015/02}"
failures = []

# Pulleys that between them take every option and both units: name, arguments.
PULLEYS = [
    ("xl-every-option", ["XL", "20", "--width", "10", "--flanges", "1.5,1", "--hub", "20,8", "--bore", "5",
                         "--keyway", "2,1"]),
    ("t5-hub-wider-than-teeth", ["T5", "12", "--width", "6", "--hub", "24,5", "--bore", "4"]),
    ("htd5m-keyed", ["HTD5M", "30", "--approximate", "--width", "15", "--bore", "8", "--keyway", "3,1.4",
                     "--flanges", "1"]),
    ("mxl-inches", ["MXL", "40", "--units", "in", "--width", "0.25", "--flanges", "0.04", "--bore", "0.125"]),
    # Grooves as a hob cuts them: hundreds of short flat facets a groove.
    ("xl-hobbed", ["XL", "15", "--hobbed", "--width", "8", "--flanges", "1", "--bore", "5"]),
]


def check(condition, what):
    if not condition:
        failures.append(what)
        print("FAILED:", what)


def run(*arguments, env=None):
    result = subprocess.run([CLI, "model", *arguments], capture_output=True, env=env, check=False)
    assert result.returncode == 0, (arguments, result.stderr)
    return result.stdout, result.stderr.decode()


def exact_volume(stderr):
    return float(re.search(r"volume ([0-9.]+) (mm|in)³", stderr).group(1))


def occt_commands(folder):
    """occt-draw in batch mode. Its plugins are loaded by their unversioned
    names, which only the -dev packages provide: links to the runtime
    libraries stand in for them. Its STEP reader turns faces that look the
    wrong way round as it reads them, which would hide such a fault: a copy
    of its settings turns that off, so that checkshape sees the faces as the
    file orients them."""
    links = os.path.join(folder, "occt")
    os.makedirs(links, exist_ok=True)
    for name in ["TKTopTest", "TKXSDRAW"]:
        # Whatever the machine's library folder and Open CASCADE's version.
        found = sorted(glob.glob(f"/usr/lib/lib{name}.so.*") + glob.glob(f"/usr/lib/*/lib{name}.so.*"), key=len)
        assert found, f"lib{name}.so.* not found: is occt-draw installed?"
        os.symlink(found[0], os.path.join(links, f"lib{name}.so"))
    with open("/usr/share/opencascade/resources/XSTEPResource/STEP") as settings:
        strict = re.sub(r"^(FromSTEP\.FixShape\.(FixShellOrientationMode|FixFaceOrientationMode|FixOrientationMode)\s*:).*$",
                        r"\1 0", settings.read(), flags=re.MULTILINE)
    with open(os.path.join(links, "STEP"), "w") as out:
        out.write(strict)
    return dict(os.environ, LD_LIBRARY_PATH=links, CSF_STEPDefaults=links)


def check_step(path, volume, env, name):
    script = path + ".tcl"
    with open(script, "w") as out:
        out.write(f"""pload MODELING XSDRAW
stepread {path} s *
puts [nbshapes s_1]
puts [checkshape s_1]
puts [vprops s_1 1e-10 -full]
exit
""")
    result = subprocess.run(["occt-draw", "-b", "-f", script], capture_output=True, text=True, env=env,
                            stdin=subprocess.DEVNULL, timeout=300, check=False)
    output = result.stdout + result.stderr
    counts = dict(re.findall(r"^ (\w+)\s*: (\d+)", output, re.MULTILINE))
    check(counts.get("SOLID") == "1" and counts.get("SHELL") == "1", f"{name}: STEP shapes {counts}")
    check("This shape seems to be valid" in output, f"{name}: checkshape says {output[-2000:]}")
    mass = re.search(r"Mass :\s*([0-9.e+-]+)", output)
    check(mass and abs(float(mass.group(1)) - volume) <= 1e-6 * volume,
          f"{name}: Open CASCADE's volume {mass and mass.group(1)} against the exact {volume}")


# Run inside freecadcmd: the STEP's shape as FreeCAD reads it.
FREECAD_SCRIPT = """import os, Part
shape = Part.read(os.environ["QUILLON_STEP"])
solids = shape.Solids
print("FREECAD", len(solids), shape.isValid(), len(solids) == 1 and solids[0].Shells[0].isClosed(), repr(shape.Volume))
"""


def check_freecad(path, volume, folder, name):
    script = os.path.join(folder, "freecad_read.py")
    with open(script, "w") as out:
        out.write(FREECAD_SCRIPT)
    result = subprocess.run(["freecadcmd", script], capture_output=True, text=True, timeout=300, check=False,
                            env=dict(os.environ, QUILLON_STEP=path))
    found = re.search(r"^FREECAD (\d+) (\w+) (\w+) (\S+)$", result.stdout, re.MULTILINE)
    check(found and found.groups()[:3] == ("1", "True", "True"), f"{name}: FreeCAD reads {result.stdout[-500:]}")
    check(found and abs(float(found.group(4)) - volume) <= 1e-6 * volume,
          f"{name}: FreeCAD's volume {found and found.group(4)} against the exact {volume}")


def check_stl(path, volume, name):
    with open(path, "rb") as stl:
        data = stl.read()
    check(not data.startswith(b"solid"), f"{name}: the STL header begins with solid")
    count = struct.unpack_from("<I", data, 80)[0]
    check(len(data) == 84 + 50 * count, f"{name}: {len(data)} bytes for {count} triangles")
    result = subprocess.run(["admesh", path], capture_output=True, text=True, check=False)
    report = result.stdout
    for field in ["Degenerate facets", "Edges fixed", "Facets removed", "Facets added", "Facets reversed",
                  "Backwards edges", "Normals fixed", "Total disconnected facets"]:
        found = re.search(field + r"\s*:\s*(\d+)", report)
        check(found and found.group(1) == "0", f"{name}: admesh {field}: {found and found.group(1)}")
    check(re.search(r"Number of parts\s*:\s*1\b", report), f"{name}: admesh parts")
    meshed = float(re.search(r"Volume\s*:\s*([0-9.]+)", report).group(1))
    # Chords of 0.01 mm (0.0004 in) lose or gain far less than 1 % of a
    # pulley; the core bounds it exactly.
    check(abs(meshed - volume) < 0.01 * volume, f"{name}: admesh's volume {meshed} against {volume}")


def check_3mf(path, units, name):
    with zipfile.ZipFile(path) as package:
        check(package.testzip() is None, f"{name}: a part's checksum is wrong")
        check(package.namelist() == ["[Content_Types].xml", "_rels/.rels", "3D/3dmodel.model"],
              f"{name}: parts {package.namelist()}")
        check(all(info.compress_type == zipfile.ZIP_DEFLATED for info in package.infolist()), f"{name}: not deflated")
        types = ElementTree.fromstring(package.read("[Content_Types].xml"))
        check({d.get("Extension") for d in types} == {"rels", "model"}, f"{name}: content types")
        rels = ElementTree.fromstring(package.read("_rels/.rels"))
        check([r.get("Target") for r in rels] == ["/3D/3dmodel.model"], f"{name}: start part")
        model = ElementTree.fromstring(package.read("3D/3dmodel.model"))
    check(model.get("unit") == ("inch" if units == "in" else "millimeter"), f"{name}: unit {model.get('unit')}")
    objects = model.findall(f"{CORE}resources/{CORE}object")
    check(len(objects) == 1 and len(model.findall(f"{CORE}build/{CORE}item")) == 1, f"{name}: objects or items")
    vertices = [(float(v.get("x")), float(v.get("y")), float(v.get("z")))
                for v in objects[0].iter(f"{CORE}vertex")]
    triangles = [(int(t.get("v1")), int(t.get("v2")), int(t.get("v3"))) for t in objects[0].iter(f"{CORE}triangle")]
    check(len(set(vertices)) == len(vertices), f"{name}: a vertex twice in the list")
    # Closed and consistently wound: each directed edge once, its reverse once.
    edges = {}
    for a, b, c in triangles:
        for edge in [(a, b), (b, c), (c, a)]:
            edges[edge] = edges.get(edge, 0) + 1
    check(all(count == 1 and edges.get((b, a)) == 1 for (a, b), count in edges.items()),
          f"{name}: not every edge in exactly two triangles, once each way")
    volume = 0
    for a, b, c in triangles:
        (ax, ay, az), (bx, by, bz), (cx, cy, cz) = vertices[a], vertices[b], vertices[c]
        volume += (ax * (by * cz - bz * cy) - ay * (bx * cz - bz * cx) + az * (bx * cy - by * cx)) / 6
    return volume


def check_prusa_slicer(path, note):
    """The 3MF of XL 20 with flanges 1.5 high: manifold, one part, as wide as
    the flanges and as tall as hub, flanges and teeth."""
    result = subprocess.run(["prusa-slicer", "--info", path], capture_output=True, text=True, timeout=300,
                            check=False)
    info = dict(re.findall(r"^(\w+) = (.*)$", result.stdout, re.MULTILINE))
    outside = float(re.search(r"outside diameter ([0-9.]+) mm", note).group(1))
    check(info.get("manifold") == "yes" and info.get("number_of_parts", "").strip() == "1",
          f"PrusaSlicer: {result.stdout[-600:]}")
    check(abs(float(info.get("size_x", 0)) - (outside + 3)) < 0.002 and float(info.get("size_z", 0)) == 20,
          f"PrusaSlicer's size {info.get('size_x')} × {info.get('size_z')}")


# The two large readers are checked where they are installed.
FREECAD = shutil.which("freecadcmd")
PRUSA_SLICER = shutil.which("prusa-slicer")


def main():
    for reader, found in [("freecadcmd", FREECAD), ("prusa-slicer", PRUSA_SLICER)]:
        if not found:
            print(f"skipped: {reader} is not installed, so its reading of the files is not checked")
    with tempfile.TemporaryDirectory() as folder:
        env = occt_commands(folder)
        for name, arguments in PULLEYS:
            units = "in" if "in" in arguments else "mm"
            base = os.path.join(folder, name)
            _, note = run(*arguments, "--output", base + ".step")
            volume = exact_volume(note)
            # Open CASCADE reads every file into millimetres: an inch file
            # that says so comes back 25.4³ times larger.
            millimetres = volume * (25.4**3 if units == "in" else 1)
            check_step(base + ".step", millimetres, env, name)
            if FREECAD:
                check_freecad(base + ".step", millimetres, folder, name)
            _, note = run(*arguments, "--output", base + ".stl")
            check(("STL cannot record its units" in note) == (units == "in"), f"{name}: the STL's units note")
            check_stl(base + ".stl", volume, name)
            _, note = run(*arguments, "--output", base + ".3mf")
            triangles = int(re.search(r"(\d+) triangles", note).group(1))
            meshed = check_3mf(base + ".3mf", units, name)
            check(meshed > 0 and abs(meshed - volume) < 0.01 * volume, f"{name}: 3MF volume {meshed} against {volume}")
            # The same bytes in another locale and through a pipe.
            for format in ["3mf", "stl", "step"]:
                piped, _ = run(*arguments, "--format", format, env=dict(os.environ, LC_ALL="de_DE.UTF-8"))
                with open(f"{base}.{format}", "rb") as written:
                    check(piped == written.read(), f"{name}: {format} through a pipe in German differs")
            check(triangles > 0, f"{name}: triangle count")
            if name == "xl-every-option" and PRUSA_SLICER:
                check_prusa_slicer(base + ".3mf", note)
        check_refusals(folder)
    if failures:
        sys.exit(f"{len(failures)} checks failed")
    print("all model files read back")


def status(*arguments, stdout=subprocess.PIPE):
    result = subprocess.run([CLI, "model", *arguments], stdout=stdout, stderr=subprocess.PIPE, check=False)
    return result.returncode, result.stderr.decode()


def check_refusals(folder):
    xl = ["XL", "20", "--width", "10"]
    for arguments, expected in [
        (xl, "give --format"),
        ([*xl, "--output", os.path.join(folder, "x.obj")], "does not end in .3mf"),
        ([*xl, "--format", "stl", "--width", "nan"], "--width"),
        ([*xl, "--format", "stl", "--bore", "29"], "leaves no wall"),
        ([*xl, "--format", "stl", "--hub", "20"], "two lengths"),
        ([*xl, "--format", "stl", "--hub", "20,8,3"], "give two lengths, DIAMETER,LENGTH"),
        ([*xl, "--format", "stl", "--output", os.path.join(folder, "x.3mf")], "named for another format"),
        ([*xl, "--format", "stl", "--tolerance", "0"], "--tolerance"),
        (["HTD5M", "30", "--width", "10", "--format", "stl"], "--approximate"),
        (["STPD S2M", "30", "--width", "10", "--format", "stl"], "cannot be drawn"),
    ]:
        code, message = status(*arguments)
        check(code == 2 and expected in message, f"{arguments}: status {code}, {message}")
    # Never a binary file onto a terminal.
    controller, terminal = pty.openpty()
    code, message = status(*xl, "--format", "3mf", stdout=terminal)
    os.close(terminal)
    os.close(controller)
    check(code == 2 and "terminal" in message, f"3MF onto a terminal: status {code}, {message}")


if __name__ == "__main__":
    main()
