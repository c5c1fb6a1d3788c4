# Writes the vector drawing (MVG) of every asset picture and a manifest that make-assets.sh renders.
"""Usage: draw_assets.py WORK_FOLDER

Writes WORK_FOLDER/<n>.mvg for every picture and prints one manifest line per picture:

    <path below assets/> <width> <height> <drawn width> <drawn height> <baseline|progressive>
    <colour|grey> <JPEG quality> <MVG file name>
"""

import os
import sys

import pictures
import sketches
from mvg import Canvas


def entries():
    # sketches sorted by category, then by number, so the manifest reads like the inventory
    def order(key):
        category, number = key.split('_')
        return int(category), int(number)
    for key in sorted(sketches.SKETCHES, key=order):
        width, height, progressive, draw = sketches.SKETCHES[key]

        def render(c, draw=draw, key=key):
            draw(c)
            c.key(key)
        yield 'sketches/%s.jpg' % key, width, height, width, height, progressive, False, 85, render
    for path, (width, height, drawn_w, drawn_h, progressive, grey, quality, draw) in \
            pictures.PICTURES.items():
        yield path, width, height, drawn_w, drawn_h, progressive, grey, quality, draw


def main(argv):
    if len(argv) != 2 or not os.path.isdir(argv[1]):
        sys.stderr.write(__doc__)
        return 2
    work = argv[1]
    for n, (path, width, height, drawn_w, drawn_h, progressive, grey, quality, draw) in \
            enumerate(entries()):
        canvas = Canvas(drawn_w, drawn_h)
        draw(canvas)
        name = '%03d.mvg' % n
        with open(os.path.join(work, name), 'w', encoding='utf-8') as out:
            out.write(canvas.mvg())
        print(path, width, height, drawn_w, drawn_h, 'progressive' if progressive else 'baseline',
              'grey' if grey else 'colour', quality, name)
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
