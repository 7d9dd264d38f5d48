#!/usr/bin/env python3
"""Reads a compiled Windows resource file (.res) back and checks what
Quillon.exe must carry: the icon with 16 and 32 pixel images, the version
record in Chinese (PRC) with Unicode texts, and the manifest with the same
version.

    check_windows_resource.py quillon.res
    check_windows_resource.py --any-language quillon.res

--any-language is for a .res read back from a COFF object, where windres
does not keep the resources' language.
"""
import re
import struct
import sys

RT_VERSION, RT_GROUP_ICON, RT_MANIFEST = 16, 14, 24

EXPECTED_STRINGS = {
    "ProductName": "Quillon",
    "InternalName": "Quillon",
    "OriginalFilename": "Quillon.exe",
    "FileVersion": "1.00",
    "ProductVersion": "1.00",
    "CompanyName": "Quillon developers",  # as Publisher in the installer and the .deb
}


def read_id(data, pos):
    """A resource type or name: an ordinal (0xFFFF, number) or a string."""
    (first,) = struct.unpack_from("<H", data, pos)
    if first == 0xFFFF:
        return struct.unpack_from("<H", data, pos + 2)[0], pos + 4
    end = pos
    while struct.unpack_from("<H", data, end)[0] != 0:
        end += 2
    return data[pos:end].decode("utf-16-le"), end + 2


def resources(data):
    pos = 0
    while pos + 8 <= len(data):
        size, header = struct.unpack_from("<II", data, pos)
        kind, after = read_id(data, pos + 8)
        name, after = read_id(data, after)
        after = (after + 3) & ~3
        _, _, language = struct.unpack_from("<IHH", data, after)
        start = pos + header
        yield kind, name, language, data[start:start + size]
        pos = (start + size + 3) & ~3


def version_blocks(block):
    """Walks a VS_VERSIONINFO tree: yields (path, value) for every node."""
    def walk(pos, end, path):
        while pos < end:
            length, value_length, is_text = struct.unpack_from("<HHH", block, pos)
            if length == 0:
                return
            key_end = pos + 6
            while struct.unpack_from("<H", block, key_end)[0] != 0:
                key_end += 2
            key = block[pos + 6:key_end].decode("utf-16-le")
            value_pos = (key_end + 2 + 3) & ~3
            if is_text:
                raw = block[value_pos:value_pos + 2 * value_length]
                value = raw.decode("utf-16-le").rstrip("\0")
                value_end = value_pos + 2 * value_length
            else:
                value = block[value_pos:value_pos + value_length]
                value_end = value_pos + value_length
            yield path + [key], value
            yield from walk((value_end + 3) & ~3, pos + length, path + [key])
            pos = (pos + length + 3) & ~3
    yield from walk(0, len(block), [])


def main(path, check_language=True):
    data = open(path, "rb").read()
    problems = []
    found = {}
    icon_sizes = set()
    manifest_version = record_version = None
    for kind, name, language, body in resources(data):
        if kind == RT_MANIFEST:
            identity = re.search(rb'<assemblyIdentity[^>]*name="Quillon"[^>]*version="([0-9.]+)"', body)
            manifest_version = identity and identity.group(1).decode()
        if kind == RT_GROUP_ICON:
            count = struct.unpack_from("<H", body, 4)[0]
            for i in range(count):
                width, height = body[6 + 14 * i], body[7 + 14 * i]
                icon_sizes.add((width or 256, height or 256))
        if kind == RT_VERSION:
            if check_language and language != 0x0804:
                problems.append("version record language is 0x%04x, not 0x0804" % language)
            fixed = body[40:40 + 52]
            signature, _, file_ms, file_ls, product_ms, product_ls = struct.unpack_from("<IIIIII", fixed)
            if signature != 0xFEEF04BD:
                problems.append("no fixed version information")
            if (file_ms, file_ls, product_ms, product_ls) != (0x10000, 0, 0x10000, 0):
                problems.append("numeric versions are not 1,0,0,0")
            record_version = "%d.%d.0.0" % (file_ms >> 16, file_ms & 0xFFFF)
            for keys, value in version_blocks(body):
                if len(keys) == 4 and keys[1] == "StringFileInfo":
                    found[keys[3]] = (keys[2], value)
                if keys[-1] == "Translation":
                    if struct.unpack("<HH", value[:4]) != (0x0804, 1200):
                        problems.append("Translation is not 0x0804, 1200")
    for key, expected in EXPECTED_STRINGS.items():
        block, value = found.get(key, (None, None))
        if value != expected:
            problems.append("%s is %r, not %r" % (key, value, expected))
        elif block.upper() != "080404B0":
            problems.append("%s is in block %s, not 080404B0" % (key, block))
    for key in ("FileDescription", "LegalCopyright"):
        if not found.get(key, (None, ""))[1]:
            problems.append("%s is missing" % key)
    if manifest_version != record_version:
        problems.append("the manifest's version is %s, the version record's %s" % (manifest_version, record_version))
    for size in ((16, 16), (32, 32)):
        if size not in icon_sizes:
            problems.append("the icon has no %dx%d image" % size)
    for key, (block, value) in sorted(found.items()):
        print("%s [%s]: %s" % (key, block, value))
    print("icon images:", ", ".join("%dx%d" % s for s in sorted(icon_sizes)))
    print("manifest version:", manifest_version)
    for problem in problems:
        print("PROBLEM:", problem)
    return 1 if problems else 0


if __name__ == "__main__":
    any_language = "--any-language" in sys.argv[1:]
    sys.exit(main([a for a in sys.argv[1:] if a != "--any-language"][0], not any_language))
