// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "child_process.h"

#include <csignal>

#ifdef Q_OS_LINUX
#include <sys/prctl.h>
#include <unistd.h>
#endif

namespace e2e {

void endWithParent(QProcess& process, bool ownGroup)
{
#ifdef Q_OS_LINUX
    const pid_t parent = ::getpid();
    process.setChildProcessModifier([parent, ownGroup] {
        ::prctl(PR_SET_PDEATHSIG, static_cast<unsigned long>(SIGTERM));
        // The parent may have gone before the line above took effect.
        if (::getppid() != parent)
            ::_exit(1);
        if (ownGroup)
            ::setpgid(0, 0);
    });
#else
    Q_UNUSED(process);
    Q_UNUSED(ownGroup);
#endif
}

void endProcess(QProcess& process, int graceMs)
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (!process.waitForFinished(graceMs)) {
        process.kill();
        process.waitForFinished(graceMs);
    }
}

} // namespace e2e
