# Drawing helpers that write ImageMagick vector graphics (MVG) for the asset pictures.
"""A small drawing layer over MVG.

Every primitive is wrapped in its own graphic context, so one shape's colours never leak into
the next. Numbers are printed with one decimal at most, so the same drawing always gives the
same MVG text and, with it, the same JPEG bytes.
"""

import math

FONT = 'DejaVu-Sans'
FONT_BOLD = 'DejaVu-Sans-Bold'

# Colours shared by many pictures, so the sketches look like one set.
SKY = '#e3f1fb'
GROUND = '#cfe5ad'
EARTH = '#9c7a54'
ROCK = '#b8a58a'
SNOW = '#f6f8fa'
COLD = '#bcd6f2'
WARM = '#f6cdb8'
CLOUD = '#ffffff'
CLOUD_EDGE = '#6f7c88'
RAIN = '#4f7fc0'
WING_RED = '#d9472b'
WING_BLUE = '#2a6fc9'
WING_YELLOW = '#e8a817'
LINE = '#444444'
TEXT = '#1c1c1c'
HINT = '#c8281e'


def num(v):
    """A coordinate as short, stable text: one decimal, no trailing zero, no '-0'."""
    s = ('%.1f' % v).rstrip('0').rstrip('.')
    return '0' if s in ('-0', '') else s


def pts(points):
    return ' '.join('%s,%s' % (num(x), num(y)) for x, y in points)


def quote(text):
    # MVG strings are single-quoted; a backslash escapes a quote inside.
    return "'" + text.replace('\\', '\\\\').replace("'", "\\'") + "'"


# --- geometry ---------------------------------------------------------------------------------

def rotate(points, deg, cx=0.0, cy=0.0):
    a = math.radians(deg)
    c, s = math.cos(a), math.sin(a)
    return [(cx + (x - cx) * c - (y - cy) * s, cy + (x - cx) * s + (y - cy) * c) for x, y in points]


def move(points, dx, dy):
    return [(x + dx, y + dy) for x, y in points]




def bezier(p0, p1, p2, p3, n=24):
    """Points along a cubic Bézier curve, both ends included."""
    out = []
    for i in range(n + 1):
        t = i / n
        u = 1 - t
        out.append((u ** 3 * p0[0] + 3 * u * u * t * p1[0] + 3 * u * t * t * p2[0] + t ** 3 * p3[0],
                    u ** 3 * p0[1] + 3 * u * u * t * p1[1] + 3 * u * t * t * p2[1] + t ** 3 * p3[1]))
    return out


def quad(p0, p1, p2, n=20):
    out = []
    for i in range(n + 1):
        t = i / n
        u = 1 - t
        out.append((u * u * p0[0] + 2 * u * t * p1[0] + t * t * p2[0],
                    u * u * p0[1] + 2 * u * t * p1[1] + t * t * p2[1]))
    return out


def arc(cx, cy, rx, ry, a0, a1, n=32):
    """Points on an ellipse; angles in degrees, 0 = east, 90 = south (screen y points down)."""
    out = []
    for i in range(n + 1):
        a = math.radians(a0 + (a1 - a0) * i / n)
        out.append((cx + rx * math.cos(a), cy + ry * math.sin(a)))
    return out




def lerp(p, q, t):
    return (p[0] + (q[0] - p[0]) * t, p[1] + (q[1] - p[1]) * t)


def polyline_length(points):
    return sum(math.dist(points[i], points[i + 1]) for i in range(len(points) - 1))


def along(points, t):
    """The point at fraction t of the length of a polyline, and the direction there."""
    total = polyline_length(points)
    goal = total * t
    run = 0.0
    for i in range(len(points) - 1):
        seg = math.dist(points[i], points[i + 1])
        if run + seg >= goal and seg > 0:
            f = (goal - run) / seg
            p = lerp(points[i], points[i + 1], f)
            d = (points[i + 1][0] - points[i][0], points[i + 1][1] - points[i][1])
            return p, math.degrees(math.atan2(d[1], d[0]))
        run += seg
    d = (points[-1][0] - points[-2][0], points[-1][1] - points[-2][1])
    return points[-1], math.degrees(math.atan2(d[1], d[0]))




def scallop(points, amp=0.45, outward=1, closed=False, n=8):
    """Replaces every segment of a line by a bump, which turns a rough outline into a cloud.

    outward=1 bulges to the left of the direction of travel on screen (up for a line drawn to
    the right), -1 to the other side.
    """
    out = []
    count = len(points) if closed else len(points) - 1
    for i in range(count):
        p = points[i]
        q = points[(i + 1) % len(points)]
        dx, dy = q[0] - p[0], q[1] - p[1]
        nx, ny = dy * outward, -dx * outward
        for k in range(n):
            t = k / n
            b = math.sin(math.pi * t) * amp
            out.append((p[0] + dx * t + nx * b, p[1] + dy * t + ny * b))
    if not closed:
        out.append(points[-1])
    return out


def hatch_lines(polygon, spacing, angle=45.0):
    """Segments of parallel lines clipped to a polygon (even-odd), for hatched areas."""
    rot = rotate(polygon, -angle)
    ys = [p[1] for p in rot]
    segments = []
    y = min(ys) + spacing / 2
    while y < max(ys):
        xs = []
        for i in range(len(rot)):
            (x1, y1), (x2, y2) = rot[i], rot[(i + 1) % len(rot)]
            if (y1 <= y < y2) or (y2 <= y < y1):
                xs.append(x1 + (y - y1) * (x2 - x1) / (y2 - y1))
        xs.sort()
        for j in range(0, len(xs) - 1, 2):
            segments.append(rotate([(xs[j], y), (xs[j + 1], y)], angle))
        y += spacing
    return segments


# --- the canvas -------------------------------------------------------------------------------

class Canvas:
    def __init__(self, width, height, background='#ffffff'):
        self.w = width
        self.h = height
        self.out = ['viewbox 0 0 %d %d' % (width, height),
                    # Round joins and caps: with ImageMagick's default miter joins, sharp
                    # corners of open lines grow long spikes.
                    'stroke-linejoin round', 'stroke-linecap round',
                    'font %s' % quote(FONT)]
        self.rect(0, 0, width, height, fill=background)

    def mvg(self):
        return '\n'.join(self.out) + '\n'

    def _prim(self, prim, stroke=None, width=2.0, fill=None, dash=None, opacity=None):
        o = ['push graphic-context']
        if stroke:
            o += ['stroke %s' % quote(stroke), 'stroke-width %s' % num(width)]
        else:
            o.append('stroke none')
        o.append('fill %s' % quote(fill) if fill else 'fill none')
        if dash:
            o.append('stroke-dasharray ' + ' '.join(num(d) for d in dash))
        if opacity is not None:
            o.append('fill-opacity %s' % num(opacity))
        o.append(prim)
        o.append('pop graphic-context')
        self.out += o

    # basic shapes
    def line(self, x1, y1, x2, y2, color=LINE, width=2.0, dash=None):
        self._prim('line %s' % pts([(x1, y1), (x2, y2)]), stroke=color, width=width, dash=dash)

    def polyline(self, points, color=LINE, width=2.0, dash=None):
        self._prim('polyline %s' % pts(points), stroke=color, width=width, dash=dash)

    def polygon(self, points, fill=None, stroke=None, width=1.5, dash=None, opacity=None):
        self._prim('polygon %s' % pts(points), stroke=stroke, width=width, fill=fill, dash=dash,
                   opacity=opacity)

    def rect(self, x1, y1, x2, y2, fill=None, stroke=None, width=1.5, radius=0, dash=None,
             opacity=None):
        if radius:
            prim = 'roundrectangle %s,%s %s,%s %s,%s' % (num(x1), num(y1), num(x2), num(y2),
                                                          num(radius), num(radius))
        else:
            prim = 'rectangle %s,%s %s,%s' % (num(x1), num(y1), num(x2), num(y2))
        self._prim(prim, stroke=stroke, width=width, fill=fill, dash=dash, opacity=opacity)

    def ellipse(self, cx, cy, rx, ry, fill=None, stroke=None, width=1.5, a0=0, a1=360, dash=None,
                opacity=None):
        self._prim('ellipse %s,%s %s,%s %s,%s' % (num(cx), num(cy), num(rx), num(ry), num(a0), num(a1)),
                   stroke=stroke, width=width, fill=fill, dash=dash, opacity=opacity)

    def circle(self, cx, cy, r, fill=None, stroke=None, width=1.5, dash=None):
        self.ellipse(cx, cy, r, r, fill=fill, stroke=stroke, width=width, dash=dash)

    def text(self, x, y, s, size=14, color=TEXT, anchor='start', bold=False, angle=0, font=None):
        """Text with its baseline at y; anchor is start, middle or end."""
        o = ['push graphic-context', 'font %s' % quote(font or (FONT_BOLD if bold else FONT)),
             'font-size %s' % num(size), 'fill %s' % quote(color), 'stroke none',
             'text-anchor %s' % anchor, 'translate %s,%s' % (num(x), num(y))]
        if angle:
            o.append('rotate %s' % num(angle))
        o += ['text 0,0 %s' % quote(s), 'pop graphic-context']
        self.out += o

    def label(self, x, y, s, size=14, color=TEXT, anchor='middle', bold=False, box=None):
        """Text centred vertically on y, optionally on a plain box so lines behind it stay clear."""
        if box:
            wdt = len(s) * size * 0.62 + 8
            x0 = {'start': x - 4, 'middle': x - wdt / 2, 'end': x - wdt + 4}[anchor]
            self.rect(x0, y - size * 0.72, x0 + wdt, y + size * 0.62, fill=box, radius=3)
        self.text(x, y + size * 0.36, s, size=size, color=color, anchor=anchor, bold=bold)

    def key(self, key):
        """The sketch key, small in the bottom right corner, so a picture can be told by its key."""
        size = 11
        self.rect(self.w - len(key) * 7.2 - 8, self.h - 17, self.w - 2, self.h - 2, fill='#ffffff',
                  opacity=0.85)
        self.text(self.w - 5, self.h - 5, key, size=size, color='#555555', anchor='end')

    # arrows
    def head(self, tip, angle_deg, color=LINE, size=10.0, spread=24.0):
        a = math.radians(angle_deg)
        left = (tip[0] - size * math.cos(a - math.radians(spread)),
                tip[1] - size * math.sin(a - math.radians(spread)))
        right = (tip[0] - size * math.cos(a + math.radians(spread)),
                 tip[1] - size * math.sin(a + math.radians(spread)))
        self.polygon([tip, left, right], fill=color, stroke=color, width=1)

    def arrow(self, x1, y1, x2, y2, color=LINE, width=2.0, head=None, dash=None, both=False):
        head = head or max(8.0, width * 4.0)
        ang = math.degrees(math.atan2(y2 - y1, x2 - x1))
        length = math.hypot(x2 - x1, y2 - y1)
        cut = min(head * 0.8, length / 2)
        ex, ey = x2 - cut * math.cos(math.radians(ang)), y2 - cut * math.sin(math.radians(ang))
        sx, sy = x1, y1
        if both:
            sx, sy = x1 + cut * math.cos(math.radians(ang)), y1 + cut * math.sin(math.radians(ang))
        self.line(sx, sy, ex, ey, color=color, width=width, dash=dash)
        self.head((x2, y2), ang, color=color, size=head)
        if both:
            self.head((x1, y1), ang + 180, color=color, size=head)

    def arrow_path(self, points, color=LINE, width=2.0, head=None, dash=None, both=False):
        """A curved arrow along a polyline, head at the last point."""
        head = head or max(8.0, width * 4.0)
        p, q = points[-2], points[-1]
        ang = math.degrees(math.atan2(q[1] - p[1], q[0] - p[0]))
        body = list(points)
        # Pull the last point back under the head, so the line does not poke out of the tip.
        body[-1] = (q[0] - head * 0.7 * math.cos(math.radians(ang)),
                    q[1] - head * 0.7 * math.sin(math.radians(ang)))
        if both:
            p0, p1 = points[0], points[1]
            a0 = math.degrees(math.atan2(p0[1] - p1[1], p0[0] - p1[0]))
            body[0] = (p0[0] - head * 0.7 * math.cos(math.radians(a0)),
                       p0[1] - head * 0.7 * math.sin(math.radians(a0)))
            self.head(p0, a0, color=color, size=head)
        self.polyline(body, color=color, width=width, dash=dash)
        self.head(q, ang, color=color, size=head)

    def mask_outside(self, hole, fill='#ffffff'):
        """Paints everything outside the polygon 'hole', which cuts the drawing to that shape."""
        d = 'M 0,0 L %d,0 L %d,%d L 0,%d Z M ' % (self.w, self.w, self.h, self.h)
        d += ' L '.join('%s,%s' % (num(x), num(y)) for x, y in hole) + ' Z'
        self.out += ['push graphic-context', 'fill-rule evenodd', 'stroke none',
                     'fill %s' % quote(fill), 'path %s' % quote(d), 'pop graphic-context']

    def hatch(self, polygon, spacing=8, angle=45, color=LINE, width=1.0):
        for seg in hatch_lines(polygon, spacing, angle):
            self.line(seg[0][0], seg[0][1], seg[1][0], seg[1][1], color=color, width=width)
