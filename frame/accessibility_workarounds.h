// What makes a screen reader read the windows as they are, where Qt's own
// accessibility is not enough. Each workaround names the versions that need
// it: Qt 6.4 (Debian 12) and Orca 43; a later pair may make it unnecessary.
// They are installed once, before the first window is made.
#pragma once

class QLineEdit;
class QString;

namespace kinsight {

// The program's accessibility factory and its one filter of accessibility
// events; later calls do nothing.
void installAccessibilityWorkarounds();

// The field offers its text to screen readers as one whole line.
void readAsWholeLine(QLineEdit& field);
// Writes a field made by readAsWholeLine, which has or is about to have the
// focus, so that a reader speaks it once, as the focus reads it.
void setTextUnannounced(QLineEdit& field, const QString& text);

} // namespace kinsight
