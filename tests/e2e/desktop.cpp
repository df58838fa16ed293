#include "desktop.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QScreen>
#include <QThread>
#include <climits>

namespace e2e {

QImage GrabScreen() {
    return QGuiApplication::primaryScreen()->grabWindow(0).toImage().convertToFormat(
        QImage::Format_RGB32);
}

static QString Run(const QString& program, const QStringList& arguments, int timeoutMs = 10000) {
    QProcess tool;
    tool.start(program, arguments);
    if (!tool.waitForFinished(timeoutMs)) {
        tool.kill();
        tool.waitForFinished();
    }
    return QString::fromLocal8Bit(tool.readAllStandardOutput());
}

static QString RunXDo(const QStringList& arguments, int timeoutMs = 10000) {
    return Run("xdotool", arguments, timeoutMs);
}

void XDo(const QStringList& arguments) { RunXDo(arguments); }

bool WaitUntil(const std::function<bool()>& done, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs) return false;
        QThread::msleep(25);
    }
    return true;
}

GameProcess::GameProcess(const QString& program, const QString& configHome,
                         const QStringList& extraEnvironment) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_CONFIG_HOME", configHome);
    // Sets a player of this machine keeps in ~/.local/share must not reach the tests.
    env.insert("XDG_DATA_HOME", configHome + "/data");
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.remove("QT_SCALE_FACTOR");
    for (const QString& pair : extraEnvironment) {
        int eq = pair.indexOf('=');
        env.insert(pair.left(eq), pair.mid(eq + 1));
    }
    process_.setProcessEnvironment(env);
    process_.setProgram(program);
    process_.setProcessChannelMode(QProcess::MergedChannels);
}

GameProcess::~GameProcess() {
    if (Running()) {
        process_.kill();
        process_.waitForFinished(5000);
    }
}

bool GameProcess::Start() {
    process_.start();
    if (!process_.waitForStarted(10000)) return false;
    QString pid = QString::number(process_.processId());
    bool found = WaitUntil(
        [&] {
            QString ids = RunXDo({"search", "--onlyvisible", "--pid", pid}, 2000).trimmed();
            if (ids.isEmpty()) return false;
            window_ = ids.split('\n').last().toULong();
            return true;
        },
        15000);
    if (!found) return false;
    origin_ = Where();
    if (origin_.x() == INT_MIN) return false;
    WaitForSettle();
    return true;
}

QPoint GameProcess::Where() const {
    QString shell = RunXDo({"getwindowgeometry", "--shell", QString::number(window_)});
    QRegularExpression xy("X=(-?\\d+)\\s+Y=(-?\\d+)");
    auto match = xy.match(shell);
    if (!match.hasMatch()) return {INT_MIN, INT_MIN};
    return {match.captured(1).toInt(), match.captured(2).toInt()};
}

bool Viewable(unsigned long window) {
    return Run("xwininfo", {"-id", QString::number(window)}).contains("IsViewable");
}

WindowManager::WindowManager() {
    const QString home = home_.path();
    QFile config(home + "/rc.xml");
    if (config.open(QIODevice::WriteOnly)) {
        config.write("<?xml version=\"1.0\"?>\n"
                     "<openbox_config xmlns=\"http://openbox.org/3.4/rc\">\n"
                     "  <desktops><number>1</number></desktops>\n"
                     "</openbox_config>\n");
        config.close();
    }
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", home);
    env.insert("XDG_CONFIG_HOME", home + "/config");
    env.insert("XDG_CACHE_HOME", home + "/cache");
    env.insert("XDG_DATA_HOME", home + "/data");
    process_.setProcessEnvironment(env);
    process_.setProcessChannelMode(QProcess::MergedChannels);
    process_.start("openbox", {"--config-file", home + "/rc.xml"});
    if (process_.waitForStarted(10000)) WaitUntil([&] { return Managing(); });
}

WindowManager::~WindowManager() {
    if (process_.state() == QProcess::NotRunning) return;
    process_.terminate();  // SIGTERM to its own id: openbox gives the windows back and leaves
    if (!process_.waitForFinished(5000)) {
        process_.kill();
        process_.waitForFinished(5000);
    }
}

bool WindowManager::Managing() const {
    return process_.state() == QProcess::Running &&
           Run("xprop", {"-root", "_NET_SUPPORTING_WM_CHECK"}).contains("window id");
}

void GameProcess::Click(int x, int y, int button) {
    int sx = origin_.x() + static_cast<int>((x + 0.5) * scale_);
    int sy = origin_.y() + static_cast<int>((y + 0.5) * scale_);
    // No --sync: it waits for ever when the pointer already stands there. The X
    // server keeps the move and the click in order anyway.
    XDo({"mousemove", QString::number(sx), QString::number(sy), "click", QString::number(button)});
}

void GameProcess::ClickCell(int row, int col, int button) {
    Click(kBoardOrigin.x() + (col - 1) * kPitch + 16, kBoardOrigin.y() + (row - 1) * kPitch + 16,
          button);
}

void GameProcess::Type(const QString& text) { XDo({"type", "--delay", "30", text}); }

void GameProcess::Key(const QString& keys) { XDo({"key", keys}); }

QImage GameProcess::Window() const {
    return GrabScreen().copy(origin_.x(), origin_.y(), static_cast<int>(kWindowWidth * scale_),
                             static_cast<int>(kWindowHeight * scale_));
}

// The window has settled when it has not changed for this long: longer than the
// half of a blink, shorter than anything a player would wait for.
constexpr int kQuietMs = 300;

QImage GameProcess::WaitForSettle(int timeoutMs) {
    QImage last = Window();
    QElapsedTimer quiet, total;
    quiet.start();
    total.start();
    while (quiet.elapsed() < kQuietMs && total.elapsed() < timeoutMs) {
        QThread::msleep(30);
        QImage now = Window();
        if (now != last) {
            last = now;
            quiet.restart();
        }
    }
    return last;
}

QImage GameProcess::WaitForChange(const QImage& before, int timeoutMs) {
    QElapsedTimer total;
    total.start();
    WaitUntil([&] { return Window() != before; }, timeoutMs);
    return WaitForSettle(std::max(1000, timeoutMs - static_cast<int>(total.elapsed())));
}

int GameProcess::WaitForExit(int timeoutMs) {
    if (!process_.waitForFinished(timeoutMs)) return -1;
    return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -2;
}

static QImage OnBlack(const QImage& picture) {
    QImage flat(picture.size(), QImage::Format_RGB32);
    flat.fill(Qt::black);
    QPainter painter(&flat);
    painter.drawImage(0, 0, picture);
    return flat;
}

bool ShowsPicture(const QImage& window, const QImage& part, int x, int y, double scale) {
    QImage flat = OnBlack(part);
    // Every device pixel of a picture pixel must carry its colour: a blurred
    // (smoothly scaled) picture does not match.
    int block = std::max(1, static_cast<int>(scale));
    for (int py = 0; py < flat.height(); ++py) {
        for (int px = 0; px < flat.width(); ++px) {
            QRgb want = flat.pixel(px, py) & 0xFFFFFF;
            for (int dy = 0; dy < block; ++dy) {
                for (int dx = 0; dx < block; ++dx) {
                    int wx = static_cast<int>((x + px) * scale) + dx;
                    int wy = static_cast<int>((y + py) * scale) + dy;
                    if (!window.valid(wx, wy) || (window.pixel(wx, wy) & 0xFFFFFF) != want)
                        return false;
                }
            }
        }
    }
    return true;
}

BoardReader::BoardReader(const QString& setFolder, double scale) : scale_(scale) {
    loaded_ = true;
    for (int k = 0; k <= 6; ++k) {
        QImage piece(QString("%1/Piece%2.gif").arg(setFolder).arg(k));
        if (piece.isNull()) loaded_ = false;
        pieces_[k] = piece.scaled(32, 32);
    }
}

int BoardReader::KindAt(const QImage& window, int row, int col) const {
    int x = kBoardOrigin.x() + (col - 1) * kPitch;
    int y = kBoardOrigin.y() + (row - 1) * kPitch;
    for (int k = 0; k <= 6; ++k) {
        if (ShowsPicture(window, pieces_[k], x, y, scale_)) return k;
    }
    return -1;
}

BoardGrid BoardReader::Read(const QImage& window) const {
    BoardGrid board{};
    for (int r = 1; r <= 10; ++r)
        for (int c = 1; c <= 15; ++c) board[r][c] = KindAt(window, r, c);
    return board;
}

QString BuildFolder() { return QCoreApplication::applicationDirPath(); }

}  // namespace e2e
