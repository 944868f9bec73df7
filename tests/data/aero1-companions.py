#!/usr/bin/env python3
"""Writes companions/aero1.adt and companions/aero1.ads for aero1.png from the rules of the
statistics and seed-break files, without the workstation: the PNG is decoded here (zlib and
the five row filters), the counts, statistics and ten seed rows per band are worked out with
exact fractions where the rules divide, and the files are laid out as the file rules say.
Run it in this folder to make the two files again."""
import math
import struct
import zlib
from fractions import Fraction


def read_png(path):
    data = open(path, "rb").read()
    assert data[:8] == b"\x89PNG\r\n\x1a\n"
    pos, idat = 8, b""
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
            assert depth == 8 and colour in (2, 6) and interlace == 0
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    bpp = 3 if colour == 2 else 4
    raw = zlib.decompress(idat)
    stride = width * bpp
    rows, prev = [], bytearray(stride)
    for y in range(height):
        f = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - bpp] if i >= bpp else 0
            b = prev[i]
            c = prev[i - bpp] if i >= bpp else 0
            if f == 1:
                line[i] = (line[i] + a) & 255
            elif f == 2:
                line[i] = (line[i] + b) & 255
            elif f == 3:
                line[i] = (line[i] + (a + b) // 2) & 255
            elif f == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        rows.append(line)
        prev = line
    return width, height, bpp, rows


def wrap32(v):
    v &= 0xFFFFFFFF
    return v - (1 << 32) if v & 0x80000000 else v


def round_even(x):
    # Python's round() takes halves to the even neighbour, on exact fractions as well.
    return round(Fraction(x))


def clamp(v):
    return max(0, min(255, v))


def stats(h, pixels):
    count = sum(h)
    s = {"Count": count, "Sum": wrap32(sum(i * h[i] for i in range(256)))}
    s["Min"] = min(i for i in range(256) if h[i])
    s["Max"] = max(i for i in range(256) if h[i])
    s["Range"] = s["Max"] - s["Min"] + 1
    s["Mean"] = round_even(Fraction(s["Sum"], count))
    half, cum, median = count // 2, 0, None
    for i in range(256):
        cum += h[i]
        if median is None and cum > half:
            median = i
    s["Median"] = median or 0
    s["Mode"] = h.index(max(h))
    total = sum(wrap32((i - s["Mean"]) ** 2 * h[i]) for i in range(256) if h[i])
    s["Variance"] = Fraction(total, count - 1)
    s["SD"] = math.sqrt(s["Variance"])
    return s


def seed_rows(h, s):
    rows = [[0] * 10 for _ in range(10)]
    # Row 0: valleys of the five-wide running sums.
    row = rows[0]
    row[1:10] = [255] * 9
    slope = [0.0] * 256
    n = 0
    for i in range(3, 254):
        a = sum(h[i - 2:i + 3]) + 1
        b = sum(h[i - 3:i + 2]) + 1
        slope[i] = a / 5 - b / 5
        if slope[i - 1] < 0 and slope[i] > 0:
            n += 1
            if n < 9:
                row[n] = i
    rows[1][1:10] = [15, 25, 40, 60, 85, 115, 150, 190, 255]
    step = s["Range"] // 9
    rows[2][1:10] = [(s["Min"] + k * step) & 255 for k in range(1, 9)] + [255]
    target, b = s["Count"] // 9, 1
    for k in range(1, 9):
        total = 0
        while True:
            total += h[b]
            b += 1
            if total >= target or b > 255:
                break
        b -= 1
        rows[3][k] = b
    rows[3][9] = 255
    sd = Fraction(s["SD"])
    rng = s["Range"]
    f = Fraction(rng) / (8 * sd) if rng < 8 * sd else Fraction(1)
    d, m = sd * f, s["Median"]
    four = [m - 3 * d, m - Fraction(5, 2) * d, m - 2 * d, m - d, m, m + d, m + 2 * d, m + 3 * d]
    rows[4][1:10] = [clamp(round_even(v)) if k in (0, 1, 7) else round_even(v) & 255
                     for k, v in enumerate(four)] + [255]
    mean = s["Mean"]
    five = [mean - sd, mean - Fraction(8, 10) * sd, mean - Fraction(6, 10) * sd,
            mean - Fraction(3, 10) * sd, mean, mean + Fraction(3, 10) * sd,
            mean + Fraction(6, 10) * sd, mean + Fraction(8, 10) * sd]
    rows[5][1:10] = [clamp(round_even(v)) if k in (0, 1, 7) else round_even(v) & 255
                     for k, v in enumerate(five)] + [255]
    step6 = Fraction(s["Max"] - s["Min"], 36)
    for k in range(1, 10):
        dk = s["Min"] + step6 if k == 1 else k * step6
        rows[6][k] = clamp(round_even(k + dk + rows[6][k - 1]))
    rows[7][1:10] = [round_even(Fraction(26666, 1000) * k) + k for k in range(1, 10)]
    rows[8][1:10] = [255 - round_even(Fraction(26666, 1000) * (9 - k)) for k in range(1, 10)]
    rows[9][1:10] = [15, 19, 28, 44, 69, 105, 154, 218, 255]
    return rows


def real(x):
    text = "%.14E" % x
    mantissa, exponent = text.split("E")
    sign = "-" if mantissa.startswith("-") else " "
    return sign + mantissa.lstrip("-") + "E" + exponent[0] + "%04d" % abs(int(exponent))


def main():
    width, height, bpp, rows = read_png("aero1.png")
    hist = [[0] * 256 for _ in range(3)]
    for line in rows:
        for x in range(width):
            for band in range(3):
                hist[band][line[x * bpp + band]] += 1
    st = [stats(h, width * height) for h in hist]
    lines = []
    for s in st:
        lines += [str(s["Mean"]), real(s["SD"]), real(float(s["Variance"]))]
    for s in st:
        lines += [str(s[k]) for k in ("Min", "Max", "Median", "Mode", "Sum", "Count", "Range")]
    for a, b in ((0, 1), (0, 2), (1, 2)):
        t = Fraction(st[a]["Sum"] - st[b]["Sum"], st[0]["Count"])
        p = sum(wrap32(hist[a][i] * hist[b][i]) for i in range(256))
        covariance = (p - t) / st[0]["Count"] - 1
        lines += [real(float(covariance)), real(float(covariance) / (st[a]["SD"] * st[b]["SD"]))]
    open("companions/aero1.adt", "wb").write(("\r\n".join(lines) + "\r\n").encode())
    seeds = b""
    for band in range(3):
        for row in seed_rows(hist[band], st[band]):
            seeds += bytes(row)
    open("companions/aero1.ads", "wb").write(seeds)


main()
