#include "support/x_tray_session.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QStandardPaths>
#include <QTimer>
#include <csignal>
#include <sys/prctl.h>

namespace {

constexpr int kToolTimeoutMs = 5000;

// A test or benchmark killed outright (a timeout, a closed pipe) must not leave its X server behind.
void dieWithParent(QProcess& process) {
    process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
}

void stopProcess(QProcess* process) {
    if (!process || process->state() == QProcess::NotRunning)
        return;
    process->terminate();
    if (!process->waitForFinished(3000)) {
        process->kill();
        process->waitForFinished(3000);
    }
}

} // namespace

XTraySession::XTraySession(bool compositor) {
    for (const char* tool : {"Xvfb", "trayer", "xdotool", compositor ? "xcompmgr" : "Xvfb"}) {
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty()) {
            m_problem = QString::fromLatin1(tool) + QStringLiteral(" is not installed");
            return;
        }
    }
    // Xvfb picks a free display itself and writes its number once it accepts clients.
    m_server = std::make_unique<QProcess>();
    dieWithParent(*m_server);
    m_server->start(QStringLiteral("Xvfb"),
                    {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                     QStringLiteral("0"), QStringLiteral("1280x800x24"), QStringLiteral("-nolisten"),
                     QStringLiteral("tcp")});
    QByteArray number;
    const bool started = waitFor([&] {
        number += m_server->readAllStandardOutput();
        return number.contains('\n') || m_server->state() == QProcess::NotRunning;
    });
    if (!started || !number.contains('\n')) {
        m_problem =
            QStringLiteral("Xvfb did not start: ") + QString::fromLocal8Bit(m_server->readAllStandardError());
        return;
    }
    m_display = QLatin1Char(':') + QString::fromLatin1(number.trimmed());

    QProcessEnvironment trayEnvironment = QProcessEnvironment::systemEnvironment();
    trayEnvironment.insert(QStringLiteral("DISPLAY"), m_display);
    if (compositor) {
        m_compositor = std::make_unique<QProcess>();
        dieWithParent(*m_compositor);
        m_compositor->setProcessEnvironment(trayEnvironment);
        m_compositor->start(QStringLiteral("xcompmgr"), QStringList());
        if (!m_compositor->waitForStarted(kToolTimeoutMs)) {
            m_problem = QStringLiteral("xcompmgr did not start");
            return;
        }
    }
    m_tray = std::make_unique<QProcess>();
    dieWithParent(*m_tray);
    m_tray->setProcessEnvironment(trayEnvironment);
    m_tray->start(QStringLiteral("trayer"),
                  {QStringLiteral("--edge"), QStringLiteral("top"), QStringLiteral("--align"),
                   QStringLiteral("right"), QStringLiteral("--widthtype"), QStringLiteral("request"),
                   QStringLiteral("--height"), QStringLiteral("32")});
    const bool trayUp = waitFor([this] {
        if (m_tray->state() == QProcess::NotRunning)
            return true;
        const std::optional<QByteArray> found =
            xdotool({QStringLiteral("search"), QStringLiteral("--class"), QStringLiteral("trayer")});
        return found && !found->trimmed().isEmpty();
    });
    if (!trayUp || m_tray->state() == QProcess::NotRunning)
        m_problem =
            QStringLiteral("trayer did not start: ") + QString::fromLocal8Bit(m_tray->readAllStandardError());
}

XTraySession::~XTraySession() {
    stopProcess(m_tray.get());
    stopProcess(m_compositor.get());
    stopProcess(m_server.get());
}

QProcessEnvironment XTraySession::environment(QProcessEnvironment base) const {
    base.insert(QStringLiteral("DISPLAY"), m_display);
    base.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    base.remove(QStringLiteral("WAYLAND_DISPLAY"));
    return base;
}

std::optional<QByteArray> XTraySession::xdotool(const QStringList& arguments) const {
    QProcess tool;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), m_display);
    tool.setProcessEnvironment(environment);
    tool.start(QStringLiteral("xdotool"), arguments);
    if (!tool.waitForFinished(kToolTimeoutMs)) {
        tool.kill();
        tool.waitForFinished(1000);
        return std::nullopt;
    }
    // search exits 1 when nothing matched, which is an answer too.
    return tool.readAllStandardOutput();
}

QList<quint64> XTraySession::visibleWindows(qint64 pid) const {
    QList<quint64> windows;
    const std::optional<QByteArray> found =
        xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--pid"),
                 QString::number(pid)});
    if (!found)
        return windows;
    for (const QByteArray& line : found->split('\n')) {
        bool ok = false;
        const quint64 id = line.trimmed().toULongLong(&ok);
        if (ok)
            windows.append(id);
    }
    return windows;
}

std::optional<QRect> XTraySession::geometry(quint64 window) const {
    const std::optional<QByteArray> shell =
        xdotool({QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), QString::number(window)});
    if (!shell)
        return std::nullopt;
    int values[4] = {-1, -1, -1, -1};
    const char* names[4] = {"X=", "Y=", "WIDTH=", "HEIGHT="};
    for (const QByteArray& line : shell->split('\n')) {
        for (int i = 0; i < 4; ++i) {
            if (line.startsWith(names[i]))
                values[i] = line.mid(qsizetype(qstrlen(names[i]))).toInt();
        }
    }
    if (values[2] <= 0 || values[3] <= 0)
        return std::nullopt;
    return QRect(values[0], values[1], values[2], values[3]);
}

bool XTraySession::click(QPoint at, int button) const {
    return xdotool({QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y()),
                    QStringLiteral("click"), QString::number(button)})
        .has_value();
}

std::optional<XWindowPicture> XTraySession::capture(quint64 window) const {
    QProcess tool;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), m_display);
    tool.setProcessEnvironment(environment);
    tool.start(QStringLiteral("xwd"),
               {QStringLiteral("-silent"), QStringLiteral("-id"), QString::number(window)});
    if (!tool.waitForFinished(kToolTimeoutMs)) {
        tool.kill();
        tool.waitForFinished(1000);
        return std::nullopt;
    }
    if (tool.exitStatus() != QProcess::NormalExit || tool.exitCode() != 0)
        return std::nullopt;
    return XWindowPicture::fromXwd(tool.readAllStandardOutput());
}

bool XTraySession::key(const QString& name) const {
    return xdotool({QStringLiteral("key"), name}).has_value();
}

bool XTraySession::waitFor(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
    QElapsedTimer elapsed;
    elapsed.start();
    for (;;) {
        if (condition())
            return true;
        if (elapsed.hasExpired(limit.count()))
            return false;
        // Let QProcess and sockets of the caller make progress between looks.
        QEventLoop loop;
        QTimer::singleShot(10, &loop, &QEventLoop::quit);
        loop.exec();
    }
}
