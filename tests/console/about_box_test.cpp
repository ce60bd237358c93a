#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "about_box.h"
#include "dialog_test_suites.h"

namespace zc {

class AboutBoxTest : public QObject {
  Q_OBJECT

 private slots:
  void framelessBoxShowsTheVersion() {
    TAboutBox box;
    QVERIFY(box.windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(box.size(), QSize(600, 340));
    QCOMPARE(box.VersionLabel()->text(), QStringLiteral("v1.01"));
  }

  void draggingThePictureMovesTheBox() {
    TAboutBox box;
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    const QPoint start = box.pos();
    QTest::mousePress(&box, Qt::LeftButton, {}, QPoint(50, 200));
    QTest::mouseMove(&box, QPoint(90, 230));
    QTest::mouseRelease(&box, Qt::LeftButton, {}, QPoint(90, 230));
    QTRY_COMPARE(box.pos(), start + QPoint(40, 30));
  }

  void linkChangesStyleUnderTheMouse() {
    TAboutBox box;
    QLabel* link = box.LinkLabel();
    QVERIFY(link->toolTip().startsWith(QStringLiteral("https://")));
    QEvent enter(QEvent::Enter);
    QCoreApplication::sendEvent(link, &enter);
    QVERIFY(box.LinkHovered());
    QVERIFY(link->font().underline());
    QCOMPARE(link->palette().color(QPalette::WindowText), link->palette().color(QPalette::Highlight));
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(link, &leave);
    QVERIFY(!link->font().underline());
    QCOMPARE(link->palette().color(QPalette::WindowText), QColor(0, 0, 117));
  }

  void okClosesTheBox() {
    TAboutBox box;
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QTest::mouseClick(box.OkButton(), Qt::LeftButton);
    QVERIFY(!box.isVisible());
    QCOMPARE(box.result(), int(QDialog::Accepted));
  }
};

int dialog_tests::RunAboutBoxTests(int argc, char** argv) {
  AboutBoxTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace zc

#include "about_box_test.moc"
