"""Starting the real program for the end-to-end tests.

Now and then this machine's X server refuses a client's first connection ("could not connect to
display"), and Qt ends the program before it shows anything. Such a start is tried again, up to
five times; any other end of the program at its start is a failure.
"""
import os
import subprocess
import time

import pyatspi

REFUSED = 'could not connect to display'


def start(argv, log_path, cwd=None, timeout=20):
    """Starts argv and waits until it shows on the accessibility bus; returns (process, app).
    The program's standard error goes to log_path. Raises RuntimeError when it does not show."""
    for attempt in range(5):
        with open(log_path, 'w') as log:
            process = subprocess.Popen(argv, cwd=cwd, stderr=log)
        end = time.monotonic() + timeout
        while time.monotonic() < end and process.poll() is None:
            app = next((a for a in pyatspi.Registry.getDesktop(0)
                        if a is not None and a.get_process_id() == process.pid), None)
            if app is not None:
                return process, app
            time.sleep(0.1)
        with open(log_path) as log:
            said = log.read()
        if process.poll() is None:
            process.kill()
            raise RuntimeError('the program did not show on the accessibility bus:\n' + said)
        if REFUSED not in said:
            raise RuntimeError('the program ended at its start (exit %d):\n%s' % (process.returncode, said))
        print('the X server refused the program at its start; starting it again', flush=True)
    raise RuntimeError('the X server refused the program five times')
