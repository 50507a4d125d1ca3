// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "exercises/count/count_window.h"
#include "exercises/set/set_window.h"
#include "support/exercise_support.h"
#include "support/test_support.h"
#include "ui/accessibility.h"
#include "ui/scanner.h"
#include "windows/start/start_window.h"

#include <QAccessible>
#include <QApplication>
#include <QScopeGuard>
#include <optional>

#ifdef ZANFILO_SPEAKING_PROCESS
#include "app/speech_voice.h"
#include "e2e/speech_stand_in.h"
#endif

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
    // The whole way from the start window to a verdict and on, with the keyboard alone, or with one
    // switch and the words said as the highlight comes.
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
    QTest::addColumn<bool>("oneSwitch");
    QTest::addColumn<bool>("aloud"); // through the speaking process, to a stand-in for the service
    QTest::newRow("count on the line") << 1 << false << false;
    QTest::newRow("rebuild the set") << 2 << false << false;
    QTest::newRow("count on the line, one switch") << 1 << true << false;
    QTest::newRow("rebuild the set, one switch") << 2 << true << false;
#ifdef ZANFILO_SPEAKING_PROCESS
    QTest::newRow("count on the line, one switch, aloud") << 1 << true << true;
    QTest::newRow("rebuild the set, one switch, aloud") << 2 << true << true;
#endif
}

void AccessibilityTest::exerciseShouldBePlayableWithTheKeyboardAlone()
{
    QFETCH(int, form);
    QFETCH(bool, oneSwitch);
    QFETCH(bool, aloud);
#ifdef ZANFILO_SPEAKING_PROCESS
    // Each word takes a while to say, so a word cut short shows.
    e2e::SpeechStandIn service;
    service.sayFor = 40;
    qputenv("SPEECHD_ADDRESS", service.address().toLocal8Bit());
    std::optional<app::SpeechVoice> speech;
    const auto silenced = qScopeGuard([&] { program.reset(); });
    if (aloud) {
        speech.emplace(QStringLiteral(ZANFILO_SPEAKING_PROCESS));
        program = std::make_unique<Program>(*speech);
        QVERIFY(
            QTest::qWaitFor([&] { return service.commands.contains("SET SELF NOTIFICATION cancel on"); }));
        QTest::qWait(50);
    }
    QStringList& heard = aloud ? service.words : program->voice.heard;
    // The service has said all it was given, and nothing more reaches it.
    const auto quiet = [&] {
        for (qsizetype before = -1; aloud && before != service.words.size(); QTest::qWait(100)) {
            before = service.words.size();
            if (!QTest::qWaitFor([&] { return !service.saying(); }))
                return false;
        }
        return true;
    };
#else
    Q_UNUSED(aloud) // the Windows build has no speaking process
    QStringList& heard = program->voice.heard;
    const auto quiet = [] { return true; };
#endif
    auto& start = program->windows.FrmInizio();
    program->windows.start();
    QVERIFY(QTest::qWaitForWindowActive(start.window()));
    const auto scanner = oneSwitch ? std::make_unique<ui::Scanner>(program->windows.runtime(), 2) : nullptr;
    // The keyboard goes to the button with Tab and presses it with `key`; a switch waits for it.
    const auto pressOn = [&](QWidget* window, const QString& button, Qt::Key key) {
        for (int pace = 0; focusName() != button && pace < 8; ++pace) {
            QVERIFY(quiet());
            program->clock.advance(2);
            oneSwitch ? scanner->tick() : keyClick(window, Qt::Key_Tab);
        }
        QCOMPARE(focusName(), button);
        QVERIFY(quiet());
        program->clock.advance(0.5);
        keyClick(window, oneSwitch ? Qt::Key_Space : key);
    };
    pressOn(start.window(), QStringLiteral("Option1(%1)").arg(form - 1), Qt::Key_Return);
    pressOn(start.window(), QStringLiteral("Option2(0)"), Qt::Key_Return);
    pressOn(start.window(), QStringLiteral("Option3(0)"), Qt::Key_Return);
    auto& w = exerciseOf(*program, form);
    QVERIFY(w.isLoaded());
    QVERIFY(QTest::qWaitForWindowActive(w.window()));
    QStringList named{"zanfilo", "costruire l'insieme", "livello uno", "vai"};
    if (form == 1)
        named.removeAt(1);
    QVERIFY(quiet());
    if (oneSwitch)
        QCOMPARE(heard.mid(0, named.size()), named);
    // The set's number, said as its window opens, is heard whole before the lit button's name.
    if (oneSwitch && form == 2)
        QCOMPARE(heard.mid(named.size()), QStringList({exercise::numberWord(w.NumeroElementi), "conta"}));
#ifdef ZANFILO_SPEAKING_PROCESS
    // Only names are ever cut short, never a count, a verdict or a task's number.
    const auto onlyNamesCut = qScopeGuard([&] {
        for (int n = 1; n <= exercise::kDiscs; ++n)
            QVERIFY(!service.cut.contains(exercise::numberWord(n)));
        QVERIFY(!service.cut.contains(QStringLiteral("esatto")));
    });
    if (aloud) {
        // The highlight waits for its name to be said, then for its pace.
        service.holdEnds(true);
        for (const double pace : {2.0, 2.5}) {
            program->clock.advance(pace);
            scanner->tick();
            QCOMPARE(focusName(), QStringLiteral("TornaIndietro"));
        }
        QVERIFY(QTest::qWaitFor([&] { return service.saying(); }));
        service.holdEnds(false);
        QVERIFY(quiet());
        program->clock.advance(2);
        scanner->tick();
    }
#endif
    for (int task = 0; task < 3; ++task) {
        QCOMPARE(focusName(), QStringLiteral("CmdContaElementi"));
        QVERIFY(quiet());
        heard.clear();
        for (int k = 0; k < w.NumeroElementi; ++k)
            pressOn(w.window(), QStringLiteral("CmdContaElementi"), Qt::Key_Space);
        pressOn(w.window(), QStringLiteral("CmdVerifica"), Qt::Key_Return);
        QCOMPARE(w.LblEsito->Caption(), QStringLiteral("ESATTO"));
        QCOMPARE(focusName(), QStringLiteral("CmdOperazione"));
        // The button lit after each press is named, but the count and the verdict are not cut short.
        QVERIFY(quiet());
        if (oneSwitch)
            QCOMPARE(heard.mid(w.NumeroElementi), QStringList({"verifica", "esatto"}));
        pressOn(w.window(), QStringLiteral("CmdOperazione"), Qt::Key_Return);
        QCOMPARE(w.LblEsito->Caption(), QString());
    }
    QCOMPARE(w.RisposteEsatte.value(), qint64(3));
    // After "AVANTI" the lit "CONTA" is named, unless the new task was said (the set's number).
    QVERIFY(quiet());
    if (oneSwitch)
        QCOMPARE(heard.last(), form == 1 ? QStringLiteral("conta") : exercise::numberWord(w.NumeroElementi));
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
