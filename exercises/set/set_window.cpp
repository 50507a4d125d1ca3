#include "exercises/set/set_window.h"

#include "exercises/levels.h"
#include "exercises/set/set_task.h"
#include "pictures/picture_store.h"
#include "ui/runtime.h"
#include "ui/services.h"

namespace set {

namespace {

exercise::ExerciseDesign setDesign()
{
    exercise::ExerciseDesign d;
    d.name = QStringLiteral("frmOperativo2");
    d.caption = QStringLiteral("Saper ricostruire l'insieme");
    d.labelOb = {{60, 30, 11445, 495}, QStringLiteral("Costruire l'insieme"), ui::Colour::hex(0xFFC0FF)};
    d.label21 = {{75, 405, 11445, 495}, QStringLiteral("Zanfilo"), ui::Colour::hex(0xFFC0FF)};
    d.fraSfondoS = {90, 900, 11430, 1752};
    d.shape2 = {60, 15, 11325, 1680};
    constexpr std::array<double, 10> top{240, 1110, 2040, 2970, 3900, 4815, 5730, 6600, 7470, 8340};
    constexpr std::array<double, 10> bottom{225, 1110, 2040, 2940, 3900, 4830, 5745, 6600, 7470, 8340};
    for (int i = 0; i < 10; ++i)
        d.pictureSlots.push_back({1 + i, top[static_cast<std::size_t>(i)], i < 7 ? 60.0 : 75.0});
    for (int i = 0; i < 10; ++i)
        d.pictureSlots.push_back({11 + i, bottom[static_cast<std::size_t>(i)], i < 2 ? 900.0 : 915.0});
    d.frame4 = {0, 2625, 11430, 804};
    d.frame1 = {90, 3405, 11475, 2385};
    d.frame1Back = ui::Colour::hex(0xFFC0FF);
    d.frame1Bordered = false;
    d.discsAboveLine = false;
    d.buttonStyle = ui::ButtonStyle::Standard;
    d.ricomincia = {{210, 5775, 3075, 720}, 5, 18};
    d.conta = {{3315, 5745, 3075, 720}, 4, 18};
    d.operazione = {{6480, 5745, 3960, 720}, 3, 13.5};
    d.verifica = {{6495, 5745, 3075, 720}, 6, 18};
    return d;
}

} // namespace

FrmOperativo2::FrmOperativo2(const exercise::ExerciseServices& services)
    : exercise::ExerciseWindow(services, setDesign())
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
    const ui::Picture empty = figures_.Image3(0);
    Image2.forEach([&](int, ui::Image& slot) { slot.setPicture(empty); });
}

void FrmOperativo2::PreparaOperazione()
{
    ui::RandomSource& random = runtime().random();
    random.randomize(runtime().clock().timeOfDay());
    const SetTask task = drawSetTask(random, settings_.minimo(), settings_.ValoreMassimo);
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
    Image2(Conteggio).setPicture(figures_.Image3(Figura));
}

void FrmOperativo2::ricomincia()
{
    Conteggio = 0;
    svuotaPosti();
}

} // namespace set
