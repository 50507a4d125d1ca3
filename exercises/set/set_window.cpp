// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "exercises/set/set_window.h"

#include "exercises/set/set_task.h"
#include "pictures/picture_store.h"
#include "settings/levels.h"
#include "ui/runtime.h"
#include "ui/services.h"
#include "ui/twips.h"
#include "windows/colours.h"

namespace set {

using ui::twips;

namespace {

exercise::ExerciseDesign setDesign()
{
    exercise::ExerciseDesign d;
    d.name = QStringLiteral("frmOperativo2");
    d.caption = QStringLiteral("Saper ricostruire l'insieme");
    d.labelOb = {twips(60, 30, 11445, 495), QStringLiteral("Costruire l'insieme"), colours::kPink};
    d.label21 = {twips(75, 405, 11445, 495), QStringLiteral("Zanfilo"), colours::kPink};
    d.fraSfondoS = twips(90, 900, 11430, 1752);
    d.shape2 = twips(60, 15, 11325, 1680);
    // Two rows of slots, Image2(1..10) above and Image2(11..20) below: their left edges in twips.
    constexpr int kPerRow = kSlots / 2;
    constexpr std::array<double, kPerRow> kUpperLefts{240,  1110, 2040, 2970, 3900,
                                                      4815, 5730, 6600, 7470, 8340};
    constexpr std::array<double, kPerRow> kLowerLefts{225,  1110, 2040, 2940, 3900,
                                                      4830, 5745, 6600, 7470, 8340};
    for (int i = 0; i < kPerRow; ++i) {
        const auto at = static_cast<std::size_t>(i);
        d.pictureSlots.push_back({1 + i, twips(kUpperLefts[at]), twips(i < 7 ? 60 : 75)});
        d.pictureSlots.push_back({1 + kPerRow + i, twips(kLowerLefts[at]), twips(i < 2 ? 900 : 915)});
    }
    d.frame4 = twips(0, 2625, 11430, 804);
    d.frame1 = twips(90, 3405, 11475, 2385);
    d.frame1Back = colours::kPink;
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
    for (int k = 1; k <= exercise::kDiscs; ++k)
        Shape1(k).setVisible(false);
    for (int k = 1; k <= NumeroElementi && k <= exercise::kDiscs; ++k)
        Shape1(k).setVisible(true);
    mostraColonna(NumeroElementi);
    Figura = task.figura;
    TempoInizio = runtime().clock().monotonicSeconds();
    runtime().voice().say(exercise::numberWord(NumeroElementi));
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
