#!/usr/bin/env python3
"""Pixel checks of the input-method stage on screen grabs (binary PPM).

  moved BEFORE AFTER      the text right of the caret in BEFORE stands, pixel
                          for pixel, further right in AFTER (composing moved
                          it instead of covering it); prints the shift
  highlight BEFORE AFTER  the columns of the caret row AFTER paints in a
                          colour BEFORE's row does not have (the focused
                          clause); prints "first last"
  region A B X Y W H      prints "same" or "differs" for that rectangle

The caret row is where BEFORE has its caret (a dark bar a line tall, below
the menu and tool bars from TEXT_TOP); the upper part of that row (BAND rows,
inside any line of text) is what is compared.
"""
import sys
from collections import Counter

BAND = 11
CARET_HEIGHT = 16  # taller than any stroke of a Latin letter
GAP = 40  # no gap inside a line of text is this wide
# The session puts the window at the top left of the screen, 800 x 500.
WINDOW_WIDTH, WINDOW_HEIGHT = 800, 500
TEXT_TOP = 50  # below the menu and tool bars


def read_ppm(path):
    with open(path, 'rb') as f:
        data = f.read()
    fields, pos = [], 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b'#':
            pos = data.index(b'\n', pos)
            continue
        end = pos
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[pos:end])
        pos = end
    pos += 1
    assert fields[0] == b'P6' and fields[3] == b'255', 'binary 8-bit PPM expected'
    width, height = int(fields[1]), int(fields[2])
    return width, height, data[pos:pos + width * height * 3]


def pixel(image, x, y):
    width, _, data = image
    i = (y * width + x) * 3
    return data[i:i + 3]


def dark(image, x, y):
    r, g, b = pixel(image, x, y)
    return r + g + b < 192


def caret_band(before, after):
    """The caret of BEFORE: the first dark bar at least a line (CARET_HEIGHT
    rows) tall. Returns its top and its left column."""
    for y in range(TEXT_TOP, WINDOW_HEIGHT - CARET_HEIGHT):
        for x in range(WINDOW_WIDTH):
            if all(dark(before, x, y + i) for i in range(CARET_HEIGHT)):
                return y, x
    sys.exit('no caret in the first grab')


def column(image, x, top):
    return b''.join(pixel(image, x, y) for y in range(top, top + BAND))


def moved(before, after):
    width = WINDOW_WIDTH
    top, start = caret_band(before, after)
    background = Counter(pixel(before, x, top) for x in range(width)).most_common(1)[0][0]
    # The text runs from the caret to the first wide gap of background.
    last = None
    for x in range(start, width):
        if any(pixel(before, x, y) != background for y in range(top, top + BAND)):
            last = x
        elif last is not None and x - last > GAP:
            break
    if last is None or last < start + 8:
        sys.exit('no text right of the caret')
    first = start + 4  # past the caret's own pixels
    for shift in range(4, width - last):
        if all(column(before, x, top) == column(after, x + shift, top) for x in range(first, last + 1)):
            print(shift)
            return
    sys.exit('the text right of the caret is not found further right: it was covered')


def highlight(before, after):
    width = WINDOW_WIDTH
    top, _ = caret_band(before, after)
    had = {pixel(before, x, y) for x in range(width) for y in range(top, top + BAND)}
    new = Counter(pixel(after, x, y) for x in range(width) for y in range(top, top + BAND))
    fresh = [(n, c) for c, n in new.items() if c not in had]
    if not fresh:
        sys.exit('no new colour in the caret row')
    colour = max(fresh)[1]
    xs = [x for x in range(width) if any(pixel(after, x, y) == colour for y in range(top, top + BAND))]
    print(min(xs), max(xs))


def region(a, b, x, y, w, h):
    same = all(pixel(a, i, j) == pixel(b, i, j) for i in range(x, x + w) for j in range(y, y + h))
    print('same' if same else 'differs')


def main():
    what, paths = sys.argv[1], sys.argv[2:4]
    a, b = read_ppm(paths[0]), read_ppm(paths[1])
    if what == 'moved':
        moved(a, b)
    elif what == 'highlight':
        highlight(a, b)
    elif what == 'region':
        region(a, b, *map(int, sys.argv[4:8]))
    else:
        sys.exit('unknown check ' + what)


if __name__ == '__main__':
    main()
