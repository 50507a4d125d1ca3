// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

// Renders an SVG drawing into a square PNG of the given pixel size, or into a Windows icon holding
// it at several sizes: render_svg in.svg 48 out.png, render_svg in.svg 16,32,48,256 out.ico.
// Used at build time to make the fixed-size icons the desktop themes and Windows ask for.
#include <QBuffer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

namespace {

QByteArray png(QSvgRenderer& renderer, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(0, 0, size, size));
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// An icon file of PNG images, as Windows reads them since Vista: a header, one entry an image,
// the images.
QByteArray icon(const QList<QByteArray>& images, const QList<int>& sizes)
{
    const auto le16 = [](int v) { return QByteArray(1, char(v & 0xff)) + char((v >> 8) & 0xff); };
    const auto le32 = [&](qsizetype v) { return le16(int(v & 0xffff)) + le16(int((v >> 16) & 0xffff)); };
    QByteArray head = le16(0) + le16(1) + le16(int(images.size()));
    QByteArray data;
    qsizetype offset = 6 + 16 * images.size();
    for (qsizetype i = 0; i < images.size(); ++i) {
        const char side = char(sizes[i] >= 256 ? 0 : sizes[i]); // 0 stands for 256
        head += QByteArray(1, side) + side + char(0) + char(0) + le16(1) + le16(32) + le32(images[i].size()) +
                le32(offset + data.size());
        data += images[i];
    }
    return head + data;
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication application(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: render_svg in.svg size[,size...] out.png|out.ico\n");
        return 2;
    }
    QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
    QList<int> sizes;
    QList<QByteArray> images;
    for (const QByteArray& size : QByteArray(argv[2]).split(',')) {
        sizes << size.toInt();
        if (!renderer.isValid() || sizes.last() <= 0)
            return 1;
        images << png(renderer, sizes.last());
    }
    QFile out(QString::fromLocal8Bit(argv[3]));
    const bool ico = out.fileName().endsWith(QLatin1String(".ico"));
    if ((!ico && images.size() != 1) || !out.open(QIODevice::WriteOnly))
        return 1;
    return out.write(ico ? icon(images, sizes) : images.first()) > 0 ? 0 : 1;
}
