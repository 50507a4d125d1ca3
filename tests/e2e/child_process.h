// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// How the end-to-end tests start, wait for and end the programs they run (X server, window
// manager, buses, the program itself), so that none outlives a test, even one killed on its time
// limit.

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <functional>
#include <initializer_list>

namespace e2e {

// The child gets SIGTERM when the test process dies. With ownGroup it also leads a process group
// of its own, so that whatever it starts in turn can be found and ended with it.
void endWithParent(QProcess& process, bool ownGroup = false);

// endWithParent(), then start; false, with the reason in `error`, where the program did not start.
bool startChild(QProcess& process, const QString& program, const QStringList& args, QString& error,
                bool ownGroup = false);

// Politely first (a server removes its lock file and socket, the program says goodbye), then for good.
void endProcess(QProcess& process, int graceMs);

// Waits for a tool the caller started to run to its end within `timeoutMs`; its standard output
// goes to `output`. False, with the reason in `error`, where it did not start, did not finish or
// failed.
bool finishTool(QProcess& process, int timeoutMs, QByteArray* output, QString& error);

// A command line's arguments or a row of key names, written as one line with spaces between.
QStringList words(const char* line);

// The programs of the list that are not on PATH.
QStringList missingPrograms(std::initializer_list<const char*> names);

// Lets time pass while events (a child's output among them) are handled.
void settle(int ms);

// Asks `ready` until it holds; false once `timeoutMs` is over or, if given, `alive` has ended.
bool waitUntil(const std::function<bool()>& ready, int timeoutMs, const QProcess* alive = nullptr,
               int pollMs = 50);

// Keeps the reason in `error`; false, for the caller to return.
bool fail(QString& error, const QString& why);

// Writes a configuration file; false, with the reason in `error`, where it could not.
bool writeFile(const QString& path, const QByteArray& text, QString& error);

// The end of a log file, for a message on why its writer failed.
QString tail(const QString& path);

} // namespace e2e
