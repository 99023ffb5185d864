#!/usr/bin/env python3
"""Builds the .SHE skins from skins.txt.

usage: make_skins.py skins.txt OUTDIR
Writes OUTDIR/skinNN.she for every line and OUTDIR/skins.rc, which names them as RCDATA
1001..1033 (skin n at 1000 + n). The layout of a .SHE file is described in engine/skin_format.h.
"""
import random
import struct
import sys
import zlib

COLOUR_NAMES = [
    "WindowBg", "WindowText", "CaptionFrom", "CaptionTo", "CaptionText", "InactiveFrom",
    "InactiveTo", "InactiveText", "FrameOuter", "FrameInner", "ButtonFrom", "ButtonTo",
    "ButtonBorder", "ButtonText", "ButtonHotFrom", "ButtonHotTo", "ButtonPressFrom",
    "ButtonPressTo", "DisabledText", "TabFrom", "TabTo", "TabSelFrom", "TabSelTo", "TabText",
    "TabSelText", "PageBorder", "HeaderFrom", "HeaderTo", "HeaderText", "ListBg", "ListText",
    "ListAltRow", "SelectionBg", "SelectionText", "CaptionButton", "CaptionButtonHot",
    "CloseHot", "Glyph", "Accent",
]
SHAPES = {"square": 0, "rounded": 1, "round": 2}
CAPTION_HEIGHT = 24  # height of the caption pictures; the engine stretches them to the caption


def rgb(text):
    text = text.lstrip("#")
    return tuple(int(text[i:i + 2], 16) for i in (0, 2, 4))


def mix(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def lighten(c, t):
    return mix(c, (255, 255, 255), t)


def darken(c, t):
    return mix(c, (0, 0, 0), t)


def luminance(c):
    return 0.299 * c[0] + 0.587 * c[1] + 0.114 * c[2]


def grey(c):
    y = round(luminance(c))
    return (y, y, y)


def on(c):
    """Text that reads well on c."""
    return (255, 255, 255) if luminance(c) < 150 else (28, 30, 34)


def colours(s):
    bg, text, cap1, cap2 = s["window"], s["text"], s["caption1"], s["caption2"]
    b1, b2, accent = s["button1"], s["button2"], s["accent"]
    dark = luminance(bg) < 100
    inactive1 = mix(mix(cap1, grey(cap1), 0.7), bg, 0.35)
    inactive2 = mix(mix(cap2, grey(cap2), 0.7), bg, 0.35)
    list_bg = lighten(bg, 0.08) if dark else lighten(bg, 0.8)
    hot = (lambda c: lighten(c, 0.12)) if not dark else (lambda c: lighten(c, 0.1))
    c = {
        "WindowBg": bg, "WindowText": text,
        "CaptionFrom": cap1, "CaptionTo": cap2, "CaptionText": on(mix(cap1, cap2, 0.5)),
        "InactiveFrom": inactive1, "InactiveTo": inactive2,
        "InactiveText": mix(on(mix(inactive1, inactive2, 0.5)), mix(inactive1, inactive2, 0.5), 0.3),
        "FrameOuter": darken(cap2, 0.4), "FrameInner": cap2,
        "ButtonFrom": b1, "ButtonTo": b2, "ButtonBorder": darken(mix(b2, accent, 0.3), 0.3 if not dark else 0.0),
        "ButtonText": on(mix(b1, b2, 0.5)),
        "ButtonHotFrom": hot(mix(b1, accent, 0.08)), "ButtonHotTo": hot(mix(b2, accent, 0.15)),
        "ButtonPressFrom": darken(mix(b2, accent, 0.2), 0.08), "ButtonPressTo": darken(b1, 0.04),
        "DisabledText": mix(text, bg, 0.55),
        "TabFrom": mix(b1, bg, 0.5), "TabTo": mix(b2, bg, 0.3),
        "TabSelFrom": lighten(bg, 0.6) if not dark else lighten(bg, 0.12), "TabSelTo": bg,
        "TabText": mix(text, bg, 0.25), "TabSelText": text,
        "PageBorder": darken(bg, 0.22) if not dark else lighten(bg, 0.22),
        "HeaderFrom": lighten(b1, 0.3) if not dark else lighten(b1, 0.05), "HeaderTo": b2,
        "HeaderText": on(mix(b1, b2, 0.5)),
        "ListBg": list_bg, "ListText": text, "ListAltRow": mix(list_bg, accent, 0.06),
        "SelectionBg": accent, "SelectionText": on(accent),
        "CaptionButton": mix(cap2, (255, 255, 255), 0.12), "CaptionButtonHot": mix(cap2, (255, 255, 255), 0.35),
        "CloseHot": (212, 64, 52), "Glyph": on(mix(cap1, cap2, 0.5)), "Accent": accent,
    }
    return [c[name] for name in COLOUR_NAMES]


def picture(width, height, pixel):
    return width, height, [pixel(x, y) for y in range(height) for x in range(width)]


def background_pattern(kind, bg, seed):
    rnd = random.Random(seed)
    dark = luminance(bg) < 100
    up = (lambda c, t: lighten(c, t)) if dark else (lambda c, t: darken(c, t))
    if kind == "none":
        return None
    if kind == "dots":
        return picture(8, 8, lambda x, y: up(bg, 0.05) if (x, y) in ((1, 1), (5, 5)) else bg)
    if kind == "grid":
        return picture(16, 16, lambda x, y: up(bg, 0.035) if x == 0 or y == 0 else bg)
    if kind == "diagonal":
        return picture(8, 8, lambda x, y: up(bg, 0.035) if (x + y) % 8 == 0 else bg)
    if kind == "checks":
        return picture(4, 4, lambda x, y: up(bg, 0.025) if (x // 2 + y // 2) % 2 else bg)
    if kind == "waves":
        return picture(32, 8, lambda x, y: up(bg, 0.04) if y == round(3.5 + 2.5 * __import__("math").sin(x / 32 * 6.2832)) else bg)
    if kind == "noise":
        noise = [rnd.uniform(-0.025, 0.025) for _ in range(32 * 32)]
        return picture(32, 32, lambda x, y: lighten(bg, noise[y * 32 + x]) if noise[y * 32 + x] > 0 else darken(bg, -noise[y * 32 + x]))
    if kind == "linen":
        return picture(16, 16, lambda x, y: up(bg, 0.03 if (x % 4 == 0) != (y % 4 == 0) else 0.0))
    if kind == "brushed":
        rows = [rnd.uniform(-0.03, 0.03) for _ in range(64)]
        return picture(64, 64, lambda x, y: lighten(bg, rows[(y + x // 16) % 64]) if rows[(y + x // 16) % 64] > 0 else darken(bg, -rows[(y + x // 16) % 64]))
    raise ValueError("unknown pattern " + kind)


def caption_picture(kind, cap1, cap2, gloss, seed):
    rnd = random.Random(seed)
    h = CAPTION_HEIGHT

    def column(y):
        return mix(cap1, cap2, y / (h - 1))

    if kind == "gradient":
        return None
    if kind == "glass":
        g = gloss / 255 * 0.35
        return picture(4, h, lambda x, y: lighten(column(y), g * (1 - y / (h / 2))) if y < h / 2 else darken(column(y), 0.04 * (y - h / 2) / (h / 2)))
    if kind == "brushed":
        streak = [rnd.uniform(-0.05, 0.05) for _ in range(h)]
        wobble = [rnd.uniform(-0.02, 0.02) for _ in range(64)]
        def px(x, y):
            t = streak[y] + wobble[x]
            return lighten(column(y), t) if t > 0 else darken(column(y), -t)
        return picture(64, h, px)
    if kind == "stripes":
        return picture(16, h, lambda x, y: lighten(column(y), 0.06) if (x + y) % 16 < 4 else column(y))
    raise ValueError("unknown caption " + kind)


def section(tag, payload):
    body = tag.encode("ascii") + struct.pack("<I", len(payload)) + payload
    return body + b"\0" * (-len(payload) % 4)


def bitmap(ident, pic):
    w, h, pixels = pic
    data = struct.pack("<HHHH", ident, w, h, 0)
    data += b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in pixels)
    return section("BITM", data)


def build(s):
    body = section("NAME", s["name"].encode("ascii"))
    body += section("COLR", b"".join(struct.pack("<BBBB", r, g, b, 0) for r, g, b in colours(s)))
    align, weight = s["title"].split(",")
    metrics = [s["radius"], s["tab"], SHAPES[s["shape"]], s["gloss"], 1 if weight == "bold" else 0,
               1 if align == "centre" else 0, s["frame"], 0]
    body += section("METR", bytes(metrics))
    cap = caption_picture(s["caption"], s["caption1"], s["caption2"], s["gloss"], s["n"])
    if cap:
        body += bitmap(1, cap)
    pattern = background_pattern(s["pattern"], s["window"], s["n"] * 7919)
    if pattern:
        body += bitmap(2, pattern)
    total = 16 + len(body)
    header = b".SHE" + struct.pack("<HHII", 1, 16, total, zlib.crc32(body) & 0xFFFFFFFF)
    return header + body


def read_table(path):
    fields = ["n", "name", "window", "text", "caption1", "caption2", "button1", "button2", "accent",
              "radius", "tab", "shape", "gloss", "title", "frame", "pattern", "caption"]
    skins = []
    for line in open(path, encoding="utf-8"):
        line = line.split("#", 1)[0] if line.lstrip().startswith("#") else line
        parts = line.split()
        if not parts:
            continue
        if len(parts) != len(fields):
            raise SystemExit(f"{path}: a line with {len(parts)} fields: {line.strip()}")
        s = dict(zip(fields, parts))
        for key in ("n", "radius", "tab", "gloss", "frame"):
            s[key] = int(s[key])
        for key in ("window", "text", "caption1", "caption2", "button1", "button2", "accent"):
            s[key] = rgb(s[key])
        skins.append(s)
    numbers = [s["n"] for s in skins]
    if numbers != list(range(1, 34)):
        raise SystemExit(f"{path}: skins must be numbered 1 to 33 in order")
    return skins


def main():
    table, out = sys.argv[1], sys.argv[2]
    rc = ["/* Generated by make_skins.py from skins.txt. */"]
    for s in read_table(table):
        name = f"skin{s['n']:02d}.she"
        with open(f"{out}/{name}", "wb") as f:
            f.write(build(s))
        rc.append(f'{1000 + s["n"]} RCDATA "{name}"')
    with open(f"{out}/skins.rc", "w", encoding="ascii") as f:
        f.write("\n".join(rc) + "\n")


if __name__ == "__main__":
    main()
