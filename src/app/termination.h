#pragma once
// An orderly end on SIGTERM, SIGINT and SIGHUP and at the end of the desktop session: the main
// window closes as the Exit command closes it, so the exit check runs and the settings are
// written. A second signal while that is under way (the save question open, say) ends the program
// at once, writing nothing.

class QWidget;

namespace termination {

// Installs the signal handlers (once per process) and the session-end hook, both closing window.
void closeOnTermination(QWidget& window);

} // namespace termination
