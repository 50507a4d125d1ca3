// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What the end-to-end tests know of the program they drive: where the build put it, its windows'
// titles, the colours they look for and the points they look at or click.

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

namespace e2e {

inline QString program()
{
    return qEnvironmentVariable("ZANFILO_EXECUTABLE");
}

// Why a test cannot run here, or empty: no program to drive, or tools it needs are missing.
inline QString whyNot(const QStringList& missingTools)
{
    if (program().isEmpty())
        return QStringLiteral("ZANFILO_EXECUTABLE is not set; point it at the zanfilo executable");
    if (missingTools.isEmpty())
        return {};
    return QStringLiteral("needs %1 (the README names their Debian packages)")
        .arg(missingTools.join(QStringLiteral(", ")));
}

// The preamble of every test: a skip, not a failure, on a machine without the tools.
#define E2E_SKIP_UNLESS_READY(missingTools)                                                                  \
    do {                                                                                                     \
        const QString whyNot_ = e2e::whyNot(missingTools);                                                   \
        if (!whyNot_.isEmpty())                                                                              \
            QSKIP(qPrintable(whyNot_));                                                                      \
    } while (false)

inline const QString startTitle = QStringLiteral("BRENTONI");
inline const QString countTitle = QStringLiteral("Saper zanfilo");
inline const QString setTitle = QStringLiteral("Saper ricostruire l'insieme");

// Enter on "Zanfilo", on the first level and on "Vai", as xdotool and wtype name the key.
inline const QStringList openCount(3, QStringLiteral("Return"));

inline const QColor background(0xFF, 0xC0, 0xFF);
inline const QColor curtain(0xFF, 0x80, 0xFF);
inline const QColor focused(0xFF, 0xC0, 0x80); // the focused choice's face
inline const QColor verdictInk(0, 0, 0xC0);

constexpr double twipsPerPixel = 15;
// The start window's inner area at its design size, in pixels; the menu bar stands above it.
constexpr QSize startInner(795, 573);

// In twips of the design: near the top left corner of "Zanfilo" and of the first level, off their
// captions and pictures.
constexpr QPointF zanfiloFace(135 + 105 + 200, 4080 + 150 + 200);
constexpr QPointF firstLevelFace(3840 + 105 + 200, 4110 + 150 + 200);

// In pixels of the count window's inner area: the centres of CONTA and VERIFICA, and where the
// verdict is written (in either exercise window).
constexpr QPoint contaCentre(382, 408);
constexpr QPoint verificaCentre(591, 407);
constexpr QRect verdictArea(QPoint(13, 439), QPoint(460, 527));
// In pixels of the set window's inner area: the centres of CONTA, VERIFICA and AVANTI.
constexpr QPoint setContaCentre(323, 407);
constexpr QPoint setVerificaCentre(535, 407);
constexpr QPoint setAvantiCentre(564, 407);

// The discs lit on the set window's number line, in a picture of its inner area: the size of the
// set to build. Sampled above the line, which runs across them.
inline int setDiscs(const QImage& window)
{
    constexpr double lefts[20] = {45,   525,  1005, 1485, 1950, 2415, 2880, 3360, 3825, 4290,
                                  4770, 5235, 5715, 6195, 6675, 7155, 7620, 8085, 8565, 9060};
    int discs = 0;
    for (int k = 0; k < 20; ++k) {
        const QRgb c = window.pixel(static_cast<int>((lefts[k] + 247) / twipsPerPixel),
                                    static_cast<int>((2625 + (k == 19 ? 165 : 180) + 120) / twipsPerPixel));
        discs += qRed(c) > 200 && qGreen(c) < 60 && qBlue(c) < 60;
    }
    return discs;
}

// A point of the start window given in twips of its design, on the screen; the inner area scales
// with the window.
inline QPoint startPoint(const QRect& window, QPointF twips)
{
    const double scale = static_cast<double>(window.width()) / startInner.width();
    const int innerTop = window.bottom() + 1 - static_cast<int>(startInner.height() * scale);
    return {window.x() + static_cast<int>(twips.x() / twipsPerPixel * scale),
            innerTop + static_cast<int>(twips.y() / twipsPerPixel * scale)};
}

// The share of a row across the start window, at a height in twips, that is curtain.
inline double curtainShare(const QImage& screen, const QRect& window, double twipsY, int samples)
{
    int curtained = 0;
    for (int i = 0; i < samples; ++i)
        curtained +=
            screen.pixelColor(startPoint(window, {11925.0 * (2 * i + 1) / (2 * samples), twipsY})) == curtain;
    return static_cast<double>(curtained) / samples;
}

} // namespace e2e
