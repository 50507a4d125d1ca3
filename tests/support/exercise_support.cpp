#include "support/exercise_support.h"

#include "app/exercise_table.h"

namespace testing {

exercise::ExerciseWindow& exerciseOf(Program& p, int form)
{
    return p.windows.exercise(form);
}

QList<int> exerciseChoices()
{
    QList<int> choices;
    for (const app::ExerciseRow& row : app::kExercises)
        choices << row.sceltaEsercizio;
    return choices;
}

bool open(exercise::ExerciseWindow& w)
{
    w.Show();
    return QTest::qWaitForWindowExposed(w.window());
}

void press(ui::CommandButton* button)
{
    QVERIFY2(button->Visible(), qPrintable(button->objectName()));
    mouseClick(button);
}

void pressConta(exercise::ExerciseWindow& w, int times)
{
    for (int i = 0; i < times; ++i)
        press(w.CmdContaElementi);
}

QString shownButtons(const exercise::ExerciseWindow& w)
{
    QStringList shown;
    for (ui::CommandButton* b : {w.CmdRicomincia, w.CmdContaElementi, w.CmdOperazione, w.CmdVerifica}) {
        if (b->Visible())
            shown << b->Caption();
    }
    return shown.join(QLatin1Char(' '));
}

QList<int> shownDiscs(const exercise::ExerciseWindow& w)
{
    return indicesWhere(w.Shape1, [](const ui::Shape& s) { return s.Visible(); });
}

QList<int> shownSlots(const exercise::ExerciseWindow& w)
{
    return indicesWhere(w.Image2, [](const ui::Image& s) { return s.Visible(); });
}

QList<int> filledSlots(const exercise::ExerciseWindow& w)
{
    return indicesWhere(w.Image2, [](const ui::Image& s) { return !s.Picture().isEmpty(); });
}

QList<int> shownColumns(const exercise::ExerciseWindow& w)
{
    QList<int> shown;
    for (int n = 1; n <= 20; ++n) {
        int visible = 0;
        for (int i = 1; i <= n; ++i)
            visible += w.LabelN[static_cast<std::size_t>(n)](i).Visible() ? 1 : 0;
        if (visible > 0)
            shown << (visible == n ? n : -n);
    }
    return shown;
}

QList<int> oneTo(int n)
{
    QList<int> list;
    for (int k = 1; k <= n; ++k)
        list << k;
    return list;
}

} // namespace testing
