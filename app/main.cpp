// Quabe Pro: starts the one window and ends when one of its exit paths says so.
#include <QApplication>
#include <QSessionManager>

#include "exit_signals.h"
#include "main_window.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    quabe::MainWindow window;

    // The session's ways of ending the program save like the close command.
    quabe::ExitSignals exitSignals;
    QObject::connect(&exitSignals, &quabe::ExitSignals::requested, &window,
                     &quabe::MainWindow::ExitGame);
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &window,
                     [&window](QSessionManager&) { window.ExitGame(); });
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &window, &quabe::MainWindow::ExitGame);

    window.show();
    return app.exec();
}
