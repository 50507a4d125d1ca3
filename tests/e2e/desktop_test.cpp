// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

// The real program on ordinary desktops: other keyboard layouts, a real window manager (openbox)
// closing, minimising and restoring its windows, and screens from a netbook's to a scaled one.
#include "child_process.h"
#include "program.h"
#include "x11_session.h"

#include <QTest>

namespace {

using e2e::startPoint;

// Centres of the choices the test clicks, from the definition (frame corner plus the option's own).
const QPointF kCostruire(135 + 105 + 1597, 4080 + 1575 + 690);
const QPointF kFinoA5(3840 + 105 + 1597, 4110 + 150 + 465);
const QPointF kVai(7575 + 105 + 1597, 4230 + 180 + 457);

// The share of a row across the middle of the start window that is curtain.
double curtainShare(const QImage& screen, const QRect& window)
{
    return e2e::curtainShare(screen, window, 4000, 40);
}

} // namespace

class DesktopTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    // The digit row chooses by the physical key: Shift+2 on a US keyboard, the unshifted "é" key
    // and the shifted "2" on a French one all mean 2; the keypad's 2 does not.
    void digitKeysShouldChooseOnEveryLayout_data();
    void digitKeysShouldChooseOnEveryLayout();
    // Closing an exercise from the window manager gives the start window back, active, with its
    // choices open to the mouse.
    void closingAnExerciseFromTheWindowManagerShouldGiveTheChoicesBack();
    // Minimising is a resize to nothing and restoring one back: during the opening the curtains
    // start again from their share, after it they stay open.
    void minimiseAndRestoreShouldLayTheStartWindowOutAgain();
    // Netbooks and scaled screens: every window opens wholly on the screen, frame included.
    void windowsShouldOpenWhollyOnTheScreen_data();
    void windowsShouldOpenWhollyOnTheScreen();

private:
    // Starts the program, under openbox if asked; its start window, or empty (see lastError()).
    QString startProgram(e2e::X11Session& session, bool windowManager = false);
};

void DesktopTest::init()
{
    E2E_SKIP_UNLESS_READY(e2e::X11Session::missingTools());
}

QString DesktopTest::startProgram(e2e::X11Session& session, bool windowManager)
{
    if (!session.ok() || (windowManager && !session.startWindowManager()) ||
        !session.startProgram(e2e::program()))
        return {};
    return session.waitForWindow(e2e::startTitle, 15000);
}

void DesktopTest::digitKeysShouldChooseOnEveryLayout_data()
{
    QTest::addColumn<QString>("layout");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("opens");
    const auto row = [](const char* name, const char* layout, const char* key, const QString& opens) {
        QTest::newRow(name) << layout << key << opens;
    };
    row("US 2", "us", "2", e2e::setTitle);
    row("US Shift+2", "us", "shift+2", e2e::setTitle);
    row("US keypad 2 is consumed", "us", "KP_2", e2e::countTitle);
    row("French e acute key", "fr", "eacute", e2e::setTitle);
    row("French Shift+2", "fr", "shift+eacute", e2e::setTitle);
}

void DesktopTest::digitKeysShouldChooseOnEveryLayout()
{
    QFETCH(QString, layout);
    QFETCH(QString, key);
    QFETCH(QString, opens);
    E2E_SKIP_UNLESS_READY(e2e::missingPrograms({"setxkbmap"}));
    e2e::X11Session session;
    QVERIFY2(session.ok(), qPrintable(session.lastError()));
    QVERIFY2(session.setKeyboardLayout(layout), qPrintable(session.lastError()));
    QVERIFY2(!startProgram(session).isEmpty(), qPrintable(session.lastError() + session.programOutput()));
    e2e::settle(300);
    // The key in the exercise group, then Enter for the exercise, the first level and "Vai".
    QVERIFY2(session.keys(QStringList{key} + e2e::openCount), qPrintable(session.lastError()));
    QVERIFY2(!session.waitForWindow(opens, 10000).isEmpty(), qPrintable(session.lastError()));
}

void DesktopTest::closingAnExerciseFromTheWindowManagerShouldGiveTheChoicesBack()
{
    E2E_SKIP_UNLESS_READY(e2e::X11Session::missingWindowManagerTools());
    e2e::X11Session session;
    const QString start = startProgram(session, true);
    QVERIFY2(!start.isEmpty(), qPrintable(session.lastError() + session.programOutput()));
    e2e::settle(1500); // the curtains open
    QVERIFY2(session.keys(e2e::openCount), qPrintable(session.lastError()));
    const QString exercise = session.waitForWindow(e2e::countTitle, 10000);
    QVERIFY(!exercise.isEmpty());
    e2e::settle(500);
    QVERIFY2(session.closeWithWindowManager(exercise), qPrintable(session.lastError()));
    // Unloaded: the window is gone.
    QTRY_VERIFY_WITH_TIMEOUT(session.windowGeometry(exercise).isEmpty(), 5000);
    QTRY_VERIFY_WITH_TIMEOUT(session.activeWindow() == start, 5000);
    e2e::settle(300);
    const QRect window = session.windowGeometry(start);
    const QImage screen = session.screenshot();
    session.savePng(screen, QStringLiteral("desktop-closed-exercise.png"));
    // The focus look: the first exercise option is the darker one.
    QCOMPARE(screen.pixelColor(startPoint(window, e2e::zanfiloFace)), e2e::focused);
    // The mouse can choose again, and opens the other exercise.
    for (const QPointF& at : {kCostruire, kFinoA5, kVai}) {
        QVERIFY(session.mouseClick(startPoint(window, at)));
        e2e::settle(200);
    }
    QVERIFY2(!session.waitForWindow(e2e::setTitle, 10000).isEmpty(), qPrintable(session.lastError()));
}

void DesktopTest::minimiseAndRestoreShouldLayTheStartWindowOutAgain()
{
    E2E_SKIP_UNLESS_READY(e2e::X11Session::missingWindowManagerTools());
    e2e::X11Session session;
    const QString start = startProgram(session, true);
    QVERIFY2(!start.isEmpty(), qPrintable(session.lastError() + session.programOutput()));
    QVERIFY(session.minimise(start)); // while the curtains are still opening
    e2e::settle(1500);                // longer than the whole opening
    QVERIFY(session.restore(start));
    QTRY_VERIFY_WITH_TIMEOUT(session.activeWindow() == start, 5000);
    const QRect window = session.windowGeometry(start);
    const QImage restored = session.screenshot();
    session.savePng(restored, QStringLiteral("desktop-restored-while-opening.png"));
    // The curtains cover the window again and open from there: a tenth of the opening at most
    // has gone by since the restore.
    QVERIFY2(curtainShare(restored, window) >= 0.4,
             qPrintable(QString::number(curtainShare(restored, window))));
    e2e::settle(1500);
    QVERIFY(curtainShare(session.screenshot(), window) < 0.1);

    QVERIFY(session.minimise(start));
    e2e::settle(300);
    QVERIFY(session.restore(start));
    QTRY_VERIFY_WITH_TIMEOUT(session.activeWindow() == start, 5000);
    e2e::settle(300);
    const QImage reopened = session.screenshot();
    session.savePng(reopened, QStringLiteral("desktop-restored-after-opening.png"));
    QVERIFY(curtainShare(reopened, window) < 0.1);
    QCOMPARE(reopened.pixelColor(startPoint(window, e2e::zanfiloFace)), e2e::focused);
}

void DesktopTest::windowsShouldOpenWhollyOnTheScreen_data()
{
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<double>("scale");
    QTest::addColumn<bool>("windowManager");
    for (const bool wm : {false, true}) {
        const char* with = wm ? "with a window manager" : "bare";
        QTest::addRow("800x600 %s", with) << QSize(800, 600) << 1.0 << wm;
        QTest::addRow("1024x600 %s", with) << QSize(1024, 600) << 1.0 << wm;
        QTest::addRow("1920x1080 at scale 2 %s", with) << QSize(1920, 1080) << 2.0 << wm;
    }
}

void DesktopTest::windowsShouldOpenWhollyOnTheScreen()
{
    QFETCH(QSize, screen);
    QFETCH(double, scale);
    QFETCH(bool, windowManager);
    if (windowManager)
        E2E_SKIP_UNLESS_READY(e2e::X11Session::missingWindowManagerTools());
    e2e::X11Session session(screen);
    if (scale != 1.0)
        session.setScaleFactor(scale);
    QVERIFY2(!startProgram(session, windowManager).isEmpty(),
             qPrintable(session.lastError() + session.programOutput()));
    const QString name =
        QString::fromLatin1(QTest::currentDataTag()).replace(QLatin1Char(' '), QLatin1Char('-'));
    const auto wholly = [&](const QString& title) {
        const QString id = session.waitForWindow(title, 10000);
        e2e::settle(1500); // the frame is drawn and the curtains open
        const QRect inner = session.windowGeometry(id);
        const QRect outer = inner.marginsAdded(session.frameExtents(id));
        session.savePng(session.screenshot(), QStringLiteral("desktop-%1-%2.png").arg(name, title.left(5)));
        return outer;
    };
    const QRect startOuter = wholly(e2e::startTitle);
    const QRect onScreen(QPoint(0, 0), screen);
    QVERIFY2(onScreen.contains(startOuter), qPrintable(QDebug::toString(startOuter)));
    // Centred, within rounding.
    QVERIFY(qAbs(startOuter.center().x() - onScreen.center().x()) <= 2);
    QVERIFY2(session.keys(e2e::openCount), qPrintable(session.lastError()));
    const QRect countOuter = wholly(e2e::countTitle);
    QVERIFY(onScreen.contains(countOuter));
    QVERIFY(qAbs(countOuter.center().x() - onScreen.center().x()) <= 2);
}

QTEST_MAIN(DesktopTest)
#include "desktop_test.moc"
