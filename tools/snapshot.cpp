// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

// Renders one window of the program offscreen into a PNG, to look at a design without a display:
//   snapshot start|count|set|figures out.png [level 0..2]
// "figures" fills every slot of the count window with the figures in turn, to see them in place.
#include "app/window_set.h"
#include "exercises/count/count_window.h"
#include "exercises/set/set_window.h"
#include "pictures/picture_store.h"
#include "ui/controls.h"
#include "ui/fonts.h"
#include "ui/runtime.h"
#include "ui/services.h"
#include "windows/start/start_window.h"

#include <QApplication>
#include <QPixmap>
#include <QTimer>
#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    ui::installFontSubstitutions();
    if (argc < 3) {
        std::fprintf(stderr, "usage: snapshot start|count|set|figures out.png [level 0..2]\n");
        return 2;
    }
    ui::SystemClock clock;
    ui::StandardRandom random;
    app::WindowSet windows(clock, random);
    windows.settings().applyLevelPreset(argc > 3 ? QByteArray(argv[3]).toInt() : 1);
    const QByteArray which(argv[1]);
    ui::Form* form = &windows.FrmInizio();
    if (which == "count" || which == "figures")
        form = &windows.frmOperativo1();
    else if (which == "set")
        form = &windows.frmOperativo2();
    form->Show();
    if (which == "figures") {
        auto& w = windows.frmOperativo1();
        w.Image2.forEach([&](int k, ui::Image& slot) {
            slot.setVisible(true);
            slot.setPicture(windows.FrmFigure().Image3(k % 12 + 1));
        });
    }
    // Long enough for the start window's curtains to open.
    QTimer::singleShot(1500, [&] {
        form->window()->grab().save(QString::fromLocal8Bit(argv[2]));
        QCoreApplication::exit(0);
    });
    return QApplication::exec();
}
