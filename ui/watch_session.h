// An author's live preview (kinsight --watch), with one owner: the watch on
// the quiz's path, the quiz played (from the start, or from the first save
// that plays when the quiz was not playable yet), the one box that tells of
// a save that fails without taking the keyboard from the author's editor,
// and the lines on the author's terminal. Nothing is ever written.
#pragma once

#include "dry_run.h"
#include "quiz_play.h"
#include "quiz_watch.h"

#include <QObject>
#include <QString>

#include <functional>
#include <iosfwd>
#include <memory>

class QMessageBox;

namespace kinsight {

class WatchSession : public QObject {
    Q_OBJECT
public:
    // locate: where the quiz is now, from the author's argument; check: the
    // start-up's dry run of it. Plays it and shows the window at once if it
    // passed; otherwise shows its failure and waits. Failures of the quiz
    // played go to failure; log is the author's terminal.
    WatchSession(std::function<QuizLocation()> locate, DryRunResult check, FailureRoute failure,
                 std::ostream& log);
    ~WatchSession() override;

    // The quiz played, once one is.
    QuizPlay* play() const { return m_play.get(); }

Q_SIGNALS:
    // The failure shown before any quiz played was closed: the author gave up.
    void abandoned();

private:
    void startPlaying(const QuizLocation& quiz, std::shared_ptr<const QuizText> text);
    void passed(const QuizLocation& quiz, std::shared_ptr<const QuizText> text,
                const QStringList& warnings);
    void failed(const QString& report);
    void sightLost(QuizWatch::Sight sight);
    void playPending();
    void placeBox();
    void print(const QStringList& lines);

    FailureRoute m_failed;
    std::ostream& m_log;
    QString m_shownFile;
    std::unique_ptr<QuizPlay> m_play;
    std::unique_ptr<QMessageBox> m_box;
    std::shared_ptr<const QuizText> m_pending;
    QuizWatch* m_watch; // a child, for it outlives nothing of the session
};

} // namespace kinsight
