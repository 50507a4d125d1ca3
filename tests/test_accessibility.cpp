// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "exercises/count/count_window.h"
#include "exercises/set/set_window.h"
#include "support/exercise_support.h"
#include "support/test_support.h"
#include "ui/accessibility.h"
#include "windows/start/start_window.h"

#include <QAccessible>
#include <QApplication>

using namespace testing;

namespace {

QString accessibleText(QObject* object, QAccessible::Text which = QAccessible::Name)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(object);
    return iface ? iface->text(which) : QString();
}

// What screen readers were told: each control with the kind of event sent for it.
QList<QPair<QObject*, QAccessible::Event>> announced;

} // namespace

class AccessibilityTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        ui::setAnnouncementObserver(
            [](const QAccessibleEvent& event) { announced << qMakePair(event.object(), event.type()); });
    }
    void init() { program = std::make_unique<Program>(); }
    void cleanup() { program.reset(); }

    // A screen reader must have something to say for every control a child can act on.
    void everyChoiceShouldHaveAnItalianName_data();
    void everyChoiceShouldHaveAnItalianName();
    // The level buttons show only pictures: their names carry what the picture says.
    void levelButtonsShouldBeNamedByTheirRange();
    // The verdict and the counts are text, and a new verdict is announced as a change of name.
    void verdictAndCountsShouldBeReadableAndAnnounced();
    // The whole way from the start window to a verdict and on, with the keyboard alone.
    void exerciseShouldBePlayableWithTheKeyboardAlone_data();
    void exerciseShouldBePlayableWithTheKeyboardAlone();
    // A child pressing keys at random must not throw away the task in progress.
    void escapeShouldLeaveTheExerciseAndItsCountAlone();

private:
    std::unique_ptr<Program> program;
};

void AccessibilityTest::everyChoiceShouldHaveAnItalianName_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("name");
    const auto row = [](const char* tag, const char* control, const char* name) {
        QTest::newRow(tag) << control << name;
    };
    row("Option1(0)", "Option1(0)", "Zanfilo");
    row("Option1(1)", "Option1(1)", "Costruire l'insieme");
    row("Option3(0)", "Option3(0)", "Vai");
    row("Option3(1)", "Option3(1)", "Reimposta");
    row("Option3(2)", "Option3(2)", "Esci");
    row("title", "Label4", "ZANFILO");
}

void AccessibilityTest::everyChoiceShouldHaveAnItalianName()
{
    QFETCH(QString, control);
    QFETCH(QString, name);
    auto& start = program->windows.FrmInizio();
    start.Show();
    QWidget* w = child<QWidget>(start.window(), control);
    QVERIFY(w);
    QCOMPARE(accessibleText(w), name);
    if (control.startsWith(QLatin1String("Option")))
        QVERIFY(!accessibleText(w, QAccessible::Description).isEmpty());
}

void AccessibilityTest::levelButtonsShouldBeNamedByTheirRange()
{
    auto& start = program->windows.FrmInizio();
    start.Show();
    const char* const names[] = {"Fino a 5", "Fino a 10", "Oltre 10"};
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(accessibleText(&start.Option2(i)), QLatin1String(names[i]));
        QVERIFY(
            accessibleText(&start.Option2(i), QAccessible::Description).startsWith(QLatin1String("Livello")));
    }
}

void AccessibilityTest::verdictAndCountsShouldBeReadableAndAnnounced()
{
    auto& w = program->windows.frmOperativo1();
    QVERIFY(open(*program, w, 0));
    for (ui::CommandButton* b : {w.CmdContaElementi, w.CmdVerifica, w.CmdOperazione, w.CmdRicomincia}) {
        QCOMPARE(accessibleText(b), b->Caption());
        QVERIFY(!accessibleText(b, QAccessible::Description).isEmpty());
    }
    QAccessibleInterface* verdict = QAccessible::queryAccessibleInterface(w.LblEsito);
    QCOMPARE(verdict->role(), QAccessible::StaticText);
    announced.clear();
    answer(*program, w, w.NumeroElementi);
    QCOMPARE(accessibleText(w.LblEsito), QStringLiteral("ESATTO"));
    QVERIFY(announced.contains(qMakePair(static_cast<QObject*>(w.LblEsito), QAccessible::NameChanged)));
    QCOMPARE(accessibleText(w.lblRisEsatte), QStringLiteral("1"));
    QCOMPARE(accessibleText(w.lblRisEsatte, QAccessible::Description), QStringLiteral("Risposte esatte"));
    QCOMPARE(accessibleText(w.LblTempoParziale), QStringLiteral(" 0"));
}

void AccessibilityTest::exerciseShouldBePlayableWithTheKeyboardAlone_data()
{
    QTest::addColumn<int>("form");
    QTest::newRow("count on the line") << 1;
    QTest::newRow("rebuild the set") << 2;
}

void AccessibilityTest::exerciseShouldBePlayableWithTheKeyboardAlone()
{
    QFETCH(int, form);
    auto& start = program->windows.FrmInizio();
    program->windows.start();
    QVERIFY(QTest::qWaitForWindowActive(start.window()));
    if (form == 2)
        keyClick(start.window(), Qt::Key_2);
    for (int i = 0; i < 3; ++i)
        keyClick(start.window(), Qt::Key_Return); // exercise, level 1, "Vai"
    auto& w = exerciseOf(*program, form);
    QVERIFY(w.isLoaded());
    QVERIFY(QTest::qWaitForWindowActive(w.window()));
    for (int task = 0; task < 3; ++task) {
        QCOMPARE(focusName(), QStringLiteral("CmdContaElementi"));
        for (int k = 0; k < w.NumeroElementi; ++k)
            keyClick(w.window(), Qt::Key_Space);
        while (focusName() != QStringLiteral("CmdVerifica"))
            keyClick(w.window(), Qt::Key_Tab);
        keyClick(w.window(), Qt::Key_Return);
        QCOMPARE(w.LblEsito->Caption(), QStringLiteral("ESATTO"));
        QCOMPARE(focusName(), QStringLiteral("CmdOperazione"));
        keyClick(w.window(), Qt::Key_Return);
        QCOMPARE(w.LblEsito->Caption(), QString());
    }
    QCOMPARE(w.RisposteEsatte.value(), qint64(3));
}

void AccessibilityTest::escapeShouldLeaveTheExerciseAndItsCountAlone()
{
    program->windows.start();
    auto& w = program->windows.frmOperativo2();
    QVERIFY(open(*program, w, 1));
    QVERIFY(QTest::qWaitForWindowActive(w.window()));
    w.CmdContaElementi_Click();
    QTest::keyClick(w.window()->windowHandle(), Qt::Key_Escape);
    QVERIFY(w.isLoaded());
    QVERIFY(w.window()->isVisible());
    QCOMPARE(w.Conteggio, 1);
}

QTEST_MAIN(AccessibilityTest)
#include "test_accessibility.moc"
