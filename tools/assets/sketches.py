# The question sketches: one drawing per key, registered with its pixel size and JPEG mode.
import math

import figures as f
from mvg import (CLOUD_EDGE, COLD, GROUND, HINT, TEXT, WARM, WING_BLUE, WING_RED, WING_YELLOW, along,
                 arc, bezier, lerp, move, polyline_length, quad, rotate)

# key -> (width, height, progressive, drawing function)
SKETCHES = {}


def sketch(key, width, height, progressive=False):
    def register(draw):
        assert key not in SKETCHES, key
        SKETCHES[key] = (width, height, progressive, draw)
        return draw
    return register


# Germany's outline as longitude/latitude pairs, coarse but recognisable at weather-map scale.
GERMANY = [(7.2, 53.3), (7.05, 52.65), (6.7, 52.45), (6.75, 52.1), (6.0, 51.85), (6.2, 51.4),
           (5.95, 51.0), (6.1, 50.75), (6.4, 50.35), (6.1, 50.15), (6.5, 49.8), (6.35, 49.5),
           (6.9, 49.2), (7.6, 49.05), (8.2, 48.97), (7.6, 48.2), (7.55, 47.6), (8.6, 47.62),
           (9.6, 47.55), (10.2, 47.3), (10.9, 47.5), (11.8, 47.6), (12.2, 47.7), (13.0, 47.5),
           (13.0, 47.9), (12.8, 48.2), (13.4, 48.4), (13.8, 48.6), (12.6, 49.4), (12.1, 50.2),
           (12.5, 50.4), (13.5, 50.7), (14.3, 50.9), (14.8, 50.9), (15.0, 51.1), (14.7, 51.6),
           (14.6, 52.3), (14.2, 52.9), (14.4, 53.3), (14.2, 53.9), (13.7, 54.2), (13.4, 54.6),
           (12.5, 54.4), (11.6, 54.1), (11.0, 54.0), (10.9, 54.35), (10.2, 54.4), (9.9, 54.8),
           (9.4, 54.85), (8.7, 54.9), (8.6, 54.4), (8.9, 54.1), (8.7, 53.9), (8.1, 53.6),
           (8.0, 53.7), (7.2, 53.6)]


def germany(x, y, height):
    """Germany's outline scaled to the given height, top left corner at (x, y)."""
    k = height / (55.1 - 47.2)
    return [(x + (lon - 5.9) * k * 0.63, y + (55.1 - lat) * k) for lon, lat in GERMANY]


# --- meteorology (licence 1) ---------------------------------------------------------------------

@sketch('11_1', 565, 358)
def cumulonimbus_anvil(c):
    f.sky(c)
    f.land(c, [(0, 318), (140, 312), (300, 320), (565, 314)], fill=GROUND)
    f.cumulonimbus(c, 230, 250, 250, 225, 420, shift=70)
    f.rain(c, 130, 320, 256, 314, spacing=13)
    f.cumulus(c, 485, 250, 90, 45, seed=2)
    f.cumulus(c, 60, 262, 70, 34, seed=5)


@sketch('11_2', 599, 390)
def lenticular_over_ridge(c):
    f.sky(c)
    # the air is lifted over the ridge and swings on in waves behind it
    for i, y in enumerate((110, 150, 190)):
        lift = 70 - i * 12
        pts_ = []
        for x in range(0, 600, 6):
            bump = lift * math.exp(-((x - 270) / 70) ** 2)
            lee = (16 - i * 3) * math.sin((x - 270) / 145 * 2 * math.pi) if x > 270 else 0
            pts_.append((x, y + 30 - bump + lee))
        f.streamline(c, pts_, color='#7aa6d8', width=1.6)
    f.mountain(c, [(0, 340), (90, 330), (170, 270), (230, 205), (270, 230), (310, 215),
                   (380, 300), (470, 330), (599, 336)])
    f.lenticular(c, 365, 148, 170, 26, layers=3)
    f.lenticular(c, 520, 150, 110, 20, layers=2)
    f.wind_arrow(c, 20, 60, 120, 60)


@sketch('11_3', 622, 404)
def cold_front(c):
    ground = 360
    c.rect(0, 0, c.w, ground, fill=WARM)
    wedge = [(0, ground), (0, 175)] + bezier((0, 175), (210, 175), (330, 230), (395, ground), 24)
    c.polygon(wedge, fill=COLD, stroke='#4a78b5', width=2.5)
    f.cumulonimbus(c, 420, 150, 120, 130, 220, shift=40)
    f.rain(c, 365, 460, 156, ground - 4, spacing=12)
    f.land(c, [(0, ground), (c.w, ground)], fill='#a8c98a')
    for y in (230, 290, 335):
        c.arrow(40, y, 40 + 120 + (y - 230) * 0.6, y, color='#1d4f9a', width=3, head=13)
    for pts_ in (bezier((560, 330), (470, 320), (430, 270), (420, 200), 16),
                 bezier((600, 250), (520, 240), (480, 180), (470, 120), 16)):
        f.streamline(c, pts_, color='#b5381f', width=2.6, head=12)
    c.label(120, 200, 'Kaltluft', size=18, bold=True, color='#1d4f9a')
    c.label(190, 70, 'Warmluft', size=18, bold=True, color='#9b2d17')
    c.arrow(330, 386, 450, 386, color=TEXT, width=3, head=13)


@sketch('11_4', 612, 259)
def valley_wind_afternoon(c):
    f.sky(c, '#bfe0f7', '#eaf6fd')
    f.sun(c, 70, 48, 20)
    f.mountain(c, [(300, 259), (340, 190), (400, 120), (430, 135), (470, 60), (520, 110),
                   (560, 70), (612, 100)], bottom=259)
    f.land(c, [(0, 215), (200, 212), (330, 196), (420, 182), (470, 172), (612, 165)], fill=GROUND)
    for y, x0 in ((204, 60), (185, 230)):
        c.arrow(x0, y + 2, x0 + 150, y - 10, color=HINT, width=3.5, head=15)
    f.streamline(c, bezier((420, 165), (440, 140), (450, 110), (462, 80), 12), color=HINT,
                 width=2.5, head=11)
    f.cumulus(c, 470, 40, 90, 30, seed=1)
    f.tree(c, 150, 213, 28)
    f.tree(c, 175, 212, 22)
    f.house(c, 110, 214, 22, 20)


@sketch('11_5', 495, 354)
def lee_rotor(c):
    f.sky(c)
    ridge = [(0, 300), (80, 290), (170, 220), (235, 150), (262, 146), (300, 215), (360, 290),
             (495, 305)]
    for i, y in enumerate((80, 112, 140)):
        pts_ = [(10, y)] + bezier((90, y), (190, y - 40 + i * 8), (260, y - 10 + i * 8),
                                  (330, y + 60 + i * 15), 16) + [(480, y + 70 + i * 10)]
        f.streamline(c, pts_, color='#3a7bd5', width=1.8)
    f.mountain(c, ridge, snow=False)
    f.wind_arrow(c, 20, 240, 120, 225)
    for x, y, r in ((320, 240, 24), (385, 262, 20), (300, 190, 14)):
        f.eddy(c, x, y, r, color=HINT, clockwise=True)


@sketch('11_6', 230, 260)
def temperature_height_inversion(c):
    x0, y0 = 36, 212
    f.axes(c, x0, y0, 215, 20, 'T', 'h', size=14)
    c.polyline([(160, 209), (95, 115), (140, 70)], color=HINT, width=3)


@sketch('11_11', 452, 163)
def isobars_germany(c):
    c.rect(0, 0, c.w, c.h, fill='#f2f6f9')
    outline = germany(170, 10, 143)
    c.polygon(outline, fill='#f4eed8', stroke='#7a6a4a', width=1.5)
    # wide apart in the north, crowded in the south
    for i, y in enumerate((22, 66, 100, 117, 129, 139, 148, 156)):
        pts_ = [(x, y + 5 * math.sin(x / 70 + i * 0.4)) for x in range(0, 453, 6)]
        c.polyline(pts_, color='#2e4f87', width=1.6)
        c.label(22, pts_[3][1] - 6, str(1016 - 4 * i) if i < 3 else '', size=10, color='#2e4f87')
    f.north_arrow(c, 430, 60, 30)


# --- air law --------------------------------------------------------------------------------------

def slope_from_above(c, crest, foot, label=None, fill='#d9c9a3'):
    """A slope seen from above, crest and foot as straight lines, hachures down the slope."""
    c.polygon(crest + list(reversed(foot)), fill=fill, stroke=None)
    c.polyline(crest, color='#6b4f2a', width=3)
    steps = 28
    for i in range(steps + 1):
        t = i / steps
        a = lerp(crest[0], crest[-1], t)
        b = lerp(foot[0], foot[-1], t)
        # long and short strokes by turns, as on a hachured map
        end = lerp(a, b, 0.55 if i % 2 else 0.8)
        c.line(a[0], a[1], end[0], end[1], color='#8a6a3c', width=1.6 - 0.4 * (i % 2))
    if label:
        m = lerp(crest[0], crest[-1], 0.5)
        mf = lerp(foot[0], foot[-1], 0.5)
        c.label(*lerp(m, mf, 0.5), label, size=14, bold=True, color='#5a4020', box='#efe6cf')


def fields(c, x0, y0, x1, y1, cell=70):
    """Flat farmland from above: a patchwork of fields with a road."""
    greens = ['#cfe5ad', '#bcd99a', '#e3e7b0', '#c6dfa0', '#d8e9bc', '#b7d28f']
    k = 0
    y = y0
    while y < y1:
        x = x0 + ((y // cell) % 2) * cell * 0.4
        x = x0 if x > x0 + 1 else x
        while x < x1:
            wdt = cell * (0.8 + 0.4 * ((k * 7) % 5) / 4)
            c.rect(x, y, min(x1, x + wdt), min(y1, y + cell * 0.9), fill=greens[k % len(greens)],
                   stroke='#a5bf86', width=1)
            x += wdt
            k += 3
        y += cell * 0.9
    c.line(x0, y0 + (y1 - y0) * 0.62, x1, y0 + (y1 - y0) * 0.55, color='#9a9a9a', width=5)


@sketch('12_1', 425, 282)
def head_on_same_height(c):
    f.sky(c)
    f.land(c, [(0, 240), (120, 230), (260, 238), (425, 226)], fill=GROUND)
    f.tree(c, 60, 236, 26)
    f.tree(c, 330, 232, 22)
    y = 175
    f.glider_side(c, 90, y, 110, color=WING_RED, facing=1)
    f.glider_side(c, 335, y, 110, color=WING_BLUE, facing=-1)
    c.arrow(150, y - 50, 200, y - 50, color=TEXT, width=3, head=13)
    c.arrow(275, y - 50, 225, y - 50, color=TEXT, width=3, head=13)
    c.line(20, y + 8, 405, y + 8, color='#777777', width=1, dash=(6, 5))


@sketch('12_2', 390, 249)
def opposite_courses_along_slope(c):
    fields(c, 0, 0, c.w, c.h, cell=80)
    slope_from_above(c, [(0, 18), (390, 22)], [(0, 92), (390, 96)], label='Hang')
    f.glider_top(c, 290, 145, 270, 58, color=WING_RED, label='1', course=55, label_side=-1)
    f.glider_top(c, 95, 145, 90, 58, color=WING_BLUE, label='2', course=55, label_side=1)
    f.wind_arrow(c, 195, 235, 195, 185, size=13)


@sketch('12_3', 291, 280)
def crossing_courses(c):
    fields(c, 0, 0, c.w, c.h, cell=75)
    c.line(95, 210, 95, 72, color='#555555', width=1.2, dash=(6, 5))
    c.line(230, 90, 95, 90, color='#555555', width=1.2, dash=(6, 5))
    f.glider_top(c, 95, 230, 0, 56, color=WING_RED, label='1', course=50, label_side=1)
    f.glider_top(c, 240, 90, 270, 56, color=WING_BLUE, label='2', course=50, label_side=1)
    f.north_arrow(c, 262, 270, 30)


@sketch('12_4', 429, 234)
def control_zone(c):
    f.sky(c)
    ground = 200
    f.land(c, [(0, ground), (c.w, ground)], fill=GROUND)
    c.rect(180, 60, 410, ground, fill='#cddcf5', stroke='#1f4fa0', width=2.2, dash=(9, 5), opacity=0.55)
    c.label(295, 80, 'CTR / Luftraum D', size=14, bold=True, color='#1f4fa0')
    c.rect(215, ground - 4, 385, ground + 4, fill='#7d7d7d')
    for x in range(230, 380, 22):
        c.line(x, ground, x + 10, ground, color='#ffffff', width=1.5)
    c.rect(335, ground - 36, 349, ground - 4, fill='#d8d0c0', stroke='#555555', width=1)
    c.rect(329, ground - 46, 355, ground - 36, fill='#9fc3e0', stroke='#555555', width=1)
    f.house(c, 250, ground - 4, 26, 22, wall='#e6e6e6', roof='#7a7a7a')
    f.glider_side(c, 70, 150, 70, color=WING_YELLOW, facing=1)
    c.arrow(110, 100, 170, 100, color=HINT, width=3, head=13)


@sketch('12_5', 531, 393)
def aerodrome_circuit(c):
    fields(c, 0, 0, c.w, c.h, cell=90)
    rw = [(150, 250), (400, 170), (406, 188), (156, 268)]
    c.polygon(rw, fill='#8c8c8c', stroke='#555555', width=1.5)
    for t in (0.1, 0.25, 0.4, 0.55, 0.7, 0.85):
        a = lerp((153, 259), (403, 179), t)
        b = lerp((153, 259), (403, 179), t + 0.06)
        c.line(a[0], a[1], b[0], b[1], color='#ffffff', width=2)
    c.label(132, 262, '06', size=13, bold=True)
    c.label(424, 174, '24', size=13, bold=True)
    circuit = [(110, 150), (330, 80), (470, 100), (490, 160), (430, 230), (200, 330), (80, 310),
               (70, 220)]
    for i in range(len(circuit)):
        p, q = circuit[i], circuit[(i + 1) % len(circuit)]
        c.arrow(p[0], p[1], lerp(p, q, 0.55)[0], lerp(p, q, 0.55)[1], color='#1f4fa0', width=2.2,
                head=11)
        c.line(lerp(p, q, 0.55)[0], lerp(p, q, 0.55)[1], q[0], q[1], color='#1f4fa0', width=2.2)
    c.label(300, 60, 'Platzrunde', size=14, bold=True, color='#1f4fa0', box='#ffffff')
    f.windsock_top(c, 280, 255, 34, 60)
    f.glider_top(c, 470, 330, 315, 48, color=WING_YELLOW)
    f.north_arrow(c, 30, 60, 34)


@sketch('12_6', 389, 252)
def overtaking(c):
    fields(c, 0, 0, c.w, c.h, cell=70)
    f.glider_top(c, 230, 110, 90, 56, color=WING_BLUE, label='2', course=45, label_side=-1)
    f.glider_top(c, 70, 110, 90, 56, color=WING_RED, label='1', label_side=-1)
    path = bezier((110, 116), (170, 120), (190, 185), (260, 185), 16) + \
        bezier((260, 185), (310, 185), (330, 140), (370, 125), 12)[1:]
    c.arrow_path(path, color=TEXT, width=2.4, dash=(8, 5), head=13)


@sketch('12_7', 823, 314)
def cloud_distances(c):
    f.sky(c)
    ground = 290
    f.land(c, [(0, ground), (300, ground - 6), (823, ground - 2)], fill=GROUND)
    f.cumulus(c, 420, 170, 220, 80, seed=3, width=2)
    # distances: 1.5 km horizontal, 300 m above and below
    c.arrow(530, 140, 740, 140, color=HINT, width=2, both=True)
    c.label(635, 126, '1,5 km', size=14, bold=True, color=HINT)
    c.line(310, 170, 250, 170, color='#777777', width=1, dash=(4, 4))
    c.arrow(270, 170, 270, 250, color=HINT, width=2, both=True)
    c.label(225, 210, '300 m', size=14, bold=True, color=HINT)
    c.line(420, 90, 420, 20, color='#777777', width=1, dash=(4, 4))
    c.arrow(470, 90, 470, 16, color=HINT, width=2, both=True)
    c.label(515, 52, '300 m', size=14, bold=True, color=HINT)
    c.line(310, 90, 530, 90, color='#777777', width=1, dash=(4, 4))
    c.line(530, 100, 530, 170, color='#777777', width=1, dash=(4, 4))
    f.glider_side(c, 90, 180, 60, color=WING_YELLOW, facing=1)
    c.label(700, 270, 'Luftraum E', size=15, bold=True, color='#1f4fa0')


# --- air law (licence 2) ------------------------------------------------------------------------

@sketch('22_1', 358, 509)
def head_on_over_flat_land(c):
    fields(c, 0, 0, c.w, c.h, cell=85)
    f.glider_top(c, 179, 110, 180, 80, color=WING_BLUE, course=70)
    f.glider_top(c, 179, 400, 0, 80, color=WING_RED, course=70)


@sketch('22_7', 407, 473)
def airspace_section(c):
    c.rect(0, 0, c.w, c.h, fill='#f3f7fb')
    ground = [(60, 440), (120, 425), (170, 380), (210, 350), (250, 390), (300, 420), (407, 428)]
    # airspace borders: E from 2500 ft above ground, C from FL 100
    e_low = [(x, y - 95) for x, y in ground]
    c.polygon([(60, 20), (407, 20), (407, 110), (60, 110)], fill='#e2e9f8')
    c.line(60, 110, 407, 110, color='#1f4fa0', width=2.2)
    c.polygon([(60, 110), (407, 110)] + list(reversed(e_low)), fill='#f6eedf')
    c.polyline(e_low, color='#b0306a', width=2.2, dash=(8, 5))
    f.land(c, ground, fill='#cbb892')
    c.label(230, 60, 'Luftraum C', size=15, bold=True, color='#1f4fa0')
    c.label(230, 200, 'Luftraum E', size=15, bold=True, color='#8a5a10')
    c.label(345, 382, 'Luftraum G', size=15, bold=True, color='#2f6b34')
    c.text(8, 114, 'FL 100', size=12, color='#1f4fa0')
    c.text(8, 348, '2500 ft', size=12, color='#b0306a')
    c.text(8, 362, 'GND', size=12, color='#b0306a')
    f.glider_side(c, 100, 395, 36, color=WING_RED)


@sketch('22_8', 345, 486)
def ridge_soaring_from_above(c):
    fields(c, 0, 0, c.w, c.h, cell=80)
    slope_from_above(c, [(330, 0), (335, 486)], [(245, 0), (255, 486)], label='Hang', fill='#d9c9a3')
    f.glider_top(c, 185, 380, 0, 60, color=WING_RED, label='1', course=60, label_side=-1)
    f.glider_top(c, 185, 110, 180, 60, color=WING_BLUE, label='2', course=60, label_side=-1)
    f.wind_arrow(c, 30, 250, 100, 250, size=13)
    f.north_arrow(c, 40, 70, 34)


@sketch('22_9', 577, 471)
def restricted_area_map(c):
    c.rect(0, 0, c.w, c.h, fill='#eef3e4')
    # a river, towns and roads give the map its bearings
    river = bezier((0, 300), (150, 260), (260, 380), (577, 330), 30)
    c.polyline(river, color='#6fa3d8', width=6)
    for x, y in ((120, 120), (470, 400), (90, 420)):
        c.circle(x, y, 8, fill='#d98c7a', stroke='#8a4a3a', width=1)
    c.line(120, 120, 470, 400, color='#b5a27a', width=3)
    restricted = [(250, 90), (380, 70), (430, 160), (390, 250), (270, 230)]
    c.polygon(restricted, fill='#f7d4d0', stroke='#c0281e', width=2.5)
    c.hatch(restricted, spacing=10, angle=45, color='#d86a60', width=1)
    c.label(340, 160, 'ED-R', size=17, bold=True, color='#a01c14', box='#ffffff')
    c.ellipse(470, 400, 80, 55, stroke='#1f4fa0', width=2.2, dash=(9, 5))
    c.label(470, 335, 'CTR', size=14, bold=True, color='#1f4fa0')
    route = [(60, 200), (200, 250), (290, 300), (420, 290), (530, 230)]
    c.arrow_path(bezier(route[0], route[1], (300, 300), route[3], 20) + [route[4]], color=TEXT,
                 width=2.4, dash=(8, 6), head=13)
    f.glider_top(c, 55, 195, 100, 44, color=WING_YELLOW)
    f.north_arrow(c, 545, 70, 36)


# --- flight practice ------------------------------------------------------------------------------

def landing_point(c, x, y, r=14):
    c.circle(x, y, r, fill='#ffffff', stroke=HINT, width=2.5)
    c.line(x - r * 0.7, y - r * 0.7, x + r * 0.7, y + r * 0.7, color=HINT, width=2.5)
    c.line(x - r * 0.7, y + r * 0.7, x + r * 0.7, y - r * 0.7, color=HINT, width=2.5)


@sketch('13_1', 622, 410)
def landing_pattern(c):
    fields(c, 0, 0, c.w, c.h, cell=95)
    c.rect(200, 240, 560, 370, fill='#e3f2cf', stroke='#7da45a', width=2)
    landing_point(c, 500, 310)
    legs = [((540, 90), (150, 90)), ((150, 90), (150, 305)), ((150, 310), (478, 310))]
    for (a, b), tag, pos in zip(legs, '123', ((345, 66), (124, 200), (320, 286))):
        c.arrow(a[0], a[1], b[0], b[1], color='#1f4fa0', width=3, dash=(10, 6), head=15)
        f.tag(c, pos[0], pos[1], tag, size=15)
    f.glider_top(c, 575, 90, 270, 40, color=WING_YELLOW)
    f.wind_arrow(c, 600, 200, 515, 200, size=14)


@sketch('13_2', 551, 416)
def windsock_landing_field(c):
    fields(c, 0, 0, c.w, c.h, cell=110)
    c.polygon([(90, 80), (470, 60), (500, 350), (70, 370)], fill='#e3f2cf', stroke='#7da45a', width=2)
    for x in range(100, 470, 36):
        f.tree(c, x, 52 + (x % 3) * 3, 26, colour='#3f7a35')
    c.line(0, 395, 551, 385, color='#9a9a9a', width=6)
    f.windsock_top(c, 270, 215, 110, 90)
    f.north_arrow(c, 40, 330, 44)


@sketch('13_3', 335, 376)
def forward_launch(c):
    f.sky(c)
    slope = lambda x: 150 + x * 0.48
    f.land(c, [(0, slope(0)), (335, slope(335))], fill=GROUND)
    px = 228
    pilot = f.pilot_standing(c, px, slope(px), 96, facing=1, arms='back', lean=10)
    hand = pilot['hand']
    # the wing lies spread out on the slope behind the pilot
    top = [(x, slope(x) - 9 - 5 * math.sin((x - 12) / 140 * math.pi)) for x in range(12, 153, 6)]
    low = [(x, slope(x) - 1) for x in range(150, 9, -6)]
    for x, y in top[1::3]:
        c.line(x, y + 3, hand[0], hand[1], color='#7a7a7a', width=0.9)
    c.polygon(top + low, fill=WING_RED, stroke='#8a2a18', width=1.5)
    for x, y in top[1::2]:
        c.line(x, y, x, slope(x) - 1, color='#9a3020', width=0.8)
    f.pilot_standing(c, px, slope(px), 96, facing=1, arms='back', lean=10)
    f.wind_arrow(c, 320, 105, 240, 67, size=13, side=1)


@sketch('13_4', 258, 371)
def reverse_launch(c):
    c.rect(0, 0, c.w, 50, fill='#d4e9f8')
    c.rect(0, 50, c.w, c.h, fill=GROUND)
    h = 130
    px, py = 120, 355
    tops = ((px - 30, py - h * 1.45), (px + 30, py - h * 1.45))
    f.wing_on_ground(c, 129, 110, 112, 34, 20, color=WING_BLUE, lines_to=tops)
    pil = f.pilot_front(c, px, py, h, back=True, arms=('riser', 'riser'))
    car = pil['carabiners']
    # crossed risers: the left bundle ends on the right carabiner and the other way round
    c.line(tops[0][0], tops[0][1], car[1][0], car[1][1], color='#333333', width=3)
    c.line(tops[1][0], tops[1][1], car[-1][0], car[-1][1], color='#555555', width=3)
    f.wind_arrow(c, 222, 345, 222, 275, size=12, side=-1)


@sketch('13_5', 266, 406)
def side_collapse(c):
    f.sky(c)
    f.land(c, [(0, 370), (90, 360), (190, 372), (266, 362)], fill=GROUND)
    f.glider_front(c, 133, 285, 236, color=WING_RED, collapse=-0.6)


@sketch('13_6', 568, 395)
def big_ears(c):
    f.sky(c)
    f.land(c, [(0, 370), (200, 360), (400, 372), (568, 362)], fill=GROUND)
    f.glider_front(c, 284, 320, 440, color=WING_BLUE, ears=True)


@sketch('13_7', 263, 344)
def frontal_collapse(c):
    f.sky(c)
    px, py = 150, 300
    chord = 130
    le = (208, 105)
    up, low = f.airfoil(chord, 0.16, 0.05)
    up = [(le[0] - x, le[1] + y) for x, y in up]
    low = [(le[0] - x, le[1] + y) for x, y in low]
    fold = 0.42
    k = next(i for i, p in enumerate(up) if (le[0] - p[0]) / chord >= fold)
    pivot = low[k]
    # the front part of the profile folds down and back under the rest
    front = rotate(up[:k + 1] + list(reversed(low[:k + 1])), 165, pivot[0], pivot[1])
    rear = up[k:] + list(reversed(low[k:]))
    riser = (px + 4, py - 32)
    for frac in (0.55, 0.8):
        i = min(range(len(low)), key=lambda j: abs((le[0] - low[j][0]) / chord - frac))
        c.line(low[i][0], low[i][1], riser[0], riser[1], color='#6b6b6b', width=1)
    for p in (front[len(front) // 2], front[len(front) // 3]):
        c.polyline(quad(p, (p[0] + 30, (p[1] + riser[1]) / 2), riser, 14), color='#6b6b6b', width=1)
    c.polygon(rear, fill=WING_RED, stroke='#8a2a18', width=1.5)
    c.polygon(front, fill=f.shade(WING_RED, 0.7), stroke='#6a1a0c', width=1.5)
    c.line(px, py - 4, riser[0], riser[1], color='#333333', width=2.2)
    f.pilot_seated(c, px, py, 44, facing=1)
    c.arrow(40, 250, 110, 250, color=TEXT, width=2.5, head=12)
    # small view from the front: the fold runs along the whole span
    c.rect(8, 8, 108, 78, fill='#ffffff', stroke='#9aa8b5', width=1, radius=4)
    band = f.arc(58, 88, 44, 62, 215, 325, 24)
    c.polyline(band, color=WING_RED, width=7)
    c.polyline(move(band, 0, 8), color=f.shade(WING_RED, 0.6), width=6)


@sketch('13_8', 230, 365)
def spiral_dive(c):
    f.sky(c)
    cx = 118
    path = []
    for i in range(0, 361 * 3, 6):
        t = math.radians(i)
        path.append((cx + 62 * math.cos(t), 40 + i * 0.26 + 18 * math.sin(t)))
    c.line(cx, 30, cx, 345, color='#8a8a8a', width=1, dash=(4, 5))
    c.arrow_path(path, color=HINT, width=2.2, dash=(7, 5), head=12)
    f.glider_front(c, cx + 34, 222, 110, color=WING_YELLOW, bank=-55)


@sketch('13_9', 444, 430)
def winch_launch(c):
    f.sky(c)
    ground = 395
    f.land(c, [(0, ground), (c.w, ground)], fill=GROUND)
    wx = 405
    c.rect(wx - 28, ground - 30, wx + 26, ground, fill='#8c8f95', stroke='#444444', width=1.5)
    c.circle(wx - 6, ground - 16, 10, fill='#cfcfcf', stroke='#444444', width=1.5)
    c.label(wx - 2, ground - 44, 'Winde', size=13, bold=True)
    f.glider_side(c, 130, 215, 120, color=WING_BLUE, angle=-8)
    c.polyline(quad((134, 220), (300, 330), (wx - 12, ground - 22), 20), color=TEXT, width=1.6)
    c.text(285, 300, 'Seil', size=13)
    f.wind_arrow(c, 330, 80, 250, 80, size=13)


@sketch('13_10', 322, 397)
def turn_forces(c):
    f.sky(c)
    g = f.glider_front(c, 178, 270, 250, color=WING_RED, bank=25)
    sx, sy = g['seat']
    tx, ty = g['top']
    ang = math.atan2(ty - sy, tx - sx)
    c.arrow(sx, sy, sx + 120 * math.cos(ang), sy + 120 * math.sin(ang), color='#1f4fa0', width=3)
    c.label(sx + 120 * math.cos(ang) + 40, sy + 120 * math.sin(ang), 'Auftrieb', size=13,
            color='#1f4fa0', bold=True, box='#ffffff')
    c.arrow(sx, sy, sx, sy + 100, color=TEXT, width=3)
    c.label(sx + 40, sy + 90, 'Gewicht', size=13, bold=True, box='#ffffff')
    c.arrow(sx, sy, sx - 80, sy, color=HINT, width=3)
    c.label(sx - 60, sy + 18, 'Fliehkraft', size=13, bold=True, color=HINT, box='#ffffff')


@sketch('13_11', 572, 384)
def ridge_lift(c):
    f.sky(c)
    slope = [(250, 384), (330, 330), (430, 220), (490, 140), (530, 118), (572, 114)]
    lift = [(230, 384), (300, 300), (380, 200), (440, 110), (470, 60), (370, 50), (300, 150),
            (220, 260), (150, 384)]
    c.polygon(lift, fill='#cfe8d0', stroke='#5a9a5e', width=1.5, dash=(8, 5))
    for i, y in enumerate((330, 270, 200, 140)):
        pts_ = [(10, y)] + bezier((150 + i * 20, y), (260 + i * 35, y - 10), (330 + i * 35, y - 60 - i * 20),
                                  (440 + i * 20, y - 150 - i * 8), 14)
        f.streamline(c, pts_, color='#3a7bd5', width=1.8)
    f.land(c, slope, fill='#c9b48a')
    f.land(c, [(0, 384), (250, 384)], fill=GROUND)
    f.glider_front(c, 380, 150, 70, color=WING_RED, bank=-10)
    f.wind_arrow(c, 20, 60, 110, 60, size=13)


@sketch('13_12', 413, 410)
def thermal(c):
    f.sky(c)
    f.sun(c, 50, 45, 20)
    ground = 360
    f.land(c, [(0, ground), (c.w, ground)], fill=GROUND)
    c.rect(150, ground, 270, ground + 20, fill='#8a6a48')
    column = [(160, ground), (175, 250), (160, 140), (180, 100), (250, 100), (265, 140), (250, 250),
              (262, ground)]
    c.polygon(column, fill='#fbe1c7', stroke='#e09a5a', width=1.5, dash=(6, 5), opacity=0.8)
    for x, y0 in ((190, 330), (230, 300), (210, 220), (200, 170)):
        c.arrow(x, y0, x, y0 - 45, color=HINT, width=2.5, head=11)
    f.cumulus(c, 215, 92, 190, 70, seed=4, width=2)
    c.ellipse(215, 235, 80, 24, stroke='#1f4fa0', width=2, dash=(7, 5))
    f.glider_front(c, 292, 226, 54, color=WING_BLUE, bank=-28)


@sketch('13_13', 284, 360)
def b_stall(c):
    f.sky(c)
    px, py = 150, 310
    riser = (px + 4, py - 32)
    # the profile kinked along the B-line attachment: front and rear part hang down
    le = (235, 128)
    bx = (160, 86)
    te = (70, 140)
    front = [le, (212, 98), bx, (168, 100), (205, 115), (230, 134)]
    rear = [bx, (110, 96), te, (80, 144), (118, 110), (155, 98)]
    for p in (le, te, (205, 118), (105, 118)):
        c.line(p[0], p[1], riser[0], riser[1], color='#6b6b6b', width=1)
    c.line(bx[0], bx[1] + 10, riser[0] - 4, riser[1] - 62, color='#c0181a', width=2.6)
    c.polygon(front, fill=WING_RED, stroke='#8a2a18', width=1.5)
    c.polygon(rear, fill=f.shade(WING_RED, 0.8), stroke='#8a2a18', width=1.5)
    c.line(px, py - 4, riser[0], riser[1], color='#333333', width=2.2)
    f.pilot_seated(c, px, py, 50, facing=1, arms='up')
    c.label(riser[0] - 22, riser[1] - 70, 'B', size=16, bold=True, color='#c0181a')
    c.arrow(45, 190, 45, 300, color=TEXT, width=3, head=14)


@sketch('13_14', 336, 360)
def harness_parts(c):
    c.rect(0, 0, c.w, c.h, fill='#f6f8fa')
    # the pilot, pale, so the harness parts stand out; he looks to the right
    body = '#cfd8e2'
    c.polyline([(150, 205), (125, 100)], color=body, width=26)
    c.polyline([(150, 210), (245, 205), (252, 300)], color=body, width=20)
    c.polyline([(128, 108), (160, 150), (188, 128)], color=body, width=12)
    c.circle(118, 72, 19, fill=body)
    # back, seat, protector, seat board, reserve container
    c.polygon([(92, 90), (114, 84), (140, 205), (120, 224), (96, 216)], fill='#3b3b3b',
              stroke='#222222', width=1.5)
    c.polygon([(120, 224), (140, 205), (242, 214), (242, 230), (126, 240)], fill='#3b3b3b',
              stroke='#222222', width=1.5)
    c.polygon([(78, 214), (98, 216), (126, 240), (242, 230), (232, 266), (112, 272), (76, 252)],
              fill='#7d8fa3', stroke='#3a4a5a', width=1.5)
    c.line(132, 230, 236, 222, color='#8a6a48', width=5)
    c.rect(150, 246, 218, 264, fill='#e2b024', stroke='#7a5a10', width=1.2, radius=4)
    # carabiner with riser, chest strap, leg strap
    c.line(154, 172, 162, 20, color='#333333', width=3)
    c.polyline([(112, 150), (150, 182)], color='#555555', width=4)
    c.polyline([(150, 192), (205, 196), (210, 214)], color='#555555', width=4)
    c.ellipse(154, 184, 8, 13, stroke='#8c8c8c', width=3.5)
    f.leader(c, 92, 240, 76, 300, 'Protektor', anchor='end', size=12)
    f.leader(c, 100, 130, 78, 135, 'Rückenteil', anchor='end', size=12)
    f.leader(c, 162, 184, 232, 160, 'Karabiner', size=12)
    f.leader(c, 128, 163, 232, 120, 'Brustgurt', size=12)
    f.leader(c, 200, 225, 262, 180, 'Sitzbrett', size=12)
    f.leader(c, 208, 200, 262, 200, 'Beingurt', size=12)
    f.leader(c, 190, 262, 200, 330, 'Rettungsgerät', size=12, anchor='middle')


@sketch('13_15', 332, 332)
def reserve_deployed(c):
    f.sky(c)
    cx = 166
    dome = f.arc(cx, 110, 95, 70, 180, 360, 30)
    c.polygon(dome + [(cx + 95, 110), (cx - 95, 110)], fill='#f3f3f3', stroke='#666666', width=1.5)
    for i in range(1, 6):
        x = cx - 95 + 190 * i / 6
        c.line(cx, 40, x, 110, color='#b0b0b0', width=1)
    for i in range(0, 7):
        x = cx - 95 + 190 * i / 6
        c.line(x, 110, cx, 215, color='#7a7a7a', width=0.9)
    c.line(cx, 215, cx - 6, 250, color='#444444', width=2)
    f.pilot_seated(c, cx - 6, 255, 40, facing=1, arms='down')
    # the paraglider, collapsed, hangs beside and below
    blob = f.scallop([(210, 300), (240, 262), (280, 270), (300, 305)], amp=0.3)
    c.polygon(blob, fill=f.shade(WING_RED, 0.85), stroke='#8a2a18', width=1.5)
    for x in (225, 255, 285):
        c.polyline(quad((x, 290), (x - 30, 262), (cx - 2, 250), 10), color='#8a8a8a', width=0.8)


@sketch('13_16', 425, 387)
def lee_of_trees(c):
    f.sky(c)
    ground = 345
    f.land(c, [(0, ground), (c.w, ground)], fill=GROUND)
    for x in range(80, 181, 25):
        f.tree(c, x, ground, 120 + (x % 3) * 10, colour='#3f7a35')
    for x, y, r in ((220, 300, 24), (270, 320, 18), (215, 250, 16)):
        f.eddy(c, x, y, r, color=HINT)
    for y in (120, 170):
        f.streamline(c, [(5, y + 60)] + bezier((40, y + 60), (120, y - 10), (220, y), (300, y + 60), 12),
                     color='#3a7bd5', width=1.8)
    f.wind_arrow(c, 10, 60, 90, 60, size=13)
    path = bezier((400, 120), (330, 170), (280, 250), (230, 330), 16)
    c.arrow_path(path, color=TEXT, width=2, dash=(7, 5), head=12)
    f.glider_side(c, 395, 150, 55, color=WING_YELLOW, facing=-1)


@sketch('13_17', 542, 412)
def launch_site_airflow(c):
    f.sky(c)
    terrain = [(0, 120), (200, 118), (250, 128), (300, 170), (400, 280), (480, 350), (542, 370)]
    for i, off in enumerate((30, 70, 115)):
        pts_ = [(540, 400 - off * 0.3 - i * 10)] + bezier((470, 345 - off), (360, 250 - off),
                                                            (270, 110 - off * 0.9), (150, 112 - off * 0.9), 16)
        f.streamline(c, pts_, color='#3a7bd5', width=1.8)
    f.land(c, terrain, fill='#c9b48a')
    c.polygon([(180, 118), (250, 128), (256, 133), (186, 123)], fill='#b6d48c')
    c.label(215, 150, 'Startplatz', size=13, bold=True, box='#f1ead6')
    f.windsock_side(c, 265, 133, 40, direction=-1)
    f.pilot_standing(c, 225, 123, 40, facing=1, arms='back')
    f.eddy(c, 120, 95, 14, color=HINT, clockwise=False)
    f.wind_arrow(c, 530, 200, 450, 150, size=13)


@sketch('13_18', 326, 396)
def full_stall(c):
    f.sky(c)
    px, py = 210, 290
    riser = (px - 4, py - 30)
    blob = f.scallop([(40, 170), (60, 120), (120, 95), (150, 110), (140, 160), (100, 190)],
                     amp=0.25, closed=True)
    for p in ((60, 150), (90, 180), (130, 160), (140, 120)):
        c.line(p[0], p[1], riser[0], riser[1], color='#6b6b6b', width=1)
    c.polygon(blob, fill=WING_RED, stroke='#8a2a18', width=1.5)
    c.line(px, py - 4, riser[0], riser[1], color='#333333', width=2.2)
    c.line(100, 185, px - 2, py + 5, color='#555555', width=1.3)
    f.pilot_seated(c, px, py, 46, facing=1, arms='down')
    c.arrow(250, 150, 250, 240, color=TEXT, width=2.5, head=12)


@sketch('13_19', 461, 316)
def figure_eight_approach(c):
    fields(c, 0, 0, c.w, c.h, cell=90)
    c.rect(250, 200, 440, 300, fill='#e3f2cf', stroke='#7da45a', width=2)
    landing_point(c, 400, 255, 11)
    c.circle(130, 110, 80, stroke='#1f4fa0', width=1.5, dash=(5, 5))
    eight = []
    for i in range(0, 361, 8):
        t = math.radians(i)
        eight.append((130 + 60 * math.sin(t), 110 + 30 * math.sin(2 * t)))
    c.polyline(eight, color=HINT, width=2.4)
    path = bezier((130, 110), (150, 180), (140, 250), (220, 255), 16) + [(385, 255)]
    c.arrow_path(path, color=HINT, width=2.4, dash=(8, 5), head=12)
    f.wind_arrow(c, 450, 60, 370, 60, size=13)


@sketch('13_20', 523, 329, progressive=True)
def glide_path(c):
    f.sky(c)
    f.mountain(c, [(0, 60), (60, 50), (110, 80), (180, 200), (260, 290), (523, 300)], snow=False)
    f.land(c, [(200, 292), (523, 295)], fill=GROUND)
    c.rect(400, 286, 490, 296, fill='#b6d48c')
    c.label(420, 312, 'Landeplatz', size=12, bold=True)
    c.label(75, 36, 'Startplatz', size=12, bold=True)
    c.line(70, 58, 445, 290, color=HINT, width=2.5, dash=(9, 6))
    c.line(70, 58, 70, 290, color='#666666', width=1, dash=(4, 4))
    c.line(70, 290, 400, 290, color='#666666', width=1, dash=(4, 4))
    c.arrow(40, 58, 40, 290, color='#1f4fa0', width=2, both=True)
    c.label(40, 170, '1000 m', size=13, bold=True, color='#1f4fa0', box='#ffffff')
    c.arrow(70, 275, 445, 275, color='#1f4fa0', width=2, both=True)
    c.label(260, 275, '8 km', size=13, bold=True, color='#1f4fa0', box='#ffffff')
    f.glider_side(c, 200, 135, 40, color=WING_RED, facing=1)


@sketch('13_21', 513, 363)
def wind_gradient(c):
    f.sky(c)
    ground = 325
    f.land(c, [(0, ground), (c.w, ground)], fill=GROUND)
    x0 = 60
    c.line(x0, ground, x0, 30, color=TEXT, width=1.5)
    tips = []
    for y, length in ((300, 30), (260, 70), (210, 110), (150, 140), (80, 160)):
        c.arrow(x0, y, x0 + length, y, color='#1d5fa8', width=2.5, head=11)
        tips.append((x0 + length, y))
    c.polyline(bezier((x0, ground), (x0 + 40, 270), (x0 + 150, 160), (x0 + 162, 60), 20),
               color='#888888', width=1.2, dash=(5, 4))
    c.text(x0 - 8, 26, 'Höhe', size=13, anchor='start')
    c.text(x0 + 90, 58, 'Wind', size=13, bold=True, color='#1d5fa8')
    path = bezier((470, 120), (420, 200), (380, 270), (300, 318), 16)
    c.arrow_path(path, color=TEXT, width=2, dash=(7, 5), head=12)
    f.glider_side(c, 462, 150, 50, color=WING_BLUE, facing=-1)


@sketch('13_22', 408, 389)
def pitch_oscillation(c):
    f.sky(c)
    px, py = 204, 330
    for ang, col in ((-28, f.shade(WING_RED, 1.55)), (28, f.shade(WING_RED, 1.55))):
        f.glider_side(c, px, py, 230, color=col, angle=ang, pilot=False, line_color='#b9b9b9')
    f.glider_side(c, px, py, 230, color=WING_RED)
    c.arrow_path(arc(px, py, 270, 270, 238, 302, 24), color=TEXT, width=2.5, head=13, both=True)


@sketch('13_23', 328, 400)
def cravat(c):
    f.sky(c)
    g = f.glider_front(c, 164, 300, 290, color=WING_BLUE, collapse=0.12)
    tipx, tipy = g['tips'][1]
    # lines caught over the wing tip
    for k in range(3):
        c.polyline(quad((tipx - 40 + k * 8, tipy + 40), (tipx - 10 + k * 6, tipy - 30), (tipx + 8, tipy + 30), 14),
                   color='#222222', width=1.3)
    c.ellipse(tipx - 10, tipy + 12, 34, 44, stroke=HINT, width=2, dash=(6, 4))


@sketch('13_24', 441, 396)
def power_line(c):
    f.sky(c)
    ground = 360
    f.land(c, [(0, ground), (c.w, ground)], fill=GROUND)
    for x in (90, 370):
        c.polyline([(x - 14, ground), (x, ground - 170), (x + 14, ground)], color='#555555', width=2.5)
        c.line(x - 30, ground - 160, x + 30, ground - 160, color='#555555', width=2.5)
        c.line(x - 20, ground - 130, x + 20, ground - 130, color='#555555', width=2)
    for y0, dx in ((ground - 160, -28), (ground - 160, 28), (ground - 130, -18), (ground - 130, 18)):
        c.polyline(quad((90 + dx, y0), (230 + dx, y0 + 50), (370 + dx, y0), 20), color='#333333', width=1.3)
    path = bezier((420, 50), (330, 80), (240, 150), (200, 330), 18)
    c.arrow_path(path, color=TEXT, width=2, dash=(7, 5), head=12)
    f.glider_side(c, 410, 80, 50, color=WING_YELLOW, facing=-1)


@sketch('13_25', 317, 392)
def weight_shift(c):
    f.sky(c)
    g = f.glider_front(c, 158, 290, 260, color=WING_RED, bank=10)
    sx, sy = g['seat']
    c.arrow(sx + 6, sy + 10, sx + 60, sy + 10, color=HINT, width=3, head=13)
    c.arrow_path(arc(158, 290, 150, 150, 240, 300, 20), color='#1f4fa0', width=2.5, head=12)


@sketch('13_26', 263, 364)
def preflight_check(c):
    c.rect(0, 0, c.w, c.h, fill='#f6f8fa')
    pil = f.pilot_front(c, 110, 345, 300, arms=('down', 'down'))
    hx, hy = pil['head']
    f.leader(c, hx + 20, hy - 10, 190, 40, 'Helm', size=12)
    f.leader(c, 120, 147, 190, 110, 'Brustgurt', size=12)
    car = pil['carabiners'][1]
    f.leader(c, car[0] + 4, car[1], 190, 180, 'Karabiner', size=12)
    f.leader(c, 130, 218, 190, 250, 'Beingurte', size=12)


# --- technology ------------------------------------------------------------------------------------

def outline_profile(c, up, low, fill='#f2d2c8', stroke='#8a2a18', width=2.5, inlet=0):
    """A profile section; inlet leaves the first points of the lower surface open."""
    c.polygon(up + list(reversed(low[inlet:])), fill=fill)
    c.polyline(up, color=stroke, width=width)
    c.polyline(low[inlet:], color=stroke, width=width)


@sketch('14_1', 532, 367)
def profile_parts(c):
    c.rect(0, 0, c.w, c.h, fill='#f7f9fb')
    up, low = f.profile_points(60, 190, 420, facing=-1, thick=0.17, camber=0.06)
    outline_profile(c, up, low, inlet=7)
    for i in range(4, len(up) - 3, 4):
        c.line(up[i][0], up[i][1], low[i][0], low[i][1], color='#c99a8c', width=1, dash=(4, 4))
    f.tag(c, 70, 250, '1')
    c.line(78, 238, 72, 210, color='#555555', width=1)
    f.tag(c, 250, 70, '2')
    c.line(250, 85, 250, up[12][1] - 4, color='#555555', width=1)
    f.tag(c, 300, 300, '3')
    c.line(300, 285, 300, 232, color='#555555', width=1)
    f.tag(c, 500, 150, '4')
    c.line(492, 162, 480, 186, color='#555555', width=1)


@sketch('14_2', 499, 395)
def risers(c):
    c.rect(0, 0, c.w, c.h, fill='#f7f9fb')
    car = (240, 345)
    c.ellipse(car[0], car[1], 14, 24, stroke='#8c8c8c', width=5)
    tops = {'A': (150, 90), 'B': (235, 90), 'C': (320, 90)}
    for name, (x, y) in tops.items():
        c.polygon([(car[0] - 7, car[1] - 24), (car[0] + 7, car[1] - 24), (x + 7, y), (x - 7, y)],
                  fill={'A': '#c0392b', 'B': '#2c5f9e', 'C': '#3d3d3d'}[name], stroke='#222222', width=1)
        c.ellipse(x, y - 8, 7, 10, stroke='#7a7a7a', width=3)
        for dx in (-22, -8, 8, 22):
            c.line(x, y - 16, x + dx, 8, color='#8a8a8a', width=1)
        c.label(x - 22, y + 30, name, size=20, bold=True)
    # brake line through a pulley on the rear riser, handle hanging behind it
    c.circle(330, 180, 7, fill='#dddddd', stroke='#555555', width=1.5)
    c.polyline([(372, 8), (336, 176), (352, 250)], color='#d08a10', width=1.6)
    c.rect(342, 250, 364, 292, fill='#d08a10', stroke='#7a4a00', width=1.5, radius=6)
    c.arrow(120, 380, 40, 380, color=TEXT, width=2.5, head=12)


@sketch('14_3', 440, 393)
def speed_system(c):
    c.rect(0, 0, c.w, c.h, fill='#f7f9fb')
    # seat and leg of the pilot, pale, so the system stands out: the back rest lies behind the
    # carabiner, the legs point forward to the speed bar, in the direction of flight (left)
    pale = '#d5dde6'
    c.polygon([(290, 200), (300, 300), (150, 306), (144, 286), (260, 280), (260, 200)], fill=pale,
              stroke='#9aa8b5', width=1)
    c.polyline([(200, 270), (100, 282), (70, 338)], color=pale, width=22)
    car = (200, 230)
    # A riser in front, C riser at the back
    tops = ((130, 20), (200, 20), (270, 20))
    for (x, y), col, name in zip(tops, ('#c0392b', '#2c5f9e', '#3d3d3d'), 'ABC'):
        c.polygon([(car[0] - 5, car[1] - 14), (car[0] + 5, car[1] - 14), (x + 6, y), (x - 6, y)],
                  fill=col, stroke='#222222', width=1)
        c.label(x - 18, y + 18, name, size=14, bold=True)
    c.ellipse(car[0], car[1], 8, 14, stroke='#8c8c8c', width=4)
    # the speed line: foot bar, pulley on the front of the seat, pulleys on the A and B risers
    speed = [(50, 364), (186, 278), (186, 262), (162, 124), (176, 118), (196, 118), (198, 150)]
    c.polyline(speed, color='#e2761c', width=2.4)
    for x, y in ((186, 270), (168, 120), (199, 120)):
        c.circle(x, y, 7, fill='#ffffff', stroke='#333333', width=2)
    c.polygon([(82, 322), (54, 330), (28, 352), (28, 362), (70, 362), (86, 345)],
              fill='#6b4a2b', stroke='#3a2a18', width=1.5)
    # the bar under the ball of the foot, seen end on
    c.rect(36, 358, 64, 370, fill='#555555', stroke='#222222', width=1, radius=4)
    # the foot pushes the bar forward and down
    c.arrow(100, 340, 56, 378, color=HINT, width=2.5, head=12)
    # direction of flight
    c.arrow(395, 380, 315, 380, color=TEXT, width=2.5, head=12)
    c.text(315, 364, 'Flugrichtung', size=12, color=TEXT)


def polar_sink(v):
    """A plausible speed polar: sink rate in m/s over airspeed in km/h."""
    w = 1.05 + 0.0021 * (v - 31) ** 2
    if v < 26:
        w += 0.05 * (26 - v) ** 2
    return w


@sketch('14_4', 320, 386)
def speed_polar(c):
    x0, y0 = 45, 55
    kx, ky = 4.1, 95.0
    f.axes(c, x0, y0, 305, 360, 'v (km/h)', 'w (m/s)',
           ticks_x=[(x0 + 20 * kx, '20'), (x0 + 40 * kx, '40'), (x0 + 60 * kx, '60')],
           ticks_y=[(y0 + 1 * ky, '1'), (y0 + 2 * ky, '2')])
    curve = [(x0 + v * kx, y0 + polar_sink(v) * ky) for v in [21 + i * 0.5 for i in range(71)]]
    c.polyline(curve, color='#1f4fa0', width=3)
    best = min((21 + i * 0.1 for i in range(351)), key=lambda v: polar_sink(v) / v)
    bx, by = x0 + best * kx, y0 + polar_sink(best) * ky
    ext = 1.35
    c.line(x0, y0, x0 + (bx - x0) * ext, y0 + (by - y0) * ext, color=HINT, width=2)
    c.circle(bx, by, 6, fill=HINT, stroke='#ffffff', width=1.5)


@sketch('14_5', 343, 431)
def span_and_area(c):
    c.rect(0, 0, c.w, c.h, fill='#f7f9fb')
    cx, cy, half = 171, 190, 150
    le, te = [], []
    for i in range(31):
        u = -1 + i / 15
        ch = 110 * math.sqrt(max(0.0, 1 - u * u)) + 6
        le.append((cx + u * half, cy - ch * 0.42 + 18 * u * u))
        te.append((cx + u * half, cy + ch * 0.58 + 18 * u * u))
    wing = le + list(reversed(te))
    c.polygon(wing, fill='#fbe3da')
    c.hatch(wing, spacing=9, angle=45, color='#d9472b', width=1.2)
    c.polygon(wing, stroke='#8a2a18', width=2.2)
    c.label(cx, cy + 4, 'S', size=26, bold=True, box='#ffffff')
    c.line(cx - half, cy + 40, cx - half, 345, color='#777777', width=1, dash=(4, 4))
    c.line(cx + half, cy + 40, cx + half, 345, color='#777777', width=1, dash=(4, 4))
    c.arrow(cx - half, 330, cx + half, 330, color=TEXT, width=2, both=True)
    c.label(cx, 314, 'b', size=20, bold=True)
    c.arrow(cx, 400, cx, 368, color='#555555', width=2, head=10)


@sketch('14_6', 620, 301)
def angle_of_attack(c):
    c.rect(0, 0, c.w, c.h, fill='#f7f9fb')
    le = (130, 140)
    up, low = f.profile_points(le[0], le[1], 420, angle=10, facing=-1, thick=0.15, camber=0.05)
    outline_profile(c, up, low)
    te = up[-1]
    c.line(le[0], le[1], te[0], te[1], color=TEXT, width=1.8, dash=(10, 5))
    c.line(le[0], le[1], 600, le[1], color='#777777', width=1.2, dash=(4, 4))
    c.arrow(20, le[1], 110, le[1], color='#1f4fa0', width=4, head=16)
    a = math.degrees(math.atan2(te[1] - le[1], te[0] - le[0]))
    c.arrow_path(arc(le[0], le[1], 380, 380, 0, a, 16), color=HINT, width=2, head=10, both=True)


@sketch('14_7', 481, 167)
def line_plan(c):
    c.rect(0, 0, c.w, c.h, fill='#f7f9fb')
    cx = 190
    band = quad((cx - 180, 62), (cx, -8), (cx + 180, 62), 40)
    c.polyline(band, color=WING_BLUE, width=12)
    risers = {-1: (cx - 8, 158), 1: (cx + 8, 158)}
    # main lines to the branch points, then the cascades up to the canopy
    for side in (-1, 1):
        for k in range(3):
            bx = cx + side * (28 + k * 52)
            by = 95 - k * 8
            c.line(risers[side][0], risers[side][1], bx, by, color='#c0392b', width=1.8)
            for j in (-1, 0, 1):
                t = (bx + j * 16 - (cx - 180)) / 360
                tx, ty = along(band, min(1.0, max(0.0, t)))[0]
                c.line(bx, by, tx, ty + 6, color='#6b6b6b', width=0.9)
            c.circle(bx, by, 2.5, fill='#333333')
    f.leader(c, cx + 95, 125, 380, 132, 'Stammleinen', size=12)
    f.leader(c, cx + 150, 72, 380, 66, 'Galerieleinen', size=12)


@sketch('14_8', 307, 425)
def reserve_parts(c):
    c.rect(0, 0, c.w, c.h, fill='#f7f9fb')
    cx = 140
    dome = f.arc(cx, 130, 110, 95, 180, 360, 30)
    # the apex is pulled down by a centre line, so the canopy has a dent on top
    dome = [(x, y + 26 * math.exp(-((x - cx) / 26) ** 2)) for x, y in dome]
    c.polygon(dome + [(cx + 110, 130), (cx - 110, 130)], fill='#f3f3f3', stroke='#666666', width=1.8)
    for i in range(0, 9):
        x = cx - 110 + 220 * i / 8
        c.line(x, 130, cx, 300, color='#7a7a7a', width=0.9)
    c.line(cx, 60, cx, 300, color='#c0392b', width=1.8)
    c.line(cx, 300, cx, 395, color='#2c5f9e', width=3)
    c.rect(cx - 28, 395, cx + 28, 418, fill='#e2b024', stroke='#7a5a10', width=1.2, radius=4)
    f.leader(c, cx + 80, 70, 228, 28, 'Kappe', size=12)
    f.leader(c, cx, 180, 200, 165, 'Mittelleine', size=12)
    f.leader(c, cx + 60, 200, 212, 226, 'Fangleinen', size=12)
    f.leader(c, cx, 350, 162, 350, 'Verbindungsleine', size=12)


@sketch('14_9', 454, 415)
def glide_forces(c):
    c.rect(0, 0, c.w, c.h, fill='#f7f9fb')
    # glide angle drawn steeper than real, so the drag arrow is long enough to see
    a = math.radians(14.0)
    p = (200, 190)
    f.glider_side(c, p[0] + 10, p[1] + 80, 140, color=WING_RED, angle=0)
    c.arrow(20, p[1] - 180 * math.tan(a), 440, p[1] + 240 * math.tan(a), color='#888888', width=1.5,
            dash=(8, 5), head=12)
    c.text(430, p[1] + 240 * math.tan(a) + 22, 'Flugbahn', size=12, color='#666666', anchor='end')
    weight = 165
    lift = weight * math.cos(a)
    drag = weight * math.sin(a)
    lx, ly = p[0] + math.sin(a) * lift, p[1] - math.cos(a) * lift
    c.arrow(p[0], p[1], lx, ly, color='#1f4fa0', width=3)
    c.text(lx + 8, ly + 12, 'Auftrieb', size=13, bold=True, color='#1f4fa0')
    dx, dy = p[0] - math.cos(a) * drag, p[1] - math.sin(a) * drag
    c.arrow(p[0], p[1], dx, dy, color='#2f7a3a', width=3, head=10)
    c.text(dx - 4, dy - 24, 'Widerstand', size=13, bold=True, color='#2f7a3a', anchor='end')
    # lift and drag add up to the weight: the parallelogram, dashed
    c.line(lx, ly, lx - math.cos(a) * drag, ly - math.sin(a) * drag, color='#999999', width=1,
           dash=(4, 4))
    c.line(dx, dy, p[0], p[1] - weight, color='#999999', width=1, dash=(4, 4))
    c.arrow(p[0], p[1], p[0], p[1] + weight, color=TEXT, width=3)
    c.text(p[0] + 8, p[1] + weight - 4, 'Gewicht', size=13, bold=True)


@sketch('14_10', 326, 358)
def brake_deflection(c):
    c.rect(0, 0, c.w, c.h, fill='#f7f9fb')
    up, low = f.profile_points(24, 90, 280, facing=-1, thick=0.15, camber=0.05)
    ghost_up, ghost_low = up, low

    def bend(points):
        out = []
        for x, y in points:
            t = (x - 24) / 280
            out.append((x, y + max(0.0, t - 0.6) ** 2 * 260))
        return out
    c.polygon(ghost_up + list(reversed(ghost_low)), stroke='#aaaaaa', width=1.2, dash=(5, 4))
    up, low = bend(up), bend(low)
    outline_profile(c, up, low)
    te = low[-1]
    c.line(te[0], te[1], 250, 300, color='#d08a10', width=1.8)
    c.rect(240, 300, 262, 340, fill='#d08a10', stroke='#7a4a00', width=1.5, radius=6)
    c.arrow(285, 250, 285, 320, color=HINT, width=2.5, head=12)
    c.arrow(30, 40, 100, 40, color='#1f4fa0', width=3, head=13)


@sketch('14_11', 286, 402)
def instruments(c):
    c.rect(0, 0, c.w, c.h, fill='#eef1f4')
    cx, cy, r = 143, 135, 108
    c.circle(cx, cy, r + 8, fill='#3a3a3a')
    c.circle(cx, cy, r, fill='#ffffff', stroke='#888888', width=1.5)
    # scale from -5 to +5 m/s around the left of the dial, zero on the left
    for v in range(-5, 6):
        ang = math.radians(180 - v * 30)
        x1, y1 = cx + math.cos(ang) * r * 0.8, cy - math.sin(ang) * r * 0.8
        x2, y2 = cx + math.cos(ang) * r * 0.95, cy - math.sin(ang) * r * 0.95
        c.line(x1, y1, x2, y2, color=TEXT, width=2)
        tx, ty = cx + math.cos(ang) * r * 0.64, cy - math.sin(ang) * r * 0.64
        c.label(tx, ty, ('+' if v > 0 else '') + str(v), size=12, bold=True)
    c.label(cx, cy - 34, 'm/s', size=12)
    ang = math.radians(180 - 2 * 30)
    c.line(cx, cy, cx + math.cos(ang) * r * 0.82, cy - math.sin(ang) * r * 0.82, color=HINT, width=4)
    c.circle(cx, cy, 7, fill='#333333')
    c.label(cx, cy + 36, 'Vario', size=13, bold=True, color='#555555')
    c.rect(43, 280, 243, 350, fill='#3a3a3a', radius=8)
    c.rect(53, 290, 233, 340, fill='#c9d9b0', stroke='#6d7d58', width=1.5)
    c.text(223, 328, '1250 m', size=26, bold=True, anchor='end', font='DejaVu-Sans-Mono-Bold')
    c.label(143, 368, 'Höhenmesser', size=13, bold=True, color='#555555')


@sketch('14_12', 609, 277)
def cells_and_ribs(c):
    c.rect(0, 0, c.w, c.h, fill='#f7f9fb')
    dx, dy = 58, -26
    ribs = []
    for k in range(5):
        up, low = f.profile_points(40 + k * dx, 195 + k * dy, 280, facing=-1, thick=0.17, camber=0.05)
        ribs.append((up, low))
    # upper skin between the ribs, then the ribs with their cross ports
    for k in range(4):
        (u1, _), (u2, _) = ribs[k], ribs[k + 1]
        c.polygon(u1 + list(reversed(u2)), fill='#f6d6cb', stroke='#b06a58', width=1)
    for k, (up, low) in enumerate(ribs):
        c.polygon(up + list(reversed(low)), fill='#fbe8e2', stroke='#8a2a18', width=1.8, opacity=0.9)
        for t, r in ((0.32, 11), (0.55, 9)):
            i = int(t * (len(up) - 1))
            mx, my = lerp(up[i], low[i], 0.5)
            c.ellipse(mx, my, r, r * 0.8, fill='#ffffff', stroke='#8a2a18', width=1.2)
    f.leader(c, ribs[0][0][10][0], ribs[0][0][10][1] + 20, 130, 255, 'Profilrippe', size=12)
    i = int(0.32 * (len(ribs[2][0]) - 1))
    mx, my = lerp(ribs[2][0][i], ribs[2][1][i], 0.5)
    f.leader(c, mx, my, 330, 250, 'Querlöcher', size=12)
    u3, u4 = ribs[3][0], ribs[4][0]
    zx, zy = lerp(u3[18], u4[18], 0.5)
    f.leader(c, zx, zy + 2, 520, 40, 'Zelle', size=12)
    c.arrow(20, 40, 90, 40, color='#1f4fa0', width=3, head=13)


@sketch('14_13', 526, 335)
def flow_separation(c):
    c.rect(0, 0, c.w, c.h, fill='#f7f9fb')
    le = (140, 190)
    up, low = f.profile_points(le[0], le[1], 300, angle=22, facing=-1, thick=0.15, camber=0.05)
    for y in (110, 150):
        pts_ = [(10, y)] + bezier((60, y), (110, y - 20), (150, y - 38), (200, y - 30), 12)
        f.streamline(c, pts_, color='#3a7bd5', width=1.8)
    for y in (230, 265):
        pts_ = [(10, y)] + bezier((100, y), (250, y + 20), (400, y + 70), (500, y + 90), 14)
        f.streamline(c, pts_, color='#3a7bd5', width=1.8)
    outline_profile(c, up, low)
    for x, y, r in ((250, 160, 20), (320, 195, 24), (390, 240, 26), (300, 130, 14)):
        f.eddy(c, x, y, r, color=HINT, clockwise=True)
    c.arrow(10, 200, 100, 200, color='#1f4fa0', width=4, head=16)


# --- navigation -------------------------------------------------------------------------------------

@sketch('23_3', 582, 496)
def wind_triangle(c):
    c.rect(0, 0, c.w, c.h, fill='#fbfaf4')
    for x in range(0, c.w, 40):
        c.line(x, 0, x, c.h, color='#ece8d8', width=1)
    for y in range(0, c.h, 40):
        c.line(0, y, c.w, y, color='#ece8d8', width=1)
    o, g, p = (300, 440), (300, 110), (170, 110)
    c.line(300, 470, 300, 40, color='#777777', width=1.2, dash=(8, 5))
    c.arrow(o[0], o[1], g[0], g[1], color=TEXT, width=3, head=16)
    c.arrow(o[0], o[1], lerp(o, g, 0.93)[0], lerp(o, g, 0.93)[1], color=TEXT, width=3, head=16)
    c.text(312, 300, 'Kurs', size=15, bold=True)
    c.arrow(p[0], p[1], g[0], g[1], color='#1d5fa8', width=3, head=16)
    c.label(235, 90, 'Wind', size=15, bold=True, color='#1d5fa8')
    c.arrow(o[0], o[1], p[0], p[1], color=HINT, width=3, head=16)
    c.label(210, 290, '?', size=28, bold=True, color=HINT)
    f.north_arrow(c, 520, 120, 60)


# --- tandem and motor ---------------------------------------------------------------------------------

@sketch('62_1', 622, 417, progressive=True)
def tandem_spreaders(c):
    f.sky(c, '#d5eaf9', '#f3f9fd')
    rear, front = (250, 222), (410, 272)
    hang = lerp(rear, front, 0.45)
    top = (hang[0] + 8, hang[1] - 90)
    chord = 300
    le = (540, 40)
    up, low = f.airfoil(chord, 0.15, 0.05)
    up = [(le[0] - x, le[1] + y) for x, y in up]
    low = [(le[0] - x, le[1] + y) for x, y in low]
    for frac in (0.1, 0.3, 0.55, 0.8):
        i = min(range(len(low)), key=lambda k: abs((le[0] - low[k][0]) / chord - frac))
        c.line(low[i][0], low[i][1], top[0], top[1], color='#6b6b6b', width=1)
    c.line(low[-1][0], low[-1][1], rear[0] + 14, rear[1] - 72, color='#999999', width=1, dash=(4, 3))
    c.polygon(up + list(reversed(low)), fill=WING_BLUE, stroke='#1a3f78', width=1.5)
    c.line(hang[0], hang[1], top[0], top[1], color='#333333', width=3.5)
    f.pilot_seated(c, rear[0], rear[1], 150, facing=1, color='#3b5b2e', helmet='#d9472b')
    f.pilot_seated(c, front[0], front[1], 138, facing=1, color='#27446e', arms='down')
    # the spreader bar: main carabiner near the middle, one harness at each end
    c.line(rear[0], rear[1], front[0], front[1], color='#9a9a9a', width=8)
    c.line(rear[0], rear[1], front[0], front[1], color='#5a5a5a', width=2)
    for x, y in (hang, rear, front):
        c.ellipse(x, y + 2, 7, 12, stroke='#4a4a4a', width=3.5)
    f.leader(c, hang[0] + 30, hang[1] + 10, 330, 360, 'Spreize', size=13, anchor='middle')
    f.leader(c, front[0] + 8, front[1] + 4, 520, 330, 'Karabiner', size=13)
    c.label(190, 100, 'Pilot', size=14, bold=True)
    c.label(490, 170, 'Passagier', size=14, bold=True)
    c.arrow(40, 390, 120, 390, color=TEXT, width=2.5, head=12)


def cage_back(c, x, y, r, prop_angle=20.0, ry_factor=0.92):
    """Engine, propeller and protective cage seen from behind; (x, y) is the propeller hub."""
    ry = r * ry_factor
    c.ellipse(x, y, r * 0.9, ry * 0.9, fill='#dfe6ee', opacity=0.35)
    for k in range(2):
        a = math.radians(prop_angle + k * 180)
        tip = (x + math.cos(a) * r * 0.86, y + math.sin(a) * ry * 0.86)
        side = (-math.sin(a) * r * 0.07, math.cos(a) * r * 0.07)
        c.polygon([(x, y), (tip[0] + side[0], tip[1] + side[1]), tip, (tip[0] - side[0] * 0.3, tip[1] - side[1] * 0.3)],
                  fill='#7a5a34', stroke='#4a3418', width=1)
    c.circle(x, y, r * 0.12, fill='#555555', stroke='#222222', width=1)
    for k in range(8):
        a = math.radians(k * 45 + 22)
        c.line(x + math.cos(a) * r * 0.14, y + math.sin(a) * ry * 0.14, x + math.cos(a) * r,
               y + math.sin(a) * ry, color='#9a9a9a', width=1)
    c.ellipse(x, y, r * 0.55, ry * 0.55, stroke='#9a9a9a', width=1)
    c.ellipse(x, y, r, ry, stroke='#5a5a5a', width=4)


@sketch('74_1', 378, 526, progressive=True)
def motor_launch_from_behind(c):
    f.sky(c, '#cfe6f8', '#eef7fd', y1=300)
    f.land(c, [(0, 300), (120, 296), (260, 302), (378, 298)], fill=GROUND)
    h = 210
    px, py = 189, 515
    hub = (px, py - h * 0.62)
    r = 120
    hangs = ((px - 70, py - h * 0.86), (px + 70, py - h * 0.86))
    # the wing rises behind the pilot, half way up, tilted a little
    band_outer = rotate(f.arc(189, 250, 170, 190, 210, 330, 40), -4, 189, 160)
    band_inner = rotate(f.arc(189, 262, 164, 180, 330, 210, 40), -4, 189, 160)
    f.pilot_front(c, px, py, h, back=True, arms=('out', 'out'))
    cage_back(c, hub[0], hub[1], r)
    for i in range(3, 40, 4):
        p = band_inner[40 - i]
        target = hangs[0] if p[0] < 189 else hangs[1]
        c.line(p[0], p[1], target[0], target[1], color='#555555', width=0.9)
    c.polygon(band_outer + band_inner, fill=WING_RED, stroke='#8a2a18', width=1.5)
    for i in range(2, 40, 3):
        c.line(band_outer[i][0], band_outer[i][1], band_inner[40 - i][0], band_inner[40 - i][1],
               color='#a33a22', width=0.8)
    for hx, hy in hangs:
        c.circle(hx, hy, 5, fill='#444444')
    # where the lines pass the cage, they can reach the propeller
    for side in (-1, 1):
        zone = f.arc(hub[0], hub[1], r * 1.12, r * 1.05, 270 + side * 35, 270 + side * 80, 12) + \
            f.arc(hub[0], hub[1], r * 0.8, r * 0.75, 270 + side * 80, 270 + side * 35, 12)
        c.polygon(zone, fill='#f4b9b0', stroke=HINT, width=2, dash=(6, 4), opacity=0.6)
        c.hatch(zone, spacing=7, angle=45, color=HINT, width=1)


@sketch('77_1', 527, 575, progressive=True)
def two_stroke_section(c):
    c.rect(0, 0, c.w, c.h, fill='#f7f9fb')
    cx = 250
    metal, dark = '#c4c9cf', '#5a6068'
    # crankcase and cylinder walls
    c.circle(cx, 430, 110, fill=metal, stroke=dark, width=2.5)
    c.circle(cx, 430, 92, fill='#eef1f4', stroke=dark, width=1.5)
    c.rect(160, 110, 340, 350, fill=metal, stroke=dark, width=2.5)
    c.rect(178, 110, 322, 350, fill='#eef1f4', stroke=dark, width=1.5)
    for y in range(96, 330, 22):
        c.rect(140, y, 360, y + 8, fill=metal, stroke=dark, width=1)
    c.rect(170, 70, 330, 112, fill=metal, stroke=dark, width=2)
    c.rect(242, 40, 258, 80, fill='#e8e8e8', stroke=dark, width=1.5)
    c.rect(238, 28, 262, 44, fill='#ffffff', stroke=dark, width=1.5)
    # exhaust port on the right, transfer channel on the left from the crankcase
    c.rect(322, 222, 470, 262, fill='#d7c7b3', stroke=dark, width=1.5)
    c.arrow(340, 242, 460, 242, color='#7a5a34', width=3, head=12)
    c.polygon([(122, 250), (122, 410), (160, 445), (180, 430), (180, 275), (178, 250)],
              fill='#cfe1f5', stroke=dark, width=1.5)
    c.arrow_path([(140, 420), (140, 300), (175, 270), (210, 250)], color='#1f5fa8', width=2.5, head=11)
    # carburettor and intake into the crankcase
    c.rect(20, 470, 150, 508, fill='#cfe1f5', stroke=dark, width=1.5)
    c.rect(50, 455, 100, 470, fill=metal, stroke=dark, width=1.5)
    c.arrow(30, 489, 150, 489, color='#1f5fa8', width=2.5, head=11)
    # piston, connecting rod, crank
    piston = (185, 230, 315, 300)
    c.rect(*piston, fill='#9aa3ad', stroke='#33383e', width=2)
    for y in (240, 250):
        c.line(186, y, 314, y, color='#33383e', width=1.5)
    pin = (cx, 275)
    ang = math.radians(-35)
    crank = (cx + math.sin(ang) * 50, 430 - math.cos(ang) * 50)
    c.circle(cx, 430, 62, fill='#aab2bb', stroke='#33383e', width=1.5)
    c.line(pin[0], pin[1], crank[0], crank[1], color='#6b737c', width=22)
    c.line(pin[0], pin[1], crank[0], crank[1], color='#33383e', width=2)
    c.circle(pin[0], pin[1], 9, fill='#eeeeee', stroke='#33383e', width=1.5)
    c.circle(crank[0], crank[1], 12, fill='#eeeeee', stroke='#33383e', width=1.5)
    c.circle(cx, 430, 14, fill='#33383e')
    f.leader(c, 262, 36, 360, 30, 'Zündkerze', size=13)
    f.leader(c, 334, 160, 400, 150, 'Zylinder', size=13)
    f.leader(c, 300, 290, 400, 320, 'Kolben', size=13)
    f.leader(c, 228, 350, 400, 370, 'Pleuel', size=13)
    f.leader(c, cx + 10, 440, 400, 470, 'Kurbelwelle', size=13)
    f.leader(c, 330, 520, 400, 545, 'Kurbelgehäuse', size=13)
    f.leader(c, 440, 250, 470, 205, 'Auslass', size=13, anchor='middle')
    c.line(124, 390, 70, 418, color='#555555', width=1)
    c.circle(124, 390, 2.2, fill='#555555')
    c.text(8, 436, 'Überströmkanal', size=13)
    f.leader(c, 80, 508, 80, 540, 'Vergaser', size=13, anchor='middle')


def motor_side(c, px, py, h):
    """Seated pilot with engine, tank, propeller and cage behind him; side view looking right."""
    cage_x = px - h * 0.75
    c.ellipse(cage_x, py - h * 0.35, h * 0.12, h * 1.05, stroke='#5a5a5a', width=4)
    c.line(cage_x + 6, py - h * 1.25, cage_x + 6, py + h * 0.55, color='#7a5a34', width=6)
    c.rect(px - h * 0.62, py - h * 0.55, px - h * 0.3, py - h * 0.1, fill='#8b9097', stroke='#33383e',
           width=2, radius=4)
    c.rect(px - h * 0.58, py - h * 0.05, px - h * 0.28, py + h * 0.22, fill='#d8d1b8', stroke='#7a6a48',
           width=1.5, radius=6)
    c.polyline([(px - h * 0.3, py - h * 0.45), (px - h * 0.25, py - h * 0.85), (cage_x + 6, py - h * 1.2)],
               color='#5a5a5a', width=3)
    c.polyline([(px - h * 0.3, py + h * 0.1), (cage_x + 6, py + h * 0.5)], color='#5a5a5a', width=3)
    f.pilot_seated(c, px, py, h, facing=1, arms='down')
    return cage_x


@sketch('77_2', 464, 604, progressive=True)
def motor_unit(c):
    c.rect(0, 0, c.w, c.h, fill='#f7f9fb')
    px, py, h = 260, 330, 170
    cage_x = motor_side(c, px, py, h)
    c.line(px, py - 10, px + 8, 40, color='#333333', width=3)
    c.polyline([(px + 10, py), (px + 30, py + 10), (px - h * 0.45, py - h * 0.3)], color='#222222',
               width=1.2, dash=(4, 3))
    f.leader(c, px + 8, 90, px + 60, 70, 'Aufhängung', size=13)
    f.leader(c, cage_x + 6, py - h * 1.0, 40, 70, 'Propeller', size=13, anchor='start')
    f.leader(c, cage_x - h * 0.1, py + h * 0.3, 30, py + h * 1.2, 'Schutzkäfig', size=13, anchor='start')
    f.leader(c, px - h * 0.45, py - h * 0.4, 300, 170, 'Motor', size=13)
    f.leader(c, px - h * 0.42, py + h * 0.15, 300, 560, 'Tank', size=13)
    f.leader(c, px + 22, py + 6, 380, 300, 'Gasgriff', size=13)


@sketch('77_3', 476, 638, progressive=True)
def motor_climb_from_behind(c):
    f.sky(c)
    g = f.glider_front(c, 238, 390, 440, color=WING_YELLOW, bank=-6, pilot=False)
    (lx, ly), (rx, ry) = g['risers']
    # pilot and engine lean over against the turning direction of the propeller
    tilt = -16
    pivot = ((lx + rx) / 2, (ly + ry) / 2)
    hub = rotate([(pivot[0], pivot[1] + 110)], tilt, *pivot)[0]
    for (sx, sy), dx in (((lx, ly), -40), ((rx, ry), 40)):
        end = rotate([(pivot[0] + dx, pivot[1] + 85)], tilt, *pivot)[0]
        c.line(sx, sy, end[0], end[1], color='#333333', width=2.5)
    pil = rotate([(pivot[0], pivot[1] + 215)], tilt, *pivot)[0]
    f.pilot_front(c, pil[0], pil[1], 175, back=True, arms=('out', 'out'), lean=tilt)
    cage_back(c, hub[0], hub[1], 104)
    c.arrow_path(f.arc(hub[0], hub[1], 128, 120, 200, 330, 24), color=HINT, width=3.5, head=16)


@sketch('77_4', 459, 310, progressive=True)
def thrust_line(c):
    c.rect(0, 0, c.w, c.h, fill='#f7f9fb')
    px, py, h = 270, 175, 110
    cage_x = motor_side(c, px, py, h)
    c.line(px, py - 4, px + 4, 10, color='#333333', width=3)
    hub_y = py - h * 0.32
    c.line(30, hub_y, 440, hub_y, color='#1f4fa0', width=1.5, dash=(9, 5))
    c.arrow(cage_x + 10, hub_y, cage_x + 150, hub_y, color='#1f4fa0', width=4, head=16)
    c.text(440, hub_y - 10, 'Schubachse', size=13, bold=True, color='#1f4fa0', anchor='end')
    c.circle(px, py, 6, fill=HINT)
    f.leader(c, px + 4, py + 4, 340, 270, 'Aufhängepunkt', size=13)


# --- meteorology (licence 2) -------------------------------------------------------------------

def front_line(c, points, kind, side=1, spacing=46, size=11):
    """A front on a weather map: cold (blue triangles) or warm (red half discs) on one side."""
    colour = '#1f4fa0' if kind == 'cold' else '#c0281e'
    c.polyline(points, color=colour, width=3)
    total = polyline_length(points)
    n = int(total / spacing)
    for k in range(n):
        (px, py), ang = along(points, (k + 0.5) / n)
        a = math.radians(ang)
        d = (math.cos(a), math.sin(a))
        nrm = (d[1] * side, -d[0] * side)
        if kind == 'cold':
            c.polygon([(px - d[0] * size, py - d[1] * size), (px + d[0] * size, py + d[1] * size),
                       (px + nrm[0] * size * 1.3, py + nrm[1] * size * 1.3)], fill=colour)
        else:
            pts_ = []
            for i in range(13):
                t = math.pi * i / 12
                pts_.append((px + d[0] * size * math.cos(t) + nrm[0] * size * math.sin(t),
                             py + d[1] * size * math.cos(t) + nrm[1] * size * math.sin(t)))
            c.polygon(pts_, fill=colour)


def isobar_ring(cx, cy, rx, ry, wobble=0.08, phase=0.0, n=72):
    out = []
    for i in range(n):
        a = 2 * math.pi * i / n
        k = 1 + wobble * math.sin(3 * a + phase) + wobble * 0.5 * math.cos(2 * a + phase)
        out.append((cx + rx * k * math.cos(a), cy + ry * k * math.sin(a)))
    return out


@sketch('21_1', 691, 476)
def warm_front(c):
    ground = 440
    c.rect(0, 0, c.w, ground, fill=WARM)
    surface = bezier((140, ground), (320, 400), (520, 330), (691, 250), 30)
    c.polygon(surface + [(691, ground)], fill=COLD, stroke='#4a78b5', width=2.5)
    for start in ((20, 425), (60, 330), (150, 230)):
        pts_ = bezier(start, (start[0] + 180, start[1] - 25), (start[0] + 360, start[1] - 100),
                      (start[0] + 480, start[1] - 170), 16)
        f.streamline(c, pts_, color='#b5381f', width=2.6, head=12)
    # the cloud sheets sit on the warm air gliding up the frontal surface: low and thick near
    # the front, higher and thinner ahead of it
    def sheet(x0, x1, y0_top, y1_top, y0_bot, y1_bot, fill):
        top = f.scallop([(x0, y0_top), ((x0 + x1) / 2, (y0_top + y1_top) / 2), (x1, y1_top)], amp=0.08,
                        n=10)
        c.polygon(top + [(x1 + 10, (y1_top + y1_bot) / 2), (x1, y1_bot), (x0, y0_bot),
                         (x0 - 10, (y0_top + y0_bot) / 2)], fill=fill, stroke=CLOUD_EDGE, width=1.6)
    sheet(130, 350, 250, 215, 415, 380, '#cfd5dc')
    sheet(330, 500, 190, 150, 240, 200, '#e3e7eb')
    sheet(480, 610, 118, 90, 140, 110, '#f3f5f7')
    f.rain(c, 160, 340, 405, ground - 4, spacing=12)
    f.cirrus(c, 580, 40, 110)
    for x, y, name in ((240, 320, 'Ns'), (415, 195, 'As'), (545, 114, 'Cs'), (640, 80, 'Ci')):
        c.label(x, y, name, size=16, bold=True)
    c.label(80, 100, 'Warmluft', size=17, bold=True, color='#9b2d17')
    c.label(570, 390, 'Kaltluft', size=17, bold=True, color='#1d4f9a')
    f.land(c, [(0, ground), (c.w, ground)], fill='#a8c98a')
    c.arrow(120, 462, 260, 462, color=TEXT, width=3, head=13)


@sketch('21_2', 590, 391)
def cloud_levels(c):
    f.sky(c, '#c7e1f6', '#eef7fd')
    f.land(c, [(0, 365), (c.w, 365)], fill=GROUND)
    for y, txt in ((120, 'ca. 6 km'), (250, 'ca. 2 km')):
        c.line(80, y, 590, y, color='#6a7f95', width=1.2, dash=(8, 5))
        c.text(8, y + 4, txt, size=12, color='#334455')
    c.text(8, 30, 'hohe', size=12, bold=True, color='#334455')
    c.text(8, 160, 'mittelhohe', size=12, bold=True, color='#334455')
    c.text(8, 290, 'tiefe', size=12, bold=True, color='#334455')
    c.text(8, 44, 'Wolken', size=12, color='#334455')
    c.text(8, 174, 'Wolken', size=12, color='#334455')
    c.text(8, 304, 'Wolken', size=12, color='#334455')
    f.cirrus(c, 110, 55, 110)
    f.altocumulus(c, 250, 360, 60, 18, rows=2)
    f.cloud_layer(c, 400, 570, 70, 88, fill='#f5f7f9', bump=30)
    f.altocumulus(c, 110, 270, 175, 30, rows=2)
    f.cloud_layer(c, 330, 570, 180, 215, fill='#e3e7eb')
    f.cloud_layer(c, 100, 260, 300, 325, fill='#d9dde2')
    for x in (310, 360, 410):
        f.cumulus(c, x, 318, 56, 22, seed=x, bumps=4)
    f.cumulus(c, 520, 335, 90, 60, seed=1)
    for x, y, name in ((160, 100, 'Ci'), (305, 100, 'Cc'), (485, 108, 'Cs'), (190, 230, 'Ac'),
                       (450, 232, 'As'), (180, 345, 'St'), (360, 345, 'Sc'), (520, 355, 'Cu')):
        c.label(x, y, name, size=14, bold=True, color='#22384f')


@sketch('21_3', 685, 435)
def fronts_map(c):
    c.rect(0, 0, c.w, c.h, fill='#f2f6f9')
    low = (250, 170)
    warm = [(low[0] + 10, low[1] + 10), (330, 200), (420, 225), (520, 240)]
    cold = [(low[0] + 10, low[1] + 10), (250, 250), (210, 320), (150, 400)]
    sector = warm + list(reversed(cold))
    c.polygon(sector, fill='#fbe3d6')
    for k, (rx, ry) in enumerate(((50, 36), (100, 72), (160, 115), (225, 160))):
        c.polygon(isobar_ring(low[0], low[1], rx, ry, phase=k), stroke='#555555', width=1.4)
    for k, (rx, ry) in enumerate(((45, 35), (95, 80))):
        c.polygon(isobar_ring(600, 330, rx, ry, phase=k + 2), stroke='#555555', width=1.4)
    front_line(c, bezier(warm[0], warm[1], warm[2], warm[3], 20), 'warm', side=1)
    front_line(c, bezier(cold[0], cold[1], cold[2], cold[3], 20), 'cold', side=-1)
    c.label(low[0], low[1] - 6, 'T', size=26, bold=True, color='#c0281e')
    c.label(600, 330, 'H', size=26, bold=True, color='#1f4fa0')
    f.north_arrow(c, 650, 90, 40)


@sketch('21_4', 683, 457)
def inversion_diagram(c):
    x0, y0 = 90, 410
    kx = 14.0   # px per °C, from -10 °C at the origin
    ky = 0.123  # px per m
    X = lambda t: x0 + (t + 10) * kx
    Y = lambda hgt: y0 - hgt * ky
    c.rect(x0 + 1, Y(1500), 610, Y(1200), fill='#fff0c8')
    c.line(x0, Y(1200), 610, Y(1200), color='#c99a2e', width=1.2, dash=(6, 4))
    c.line(x0, Y(1500), 610, Y(1500), color='#c99a2e', width=1.2, dash=(6, 4))
    f.axes(c, x0, y0, 625, 22, 'Temperatur (°C)', 'Höhe (m)',
           ticks_x=[(X(t), str(t)) for t in (-10, 0, 10, 20)],
           ticks_y=[(Y(hgt), str(hgt)) for hgt in (500, 1000, 1500, 2000, 2500, 3000)])
    env = [(X(18), Y(0)), (X(10.2), Y(1200)), (X(12.2), Y(1500)), (X(3.2), Y(3000))]
    c.polyline(env, color=HINT, width=3.5)
    c.line(X(18), Y(0), X(-12) if X(-12) > x0 else x0, Y(3000) if X(-12) > x0 else Y(2800),
           color='#1f4fa0', width=2, dash=(10, 6))


@sketch('21_5', 657, 498)
def mountain_wind_night(c):
    night = '#24324f'
    c.rect(0, 0, c.w, c.h, fill=night)
    for x, y in ((60, 40), (130, 90), (210, 30), (330, 70), (420, 25), (500, 80), (600, 45), (280, 130)):
        c.circle(x, y, 1.8, fill='#f4f4d0')
    f.moon(c, 560, 110, 26, night)
    f.mountain(c, [(250, 498), (330, 330), (420, 220), (470, 240), (540, 150), (600, 190), (657, 170)],
               fill='#6d6250', bottom=498)
    f.land(c, [(0, 440), (250, 430), (330, 400), (450, 380), (657, 370)], fill='#3e5a3a')
    for pts_ in (bezier((530, 175), (500, 250), (450, 300), (400, 330), 12),
                 bezier((430, 250), (400, 310), (350, 360), (300, 392), 12)):
        f.streamline(c, pts_, color='#8fc3ff', width=3, head=13)
    c.arrow(290, 418, 120, 432, color='#8fc3ff', width=3.5, head=15)


@sketch('21_6', 746, 489)
def cloud_base_from_dew_point(c):
    x0, y0 = 80, 450
    kx, ky = 16.0, 0.16
    X = lambda t: x0 + (t + 5) * kx
    Y = lambda hgt: y0 - hgt * ky
    f.axes(c, x0, y0, 540, 25, 'Temperatur (°C)', 'Höhe (m)',
           ticks_x=[(X(t), str(t)) for t in (0, 10, 20)],
           ticks_y=[(Y(hgt), str(hgt)) for hgt in (500, 1000, 1500, 2000)])
    base = 1250
    c.line(X(20), Y(0), X(20 - base / 100), Y(base), color=HINT, width=3)
    c.line(X(20 - base / 100), Y(base), X(20 - base / 100 - 0.6 * 10), Y(base + 1000), color=HINT,
           width=3, dash=(8, 5))
    c.line(X(10), Y(0), X(10 - 0.2 * base / 100), Y(base), color='#1f4fa0', width=3)
    c.line(0, Y(base), 746, Y(base), color='#777777', width=1.2, dash=(5, 5))
    c.text(X(20) + 8, Y(150), 'Temperatur', size=13, bold=True, color=HINT)
    c.text(X(10) - 8, Y(150), 'Taupunkt', size=13, bold=True, color='#1f4fa0', anchor='end')
    f.cumulus(c, 640, Y(base), 170, 110, seed=3, width=2)
    c.label(640, Y(base) + 22, 'Basis', size=13, bold=True)


@sketch('21_7', 650, 490)
def foehn(c):
    f.sky(c, '#c9e3f7', '#eef7fd')
    ridge = [(0, 400), (120, 380), (220, 300), (300, 190), (340, 150), (380, 190), (460, 300),
             (560, 370), (685, 385)]
    for i, y in enumerate((70, 105, 135)):
        pts_ = []
        for x in range(0, 686, 6):
            lift = (70 - i * 14) * math.exp(-((x - 340) / 120) ** 2)
            lee = (18 - i * 4) * math.sin((x - 340) / 150 * 2 * math.pi) if x > 340 else 0
            pts_.append((x, y + 40 - lift + lee))
        f.streamline(c, pts_, color='#5a8fd0', width=1.6)
    # cap cloud on the windward side, lenticulars in the lee waves, rotor cloud below them
    cap = [(150, 300), (200, 225), (260, 170), (320, 140), (345, 138), (365, 160)]
    c.polygon(f.scallop(cap, amp=0.35) + [(365, 200), (300, 260), (200, 310)], fill='#e9edf1',
              stroke=CLOUD_EDGE, width=1.8)
    f.rain(c, 150, 260, 300, 360, spacing=11)
    f.mountain(c, ridge)
    f.lenticular(c, 470, 96, 110, 18, layers=2)
    f.lenticular(c, 600, 100, 70, 14, layers=2)
    f.cumulus(c, 490, 245, 80, 34, seed=7, bumps=5)
    f.eddy(c, 490, 285, 22, color=HINT)
    c.label(90, 330, 'Luv', size=18, bold=True, color='#1f3f6f', box='#ffffff')
    c.label(590, 330, 'Lee', size=18, bold=True, color='#1f3f6f', box='#ffffff')
    f.wind_arrow(c, 20, 30, 110, 30, size=13, side=1)


@sketch('21_8', 675, 484)
def winds_around_high_and_low(c):
    c.rect(0, 0, c.w, c.h, fill='#f2f6f9')
    centres = {'H': (190, 240), 'T': (490, 240)}
    for name, (cx, cy) in centres.items():
        for k, r in enumerate((55, 110, 165)):
            c.polygon(isobar_ring(cx, cy, r, r * 0.9, wobble=0.04, phase=k), stroke='#555555', width=1.3)
        # northern hemisphere: clockwise out of the high, anticlockwise into the low
        for k in range(6):
            a = math.radians(k * 60 + 15)
            r = 128
            p = (cx + r * math.cos(a), cy + r * 0.9 * math.sin(a))
            # screen angles grow clockwise; the wind crosses the isobars by about 25 degrees
            d = a + math.radians(65) if name == 'H' else a - math.radians(115)
            q = (p[0] + 45 * math.cos(d), p[1] + 45 * math.sin(d))
            c.arrow(p[0], p[1], q[0], q[1], color='#1d5fa8', width=2.5, head=11)
        c.label(cx, cy, name, size=30, bold=True, color='#1f4fa0' if name == 'H' else '#c0281e')
    f.north_arrow(c, 640, 70, 40)


@sketch('21_9', 615, 516)
def thermal_release(c):
    f.sky(c)
    f.sun(c, 70, 60, 26)
    ground = 430
    f.land(c, [(0, ground), (c.w, ground)], fill=GROUND)
    c.rect(140, ground - 2, 360, ground + 14, fill='#8a6a48')
    for x in range(380, 600, 22):
        f.conifer(c, x, ground, 70 + (x % 3) * 8)
    # warm air gathers over the dark field and breaks away at the forest edge
    c.ellipse(250, ground - 20, 120, 22, fill='#fbd9b5', stroke='#e0a060', width=1.5, dash=(5, 4))
    c.ellipse(330, 290, 60, 48, fill='#fbd9b5', stroke='#e0a060', width=1.5, dash=(5, 4))
    c.ellipse(300, 160, 48, 40, fill='#fbd9b5', stroke='#e0a060', width=1.5, dash=(5, 4))
    f.streamline(c, bezier((300, ground - 30), (330, 380), (345, 360), (335, 335), 10), color=HINT,
                 width=2.5, head=11)
    c.arrow(330, 245, 310, 205, color=HINT, width=2.5, head=11)
    c.arrow(300, 120, 300, 90, color=HINT, width=2.5, head=11)
    f.cumulus(c, 300, 70, 160, 55, seed=2, width=2)
    f.wind_arrow(c, 20, 200, 100, 200, size=13)


@sketch('21_10', 742, 488)
def closed_isobars_low(c):
    c.rect(0, 0, c.w, c.h, fill='#f2f6f9')
    cx, cy = 360, 244
    for k, (rx, ry) in enumerate(((50, 38), (100, 78), (155, 120), (215, 165), (280, 208))):
        ring = isobar_ring(cx, cy, rx, ry, wobble=0.07, phase=k * 0.7)
        c.polygon(ring, stroke='#3a4a66', width=1.6)
        lx, ly = ring[9]
        c.label(lx, ly, str(1000 + 5 * k), size=11, color='#3a4a66', box='#f2f6f9')
    c.label(cx, cy, 'T', size=32, bold=True, color='#c0281e')
    f.north_arrow(c, 700, 80, 44)


@sketch('21_11', 744, 499)
def convergence(c):
    f.sky(c)
    ground = 450
    f.land(c, [(0, ground), (c.w, ground)], fill=GROUND)
    for y in (400, 350):
        c.arrow(30, y, 300, y, color='#1d5fa8', width=3, head=14)
        c.arrow(714, y, 444, y, color='#1d5fa8', width=3, head=14)
    for x in (350, 394):
        c.arrow(x, 390, x, 220, color=HINT, width=3, head=14)
    for base_x in (372, 220, 530):
        size = 1.0 if base_x == 372 else 0.6
        f.cumulus(c, base_x, 190, 200 * size, 120 * size, seed=base_x, width=2)


@sketch('21_12', 680, 516)
def daily_temperature(c):
    x0, y0 = 80, 450
    kx = 22.0
    f.axes(c, x0, y0, 650, 40, 'Uhrzeit (h)', 'Temperatur',
           ticks_x=[(x0 + h * kx, str(h)) for h in (0, 6, 12, 18, 24)])
    curve = []
    for i in range(0, 241):
        t = i / 10
        # minimum shortly after sunrise, maximum in the afternoon
        if 5.5 <= t <= 15:
            v = -math.cos(math.pi * (t - 5.5) / 9.5)
        else:
            tt = t - 15 if t > 15 else t + 9
            v = 1 - 2 * (tt / 14.5) ** 0.8
        curve.append((x0 + t * kx, 280 - v * 140))
    c.polyline(curve, color=HINT, width=3.5)
    f.sun(c, x0 + 14 * kx, 70, 16)
    f.moon(c, x0 + 2 * kx, 70, 14, '#ffffff')
    f.moon(c, x0 + 22 * kx, 70, 14, '#ffffff')


@sketch('21_13', 676, 512)
def thunderstorm(c):
    f.sky(c, '#b9d2e8', '#e4eef6')
    ground = 470
    f.land(c, [(0, ground), (c.w, ground)], fill=GROUND)
    f.cumulonimbus(c, 330, 300, 330, 280, 480, shift=20)
    # gust front: a roll cloud at the leading edge, cold outflow below it
    roll = f.arc(560, 318, 70, 26, 0, 360, 30)
    c.polygon(roll, fill='#8e99a6', stroke='#4e5966', width=1.8)
    f.eddy(c, 560, 318, 24, color='#ffffff', clockwise=True)
    f.rain(c, 240, 440, 306, ground - 4, spacing=10)
    f.lightning(c, 300, 310, 130)
    for y in (452, 435):
        c.arrow(440, y, 600, y, color='#1d5fa8', width=3, head=13)
    f.glider_front(c, 195, 350, 40, color=WING_YELLOW)


@sketch('21_14', 732, 484)
def sounding(c):
    x0, y0 = 80, 425
    kx, ky = 12.0, 0.09
    X = lambda t: x0 + (t + 30) * kx
    Y = lambda hgt: y0 - hgt * ky
    for t in range(-30, 21, 10):
        c.line(X(t), y0, X(t), 25, color='#e3e7ec', width=1)
    f.axes(c, x0, y0, 700, 20, 'Temperatur (°C)', 'Höhe (m)',
           ticks_x=[(X(t), str(t)) for t in (-20, -10, 0, 10, 20)],
           ticks_y=[(Y(hgt), str(hgt)) for hgt in (1000, 2000, 3000, 4000)])
    temp = [(0, 16), (800, 10), (1000, 9.5), (1300, 11), (2500, 3), (3500, -4), (4400, -10)]
    dew = [(0, 9), (800, 6), (1000, 5), (1300, -4), (2500, -9), (3500, -14), (4400, -25)]
    c.polyline([(X(t), Y(hgt)) for hgt, t in temp], color=HINT, width=3)
    c.polyline([(X(t), Y(hgt)) for hgt, t in dew], color='#1f4fa0', width=3, dash=(9, 5))
    c.text(X(16) + 8, Y(120), 'Temperatur', size=13, bold=True, color=HINT)
    c.text(X(9) - 10, Y(120), 'Taupunkt', size=13, bold=True, color='#1f4fa0', anchor='end')


@sketch('21_15', 529, 506)
def pressure_with_height(c):
    f.sky(c, '#9fc6ea', '#e9f4fc')
    f.mountain(c, [(200, 506), (300, 300), (360, 150), (420, 260), (529, 330)], bottom=506)
    f.land(c, [(0, 470), (220, 470), (250, 455)], fill=GROUND)
    # the air gets thinner with height: fewer dots higher up
    for row in range(18):
        y = 460 - row * 24
        step = 10 + row * row * 0.35
        x = 10 + (row % 2) * step / 2
        while x < 190:
            c.circle(x, y, 1.6, fill='#3a5a7a')
            x += step
    for hgt_y, p, hgt in ((470, '1013 hPa', '0 m'), (265, '700 hPa', '3000 m'), (110, '500 hPa', '5500 m')):
        c.line(0, hgt_y, 529, hgt_y, color='#1f4fa0', width=1.2, dash=(7, 5))
        c.label(240, hgt_y - 12, p, size=13, bold=True, color='#1f4fa0', box='#ffffff')
        c.text(520, hgt_y - 6, hgt, size=13, anchor='end', color='#1f3f6f')


@sketch('21_16', 669, 504)
def slope_winds_day(c):
    f.sky(c)
    f.sun(c, 334, 60, 26)
    terrain = [(0, 160), (80, 150), (150, 220), (240, 360), (300, 430), (370, 430), (430, 360),
               (520, 220), (590, 150), (669, 165)]
    f.land(c, terrain, fill='#b9c98f')
    for a, b in (((255, 350), (160, 215)), ((420, 350), (510, 215))):
        c.arrow(a[0] - 10 if a[0] < 300 else a[0] + 10, a[1] - 30, b[0] - 10 if a[0] < 300 else b[0] + 10,
                b[1] - 30, color=HINT, width=3.5, head=15)
    c.arrow(334, 190, 334, 300, color='#1f4fa0', width=3, head=14, dash=(8, 5))
    f.cumulus(c, 110, 95, 130, 55, seed=1)
    f.cumulus(c, 570, 95, 130, 55, seed=4)


@sketch('21_17', 769, 244)
def cloud_streets(c):
    c.rect(0, 0, c.w, c.h, fill='#d8e8c0')
    for x in range(0, 769, 90):
        c.line(x, 0, x + 60, 244, color='#c8dcaa', width=8)
    for row, y in enumerate((50, 125, 200)):
        x = 40 + row * 25
        while x < 740:
            c.circle(x + 6, y + 6, 20, fill='#b6c7a2')
            c.ellipse(x, y, 30, 19, fill='#ffffff', stroke=CLOUD_EDGE, width=1.5)
            c.circle(x - 12, y - 4, 12, fill='#ffffff', stroke=CLOUD_EDGE, width=1.2)
            c.circle(x + 10, y - 6, 14, fill='#ffffff', stroke=CLOUD_EDGE, width=1.2)
            x += 75
    f.wind_arrow(c, 300, 232, 470, 232, text='', width=4)
    c.label(520, 232, 'Wind', size=13, bold=True, color='#1d5fa8', box='#d8e8c0')


@sketch('21_18', 619, 493)
def valley_morning_sun(c):
    c.rect(0, 0, c.w, c.h, fill='#e8efe0')
    floor = [(260, 40), (340, 40), (345, 460), (255, 460)]
    west = [(80, 40), (260, 40), (255, 460), (70, 460)]
    east = [(340, 40), (520, 40), (530, 460), (345, 460)]
    c.polygon(west, fill='#f4dc8a')
    c.polygon(east, fill='#8393a8')
    c.polygon(floor, fill='#c7dfa7')
    for y in range(55, 460, 20):
        c.line(90, y, 240, y, color='#c9a64a', width=1.4)
        c.line(360, y, 510, y, color='#5a6a80', width=1.4)
    c.polyline([(80, 40), (70, 460)], color='#6b4f2a', width=3)
    c.polyline([(520, 40), (530, 460)], color='#6b4f2a', width=3)
    c.polyline([(300, 40), (303, 250), (298, 460)], color='#4f88c6', width=4)
    f.sun(c, 575, 440, 22)
    for dy in (0, 30):
        c.arrow(545, 410 - dy, 470, 360 - dy, color='#e9a600', width=2.5, head=11)
    for x, y, letter in ((300, 22, 'N'), (300, 484, 'S'), (30, 250, 'W'), (595, 250, 'O')):
        c.label(x, y, letter, size=18, bold=True)


@sketch('21_19', 737, 487)
def radiation_fog(c):
    night = '#2b3a5c'
    c.rect(0, 0, c.w, c.h, fill=night)
    for x, y in ((50, 40), (140, 90), (250, 30), (380, 70), (470, 25), (560, 100), (690, 50), (300, 120)):
        c.circle(x, y, 1.8, fill='#f4f4d0')
    f.moon(c, 640, 110, 26, night)
    terrain = [(0, 180), (120, 200), (220, 330), (300, 420), (440, 420), (520, 320), (620, 210),
               (737, 190)]
    f.land(c, terrain, fill='#4a5e44')
    # the fog fills the valley up to a flat top
    top = 350
    c.polygon(f.scallop([(250, top), (490, top)], amp=0.02, n=24) + [(470, top + 40), (440, 420),
                                                                       (300, 420), (265, top + 40)],
              fill='#e8ecef', stroke='#aab4bd', width=1.2)
    for x in (250, 480):
        c.arrow(x + (40 if x < 300 else -40), 250, x + (90 if x < 300 else -90), 330, color='#8fc3ff',
                width=2.5, head=11)


@sketch('21_20', 738, 497)
def overdevelopment(c):
    f.sky(c)
    ground = 455
    f.land(c, [(0, ground), (c.w, ground)], fill=GROUND)
    base = 380
    f.cumulus(c, 90, base, 90, 40, seed=1)
    f.cumulus(c, 260, base, 130, 110, seed=2)
    tower = [(340, base), (345, base - 150), (360, base - 250), (420, base - 275), (470, base - 220),
             (480, base - 120), (490, base)]
    c.polygon(f.scallop(tower, amp=0.3), fill='#ffffff', stroke=CLOUD_EDGE, width=1.8)
    c.line(342, base, 488, base, color='#59636e', width=2.5)
    f.cumulonimbus(c, 606, base, 170, 340, 190, shift=0)
    f.rain(c, 536, 676, base + 6, ground - 4, spacing=11)
    for x, t in ((90, '10 Uhr'), (260, '12 Uhr'), (415, '14 Uhr'), (606, '16 Uhr')):
        c.label(x, ground + 22, t, size=14, bold=True)


@sketch('21_21', 740, 496)
def venturi_pass(c):
    c.rect(0, 0, c.w, c.h, fill='#e8efe0')
    north = [(250, 0), (520, 0), (500, 120), (420, 205), (370, 215), (300, 150)]
    south = [(260, 496), (300, 330), (370, 280), (420, 285), (500, 380), (540, 496)]
    for shape in (north, south):
        c.polygon(shape, fill='#c9b48a', stroke='#7a6040', width=2)
        c.hatch(shape, spacing=9, angle=60, color='#a88c62', width=1)
    for y, squeeze in ((150, 0.2), (200, 0.45), (248, 0.5), (296, 0.45), (346, 0.2)):
        pts_ = []
        for x in range(0, 741, 10):
            g = math.exp(-((x - 395) / 110) ** 2)
            pts_.append((x, 248 + (y - 248) * (1 - g * (1 - squeeze) * 1.7 / 1.7)))
        f.streamline(c, pts_, color='#2f6fc0', width=2)
    f.north_arrow(c, 700, 90, 40)


@sketch('21_22', 775, 497)
def ground_and_upper_wind(c):
    c.rect(0, 0, c.w, c.h, fill='#f2f6f9')
    for k, y in enumerate((90, 200, 310, 420)):
        c.polyline([(x, y + 6 * math.sin(x / 120)) for x in range(0, 776, 8)], color='#555555', width=1.5)
        c.label(50, y - 14, str(1000 + 5 * k) + ' hPa', size=12, color='#3a4a66', box='#f2f6f9')
    c.label(390, 30, 'T', size=30, bold=True, color='#c0281e')
    c.label(390, 470, 'H', size=30, bold=True, color='#1f4fa0')
    c.arrow(220, 250, 420, 250, color='#1f4fa0', width=4, head=16)
    c.text(230, 240, 'Höhenwind', size=14, bold=True, color='#1f4fa0')
    a = math.radians(-30)
    c.arrow(440, 330, 440 + 190 * math.cos(a), 330 + 190 * math.sin(a), color=HINT, width=4, head=16)
    c.text(470, 360, 'Bodenwind', size=14, bold=True, color=HINT)
    f.north_arrow(c, 735, 80, 40)
