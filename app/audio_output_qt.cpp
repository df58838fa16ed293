// The audio module: plays waves through Qt Multimedia's default output. Samples
// are pushed to the sink, which plays them on the audio server's own thread, so
// a cue plays on while the game waits without handling events.
#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QMediaDevices>
#include <algorithm>

#include "audio_output.h"

namespace quabe {
namespace {

QAudioFormat FormatOf(const Wave& wave) {
    QAudioFormat format;
    switch (wave.format) {
        case SampleFormat::UInt8:
            format.setSampleFormat(QAudioFormat::UInt8);
            break;
        case SampleFormat::Int16:
            format.setSampleFormat(QAudioFormat::Int16);
            break;
        case SampleFormat::Int32:
            format.setSampleFormat(QAudioFormat::Int32);
            break;
        case SampleFormat::Float:
            format.setSampleFormat(QAudioFormat::Float);
            break;
    }
    format.setChannelCount(wave.channels);
    format.setSampleRate(wave.sampleRate);
    return format;
}

class QtAudioOutput : public AudioOutput {
  public:
    explicit QtAudioOutput(QAudioDevice device) : device_(std::move(device)) {}
    ~QtAudioOutput() override { delete sink_; }

    bool Start(const Wave& wave) override {
        const QAudioFormat format = FormatOf(wave);
        if (sink_ && sink_->format() != format) {
            sink_->stop();
            sink_->deleteLater();  // its destructor handles events, so never inside a move
            sink_ = nullptr;
        }
        if (!sink_) sink_ = new QAudioSink(device_, format);
        out_ = sink_->start();  // reopening the stream cuts off what still sounds
        samples_ = wave.samples;
        sent_ = 0;
        if (!out_) return false;
        Feed();
        return true;
    }

    // Never more than the sink has room for, so its buffer cannot overflow.
    bool Feed() override {
        if (!out_ || sent_ >= samples_.size()) return false;
        const qsizetype room = std::min<qsizetype>(sink_->bytesFree(), samples_.size() - sent_);
        if (room > 0) sent_ += std::max<qint64>(0, out_->write(samples_.constData() + sent_, room));
        return sent_ < samples_.size();
    }

  private:
    QAudioDevice device_;
    QAudioSink* sink_ = nullptr;
    QIODevice* out_ = nullptr;
    QByteArray samples_;
    qsizetype sent_ = 0;
};

}  // namespace
}  // namespace quabe

extern "C" Q_DECL_EXPORT quabe::AudioOutput* quabe_create_audio_output() {
    QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull()) return nullptr;
    return new quabe::QtAudioOutput(std::move(device));
}
