// The three wave files, synthesised: 16-bit mono PCM at 22050 Hz.
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "artwork.h"

namespace artwork {
namespace {

constexpr int kRate = 22050;
constexpr double kTau = 6.283185307179586;

using Signal = std::vector<double>;

// Same noise on every run: a fixed-seed linear congruential generator.
class Noise {
  public:
    double Next() {
        state_ = state_ * 1664525u + 1013904223u;
        return double(state_ >> 8) / double(1u << 23) - 1.0;
    }

  private:
    std::uint32_t state_ = 20260101u;
};

// A one-pole low-pass whose cutoff may change from sample to sample.
class LowPass {
  public:
    double Filter(double in, double cutoffHz) {
        const double a = 1 - std::exp(-kTau * cutoffHz / kRate);
        return out_ += a * (in - out_);
    }

  private:
    double out_ = 0;
};

Signal Bleep() {
    // A bright two-tone blip: short enough that a run of them stays crisp.
    const int n = int(0.055 * kRate);
    Signal s(size_t(n), 0.0);
    double phase = 0;
    for (int i = 0; i < n; ++i) {
        const double t = double(i) / kRate;
        phase += kTau * (1900 + 9000 * t) / kRate;
        const double attack = std::min(1.0, t / 0.002);
        const double release = std::min(1.0, (double(n - i) / kRate) / 0.006);
        s[size_t(i)] =
            attack * release * std::exp(-t / 0.03) * (std::sin(phase) + 0.3 * std::sin(2 * phase));
    }
    return s;
}

Signal Explode() {
    const int n = int(1.1 * kRate);
    Signal s(size_t(n), 0.0);
    Noise noise;
    LowPass body, rumble;
    double thump = 0;
    for (int i = 0; i < n; ++i) {
        const double t = double(i) / kRate;
        const double crack = std::exp(-t / 0.025) * noise.Next();
        const double blast = body.Filter(noise.Next(), 2500 * std::exp(-t / 0.12) + 140);
        const double roll = rumble.Filter(noise.Next(), 90) * 4;
        thump += kTau * (70 * std::exp(-t / 0.2) + 38) / kRate;
        const double fade = std::min(1.0, (double(n - i) / kRate) / 0.15);
        s[size_t(i)] =
            fade * (0.5 * crack + std::exp(-t / 0.3) * (1.4 * blast + 0.6 * std::sin(thump)) +
                    std::exp(-t / 0.5) * roll);
    }
    return s;
}

Signal Bazooka() {
    // A rising whoosh as the shell leaves, then a short dull boom.
    const int n = int(0.6 * kRate), launch = int(0.22 * kRate);
    Signal s(size_t(n), 0.0);
    Noise noise;
    LowPass whoosh, boom;
    double thump = 0;
    for (int i = 0; i < n; ++i) {
        const double t = double(i) / kRate;
        double v = 0;
        if (i < launch) {
            const double rise = t / 0.22;
            v = whoosh.Filter(noise.Next(), 400 + 3000 * rise) * (0.3 + 0.9 * rise) *
                std::min(1.0, t / 0.01);
        }
        if (i >= launch) {
            const double u = t - 0.22;
            thump += kTau * (110 * std::exp(-u / 0.06) + 45) / kRate;
            v += std::exp(-u / 0.12) *
                 (1.3 * boom.Filter(noise.Next(), 900 * std::exp(-u / 0.08) + 120) +
                  0.8 * std::sin(thump));
        }
        const double fade = std::min(1.0, (double(n - i) / kRate) / 0.05);
        s[size_t(i)] = v * fade;
    }
    return s;
}

void Append16(QByteArray& out, std::uint16_t v) {
    char b[2];
    qToLittleEndian(v, b);
    out.append(b, 2);
}

void Append32(QByteArray& out, std::uint32_t v) {
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}

Asset Wave(const QString& name, const Signal& signal, double peak) {
    double loudest = 1e-9;
    for (double v : signal) loudest = std::max(loudest, std::abs(v));
    const std::uint32_t dataBytes = std::uint32_t(signal.size() * 2);
    QByteArray out;
    out.append("RIFF");
    Append32(out, 36 + dataBytes);
    out.append("WAVEfmt ");
    Append32(out, 16);
    Append16(out, 1);  // PCM
    Append16(out, 1);  // mono
    Append32(out, kRate);
    Append32(out, kRate * 2);
    Append16(out, 2);
    Append16(out, 16);
    out.append("data");
    Append32(out, dataBytes);
    for (double v : signal)
        Append16(out, std::uint16_t(std::int16_t(std::lround(v / loudest * peak * 32767))));
    return {"sounds/" + name, out};
}

}  // namespace

Assets Sounds() {
    return {Wave("Bleep.wav", Bleep(), 0.6), Wave("Explode.wav", Explode(), 0.9),
            Wave("Bazooka.wav", Bazooka(), 0.85)};
}

}  // namespace artwork
