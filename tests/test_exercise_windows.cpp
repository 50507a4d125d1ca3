// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "exercises/count/count_window.h"
#include "exercises/set/set_window.h"
#include "pictures/picture_store.h"
#include "support/exercise_support.h"
#include "support/test_support.h"
#include "ui/controls.h"
#include "windows/start/start_window.h"

#include <QImage>
#include <QPixmap>
#include <array>
#include <set>
#include <tuple>

using namespace testing;
using exercise::ExerciseWindow;

namespace {

// "white" leaves open whether the design means fixed white or the theme's window colour; any other
// colour is fixed, so a theme change must not alter it.
bool colourMatches(const QString& actual, const QString& expected)
{
    if (expected == QLatin1String("white"))
        return actual.endsWith(QLatin1String("#ffffff"));
    return actual == expected;
}

int borderOf(const QWidget* w)
{
    if (auto* f = qobject_cast<const ui::Frame*>(w))
        return f->bordered() ? 1 : 0;
    if (auto* s = qobject_cast<const ui::Shape*>(w))
        return s->BorderWidth();
    return -1;
}

constexpr int kNo = -1;
constexpr int kWhite = -2;

struct Definition
{
    int form; // 0 for both windows
    const char* name;
    const char* container;
    double left, top, width, height;
    const char* caption;    // nullptr when not checked
    int back, fore, border; // kNo when not checked
};

// Transcribed from the two window designs; positions in twips.
const Definition kDefinitions[] = {
    {1, "LabelOb", "client", 75, 30, 11445, 435, "Zanfilo", 0xFFE0C0, 0xFF0000, kNo},
    {2, "LabelOb", "client", 60, 30, 11445, 495, "Costruire l'insieme", 0xFFC0FF, kNo, kNo},
    {1, "Label21", "client", 75, 465, 11430, 435, "", 0xFFE0C0, kNo, kNo},
    {2, "Label21", "client", 75, 405, 11445, 495, "Zanfilo", 0xFFC0FF, kNo, kNo},
    {1, "FraSfondoS", "client", 90, 924, 11430, 1788, nullptr, kNo, kNo, 0},
    {2, "FraSfondoS", "client", 90, 900, 11430, 1752, nullptr, kNo, kNo, 0},
    {1, "Shape2", "FraSfondoS", 30, -15, 11370, 1710, nullptr, kWhite, 0xFF0000, 5},
    {2, "Shape2", "FraSfondoS", 60, 15, 11325, 1680, nullptr, kWhite, 0xFF0000, 5},
    {1, "Frame4", "client", 90, 2652, 11430, 804, nullptr, 0xFFFFC0, kNo, kNo},
    {2, "Frame4", "client", 0, 2625, 11430, 804, nullptr, 0xFFFFC0, kNo, kNo},
    {0, "Label22", "Frame4", 225, 405, 10980, 45, nullptr, 0x000000, kNo, kNo},
    {1, "Frame1", "client", 90, 3384, 11430, 2388, nullptr, 0xFFFFC0, kNo, 1},
    {2, "Frame1", "client", 90, 3405, 11475, 2385, nullptr, 0xFFC0FF, kNo, 0},
    {1, "CmdRicomincia", "client", 1080, 5745, 3075, 720, "RICOMINCIA", 0xFFE0C0, kNo, kNo},
    {1, "CmdContaElementi", "client", 4200, 5760, 3075, 720, "CONTA", 0xFFE0C0, kNo, kNo},
    {1, "CmdOperazione", "client", 4215, 5775, 3060, 720, "AVANTI", 0xFFE0C0, kNo, kNo},
    {1, "CmdVerifica", "client", 7335, 5745, 3075, 720, "VERIFICA", 0xFFE0C0, kNo, kNo},
    {2, "CmdRicomincia", "client", 210, 5775, 3075, 720, "RICOMINCIA", kNo, kNo, kNo},
    {2, "CmdContaElementi", "client", 3315, 5745, 3075, 720, "CONTA", kNo, kNo, kNo},
    {2, "CmdOperazione", "client", 6480, 5745, 3960, 720, "AVANTI", kNo, kNo, kNo},
    {2, "CmdVerifica", "client", 6495, 5745, 3075, 720, "VERIFICA", kNo, kNo, kNo},
    {0, "LblEsito", "client", 195, 6585, 6705, 1320, nullptr, 0xFFC0FF, 0x0000C0, kNo},
    {0, "frmElaborazione", "client", 7020, 6510, 4890, 1695, nullptr, kNo, kNo, kNo},
    {0, "Label5(0)", "frmElaborazione", 45, 300, 930, 555, "Oper", kNo, 0xC00000, kNo},
    {0, "Label5(6)", "frmElaborazione", 990, 300, 930, 555, " Risposte esatte", kNo, 0xC00000, kNo},
    {0, "Label5(7)", "frmElaborazione", 1935, 300, 930, 555, " Risposte errate", kNo, 0xC00000, kNo},
    {0, "Label5(8)", "frmElaborazione", 2880, 300, 930, 555, "Tempo parziale", kNo, 0xC00000, kNo},
    {0, "Label5(9)", "frmElaborazione", 3825, 300, 930, 555, "Tempo totale", kNo, 0xC00000, kNo},
    {0, "LblOperazione", "frmElaborazione", 105, 960, 810, 480, nullptr, kNo, 0x0000FF, kNo},
    {0, "lblRisEsatte", "frmElaborazione", 1035, 960, 810, 480, nullptr, kNo, 0x0000FF, kNo},
    {0, "lblRisErrate", "frmElaborazione", 1965, 960, 810, 480, nullptr, kNo, 0x0000FF, kNo},
    {0, "LblTempoParziale", "frmElaborazione", 2910, 960, 810, 480, nullptr, kNo, 0x0000FF, kNo},
    {0, "LblTempoTotale", "frmElaborazione", 3870, 960, 810, 480, nullptr, kNo, 0x0000FF, kNo},
};

constexpr std::array<double, 21> kDiscLefts{0,    45,   525,  1005, 1485, 1950, 2415, 2880, 3360, 3825, 4290,
                                            4770, 5235, 5715, 6195, 6675, 7155, 7620, 8085, 8565, 9060};
constexpr std::array<double, 5> kTickLefts{225, 2145, 4485, 6885, 9270};
constexpr std::array<double, 5> kTickTops{450, 450, 435, 420, 435};

struct SlotRow
{
    int first;
    std::array<double, 12> lefts;
};

// The picture board: two rows of slots, with the tops given per slot below.
const SlotRow kCountSlots[] = {
    {0, {495, 1350, 2220, 3150, 4080, 5010, 5925, 6840, 7710, 8580, 9450, 10380}},
    {12, {465, 1350, 2205, 3165, 4080, 5010, 5925, 6840, 7710, 8580, 9450, 10380}},
};
const SlotRow kSetSlots[] = {
    {1, {240, 1110, 2040, 2970, 3900, 4815, 5730, 6600, 7470, 8340}},
    {11, {225, 1110, 2040, 2940, 3900, 4830, 5745, 6600, 7470, 8340}},
};

double slotTop(int form, int index)
{
    if (form == 1)
        return index < 8 ? 60 : index < 12 ? 75 : index < 23 ? 915 : 900;
    return index < 8 ? 60 : index < 11 ? 75 : index < 13 ? 900 : 915;
}

// Column n's cells from the top of the first stack, and from the top of the second.
std::pair<QList<int>, QList<int>> stacksOf(int n)
{
    if (n == 12)
        return {{12, 2, 1, 3, 4, 5, 6, 7, 8, 9}, {10, 11}};
    if (n == 15)
        return {{15, 1, 3, 2, 5, 4, 7, 6, 9, 8}, {11, 10, 13, 12, 14}};
    QList<int> first{n};
    QList<int> second;
    for (int i = 1; i < n; ++i)
        (i <= 9 ? first : second) << i;
    return {first, second};
}

constexpr std::array<double, 21> kColumnLefts{0,    180,  645,  1095, 1590, 2085, 2580,
                                              3030, 3495, 3945, 4380, 4845, 5325, 5820,
                                              6285, 6795, 7230, 7740, 8175, 8670, 9120};
constexpr std::array<QRgb, 11> kQuantityColours{0,        0,        0xFF0000, 0xC0FFC0, 0xFFC0FF, 0xFFFF80,
                                                0x00C000, 0x000000, 0xC04000, 0x0000C0, 0xFF8000};

QString expectedCellColour(int column, bool secondStack)
{
    if (column == 1)
        return QStringLiteral("white");
    if (column <= 10)
        return QColor(kQuantityColours[static_cast<std::size_t>(column)]).name();
    if (!secondStack || column == 20)
        return QStringLiteral("#ff8000");
    if (column == 11)
        return QStringLiteral("#ffffff");
    if (column == 18)
        return QStringLiteral("#804000");
    return QColor(kQuantityColours[static_cast<std::size_t>(column - 10)]).name();
}

void addFormRows()
{
    QTest::addColumn<int>("form");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("lowestSlot");
    QTest::addColumn<int>("highestSlot");
    QTest::addColumn<bool>("discsAbove");
    QTest::addColumn<bool>("backToStart");
    QTest::newRow("counting window") << 1 << "Saper zanfilo" << 0 << 23 << true << true;
    QTest::newRow("set window") << 2 << "Saper ricostruire l'insieme" << 1 << 20 << false << false;
}

} // namespace

class ExerciseWindowsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { program = std::make_unique<Program>(); }
    void cleanup() { program.reset(); }

    // Definitions: every control where the design puts it, with its texts, colours and borders.
    void everyControlShouldMatchTheDesign_data();
    void everyControlShouldMatchTheDesign();
    // Text sizes matter to a child reading from a distance; the two windows tab in their own order.
    void windowShouldOpenInPinkWithItsFontsAndTabOrder_data() { addFormRows(); }
    void windowShouldOpenInPinkWithItsFontsAndTabOrder();
    // One wrong overlap hides the discs behind the line, or the pictures behind the white board.
    void drawingOrderShouldKeepDiscsAndPicturesInSight_data() { addFormRows(); }
    void drawingOrderShouldKeepDiscsAndPicturesInSight();
    // Every square of the grid, where it hangs and what colour it shows, in both windows.
    void everyGridCellShouldHangInItsStackInItsColour_data();
    void everyGridCellShouldHangInItsStackInItsColour();

    // The proportional layout walks this collection: a control missing from it would never move.
    void collectionShouldHoldEveryControlOnce_data() { addFormRows(); }
    void collectionShouldHoldEveryControlOnce();
    // Scaling follows the window, hidden controls included, and never drifts.
    void layoutShouldScaleWithTheWindowAndComeBackExactly_data() { addFormRows(); }
    void layoutShouldScaleWithTheWindowAndComeBackExactly();

    // The figure store: sizes, rendering, and copies that never reach back into it.
    void everyFigureShouldRenderAtItsOwnSizeAndSurviveItsCopies_data();
    void everyFigureShouldRenderAtItsOwnSizeAndSurviveItsCopies();

    // Life cycle: a child meets exactly one task and one thing to do on opening.
    void openingShouldShowOneTaskWithOnlyContaOffered_data() { addLevelRows(); }
    void openingShouldShowOneTaskWithOnlyContaOffered();
    // The next task starts clean but the session's counts and times go on.
    void avantiShouldClearTheAnswerAndTimeTheNewTaskAlone_data() { addFormRows(); }
    void avantiShouldClearTheAnswerAndTimeTheNewTaskAlone();
    // Counting again must not change what is to be counted.
    void ricominciaInTheCountingWindowShouldClearTheLineButKeepTheFigures();
    // Rebuilding again removes the child's figures, never the number to rebuild.
    void ricominciaInTheSetWindowShouldEmptyThePicturesButKeepTheTask();
    // Only the counting window leads back to the choices.
    void closingShouldReturnToTheStartWindowOnlyFromTheCountingWindow_data() { addFormRows(); }
    void closingShouldReturnToTheStartWindowOnlyFromTheCountingWindow();
    // The window object outlives its window: the counts go on, the labels start empty.
    void reopeningShouldContinueTheCountsBehindFreshLabels_data() { addFormRows(); }
    void reopeningShouldContinueTheCountsBehindFreshLabels();
    // The statistics captions share the array of column 5 but are not part of the grid.
    void hidingTheGridShouldLeaveThePanelCaptionsInSight_data() { addFormRows(); }
    void hidingTheGridShouldLeaveThePanelCaptionsInSight();

private:
    ExerciseWindow& exercise(int form) { return exerciseOf(*program, form); }
    std::unique_ptr<Program> program;
};

void ExerciseWindowsTest::everyControlShouldMatchTheDesign_data()
{
    QTest::addColumn<int>("form");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("container");
    QTest::addColumn<QRectF>("rect");
    QTest::addColumn<bool>("checkCaption");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("back");
    QTest::addColumn<int>("fore");
    QTest::addColumn<int>("border");
    const auto add = [](int only, const QString& name, const char* container, QRectF rect,
                        const char* caption, int back, int fore, int border) {
        for (int form : exerciseChoices()) {
            if (only == 0 || only == form)
                QTest::addRow("w%d %s", form, qPrintable(name))
                    << form << name << QString::fromLatin1(container) << rect << (caption != nullptr)
                    << QString::fromUtf8(caption) << back << fore << border;
        }
    };
    for (const Definition& d : kDefinitions)
        add(d.form, QLatin1String(d.name), d.container, QRectF(d.left, d.top, d.width, d.height), d.caption,
            d.back, d.fore, d.border);
    for (std::size_t k = 1; k <= 20; ++k)
        add(0, QStringLiteral("Shape1(%1)").arg(k), "Frame4",
            QRectF(kDiscLefts[k], k == 20 ? 165 : 180, 495, 495), nullptr, 0xFF0000, kNo, kNo);
    for (std::size_t i = 0; i < kTickLefts.size(); ++i)
        add(0, QStringLiteral("Label23(%1)").arg(i), "Frame4", QRectF(kTickLefts[i], kTickTops[i], 60, 390),
            nullptr, 0x000000, kNo, kNo);
    for (int form : exerciseChoices()) {
        for (const SlotRow& row : form == 1 ? std::to_array(kCountSlots) : std::to_array(kSetSlots)) {
            for (int i = 0; i < (form == 1 ? 12 : 10); ++i) {
                const int index = row.first + i;
                add(form, QStringLiteral("Image2(%1)").arg(index), "FraSfondoS",
                    QRectF(row.lefts[static_cast<std::size_t>(i)], slotTop(form, index), 750, 750), nullptr,
                    kNo, kNo, kNo);
            }
        }
    }
}

void ExerciseWindowsTest::everyControlShouldMatchTheDesign()
{
    QFETCH(int, form);
    QFETCH(QString, name);
    QFETCH(bool, checkCaption);
    QFETCH(int, back);
    QFETCH(int, fore);
    QFETCH(int, border);
    ExerciseWindow& w = exercise(form);
    w.Load(); // no level chosen: the captions keep their design text
    auto* control = dynamic_cast<ui::VisualControl*>(w.findControl(name));
    QVERIFY2(control, qPrintable(name));
    const QWidget* widget = control->widget();
    QTEST(widget->parentWidget()->objectName(), "container");
    QTEST(control->twipRect().value(), "rect");
    if (checkCaption)
        QTEST(captionOf(widget), "caption");
    const auto expected = [](int rgb) {
        return rgb == kWhite ? QStringLiteral("white") : QColor(QRgb(rgb)).name();
    };
    if (back != kNo)
        QVERIFY2(colourMatches(backOf(widget), expected(back)), qPrintable(backOf(widget)));
    if (fore != kNo)
        QVERIFY2(colourMatches(foreOf(widget), expected(fore)), qPrintable(foreOf(widget)));
    if (border != kNo)
        QCOMPARE(borderOf(widget), border);
    if (name.startsWith(QLatin1String("Shape1(")))
        QCOMPARE(qobject_cast<const ui::Shape*>(widget)->shape(), ui::ShapeKind::Circle);
}

void ExerciseWindowsTest::windowShouldOpenInPinkWithItsFontsAndTabOrder()
{
    QFETCH(int, form);
    ExerciseWindow& w = exercise(form);
    QVERIFY(open(*program, w, 1));
    QTEST(w.window()->windowTitle(), "title");
    QCOMPARE(w.client()->size(), QSize(794, 576));
    QCOMPARE(QSizeF(w.ScaleWidth().value(), w.ScaleHeight().value()), QSizeF(11910, 8640));
    // Bottom left, below the result: no control covers it.
    QCOMPARE(w.client()->grab().toImage().pixelColor(5, 570).name(), QStringLiteral("#ffc0ff"));
    QCOMPARE(w.LblTempoParziale->toolTip(), QStringLiteral("Secondi impiegati per ogni risposta"));
    QCOMPARE(w.LblTempoTotale->toolTip(), QStringLiteral("Secondi impiegati per ogni esercizio"));
    using Text = std::tuple<ui::VisualControl*, const char*, int, bool>; // family, pixel size, bold
    const Text texts[] = {
        {w.LabelOb, "Times New Roman", 29, true},
        {w.Label21, "Times New Roman", 29, true},
        {w.CmdRicomincia, "MS Sans Serif", 24, true},
        {w.CmdContaElementi, "MS Sans Serif", 24, true},
        {w.CmdVerifica, "MS Sans Serif", 24, true},
        {w.CmdOperazione, "MS Sans Serif", form == 1 ? 24 : 18, true},
        {w.LblEsito, "Arial", 96, false},
        {w.LblOperazione, "Arial", 19, true},
        {w.lblRisEsatte, "Arial", 19, true},
        {w.lblRisErrate, "Arial", 19, true},
        {w.LblTempoParziale, "Arial", 19, true},
        {w.LblTempoTotale, "Arial", 19, true},
    };
    for (const auto& [control, family, pixelSize, bold] : texts) {
        const QFont font = control->widget()->font();
        const QString name = control->qualifiedName();
        QVERIFY2(font.family() == QLatin1String(family), qPrintable(name));
        QVERIFY2(font.pixelSize() == pixelSize, qPrintable(name));
        QVERIFY2(font.bold() == bold, qPrintable(name));
    }
    const std::array<ui::CommandButton*, 4> buttons{w.CmdRicomincia, w.CmdContaElementi, w.CmdOperazione,
                                                    w.CmdVerifica};
    const std::array<int, 4> tabs = form == 1 ? std::array{6, 5, 4, 7} : std::array{5, 4, 3, 6};
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        QCOMPARE(buttons[i]->TabIndex(), tabs[i]);
        QCOMPARE(buttons[i]->style(), form == 1 ? ui::ButtonStyle::Graphical : ui::ButtonStyle::Standard);
        if (form == 1)
            QCOMPARE(backOf(buttons[i]), QStringLiteral("#ffe0c0"));
    }
}

void ExerciseWindowsTest::drawingOrderShouldKeepDiscsAndPicturesInSight()
{
    QFETCH(int, form);
    QFETCH(bool, discsAbove);
    ExerciseWindow& w = exercise(form);
    w.Load();
    // Later children are drawn on top.
    const QObjectList line = w.Frame4->children();
    QList<QObject*> marks{w.Label22};
    w.Label23.forEach([&](int, ui::Label& tick) { marks << &tick; });
    QCOMPARE(marks.size(), 6);
    w.Shape1.forEach([&](int k, ui::Shape& disc) {
        for (QObject* mark : marks)
            QVERIFY2((line.indexOf(&disc) > line.indexOf(mark)) == discsAbove,
                     qPrintable(QStringLiteral("Shape1(%1) / %2").arg(k).arg(mark->objectName())));
    });
    const QObjectList board = w.FraSfondoS->children();
    w.Image2.forEach([&](int k, ui::Image& slot) {
        QVERIFY2(board.indexOf(&slot) > board.indexOf(w.Shape2), qPrintable(QString::number(k)));
    });
}

void ExerciseWindowsTest::everyGridCellShouldHangInItsStackInItsColour_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("index");
    QTest::addColumn<QRectF>("rect");
    QTest::addColumn<QString>("colour");
    for (int n = 1; n <= 20; ++n) {
        const auto [first, second] = stacksOf(n);
        QCOMPARE(first.size() + second.size(), n);
        for (int stack = 0; stack < 2; ++stack) {
            const QList<int>& cells = stack == 0 ? first : second;
            const double left = kColumnLefts[static_cast<std::size_t>(n)] + 195.0 * stack;
            for (int row = 0; row < static_cast<int>(cells.size()); ++row)
                QTest::addRow("Label%d(%d)", n, cells[row])
                    << n << cells[row] << QRectF(left, 105 + 195.0 * row, 180, 180)
                    << expectedCellColour(n, stack == 1);
        }
    }
}

void ExerciseWindowsTest::everyGridCellShouldHangInItsStackInItsColour()
{
    QFETCH(int, column);
    QFETCH(int, index);
    QFETCH(QString, colour);
    for (int form : exerciseChoices()) {
        ExerciseWindow& w = exercise(form);
        w.Load();
        QVERIFY(w.LabelN[static_cast<std::size_t>(column)].contains(index));
        const ui::Label& square = w.LabelN[static_cast<std::size_t>(column)](index);
        QCOMPARE(square.objectName(), QStringLiteral("Label%1(%2)").arg(column).arg(index));
        QCOMPARE(square.parentWidget()->objectName(), QStringLiteral("Frame1"));
        QTEST(square.twipRect().value(), "rect");
        const QString shown = hexOf(square.BackColor(), &square);
        QVERIFY2(colourMatches(shown, colour), qPrintable(shown));
        QVERIFY(square.bordered());
    }
}

void ExerciseWindowsTest::collectionShouldHoldEveryControlOnce()
{
    QFETCH(int, form);
    QFETCH(int, lowestSlot);
    QFETCH(int, highestSlot);
    ExerciseWindow& w = exercise(form);
    w.Load();
    QCOMPARE(w.Image2.lowerBound(), lowestSlot);
    QCOMPARE(w.Image2.upperBound(), highestSlot);
    const int slotCount = highestSlot - lowestSlot + 1;
    QCOMPARE(w.Image2.count(), slotCount);
    // Titles 2, board 2 and slots, line 1 + 20 + 1 + 5, grid 1 + 210, buttons 4, panel 2 + 5 + 5.
    const int count = 258 + slotCount;
    QCOMPARE(static_cast<int>(w.Controls().size()), count);
    std::set<const QWidget*> registered;
    QSet<QString> names;
    for (const ui::Control* c : w.Controls()) {
        auto* v = dynamic_cast<const ui::VisualControl*>(c);
        QVERIFY2(v, qPrintable(c->qualifiedName()));
        QVERIFY2(registered.insert(v->widget()).second, qPrintable(c->qualifiedName()));
        names.insert(c->qualifiedName());
    }
    QCOMPARE(static_cast<int>(names.size()), count);
    const QList<QWidget*> children = w.client()->findChildren<QWidget*>();
    QCOMPARE(static_cast<int>(children.size()), count);
    for (const QWidget* child : children)
        QVERIFY2(registered.count(child) == 1, qPrintable(child->objectName()));
}

void ExerciseWindowsTest::layoutShouldScaleWithTheWindowAndComeBackExactly()
{
    QFETCH(int, form);
    program->windows.settings().applyLevelPreset(2);
    ExerciseWindow& w = exercise(form);
    w.Load();
    std::vector<QRectF> design;
    for (const ui::Control* c : w.Controls())
        design.emplace_back(c->Left().value(), c->Top().value(), c->Width().value(), c->Height().value());
    QVERIFY(open(w));
    const auto pixels = [&] {
        std::vector<QRect> geometry;
        for (const ui::Control* c : w.Controls())
            geometry.push_back(dynamic_cast<const ui::VisualControl*>(c)->widget()->geometry());
        return geometry;
    };
    const std::vector<QRect> before = pixels();
    const QSize size = w.window()->size();

    w.window()->resize(size.width() * 2, size.height());
    QCOMPARE(w.ScaleWidth().value(), 2 * 11910.0);
    int hidden = 0;
    for (std::size_t i = 0; i < design.size(); ++i) {
        const ui::Control* c = w.Controls()[i];
        const QString name = c->qualifiedName();
        hidden += dynamic_cast<const ui::VisualControl*>(c)->Visible() ? 0 : 1;
        QVERIFY2(qAbs(c->Left().value() - 2 * design[i].left()) < 0.01, qPrintable(name));
        QVERIFY2(qAbs(c->Width().value() - 2 * design[i].width()) < 0.01, qPrintable(name));
        QVERIFY2(qAbs(c->Top().value() - design[i].top()) < 0.01, qPrintable(name));
        QVERIFY2(qAbs(c->Height().value() - design[i].height()) < 0.01, qPrintable(name));
    }
    QVERIFY(hidden >= 190); // most of the grid, at least, is hidden and was moved all the same

    w.window()->resize(0, 0);
    w.client()->resize(0, 0); // as a minimised window reports
    QCOMPARE(w.Frame1->twipRect().value(), QRectF(0, 0, 0, 0));
    w.window()->resize(size);
    const std::vector<QRect> after = pixels();
    for (std::size_t i = 0; i < before.size(); ++i)
        QVERIFY2(after[i] == before[i], qPrintable(w.Controls()[i]->qualifiedName()));
}

void ExerciseWindowsTest::everyFigureShouldRenderAtItsOwnSizeAndSurviveItsCopies_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<QSize>("size");
    const QSize sizes[] = {{45, 55}, {45, 59}, {46, 56}, {42, 62}, {48, 46}, {49, 47},
                           {54, 55}, {49, 50}, {48, 48}, {48, 48}, {48, 48}, {48, 48}};
    QTest::newRow("0 empty") << 0 << QSize();
    for (int k = 1; k <= 12; ++k)
        QTest::addRow("%d", k) << k << sizes[k - 1];
}

void ExerciseWindowsTest::everyFigureShouldRenderAtItsOwnSizeAndSurviveItsCopies()
{
    QFETCH(int, k);
    QFETCH(QSize, size);
    pictures::PictureStore& store = program->windows.FrmFigure();
    const ui::Picture picture = store.Image3(k);
    QCOMPARE(picture.isEmpty(), k == 0);
    QCOMPARE(picture.size(), size);
    QCOMPARE(picture.pixmap(1.0).isNull(), k == 0);
    for (double ratio : {1.0, 2.0}) {
        const QImage image = picture.pixmap(ratio).toImage();
        if (k == 0)
            break;
        QCOMPARE(image.size(), (QSizeF(size) * ratio).toSize());
        QCOMPARE(image.devicePixelRatio(), ratio);
        // Every figure stands on nothing: a ground of its own would cut the board's red frame.
        for (const QPoint corner : {QPoint(0, 0), QPoint(image.width() - 1, 0), QPoint(0, image.height() - 1),
                                    QPoint(image.width() - 1, image.height() - 1)})
            QVERIFY2(image.pixelColor(corner).alpha() == 0,
                     qPrintable(QStringLiteral("corner %1,%2").arg(corner.x()).arg(corner.y())));
        // Something is drawn: a failed rendering leaves one flat colour.
        QSet<QRgb> colours;
        for (int y = 0; y < image.height(); y += 2) {
            for (int x = 0; x < image.width(); x += 2)
                colours.insert(image.pixel(x, y));
        }
        QVERIFY2(colours.size() > 3, qPrintable(QString::number(colours.size())));
    }
    // A slot holds a copy: emptying it leaves the store as it was.
    for (int form : exerciseChoices()) {
        exercise(form).Load();
        ui::Image& slot = exercise(form).Image2(1);
        slot.setPicture(store.Image3(k));
        QCOMPARE(slot.Picture(), picture);
        slot.setPicture(store.Image3(0));
        QVERIFY(slot.Picture().isEmpty());
        QCOMPARE(store.Image3(k), picture);
        QCOMPARE(store.Image3(k).size(), size);
    }
}

void ExerciseWindowsTest::openingShouldShowOneTaskWithOnlyContaOffered()
{
    QFETCH(int, form);
    QFETCH(int, level);
    QFETCH(int, minimo);
    QFETCH(int, massimo);
    ExerciseWindow& w = exercise(form);
    QVERIFY(open(*program, w, level));
    checkFreshTask(*program, w, form);
    QCOMPARE(w.LblOperazione->Caption(), QStringLiteral("1"));
    QCOMPARE(w.Label21->Caption(), QString::fromUtf8("Difficoltà: livello %1").arg(level + 1));
    QVERIFY2(w.NumeroElementi >= minimo && w.NumeroElementi <= massimo,
             qPrintable(QString::number(w.NumeroElementi)));
}

void ExerciseWindowsTest::avantiShouldClearTheAnswerAndTimeTheNewTaskAlone()
{
    QFETCH(int, form);
    ExerciseWindow& w = exercise(form);
    QVERIFY(open(*program, w, 2)); // 10..20, so three presses are always wrong
    answer(*program, w, 3, 7);
    QCOMPARE(w.LblEsito->Caption(), QStringLiteral("ERRATO"));
    QCOMPARE(w.LblTempoParziale->Caption(), QStringLiteral(" 7"));
    program->clock.advance(0.37);
    press(w.CmdOperazione);
    checkFreshTask(*program, w, form);
    QVERIFY(w.NumeroElementi >= 10 && w.NumeroElementi <= 20);
    QCOMPARE(w.RisposteErrate.value(), 1);
    QCOMPARE(w.lblRisErrate->Caption(), QStringLiteral("1"));
    QCOMPARE(w.LblTempoParziale->Caption(), QStringLiteral(" 7"));
    QCOMPARE(w.LblTempoTotale->Caption(), QStringLiteral(" 7"));
    // The new task is timed from its own start, not from the first one.
    answer(*program, w, 1, 4);
    QCOMPARE(w.LblTempoParziale->Caption(), QStringLiteral(" 4"));
    QCOMPARE(w.LblTempoTotale->Caption(), QStringLiteral(" 11"));
}

void ExerciseWindowsTest::ricominciaInTheCountingWindowShouldClearTheLineButKeepTheFigures()
{
    auto& w = program->windows.frmOperativo1();
    QVERIFY(open(*program, w, 1));
    const QList<int> placed = shownSlots(w);
    const int figura = w.Figura;
    pressConta(w, 4);
    QCOMPARE(shownDiscs(w), oneTo(4));
    press(w.CmdRicomincia);
    QCOMPARE(w.Conteggio, 0);
    QCOMPARE(shownDiscs(w), QList<int>());
    QCOMPARE(shownColumns(w), QList<int>());
    QCOMPARE(shownSlots(w), placed);
    QCOMPARE(w.Figura, figura);
    for (int k : placed)
        QCOMPARE(w.Image2(k).Picture(), program->windows.FrmFigure().Image3(figura));
    press(w.CmdContaElementi);
    QCOMPARE(shownDiscs(w), QList<int>{1});
    QCOMPARE(shownColumns(w), QList<int>{1});
}

void ExerciseWindowsTest::ricominciaInTheSetWindowShouldEmptyThePicturesButKeepTheTask()
{
    auto& w = program->windows.frmOperativo2();
    QVERIFY(open(*program, w, 1));
    const int n = w.NumeroElementi;
    pressConta(w, 3);
    QCOMPARE(filledSlots(w), oneTo(3));
    press(w.CmdRicomincia);
    QCOMPARE(w.Conteggio, 0);
    QCOMPARE(filledSlots(w), QList<int>());
    QCOMPARE(shownSlots(w), oneTo(20));
    QCOMPARE(shownDiscs(w), oneTo(n));
    QCOMPARE(shownColumns(w), QList<int>{n});
    QCOMPARE(w.NumeroElementi, n);
    press(w.CmdContaElementi);
    QCOMPARE(filledSlots(w), QList<int>{1});
}

void ExerciseWindowsTest::closingShouldReturnToTheStartWindowOnlyFromTheCountingWindow()
{
    QFETCH(int, form);
    QFETCH(bool, backToStart);
    ExerciseWindow& w = exercise(form);
    QVERIFY(open(*program, w, 0));
    QVERIFY(!program->windows.FrmInizio().isLoaded());
    w.window()->close();
    QVERIFY(!w.isLoaded());
    auto& start = program->windows.FrmInizio();
    QCOMPARE(start.isLoaded(), backToStart);
    if (backToStart)
        QVERIFY(start.window()->isVisible());
}

void ExerciseWindowsTest::reopeningShouldContinueTheCountsBehindFreshLabels()
{
    QFETCH(int, form);
    ExerciseWindow& w = exercise(form);
    QVERIFY(open(*program, w, 0));
    answer(*program, w, w.NumeroElementi, 7);
    press(w.CmdOperazione);
    answer(*program, w, w.NumeroElementi + 1, 7);
    QCOMPARE(w.LblTempoTotale->Caption(), QStringLiteral(" 14"));
    w.window()->close();
    QVERIFY(!w.isLoaded());

    QVERIFY(open(w));
    QCOMPARE(w.RisposteEsatte.value(), 1);
    QCOMPARE(w.RisposteErrate.value(), 1);
    QCOMPARE(w.SecondiTotali, 14);
    for (const ui::Label* l : {w.lblRisEsatte, w.lblRisErrate, w.LblTempoParziale, w.LblTempoTotale})
        QVERIFY2(l->Caption().isEmpty(), qPrintable(l->objectName()));
    QCOMPARE(w.LblOperazione->Caption(), QStringLiteral("1"));
    QCOMPARE(w.LblEsito->Caption(), QString());
    answer(*program, w, w.NumeroElementi, 5);
    QCOMPARE(w.LblEsito->Caption(), QStringLiteral("ESATTO"));
    QCOMPARE(w.lblRisEsatte->Caption(), QStringLiteral("2"));
    QCOMPARE(w.LblTempoParziale->Caption(), QStringLiteral(" 5"));
    QCOMPARE(w.LblTempoTotale->Caption(), QStringLiteral(" 19"));
}

void ExerciseWindowsTest::hidingTheGridShouldLeaveThePanelCaptionsInSight()
{
    QFETCH(int, form);
    ExerciseWindow& w = exercise(form);
    QVERIFY(open(*program, w, 1));
    answer(*program, w, 3);
    program->clock.advance(0.37);
    press(w.CmdOperazione);
    QCOMPARE(shownColumns(w), form == 1 ? QList<int>() : QList<int>{w.NumeroElementi});
    for (int i : {0, 6, 7, 8, 9})
        QVERIFY2(w.LabelN[5](i).Visible(), qPrintable(QString::number(i)));
}

QTEST_MAIN(ExerciseWindowsTest)
#include "test_exercise_windows.moc"
