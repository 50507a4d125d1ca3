#include "exercises/set/set_window.h"

#include "app/window_set.h"
#include "exercises/set/set_task.h"
#include "pictures/picture_store.h"
#include "ui/runtime.h"
#include "ui/services.h"
#include "ui/twips.h"

namespace set {

using ui::twips;

namespace {

exercise::ExerciseDesign setDesign()
{
    exercise::ExerciseDesign d;
    d.name = QStringLiteral("frmOperativo2");
    d.caption = QStringLiteral("Saper ricostruire l'insieme");
    d.labelOb = {twips(60, 30, 11445, 495), QStringLiteral("Costruire l'insieme"), ui::Colour::hex(0xFFC0FF)};
    d.label21 = {twips(75, 405, 11445, 495), QStringLiteral("Zanfilo"), ui::Colour::hex(0xFFC0FF)};
    d.fraSfondoS = twips(90, 900, 11430, 1752);
    d.shape2 = twips(60, 15, 11325, 1680);
    constexpr std::array<ui::Twips, 10> top{twips(240),  twips(1110), twips(2040), twips(2970), twips(3900),
                                            twips(4815), twips(5730), twips(6600), twips(7470), twips(8340)};
    constexpr std::array<ui::Twips, 10> bottom{twips(225),  twips(1110), twips(2040), twips(2940),
                                               twips(3900), twips(4830), twips(5745), twips(6600),
                                               twips(7470), twips(8340)};
    for (int i = 0; i < 10; ++i)
        d.pictureSlots.push_back({1 + i, top[static_cast<std::size_t>(i)], twips(i < 7 ? 60.0 : 75.0)});
    for (int i = 0; i < 10; ++i)
        d.pictureSlots.push_back({11 + i, bottom[static_cast<std::size_t>(i)], twips(i < 2 ? 900.0 : 915.0)});
    d.frame4 = twips(0, 2625, 11430, 804);
    d.frame1 = twips(90, 3405, 11475, 2385);
    d.frame1Back = ui::Colour::hex(0xFFC0FF);
    d.frame1Bordered = false;
    d.discsAboveLine = false;
    d.buttonStyle = ui::ButtonStyle::Standard;
    d.ricomincia = {twips(210, 5775, 3075, 720), 5, 18};
    d.conta = {twips(3315, 5745, 3075, 720), 4, 18};
    d.operazione = {twips(6480, 5745, 3960, 720), 3, 13.5};
    d.verifica = {twips(6495, 5745, 3075, 720), 6, 18};
    return d;
}

} // namespace

FrmOperativo2::FrmOperativo2(app::WindowSet& windows) : exercise::ExerciseWindow(windows, setDesign())
{
}

void FrmOperativo2::primoCompito()
{
    // A freshly loaded window shows no result and no pictures: only the task is needed.
    Conteggio = 0;
    PreparaOperazione();
}

void FrmOperativo2::svuotaPosti()
{
    const ui::Picture empty = windows_.FrmFigure().Image3(0);
    Image2.forEach([&](int, ui::Image& slot) { slot.setPicture(empty); });
}

void FrmOperativo2::PreparaOperazione()
{
    ui::RandomSource& random = runtime().random();
    random.randomize(runtime().clock().timeOfDay());
    const SetTask task = drawSetTask(random, windows_.settings().minimo(), windows_.settings().ValoreMassimo);
    NumeroElementi = task.numeroElementi;
    for (int k = 1; k <= 20; ++k)
        Shape1(k).setVisible(false);
    for (int k = 1; k <= NumeroElementi && k <= 20; ++k)
        Shape1(k).setVisible(true);
    mostraColonna(NumeroElementi);
    Figura = task.figura;
    TempoInizio = runtime().clock().monotonicSeconds();
}

void FrmOperativo2::mostraConteggio()
{
    Image2(Conteggio).setPicture(windows_.FrmFigure().Image3(Figura));
}

void FrmOperativo2::ricomincia()
{
    Conteggio = 0;
    svuotaPosti();
}

} // namespace set
