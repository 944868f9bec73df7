#!/usr/bin/env python3
# Composes sites.rts byte by byte from the site record's layout (20 records of 56 bytes,
# classes 1 to 20, little-endian). Run it in this folder to make the file again.
import struct

records = [bytearray(56) for _ in range(20)]

def put(rec, offset, fmt, value):
    struct.pack_into('<' + fmt, rec, offset, value)

# Class 1: every field set, the reserved bytes non-zero.
c1 = records[0]
for offset, value in [(0, 10), (1, 5), (2, 20), (3, 30), (4, 25), (5, 40), (6, 50), (7, 45), (8, 60),
                      (9, 0xAA), (10, 0xBB), (11, 0xCC), (28, 0xDE), (29, 0xAD), (30, 0xBE), (31, 0xEF)]:
    c1[offset] = value
put(c1, 12, 'i', 1234)
put(c1, 16, 'i', 0x01020304)
put(c1, 20, 'i', -1)
put(c1, 24, 'i', 7)
put(c1, 32, 'd', 2.5)
put(c1, 40, 'd', 1.25)
put(c1, 48, 'd', -3.0)

# Class 9: a box only.
c9 = records[8]
c9[1], c9[2] = 161, 180

# Class 20: the extremes.
c20 = records[19]
c20[2] = 255
put(c20, 12, 'i', 2147483647)
put(c20, 32, 'd', 1e300)

with open('sites.rts', 'wb') as f:
    for r in records:
        f.write(r)
