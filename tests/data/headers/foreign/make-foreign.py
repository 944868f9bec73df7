#!/usr/bin/env python3
"""Composes the foreign-header fixtures field by field from their layouts (not written by the
workstation). Run from this folder; it rewrites scene.fst, scene.ddr, scene.idx and radar.dat."""


def pad(value, width):
    assert len(value) <= width, (value, width)
    return value + " " * (width - len(value))


# Landsat fast format: every line is a label, "=" and a value padded to its width. The reader
# joins the lines, so each value keeps its full width.
fst = [
    "PRODUCT =" + pad("P0123456-OLINDA", 21),
    "WRS =" + pad("214/066", 18),
    "ACQUISITION DATE =" + pad("20000807", 8),
    "SATELLITE =" + pad("LANDSAT7", 10),
    "SENSOR =" + pad("ETM+", 8),
    "SENSOR MODE =" + pad("NORMAL", 7),
    "LOOK ANGLE =" + pad("0.00", 5),
]
fst += ["skipped %02d =x" % i for i in range(1, 20)]
fst += [
    "PRODUCT TYPE =" + pad("MAP ORIENT", 10),
    "PROCESSING =" + pad("SYSTEMATIC", 10),
    "RESAMPLING =" + pad("CC", 10),
    "VOLUME #/# IN SET =" + pad("01/02", 10),
    "PIXELS PER LINE =" + pad("349", 6),
    "LINES PER IMAGE =" + pad("352", 5),
    "START LINE =" + pad("", 6),
    "BLOCKING FACTOR =" + pad("", 3),
    "RECORD LENGTH =" + pad("349", 10),
    "PIXEL SIZE =" + pad("28.50", 5),
    "OUTPUT BITS PER PIXEL =" + pad("8", 3),
    "ACQUIRED BITS PER PIXEL =" + pad("8", 3),
    "BANDS PRESENT =" + pad("123457", 7),
]
fst += ["FILENAME =" + pad("olinda_b%d.raw" % b, 29) for b in (1, 2, 3, 4, 5, 6)]
fst += ["revision V" + pad("NLAPS 2.1.0", 13)]
# "G", then 47 characters passed over, then gain and bias values of 19 characters.
fst += ["G" + pad("AINS AND BIASES IN ASCENDING BAND NUMBER ORDER", 47)]
gains = [("-6.199999809265137", "0.775686297697179"), ("-6.399999618530273", "0.795686274883794"),
         ("-5.000000000000000", "0.619215662339154"), ("-5.099999904632568", "0.965490205615175"),
         ("-0.999999976158142", "0.125725490074574"), ("-0.349999994039536", "0.043725490196078")]
fst += [pad(g, 19) + " " + pad(b, 19) for g, b in gains]
fst += [
    "MAP PROJECTION =" + pad("UTM", 5),
    "ELLIPSOID =" + pad("GRS80", 19),
    "DATUM =" + pad("WGS84", 5),
    "USGS PROJECTION PARAMETERS =",
]
params = ["6378137.0000000000", "6356752.3141403561"] + ["0.0000000000000000"] * 13
fst += [" ".join(pad(v, 18) for v in params[i:i + 3]) + " " for i in range(0, 15, 3)]
fst += ["USGS MAP ZONE =" + pad("-25", 3)]
corners = [("UL", "-34.91616667", "-7.94982222", "288776.250", "9120760.750"),
           ("UR", "-34.82596667", "-7.95022778", "298722.750", "9120760.750"),
           ("LR", "-34.82637222", "-8.04092778", "298722.750", "9110728.750"),
           ("LL", "-34.91658889", "-8.04051667", "288776.250", "9110728.750"),
           ("CE", "-34.87127361", "-7.99537361", "293749.500", "9115744.750")]
for name, lon, lat, x, y in corners:
    # longitude 1-14, latitude 15-27, X 28-41, Y 40-53 (the two overlap in 40-41, kept blank)
    line = pad(lon, 14) + pad(lat, 13) + pad(x, 12) + "  " + pad(y, 12)
    assert len(line) == 53
    if name == "CE":
        line += " " + pad("175", 6) + pad("176", 7)
    else:
        line += " "
    fst.append(name + " =" + line)
fst += [
    "OFFSET =" + pad("0", 7),
    "ORIENTATION ANGLE =" + pad("0.00", 5),
    "SUN ELEVATION ANGLE =" + pad("52.3", 5),
    "SUN AZIMUTH ANGLE =" + pad("61.2", 5),
]
with open("scene.fst", "w", newline="") as f:
    f.write("\r\n".join(fst) + "\r\n")

# ASCII DDR: one line. "[title]", path and row, three "!" then the date, then ":" marks.
ddr = "DDR [Olinda subset]214066 ! ! !000807"
ddr += ":" + pad("349", 4) + ":" + pad("352", 4) + ":" + pad("6", 2)
ddr += ":a:b:c:d:e"  # five marks passed over
ddr += ":" + pad("UTM ZONE 25 SOUTH", 25)
ddr += ":" + pad("INVAL", 5) + ":" + pad("25", 4) + ":x:" + pad("23", 4) + ":y:z"
ddr += ":" + pad("VALID", 5)
for row in range(5):
    ddr += ":" + "".join(pad("%d.%d" % (row + 1, k + 1), 23) for k in range(3))
ddr += ":w:" + pad("VALID", 5)
for lon, lat in (("-34.916", "-7.949"), ("-34.825", "-7.950"), ("-34.916", "-8.040"),
                 ("-34.826", "-8.041")):
    ddr += ":" + pad(lon, 23) + pad(lat, 23)
ddr += ":" + pad("28.5", 23) + pad("28.5", 23)
ddr += ":v:" + pad("METERS", 10)
ddr += ":1:2:3:4:5:6:7"
ddr += ":" + pad("INPE", 10) + ":" + pad("ETM+", 10)
with open("scene.ddr", "w", newline="") as f:
    f.write(ddr + "\r\n")

with open("scene.idx", "w", newline="") as f:
    f.write("\r\n".join(["Olinda subset", "1 512 1 480", "3", "Blue", "olinda_b1.raw",
                         "Green", "olinda_b2.raw", "Red", "olinda_b3.raw"]) + "\r\n")

# Radar: a 4224-byte first record of ASCII fields at fixed offsets, then one line record.
record = bytearray(b" " * 4224)
fields = [(0, 4, "SLAR"), (4, 4, "4224"), (8, 6, "481"), (14, 2, "1"), (16, 24, "AIRBORNE RADAR"),
          (40, 12, "PRJ1ROL2FRM3"), (52, 8, "19990101"), (60, 8, "19981231"), (68, 4, "20"),
          (72, 4, "E"), (76, 8, "-7.90"), (84, 8, "-34.95"), (92, 8, "-8.10"), (100, 8, "-34.80"),
          (108, 8, "X-BAND"), (116, 4, "HH"), (120, 4, "6"), (124, 4, "3"), (128, 4, "8"),
          (132, 4, "25"), (136, 12, "1250"), (148, 8, "9000"), (156, 4, "90"), (160, 4, "LIN"),
          (164, 4, "12"), (168, 20, "CLEAR"), (188, 20, "OLINDA"), (208, 8, "-7.91"),
          (216, 8, "-34.94"), (224, 8, "-8.09"), (232, 8, "-34.81"), (240, 8, "-7.92"),
          (248, 8, "-34.82"), (256, 8, "-8.08"), (264, 8, "-34.93")]
for offset, length, text in fields:
    assert len(text) <= length
    record[offset:offset + len(text)] = text.encode("ascii")
line = bytes(64) + bytes(range(256)) * 16 + bytes(64)
assert len(line) == 4224
with open("radar.dat", "wb") as f:
    f.write(bytes(record) + line)
