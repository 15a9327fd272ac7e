#!/usr/bin/python3
# Writes test pictures of every PNG colour type, depth and interlace, plus JPEGs, into a folder,
# and beside each one the RGBA that Pillow (an independent decoder) reads from it.
import struct
import sys
import zlib

from PIL import Image

W, H = 13, 11  # odd sizes exercise every Adam7 pass and partial bytes
ADAM7 = [(0, 0, 8, 8), (4, 0, 8, 8), (0, 4, 4, 8), (2, 0, 4, 4), (0, 2, 2, 4), (1, 0, 2, 2), (0, 1, 1, 2)]
CHANNELS = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}


def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)


def pack_row(samples, depth):
    if depth >= 8:
        return b"".join(s.to_bytes(depth // 8, "big") for s in samples)
    bits = "".join(format(s, "0%db" % depth) for s in samples)
    bits += "0" * (-len(bits) % 8)
    return bytes(int(bits[i:i + 8], 2) for i in range(0, len(bits), 8))


def sample(ctype, depth, x, y):
    top = (1 << depth) - 1
    values = [((x * 7 + y * 13 + k * 29) * 37) % (top + 1) for k in range(CHANNELS[ctype])]
    if ctype == 3:
        return [values[0] % 16]
    if ctype in (4, 6):  # alpha: a mix of clear, half and opaque pixels
        values[-1] = [0, top // 2, top // 2 + 1, top][(x + 2 * y) % 4]
    return values


def png(ctype, depth, interlaced, trns=None, palette=None):
    raw = bytearray()
    for (x0, y0, dx, dy) in ADAM7 if interlaced else [(0, 0, 1, 1)]:
        xs = range(x0, W, dx)
        for y in range(y0, H, dy) if xs else []:
            raw += b"\0" + pack_row([s for x in xs for s in sample(ctype, depth, x, y)], depth)
    data = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", W, H, depth, ctype, 0, 0, int(interlaced)))
    data += chunk(b"PLTE", palette) if palette else b""
    data += chunk(b"tRNS", trns) if trns is not None else b""
    return data + chunk(b"IDAT", zlib.compress(bytes(raw))) + chunk(b"IEND", b"")


def reference(path):
    im = Image.open(path)
    if im.mode in ("I;16", "I;16B", "I"):
        im = im.point(lambda v: v / 256).convert("L")
    return im.convert("RGBA").tobytes()


def main(folder):
    palette = bytes(c for i in range(16) for c in ((i * 53) % 256, (i * 97) % 256, (i * 151) % 256))
    cases = []
    for ctype, depths in ((0, (1, 2, 4, 8, 16)), (2, (8, 16)), (3, (1, 2, 4, 8)), (4, (8, 16)), (6, (8, 16))):
        for depth in depths:
            for interlaced in (False, True):
                entries = min(16, 1 << depth)  # no more palette or tRNS entries than the depth can index
                trns, plte = (bytes([0, 255, 100, 200][:entries]), palette[:3 * entries]) if ctype == 3 else (None, None)
                name = "png-c%d-d%d%s" % (ctype, depth, "-i" if interlaced else "")
                cases.append((name, png(ctype, depth, interlaced, trns, plte)))
    cases.append(("png-grey-trns", png(0, 8, False, trns=struct.pack(">H", sample(0, 8, 0, 0)[0]))))
    cases.append(("png-rgb-trns", png(2, 8, False, trns=struct.pack(">HHH", *sample(2, 8, 0, 0)))))
    paths = []
    for name, data in cases:
        paths.append("%s/%s.png" % (folder, name))
        with open(paths[-1], "wb") as f:
            f.write(data)
    photo = Image.new("RGB", (W * 3, H * 3))
    photo.putdata([((x * 9) % 256, (y * 11) % 256, ((x + y) * 5) % 256) for y in range(H * 3) for x in range(W * 3)])
    for name, im, extra in (("photo", photo, {}), ("grey", photo.convert("L"), {}), ("progressive", photo, {"progressive": True})):
        paths.append("%s/%s.jpg" % (folder, name))
        im.save(paths[-1], quality=95, **extra)
    with open(folder + "/list.txt", "w") as listing:
        for path in paths:
            with open(path + ".rgba", "wb") as f:
                f.write(reference(path))
            listing.write("%s %d %d\n" % (path, *Image.open(path).size))


if __name__ == "__main__":
    main(sys.argv[1])
