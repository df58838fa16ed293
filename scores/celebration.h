#pragma once
// The fireworks on the black board after a game: a yellow rocket rises on a bent
// path and bursts into forty sparks that curve down and fade, one firework after
// another until stopped. Driven by a timer so the window stays responsive.
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <cstdint>
#include <functional>

namespace quabe {

class LineSink {  // the board picture
  public:
    virtual ~LineSink() = default;
    // One-pixel line between two points in board units (15 to a pixel), clipped by the board.
    virtual void Line(double x1, double y1, double x2, double y2, int red, int green, int blue) = 0;
    virtual void Refresh() = 0;  // show the board image now
};

class Celebration : public QObject {
  public:
    // rnd: the program's generator, uniform in [0, 1). width, height: board size in units.
    Celebration(LineSink& sink, std::function<double()> rnd, double width, double height);

    void Start();  // launches the first rocket and returns; a running celebration ends first
    void Stop();   // no line is drawn after this call
    bool Running() const { return running_; }
    std::function<void()> finished;  // called once when the celebration has stopped

    // Runs the celebration up to its next pause or hand-back to the event loop. The
    // timer calls it; tests may call it to go step by step.
    void Advance();

  private:
    enum class Phase { Rocket, SparkSetUp, Burst };

    struct Spark {
        int16_t x = 0, y = 0, speed = 0;
        float angle = 0;  // radians: 0 up, pi/2 right, pi down
        int16_t red = 0, green = 0, blue = 0;
    };

    void Launch();
    void RocketStepOrBurst();
    void SetUpSpark();
    void MoveSpark();
    void Finish();
    void RefreshNowAndThen();
    void Wait(int milliseconds);

    LineSink& sink_;
    std::function<double()> rnd_;
    double width_, height_;
    QTimer timer_;
    QElapsedTimer sinceRefresh_;

    bool running_ = false;
    bool stop_ = false;
    Phase phase_ = Phase::Rocket;
    int16_t x_ = 0, y_ = 0;  // rocket head
    double vx_ = 0, vy_ = 0;
    int rocketStep_ = 0;
    float spread_ = 0;
    Spark sparks_[41];  // 1..40
    int spark_ = 0;     // the last spark set up or moved
    int frame_ = 0;
};

}  // namespace quabe
