#!/usr/bin/env python3
"""Writes small hand-made EMF and WMF seeds that reach the records Inkscape
never writes (text, arcs, blits, clip regions, mapping modes)."""
import struct, sys, os

out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), 'corpus')

def rec(t, fmt='', *values, extra=b''):
    body = struct.pack('<' + fmt, *values) + extra
    while len(body) % 4:
        body += b'\0'
    return struct.pack('<II', t, 8 + len(body)) + body

def header(w100, h100, handles=8):
    body = struct.pack('<4i4iIIIIHHIII2i2i', 0, 0, 100, 100, 0, 0, w100, h100,
                       0x464D4520, 0x10000, 0, 0, handles, 0, 0, 0, 0, 960, 960, 254, 254)
    return struct.pack('<II', 1, 8 + len(body)) + body

def dib24(w, h, colour):
    info = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 24, 0, 0, 0, 0, 0, 0)
    row = bytes(colour) * w
    row += b'\0' * ((4 - len(row) % 4) % 4)
    return info, row * h

def exttextoutw(x, y, text, align_dx=True):
    s = text.encode('utf-16-le')
    n = len(text)
    off_string = 8 + 16 + 12 + 40
    off_dx = off_string + len(s) + (len(s) % 4)
    emrtext = struct.pack('<iiIII4iI', x, y, n, off_string, 0, 0, 0, 0, 0, off_dx if align_dx else 0)
    body = struct.pack('<4iIff', 0, 0, 0, 0, 1, 1.0, 1.0) + emrtext + s + b'\0' * (len(s) % 4)
    if align_dx:
        body += struct.pack('<%di' % n, *([70] * n))
    return struct.pack('<II', 84, 8 + len(body)) + body

def font(index, height, face='Liberation Sans', escapement=0):
    name = face.encode('utf-16-le').ljust(64, b'\0')
    return rec(82, 'I5i8B', index, height, 0, escapement, 0, 700, 1, 0, 0, 0, 0, 0, 0, 0, extra=name)

def stretchdibits(x, y, w, h, info, bits):
    off_info = 8 + 72
    off_bits = off_info + len(info)
    body = struct.pack('<4i6i4III2i', 0, 0, 0, 0, x, y, 0, 0, 4, 4, off_info, len(info), off_bits, len(bits),
                       0, 0x00CC0020, w, h) + info + bits
    return struct.pack('<II', 81, 8 + len(body)) + body

EOF_REC = rec(14, 'III', 0, 16, 20)

emf = header(30000, 20000)
emf += rec(17, 'I', 2)                        # MM_LOMETRIC: y up
emf += rec(10, 'ii', 0, 0) + rec(12, 'ii', 0, 0)
emf += font(1, -120) + rec(37, 'I', 1)
emf += rec(22, 'I', 24) + rec(24, 'I', 0x000080)
emf += exttextoutw(20, -100, 'Question 1')
emf += rec(38, 'IIiiI', 2, 1, 4, 0, 0x00AA00) + rec(37, 'I', 2)
emf += rec(39, 'IIII', 3, 2, 0x0000FF, 3) + rec(37, 'I', 3)
emf += rec(44, '4i2i', 20, -200, 400, -600, 80, 80)          # ROUNDRECT
emf += rec(47, '4i4i', 500, -200, 900, -600, 900, -400, 700, -200)  # PIE
emf += rec(46, '4i4i', 1000, -200, 1400, -600, 1400, -400, 1200, -600)  # CHORD
emf += rec(45, '4i4i', 1500, -200, 1900, -600, 1900, -400, 1500, -400)  # ARC
emf += rec(33) + rec(30, '4i', 0, 0, 1500, -1000)
emf += rec(35, '6f', 0.8, 0.3, -0.3, 0.8, 100.0, -700.0)
info, bits = dib24(4, 4, (0, 200, 250))
emf += stretchdibits(0, 0, 300, -300, info, bits)
emf += rec(34, 'i', -1)
rgn = struct.pack('<IIII4i', 32, 1, 2, 32, 0, 0, 100, 100) + struct.pack('<8i', 0, 0, 50, 50, 60, 60, 100, 100)
emf += rec(75, 'II', len(rgn), 5, extra=rgn)
emf += rec(27, 'ii', 0, 0) + rec(54, 'ii', 2900, -1900)
emf += rec(75, 'II', 0, 5)
emf += rec(118, '4iIII' + 'iiHHHH' * 3 + 'III', 0, 0, 0, 0, 3, 1, 2,
           0, 0, 0xFF00, 0, 0, 0, 300, 0, 0, 0xFF00, 0, 0, 0, -300, 0, 0, 0xFF00, 0, 0, 1, 2)
info, bits = dib24(2, 2, (255, 255, 255))
off_info = 8 + 100
emf += rec(116, '4i4iIii6fIIIIIIii', 0, 0, 0, 0, 1000, -1000, 200, -200, 0xFFFFFF, 0, 0,
           1.0, 0.0, 0.0, 1.0, 0.0, 0.0, 0, 0, off_info, len(info), off_info + len(info), len(bits), 2, 2,
           extra=info + bits)
emf += EOF_REC
open(os.path.join(out, 'emf', 'text-arcs-blits.emf'), 'wb').write(emf)

def wrec(func, fmt='', *values, extra=b''):
    body = struct.pack('<' + fmt, *values) + extra
    if len(body) % 2:
        body += b'\0'
    return struct.pack('<IH', 3 + len(body) // 2, func) + body

wmf_body = b''
wmf_body += wrec(0x020B, 'hh', 0, 0) + wrec(0x020C, 'hh', 600, 800)
wmf_body += wrec(0x02FB, '5h8B', -40, 0, 0, 0, 400, 0, 1, 0, 0, 0, 0, 0, 0, extra=b'Arial\0')
wmf_body += wrec(0x012D, 'H', 0) + wrec(0x0209, 'I', 0x00333399)
wmf_body += wrec(0x0521, 'h', 5, extra=b'Bonjour'[:5] + b'\0' + struct.pack('<hh', 60, 20))
wmf_body += wrec(0x0A32, 'hhhH', 120, 20, 4, 4, extra=struct.pack('<4h', 10, 90, 200, 130) + b'Quiz' + struct.pack('<4h', 20, 20, 20, 20))
wmf_body += wrec(0x02FA, 'HhhI', 2, 3, 0, 0x000000) + wrec(0x012D, 'H', 1)
wmf_body += wrec(0x02FC, 'HIH', 0, 0x00CCEE, 0) + wrec(0x012D, 'H', 2)
wmf_body += wrec(0x061C, '6h', 60, 60, 300, 400, 160, 20)
wmf_body += wrec(0x081A, '8h', 450, 700, 300, 750, 500, 780, 300, 500)
wmf_body += wrec(0x0817, '8h', 550, 500, 550, 700, 580, 700, 500, 500)
wmf_body += wrec(0x0416, '4h', 600, 800, 300, 0)
info, bits = dib24(2, 2, (200, 10, 10))
wmf_body += wrec(0x0F43, 'IH8h', 0x00CC0020, 0, 2, 2, 0, 0, 100, 150, 400, 30, extra=info + bits)
wmf_body += wrec(0x0B41, 'I8h', 0x00CC0020, 2, 2, 0, 0, 60, 60, 500, 600, extra=info + bits)
wmf_body += wrec(0x001E) + wrec(0x0415, '4h', 50, 50, 0, 0) + wrec(0x0127, 'h', -1)
wmf_body += wrec(0x0000)
placeable = struct.pack('<IH4hHIH', 0x9AC6CDD7, 0, 0, 0, 800, 600, 1440, 0, 0)
wheader = struct.pack('<HHHIHIH', 1, 9, 0x300, (18 + len(wmf_body)) // 2, 4, 20, 0)
open(os.path.join(out, 'wmf', 'text-arcs-blits.wmf'), 'wb').write(placeable + wheader + wmf_body)
open(os.path.join(out, 'wmf', 'no-placeable-header.wmf'), 'wb').write(wheader + wmf_body)
