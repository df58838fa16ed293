#include "celebration.h"

#include <cmath>
#include <utility>

#include "numeric.h"

namespace quabe {
namespace {

constexpr int kRocketSteps = 70;
constexpr int kRocketPaceMs = 25;
constexpr int kSparks = 40;
constexpr int kFrames = 20;
constexpr int kBurstRefreshMs = 10;  // the burst is shown at most this often
constexpr double kPi = 3.14159265358979;
constexpr float kPiSingle = 3.1415927f;

}  // namespace

Celebration::Celebration(LineSink& sink, std::function<double()> rnd, double width, double height)
    : sink_(sink), rnd_(std::move(rnd)), width_(width), height_(height) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, [this] { Advance(); });
}

void Celebration::Start() {
    if (running_) {
        Finish();
        if (running_) return;  // finished() has started a new one already
    }
    running_ = true;
    stop_ = false;
    sinceRefresh_.start();
    Launch();
    RocketStepOrBurst();
}

void Celebration::Stop() {
    if (!running_) return;
    stop_ = true;
    timer_.start(0);  // reach the next checkpoint now, not after the rocket's pause
}

// Each case resumes after a pause or a hand-back to the event loop, where a click
// may have stopped the celebration.
void Celebration::Advance() {
    if (!running_) return;
    switch (phase_) {
        case Phase::Rocket:
            if (stop_) return Finish();
            RocketStepOrBurst();
            return;
        case Phase::SparkSetUp:
            SetUpSpark();
            if (stop_) return Finish();
            if (spark_ == kSparks) {
                phase_ = Phase::Burst;
                frame_ = 1;
                spark_ = 0;
            }
            Wait(0);
            return;
        case Phase::Burst:
            // A stop ends the frame here rather than at its fortieth spark: the rest
            // would be drawn over whatever the stopping click has put on screen.
            if (stop_) return Finish();
            MoveSpark();
            RefreshNowAndThen();
            if (spark_ < kSparks) return Wait(0);
            if (stop_) return Finish();
            if (frame_ < kFrames) {
                ++frame_;
                spark_ = 0;
                return Wait(0);
            }
            Launch();  // nothing is erased: the trails pile up
            RocketStepOrBurst();
            return;
    }
}

void Celebration::Launch() {
    phase_ = Phase::Rocket;
    rocketStep_ = 0;
    x_ = CInt(width_ / 2);
    y_ = CInt(height_);  // the bottom edge
    vx_ = rnd_() * 150 - 75;
    vy_ = rnd_() * 50 - 200;
}

// One step of the rocket, then its pause; once the flight is over, the burst's spread.
void Celebration::RocketStepOrBurst() {
    if (rocketStep_ < kRocketSteps && y_ > -50) {
        ++rocketStep_;
        sink_.Line(x_, y_, x_ + vx_, y_ + vy_, 0, 0, 0);  // blanks the previous streak
        vx_ /= 1.01;
        vy_ += 3;
        x_ = CInt(x_ + vx_);
        y_ = CInt(y_ + vy_);
        sink_.Line(x_, y_, x_ + vx_, y_ + vy_, 255, 255, 0);
        sink_.Refresh();
        sinceRefresh_.restart();
        return Wait(kRocketPaceMs);
    }
    phase_ = Phase::SparkSetUp;
    spark_ = 0;
    spread_ = static_cast<float>(rnd_() * 8);
    Wait(0);
}

void Celebration::SetUpSpark() {
    Spark& s = sparks_[++spark_];
    s.x = x_;
    s.y = y_;
    s.speed = CInt(rnd_() * 80 * spread_ + 40);
    s.angle = static_cast<float>(rnd_() * 6.28318530717958);
    s.red = CInt(rnd_() * 256);
    s.green = CInt(rnd_() * 256);
    s.blue = CInt(rnd_() * 256);
}

void Celebration::MoveSpark() {
    Spark& s = sparks_[++spark_];
    const int16_t previousX = s.x, previousY = s.y;
    s.x = CInt(s.speed * std::sin(double{s.angle}) + s.x);
    s.y = CInt(s.y - s.speed * std::cos(double{s.angle}));
    if (s.speed > 15) s.speed = CInt(s.speed / 1.1);
    // Gravity: a tenth of the way towards straight down each frame.
    if (s.angle > kPiSingle) s.angle = static_cast<float>(s.angle - (s.angle - kPi) / 10);
    if (s.angle < kPiSingle) s.angle = static_cast<float>(s.angle + (kPi - s.angle) / 10);
    s.red = CInt(s.red / 1.12);
    s.green = CInt(s.green / 1.12);
    s.blue = CInt(s.blue / 1.12);
    sink_.Line(s.x, s.y, previousX, previousY, s.red, s.green, s.blue);
}

void Celebration::Finish() {
    timer_.stop();
    running_ = false;
    auto done = finished;  // the handler may replace or destroy this celebration
    if (done) done();
}

// The burst is unpaced; refreshing after every line would only burn the CPU.
void Celebration::RefreshNowAndThen() {
    if (sinceRefresh_.elapsed() < kBurstRefreshMs) return;
    sink_.Refresh();
    sinceRefresh_.restart();
}

void Celebration::Wait(int milliseconds) {
    timer_.start(milliseconds);
}

}  // namespace quabe
