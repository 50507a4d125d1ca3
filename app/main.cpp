#include "app/window_set.h"
#include "ui/fonts.h"
#include "ui/runtime.h"
#include "ui/services.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zanfilo"));
    QApplication::setApplicationVersion(QStringLiteral("1.00"));
    QApplication::setOrganizationDomain(QStringLiteral("zanfilo.example.org"));
    // The program ends when its start window has unloaded every window, not when one closes.
    QApplication::setQuitOnLastWindowClosed(false);
    ui::installFontSubstitutions();

    ui::SystemClock clock;
    ui::StandardRandom random;
    app::WindowSet windows(clock, random);
    windows.runtime().setOnLastWindowUnloaded([] { QCoreApplication::exit(0); });
    windows.start();
    return QApplication::exec();
}
