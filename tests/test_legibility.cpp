// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/exercise_support.h"
#include "support/test_support.h"
#include "ui/colour.h"
#include "ui/controls.h"
#include "windows/start/start_window.h"

#include <QApplication>
#include <QDir>
#include <QHash>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QStyle>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <algorithm>

using namespace testing;

namespace {

double contrast(QRgb a, QRgb b)
{
    return ui::contrastRatio(QColor(a), QColor(b));
}

QPalette paletteNamed(const QString& name)
{
    if (name == QLatin1String("light"))
        return QApplication::style()->standardPalette();
    // Breeze Dark's colours, and a white-on-black high-contrast scheme.
    const bool dark = name == QLatin1String("dark");
    QPalette p(dark ? QColor(0x31363b) : QColor(Qt::black), dark ? QColor(0x2a2e32) : QColor(Qt::black));
    const QColor text = dark ? QColor(0xfcfcfc) : QColor(Qt::white);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(role, text);
    p.setColor(QPalette::Base, dark ? QColor(0x1b1e20) : QColor(Qt::black));
    return p;
}

ui::Form& formOf(Program& p, int form)
{
    if (form == 0)
        return p.windows.FrmInizio();
    return exerciseOf(p, form);
}

QWidget* widgetOf(const ui::Form& form, const QString& name)
{
    auto* control = dynamic_cast<ui::VisualControl*>(form.findControl(name));
    return control ? control->widget() : nullptr;
}

// The control alone, without its children or what lies behind it, on a ground of `ground`, at
// `scale` device pixels per logical pixel; `offset` logical pixels from the image's corner.
QImage alone(const QWidget* w, double scale, QPoint offset, QRgb ground)
{
    QImage image((QSizeF(w->size()) + QSizeF(2 * offset.x(), 2 * offset.y())).toSize() * scale,
                 QImage::Format_RGB32);
    image.setDevicePixelRatio(scale);
    image.fill(ground);
    const_cast<QWidget*>(w)->render(&image, offset, QRegion(), QWidget::RenderFlags());
    return image;
}

QRgb mostCommon(const QImage& image)
{
    QHash<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ++counts[image.pixel(x, y)];
    return std::max_element(counts.begin(), counts.end()).key();
}

// The pixel of `area` that stands out most from `ground`.
QRgb standingOut(const QImage& image, const QRect& area, QRgb ground)
{
    QRgb best = ground;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (contrast(image.pixel(x, y), ground) > contrast(best, ground))
                best = image.pixel(x, y);
    return best;
}

enum class Drawn { Text, Outline, Focus, Groove, Fill };

struct ContrastRow
{
    int form; // 0 the start window, 1 the counting window, 2 the set window
    const char* control;
    Drawn drawn;
    // Whether a dark theme's text colour stands out there, and so is drawn; elsewhere the design's
    // black is. A groove must only stand out; a fill must be the design's white.
    bool themed;
};

// What sits on the design's fixed colours, or is one of them, and must stay legible whatever the theme.
const ContrastRow kContrastRows[] = {
    {0, "Label1", Drawn::Text, false},
    {0, "Shape1", Drawn::Outline, false},
    {0, "Shape2", Drawn::Outline, false},
    {0, "Frame1", Drawn::Groove, false},
    {1, "CmdRicomincia", Drawn::Text, false},
    {1, "CmdContaElementi", Drawn::Text, false},
    {1, "CmdVerifica", Drawn::Text, false},
    {1, "CmdOperazione", Drawn::Text, false},
    {1, "CmdContaElementi", Drawn::Focus, false},
    {1, "Frame1", Drawn::Groove, false},
    {1, "frmElaborazione", Drawn::Groove, false},
    {1, "Label1(1)", Drawn::Outline, false},
    {1, "Label3(1)", Drawn::Outline, false},
    {1, "Label4(1)", Drawn::Outline, false},
    {1, "Label5(1)", Drawn::Outline, false},
    {1, "Label7(1)", Drawn::Outline, true},
    {1, "Label9(1)", Drawn::Outline, true},
    {1, "Label18(10)", Drawn::Outline, true},
    // Against red a dark theme's text colour stands out 4.0:1, enough for an outline's 3:1.
    {1, "Label2(1)", Drawn::Outline, true},
    {1, "Label1(1)", Drawn::Fill, false},
    {1, "Shape2", Drawn::Fill, false},
    {2, "Shape2", Drawn::Fill, false},
    {2, "CmdContaElementi", Drawn::Text, true},
};

bool isBordered(const QWidget* w)
{
    if (auto* l = qobject_cast<const ui::Label*>(w))
        return l->bordered();
    if (auto* f = qobject_cast<const ui::Frame*>(w))
        return f->bordered();
    if (auto* s = qobject_cast<const ui::Shape*>(w))
        return s->shape() != ui::ShapeKind::Circle && s->BorderWidth() > 0;
    return false;
}

// From the middle of a bordered control outwards on each side: its fill, then its border, then
// nothing of it. Empty when all four sides show a border within a device pixel of each other.
QString sidesOf(const QWidget* w, double scale)
{
    constexpr QRgb kGround = 0xff010203;
    // At these scales device pixel edges repeat every four logical pixels: drawn at the same place
    // modulo four, the control meets the device pixels as it does in its window.
    const QPoint inWindow = w->mapTo(w->window(), QPoint());
    const QPoint offset(4 + inWindow.x() % 4, 4 + inWindow.y() % 4);
    const QImage image = alone(w, scale, offset, kGround);
    const QPoint centre = ((QPointF(offset) + QPointF(w->width(), w->height()) / 2) * scale).toPoint();
    const QRgb fill = image.pixel(centre);
    QList<int> sides;
    for (const QPoint step : {QPoint(0, -1), QPoint(0, 1), QPoint(-1, 0), QPoint(1, 0)}) {
        QPoint at = centre;
        while (image.valid(at) && image.pixel(at) == fill)
            at += step;
        int thickness = 0;
        for (; image.valid(at) && image.pixel(at) != fill && image.pixel(at) != kGround; at += step)
            ++thickness;
        if (!image.valid(at) || image.pixel(at) != kGround)
            return QStringLiteral("fill outside the border, side %1").arg(sides.size());
        sides << thickness;
    }
    const auto [thinnest, thickest] = std::minmax_element(sides.begin(), sides.end());
    if (*thinnest == 0 || *thickest - *thinnest > 1)
        return QStringLiteral("sides top, bottom, left, right: %1 %2 %3 %4 device pixels")
            .arg(sides[0])
            .arg(sides[1])
            .arg(sides[2])
            .arg(sides[3]);
    return {};
}

// Whether a text drawn as the controls draw it shows whole in its box, by the font's metrics: no
// line wider than the box, and the glyphs of the first and last lines between its top and bottom.
QString cutOff(const QWidget* w)
{
    QString text;
    QRect box = w->rect();
    int flags = Qt::AlignCenter | Qt::TextWordWrap;
    if (auto* l = qobject_cast<const ui::Label*>(w)) {
        text = l->Caption();
        box = l->bordered() ? box.adjusted(1, 1, -1, -1) : box;
        const Qt::Alignment across = l->alignment() == ui::Alignment::Center  ? Qt::AlignHCenter
                                     : l->alignment() == ui::Alignment::Right ? Qt::AlignRight
                                                                              : Qt::AlignLeft;
        flags = int(Qt::AlignTop | across | Qt::TextWordWrap);
    } else if (auto* b = qobject_cast<const QAbstractButton*>(w)) {
        text = b->text();
        box = box.adjusted(3, 3, -3, -3);
    }
    if (text.isEmpty())
        return {};
    const QFontMetrics metrics(w->font());
    const QRect lines = metrics.boundingRect(box, flags, text);
    int above = 0;
    int below = 0;
    for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QRect ink = metrics.tightBoundingRect(word);
        above = std::min(above, ink.top());
        below = std::max(below, ink.bottom());
    }
    const int inkTop = lines.top() + metrics.ascent() + above;
    const int inkBottom = lines.bottom() + 1 - metrics.descent() + below;
    if (lines.left() < box.left() || lines.right() > box.right() || inkTop < box.top() ||
        inkBottom > box.bottom())
        return QStringLiteral("\"%1\" in %2 px at %3,%4 %5x%6: ink %7..%8, lines %9 px wide")
            .arg(text)
            .arg(w->font().pixelSize())
            .arg(box.x())
            .arg(box.y())
            .arg(box.width())
            .arg(box.height())
            .arg(inkTop)
            .arg(inkBottom)
            .arg(lines.width());
    return {};
}

} // namespace

class LegibilityTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Known values of WCAG's formula: a wrong weighting of the channels shows at once.
    void contrastShouldMatchKnownValues_data();
    void contrastShouldMatchKnownValues();
    void init() { program = std::make_unique<Program>(); }
    void cleanup()
    {
        program.reset();
        QApplication::setPalette(QApplication::style()->standardPalette());
    }

    // A dark or high-contrast theme must not take the text and outlines off the design's fixed
    // colours, nor change the colour code of the squares or the board.
    void textAndOutlinesShouldStandOutUnderEveryTheme_data();
    void textAndOutlinesShouldStandOutUnderEveryTheme();
    // At fractional scales a one-pixel border falls between device pixels: each must still show
    // whole on every side.
    void borderedControlsShouldShowFourEvenSidesAtEveryScale_data();
    void borderedControlsShouldShowFourEvenSidesAtEveryScale();
    // A window the program shrinks to fit the screen shrinks its text with it.
    void textShouldShowWholeInAWindowShrunkToFit_data();
    void textShouldShowWholeInAWindowShrunkToFit();

private:
    std::unique_ptr<Program> program;
};

void LegibilityTest::contrastShouldMatchKnownValues_data()
{
    QTest::addColumn<QRgb>("colour");
    QTest::addColumn<double>("onWhite");
    QTest::addRow("black") << QRgb(0xff000000) << 21.0;
    QTest::addRow("the lightest grey for text") << QRgb(0xff767676) << 4.54;
    QTest::addRow("blue, weighed as blue") << QRgb(0xff0000ff) << 8.59;
    QTest::addRow("green, weighed as green") << QRgb(0xff00ff00) << 1.37;
}

void LegibilityTest::contrastShouldMatchKnownValues()
{
    QFETCH(QRgb, colour);
    QFETCH(double, onWhite);
    QCOMPARE(std::round(contrast(colour, 0xffffffff) * 100) / 100, onWhite);
}

void LegibilityTest::textAndOutlinesShouldStandOutUnderEveryTheme_data()
{
    QTest::addColumn<QString>("theme");
    QTest::addColumn<int>("row");
    const char* drawn[] = {"text", "outline", "focus", "groove", "fill"};
    for (const char* theme : {"light", "dark", "high contrast"}) {
        for (int i = 0; i < static_cast<int>(std::size(kContrastRows)); ++i) {
            const ContrastRow& r = kContrastRows[i];
            QTest::addRow("%s: w%d %s %s", theme, r.form, r.control, drawn[static_cast<int>(r.drawn)])
                << QString::fromLatin1(theme) << i;
        }
    }
}

void LegibilityTest::textAndOutlinesShouldStandOutUnderEveryTheme()
{
    QFETCH(QString, theme);
    QFETCH(int, row);
    const ContrastRow& r = kContrastRows[row];
    QApplication::setPalette(paletteNamed(theme));
    ui::Form& form = formOf(*program, r.form);
    if (r.form == 0) {
        form.Load();
    } else {
        program->windows.settings().applyLevelPreset(2);
        QVERIFY(open(exerciseOf(*program, r.form)));
    }
    QWidget* w = widgetOf(form, QLatin1String(r.control));
    QVERIFY(w);
    if (r.drawn == Drawn::Focus) {
        w->setFocus();
        QVERIFY(w->hasFocus());
    }
    QRgb shown = 0;
    QRgb ground = 0;
    if (r.drawn == Drawn::Text) {
        // What the child sees there: a transparent label shows what lies behind it.
        auto* label = qobject_cast<ui::Label*>(w);
        const bool seeThrough = label && label->transparent();
        const QImage image = (seeThrough ? w->parentWidget()->grab(w->geometry()) : w->grab())
                                 .toImage()
                                 .convertToFormat(QImage::Format_RGB32);
        // Inside a button's bevel and focus frame.
        const int inset = qobject_cast<QAbstractButton*>(w) ? 6 : 0;
        ground = mostCommon(image);
        shown = standingOut(image, image.rect().adjusted(inset, inset, -inset, -inset), ground);
    } else {
        const QImage image = alone(w, 1, QPoint(), 0xff808080);
        ground = mostCommon(image);
        const int y = r.drawn == Drawn::Focus ? 4 : 0;
        shown = r.drawn == Drawn::Fill
                    ? image.pixel(image.rect().center())
                    : standingOut(image, QRect(w->width() / 4, y, w->width() / 2, 1), ground);
    }
    const QString seen = QStringLiteral("%1 on %2: %3:1")
                             .arg(QColor(shown).name(), QColor(ground).name())
                             .arg(contrast(shown, ground), 0, 'f', 2);
    const QColor themed = QApplication::palette().color(QPalette::WindowText);
    if (r.drawn == Drawn::Fill)
        QCOMPARE(QColor(shown).name(), QStringLiteral("#ffffff"));
    else if (r.drawn == Drawn::Groove)
        QVERIFY2(contrast(shown, ground) >= 3, qPrintable(seen));
    else
        QCOMPARE(QColor(shown).name(),
                 r.themed || theme == QLatin1String("light") ? themed.name() : "#000000");
}

void LegibilityTest::borderedControlsShouldShowFourEvenSidesAtEveryScale_data()
{
    QTest::addColumn<double>("scale");
    for (double scale : {1.0, 1.25, 1.5, 1.75, 2.0})
        QTest::addRow("%g", scale) << scale;
}

void LegibilityTest::borderedControlsShouldShowFourEvenSidesAtEveryScale()
{
    QFETCH(double, scale);
    // Under a dark theme every rim differs from its square; on a light one black squares have black rims.
    QApplication::setPalette(paletteNamed(QStringLiteral("dark")));
    int checked = 0;
    for (int form : {0, 1, 2}) {
        ui::Form& f = formOf(*program, form);
        f.Load();
        for (ui::Control* c : f.Controls()) {
            auto* v = dynamic_cast<ui::VisualControl*>(c);
            if (!v || !isBordered(v->widget()))
                continue;
            const QString problem = sidesOf(v->widget(), scale);
            QVERIFY2(problem.isEmpty(),
                     qPrintable(QStringLiteral("w%1 %2: %3").arg(form).arg(c->qualifiedName(), problem)));
            ++checked;
        }
    }
    QVERIFY(checked > 420); // the grid of both windows, the frames and the outlined shapes
}

void LegibilityTest::textShouldShowWholeInAWindowShrunkToFit_data()
{
    QTest::addColumn<int>("form");
    QTest::addColumn<bool>("figures"); // the figures instead of the text
    for (int form : {0, 1, 2})
        QTest::addRow("w%d", form) << form << false;
    QTest::addRow("w1 figures") << 1 << true;
}

void LegibilityTest::textShouldShowWholeInAWindowShrunkToFit()
{
    QFETCH(int, form);
    QFETCH(bool, figures);
    program->windows.settings().applyLevelPreset(2);
    ui::Form& f = formOf(*program, form);
    f.Show();
    QVERIFY(QTest::qWaitForWindowExposed(f.window()));
    QVERIFY(f.client()->height() < 540);
    if (figures) {
        // Every figure whole, shrunk by the window's factor across and down alike.
        int checked = 0;
        QStringList wrong;
        exerciseOf(*program, form).Image2.forEach([&](int, ui::Image& slot) {
            if (!slot.widget()->isVisible() || slot.Picture().isEmpty())
                return;
            const QSizeF size = QSizeF(slot.Picture().size()) * slot.fitScale();
            QImage drawing(QSize(qRound(size.width()), qRound(size.height())),
                           QImage::Format_ARGB32_Premultiplied);
            drawing.fill(Qt::transparent);
            QPainter painter(&drawing);
            QSvgRenderer(slot.Picture().resource()).render(&painter, QRectF(QPointF(), drawing.size()));
            painter.end();
            QImage expected(slot.widget()->size(), QImage::Format_RGB32);
            expected.fill(Qt::black);
            painter.begin(&expected);
            painter.drawImage(0, 0, drawing);
            painter.end();
            if (alone(slot.widget(), 1, QPoint(), 0xff000000) != expected)
                wrong << slot.qualifiedName();
            ++checked;
        });
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QLatin1Char(' '))));
        QVERIFY(checked > 0 && exerciseOf(*program, form).Image2(0).fitScale() < 1);
        return;
    }
    const QStringList verdicts = form == 0 ? QStringList{QString()} : QStringList{"ESATTO", "ERRATO"};
    for (const QString& verdict : verdicts) {
        if (form != 0)
            exerciseOf(*program, form).LblEsito->setCaption(verdict);
        for (ui::Control* c : f.Controls()) {
            auto* v = dynamic_cast<ui::VisualControl*>(c);
            const QString cut = v ? cutOff(v->widget()) : QString();
            QVERIFY2(cut.isEmpty(), qPrintable(c->qualifiedName() + QLatin1String(": ") + cut));
        }
    }
}

int main(int argc, char* argv[])
{
    // The screen of a 1920 x 1080 output at scale 2, as the windows meet it: 960 x 540 logical
    // pixels, too low for any of them at its design size.
    // In the working folder, so that its path needs no Windows drive, whose colon would end the
    // platform's argument.
    const QTemporaryDir folder(QStringLiteral("legibility-XXXXXX"));
    if (qgetenv("QT_QPA_PLATFORM") == "offscreen") {
        const QJsonObject screen{{"name", "small"}, {"width", 960}, {"height", 540}};
        QFile config(folder.filePath(QStringLiteral("screens.json")));
        if (!config.open(QIODevice::WriteOnly) ||
            config.write(QJsonDocument(QJsonObject{{"screens", QJsonArray{screen}}}).toJson()) < 0)
            return 2;
        config.close();
        qputenv("QT_QPA_PLATFORM",
                "offscreen:configfile=" + QDir().relativeFilePath(config.fileName()).toLocal8Bit());
    }
    QApplication app(argc, argv);
    LegibilityTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "test_legibility.moc"
