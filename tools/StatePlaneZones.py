#!/usr/bin/env python3
"""Writes the State Plane zone-parameter files "nad27sp" and "nad83sp" from the EPSG zone
conversions of PROJ's database (proj.db).

Each file holds 135 records of 108 bytes, little-endian: a 32-byte name, a 32-bit projection
id (1 transverse Mercator, 2 Lambert conformal conic, 3 polyconic, 4 Hotine oblique Mercator,
0 no zone) and nine doubles. Record n is the zone at position n (from 1) of its datum's zone
list; record 0 and the positions without a zone stay empty. Angles are packed DDDMMSS.SS,
lengths in metres.

The EPSG conversion of zone Z is 10000 + Z on NAD27 and 10030 + Z on NAD83 (metre version);
the name is checked as well, since the numbering has holes another zone's code falls into.
Where EPSG has withdrawn that conversion, the current system of the same name supplies the
corrected one (the withdrawn ones put whole zones hundreds of kilometres off).
The Michigan zones of NAD27 carry their enlarged ellipsoid's semi-major axis; Hotine zones of
EPSG's variant A get the false origin moved to the projection centre, where the library's
Hotine counts its coordinates from; the Guam projection becomes the polyconic of the same
origin.

Beside the zone files it writes tests/data/projections/state-plane-checks.txt: for each zone of
each datum the coordinate system that defines it and the centre of its area of use, or "-"
where the record is left empty; the tests compare every record with PROJ there.

Usage: tools/StatePlaneZones.py [proj.db]   (run from the repository root)
"""
import math
import os
import sqlite3
import struct
import sys

NAD27 = [101, 102, 5010, 5300, 201, 202, 203, 301, 302, 401, 402, 403, 404, 405, 406, 407,
         501, 502, 503, 600, 700, 901, 902, 903, 1001, 1002, 5101, 5102, 5103, 5104, 5105,
         1101, 1102, 1103, 1201, 1202, 1301, 1302, 1401, 1402, 1501, 1502, 1601, 1602, 1701,
         1702, 1703, 1801, 1802, 1900, 2001, 2002, 2101, 2102, 2103, 2111, 2112, 2113, 2201,
         2202, 2203, 2301, 2302, 2401, 2402, 2403, 2501, 2502, 2503, 2601, 2602, 2701, 2702,
         2703, 2800, 2900, 3001, 3002, 3003, 3101, 3102, 3103, 3104, 3200, 3301, 3302, 3401,
         3402, 3501, 3502, 3601, 3602, 3701, 3702, 3800, 3901, 3902, 4001, 4002, 4100, 4201,
         4202, 4203, 4204, 4205, 4301, 4302, 4303, 4400, 4501, 4502, 4601, 4602, 4701, 4702,
         4801, 4802, 4803, 4901, 4902, 4903, 4904, 5001, 5002, 5003, 5004, 5005, 5006, 5007,
         5008, 5009, 5201, 5202, 5400]
NAD83_CHANGES = {16: 0, 67: 2500, 68: 0, 69: 0, 70: 2600, 71: 0, 96: 3900, 97: 0, 132: 5200,
                 133: 0}
NAD83 = [NAD83_CHANGES.get(i + 1, z) for i, z in enumerate(NAD27)]

# EPSG ellipsoids: Clarke 1866 and GRS 1980.
ELLIPSOID = {27: "7008", 83: "7019"}
US_FOOT = 1200.0 / 3937.0
RECORD = 108
# Guam has one zone definition for both datums.
GUAM = 5400
# No EPSG system is polyconic; these systems of the same origin are.
GUAM_POLYCONIC = {27: "65061", 83: "65161"}
OUTPUTS = ["projections/zones", "tests/data/projections"]
CHECKS = "tests/data/projections/state-plane-checks.txt"

# EPSG parameter codes.
LAT_NAT, LON_NAT, K_NAT, FE, FN = 8801, 8802, 8805, 8806, 8807
LAT_C, LON_C, AZIMUTH, K_C = 8811, 8812, 8813, 8815
LAT_F, LON_F, LAT_1, LAT_2, E_F, N_F = 8821, 8822, 8823, 8824, 8826, 8827
K_MICHIGAN = 1038


def packed(value, uom):
    """An EPSG angle as packed DDDMMSS.SS."""
    if uom == "9110":  # sexagesimal DDD.MMSSsss, taken from its digits
        text = repr(abs(value))
        deg, _, frac = text.partition(".")
        frac = (frac + "0000")
        minutes, seconds = int(frac[:2]), float(frac[2:4] + "." + frac[4:])
        result = int(deg) * 10000 + minutes * 100 + seconds
    elif uom == "9102":
        deg = abs(value)
        d = math.floor(deg)
        m = math.floor((deg - d) * 60)
        s = ((deg - d) * 60 - m) * 60
        result = d * 10000 + m * 100 + s
    else:
        raise ValueError("angle unit " + uom)
    return -result if value < 0 else result


def radians(value, uom):
    p = abs(packed(value, uom))
    d = math.floor(p / 10000 + 0.001)
    m = math.floor((p - d * 10000) / 100 + 0.001)
    s = p - d * 10000 - m * 100
    r = math.radians(d + m / 60 + s / 3600)
    return -r if value < 0 else r


def metres(value, uom):
    if uom == "9001":
        return value
    if uom == "9003":
        return value * US_FOOT
    if uom == "9002":
        return value * 0.3048
    raise ValueError("length unit " + uom)


def systems(db, code):
    """The EPSG projected systems on conversion `code`, current ones first: (system, ellipsoid,
    deprecated)."""
    return list(db.execute(
        "select p.code, d.ellipsoid_code, p.deprecated from projected_crs p join geodetic_crs g on "
        "g.auth_name = p.geodetic_crs_auth_name and g.code = p.geodetic_crs_code "
        "join geodetic_datum d on d.auth_name = g.datum_auth_name and d.code = g.datum_code "
        "where p.auth_name = 'EPSG' and p.conversion_auth_name = 'EPSG' and "
        "p.conversion_code = ? order by p.deprecated, p.code", (code,)))


def ellipsoid(db, datum):
    a, inv_f, b, uom = db.execute(
        "select semi_major_axis, inv_flattening, semi_minor_axis, uom_code from ellipsoid "
        "where auth_name='EPSG' and code=?", (ELLIPSOID[datum],)).fetchone()
    a = metres(a, str(uom))
    if inv_f:
        f = 1.0 / inv_f
        return a, f * (2 - f)
    return a, 1.0 - (metres(b, str(uom)) / a) ** 2


def current_conversion(db, code):
    """The conversion in force for `code`: itself, or where EPSG has withdrawn it, the current
    conversion of the same name, else the conversion of the current system that has the
    withdrawn system's name and geographic system."""
    (name, deprecated) = db.execute("select name, deprecated from conversion_table where "
                                    "auth_name='EPSG' and code=?", (code,)).fetchone()
    if not deprecated:
        return code
    found = {r[0] for r in db.execute("select code from conversion_table where auth_name = "
                                      "'EPSG' and name = ? and deprecated = 0", (name,))}
    if not found:
        for system, geographic in db.execute(
                "select name, geodetic_crs_code from projected_crs where conversion_auth_name = "
                "'EPSG' and conversion_code = ?", (code,)).fetchall():
            found |= {r[0] for r in db.execute(
                "select conversion_code from projected_crs where auth_name = 'EPSG' and "
                "name = ? and geodetic_crs_code = ? and conversion_auth_name = 'EPSG' and "
                "deprecated = 0", (system, geographic))}
    if len(found) != 1:
        raise ValueError("conversion %d is withdrawn without one replacement" % code)
    return int(found.pop())


def conversion(db, zone, datum):
    code = 10000 + zone + (30 if datum == 83 and zone != GUAM else 0)
    cols = [c[0] for c in db.execute("select * from conversion_table limit 0").description]
    row = db.execute("select * from conversion_table where auth_name='EPSG' and code=?",
                     (code,)).fetchone()
    if row is None:
        return None, None, None, None
    name = dict(zip(cols, row))["name"]
    if (("83" in name) != (datum == 83) and zone != GUAM) or "feet" in name:
        return None, None, None, None
    code = current_conversion(db, code)
    r = dict(zip(cols, db.execute("select * from conversion_table where auth_name='EPSG' and "
                                  "code=?", (code,)).fetchone()))
    name = r["name"].replace(" (meters)", "")
    params = {}
    for i in range(1, 8):
        if r["param%d_code" % i] is not None:
            params[int(r["param%d_code" % i])] = (r["param%d_value" % i],
                                                 str(r["param%d_uom_code" % i]))
    return name, int(r["method_code"]), params, code


def area_centre(db, auth, code):
    """Longitude and latitude of the centre of a system's area of use."""
    south, north, west, east = db.execute(
        "select e.south_lat, e.north_lat, e.west_lon, e.east_lon from usage u join extent e on "
        "e.auth_name = u.extent_auth_name and e.code = u.extent_code where "
        "u.object_table_name = 'projected_crs' and u.object_auth_name = ? and "
        "u.object_code = ? order by e.code", (auth, code)).fetchone()
    if east < west:  # across the antimeridian
        east += 360.0
    lon = (west + east) / 2
    return (lon - 360.0 if lon > 180.0 else lon), (south + north) / 2


def check_line(db, zone, datum):
    """The test line of one zone: the system defining it and the centre of its area of use."""
    selector = 0 if datum == 27 else 8
    name, _, _, code = conversion(db, zone, datum) if zone else (None,) * 4
    if name is None:
        return "%d %d -" % (zone, selector)
    if zone == GUAM:
        auth, system = "ESRI", GUAM_POLYCONIC[datum]
    else:
        auth, system = "EPSG", next(str(r[0]) for r in systems(db, code)
                                    if not r[2] and str(r[1]) == ELLIPSOID[datum])
    lon, lat = area_centre(db, auth, system)
    return "%d %d %s:%s %.6f %.6f" % (zone, selector, auth, system, lon, lat)


def hotine_centre_origin(a, es, lat_c, azimuth, k, fe, fn):
    """The false origin at the projection centre of a Hotine zone whose false origin is at the
    natural origin."""
    e = math.sqrt(es)
    sin_c, cos_c = math.sin(lat_c), math.cos(lat_c)
    b = math.sqrt(1 + es * cos_c ** 4 / (1 - es))
    big_a = a * b * k * math.sqrt(1 - es) / (1 - es * sin_c ** 2)
    d = b * math.sqrt(1 - es) / (cos_c * math.sqrt(1 - es * sin_c ** 2))
    d2 = max(d * d, 1.0)
    u_c = big_a / b * math.atan(math.sqrt(d2 - 1) / math.cos(azimuth)) * math.copysign(1, lat_c)
    return fe + u_c * math.sin(azimuth), fn + u_c * math.cos(azimuth)


def record(db, zone, datum):
    empty = b"\0" * RECORD
    if zone == 0:
        return empty
    name, method, p, code = conversion(db, zone, datum)
    if name is None:
        return empty
    a, es = ellipsoid(db, datum)
    t = [0.0] * 9
    if method == 9807:  # transverse Mercator
        pid = 1
        t[2] = packed(*p[LON_NAT])
        t[3] = p[K_NAT][0]
        t[6] = packed(*p[LAT_NAT])
        t[7], t[8] = metres(*p[FE]), metres(*p[FN])
    elif method in (9802, 1051):  # Lambert conformal conic, two parallels
        pid = 2
        if method == 1051:  # Michigan: the ellipsoid enlarged by the zones' scale factor
            a *= p[K_MICHIGAN][0]
        t[2] = packed(*p[LON_F])
        t[4] = packed(*p[LAT_2])
        t[5] = packed(*p[LAT_1])
        t[6] = packed(*p[LAT_F])
        t[7], t[8] = metres(*p[E_F]), metres(*p[N_F])
    elif method == 9801:  # Lambert with one parallel at scale 1: both parallels the origin
        pid = 2
        if p[K_NAT][0] != 1.0:
            raise ValueError(name + ": one-parallel Lambert with a scale other than 1")
        t[2] = packed(*p[LON_NAT])
        t[4] = t[5] = t[6] = packed(*p[LAT_NAT])
        t[7], t[8] = metres(*p[FE]), metres(*p[FN])
    elif method == 9831:  # Guam: the polyconic of the same origin
        pid = 3
        t[2] = packed(*p[LON_NAT])
        t[3] = packed(*p[LAT_NAT])
        t[4], t[5] = metres(*p[FE]), metres(*p[FN])
    elif method == 9812:  # Hotine, variant A
        pid = 4
        t[2] = packed(*p[LON_C])
        t[3] = p[K_C][0]
        t[5] = packed(*p[AZIMUTH])
        t[6] = packed(*p[LAT_C])
        t[7], t[8] = hotine_centre_origin(a, es, radians(*p[LAT_C]), radians(*p[AZIMUTH]),
                                          p[K_C][0], metres(*p[FE]), metres(*p[FN]))
    else:
        raise ValueError("%s: method %d" % (name, method))
    t[0], t[1] = a, es
    label = name.encode("latin-1")[:32].ljust(32, b" ")
    return label + struct.pack("<i9d", pid, *t)


def main():
    db = sqlite3.connect(sys.argv[1] if len(sys.argv) > 1 else "/usr/share/proj/proj.db")
    checks = ["# zone selector system centre-longitude centre-latitude, written by "
              "tools/StatePlaneZones.py"]
    for datum, zones in ((27, NAD27), (83, NAD83)):
        data = b"\0" * RECORD + b"".join(record(db, z, datum) for z in zones)
        for folder in OUTPUTS:
            with open(os.path.join(folder, "nad%dsp" % datum), "wb") as f:
                f.write(data)
        checks += [check_line(db, z, datum) for z in zones if z]
        missing = [z for z in zones if z and record(db, z, datum) == b"\0" * RECORD]
        print("nad%dsp: %d zones, none for %s" % (datum, len([z for z in zones if z]) -
                                                 len(missing), missing))
    with open(CHECKS, "w") as f:
        f.write("\n".join(checks) + "\n")


if __name__ == "__main__":
    main()
