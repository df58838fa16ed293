// The audio module: plays waves through Qt Multimedia's default output. A wave
// is pushed to the sink whole, and the audio server plays it on its own, so a cue
// plays on while the game waits without handling events.
#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QMediaDevices>

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

// The buffer each stream asks the server for: enough for the server to keep its
// output fed, short enough that a new cue cuts in without a noticeable delay.
constexpr int kBufferMs = 50;

class QtAudioOutput : public AudioOutput {
  public:
    ~QtAudioOutput() override { delete sink_; }

    bool Start(const Wave& wave) override {
        // The default output of now: a server that went and came back has a new one.
        const QAudioDevice device = QMediaDevices::defaultAudioOutput();
        const QAudioFormat format = FormatOf(wave);
        if (sink_ && (sink_->format() != format || device_ != device)) {
            sink_->stop();
            sink_->deleteLater();  // its destructor handles events, so never inside a move
            sink_ = nullptr;
        }
        if (device.isNull()) return false;
        if (!sink_) {
            sink_ = new QAudioSink(device, format);
            device_ = device;
        }
        // Every start opens a new stream, which asks for the sink's buffer size; after
        // a stream the sink holds what the server granted, a little less than asked,
        // so without this each cue would get a smaller buffer than the last.
        sink_->setBufferSize(format.bytesForDuration(kBufferMs * 1000));
        QIODevice* out = sink_->start();  // the stream still sounding is cut off
        if (!out) return false;
        // All of the wave at once, so the server never runs dry in the middle of it,
        // then a buffer of silence: the server starts a stream only once it holds
        // nearly a full buffer, which a sound shorter than that never reaches alone.
        const char silence = wave.format == SampleFormat::UInt8 ? '\x80' : '\0';
        const QByteArray all = wave.samples + QByteArray(sink_->bufferSize(), silence);
        return out->write(all) == all.size();
    }

    int64_t PlayedMs() override { return sink_ ? sink_->processedUSecs() / 1000 : 0; }

  private:
    QAudioDevice device_;
    QAudioSink* sink_ = nullptr;
};

}  // namespace
}  // namespace quabe

extern "C" Q_DECL_EXPORT quabe::AudioOutput* quabe_create_audio_output() {
    if (QMediaDevices::defaultAudioOutput().isNull()) return nullptr;
    return new quabe::QtAudioOutput;
}
