#!/usr/bin/env python3
"""Writes the seed corpus of the image fuzz targets: small valid files of every kind each decoder
handles, so that fuzzing starts from deep inside the decoders. Deterministic; run it again after
a decoder learns a new kind of file.

Usage: fuzz/make_seed_corpus.py [output folder]   (default: fuzz/corpus beside this script)
"""
import os
import shutil
import struct
import sys
import zlib


def pattern(count, step=37):
    return bytes((i * step + 11) & 0xFF for i in range(count))


def row_bytes(bits, width):
    return (bits * width + 31) // 32 * 4


# BMP ---------------------------------------------------------------------------------------------

def bmp(width, height, bits, compression=0, pixels=None, header_size=40, file_header=True,
        masks=b"", colors_used=0, palette_entries=None):
    rows = abs(height)
    if pixels is None:
        pixels = pattern(row_bytes(bits, width) * rows)
    if header_size == 12:
        info = struct.pack("<IHHHH", 12, width, rows, 1, bits)
        entry = 3
    else:
        info = struct.pack("<IiiHHIIiiII", header_size, width, height, 1, bits, compression, 0,
                           2835, 2835, colors_used, 0)
        info += bytes(header_size - 40)
        entry = 4
    if palette_entries is None:
        palette_entries = (colors_used or 1 << bits) if bits <= 8 else 0
    palette = pattern(palette_entries * entry, 13)
    body = info + masks + palette
    if not file_header:
        return body + pixels
    offset = 14 + len(body)
    return b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset) + body + pixels


def bmp_seeds():
    rle8 = bytes([0, 3, 1, 2, 3, 0, 4, 9, 0, 0, 0, 2, 1, 1, 2, 7, 0, 1])
    rle4 = bytes([5, 0x12, 0, 5, 0x34, 0x56, 0x70, 0, 0, 0, 0, 2, 2, 0, 3, 0xAB, 0, 1])
    return {
        "1bit.bmp": bmp(9, 3, 1),
        "4bit.bmp": bmp(5, 3, 4),
        "8bit.bmp": bmp(3, 2, 8),
        "8bit_few_colours.bmp": bmp(3, 2, 8, colors_used=4),
        "rle8.bmp": bmp(6, 4, 8, 1, rle8),
        "rle4.bmp": bmp(8, 3, 4, 2, rle4),
        "16bit.bmp": bmp(3, 2, 16),
        "16bit_565.bmp": bmp(3, 2, 16, 3, masks=struct.pack("<III", 0xF800, 0x07E0, 0x001F)),
        "24bit.bmp": bmp(3, 2, 24),
        "24bit_top_down.bmp": bmp(3, -2, 24),
        "32bit_bitfields.bmp": bmp(2, 2, 32, 3, masks=struct.pack("<III", 0xFF0000, 0xFF00, 0xFF)),
        "core_header.bmp": bmp(4, 2, 4, header_size=12),
        "v5_header.bmp": bmp(4, 2, 8, header_size=124),
        "no_file_header.bmp": bmp(4, 2, 1, file_header=False),
    }


# PCX ---------------------------------------------------------------------------------------------

def pcx_encode(data):
    out = bytearray()
    i = 0
    while i < len(data):
        run = 1
        while i + run < len(data) and data[i + run] == data[i] and run < 63:
            run += 1
        if run > 1 or data[i] >= 0xC0:
            out += bytes([0xC0 | run, data[i]])
        else:
            out.append(data[i])
        i += run
    return bytes(out)


def pcx(width, height, bits, planes, bytes_per_line=None):
    if bytes_per_line is None:
        bytes_per_line = (width * bits + 7) // 8
    header = struct.pack("<BBBBHHHHHH", 10, 5, 1, bits, 0, 0, width - 1, height - 1, 72, 72)
    header += pattern(48, 7) + bytes([0, planes]) + struct.pack("<HH", bytes_per_line, 1)
    header += bytes(128 - len(header))
    data = bytes((i // 3) % 5 for i in range(bytes_per_line * planes * height))
    body = pcx_encode(data)
    if bits == 8 and planes == 1:
        body += bytes([12]) + pattern(768, 3)
    return header + body


def pcx_seeds():
    return {
        "1bit.pcx": pcx(10, 3, 1, 1),
        "1bit_4planes.pcx": pcx(9, 2, 1, 4),
        "2bit.pcx": pcx(7, 2, 2, 1),
        "4bit.pcx": pcx(5, 3, 4, 1),
        "8bit.pcx": pcx(6, 3, 8, 1),
        "24bit.pcx": pcx(5, 2, 8, 3, bytes_per_line=6),
    }


# Icons -------------------------------------------------------------------------------------------

def icon_bitmap(width, height, bits, transparent):
    header = struct.pack("<IiiHHIIiiII", 40, width, 2 * height, 1, bits, 0, 0, 0, 0, 0, 0)
    palette = pattern(4 << bits, 17) if bits <= 8 else b""
    pixels = pattern(row_bytes(bits, width) * height, 29)
    stride = row_bytes(1, width)
    mask = bytearray(stride * height)
    if transparent:
        mask[0] = 0x80
    return header + palette + pixels + bytes(mask)


def icon(images):
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    bitmaps = b""
    for width, height, bits, transparent in images:
        bitmap = icon_bitmap(width, height, bits, transparent)
        colours = 1 << bits if bits < 8 else 0
        directory += struct.pack("<BBBBHHII", width & 0xFF, height & 0xFF, colours, 0, 1, bits,
                                 len(bitmap), offset)
        offset += len(bitmap)
        bitmaps += bitmap
    return directory + bitmaps


def icon_seeds():
    return {
        "1bit.ico": icon([(8, 8, 1, False)]),
        "4bit_transparent.ico": icon([(5, 4, 4, True)]),
        "8bit.ico": icon([(4, 4, 8, False)]),
        "24bit.ico": icon([(3, 3, 24, True)]),
        "32bit.ico": icon([(4, 2, 32, False)]),
        "three_images.ico": icon([(2, 2, 4, False), (3, 3, 8, True), (4, 4, 32, False)]),
        "256_pixels.ico": icon([(256, 1, 1, True)]),
    }


# PNG ---------------------------------------------------------------------------------------------

def png_chunk(kind, data):
    return (struct.pack(">I", len(data)) + kind + data +
            struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))


def png(width, height, colour_type, depth, extra=b""):
    channels = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}[colour_type]
    row = (width * channels * depth + 7) // 8
    raw = b"".join(bytes([y % 5]) + pattern(row, 19 + y) for y in range(height))
    ihdr = struct.pack(">IIBBBBB", width, height, depth, colour_type, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", ihdr) + extra +
            png_chunk(b"IDAT", zlib.compress(raw, 9)) + png_chunk(b"IEND", b""))


def png_seeds():
    seeds = {}
    for depth in (1, 2, 4, 8, 16):
        seeds[f"grey{depth}.png"] = png(7, 3, 0, depth)
    for depth in (1, 2, 4, 8):
        palette = png_chunk(b"PLTE", pattern(3 << depth, 23))
        seeds[f"palette{depth}.png"] = png(6, 3, 3, depth, palette)
    seeds["palette_transparent.png"] = png(4, 2, 3, 8, png_chunk(b"PLTE", pattern(768, 5)) +
                                           png_chunk(b"tRNS", b"\x00"))
    seeds["rgb8_background.png"] = png(3, 3, 2, 8, png_chunk(b"bKGD", struct.pack(">HHH", 1, 2, 3)))
    seeds["rgb16.png"] = png(3, 2, 2, 16)
    seeds["grey_alpha8.png"] = png(3, 2, 4, 8)
    seeds["grey_alpha16.png"] = png(3, 2, 4, 16)
    seeds["rgba8.png"] = png(4, 3, 6, 8)
    seeds["rgba16.png"] = png(2, 2, 6, 16)
    return seeds


# Rescale -----------------------------------------------------------------------------------------

def rescale_seeds(bmps, pngs, icons, pcxs):
    def settings(decoder, width, height, fast):
        return struct.pack("<BHHB", decoder, width, height, fast)
    return {
        "shrink_24bit_smooth": settings(0, 2, 1, 0) + bmps["24bit.bmp"],
        "enlarge_24bit_smooth": settings(0, 7, 5, 0) + bmps["24bit.bmp"],
        "shrink_4bit_fast": settings(0, 2, 2, 1) + bmps["4bit.bmp"],
        "palette_bilinear": settings(1, 9, 2, 0) + pngs["palette8.png"],
        "alpha_plane_smooth": settings(1, 3, 2, 0) + pngs["rgba8.png"],
        "icon_alpha_fast": settings(2, 9, 9, 1) + icons["4bit_transparent.ico"],
        "pcx_true_colour": settings(3, 3, 1, 0) + pcxs["24bit.pcx"],
    }


def main():
    output = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "corpus")
    bmps, pcxs, icons, pngs = bmp_seeds(), pcx_seeds(), icon_seeds(), png_seeds()
    groups = {"bmp": bmps, "pcx": pcxs, "ico": icons, "png": pngs,
              "rescale": rescale_seeds(bmps, pngs, icons, pcxs)}
    for kind, seeds in groups.items():
        folder = os.path.join(output, kind)
        shutil.rmtree(folder, ignore_errors=True)
        os.makedirs(folder)
        for name, data in seeds.items():
            with open(os.path.join(folder, name), "wb") as file:
                file.write(data)


if __name__ == "__main__":
    main()
