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
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def pack_row(samples, depth):
    if depth == 16:
        return b"".join(struct.pack(">H", s) for s in samples)
    if depth == 8:
        return bytes(samples)
    out, acc, bits = bytearray(), 0, 0
    for s in samples:
        acc = (acc << depth) | s
        bits += depth
        if bits == 8:
            out.append(acc)
            acc, bits = 0, 0
    if bits:
        out.append(acc << (8 - bits))
    return bytes(out)


def sample(ctype, depth, x, y):
    top = (1 << depth) - 1
    def v(k):
        return ((x * 7 + y * 13 + k * 29) * 37) % (top + 1)
    if ctype == 3:
        return [v(0) % 16 if depth > 4 else v(0)]
    values = [v(k) for k in range(CHANNELS[ctype])]
    if ctype in (4, 6):  # alpha: a mix of clear, half and opaque pixels
        values[-1] = [0, top // 2, top // 2 + 1, top][(x + 2 * y) % 4]
    return values


def png(ctype, depth, interlaced, trns=None, palette=None):
    header = struct.pack(">IIBBBBB", W, H, depth, ctype, 0, 0, 1 if interlaced else 0)
    raw = bytearray()
    passes = ADAM7 if interlaced else [(0, 0, 1, 1)]
    for (x0, y0, dx, dy) in passes:
        xs = list(range(x0, W, dx))
        if not xs:
            continue
        for y in range(y0, H, dy):
            raw.append(0)
            raw += pack_row([s for x in xs for s in sample(ctype, depth, x, y)], depth)
    data = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
    if palette:
        data += chunk(b"PLTE", palette)
    if trns is not None:
        data += chunk(b"tRNS", trns)
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
                trns, plte = None, None
                if ctype == 3:  # no more palette or tRNS entries than the depth can index
                    entries = min(16, 1 << depth)
                    trns = bytes([0, 255, 100, 200][:entries])
                    plte = palette[:3 * entries]
                name = "png-c%d-d%d%s" % (ctype, depth, "-i" if interlaced else "")
                cases.append((name, png(ctype, depth, interlaced, trns, plte)))
    cases.append(("png-grey-trns", png(0, 8, False, trns=struct.pack(">H", sample(0, 8, 0, 0)[0]))))
    cases.append(("png-rgb-trns", png(2, 8, False, trns=struct.pack(">HHH", *sample(2, 8, 0, 0)))))
    for name, data in cases:
        with open("%s/%s.png" % (folder, name), "wb") as f:
            f.write(data)
    photo = Image.new("RGB", (W * 3, H * 3))
    photo.putdata([((x * 9) % 256, (y * 11) % 256, ((x + y) * 5) % 256) for y in range(H * 3) for x in range(W * 3)])
    photo.save(folder + "/photo.jpg", quality=95)
    photo.convert("L").save(folder + "/grey.jpg", quality=95)
    photo.save(folder + "/progressive.jpg", quality=95, progressive=True)
    names = [n for n, _ in cases] + ["photo", "grey", "progressive"]
    with open(folder + "/list.txt", "w") as listing:
        for name in names:
            path = "%s/%s.%s" % (folder, name, "png" if name.startswith("png") else "jpg")
            with open(path + ".rgba", "wb") as f:
                f.write(reference(path))
            im = Image.open(path)
            listing.write("%s %d %d\n" % (path, im.size[0], im.size[1]))


if __name__ == "__main__":
    main(sys.argv[1])
