// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "child_process.h"
#include "program.h"
#include "x11_session.h"

#include <QTest>

namespace {

constexpr int innerWidth = e2e::startInner.width();
constexpr int innerHeight = e2e::startInner.height();

QString colourName(const QColor& colour)
{
    return colour.name(QColor::HexRgb).toUpper();
}

QString describe(const QRect& r)
{
    return QStringLiteral("%1x%2 at (%3, %4)").arg(r.width()).arg(r.height()).arg(r.x()).arg(r.y());
}

QPoint innerToScreen(const QRect& window, int x, int y)
{
    return e2e::startPoint(window, QPointF(x, y) * e2e::twipsPerPixel);
}

} // namespace

class SmokeTest : public QObject
{
    Q_OBJECT

private slots:
    // The one check that the whole chain works: the real program starts on a real X server, shows
    // its first screen, opens an exercise with real keys, judges an answer at real clicks, and
    // ends cleanly at a real click; the Windows build too, under Wine.
    void startWindowShouldAppearAndEsciShouldEndTheProgram_data();
    void startWindowShouldAppearAndEsciShouldEndTheProgram();
};

void SmokeTest::startWindowShouldAppearAndEsciShouldEndTheProgram_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("arguments");
    QTest::addRow("Linux") << e2e::program() << QStringList();
    // scripts/windows.sh names the .exe, and gives Wine a prefix of the build's own. With the
    // voice: Wine's SAPI has no Italian voice and does not speak, which must cost one line, no more.
    QTest::addRow("Windows, under Wine, with the voice")
        << QStringLiteral("wine")
        << QStringList{qEnvironmentVariable("ZANFILO_WINDOWS_EXECUTABLE"), QStringLiteral("--voce")};
}

void SmokeTest::startWindowShouldAppearAndEsciShouldEndTheProgram()
{
    QFETCH(QString, program);
    QFETCH(QStringList, arguments);
    E2E_SKIP_UNLESS_READY(e2e::X11Session::missingTools() + e2e::X11Session::missingWindowManagerTools());
    if (arguments.value(0).isEmpty() && !arguments.isEmpty())
        QSKIP("ZANFILO_WINDOWS_EXECUTABLE is not set; scripts/windows.sh runs this row");
    e2e::X11Session session;
    QVERIFY2(session.ok() && session.startWindowManager(), qPrintable(session.lastError()));
    QVERIFY2(session.startProgram(program, arguments), qPrintable(session.lastError()));

    // Wine starts its own services first.
    const QString window = session.waitForWindow(e2e::startTitle, 40000);
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
    e2e::settle(2000);
    const QImage screen = session.screenshot();
    QVERIFY2(!screen.isNull(), qPrintable(session.lastError()));
    session.savePng(screen, QStringLiteral("smoke-start.png"));

    const QPoint backgroundPoint = innerToScreen(geometry, 3, innerHeight - 60);
    const QColor seen = screen.pixelColor(backgroundPoint);
    QVERIFY2(seen == e2e::background,
             qPrintable(QStringLiteral("background at %1 is %2, expected %3 (window %4)")
                            .arg(QDebug::toString(backgroundPoint), colourName(seen),
                                 colourName(e2e::background), describe(geometry))));

    // Curtains still closed would cover the whole row in their colour.
    QVERIFY2(
        e2e::curtainShare(screen, geometry, (innerHeight - 300) * e2e::twipsPerPixel, 10) < 1,
        qPrintable(QStringLiteral("the row at inner y %1 is all curtain colour").arg(innerHeight - 300)));

    // Keys open the count window, where CONTA and then VERIFICA, clicked, give a verdict in dark blue.
    QVERIFY2(session.keys(e2e::openCount, 150), qPrintable(session.lastError()));
    const QString count = session.waitForWindow(e2e::countTitle, 10000);
    QVERIFY2(!count.isEmpty(), qPrintable(session.lastError()));
    e2e::settle(700);
    const QRect counting = session.windowGeometry(count);
    for (const QPoint button : {e2e::contaCentre, e2e::verificaCentre}) {
        QVERIFY2(session.mouseClick(counting.topLeft() + button), qPrintable(session.lastError()));
        e2e::settle(300);
    }
    e2e::settle(400);
    const QImage verdict = session.screenshot(counting).copy(e2e::verdictArea);
    int ink = 0;
    for (int y = 0; y < verdict.height(); ++y)
        for (int x = 0; x < verdict.width(); ++x)
            ink += verdict.pixelColor(x, y) == e2e::verdictInk;
    session.savePng(verdict, QStringLiteral("smoke-verdict.png"));
    QVERIFY2(ink > 1000, qPrintable(QStringLiteral("%1 pixels of the verdict's ink").arg(ink)));
    QVERIFY2(session.closeWithWindowManager(count), qPrintable(session.lastError()));

    // Then as a class goes on: two tasks of "Costruire l'insieme" at level 3, one right and one
    // wrong, and the count window opened at level 2 beside it, before Esci.
    // The start window comes to the front as a taskbar brings it, which Wine takes as an activation.
    const auto toStart = [&] {
        e2e::settle(700);
        const bool front = session.restore(window);
        e2e::settle(700);
        return front;
    };
    const auto openFromStart = [&](const QStringList& keys, const QString& title) {
        return toStart() && session.keys(keys, 150) && !session.waitForWindow(title, 10000).isEmpty();
    };
    QVERIFY2(openFromStart(QStringList{"Escape", "2", "Return", "3", "Return", "Return"}, e2e::setTitle),
             qPrintable(session.lastError()));
    e2e::settle(700);
    const QRect building = session.windowGeometry(session.activeWindow());
    for (const bool right : {true, false}) {
        const int discs = e2e::setDiscs(session.screenshot(building));
        QVERIFY2(discs >= 10, qPrintable(QStringLiteral("%1 discs at level 3").arg(discs)));
        for (int i = 0; i < discs - (right ? 0 : 1); ++i)
            QVERIFY2(session.mouseClick(building.topLeft() + e2e::setContaCentre),
                     qPrintable(session.lastError()));
        for (const QPoint button : {e2e::setVerificaCentre, e2e::setAvantiCentre}) {
            e2e::settle(300);
            QVERIFY2(session.mouseClick(building.topLeft() + button), qPrintable(session.lastError()));
        }
        e2e::settle(300);
    }
    QVERIFY2(openFromStart(QStringList{"Escape", "1", "Return", "2", "Return", "Return"}, e2e::countTitle),
             qPrintable(session.lastError()));
    QVERIFY2(toStart(), qPrintable(session.lastError()));
    session.savePng(session.screenshot(), QStringLiteral("smoke-before-esci.png"));

    const QPoint esci = innerToScreen(geometry, 619, 448);
    QVERIFY2(session.mouseClick(esci), qPrintable(session.lastError()));

    int exitCode = -1;
    QProcess::ExitStatus exitStatus = QProcess::CrashExit;
    QVERIFY2(session.waitForExit(10000, &exitCode, &exitStatus),
             qPrintable(QStringLiteral("still running 10 s after a click on Esci at %1: %2")
                            .arg(QDebug::toString(esci), session.lastError())));
    QVERIFY2(exitStatus == QProcess::NormalExit,
             qPrintable(QStringLiteral("the program crashed after Esci\n") + session.programOutput()));
    QCOMPARE(exitCode, 0);
    QCOMPARE(session.programOutput().count(QStringLiteral("zanfilo:")),
             arguments.count(QStringLiteral("--voce")));
}

QTEST_MAIN(SmokeTest)
#include "smoke_test.moc"
