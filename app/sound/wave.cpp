#include "wave.h"

#include <QtEndian>
#include <algorithm>

#include "bounded_read.h"

namespace quabe {
namespace {

// A cue is handed to the audio server whole, and the server keeps at most 4 MB
// of a stream; a cue is seconds long, never this.
constexpr qint64 kMaxWaveBytes = 3 * 1024 * 1024;

uint16_t U16(const QByteArray& b, qsizetype at) {
    return qFromLittleEndian<uint16_t>(b.constData() + at);
}
uint32_t U32(const QByteArray& b, qsizetype at) {
    return qFromLittleEndian<uint32_t>(b.constData() + at);
}

std::optional<SampleFormat> SampleFormatOf(int tag, int bits) {
    if (tag == 1 && bits == 8) return SampleFormat::UInt8;
    if (tag == 1 && bits == 16) return SampleFormat::Int16;
    if (tag == 1 && bits == 32) return SampleFormat::Int32;
    if (tag == 3 && bits == 32) return SampleFormat::Float;
    return std::nullopt;
}

}  // namespace

std::optional<Wave> ParseWave(const QByteArray& file) {
    if (file.size() < 12 || !file.startsWith("RIFF") || file.mid(8, 4) != "WAVE") return {};
    std::optional<Wave> format;
    qsizetype at = 12;
    while (at + 8 <= file.size()) {
        const QByteArray id = file.mid(at, 4);
        const qsizetype size = U32(file, at + 4);
        const qsizetype body = at + 8;
        if (id == "fmt ") {
            if (size < 16 || body + 16 > file.size()) return {};
            int tag = U16(file, body);
            const int channels = U16(file, body + 2);
            const int rate = static_cast<int>(U32(file, body + 4));
            const int bits = U16(file, body + 14);
            // WAVE_FORMAT_EXTENSIBLE keeps the real tag at the start of its sub-format.
            if (tag == 0xFFFE && size >= 40 && body + 26 <= file.size()) tag = U16(file, body + 24);
            const auto sampleFormat = SampleFormatOf(tag, bits);
            if (!sampleFormat || channels < 1 || channels > 8 || rate < 1000 || rate > 384000) {
                return {};
            }
            format.emplace();
            format->format = *sampleFormat;
            format->channels = channels;
            format->sampleRate = rate;
        } else if (id == "data") {
            if (!format) return {};
            const int frameBytes = format->BytesPerFrame();
            qsizetype bytes = std::min(size, file.size() - body);
            bytes -= bytes % frameBytes;
            if (bytes <= 0) return {};
            Wave wave = *format;
            wave.samples = file.mid(body, bytes);
            wave.durationMs = bytes / frameBytes * 1000 / wave.sampleRate;
            return wave;
        }
        at = body + size + (size & 1);  // chunks are padded to even lengths
    }
    return {};
}

// A wave longer than the limit is not played at all: a cut one would end in a click.
std::optional<Wave> ReadWave(const QString& path) {
    const BoundedRead file = ReadBounded(path, kMaxWaveBytes);
    if (!file.Whole()) return {};
    return ParseWave(file.bytes);
}

}  // namespace quabe
