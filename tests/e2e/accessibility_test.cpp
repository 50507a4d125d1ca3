// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

// What a screen reader reads of the real program, read where it reads it: over AT-SPI, with the
// program on a private X server and a private session bus, and the accessibility registry running.
// A small Python reader (atspi_tree.py) prints the program's accessible tree as JSON.
#include "child_process.h"
#include "program.h"
#include "session_bus.h"
#include "x11_session.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>

#include <functional>
#include <memory>

namespace {

// Debian's interpreter, which has the AT-SPI bindings; one first on PATH may not.
const QString python = QStringLiteral("/usr/bin/python3");
const QString reader = QStringLiteral(ZANFILO_ATSPI_TREE);
const QString applicationName = QStringLiteral("Zanfilo");
using e2e::countTitle;
using e2e::startTitle;
constexpr int treeTimeoutMs = 15000;

struct Node
{
    QString window; // the name of the top-level window it is in
    QString name;
    QString role;
    QString text;
    QStringList states;

    bool has(const char* state) const { return states.contains(QLatin1String(state)); }
    bool isFocused() const { return has("focused"); }
    // Qt gives its buttons "push button"; "toggle button" and "radio button" would be read as
    // buttons too.
    bool isButton() const { return role.endsWith(QLatin1String("button")); }
    QString describe() const
    {
        return QStringLiteral("%1 \"%2\" [%3] in \"%4\"")
            .arg(role, name, states.join(QLatin1Char(',')), window);
    }
};

using Tree = QList<Node>;

void flatten(const QJsonObject& object, int depth, const QString& window, Tree& out)
{
    Node node;
    node.name = object.value(QLatin1String("name")).toString();
    node.role = object.value(QLatin1String("role")).toString();
    node.text = object.value(QLatin1String("text")).toString();
    for (const QJsonValue& state : object.value(QLatin1String("states")).toArray())
        node.states << state.toString();
    node.window = depth == 1 ? node.name : window;
    out << node;
    for (const QJsonValue& child : object.value(QLatin1String("children")).toArray())
        flatten(child.toObject(), depth + 1, node.window, out);
}

QList<Node> find(const Tree& tree, const std::function<bool(const Node&)>& which)
{
    QList<Node> found;
    for (const Node& node : tree) {
        if (which(node))
            found << node;
    }
    return found;
}

QString describe(const Tree& tree, const std::function<bool(const Node&)>& which)
{
    QStringList lines;
    for (const Node& node : find(tree, which))
        lines << QStringLiteral("  ") + node.describe();
    return lines.isEmpty() ? QStringLiteral("  (none)") : lines.join(QLatin1Char('\n'));
}

const QStringList startButtons{QStringLiteral("Zanfilo"),   QStringLiteral("Costruire l'insieme"),
                               QStringLiteral("Fino a 5"),  QStringLiteral("Fino a 10"),
                               QStringLiteral("Oltre 10"),  QStringLiteral("Vai"),
                               QStringLiteral("Reimposta"), QStringLiteral("Esci")};

bool isStartButton(const Node& node, const QString& name)
{
    return node.window == startTitle && node.isButton() && node.name == name;
}

bool isVerdict(const Node& n)
{
    const QString said = n.name.isEmpty() ? n.text : n.name;
    return n.window == countTitle && n.role == QLatin1String("label") && n.has("showing") &&
           (said == QLatin1String("ESATTO") || said == QLatin1String("ERRATO"));
}

} // namespace

class AccessibilityTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    // A child who cannot see the screen hears each choice of the start window by its Italian name,
    // as a button; the level buttons show only pictures, so their names are all there is to hear.
    void startWindowChoiceShouldBeReadAsAButtonByItsItalianName_data();
    void startWindowChoiceShouldBeReadAsAButtonByItsItalianName();
    // Opening the count exercise with the keyboard puts the screen reader on CONTA, the first thing
    // to press there.
    void countExerciseOpenedWithTheKeyboardShouldHaveContaFocused();
    // After VERIFICA the verdict is a label on the screen that a screen reader can read.
    void verificaShouldShowAVerdictAScreenReaderCanRead();
    // A child on one switch (Space) opens the count window and answers, pressing each time the
    // highlight, which is the focus, has come to the button wanted.
    void oneSwitchShouldOpenTheCountWindowAndGiveAnAnswer();

private:
    // One reading of the program's tree; empty with *why set if it could not be read.
    Tree readTree(QString* why);
    // Reads the tree until `done` holds for it or the time is up; returns the last reading.
    Tree waitForTree(const std::function<bool(const Tree&)>& done, int timeoutMs, QString* why);
    // Until the one object with the focus is the one of that name.
    Tree waitForFocusOn(const QString& name, QString* why, int timeoutMs = treeTimeoutMs);

    std::unique_ptr<e2e::SessionBus> bus;
    std::unique_ptr<e2e::X11Session> session;
    Tree startTree;
    QString startTreeProblem;
    bool exerciseOpen = false;
};

void AccessibilityTest::initTestCase()
{
    E2E_SKIP_UNLESS_READY(e2e::X11Session::missingTools() + e2e::SessionBus::missingTools());
    QProcess check;
    check.start(python, {reader, QStringLiteral("--check")});
    if (QString why; !e2e::finishTool(check, 20000, nullptr, why))
        QSKIP(qPrintable(
            QStringLiteral(
                "needs %1 with the AT-SPI bindings (Debian packages python3-gi, gir1.2-atspi-2.0): %2")
                .arg(python, why)));

    bus = std::make_unique<e2e::SessionBus>();
    QVERIFY2(bus->ok(), qPrintable(bus->lastError()));
    session = std::make_unique<e2e::X11Session>();
    QVERIFY2(session->ok(), qPrintable(session->lastError()));
    QVERIFY2(bus->startAccessibility(session->display()), qPrintable(bus->lastError()));
    // The program finds the accessibility bus as any would: through the launcher on its session bus.
    session->setEnvironmentVariable(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), bus->address());
    QVERIFY2(session->startProgram(e2e::program()), qPrintable(session->lastError()));
    QVERIFY2(
        !session->waitForWindow(startTitle, 20000).isEmpty(),
        qPrintable(session->lastError() + QStringLiteral("\nprogram output:\n") + session->programOutput()));

    // Keys go where the focus is, and the window gives it to its first choice once active.
    startTree = waitForTree(
        [](const Tree& tree) {
            for (const QString& name : startButtons) {
                if (find(tree, [&](const Node& n) { return isStartButton(n, name); }).isEmpty())
                    return false;
            }
            return !find(tree, [](const Node& n) {
                        return isStartButton(n, QStringLiteral("Zanfilo")) && n.has("focused");
                    }).isEmpty();
        },
        treeTimeoutMs, &startTreeProblem);
}

void AccessibilityTest::cleanupTestCase()
{
    // The program and its display first, while the buses it talks to are still there.
    session.reset();
    bus.reset();
}

void AccessibilityTest::startWindowChoiceShouldBeReadAsAButtonByItsItalianName_data()
{
    QTest::addColumn<QString>("name");
    for (const QString& name : startButtons)
        QTest::newRow(qPrintable(name)) << name;
}

void AccessibilityTest::startWindowChoiceShouldBeReadAsAButtonByItsItalianName()
{
    QFETCH(QString, name);
    const QList<Node> found = find(startTree, [&](const Node& n) { return isStartButton(n, name); });
    QVERIFY2(found.size() == 1,
             qPrintable(QStringLiteral("%1 buttons \"%2\" in \"%3\" (%4); the buttons there:\n%5")
                            .arg(found.size())
                            .arg(name, startTitle, startTreeProblem,
                                 describe(startTree, [](const Node& n) { return n.isButton(); }))));
    QVERIFY2(found.first().has("showing") && found.first().has("enabled"),
             qPrintable(found.first().describe()));
}

void AccessibilityTest::countExerciseOpenedWithTheKeyboardShouldHaveContaFocused()
{
    // The exercise, its first level, "Vai".
    QVERIFY2(session->keys(e2e::openCount), qPrintable(session->lastError()));
    QVERIFY2(!session->waitForWindow(countTitle, 10000).isEmpty(), qPrintable(session->lastError()));
    exerciseOpen = true;

    QString problem;
    const Tree tree = waitForFocusOn(QStringLiteral("CONTA"), &problem);
    const QList<Node> f = find(tree, &Node::isFocused);
    QVERIFY2(f.size() == 1, qPrintable(QStringLiteral("%1 focused objects (%2):\n%3")
                                           .arg(f.size())
                                           .arg(problem, describe(tree, &Node::isFocused))));
    QCOMPARE(f.first().name, QStringLiteral("CONTA"));
    QVERIFY2(f.first().isButton() && f.first().window == countTitle && f.first().has("showing"),
             qPrintable(f.first().describe()));
}

void AccessibilityTest::verificaShouldShowAVerdictAScreenReaderCanRead()
{
    if (!exerciseOpen)
        QSKIP("the count exercise did not open (see the test before)");
    // One picture counted, then on to VERIFICA.
    QVERIFY2(session->keys(e2e::words("space Tab Tab")), qPrintable(session->lastError()));
    QString problem;
    Tree tree = waitForFocusOn(QStringLiteral("VERIFICA"), &problem);
    const QList<Node> f = find(tree, &Node::isFocused);
    QVERIFY2(f.size() == 1 && f.first().name == QLatin1String("VERIFICA") && f.first().isButton(),
             qPrintable(QStringLiteral("VERIFICA should have the focus after space, Tab, Tab (%1):\n%2")
                            .arg(problem, describe(tree, &Node::isFocused))));

    QVERIFY2(session->keys({QStringLiteral("Return")}), qPrintable(session->lastError()));
    tree =
        waitForTree([&](const Tree& t) { return find(t, isVerdict).size() == 1; }, treeTimeoutMs, &problem);
    QVERIFY2(find(tree, isVerdict).size() == 1,
             qPrintable(QStringLiteral("no verdict label showing (%1); labels with text in \"%2\":\n%3")
                            .arg(problem, countTitle, describe(tree, [](const Node& n) {
                                     return n.window == countTitle && n.role == QLatin1String("label") &&
                                            !n.name.isEmpty();
                                 }))));
}

void AccessibilityTest::oneSwitchShouldOpenTheCountWindowAndGiveAnAnswer()
{
    session->stopProgram();
    // Slow enough that the press after a reading of the tree lands before the highlight moves.
    constexpr int paceMs = 6000;
    QVERIFY2(session->startProgram(e2e::program(), {QStringLiteral("--scansione=%1").arg(paceMs / 1000)}),
             qPrintable(session->lastError()));
    QVERIFY2(!session->waitForWindow(startTitle, 20000).isEmpty(), qPrintable(session->lastError()));
    // The exercise, its first level, "Vai", one count and VERIFICA.
    for (const QString& button : QStringList{"Zanfilo", "Fino a 5", "Vai", "CONTA", "VERIFICA"}) {
        if (button == QLatin1String("CONTA"))
            QVERIFY2(!session->waitForWindow(countTitle, 10000).isEmpty(), qPrintable(session->lastError()));
        QString problem;
        // The highlight stays a pace after a press and comes back each round of at most 3 paces.
        const Tree tree = waitForFocusOn(button, &problem, 3 * paceMs);
        QVERIFY2(problem.isEmpty(), qPrintable(QStringLiteral("waiting for %1 to be lit (%2):\n%3")
                                                   .arg(button, problem, describe(tree, &Node::isFocused))));
        // Past the 0.3 s in which a second press is taken for a tremor.
        QVERIFY2(session->keys({QStringLiteral("space")}, 500), qPrintable(session->lastError()));
    }
    QString problem;
    const Tree tree =
        waitForTree([&](const Tree& t) { return find(t, isVerdict).size() == 1; }, treeTimeoutMs, &problem);
    QVERIFY2(find(tree, isVerdict).size() == 1, qPrintable(QStringLiteral("no verdict (%1)").arg(problem)));
    // Back out by the way round the window, then "Esci", seven buttons on in the start window.
    for (const QString& button : QStringList{"Torna indietro", "Esci"}) {
        const Tree lit = waitForFocusOn(button, &problem, 9 * paceMs);
        QVERIFY2(problem.isEmpty(), qPrintable(QStringLiteral("waiting for %1 to be lit (%2):\n%3")
                                                   .arg(button, problem, describe(lit, &Node::isFocused))));
        QVERIFY2(session->keys({QStringLiteral("space")}, 500), qPrintable(session->lastError()));
    }
    int status = -1;
    QVERIFY2(session->waitForExit(10000, &status), qPrintable(session->lastError()));
    QCOMPARE(status, 0);
}

Tree AccessibilityTest::readTree(QString* why)
{
    QProcess process;
    QProcessEnvironment env = bus->environment();
    // Only the buses lead to the tree; the display is not needed.
    env.remove(QStringLiteral("DISPLAY"));
    process.setProcessEnvironment(env);
    e2e::endWithParent(process);
    process.start(python, {reader, applicationName});
    QByteArray output;
    if (!e2e::finishTool(process, treeTimeoutMs, &output, *why))
        return {};
    QJsonParseError error{};
    const QJsonObject reading = QJsonDocument::fromJson(output, &error).object();
    if (error.error != QJsonParseError::NoError) {
        *why = QStringLiteral("the reader printed no JSON (%1): %2")
                   .arg(error.errorString(), QString::fromUtf8(output.left(500)));
        return {};
    }
    const QJsonValue root = reading.value(QLatin1String("tree"));
    if (!root.isObject()) {
        QStringList names;
        for (const QJsonValue& name : reading.value(QLatin1String("applications")).toArray())
            names << name.toString();
        *why = QStringLiteral("no application \"%1\" on the accessibility bus; there are: %2")
                   .arg(applicationName,
                        names.isEmpty() ? QStringLiteral("none") : names.join(QStringLiteral(", ")));
        return {};
    }
    Tree tree;
    flatten(root.toObject(), 0, QString(), tree);
    why->clear();
    return tree;
}

Tree AccessibilityTest::waitForTree(const std::function<bool(const Tree&)>& done, int timeoutMs, QString* why)
{
    Tree tree;
    bool held = false;
    const auto read = [&] {
        tree = readTree(why);
        held = !tree.isEmpty() && done(tree);
        return held || !session->isRunning();
    };
    e2e::waitUntil(read, timeoutMs, nullptr, 200);
    if (held)
        why->clear();
    else if (!session->isRunning())
        *why = QStringLiteral("the program has ended");
    else if (why->isEmpty())
        *why = QStringLiteral("as read %1 ms on").arg(timeoutMs);
    return tree;
}

Tree AccessibilityTest::waitForFocusOn(const QString& name, QString* why, int timeoutMs)
{
    const auto done = [&](const Tree& tree) {
        const QList<Node> f = find(tree, &Node::isFocused);
        return f.size() == 1 && f.first().name == name;
    };
    return waitForTree(done, timeoutMs, why);
}

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
