// The eyes of an author's live preview: the quiz's path, as the author gave
// it, is followed through the system's file notifications, through a folder
// removed and made again, a link pointed elsewhere or a folder made after the
// start. Each settled change is read and checked away from the window's
// thread; only the newest save's outcome is told, and only a new text.
#pragma once

#include "quiz_file.h"
#include "quiz_location.h"

#include <QFileSystemWatcher>
#include <QObject>
#include <QStringList>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <functional>
#include <memory>

namespace kinsight {

class TextMeasurer;

// The checker's warnings on a quiz's text, each as a line of the terminal.
QStringList checkerWarnings(const std::shared_ptr<const QuizText>& text,
                            const std::filesystem::path& quizFile, const TextMeasurer* measurer);

class QuizWatch : public QObject {
    Q_OBJECT
public:
    // An editor's save may be several writes (truncate, write, rename): the
    // file is read once it has been left alone this long, so that one save
    // gives one new pass.
    static constexpr int kSettleMilliseconds = 200;

    // What the system's notifications show of the quiz.
    enum class Sight { Everything, RenamesOnly, Nothing };

    // locate: where the quiz is now, from the author's argument; checked:
    // the text read and checked at the start (null when it could not be
    // read), so that only a change is told.
    QuizWatch(std::function<QuizLocation()> locate, std::shared_ptr<const QuizText> checked,
              QObject* parent = nullptr);
    ~QuizWatch() override;

    Sight sight() const { return m_sight; }

    // What one reading of the quiz found.
    struct Outcome;

Q_SIGNALS:
    // A save that passed the check, as it was read and checked, with the
    // checker's warnings on it as the terminal shows them.
    void passed(const QuizLocation& quiz, std::shared_ptr<const QuizText> text,
                const QStringList& warnings);
    // A save that failed, as the start-up report words it; a failure is
    // told once until a save passes or fails otherwise.
    void failed(const QString& report);
    // The system's notifications show less than before.
    void sightLost(Sight sight);

private:
    void follow();
    void settled();
    void told(const Outcome& outcome);

    std::function<QuizLocation()> m_locate;
    QFileSystemWatcher m_watcher;
    QTimer m_settle;
    Sight m_sight = Sight::Everything;
    QThread m_thread;
    QObject* m_reader; // lives on m_thread
    std::atomic<int> m_newest{0};
    std::shared_ptr<const QuizText> m_tried; // the last text read, if it could be
    QString m_failure;                       // the last failure told, if any
};

} // namespace kinsight
