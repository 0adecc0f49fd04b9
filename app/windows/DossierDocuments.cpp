#include "windows/DossierDocuments.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString DossierDocuments() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QFileInfo(documents).isDir())
        return documents;
    return QDir::homePath();
}
