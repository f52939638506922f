#include "result_picture.h"

#include "quiz_error.h"
#include "translated.h"

#include <QFile>
#include <QImageReader>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace kinsight {

namespace {

// A picture format that Qt here may not read, told by its first bytes.
QString formatByItsBytes(QIODevice& device) {
    device.seek(0);
    const QByteArray head = device.read(16);
    if (head.startsWith("RIFF") && head.mid(8, 4) == "WEBP")
        return QStringLiteral("WebP");
    const QByteArray brand = head.mid(4, 8);
    if (brand == "ftypavif" || brand == "ftypavis")
        return QStringLiteral("AVIF");
    if (brand.startsWith("ftyphei") || brand == "ftypmif1" || brand == "ftypheix")
        return QStringLiteral("HEIC");
    if (head.startsWith("\xFF\x0A") || head.mid(4, 8) == "JXL \x0D\x0A\x87\x0A")
        return QStringLiteral("JPEG XL");
    if (head.startsWith("II*") || head.startsWith("MM\0*"))
        return QStringLiteral("TIFF");
    return {};
}

// Reads file as the picture's image, or says why it cannot.
void readFile(const std::filesystem::path& file, ResultPicture& picture) {
    // Opened by its bytes: Qt's own file names would lose those of a folder
    // whose name is not in the system's encoding.
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        picture.problem = PictureProblem::Unreadable;
        picture.detail = QString::fromLocal8Bit(std::strerror(errno));
        return;
    }
    QFile device;
    if (!device.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        picture.problem = PictureProblem::Unreadable;
        picture.detail = device.errorString();
        return;
    }
    QImageReader reader(&device);
    // Authors save pictures as whatever their program offers; the content
    // decides, not the ".jpg".
    reader.setDecideFormatFromContent(true);
    reader.setAllocationLimit(kPictureAllocationLimitMiB);
    const QSize size = reader.size();
    const qint64 bytes = qint64{4} * size.width() * size.height();
    if (size.isValid() && bytes > qint64{kPictureAllocationLimitMiB} << 20) {
        picture.problem = PictureProblem::TooLarge;
        picture.detail = QStringLiteral("%1 \u00D7 %2").arg(size.width()).arg(size.height());
        return;
    }
    picture.image = reader.read();
    if (picture.image.isNull()) {
        const bool unreadable = reader.error() == QImageReader::FileNotFoundError ||
                                reader.error() == QImageReader::DeviceError;
        picture.problem = unreadable ? PictureProblem::Unreadable : PictureProblem::NotAPicture;
        picture.detail = unreadable ? reader.errorString() : formatByItsBytes(device);
    }
}

} // namespace

ResultPicture readResultPicture(const std::filesystem::path& picturesDir, const QString& name) {
    ResultPicture picture;
    picture.lookup = findPicture(picturesDir, name.toStdString());
    if (!picture.lookup.nameAllowed) {
        picture.problem = PictureProblem::NameRefused;
        return picture;
    }
    if (picture.lookup.found.empty() && picture.lookup.folderError != 0) {
        picture.problem = PictureProblem::Unreadable;
        picture.detail =
            QString::fromUtf8(failureName(fileError({}, picture.lookup.folderError).failure()));
        return picture;
    }
    if (picture.lookup.found.empty()) {
        picture.problem = PictureProblem::Missing;
        return picture;
    }
    // Of files whose names differ only in case or normal form, the first
    // that reads as a picture; none reading, the first one's problem.
    ResultPicture first = picture;
    readFile(picture.lookup.found, first);
    if (first.problem == PictureProblem::None)
        return first;
    for (const std::filesystem::path& other : picture.lookup.alike) {
        ResultPicture next = picture;
        next.lookup.found = other;
        readFile(other, next);
        if (next.problem == PictureProblem::None)
            return next;
    }
    return first;
}

QString pictureProblemText(const ResultPicture& picture) {
    switch (picture.problem) {
    case PictureProblem::None:
        break;
    case PictureProblem::NameRefused:
        return translated(
            i18n("cannot be in the Pictures folder: the name holds a path separator or a NUL"));
    case PictureProblem::Missing:
        if (const std::string hint = nearMissHint(picture.lookup); !hint.empty())
            return translated(i18n("is missing; {1}"), {QString::fromStdString(hint)});
        return translated(i18n("is missing"));
    case PictureProblem::Unreadable:
        return translated(i18n("cannot be read ({1})"), {picture.detail});
    case PictureProblem::NotAPicture:
        if (!picture.detail.isEmpty())
            return translated(i18n("is a {1} picture, a format the program cannot show (save it "
                                   "as JPEG or PNG)"),
                              {picture.detail});
        return translated(i18n("is not a picture"));
    case PictureProblem::TooLarge:
        return translated(i18n("is a picture of {1} pixels, more than the program shows"),
                          {picture.detail});
    }
    return {};
}

} // namespace kinsight
