// The audio module: plays waves through Qt Multimedia's default output. A wave
// is pushed to the sink whole, and the audio server plays it on its own, so a cue
// plays on while the game waits without handling events.
#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QFile>
#include <QMediaDevices>
#include <algorithm>
#include <cstring>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

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

bool TakesConnections(const QString& socketPath) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray path = QFile::encodeName(socketPath);
    if (path.size() >= static_cast<qsizetype>(sizeof address.sun_path)) return false;
    std::memcpy(address.sun_path, path.constData(), path.size());
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    const bool taken = connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    close(fd);
    return taken;
}

// Qt Multimedia 6.4 reaches for the audio server once, when it is first asked
// for a device, and never again if no server answers then. So it is first asked
// once a server takes connections where the PulseAudio client looks by default:
// a socket named by PULSE_SERVER, else the one in the user's runtime folder or
// the system's. Where that cannot be told (a remote server, no runtime folder),
// Qt is asked at once.
bool ServerAnswers() {
    QStringList sockets;
    if (const QString server = qEnvironmentVariable("PULSE_SERVER"); !server.isEmpty()) {
        const QString path = server.startsWith(u"unix:") ? server.mid(5) : server;
        if (!path.startsWith(u'/') || path.contains(u' ')) return true;
        sockets << path;
    } else if (const QString runtime = qEnvironmentVariable("PULSE_RUNTIME_PATH");
               !runtime.isEmpty()) {
        sockets << runtime + QLatin1String("/native") << QStringLiteral("/var/run/pulse/native");
    } else if (const QString user = qEnvironmentVariable("XDG_RUNTIME_DIR"); !user.isEmpty()) {
        sockets << user + QLatin1String("/pulse/native") << QStringLiteral("/var/run/pulse/native");
    } else {
        return true;
    }
    return std::any_of(sockets.begin(), sockets.end(), TakesConnections);
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
    if (!quabe::ServerAnswers() || QMediaDevices::defaultAudioOutput().isNull()) return nullptr;
    return new quabe::QtAudioOutput;
}
