// What makes a screen reader read the windows as they are, where Qt's own
// accessibility is not enough. Each workaround names the versions that need
// it: Qt 6.4 (Debian 12) and Orca 43; a later pair may make it unnecessary.
// They are installed once, before the first window is made.
#pragma once

class QAbstractButton;
class QLineEdit;
class QWidget;
class QString;

namespace kinsight {

// The program's accessibility factory and its one filter of accessibility
// events; later calls do nothing.
void installAccessibilityWorkarounds();

// The field offers its text to screen readers as one whole line.
void readAsWholeLine(QLineEdit& field);
// A widget whose changes of text reach screen readers only while it has the
// focus, as a score box's: Tab to it and its text is read.
void announceOnlyWithFocus(QWidget& widget);
// A control whose changes of name and description reach screen readers only
// while it has the focus, or all at once as it gets it: an answer's.
void toldWhenFocused(QWidget& widget);
// Sets a button's caption without the name change Qt 6.4 tells for it, for
// a caller that sets the button's accessible name next: one change, not two.
void setCaptionUnannounced(QAbstractButton& button, const QString& text);
// Writes a field made by readAsWholeLine, which has or is about to have the
// focus, so that a reader speaks it once, as the focus reads it.
void setTextUnannounced(QLineEdit& field, const QString& text);

} // namespace kinsight
