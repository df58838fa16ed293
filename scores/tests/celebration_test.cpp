// The fireworks: their worked paths, where a stop takes effect, and the timer.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <memory>
#include <vector>

#include "celebration.h"
#include "random.h"

namespace quabe {
namespace {

struct Stroke {
    double x1, y1, x2, y2;
    int red, green, blue;
    bool operator==(const Stroke&) const = default;
};

void PrintTo(const Stroke& s, std::ostream* os) {
    *os << "(" << s.x1 << "," << s.y1 << ")-(" << s.x2 << "," << s.y2 << ") rgb " << s.red << ","
        << s.green << "," << s.blue;
}

class RecordingSink : public LineSink {
  public:
    void Line(double x1, double y1, double x2, double y2, int red, int green, int blue) override {
        lines.push_back({x1, y1, x2, y2, red, green, blue});
    }
    void Refresh() override { ++refreshes; }

    std::vector<Stroke> lines;
    int refreshes = 0;
};

std::function<double()> Seeded(uint64_t seed) {
    auto random = std::make_shared<Random>(seed);
    return [random] { return random->Rnd(); };
}

std::function<double()> Always(double value) {
    return [value] { return value; };
}

// A celebration on a board of 544 x 370 pixels, counting the generator's draws,
// which tell how far it has gone: 2 per launch, 1 for the spread, 5 per spark.
struct Show {
    explicit Show(std::function<double()> source, double width = 8160, double height = 5550)
        : celebration(
              sink,
              [this, source] {
                  ++draws;
                  return source();
              },
              width, height) {
        celebration.finished = [this] { ++finishes; };
    }

    void AdvanceUntil(const std::function<bool()>& done) {
        for (int i = 0; i < 100000 && !done(); ++i) celebration.Advance();
        ASSERT_TRUE(done());
    }
    size_t Lines() const { return sink.lines.size(); }

    RecordingSink sink;
    int draws = 0;
    int finishes = 0;
    Celebration celebration;
};

constexpr int kSetUpDone = 2 + 1 + 40 * 5;
Stroke Yellow(double x1, double y1, double x2, double y2) {
    return {x1, y1, x2, y2, 255, 255, 0};
}

TEST(Celebration, RocketAndSparksFollowTheirWorkedPaths) {
    Show show(Always(0.5));  // vx 0, vy -175; spread 4, speed 200, angle pi, colour 128
    show.celebration.Start();
    ASSERT_EQ(show.Lines(), 2u);
    EXPECT_EQ(show.sink.lines[0], (Stroke{4080, 5550, 4080, 5375, 0, 0, 0}));
    EXPECT_EQ(show.sink.lines[1], Yellow(4080, 5378, 4080, 5206));
    EXPECT_EQ(show.sink.refreshes, 1);

    for (int step = 2; step <= 70; ++step) show.celebration.Advance();
    ASSERT_EQ(show.Lines(), 140u);  // never 50 units above the top: all 70 steps
    EXPECT_EQ(show.sink.lines[139], Yellow(4080, 755, 4080, 790));
    EXPECT_EQ(show.draws, 2);

    show.celebration.Advance();
    EXPECT_EQ(show.draws, 3);  // the spread, and nothing drawn
    for (int spark = 1; spark <= 40; ++spark) show.celebration.Advance();
    EXPECT_EQ(show.draws, kSetUpDone);
    EXPECT_EQ(show.Lines(), 140u);

    show.celebration.Advance();
    ASSERT_EQ(show.Lines(), 141u);
    EXPECT_EQ(show.sink.lines[140], (Stroke{4080, 955, 4080, 755, 114, 114, 114}));
    for (int spark = 2; spark <= 41; ++spark) show.celebration.Advance();
    // Second frame: speed 200 / 1.1 rounds to 182, and pi itself stays straight down.
    EXPECT_EQ(show.sink.lines[180], (Stroke{4080, 1137, 4080, 955, 102, 102, 102}));
}

TEST(Celebration, RoundsHalfToEvenAlongTheRocketsPath) {
    Show show(Always(0.75));  // vx 37.5, vy -162.5
    show.celebration.Start();
    show.celebration.Advance();
    ASSERT_EQ(show.Lines(), 4u);
    // 5550 - 159.5 = 5390.5 rounds down to the even 5390 ...
    EXPECT_EQ(show.sink.lines[1], Yellow(4117, 5390, 4117 + 37.5 / 1.01, 5230.5));
    EXPECT_EQ(show.sink.lines[2], (Stroke{4117, 5390, 4117 + 37.5 / 1.01, 5230.5, 0, 0, 0}));
    // ... and 5390 - 156.5 = 5233.5 up to the even 5234.
    EXPECT_EQ(show.sink.lines[3].x1, 4154);
    EXPECT_EQ(show.sink.lines[3].y1, 5234);
}

TEST(Celebration, SparksFlyAlongTheirAngleAndCurveDownwards) {
    Show show(Always(0.75));  // spread 6, speed 400, angle 3pi/2 (left), colour 192
    show.celebration.Start();
    show.AdvanceUntil([&] { return show.draws == kSetUpDone; });
    const Stroke head = show.sink.lines.back();
    show.celebration.Advance();
    EXPECT_EQ(show.sink.lines.back(),
              (Stroke{head.x1 - 400, head.y1, head.x1, head.y1, 171, 171, 171}));
    for (int spark = 2; spark <= 41; ++spark) show.celebration.Advance();
    // Speed 364 at an angle pulled a tenth of the way down: 359.5 left, 56.9 down.
    EXPECT_EQ(show.sink.lines.back(),
              (Stroke{head.x1 - 760, head.y1 + 57, head.x1 - 400, head.y1, 153, 153, 153}));
}

TEST(Celebration, RocketThatLeavesTheTopBurstsWhereItIs) {
    Show show(Always(0.5), 900, 600);
    show.celebration.Start();
    show.AdvanceUntil([&] { return show.draws == 3; });
    ASSERT_EQ(show.Lines(), 8u);  // heads at 428, 259, 93, then -70
    EXPECT_EQ(show.sink.lines[7], Yellow(450, -70, 450, -233));
    show.AdvanceUntil([&] { return show.Lines() == 9; });
    EXPECT_EQ(show.sink.lines[8].x2, 450);
    EXPECT_EQ(show.sink.lines[8].y2, -70);
}

TEST(Celebration, BurstIsTwentyFramesOfFortyFadingSparksThenTheNextRocket) {
    Show show(Seeded(11));
    show.celebration.Start();
    show.AdvanceUntil([&] { return show.draws == kSetUpDone; });
    const size_t burst = show.Lines();
    const Stroke head = show.sink.lines.back();
    show.AdvanceUntil([&] { return show.draws > kSetUpDone; });
    ASSERT_EQ(show.Lines(), burst + 20 * 40 + 2);
    EXPECT_EQ(show.draws, kSetUpDone + 2);

    const auto& lines = show.sink.lines;
    for (size_t spark = 0; spark < 40; ++spark) {
        EXPECT_EQ(lines[burst + spark].x2, head.x1);
        EXPECT_EQ(lines[burst + spark].y2, head.y1);
        EXPECT_LE(std::max({lines[burst + spark].red, lines[burst + spark].green,
                            lines[burst + spark].blue}),
                  229);
        for (size_t frame = 1; frame < 20; ++frame) {
            const Stroke& now = lines[burst + frame * 40 + spark];
            const Stroke& before = lines[burst + (frame - 1) * 40 + spark];
            EXPECT_EQ(now.x2, before.x1);  // each trail goes on from the last
            EXPECT_EQ(now.y2, before.y1);
            EXPECT_LE(now.red, before.red);
            EXPECT_LE(now.green, before.green);
            EXPECT_LE(now.blue, before.blue);
        }
    }
    EXPECT_EQ(lines[burst + 800].x1, 4080);  // the next rocket, from the bottom middle
    EXPECT_EQ(lines[burst + 800].y1, 5550);
    EXPECT_EQ(show.finishes, 0);
    EXPECT_TRUE(show.celebration.Running());
}

TEST(Celebration, SameSeedGivesTheSameFireworks) {
    Show first(Seeded(42)), second(Seeded(42)), other(Seeded(43));
    for (Show* show : {&first, &second, &other}) {
        show->celebration.Start();
        for (int i = 0; i < 3000; ++i) show->celebration.Advance();
    }
    EXPECT_EQ(first.sink.lines, second.sink.lines);
    EXPECT_NE(first.sink.lines, other.sink.lines);
}

TEST(CelebrationStop, DuringTheRocketKeepsItsLastStreakAndDrawsNothingMore) {
    Show show(Seeded(7));
    show.celebration.Start();
    show.celebration.Advance();
    show.celebration.Advance();
    show.celebration.Stop();
    EXPECT_EQ(show.finishes, 0);  // the stop takes effect at the next checkpoint
    show.celebration.Advance();
    EXPECT_EQ(show.finishes, 1);
    EXPECT_FALSE(show.celebration.Running());
    ASSERT_EQ(show.Lines(), 6u);
    EXPECT_EQ(show.sink.lines.back().red, 255);
    EXPECT_EQ(show.sink.lines.back().blue, 0);

    show.celebration.Advance();
    show.celebration.Stop();
    EXPECT_EQ(show.Lines(), 6u);
    EXPECT_EQ(show.finishes, 1);
    EXPECT_EQ(show.draws, 2);
}

TEST(CelebrationStop, DuringTheSparkSetUpDrawsNoSpark) {
    Show show(Seeded(8));
    show.celebration.Start();
    show.AdvanceUntil([&] { return show.draws == 3 + 10 * 5; });
    const size_t lines = show.Lines();
    show.celebration.Stop();
    show.celebration.Advance();
    EXPECT_EQ(show.finishes, 1);
    EXPECT_EQ(show.Lines(), lines);
    EXPECT_EQ(show.draws, 3 + 11 * 5);  // the spark after the click still takes its numbers
}

TEST(CelebrationStop, DuringTheBurstDrawsNoFurtherLine) {
    Show show(Seeded(9));
    show.celebration.Start();
    show.AdvanceUntil([&] { return show.draws == kSetUpDone; });
    const size_t burst = show.Lines();
    show.AdvanceUntil([&] { return show.Lines() == burst + 40 + 15; });
    show.celebration.Stop();
    show.celebration.Advance();
    EXPECT_EQ(show.finishes, 1);
    EXPECT_EQ(show.Lines(), burst + 55);
    EXPECT_EQ(show.draws, kSetUpDone);
}

TEST(CelebrationStop, StartingAgainEndsTheRunningOneFirst) {
    Show show(Seeded(10));
    show.celebration.Start();
    show.celebration.Advance();
    show.celebration.Start();
    EXPECT_EQ(show.finishes, 1);
    EXPECT_TRUE(show.celebration.Running());
    ASSERT_EQ(show.Lines(), 6u);
    EXPECT_EQ(show.sink.lines[4].y1, 5550);  // a fresh rocket from the bottom
}

// Runs the event loop until done() or the time is up.
void RunEventsUntil(const std::function<bool()>& done, int milliseconds) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < milliseconds) {
        QEventLoop loop;
        QTimer::singleShot(5, &loop, &QEventLoop::quit);
        loop.exec();
    }
}

TEST(CelebrationTimer, PacesTheRocketAndStopsFromTheEventLoop) {
    Show show(Seeded(5));
    QElapsedTimer clock;
    clock.start();
    show.celebration.Start();
    RunEventsUntil([] { return false; }, 200);
    const qint64 elapsed = clock.elapsed();
    const size_t steps = show.Lines() / 2;
    EXPECT_GE(steps, 2u);
    EXPECT_LE(steps, static_cast<size_t>(1 + elapsed / 25));  // at least 25 ms apart

    show.celebration.Stop();
    const size_t lines = show.Lines();
    RunEventsUntil([&] { return show.finishes > 0; }, 2000);
    EXPECT_EQ(show.finishes, 1);
    EXPECT_EQ(show.Lines(), lines);
}

TEST(CelebrationTimer, RunsThroughTheBurstOnItsOwn) {
    Show show(Seeded(6));
    show.celebration.Start();
    RunEventsUntil([&] { return show.draws > kSetUpDone; }, 10000);
    EXPECT_EQ(show.draws, kSetUpDone + 2);  // the second rocket is up
    EXPECT_GE(show.Lines(), 800u);
    show.celebration.Stop();
    RunEventsUntil([&] { return show.finishes > 0; }, 2000);
    EXPECT_EQ(show.finishes, 1);
}

}  // namespace
}  // namespace quabe
