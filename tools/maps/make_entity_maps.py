#!/usr/bin/python3
"""Builds data/Maps/<main prefix>.gif for every entity of data/DXCC.csv.

    apt-get install xplanet-images gmt-dcw python3-pil python3-netcdf4 python3-numpy fonts-dejavu-core
    python3 tools/maps/make_entity_maps.py

Each picture is a crop of the NASA base image around the entity, in a
plate carree whose width is stretched by 1/cos(latitude of the centre) so
that shapes look right at that latitude. The entity's gmt-dcw polygons are
outlined in red, the borders of the other countries in grey, its reference
position from DXCC.csv is a yellow dot and a grid of degrees is labelled at
the edges. Entities without a matching polygon show the dot on a regional
crop. The file name is the main prefix in lower case with "/" as "-".

Entities are matched to gmt-dcw bodies through the ISO code of
../shared/data-sources/tz/dxcc_to_tz_derived.csv, corrected in CODES below.
When several entities share a body (Spain, the Canaries, the Balearics ...),
each island entity takes the rings within its RADIUS of its reference
position and the mainland entity the rest; see assign_rings().
A summary of the matching is written to stdout.
"""

import argparse
import csv
import math
import os
import sys
from collections import defaultdict

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import mapcommon as mc  # noqa: E402

import numpy as np  # noqa: E402
from PIL import Image, ImageDraw, ImageFont  # noqa: E402

PW, PH = 320, 240

# Bodies where the ISO hint is absent, too coarse or wrong. An empty list
# means no polygon describes the entity alone: it is shown by position.
CODES = {
    "1A": [], "1S": [], "OJ0": [], "4U1I": [], "4U1U": [], "BS7": [],
    "GI": ["GB"], "GM": [], "GW": [], "ZC4": [], "SV/A": [], "KG4": [], "KP5": [],
    "VR": ["CNHK"], "XX9": ["CNMO"],
    "VP8/G": ["GS"], "VP8/S": ["GS"], "VP8/H": [], "VP8/O": [], "3Y/P": [],
    "VK9N": ["NF"], "FR": ["RE"], "FJ": ["BL"], "FS": ["MF"],
    "KL": ["USAK"], "KH6": ["USHI"], "KH7K": ["USHI"],
    "KH1": ["UM"], "KH3": ["UM"], "KH4": ["UM"], "KH5": ["UM"], "KH9": ["UM"], "KP1": ["UM"],
    "UA2": ["RUKGD"], "R1FJ": ["RUARK"],
}

# How far (degrees of arc) an island entity reaches from its reference
# position when it shares a body with others; 1 degree unless given. The
# values follow the extent of each group of islands.
RADIUS = {
    "EA8": 3.5, "CU": 4.0, "CT3": 1.5, "EA6": 1.5, "EA9": 3.0, "HC8": 2.5, "R1FJ": 3.0,
    "ZL9": 3.8, "ZL7": 1.5, "ZL8": 2.0, "VU4": 6.0, "VU7": 3.0, "PY0F": 0.5, "PY0S": 0.5,
    "PY0T": 1.5, "JD/O": 3.0, "JD/M": 0.5, "FO/A": 4.5, "FO/M": 3.0, "FO/C": 0.5,
    "CE0X": 0.5, "CE0Y": 0.5, "CE0Z": 2.0, "3B6": 7.0, "3B9": 1.0, "FT/J": 6.0,
    "FT/G": 0.5, "FT/T": 0.5, "FT/W": 2.0, "FT/Z": 1.0, "KH8/S": 0.5, "VK0M": 1.0,
    "VK9L": 1.0, "VK9M": 0.5, "VK9W": 0.5, "VP6": 2.0, "TI9": 0.5, "HK0/A": 1.0, "HK0/M": 0.5,
    "XF4": 4.0, "YV0": 0.5, "ZS8": 1.0, "3C0": 0.5, "CY0": 0.3, "CY9": 0.1, "JX": 0.5,
    "H40": 2.5, "E5/N": 5.0, "E5/S": 4.0, "3D2/R": 0.5, "3D2/C": 0.5, "ZD9": 4.0,
    "SV5": 1.7, "SV9": 0.5, "IS": 0.7, "TK": 0.5, "GI": 0.3, "9M6": 1.5, "PJ5": 0.6,
    "KH7K": 1.0, "BV9P": 0.5, "T31": 4.0, "T32": 8.0, "T33": 0.5,
}
MAIN_REACH = 20.0
N_SEA, N_LAND = 3, 12

RED = (255, 30, 30)
PALETTE_EXTRA = {
    "outline": RED, "border": (170, 170, 170), "grid": (215, 215, 215),
    "dot": (255, 235, 0), "black": (0, 0, 0), "text": (255, 255, 255),
}


def entity_codes(ent, hints, dcw):
    p = ent["prefix"]
    if p == "K":
        return [c for c in dcw.codes if c.startswith("US") and len(c) == 4 and c not in ("USAK", "USHI")]
    if p in ("UA", "UA9"):
        eu, asia = mc.russia_parts(dcw)
        return [c for c in (asia if p == "UA9" else eu) if c != "RUKGD"]
    if p == "BY":
        return [c for c in dcw.codes if c.startswith("CN") and len(c) == 4
                and c not in ("CNTW", "CNHK", "CNMO")]
    if p in CODES:
        return CODES[p]
    h = hints.get(p.upper())
    return [h] if h and h in dcw.codes else []


def assign_rings(ents, hints, dcw):
    """Entity prefix -> list of rings (unwrapped near the entity)."""
    claim = defaultdict(list)  # code -> entities
    for e in ents:
        for c in entity_codes(e, hints, dcw):
            claim[c].append(e)
    got = defaultdict(list)
    for code, cl in claim.items():
        rings = dcw.rings(code)
        if len(cl) == 1:
            got[cl[0]["prefix"]].extend(rings)
            continue
        big = max(rings, key=mc.ring_area)
        # The mainland entity is the one nearest to the largest ring (its
        # reference position may lie on a smaller island, as Hawaii's does).
        near_big = sorted((mc.ground_distance(e["lon"], e["lat"], big), i) for i, e in enumerate(cl))
        main = cl[near_big[0][1]] if near_big[0][0] < 3.0 and (
            len(near_big) == 1 or near_big[1][0] > near_big[0][0]) else None
        for ring in rings:
            dist = {e["prefix"]: mc.ground_distance(e["lon"], e["lat"], ring) for e in cl}
            protected = main is not None and dist[main["prefix"]] == 0.0
            best = None
            if not protected:
                near = [(dist[e["prefix"]], e["prefix"]) for e in cl
                        if e is not main and dist[e["prefix"]] <= RADIUS.get(e["prefix"], 1.0)]
                if near:
                    best = min(near)[1]
            if best is None and main is not None and dist[main["prefix"]] <= MAIN_REACH:
                best = main["prefix"]
            if best:
                got[best].append(ring)
    return got


def unwrap_near(ring, lon):
    c = ring[:, 0].mean()
    return ring + [[360.0 * round((lon - c) / 360.0), 0.0]]


def choose_window(ent, rings):
    """lon0, lon1, lat0, lat1 of the picture."""
    lon, lat = ent["lon"], ent["lat"]
    if rings:
        pts = np.vstack([unwrap_near(r, lon) for r in rings])
        x0, x1 = min(pts[:, 0].min(), lon), max(pts[:, 0].max(), lon)
        y0, y1 = min(pts[:, 1].min(), lat), max(pts[:, 1].max(), lat)
        # An entity that is one dot at any scale is shown in its region.
        min_v = 10.0
    else:
        x0 = x1 = lon
        y0 = y1 = lat
        min_v = 16.0
    cy = (y0 + y1) / 2
    cx = (x0 + x1) / 2
    cosl = max(math.cos(math.radians(cy)), 0.25)
    fill = 0.65
    aspect = PW / PH
    v = max((y1 - y0) / fill, (x1 - x0) * cosl / (aspect * fill), min_v)
    v = min(v, 180.0)
    hspan = v * aspect / cosl
    if hspan > 360.0:
        # Round the pole: the whole width, and only as tall as needed.
        hspan = 360.0
        v = max((y1 - y0) / fill, min_v)
    lat0, lat1 = cy - v / 2, cy + v / 2
    if lat1 > 90:
        lat0, lat1 = lat0 - (lat1 - 90), 90.0
    if lat0 < -90:
        lat0, lat1 = -90.0, lat1 + (-90 - lat0)
    return cx - hspan / 2, cx + hspan / 2, max(lat0, -90.0), min(lat1, 90.0)


class Renderer:
    def __init__(self, dcw):
        src = Image.open(mc.EARTH_JPG).convert("RGB")
        self.sw, self.sh = src.size
        self.tiled = Image.new("RGB", (3 * self.sw, self.sh))
        for i in range(3):
            self.tiled.paste(src, (i * self.sw, 0))
        self.font = ImageFont.truetype(mc.FONT, 9)
        # Country borders for orientation: one body per country, with a box
        # per ring so that a picture draws only what it shows.
        self.borders = []
        for code in mc.read_countries():
            if code in dcw.codes:
                for r in dcw.rings(code):
                    self.borders.append((r, r[:, 0].min(), r[:, 0].max(), r[:, 1].min(), r[:, 1].max()))

    def render(self, ent, rings, out):
        lon0, lon1, lat0, lat1 = choose_window(ent, rings)
        sx = lambda lon: (lon + 180.0) / 360.0 * self.sw + self.sw  # noqa: E731
        sy = lambda lat: (90.0 - lat) / 180.0 * self.sh  # noqa: E731
        crop = self.tiled.transform((PW, PH), Image.EXTENT, (sx(lon0), sy(lat1), sx(lon1), sy(lat0)),
                                    resample=Image.BILINEAR)
        base, n_base = flatten(crop)
        pal = base.getpalette()[: 3 * n_base]
        idx = {}
        for i, (name, rgb) in enumerate(PALETTE_EXTRA.items()):
            idx[name] = n_base + i
            pal += list(rgb)
        pal += [0] * (768 - len(pal))
        base.putpalette(pal)
        d = ImageDraw.Draw(base)

        def px(r):
            x = (r[:, 0] - lon0) / (lon1 - lon0) * PW
            y = (lat1 - r[:, 1]) / (lat1 - lat0) * PH
            p = np.column_stack([np.floor(x), np.floor(y)]).astype(int)
            keep = np.ones(len(p), bool)
            keep[1:] = np.any(p[1:] != p[:-1], axis=1)
            return [tuple(v) for v in p[keep].tolist()]

        def shifts(xmin, xmax):
            for off in (-360.0, 0.0, 360.0):
                if xmax + off >= lon0 and xmin + off <= lon1:
                    yield off

        for r, xmin, xmax, ymin, ymax in self.borders:
            if ymax < lat0 or ymin > lat1:
                continue
            for off in shifts(xmin, xmax):
                d.line(px(r + [[off, 0.0]]), fill=idx["border"], width=1)

        step = next(s for s in (1, 2, 5, 10, 15, 20, 30, 45, 60) if (lat1 - lat0) / s <= 5)
        xstep = next(s for s in (1, 2, 5, 10, 15, 20, 30, 45, 60) if s >= step and (lon1 - lon0) / s <= 6)
        labels = []
        g = math.ceil(lat0 / step) * step
        while g <= lat1:
            y = int((lat1 - g) / (lat1 - lat0) * PH)
            if 0 <= y < PH:
                d.line([(0, y), (PW - 1, y)], fill=idx["grid"])
                labels.append((2, y + 1, f"{abs(g):g}°{'N' if g > 0 else 'S' if g < 0 else ''}"))
            g += step
        g = math.ceil(lon0 / xstep) * xstep
        while g <= lon1:
            x = int((g - lon0) / (lon1 - lon0) * PW)
            if 0 <= x < PW:
                d.line([(x, 0), (x, PH - 1)], fill=idx["grid"])
                gl = (g + 180) % 360 - 180
                labels.append((x + 2, PH - 11, f"{abs(gl):g}°{'E' if gl > 0 else 'W' if gl < 0 and gl != -180 else ''}"))
            g += xstep

        # The outline is the rim of the filled rings, so that the inner
        # borders of an entity made of several states or regions vanish.
        mask = Image.new("1", (PW, PH), 0)
        md = ImageDraw.Draw(mask)
        for r in rings:
            r = unwrap_near(r, ent["lon"])
            for off in shifts(r[:, 0].min(), r[:, 0].max()):
                pts = px(r + [[off, 0.0]])
                if len(pts) > 2:
                    md.polygon(pts, fill=1)
                else:
                    md.point(pts, fill=1)
        m = np.asarray(mask, dtype=bool)
        inner = m.copy()
        inner[1:, :] &= m[:-1, :]
        inner[:-1, :] &= m[1:, :]
        inner[:, 1:] &= m[:, :-1]
        inner[:, :-1] &= m[:, 1:]
        rim = m & ~inner
        thick = rim.copy()
        thick[1:, :] |= rim[:-1, :]
        thick[:, 1:] |= rim[:, :-1]
        a = np.asarray(base).copy()
        a[thick] = idx["outline"]
        base = Image.fromarray(a, "P")
        base.putpalette(pal)
        d = ImageDraw.Draw(base)

        for x, y, text in labels:
            for dx in (-1, 0, 1):
                for dy in (-1, 0, 1):
                    d.text((x + dx, y + dy), text, fill=idx["black"], font=self.font)
            d.text((x, y), text, fill=idx["text"], font=self.font)

        lon = ent["lon"]
        lon += 360.0 * round(((lon0 + lon1) / 2 - lon) / 360.0)
        x = (lon - lon0) / (lon1 - lon0) * PW
        y = (lat1 - ent["lat"]) / (lat1 - lat0) * PH
        # Cross hairs with an open centre: a small island stays visible
        # where they point.
        x, y = int(x), int(y)
        arms = [((x - 10, y), (x - 4, y)), ((x + 4, y), (x + 10, y)),
                ((x, y - 10), (x, y - 4)), ((x, y + 4), (x, y + 10))]
        for a, b in arms:
            d.line([a, b], fill=idx["black"], width=4)
        for a, b in arms:
            d.line([a, b], fill=idx["dot"], width=2)
        base.save(out, optimize=True)
        return lon0, lon1, lat0, lat1


def flatten(crop):
    """Few colours that still tell sea, land and ice apart.

    Water (clearly bluer than red, and not greener) is smoothed hard and
    gets few shades of its own, land is median-filtered and gets the
    rest; this keeps a picture near 10 KB, most of it land.
    """
    from PIL import ImageFilter
    a = np.asarray(crop).astype(np.int16)
    water = (a[..., 2] > a[..., 0] + 12) & (a[..., 2] >= a[..., 1])
    sea = np.asarray(crop.filter(ImageFilter.GaussianBlur(4))).astype(np.int16)
    land = np.asarray(crop.filter(ImageFilter.MedianFilter(5))).astype(np.int16)
    a = np.where(water[..., None], sea, land)
    out = np.zeros(water.shape, np.uint8)
    pal = []
    for m, n in ((water, N_SEA), (~water, N_LAND)):
        if m.any():
            part = Image.fromarray(a[m].astype(np.uint8).reshape(-1, 1, 3), "RGB")
            q = part.quantize(colors=n, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE)
            p = q.getpalette()[: 3 * n]
            out[m] = np.asarray(q).reshape(-1) + len(pal) // 3
        else:
            p = []
        pal += p + [0] * (3 * n - len(p))
    img = Image.fromarray(out, "P")
    img.putpalette(pal + [0] * (768 - len(pal)))
    img = img.filter(ImageFilter.ModeFilter(3))
    return img, N_SEA + N_LAND


def read_hints():
    path = os.path.join(mc.SHARED, "tz", "dxcc_to_tz_derived.csv")
    with open(path, encoding="utf-8") as f:
        return {r["cty_prefix"].upper(): r["iso2_k0swe"] for r in csv.DictReader(f)}


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--out", default=os.path.join(mc.REPO, "data", "Maps"))
    ap.add_argument("--only", nargs="*", help="main prefixes to draw (default: all)")
    args = ap.parse_args()
    os.makedirs(args.out, exist_ok=True)
    ents = mc.read_dxcc()
    dcw = mc.Dcw()
    got = assign_rings(ents, read_hints(), dcw)
    rend = Renderer(dcw)
    with_outline = 0
    for e in ents:
        rings = got.get(e["prefix"], [])
        with_outline += bool(rings)
        if args.only and e["prefix"] not in args.only:
            continue
        out = os.path.join(args.out, mc.map_file_name(e["prefix"]))
        w = rend.render(e, rings, out)
        print(f"{e['prefix']:7s} {len(rings):5d} rings  window {w[0]:8.2f} {w[1]:8.2f} {w[2]:7.2f} {w[3]:7.2f}"
              f"  {e['name']}")
    print(f"{len(ents)} entities, {with_outline} with an outline, {len(ents) - with_outline} by position only")


if __name__ == "__main__":
    main()
