#!/usr/bin/env python3
"""Draws the program icon (a small television showing a sunset over the sea) and writes it
as the resource files the executable embeds.

Usage: make_icon.py OUTPUT_DIR

Writes into OUTPUT_DIR:
  icon32.bin     32x32 image, RT_ICON resource 30001 (744 bytes)
  icon16.bin     16x16 image, RT_ICON resource 30002 (296 bytes)
  icongroup.bin  RT_GROUP_ICON directory naming 30001 then 30002
  kvssaver.ico   icon file made of exactly those two images, in the same order

Each image is an icon DIB: a 40-byte BITMAPINFOHEADER whose height counts the colour
rows and the mask rows, the 16-entry palette, 4-bit colour rows and 1-bit AND-mask rows,
both bottom-up with every row padded to 4 bytes.
"""

import os
import struct
import sys

# The standard 16-colour palette (R, G, B) and the letter each colour has in the pictures.
PALETTE = [
    ("K", (0x00, 0x00, 0x00)),  # black
    ("r", (0x80, 0x00, 0x00)),  # dark red
    ("g", (0x00, 0x80, 0x00)),  # dark green
    ("o", (0x80, 0x80, 0x00)),  # olive
    ("n", (0x00, 0x00, 0x80)),  # navy
    ("p", (0x80, 0x00, 0x80)),  # purple
    ("t", (0x00, 0x80, 0x80)),  # teal
    ("s", (0xC0, 0xC0, 0xC0)),  # silver
    ("d", (0x80, 0x80, 0x80)),  # dark grey
    ("R", (0xFF, 0x00, 0x00)),  # red
    ("G", (0x00, 0xFF, 0x00)),  # green
    ("Y", (0xFF, 0xFF, 0x00)),  # yellow
    ("B", (0x00, 0x00, 0xFF)),  # blue
    ("M", (0xFF, 0x00, 0xFF)),  # magenta
    ("C", (0x00, 0xFF, 0xFF)),  # cyan
    ("W", (0xFF, 0xFF, 0xFF)),  # white
]
TRANSPARENT = "."  # AND-mask bit set, colour index 0

# A television on two feet with a V antenna; on the screen the sun sets behind green hills
# into a navy sea, under a sky that goes from blue through magenta to red.
PICTURE_32 = [
    "................................",
    ".......W................W.......",
    "........d..............d........",
    ".........d............d.........",
    "..........d..........d..........",
    "...........d........d...........",
    "............d......d............",
    ".............d....d.............",
    "..............dKKd..............",
    ".KKKKKKKKKKKKKKKKKKKKKKKKKKKKKK.",
    ".KssssssssssssssssssssssssssssdK",
    ".KsddddddddddddddddddddsssssssdK",
    ".KsdBBBBBBBBBBBBBBBBBBdsKKKKKsdK",
    ".KsdBBBBBBBBBBBBBBBBBBdsKRRRKsdK",
    ".KsdBBBBBBBBBBBBBBBBBBdsKRRRKsdK",
    ".KsdMMMMMMMMMMMMMMMMMMdsKKKKKsdK",
    ".KsdMMMMMMMMMMMMMMMMMMdsssssssdK",
    ".KsdRRRRRRRRYYYYRRRRRRdsKKKKKsdK",
    ".KsdRRRRRRRYYYYYYRRRRRdsKdddKsdK",
    ".KsdRggRRRYYYYYYYYRRRRdsKKKKKsdK",
    ".KsdggggRRYYYYYYYYRRggdsssssssdK",
    ".KsdgggggggnnnnnnnggggdsdKdKdsdK",
    ".KsdnnnnnnnnYYYYnnnnnndsssssssdK",
    ".KsdnnnnnnnnnnnnnnnnnndsdKdKdsdK",
    ".KsdnnnnnnnnnYYnnnnnnndsssssssdK",
    ".KsdnnnnnnnnnnnnnnnnnndsdKdKdsdK",
    ".KsddddddddddddddddddddsssssssdK",
    ".KdddddddddddddddddddddddddddddK",
    ".KKKKKKKKKKKKKKKKKKKKKKKKKKKKKKK",
    "...KddK..................KddK...",
    "...KKKK..................KKKK...",
    "................................",
]

PICTURE_16 = [
    "...d........d...",
    "....d......d....",
    ".....d....d.....",
    "......dKKd......",
    "KKKKKKKKKKKKKKKK",
    "KsssssssssssssdK",
    "KsBBBBBBBBdsKsdK",
    "KsMMMMMMMMdsRsdK",
    "KsRRRYYRRRdsKsdK",
    "KsgRYYYYRgdsssdK",
    "KsggnnnnggdsKsdK",
    "KsnnnYYnnndsssdK",
    "KsnnnnnnnndsKsdK",
    "KdddddddddddddK.",
    "KKKKKKKKKKKKKKK.",
    ".KK.........KK..",
]

ICON_32_ID = 30001
ICON_16_ID = 30002
ICON_32_BYTES = 744
ICON_16_BYTES = 296


def padded_row_bytes(bits: int) -> int:
    """Bytes of one DIB row of `bits` bits, rounded up to a whole 32-bit word."""
    return (bits + 31) // 32 * 4


def icon_image(picture: list[str]) -> bytes:
    """The icon DIB for a square picture drawn in palette letters."""
    size = len(picture)
    if any(len(row) != size for row in picture):
        raise ValueError(f"picture of {size} rows is not square")
    index_of = {letter: index for index, (letter, _) in enumerate(PALETTE)}

    colour_rows = bytearray()
    mask_rows = bytearray()
    for row in reversed(picture):  # DIB rows run bottom-up
        indices = [0 if c == TRANSPARENT else index_of[c] for c in row]
        packed = bytes(hi << 4 | lo for hi, lo in zip(indices[0::2], indices[1::2]))
        colour_rows += packed.ljust(padded_row_bytes(size * 4), b"\0")
        mask_bits = 0
        for c in row:
            mask_bits = mask_bits << 1 | (c == TRANSPARENT)
        mask = mask_bits.to_bytes((size + 7) // 8, "big")
        mask_rows += mask.ljust(padded_row_bytes(size), b"\0")

    header = struct.pack(
        "<IiiHHIIiiII",
        40,  # biSize
        size,  # biWidth
        size * 2,  # biHeight: colour rows and mask rows
        1,  # biPlanes
        4,  # biBitCount
        0,  # biCompression: BI_RGB
        len(colour_rows) + len(mask_rows),  # biSizeImage
        0,
        0,  # pixels per metre, unused
        0,  # biClrUsed: 0 means all 16
        0,  # biClrImportant
    )
    palette = b"".join(bytes((b, g, r, 0)) for _, (r, g, b) in PALETTE)
    return header + palette + bytes(colour_rows) + bytes(mask_rows)


def directory_entry(size: int, image: bytes) -> bytes:
    """The fields shared by ICONDIRENTRY and GRPICONDIRENTRY, up to and including the size."""
    return struct.pack("<BBBBHHI", size, size, 16, 0, 1, 4, len(image))


def group_directory(images: list[tuple[int, int, bytes]]) -> bytes:
    """RT_GROUP_ICON data: the directory header, then one entry per image naming its id."""
    data = struct.pack("<HHH", 0, 1, len(images))
    for size, resource_id, image in images:
        data += directory_entry(size, image) + struct.pack("<H", resource_id)
    return data


def icon_file(images: list[tuple[int, int, bytes]]) -> bytes:
    """An .ico file: the directory header, one entry per image with its file offset, the images."""
    header = struct.pack("<HHH", 0, 1, len(images))
    offset = len(header) + 16 * len(images)
    entries = b""
    for size, _, image in images:
        entries += directory_entry(size, image) + struct.pack("<I", offset)
        offset += len(image)
    return header + entries + b"".join(image for _, _, image in images)


def main() -> int:
    if len(sys.argv) != 2:
        print(f"usage: {sys.argv[0]} OUTPUT_DIR", file=sys.stderr)
        return 2
    out_dir = sys.argv[1]

    icon32 = icon_image(PICTURE_32)
    icon16 = icon_image(PICTURE_16)
    assert len(icon32) == ICON_32_BYTES, len(icon32)
    assert len(icon16) == ICON_16_BYTES, len(icon16)
    images = [(32, ICON_32_ID, icon32), (16, ICON_16_ID, icon16)]

    os.makedirs(out_dir, exist_ok=True)
    outputs = {
        "icon32.bin": icon32,
        "icon16.bin": icon16,
        "icongroup.bin": group_directory(images),
        "kvssaver.ico": icon_file(images),
    }
    for name, data in outputs.items():
        with open(os.path.join(out_dir, name), "wb") as f:
            f.write(data)
    return 0


if __name__ == "__main__":
    sys.exit(main())
