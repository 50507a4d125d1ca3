// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "pictures/picture_store.h"

#include <QString>

namespace pictures {

namespace {

struct Drawing
{
    const char* file;
    int width;
    int height;
};

constexpr std::array<Drawing, PictureStore::kFigureCount> kFigures{{
    {"figure01_kite.svg", 45, 55},
    {"figure02_flag.svg", 45, 59},
    {"figure03_sailboat.svg", 46, 56},
    {"figure04_candle.svg", 42, 62},
    {"figure05_die.svg", 48, 46},
    {"figure06_funnel.svg", 49, 47},
    {"figure07_lamp.svg", 54, 55},
    {"figure08_chair.svg", 49, 50},
    {"figure09_fir.svg", 48, 48},
    {"figure10_cherries.svg", 48, 48},
    {"figure11_trumpet.svg", 48, 48},
    {"figure12_cat.svg", 48, 48},
}};

constexpr std::array<const char*, 3> kLevels{"level_upto5.svg", "level_upto10.svg", "level_beyond10.svg"};

QString resource(const char* file)
{
    return QStringLiteral(":/pictures/") + QLatin1String(file);
}

} // namespace

PictureStore::PictureStore()
{
    for (std::size_t k = 0; k < kFigures.size(); ++k)
        figures_[k + 1] =
            ui::Picture(resource(kFigures[k].file), QSize(kFigures[k].width, kFigures[k].height));
}

ui::Picture PictureStore::Image3(int k)
{
    Load();
    if (k < 0 || k > kFigureCount)
        return {};
    return figures_[static_cast<std::size_t>(k)];
}

ui::Picture levelPicture(int level)
{
    if (level < 0 || level >= static_cast<int>(kLevels.size()))
        return {};
    return ui::Picture(resource(kLevels[static_cast<std::size_t>(level)]), QSize(160, 60));
}

QIcon programIcon()
{
    // The scalable drawing serves every size the desktop asks for.
    return QIcon(resource("icon.svg"));
}

} // namespace pictures
