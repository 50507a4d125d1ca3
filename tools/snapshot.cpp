// Renders one window of the program offscreen into a PNG, to look at a design without a display:
//   snapshot start|count|set out.png [level 0..2]
#include "app/window_set.h"
#include "exercises/count/count_window.h"
#include "exercises/set/set_window.h"
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
        std::fprintf(stderr, "usage: snapshot start|count|set out.png [level 0..2]\n");
        return 2;
    }
    ui::SystemClock clock;
    ui::StandardRandom random;
    app::WindowSet windows(clock, random);
    windows.settings().applyLevelPreset(argc > 3 ? QByteArray(argv[3]).toInt() : 1);
    const QByteArray which(argv[1]);
    ui::Form* form = &windows.FrmInizio();
    if (which == "count")
        form = &windows.frmOperativo1();
    else if (which == "set")
        form = &windows.frmOperativo2();
    form->Show();
    // Long enough for the start window's curtains to open.
    QTimer::singleShot(1500, [&] {
        form->window()->grab().save(QString::fromLocal8Bit(argv[2]));
        QCoreApplication::exit(0);
    });
    return QApplication::exec();
}
