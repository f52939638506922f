// What the two tie-break windows share: a fixed window that counts every show
// and every return of the user as an activation; the line, the Stop button
// and the tied names' labels; a background painted once and kept; and the
// report of the position chosen, which the engine announces.
#pragma once

#include <QLineF>
#include <QPixmap>
#include <QWidget>

#include <initializer_list>
#include <string>
#include <vector>

class QLabel;
class QPushButton;
class QWindow;

namespace kinsight {

class LineShape;

class TieBreakWindow : public QWidget {
    Q_OBJECT
public:
    // Shows the window modeless with the tied names, top of the tie list
    // first, and makes it active, also when the window system had minimised
    // it before the program hid it.
    void open(const std::vector<std::string>& names);

Q_SIGNALS:
    // The motion stopped at this tie-list position. The window stays up and
    // still until the receiver hides it.
    void chosen(int position);

protected:
    // line is Line1 as laid out, in the window's own units.
    TieBreakWindow(const char* objectName, const char* caption, QSize size, const QLineF& line);

    // Runs on every show and whenever the user comes back to the window from
    // another window of the program.
    virtual void activated() = 0;
    // Switches the window's timers off; runs on the program's own hides only.
    virtual void stopTimers() = 0;
    // Runs for the first press of Stop after each show or return.
    virtual void stopClicked() = 0;
    // The window's picture, painted once into the kept background.
    virtual void drawBackground(QPainter& painter) const = 0;
    // Line1 in pixels; its units are the window's own.
    virtual QLineF toPixels(const QLineF& units) const { return units; }

    // Reports the position chosen; the timers are off by then.
    void choose(int position);
    // Labels from the top of the tie list, in order.
    void writeNames(std::initializer_list<QLabel*> labels) const;
    const QLineF& line() const;
    // Moves Line1, repainting only what it left and what it enters.
    void moveLine(const QLineF& units);
    // Lets Stop be pressed again, as when the needle starts over.
    void armStop() { m_stopPressed = false; }

    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void focusWindowChanged(QWindow* now);
    void arrived();
    void stopPressed();

    std::vector<std::string> m_names;
    LineShape* m_line = nullptr;
    QPushButton* m_stop = nullptr;
    QPixmap m_background;
    // Whether a window of the program had the focus, as last reported. A
    // window closed while focused leaves it set: the user is still here.
    bool m_programFocused = false;
    // Set from a show until the next focus change, which belongs to the show.
    bool m_showPending = false;
    // Set while the choice is announced: the focus coming back from the
    // greeting is no return of the user.
    bool m_announcing = false;
    // Set by the first press of Stop: a press by key, mouse or screen
    // reader, also one that lands while the greeting is up, starts nothing
    // more.
    bool m_stopPressed = false;
};

} // namespace kinsight
