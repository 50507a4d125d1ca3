// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

// Both exercises played on the real executable with real X input: the test reads the task off
// the screen as a child would (the pictures, or the discs), answers it, and reads the verdict.
#include "child_process.h"
#include "program.h"
#include "speech_stand_in.h"
#include "x11_session.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QTest>

namespace {

QPoint px(double twipsX, double twipsY)
{
    return QPoint(static_cast<int>(twipsX / e2e::twipsPerPixel),
                  static_cast<int>(twipsY / e2e::twipsPerPixel));
}

bool isInk(QRgb c)
{
    // The verdict is dark blue on pink.
    return qRed(c) < 128 && qBlue(c) > 100;
}

QImage renderedVerdict(const QString& word, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(e2e::background);
    QPainter painter(&image);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(96);
    painter.setFont(font);
    painter.setPen(e2e::verdictInk);
    painter.drawText(QRect(QPoint(0, 0), size), Qt::AlignTop | Qt::AlignLeft | Qt::TextWordWrap, word);
    return image;
}

// How many pixels disagree on ink between the screen and a rendering of the word.
int mismatch(const QImage& screen, const QImage& expected)
{
    int differing = 0;
    for (int y = 0; y < expected.height(); ++y) {
        for (int x = 0; x < expected.width(); ++x)
            differing += isInk(screen.pixel(x, y)) != isInk(expected.pixel(x, y));
    }
    return differing;
}

} // namespace

class ExerciseTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    // Counting every picture on the board with CONTA, then VERIFICA, must say "ESATTO".
    void countingThePicturesShownShouldBeJudgedRight();
    // Placing as many pictures as discs on the line, then VERIFICA, must say "ESATTO".
    void buildingTheSetShownShouldBeJudgedRight();

private:
    // Opens the exercise with the keys; its window on the screen and, in `task`, what it shows
    // (saved as `name`), or an empty rectangle.
    QRect openExercise(e2e::X11Session& session, const QStringList& keys, const QString& title, QImage& task,
                       const QString& name, const QStringList& arguments = {});
    // Presses the button at `more` `times` times, then VERIFICA at `check` (points of the window),
    // and expects the verdict to read "ESATTO"; the window then is saved as `name`.
    void answer(e2e::X11Session& session, const QRect& window, QPoint more, int times, QPoint check,
                const QString& name);
};

void ExerciseTest::init()
{
    E2E_SKIP_UNLESS_READY(e2e::X11Session::missingTools());
}

QRect ExerciseTest::openExercise(e2e::X11Session& session, const QStringList& keys, const QString& title,
                                 QImage& task, const QString& name, const QStringList& arguments)
{
    if (!session.ok() || !session.startProgram(e2e::program(), arguments) ||
        session.waitForWindow(e2e::startTitle, 15000).isEmpty())
        return {};
    e2e::settle(300);
    // The keyboard works from the first moment, curtains or not.
    if (!session.keys(keys, 150))
        return {};
    const QString id = session.waitForWindow(title, 10000);
    e2e::settle(700);
    const QRect window = id.isEmpty() ? QRect() : session.windowGeometry(id);
    task = session.screenshot(window);
    session.savePng(task, name);
    return window;
}

void ExerciseTest::answer(e2e::X11Session& session, const QRect& window, QPoint more, int times, QPoint check,
                          const QString& name)
{
    for (int i = 0; i <= times; ++i) {
        QVERIFY2(session.mouseClick(window.topLeft() + (i < times ? more : check)),
                 qPrintable(session.lastError()));
        e2e::settle(150);
    }
    e2e::settle(500);
    const QImage screen = session.screenshot(window);
    session.savePng(screen, name);
    const QImage shown = screen.copy(e2e::verdictArea);
    const QImage right = renderedVerdict(QStringLiteral("ESATTO"), shown.size());
    const QImage wrong = renderedVerdict(QStringLiteral("ERRATO"), shown.size());
    const int toRight = mismatch(shown, right);
    const int toWrong = mismatch(shown, wrong);
    // Against a rendering of nothing, the ink itself.
    const QImage blank = renderedVerdict(QString(), shown.size());
    const int inkShown = mismatch(shown, blank);
    const int inkRight = mismatch(right, blank);
    const QString seen = QStringLiteral("ink %1, differs from ESATTO by %2 and from ERRATO by %3 pixels")
                             .arg(inkShown)
                             .arg(toRight)
                             .arg(toWrong);
    QVERIFY2(inkShown > inkRight / 2, qPrintable(QStringLiteral("no verdict shown: ") + seen));
    QVERIFY2(toRight < toWrong && toRight < inkRight / 5, qPrintable(seen));
}

void ExerciseTest::countingThePicturesShownShouldBeJudgedRight()
{
    // Aloud too: each count and the verdict reach the desktop's speech service.
    e2e::SpeechStandIn service;
    e2e::X11Session session;
    session.setEnvironmentVariable(QStringLiteral("SPEECHD_ADDRESS"), service.address());
    QImage task;
    const QRect window = openExercise(session, e2e::openCount, e2e::countTitle, task,
                                      QStringLiteral("count-task.png"), {QStringLiteral("--voce")});
    QVERIFY2(!window.isEmpty(), qPrintable(session.lastError() + session.programOutput()));

    // The picture slots on the white board; a slot holds a figure when it is not plain white.
    const double lefts[24] = {495, 1350, 2220, 3150, 4080, 5010, 5925, 6840, 7710, 8580, 9450, 10380,
                              465, 1350, 2205, 3165, 4080, 5010, 5925, 6840, 7710, 8580, 9450, 10380};
    int figures = 0;
    for (int slot = 0; slot < 24; ++slot) {
        const double top = slot < 8 ? 60 : slot < 12 ? 75 : slot < 23 ? 915 : 900;
        const QPoint at = px(90 + lefts[slot], 924 + top);
        int coloured = 0;
        // From 8 px down: a tall picture of the row above may reach a few pixels into the slot.
        for (int y = 8; y < 46; ++y) {
            for (int x = 4; x < 46; ++x)
                coloured += task.pixel(at.x() + x, at.y() + y) != qRgb(255, 255, 255);
        }
        figures += coloured > 30;
    }
    QVERIFY2(figures >= 1 && figures <= 5, qPrintable(QString::number(figures)));

    answer(session, window, e2e::contaCentre, figures, e2e::verificaCentre,
           QStringLiteral("count-verdict.png"));
    e2e::waitUntil([&] { return service.words.size() > figures; }, 5000);
    QCOMPARE(service.words, QStringLiteral("uno due tre quattro cinque").split(' ').mid(0, figures)
                                << "esatto");
    QVERIFY(service.commands.contains("SET SELF LANGUAGE it") && !service.commands.contains("CANCEL ALL"));
}

void ExerciseTest::buildingTheSetShownShouldBeJudgedRight()
{
    e2e::X11Session session;
    QImage task;
    const QRect window = openExercise(session, QStringList{QStringLiteral("2")} + e2e::openCount,
                                      e2e::setTitle, task, QStringLiteral("set-task.png"));
    QVERIFY2(!window.isEmpty(), qPrintable(session.lastError() + session.programOutput()));

    const int discs = e2e::setDiscs(task);
    QVERIFY2(discs >= 1 && discs <= 5, qPrintable(QString::number(discs)));

    answer(session, window, e2e::setContaCentre, discs, e2e::setVerificaCentre,
           QStringLiteral("set-verdict.png"));
}

QTEST_MAIN(ExerciseTest)
#include "exercise_test.moc"
