#include "result_picture.h"

#include <QDir>
#include <QFileInfo>

namespace kinsight {

bool isPictureNameAllowed(const QString& name) {
    return !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\')) &&
           !name.contains(QLatin1String("..")) && !name.contains(QChar(0));
}

PictureLookup findPicture(const QString& picturesDir, const QString& name) {
    PictureLookup lookup;
    const QString fileName = name + QLatin1String(".jpg");
    lookup.expected = QDir(picturesDir).filePath(fileName);
    lookup.nameAllowed = isPictureNameAllowed(name);
    if (!lookup.nameAllowed)
        return lookup;
    if (QFileInfo(lookup.expected).isFile()) {
        lookup.found = lookup.expected;
        return lookup;
    }
    // Quiz folders often come from systems that ignore case in file names.
    const QDir dir(picturesDir);
    const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString& entry : entries) {
        if (entry.compare(fileName, Qt::CaseInsensitive) == 0) {
            lookup.found = dir.filePath(entry);
            break;
        }
    }
    return lookup;
}

} // namespace kinsight
