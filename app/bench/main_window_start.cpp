// The game's own start: the main window with everything it loads, up to its first paint.
#include "first_paint.h"
#include "main_window.h"

int main(int argc, char** argv) {
    QElapsedTimer clock;
    clock.start();
    QApplication app(argc, argv);
    quabe::MainWindow window;
    return quabe::bench::RunUntilFirstPaint(app, window, clock);
}
