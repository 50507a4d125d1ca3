// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "exercises/count/count_window.h"

#include "pictures/picture_store.h"
#include "settings/levels.h"
#include "ui/runtime.h"
#include "ui/services.h"
#include "ui/twips.h"
#include "windows/colours.h"

namespace count {

using ui::twips;

namespace {

exercise::ExerciseDesign countDesign()
{
    exercise::ExerciseDesign d;
    d.name = QStringLiteral("frmOperativo1");
    d.caption = QStringLiteral("Saper zanfilo");
    d.labelOb = {twips(75, 30, 11445, 435), QStringLiteral("Zanfilo"), colours::kPeach};
    d.label21 = {twips(75, 465, 11430, 435), QString(), colours::kPeach};
    d.fraSfondoS = twips(90, 924, 11430, 1788);
    d.shape2 = twips(30, -15, 11370, 1710);
    // Two rows of slots, Image2(0..11) above and Image2(12..23) below: their left edges in twips.
    constexpr int kPerRow = kSlots / 2;
    constexpr std::array<double, kPerRow> kUpperLefts{495,  1350, 2220, 3150, 4080, 5010,
                                                      5925, 6840, 7710, 8580, 9450, 10380};
    constexpr std::array<double, kPerRow> kLowerLefts{465,  1350, 2205, 3165, 4080, 5010,
                                                      5925, 6840, 7710, 8580, 9450, 10380};
    for (int i = 0; i < kPerRow; ++i) {
        const auto at = static_cast<std::size_t>(i);
        d.pictureSlots.push_back({i, twips(kUpperLefts[at]), twips(i < 8 ? 60 : 75)});
        d.pictureSlots.push_back({kPerRow + i, twips(kLowerLefts[at]), twips(i < 11 ? 915 : 900)});
    }
    d.frame4 = twips(90, 2652, 11430, 804);
    d.frame1 = twips(90, 3384, 11430, 2388);
    d.frame1Back = colours::kLightYellow;
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
    for (int k = 1; k <= exercise::kDiscs; ++k)
        Shape1(k).setVisible(false);
    ui::RandomSource& random = runtime().random();
    random.randomize(runtime().clock().timeOfDay());
    const CountTask task = drawCountTask(random, settings_.minimo(), settings_.ValoreMassimo);
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
