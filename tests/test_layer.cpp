// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "pictures/picture_store.h"
#include "support/test_support.h"
#include "ui/control_array.h"
#include "ui/controls.h"
#include "ui/keys.h"
#include "ui/placement.h"
#include "ui/proportional_layout.h"
#include "ui/scan_cycle.h"
#include "ui/twips.h"

#include <QKeyEvent>

using namespace testing;

class LayerTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Main-keyboard digits choose; keypad digits must arrive as other codes so they can be refused.
    void keyCodesShouldKeepKeypadDigitsApart_data();
    void keyCodesShouldKeepKeypadDigitsApart();
    // Shift+2 types "@" and AZERTY's digit keys type "&", "é", ...: the digit row still chooses;
    // a digit or a function key from a keyboard with its own keymap means what it says.
    void digitRowShouldGiveItsDigitWhateverTheLayoutAndShift_data();
    void digitRowShouldGiveItsDigitWhateverTheLayoutAndShift();
    // Netbooks and scaled screens: a window must open wholly inside the screen, frame included.
    void placementShouldKeepTheWindowWhollyOnTheScreen_data();
    void placementShouldKeepTheWindowWhollyOnTheScreen();
    // One handler serves the whole array and learns which element raised the event.
    void arrayHandlerShouldReceiveTheElementIndex();
    // A zero inner size must not poison the records with infinities: such fields stay 0.
    void captureShouldLeaveFieldsAtZeroForZeroDivisorsAndMissingProperties();
    void applyShouldSkipTimersAndMenusAndReadTheSizeForEveryControl();
    // Neighbouring rectangles stay neighbours in pixels: edges are rounded, not sizes.
    void pixelRectanglesShouldShareEdges_data();
    void pixelRectanglesShouldShareEdges();
    // A press may disable the option's own frame; its release must still reach the handler.
    void optionMouseUpShouldArriveAfterItsFrameWasDisabled();
    // The handler may discard the character and consume the key; repeats raise no key-up.
    void optionKeyEventsShouldCarryChangeableArguments();
    // A candle taller than its slot must not lose its foot: pictures show whole, never stretched.
    void imageShouldShowItsPictureWholeAtItsOwnSize();
    // A child on one switch: the highlight's pace, the pace kept after a press, tremors, rest.
    void scanningShouldKeepItsPaceAndRest_data();
    void scanningShouldKeepItsPaceAndRest();
    // The highlight goes to the next button shown, wrapping round, past hidden and disabled ones.
    void scanningShouldSkipButtonsNotShown_data();
    void scanningShouldSkipButtonsNotShown();
};

void LayerTest::keyCodesShouldKeepKeypadDigitsApart_data()
{
    QTest::addColumn<int>("qtKey");
    QTest::addColumn<bool>("keypad");
    QTest::addColumn<int>("code");
    QTest::newRow("1") << int(Qt::Key_1) << false << 49;
    QTest::newRow("0") << int(Qt::Key_0) << false << 48;
    QTest::newRow("keypad 1") << int(Qt::Key_1) << true << 97;
    QTest::newRow("keypad 9") << int(Qt::Key_9) << true << 105;
    QTest::newRow("Enter") << int(Qt::Key_Return) << false << 13;
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << true << 13;
    QTest::newRow("space") << int(Qt::Key_Space) << false << 32;
    QTest::newRow("A") << int(Qt::Key_A) << false << 65;
    QTest::newRow("F1") << int(Qt::Key_F1) << false << 112;
    QTest::newRow("unknown") << int(Qt::Key_MediaPlay) << false << 0;
}

void LayerTest::keyCodesShouldKeepKeypadDigitsApart()
{
    QFETCH(int, qtKey);
    QFETCH(bool, keypad);
    QFETCH(int, code);
    QKeyEvent event(QEvent::KeyPress, qtKey, keypad ? Qt::KeypadModifier : Qt::NoModifier);
    QCOMPARE(ui::keyCodeOf(event), code);
}

void LayerTest::digitRowShouldGiveItsDigitWhateverTheLayoutAndShift_data()
{
    QTest::addColumn<int>("qtKey");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<uint>("scanCode");
    QTest::addColumn<ui::ScanCodes>("scheme");
    QTest::addColumn<int>("code");
    const int shift = Qt::ShiftModifier;
    const int keypad = Qt::KeypadModifier;
    const auto xkb = ui::ScanCodes::Xkb;
    const auto none = ui::ScanCodes::None;
    QTest::newRow("US 2") << int(Qt::Key_2) << 0 << 11u << xkb << 50;
    QTest::newRow("US Shift+2 types @") << int(Qt::Key_At) << shift << 11u << xkb << 50;
    QTest::newRow("US Shift+1 types !") << int(Qt::Key_Exclam) << shift << 10u << xkb << 49;
    QTest::newRow("US Shift+0 types )") << int(Qt::Key_ParenRight) << shift << 19u << xkb << 48;
    QTest::newRow("AZERTY 1 types &") << int(Qt::Key_Ampersand) << 0 << 10u << xkb << 49;
    QTest::newRow("AZERTY 2 types e acute") << int(Qt::Key_Eacute) << 0 << 11u << xkb << 50;
    QTest::newRow("AZERTY 3 types quote") << int(Qt::Key_QuoteDbl) << 0 << 12u << xkb << 51;
    QTest::newRow("AZERTY Shift+2 types 2") << int(Qt::Key_2) << shift << 11u << xkb << 50;
    QTest::newRow("AZERTY 0 types a grave") << int(Qt::Key_Agrave) << 0 << 19u << xkb << 48;
    QTest::newRow("keypad 2 stays keypad") << int(Qt::Key_2) << keypad << 88u << xkb << 98;
    QTest::newRow("keypad Down stays Down") << int(Qt::Key_Down) << keypad << 88u << xkb << 40;
    QTest::newRow("Q beside the row") << int(Qt::Key_Q) << 0 << 24u << xkb << 81;
    QTest::newRow("minus after the row") << int(Qt::Key_Minus) << 0 << 20u << xkb << 0;
    // A virtual keyboard with its own keymap sends what it means on whatever key code it likes.
    QTest::newRow("virtual: 2 on key 10") << int(Qt::Key_2) << 0 << 10u << xkb << 50;
    QTest::newRow("virtual: 0 on key 12") << int(Qt::Key_0) << 0 << 12u << xkb << 48;
    QTest::newRow("virtual: Escape on key 10") << int(Qt::Key_Escape) << 0 << 10u << xkb << 27;
    QTest::newRow("virtual: Return on key 11") << int(Qt::Key_Return) << 0 << 11u << xkb << 13;
    QTest::newRow("virtual: space on key 14") << int(Qt::Key_Space) << 0 << 14u << xkb << 32;
    // Offscreen gives no scan code, and other platforms number their keys otherwise.
    QTest::newRow("no scan code: 2") << int(Qt::Key_2) << 0 << 0u << none << 50;
    QTest::newRow("no scan code: @") << int(Qt::Key_At) << shift << 0u << none << 0;
    QTest::newRow("other scheme: 11 is not 2") << int(Qt::Key_A) << 0 << 11u << none << 65;
    // Windows numbers the row 2 to 11.
    const auto windows = ui::ScanCodes::Windows;
    QTest::newRow("Windows Shift+1 types !") << int(Qt::Key_Exclam) << shift << 2u << windows << 49;
    QTest::newRow("Windows AZERTY 2 types e acute") << int(Qt::Key_Eacute) << 0 << 3u << windows << 50;
    QTest::newRow("Windows AZERTY 0 types a grave") << int(Qt::Key_Agrave) << 0 << 11u << windows << 48;
    QTest::newRow("Windows AZERTY Shift+2 types 2") << int(Qt::Key_2) << shift << 3u << windows << 50;
    QTest::newRow("Windows minus after the row") << int(Qt::Key_Minus) << 0 << 12u << windows << 0;
    QTest::newRow("Windows Escape before the row") << int(Qt::Key_Escape) << 0 << 1u << windows << 27;
    QTest::newRow("Windows xkb's 2 is 9 here") << int(Qt::Key_ParenLeft) << shift << 10u << windows << 57;
}

void LayerTest::digitRowShouldGiveItsDigitWhateverTheLayoutAndShift()
{
    QFETCH(int, qtKey);
    QFETCH(int, modifiers);
    QFETCH(uint, scanCode);
    QFETCH(ui::ScanCodes, scheme);
    QFETCH(int, code);
    QCOMPARE(ui::keyCodeOf(qtKey, Qt::KeyboardModifiers(modifiers), scanCode, scheme), code);
}

void LayerTest::placementShouldKeepTheWindowWhollyOnTheScreen_data()
{
    QTest::addColumn<QSize>("design");
    QTest::addColumn<int>("menu");
    QTest::addColumn<QMargins>("frame");
    QTest::addColumn<bool>("wayland"); // the compositor draws a title bar it does not tell
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QSize>("inner");
    QTest::addColumn<QPoint>("topLeft");
    const QSize start(795, 573);
    const QSize exercise(794, 576);
    const QMargins openbox(1, 20, 1, 5);
    QTest::newRow("start at design size, centred")
        << start << 21 << QMargins() << false << QRect(0, 0, 1280, 1024) << start << QPoint(242, 215);
    QTest::newRow("nothing grows on a large screen")
        << exercise << 0 << openbox << false << QRect(0, 0, 3840, 2160) << exercise << QPoint(1522, 779);
    QTest::newRow("start on a netbook with a frame")
        << start << 21 << openbox << false << QRect(0, 0, 1024, 600) << QSize(768, 554) << QPoint(127, 0);
    QTest::newRow("exercise on 800x600 with a frame")
        << exercise << 0 << openbox << false << QRect(0, 0, 800, 600) << QSize(792, 575) << QPoint(3, 0);
    QTest::newRow("exercise on 800x600, no frame")
        << exercise << 0 << QMargins() << false << QRect(0, 0, 800, 600) << exercise << QPoint(3, 12);
    QTest::newRow("start at scale 2 on 1920x1080")
        << start << 21 << QMargins() << false << QRect(0, 0, 960, 540) << QSize(720, 519) << QPoint(120, 0);
    // Seen under sway: a window shrunk to the whole output height had its title bar above it.
    QTest::newRow("Wayland at scale 2 on 1920x1080: room for a title bar")
        << start << 21 << QMargins() << true << QRect(0, 0, 960, 540) << QSize(631, 455) << QPoint(162, 0);
    QTest::newRow("Wayland, decorations drawn by Qt and told")
        << exercise << 0 << openbox << true << QRect(0, 0, 800, 600) << QSize(792, 575) << QPoint(3, 0);
    QTest::newRow("below a panel") << start << 21 << openbox << false << QRect(0, 32, 1024, 568)
                                   << QSize(724, 522) << QPoint(149, 32);
    QTest::newRow("screen lower than frame and menu: title bar stays at the top")
        << start << 21 << openbox << false << QRect(0, 0, 100, 30) << QSize(0, 0) << QPoint(49, 0);
}

void LayerTest::placementShouldKeepTheWindowWhollyOnTheScreen()
{
    QFETCH(QSize, design);
    QFETCH(int, menu);
    QFETCH(QMargins, frame);
    QFETCH(bool, wayland);
    QFETCH(QRect, available);
    QFETCH(QSize, inner);
    QFETCH(QPoint, topLeft);
    const ui::WindowPlacement placed = ui::placeWindow(design, menu, frame, available, wayland);
    if (wayland && frame.isNull())
        frame = ui::kUntoldTitleBar;
    QCOMPARE(placed.inner, inner);
    QCOMPARE(placed.frameTopLeft, topLeft);
    const QRect outer(placed.frameTopLeft, placed.inner.grownBy(frame) + QSize(0, menu));
    if (outer.height() <= available.height())
        QVERIFY(available.contains(outer));
    // The design's proportions within a pixel.
    QVERIFY(qAbs(placed.inner.width() * design.height() - placed.inner.height() * design.width()) <=
            std::max(design.width(), design.height()));
}

void LayerTest::arrayHandlerShouldReceiveTheElementIndex()
{
    QWidget container;
    ui::ControlArray<ui::OptionButton> options;
    for (int i = 0; i < 3; ++i)
        options.add(i, new ui::OptionButton(&container, QStringLiteral("Option9"), i));
    QList<int> seen;
    options.on(&ui::OptionButton::Click, [&](int index) { seen << index; });
    options(2).setValue(true);
    options(0).setValue(true);
    QCOMPARE(seen, (QList<int>{2, 0}));
    QVERIFY(!options(2).Value()); // one exclusive group per container
    QCOMPARE(options(1).objectName(), QStringLiteral("Option9(1)"));
    QCOMPARE(options.lowerBound(), 0);
    QCOMPARE(options.upperBound(), 2);
}

void LayerTest::captureShouldLeaveFieldsAtZeroForZeroDivisorsAndMissingProperties()
{
    QWidget container;
    ui::Label label(&container, QStringLiteral("Label1"));
    label.Move(ui::twips(150, 300, 1500, 600));
    ui::Timer timer(&container, QStringLiteral("Timer1"), ui::twips(300), ui::twips(600));
    const std::vector<ui::Control*> controls{&label, &timer};

    const auto normal = ui::rilevaProporzioni(controls, ui::twips(3000), ui::twips(1200));
    QCOMPARE(normal[0].Larghezza, 0.5f);
    QCOMPARE(normal[0].Altezza, 0.5f);
    QCOMPARE(normal[0].Sinistra, 0.05f);
    QCOMPARE(normal[0].Alto, 0.25f);
    QCOMPARE(normal[1].Larghezza, 0.0f);
    QCOMPARE(normal[1].Altezza, 0.0f);
    QCOMPARE(normal[1].Sinistra, 0.1f);
    QCOMPARE(normal[1].Alto, 0.5f);

    const auto zero = ui::rilevaProporzioni(controls, ui::twips(0), ui::twips(0));
    QCOMPARE(zero[0].Larghezza + zero[0].Altezza + zero[0].Sinistra + zero[0].Alto, 0.0f);

    const auto beyond = ui::rilevaProporzioni(controls, ui::twips(1000), ui::twips(1200)); // not clamped
    QCOMPARE(beyond[0].Larghezza, 1.5f);
}

void LayerTest::applyShouldSkipTimersAndMenusAndReadTheSizeForEveryControl()
{
    QWidget container;
    ui::Label a(&container, QStringLiteral("A"));
    ui::Timer timer(&container, QStringLiteral("T"), ui::twips(300), ui::twips(600));
    ui::Label b(&container, QStringLiteral("B"));
    const std::vector<ui::Control*> controls{&a, &timer, &b};
    const ui::Proporzioni records{{0.5f, 0.5f, 0.25f, 0.1f}, {0, 0, 0.5f, 0.5f}, {0.25f, 0.25f, 0, 0}};
    int reads = 0;
    ui::applicaProporzioni(controls, records, [&] {
        ++reads;
        return ui::TwipSize{ui::twips(2000), ui::twips(1000)};
    });
    QCOMPARE(reads, 2);
    QCOMPARE(a.twipRect().value(), QRectF(200, 250, 1000, 500));
    QCOMPARE(b.twipRect().value(), QRectF(0, 0, 500, 250));
    QCOMPARE(timer.Left().value(), 300.0);
}

void LayerTest::pixelRectanglesShouldShareEdges_data()
{
    // A rectangle in twips, the pixels it covers, and whether it has a far edge to share with a
    // twin placed right after it and one placed right below it.
    QTest::addColumn<double>("left");
    QTest::addColumn<double>("top");
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("height");
    QTest::addColumn<QRect>("pixels");
    QTest::addColumn<bool>("neighbours");
    QTest::newRow("whole pixels") << 105.0 << 150.0 << 3195.0 << 1380.0 << QRect(7, 10, 213, 92) << true;
    QTest::newRow("from 0, fractional size") << 0.0 << 0.0 << 1007.0 << 10.0 << QRect(0, 0, 67, 1) << true;
    // 7.47 px to 14.93 px: the size rounds to 7 but the edges are 8 pixels apart.
    QTest::newRow("112 at 112, twin at 224") << 112.0 << 112.0 << 112.0 << 112.0 << QRect(7, 7, 8, 8) << true;
    QTest::newRow("1.47 px wide from 1.47 px") << 22.0 << 22.0 << 22.0 << 22.0 << QRect(1, 1, 2, 2) << true;
    QTest::newRow("a third of a pixel") << 5.0 << 5.0 << 5.0 << 5.0 << QRect(0, 0, 1, 1) << true;
    QTest::newRow("half pixels") << 7.5 << 22.5 << 15.0 << 15.0 << QRect(1, 2, 1, 1) << true;
    QTest::newRow("a scaled option") << 157.5 << 2362.5 << 4792.5 << 1372.5 << QRect(11, 158, 319, 91)
                                     << true;
    QTest::newRow("negative size collapses") << 10.0 << 10.0 << -50.0 << -50.0 << QRect(1, 1, 0, 0) << false;
}

void LayerTest::pixelRectanglesShouldShareEdges()
{
    QFETCH(double, left);
    QFETCH(double, top);
    QFETCH(double, width);
    QFETCH(double, height);
    QFETCH(QRect, pixels);
    QFETCH(bool, neighbours);
    const QRect rect = ui::twipsToPixelRect(ui::twips(left, top, width, height));
    if (neighbours) {
        // No gap and no overlap: the twin starts on the very pixel after this one's last.
        const QRect after = ui::twipsToPixelRect(ui::twips(left + width, top, width, height));
        const QRect below = ui::twipsToPixelRect(ui::twips(left, top + height, width, height));
        QCOMPARE(after.left(), rect.right() + 1);
        QCOMPARE(below.top(), rect.bottom() + 1);
    }
    QCOMPARE(rect, pixels);
}

void LayerTest::optionMouseUpShouldArriveAfterItsFrameWasDisabled()
{
    QWidget window;
    window.resize(300, 200);
    ui::Frame frame(&window, QStringLiteral("Frame1"));
    frame.Move(ui::twips(0, 0, 3000, 2000));
    ui::OptionButton option(&frame, QStringLiteral("Option1"), 0);
    option.Move(ui::twips(150, 150, 1500, 900));
    QList<QString> events;
    option.MouseDown = [&](int button, int, ui::Twips, ui::Twips) {
        events << QStringLiteral("down %1").arg(button);
        frame.setEnabled(false);
    };
    option.MouseUp = [&](int button, int, ui::Twips, ui::Twips) {
        events << QStringLiteral("up %1").arg(button);
    };
    option.Click = [&] { events << QStringLiteral("click"); };
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    mouseClick(&option, Qt::RightButton);
    QCOMPARE(events, (QList<QString>{"down 2", "up 2"}));
    QVERIFY(!option.Value());
    // A disabled option gets no press at all.
    events.clear();
    mouseClick(&option);
    QVERIFY(events.isEmpty());
}

void LayerTest::optionKeyEventsShouldCarryChangeableArguments()
{
    QWidget window;
    window.resize(300, 200);
    ui::OptionButton option(&window, QStringLiteral("Option1"), 0);
    option.Move(ui::twips(150, 150, 1500, 900));
    QList<QString> events;
    option.KeyDown = [&](int& code, int) {
        events << QStringLiteral("down %1").arg(code);
        code = 0;
    };
    option.KeyPress = [&](int& character) { events << QStringLiteral("press %1").arg(character); };
    option.KeyUp = [&](int& code, int) { events << QStringLiteral("up %1").arg(code); };
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    option.setFocus();
    keyPress(&window, Qt::Key_Space);
    keyPress(&window, Qt::Key_Space, {}, true);
    keyRelease(&window, Qt::Key_Space);
    keyClick(&window, Qt::Key_4, Qt::KeypadModifier);
    QCOMPARE(events, (QList<QString>{"down 32", "press 32", "down 32", "press 32", "up 32", "down 100",
                                     "press 52", "up 100"}));
}

void LayerTest::imageShouldShowItsPictureWholeAtItsOwnSize()
{
    QWidget container;
    ui::Image slot(&container, QStringLiteral("Image2"), 1);
    slot.Move(ui::twips(150, 150, 750, 750));
    QCOMPARE(slot.widget()->size(), QSize(50, 50));
    pictures::PictureStore store;
    slot.setPicture(store.Image3(4)); // 42 x 62
    QCOMPARE(slot.widget()->geometry(), QRect(10, 10, 50, 62));
    QCOMPARE(slot.twipRect().value(), QRectF(150, 150, 750, 750)); // the layout's record is the slot's
    slot.Move(ui::twips(75, 75, 375, 375));                        // a smaller window
    QCOMPARE(slot.widget()->size(), QSize(42, 62));
    slot.setPicture(store.Image3(0));
    QCOMPARE(slot.widget()->size(), QSize(25, 25));
}

void LayerTest::scanningShouldKeepItsPaceAndRest_data()
{
    QTest::addColumn<int>("shown");
    QTest::addColumn<QString>("events");   // s start, t the timer fires, p a press, n a name begun, d
                                           // said; at seconds, pace 2
    QTest::addColumn<QString>("outcomes"); // per t or p: Wait, Move, Rest, Act, waKe, Ignored
    QTest::addColumn<double>("due");       // the next move; -1 resting
    // The timer firing at each pace from `from` to `to` seconds.
    const auto paces = [](int from, int to) {
        QString events;
        for (int t = from; t <= to; t += 2)
            events += QStringLiteral(" t%1").arg(t);
        return events;
    };
    const QString moves(14, QLatin1Char('M'));
    QTest::newRow("a move each pace") << 4 << "s0 t1.99 t2 t4"
                                      << "WMM" << 6.0;
    QTest::newRow("a late timer moves once") << 4 << "s0 t5 t6.9 t7"
                                             << "MWM" << 9.0;
    QTest::newRow("a press keeps the rest of the pace and one more") << 4 << "s0 p1 t3.9 t4"
                                                                     << "AWM" << 6.0;
    QTest::newRow("pressed again, still one pace more") << 4 << "s0 p1 p3.5 t5.9 t6"
                                                        << "AAWM" << 8.0;
    QTest::newRow("bounces within 0.3 s are ignored") << 4 << "s0 p1 p1.2 p1.29 p1.31"
                                                      << "AIIA" << 4.0;
    QTest::newRow("three rounds and 30 s, then rest") << 2 << "s0" + paces(2, 32) << moves + "RR" << -1.0;
    QTest::newRow("one button does not rest before 30 s") << 1 << "s0" + paces(2, 28) << moves << 30.0;
    QTest::newRow("a press while resting only wakes")
        << 1 << "s0" + paces(2, 30) + " p31 t33" << moves + "RKM" << 35.0;
    QTest::newRow("a press starts the 30 s again")
        << 1 << "s0" + paces(2, 28) + " p29" + paces(32, 60) << moves + "A" + moves + "R" << -1.0;
    QTest::newRow("nothing shown, nothing to scan") << 0 << "s0 t2"
                                                    << "R" << -1.0;
    QTest::newRow("the pace starts once the name is said") << 4 << "s0 n0 t2 d2.5 t4.4 t4.5"
                                                           << "WWM" << 6.5;
    QTest::newRow("a name never said holds it 3 s at most") << 4 << "s0 n0 t2 t4.9 t5 n5 d9 t9.9 t10"
                                                            << "WWMWM" << 12.0;
}

void LayerTest::scanningShouldKeepItsPaceAndRest()
{
    QFETCH(int, shown);
    QFETCH(QString, events);
    QFETCH(QString, outcomes);
    QFETCH(double, due);
    ui::ScanCycle cycle(2);
    QString seen;
    for (const QString& event : events.split(QLatin1Char(' '))) {
        const double at = event.mid(1).toDouble();
        if (event.startsWith(QLatin1Char('s')))
            cycle.start(at);
        else if (event.startsWith(QLatin1Char('t')))
            seen += QStringLiteral("WMR").at(static_cast<int>(cycle.tick(at, shown)));
        else if (event.startsWith(QLatin1Char('n')))
            cycle.awaitName(at);
        else if (event.startsWith(QLatin1Char('d')))
            cycle.nameSaid(at);
        else
            seen += QStringLiteral("AKI").at(static_cast<int>(cycle.press(at)));
    }
    QCOMPARE(seen, outcomes);
    QCOMPARE(cycle.due().value_or(-1), due);
}

void LayerTest::scanningShouldSkipButtonsNotShown_data()
{
    QTest::addColumn<QString>("buttons"); // x shown, . hidden or disabled
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("next");
    QTest::newRow("the next") << "xxxx" << 1 << 2;
    QTest::newRow("wraps round") << "xxxx" << 3 << 0;
    QTest::newRow("past hidden ones") << "x..x" << 0 << 3;
    QTest::newRow("from one just hidden, the one after it") << ".x.x" << 2 << 3;
    QTest::newRow("the only one stays") << "..x." << 2 << 2;
    QTest::newRow("from none, the first shown") << ".xx." << -1 << 1;
    QTest::newRow("none shown") << "...." << 1 << -1;
}

void LayerTest::scanningShouldSkipButtonsNotShown()
{
    QFETCH(QString, buttons);
    QFETCH(int, current);
    QFETCH(int, next);
    std::vector<bool> shown;
    for (const QChar c : buttons)
        shown.push_back(c == QLatin1Char('x'));
    QCOMPARE(ui::ScanCycle::following(shown, current), next);
}

QTEST_MAIN(LayerTest)
#include "test_layer.moc"
