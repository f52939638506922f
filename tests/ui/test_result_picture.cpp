// Where a character's picture is looked for, and which file is used.
#include "result_picture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using kinsight::findPicture;
using kinsight::isPictureNameAllowed;

class TestResultPicture : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString pictures() const { return m_dir.filePath("Pictures"); }
    void touch(const QString& relative) {
        QFile file(m_dir.filePath(relative));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        QVERIFY(QDir(m_dir.path()).mkdir("Pictures"));
        touch("Pictures/Ann Lee.jpg");
        touch("Pictures/bo.JPG");
        touch("Pictures/Cy.jpeg");
        touch("Pictures/Di.jpg.bak");
        touch("Pictures/Ed.png");
        touch("Outside.jpg");
        QVERIFY(QDir(m_dir.path()).mkdir("Pictures/Fay.jpg")); // a folder, not a picture
    }

    void allowedNames_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("allowed");
        QTest::newRow("plain") << "Bo" << true;
        QTest::newRow("blanks and case") << "Ann Lee" << true;
        QTest::newRow("one dot") << "St. Bo" << true;
        QTest::newRow("empty") << "" << true;
        QTest::newRow("slash") << "../Outside" << false;
        QTest::newRow("slash inside") << "a/b" << false;
        QTest::newRow("backslash") << "..\\Outside" << false;
        QTest::newRow("two dots") << ".." << false;
        QTest::newRow("absolute") << "/etc/passwd" << false;
    }
    void allowedNames() {
        QFETCH(QString, name);
        QFETCH(bool, allowed);
        QCOMPARE(isPictureNameAllowed(name), allowed);
    }

    void lookup_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("found"); // relative to the quiz folder, or empty
        QTest::newRow("exact name with a blank") << "Ann Lee"
                                                 << "Pictures/Ann Lee.jpg";
        QTest::newRow("case differs") << "Bo"
                                      << "Pictures/bo.JPG";
        QTest::newRow("case differs in the name") << "ann lee"
                                                  << "Pictures/Ann Lee.jpg";
        QTest::newRow("blank kept, not dropped") << "AnnLee"
                                                 << "";
        QTest::newRow("other extension") << "Cy"
                                         << "";
        QTest::newRow("only a longer name") << "Di"
                                            << "";
        QTest::newRow("png is not looked for") << "Ed"
                                               << "";
        QTest::newRow("a folder is no picture") << "Fay"
                                                << "";
        QTest::newRow("outside the folder") << "../Outside"
                                            << "";
        QTest::newRow("nobody") << "Gil"
                                << "";
    }
    void lookup() {
        QFETCH(QString, name);
        QFETCH(QString, found);
        const auto result = findPicture(pictures(), name);
        QCOMPARE(result.expected, pictures() + "/" + name + ".jpg");
        QCOMPARE(result.found, found.isEmpty() ? QString() : m_dir.filePath(found));
    }
};

QTEST_GUILESS_MAIN(TestResultPicture)
#include "test_result_picture.moc"
