#!/usr/bin/env python3
"""Checks a built KVSsaver.scr as a file: PE headers, imported DLLs, icon and version resources.

Usage: check_pe.py --arch {x86,x64} PATH/KVSsaver.scr

Reads the headers and import list with the MinGW objdump of the matching target, the
resources with wrestool, and parses the icon and version resource bytes itself. The icon
images must be byte for byte the ones src/resources/make_icon.py draws, and kvssaver.ico
must be made of exactly those images. Prints what it found, then every failed check;
exits 0 only when every check passed.
"""

import argparse
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
MAKE_ICON = os.path.join(HERE, "..", "..", "src", "resources", "make_icon.py")

OBJDUMP = {"x86": "i686-w64-mingw32-objdump", "x64": "x86_64-w64-mingw32-objdump"}
EXPECTED_FORMAT = {"x86": ("pei-i386", "PE32"), "x64": ("pei-x86-64", "PE32+")}

RT_ICON, RT_GROUP_ICON, RT_VERSION = 3, 14, 16
NEUTRAL = 0

IMAGE_DLLCHARACTERISTICS_HIGH_ENTROPY_VA = 0x0020
IMAGE_DLLCHARACTERISTICS_DYNAMIC_BASE = 0x0040
IMAGE_DLLCHARACTERISTICS_NX_COMPAT = 0x0100

# The executable may import from these only; winmm.dll in particular is loaded at run time
# from the system directory, never through the import table. advapi32.dll gives the stack
# protector its random canary (CryptGenRandom).
ALLOWED_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "msvcrt.dll", "advapi32.dll"}
ALLOWED_DLL_PREFIX = "api-ms-win-"

# (resource id, width and height, bytes) of the icon images, in group order.
ICON_IMAGES = [(30001, 32, 744), (30002, 16, 296)]
ICON_FILES = {30001: "icon32.bin", 30002: "icon16.bin"}

VERSION_FIXED = {
    "file version": (1, 2, 0, 0),
    "product version": (1, 2, 0, 0),
    "flags mask": 0,
    "flags": 0,
    "OS": 4,
    "type": 1,
    "subtype": 0,
    "date": 0,
}
VERSION_TRANSLATION = (0x0409, 1200)
VERSION_STRING_TABLE = "040904B0"
VERSION_STRINGS = [
    ("CompanyName", "Korvane Software"),
    ("FileDescription", "Korvane Screensaver"),
    ("ProductName", "KVSsaver.scr"),
    ("FileVersion", "1.02"),
    ("ProductVersion", "1.02"),
    ("InternalName", "kvssaver"),
    ("OriginalFilename", "kvssaver.scr"),
]


class Report:
    """Collects what was found and the checks that failed."""

    def __init__(self) -> None:
        self.failures: list[str] = []

    def info(self, text: str) -> None:
        print(text)

    def check(self, ok: bool, what: str) -> bool:
        if not ok:
            self.failures.append(what)
        return ok


def run(command: list[str]) -> bytes:
    result = subprocess.run(command, capture_output=True, check=False)
    if result.returncode != 0:
        raise RuntimeError(
            f"{' '.join(command)} failed ({result.returncode}): "
            f"{result.stderr.decode(errors='replace').strip()}"
        )
    return result.stdout


# --- headers and imports (objdump -p) ---


def shown_groups(match: re.Match[str] | None) -> str:
    """The captured groups of a header line, or '?' when objdump printed no such line."""
    return " ".join(match.groups()) if match else "?"


def check_headers(report: Report, arch: str, dump: str) -> None:
    fmt = re.search(r"file format (\S+)", dump)
    magic = re.search(r"^Magic\s+([0-9a-f]+)\s+\((PE32\+?)\)", dump, re.M)
    subsystem = re.search(r"^Subsystem\s+([0-9a-f]+)\s+\(([^)]*)\)", dump, re.M)
    dll_chars = re.search(r"^DllCharacteristics\s+([0-9a-f]+)", dump, re.M)
    delay = re.search(r"^Entry d [0-9a-f]+ ([0-9a-f]+) Delay Import Directory", dump, re.M)

    want_format, want_magic = EXPECTED_FORMAT[arch]
    report.info(f"format:             {shown_groups(fmt)}")
    report.info(f"magic:              {shown_groups(magic)}")
    report.check(fmt is not None and fmt.group(1) == want_format, f"format is not {want_format}")
    report.check(
        magic is not None and magic.group(2) == want_magic, f"optional header is not {want_magic}"
    )

    report.info(f"subsystem:          {shown_groups(subsystem)}")
    report.check(
        subsystem is not None and int(subsystem.group(1), 16) == 2,
        "subsystem is not Windows GUI (2)",
    )

    flags = int(dll_chars.group(1), 16) if dll_chars else 0
    names = [
        name
        for bit, name in [
            (IMAGE_DLLCHARACTERISTICS_HIGH_ENTROPY_VA, "HIGH_ENTROPY_VA"),
            (IMAGE_DLLCHARACTERISTICS_DYNAMIC_BASE, "DYNAMIC_BASE"),
            (IMAGE_DLLCHARACTERISTICS_NX_COMPAT, "NX_COMPAT"),
        ]
        if flags & bit
    ]
    report.info(f"DllCharacteristics: 0x{flags:04x} {' '.join(names)}")
    report.check(dll_chars is not None, "no DllCharacteristics in the optional header")
    report.check(bool(flags & IMAGE_DLLCHARACTERISTICS_DYNAMIC_BASE), "DYNAMIC_BASE is not set")
    report.check(bool(flags & IMAGE_DLLCHARACTERISTICS_NX_COMPAT), "NX_COMPAT is not set")
    if arch == "x64":
        report.check(
            bool(flags & IMAGE_DLLCHARACTERISTICS_HIGH_ENTROPY_VA), "HIGH_ENTROPY_VA is not set"
        )

    delay_size = int(delay.group(1), 16) if delay else 0
    report.check(delay_size == 0, f"the file has delay-load imports ({delay_size} bytes)")


def check_imports(report: Report, dump: str) -> None:
    dlls = re.findall(r"^\s*DLL Name: (\S+)", dump, re.M)
    report.info(f"imports:            {', '.join(dlls) if dlls else '(none)'}")
    report.check(bool(dlls), "no import table found")
    for dll in dlls:
        lower = dll.lower()
        allowed = lower in ALLOWED_DLLS or lower.startswith(ALLOWED_DLL_PREFIX)
        report.check(allowed, f"imports {dll}, which is not one of Windows' own DLLs allowed here")


# --- resources (wrestool) ---


# (type, name, language, size) of one resource, as wrestool lists it.
Resource = tuple[str, str, int, int]


def list_resources(path: str) -> list[Resource]:
    """(type, name, language, size) of every resource, as wrestool lists them."""
    entries = []
    for line in run(["wrestool", "-l", path]).decode().splitlines():
        m = re.match(r"--type=(\S+) --name=(\S+) --language=(\d+) \[.*size=(\d+)\]", line)
        if m:
            entries.append((m.group(1), m.group(2), int(m.group(3)), int(m.group(4))))
    return entries


def extract(path: str, type_id: int, name: int) -> bytes:
    return run(["wrestool", "-x", "--raw", f"--type={type_id}", f"--name={name}", path])


def resources_of_type(entries: list[Resource], type_id: int) -> list[tuple[str, int, int]]:
    return [(name, lang, size) for t, name, lang, size in entries if t == str(type_id)]


def drawn_icons() -> dict[str, bytes]:
    """The files make_icon.py writes, from a fresh run into a temporary folder."""
    with tempfile.TemporaryDirectory() as out_dir:
        run([sys.executable, MAKE_ICON, out_dir])
        names = list(ICON_FILES.values()) + ["icongroup.bin", "kvssaver.ico"]
        result = {}
        for name in names:
            with open(os.path.join(out_dir, name), "rb") as f:
                result[name] = f.read()
        return result


def check_icon_image(report: Report, res_id: int, size: int, data: bytes) -> None:
    if not report.check(len(data) >= 40, f"icon image {res_id} is shorter than its header"):
        return
    (hdr_size, width, height, planes, bits, compression, _, _, _, clr_used, _) = struct.unpack_from(
        "<IiiHHIIiiII", data
    )
    colours = clr_used or (1 << bits if bits <= 8 else 0)
    report.info(
        f"  image {res_id}: {width}x{height // 2}, {bits} bpp, {colours} colours, "
        f"{len(data)} bytes"
    )
    report.check(hdr_size == 40, f"icon image {res_id}: header size {hdr_size}, expected 40")
    report.check(
        (width, height) == (size, 2 * size),
        f"icon image {res_id}: DIB {width}x{height}, expected {size}x{2 * size}",
    )
    report.check(
        planes == 1 and bits == 4 and compression == 0,
        f"icon image {res_id}: not an uncompressed 4 bpp DIB with one plane",
    )
    report.check(colours == 16, f"icon image {res_id}: {colours} palette entries, expected 16")


def parse_group(data: bytes) -> list[tuple[int, int, int, int, int, int]]:
    """(width, height, colours, bit count, bytes, id) of each entry of an RT_GROUP_ICON."""
    reserved, kind, count = struct.unpack_from("<HHH", data)
    if reserved != 0 or kind != 1 or len(data) != 6 + 14 * count:
        raise ValueError(f"not an icon group directory ({len(data)} bytes, {count} entries)")
    entries = []
    for i in range(count):
        w, h, colours, _, planes, bits, size, res_id = struct.unpack_from(
            "<BBBBHHIH", data, 6 + 14 * i
        )
        entries.append((w or 256, h or 256, colours, bits if planes == 1 else -1, size, res_id))
    return entries


def ico_images(data: bytes) -> list[bytes]:
    """The images of an .ico file, in directory order."""
    _, kind, count = struct.unpack_from("<HHH", data)
    if kind != 1:
        raise ValueError("not an icon file")
    images = []
    for i in range(count):
        size, offset = struct.unpack_from("<II", data, 6 + 16 * i + 8)
        images.append(data[offset : offset + size])
    return images


def shown_ids(resources: list[tuple[str, int, int]]) -> str:
    return ", ".join(f"{name} (language {lang})" for name, lang, _ in resources) or "(none)"


def check_icons(report: Report, path: str, entries: list[Resource]) -> None:
    groups = resources_of_type(entries, RT_GROUP_ICON)
    icons = resources_of_type(entries, RT_ICON)
    report.info(f"icon groups:        {shown_ids(groups)}")
    report.check(
        [(n, l) for n, l, _ in groups] == [("1", NEUTRAL)],
        "expected exactly one icon group, id 1, language neutral",
    )
    want_icons = [(str(res_id), NEUTRAL, size) for res_id, _, size in ICON_IMAGES]
    report.check(
        sorted(icons) == sorted(want_icons),
        f"icon images {icons}, expected {want_icons} (id, language, bytes)",
    )
    if "1" not in [name for name, _, _ in groups]:
        return

    group = parse_group(extract(path, RT_GROUP_ICON, 1))
    report.info("icon group 1:")
    for w, h, colours, bits, size, res_id in group:
        report.info(f"  entry {res_id}: {w}x{h}, {colours} colours, {bits} bpp, {size} bytes")
    want_group = [(s, s, 16, 4, n, res_id) for res_id, s, n in ICON_IMAGES]
    report.check(group == want_group, f"icon group entries {group}, expected {want_group}")

    drawn = drawn_icons()
    images = []
    present = {name for name, _, _ in icons}
    for res_id, size, _ in ICON_IMAGES:
        if str(res_id) not in present:
            continue
        data = extract(path, RT_ICON, res_id)
        images.append(data)
        check_icon_image(report, res_id, size, data)
        report.check(
            data == drawn[ICON_FILES[res_id]],
            f"icon image {res_id} differs from the one make_icon.py draws",
        )
    report.check(
        ico_images(drawn["kvssaver.ico"]) == images,
        "kvssaver.ico is not made of exactly the embedded images in group order",
    )


# --- version resource ---


class VersionNode:
    """One VS_VERSIONINFO-style block: key, value (bytes or text) and child blocks."""

    def __init__(self, key: str, value: bytes | str, is_text: bool, children: list["VersionNode"]):
        self.key = key
        self.value = value
        self.is_text = is_text
        self.children = children


def align4(offset: int) -> int:
    return (offset + 3) & ~3


def parse_version_node(data: bytes, offset: int) -> tuple[VersionNode, int]:
    """Parses the block at `offset`; returns it and the offset just past it."""
    length, value_length, kind = struct.unpack_from("<HHH", data, offset)
    end = offset + length
    if length < 6 or end > len(data) or kind not in (0, 1):
        raise ValueError(f"bad version block at {offset}: length {length}, type {kind}")
    key_start = offset + 6
    key_end = key_start
    while data[key_end : key_end + 2] != b"\0\0":
        key_end += 2
        if key_end >= end:
            raise ValueError(f"unterminated key in version block at {offset}")
    key = data[key_start:key_end].decode("utf-16-le")

    pos = align4(key_end + 2)
    value_bytes = value_length * 2 if kind == 1 else value_length
    raw = data[pos : pos + value_bytes]
    if pos + value_bytes > end:
        raise ValueError(f"value of version block '{key}' runs past its end")
    value: bytes | str = raw.decode("utf-16-le").rstrip("\0") if kind == 1 else raw
    pos = align4(pos + value_bytes)

    children = []
    while pos < end:
        child, pos = parse_version_node(data, pos)
        if pos > end:
            raise ValueError(f"child of version block '{key}' runs past its end")
        children.append(child)
        pos = align4(pos)
    return VersionNode(key, value, kind == 1, children), end


def check_version(report: Report, path: str, entries: list[Resource]) -> None:
    versions = resources_of_type(entries, RT_VERSION)
    report.info(f"version blocks:     {shown_ids(versions)}")
    report.check(
        [(n, l) for n, l, _ in versions] == [("1", NEUTRAL)],
        "expected exactly one version block, id 1, language neutral",
    )
    if "1" not in [name for name, _, _ in versions]:
        return

    root, _ = parse_version_node(extract(path, RT_VERSION, 1), 0)
    report.check(root.key == "VS_VERSION_INFO", f"version root key is '{root.key}'")
    fixed = root.value
    if not report.check(
        not root.is_text and len(fixed) == 52, "version block has no 52-byte VS_FIXEDFILEINFO"
    ):
        return
    fields = struct.unpack("<13I", fixed)
    signature = fields[0]
    report.check(signature == 0xFEEF04BD, f"VS_FIXEDFILEINFO signature 0x{signature:08x}")

    def quad(ms: int, ls: int) -> tuple[int, int, int, int]:
        return (ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF)

    found = {
        "file version": quad(fields[2], fields[3]),
        "product version": quad(fields[4], fields[5]),
        "flags mask": fields[6],
        "flags": fields[7],
        "OS": fields[8],
        "type": fields[9],
        "subtype": fields[10],
        "date": fields[11] << 32 | fields[12],
    }
    def dotted(value: tuple[int, ...] | int) -> str:
        return ".".join(map(str, value)) if isinstance(value, tuple) else str(value)

    for name, value in found.items():
        report.info(f"  {name + ':':<17} {dotted(value)}")
        report.check(
            value == VERSION_FIXED[name],
            f"version {name} is {dotted(value)}, expected {dotted(VERSION_FIXED[name])}",
        )

    keys = [child.key for child in root.children]
    report.info(f"  blocks:           {', '.join(keys)}")
    report.check(
        keys == ["VarFileInfo", "StringFileInfo"],
        f"version blocks {keys}, expected VarFileInfo ahead of StringFileInfo",
    )
    by_key = {child.key: child for child in root.children}

    var_info = by_key.get("VarFileInfo")
    translations = [c for c in var_info.children if c.key == "Translation"] if var_info else []
    translation = None
    if translations and not translations[0].is_text and len(translations[0].value) == 4:
        translation = struct.unpack("<HH", translations[0].value)
    shown = f"0x{translation[0]:04x}/{translation[1]}" if translation else "(missing)"
    report.info(f"  translation:      {shown}")
    report.check(
        translation == VERSION_TRANSLATION and len(var_info.children) == 1,
        f"translation is {shown}, expected 0x0409/1200 alone",
    )

    string_info = by_key.get("StringFileInfo")
    tables = string_info.children if string_info else []
    report.check(
        [t.key for t in tables] == [VERSION_STRING_TABLE],
        f"string tables {[t.key for t in tables]}, expected ['{VERSION_STRING_TABLE}']",
    )
    strings = [(s.key, s.value) for s in tables[0].children if s.is_text] if tables else []
    for key, value in strings:
        report.info(f"  {key + ':':<17} \"{value}\"")
    keys = [key for key, _ in strings]
    want_keys = [key for key, _ in VERSION_STRINGS]
    report.check(keys == want_keys, f"version string keys {keys}, expected {want_keys} in order")
    found_strings = dict(strings)
    for key, want in VERSION_STRINGS:
        if key in found_strings:
            report.check(
                found_strings[key] == want,
                f'version string {key} is "{found_strings[key]}", expected "{want}"',
            )


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--arch", choices=sorted(OBJDUMP), required=True)
    parser.add_argument("path")
    args = parser.parse_args()

    print(f"file:               {args.path}")
    if not os.path.isfile(args.path):
        print(f"FAIL: {args.path} does not exist; build the Windows targets first (scripts/build)")
        return 1
    for tool in (OBJDUMP[args.arch], "wrestool"):
        if shutil.which(tool) is None:
            print(f"FAIL: {tool} is not installed (scripts/install-deps)")
            return 1
    print(f"size:               {os.path.getsize(args.path)} bytes")

    report = Report()
    try:
        dump = run([OBJDUMP[args.arch], "-p", args.path]).decode(errors="replace")
        check_headers(report, args.arch, dump)
        check_imports(report, dump)
        entries = list_resources(args.path)
        report.info(
            "resources:          "
            + ", ".join(f"type {t} id {n} lang {l} ({s} bytes)" for t, n, l, s in entries)
        )
        check_icons(report, args.path, entries)
        check_version(report, args.path, entries)
    except (RuntimeError, ValueError, struct.error) as error:
        report.failures.append(str(error))

    for failure in report.failures:
        print(f"FAIL: {failure}")
    if report.failures:
        return 1
    print(f"PASS: {args.arch} {os.path.basename(args.path)}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
