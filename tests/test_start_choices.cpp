// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "exercises/count/count_window.h"
#include "exercises/set/set_window.h"
#include "support/exercise_support.h"
#include "ui/controls.h"
#include "ui/scanner.h"
#include "windows/start/curtains.h"
#include "windows/start/start_window.h"

#include <QApplication>

using namespace testing;

namespace {

// A script of a child's input: "C:k" press and release, "P:k" press, "A:k" auto-repeated press,
// "X:k" one auto-repeat as X11 sends it (a release and a press, both marked as repeats), "R:k"
// release, "T" Tab, with k one of Return, Space, Tab, a digit, or Kn for a keypad digit; and
// "M:name" a mouse click, "W:name" a double click and "F:name" a finger's tap on the control of
// that name.
void play(QWidget* window, const QString& script)
{
    for (const QString& step : script.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString what = step.section(QLatin1Char(':'), 0, 0);
        const QString name = step.section(QLatin1Char(':'), 1);
        if (what == QLatin1String("T")) {
            keyClick(window, Qt::Key_Tab);
            continue;
        }
        if (what == QLatin1String("M") || what == QLatin1String("F") || what == QLatin1String("W")) {
            auto* target = child<QWidget>(window, name);
            QVERIFY2(target, qPrintable(step));
            if (what == QLatin1String("W"))
                doubleClick(target);
            else
                what == QLatin1String("M") ? mouseClick(target) : tap(target);
            continue;
        }
        static const QHash<QString, Qt::Key> named{
            {"Return", Qt::Key_Return}, {"Space", Qt::Key_Space}, {"Esc", Qt::Key_Escape}};
        const bool keypad = name.size() == 2 && name.startsWith(QLatin1Char('K'));
        const QString code = keypad ? name.mid(1) : name;
        const Qt::KeyboardModifiers modifiers = keypad ? Qt::KeypadModifier : Qt::NoModifier;
        // A digit's or a letter's key code is its upper-case character.
        const Qt::Key key = code.size() == 1 ? static_cast<Qt::Key>(code.at(0).toUpper().unicode())
                                             : named.value(code, Qt::Key_unknown);
        QVERIFY2(key != Qt::Key_unknown, qPrintable(step));
        if (what == QLatin1String("C"))
            keyClick(window, key, modifiers);
        else if (what == QLatin1String("P"))
            keyPress(window, key, modifiers);
        else if (what == QLatin1String("A"))
            keyPress(window, key, modifiers, true);
        else if (what == QLatin1String("R"))
            keyRelease(window, key, modifiers);
        else if (what == QLatin1String("X")) {
            keyRelease(window, key, modifiers, true);
            keyPress(window, key, modifiers, true);
        }
    }
}

QString frames(const start::FrmInizio& form)
{
    const auto mark = [](const ui::Frame* f) { return f->Enabled() ? QLatin1Char('+') : QLatin1Char('-'); };
    return QString() + mark(form.Frame1) + mark(form.Frame2) + mark(form.Frame3);
}

} // namespace

class StartChoicesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup() { program.reset(); }

    // Each row is a child's key sequence from the first activation; the focus, the frames and the
    // choices afterwards must be exactly those of the choice tables.
    void keySequenceShouldLeadToTheExpectedState_data();
    void keySequenceShouldLeadToTheExpectedState();
    // Accepted keys hand a guard on to the next group, consumed keys do not: the only trace of
    // the difference is how the action group answers its first key.
    void levelKeysShouldBeAcceptedOrConsumed_data();
    void levelKeysShouldBeAcceptedOrConsumed();
    // Only the focused option is marked, by colour, and none is left selected.
    void focusShouldBeShownByColourOnly();
    // "Vai" opens the chosen exercise once a level is chosen, and only one copy of it.
    void vaiShouldOpenTheChosenExerciseOnce();
    void escapeByKeyboardShouldEndTheProgram();
    // Each exercise opens from the start window's own buttons with the level chosen there, and
    // keeps that level when it is closed and opened again without a new choice.
    void vaiByTheMouseShouldOpenEachExerciseAndTheLevelShouldStay();
    // Wayland delivers a press on an inactive window before its activation: the window must be
    // activated first and the press still choose, and the late activation must not undo it.
    void pressBeforeTheActivationShouldChooseAtOnce();

    // Mouse: a press performs the step at once, whatever the button.
    void rightButtonPressShouldActLikeTheLeft();
    void levelPressShouldLeaveNoLevelOptionSelected();
    void esciShouldWorkWhileFrame3IsDisabled();
    void pressOnACurtainShouldDoNothing();

    // Curtains.
    void curtainTickShouldStepAndStop_data();
    void curtainTickShouldStepAndStop();
    void curtainsShouldOpenInAboutEightyTicksAndStopTheTimer();
    void resizeAfterOpeningShouldKeepTheCurtainsOpen();
    void resizeWhileOpeningShouldRestartFromTheRecordedShare();
    // Minimising is a resize to 0 x 0 and restoring one back; the opening must survive both and
    // start again from the recorded share, never end unseen while the window is down.
    void minimisingWhileOpeningShouldOpenAgainFromTheShareOnRestore();
    // After the opening a minimise and restore is one more resize: the curtains stay open.
    void minimisingAfterOpeningShouldKeepTheCurtainsOpenAndTheLayout();

private:
    start::FrmInizio& form() { return program->windows.FrmInizio(); }
    QWidget* window() { return form().window(); }
    void waitForCurtains() { QTRY_VERIFY_WITH_TIMEOUT(form().curtainsOpen(), 5000); }
    std::unique_ptr<Program> program;
};

void StartChoicesTest::init()
{
    program = std::make_unique<Program>();
    program->windows.start();
    QVERIFY(QTest::qWaitForWindowActive(window()));
    QCOMPARE(focusName(), QStringLiteral("Option1(0)"));
}

void StartChoicesTest::keySequenceShouldLeadToTheExpectedState_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QString>("frameState");
    QTest::addColumn<int>("exercise");
    QTest::addColumn<int>("level"); // 1 to 3, 0 before any choice
    const auto row = [](const char* name, const char* keys, const char* focus, const char* frameState,
                        int exercise, int level) {
        QTest::newRow(name) << keys << focus << frameState << exercise << level;
    };
    row("nothing pressed", "", "Option1(0)", "+++", 0, 0);
    row("Enter chooses the first exercise", "C:Return", "Option2(0)", "-++", 1, 0);
    row("held Enter chooses the exercise once", "P:Return A:Return A:Return A:Return", "Option2(0)", "-++", 1,
        0);
    row("held Enter released, Enter again chooses the level", "P:Return A:Return R:Return C:Return",
        "Option3(0)", "--+", 1, 1);
    row("2 then Enter chooses the second exercise", "C:2 C:Return", "Option2(0)", "-++", 2, 0);
    row("1 moves the focus to the first exercise", "C:2 C:1", "Option1(0)", "+++", 0, 0);
    row("2 then 3 in the level group, Enter", "C:Return C:2 C:3 C:Return", "Option3(0)", "--+", 1, 3);
    row("level 2 by digit", "C:Return C:2 C:Return", "Option3(0)", "--+", 1, 2);
    row("keypad digits are consumed", "C:Return C:K3 C:Return", "Option3(0)", "--+", 1, 1);
    row("letters do nothing", "C:a C:z", "Option1(0)", "+++", 0, 0);
    row("space moves to the next exercise", "C:Space", "Option1(1)", "+++", 0, 0);
    row("space wraps in the exercise group", "C:Space C:Space", "Option1(0)", "+++", 0, 0);
    row("held space moves one step only", "P:Space A:Space A:Space R:Space", "Option1(1)", "+++", 0, 0);
    row("space wraps in the level group", "C:Return C:3 C:Space", "Option2(0)", "-++", 1, 0);
    row("space wraps from Esci to Vai", "C:Return C:Return C:3 C:Space", "Option3(0)", "--+", 1, 1);
    row("3 in the action group reaches Esci", "C:Return C:Return C:3", "Option3(2)", "--+", 1, 1);
    row("Reimposta keeps exercise and level", "C:Return C:Return C:2 C:Return", "Option1(0)", "+--", 1, 1);
    row("after Reimposta the order is enforced", "C:Return C:Return C:2 C:Return C:2 C:Return C:3 C:Return",
        "Option3(0)", "--+", 2, 3);
    // Key 1 sets the level group's guard; reached by Tab without a release there, the level
    // group lets the first key pass and acts on the next.
    row("Tab into a guarded group: first Enter passes", "C:1 T T C:Return", "Option2(0)", "+++", 0, 0);
    row("Tab into a guarded group: second Enter acts", "C:1 T T C:Return C:Return", "Option3(0)", "--+", 0,
        1);
    // Esci can take the focus by Tab while Frame3 is off; 1, 2 and space then ask for a focus
    // the disabled frame refuses, which is ignored.
    row("requests into a disabled frame are ignored", "C:Return C:Return C:2 C:Return T T C:1 C:2 C:Space",
        "Option3(2)", "+--", 1, 1);
    // Held keys: one step however many repeats arrive, in every group and with an odd count too
    // (a focus that cycled on would land back by chance on an even one).
    row("held space, one repeat, exercise group", "P:Space A:Space R:Space", "Option1(1)", "+++", 0, 0);
    row("held space, two repeats, level group", "C:Return P:Space A:Space A:Space R:Space", "Option2(1)",
        "-++", 1, 0);
    row("held space, one repeat, action group", "C:Return C:Return P:Space A:Space R:Space", "Option3(1)",
        "--+", 1, 1);
    // X11 sends a held key as release and press pairs: the releases must not free the guards.
    row("held Enter as X11 sends it chooses the exercise only", "P:Return X:Return X:Return R:Return",
        "Option2(0)", "-++", 1, 0);
    row("held Enter as X11 sends it chooses the level only", "C:Return P:Return X:Return X:Return R:Return",
        "Option3(0)", "--+", 1, 1);
    // The action group hands no guard on; the repeats of a held Enter on "Reimposta" meet the
    // exercise group's guard, still up from the Enter that chose the exercise.
    row("held Enter as X11 sends it resets once",
        "C:2 C:Return C:Return C:2 P:Return X:Return X:Return R:Return", "Option1(0)", "+--", 2, 1);
    // A mouse release in a group frees the next group's guards: the key the child pressed first
    // is then answered at once.
    row("mouse release frees the level group's guard", "C:1 M:Option1(1) C:3 C:Return", "Option3(0)", "--+",
        2, 3);
    row("mouse release frees the action group's guard", "C:Return C:2 M:Option2(1) C:2 C:Return",
        "Option1(0)", "+--", 1, 2);
    row("taps choose as clicks do, releases included", "C:1 F:Option1(1) F:Option2(2) C:2 C:Return",
        "Option1(0)", "+--", 2, 3);
    row("Vai by the mouse without an exercise does nothing", "M:Option2(1) M:Option3(0)", "Option3(0)", "--+",
        0, 2);
    // One switch: "S" starts scanning, "~" is a pace; the focus is the highlighted button, "-" none.
    row("one switch: group by group", "S ~ ~ ~ ~ ~", "Option3(0)", "+++", 0, 0);
    row("one switch: round to the first", "S ~ ~ ~ ~ ~ ~ ~ ~", "Option1(0)", "+++", 0, 0);
    row("one switch: space chooses what is lit", "S ~ P:Space R:Space", "Option2(0)", "-++", 2, 0);
    row("one switch: one pace more after a choice", "S ~ P:Space R:Space ~", "Option2(0)", "-++", 2, 0);
    row("one switch: then on", "S ~ P:Space R:Space ~ ~", "Option2(1)", "-++", 2, 0);
    row("one switch: Enter, then a press anywhere", "S C:Return ~ M:Label4", "Option3(0)", "--+", 1, 1);
    row("one switch: a tap anywhere", "S F:Label5", "Option2(0)", "-++", 1, 0);
    row("one switch: held, it chooses once", "S P:Space ~ A:Space R:Space", "Option2(0)", "-++", 1, 0);
    row("one switch: a bounce is no choice", "S C:Space C:Space", "Option2(0)", "-++", 1, 0);
    row("one switch: disabled groups skipped", "S C:Return ~ ~ ~ ~ ~ ~ ~", "Option2(0)", "-++", 1, 0);
    // Eight buttons: three rounds come back to the first, the next pace rests.
    const QString threeRounds = QStringLiteral("S") + QStringLiteral(" ~").repeated(25);
    row("one switch: rest after three rounds", qPrintable(threeRounds), "-", "+++", 0, 0);
    row("one switch: a press only wakes", qPrintable(threeRounds + " C:Space"), "Option1(0)", "+++", 0, 0);
    row("one switch: the keys still work", "S C:2", "Option1(1)", "+++", 0, 0);
    row("one switch: a double click is one press", "S W:Option2(1)", "Option2(0)", "-++", 1, 0);
    // "-" another program takes the activation, "+" gives it back.
    row("one switch: it pauses while another program is active", "S ~ -", "-", "+++", 0, 0);
    row("one switch: and goes on when back", "S ~ - +", "Option1(1)", "+++", 0, 0);
    row("one switch: at rest it stays so when back", qPrintable(threeRounds + " - +"), "-", "+++", 0, 0);
    // Into each exercise and back out with Space alone, then Esci ends the program.
    const QString in = QStringLiteral("S C:Space ~ C:Space ~ C:Space ~");
    const QString out = " C:Space" + QStringLiteral(" ~").repeated(7) + " C:Space";
    row("one switch: back out of the count window, then Esci", qPrintable(in + out), "ended", "", 0, 0);
    row("one switch: back out of the set window, then Esci",
        qPrintable(QString(in).replace("S C:", "S ~ C:") + out), "ended", "", 0, 0);
}

void StartChoicesTest::keySequenceShouldLeadToTheExpectedState()
{
    QFETCH(QString, keys);
    QFETCH(QString, focus);
    QFETCH(QString, frameState);
    QFETCH(int, exercise);
    QFETCH(int, level);
    if (keys.contains(QLatin1String("M:")) || keys.contains(QLatin1String("F:")) ||
        keys.contains(QLatin1String("W:")))
        waitForCurtains();
    std::unique_ptr<ui::Scanner> scanner;
    for (const QString& step : keys.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        QApplication::processEvents();
        if (step == QLatin1String("S"))
            scanner = std::make_unique<ui::Scanner>(program->windows.runtime(), 2);
        else if (step == QLatin1String("~")) {
            program->clock.advance(2);
            scanner->tick();
        } else if (step == QLatin1String("-") || step == QLatin1String("+"))
            Q_EMIT qApp->applicationStateChanged(step == QLatin1String("+") ? Qt::ApplicationActive
                                                                            : Qt::ApplicationInactive);
        else
            play(scanner ? QApplication::activeWindow() : window(), step);
    }
    QApplication::processEvents();
    if (focus == QLatin1String("ended")) {
        QCOMPARE(program->endings, 1);
        return;
    }
    if (scanner) {
        ui::Button* lit = scanner->highlighted();
        QCOMPARE(lit ? lit->objectName() : QStringLiteral("-"), focus);
        QCOMPARE(scanner->isTicking(), lit != nullptr);
        // Set in milliseconds, not in seconds: the program does not wake between paces.
        QVERIFY(!lit || scanner->timerInterval() > 1000);
        QCOMPARE(lit ? lit->grab().toImage().pixelColor(1, 1) : QColor(Qt::black), QColor(Qt::black));
    } else
        QCOMPARE(focusName(), focus);
    QCOMPARE(frames(form()), frameState);
    QCOMPARE(form().SceltaEsercizio(), exercise);
    const levels::Modulo1& settings = program->windows.settings();
    if (level == 0) {
        QVERIFY(!settings.ValoreMinimo.has_value());
        QCOMPARE(int(settings.ValoreMassimo), 0);
    } else {
        const levels::LevelPreset& preset = levels::kLevelPresets.at(std::size_t(level - 1));
        QCOMPARE(settings.ValoreMinimo, std::optional(preset.minimo));
        QCOMPARE(settings.ValoreMassimo, preset.massimo);
    }
    for (int choice : exerciseChoices())
        QVERIFY(!exerciseOf(*program, choice).isLoaded());
}

void StartChoicesTest::levelKeysShouldBeAcceptedOrConsumed_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("accepted");
    for (const char* key : {"0", "4", "5", "6"})
        QTest::newRow(key) << key << true;
    for (const char* key : {"7", "8", "9"})
        QTest::newRow(key) << key << false;
    QTest::newRow("keypad 1") << "K1" << false;
}

void StartChoicesTest::levelKeysShouldBeAcceptedOrConsumed()
{
    QFETCH(QString, key);
    QFETCH(bool, accepted);
    play(window(), QStringLiteral("C:Return C:") + key);
    QCOMPARE(focusName(), QStringLiteral("Option2(0)"));
    QVERIFY(!program->windows.settings().levelChosen());
    // Tab reaches "Reimposta" with no key released in the action group: the first Enter there
    // passes if the level key left its guard set, and resets otherwise.
    play(window(), QStringLiteral("T T T C:Return"));
    QCOMPARE(focusName(), accepted ? QStringLiteral("Option3(1)") : QStringLiteral("Option1(0)"));
}

void StartChoicesTest::focusShouldBeShownByColourOnly()
{
    play(window(), QStringLiteral("C:Space"));
    QCOMPARE(form().Option1(1).BackColor().value(), start::FrmInizio::kFocusedColour);
    QCOMPARE(form().Option1(0).BackColor().value(), start::FrmInizio::kUnfocusedColour);
    play(window(), QStringLiteral("C:Return C:Return"));
    for (auto* group : {&form().Option1, &form().Option2, &form().Option3}) {
        group->forEach([&](int, ui::OptionButton& o) {
            QVERIFY2(!o.Value(), qPrintable(o.objectName()));
            const bool focused = o.hasFocus();
            QCOMPARE(o.BackColor().value(),
                     focused ? start::FrmInizio::kFocusedColour : start::FrmInizio::kUnfocusedColour);
        });
    }
}

void StartChoicesTest::vaiShouldOpenTheChosenExerciseOnce()
{
    // Without a level "Vai" waits: an exercise without bounds could never be answered right.
    play(window(), QStringLiteral("C:Return T T T T C:Return"));
    QCOMPARE(focusName(), QStringLiteral("Option3(0)"));
    QVERIFY(!program->windows.frmOperativo1().isLoaded());

    play(window(), QStringLiteral("C:2 C:Return C:1 C:Return C:Return C:Return"));
    QCOMPARE(form().SceltaEsercizio(), 1);
    auto& exercise = program->windows.frmOperativo1();
    QVERIFY(exercise.isLoaded());
    QVERIFY(QTest::qWaitForWindowActive(exercise.window()));
    QPointer<QWidget> first = exercise.window();
    form().Show();
    QVERIFY(QTest::qWaitForWindowActive(window()));
    QCOMPARE(focusName(), QStringLiteral("Option1(0)")); // activation opens all groups again
    play(window(), QStringLiteral("C:Return C:1 C:Return C:Return"));
    QCOMPARE(exercise.window(), first.data());
    QCOMPARE(qApp->topLevelWidgets().count(first.data()), 1);
    QVERIFY(!program->windows.frmOperativo2().isLoaded());
}

void StartChoicesTest::vaiByTheMouseShouldOpenEachExerciseAndTheLevelShouldStay()
{
    waitForCurtains();
    for (int choice : exerciseChoices()) {
        const int level = choice + 1;
        const QString caption = QStringLiteral("Difficoltà: livello %1").arg(level);
        auto& exercise = exerciseOf(*program, choice);
        for (int opening = 0; opening < 3; ++opening) {
            // The level is chosen at the first opening only.
            const QString levelClick =
                opening == 0 ? QStringLiteral("M:Option2(%1)").arg(level - 1) : QString();
            play(window(), QStringLiteral("M:Option1(%1) %2 M:Option3(0)").arg(choice - 1).arg(levelClick));
            QVERIFY(QTest::qWaitForWindowActive(exercise.window()));
            QCOMPARE(exercise.Label21->Caption(), caption);
            exercise.window()->close();
            QVERIFY(QTest::qWaitForWindowActive(window()));
        }
    }
}

void StartChoicesTest::pressBeforeTheActivationShouldChooseAtOnce()
{
    waitForCurtains();
    play(window(), QStringLiteral("M:Option1(0) M:Option2(0) M:Option3(0)"));
    auto& exercise = program->windows.frmOperativo1();
    QVERIFY(QTest::qWaitForWindowActive(exercise.window()));
    exercise.window()->close();
    QVERIFY(!window()->isActiveWindow());
    play(window(), QStringLiteral("M:Option1(1)"));
    QVERIFY(QTest::qWaitForWindowActive(window()));
    QCOMPARE(form().SceltaEsercizio(), 2);
    QCOMPARE(focusName(), QStringLiteral("Option2(0)"));
    QCOMPARE(frames(form()), QStringLiteral("-++"));
}

void StartChoicesTest::escapeByKeyboardShouldEndTheProgram()
{
    play(window(), QStringLiteral("C:Return C:Return C:3 C:Return"));
    QCOMPARE(program->endings, 1);
    QVERIFY(!form().isLoaded());
}

void StartChoicesTest::rightButtonPressShouldActLikeTheLeft()
{
    waitForCurtains();
    mouseClick(&form().Option1(1), Qt::RightButton);
    QCOMPARE(form().SceltaEsercizio(), 2);
    QCOMPARE(focusName(), QStringLiteral("Option2(0)"));
    QCOMPARE(frames(form()), QStringLiteral("-++"));
    mouseClick(&form().Option2(1), Qt::RightButton);
    QCOMPARE(int(program->windows.settings().ValoreMassimo), 10);
    QCOMPARE(focusName(), QStringLiteral("Option3(0)"));
}

void StartChoicesTest::levelPressShouldLeaveNoLevelOptionSelected()
{
    waitForCurtains();
    for (int i : {2, 0, 1}) {
        mouseClick(&form().Option1(0));
        QVERIFY(!form().Option1(0).Value());
        mouseClick(&form().Option2(i));
        QCOMPARE(int(program->windows.settings().ValoreMassimo),
                 levels::kLevelPresets[std::size_t(i)].massimo);
        form().Option2.forEach(
            [](int, ui::OptionButton& o) { QVERIFY2(!o.Value(), qPrintable(o.objectName())); });
        mouseClick(&form().Option3(1)); // Reimposta, back to the exercise group
        QCOMPARE(focusName(), QStringLiteral("Option1(0)"));
        QVERIFY(!form().Option3(1).Value());
    }
}

void StartChoicesTest::esciShouldWorkWhileFrame3IsDisabled()
{
    waitForCurtains();
    play(window(), QStringLiteral("C:Return C:Return C:2 C:Return"));
    QVERIFY(!form().Frame3->Enabled());
    mouseClick(&form().Option3(2));
    QCOMPARE(program->endings, 1);
}

void StartChoicesTest::pressOnACurtainShouldDoNothing()
{
    QVERIFY(!form().curtainsOpen());
    QVERIFY(form().Picture1->widget()->geometry().contains(
        form().Option1(0).mapTo(form().client(), form().Option1(0).rect().center())));
    mouseClick(&form().Option1(0));
    mouseClick(&form().Option3(2));
    QCOMPARE(form().SceltaEsercizio(), 0);
    QCOMPARE(program->endings, 0);
    // The keyboard reaches the options behind the curtains from the first moment.
    play(window(), QStringLiteral("C:Return"));
    QCOMPARE(form().SceltaEsercizio(), 1);
}

void StartChoicesTest::curtainTickShouldStepAndStop_data()
{
    QTest::addColumn<double>("left");
    QTest::addColumn<double>("right");
    QTest::addColumn<double>("newLeft");
    QTest::addColumn<double>("newRight");
    QTest::addColumn<bool>("stop");
    QTest::newRow("a plain step") << 6022.5 << 6022.5 << 5947.5 << 5947.5 << false;
    QTest::newRow("86 to 11 goes on") << 86.0 << 86.0 << 11.0 << 11.0 << false;
    QTest::newRow("85 to 10 stops") << 85.0 << 85.0 << 10.0 << 10.0 << true;
    QTest::newRow("75 to 0 stops") << 75.0 << 75.0 << 0.0 << 0.0 << true;
    // Below 0 would be invalid: the curtain goes to 0 and the timer stops rather than running
    // on for ever without effect.
    QTest::newRow("22.5 goes to 0 and stops") << 22.5 << 22.5 << 0.0 << 0.0 << true;
    QTest::newRow("11 goes to 0 and stops") << 11.0 << 40.0 << 0.0 << 0.0 << true;
    QTest::newRow("only the left curtain decides") << 200.0 << 20.0 << 125.0 << 0.0 << false;
}

void StartChoicesTest::curtainTickShouldStepAndStop()
{
    QFETCH(double, left);
    QFETCH(double, right);
    QFETCH(double, newLeft);
    QFETCH(double, newRight);
    QFETCH(bool, stop);
    const start::CurtainTick tick = start::curtainTick(ui::twips(left), ui::twips(right));
    QCOMPARE(tick.left.value(), newLeft);
    QCOMPARE(tick.right.value(), newRight);
    QCOMPARE(tick.stop, stop);
}

void StartChoicesTest::curtainsShouldOpenInAboutEightyTicksAndStopTheTimer()
{
    int ticks = 0;
    for (start::CurtainTick tick{form().Width() / 2, form().Width() / 2, false}; !tick.stop; ++ticks)
        tick = start::curtainTick(tick.left, tick.right);
    QVERIFY2(ticks >= 78 && ticks <= 82, qPrintable(QString::number(ticks)));
    waitForCurtains();
    QVERIFY(!form().timerTendine->Enabled());
    QVERIFY(!form().timerTendine->isTicking());
    QVERIFY(form().Picture1->Width().value() <= 10);
    QVERIFY(form().Picture2->Width().value() <= 10);
}

void StartChoicesTest::resizeAfterOpeningShouldKeepTheCurtainsOpen()
{
    waitForCurtains();
    for (QSize size : {QSize(1200, 900), QSize(400, 300), QSize(795, 592)}) {
        window()->resize(size);
        QVERIFY(form().Picture1->Width().value() <= 10);
        QVERIFY(form().Picture2->Width().value() <= 10);
        QVERIFY(!form().timerTendine->isTicking());
    }
    // Everything else keeps its proportional place.
    QCOMPARE(form().Frame3->Left().value(), 7575.0 * form().ScaleWidth().value() / 11925);
    mouseClick(&form().Option1(1));
    QCOMPARE(form().SceltaEsercizio(), 2);
}

void StartChoicesTest::resizeWhileOpeningShouldRestartFromTheRecordedShare()
{
    QVERIFY(!form().curtainsOpen());
    window()->resize(window()->width() * 2, window()->height());
    const double recorded =
        static_cast<double>(form().proportions()[1].Larghezza) * form().ScaleWidth().value();
    QVERIFY(qAbs(form().Picture1->Width().value() - recorded) < 0.01);
    QVERIFY(form().timerTendine->Enabled());
    waitForCurtains();
}

void StartChoicesTest::minimisingWhileOpeningShouldOpenAgainFromTheShareOnRestore()
{
    QVERIFY(!form().curtainsOpen());
    window()->setWindowState(Qt::WindowMinimized);
    QCOMPARE(form().ScaleWidth().value(), 0.0);
    QCOMPARE(form().ScaleHeight().value(), 0.0);
    QCOMPARE(form().Frame1->twipRect().value(), QRectF(0, 0, 0, 0));
    QCOMPARE(form().Picture1->Width().value(), 0.0);
    QTest::qWait(100); // ticks come while the window is down
    QVERIFY(form().timerTendine->isTicking());
    QVERIFY(!form().curtainsOpen());
    window()->setWindowState(Qt::WindowNoState);
    const double recorded =
        static_cast<double>(form().proportions()[1].Larghezza) * form().ScaleWidth().value();
    QVERIFY(recorded > 5000);
    QVERIFY(qAbs(form().Picture1->Width().value() - recorded) < 0.01);
    QCOMPARE(form().Frame3->Left().value(), 7575.0 * form().ScaleWidth().value() / 11925);
    waitForCurtains();
}

void StartChoicesTest::minimisingAfterOpeningShouldKeepTheCurtainsOpenAndTheLayout()
{
    waitForCurtains();
    const QRect frame3 = form().Frame3->widget()->geometry();
    window()->setWindowState(Qt::WindowMinimized);
    QCOMPARE(form().Frame3->twipRect().value(), QRectF(0, 0, 0, 0));
    window()->setWindowState(Qt::WindowNoState);
    QVERIFY(form().Picture1->Width().value() <= 10);
    QVERIFY(form().Picture2->Width().value() <= 10);
    QCOMPARE(form().Frame3->widget()->geometry(), frame3);
    mouseClick(&form().Option1(1));
    QCOMPARE(form().SceltaEsercizio(), 2);
}

QTEST_MAIN(StartChoicesTest)
#include "test_start_choices.moc"
