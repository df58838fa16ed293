#include "busy_clock.h"

namespace quabe {

namespace {

using std::chrono::milliseconds;

// Work this short kept no press waiting: an idle timer tick, a press on a gap.
constexpr auto kShortest = milliseconds(1);

// The X server's clock is 32 bits of milliseconds and wraps after 49 days; a
// clock that jumps back by half that has wrapped and is learnt afresh.
constexpr quint64 kWrapped = quint64{1} << 31;

// Beyond any clock's reading (278 years); more would overflow our clock's nanoseconds.
constexpr quint64 kNoTimeAbove = quint64{1} << 43;

bool CarriesTime(const QInputEvent& event) {
    return event.timestamp() != 0 && event.timestamp() < kNoTimeAbove;
}

}  // namespace

void BusyClock::Seen(const QInputEvent& event) {
    if (!CarriesTime(event)) return;
    const Clock::time_point handled = now_();
    const quint64 made = event.timestamp();
    if (lastMade_ > made + kWrapped) offset_.reset();
    lastMade_ = made;
    const Clock::duration offset =
        handled.time_since_epoch() - milliseconds(static_cast<int64_t>(made));
    if (!offset_ || offset < *offset_) offset_ = offset;
}

void BusyClock::WorkBegan() {
    began_ = now_();
}

void BusyClock::WorkEnded() {
    const Clock::time_point now = now_();
    if (now - began_ < kShortest) return;
    spans_[next_] = {began_, now};
    next_ = (next_ + 1) % spans_.size();
}

bool BusyClock::MadeDuringWork(const QInputEvent& event) const {
    if (!offset_ || !CarriesTime(event)) return false;
    const Clock::time_point from =
        Clock::time_point(milliseconds(static_cast<int64_t>(event.timestamp()))) + *offset_;
    const Clock::time_point to = from + milliseconds(1);
    for (const Span& span : spans_) {
        if (span.begin <= from && to <= span.end) return true;
    }
    return false;
}

}  // namespace quabe
