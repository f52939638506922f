// Quiz folders for the window tests: way.txt from the tests' quiz builder
// and pictures made on the spot, in a temporary folder.
#pragma once

#include "quiz_text.h"
#include "temp_dir.h"

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QFile>
#include <QImage>
#include <QString>

#include <filesystem>
#include <string>
#include <vector>

namespace kinsight::test {

// Fifteen names; the first has a blank in it, as picture names may.
inline const std::vector<std::string> kPeople = {"Ann Lee", "Bo",  "Cy",  "Di",  "Ed",
                                                 "Flo",     "Gus", "Hal", "Ivy", "Jo",
                                                 "Kit",     "Lu",  "Max", "Ned", "Oz"};

// A quiz with that title and those names, for the questions to be added.
inline QuizBuilder namedQuiz(const QString& title) {
    QuizBuilder quiz;
    quiz.title(title.toStdString()).names(kPeople);
    return quiz;
}

inline QString quizText(const QuizBuilder& quiz) {
    return QString::fromStdString(quiz.text());
}

inline QString toQString(const std::filesystem::path& path) {
    return QFile::decodeName(QByteArray::fromStdString(path.string()));
}

// A JPEG picture of one colour, as a file holds it.
inline QByteArray jpegPicture(const QColor& colour) {
    QImage image(40, 50, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    return image.save(&buffer, "JPEG", 95) ? bytes : QByteArray();
}

class QuizFolder {
public:
    QuizFolder() { std::filesystem::create_directory(m_dir.path() / "Pictures"); }

    QString path() const { return toQString(m_dir.path()); }
    QString quizPath() const { return toQString(quizFile()); }
    std::filesystem::path quizFile() const { return m_dir.path() / "way.txt"; }
    QString picturePath(const QString& fileName) const { return path() + "/Pictures/" + fileName; }

    void writeQuiz(const QString& text) const { writeFile(quizPath(), text.toUtf8()); }
    // A picture of one colour; returns whether it was written.
    bool writePicture(const QString& fileName, const QColor& colour) const {
        const QByteArray picture = jpegPicture(colour);
        return !picture.isEmpty() && writeFile(picturePath(fileName), picture);
    }
    static bool writeFile(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
               file.write(bytes) == bytes.size();
    }

private:
    TempDir m_dir;
};

} // namespace kinsight::test
