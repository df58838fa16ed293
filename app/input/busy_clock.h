#pragma once
// Tells the presses made while the board was busy from those made after.
//
// Moves, blinks, the computer's turn, explosions and shifts run to their end
// without returning to the event loop, so a press made meanwhile waits in the
// window system's queue and arrives when the work is over, aimed at a board that
// has changed since. Such a press is dropped. It is judged by when it was made,
// the event's own timestamp, and not by when it arrives.
//
// Timestamps run on the window system's clock (the X server's time, say), not on
// ours, and no portable call reads that clock. So the offset between the two is
// learnt from the events themselves: an event is handled no sooner than it was
// made, so handled-at minus made-at never falls below the true offset, and the
// smallest difference seen is the closest bound. A press placed on our clock with
// it lands no earlier than it was really made, late at most by the quickest
// delivery seen (the press that starts a move is handled at once, so that is a
// millisecond or so). A timestamp counts whole milliseconds, so it tells the
// millisecond a press was made in, not the moment: a press is dropped only when
// all of that millisecond lies within the work, and one made in the millisecond
// the work ended, before or after its end, counts.
#include <QInputEvent>
#include <array>
#include <chrono>
#include <optional>

namespace quabe {

class BusyClock {
  public:
    using Clock = std::chrono::steady_clock;

    // `now` reads our clock: the steady clock, or a test's own.
    explicit BusyClock(Clock::time_point (*now)() = &Clock::now) : now_(now) {}

    void Seen(const QInputEvent& event);  // every input event, as it is handled
    // Around each handler that may do busy work.
    void WorkBegan();
    void WorkEnded();

    bool MadeDuringWork(const QInputEvent& event) const;

  private:
    struct Span {
        Clock::time_point begin, end;
    };

    Clock::time_point (*now_)();
    std::optional<Clock::duration> offset_;  // bounds our clock minus the events' from above
    quint64 lastMade_ = 0;
    Clock::time_point began_;
    // The latest spans: a shift may run before the presses queued during a move
    // are handled, and those must still be judged against the move.
    std::array<Span, 4> spans_{};
    size_t next_ = 0;
};

}  // namespace quabe
