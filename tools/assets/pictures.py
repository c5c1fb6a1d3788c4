# The program's own pictures: chart notice, message box icons, flight school logo and splash screen.
import textwrap

import figures as f
from mvg import WING_RED, arc, bezier

NOTICE_TEXT = ('Dieser Ausschnitt einer ICAO-Luftfahrtkarte kann aus rechtlichen Gründen '
               'nicht gezeigt werden.')

# name -> (width, height, drawn width, drawn height, progressive, greyscale, quality, function)
PICTURES = {}

# Icons are drawn four times as large and scaled down, which smooths their edges.
ICON_SCALE = 4


def picture(name, width, height, progressive, grey=False, scale=1, quality=85):
    def register(draw):
        PICTURES[name] = (width, height, width * scale, height * scale, progressive, grey, quality,
                          draw)
        return draw
    return register


@picture('sketches/noICAO.jpg', 320, 240, progressive=True, grey=True)
def notice(c):
    c.rect(0, 0, c.w, c.h, fill='#ececec')
    c.rect(8, 8, c.w - 8, c.h - 8, fill='#f8f8f8', stroke='#8c8c8c', width=2, radius=6)
    # a chart symbol, crossed out, says at a glance what is missing
    c.rect(130, 26, 190, 74, fill='#dcdcdc', stroke='#555555', width=2)
    c.polyline([(138, 64), (152, 44), (164, 56), (182, 34)], color='#555555', width=2)
    c.line(124, 80, 196, 20, color='#333333', width=4)
    lines = textwrap.wrap(NOTICE_TEXT, width=30)
    y = 120 - (len(lines) - 3) * 11
    for line in lines:
        c.text(160, y, line, size=15, anchor='middle', color='#222222')
        y += 24


def balloon(c):
    """A white speech balloon with its tail down to the left, for the information and question icons."""
    c.ellipse(64, 54, 56, 44, fill='#ffffff', stroke='#3d6fb6', width=6)
    c.polygon([(30, 84), (18, 120), (56, 94)], fill='#ffffff', stroke='#3d6fb6', width=6)
    # cover the tail's base, so balloon and tail make one outline
    c.ellipse(64, 54, 52, 40, fill='#ffffff')
    c.polygon([(34, 84), (24, 110), (52, 92)], fill='#ffffff')


@picture('icons/information.jpg', 32, 32, progressive=False, scale=ICON_SCALE, quality=95)
def icon_information(c):
    balloon(c)
    c.circle(64, 28, 8, fill='#1f5fc0')
    c.rect(56, 42, 72, 84, fill='#1f5fc0', radius=3)


@picture('icons/question.jpg', 32, 32, progressive=False, scale=ICON_SCALE, quality=95)
def icon_question(c):
    balloon(c)
    c.text(64, 82, '?', size=68, anchor='middle', color='#1f5fc0', bold=True)


@picture('icons/exclamation.jpg', 32, 32, progressive=False, scale=ICON_SCALE, quality=95)
def icon_exclamation(c):
    c.polygon([(64, 8), (122, 116), (6, 116)], fill='#f7d117', stroke='#5a4a00', width=6)
    c.polygon([(58, 40), (70, 40), (67, 84), (61, 84)], fill='#111111')
    c.circle(64, 99, 7, fill='#111111')


@picture('icons/critical.jpg', 32, 32, progressive=False, scale=ICON_SCALE, quality=95)
def icon_critical(c):
    c.circle(64, 64, 58, fill='#d0201a', stroke='#7a0c08', width=4)
    c.line(40, 40, 88, 88, color='#ffffff', width=14)
    c.line(88, 40, 40, 88, color='#ffffff', width=14)


@picture('icons/application.jpg', 32, 32, progressive=False, scale=ICON_SCALE, quality=95)
def icon_application(c):
    c.rect(8, 14, 120, 114, fill='#c8ccd2', stroke='#3a3f46', width=5)
    c.rect(12, 18, 116, 40, fill='#1f4fa0')
    c.rect(96, 22, 110, 36, fill='#c8ccd2', stroke='#3a3f46', width=2)
    c.rect(16, 46, 112, 108, fill='#ffffff', stroke='#7a808a', width=2)


def paraglider_mark(c, cx, cy, span, color=WING_RED):
    """The school's sign: a bold canopy arc with a few lines and the pilot."""
    band_out = arc(cx, cy + span * 0.45, span * 0.5, span * 0.42, 205, 335, 30)
    band_in = arc(cx, cy + span * 0.45, span * 0.47, span * 0.36, 335, 205, 30)
    pilot = (cx, cy + span * 0.62)
    for i in (3, 9, 15, 21, 27):
        c.line(band_in[i][0], band_in[i][1], pilot[0], pilot[1] - span * 0.04, color='#555555',
               width=max(1.0, span * 0.006))
    c.polygon(band_out + band_in, fill=color, stroke=f.shade(color, 0.6), width=max(1.0, span * 0.01))
    c.circle(pilot[0], pilot[1] - span * 0.02, span * 0.03, fill='#f0c419', stroke='#555555', width=1)
    c.polyline([(pilot[0], pilot[1]), (pilot[0] + span * 0.02, pilot[1] + span * 0.07),
                (pilot[0] + span * 0.07, pilot[1] + span * 0.08)], color='#27446e',
               width=max(2.0, span * 0.025))


@picture('logo.jpg', 269, 297, progressive=True)
def logo(c):
    c.rect(0, 0, c.w, c.h, fill='#ffffff')
    # round badge: sky, two hills, the paraglider above them
    cx, cy, r = 134, 112, 100
    c.circle(cx, cy, r, fill='#cfe6f8')
    f.land(c, bezier((0, cy + 40), (cx - 50, cy - 20), (cx + 20, cy + 10), (c.w, cy + 20), 24),
           fill='#8fbf6a', bottom=cy + r + 10)
    f.land(c, bezier((0, cy + 70), (cx - 30, cy + 30), (cx + 40, cy + 40), (c.w, cy + 55), 24),
           fill='#5d9a45', bottom=cy + r + 10)
    paraglider_mark(c, cx + 8, cy - 80, 120)
    c.mask_outside(arc(cx, cy, r, r, 0, 360, 90)[:-1])
    c.circle(cx, cy, r, stroke='#1f4fa0', width=6)
    c.text(cx, 252, 'Talwinder', size=32, anchor='middle', bold=True, color='#1f4fa0')
    c.text(cx, 282, 'Flugschule Ost', size=21, anchor='middle', color='#2f6b34', bold=True)


@picture('splash.jpg', 640, 480, progressive=True)
def splash(c):
    f.sky(c, '#6fa8dc', '#e6f2fb', y0=0, y1=330, bands=24)
    f.sun(c, 560, 70, 28)
    f.cumulus(c, 330, 232, 100, 34, seed=1)
    f.cumulus(c, 600, 205, 70, 26, seed=3)
    f.land(c, bezier((0, 300), (150, 210), (330, 300), (640, 220), 40), fill='#8fbf6a', bottom=480)
    f.land(c, bezier((0, 365), (200, 315), (420, 370), (640, 330), 40), fill='#6da34d', bottom=480)
    # a calm, even strip at the bottom: the program writes a link there
    c.rect(0, 410, 640, 480, fill='#e9f2dc')
    c.line(0, 410, 640, 410, color='#b7cfa0', width=2)
    paraglider_mark(c, 470, 120, 190)
    c.text(40, 110, 'Aerolern', size=78, bold=True, color='#ffffff')
    c.text(36, 106, 'Aerolern', size=78, bold=True, color='#173f80')
    c.text(42, 150, 'Talwinder Flugschule Ost', size=24, bold=True, color='#173f80')
    c.text(42, 182, 'Version IV', size=20, color='#173f80')
