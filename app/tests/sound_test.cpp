// The wave reader and the cue player: what plays, what stays silent, and that a
// cue which cannot play never holds the game up.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLibrary>
#include <QTemporaryDir>
#include <QtEndian>

#include <sys/stat.h>

#include "shown_window.h"
#include "sound.h"

namespace quabe::testing {
namespace {

void Put16(QByteArray& b, int v) {
    char raw[2];
    qToLittleEndian<uint16_t>(static_cast<uint16_t>(v), raw);
    b.append(raw, 2);
}
void Put32(QByteArray& b, uint32_t v) {
    char raw[4];
    qToLittleEndian<uint32_t>(v, raw);
    b.append(raw, 4);
}

// A wave file with a junk chunk of odd length before the format.
QByteArray WaveFile(int tag, int channels, int rate, int bits, int dataBytes, int declaredBytes) {
    QByteArray body = "WAVE";
    body += "junk";
    Put32(body, 3);
    body += QByteArray("abc\0", 4);  // padded to an even length
    body += "fmt ";
    Put32(body, 16);
    Put16(body, tag);
    Put16(body, channels);
    Put32(body, rate);
    Put32(body, rate * channels * bits / 8);
    Put16(body, channels * bits / 8);
    Put16(body, bits);
    body += "data";
    Put32(body, declaredBytes);
    body += QByteArray(dataBytes, '\x10');
    QByteArray file = "RIFF";
    Put32(file, body.size());
    return file + body;
}

TEST(Sound, ReadsThePcmFormatsAndTheirLength) {
    auto mono = ParseWave(WaveFile(1, 1, 8000, 16, 16000, 16000));
    ASSERT_TRUE(mono);
    EXPECT_EQ(mono->format, SampleFormat::Int16);
    EXPECT_EQ(mono->channels, 1);
    EXPECT_EQ(mono->sampleRate, 8000);
    EXPECT_EQ(mono->durationMs, 1000);

    auto stereo = ParseWave(WaveFile(1, 2, 22050, 8, 11026, 11026));
    ASSERT_TRUE(stereo);
    EXPECT_EQ(stereo->format, SampleFormat::UInt8);
    EXPECT_EQ(stereo->durationMs, 250);

    auto floats = ParseWave(WaveFile(3, 1, 1000, 32, 400, 400));
    ASSERT_TRUE(floats);
    EXPECT_EQ(floats->format, SampleFormat::Float);
    EXPECT_EQ(floats->durationMs, 100);
}

TEST(Sound, ACutOrBrokenFileGivesWhatIsThereOrNothing) {
    // A data chunk that claims more than the file holds keeps the whole frames present.
    auto cut = ParseWave(WaveFile(1, 2, 1000, 16, 403, 1000000));
    ASSERT_TRUE(cut);
    EXPECT_EQ(cut->samples.size(), 400);
    EXPECT_EQ(cut->durationMs, 100);

    EXPECT_FALSE(ParseWave({}));
    EXPECT_FALSE(ParseWave("RIFF\x04\0\0\0WAVE"));
    EXPECT_FALSE(ParseWave(WaveFile(2, 1, 8000, 4, 100, 100))) << "ADPCM is not played";
    EXPECT_FALSE(ParseWave(WaveFile(1, 0, 8000, 16, 100, 100))) << "no channels";
    EXPECT_FALSE(ParseWave(WaveFile(1, 1, 0, 16, 100, 100))) << "no rate";
    EXPECT_FALSE(ParseWave(WaveFile(1, 1, 8000, 16, 0, 0))) << "no samples";
    QByteArray truncated = WaveFile(1, 1, 8000, 16, 100, 100).left(30);
    EXPECT_FALSE(ParseWave(truncated));
}

// The cue files lie where anyone may put anything: a FIFO would hold the game in open()
// and a device would be read without end. A link to a plain file plays.
TEST(Sound, AWaveThatIsNoPlainFileIsNotRead) {
    QTemporaryDir folder;
    const QString fifo = folder.filePath("fifo");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QFile wave(folder.filePath("Plain.wav"));
    ASSERT_TRUE(wave.open(QIODevice::WriteOnly));
    wave.write(WaveFile(1, 1, 8000, 16, 800, 800));
    wave.close();
    const struct {
        const char* name;
        QString target;
    } links[] = {{"Fifo.wav", fifo}, {"Zero.wav", "/dev/zero"}, {"Link.wav", wave.fileName()}};
    for (const auto& link : links) ASSERT_TRUE(QFile::link(link.target, folder.filePath(link.name)));

    EXPECT_FALSE(ReadWave(fifo));
    EXPECT_FALSE(ReadWave(folder.filePath("Fifo.wav")));
    EXPECT_FALSE(ReadWave(folder.filePath("Zero.wav")));
    EXPECT_FALSE(ReadWave(folder.path()));
    ASSERT_TRUE(ReadWave(folder.filePath("Link.wav")));
    EXPECT_EQ(ReadWave(folder.filePath("Link.wav"))->durationMs, 50);
}

qint64 PlayAndTime(CuePlayer& cues, const QString& file) {
    QElapsedTimer clock;
    clock.start();
    cues.Play(file, true);
    return clock.elapsed();
}

TEST(Sound, ACueThatCannotPlayReturnsAtOnce) {
    QTemporaryDir folder;
    QFile corrupt(folder.filePath("Corrupt.wav"));
    ASSERT_TRUE(corrupt.open(QIODevice::WriteOnly));
    corrupt.write("RIFF....WAVEfmt garbage");
    corrupt.close();
    QFile longSound(folder.filePath("Long.wav"));
    ASSERT_TRUE(longSound.open(QIODevice::WriteOnly));
    longSound.write(WaveFile(1, 1, 8000, 16, 8000 * 2 * 3, 8000 * 2 * 3));  // three seconds
    longSound.close();

    CuePlayer cues(folder.path());
    EXPECT_LT(PlayAndTime(cues, "Missing.wav"), 1500);
    EXPECT_LT(PlayAndTime(cues, "Corrupt.wav"), 1500);
    if (cues.HasOutput()) GTEST_SKIP() << "this machine has an audio output";
    EXPECT_LT(PlayAndTime(cues, "Long.wav"), 1500) << "no output: nothing to wait for";
}

TEST(Sound, TheAudioModuleLiesBesideTheProgram) {
    QLibrary module(QDir(QCoreApplication::applicationDirPath()).filePath(kAudioModule));
    EXPECT_NE(module.resolve(kCreateAudioOutput), nullptr) << module.errorString().toStdString();
}

TEST(Sound, SoundOffNeverReachesTheAudioSystem) {
    ShownWindow shown;
    MainWindow& w = shown.window;
    ASSERT_FALSE(w.OptionOn(Option::Sound));
    w.PlayCue("Bazooka.wav", kCueWait);
    w.PlayCue("Bleep.wav", kCueStart);
    EXPECT_FALSE(w.cues()->AudioStarted());

    Click(w, w.pctSound);
    w.PlayCue("Bleep.wav", kCueStart);
    EXPECT_TRUE(w.cues()->AudioStarted()) << "the very next cue after switching on";
}

}  // namespace
}  // namespace quabe::testing
