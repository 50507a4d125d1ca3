// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

// Writes a PNG of the whole X screen to standard output. xwd misreads a window that lies wholly
// inside another top-level window of the same program (it shows it black, through its colormap
// handling), so the tests read the screen through Qt's own root-window grab instead.
#include <QBuffer>
#include <QFile>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

int main(int argc, char* argv[])
{
    QGuiApplication application(argc, argv);
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return 1;
    const QPixmap shot = screen->grabWindow(0);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (shot.isNull() || !shot.save(&buffer, "PNG"))
        return 1;
    QFile out;
    if (!out.open(stdout, QIODevice::WriteOnly))
        return 1;
    return out.write(png) == png.size() ? 0 : 1;
}
