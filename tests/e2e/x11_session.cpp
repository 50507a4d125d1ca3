#include "x11_session.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDebug>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>

#include <array>
#include <bit>
#include <csignal>

#ifdef Q_OS_LINUX
#include <sys/prctl.h>
#endif

namespace e2e {

namespace {

constexpr int firstDisplay = 90;
constexpr int displaysToTry = 100;
constexpr int serverAttempts = 10;
constexpr int serverStartTimeoutMs = 10000;
constexpr int pollIntervalMs = 50;

QString lockFilePath(int number)
{
    return QStringLiteral("/tmp/.X%1-lock").arg(number);
}

QString socketPath(int number)
{
    return QStringLiteral("/tmp/.X11-unix/X%1").arg(number);
}

// xdotool matches titles as POSIX extended regular expressions.
QString escapeForPosixRegex(const QString& text)
{
    static const QString special = QStringLiteral(R"(\.[]{}()*+?^$|)");
    QString escaped;
    escaped.reserve(text.size() * 2);
    for (const QChar c : text) {
        if (special.contains(c)) {
            escaped += QLatin1Char('\\');
        }
        escaped += c;
    }
    return escaped;
}

// A test killed on its time limit must not leave an X server or the program behind.
void endWithParent(QProcess& process)
{
#ifdef Q_OS_LINUX
    process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, static_cast<unsigned long>(SIGTERM)); });
#else
    Q_UNUSED(process);
#endif
}

// Politely first, so that Xvfb removes its lock file and socket and the program can say goodbye.
void endProcess(QProcess& process, int graceMs)
{
    if (process.state() == QProcess::NotRunning) {
        return;
    }
    process.terminate();
    if (!process.waitForFinished(graceMs)) {
        process.kill();
        process.waitForFinished(graceMs);
    }
}

class XwdReader
{
public:
    explicit XwdReader(const QByteArray& data) : m_data(data) {}

    QImage read(QString* error)
    {
        QImage image = decode();
        if (error != nullptr) {
            *error = m_error;
        }
        return image;
    }

private:
    // Field order of XWDFileHeader; all of them are 32-bit.
    enum Field : int {
        HeaderSize,
        FileVersion,
        PixmapFormat,
        PixmapDepth,
        PixmapWidth,
        PixmapHeight,
        XOffset,
        ByteOrder,
        BitmapUnit,
        BitmapBitOrder,
        BitmapPad,
        BitsPerPixel,
        BytesPerLine,
        VisualClass,
        RedMask,
        GreenMask,
        BlueMask,
        BitsPerRgb,
        ColormapEntries,
        NColors,
        FieldCount = 25,
    };

    static constexpr quint32 xwdVersion = 7;
    static constexpr quint32 zPixmap = 2;
    static constexpr quint32 msbFirst = 1;
    static constexpr quint32 trueColor = 4;
    static constexpr quint32 directColor = 5;
    static constexpr qsizetype colorEntrySize = 12;
    static constexpr quint32 maxSide = 32768;

    struct Channel
    {
        quint32 mask = 0;
        int shift = 0;
        int bits = 0;

        bool set(quint32 m)
        {
            if (m == 0) {
                return false;
            }
            mask = m;
            shift = std::countr_zero(m);
            bits = std::popcount(m);
            // Only contiguous masks make sense for a channel.
            return (m >> shift) == (bits == 32 ? 0xFFFFFFFFu : ((1u << bits) - 1u));
        }

        int value(quint32 pixel) const
        {
            const quint32 raw = (pixel & mask) >> shift;
            if (bits >= 8) {
                return static_cast<int>(raw >> (bits - 8));
            }
            const quint32 maxRaw = (1u << bits) - 1u;
            return static_cast<int>((raw * 255u + maxRaw / 2u) / maxRaw);
        }
    };

    QImage fail(const QString& why)
    {
        m_error = why;
        return {};
    }

    quint32 word(qsizetype offset, bool bigEndian) const
    {
        const auto* p = reinterpret_cast<const unsigned char*>(m_data.constData()) + offset;
        if (bigEndian) {
            return (quint32{p[0]} << 24) | (quint32{p[1]} << 16) | (quint32{p[2]} << 8) | quint32{p[3]};
        }
        return (quint32{p[3]} << 24) | (quint32{p[2]} << 16) | (quint32{p[1]} << 8) | quint32{p[0]};
    }

    QImage decode()
    {
        constexpr qsizetype headerBytes = FieldCount * 4;
        if (m_data.size() < headerBytes) {
            return fail(QStringLiteral("XWD data too short for a header (%1 bytes)").arg(m_data.size()));
        }
        // xwd writes its header most significant byte first, but readers accept either.
        bool bigEndianHeader = true;
        if (word(FileVersion * 4, true) != xwdVersion) {
            bigEndianHeader = false;
            if (word(FileVersion * 4, false) != xwdVersion) {
                return fail(QStringLiteral("not an XWD version 7 file"));
            }
        }
        std::array<quint32, FieldCount> h{};
        for (int i = 0; i < FieldCount; ++i) {
            h[static_cast<std::size_t>(i)] = word(i * 4, bigEndianHeader);
        }
        const auto field = [&h](Field f) { return h[static_cast<std::size_t>(f)]; };

        if (field(PixmapFormat) != zPixmap) {
            return fail(QStringLiteral("XWD pixmap format %1 is not ZPixmap").arg(field(PixmapFormat)));
        }
        if (field(VisualClass) != trueColor && field(VisualClass) != directColor) {
            return fail(
                QStringLiteral("XWD visual class %1 is not TrueColor/DirectColor").arg(field(VisualClass)));
        }
        const quint32 bitsPerPixel = field(BitsPerPixel);
        if (bitsPerPixel != 24 && bitsPerPixel != 32) {
            return fail(QStringLiteral("XWD with %1 bits per pixel is not supported").arg(bitsPerPixel));
        }
        const quint32 width = field(PixmapWidth);
        const quint32 height = field(PixmapHeight);
        if (width == 0 || height == 0 || width > maxSide || height > maxSide) {
            return fail(QStringLiteral("XWD size %1x%2 is not usable").arg(width).arg(height));
        }
        const quint32 bytesPerPixel = bitsPerPixel / 8;
        const quint32 bytesPerLine = field(BytesPerLine);
        if (bytesPerLine < width * bytesPerPixel) {
            return fail(QStringLiteral("XWD line of %1 bytes is too short for %2 pixels")
                            .arg(bytesPerLine)
                            .arg(width));
        }
        Channel red;
        Channel green;
        Channel blue;
        if (!red.set(field(RedMask)) || !green.set(field(GreenMask)) || !blue.set(field(BlueMask))) {
            return fail(QStringLiteral("XWD colour masks %1/%2/%3 are not usable")
                            .arg(field(RedMask), 0, 16)
                            .arg(field(GreenMask), 0, 16)
                            .arg(field(BlueMask), 0, 16));
        }
        if (field(HeaderSize) < headerBytes || field(HeaderSize) > static_cast<quint32>(m_data.size())) {
            return fail(QStringLiteral("XWD header size %1 is not usable").arg(field(HeaderSize)));
        }
        const qsizetype pixelsStart =
            qsizetype{field(HeaderSize)} + qsizetype{field(NColors)} * colorEntrySize;
        const qsizetype pixelBytes = qsizetype{bytesPerLine} * qsizetype{height};
        if (m_data.size() < pixelsStart + pixelBytes) {
            return fail(QStringLiteral("XWD data truncated: %1 bytes, %2 needed")
                            .arg(m_data.size())
                            .arg(pixelsStart + pixelBytes));
        }

        const bool bigEndianPixels = field(ByteOrder) == msbFirst;
        const int w = static_cast<int>(width);
        const int ht = static_cast<int>(height);
        QImage image(w, ht, QImage::Format_RGB32);
        const auto* pixels = reinterpret_cast<const unsigned char*>(m_data.constData()) + pixelsStart;
        for (int y = 0; y < ht; ++y) {
            const unsigned char* line = pixels + qsizetype{bytesPerLine} * y;
            auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < w; ++x) {
                const unsigned char* p = line + qsizetype{bytesPerPixel} * x;
                quint32 pixel = 0;
                for (quint32 i = 0; i < bytesPerPixel; ++i) {
                    const quint32 byte = p[i];
                    pixel |= bigEndianPixels ? byte << (8 * (bytesPerPixel - 1 - i)) : byte << (8 * i);
                }
                out[x] = qRgb(red.value(pixel), green.value(pixel), blue.value(pixel));
            }
        }
        return image;
    }

    const QByteArray& m_data;
    QString m_error;
};

} // namespace

X11Session::X11Session()
{
    if (!missingTools().isEmpty()) {
        m_lastError = QStringLiteral("missing tools: %1").arg(missingTools().join(QStringLiteral(", ")));
        return;
    }
    startServer();
}

X11Session::~X11Session()
{
    stopProgram();
    stopServer();
}

QStringList X11Session::missingTools()
{
    QStringList missing;
    for (const auto* tool : {"Xvfb", "xdotool", "xwd"}) {
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty()) {
            missing << QString::fromLatin1(tool);
        }
    }
    return missing;
}

bool X11Session::ok() const
{
    return m_server && m_server->state() == QProcess::Running && !m_display.isEmpty();
}

QString X11Session::display() const
{
    return m_display;
}

QString X11Session::lastError() const
{
    return m_lastError;
}

QProcessEnvironment X11Session::environment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), m_display);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    // Scaling would move the program's controls away from the pixel positions tests click on; a
    // desktop's theme or style would make it look different than in CI.
    for (const auto* name :
         {"QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS", "QT_AUTO_SCREEN_SCALE_FACTOR",
          "QT_ENABLE_HIGHDPI_SCALING", "QT_SCALE_FACTOR_ROUNDING_POLICY", "QT_FONT_DPI",
          "QT_QPA_PLATFORMTHEME", "QT_STYLE_OVERRIDE", "XDG_CURRENT_DESKTOP", "DESKTOP_SESSION"}) {
        env.remove(QString::fromLatin1(name));
    }
    if (m_scaleFactor) {
        env.insert(QStringLiteral("QT_SCALE_FACTOR"), QString::number(*m_scaleFactor));
    }
    const QStringList extraKeys = m_extraEnvironment.keys();
    for (const QString& name : extraKeys) {
        env.insert(name, m_extraEnvironment.value(name));
    }
    return env;
}

void X11Session::setScaleFactor(double factor)
{
    m_scaleFactor = factor;
}

void X11Session::setEnvironmentVariable(const QString& name, const QString& value)
{
    m_extraEnvironment.insert(name, value);
}

void X11Session::setForwardProgramOutput(bool forward)
{
    m_forwardProgramOutput = forward;
}

bool X11Session::startServer()
{
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    QStringList failures;
    for (int number = firstDisplay; number < firstDisplay + displaysToTry && failures.size() < serverAttempts;
         ++number) {
        if (QFileInfo::exists(lockFilePath(number)) || QFileInfo::exists(socketPath(number))) {
            continue;
        }
        auto server = std::make_unique<QProcess>();
        server->setProcessChannelMode(QProcess::MergedChannels);
        endWithParent(*server);
        // -noreset keeps keymap and root window stable while short-lived xdotool clients come and go;
        // -dpi 96 makes Qt's scale exactly 1.
        server->start(xvfb,
                      {QStringLiteral(":%1").arg(number), QStringLiteral("-screen"), QStringLiteral("0"),
                       QStringLiteral("1280x1024x24"), QStringLiteral("-nolisten"), QStringLiteral("tcp"),
                       QStringLiteral("-dpi"), QStringLiteral("96"), QStringLiteral("-noreset")});
        if (!server->waitForStarted(serverStartTimeoutMs)) {
            m_lastError = QStringLiteral("could not run %1: %2").arg(xvfb, server->errorString());
            return false;
        }
        m_server = std::move(server);
        m_display = QStringLiteral(":%1").arg(number);

        // Another test may have picked the same number at the same moment; the lock file tells
        // whose server it is.
        const QDeadlineTimer deadline(serverStartTimeoutMs);
        bool ours = false;
        while (!deadline.hasExpired() && m_server->state() == QProcess::Running) {
            if (serverIsOurs(number)) {
                ours = true;
                break;
            }
            m_server->waitForFinished(pollIntervalMs);
        }
        if (ours && waitUntilServerAnswers(static_cast<int>(deadline.remainingTime()))) {
            return true;
        }
        failures << QStringLiteral("%1: %2").arg(m_display,
                                                 QString::fromLocal8Bit(m_server->readAll()).trimmed());
        stopServer();
    }
    m_lastError = QStringLiteral("no Xvfb could be started on a free display from :%1 on\n%2")
                      .arg(firstDisplay)
                      .arg(failures.join(QLatin1Char('\n')));
    return false;
}

bool X11Session::serverIsOurs(int number) const
{
    QFile lock(lockFilePath(number));
    if (!lock.open(QIODevice::ReadOnly)) {
        return false;
    }
    bool isNumber = false;
    const qint64 pid = lock.readAll().trimmed().toLongLong(&isNumber);
    return isNumber && pid == m_server->processId();
}

bool X11Session::waitUntilServerAnswers(int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    const int number = m_display.mid(1).toInt();
    const bool haveXdpyinfo = !QStandardPaths::findExecutable(QStringLiteral("xdpyinfo")).isEmpty();
    while (!deadline.hasExpired() && m_server->state() == QProcess::Running) {
        if (QFileInfo::exists(socketPath(number))) {
            const bool answered = haveXdpyinfo
                                      ? runTool(QStringLiteral("xdpyinfo"),
                                                {QStringLiteral("-display"), m_display}, nullptr, 5000)
                                      : runXdotool({QStringLiteral("getdisplaygeometry")}, nullptr, 5000);
            if (answered) {
                return true;
            }
        }
        m_server->waitForFinished(pollIntervalMs);
    }
    return false;
}

void X11Session::stopServer()
{
    if (m_server) {
        endProcess(*m_server, 5000);
        m_server.reset();
    }
    m_display.clear();
}

bool X11Session::startProgram(const QString& path, const QStringList& args)
{
    if (!ok()) {
        m_lastError = QStringLiteral("no X server to start %1 on").arg(path);
        return false;
    }
    if (isRunning()) {
        m_lastError =
            QStringLiteral("%1 is still running; start %2 after it has ended").arg(m_programName, path);
        return false;
    }
    m_program = std::make_unique<QProcess>();
    m_programName = QFileInfo(path).fileName();
    m_programOutput.clear();
    m_pendingLine.clear();
    m_program->setProcessEnvironment(environment());
    m_program->setProcessChannelMode(QProcess::MergedChannels);
    endWithParent(*m_program);
    QObject::connect(m_program.get(), &QProcess::readyReadStandardOutput, m_program.get(),
                     [this] { readProgramOutput(false); });
    m_program->start(path, args);
    if (!m_program->waitForStarted(10000)) {
        m_lastError = QStringLiteral("could not start %1: %2").arg(path, m_program->errorString());
        return false;
    }
    return true;
}

void X11Session::readProgramOutput(bool flush)
{
    const QByteArray data = m_program->readAllStandardOutput();
    m_programOutput += QString::fromLocal8Bit(data);
    if (!m_forwardProgramOutput) {
        return;
    }
    // Whole lines only, so that each one becomes one message in the test log.
    m_pendingLine += data;
    if (flush && !m_pendingLine.isEmpty() && !m_pendingLine.endsWith('\n')) {
        m_pendingLine += '\n';
    }
    qsizetype end = m_pendingLine.indexOf('\n');
    while (end >= 0) {
        qInfo().noquote() << m_programName + QStringLiteral(": ") +
                                 QString::fromLocal8Bit(m_pendingLine.left(end));
        m_pendingLine.remove(0, end + 1);
        end = m_pendingLine.indexOf('\n');
    }
}

bool X11Session::isRunning() const
{
    return m_program && m_program->state() != QProcess::NotRunning;
}

bool X11Session::waitForExit(int timeoutMs, int* exitCode, QProcess::ExitStatus* exitStatus)
{
    if (!m_program) {
        m_lastError = QStringLiteral("no program was started");
        return false;
    }
    if (m_program->state() != QProcess::NotRunning && !m_program->waitForFinished(timeoutMs)) {
        m_lastError = QStringLiteral("%1 did not end within %2 ms").arg(m_programName).arg(timeoutMs);
        return false;
    }
    readProgramOutput(true);
    if (exitCode != nullptr) {
        *exitCode = m_program->exitCode();
    }
    if (exitStatus != nullptr) {
        *exitStatus = m_program->exitStatus();
    }
    return true;
}

QString X11Session::programOutput() const
{
    return m_programOutput;
}

void X11Session::stopProgram()
{
    if (m_program) {
        endProcess(*m_program, 3000);
        readProgramOutput(true);
        m_program.reset();
    }
}

QString X11Session::waitForWindow(const QString& title, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    const QString pattern = QLatin1Char('^') + escapeForPosixRegex(title) + QLatin1Char('$');
    while (true) {
        QString ids;
        // `search --sync` would block forever; polling keeps the time limit ours. xdotool ignores
        // case when matching, so each candidate's title is compared once more.
        const QStringList search{QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                 QStringLiteral("--name"), pattern};
        if (runXdotool(search, &ids, 5000)) {
            const QStringList candidates = ids.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
            for (const QString& id : candidates) {
                QString name;
                if (runXdotool({QStringLiteral("getwindowname"), id}, &name, 5000)) {
                    if (name.endsWith(QLatin1Char('\n'))) {
                        name.chop(1);
                    }
                    if (name == title) {
                        // As a window manager would; without it keys reach only the window under the
                        // pointer, and Qt, seeing no active window, ignores shortcuts.
                        focusWindow(id.trimmed());
                        return id.trimmed();
                    }
                }
            }
        }
        if (m_program && !isRunning()) {
            m_lastError =
                QStringLiteral("%1 ended before a window \"%2\" appeared").arg(m_programName, title);
            return {};
        }
        if (deadline.hasExpired()) {
            m_lastError = QStringLiteral("no visible window \"%1\" within %2 ms").arg(title).arg(timeoutMs);
            return {};
        }
        settle(100);
    }
}

QRect X11Session::windowGeometry(const QString& windowId)
{
    QString output;
    if (!runXdotool({QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), windowId}, &output)) {
        return {};
    }
    int x = 0;
    int y = 0;
    int width = -1;
    int height = -1;
    const QStringList lines = output.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString& line : lines) {
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq < 0) {
            continue;
        }
        const QString name = line.left(eq);
        const int value = line.mid(eq + 1).trimmed().toInt();
        if (name == QLatin1String("X")) {
            x = value;
        } else if (name == QLatin1String("Y")) {
            y = value;
        } else if (name == QLatin1String("WIDTH")) {
            width = value;
        } else if (name == QLatin1String("HEIGHT")) {
            height = value;
        }
    }
    if (width < 0 || height < 0) {
        m_lastError = QStringLiteral("unexpected geometry output: %1").arg(output);
        return {};
    }
    return {x, y, width, height};
}

bool X11Session::focusWindow(const QString& windowId)
{
    return runXdotool({QStringLiteral("windowfocus"), windowId});
}

QImage X11Session::screenshot()
{
    if (!ok()) {
        m_lastError = QStringLiteral("no X server to take a screenshot of");
        return {};
    }
    // Prefer the grab tool built with the tests; xwd stays as the fallback for other builds.
    const QString grabber = qEnvironmentVariable("ZANFILO_SCREEN_GRAB");
    if (!grabber.isEmpty()) {
        QByteArray png;
        if (!runTool(grabber, {}, &png, 20000)) {
            return {};
        }
        QImage image = QImage::fromData(png, "PNG").convertToFormat(QImage::Format_RGB32);
        if (image.isNull()) {
            m_lastError = QStringLiteral("the screen grab gave no image");
        }
        return image;
    }
    QByteArray dump;
    if (!runTool(QStringLiteral("xwd"),
                 {QStringLiteral("-root"), QStringLiteral("-silent"), QStringLiteral("-display"), m_display},
                 &dump, 20000)) {
        return {};
    }
    QString error;
    QImage image = imageFromXwd(dump, &error);
    if (image.isNull()) {
        m_lastError = error;
    }
    return image;
}

QImage X11Session::screenshot(const QRect& area)
{
    const QImage screen = screenshot();
    return screen.isNull() ? QImage() : screen.copy(area);
}

QImage X11Session::imageFromXwd(const QByteArray& data, QString* error)
{
    return XwdReader(data).read(error);
}

// Without --sync: xdotool's --sync waits for the pointer to move and so never returns when it
// already stands at the target, as on a second click at the same place. The pointer warp is done
// by the server before the following button event either way.
static QStringList moveTo(QPoint screenPos)
{
    return {QStringLiteral("mousemove"), QString::number(screenPos.x()), QString::number(screenPos.y())};
}

bool X11Session::mouseMove(QPoint screenPos)
{
    return runXdotool(moveTo(screenPos));
}

bool X11Session::mouseClick(QPoint screenPos, int button)
{
    return runXdotool(moveTo(screenPos) << QStringLiteral("click") << QString::number(button));
}

bool X11Session::mouseDown(QPoint screenPos, int button)
{
    return runXdotool(moveTo(screenPos) << QStringLiteral("mousedown") << QString::number(button));
}

bool X11Session::mouseUp(QPoint screenPos, int button)
{
    return runXdotool(moveTo(screenPos) << QStringLiteral("mouseup") << QString::number(button));
}

bool X11Session::key(const QString& keysym)
{
    return runXdotool({QStringLiteral("key"), keysym});
}

bool X11Session::keyDown(const QString& keysym)
{
    return runXdotool({QStringLiteral("keydown"), keysym});
}

bool X11Session::keyUp(const QString& keysym)
{
    return runXdotool({QStringLiteral("keyup"), keysym});
}

void X11Session::settle(int ms)
{
    if (QCoreApplication::instance() == nullptr) {
        QThread::msleep(static_cast<unsigned long>(qMax(ms, 0)));
        return;
    }
    QEventLoop loop;
    QTimer::singleShot(qMax(ms, 0), &loop, &QEventLoop::quit);
    loop.exec();
}

bool X11Session::savePng(const QImage& image, const QString& name)
{
    const QString configured = qEnvironmentVariable("ZANFILO_E2E_ARTIFACTS");
    const QString folder =
        configured.isEmpty() ? QDir::tempPath() + QStringLiteral("/zanfilo-e2e") : configured;
    if (!QDir().mkpath(folder)) {
        m_lastError = QStringLiteral("could not create %1").arg(folder);
        qWarning().noquote() << m_lastError;
        return false;
    }
    QString fileName = name;
    if (!fileName.endsWith(QLatin1String(".png"), Qt::CaseInsensitive)) {
        fileName += QStringLiteral(".png");
    }
    const QString path = QDir(folder).absoluteFilePath(fileName);
    if (image.isNull() || !image.save(path, "PNG")) {
        m_lastError = QStringLiteral("could not save %1").arg(path);
        qWarning().noquote() << m_lastError;
        return false;
    }
    qInfo().noquote() << "screenshot saved:" << path;
    return true;
}

bool X11Session::runXdotool(const QStringList& args, QString* output, int timeoutMs)
{
    QByteArray bytes;
    const bool done = runTool(QStringLiteral("xdotool"), args, &bytes, timeoutMs);
    if (output != nullptr) {
        *output = QString::fromUtf8(bytes);
    }
    return done;
}

bool X11Session::runTool(const QString& program, const QStringList& args, QByteArray* output, int timeoutMs)
{
    QProcess tool;
    tool.setProcessEnvironment(environment());
    tool.start(program, args);
    const QString command = program + QLatin1Char(' ') + args.join(QLatin1Char(' '));
    if (!tool.waitForStarted(timeoutMs)) {
        m_lastError = QStringLiteral("could not run %1: %2").arg(command, tool.errorString());
        return false;
    }
    if (!tool.waitForFinished(timeoutMs)) {
        endProcess(tool, 1000);
        m_lastError = QStringLiteral("%1 did not finish within %2 ms").arg(command).arg(timeoutMs);
        return false;
    }
    if (output != nullptr) {
        *output = tool.readAllStandardOutput();
    }
    if (tool.exitStatus() != QProcess::NormalExit || tool.exitCode() != 0) {
        m_lastError = QStringLiteral("%1 failed (exit code %2): %3")
                          .arg(command)
                          .arg(tool.exitCode())
                          .arg(QString::fromLocal8Bit(tool.readAllStandardError()).trimmed());
        return false;
    }
    return true;
}

} // namespace e2e
