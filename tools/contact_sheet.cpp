// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

// Draws every picture of the program (the twelve figures, the three level pictures and the icon)
// on one sheet, at their own size and at twice it, on the colours they are shown on:
//   contact_sheet out.png
#include "pictures/picture_store.h"
#include "ui/fonts.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPixmap>

int main(int argc, char* argv[])
{
    QGuiApplication application(argc, argv);
    ui::installFontSubstitutions();
    if (argc != 2)
        return 2;
    pictures::PictureStore store;
    std::vector<std::pair<QString, ui::Picture>> sheet;
    for (int k = 1; k <= pictures::PictureStore::kFigureCount; ++k)
        sheet.emplace_back(QStringLiteral("Image3(%1)").arg(k), store.Image3(k));
    for (int level = 0; level < 3; ++level)
        sheet.emplace_back(QStringLiteral("Option2(%1)").arg(level), pictures::levelPicture(level));
    sheet.emplace_back(QStringLiteral("icon"),
                       ui::Picture(QStringLiteral(":/pictures/icon.svg"), QSize(32, 32)));

    constexpr int kCell = 520;
    constexpr int kColumns = 3;
    const int rows = static_cast<int>((sheet.size() + kColumns - 1) / kColumns);
    QImage image(kColumns * kCell, rows * 160, QImage::Format_RGB32);
    image.fill(QColor(0xFF, 0xC0, 0xFF));
    QPainter painter(&image);
    for (std::size_t i = 0; i < sheet.size(); ++i) {
        const QPoint origin(static_cast<int>(i % kColumns) * kCell + 10,
                            static_cast<int>(i / kColumns) * 160 + 10);
        const auto& [name, picture] = sheet[i];
        painter.fillRect(QRect(origin + QPoint(0, 20), QSize(60, 62)), Qt::white); // the picture board
        picture.draw(painter, origin + QPoint(0, 20));
        // Rendered afresh from the vector at twice the size, as on a screen of pixel ratio 2.
        QPixmap twice = picture.pixmap(2.0);
        twice.setDevicePixelRatio(1.0);
        painter.drawPixmap(origin + QPoint(picture.size().width() + 20, 20), twice);
        painter.setPen(Qt::black);
        painter.drawText(origin + QPoint(0, 12), name);
    }
    painter.end();
    return image.save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
