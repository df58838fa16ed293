#pragma once
// The sound cues: one wave file at a time, the newest cutting off the one playing.
#include <QString>
#include <memory>
#include <optional>

#include "audio_output.h"
#include "wave.h"

namespace quabe {

class CuePlayer {
  public:
    explicit CuePlayer(QString folder);
    ~CuePlayer();

    // Plays `fileName` from the folder. With `wait` the call returns when the
    // sound has ended; it sleeps meanwhile and handles no events. A missing or
    // unreadable file, or no audio output, plays nothing and returns at once.
    void Play(const QString& fileName, bool wait);

    // Gets the audio output ready ahead of the first cue, which would otherwise
    // wait for the audio libraries to load and the audio server to answer.
    void Prepare();

    // The audio system is started only by the first cue that plays, or Prepare.
    bool AudioStarted() const { return audioStarted_; }
    bool HasOutput() const { return output_ != nullptr; }

  private:
    void WaitUntilPlayed(int64_t durationMs);

    QString folder_;
    bool audioStarted_ = false;
    CreateAudioOutputFunction create_ = nullptr;
    std::unique_ptr<AudioOutput> output_;
};

}  // namespace quabe
