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

// The program's own options, among what Qt left.
CommandLine readOwnOptions(const QStringList& arguments)
{
    QCommandLineParser parser;
    // Qt's options have one dash; one that Qt left, as -platform=x, is then refused whole.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption voce(QStringLiteral("voce"));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    parser.addOptions({voce, help, version});
    if (!parser.parse(arguments)) {
        if (parser.unknownOptionNames().isEmpty())
            return {CommandLine::Action::Fail, false,
                    QStringLiteral("opzioni scritte male: %1").arg(arguments.mid(1).join(QLatin1Char(' ')))};
        const QString name = parser.unknownOptionNames().constFirst();
        const auto typed = std::find_if(arguments.begin() + 1, arguments.end(), [&](const QString& a) {
            return a.startsWith(QLatin1Char('-')) && a.section(QLatin1Char('='), 0, 0).endsWith(name);
        });
        return {CommandLine::Action::Fail, false,
                QStringLiteral("opzione sconosciuta: %1").arg(typed != arguments.end() ? *typed : name)};
    }
    if (parser.isSet(help))
        return {CommandLine::Action::Help, false, {}};
    if (parser.isSet(version))
        return {CommandLine::Action::Version, false, {}};
    if (!parser.positionalArguments().isEmpty())
        return {CommandLine::Action::Fail, false,
                QStringLiteral("argomento inatteso: %1").arg(parser.positionalArguments().constFirst())};
    return {CommandLine::Action::Run, parser.isSet(voce), {}};
}

} // namespace

CommandLine startOnCommandLine(int& argc, char** argv, std::unique_ptr<QApplication>& application)
{
    if (const CommandLine::Action early = askedBeforeQt(argc, argv); early != CommandLine::Action::Run)
        return {early, false, {}};
    application = std::make_unique<QApplication>(argc, argv);
    return readOwnOptions(QCoreApplication::arguments());
}

QString usage()
{
    const QString voice = voiceUsage();
    return QStringLiteral(
               "Uso: zanfilo%1 [opzioni di Qt]\n"
               "Esercizi per contare piccoli insiemi e leggere le quantità sulla linea dei numeri.\n"
               "\n"
               "%2"
               "  -h, --help     mostra questo aiuto ed esce\n"
               "  -v, --version  mostra la versione ed esce\n"
               "  --             fine delle opzioni\n"
               "\n"
               "Valgono anche le opzioni di Qt, come -platform NOME e -style NOME o -style=NOME.\n")
        .arg(voice.isEmpty() ? QString() : QStringLiteral(" [--voce]"), voice);
}

} // namespace app
