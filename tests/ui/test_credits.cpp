// The about window.
#include "credits.h"

#include <QLabel>
#include <QtTest>

using kinsight::Credits;

class TestCredits : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(QApplication::topLevelWidgets().isEmpty());
    }

    void windowAndControls() {
        auto* credits = new Credits();
        credits->show();
        QVERIFY(QTest::qWaitForWindowExposed(credits));
        QCOMPARE(credits->windowTitle(), QString("About box Thingy"));
        QCOMPARE(credits->size(), QSize(320, 245));
        QCOMPARE(credits->minimumSize(), credits->maximumSize());
        QVERIFY(!(credits->windowFlags() & Qt::WindowMinMaxButtonsHint));
        QVERIFY(credits->windowFlags() & Qt::WindowCloseButtonHint);

        auto* picture = credits->findChild<QLabel*>("Image1");
        QVERIFY(picture);
        QCOMPARE(picture->geometry(), QRect(8, 8, 304, 189));
        QVERIFY(picture->hasScaledContents());
        const QPixmap about = picture->pixmap();
        QVERIFY(!about.isNull());
        // Our own picture, about 272 x 173, stretched to fill the area.
        QVERIFY(qAbs(about.width() - 272) <= 20 && qAbs(about.height() - 173) <= 20);

        auto* label = credits->findChild<QLabel*>("Label1");
        QVERIFY(label);
        QCOMPARE(label->geometry(), QRect(8, 208, 297, 33));
        QVERIFY(label->wordWrap());
        QCOMPARE(picture->focusPolicy(), Qt::NoFocus);
        QCOMPARE(label->focusPolicy(), Qt::NoFocus);

        credits->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(QApplication::topLevelWidgets().isEmpty());
    }

    void creditsSentence() {
        const QString text = Credits::creditsText();
        QVERIFY(text.contains("the Kinsight developers"));
        QVERIFY(text.contains("fans of Qel"));
        QVERIFY(text.contains(QStringLiteral(KINSIGHT_VERSION)));
        QVERIFY2(text.size() >= 90 && text.size() <= 140, qPrintable(text));
    }

    void creditsFitTheirLabel() {
        Credits credits;
        auto* label = credits.findChild<QLabel*>("Label1");
        QVERIFY(label);
        QVERIFY2(label->heightForWidth(297) <= 33,
                 qPrintable(QString::number(label->heightForWidth(297))));
    }
};

QTEST_MAIN(TestCredits)
#include "test_credits.moc"
