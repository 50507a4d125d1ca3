// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

// The real program as a native Wayland client, on a headless sway with no X server to fall back
// on: its windows, the opening, the keyboard path to an exercise and back after the compositor
// closed it, a press on the start window while an exercise is open, and "Esci". A headless sway
// has no pointer device (its own "seat cursor" commands reach no window): the test brings a
// virtual one.
#include "child_process.h"
#include "wayland_session.h"
#include "x11_session.h"

#include <QScopeGuard>
#include <QTest>

namespace {

constexpr int kStartInnerHeight = 573; // below it the menu bar, inside the window
const QString kBackground = QStringLiteral("#FFC0FF");
const QString kCurtain = QStringLiteral("#FF80FF");
const QString kFocused = QStringLiteral("#FFC080"); // the focused choice's face

const QString kStart = QStringLiteral("BRENTONI");
const QString kCount = QStringLiteral("Saper zanfilo");

// A point of the start window's inner area, in pixels of its design.
QPoint startPoint(const QRect& window, int x, int y)
{
    return {window.x() + x, window.bottom() + 1 - kStartInnerHeight + y};
}

// Near the top left corner of "Zanfilo" and of the first level, off their captions and pictures.
const QPoint kZanfiloFace((135 + 105 + 200) / 15, (4080 + 150 + 200) / 15);
const QPoint kFirstLevelFace((3840 + 105 + 200) / 15, (4110 + 150 + 200) / 15);

QString colourAt(const QImage& screen, QPoint at)
{
    return screen.pixelColor(at).name().toUpper();
}

} // namespace

class WaylandTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void theProgramShouldWorkAsANativeWaylandClient();
};

void WaylandTest::theProgramShouldWorkAsANativeWaylandClient()
{
    const QString program = qEnvironmentVariable("ZANFILO_EXECUTABLE");
    if (program.isEmpty())
        QSKIP("ZANFILO_EXECUTABLE is not set");
    const QStringList missing = e2e::WaylandSession::missingTools();
    if (!missing.isEmpty())
        QSKIP(
            qPrintable(QStringLiteral("needs %1 (Debian packages sway, grim, wtype, util-linux, qt6-wayland)")
                           .arg(missing.join(QStringLiteral(", ")))));

    e2e::WaylandSession session;
    QVERIFY2(session.ok(), qPrintable(session.lastError()));
    QProcess zanfilo; // ends before the compositor
    const auto end = qScopeGuard([&zanfilo] { e2e::endProcess(zanfilo, 3000); });
    zanfilo.setProcessChannelMode(QProcess::MergedChannels);
    QByteArray output;
    const auto why = [&](const QString& what) {
        output += zanfilo.readAll();
        return what + QStringLiteral("\n") + session.lastError() + QStringLiteral("\nprogram output:\n") +
               QString::fromLocal8Bit(output);
    };
    QVERIFY2(session.start(zanfilo, program), qPrintable(why(QStringLiteral("no start"))));

    // Its own xdg-shell windows, at their size: no XWayland, which the session does not even run.
    const auto start = session.waitForWindow(kStart, 15000);
    QVERIFY2(start, qPrintable(why(QStringLiteral("no start window"))));
    QCOMPARE(start->shell, QStringLiteral("xdg_shell"));
    QCOMPARE(start->pid, zanfilo.processId());
    QVERIFY2(start->rect.width() == 795 && start->rect.height() >= kStartInnerHeight,
             qPrintable(QStringLiteral("%1x%2").arg(start->rect.width()).arg(start->rect.height())));

    // The curtains have opened over the title; closed, they would cover the whole row.
    QTest::qWait(1500);
    const QImage opened = session.screenshot();
    QVERIFY2(!opened.isNull(), qPrintable(session.lastError()));
    e2e::X11Session::savePng(opened, QStringLiteral("wayland-start.png"));
    QCOMPARE(colourAt(opened, startPoint(start->rect, 3, kStartInnerHeight - 60)), kBackground);
    int curtain = 0;
    for (int i = 0; i < 10; ++i)
        curtain += colourAt(opened, startPoint(start->rect, 795 * (2 * i + 1) / 20, 273)) == kCurtain;
    QVERIFY2(curtain < 10, "the row across the title is all curtain");
    QCOMPARE(colourAt(opened, startPoint(start->rect, kZanfiloFace.x(), kZanfiloFace.y())), kFocused);

    // Enter on "Zanfilo", on the first level and on "Vai".
    QVERIFY2(session.type({QStringLiteral("Return"), QStringLiteral("Return"), QStringLiteral("Return")}),
             qPrintable(session.lastError()));
    const auto exercise = session.waitForWindow(kCount, 10000);
    QVERIFY2(exercise, qPrintable(why(QStringLiteral("no exercise window"))));
    QCOMPARE(exercise->shell, QStringLiteral("xdg_shell"));
    QTest::qWait(500);
    const QImage shown = session.screenshot();
    e2e::X11Session::savePng(shown, QStringLiteral("wayland-exercise.png"));
    QCOMPARE(colourAt(shown, exercise->rect.bottomLeft() + QPoint(3, -3)), kBackground);

    // Closed by the compositor, as its close button or shortcut would: the start window is back,
    // active, with the focus on "Zanfilo".
    QVERIFY2(session.run(QStringLiteral("swaymsg"), {QStringLiteral("[title=\"%1\"] kill").arg(kCount)}),
             qPrintable(session.lastError()));
    const auto backToStart = [&] {
        const QList<e2e::WaylandSession::Window> windows = session.windows();
        return windows.size() == 1 && windows.first().title == kStart && windows.first().focused;
    };
    QTRY_VERIFY_WITH_TIMEOUT(backToStart(), 5000);
    QTest::qWait(300);
    const QImage back = session.screenshot();
    e2e::X11Session::savePng(back, QStringLiteral("wayland-back.png"));
    QCOMPARE(colourAt(back, startPoint(start->rect, kZanfiloFace.x(), kZanfiloFace.y())), kFocused);

    // The choices answer the keyboard again. The first key only frees the exercise group's guard,
    // still up from the Enter that chose before; "1" keeps the focus on "Zanfilo" either way. Enter
    // then takes it to the first level.
    QVERIFY2(session.type({QStringLiteral("1"), QStringLiteral("Return")}), qPrintable(session.lastError()));
    QTest::qWait(300);
    const QImage chosen = session.screenshot();
    e2e::X11Session::savePng(chosen, QStringLiteral("wayland-level.png"));
    QCOMPARE(colourAt(chosen, startPoint(start->rect, kFirstLevelFace.x(), kFirstLevelFace.y())), kFocused);

    // The exercise again (Enter on the level and on "Vai"), moved aside, as both open centred: a
    // press on "Zanfilo" of the inactive start window chooses at once, and the focus goes on to
    // the first level.
    const QString pointer = qEnvironmentVariable("ZANFILO_WAYLAND_POINTER");
    if (pointer.isEmpty()) {
        qInfo("no virtual mouse (libwayland-dev): the press is left to the offscreen tests");
    } else {
        QVERIFY2(session.type({QStringLiteral("Return"), QStringLiteral("Return")}),
                 qPrintable(session.lastError()));
        QVERIFY2(session.waitForWindow(kCount, 10000), qPrintable(why(QStringLiteral("no exercise window"))));
        QVERIFY(session.run(QStringLiteral("swaymsg"),
                            {QStringLiteral("[title=\"%1\"] move position 700 0").arg(kCount)}));
        QTest::qWait(300);
        QVERIFY2(session.click(pointer, startPoint(start->rect, kZanfiloFace.x() + 10, kZanfiloFace.y() + 5)),
                 qPrintable(session.lastError()));
        QTest::qWait(500);
        const QImage pressed = session.screenshot();
        e2e::X11Session::savePng(pressed, QStringLiteral("wayland-pressed.png"));
        QCOMPARE(colourAt(pressed, startPoint(start->rect, kFirstLevelFace.x(), kFirstLevelFace.y())),
                 kFocused);
    }

    // Enter on the level, "3" to "Esci", Enter.
    QVERIFY2(session.type({QStringLiteral("Return"), QStringLiteral("3"), QStringLiteral("Return")}),
             qPrintable(session.lastError()));
    QVERIFY2(zanfilo.waitForFinished(10000), qPrintable(why(QStringLiteral("still running after Esci"))));
    QVERIFY2(zanfilo.exitStatus() == QProcess::NormalExit, qPrintable(why(QStringLiteral("crashed"))));
    QCOMPARE(zanfilo.exitCode(), 0);
}

QTEST_MAIN(WaylandTest)
#include "wayland_test.moc"
