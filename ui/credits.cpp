#include "credits.h"

#include "fixed_window.h"
#include "translated.h"

#include <QLabel>
#include <QShortcut>

namespace kinsight {

namespace {

const char* const kTitle = "About box Thingy";
const char* const kAboutPicture = ":/about.jpg";

} // namespace

QString Credits::creditsText() {
    return translated(i18n("Kinsight {1} is by the Kinsight developers and is dedicated to all "
                           "the fans of Qel, far and wide."),
                      {QStringLiteral(KINSIGHT_VERSION)});
}

Credits::Credits(QWidget* parent) : QWidget(parent, kFixedWindowFlags) {
    setObjectName(QStringLiteral("Credits"));
    setWindowTitle(QString::fromLatin1(kTitle));
    setFixedSize(320, 245);

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setGeometry(8, 8, 304, 189);
    picture->setScaledContents(true);
    picture->setPixmap(QPixmap(QString::fromLatin1(kAboutPicture)));
    picture->setAccessibleName(translated(i18n("Kinsight, a personality quiz")));
    picture->setAccessibleDescription(
        translated(i18n("A compass with a blue and a red half under a starry night sky")));

    auto* label = new QLabel(creditsText(), this);
    label->setObjectName(QStringLiteral("Label1"));
    label->setGeometry(8, 208, 297, 33);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setTextFormat(Qt::PlainText);
    // Orca reads a window's description as the window opens; the window has
    // nothing to focus that would carry the sentence.
    setAccessibleDescription(label->text());

    // Escape closes it, as it closes a desktop's other dialog-like windows.
    auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(close, &QShortcut::activated, this, &QWidget::close);
}

} // namespace kinsight
