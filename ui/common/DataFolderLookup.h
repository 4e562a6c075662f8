#pragma once

#include "project/DataFolders.h"

#include <QString>

namespace tavel {

// The folders of a run of the executable in `executableFolder`, with the
// user's data home as the desktop names it ($XDG_DATA_HOME, by default
// ~/.local/share).
DataFolders LocateDataFolders(const QString& executableFolder);

}  // namespace tavel
