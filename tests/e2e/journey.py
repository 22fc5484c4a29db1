#!/usr/bin/python3
"""A user's journey through the real program, driven from outside as a user would: keys and
mouse clicks through xdotool, and what the windows show read through the accessibility bus
(AT-SPI), which Qt serves when QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1.

Usage: journey.py PROGRAM GAME_FOLDER   (run by journey.sh, inside a private X and D-Bus session)
"""
import os
import subprocess
import sys
import time

import pyatspi

PROGRAM, GAME = sys.argv[1], sys.argv[2]
PLAYLIST = os.path.join(GAME, 'vorlak', 'mp3', 'playlist.txt')
SETTINGS = os.path.join(os.environ['XDG_CONFIG_HOME'], 'TovrelPro', 'user.reg')
MAIN_TITLE = 'Vorlak Verivuze Dadeve'


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


def wait_for(what, probe, timeout=20):
    """The first true answer of probe, asked every 0.1 s; fails after timeout seconds."""
    end = time.monotonic() + timeout
    while True:
        try:
            answer = probe()
        except Exception:  # an object that went away while it was being read
            answer = None
        if answer:
            return answer
        if time.monotonic() > end:
            raise Failure('timed out waiting for ' + what)
        time.sleep(0.1)


def xdotool(*args):
    done = subprocess.run(['xdotool', *args], capture_output=True, text=True)
    check(done.returncode == 0, 'xdotool %s: %s' % (' '.join(args), done.stderr.strip()))


def states(node):
    return set(node.getState().getStates())


def descendants(node):
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is None:
            continue
        yield child
        yield from descendants(child)


class Program:
    """One run of the program: its process and what the accessibility bus shows of it."""

    def __init__(self, *arguments):
        self.process = subprocess.Popen([PROGRAM, *arguments])
        self.app = wait_for('the program on the accessibility bus', self._find_app)

    def _find_app(self):
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.get_process_id() == self.process.pid:
                return app
        return None

    def window(self, title):
        """The shown top-level window (frame, dialog or message box) with this title, or None."""
        for i in range(self.app.childCount):
            w = self.app.getChildAtIndex(i)
            if w is not None and w.name == title and pyatspi.STATE_SHOWING in states(w):
                return w
        return None

    def wait_window(self, title, timeout=20):
        return wait_for('the window "%s"' % title, lambda: self.window(title), timeout)

    def find(self, root, name, role=None):
        """The first control below root with this accessible name (and role)."""
        for node in descendants(root):
            if node.name == name and (role is None or node.getRole() == role):
                return node
        return None

    def control(self, root, name, role=None):
        return wait_for('the control "%s"' % name, lambda: self.find(root, name, role))

    def click(self, node):
        x, y, width, height = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        xdotool('mousemove', '--sync', str(x + width // 2), str(y + height // 2), 'click', '1')

    def keys(self, *keys, title=MAIN_TITLE):
        xdotool('search', '--onlyvisible', '--name', '^%s$' % title, 'windowfocus', '--sync')
        xdotool('key', '--delay', '50', *keys)

    def rows(self):
        playlist = self.control(self.window(MAIN_TITLE), 'Playlist', pyatspi.ROLE_LIST)
        return [playlist.getChildAtIndex(i).name for i in range(playlist.childCount)]

    def menu(self, *path):
        """Clicks through the menu bar: the menu, then each entry of the path."""
        main = self.window(MAIN_TITLE)
        node = self.control(main, path[0])
        self.click(node)
        for name in path[1:]:
            entry = self.control(node, name)
            wait_for('"%s" on the screen' % name, lambda: pyatspi.STATE_SHOWING in states(entry))
            self.click(entry)
            node = entry

    def checked(self, menu_name, entry_name):
        main = self.window(MAIN_TITLE)
        entry = self.control(self.control(main, menu_name), entry_name)
        return pyatspi.STATE_CHECKED in states(entry)

    def answer(self, title, button):
        box = self.wait_window(title)
        self.click(self.control(box, button, pyatspi.ROLE_PUSH_BUTTON))
        wait_for('the window "%s" to close' % title, lambda: self.window(title) is None)

    def wait_exit(self, timeout=20):
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            self.process.kill()
            raise Failure('the program did not end')


def read_lines(path):
    with open(path, 'rb') as f:
        return f.read().decode('cp1252').split('\r\n')[:-1]


def journey():
    expected = read_lines(PLAYLIST)
    check(len(expected) == 12, 'the demo playlist holds %d entries' % len(expected))

    print('first start: the question, answered Yes')
    run = Program()
    run.wait_window('First start')
    run.answer('First start', 'Yes')
    main = run.wait_window(MAIN_TITLE)

    print('the features window, closed with OK')
    features = run.wait_window('Changelog')
    check(run.find(features, 'New features') is not None, 'the features window shows no list of features')
    run.click(run.control(features, 'OK', pyatspi.ROLE_PUSH_BUTTON))
    wait_for('the features window to close', lambda: run.window('Changelog') is None)

    print('the list shows the playlist')
    wait_for('12 rows', lambda: len(run.rows()) == 12)
    check(run.rows() == expected, 'rows: %s' % run.rows())

    print('the old look')
    check(not run.checked('Extras', 'Old layout'), '"Old layout" is checked at the first start')
    run.menu('Extras', 'Old layout')
    wait_for('"Old layout" checked', lambda: run.checked('Extras', 'Old layout'))

    print('quit')
    run.keys('ctrl+q')
    check(run.wait_exit() == 0, 'exit code %s' % run.process.returncode)
    check(read_lines(PLAYLIST) == expected, 'the playlist file changed')

    print('second start: no question, the old look')
    run = Program()
    main = run.wait_window(MAIN_TITLE)
    wait_for('12 rows', lambda: len(run.rows()) == 12)
    time.sleep(1.5)  # the question would come right after the window
    check(run.window('First start') is None, 'the first-start question came again')
    check(run.checked('Extras', 'Old layout'), '"Old layout" is not checked after a restart')
    check(run.rows() == expected, 'rows after the restart: %s' % run.rows())
    del main
    run.keys('ctrl+q')
    check(run.wait_exit() == 0, 'exit code %s' % run.process.returncode)
    with open(SETTINGS, encoding='latin-1') as f:
        settings = f.read()
    check('"Old"="1"' in settings and '"Opend"="1"' in settings, 'settings: ' + settings)


if __name__ == '__main__':
    pyatspi.Registry.getDesktop(0)  # the accessibility bus runs before the program starts
    started = time.monotonic()
    try:
        journey()
    except Failure as failure:
        print('FAILED:', failure, file=sys.stderr)
        sys.exit(1)
    print('journey passed in %.1f s' % (time.monotonic() - started))
