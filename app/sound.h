#pragma once
// The sound cues: one wave file at a time, the newest cutting off the one playing.
#include <QAudioFormat>
#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>
#include <optional>

class QAudioSink;
class QIODevice;

namespace quabe {

// A PCM wave file's format and samples.
struct Wave {
    QAudioFormat format;
    QByteArray samples;  // whole frames only
    int64_t durationMs = 0;
};

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
    bool HasOutput() const { return hasOutput_; }

  private:
    bool Start(const Wave& wave);
    void Feed();

    QString folder_;
    bool audioStarted_ = false;
    bool hasOutput_ = false;
    QAudioSink* sink_ = nullptr;
    QIODevice* out_ = nullptr;
    QByteArray pending_;  // samples not yet handed to the sink
    qsizetype sent_ = 0;
    QTimer feeder_;  // hands over the rest of a long sound that plays on
};

}  // namespace quabe
