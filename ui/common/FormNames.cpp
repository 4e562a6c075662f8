#include "ui/common/FormNames.h"

#include <QObject>

namespace tavel {

void SetFormNames(std::initializer_list<FormName> table) {
    for (const FormName& row : table) row.object->setObjectName(QString::fromLatin1(row.name));
}

}  // namespace tavel
