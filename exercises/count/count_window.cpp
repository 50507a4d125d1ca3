#include "exercises/count/count_window.h"

#include "pictures/picture_store.h"
#include "ui/runtime.h"
#include "ui/services.h"
#include "exercises/levels.h"

namespace count {

namespace {

exercise::ExerciseDesign countDesign()
{
    exercise::ExerciseDesign d;
    d.name = QStringLiteral("frmOperativo1");
    d.caption = QStringLiteral("Saper zanfilo");
    d.labelOb = {{75, 30, 11445, 435}, QStringLiteral("Zanfilo"), ui::Colour::hex(0xFFE0C0)};
    d.label21 = {{75, 465, 11430, 435}, QString(), ui::Colour::hex(0xFFE0C0)};
    d.fraSfondoS = {90, 924, 11430, 1788};
    d.shape2 = {30, -15, 11370, 1710};
    constexpr std::array<double, 12> top{495,  1350, 2220, 3150, 4080, 5010,
                                         5925, 6840, 7710, 8580, 9450, 10380};
    constexpr std::array<double, 12> bottom{465,  1350, 2205, 3165, 4080, 5010,
                                            5925, 6840, 7710, 8580, 9450, 10380};
    for (int i = 0; i < 12; ++i)
        d.pictureSlots.push_back({i, top[static_cast<std::size_t>(i)], i < 8 ? 60.0 : 75.0});
    for (int i = 0; i < 12; ++i)
        d.pictureSlots.push_back({12 + i, bottom[static_cast<std::size_t>(i)], i < 11 ? 915.0 : 900.0});
    d.frame4 = {90, 2652, 11430, 804};
    d.frame1 = {90, 3384, 11430, 2388};
    d.frame1Back = ui::Colour::hex(0xFFFFC0);
    d.frame1Bordered = true;
    d.discsAboveLine = true;
    d.buttonStyle = ui::ButtonStyle::Graphical;
    d.ricomincia = {{1080, 5745, 3075, 720}, 6, 18};
    d.conta = {{4200, 5760, 3075, 720}, 5, 18};
    d.operazione = {{4215, 5775, 3060, 720}, 4, 18};
    d.verifica = {{7335, 5745, 3075, 720}, 7, 18};
    return d;
}

} // namespace

FrmOperativo1::FrmOperativo1(const exercise::ExerciseServices& services, std::function<void()> showStart)
    : exercise::ExerciseWindow(services, countDesign()), showStart_(std::move(showStart))
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
        drawCountTask(random, settings_.minimo(), settings_.ValoreMassimo);
    Figura = task.figura;
    NumeroElementi = task.numeroElementi;
    Posizioni = task.posizioni;
    const ui::Picture picture = figures_.Image3(Figura);
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
    showStart_();
}

} // namespace count
