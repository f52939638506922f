#include "credits.h"

#include <QLabel>

namespace kinsight {

namespace {

const char* const kTitle = "About box Thingy";
const char* const kAboutPicture = ":/about.jpg";

} // namespace

QString Credits::creditsText() {
    return QStringLiteral("Kinsight %1 is by the Kinsight developers and is dedicated to all the "
                          "fans of Qel, far and wide.")
        .arg(QStringLiteral(KINSIGHT_VERSION));
}

Credits::Credits(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("Credits"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QString::fromLatin1(kTitle));
    setFixedSize(320, 245);

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setGeometry(8, 8, 304, 189);
    picture->setScaledContents(true);
    picture->setPixmap(QPixmap(QString::fromLatin1(kAboutPicture)));
    picture->setAccessibleName(QStringLiteral("Kinsight, a personality quiz"));
    picture->setAccessibleDescription(
        QStringLiteral("A compass with a blue and a red half under a starry night sky"));

    auto* label = new QLabel(creditsText(), this);
    label->setObjectName(QStringLiteral("Label1"));
    label->setGeometry(8, 208, 297, 33);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setTextFormat(Qt::PlainText);
}

} // namespace kinsight
