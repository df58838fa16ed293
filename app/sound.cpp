#include "sound.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMediaDevices>
#include <QtEndian>
#include <chrono>
#include <thread>

namespace quabe {

namespace {

constexpr qint64 kMaxWaveBytes = 64 * 1024 * 1024;  // a cue is seconds long, never this
constexpr int kFeedMs = 20;

uint16_t U16(const QByteArray& b, qsizetype at) {
    return qFromLittleEndian<uint16_t>(b.constData() + at);
}
uint32_t U32(const QByteArray& b, qsizetype at) {
    return qFromLittleEndian<uint32_t>(b.constData() + at);
}

std::optional<QAudioFormat::SampleFormat> SampleFormat(int tag, int bits) {
    if (tag == 1 && bits == 8) return QAudioFormat::UInt8;
    if (tag == 1 && bits == 16) return QAudioFormat::Int16;
    if (tag == 1 && bits == 32) return QAudioFormat::Int32;
    if (tag == 3 && bits == 32) return QAudioFormat::Float;
    return std::nullopt;
}

}  // namespace

std::optional<Wave> ParseWave(const QByteArray& file) {
    if (file.size() < 12 || !file.startsWith("RIFF") || file.mid(8, 4) != "WAVE") return {};
    std::optional<QAudioFormat> format;
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
            const auto sampleFormat = SampleFormat(tag, bits);
            if (!sampleFormat || channels < 1 || channels > 8 || rate < 1000 || rate > 384000) {
                return {};
            }
            format.emplace();
            format->setSampleFormat(*sampleFormat);
            format->setChannelCount(channels);
            format->setSampleRate(rate);
        } else if (id == "data") {
            if (!format) return {};
            const int frameBytes = format->bytesPerFrame();
            qsizetype bytes = std::min(size, file.size() - body);
            bytes -= bytes % frameBytes;
            if (bytes <= 0) return {};
            Wave wave;
            wave.format = *format;
            wave.samples = file.mid(body, bytes);
            wave.durationMs = bytes / frameBytes * 1000 / format->sampleRate();
            return wave;
        }
        at = body + size + (size & 1);  // chunks are padded to even lengths
    }
    return {};
}

CuePlayer::CuePlayer(QString folder) : folder_(std::move(folder)) {
    feeder_.setInterval(kFeedMs);
    connect(&feeder_, &QTimer::timeout, this, &CuePlayer::Feed);
}

CuePlayer::~CuePlayer() {
    delete sink_;
}

void CuePlayer::Play(const QString& fileName, bool wait) {
    if (!audioStarted_) {
        audioStarted_ = true;
        hasOutput_ = !QMediaDevices::defaultAudioOutput().isNull();
    }
    if (!hasOutput_) return;

    QFile file(QDir(folder_).filePath(fileName));
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxWaveBytes) return;
    const auto wave = ParseWave(file.readAll());
    if (!wave || !Start(*wave)) return;
    if (!wait) return;

    QElapsedTimer clock;
    clock.start();
    for (qint64 left = wave->durationMs; left > 0; left = wave->durationMs - clock.elapsed()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(std::min<qint64>(left, kFeedMs)));
        Feed();
    }
}

// Starting a cue cuts off the one still sounding: the sink's stream is reopened.
bool CuePlayer::Start(const Wave& wave) {
    feeder_.stop();
    pending_.clear();
    if (sink_ && sink_->format() != wave.format) {
        sink_->stop();
        sink_->deleteLater();  // its destructor handles events, so never inside a move
        sink_ = nullptr;
    }
    if (!sink_) sink_ = new QAudioSink(QMediaDevices::defaultAudioOutput(), wave.format, this);
    out_ = sink_->start();
    if (!out_) return false;
    pending_ = wave.samples;
    sent_ = 0;
    Feed();
    return true;
}

// Hands the sink no more than it has room for, so its buffer never overflows.
void CuePlayer::Feed() {
    if (!out_ || sent_ >= pending_.size()) {
        feeder_.stop();
        return;
    }
    const qsizetype room = std::min<qsizetype>(sink_->bytesFree(), pending_.size() - sent_);
    if (room > 0) sent_ += std::max<qint64>(0, out_->write(pending_.constData() + sent_, room));
    if (sent_ < pending_.size() && !feeder_.isActive()) feeder_.start();
}

}  // namespace quabe
