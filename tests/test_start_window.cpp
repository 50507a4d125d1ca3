// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/exercise_support.h"
#include "ui/controls.h"
#include "ui/runtime.h"
#include "windows/start/curtains.h"
#include "windows/start/start_window.h"

#include <QMenuBar>

using namespace testing;

namespace {

// The start window exactly as defined, before any of its code runs.
class DefinitionOnly : public start::FrmInizio
{
public:
    using start::FrmInizio::FrmInizio;

protected:
    void Form_Load() override {}
    void Form_Activate() override {}
};

struct Expected
{
    const char* name;
    const char* container;
    double left, top, width, height;
    const char* caption;
    QRgb back; // 0 when not checked
    QRgb fore; // 0 when not checked
    const char* family;
    int pixelSize;
    bool bold;
};

// Transcribed from the window's design table; positions in twips, fonts as pixel sizes at 96 DPI.
const Expected kDefinition[] = {
    {"Picture1", "client", 0, 0, 120, 8595, "", 0xffff80ff, 0, nullptr, 0, false},
    {"Picture2", "client", 11700, 0, 225, 8595, "", 0xffff80ff, 0, nullptr, 0, false},
    {"frmTitolo", "client", 90, 120, 11385, 1965, "", 0xffffc0ff, 0, nullptr, 0, false},
    {"Label1", "frmTitolo", 9870, 1350, 945, 240, "Vers. 1.2.0", 0, 0, nullptr, 0, false},
    {"Label4", "frmTitolo", 360, 315, 10560, 1245, "ZANFILO", 0xffffc0ff, 0xff0000c0, "Arial", 48, true},
    {"Shape2", "frmTitolo", 90, 210, 10950, 1515, "", 0xffffc0ff, 0, nullptr, 0, false},
    {"Shape1", "frmTitolo", 90, 195, 11025, 1605, "", 0xffff80ff, 0, nullptr, 0, false},
    {"Frame1", "client", 135, 4080, 3630, 3150, "", 0xffffc0ff, 0, nullptr, 0, false},
    {"Option1(0)", "Frame1", 105, 150, 3195, 1380, "Zanfilo", 0xffffe0c0, 0xff0000c0, "Arial", 19, true},
    {"Option1(1)", "Frame1", 105, 1575, 3195, 1380, "Costruire l'insieme", 0xffffe0c0, 0xff0000c0, "Arial",
     18, true},
    {"Label3(0)", "Frame1", 3330, 150, 195, 1305, "", 0xffffc0ff, 0, nullptr, 0, false},
    {"Label3(1)", "Frame1", 3330, 1590, 195, 1305, "", 0xffffc0ff, 0, nullptr, 0, false},
    {"Frame2", "client", 3840, 4110, 3630, 3150, "", 0xffffc0ff, 0, nullptr, 0, false},
    {"Option2(0)", "Frame2", 105, 150, 3195, 930, "", 0xffffe0c0, 0, nullptr, 0, false},
    {"Option2(1)", "Frame2", 105, 1125, 3195, 915, "", 0xffffe0c0, 0, nullptr, 0, false},
    {"Option2(2)", "Frame2", 105, 2070, 3195, 915, "", 0xffffe0c0, 0, nullptr, 0, false},
    {"Label3(2)", "Frame2", 3375, 150, 195, 855, "", 0xffffc0ff, 0, nullptr, 0, false},
    {"Label3(3)", "Frame2", 3375, 1140, 195, 855, "", 0xffffc0ff, 0, nullptr, 0, false},
    {"Label3(4)", "Frame2", 3375, 2100, 195, 855, "", 0xffffc0ff, 0, nullptr, 0, false},
    {"Frame3", "client", 7575, 4230, 3645, 3150, "", 0xffffc0ff, 0, nullptr, 0, false},
    {"Option3(0)", "Frame3", 105, 180, 3195, 915, "Vai", 0xffffe0c0, 0xff0000c0, "Arial", 19, true},
    {"Option3(1)", "Frame3", 105, 1080, 3195, 915, "Reimposta", 0xffffe0c0, 0xff0000c0, "Arial", 19, true},
    {"Option3(2)", "client", 7695, 6270, 3195, 915, "Esci", 0xffffe0c0, 0xff0000c0, "Arial", 19, true},
    {"Label5", "client", 510, 7710, 10815, 465, nullptr, 0xffffc0ff, 0xffc00000, "Arial", 24, true},
};

} // namespace

class StartWindowTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { program = std::make_unique<Program>(); }
    void cleanup() { program.reset(); }

    // Every control stands where the design puts it, in its container, with its texts and colours.
    void everyControlShouldMatchTheDefinition_data();
    void everyControlShouldMatchTheDefinition();
    // The state a child meets before anything happens: nothing chosen, all open, curtains still.
    void windowAsCreatedShouldHaveNoChoiceAndStillCurtains();
    // The layout walks this exact collection; a missing or doubled entry would shift every record.
    void collectionShouldHoldTwentySevenEntriesInDefinitionOrder();
    // The curtains lie in front of every control, so they hide what they cover.
    void curtainsShouldLieInFrontOfEveryOtherControl();
    void windowShouldOpenAtItsDesignInnerSizeCentred();
    void curtainsShouldBeRecordedAtHalfTheWidth();
    // Scaling is proportional and never drifts, whatever sizes come in between.
    void doublingTheWidthShouldDoubleLeftAndWidthOnly();
    void zeroSizeAndBackShouldRestoreTheLayoutExactly();
    void timerAndMenuEntriesShouldNeverBeMoved();

private:
    DefinitionOnly& createDefinitionOnly()
    {
        bare = std::make_unique<DefinitionOnly>(program->windows.runtime(), program->windows.settings(),
                                                start::StartLinks{});
        bare->Load();
        return *bare;
    }
    std::unique_ptr<Program> program;
    std::unique_ptr<DefinitionOnly> bare;
};

void StartWindowTest::everyControlShouldMatchTheDefinition_data()
{
    QTest::addColumn<int>("row");
    for (int i = 0; i < static_cast<int>(std::size(kDefinition)); ++i)
        QTest::newRow(kDefinition[i].name) << i;
}

void StartWindowTest::everyControlShouldMatchTheDefinition()
{
    QFETCH(int, row);
    const Expected& e = kDefinition[row];
    auto& form = createDefinitionOnly();
    auto* control = dynamic_cast<ui::VisualControl*>(form.findControl(QLatin1String(e.name)));
    QVERIFY2(control, e.name);
    QWidget* w = control->widget();
    QCOMPARE(w->parentWidget()->objectName(), QLatin1String(e.container));
    QCOMPARE(control->twipRect().value(), QRectF(e.left, e.top, e.width, e.height));
    if (e.caption)
        QCOMPARE(captionOf(w), QString::fromUtf8(e.caption));
    if (e.back)
        QCOMPARE(backOf(w), QColor(e.back).name());
    if (e.fore)
        QCOMPARE(foreOf(w), QColor(e.fore).name());
    if (e.family) {
        QCOMPARE(w->font().family(), QLatin1String(e.family));
        QCOMPARE(w->font().pixelSize(), e.pixelSize);
        QCOMPARE(w->font().bold(), e.bold);
    }
}

void StartWindowTest::windowAsCreatedShouldHaveNoChoiceAndStillCurtains()
{
    auto& form = createDefinitionOnly();
    QCOMPARE(form.window()->windowTitle(), QStringLiteral("BRENTONI"));
    QVERIFY(!form.window()->windowIcon().isNull());
    for (auto* group : {&form.Option1, &form.Option2, &form.Option3})
        group->forEach([](int, ui::OptionButton& o) { QVERIFY2(!o.Value(), qPrintable(o.objectName())); });
    QVERIFY(form.Frame1->Enabled() && form.Frame2->Enabled() && form.Frame3->Enabled());
    QVERIFY(!form.timerTendine->Enabled());
    QCOMPARE(form.timerTendine->Interval(), 10);
    QCOMPARE(form.Picture1->Width().value(), 120.0);
    QCOMPARE(form.Picture2->Width().value(), 225.0);
    QCOMPARE(form.Picture1->dock(), ui::Dock::Left);
    QCOMPARE(form.Picture2->dock(), ui::Dock::Right);
    QCOMPARE(form.Option2(1).Picture().size(), QSize(160, 60));
    QCOMPARE(form.mnuAutore->Caption(), QStringLiteral("About"));
    QCOMPARE(form.mnu1->Caption(), QString());
    QCOMPARE(form.Label5->Caption().isEmpty(), false);
}

void StartWindowTest::collectionShouldHoldTwentySevenEntriesInDefinitionOrder()
{
    auto& form = createDefinitionOnly();
    QStringList names;
    for (const ui::Control* c : form.Controls())
        names << c->qualifiedName();
    const QStringList expected = {
        "timerTendine", "Picture1",   "Picture2",   "frmTitolo",  "Label1",    "Label4",    "Shape2",
        "Shape1",       "Frame1",     "Option1(1)", "Option1(0)", "Label3(0)", "Label3(1)", "Frame2",
        "Option2(2)",   "Option2(1)", "Option2(0)", "Label3(4)",  "Label3(2)", "Label3(3)", "Option3(2)",
        "Frame3",       "Option3(0)", "Option3(1)", "Label5",     "mnu1",      "mnuAutore"};
    QCOMPARE(names, expected);
}

void StartWindowTest::curtainsShouldLieInFrontOfEveryOtherControl()
{
    auto& form = createDefinitionOnly();
    const QObjectList siblings = form.client()->children();
    const auto position = [&](QObject* o) { return siblings.indexOf(o); };
    // Later children are drawn on top.
    for (QObject* o : siblings) {
        if (o == form.Picture1 || o == form.Picture2 || !o->isWidgetType())
            continue;
        QVERIFY2(position(form.Picture1) > position(o), qPrintable(o->objectName()));
        QVERIFY2(position(form.Picture2) > position(o), qPrintable(o->objectName()));
    }
    // Within the title band the labels lie above the two rounded bands, the inner above the outer.
    const QObjectList title = form.frmTitolo->children();
    QVERIFY(title.indexOf(form.Label4) > title.indexOf(form.Shape2));
    QVERIFY(title.indexOf(form.Shape2) > title.indexOf(form.Shape1));
    // "Esci" lies above Frame3, over whose lower part it stands.
    QVERIFY(position(&form.Option3(2)) > position(form.Frame3));
}

void StartWindowTest::windowShouldOpenAtItsDesignInnerSizeCentred()
{
    auto& form = program->windows.FrmInizio();
    QVERIFY(open(form));
    QCOMPARE(form.client()->size(), QSize(795, 573));
    QCOMPARE(form.ScaleWidth().value(), 11925.0);
    QCOMPARE(form.ScaleHeight().value(), 8595.0);
    QVERIFY(!form.window()->isMaximized());
    const QRect screen = form.window()->screen()->availableGeometry();
    const QPoint centre = form.window()->frameGeometry().center();
    QVERIFY2((centre - screen.center()).manhattanLength() <= 3,
             qPrintable(QDebug::toString(centre) + QDebug::toString(screen.center())));
}

void StartWindowTest::curtainsShouldBeRecordedAtHalfTheWidth()
{
    auto& form = program->windows.FrmInizio();
    form.Load();
    const double half = form.Width().value() / 2;
    QVERIFY(half > 11925 / 2.0); // the outer width includes the frame, so together they cover all
    QCOMPARE(form.Picture1->Width().value(), half);
    QCOMPARE(form.proportions()[1].Larghezza, static_cast<float>(half / 11925));
    QCOMPARE(form.proportions()[2].Larghezza, static_cast<float>(half / 11925));
    QVERIFY(form.timerTendine->Enabled());
}

void StartWindowTest::doublingTheWidthShouldDoubleLeftAndWidthOnly()
{
    auto& form = program->windows.FrmInizio();
    QVERIFY(open(form));
    std::vector<QRectF> before;
    for (ui::Control* c : form.Controls())
        before.emplace_back(c->Left().value(), c->Top().value(), c->Width().value(), c->Height().value());
    const int fontBefore = form.Label4->font().pixelSize();
    form.window()->resize(form.window()->width() * 2, form.window()->height());
    QCOMPARE(form.ScaleWidth().value(), 2 * 11925.0);
    const auto near = [](ui::Twips t, double scale, float share) {
        return qAbs(t.value() - scale * static_cast<double>(share)) < 0.01;
    };
    for (std::size_t i = 0; i < form.Controls().size(); ++i) {
        ui::Control* c = form.Controls()[i];
        if (c->kind() == ui::ControlKind::Timer || c->kind() == ui::ControlKind::Menu)
            continue;
        const auto& r = form.proportions()[i];
        const QString name = c->qualifiedName();
        QVERIFY2(near(c->Width(), 2 * 11925.0, r.Larghezza), qPrintable(name));
        QVERIFY2(near(c->Height(), 8595.0, r.Altezza), qPrintable(name));
        if (c != form.Picture2) {
            QVERIFY2(near(c->Left(), 2 * 11925.0, r.Sinistra), qPrintable(name));
            QVERIFY2(near(c->Top(), 8595.0, r.Alto), qPrintable(name));
        }
        if (c != form.Picture1 && c != form.Picture2) {
            QVERIFY2(qAbs(c->Left().value() - 2 * before[i].left()) < 0.01, qPrintable(name));
            QVERIFY2(qAbs(c->Width().value() - 2 * before[i].width()) < 0.01, qPrintable(name));
            QVERIFY2(qAbs(c->Top().value() - before[i].top()) < 0.01, qPrintable(name));
            QVERIFY2(qAbs(c->Height().value() - before[i].height()) < 0.01, qPrintable(name));
        }
    }
    QCOMPARE(form.Label4->font().pixelSize(), fontBefore);
}

void StartWindowTest::zeroSizeAndBackShouldRestoreTheLayoutExactly()
{
    auto& form = program->windows.FrmInizio();
    QVERIFY(open(form));
    std::vector<QRect> before;
    for (ui::Control* c : form.Controls()) {
        auto* v = dynamic_cast<ui::VisualControl*>(c);
        before.push_back(v ? v->widget()->geometry() : QRect());
    }
    const QSize size = form.window()->size();
    form.window()->resize(0, 0);
    form.client()->resize(0, 0); // as a minimised window reports
    QCOMPARE(form.ScaleWidth().value(), 0.0);
    QCOMPARE(form.Frame1->twipRect().value(), QRectF(0, 0, 0, 0));
    form.window()->resize(size);
    for (std::size_t i = 0; i < form.Controls().size(); ++i) {
        auto* v = dynamic_cast<ui::VisualControl*>(form.Controls()[i]);
        if (v && v != form.Picture1 && v != form.Picture2)
            QCOMPARE(v->widget()->geometry(), before[i]);
    }
}

void StartWindowTest::timerAndMenuEntriesShouldNeverBeMoved()
{
    auto& form = program->windows.FrmInizio();
    QVERIFY(open(form));
    const auto& timer = form.proportions()[0];
    QCOMPARE(timer.Larghezza, 0.0f);
    QCOMPARE(timer.Altezza, 0.0f);
    QCOMPARE(timer.Sinistra, static_cast<float>(form.timerTendine->Left().value() / 11925));
    QCOMPARE(timer.Alto, static_cast<float>(form.timerTendine->Top().value() / 8595));
    QVERIFY(timer.Sinistra > 0);
    for (std::size_t i : {std::size_t{25}, std::size_t{26}}) {
        const auto& menu = form.proportions()[i];
        QCOMPARE(menu.Larghezza + menu.Altezza + menu.Alto + menu.Sinistra, 0.0f);
    }
    const double left = form.timerTendine->Left().value();
    form.window()->resize(300, 200);
    QCOMPARE(form.timerTendine->Left().value(), left);
    QVERIFY(form.menuBar()->actions().contains(form.mnuAutore->action()));
}

QTEST_MAIN(StartWindowTest)
#include "test_start_window.moc"
