// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

// The real program on ordinary desktops: other keyboard layouts, a real window manager (openbox)
// closing, minimising and restoring its windows, and screens from a netbook's to a scaled one.
#include "x11_session.h"

#include <QColor>
#include <QStandardPaths>
#include <QTest>

namespace {

constexpr QSize kStartInner(795, 573); // the start window's design inner area, in pixels
const QColor kCurtain(0xFF, 0x80, 0xFF);
const QColor kFocused(0xFF, 0xC0, 0x80);

const QString kStart = QStringLiteral("BRENTONI");
const QString kCount = QStringLiteral("Saper zanfilo");
const QString kSet = QStringLiteral("Saper ricostruire l'insieme");

// A point of the start window given in twips of its design; the menu bar stands above the inner
// area, which the layout scales with the window.
QPoint startPoint(const QRect& window, double twipsX, double twipsY)
{
    const double scale = static_cast<double>(window.width()) / kStartInner.width();
    const int innerTop = window.bottom() + 1 - static_cast<int>(kStartInner.height() * scale);
    return {window.x() + static_cast<int>(twipsX / 15 * scale),
            innerTop + static_cast<int>(twipsY / 15 * scale)};
}

// Centres of the choices the test clicks, from the definition (frame corner plus the option's own).
const QPointF kCostruire(135 + 105 + 1597, 4080 + 1575 + 690);
const QPointF kFinoA5(3840 + 105 + 1597, 4110 + 150 + 465);
const QPointF kVai(7575 + 105 + 1597, 4230 + 180 + 457);

// The share of a row across the middle of the start window that is curtain.
double curtainShare(const QImage& screen, const QRect& window)
{
    int curtain = 0;
    constexpr int kSamples = 40;
    for (int i = 0; i < kSamples; ++i) {
        const QPoint p = startPoint(window, 11925.0 * (2 * i + 1) / (2 * kSamples), 4000);
        curtain += screen.pixelColor(p) == kCurtain;
    }
    return static_cast<double>(curtain) / kSamples;
}

bool haveWindowManager()
{
    return !QStandardPaths::findExecutable(QStringLiteral("openbox")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("wmctrl")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("xprop")).isEmpty();
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
    QString program;
};

void DesktopTest::init()
{
    program = qEnvironmentVariable("ZANFILO_EXECUTABLE");
    if (program.isEmpty())
        QSKIP("ZANFILO_EXECUTABLE is not set");
    if (!e2e::X11Session::missingTools().isEmpty())
        QSKIP("needs Xvfb, xdotool and xwininfo");
}

QString DesktopTest::startProgram(e2e::X11Session& session, bool windowManager)
{
    if (!session.ok() || (windowManager && !session.startWindowManager()) || !session.startProgram(program))
        return {};
    return session.waitForWindow(kStart, 15000);
}

void DesktopTest::digitKeysShouldChooseOnEveryLayout_data()
{
    QTest::addColumn<QString>("layout");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("opens");
    QTest::newRow("US 2") << "us"
                          << "2" << kSet;
    QTest::newRow("US Shift+2") << "us"
                                << "shift+2" << kSet;
    QTest::newRow("US keypad 2 is consumed") << "us"
                                             << "KP_2" << kCount;
    QTest::newRow("French e acute key") << "fr"
                                        << "eacute" << kSet;
    QTest::newRow("French Shift+2") << "fr"
                                    << "shift+eacute" << kSet;
}

void DesktopTest::digitKeysShouldChooseOnEveryLayout()
{
    QFETCH(QString, layout);
    QFETCH(QString, key);
    QFETCH(QString, opens);
    if (QStandardPaths::findExecutable(QStringLiteral("setxkbmap")).isEmpty())
        QSKIP("needs setxkbmap (Debian package x11-xkb-utils)");
    e2e::X11Session session;
    QVERIFY2(session.ok(), qPrintable(session.lastError()));
    QVERIFY2(session.setKeyboardLayout(layout), qPrintable(session.lastError()));
    QVERIFY2(!startProgram(session).isEmpty(), qPrintable(session.lastError() + session.programOutput()));
    session.settle(300);
    // The key in the exercise group, then Enter for the exercise, the first level and "Vai".
    for (const QString& k :
         {key, QStringLiteral("Return"), QStringLiteral("Return"), QStringLiteral("Return")}) {
        QVERIFY2(session.key(k), qPrintable(session.lastError()));
        session.settle(200);
    }
    QVERIFY2(!session.waitForWindow(opens, 10000).isEmpty(), qPrintable(session.lastError()));
}

void DesktopTest::closingAnExerciseFromTheWindowManagerShouldGiveTheChoicesBack()
{
    if (!haveWindowManager())
        QSKIP("needs openbox, wmctrl and xprop");
    e2e::X11Session session;
    const QString start = startProgram(session, true);
    QVERIFY2(!start.isEmpty(), qPrintable(session.lastError() + session.programOutput()));
    session.settle(1500); // the curtains open
    for (const char* key : {"Return", "Return", "Return"}) {
        session.key(QLatin1String(key));
        session.settle(200);
    }
    const QString exercise = session.waitForWindow(kCount, 10000);
    QVERIFY(!exercise.isEmpty());
    session.settle(500);
    QVERIFY2(session.closeWithWindowManager(exercise), qPrintable(session.lastError()));
    QTRY_VERIFY_WITH_TIMEOUT(session.windowGeometry(exercise).isEmpty(),
                             5000); // unloaded: the window is gone
    QTRY_VERIFY_WITH_TIMEOUT(session.activeWindow() == start, 5000);
    session.settle(300);
    const QRect window = session.windowGeometry(start);
    const QImage screen = session.screenshot();
    session.savePng(screen, QStringLiteral("desktop-closed-exercise.png"));
    // The focus look: the first exercise option is the darker one.
    const QPoint zanfiloCorner = startPoint(window, 135 + 105 + 200, 4080 + 150 + 200);
    QCOMPARE(screen.pixelColor(zanfiloCorner), kFocused);
    // The mouse can choose again, and opens the other exercise.
    for (const QPointF& at : {kCostruire, kFinoA5, kVai}) {
        QVERIFY(session.mouseClick(startPoint(window, at.x(), at.y())));
        session.settle(200);
    }
    QVERIFY2(!session.waitForWindow(kSet, 10000).isEmpty(), qPrintable(session.lastError()));
}

void DesktopTest::minimiseAndRestoreShouldLayTheStartWindowOutAgain()
{
    if (!haveWindowManager())
        QSKIP("needs openbox, wmctrl and xprop");
    e2e::X11Session session;
    const QString start = startProgram(session, true);
    QVERIFY2(!start.isEmpty(), qPrintable(session.lastError() + session.programOutput()));
    QVERIFY(session.minimise(start)); // while the curtains are still opening
    session.settle(1500);             // longer than the whole opening
    QVERIFY(session.restore(start));
    QTRY_VERIFY_WITH_TIMEOUT(session.activeWindow() == start, 5000);
    const QRect window = session.windowGeometry(start);
    const QImage restored = session.screenshot();
    session.savePng(restored, QStringLiteral("desktop-restored-while-opening.png"));
    // The curtains cover the window again and open from there: a tenth of the opening at most
    // has gone by since the restore.
    QVERIFY2(curtainShare(restored, window) >= 0.4,
             qPrintable(QString::number(curtainShare(restored, window))));
    session.settle(1500);
    QVERIFY(curtainShare(session.screenshot(), window) < 0.1);

    QVERIFY(session.minimise(start));
    session.settle(300);
    QVERIFY(session.restore(start));
    QTRY_VERIFY_WITH_TIMEOUT(session.activeWindow() == start, 5000);
    session.settle(300);
    const QImage reopened = session.screenshot();
    session.savePng(reopened, QStringLiteral("desktop-restored-after-opening.png"));
    QVERIFY(curtainShare(reopened, window) < 0.1);
    QCOMPARE(reopened.pixelColor(startPoint(window, 135 + 105 + 200, 4080 + 150 + 200)), kFocused);
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
    if (windowManager && !haveWindowManager())
        QSKIP("needs openbox, wmctrl and xprop");
    e2e::X11Session session(screen);
    if (scale != 1.0)
        session.setScaleFactor(scale);
    QVERIFY2(!startProgram(session, windowManager).isEmpty(),
             qPrintable(session.lastError() + session.programOutput()));
    const QString name =
        QString::fromLatin1(QTest::currentDataTag()).replace(QLatin1Char(' '), QLatin1Char('-'));
    const auto wholly = [&](const QString& title) {
        const QString id = session.waitForWindow(title, 10000);
        session.settle(1500); // the frame is drawn and the curtains open
        const QRect inner = session.windowGeometry(id);
        const QRect outer = inner.marginsAdded(session.frameExtents(id));
        session.savePng(session.screenshot(), QStringLiteral("desktop-%1-%2.png").arg(name, title.left(5)));
        return outer;
    };
    const QRect startOuter = wholly(kStart);
    const QRect onScreen(QPoint(0, 0), screen);
    QVERIFY2(onScreen.contains(startOuter), qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                           .arg(startOuter.x())
                                                           .arg(startOuter.y())
                                                           .arg(startOuter.width())
                                                           .arg(startOuter.height())));
    // Centred, within rounding.
    QVERIFY(qAbs(startOuter.center().x() - onScreen.center().x()) <= 2);
    for (const char* key : {"Return", "Return", "Return"}) {
        session.key(QLatin1String(key));
        session.settle(200);
    }
    const QRect countOuter = wholly(kCount);
    QVERIFY(onScreen.contains(countOuter));
    QVERIFY(qAbs(countOuter.center().x() - onScreen.center().x()) <= 2);
}

QTEST_MAIN(DesktopTest)
#include "desktop_test.moc"
