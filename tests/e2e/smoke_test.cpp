// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "x11_session.h"

#include <QColor>
#include <QStringList>
#include <QTest>

namespace {

constexpr int innerWidth = 795;
constexpr int innerHeight = 573;
constexpr auto windowTitle = "BRENTONI";
const QColor background(0xFF, 0xC0, 0xFF);
const QColor curtain(0xFF, 0x80, 0xFF);

QString colourName(const QColor& colour)
{
    return colour.name(QColor::HexRgb).toUpper();
}

QString describe(const QRect& r)
{
    return QStringLiteral("%1x%2 at (%3, %4)").arg(r.width()).arg(r.height()).arg(r.x()).arg(r.y());
}

// The program's own area is the bottom part of its X window; a menu bar may sit above it.
QPoint innerToScreen(const QRect& window, int x, int y)
{
    return {window.x() + x, window.y() + window.height() - innerHeight + y};
}

} // namespace

class SmokeTest : public QObject
{
    Q_OBJECT

private slots:
    // The one check that the whole chain works: the real program starts on a real X server, shows
    // its first screen, reacts to a real click and ends cleanly.
    void startWindowShouldAppearAndEsciShouldEndTheProgram();
};

void SmokeTest::startWindowShouldAppearAndEsciShouldEndTheProgram()
{
    const QString program = qEnvironmentVariable("ZANFILO_EXECUTABLE");
    if (program.isEmpty()) {
        QSKIP("ZANFILO_EXECUTABLE is not set; point it at the zanfilo executable to run this test");
    }
    const QStringList missing = e2e::X11Session::missingTools();
    if (!missing.isEmpty()) {
        QSKIP(qPrintable(QStringLiteral("needs %1 (Debian packages xvfb, xdotool, x11-apps)")
                             .arg(missing.join(QStringLiteral(", ")))));
    }

    e2e::X11Session session;
    QVERIFY2(session.ok(), qPrintable(session.lastError()));
    QVERIFY2(session.startProgram(program), qPrintable(session.lastError()));

    const QString window = session.waitForWindow(QString::fromLatin1(windowTitle), 15000);
    QVERIFY2(!window.isEmpty(), qPrintable(session.lastError() + QStringLiteral("\nprogram output:\n") +
                                           session.programOutput()));
    const QRect geometry = session.windowGeometry(window);
    QVERIFY2(geometry.width() == innerWidth && geometry.height() >= innerHeight,
             qPrintable(QStringLiteral("window %1 is %2, expected %3 wide and at least %4 high")
                            .arg(window, describe(geometry))
                            .arg(innerWidth)
                            .arg(innerHeight)));
    QVERIFY2(QRect(0, 0, 1280, 1024).contains(geometry),
             qPrintable(QStringLiteral("window %1 is not wholly on the screen").arg(describe(geometry))));

    // Let the opening animation finish.
    session.settle(2000);
    const QImage screen = session.screenshot();
    QVERIFY2(!screen.isNull(), qPrintable(session.lastError()));
    session.savePng(screen, QStringLiteral("smoke-start.png"));

    const QPoint backgroundPoint = innerToScreen(geometry, 3, innerHeight - 60);
    const QColor seen = screen.pixelColor(backgroundPoint);
    QVERIFY2(seen == background,
             qPrintable(QStringLiteral("background at %1,%2 is %3, expected %4 (window %5)")
                            .arg(backgroundPoint.x())
                            .arg(backgroundPoint.y())
                            .arg(colourName(seen), colourName(background), describe(geometry))));

    // Curtains still closed would cover the whole row in their colour.
    QStringList row;
    bool curtainsOpen = false;
    for (int i = 0; i < 10; ++i) {
        const QPoint p = innerToScreen(geometry, innerWidth * (2 * i + 1) / 20, innerHeight - 300);
        const QColor c = screen.pixelColor(p);
        row << colourName(c);
        curtainsOpen = curtainsOpen || c != curtain;
    }
    QVERIFY2(curtainsOpen, qPrintable(QStringLiteral("the row at inner y %1 is all curtain colour: %2")
                                          .arg(innerHeight - 300)
                                          .arg(row.join(QLatin1Char(' ')))));

    const QPoint esci = innerToScreen(geometry, 619, 448);
    QVERIFY2(session.mouseClick(esci), qPrintable(session.lastError()));

    int exitCode = -1;
    QProcess::ExitStatus exitStatus = QProcess::CrashExit;
    QVERIFY2(session.waitForExit(10000, &exitCode, &exitStatus),
             qPrintable(QStringLiteral("still running 10 s after a click on Esci at %1,%2: %3")
                            .arg(esci.x())
                            .arg(esci.y())
                            .arg(session.lastError())));
    QVERIFY2(exitStatus == QProcess::NormalExit,
             qPrintable(QStringLiteral("the program crashed after Esci\n") + session.programOutput()));
    QCOMPARE(exitCode, 0);
}

QTEST_MAIN(SmokeTest)
#include "smoke_test.moc"
