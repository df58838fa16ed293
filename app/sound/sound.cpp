#include "sound.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLibrary>
#include <chrono>
#include <thread>

namespace quabe {

namespace {

constexpr auto kPollTime = std::chrono::milliseconds(10);
// After the server has played a waited-for cue, its end still crosses the
// output's buffer; a server that stalls holds the game at most kMostLateMs more.
constexpr auto kTailTime = std::chrono::milliseconds(60);
constexpr int64_t kMostLateMs = 1000;

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
