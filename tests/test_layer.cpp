#include "pictures/picture_store.h"
#include "support/test_support.h"
#include "ui/control_array.h"
#include "ui/controls.h"
#include "ui/keys.h"
#include "ui/proportional_layout.h"
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
    // One handler serves the whole array and learns which element raised the event.
    void arrayHandlerShouldReceiveTheElementIndex();
    // A zero inner size must not poison the records with infinities: such fields stay 0.
    void captureShouldLeaveFieldsAtZeroForZeroDivisorsAndMissingProperties();
    void applyShouldSkipTimersAndMenusAndReadTheSizeForEveryControl();
    // Neighbouring rectangles stay neighbours in pixels: edges are rounded, not sizes.
    void pixelRectanglesShouldShareEdges();
    // A press may disable the option's own frame; its release must still reach the handler.
    void optionMouseUpShouldArriveAfterItsFrameWasDisabled();
    // The handler may discard the character and consume the key; repeats raise no key-up.
    void optionKeyEventsShouldCarryChangeableArguments();
    // A candle taller than its slot must not lose its foot: pictures show whole, never stretched.
    void imageShouldShowItsPictureWholeAtItsOwnSize();
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
    label.Move(150, 300, 1500, 600);
    ui::Timer timer(&container, QStringLiteral("Timer1"), 300, 600);
    const std::vector<ui::Control*> controls{&label, &timer};

    const auto normal = ui::rilevaProporzioni(controls, 3000, 1200);
    QCOMPARE(normal[0].Larghezza, 0.5f);
    QCOMPARE(normal[0].Altezza, 0.5f);
    QCOMPARE(normal[0].Sinistra, 0.05f);
    QCOMPARE(normal[0].Alto, 0.25f);
    QCOMPARE(normal[1].Larghezza, 0.0f);
    QCOMPARE(normal[1].Altezza, 0.0f);
    QCOMPARE(normal[1].Sinistra, 0.1f);
    QCOMPARE(normal[1].Alto, 0.5f);

    const auto zero = ui::rilevaProporzioni(controls, 0, 0);
    QCOMPARE(zero[0].Larghezza + zero[0].Altezza + zero[0].Sinistra + zero[0].Alto, 0.0f);

    const auto beyond = ui::rilevaProporzioni(controls, 1000, 1200); // not clamped
    QCOMPARE(beyond[0].Larghezza, 1.5f);
}

void LayerTest::applyShouldSkipTimersAndMenusAndReadTheSizeForEveryControl()
{
    QWidget container;
    ui::Label a(&container, QStringLiteral("A"));
    ui::Timer timer(&container, QStringLiteral("T"), 300, 600);
    ui::Label b(&container, QStringLiteral("B"));
    const std::vector<ui::Control*> controls{&a, &timer, &b};
    const ui::Proporzioni records{{0.5f, 0.5f, 0.25f, 0.1f}, {0, 0, 0.5f, 0.5f}, {0.25f, 0.25f, 0, 0}};
    int reads = 0;
    ui::applicaProporzioni(controls, records, [&] {
        ++reads;
        return QSizeF(2000, 1000);
    });
    QCOMPARE(reads, 2);
    QCOMPARE(a.twipRect(), QRectF(200, 250, 1000, 500));
    QCOMPARE(b.twipRect(), QRectF(0, 0, 500, 250));
    QCOMPARE(timer.Left(), 300.0);
}

void LayerTest::pixelRectanglesShouldShareEdges()
{
    const QRect left = ui::twipsToPixelRect(QRectF(0, 0, 1007, 10));
    const QRect right = ui::twipsToPixelRect(QRectF(1007, 0, 1007, 10));
    QCOMPARE(left.right() + 1, right.left());
    QCOMPARE(ui::twipsToPixelRect(QRectF(10, 10, -50, -50)).size(), QSize(0, 0));
    QCOMPARE(ui::twipsToPixelRect(QRectF(105, 150, 3195, 1380)), QRect(7, 10, 213, 92));
}

void LayerTest::optionMouseUpShouldArriveAfterItsFrameWasDisabled()
{
    QWidget window;
    window.resize(300, 200);
    ui::Frame frame(&window, QStringLiteral("Frame1"));
    frame.Move(0, 0, 3000, 2000);
    ui::OptionButton option(&frame, QStringLiteral("Option1"), 0);
    option.Move(150, 150, 1500, 900);
    QList<QString> events;
    option.MouseDown = [&](int button, int, double, double) {
        events << QStringLiteral("down %1").arg(button);
        frame.setEnabled(false);
    };
    option.MouseUp = [&](int button, int, double, double) { events << QStringLiteral("up %1").arg(button); };
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
    option.Move(150, 150, 1500, 900);
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
    slot.Move(150, 150, 750, 750);
    QCOMPARE(slot.widget()->size(), QSize(50, 50));
    pictures::PictureStore store;
    slot.setPicture(store.Image3(4)); // 42 x 62
    QCOMPARE(slot.widget()->geometry(), QRect(10, 10, 50, 62));
    QCOMPARE(slot.twipRect(), QRectF(150, 150, 750, 750)); // the layout's record is the slot's
    slot.Move(75, 75, 375, 375);                           // a smaller window
    QCOMPARE(slot.widget()->size(), QSize(42, 62));
    slot.setPicture(store.Image3(0));
    QCOMPARE(slot.widget()->size(), QSize(25, 25));
}

QTEST_MAIN(LayerTest)
#include "test_layer.moc"
