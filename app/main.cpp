// Quabe Pro: starts the one window and ends when one of its exit paths says so.
#include <QApplication>
#include <QCommandLineParser>
#include <QSessionManager>
#include <cstdio>
#include <cstdlib>

#include "exit_signals.h"
#include "main_window.h"

int main(int argc, char** argv) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Remove groups of shaded balls from the board."));
    parser.addHelpOption();
    const QCommandLineOption dealOption(
        QStringLiteral("deal"),
        QStringLiteral("Deal board number N (1 to 999999999) at the first New."),
        QStringLiteral("N"));
    parser.addOption(dealOption);

    // The deal is read before the window system is reached, so that a refused
    // number is told as such even where there is no display. Qt's own options are
    // unknown to the parser here; the application takes them below.
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    parser.parse(arguments);
    int32_t deal = 0;
    if (parser.isSet(dealOption)) {
        const QString text = parser.value(dealOption);
        const std::optional<int32_t> number = quabe::ReadDealNumber(text.toStdString());
        if (!number) {
            std::fprintf(stderr,
                         "quabe-pro: \"%s\" is not a deal number: deals are numbered %d to %d\n",
                         qPrintable(text), quabe::kFirstDeal, quabe::kLastDeal);
            return EXIT_FAILURE;
        }
        deal = *number;
    }

    QApplication app(argc, argv);
    parser.process(app);  // --help, and a word for an option that is not the game's

    quabe::MainWindow window;
    window.game.NextDeal = deal;

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
