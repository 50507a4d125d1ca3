// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/command_line.h"
#include "app/platform.h"

#include <QApplication>
#include <QCommandLineParser>
#include <algorithm>
#include <string_view>

namespace app {

namespace {

CommandLine::Action askedBeforeQt(int argc, char** argv)
{
    for (int i = 1; i < argc && std::string_view(argv[i]) != "--"; ++i) {
        const std::string_view argument(argv[i]);
        if (argument == "-h" || argument == "--help")
            return CommandLine::Action::Help;
        if (argument == "-v" || argument == "--version")
            return CommandLine::Action::Version;
    }
    return CommandLine::Action::Run;
}

const QString scansione = QStringLiteral("scansione");

CommandLine only(CommandLine::Action action)
{
    CommandLine line;
    line.action = action;
    return line;
}

CommandLine failed(const QString& why)
{
    CommandLine line = only(CommandLine::Action::Fail);
    line.error = why;
    return line;
}

// QCommandLineParser has no option whose value may be left out: --scansione alone is read as
// --scansione with the default pace.
QStringList withDefaultPace(QStringList arguments)
{
    const auto end = std::find(arguments.begin(), arguments.end(), QStringLiteral("--"));
    for (auto a = arguments.begin() + 1; a < end; ++a) {
        if (*a == QLatin1String("--") + scansione || *a == QLatin1Char('-') + scansione)
            *a = QStringLiteral("--%1=%2").arg(scansione).arg(kDefaultScanPace);
    }
    return arguments;
}

// Seconds as a teacher writes them, with a comma or a point; none outside the paces taken.
std::optional<double> paceOf(QString text)
{
    bool number = false;
    const double seconds = text.replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&number);
    if (!number || !(seconds >= kFastestScanPace && seconds <= kSlowestScanPace))
        return std::nullopt;
    return seconds;
}

// The program's own options, among what Qt left.
CommandLine readOwnOptions(const QStringList& given)
{
    const QStringList arguments = withDefaultPace(given);
    QCommandLineParser parser;
    // Qt's options have one dash; one that Qt left, as -platform=x, is then refused whole.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption voce(QStringLiteral("voce"));
    const QCommandLineOption scan(scansione, QString(), QStringLiteral("SECONDI"));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    parser.addOptions({voce, scan, help, version});
    if (!parser.parse(arguments)) {
        if (parser.unknownOptionNames().isEmpty())
            return failed(
                QStringLiteral("opzioni scritte male: %1").arg(arguments.mid(1).join(QLatin1Char(' '))));
        const QString name = parser.unknownOptionNames().constFirst();
        const auto typed = std::find_if(arguments.begin() + 1, arguments.end(), [&](const QString& a) {
            return a.startsWith(QLatin1Char('-')) && a.section(QLatin1Char('='), 0, 0).endsWith(name);
        });
        return failed(
            QStringLiteral("opzione sconosciuta: %1").arg(typed != arguments.end() ? *typed : name));
    }
    if (parser.isSet(help))
        return only(CommandLine::Action::Help);
    if (parser.isSet(version))
        return only(CommandLine::Action::Version);
    if (!parser.positionalArguments().isEmpty())
        return failed(
            QStringLiteral("argomento inatteso: %1").arg(parser.positionalArguments().constFirst()));
    std::optional<double> pace;
    if (parser.isSet(scan)) {
        pace = paceOf(parser.value(scan));
        if (!pace)
            return failed(QStringLiteral("tempo di scansione non valido: %1 (da 0,5 a 10 secondi)")
                              .arg(parser.value(scan)));
    }
    CommandLine line;
    line.voce = parser.isSet(voce);
    line.scansione = pace;
    return line;
}

} // namespace

CommandLine startOnCommandLine(int& argc, char** argv, std::unique_ptr<QApplication>& application)
{
    if (const CommandLine::Action early = askedBeforeQt(argc, argv); early != CommandLine::Action::Run)
        return only(early);
    application = std::make_unique<QApplication>(argc, argv);
    return readOwnOptions(QCoreApplication::arguments());
}

QString usage()
{
    const QString voice = voiceUsage();
    return QStringLiteral(
               "Uso: zanfilo%1 [--scansione[=SECONDI]] [opzioni di Qt]\n"
               "Esercizi per contare piccoli insiemi e leggere le quantità sulla linea dei numeri.\n"
               "\n"
               "%2"
               "  --scansione[=SECONDI]\n"
               "                 per chi usa un solo sensore: il programma evidenzia da solo un\n"
               "                 pulsante dopo l'altro, ogni SECONDI secondi (da 0,5 a 10; 2 se\n"
               "                 non detto), e lo spazio, Invio o un clic premono quello evidenziato;\n"
               "                 in un esercizio, per ultima, la cornice intorno alla finestra\n"
               "                 riporta alla finestra iniziale\n"
               "  -h, --help     mostra questo aiuto ed esce\n"
               "  -v, --version  mostra la versione ed esce\n"
               "  --             fine delle opzioni\n"
               "\n"
               "Valgono anche le opzioni di Qt, come -platform NOME e -style NOME o -style=NOME.\n")
        .arg(voice.isEmpty() ? QString() : QStringLiteral(" [--voce]"), voice);
}

} // namespace app
