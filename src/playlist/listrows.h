#pragma once
// The row texts of the playlist box, built from the model for a view mode.

#include "playlist/entrylist.h"

#include <QStringList>

enum class ViewMode { All, Filenames, Tag };

// "All": the full path; "Filenames": the file name as the disk spells it ("" when the file is
// gone); "Tag": the tag row text of the file (TagRowText).
QStringList BuildRows(const EntryList& entries, ViewMode mode);
