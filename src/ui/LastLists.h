#pragma once

#include <QString>
#include <optional>
#include <vector>

#include "model/ListRows.h"

namespace kolt {

// The lists as the window last showed them, kept for the next start: a large home's
// rows are on the screen at once, and the check of every game folder that follows
// replaces them. Only ever shown, never acted on; a file that is missing, from another
// version or damaged in any way is simply not used.
struct LastLists {
  std::vector<ProgramRow> programs;
  std::vector<GameRow> games;
};

// Where the lists of the home folder `home` are kept; empty without a home.
QString LastListsPath(const QString& home);

// Writes the lists atomically; false when they could not be written (the next start then
// shows the old ones, or none, until its check ends).
bool SaveLastLists(const QString& path, const LastLists& lists, qint64 nowSecs);
// The lists kept at `path`, with each waiting time counted on to `nowSecs`; nothing when
// there are none or the file is not one this version wrote whole.
std::optional<LastLists> LoadLastLists(const QString& path, qint64 nowSecs);

}  // namespace kolt
