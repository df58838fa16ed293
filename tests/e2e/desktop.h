#pragma once
// Drives the real game on the X server of this test run: starts it, finds its
// window, clicks and types with xdotool, and reads what a player would see.
#include <QImage>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <array>
#include <functional>

namespace e2e {

constexpr int kWindowWidth = 690;
constexpr int kWindowHeight = 458;
constexpr QPoint kBoardOrigin{12, 82};  // the board picture inside the window
constexpr int kPitch = 36;

using BoardGrid = std::array<std::array<int, 16>, 11>;  // [row][col] from 1; -1 unknown

// The whole screen as it is now.
QImage GrabScreen();

// Runs xdotool with the arguments and waits for it.
void XDo(const QStringList& arguments);

// Sends the window the desktop's close request (WM_DELETE_WINDOW).
bool RequestClose(unsigned long window);

// Polls until `done` is true or the time is up; returns whether it became true.
bool WaitUntil(const std::function<bool()>& done, int timeoutMs = 10000);

class GameProcess {
public:
    GameProcess(const QString& program, const QString& configHome,
                const QStringList& extraEnvironment = {});
    ~GameProcess();

    bool Start();  // starts the game and waits for its window to appear
    bool Running() const { return process_.state() != QProcess::NotRunning; }
    qint64 Pid() const { return process_.processId(); }
    unsigned long WindowId() const { return window_; }
    QPoint Origin() const { return origin_; }
    double Scale() const { return scale_; }

    // Window coordinates in logical pixels of the 690 x 458 layout.
    void Click(int x, int y, int button = 1);
    void ClickCell(int row, int col, int button = 1);
    void Type(const QString& text);
    void Key(const QString& keys);

    QPoint Where() const;                   // the window's top-left corner on the screen now
    void Relocate() { origin_ = Where(); }  // after the window has moved
    QImage Window() const;                  // the window's area of the screen, at device pixels
    // Waits until the window stops changing (two equal grabs in a row) and differs
    // from `before`; returns the settled picture.
    QImage WaitForChange(const QImage& before, int timeoutMs = 15000);
    QImage WaitForSettle(int timeoutMs = 15000);
    int WaitForExit(int timeoutMs = 10000);
    QString Output() { return QString::fromLocal8Bit(process_.readAll()); }

    void SetScale(double scale) { scale_ = scale; }

private:
    QProcess process_;
    unsigned long window_ = 0;
    QPoint origin_;
    double scale_ = 1.0;
};

// Whether the window is mapped and shown (not minimised).
bool Viewable(unsigned long window);

// Openbox managing this X server's windows for one test: started with a private
// configuration and home, and stopped by its own process id at the end.
class WindowManager {
public:
    WindowManager();
    ~WindowManager();
    bool Managing() const;  // it has announced itself on the root window

private:
    QTemporaryDir home_;
    QProcess process_;
};

// Recognises the pieces on the board from a window picture by comparing every
// cell with the piece pictures of one set.
class BoardReader {
public:
    explicit BoardReader(const QString& setFolder, double scale = 1.0);
    bool Loaded() const { return loaded_; }
    BoardGrid Read(const QImage& window) const;
    // Whether every pixel of the cell matches a piece picture scaled by whole pixels.
    int KindAt(const QImage& window, int row, int col) const;

private:
    std::array<QImage, 7> pieces_;
    double scale_;
    bool loaded_ = false;
};

// Whether the picture `part` stands at (x, y) of `window` (logical pixels).
bool ShowsPicture(const QImage& window, const QImage& part, int x, int y, double scale = 1.0);

// The folder of the built game (the tests' own folder).
QString BuildFolder();

}  // namespace e2e
