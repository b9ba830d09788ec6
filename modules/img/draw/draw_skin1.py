#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Draws the images of skin 1 as SVG and renders them to PNG with rsvg-convert (Debian: librsvg2-bin).

Run from anywhere: python3 modules/img/draw/draw_skin1.py
The PNG files land in modules/img/skin1/<group>/ and are compiled into the program as resources; this
script and its SVG text are the images' source.
"""

import os
import subprocess
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
SKIN = os.path.join(HERE, "..", "skin1")
ACCENT = "#04a6e1"


def render(group, name, width, height, body):
    svg = ('<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" viewBox="0 0 %d %d">%s</svg>'
           % (width, height, width, height, body))
    folder = os.path.join(SKIN, group)
    os.makedirs(folder, exist_ok=True)
    with tempfile.NamedTemporaryFile("w", suffix=".svg", delete=False) as f:
        f.write(svg)
        source = f.name
    try:
        subprocess.run(["rsvg-convert", "-w", str(width), "-h", str(height), "-o",
                        os.path.join(folder, name), source], check=True)
    finally:
        os.unlink(source)


GRADIENTS = """
<defs>
  <linearGradient id="shell" x1="0" y1="0" x2="1" y2="1">
    <stop offset="0" stop-color="#3a4650"/><stop offset="0.55" stop-color="#1d252c"/><stop offset="1" stop-color="#0d1216"/>
  </linearGradient>
  <linearGradient id="button" x1="0" y1="0" x2="0" y2="1">
    <stop offset="0" stop-color="#46525c"/><stop offset="1" stop-color="#252e35"/>
  </linearGradient>
  <radialGradient id="glow" cx="0.5" cy="0.5" r="0.5">
    <stop offset="0" stop-color="#04a6e1" stop-opacity="0.9"/><stop offset="1" stop-color="#04a6e1" stop-opacity="0.35"/>
  </radialGradient>
</defs>"""

# The mouse from above (180 x 300). Button areas match the hot spots of the mouse picture page.
TOP_SHELL = "M90,6 C140,6 166,40 168,110 C170,170 176,230 160,270 C146,296 34,296 20,270 C4,230 10,170 12,110 C14,40 40,6 90,6 Z"
TOP_LEFT = "M88,12 L88,118 L24,118 C22,70 30,24 88,12 Z"
TOP_RIGHT = "M92,12 C150,24 158,70 156,118 L92,118 Z"
TOP_AREAS = {
    1: TOP_LEFT,
    2: TOP_RIGHT,
    3: "M82,38 a8,8 0 0 1 16,0 L98,70 a8,8 0 0 1 -16,0 Z",
    6: "M82,88 a4,4 0 0 1 4,-4 L94,84 a4,4 0 0 1 4,4 L98,94 a4,4 0 0 1 -4,4 L86,98 a4,4 0 0 1 -4,-4 Z",
    7: "M82,106 a4,4 0 0 1 4,-4 L94,102 a4,4 0 0 1 4,4 L98,112 a4,4 0 0 1 -4,4 L86,116 a4,4 0 0 1 -4,-4 Z",
    8: "M8,132 a5,5 0 0 1 10,0 L18,168 a5,5 0 0 1 -10,0 Z",
}

# The mouse from its left side (240 x 110): the front is on the right.
SIDE_SHELL = "M12,100 C6,80 14,40 60,18 C100,2 150,8 190,30 C214,44 232,60 232,84 C232,96 226,100 214,100 Z"
SIDE_AREAS = {
    5: "M84,40 a6,6 0 0 1 6,-6 L116,36 a6,6 0 0 1 6,6 L122,48 a6,6 0 0 1 -6,6 L90,52 a6,6 0 0 1 -6,-6 Z",
    4: "M128,38 a6,6 0 0 1 6,-6 L162,34 a6,6 0 0 1 6,6 L168,46 a6,6 0 0 1 -6,6 L134,52 a6,6 0 0 1 -6,-6 Z",
}


def mouse_top():
    body = GRADIENTS
    body += '<path d="%s" fill="url(#shell)" stroke="#5b6873" stroke-width="2"/>' % TOP_SHELL
    body += '<path d="%s" fill="url(#button)" stroke="#101519" stroke-width="1.5"/>' % TOP_LEFT
    body += '<path d="%s" fill="url(#button)" stroke="#101519" stroke-width="1.5"/>' % TOP_RIGHT
    for key in (3, 6, 7, 8):
        body += '<path d="%s" fill="#1a2228" stroke="#7d8a95" stroke-width="1.5"/>' % TOP_AREAS[key]
    # Wheel ridges, a logo stripe and the light strip at the back.
    for y in range(42, 70, 5):
        body += '<line x1="84" y1="%d" x2="96" y2="%d" stroke="#5b6873" stroke-width="1"/>' % (y, y)
    body += '<path d="M70,200 L90,176 L110,200 L90,224 Z" fill="none" stroke="%s" stroke-width="2.5"/>' % ACCENT
    body += '<path d="M36,262 C70,282 110,282 144,262" fill="none" stroke="%s" stroke-width="3" stroke-opacity="0.7"/>' % ACCENT
    render("mouse", "mouseTop.png", 180, 300, body)
    for key, area in TOP_AREAS.items():
        overlay = GRADIENTS + '<path d="%s" fill="url(#glow)" stroke="#7fdcff" stroke-width="2"/>' % area
        render("mouse", "key%d.png" % key, 180, 300, overlay)


def mouse_side():
    body = GRADIENTS
    body += '<path d="%s" fill="url(#shell)" stroke="#5b6873" stroke-width="2"/>' % SIDE_SHELL
    body += '<path d="M30,86 C80,72 160,70 224,80" fill="none" stroke="%s" stroke-width="2" stroke-opacity="0.6"/>' % ACCENT
    for key, area in SIDE_AREAS.items():
        body += '<path d="%s" fill="url(#button)" stroke="#7d8a95" stroke-width="1.5"/>' % area
    render("mouse", "mouseSide.png", 240, 110, body)
    for key, area in SIDE_AREAS.items():
        overlay = GRADIENTS + '<path d="%s" fill="url(#glow)" stroke="#7fdcff" stroke-width="2"/>' % area
        render("mouse", "key%d.png" % key, 240, 110, overlay)


def logo(width, height, scale):
    mark = ('<g transform="scale(%g)"><path d="M4,6 L40,6 L14,30 L40,30" fill="none" stroke="%s" stroke-width="5" '
            'stroke-linejoin="round"/><text x="52" y="29" font-family="DejaVu Sans" font-weight="bold" '
            'font-size="26" fill="#e8eef2" letter-spacing="3">ZEPHRA</text><text x="190" y="29" '
            'font-family="DejaVu Sans" font-size="14" fill="%s">Z714</text></g>' % (scale, ACCENT, ACCENT))
    return mark


def index_images():
    render("index", "logo.png", 240, 36, logo(240, 36, 1.0))
    render("index", "powerLogo.png", 480, 80, logo(480, 80, 2.0))
    # The window's background (a gradient, the title bar, the side panels, an ellipse behind the mouse) is
    # drawn by the interface itself (qml/basic/Environment.qml): a window-sized picture would cost its
    # decoding at every start.
    stroke = 'fill="none" stroke="#e8eef2" stroke-width="2" stroke-linecap="round"'
    render("index", "minBtn.png", 16, 16, '<line x1="3" y1="12" x2="13" y2="12" %s/>' % stroke)
    render("index", "closeBtn.png", 16, 16,
           '<path d="M4,4 L12,12 M12,4 L4,12" %s/>' % stroke)
    render("index", "askBtn.png", 16, 16,
           '<circle cx="8" cy="8" r="6.5" %s/><text x="8" y="12" text-anchor="middle" '
           'font-family="DejaVu Sans" font-weight="bold" font-size="10" fill="#e8eef2">?</text>' % stroke)


def icons():
    line = 'fill="none" stroke="%s" stroke-width="2" stroke-linecap="round"' % ACCENT
    render("reportRate", "lod.png", 24, 24,
           '<path d="M4,16 L20,16" %s/><path d="M8,12 C8,6 16,6 16,12 Z" %s/><path d="M12,18 L12,22 M9,20 L15,20" %s/>'
           % (line, line, line))
    render("mouseRate", "speed.png", 32, 32,
           '<path d="M6,24 A12,12 0 1 1 26,24" %s/><path d="M16,20 L23,11" %s/>' % (line, line))
    render("mouseRate", "doubleClick.png", 32, 32,
           '<rect x="9" y="4" width="14" height="24" rx="7" %s/><path d="M16,4 L16,13" %s/>'
           '<path d="M3,8 L6,10 M2,14 L5,14" %s/>' % (line, line, line))
    render("scrollRate", "scroll.png", 32, 32,
           '<rect x="11" y="6" width="10" height="20" rx="5" %s/><path d="M16,1 L13,4 M16,1 L19,4 M16,31 L13,28 '
           'M16,31 L19,28" %s/>' % (line, line))


if __name__ == "__main__":
    index_images()
    mouse_top()
    mouse_side()
    icons()
