// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "exercises/count/count_window.h"
#include "exercises/set/set_window.h"
#include "pictures/picture_store.h"
#include "support/exercise_support.h"
#include "support/test_support.h"
#include "ui/controls.h"

#include <QApplication>
#include <set>

using namespace testing;
using exercise::ExerciseWindow;

namespace {

void addFormRows()
{
    QTest::addColumn<int>("form");
    for (int form : exerciseChoices())
        QTest::addRow("exercise %d", form) << form;
}

void addPressRows(const QList<int>& counts)
{
    QTest::addColumn<int>("presses");
    for (int c : counts)
        QTest::addRow("%d presses", c) << c;
}

} // namespace

class ExercisesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { program = std::make_unique<Program>(); }
    void cleanup() { program.reset(); }

    // The heart of both exercises: only the exact count is right, and each answer counts once.
    void answerShouldBeRightOnlyForExactlyTheFiguresShown_data();
    void answerShouldBeRightOnlyForExactlyTheFiguresShown();
    // RICOMINCIA really drops the count: nothing counted cannot be right.
    void verifyingAfterRicominciaWithNothingCountedShouldBeWrong_data() { addFormRows(); }
    void verifyingAfterRicominciaWithNothingCountedShouldBeWrong();
    // Counting on the line: one more disc per press, and the square column of the count so far.
    void eachPressShouldLightOneMoreDiscAndOnlyItsColumn_data() { addPressRows(oneTo(20)); }
    void eachPressShouldLightOneMoreDiscAndOnlyItsColumn();
    // The line has twenty discs: a 21st press starts a fresh line instead of running off its end.
    void countingPastTwentyShouldStartAgainAtOne();
    // A child goes on with Enter: the next step must already hold the focus.
    // The verdict is read against the board: figures, discs and column all stay as they were.
    void afterVerificaOnlyAvantiShouldBeShownAndTheBoardShouldStay_data() { addFormRows(); }
    void afterVerificaOnlyAvantiShouldBeShownAndTheBoardShouldStay();
    // The seconds of an answer count from the moment the task stands whole on the screen, for
    // the first task and for the next.
    void answerTimeShouldStartOnceTheTaskIsShown_data() { addFormRows(); }
    void answerTimeShouldStartOnceTheTaskIsShown();
    // The set window reseeds, then draws the size and only then the picture.
    void setWindowShouldDrawTheSizeBeforeThePicture();
    // Rebuilding the set: one more copy of the task's picture per press.
    void eachPressShouldPlaceTheTaskPictureInTheNextSlot_data() { addPressRows({1, 2, 9, 10, 11, 19, 20}); }
    void eachPressShouldPlaceTheTaskPictureInTheNextSlot();
    // The largest task uses every slot, and must still be answerable right.
    void twentyFiguresForATaskOfTwentyShouldBeRight();
    // With all twenty slots filled, the next press starts over without losing the figures.
    void rebuildingPastTwentyShouldClearTheTaskButKeepTheFigures();
    // Every size of the level must come up, and nothing outside it, task after task.
    void tasksShouldCoverExactlyTheLevelRange_data() { addLevelRows(); }
    void tasksShouldCoverExactlyTheLevelRange();
    // The first task of a window is built on its own path: it must cover the range as well.
    void openingTasksOfManySeedsShouldCoverExactlyTheLevelRange_data() { addLevelRows(); }
    void openingTasksOfManySeedsShouldCoverExactlyTheLevelRange();
    // Children use Enter and space as much as the mouse, and a finger on a touch screen or an
    // interactive board, on every step of a task.
    void keyOrTapOnTheFocusedButtonShouldPressIt_data();
    void keyOrTapOnTheFocusedButtonShouldPressIt();

    // Panel: whole seconds after one blank, the caps changing only what is shown; time of day wraps
    // at midnight, and a task shown just before it must not be timed negative.
    void timesShouldShowWholeSecondsCappedOnlyInTheLabels_data();
    void timesShouldShowWholeSecondsCappedOnlyInTheLabels();
    // Right and wrong answers are counted and shown apart, whatever their order.
    void answersShouldBeCountedAndShownEachKindApart_data();
    void answersShouldBeCountedAndShownEachKindApart();
    // Aloud: each count, the verdict shown, and in the set window each new task; nothing else.
    void theVoiceShouldSayTheCountsTheVerdictAndTheTaskOnly_data();
    void theVoiceShouldSayTheCountsTheVerdictAndTheTaskOnly();

private:
    std::unique_ptr<Program> program;
};

void ExercisesTest::answerShouldBeRightOnlyForExactlyTheFiguresShown_data()
{
    QTest::addColumn<int>("form");
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("offset");
    QTest::addColumn<QString>("result");
    for (int f : exerciseChoices()) {
        for (int level = 0; level < 3; ++level) {
            QTest::addRow("w%d level %d exact", f, level + 1) << f << level << 0 << "ESATTO";
            QTest::addRow("w%d level %d one too many", f, level + 1) << f << level << 1 << "ERRATO";
            QTest::addRow("w%d level %d one too few", f, level + 1) << f << level << -1 << "ERRATO";
        }
    }
}

void ExercisesTest::answerShouldBeRightOnlyForExactlyTheFiguresShown()
{
    QFETCH(int, form);
    QFETCH(int, level);
    QFETCH(int, offset);
    QFETCH(QString, result);
    ExerciseWindow& w = exerciseOf(*program, form);
    QVERIFY(open(*program, w, level));
    // One too few needs at least two figures, or there would be nothing to press before VERIFICA.
    for (int tries = 0; offset < 0 && w.NumeroElementi < 2 && tries < 100; ++tries) {
        program->clock.advance(0.37);
        w.CmdOperazione_Click();
    }
    pressConta(w, w.NumeroElementi + offset);
    press(w.CmdVerifica);
    QCOMPARE(w.LblEsito->Caption(), result);
    const bool right = offset == 0;
    QCOMPARE(w.RisposteEsatte.value(), right ? 1 : 0);
    QCOMPARE(w.RisposteErrate.value(), right ? 0 : 1);
    QCOMPARE((right ? w.lblRisEsatte : w.lblRisErrate)->Caption(), QStringLiteral("1"));
}

void ExercisesTest::verifyingAfterRicominciaWithNothingCountedShouldBeWrong()
{
    QFETCH(int, form);
    ExerciseWindow& w = exerciseOf(*program, form);
    QVERIFY(open(*program, w, 0));
    pressConta(w, w.NumeroElementi);
    press(w.CmdRicomincia);
    QCOMPARE(w.Conteggio, 0);
    press(w.CmdVerifica);
    QCOMPARE(w.LblEsito->Caption(), QStringLiteral("ERRATO"));
    QCOMPARE(w.RisposteErrate.value(), 1);
    QCOMPARE(w.RisposteEsatte.value(), 0);
}

void ExercisesTest::eachPressShouldLightOneMoreDiscAndOnlyItsColumn()
{
    QFETCH(int, presses);
    auto& w = program->windows.frmOperativo1();
    QVERIFY(open(*program, w, 2));
    const QList<int> placed = shownSlots(w);
    pressConta(w, presses);
    QCOMPARE(w.Conteggio, presses);
    QCOMPARE(shownDiscs(w), oneTo(presses));
    QCOMPARE(shownColumns(w), QList<int>{presses});
    QCOMPARE(shownButtons(w), QStringLiteral("RICOMINCIA CONTA VERIFICA"));
    QCOMPARE(shownSlots(w), placed); // counting never touches the figures
}

void ExercisesTest::countingPastTwentyShouldStartAgainAtOne()
{
    auto& w = program->windows.frmOperativo1();
    QVERIFY(open(*program, w, 2));
    pressConta(w, 21);
    QCOMPARE(w.Conteggio, 1);
    QCOMPARE(shownDiscs(w), QList<int>{1});
    QCOMPARE(shownColumns(w), QList<int>{1});
    press(w.CmdContaElementi);
    QCOMPARE(shownDiscs(w), (QList<int>{1, 2}));
    QCOMPARE(shownColumns(w), QList<int>{2});
}

void ExercisesTest::afterVerificaOnlyAvantiShouldBeShownAndTheBoardShouldStay()
{
    QFETCH(int, form);
    ExerciseWindow& w = exerciseOf(*program, form);
    QVERIFY(open(*program, w, 1));
    QVERIFY(QTest::qWaitForWindowActive(w.window()));
    pressConta(w, 2);
    const QList<QList<int>> counted = board(w);
    QCOMPARE(form == 1 ? shownDiscs(w) : filledSlots(w), oneTo(2));
    press(w.CmdVerifica);
    QCOMPARE(shownButtons(w), QStringLiteral("AVANTI"));
    QCOMPARE(focusName(), QStringLiteral("CmdOperazione"));
    QCOMPARE(board(w), counted);
}

void ExercisesTest::answerTimeShouldStartOnceTheTaskIsShown()
{
    QFETCH(int, form);
    ExerciseWindow& w = exerciseOf(*program, form);
    QList<QList<int>> atLastReading;
    program->clock.onMonotonicRead = [&] { atLastReading = board(w); };
    QVERIFY(open(*program, w, 2));
    QCOMPARE(atLastReading, board(w));
    pressConta(w, 1);
    press(w.CmdVerifica);
    press(w.CmdOperazione);
    QCOMPARE(atLastReading, board(w));
    program->clock.onMonotonicRead = nullptr;
}

void ExercisesTest::setWindowShouldDrawTheSizeBeforeThePicture()
{
    ScriptedRandom random({kJustBelowOne, 0.0f});
    Program scripted(random);
    ExerciseWindow& w = scripted.windows.frmOperativo2();
    QVERIFY(open(scripted, w, 2));
    QCOMPARE(random.calls, QStringLiteral("Sdd"));
    QCOMPARE(w.NumeroElementi, 20);
    QCOMPARE(w.Figura, 1);
}

void ExercisesTest::eachPressShouldPlaceTheTaskPictureInTheNextSlot()
{
    QFETCH(int, presses);
    auto& w = program->windows.frmOperativo2();
    QVERIFY(open(*program, w, 2));
    const int n = w.NumeroElementi;
    const ui::Picture figure = program->windows.FrmFigure().Image3(w.Figura);
    QVERIFY(!figure.isEmpty());
    pressConta(w, presses);
    QCOMPARE(w.Conteggio, presses);
    QCOMPARE(filledSlots(w), oneTo(presses));
    for (int k = 1; k <= presses; ++k)
        QVERIFY2(w.Image2(k).Picture() == figure, qPrintable(QString::number(k)));
    QCOMPARE(shownDiscs(w), oneTo(n));
    QCOMPARE(shownColumns(w), QList<int>{n});
    QCOMPARE(shownButtons(w), QStringLiteral("RICOMINCIA CONTA VERIFICA"));
}

void ExercisesTest::twentyFiguresForATaskOfTwentyShouldBeRight()
{
    auto& w = program->windows.frmOperativo2();
    QVERIFY(open(*program, w, 2));
    for (int tries = 0; w.NumeroElementi != 20 && tries < 500; ++tries) {
        program->clock.advance(0.37);
        w.CmdOperazione_Click();
    }
    QCOMPARE(w.NumeroElementi, 20);
    QCOMPARE(shownDiscs(w), oneTo(20));
    pressConta(w, 20);
    QCOMPARE(filledSlots(w), oneTo(20));
    press(w.CmdVerifica);
    QCOMPARE(w.LblEsito->Caption(), QStringLiteral("ESATTO"));
    QCOMPARE(w.RisposteEsatte.value(), 1);
}

void ExercisesTest::rebuildingPastTwentyShouldClearTheTaskButKeepTheFigures()
{
    auto& w = program->windows.frmOperativo2();
    QVERIFY(open(*program, w, 2));
    const ui::Picture figure = program->windows.FrmFigure().Image3(w.Figura);
    pressConta(w, 21);
    QCOMPARE(w.Conteggio, 1);
    QCOMPARE(shownDiscs(w), QList<int>());
    QCOMPARE(shownColumns(w), QList<int>());
    QCOMPARE(filledSlots(w), oneTo(20));
    for (int k = 1; k <= 20; ++k)
        QVERIFY2(w.Image2(k).Picture() == figure, qPrintable(QString::number(k)));
}

void ExercisesTest::tasksShouldCoverExactlyTheLevelRange()
{
    QFETCH(int, form);
    QFETCH(int, level);
    QFETCH(int, minimo);
    QFETCH(int, massimo);
    ExerciseWindow& w = exerciseOf(*program, form);
    QVERIFY(open(*program, w, level));
    std::set<int> sizes;
    std::set<int> figures;
    std::set<int> slotsUsed;
    for (int task = 0; task < 200; ++task) {
        checkFreshTask(*program, w, form);
        if (QTest::currentTestFailed())
            QFAIL(qPrintable(QStringLiteral("task %1 of size %2").arg(task).arg(w.NumeroElementi)));
        sizes.insert(w.NumeroElementi);
        figures.insert(w.Figura);
        const QList<int> placed = shownSlots(w);
        slotsUsed.insert(placed.begin(), placed.end());
        // Leave a full line and some placed pictures behind for the next task to clear.
        for (int c = 0; c < 1 + task % 20; ++c)
            w.CmdContaElementi_Click();
        press(w.CmdVerifica);
        program->clock.advance(0.37);
        press(w.CmdOperazione);
    }
    QCOMPARE(sizes, range(minimo, massimo));
    QCOMPARE(figures, range(1, 12));
    if (form == 1)
        QCOMPARE(slotsUsed, range(1, 23)); // in time every slot of the board but 0 holds a figure
}

void ExercisesTest::openingTasksOfManySeedsShouldCoverExactlyTheLevelRange()
{
    QFETCH(int, form);
    QFETCH(int, level);
    QFETCH(int, minimo);
    QFETCH(int, massimo);
    std::set<int> sizes;
    for (std::uint32_t seed = 1; seed <= 150; ++seed) {
        Program seeded(seed);
        seeded.windows.settings().applyLevelPreset(level);
        ExerciseWindow& w = exerciseOf(seeded, form);
        w.Load();
        checkFreshTask(seeded, w, form);
        if (QTest::currentTestFailed())
            QFAIL(qPrintable(QStringLiteral("seed %1").arg(seed)));
        sizes.insert(w.NumeroElementi);
    }
    QCOMPARE(sizes, range(minimo, massimo));
}

void ExercisesTest::keyOrTapOnTheFocusedButtonShouldPressIt_data()
{
    QTest::addColumn<int>("form");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    for (int f : exerciseChoices()) {
        QTest::addRow("w%d Return", f) << f << int(Qt::Key_Return) << int(Qt::NoModifier);
        QTest::addRow("w%d keypad Enter", f) << f << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
        QTest::addRow("w%d space", f) << f << int(Qt::Key_Space) << int(Qt::NoModifier);
        QTest::addRow("w%d tap", f) << f << 0 << int(Qt::NoModifier);
    }
}

void ExercisesTest::keyOrTapOnTheFocusedButtonShouldPressIt()
{
    QFETCH(int, form);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    ExerciseWindow& w = exerciseOf(*program, form);
    // Key 0 is a finger's tap on the focused button.
    const auto hit = [&] {
        key == 0 ? tap(QApplication::focusWidget())
                 : keyClick(w.window(), static_cast<Qt::Key>(key), Qt::KeyboardModifiers(modifiers));
    };
    QVERIFY(open(*program, w, 2));
    QVERIFY(QTest::qWaitForWindowActive(w.window()));
    w.CmdContaElementi->SetFocus();
    QCOMPARE(focusName(), QStringLiteral("CmdContaElementi"));
    hit();
    QTRY_COMPARE(w.Conteggio, 1);
    hit();
    QTRY_COMPARE(w.Conteggio, 2);
    w.CmdVerifica->SetFocus();
    hit();
    QTRY_COMPARE(w.LblEsito->Caption(), QStringLiteral("ERRATO")); // level 3 has at least ten
    QCOMPARE(focusName(), QStringLiteral("CmdOperazione"));
    hit();
    QTRY_COMPARE(w.LblEsito->Caption(), QString());
    QCOMPARE(shownButtons(w), QStringLiteral("CONTA"));
    QCOMPARE(w.Conteggio, 0);
}

void ExercisesTest::timesShouldShowWholeSecondsCappedOnlyInTheLabels_data()
{
    QTest::addColumn<int>("form");
    QTest::addColumn<int>("answers");
    QTest::addColumn<double>("each");
    QTest::addColumn<bool>("midnight");
    QTest::addColumn<QString>("partial");
    QTest::addColumn<QString>("total");
    QTest::addColumn<int>("kept");
    // clang-format off
    for (int form : exerciseChoices()) {
        QTest::addRow("w%d no time", form) << form << 1 << 0.4 << false << " 0" << " 0" << 0;
        QTest::addRow("w%d five", form) << form << 1 << 5.0 << false << " 5" << " 5" << 5;
        QTest::addRow("w%d almost six rounds down", form) << form << 1 << 5.9 << false << " 5" << " 5" << 5;
        QTest::addRow("w%d just below the cap", form) << form << 1 << 98.99 << false << " 98" << " 98" << 98;
        QTest::addRow("w%d at the cap", form) << form << 1 << 99.0 << false << "99" << " 99" << 99;
        QTest::addRow("w%d beyond the cap", form) << form << 1 << 250.5 << false << "99" << " 250" << 250;
        QTest::addRow("w%d 990 in nine", form) << form << 9 << 110.0 << false << "99" << " 990" << 990;
        QTest::addRow("w%d 998 at once", form) << form << 1 << 998.0 << false << "99" << " 998" << 998;
        QTest::addRow("w%d 999 at once", form) << form << 1 << 999.0 << false << "99" << "999" << 999;
        QTest::addRow("w%d 1000 in ten", form) << form << 10 << 100.0 << false << "99" << "999" << 1000;
        QTest::addRow("w%d 1200 in three", form) << form << 3 << 400.0 << false << "99" << "999" << 1200;
        QTest::addRow("w%d over midnight on opening", form) << form << 1 << 3.0 << true << " 3" << " 3" << 3;
        QTest::addRow("w%d midnight after AVANTI", form) << form << 2 << 3.0 << true << " 3" << " 6" << 6;
    }
    // clang-format on
}

void ExercisesTest::timesShouldShowWholeSecondsCappedOnlyInTheLabels()
{
    QFETCH(int, form);
    QFETCH(int, answers);
    QFETCH(double, each);
    QFETCH(bool, midnight);
    QFETCH(int, kept);
    ExerciseWindow& w = exerciseOf(*program, form);
    for (int a = 0; a < answers; ++a) {
        if (midnight)
            program->clock.setTimeOfDay(86399.5); // the task is shown half a second before midnight
        if (a == 0)
            QVERIFY(open(*program, w, 0));
        else
            press(w.CmdOperazione);
        press(w.CmdContaElementi);
        program->clock.advance(each);
        press(w.CmdVerifica);
    }
    QTEST(w.LblTempoParziale->Caption(), "partial");
    QTEST(w.LblTempoTotale->Caption(), "total");
    QCOMPARE(w.SecondiTotali, kept);
}

void ExercisesTest::answersShouldBeCountedAndShownEachKindApart_data()
{
    QTest::addColumn<int>("form");
    QTest::addColumn<QString>("answers"); // R right, W wrong
    QTest::addColumn<int>("rightShown");
    QTest::addColumn<int>("wrongShown");
    for (int form : exerciseChoices()) {
        QTest::addRow("w%d two wrong then one right", form) << form << "WWR" << 1 << 2;
        QTest::addRow("w%d right, two wrong, right", form) << form << "RWWR" << 2 << 2;
        QTest::addRow("w%d two right then one wrong", form) << form << "RRW" << 2 << 1;
    }
}

void ExercisesTest::answersShouldBeCountedAndShownEachKindApart()
{
    QFETCH(int, form);
    QFETCH(QString, answers);
    ExerciseWindow& w = exerciseOf(*program, form);
    QVERIFY(open(*program, w, 0));
    for (qsizetype a = 0; a < answers.size(); ++a) {
        const bool right = answers.at(a) == QLatin1Char('R');
        if (a > 0) {
            program->clock.advance(0.37);
            press(w.CmdOperazione);
        }
        pressConta(w, w.NumeroElementi + (right ? 0 : 1));
        press(w.CmdVerifica);
        QCOMPARE(w.LblEsito->Caption(), right ? QStringLiteral("ESATTO") : QStringLiteral("ERRATO"));
    }
    QFETCH(int, rightShown);
    QFETCH(int, wrongShown);
    QCOMPARE(w.lblRisEsatte->Caption(), QString::number(rightShown));
    QCOMPARE(w.lblRisErrate->Caption(), QString::number(wrongShown));
    QCOMPARE(w.RisposteEsatte.value(), answers.count(QLatin1Char('R')));
    QCOMPARE(w.RisposteErrate.value(), answers.count(QLatin1Char('W')));
}

void ExercisesTest::theVoiceShouldSayTheCountsTheVerdictAndTheTaskOnly_data()
{
    QTest::addColumn<int>("form");
    QTest::addColumn<int>("presses"); // of CONTA, then VERIFICA, AVANTI, CONTA and RICOMINCIA
    QTest::addColumn<QString>("heard");
    QTest::addRow("w1 past twenty")
        << 1 << 22
        << "uno due tre quattro cinque sei sette otto nove dieci undici dodici tredici "
           "quattordici quindici sedici diciassette diciotto diciannove venti uno due "
           "VERDICT uno";
    QTest::addRow("w2 two") << 2 << 2 << "TASK uno due VERDICT NEXT uno";
}

void ExercisesTest::theVoiceShouldSayTheCountsTheVerdictAndTheTaskOnly()
{
    QFETCH(int, form);
    QFETCH(int, presses);
    QFETCH(QString, heard);
    ExerciseWindow& w = exerciseOf(*program, form);
    QVERIFY(open(*program, w, 2));
    heard.replace(QLatin1String("TASK"), exercise::numberWord(w.NumeroElementi));
    pressConta(w, presses);
    press(w.CmdVerifica);
    heard.replace(QLatin1String("VERDICT"), w.LblEsito->Caption().toLower());
    press(w.CmdOperazione);
    heard.replace(QLatin1String("NEXT"), exercise::numberWord(w.NumeroElementi));
    pressConta(w, 1);
    press(w.CmdRicomincia);
    QCOMPARE(program->voice.heard.join(QLatin1Char(' ')), heard);
}

QTEST_MAIN(ExercisesTest)
#include "test_exercises.moc"
