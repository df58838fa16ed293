#include "sound.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLibrary>
#include <QtEndian>
#include <chrono>
#include <thread>

#include "bounded_read.h"

namespace quabe {

namespace {

// A cue is handed to the audio server whole, and the server keeps at most 4 MB
// of a stream; a cue is seconds long, never this.
constexpr qint64 kMaxWaveBytes = 3 * 1024 * 1024;
constexpr auto kPollTime = std::chrono::milliseconds(10);
// After the server has played a waited-for cue, its end still crosses the
// output's buffer; a server that stalls holds the game at most kMostLateMs more.
constexpr auto kTailTime = std::chrono::milliseconds(60);
constexpr int64_t kMostLateMs = 1000;

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

// The audio module lies beside the program, or in its library folder once installed.
CreateAudioOutputFunction LoadAudioModule() {
    const QDir program(QCoreApplication::applicationDirPath());
    for (const QString& folder :
         {program.path(), program.filePath(QStringLiteral(QUABE_AUDIO_FROM_BIN))}) {
        QLibrary module(QDir(folder).filePath(QLatin1String(kAudioModule)));
        if (auto create =
                reinterpret_cast<CreateAudioOutputFunction>(module.resolve(kCreateAudioOutput))) {
            return create;
        }
    }
    return nullptr;
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

CuePlayer::CuePlayer(QString folder) : folder_(std::move(folder)) {}

CuePlayer::~CuePlayer() = default;

// Without an output, every call asks again: an audio server may have started.
void CuePlayer::Prepare() {
    if (!audioStarted_) {
        audioStarted_ = true;
        create_ = LoadAudioModule();
    }
    if (create_ && !output_) output_.reset(create_());
}

void CuePlayer::Play(const QString& fileName, bool wait) {
    Prepare();
    if (!output_) return;

    const auto wave = ReadWave(QDir(folder_).filePath(fileName));
    if (!wave || !output_->Start(*wave)) return;
    if (wait) WaitUntilPlayed(wave->durationMs);
}

void CuePlayer::WaitUntilPlayed(int64_t durationMs) {
    QElapsedTimer clock;
    clock.start();
    while (output_->PlayedMs() < durationMs && clock.elapsed() < durationMs + kMostLateMs) {
        std::this_thread::sleep_for(kPollTime);
    }
    std::this_thread::sleep_for(kTailTime);
}

}  // namespace quabe
