#!/usr/bin/env python3
# Writes the look-up-table files the tests compare against, byte by byte, from the file layout
# alone: no header, 768 little-endian IEEE 754 doubles, red entries 0..255, then green, then
# blue. Run from this folder; the outputs are committed.
import struct

def write(name, red, green, blue):
    values = list(red) + list(green) + list(blue)
    assert len(values) == 768
    with open(name, "wb") as f:
        for v in values:
            f.write(struct.pack("<d", v))

identity = [float(i) for i in range(256)]
write("identity.lut", identity, identity, identity)
write("ramps.lut",
      identity,
      [255.0 - i for i in range(256)],
      [i * 0.5 + 0.25 for i in range(256)])
