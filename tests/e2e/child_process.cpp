// SPDX-FileCopyrightText: 2026 The Zanfilo team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "child_process.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QFile>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>

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

bool startChild(QProcess& process, const QString& program, const QStringList& args, QString& error,
                bool ownGroup)
{
    endWithParent(process, ownGroup);
    process.start(program, args);
    if (process.waitForStarted(10000))
        return true;
    error = QStringLiteral("could not start %1: %2").arg(program, process.errorString());
    return false;
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

bool finishTool(QProcess& process, int timeoutMs, QByteArray* output, QString& error)
{
    const QString command = process.program() + QLatin1Char(' ') + process.arguments().join(QLatin1Char(' '));
    if (!process.waitForStarted(timeoutMs)) {
        error = QStringLiteral("could not run %1: %2").arg(command, process.errorString());
        return false;
    }
    if (!process.waitForFinished(timeoutMs)) {
        endProcess(process, 1000);
        error = QStringLiteral("%1 did not finish within %2 ms").arg(command).arg(timeoutMs);
        return false;
    }
    if (output != nullptr)
        *output = process.readAllStandardOutput();
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        error = QStringLiteral("%1 failed (exit code %2): %3")
                    .arg(command)
                    .arg(process.exitCode())
                    .arg(QString::fromLocal8Bit(process.readAllStandardError()).trimmed());
        return false;
    }
    return true;
}

QStringList words(const char* line)
{
    return QString::fromLatin1(line).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

QStringList missingPrograms(std::initializer_list<const char*> names)
{
    QStringList missing;
    for (const char* name : names) {
        if (QStandardPaths::findExecutable(QString::fromLatin1(name)).isEmpty())
            missing << QString::fromLatin1(name);
    }
    return missing;
}

void settle(int ms)
{
    if (QCoreApplication::instance() == nullptr) {
        QThread::msleep(static_cast<unsigned long>(qMax(ms, 0)));
        return;
    }
    QEventLoop loop;
    QTimer::singleShot(qMax(ms, 0), &loop, &QEventLoop::quit);
    loop.exec();
}

bool waitUntil(const std::function<bool()>& ready, int timeoutMs, const QProcess* alive, int pollMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!ready()) {
        if (deadline.hasExpired() || (alive != nullptr && alive->state() == QProcess::NotRunning))
            return false;
        settle(pollMs);
    }
    return true;
}

bool fail(QString& error, const QString& why)
{
    error = why;
    return false;
}

bool writeFile(const QString& path, const QByteArray& text, QString& error)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(text) == text.size())
        return true;
    error = QStringLiteral("could not write %1: %2").arg(path, file.errorString());
    return false;
}

QString tail(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(file.readAll()).trimmed().right(2000)
                                          : QString();
}

} // namespace e2e
