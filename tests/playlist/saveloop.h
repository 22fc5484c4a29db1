#pragma once
// The two lists the save-loop program writes alternately.

#include "playlist/playlistmodel.h"

inline PlaylistModel SaveLoopList(bool second) {
    PlaylistModel m;
    for (int i = 0; i < 32767; ++i)
        m.Entries.append(QStringLiteral("C:\\Music\\%1\\Track %2.mp3")
                             .arg(QLatin1String(second ? "B" : "A"))
                             .arg(i, 5, 10, QLatin1Char('0')));
    return m;
}
