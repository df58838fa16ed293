#pragma once
// The sound cues: one wave file at a time, the newest cutting off the one playing.
#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>
#include <memory>
#include <optional>

#include "audio_output.h"

namespace quabe {

// Reads a RIFF/WAVE file of 8-bit unsigned, 16- or 32-bit signed or 32-bit float
// PCM. Anything else, or a malformed file, gives nothing; a data chunk cut short
// by the end of the file keeps the frames that are there.
std::optional<Wave> ParseWave(const QByteArray& file);

class CuePlayer : public QObject {
  public:
    explicit CuePlayer(QString folder);
    ~CuePlayer() override;

    // Plays `fileName` from the folder. With `wait` the call returns when the
    // sound has ended; it sleeps meanwhile and handles no events. A missing or
    // unreadable file, or no audio output, plays nothing and returns at once.
    void Play(const QString& fileName, bool wait);

    // The audio system is started only by the first cue that plays.
    bool AudioStarted() const { return audioStarted_; }
    bool HasOutput() const { return output_ != nullptr; }

  private:
    void StartAudio();
    void Feed();

    QString folder_;
    bool audioStarted_ = false;
    std::unique_ptr<AudioOutput> output_;
    QTimer feeder_;  // hands over the rest of a long sound that plays on
};

}  // namespace quabe
