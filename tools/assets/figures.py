# Recurring figures of the sketches: clouds, paragliders, pilots, terrain, sun and map signs.
import math

from mvg import (CLOUD, CLOUD_EDGE, GROUND, LINE, RAIN, ROCK, SNOW, TEXT, WING_RED, arc, bezier,
                 lerp, move, quad, rotate, scallop)


def place(points, x, y, angle=0.0, facing=1):
    """Local figure coordinates (figure looking to the right) into the picture."""
    p = [(px * facing, py) for px, py in points]
    if angle:
        p = rotate(p, angle)
    return move(p, x, y)


def shade(colour, f):
    """A darker (f < 1) or lighter (f > 1) variant of a '#rrggbb' colour."""
    rgb = [int(colour[i:i + 2], 16) for i in (1, 3, 5)]
    if f <= 1:
        rgb = [int(v * f) for v in rgb]
    else:
        rgb = [int(v + (255 - v) * (f - 1)) for v in rgb]
    return '#%02x%02x%02x' % tuple(max(0, min(255, v)) for v in rgb)


# --- clouds -----------------------------------------------------------------------------------

def bumpy(points, amps, n=8):
    """An outline whose segments bulge by their own amount (0 keeps a segment straight)."""
    out = []
    for i in range(len(points) - 1):
        if amps[i]:
            out += scallop([points[i], points[i + 1]], amp=amps[i], n=n)[:-1]
        else:
            out.append(points[i])
    out.append(points[-1])
    return out


def cumulus(c, cx, base, w, h, seed=0, fill=CLOUD, edge=CLOUD_EDGE, width=1.8, bumps=7):
    """A fair-weather cumulus: flat base, cauliflower top."""
    top = []
    for i in range(bumps + 1):
        a = math.radians(180 + 180 * i / bumps)
        r = 1 + 0.1 * math.sin(i * 2.3 + seed)
        ys = abs(math.sin(a)) ** 0.6
        top.append((cx + w / 2 * math.cos(a), base - h * ys * r))
    outline = scallop(top, amp=0.38, n=8)
    c.polygon(outline, fill=fill, stroke=edge, width=width)
    c.line(cx - w / 2 + 4, base, cx + w / 2 - 4, base, color=shade(edge, 0.8), width=width + 0.6)


def cumulonimbus(c, cx, base, wb, h, anvil_w, shift=0.0, fill=CLOUD, edge=CLOUD_EDGE, width=2.0):
    """A thunderstorm cloud: towering body and a flat anvil that reaches out downwind."""
    top = base - h
    tower = wb * 0.42
    p = [(cx - wb / 2, base), (cx - wb * 0.55, base - h * 0.25), (cx - wb * 0.5, base - h * 0.5),
         (cx - tower, base - h * 0.72), (cx - anvil_w * 0.45 + shift, base - h * 0.8),
         (cx - anvil_w * 0.5 + shift, base - h * 0.88), (cx - anvil_w * 0.42 + shift, top),
         (cx + anvil_w * 0.5 + shift, top), (cx + anvil_w * 0.62 + shift, base - h * 0.88),
         (cx + tower, base - h * 0.78), (cx + wb * 0.5, base - h * 0.5),
         (cx + wb * 0.55, base - h * 0.25), (cx + wb / 2, base)]
    amps = [0.35, 0.35, 0.35, 0.12, 0.1, 0.06, 0, 0.06, 0.12, 0.35, 0.35, 0.35]
    c.polygon(bumpy(p, amps), fill=fill, stroke=edge, width=width)
    c.line(cx - wb / 2 + 4, base, cx + wb / 2 - 4, base, color=shade(edge, 0.7), width=width + 1)
    # the dark lower part of the cloud body
    c.polygon([(cx - wb / 2 + 3, base - 2), (cx + wb / 2 - 3, base - 2),
               (cx + wb * 0.5, base - h * 0.12), (cx - wb * 0.5, base - h * 0.12)],
              fill='#aab4bf', opacity=0.55)


def cloud_layer(c, x0, x1, y_top, y_bot, fill='#eef1f4', edge=CLOUD_EDGE, bump=40, width=1.5):
    """A sheet cloud (stratus, altostratus, nimbostratus): flat, slightly wavy top."""
    n = max(2, int((x1 - x0) / bump))
    top = [(x0 + (x1 - x0) * i / n, y_top) for i in range(n + 1)]
    outline = scallop(top, amp=0.12, n=8)
    bottom = [(x1, y_bot), (x0, y_bot)]
    c.polygon(outline + bottom, fill=fill, stroke=edge, width=width)


def altocumulus(c, x0, x1, y, size, rows=2, fill=CLOUD, edge=CLOUD_EDGE):
    """A field of small cloudlets."""
    for r in range(rows):
        x = x0 + (r % 2) * size * 0.7
        while x + size < x1:
            cumulus(c, x + size / 2, y + r * size * 0.8, size, size * 0.45, seed=x, fill=fill,
                    edge=edge, width=1.2, bumps=3)
            x += size * 1.4


def cirrus(c, x, y, w, color='#8aa6c4', width=1.6):
    """Cirrus: thin fibres with hooked ends."""
    for i in range(3):
        y0 = y + i * w * 0.09
        x0 = x + i * w * 0.12
        pts = bezier((x0, y0 + w * 0.05), (x0 + w * 0.3, y0 - w * 0.02), (x0 + w * 0.6, y0 + w * 0.04),
                     (x0 + w * 0.78, y0 - w * 0.08), 18)
        c.polyline(pts, color=color, width=width)


def lenticular(c, cx, cy, w, h, fill='#ffffff', edge=CLOUD_EDGE, layers=2):
    """Smooth lens-shaped wave clouds, stacked."""
    for i in range(layers):
        ww = w * (1 - 0.2 * i)
        yy = cy - i * h * 0.75
        up = arc(cx, yy, ww / 2, h * 0.75, 180, 360, 24)
        low = arc(cx, yy, ww / 2, h * 0.25, 0, 180, 24)
        c.polygon(up + low, fill=fill, stroke=edge, width=1.6)


def rain(c, x0, x1, y0, y1, spacing=12, color=RAIN, slant=6, width=1.4):
    x = x0
    i = 0
    while x <= x1:
        off = (i % 3) * (y1 - y0) * 0.08
        c.line(x, y0 + off, x - slant, y1 - off * 0.5, color=color, width=width, dash=(6, 5))
        x += spacing
        i += 1


def lightning(c, x, y, length, color='#f2c010'):
    s = length / 4
    p = [(x, y), (x - s * 0.5, y + s * 1.6), (x - s * 0.05, y + s * 1.6), (x - s * 0.6, y + length),
         (x + s * 0.55, y + s * 1.3), (x + s * 0.1, y + s * 1.3), (x + s * 0.6, y)]
    c.polygon(p, fill=color, stroke='#8a6a00', width=1.2)


# --- paragliders ------------------------------------------------------------------------------

def glider_front(c, x, y, span, color=WING_RED, bank=0.0, collapse=0.0, ears=False,
                 line_color='#6b6b6b', pilot=True, pilot_color='#27446e'):
    """A paraglider seen from the front (or from behind); (x, y) is the pilot's seat.

    collapse: fraction of one wing half folded down; negative for the half on the left of the
    picture. ears: both tips folded down, the pilot pulling them in by the outer A-lines.
    Returns picture coordinates: canopy top, riser points, seat and the two canopy ends, and the
    canopy radius R.
    """
    R = span / 1.81
    ox, oy = 0.0, 0.1 * R
    u = 0.05 * R

    def T(points):
        return move(rotate(points, bank, 0, -0.5 * R), x, y)

    def polar(phi, r):
        a = math.radians(phi)
        return (ox + r * math.sin(a), oy - r * math.cos(a))

    def thick(phi):
        return 0.11 * R * (1 - 0.45 * (phi / 65) ** 2)

    lo, hi = -65.0, 65.0
    if collapse < 0:
        lo = -65 * (1 + collapse)
    elif collapse > 0:
        hi = 65 * (1 - collapse)
    if ears:
        lo, hi = -46.0, 46.0
    riser = {-1: (-1.4 * u, -3.2 * u), 1: (1.4 * u, -3.2 * u)}

    # lines under the intact canopy, drawn first so the canopy covers their ends
    step = (hi - lo - 6) / 13
    for i in range(14):
        ph = lo + 3 + step * i
        if abs(ph) < 2:
            continue
        side = 1 if ph > 0 else -1
        a = polar(ph, R - thick(ph))
        c.polyline(T([a, riser[side]]), color=line_color, width=0.9)

    outer = [polar(lo + (hi - lo) * i / 40, R) for i in range(41)]
    inner = [polar(hi - (hi - lo) * i / 40, R - thick(hi - (hi - lo) * i / 40)) for i in range(41)]
    c.polygon(T(outer + inner), fill=color, stroke=shade(color, 0.6), width=1.5)
    cells = int((hi - lo) / 5)
    for i in range(1, cells):
        ph = lo + (hi - lo) * i / cells
        c.polyline(T([polar(ph, R), polar(ph, R - thick(ph))]), color=shade(color, 0.75), width=0.8)
    # the cell openings along the lower front edge
    c.polyline(T([polar(lo + (hi - lo) * i / 40, R - thick(lo + (hi - lo) * i / 40) * 0.72)
                  for i in range(41)]), color=shade(color, 0.55), width=1.0)

    def flap(phi_fold, side, length_factor, droop_deg):
        """A folded wing part: a tongue hanging from the fold line, creased across."""
        f_out = polar(phi_fold, R)
        f_in = polar(phi_fold, R - thick(phi_fold))
        m = lerp(f_out, f_in, 0.5)
        length = R * math.radians(65 - abs(phi_fold)) * length_factor
        a = math.radians(droop_deg)
        down = (side * math.sin(a), math.cos(a))
        out_n = (side * math.cos(a), -math.sin(a))
        w = thick(phi_fold) * 1.5
        outer_edge, inner_edge = [], []
        for k in range(11):
            t = k / 10
            half = w / 2 * (1 - 0.25 * t) * (1 + 0.12 * math.sin(t * math.pi * 3))
            base = (m[0] + down[0] * length * t, m[1] + down[1] * length * t)
            outer_edge.append((base[0] + out_n[0] * half, base[1] + out_n[1] * half))
            inner_edge.append((base[0] - out_n[0] * half, base[1] - out_n[1] * half))
        tip = (m[0] + down[0] * length * 1.08, m[1] + down[1] * length * 1.08)
        poly = [f_out] + outer_edge[1:] + [tip] + list(reversed(inner_edge[1:])) + [f_in]
        c.polygon(T(poly), fill=shade(color, 0.72), stroke=shade(color, 0.45), width=1.5)
        for t in (0.35, 0.7):
            k = int(t * 10)
            c.polyline(T([outer_edge[k], lerp(outer_edge[k], inner_edge[k + 1], 0.5), inner_edge[k + 1]]),
                       color=shade(color, 0.45), width=1)
        return tip

    hands = {-1: (-2.2 * u, -2.2 * u), 1: (2.2 * u, -2.2 * u)}
    if collapse:
        side = -1 if collapse < 0 else 1
        tip = flap(lo if side < 0 else hi, side, 0.6, -25)
        # slack lines to the folded part
        for k in range(4):
            fold = polar(lo if side < 0 else hi, R)
            p = lerp(fold, tip, 0.25 + 0.25 * k)
            mid = lerp(p, riser[side], 0.5)
            bend = (mid[0] - side * R * 0.06, mid[1] + R * 0.02)
            c.polyline(T(quad(p, bend, riser[side], 12)), color=line_color, width=0.9)
    if ears:
        hands = {-1: (-2.6 * u, -4.2 * u), 1: (2.6 * u, -4.2 * u)}
        for side in (-1, 1):
            tip = flap(46 * side, side, 0.9, -4)
            # the outer A-lines, pulled down by the hands
            c.polyline(T([tip, hands[side]]), color='#c0181a', width=1.6)
            fold = polar(46 * side, R)
            mid = lerp(fold, tip, 0.5)
            c.polyline(T([mid, lerp(mid, riser[side], 0.5), riser[side]]), color=line_color,
                       width=0.9, dash=(3, 3))
    if pilot:
        # risers
        for side in (-1, 1):
            c.polyline(T([(side * 1.3 * u, -0.8 * u), riser[side]]), color='#333333', width=2)
        # pilot: legs, harness, arms, helmet
        c.polyline(T([(-0.5 * u, 0.6 * u), (-0.7 * u, 3.0 * u)]), color=pilot_color, width=max(2, 0.7 * u))
        c.polyline(T([(0.5 * u, 0.6 * u), (0.7 * u, 3.0 * u)]), color=pilot_color, width=max(2, 0.7 * u))
        c.polygon(T([(-1.3 * u, -1.9 * u), (1.3 * u, -1.9 * u), (1.4 * u, 0.9 * u), (-1.4 * u, 0.9 * u)]),
                  fill='#3b3b3b', stroke='#222222', width=1)
        for side in (-1, 1):
            c.polyline(T([(side * 1.1 * u, -1.6 * u), (side * 2.0 * u, -1.2 * u), hands[side]]),
                       color=pilot_color, width=max(1.5, 0.55 * u))
        hx, hy = T([(0, -2.8 * u)])[0]
        c.circle(hx, hy, max(2.5, 0.95 * u), fill='#f0c419', stroke='#555555', width=1)
    return {'top': T([polar(0, R)])[0], 'risers': T([riser[-1], riser[1]]), 'R': R,
            'seat': T([(0, 0)])[0], 'tips': T([polar(lo, R), polar(hi, R)])}


def airfoil(chord=1.0, thick=0.15, camber=0.05, n=28):
    """Upper and lower surface of a cambered profile, leading edge at (0, 0), chord along +x,
    screen y (up is negative). Both lists run from the leading to the trailing edge."""
    up, low = [], []
    p = 0.3
    for i in range(n + 1):
        xx = (1 - math.cos(math.pi * i / n)) / 2
        yt = 5 * thick * (0.2969 * math.sqrt(xx) - 0.1260 * xx - 0.3516 * xx ** 2 + 0.2843 * xx ** 3
                          - 0.1036 * xx ** 4)
        if xx < p:
            yc = camber / p ** 2 * (2 * p * xx - xx ** 2)
        else:
            yc = camber / (1 - p) ** 2 * ((1 - 2 * p) + 2 * p * xx - xx ** 2)
        up.append((xx * chord, -(yc + yt) * chord))
        low.append((xx * chord, -(yc - yt) * chord))
    return up, low


def profile_points(x, y, chord, angle=0.0, facing=1, thick=0.15, camber=0.05):
    """A profile in the picture: leading edge at (x, y), pointing to the side 'facing' looks."""
    up, low = airfoil(chord, thick, camber)
    # the profile runs from the leading edge backwards
    up = [(-px, py) for px, py in up]
    low = [(-px, py) for px, py in low]
    return place(up, x, y, angle, facing), place(low, x, y, angle, facing)


def pilot_seated(c, x, y, h, facing=1, color='#27446e', harness='#3b3b3b', helmet='#f0c419',
                 angle=0.0, arms='brakes'):
    """A pilot in the harness, side view; (x, y) is the main carabiner, h the seated height."""
    def P(points):
        return place(points, x, y, angle, facing)

    seat = [(-0.22 * h, -0.45 * h), (-0.3 * h, 0.05 * h), (-0.18 * h, 0.22 * h), (0.34 * h, 0.24 * h),
            (0.36 * h, 0.1 * h), (0.0 * h, 0.06 * h), (-0.08 * h, -0.45 * h)]
    c.polygon(P(seat), fill=harness, stroke='#222222', width=1)
    lw = max(2.0, h * 0.09)
    c.polyline(P([(-0.06 * h, -0.5 * h), (-0.1 * h, 0.08 * h)]), color=color, width=lw * 1.3)
    c.polyline(P([(-0.1 * h, 0.1 * h), (0.34 * h, 0.14 * h), (0.4 * h, 0.5 * h)]), color=color, width=lw)
    c.polyline(P([(0.4 * h, 0.5 * h), (0.5 * h, 0.52 * h)]), color='#222222', width=lw)
    if arms == 'brakes':
        c.polyline(P([(-0.06 * h, -0.42 * h), (0.08 * h, -0.22 * h), (0.06 * h, -0.45 * h)]),
                   color=color, width=lw * 0.8)
    elif arms == 'down':
        c.polyline(P([(-0.06 * h, -0.42 * h), (0.06 * h, -0.15 * h), (0.12 * h, 0.0)]),
                   color=color, width=lw * 0.8)
    elif arms == 'up':
        c.polyline(P([(-0.06 * h, -0.42 * h), (0.02 * h, -0.65 * h), (0.05 * h, -0.85 * h)]),
                   color=color, width=lw * 0.8)
    hx, hy = P([(-0.02 * h, -0.66 * h)])[0]
    c.circle(hx, hy, h * 0.13, fill=helmet, stroke='#555555', width=1)


def glider_side(c, x, y, size, color=WING_RED, facing=1, angle=0.0, pilot=True, brake=0.0,
                line_color='#6b6b6b', arms='brakes'):
    """A paraglider from the side; (x, y) is the main carabiner, size the line length.

    Returns the leading and trailing edge and the carabiner in picture coordinates.
    """
    chord = 0.42 * size
    le = (0.2 * size, -size)
    up, low = airfoil(chord, 0.15, 0.05)
    up = [(le[0] - px, le[1] + py) for px, py in up]
    low = [(le[0] - px, le[1] + py) for px, py in low]
    if brake:
        # the rear part of the profile pulled down
        def bend(points):
            out = []
            for px, py in points:
                t = (le[0] - px) / chord
                out.append((px, py + max(0.0, t - 0.55) ** 2 * brake * size * 0.9))
            return out
        up, low = bend(up), bend(low)
    riser_top = (0.02 * size, -0.14 * size)
    P = lambda pts_: place(pts_, x, y, angle, facing)
    for frac in (0.1, 0.3, 0.55, 0.8):
        i = min(range(len(low)), key=lambda k: abs((le[0] - low[k][0]) / chord - frac))
        c.polyline(P([low[i], riser_top]), color=line_color, width=1)
    hand = (0.06 * size, -0.09 * size)
    c.polyline(P([low[-1], hand]), color='#888888', width=1, dash=(4, 3))
    c.polygon(P(up + list(reversed(low))), fill=color, stroke=shade(color, 0.6), width=1.5)
    c.polyline(P([(0, -0.02 * size), riser_top]), color='#333333', width=2.2)
    if pilot:
        pilot_seated(c, x, y, size * 0.2, facing=facing, angle=angle, arms=arms)
    return {'le': P([le])[0], 'te': P([up[-1]])[0], 'carabiner': (x, y)}


def pilot_standing(c, x, y, h, facing=1, color='#27446e', arms='forward', lean=0.0,
                   harness='#3b3b3b', helmet='#f0c419'):
    """A standing or running pilot with harness, side view; (x, y) are the feet."""
    def P(points):
        return place(points, x, y, lean, facing)

    lw = max(2.0, h * 0.06)
    c.polyline(P([(-0.1 * h, 0), (0, -0.45 * h), (0.12 * h, 0)]), color=color, width=lw)
    c.polygon(P([(-0.14 * h, -0.8 * h), (-0.02 * h, -0.8 * h), (0.0, -0.42 * h), (-0.16 * h, -0.4 * h)]),
              fill=harness, stroke='#222222', width=1)
    c.polyline(P([(0, -0.45 * h), (0.0, -0.82 * h)]), color=color, width=lw * 1.4)
    if arms == 'forward':
        arm = [(0, -0.78 * h), (0.16 * h, -0.66 * h), (0.3 * h, -0.7 * h)]
    elif arms == 'back':
        arm = [(0, -0.78 * h), (-0.12 * h, -0.62 * h), (-0.26 * h, -0.6 * h)]
    elif arms == 'up':
        arm = [(0, -0.78 * h), (0.08 * h, -0.95 * h), (0.1 * h, -1.1 * h)]
    else:
        arm = [(0, -0.78 * h), (0.05 * h, -0.6 * h), (0.08 * h, -0.48 * h)]
    c.polyline(P(arm), color=color, width=lw * 0.9)
    hx, hy = P([(0.01 * h, -0.92 * h)])[0]
    c.circle(hx, hy, h * 0.085, fill=helmet, stroke='#555555', width=1)
    return {'hand': P([arm[-1]])[0], 'hip': P([(-0.05 * h, -0.55 * h)])[0],
            'shoulder': P([(0, -0.78 * h)])[0]}


def glider_top(c, x, y, heading, span, color=WING_RED, label=None, course=0.0, course_color=LINE,
               label_side=1, pilot=True):
    """A paraglider from above; heading in degrees clockwise from north (up).

    course: length of a course arrow ahead of the glider. Returns the arrow tip.
    """
    s = span / 2
    chord = span * 0.22
    le, te = [], []
    for i in range(21):
        uu = -1 + i / 10
        mid = 0.28 * s * uu * uu
        ch = chord * (1 - 0.55 * uu * uu)
        le.append((uu * s, mid - ch * 0.5))
        te.append((uu * s, mid + ch * 0.5))
    T = lambda pts_: move(rotate(pts_, heading), x, y)
    if pilot:
        for side in (-0.7, -0.25, 0.25, 0.7):
            c.polyline(T([(side * s, 0.28 * s * side * side), (0, chord * 1.4)]), color='#8a8a8a',
                       width=0.8)
    c.polygon(T(le + list(reversed(te))), fill=color, stroke=shade(color, 0.55), width=1.5)
    for i in range(2, 20, 2):
        c.polyline(T([le[i], te[i]]), color=shade(color, 0.75), width=0.8)
    if pilot:
        px, py = T([(0, chord * 1.4)])[0]
        c.circle(px, py, max(3.0, span * 0.05), fill='#f0c419', stroke='#444444', width=1)
    tip = None
    if course:
        start = T([(0, -chord * 0.7)])[0]
        tip = T([(0, -chord * 0.7 - course)])[0]
        c.arrow(start[0], start[1], tip[0], tip[1], color=course_color, width=2.4, head=13)
    if label:
        lx, ly = T([(label_side * (s + span * 0.16), chord * 0.2)])[0]
        c.label(lx, ly, label, size=max(14, span * 0.3), bold=True)
    return tip


# --- terrain and signs --------------------------------------------------------------------------

def land(c, points, fill=GROUND, edge=None, bottom=None, width=1.5):
    """Terrain from a ridge line down to the bottom edge of the picture."""
    b = c.h if bottom is None else bottom
    c.polygon(list(points) + [(points[-1][0], b), (points[0][0], b)], fill=fill,
              stroke=edge or shade(fill, 0.7), width=width)


def mountain(c, points, fill=ROCK, snow=True, bottom=None):
    """Rocky mountains with snow on the peaks that rise above the others."""
    land(c, points, fill=fill, bottom=bottom)
    if not snow:
        return
    top = min(p[1] for p in points)
    low = max(p[1] for p in points)
    line_y = top + (low - top) * 0.22
    for i in range(1, len(points) - 1):
        px, py = points[i]
        if py < line_y and points[i - 1][1] > py and points[i + 1][1] > py:
            a, b = points[i - 1], points[i + 1]
            ta = (line_y - py) / (a[1] - py)
            tb = (line_y - py) / (b[1] - py)
            l = lerp((px, py), a, ta)
            r = lerp((px, py), b, tb)
            m = lerp(l, r, 0.5)
            c.polygon([(px, py), l, (m[0] - (r[0] - l[0]) * 0.15, m[1] - 4), m,
                       (m[0] + (r[0] - l[0]) * 0.15, m[1] - 5), r], fill=SNOW, stroke='#a9b3bd', width=1)


def sun(c, x, y, r, rays=12):
    for i in range(rays):
        a = math.radians(360 * i / rays)
        c.line(x + math.cos(a) * r * 1.3, y + math.sin(a) * r * 1.3, x + math.cos(a) * r * 1.75,
               y + math.sin(a) * r * 1.75, color='#e9a600', width=max(1.5, r * 0.12))
    c.circle(x, y, r, fill='#f9d23c', stroke='#e0a000', width=1.5)


def moon(c, x, y, r, sky_colour):
    """A crescent: a disc with a disc of sky colour over it."""
    c.circle(x, y, r, fill='#f4efc4', stroke='#bdb58c', width=1)
    c.circle(x + r * 0.45, y - r * 0.2, r * 0.85, fill=sky_colour)


def tree(c, x, y, h, colour='#3f8a3a'):
    c.rect(x - h * 0.05, y - h * 0.35, x + h * 0.05, y, fill='#6b4a2b')
    c.ellipse(x, y - h * 0.62, h * 0.26, h * 0.36, fill=colour, stroke=shade(colour, 0.7), width=1)


def conifer(c, x, y, h, colour='#2f6b34'):
    c.rect(x - h * 0.04, y - h * 0.15, x + h * 0.04, y, fill='#6b4a2b')
    c.polygon([(x, y - h), (x - h * 0.22, y - h * 0.15), (x + h * 0.22, y - h * 0.15)], fill=colour,
              stroke=shade(colour, 0.7), width=1)


def house(c, x, y, w, h, wall='#efe2c8', roof='#b5533c'):
    c.rect(x - w / 2, y - h * 0.6, x + w / 2, y, fill=wall, stroke='#6b5a44', width=1)
    c.polygon([(x - w * 0.6, y - h * 0.6), (x, y - h), (x + w * 0.6, y - h * 0.6)], fill=roof,
              stroke=shade(roof, 0.7), width=1)


def windsock_side(c, x, y, h, direction=1, fill_up=1.0):
    """A windsock on its pole, side view; the sock blows towards 'direction' (1 right, -1 left)."""
    c.line(x, y, x, y - h, color='#555555', width=2.5)
    L = h * 0.6
    top = y - h
    droop = (1 - fill_up) * L * 0.8
    segs = 5
    for i in range(segs):
        t0, t1 = i / segs, (i + 1) / segs
        r0, r1 = h * 0.09 * (1 - 0.5 * t0), h * 0.09 * (1 - 0.5 * t1)
        x0, x1 = x + direction * L * t0, x + direction * L * t1
        y0, y1 = top + droop * t0 ** 2, top + droop * t1 ** 2
        c.polygon([(x0, y0 - r0), (x1, y1 - r1), (x1, y1 + r1), (x0, y0 + r0)],
                  fill='#e8452c' if i % 2 == 0 else '#ffffff', stroke='#7a2a1c', width=1)


def windsock_top(c, x, y, size, toward_deg):
    """A windsock seen from above: mouth at the pole, the tail blown towards toward_deg (map)."""
    c.circle(x, y, size * 0.07, fill='#555555')
    segs = 5
    for i in range(segs):
        t0, t1 = i / segs, (i + 1) / segs
        r0, r1 = size * 0.17 * (1 - 0.5 * t0), size * 0.17 * (1 - 0.5 * t1)
        poly = [(t0 * size, -r0), (t1 * size, -r1), (t1 * size, r1), (t0 * size, r0)]
        poly = move(rotate(poly, toward_deg - 90), x, y)
        c.polygon(poly, fill='#e8452c' if i % 2 == 0 else '#ffffff', stroke='#7a2a1c', width=1)


def north_arrow(c, x, y, size=40, color=TEXT):
    """A north arrow with its letter; (x, y) is the foot of the arrow."""
    c.polygon([(x, y - size), (x - size * 0.18, y - size * 0.1), (x, y - size * 0.25)], fill=color)
    c.polygon([(x, y - size), (x + size * 0.18, y - size * 0.1), (x, y - size * 0.25)], fill='#ffffff',
              stroke=color, width=1.2)
    c.text(x, y - size - 5, 'N', size=max(12, size * 0.38), bold=True, anchor='middle', color=color)


def wind_arrow(c, x1, y1, x2, y2, text='Wind', color='#1d5fa8', width=4, size=14, side=-1):
    """A bold wind arrow with its word beside it."""
    c.arrow(x1, y1, x2, y2, color=color, width=width, head=width * 4.5)
    mx, my = (x1 + x2) / 2, (y1 + y2) / 2
    ang = math.atan2(y2 - y1, x2 - x1)
    nx, ny = math.sin(ang), -math.cos(ang)
    # beside a steep arrow the word needs room for its width, beside a flat one for its height
    off = size * 0.9 + width + abs(nx) * len(text) * size * 0.32
    if text:
        c.label(mx + nx * off * (-side), my + ny * off * (-side), text, size=size, color=color,
                bold=True)


def streamline(c, points, color='#3a7bd5', width=1.8, head=9):
    c.arrow_path(points, color=color, width=width, head=head)


def eddy(c, x, y, r, color='#3a7bd5', clockwise=True, width=2):
    """A circling arrow for rotors and turbulence."""
    if clockwise:
        pts_ = arc(x, y, r, r * 0.8, 200, 480, 30)
    else:
        pts_ = arc(x, y, r, r * 0.8, 340, 60, 30)
    c.arrow_path(pts_, color=color, width=width, head=max(7, r * 0.5))


def axes(c, x0, y0, x1, y1, xlabel, ylabel, ticks_x=(), ticks_y=(), size=13):
    """Axes with arrows from the origin (x0, y0) to (x1, y0) and (x0, y1)."""
    c.arrow(x0, y0, x1, y0, color=TEXT, width=1.8, head=11)
    c.arrow(x0, y0, x0, y1, color=TEXT, width=1.8, head=11)
    # below the tick numbers when there are any
    below = size * 2 + 12 if ticks_x and y1 < y0 else size + 8
    c.text(x1, y0 + below, xlabel, size=size, anchor='end')
    if y1 < y0:
        c.text(x0 + 8, y1 + size * 0.4, ylabel, size=size)
    else:
        c.text(x0 + 8, y1 - 4, ylabel, size=size)
    for pos, txt in ticks_x:
        c.line(pos, y0 - 4, pos, y0 + 4, color=TEXT, width=1.3)
        c.text(pos, y0 + size + 6 if y1 < y0 else y0 - 8, txt, size=size - 2, anchor='middle')
    for pos, txt in ticks_y:
        c.line(x0 - 4, pos, x0 + 4, pos, color=TEXT, width=1.3)
        c.text(x0 - 8, pos + size * 0.35, txt, size=size - 2, anchor='end')


def leader(c, x1, y1, x2, y2, text, size=13, anchor='start', color=TEXT):
    """A label with a thin line to the part it names; text sits at (x2, y2)."""
    c.line(x1, y1, x2, y2, color='#555555', width=1)
    c.circle(x1, y1, 2.2, fill='#555555')
    dx = 4 if anchor == 'start' else (-4 if anchor == 'end' else 0)
    c.text(x2 + dx, y2 + size * 0.35, text, size=size, anchor=anchor, color=color)


def tag(c, x, y, text, size=15, fill='#ffffff', color=TEXT, stroke='#333333'):
    """A number or letter in a small circle."""
    r = size * 0.78 if len(text) == 1 else size * 0.55 * len(text)
    c.circle(x, y, r, fill=fill, stroke=stroke, width=1.5)
    c.label(x, y, text, size=size, bold=True, color=color)


def sky(c, top='#cfe6f8', bottom='#f1f8fd', y0=0, y1=None, bands=12):
    """A sky with a soft gradient, drawn in bands so the MVG stays simple."""
    y1 = c.h if y1 is None else y1
    t0 = [int(top[i:i + 2], 16) for i in (1, 3, 5)]
    t1 = [int(bottom[i:i + 2], 16) for i in (1, 3, 5)]
    for i in range(bands):
        f = i / max(1, bands - 1)
        col = '#%02x%02x%02x' % tuple(int(a + (b - a) * f) for a, b in zip(t0, t1))
        ya = y0 + (y1 - y0) * i / bands
        yb = y0 + (y1 - y0) * (i + 1) / bands + 1
        c.rect(0, ya, c.w, yb, fill=col)


def pilot_front(c, x, y, h, color='#27446e', harness='#3b3b3b', helmet='#f0c419', back=False,
                arms=('down', 'down'), lean=0.0):
    """A standing pilot in harness seen from the front or from behind; (x, y) between the feet.

    arms: position of the (picture) left and right arm: 'down', 'out', 'up', 'riser'.
    Returns the hands and the two carabiners.
    """
    def P(points):
        return move(rotate(points, lean), x, y)

    lw = max(2.0, h * 0.065)
    c.polyline(P([(-0.09 * h, 0), (-0.06 * h, -0.46 * h)]), color=color, width=lw)
    c.polyline(P([(0.09 * h, 0), (0.06 * h, -0.46 * h)]), color=color, width=lw)
    c.polygon(P([(-0.1 * h, -0.82 * h), (0.1 * h, -0.82 * h), (0.11 * h, -0.44 * h), (-0.11 * h, -0.44 * h)]),
              fill=color, stroke=shade(color, 0.7), width=1)
    # harness: shoulder straps, chest strap, leg loops; a back protector when seen from behind
    if back:
        c.rect(*P([(-0.15 * h, -0.8 * h)])[0], *P([(0.15 * h, -0.36 * h)])[0], fill=harness,
               stroke='#222222', width=1, radius=h * 0.04)
    else:
        for side in (-1, 1):
            c.polyline(P([(side * 0.07 * h, -0.82 * h), (side * 0.07 * h, -0.5 * h)]), color=harness,
                       width=lw * 0.6)
            c.ellipse(*P([(side * 0.07 * h, -0.42 * h)])[0], h * 0.055, h * 0.03, stroke=harness,
                      width=lw * 0.5)
        c.polyline(P([(-0.07 * h, -0.66 * h), (0.07 * h, -0.66 * h)]), color=harness, width=lw * 0.5)
    shoulders = {-1: (-0.1 * h, -0.8 * h), 1: (0.1 * h, -0.8 * h)}
    hands = {}
    for side, pose in zip((-1, 1), arms):
        sx, sy = shoulders[side]
        if pose == 'out':
            arm = [(sx, sy), (sx + side * 0.18 * h, sy + 0.1 * h), (sx + side * 0.3 * h, sy + 0.12 * h)]
        elif pose == 'up':
            arm = [(sx, sy), (sx + side * 0.08 * h, sy - 0.16 * h), (sx + side * 0.1 * h, sy - 0.32 * h)]
        elif pose == 'riser':
            arm = [(sx, sy), (sx + side * 0.06 * h, sy + 0.12 * h), (sx + side * 0.06 * h, sy - 0.02 * h)]
        else:
            arm = [(sx, sy), (sx + side * 0.05 * h, sy + 0.18 * h), (sx + side * 0.06 * h, sy + 0.34 * h)]
        c.polyline(P(arm), color=color, width=lw * 0.9)
        hands[side] = P([arm[-1]])[0]
    hx, hy = P([(0, -0.92 * h)])[0]
    c.circle(hx, hy, h * 0.085, fill=helmet, stroke='#555555', width=1)
    carabiners = {side: P([(side * 0.11 * h, -0.5 * h)])[0] for side in (-1, 1)}
    for side in (-1, 1):
        c.ellipse(carabiners[side][0], carabiners[side][1], h * 0.02, h * 0.035, stroke='#888888',
                  width=1.5)
    return {'hands': hands, 'carabiners': carabiners, 'head': (hx, hy)}


def wing_on_ground(c, cx, cy, rx, ry, depth, color=WING_RED, a0=195, a1=345, lines_to=None,
                   line_color='#7a7a7a', turn=0.0):
    """A canopy laid out in a horseshoe, seen at an angle; lines run to the given points.

    The band is depth thick towards the pilot; turn rotates the whole canopy about its centre.
    """
    outer = rotate(arc(cx, cy, rx, ry, a0, a1, 40), turn, cx, cy)
    inner = rotate(arc(cx, cy + depth, rx * 0.97, ry, a1, a0, 40), turn, cx, cy)
    if lines_to:
        for i in range(2, 39, 4):
            p = outer[i] if i % 8 else lerp(outer[i], inner[40 - i], 0.5)
            target = lines_to[0] if p[0] < cx else lines_to[1]
            c.line(p[0], p[1], target[0], target[1], color=line_color, width=0.8)
    c.polygon(outer + inner, fill=color, stroke=shade(color, 0.55), width=1.5)
    for i in range(2, 40, 3):
        c.line(outer[i][0], outer[i][1], inner[40 - i][0], inner[40 - i][1], color=shade(color, 0.75),
               width=0.8)
