// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

// What assistive technology reaches of the start window: the names a screen reader reads and the
// buttons a child on one switch goes through, with the words said for them.
#include "windows/start/start_window.h"

#include "settings/levels.h"
#include "ui/controls.h"

#include <array>

namespace start {

std::vector<ui::ScanItem> FrmInizio::scanItems() const
{
    if (!isLoaded())
        return {};
    // The level buttons show only pictures: what a child hears names the level.
    static const std::array<QString, levels::kLevelPresets.size()> levelWords{
        QStringLiteral("livello uno"), QStringLiteral("livello due"), QStringLiteral("livello tre")};
    std::vector<ui::ScanItem> items;
    for (int i = Option1.lowerBound(); i <= Option1.upperBound(); ++i)
        items.push_back({&Option1(i), Option1(i).Caption().toLower()});
    for (int i = Option2.lowerBound(); i <= Option2.upperBound(); ++i)
        items.push_back({&Option2(i), levelWords.at(static_cast<std::size_t>(i))});
    for (int i = Option3.lowerBound(); i <= Option3.upperBound(); ++i)
        items.push_back({&Option3(i), Option3(i).Caption().toLower()});
    return items;
}

void FrmInizio::describeForScreenReaders()
{
    const auto describe = [](QWidget& w, const QString& name, const QString& description) {
        if (!name.isEmpty())
            w.setAccessibleName(name);
        w.setAccessibleDescription(description);
    };
    describe(Option1(0), QString(), QStringLiteral("Esercizio: conta le figure sulla linea dei numeri"));
    describe(Option1(1), QString(),
             QStringLiteral("Esercizio: costruisci un insieme grande quanto il numero"));
    describe(Option2(0), QStringLiteral("Fino a 5"), QStringLiteral("Livello 1: numeri da 1 a 5"));
    describe(Option2(1), QStringLiteral("Fino a 10"), QStringLiteral("Livello 2: numeri da 1 a 10"));
    describe(Option2(2), QStringLiteral("Oltre 10"), QStringLiteral("Livello 3: numeri da 10 a 20"));
    describe(Option3(0), QString(), QStringLiteral("Apri l'esercizio scelto"));
    describe(Option3(1), QString(), QStringLiteral("Torna alla scelta dell'esercizio"));
    describe(Option3(2), QString(), QStringLiteral("Chiudi il programma"));
    describe(*Frame1, QStringLiteral("Esercizio"), QString());
    describe(*Frame2, QStringLiteral("Livello"), QString());
    describe(*Frame3, QStringLiteral("Azione"), QString());
}

} // namespace start
