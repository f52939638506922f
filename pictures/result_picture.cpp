#include "result_picture.h"

#include "result.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>

namespace kinsight {

bool isPictureNameAllowed(const QString& name) {
    return isPictureName(name.toStdString());
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

ResultPicture readResultPicture(const QString& picturesDir, const QString& name) {
    ResultPicture picture;
    picture.lookup = findPicture(picturesDir, name);
    if (!picture.lookup.nameAllowed) {
        picture.problem = PictureProblem::NameRefused;
        return picture;
    }
    if (picture.lookup.found.isEmpty()) {
        picture.problem = PictureProblem::Missing;
        return picture;
    }
    QImageReader reader(picture.lookup.found);
    // Authors save pictures as whatever their program offers; the content
    // decides, not the ".jpg".
    reader.setDecideFormatFromContent(true);
    reader.setAllocationLimit(kPictureAllocationLimitMiB);
    const QSize size = reader.size();
    const qint64 bytes = qint64{4} * size.width() * size.height();
    if (size.isValid() && bytes > qint64{kPictureAllocationLimitMiB} << 20) {
        picture.problem = PictureProblem::TooLarge;
        picture.detail = QStringLiteral("%1 \u00D7 %2").arg(size.width()).arg(size.height());
        return picture;
    }
    picture.image = reader.read();
    if (picture.image.isNull()) {
        const bool unreadable = reader.error() == QImageReader::FileNotFoundError ||
                                reader.error() == QImageReader::DeviceError;
        picture.problem = unreadable ? PictureProblem::Unreadable : PictureProblem::NotAPicture;
        picture.detail = reader.errorString();
    }
    return picture;
}

QString pictureProblemText(const ResultPicture& picture) {
    switch (picture.problem) {
    case PictureProblem::None:
        break;
    case PictureProblem::NameRefused:
        return QStringLiteral(
            "cannot be in the Pictures folder: the name holds a path separator or a NUL");
    case PictureProblem::Missing:
        return QStringLiteral("is missing");
    case PictureProblem::Unreadable:
        return QStringLiteral("cannot be read (%1)").arg(picture.detail);
    case PictureProblem::NotAPicture:
        return QStringLiteral("is not a picture");
    case PictureProblem::TooLarge:
        return QStringLiteral("is a picture of %1 pixels, more than the program shows")
            .arg(picture.detail);
    }
    return {};
}

} // namespace kinsight
