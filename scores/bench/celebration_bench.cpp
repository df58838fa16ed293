// How much of a core the fireworks take while they draw into a board-sized image:
// the rocket's paced flight and the unpaced burst, over several fireworks.
#include <QGuiApplication>
#include <QImage>
#include <cstdio>
#include <ctime>
#include <vector>

#include "celebration.h"
#include "image_line_sink.h"
#include "random.h"

namespace {

struct Moment {
    double wall, cpu;  // seconds
};

double Seconds(clockid_t clock) {
    timespec t{};
    clock_gettime(clock, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

Moment Now() {
    return {Seconds(CLOCK_MONOTONIC), Seconds(CLOCK_PROCESS_CPUTIME_ID)};
}

void Report(const char* what, const Moment& from, const Moment& to) {
    const double wall = to.wall - from.wall, cpu = to.cpu - from.cpu;
    std::printf("  %-7s %8.1f ms wall %8.2f ms CPU %6.1f %% of a core\n", what, wall * 1e3,
                cpu * 1e3, 100 * cpu / wall);
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    constexpr int kFireworks = 5;

    QImage board(544, 370, QImage::Format_RGB32);
    board.fill(Qt::black);
    int refreshes = 0;
    quabe::ImageLineSink sink(&board, [&] { ++refreshes; });

    // Each firework draws 2 numbers at launch, 1 for the spread, 5 per spark.
    quabe::Random random(1);
    int draws = 0;
    std::vector<Moment> launches, bursts;
    quabe::Celebration celebration(
        sink,
        [&] {
            const int n = draws++ % 203;
            if (n == 0) launches.push_back(Now());
            if (n == 2) bursts.push_back(Now());
            if (launches.size() > kFireworks) QCoreApplication::quit();
            return random.Rnd();
        },
        8160, 5550);
    celebration.Start();
    app.exec();
    celebration.Stop();

    std::printf("celebration on a 544 x 370 image, %d fireworks, %d refreshes\n", kFireworks,
                refreshes);
    for (int i = 0; i < kFireworks; ++i) {
        std::printf("firework %d\n", i + 1);
        Report("rocket", launches[i], bursts[i]);
        Report("burst", bursts[i], launches[i + 1]);
    }
    Report("overall", launches.front(), launches.back());
    return 0;
}
