#!/usr/bin/env python3
"""Writes the small hostile pictures that once froze the player: a polyline
under a pen 30,000 wide, long polylines, long runs of text in a 2,000-px font,
and a 7000 x 7000 progressive JPEG of one colour (through cjpeg).
   make_hostile_seeds.py [corpus folder] [--polylines N] [--points N]
The large variants (--polylines 300 --points 32000, 38 MB) are made at test
time rather than committed."""
import argparse, os, struct, subprocess

def wrec(func, fmt='', *values, extra=b''):
    body = struct.pack('<' + fmt, *values) + extra
    if len(body) % 2:
        body += b'\0'
    return struct.pack('<IH', 3 + len(body) // 2, func) + body

def wmf(body, width=800, height=600):
    body += wrec(0x0000)
    placeable = struct.pack('<IH4hHIH', 0x9AC6CDD7, 0, 0, 0, width, height, 96, 0, 0)
    header = struct.pack('<HHHIHIH', 1, 9, 0x300, (18 + len(body)) // 2, 4, 0, 0)
    return placeable + header + body

def zigzag(points, width=800, height=600, phase=0):
    return [((i * 37 + phase) % width, (i * 53 + phase) % height) for i in range(points)]

def wide_pen_wmf(polylines, points, pen=30000):
    body = wrec(0x02FA, 'HhhI', 0, pen, 0, 0x00336699) + wrec(0x012D, 'H', 0)
    lines = [b''] * min(polylines, 3)
    for n in range(len(lines)):
        flat = [v for point in zigzag(points, phase=n) for v in point]
        lines[n] = wrec(0x0325, 'h', points, extra=struct.pack('<%dh' % len(flat), *flat))
    return wmf(body + b''.join(lines[n % len(lines)] for n in range(polylines)))

def emf_rec(t, body):
    while len(body) % 4:
        body += b'\0'
    return struct.pack('<II', t, 8 + len(body)) + body

def huge_text_emf(records, chars, pixels=2000):
    header = struct.pack('<4i4iIIIIHHIII2i2i', 0, 0, 799, 599, 0, 0, 21167, 15875,
                         0x464D4520, 0x10000, 0, 0, 4, 0, 0, 0, 0, 800, 600, 212, 159)
    out = struct.pack('<II', 1, 8 + len(header)) + header
    name = 'Liberation Sans'.encode('utf-16-le').ljust(64, b'\0')
    out += emf_rec(82, struct.pack('<I5i8B', 1, -pixels, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0) + name)
    out += emf_rec(37, struct.pack('<I', 1))
    text = ('Wm' * chars)[:chars].encode('utf-16-le')
    for n in range(records):
        off_string = 8 + 16 + 12 + 40
        emrtext = struct.pack('<iiIII4iI', 0, (n * 7) % 600, chars, off_string, 0, 0, 0, 0, 0, 0)
        out += emf_rec(84, struct.pack('<4iIff', 0, 0, 0, 0, 1, 1.0, 1.0) + emrtext + text)
    out += emf_rec(14, struct.pack('<III', 0, 16, 20))
    return out

def flat_progressive_jpeg(side=7000):
    ppm = b'P6\n%d %d\n255\n' % (side, side) + bytes((90, 140, 200)) * (side * side)
    return subprocess.run(['cjpeg', '-progressive', '-sample', '2x2'], input=ppm,
                          capture_output=True, check=True).stdout

def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('out', nargs='?', default=os.path.join(os.path.dirname(__file__), 'corpus'))
    parser.add_argument('--polylines', type=int)
    parser.add_argument('--points', type=int)
    args = parser.parse_args()
    if args.polylines:
        path = os.path.join(args.out, 'many-long-polylines.wmf')
        open(path, 'wb').write(wide_pen_wmf(args.polylines, args.points or 32000))
        return
    files = {
        'wmf/wide-pen.wmf': wide_pen_wmf(1, 2000),
        'wmf/long-polylines.wmf': wide_pen_wmf(3, 8000),
        'emf/huge-text.emf': huge_text_emf(20, 4000),
        'jpeg/flat-7000-progressive.jpg': flat_progressive_jpeg(),
    }
    for name, data in files.items():
        open(os.path.join(args.out, name), 'wb').write(data)

if __name__ == '__main__':
    main()
