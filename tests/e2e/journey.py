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

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'support'))
import xstart  # noqa: E402

PROGRAM, GAME = sys.argv[1], sys.argv[2]
MP3_FOLDER = os.path.join(GAME, 'vorlak', 'mp3')
PLAYLIST = os.path.join(MP3_FOLDER, 'playlist.txt')
SETTINGS = os.path.join(os.environ['XDG_CONFIG_HOME'], 'TovrelPro', 'user.reg')
MAIN_TITLE = 'Vorlak Verivuze Dadeve'
PROGRAM_LOG = os.path.join(os.environ['XDG_RUNTIME_DIR'], 'program.log')  # its standard error
DOUBLE_CLICK_S = 0.5  # Qt's double-click interval is 400 ms


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
        # Started in the demo's MP3 folder, which the file browser then shows.
        try:
            self.process, self.app = xstart.start([PROGRAM, *arguments], PROGRAM_LOG,
                                                  cwd=MP3_FOLDER)
        except RuntimeError as e:
            raise Failure(str(e))

    def window(self, title):
        """The shown top-level window (frame, dialog or message box) with this title, or None."""
        for i in range(self.app.childCount):
            w = self.app.getChildAtIndex(i)
            if w is not None and w.name == title and pyatspi.STATE_SHOWING in states(w):
                return w
        return None

    def wait_window(self, title, timeout=20):
        return wait_for('the window "%s"' % title, lambda: self.window(title), timeout)

    def find(self, root, name, role=None, shown=True, description=None):
        """The first control below root with this accessible name (and role), on the screen
        unless shown is False (the entries of a closed menu). With a description, name is None
        and the control is the one so described (a label that is announced by its changing text)."""
        for node in descendants(root):
            if (node.name == name if description is None else node.description == description) and \
                    (role is None or node.getRole() == role) and \
                    (not shown or pyatspi.STATE_SHOWING in states(node)):
                return node
        return None

    def control(self, root, name, role=None, shown=True, description=None):
        return wait_for('the control "%s"' % (name or description),
                        lambda: self.find(root, name, role, shown, description))

    def click(self, node, button=1):
        x, y, width, height = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        if node.getRole() == pyatspi.ROLE_LIST_ITEM:  # a long row reaches beyond its list's edge
            lx, ly, lwidth, lheight = node.parent.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
            width = min(x + width, lx + lwidth) - x
        # One connection, so the click comes after the move (--sync would wait for a move when
        # the pointer is there already).
        xdotool('mousemove', str(x + width // 2), str(y + height // 2), 'click', str(button))

    def message_box(self, prompt):
        """The shown message box with this prompt, or None."""
        for i in range(self.app.childCount):
            w = self.app.getChildAtIndex(i)
            if w is not None and pyatspi.STATE_SHOWING in states(w) and self.find(w, prompt) is not None:
                return w
        return None

    def answer_message(self, prompt, button):
        box = wait_for('the message "%s"' % prompt, lambda: self.message_box(prompt))
        self.click(self.control(box, button, pyatspi.ROLE_PUSH_BUTTON))
        wait_for('the message "%s" to close' % prompt, lambda: self.message_box(prompt) is None)

    def pop_up(self, node, *keys):
        """Opens the pop-up menu of a row with a right click and picks an entry with the keys (Qt
        does not show pop-up menus on the accessibility bus)."""
        self.click(node, 3)
        time.sleep(0.5)
        xdotool('key', '--delay', '80', *keys)

    def keys(self, *keys, title=MAIN_TITLE):
        xdotool('search', '--onlyvisible', '--name', '^%s$' % title, 'windowfocus', '--sync')
        xdotool('key', '--delay', '50', *keys)

    def items(self, list_name):
        box = self.control(self.window(MAIN_TITLE), list_name, pyatspi.ROLE_LIST)
        return [box.getChildAtIndex(i) for i in range(box.childCount)]

    def rows(self):
        return [item.name for item in self.items('Playlist')]

    def selected_row(self):
        return next((i for i, item in enumerate(self.items('Playlist'))
                     if pyatspi.STATE_SELECTED in states(item)), None)

    def time_field_control(self):
        """The time field: the label described by its tooltip, announced by what it shows."""
        return self.control(self.window(MAIN_TITLE), None, pyatspi.ROLE_LABEL, description='Click changes')

    def time_field(self):
        """The time field's text ("" when it shows none)."""
        return self.time_field_control().name

    def item(self, list_name, text):
        return wait_for('"%s" in the list "%s"' % (text, list_name),
                        lambda: next((i for i in self.items(list_name) if i.name == text), None))

    def menu(self, *path):
        """Clicks through the menu bar: the menu, then each entry of the path."""
        main = self.window(MAIN_TITLE)
        node = self.control(main, path[0])
        self.click(node)
        for name in path[1:]:
            entry = self.control(node, name, shown=False)
            wait_for('"%s" on the screen' % name, lambda: pyatspi.STATE_SHOWING in states(entry))
            self.click(entry)
            node = entry

    def checked(self, menu_name, entry_name):
        main = self.window(MAIN_TITLE)
        entry = self.control(self.control(main, menu_name), entry_name, shown=False)
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


STARTED = time.monotonic()


def step(text):
    print('%5.1f s  %s' % (time.monotonic() - STARTED, text), flush=True)


def read_lines(path):
    with open(path, 'rb') as f:
        return f.read().decode('cp1252').split('\r\n')[:-1]


def journey():
    expected = read_lines(PLAYLIST)
    check(len(expected) == 12, 'the demo playlist holds %d entries' % len(expected))

    step('first start: the question, answered Yes')
    run = Program()
    run.wait_window('First start')
    run.answer('First start', 'Yes')
    main = run.wait_window(MAIN_TITLE)

    step('the features window, closed with OK')
    features = run.wait_window('Changelog')
    check(features.getRole() == pyatspi.ROLE_DIALOG, 'the features window is no dialog')
    check(any(n.getRole() == pyatspi.ROLE_LABEL and 'Keyshorcuts' in n.name for n in descendants(features)),
          'the features window shows no list of features')
    run.click(run.control(features, 'OK', pyatspi.ROLE_PUSH_BUTTON))
    wait_for('the features window to close', lambda: run.window('Changelog') is None)

    step('the list shows the playlist')
    wait_for('12 rows', lambda: len(run.rows()) == 12)
    check(run.rows() == expected, 'rows: %s' % run.rows())

    step('add a file from the browser: its pop-up menu, Add > Selected')
    embers = run.item('MP3 files', '05 Embers.mp3')
    run.click(embers)
    wait_for('the file selected', lambda: pyatspi.STATE_SELECTED in states(embers))
    run.pop_up(embers, 'Down', 'Down', 'Down', 'Right', 'Return')  # Play, Fileinfo, Add > Selected
    wait_for('13 rows', lambda: len(run.rows()) == 13)
    expected.append(expected[4])
    check(run.rows() == expected, 'rows after the add: %s' % run.rows())

    step('reorder with the keypad (Num Lock on): 9 to the top, 2 one place down')
    added = run.items('Playlist')[-1]
    run.click(added)
    run.keys('Num_Lock')  # the window takes the keyboard focus back from the pop-up menu
    try:
        xdotool('key', '--delay', '100', 'KP_9')
        expected.insert(0, expected.pop())
        wait_for('the added entry on top', lambda: run.rows() == expected)
        xdotool('key', '--delay', '100', 'KP_2')
        expected.insert(1, expected.pop(0))
        wait_for('the added entry one place down', lambda: run.rows() == expected)
    finally:
        xdotool('key', 'Num_Lock')

    step('sort: the pop-up menu, Sort > By folder > Ascending')
    # Undo, Play, Fileinfo, Move, Delete, Sort: the keys pass over Redo, disabled, and separators.
    run.pop_up(run.item('Playlist', expected[3]), *['Down'] * 6, 'Right', 'Right', 'Return')
    unsorted = list(expected)
    expected.sort(key=str.upper)
    check(unsorted != expected, 'the list was in order before the sort')
    wait_for('the sorted list', lambda: run.rows() == expected)

    step('undo the sort with Ctrl+Z, redo it with Ctrl+Y')
    run.keys('ctrl+z')
    wait_for('the order before the sort', lambda: run.rows() == unsorted)
    run.keys('ctrl+y')
    wait_for('the sorted list again', lambda: run.rows() == expected)

    step('play the selected entry; the next one starts by itself')
    playing = run.selected_row()
    run.click(run.control(run.window(MAIN_TITLE), 'Play', pyatspi.ROLE_PUSH_BUTTON))
    wait_for('the time running', lambda: run.time_field() not in ('', '0:00'))
    wait_for('the next entry selected', lambda: run.selected_row() == playing + 1, timeout=20)
    wait_for('the time running again', lambda: run.time_field() not in ('', '0:00'))

    step('the time display: remaining, off, elapsed')
    # Clicks further apart than a double click, which counts as one click.
    time_field = run.time_field_control()
    run.click(time_field)
    wait_for('the remaining time', lambda: run.time_field().startswith('- '))
    time.sleep(DOUBLE_CLICK_S)
    run.click(time_field)
    wait_for('the time display off', lambda: run.time_field() == '')
    time.sleep(DOUBLE_CLICK_S)
    run.click(time_field)
    wait_for('the elapsed time', lambda: run.time_field()[:2] in ('0:', '00', '01'))

    step('the file information window from the pop-up menu')
    title = os.path.basename(expected[run.selected_row()].replace('\\', '/'))
    run.pop_up(run.items('Playlist')[run.selected_row()], 'Down', 'Down', 'Down', 'Return')  # Undo, Play, Fileinfo
    info = run.wait_window(title)
    wait_for('the file information', lambda: run.control(info, 'File information').childCount > 5)
    run.click(run.control(info, 'OK', pyatspi.ROLE_PUSH_BUTTON))
    wait_for('the file information window to close', lambda: run.window(title) is None)

    step('stop')
    run.click(run.control(run.window(MAIN_TITLE), 'Stop', pyatspi.ROLE_PUSH_BUTTON))
    wait_for('the time field at rest', lambda: run.time_field() == '0:00')

    step('the old look')
    check(not run.checked('Extras', 'Old layout'), '"Old layout" is checked at the first start')
    run.menu('Extras', 'Old layout')
    wait_for('"Old layout" checked', lambda: run.checked('Extras', 'Old layout'))

    step('quit, saving the changed list')
    run.keys('ctrl+q')
    run.answer_message('Do you want to save the new list?', 'Yes')
    run.answer_message('New playlist successfully saved', 'OK')
    check(run.wait_exit() == 0, 'exit code %s' % run.process.returncode)
    check(read_lines(PLAYLIST) == expected, 'the saved playlist: %s' % read_lines(PLAYLIST))

    step('second start: no question, the old look')
    run = Program()
    main = run.wait_window(MAIN_TITLE)
    wait_for('13 rows', lambda: len(run.rows()) == 13)
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
    try:
        journey()
    except Failure as failure:
        print('FAILED:', failure, file=sys.stderr)
        if os.path.exists(PROGRAM_LOG):
            with open(PROGRAM_LOG) as log:
                print('The program said:\n' + log.read(), file=sys.stderr)
        sys.exit(1)
    step('journey passed')
