// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/command_line.h"
#include "exercises/count/count_window.h"
#include "exercises/set/set_window.h"
#include "pictures/picture_store.h"
#include "support/test_support.h"
#include "ui/controls.h"
#include "ui/runtime.h"
#include "windows/start/start_window.h"

#include <QApplication>
#include <QProcess>
#include <QScreen>

using namespace testing;

class WindowSetTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { program = std::make_unique<Program>(); }
    void cleanup() { program.reset(); }

    // Show never makes a second copy of a window.
    void showingTwiceShouldGiveOneWindow();
    void unloadingAnUnloadedWindowShouldDoNothing();
    // Closing the start window closes every window and ends the program, exactly once.
    void closingTheStartWindowShouldUnloadEverythingAndEnd();
    // While the program ends, an exercise window's wish to show the start window keeps nothing alive.
    void endingShouldNotBringTheStartWindowBack();
    // Offscreen and window-manager-less desktops activate nothing by themselves: closing an
    // exercise must still give the start window back its activation and its choices.
    void closingAnExerciseShouldReactivateTheStartWindow();
    void reloadingShouldRebuildControlsFromTheDefinition();
    // Destroying a window object takes its window down with it; the focus leaving a control then
    // must not reach the handlers of an object already half destroyed.
    void destroyingAWindowObjectShouldRunNoHandler();
    // Every window opens centred on the screen, the exercise windows over the start window.
    void windowsShouldOpenCentredAndWhollyOnTheScreen();
    // The program's own switches; Qt's options are left for Qt, anything else refused.
    void commandLineShouldBeReadAsProgramsHereReadIt_data();
    void commandLineShouldBeReadAsProgramsHereReadIt();

private:
    std::unique_ptr<Program> program;
};

void WindowSetTest::showingTwiceShouldGiveOneWindow()
{
    auto& exercise = program->windows.frmOperativo2();
    exercise.Show();
    QPointer<QWidget> first = exercise.window();
    exercise.Show();
    QCOMPARE(exercise.window(), first.data());
    int windows = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        windows += w->windowTitle() == QStringLiteral("Saper ricostruire l'insieme") && w->isVisible();
    QCOMPARE(windows, 1);
}

void WindowSetTest::unloadingAnUnloadedWindowShouldDoNothing()
{
    auto& exercise = program->windows.frmOperativo1();
    QVERIFY(!exercise.isLoaded());
    exercise.Unload();
    QVERIFY(!exercise.isLoaded());
    QCOMPARE(program->endings, 0);
}

void WindowSetTest::closingTheStartWindowShouldUnloadEverythingAndEnd()
{
    program->windows.start();
    program->windows.frmOperativo1().Show();
    program->windows.frmOperativo2().Show();
    program->windows.FrmFigure().Image3(1);
    QVERIFY(program->windows.FrmFigure().isLoaded());
    program->windows.FrmInizio().window()->close();
    QVERIFY(!program->windows.FrmInizio().isLoaded());
    QVERIFY(!program->windows.frmOperativo1().isLoaded());
    QVERIFY(!program->windows.frmOperativo2().isLoaded());
    QVERIFY(!program->windows.FrmFigure().isLoaded());
    QVERIFY(!program->windows.runtime().anyLoaded());
    QCOMPARE(program->endings, 1);
}

void WindowSetTest::endingShouldNotBringTheStartWindowBack()
{
    program->windows.start();
    program->windows.frmOperativo1().Show(); // its unload shows the start window
    program->windows.FrmInizio().Unload();
    QCOMPARE(program->endings, 1);
    QVERIFY(!program->windows.FrmInizio().isLoaded());
    QCoreApplication::processEvents();
    for (QWidget* w : QApplication::topLevelWidgets())
        QVERIFY2(!w->isVisible(), qPrintable(w->windowTitle()));
}

void WindowSetTest::closingAnExerciseShouldReactivateTheStartWindow()
{
    auto& start = program->windows.FrmInizio();
    program->windows.start();
    QVERIFY(QTest::qWaitForWindowActive(start.window()));
    for (ui::Form* exercise : {static_cast<ui::Form*>(&program->windows.frmOperativo1()),
                               static_cast<ui::Form*>(&program->windows.frmOperativo2())}) {
        start.Frame1->setEnabled(false);
        exercise->Show();
        QVERIFY(QTest::qWaitForWindowActive(exercise->window()));
        exercise->window()->close();
        QVERIFY(!exercise->isLoaded());
        QVERIFY(QTest::qWaitForWindowActive(start.window()));
        QVERIFY(start.Frame1->Enabled()); // Form_Activate ran
        QCOMPARE(focusName(), QStringLiteral("Option1(0)"));
    }
    QCOMPARE(program->endings, 0);
}

void WindowSetTest::reloadingShouldRebuildControlsFromTheDefinition()
{
    auto& exercise = program->windows.frmOperativo2();
    exercise.Load();
    const auto count = exercise.Controls().size();
    exercise.Unload();
    QVERIFY(exercise.Controls().empty());
    exercise.Load();
    QCOMPARE(exercise.Controls().size(), count);
    QCOMPARE(exercise.proportions().size(), count);
}

void WindowSetTest::destroyingAWindowObjectShouldRunNoHandler()
{
    program->windows.start();
    auto& start = program->windows.FrmInizio();
    QVERIFY(QTest::qWaitForWindowActive(start.window()));
    QCOMPARE(focusName(), QStringLiteral("Option1(0)"));
    int calls = 0;
    const auto original = start.Option1(0).LostFocus;
    start.Option1(0).LostFocus = [&calls, original] {
        ++calls;
        original();
    };
    program.reset();
    QCOMPARE(calls, 0);
}

void WindowSetTest::windowsShouldOpenCentredAndWhollyOnTheScreen()
{
    program->windows.start();
    program->windows.frmOperativo1().Show();
    program->windows.frmOperativo2().Show();
    const QList<QWidget*> windows{program->windows.FrmInizio().window(),
                                  program->windows.frmOperativo1().window(),
                                  program->windows.frmOperativo2().window()};
    const QRect available = windows.first()->screen()->availableGeometry();
    for (QWidget* window : windows) {
        const QRect frame = window->frameGeometry();
        QVERIFY2((frame.center() - available.center()).manhattanLength() <= 2,
                 qPrintable(window->windowTitle()));
        QVERIFY(available.contains(frame));
    }
}

void WindowSetTest::commandLineShouldBeReadAsProgramsHereReadIt_data()
{
    QTest::addColumn<QStringList>("arguments");
    // The action, then "voce" where the voice is asked for and the pace where scanning is.
    QTest::addColumn<QString>("read");
    QTest::addRow("the voice, among Qt's options")
        << QStringList{"-platform", "offscreen", "--voce", "-style", "fusion", "-reverse"} << "run voce";
    QTest::addRow("help first") << QStringList{"--help", "--bogus"} << "help";
    QTest::addRow("version") << QStringList{"--voce", "-v"} << "version";
    // Answered before Qt starts, so the platform asked for is never looked for.
    QTest::addRow("help after other options")
        << QStringList{"--voce", "-platform", "nessuna", "--help"} << "help";
    QTest::addRow("unknown option") << QStringList{"--voice"} << "fail";
    QTest::addRow("stray argument") << QStringList{"--voce", "5"} << "fail";
    QTest::addRow("Qt's option without its value, as Qt takes it")
        << QStringList{"--voce", "-platform"} << "run voce";
    QTest::addRow("an option Qt knows and we do not")
        << QStringList{"-testability", "-qmljsdebugger", "port:1234"} << "run";
    QTest::addRow("the end of the options") << QStringList{"--voce", "--"} << "run voce";
    QTest::addRow("after the end, no help") << QStringList{"--", "--help"} << "fail";
    QTest::addRow("a form Qt does not read") << QStringList{"-platform=offscreen"} << "fail";
    QTest::addRow("Qt's option with = and the voice") << QStringList{"-style=fusion", "--voce"} << "run voce";
    QTest::addRow("Qt's option with two dashes") << QStringList{"--style=fusion"} << "run";
    QTest::addRow("scanning at its own pace") << QStringList{"--scansione"} << "run scansione 2";
    QTest::addRow("scanning, with the voice")
        << QStringList{"--voce", "-scansione=0,5"} << "run voce scansione 0.5";
    QTest::addRow("scanning at the slowest pace") << QStringList{"--scansione=10"} << "run scansione 10";
    QTest::addRow("scanning too fast") << QStringList{"--scansione=0.4"} << "fail";
    QTest::addRow("scanning too slow") << QStringList{"--scansione=10.5"} << "fail";
    QTest::addRow("scanning without a number") << QStringList{"--scansione=due"} << "fail";
    QTest::addRow("scanning's seconds after a space") << QStringList{"--scansione", "3"} << "fail";
}

void WindowSetTest::commandLineShouldBeReadAsProgramsHereReadIt()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, read);
    // Qt takes its options as the program starts, so a child of this test starts as the program does.
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("ZANFILO_TEST_READ_COMMAND_LINE"), QStringLiteral("1"));
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(), arguments);
    QVERIFY(child.waitForFinished());
    QCOMPARE(QString::fromLocal8Bit(child.readAllStandardOutput()), read);
}

int main(int argc, char* argv[])
{
    // A child of the command-line table: it reads its arguments as the program does, and says so.
    if (qEnvironmentVariableIsSet("ZANFILO_TEST_READ_COMMAND_LINE")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        std::unique_ptr<QApplication> application;
        const app::CommandLine line = app::startOnCommandLine(argc, argv, application);
        const char* actions[] = {"run", "help", "version", "fail"};
        std::printf("%s%s", actions[static_cast<int>(line.action)], line.voce ? " voce" : "");
        if (line.scansione)
            std::printf(" scansione %g", *line.scansione);
        return 0;
    }
    QApplication application(argc, argv);
    QApplication::setAttribute(Qt::AA_Use96Dpi, true);
    WindowSetTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "test_window_set.moc"
