#!/usr/bin/env python3
"""Pixel checks of the input-method stage on screen grabs (binary PPM).

  moved BEFORE AFTER      the text right of the caret in BEFORE stands, pixel
                          for pixel, further right in AFTER (composing moved
                          it instead of covering it); prints the shift
  highlight BEFORE AFTER  the columns of the caret row AFTER paints in a
                          colour BEFORE's row does not have (the focused
                          clause); prints "first last"
  region A B X Y W H      prints "same" or "differs" for that rectangle

The caret row is found as the top-most row below the menu and tool bars
(from TEXT_TOP) where the two grabs differ; its upper part (BAND rows, inside
any line of text) is what is compared.
"""
import sys
from collections import Counter

BAND = 11
TEXT_TOP = 50  # the window stands at the top left of the screen


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


def caret_band(before, after):
    width, height, _ = before
    for y in range(TEXT_TOP, height):
        xs = [x for x in range(width) if pixel(before, x, y) != pixel(after, x, y)]
        if xs:
            return y, min(xs)
    sys.exit('the two grabs are the same')


def column(image, x, top):
    return b''.join(pixel(image, x, y) for y in range(top, top + BAND))


def moved(before, after):
    width = before[0]
    top, start = caret_band(before, after)
    background = Counter(pixel(before, x, top) for x in range(width)).most_common(1)[0][0]
    inked = [x for x in range(start, width) if any(pixel(before, x, y) != background for y in range(top, top + BAND))]
    if not inked:
        sys.exit('no text right of the caret')
    first, last = start + 4, max(inked)  # past the caret's own pixels
    for shift in range(4, width - last):
        if all(column(before, x, top) == column(after, x + shift, top) for x in range(first, last + 1)):
            print(shift)
            return
    sys.exit('the text right of the caret is not found further right: it was covered')


def highlight(before, after):
    width = before[0]
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
