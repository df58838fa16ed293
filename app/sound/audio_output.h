#pragma once
// What the sound cues need of the audio system, kept behind a module that is
// loaded only when the first cue plays: the audio libraries cost start-up time
// and memory that a game with the sound off should never pay.
#include <QByteArray>
#include <cstdint>

namespace quabe {

enum class SampleFormat { UInt8, Int16, Int32, Float };

// A PCM wave: its format and whole frames of samples.
struct Wave {
    SampleFormat format = SampleFormat::Int16;
    int channels = 1;
    int sampleRate = 0;
    QByteArray samples;
    int64_t durationMs = 0;

    int BytesPerFrame() const {
        const int bytes = format == SampleFormat::UInt8 ? 1 : format == SampleFormat::Int16 ? 2 : 4;
        return bytes * channels;
    }
};

class AudioOutput {
  public:
    virtual ~AudioOutput() = default;
    // Starts `wave` on a stream of its own, handing over all of it at once and
    // cutting off the sound still playing; false when it cannot play.
    virtual bool Start(const Wave& wave) = 0;
    // How much of the started wave the audio server has played so far.
    virtual int64_t PlayedMs() = 0;
};

// The module's one entry point: the default output, or null when the machine has
// none now (asking again later finds an audio server that has started since).
using CreateAudioOutputFunction = AudioOutput* (*)();
constexpr char kCreateAudioOutput[] = "quabe_create_audio_output";
constexpr char kAudioModule[] = "quabe_audio";

}  // namespace quabe
