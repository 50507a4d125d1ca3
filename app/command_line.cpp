// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/command_line.h"

namespace app {

namespace {

// The options QApplication reads on X11 and Wayland, with a value or without one.
const QStringList kQtOptionsWithValue{"platform",
                                      "platformpluginpath",
                                      "platformtheme",
                                      "plugin",
                                      "qwindowgeometry",
                                      "geometry",
                                      "qwindowicon",
                                      "icon",
                                      "qwindowtitle",
                                      "title",
                                      "session",
                                      "style",
                                      "stylesheet",
                                      "display",
                                      "name",
                                      "visual",
                                      "ncols",
                                      "dialogs",
                                      "fontengine"};
const QStringList kQtFlags{"reverse", "widgetcount", "nograb", "dograb", "sync", "cmap", "qmljsdebugger"};

} // namespace

CommandLine readCommandLine(const QStringList& arguments)
{
    CommandLine line;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        // Qt takes its options with one dash or two, and a value after "=" or as the next word.
        const QString name =
            argument.mid(argument.startsWith(QLatin1String("--")) ? 2 : 1).section('=', 0, 0);
        if (argument == QLatin1String("--voce")) {
            line.voce = true;
        } else if (argument == QLatin1String("-h") || argument == QLatin1String("--help")) {
            return {CommandLine::Action::Help, false, {}};
        } else if (argument == QLatin1String("-v") || argument == QLatin1String("--version")) {
            return {CommandLine::Action::Version, false, {}};
        } else if (argument.startsWith('-') && kQtOptionsWithValue.contains(name)) {
            if (!argument.contains('=') && ++i == arguments.size())
                return {CommandLine::Action::Fail, false,
                        QStringLiteral("all'opzione %1 manca il valore").arg(argument)};
        } else if (argument.startsWith('-') && argument.size() > 1 && !kQtFlags.contains(name)) {
            return {CommandLine::Action::Fail, false,
                    QStringLiteral("opzione sconosciuta: %1").arg(argument)};
        } else if (!argument.startsWith('-') || argument.size() == 1) {
            return {CommandLine::Action::Fail, false, QStringLiteral("argomento inatteso: %1").arg(argument)};
        }
    }
    return line;
}

QString usage()
{
    return QStringLiteral(
        "Uso: zanfilo [--voce]\n"
        "Esercizi per contare piccoli insiemi e leggere le quantità sulla linea dei numeri.\n"
        "\n"
        "  --voce         dice ad alta voce ogni conteggio e l'esito, con la voce italiana\n"
        "                 del servizio vocale del desktop (speech-dispatcher)\n"
        "  -h, --help     mostra questo aiuto ed esce\n"
        "  -v, --version  mostra la versione ed esce\n"
        "\n"
        "Valgono anche le opzioni di Qt, come -platform e -style.\n");
}

} // namespace app
