// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// How the end-to-end tests start and end the programs they run (X server, window manager, buses,
// the program itself), so that none outlives a test, even one killed on its time limit.

#include <QByteArray>
#include <QProcess>
#include <QString>

namespace e2e {

// The child gets SIGTERM when the test process dies. With ownGroup it also leads a process group
// of its own, so that whatever it starts in turn can be found and ended with it.
void endWithParent(QProcess& process, bool ownGroup = false);

// Politely first (a server removes its lock file and socket, the program says goodbye), then for good.
void endProcess(QProcess& process, int graceMs);

// Waits for a tool the caller started, named `command` in messages, to run to its end within
// `timeoutMs`; its standard output goes to `output`. False, with the reason in `error`, where it
// did not start, did not finish or failed.
bool finishTool(QProcess& process, const QString& command, int timeoutMs, QByteArray* output, QString& error);

} // namespace e2e
