"""Shared pieces of the map generators: sources, projection, DCW reader.

All pictures use the plate carree of the base image: x grows with
longitude from -180 at the left edge, y grows southward from +90 at the
top, so a point (lon, lat) lies at
    x = (lon + 180) / 360 * W,   y = (90 - lat) / 180 * H
and the pixel it falls in is (floor(x), floor(y)).
"""

import json
import math
import os

try:
    import netCDF4  # noqa: F401
    import numpy as np
    import PIL  # noqa: F401
except ImportError as missing:
    raise SystemExit(f"{missing}: apt-get install python3-pil python3-netcdf4 python3-numpy "
                     "and run Debian's python3 (/usr/bin/python3)")

REPO = os.path.normpath(os.path.join(os.path.dirname(__file__), "..", ".."))
SHARED = os.path.normpath(os.path.join(REPO, "..", "shared", "data-sources"))

EARTH_JPG = "/usr/share/xplanet/images/earth.jpg"
DCW_NC = "/usr/share/gmt-dcw/dcw-gmt.nc"
DCW_COUNTRIES = "/usr/share/gmt-dcw/dcw-countries.txt"
FONT_BOLD = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"
FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"

# The world map window shows the picture 1:1, so this is also the size of
# its map area: 2.5 pixels per degree fits a 1366x768 screen with the
# entry rows below the map, and keeps the European zone numbers legible.
WORLD_W = 900
WORLD_H = 450


def project(lon, lat, w=WORLD_W, h=WORLD_H):
    return (np.asarray(lon) + 180.0) / 360.0 * w, (90.0 - np.asarray(lat)) / 180.0 * h


class Dcw:
    """Country and state polygons of gmt-dcw (netCDF, 16-bit packed).

    Each body is stored as two uint16 arrays; 65535 in the longitude array
    starts a new ring, other values unpack as raw / scale + min.
    """

    def __init__(self, path=DCW_NC):
        import netCDF4
        self.ds = netCDF4.Dataset(path)
        self.ds.set_auto_maskandscale(False)
        self.codes = sorted({k[:-4] for k in self.ds.variables if k.endswith("_lon")})
        self._cache = {}

    def rings(self, code):
        if code in self._cache:
            return self._cache[code]
        vx = self.ds.variables[code + "_lon"]
        vy = self.ds.variables[code + "_lat"]
        rx = vx[:].astype(np.int64)
        ry = vy[:].astype(np.int64)
        lon = rx / float(vx.getncattr("scale")) + float(vx.getncattr("min"))
        lat = ry / float(vy.getncattr("scale")) + float(vy.getncattr("min"))
        cuts = np.flatnonzero(rx == 65535)
        bounds = list(cuts) + [len(rx)]
        out = []
        start = 0
        for b in bounds:
            if b - start >= 3:
                ring = np.column_stack([lon[start:b], lat[start:b]])
                # Rings are stored in 0..360 or -180..180; bring each one
                # to a centre within -180..180 and keep it unwrapped.
                c = ring[:, 0].mean()
                if c > 180:
                    ring[:, 0] -= 360
                elif c < -180:
                    ring[:, 0] += 360
                jumps = np.flatnonzero(np.abs(np.diff(ring[:, 0])) > 180.0)
                if len(jumps) == 1:
                    # A ring round the pole (Antarctica) is stored open
                    # at the date line; start it there and close it over
                    # the pole so that it can be filled.
                    ring = np.roll(ring, -(jumps[0] + 1), axis=0)
                    pole = -90.0 if ring[:, 1].mean() < 0 else 90.0
                    ring = np.vstack([ring, [[ring[-1, 0], pole], [ring[0, 0], pole]]])
                out.append(ring)
            start = b + 1
        self._cache[code] = out
        return out


def read_countries():
    """DCW code -> (continent, name) from the list gmt-dcw ships."""
    out = {}
    with open(DCW_COUNTRIES, encoding="utf-8") as f:
        for line in f:
            if line.startswith("#") or not line.strip():
                continue
            cont, code, name = line.rstrip("\n").split(" ", 2)
            out[code] = (cont, name)
    return out


def read_dxcc(path=None):
    """Entities of data/DXCC.csv: dicts with prefix, name, cont, lon, lat."""
    path = path or os.path.join(REPO, "data", "DXCC.csv")
    out = []
    with open(path, encoding="latin-1") as f:
        next(f)
        for line in f:
            p = line.rstrip("\r\n").split(";")
            if len(p) < 18:
                continue
            out.append({
                "nr": p[0], "name": p[1], "cont": p[2],
                "lon": float(p[5].replace(",", ".")),
                "lat": float(p[6].replace(",", ".")),
                "prefix": p[17],
            })
    return out


def map_file_name(main_prefix):
    return main_prefix.lower().replace("/", "-") + ".gif"


def load_geojson(name):
    with open(os.path.join(SHARED, "zones", name), encoding="utf-8") as f:
        return json.load(f)


def ring_area(ring):
    x, y = ring[:, 0], ring[:, 1]
    return 0.5 * abs(np.dot(x, np.roll(y, 1)) - np.dot(y, np.roll(x, 1)))


def point_in_ring(lon, lat, ring):
    x, y = ring[:, 0], ring[:, 1]
    x2, y2 = np.roll(x, -1), np.roll(y, -1)
    crosses = ((y > lat) != (y2 > lat))
    with np.errstate(divide="ignore", invalid="ignore"):
        xi = x + (lat - y) * (x2 - x) / (y2 - y)
    return bool(np.count_nonzero(crosses & (lon < xi)) % 2)


def ground_distance(lon, lat, ring):
    """Degrees of arc (flat approximation) from a point to a ring; 0 inside."""
    for off in (0.0, 360.0, -360.0):
        if point_in_ring(lon + off, lat, ring):
            return 0.0
    dlat = ring[:, 1] - lat
    dlon = np.abs(ring[:, 0] - lon) % 360.0
    dlon = np.minimum(dlon, 360.0 - dlon) * math.cos(math.radians(lat))
    return float(np.sqrt(dlat * dlat + dlon * dlon).min())


def russia_parts(dcw):
    """The Russian federal subjects of gmt-dcw, split as the DXCC lists do:
    (European codes, Asiatic codes). The Ural watershed runs near 59-60 E;
    a subject whose largest ring lies east of it is Asiatic Russia
    (Chukotka's ring runs across the date line, hence the modulo)."""
    eu, asia = [], []
    for code in dcw.codes:
        if code.startswith("RU") and len(code) > 2:
            big = max(dcw.rings(code), key=ring_area)
            (asia if big[:, 0].mean() % 360.0 > 59.5 else eu).append(code)
    return eu, asia
