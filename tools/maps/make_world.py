#!/usr/bin/python3
"""Builds the world map of the map window and its four overlays in data/.

    apt-get install xplanet-images gmt-dcw python3-pil python3-netcdf4 python3-numpy fonts-dejavu-core
    python3 tools/maps/make_world.py

welt.gif        NASA Visible Earth image of xplanet-images, WORLD_W x WORLD_H
kontinente.gif  continent outlines from the gmt-dcw country polygons
itu-regionen.gif the lines A, B, C of the Radio Regulations and the region numbers
cq-zonen.gif    CQ zone outlines and numbers (ha8tks polygons)
itu-zonen.gif   ITU zone outlines and numbers (ha8tks polygons)

The overlays are palette GIFs whose index 0 is transparent, exactly as
large as welt.gif and in the same projection (see mapcommon.py).
"""

import argparse
import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import mapcommon as mc  # noqa: E402

import numpy as np  # noqa: E402
from PIL import Image, ImageDraw, ImageFilter, ImageFont  # noqa: E402

W, H = mc.WORLD_W, mc.WORLD_H


def make_base(out):
    src = Image.open(mc.EARTH_JPG).convert("RGB")
    img = src.resize((W, H), Image.LANCZOS)
    # A median cut over the whole picture spends most entries on the many
    # shades of ocean; quantising land and water apart keeps the desert,
    # forest and ice tones that would otherwise merge into brown or grey.
    # Water is what is clearly bluer than it is red or green.
    a = np.asarray(img).astype(np.int16)
    r, g, b = a[..., 0], a[..., 1], a[..., 2]
    water = (b > r + 12) & (b >= g)
    pal = []
    for mask, n in ((water, 40), (~water, 200)):
        part = a[mask].astype(np.uint8).reshape(-1, 1, 3)
        q = Image.fromarray(part, "RGB").quantize(colors=n, method=Image.Quantize.MEDIANCUT,
                                                dither=Image.Dither.NONE)
        p = q.getpalette()[: 3 * n]
        pal += p + [0] * (3 * n - len(p))
    pal += [0] * (768 - len(pal))
    ref = Image.new("P", (1, 1))
    ref.putpalette(pal)
    base = img.quantize(palette=ref, dither=Image.Dither.NONE)
    base.save(out, optimize=True)
    return base


class Overlay:
    """A transparent palette picture; index 0 is the transparent colour."""

    def __init__(self, colours):
        self.img = Image.new("P", (W, H), 0)
        pal = [0, 0, 0]
        self.index = {}
        for i, (name, rgb) in enumerate(colours, start=1):
            pal += list(rgb)
            self.index[name] = i
        pal += [0] * (768 - len(pal))
        self.img.putpalette(pal)
        self.draw = ImageDraw.Draw(self.img)

    def polyline(self, coords, colour, width=1):
        lon = np.array([c[0] for c in coords], dtype=float)
        lat = np.array([c[1] for c in coords], dtype=float)
        for off in (-360.0, 0.0, 360.0):
            x, y = mc.project(lon + off, lat)
            if x.max() < 0 or x.min() >= W:
                continue
            pts = list(zip(np.floor(x).astype(int).tolist(), np.floor(y).astype(int).tolist()))
            self.draw.line(pts, fill=self.index[colour], width=width)

    def label(self, lon, lat, text, size, colour, halo="halo"):
        font = ImageFont.truetype(mc.FONT_BOLD, size)
        x, y = mc.project(lon, lat)
        for off in (-W, 0, W):
            cx, cy = float(x) + off, float(y)
            l, t, r, b = font.getbbox(text)
            tw, th = r - l, b - t
            if cx + tw < 0 or cx - tw >= W:
                continue
            mask = Image.new("L", (W, H), 0)
            ImageDraw.Draw(mask).text((round(cx - tw / 2 - l), round(cy - th / 2 - t)), text,
                                      fill=255, font=font)
            ink = mask.point(lambda v: 255 if v >= 128 else 0)
            if halo:
                ring = ink.filter(ImageFilter.MaxFilter(3))
                self.img.paste(self.index[halo], (0, 0), ring)
            self.img.paste(self.index[colour], (0, 0), ink)

    def save(self, out):
        self.img.save(out, transparency=0, optimize=False)


def zone_overlay(geojson, line_rgb, text_rgb, size, out):
    ov = Overlay([("line", line_rgb), ("text", text_rgb), ("halo", (0, 0, 0))])
    feats = mc.load_geojson(geojson)["features"]
    for f in feats:
        if f["geometry"]["type"] == "LineString":
            ov.polyline(f["geometry"]["coordinates"], "line")
    for f in feats:
        if f["geometry"]["type"] == "Point":
            lon, lat = f["geometry"]["coordinates"][:2]
            ov.label(lon, lat, f["properties"]["name"], size, "text")
    ov.save(out)


def region_overlay(out):
    ov = Overlay([("line", (255, 230, 0)), ("text", (255, 230, 0)), ("halo", (0, 0, 0))])
    for f in mc.load_geojson("itu_region_lines_derived.geojson")["features"]:
        ov.polyline(f["geometry"]["coordinates"], "line", width=2)
    # Region numbers well inside each region, away from the countries that
    # the Radio Regulations place in another region than the lines do.
    for lon, lat, text in ((15, 8, "1"), (-100, -25, "2"), (95, -15, "3"), (-150, -20, "3")):
        ov.label(lon, lat, text, 22, "text")
    ov.save(out)


# The continent of the DXCC lists where the country list of gmt-dcw puts a
# body elsewhere; Russia is split at the Urals by mc.russia_parts().
CONTINENT_FIX = {"CY": "AS", "GL": "NA"}
CONT_RGB = {
    "EU": (255, 80, 80), "AS": (255, 220, 0), "AF": (255, 150, 0), "NA": (80, 255, 80),
    "SA": (0, 230, 230), "OC": (255, 100, 255), "AN": (30, 80, 255),  # blue shows on the ice
}
CONT_LABEL = {"EU": (15, 55), "AS": (90, 45), "AF": (20, 5), "NA": (-100, 45),
              "SA": (-60, -12), "OC": (135, -25), "AN": (0, -80)}


def continent_bodies(dcw):
    countries = mc.read_countries()
    out = []
    for code, (cont, _) in countries.items():
        cont = CONTINENT_FIX.get(code, cont)
        if code == "RU":
            eu, asia = mc.russia_parts(dcw)
            out += [("EU", dcw.rings(c)) for c in eu] + [("AS", dcw.rings(c)) for c in asia]
            continue
        if code in dcw.codes:
            out.append((cont, dcw.rings(code)))
    return out


def continent_overlay(dcw, out):
    order = list(CONT_RGB)
    label = Image.new("L", (W, H), 0)
    d = ImageDraw.Draw(label)
    for cont, rings in continent_bodies(dcw):
        v = order.index(cont) + 1
        for ring in rings:
            for off in (-360.0, 0.0, 360.0):
                x, y = mc.project(ring[:, 0] + off, ring[:, 1])
                if x.max() < 0 or x.min() >= W:
                    continue
                pts = list(zip(np.floor(x).astype(int).tolist(), np.floor(y).astype(int).tolist()))
                d.polygon(pts, fill=v)
    lab = np.asarray(label)
    edge = np.zeros_like(lab, dtype=bool)
    # A land pixel whose neighbour is sea or another continent is an edge;
    # left and right edges wrap, the poles do not.
    for dy, dx in ((0, 1), (0, -1), (1, 0), (-1, 0)):
        nb = np.roll(lab, (dy, dx), axis=(0, 1))
        if dy == 1:
            nb[0, :] = lab[0, :]
        if dy == -1:
            nb[-1, :] = lab[-1, :]
        edge |= (lab > 0) & (nb != lab)
    ov = Overlay([(c, CONT_RGB[c]) for c in order] + [("halo", (0, 0, 0))])
    px = np.where(edge, lab, 0).astype(np.uint8)
    ov.img = Image.fromarray(px, "P")
    ov.img.putpalette([0, 0, 0] + [v for c in order for v in CONT_RGB[c]] + [0, 0, 0] + [0] * (768 - 3 * (len(order) + 2)))
    ov.draw = ImageDraw.Draw(ov.img)
    for c, (lon, lat) in CONT_LABEL.items():
        ov.label(lon, lat, c, 16, c)
    ov.save(out)


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--out", default=os.path.join(mc.REPO, "data"))
    args = ap.parse_args()
    os.makedirs(args.out, exist_ok=True)
    make_base(os.path.join(args.out, "welt.gif"))
    dcw = mc.Dcw()
    continent_overlay(dcw, os.path.join(args.out, "kontinente.gif"))
    region_overlay(os.path.join(args.out, "itu-regionen.gif"))
    zone_overlay("cq_zones_ha8tks.geojson", (255, 0, 255), (255, 255, 255), 12,
                 os.path.join(args.out, "cq-zonen.gif"))
    zone_overlay("itu_zones_ha8tks.geojson", (0, 220, 255), (255, 255, 160), 11,
                 os.path.join(args.out, "itu-zonen.gif"))
    for n in ("welt", "kontinente", "itu-regionen", "cq-zonen", "itu-zonen"):
        p = os.path.join(args.out, n + ".gif")
        print(f"{p}: {os.path.getsize(p)} bytes")


if __name__ == "__main__":
    main()
