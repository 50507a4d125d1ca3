#include "exercises/count/count_window.h"

#include "app/window_set.h"
#include "pictures/picture_store.h"
#include "ui/runtime.h"
#include "ui/services.h"
#include "ui/twips.h"
#include "windows/start/start_window.h"

namespace count {

using ui::twips;

namespace {

exercise::ExerciseDesign countDesign()
{
    exercise::ExerciseDesign d;
    d.name = QStringLiteral("frmOperativo1");
    d.caption = QStringLiteral("Saper zanfilo");
    d.labelOb = {twips(75, 30, 11445, 435), QStringLiteral("Zanfilo"), ui::Colour::hex(0xFFE0C0)};
    d.label21 = {twips(75, 465, 11430, 435), QString(), ui::Colour::hex(0xFFE0C0)};
    d.fraSfondoS = twips(90, 924, 11430, 1788);
    d.shape2 = twips(30, -15, 11370, 1710);
    constexpr std::array<ui::Twips, 12> top{twips(495),  twips(1350), twips(2220), twips(3150),
                                            twips(4080), twips(5010), twips(5925), twips(6840),
                                            twips(7710), twips(8580), twips(9450), twips(10380)};
    constexpr std::array<ui::Twips, 12> bottom{twips(465),  twips(1350), twips(2205), twips(3165),
                                               twips(4080), twips(5010), twips(5925), twips(6840),
                                               twips(7710), twips(8580), twips(9450), twips(10380)};
    for (int i = 0; i < 12; ++i)
        d.pictureSlots.push_back({i, top[static_cast<std::size_t>(i)], twips(i < 8 ? 60.0 : 75.0)});
    for (int i = 0; i < 12; ++i)
        d.pictureSlots.push_back(
            {12 + i, bottom[static_cast<std::size_t>(i)], twips(i < 11 ? 915.0 : 900.0)});
    d.frame4 = twips(90, 2652, 11430, 804);
    d.frame1 = twips(90, 3384, 11430, 2388);
    d.frame1Back = ui::Colour::hex(0xFFFFC0);
    d.frame1Bordered = true;
    d.discsAboveLine = true;
    d.buttonStyle = ui::ButtonStyle::Graphical;
    d.ricomincia = {twips(1080, 5745, 3075, 720), 6, 18};
    d.conta = {twips(4200, 5760, 3075, 720), 5, 18};
    d.operazione = {twips(4215, 5775, 3060, 720), 4, 18};
    d.verifica = {twips(7335, 5745, 3075, 720), 7, 18};
    return d;
}

} // namespace

FrmOperativo1::FrmOperativo1(app::WindowSet& windows) : exercise::ExerciseWindow(windows, countDesign())
{
}

void FrmOperativo1::primoCompito()
{
    CmdOperazione_Click();
}

void FrmOperativo1::svuotaPosti()
{
    Image2.forEach([](int, ui::Image& slot) { slot.setVisible(false); });
}

void FrmOperativo1::PreparaOperazione()
{
    for (int k = 1; k <= 20; ++k)
        Shape1(k).setVisible(false);
    ui::RandomSource& random = runtime().random();
    random.randomize(runtime().clock().timeOfDay());
    const CountTask task =
        drawCountTask(random, windows_.settings().minimo(), windows_.settings().ValoreMassimo);
    Figura = task.figura;
    NumeroElementi = task.numeroElementi;
    Posizioni = task.posizioni;
    const ui::Picture picture = windows_.FrmFigure().Image3(Figura);
    for (int k = 1; k <= NumeroElementi; ++k) {
        ui::Image& slot = Image2(Posizioni[static_cast<std::size_t>(k)]);
        slot.setVisible(true);
        slot.setPicture(picture);
    }
    TempoInizio = runtime().clock().monotonicSeconds();
}

void FrmOperativo1::mostraConteggio()
{
    Shape1(Conteggio).setVisible(true);
    NascondiGriglia();
    mostraColonna(Conteggio);
}

void FrmOperativo1::ricomincia()
{
    NascondiSegni();
    NascondiGriglia();
}

void FrmOperativo1::Form_Unload()
{
    // Back to the choices; while the program ends this brings nothing back.
    windows_.FrmInizio().Show();
}

} // namespace count
