#include "quiz_watch.h"

#include "checker.h"
#include "dry_run.h"
#include "failure.h"
#include "picture_probe.h"
#include "quiz_error.h"
#include "text.h"
#include "text_fit.h"

#include <QFile>
#include <QFileInfo>

#include <optional>
#include <utility>

namespace kinsight {

struct QuizWatch::Outcome {
    int generation = 0;
    QuizLocation quiz;
    DryRunResult read;
    bool changed = false;
    QStringList warnings;
};

namespace {

bool sameText(const std::shared_ptr<const QuizText>& a, const std::shared_ptr<const QuizText>& b) {
    return a && b && a->text == b->text && a->windows1252 == b->windows1252;
}

QString pathText(const std::filesystem::path& path) {
    return QFile::decodeName(QByteArray::fromStdString(path.string()));
}

// The folder nearest to path that exists now, itself included.
QString nearestFolder(QString path) {
    for (QFileInfo info(path); !path.isEmpty(); info = QFileInfo(path)) {
        if (info.isDir())
            return path;
        const QString up = info.absolutePath();
        if (up == info.absoluteFilePath())
            break;
        path = up;
    }
    return QStringLiteral("/");
}

} // namespace

QStringList checkerWarnings(const std::shared_ptr<const QuizText>& text,
                            const std::filesystem::path& quizFile, const TextMeasurer* measurer) {
    const ProgramPictureProbe pictures;
    const CheckReport report = checkQuiz(text, quizFile, measurer, &pictures);
    QStringList lines;
    for (const Diagnostic& diagnostic : report.diagnostics)
        if (diagnostic.severity == Severity::Warning)
            lines << QString::fromStdString(
                escapedControls(formatDiagnostic(shownPath(quizFile), diagnostic)));
    return lines;
}

namespace {

// What the program's start would find in the quiz now: the checker's
// warnings only for a text that is new.
QuizWatch::Outcome readQuiz(int generation, QuizLocation quiz,
                            std::shared_ptr<const QuizText> tried, const TextMeasurer* measurer) {
    DryRunResult read = dryRun(quiz);
    QuizWatch::Outcome outcome{generation, std::move(quiz), std::move(read), false, {}};
    outcome.changed = !sameText(outcome.read.text, tried);
    if (outcome.changed && !outcome.read.error)
        outcome.warnings = checkerWarnings(outcome.read.text, outcome.quiz.file, measurer);
    return outcome;
}

} // namespace

QuizWatch::QuizWatch(std::function<QuizLocation()> locate, std::shared_ptr<const QuizText> checked,
                     QObject* parent)
    : QObject(parent), m_locate(std::move(locate)), m_tried(std::move(checked)) {
    m_settle.setSingleShot(true);
    m_settle.setInterval(kSettleMilliseconds);
    const auto restartSettle = [this] { m_settle.start(); };
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, &m_settle, restartSettle);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, &m_settle, restartSettle);
    connect(&m_settle, &QTimer::timeout, this, &QuizWatch::settled);
    // A large quiz takes seconds to read and check: the window answers
    // meanwhile. Qt 6 measures text on any thread.
    m_reader = new QObject;
    m_reader->moveToThread(&m_thread);
    connect(&m_thread, &QThread::finished, m_reader, &QObject::deleteLater);
    m_thread.start();
    follow();
}

QuizWatch::~QuizWatch() {
    m_newest = -1;
    m_thread.quit();
    m_thread.wait();
}

void QuizWatch::follow() {
    // The file, for a write in place; its folder, for a file created,
    // deleted or renamed over it; and the folder above, for the folder
    // itself removed, made again or a link to it pointed elsewhere. A path
    // not there yet is watched from the nearest folder that is.
    const QuizLocation quiz = m_locate();
    const QString file = pathText(quiz.file);
    const QString folder = QFileInfo(file).absolutePath();
    const QString above = nearestFolder(QFileInfo(folder).absolutePath());
    if (!m_watcher.files().isEmpty())
        m_watcher.removePaths(m_watcher.files());
    if (!m_watcher.directories().isEmpty())
        m_watcher.removePaths(m_watcher.directories());
    const bool folderSeen = m_watcher.addPath(nearestFolder(folder));
    m_watcher.addPath(above);
    const bool fileSeen = !QFileInfo(file).isFile() || m_watcher.addPath(file);
    const Sight sight = !folderSeen ? Sight::Nothing
                        : !fileSeen ? Sight::RenamesOnly
                                    : Sight::Everything;
    if (sight != Sight::Everything && sight != m_sight)
        Q_EMIT sightLost(sight);
    m_sight = sight;
}

void QuizWatch::settled() {
    follow();
    const int generation = ++m_newest;
    QuizLocation quiz = m_locate();
    // Made here, on the window's thread, where its widgets may be made.
    auto measurer = std::make_shared<const WindowTextMeasurer>();
    QMetaObject::invokeMethod(
        m_reader,
        [this, generation, quiz = std::move(quiz), tried = m_tried, measurer] {
            // A newer save is on its way: this one is not worth reading.
            if (generation != m_newest)
                return;
            auto outcome =
                std::make_shared<Outcome>(readQuiz(generation, quiz, tried, measurer.get()));
            QMetaObject::invokeMethod(
                this, [this, outcome] { told(*outcome); }, Qt::QueuedConnection);
        },
        Qt::QueuedConnection);
}

void QuizWatch::told(const Outcome& outcome) {
    if (outcome.generation != m_newest)
        return;
    // Other files in the folder come and go (an editor's swap file): only a
    // new text is a save to play.
    if (!outcome.changed)
        return;
    m_tried = outcome.read.text;
    if (outcome.read.error) {
        const QString report = QString::fromStdString(failureReport(*outcome.read.error));
        if (report != m_failure) {
            m_failure = report;
            Q_EMIT failed(report);
        }
        return;
    }
    m_failure.clear();
    Q_EMIT passed(outcome.quiz, outcome.read.text, outcome.warnings);
}

} // namespace kinsight
