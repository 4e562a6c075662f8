#include "ui/common/DataFolderLookup.h"

#include "ui/common/LocalText.h"

#include <QStandardPaths>

namespace tavel {

DataFolders LocateDataFolders(const QString& executableFolder) {
    const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return FindDataFolders(Bytes(executableFolder), Bytes(dataHome));
}

}  // namespace tavel
