#include "result_picture.h"

#include <QFile>
#include <QImageReader>

#include <fcntl.h>
#include <unistd.h>

#include <system_error>

namespace kinsight {

bool isPictureNameAllowed(const QString& name) {
    return !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\')) &&
           !name.contains(QLatin1String("..")) && !name.contains(QChar(0));
}

PictureLookup findPicture(const std::filesystem::path& picturesDir, const QString& name) {
    PictureLookup lookup;
    const QString fileName = name + QLatin1String(".jpg");
    lookup.expected = picturesDir / fileName.toStdString();
    lookup.nameAllowed = isPictureNameAllowed(name);
    if (!lookup.nameAllowed)
        return lookup;
    std::error_code ec;
    if (std::filesystem::is_regular_file(lookup.expected, ec)) {
        lookup.found = lookup.expected;
        return lookup;
    }
    // Quiz folders often come from systems that ignore case in file names.
    // Of several matches the first by name is taken, whatever the listing's order.
    for (std::filesystem::directory_iterator it(picturesDir, ec), end; !ec && it != end;
         it.increment(ec)) {
        std::error_code typeError;
        const std::filesystem::path entry = it->path();
        if (it->is_regular_file(typeError) &&
            QString::fromStdString(entry.filename().native())
                    .compare(fileName, Qt::CaseInsensitive) == 0 &&
            (lookup.found.empty() || entry < lookup.found))
            lookup.found = entry;
    }
    return lookup;
}

QImage loadPicture(const std::filesystem::path& file) {
    // Opened by its bytes: Qt's own file names would lose those of a folder
    // whose name is not in the system's encoding.
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return {};
    QFile device;
    if (!device.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return {};
    }
    QImageReader reader(&device);
    reader.setDecideFormatFromContent(true);
    return reader.read();
}

} // namespace kinsight
