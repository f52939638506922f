// Builds quiz folders for the window tests: way.txt written the way quiz
// authors write it (CR LF, one field a line) and pictures made on the spot.
#pragma once

#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QStringList>
#include <QTemporaryDir>

#include <array>
#include <filesystem>

struct QuizQuestion {
    QString text;
    std::array<QString, 6> answers;
    // Weight fields of each answer, e.g. {"C01=3", "C02=1"}.
    std::array<QStringList, 6> weights;
};

// Fifteen names; the first has a blank in it, as picture names may.
inline QStringList quizNames() {
    return {"Ann Lee", "Bo", "Cy",  "Di", "Ed",  "Flo", "Gus", "Hal",
            "Ivy",     "Jo", "Kit", "Lu", "Max", "Ned", "Oz"};
}

inline QString quizText(const QString& title, const QList<QuizQuestion>& questions,
                        const QStringList& names = quizNames()) {
    QStringList lines{title, "A test quiz"};
    lines += names;
    lines << "Notes that are skipped"
          << "Start:";
    for (qsizetype q = 0; q < questions.size(); ++q) {
        if (q > 0)
            lines << "NewQuestion:";
        lines << QStringLiteral("Question %1").arg(q + 1) << questions[q].text;
        for (int k = 0; k < 6; ++k) {
            lines << QStringLiteral("A%1)").arg(k + 1) << questions[q].answers[k] << "Points:";
            lines += questions[q].weights[k];
            lines << "";
        }
    }
    lines << "NewQuestion:"
          << "ENDQUESTIONS";
    return lines.join("\r\n") + "\r\n";
}

class QuizFolder {
public:
    QuizFolder() { QDir(m_dir.path()).mkdir("Pictures"); }

    QString path() const { return m_dir.path(); }
    QString quizPath() const { return m_dir.filePath("way.txt"); }
    std::filesystem::path quizFile() const { return QFile::encodeName(quizPath()).toStdString(); }
    QString picturePath(const QString& fileName) const {
        return m_dir.filePath("Pictures/" + fileName);
    }

    void writeQuiz(const QString& text) const { writeFile(quizPath(), text.toUtf8()); }
    void writePicture(const QString& fileName, const QColor& colour) const {
        QImage image(40, 50, QImage::Format_RGB32);
        image.fill(colour);
        image.save(picturePath(fileName), "JPEG", 95);
    }
    static void writeFile(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            file.write(bytes);
    }

private:
    QTemporaryDir m_dir;
};
