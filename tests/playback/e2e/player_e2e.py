#!/usr/bin/python3
"""Two titles played one after the other by the real program, heard through PulseAudio.

Starts the program on a playlist of two tones (440 Hz for 2 s, then 660 Hz for 3 s), clicks the
Play button found through the accessibility bus, records the null sink's monitor until the second
title has played a second, and checks from the recording that the second title followed the first
with less than 5 ms of silence between them (none longer anywhere after the first half second) and
that its samples are the reference decode's.
Screenshots are taken while the first title plays.

Usage: player_e2e.py PROGRAM FIXTURES_DIR WORK_DIR SCREENSHOT_DIR (run by player_e2e.sh)
"""
import array
import math
import os
import subprocess
import sys
import time

import pyatspi

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', 'support'))
import xstart  # noqa: E402

PROGRAM, FIXTURES, WORK, SHOTS = (os.path.abspath(a) for a in sys.argv[1:5])
RATE = 44100
LOUD = 1000   # the tones peak at 4096
QUIET = 300   # below this a sample counts as silence
MAX_GAP_MS = 5


def fail(message):
    print('FAILED: ' + message)
    sys.exit(1)


def wait_for(what, probe, timeout=20):
    end = time.monotonic() + timeout
    while True:
        try:
            answer = probe()
        except Exception:  # an object that went away while it was read
            answer = None
        if answer:
            return answer
        if time.monotonic() > end:
            fail('timed out waiting for ' + what)
        time.sleep(0.05)


def descendants(node):
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield child
            yield from descendants(child)


def left_channel(raw):
    samples = array.array('h')
    samples.frombytes(raw[:len(raw) // 4 * 4])
    return samples[0::2]


def first_loud(s, start=0):
    return next((i for i in range(start, len(s)) if abs(s[i]) > LOUD), None)


def crossings_per_second(s, start, count):
    part = s[start:start + count]
    changes = sum(1 for a, b in zip(part, part[1:]) if (a < 0) != (b < 0))
    return changes * RATE / max(1, len(part))


def correlation(a, b):
    n = min(len(a), len(b))
    if n < 2:
        return 0.0
    ma, mb = sum(a[:n]) / n, sum(b[:n]) / n
    cov = sum((a[i] - ma) * (b[i] - mb) for i in range(n))
    va = sum((x - ma) ** 2 for x in a[:n])
    vb = sum((x - mb) ** 2 for x in b[:n])
    return cov / math.sqrt(va * vb) if va > 0 and vb > 0 else 0.0


def main():
    os.makedirs(WORK, exist_ok=True)
    titles = [os.path.join(FIXTURES, 'follow-a.mp3'), os.path.join(FIXTURES, 'follow-b.mp3')]
    # Without a Wine prefix drive Z: is the root folder.
    playlist = os.path.join(WORK, 'two.txt')
    with open(playlist, 'wb') as f:
        for t in titles:
            f.write(('Z:' + t.replace('/', '\\') + '\r\n').encode('cp1252'))
    # Not the first start: no question before the window.
    settings = os.path.join(os.environ['XDG_CONFIG_HOME'], 'TovrelPro')
    os.makedirs(settings, exist_ok=True)
    with open(os.path.join(settings, 'user.reg'), 'w') as f:
        f.write('WINE REGISTRY Version 2\n\n[Software\\\\TovrelPro\\\\RAZ] 1700000000\n"Opend"="1"\n')

    capture = os.path.join(WORK, 'capture.raw')
    parec = subprocess.Popen(['parec', '--device=capture.monitor', '--format=s16le', '--rate=44100',
                              '--channels=2', '--raw', '--latency-msec=20'], stdout=open(capture, 'wb'))
    try:
        program, app = xstart.start([PROGRAM, playlist], os.path.join(WORK, 'program.log'))
    except RuntimeError as e:
        parec.terminate()
        fail(str(e))
    try:
        play = wait_for('the Play button', lambda: next(
            (n for n in descendants(app) if n.name == 'Play' and n.getRole() == pyatspi.ROLE_PUSH_BUTTON), None))
        wait_for('the recording to run', lambda: os.path.getsize(capture) >= RATE * 4 // 2)
        x, y, width, height = play.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        subprocess.run(['xdotool', 'mousemove', str(x + width // 2), str(y + height // 2), 'click', '1'], check=True)
        clicked = time.monotonic()
        for n, at in enumerate((1.0, 1.6)):
            time.sleep(max(0, clicked + at - time.monotonic()))
            subprocess.run(['import', '-window', 'root', os.path.join(SHOTS, 'playing-%d.png' % (n + 1))], check=True)
        # The first title takes 2 s, the second 3 s; the server may start a stream late.
        time.sleep(max(0, clicked + 4.5 - time.monotonic()))
    finally:
        parec.terminate()
        parec.wait()
        program.terminate()
        program.wait(10)

    with open(capture, 'rb') as f:
        got = left_channel(f.read())
    start = first_loud(got)
    if start is None:
        fail('nothing was heard')
    end = max(i for i in range(len(got)) if abs(got[i]) > LOUD)
    decodes = [left_channel(subprocess.run(['mpg123', '-q', '-s', t], capture_output=True, check=True).stdout)
               for t in titles]
    # Where the second title starts when the first plays whole and nothing comes between them.
    joint = start - first_loud(decodes[0]) + len(decodes[0])
    # The longest stretch of silence from the middle of the first title to the end of the recording,
    # the joint included: a tone itself is quiet only for a few samples at each zero crossing.
    gap, gap_at, run = 0, start, 0
    for i in range(start + RATE // 2, end + 1):
        run = run + 1 if abs(got[i]) < QUIET else 0
        if run > gap:
            gap, gap_at = run, i - run + 1
    second = first_loud(got, joint)
    first_hz = crossings_per_second(got, start + RATE // 2, RATE // 2) / 2
    second_hz = crossings_per_second(got, second + RATE // 4, RATE // 2) / 2
    heard_second = (end - second) / RATE
    print('first title from %.3f s (%.0f Hz), silence %.1f ms at %.3f s, second title from %.3f s (%.0f Hz) '
          'for %.2f s' % (start / RATE, first_hz, gap * 1000 / RATE, gap_at / RATE, second / RATE, second_hz,
                          heard_second))
    if abs(first_hz - 440) > 10 or abs(second_hz - 660) > 10:
        fail('the titles did not play in their order')
    if heard_second < 1.0:
        fail('the second title played only %.2f s' % heard_second)
    if gap * 1000 / RATE >= MAX_GAP_MS:
        fail('%.1f ms of silence between the titles' % (gap * 1000 / RATE))

    # The second title's samples against its reference decode, lined up by their first loud sample.
    reference = decodes[1]
    ref_start = first_loud(reference)
    window = RATE // 8
    best, best_lag = -2.0, 0
    for lag in range(-200, 201):
        c = correlation(reference[ref_start + RATE // 4:ref_start + RATE // 4 + window],
                        got[second + lag + RATE // 4:second + lag + RATE // 4 + window])
        if c > best:
            best, best_lag = c, lag
    whole = correlation(reference[ref_start + RATE // 4:ref_start + RATE],
                        got[second + best_lag + RATE // 4:second + best_lag + RATE])
    print('second title against its decode: correlation %.5f at %d samples' % (whole, best_lag))
    if whole < 0.999:
        fail('the second title does not match its decode')
    print('PASSED')


main()
