#include "quiz_watch.h"

#include "checker.h"
#include "dry_run.h"
#include "failure.h"
#include "message_box.h"
#include "picture_probe.h"
#include "quiz_error.h"
#include "quiz_location.h"
#include "quiz_play.h"
#include "text.h"
#include "text_fit.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QScreen>

#include <ostream>
#include <utility>

namespace kinsight {

namespace {

bool sameText(const std::shared_ptr<const QuizText>& a, const std::shared_ptr<const QuizText>& b) {
    return a && b && a->text == b->text && a->windows1252 == b->windows1252;
}

// What the watch finds, brought to the window and the author's terminal.
class SaveReport : public QObject {
public:
    SaveReport(QuizPlay& play, std::filesystem::path quizFile, std::ostream& log)
        : QObject(&play.window()), m_play(play), m_window(play.window()),
          m_file(std::move(quizFile)), m_log(log) {}

    void printWarnings(const std::shared_ptr<const QuizText>& text) const {
        const WindowTextMeasurer measurer;
        const ProgramPictureProbe pictures;
        const CheckReport report = checkQuiz(text, m_file, &measurer, &pictures);
        for (const Diagnostic& diagnostic : report.diagnostics)
            if (diagnostic.severity == Severity::Warning)
                m_log << escapedControls(formatDiagnostic(shownPath(m_file), diagnostic)) << '\n';
        m_log.flush();
    }

    void play(const std::shared_ptr<const QuizText>& text) {
        // The failure on show no longer holds.
        if (m_box)
            m_box->hide();
        m_pending = text;
        playPending();
        printWarnings(text);
    }

    void fail(const QString& report) {
        m_log << escapedLines(report.toStdString()) << std::endl;
        if (m_box) {
            setMessageBoxText(*m_box, report);
        } else {
            m_box = makeMessageBox(QMessageBox::Critical, QApplication::applicationName(), report,
                                   "watchFailure", &m_window);
            m_box->setModal(false);
            // The author goes on typing in the editor.
            m_box->setAttribute(Qt::WA_ShowWithoutActivating);
        }
        m_box->show();
        placeBeside(*m_box);
    }

private:
    // Below the window, or above it on a screen too short, so that the quiz
    // stays in view and answers.
    void placeBeside(QWidget& box) const {
        const QRect window = m_window.frameGeometry();
        const QRect frame = box.frameGeometry();
        const QScreen* screen = m_window.screen();
        QPoint at(window.left(), window.bottom() + 1);
        if (screen && at.y() + frame.height() > screen->availableGeometry().bottom())
            at.setY(window.top() - frame.height());
        // Until the window manager has framed the box, Qt places its client
        // area there: its frame is taken to be the window's.
        if (frame == box.geometry())
            at += m_window.geometry().topLeft() - window.topLeft();
        box.move(at);
    }

    void playPending() {
        if (!m_pending)
            return;
        // A box of the pass (a greeting, a draw) waits in the middle of one
        // of its steps, which would go on in the new pass: the new pass
        // starts once that box is gone and the step is over.
        if (QWidget* modal = QApplication::activeModalWidget()) {
            connect(modal, &QObject::destroyed, this, &SaveReport::playPending,
                    static_cast<Qt::ConnectionType>(Qt::QueuedConnection | Qt::UniqueConnection));
            return;
        }
        m_play.playAgain(std::exchange(m_pending, nullptr));
    }

    QuizPlay& m_play;
    Only& m_window;
    std::filesystem::path m_file;
    std::ostream& m_log;
    std::shared_ptr<const QuizText> m_pending;
    QPointer<QMessageBox> m_box;
};

} // namespace

QuizWatch::QuizWatch(std::filesystem::path quizFile, std::shared_ptr<const QuizText> playing,
                     QObject* parent)
    : QObject(parent), m_file(std::move(quizFile)),
      m_watchedFile(QFile::decodeName(QByteArray::fromStdString(m_file.string()))),
      m_tried(std::move(playing)) {
    // The folder sees a file created, deleted or renamed over the quiz; the
    // file, a write in place.
    m_watcher.addPath(QFileInfo(m_watchedFile).absolutePath());
    watchFile();
    m_settle.setSingleShot(true);
    m_settle.setInterval(kSettleMilliseconds);
    const auto restartSettle = [this] { m_settle.start(); };
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, &m_settle, restartSettle);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, &m_settle, restartSettle);
    connect(&m_settle, &QTimer::timeout, this, &QuizWatch::settled);
}

void QuizWatch::watchFile() {
    // A save by rename leaves the name on another file: the watch is set
    // again on whatever file has the name now.
    if (m_watcher.files().contains(m_watchedFile))
        m_watcher.removePath(m_watchedFile);
    if (QFileInfo::exists(m_watchedFile))
        m_watcher.addPath(m_watchedFile);
}

void QuizWatch::settled() {
    watchFile();
    DryRunResult read = dryRun(m_file);
    // Other files in the folder come and go (an editor's swap file): only a
    // new text is a save to play.
    const bool unchanged = sameText(read.text, m_tried);
    m_tried = read.text;
    if (unchanged)
        return;
    if (read.error) {
        const QString report = QString::fromStdString(failureReport(*read.error));
        if (report != m_failure) {
            m_failure = report;
            Q_EMIT failed(report);
        }
        return;
    }
    m_failure.clear();
    Q_EMIT checked(std::move(read.text));
}

QuizWatch* watchQuiz(QuizPlay& play, const QuizLocation& quiz,
                     std::shared_ptr<const QuizText> playing, std::ostream& log) {
    auto* report = new SaveReport(play, quiz.file, log);
    // The file may hold a broken save when the button is pressed.
    play.restartWith(playing);
    auto* watch = new QuizWatch(quiz.file, playing, &play.window());
    // Out of the system's notifications, say, the quiz still plays.
    if (watch->watching())
        log << "kinsight: watching " << shownPath(quiz.file)
            << "; each save is played from its first question" << std::endl;
    else
        log << "kinsight: cannot watch " << shownPath(quiz.file)
            << ": the system gives no notice of its changes" << std::endl;
    report->printWarnings(playing);
    QObject::connect(watch, &QuizWatch::checked, report, &SaveReport::play);
    QObject::connect(watch, &QuizWatch::failed, report, &SaveReport::fail);
    return watch;
}

} // namespace kinsight
