#include "watch_session.h"

#include "failure.h"
#include "message_box.h"
#include "quiz_error.h"
#include "text.h"
#include "text_fit.h"
#include "translated.h"

#include <QApplication>
#include <QMessageBox>
#include <QScreen>

#include <ostream>
#include <utility>

namespace kinsight {

WatchSession::WatchSession(std::function<QuizLocation()> locate, DryRunResult check,
                           FailureRoute failure, std::ostream& log)
    : m_failed(std::move(failure)), m_log(log),
      m_shownFile(QString::fromStdString(escapedControls(shownPath(locate().file)))) {
    const QuizLocation quiz = locate();
    m_box.reset(makeMessageBox(QMessageBox::Critical, QApplication::applicationName(), QString(),
                               "watchFailure", nullptr));
    m_box->setModal(false);
    // The author goes on typing in the editor.
    m_box->setAttribute(Qt::WA_ShowWithoutActivating);
    connect(m_box.get(), &QDialog::finished, this, [this] {
        if (!m_play)
            Q_EMIT abandoned();
    });

    m_watch = new QuizWatch(std::move(locate), check.text, this);
    connect(m_watch, &QuizWatch::passed, this, &WatchSession::passed);
    connect(m_watch, &QuizWatch::failed, this, &WatchSession::failed);
    connect(m_watch, &QuizWatch::sightLost, this, &WatchSession::sightLost);
    if (m_watch->sight() != QuizWatch::Sight::Everything)
        sightLost(m_watch->sight());
    else if (check.error)
        print({"kinsight: " + translated(i18n("watching {1}; the first save that plays opens the "
                                              "quiz"),
                                         {m_shownFile})});
    else
        print({"kinsight: " +
               translated(i18n("watching {1}; each save is played from its first question"),
                          {m_shownFile})});

    if (check.error) {
        failed(QString::fromStdString(failureReport(*check.error)));
        return;
    }
    startPlaying(quiz, check.text);
    if (m_play) {
        const WindowTextMeasurer measurer;
        print(checkerWarnings(check.text, quiz.file, &measurer));
    }
}

WatchSession::~WatchSession() = default;

void WatchSession::print(const QStringList& lines) {
    for (const QString& line : lines)
        m_log << line.toStdString() << '\n';
    m_log.flush();
}

void WatchSession::startPlaying(const QuizLocation& quiz, std::shared_ptr<const QuizText> text) {
    m_play = std::make_unique<QuizPlay>(quiz, m_failed, std::move(text),
                                        QuizPlay::Restart::PlaysTheLastChecked);
    if (m_play->failed())
        return;
    // The program ends with the window: the box must not keep it going.
    connect(&m_play->window(), &Only::closing, m_box.get(), &QWidget::hide);
    m_play->window().show();
}

void WatchSession::passed(const QuizLocation& quiz, std::shared_ptr<const QuizText> text,
                          const QStringList& warnings) {
    // The failure on show no longer holds.
    m_box->hide();
    if (!m_play)
        startPlaying(quiz, std::move(text));
    else {
        m_pending = std::move(text);
        playPending();
    }
    print(warnings);
}

void WatchSession::failed(const QString& report) {
    m_log << escapedLines(report.toStdString()) << std::endl;
    setMessageBoxText(*m_box, report);
    m_box->show();
    placeBox();
}

void WatchSession::sightLost(QuizWatch::Sight sight) {
    if (sight == QuizWatch::Sight::RenamesOnly)
        print({"kinsight: " +
               translated(i18n("the system has no file watch left for {1}: a save that replaces "
                               "the file (as most editors save) still plays, a save in place is "
                               "not seen; raise the system's limit (sysctl "
                               "fs.inotify.max_user_watches) and start kinsight again"),
                          {m_shownFile})});
    else
        print({"kinsight: " +
               translated(i18n("the system gives no notice of changes to {1} (no file watch "
                               "left): no save is seen until you raise the system's limit (sysctl "
                               "fs.inotify.max_user_watches) and start kinsight again"),
                          {m_shownFile})});
}

void WatchSession::playPending() {
    if (!m_pending || !m_play)
        return;
    // A box of the pass (a greeting, a draw) waits in the middle of one of
    // its steps, which would go on in the new pass: the new pass starts once
    // that box is gone and the step is over.
    if (QWidget* modal = QApplication::activeModalWidget()) {
        connect(modal, &QObject::destroyed, this, &WatchSession::playPending,
                static_cast<Qt::ConnectionType>(Qt::QueuedConnection | Qt::UniqueConnection));
        return;
    }
    m_play->playInPlace(std::exchange(m_pending, nullptr));
}

// Below the window, or above it on a screen too short, so that the quiz
// stays in view and answers.
void WatchSession::placeBox() {
    if (!m_play)
        return;
    const QWidget& window = m_play->window();
    const QRect frame = window.frameGeometry();
    const QRect box = m_box->frameGeometry();
    const QScreen* screen = window.screen();
    QPoint at(frame.left(), frame.bottom() + 1);
    if (screen && at.y() + box.height() > screen->availableGeometry().bottom())
        at.setY(frame.top() - box.height());
    // Until the window manager has framed the box, Qt places its client
    // area there: its frame is taken to be the window's.
    if (box == m_box->geometry())
        at += window.geometry().topLeft() - frame.topLeft();
    m_box->move(at);
}

} // namespace kinsight
