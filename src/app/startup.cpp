#include "app/startup.h"

#include "app/window/frmVeriVuzeDadeve.h"
#include "app/gamelocations.h"
#include "platform/dosfs.h"
#include "platform/messages.h"
#include "platform/registry.h"
#include "playlist/window/playlistbox.h"
#include "windows/frmchange.h"

#include <QApplication>
#include <QIcon>
#include <chrono>

namespace {

// Runs one step of the sequence; a step that fails is skipped and the sequence goes on.
// Ending the program is no failure: it passes through.
template <typename Step> void step(Step&& run) {
    try {
        run();
    } catch (const EndProgram&) {
        throw;
    } catch (const std::exception&) {
    }
}

} // namespace

QString Startup::CommandLinePlaylist(const QStringList& arguments) {
    if (arguments.isEmpty())
        return {};
    const QString& path = arguments.first();
    const bool dos =
        path.startsWith(u'\\') || (path.size() >= 2 && path.at(1) == u':' && path.at(0).isLetter());
    return dos || path.isEmpty() ? path : dosfs::toDos(path);
}

bool Startup::IsM3uPlaylist(const QString& path) {
    return (path.endsWith(QStringLiteral(".m3u"), Qt::CaseInsensitive) ||
            path.endsWith(QStringLiteral(".m3u8"), Qt::CaseInsensitive)) &&
           dosfs::FileExists(path);
}

void Startup::Form_Load(const QStringList& arguments) {
    ProgramState& s = main_.state;
    QString m3u; // another player's playlist, read in place of the game's once that is shown
    // Read before any path is turned into a DOS path: the game found in a Steam library brings the
    // drive table of its Proton prefix, and the command line's playlist, the game's playlist and
    // the file browser all go through that table.
    InstallLocations game;
    step([&] {
        main_.setCursor(Qt::BusyCursor);
        DoEvents();
    });
    step([&] { s.Random.seed(unsigned(std::chrono::system_clock::now().time_since_epoch().count())); });
    step([&] {
        s.TimeDisplayMode = TimeFieldMode::Elapsed;
        s.PlayingFromBrowser = false;
    });
    step([&] {
        const QList<dosfs::Drive> before = dosfs::drives();
        game = ReadInstallLocations();
        if (dosfs::drives() != before)
            main_.browser.ShowDrives();
    });
    step([&] {
        s.PlaylistPath = CommandLinePlaylist(arguments);
        if (IsM3uPlaylist(s.PlaylistPath))
            m3u = s.PlaylistPath;
    });
    step([&] {
        if (s.PlaylistPath.isEmpty() || !dosfs::FileExists(s.PlaylistPath) ||
            s.PlaylistPath.right(3).toUpper() != u"TXT")
            s.PlaylistPath = FindDefaultPlaylist(game);
    });
    step([&] { main_.windowLayout.PlaceBackgroundImage(); });
    step([&] { main_.timeDisplay.ZeitAnzeige(); });
    step([&] { main_.looks.ColourListBoxes(); });
    step([&] {
        main_.playlistInput.DragIndex = -1;
        s.PlayingIndex = -1;
    });
    step([&] { main_.windowLayout.PlacePlayerButtons(); });
    step([&] { DoEvents(); });
    step([&] {
        if (RegRead(HKEY_CURRENT_USER, kProgramKey, QStringLiteral("Old")) == u"1")
            main_.looks.menBlind_Click();
    });
    step([&] { main_.show(); });
    step([&] {
        DoEvents();
        DoEvents();
    });
    // The program's icon, drawn at each size offered to the window manager, and the playlist come
    // once the window is up and painted: a long list fills the shown window instead of keeping it
    // from appearing.
    step([&] { QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/vorlak.svg"))); });
    step([&] { LoadTextPlaylist(s, s.PlaylistPath); });
    step([&] { main_.display.RefreshList(0); });
    step([&] {
        if (!m3u.isEmpty())
            main_.documents.OpenInPlaceOfList(m3u);
    });
    step([&] {
        if (RegRead(HKEY_CURRENT_USER, kProgramKey, QStringLiteral("Opend")) != u"1" &&
            MsgBox(QStringLiteral("This is the first start of the new Verivuzedadeve for Vorlak Legends") +
                       vbCrLf +
                       QStringLiteral("Much has changed. Do you want to see the new features ? (Recommend)"),
                   vbYesNo, QStringLiteral("First start")) == vbYes)
            ShowChange(&main_);
    });
    step([&] { main_.setCursor(Qt::ArrowCursor); });
}
