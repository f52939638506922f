// An author's live preview (kinsight --watch): the quiz file is watched
// through the system's file notifications, and each save is read and checked
// as the program's start reads and checks a quiz. A save that passes is
// played from its first question; one that fails is reported in a box that
// leaves the keyboard in the author's editor, and the last good quiz plays
// on. Nothing is ever written.
#pragma once

#include "quiz_file.h"

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

#include <filesystem>
#include <iosfwd>
#include <memory>

namespace kinsight {

class QuizPlay;
struct QuizLocation;

class QuizWatch : public QObject {
    Q_OBJECT
public:
    // An editor's save may be several writes (truncate, write, rename): the
    // file is read once it has been left alone this long, so that one save
    // gives one new pass.
    static constexpr int kSettleMilliseconds = 200;

    // playing: the text of the quiz played now, so that only a change plays.
    QuizWatch(std::filesystem::path quizFile, std::shared_ptr<const QuizText> playing,
              QObject* parent = nullptr);

    // Whether the system tells of changes to the quiz's folder.
    bool watching() const { return !m_watcher.directories().isEmpty(); }

Q_SIGNALS:
    // A save that passed the check, as it was read and checked.
    void checked(std::shared_ptr<const QuizText> text);
    // A save that failed, as the start-up report words it; a failure is
    // told once until a save passes or fails otherwise.
    void failed(const QString& report);

private:
    void watchFile();
    void settled();

    std::filesystem::path m_file;
    QString m_watchedFile;
    QFileSystemWatcher m_watcher;
    QTimer m_settle;
    std::shared_ptr<const QuizText> m_tried; // the last text read, if it could be
    QString m_failure;                       // the last failure told, if any
};

// Plays every save of quiz in play, which plays playing now, and has the
// restart button play the last good one: tells log that it watches, and
// writes there the checker's warnings on each text that plays and each
// failure. The watch belongs to play's window.
QuizWatch* watchQuiz(QuizPlay& play, const QuizLocation& quiz,
                     std::shared_ptr<const QuizText> playing, std::ostream& log);

} // namespace kinsight
