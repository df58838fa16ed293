// The cues as a player hears them: the game plays through a sound server of the
// test's own, whose output is recorded and compared with the wave files.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/prctl.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <cmath>

#include "shown_window.h"
#include "sound.h"

namespace quabe::testing {
namespace {

using Samples = std::vector<int16_t>;

Samples SamplesOf(const QByteArray& raw) {
    Samples samples(static_cast<size_t>(raw.size()) / 2);
    std::memcpy(samples.data(), raw.constData(), samples.size() * 2);
    return samples;
}

// A wave of the game as 16-bit mono samples.
Samples LoadSound(const char* name, int* rate) {
    QFile file(QDir(QCoreApplication::applicationDirPath()).filePath(QLatin1String(name)));
    const auto wave = file.open(QIODevice::ReadOnly) ? ParseWave(file.readAll()) : std::nullopt;
    if (!wave || wave->format != SampleFormat::Int16 || wave->channels != 1) return {};
    *rate = wave->sampleRate;
    return SamplesOf(wave->samples);
}

// The stretch of a recording from the first to the last loud sample of one sound.
struct Span {
    long begin = 0, end = 0;
};

// Loud samples less than `gap` apart belong to one sound.
std::vector<Span> LoudSpans(const Samples& s, long gap) {
    std::vector<Span> spans;
    for (long i = 0; i < static_cast<long>(s.size()); ++i) {
        if (std::abs(s[i]) <= 500) continue;
        if (spans.empty() || i - spans.back().end > gap) spans.push_back({i, i});
        spans.back().end = i + 1;
    }
    return spans;
}

// Normalised cross-correlation of `wave` laid on `heard` from index `at`.
double Likeness(const Samples& heard, const Samples& wave, long at) {
    double both = 0, heardEnergy = 0, waveEnergy = 0;
    for (long i = 0; i < static_cast<long>(wave.size()); ++i) {
        const long j = at + i;
        const double h = j >= 0 && j < static_cast<long>(heard.size()) ? heard[j] : 0.0;
        both += h * wave[i];
        heardEnergy += h * h;
        waveEnergy += double(wave[i]) * wave[i];
    }
    return heardEnergy > 0 ? both / std::sqrt(heardEnergy * waveEnergy) : 0;
}

void DieWithTheTest() {
    prctl(PR_SET_PDEATHSIG, SIGKILL);  // no server outlives a test that crashes
}

// A private sound server with one silent output whose sound is recorded: its own
// folder and socket, anonymous clients, nothing spawned on anyone's behalf. The
// game is pointed at it from the start, before the server runs.
class SoundServer {
  public:
    explicit SoundServer(int rate) : rate_(rate) {
        QFile config(dir_.filePath("client.conf"));
        if (config.open(QIODevice::WriteOnly)) config.write("autospawn = no\n");
        config.close();
        env_ = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"HOME", "XDG_RUNTIME_DIR", "XDG_CONFIG_HOME"})
            env_.insert(name, dir_.path());
        env_.insert("PULSE_RUNTIME_PATH", dir_.filePath("runtime"));
        env_.insert("PULSE_STATE_PATH", dir_.filePath("state"));
        env_.insert("PULSE_CLIENTCONFIG", config.fileName());
        env_.insert("PULSE_SERVER", "unix:" + dir_.filePath("native"));
        env_.remove("DISPLAY");
        env_.remove("DBUS_SESSION_BUS_ADDRESS");
        for (const char* name : {"PULSE_SERVER", "PULSE_CLIENTCONFIG"})
            qputenv(name, env_.value(name).toLocal8Bit());
    }

    ~SoundServer() {
        Stop(recorder_, SIGINT);
        Stop(server_, SIGTERM);
        qunsetenv("PULSE_SERVER");
        qunsetenv("PULSE_CLIENTCONFIG");
    }

    // Starts the server and the recording; false, with the server's log in
    // `failure`, when it does not come up.
    bool Start(std::string* failure) {
        server_.setProcessEnvironment(env_);
        server_.setChildProcessModifier(DieWithTheTest);
        server_.setStandardOutputFile(QProcess::nullDevice());
        server_.setStandardErrorFile(dir_.filePath("server.log"));
        // As root too, which it warns of: --system=false keeps it a session server.
        // Without rewinds the recording holds what a sound card would have played.
        server_.start("pulseaudio",
                      {"-n", "--daemonize=no", "--system=false", "--use-pid-file=no",
                       "--exit-idle-time=-1", "--disallow-exit", "--realtime=no",
                       "--high-priority=no", "--log-target=stderr",
                       QStringLiteral("--load=module-null-sink sink_name=cues format=s16le "
                                      "channels=1 rate=%1 norewinds=1")
                           .arg(rate_),
                       "--load=module-native-protocol-unix auth-anonymous=1 socket=" +
                           dir_.filePath("native")});
        bool up = false;
        for (int tries = 0; tries < 150 && !up && server_.waitForStarted(10000); ++tries) {
            up = !Tool({"info"}).isNull();
            if (!up) QTest::qWait(200);  // a loaded machine may take seconds
        }
        if (up) up = StartRecording();
        if (!up) *failure = ReadFile("server.log").toStdString();
        return up;
    }

    // Whether the game has reached the server, waiting a while for it.
    bool WaitForGame() {
        const QString game =
            QStringLiteral("application.process.id = \"%1\"").arg(QCoreApplication::applicationPid());
        for (int tries = 0; tries < 50; ++tries) {
            if (Tool({"list", "clients"}).contains(game)) return true;
            QTest::qWait(200);
        }
        return false;
    }

    Samples StopRecording() {
        QTest::qWait(1000);  // what the server still holds reaches the recording
        Stop(recorder_, SIGINT);
        return SamplesOf(ReadFile("heard.raw"));
    }

    // The loud stretches of a recording, each one sound.
    std::vector<Span> HeardSpans(const Samples& heard) const {
        const std::vector<Span> spans = LoudSpans(heard, rate_ * kJoinMs / 1000);
        for (const Span& span : spans)
            std::printf("heard %.1f ms at %.3f s\n", Ms(span.end - span.begin),
                        span.begin / double(rate_));
        return spans;
    }

    // Whether each span ends in the whole of `wave`, alike and as long, with room
    // before it for the start of a cue that the next one cut off.
    void ExpectWhole(const Samples& heard, const std::vector<Span>& spans, const Samples& wave,
                     const char* name) const {
        const std::vector<Span> own = LoudSpans(wave, rate_ * kJoinMs / 1000);
        ASSERT_EQ(own.size(), 1u) << name << " is one sound";
        const double ms = Ms(own[0].end - own[0].begin);
        for (size_t i = 0; i < spans.size(); ++i) {
            double likeness = 0;
            for (long shift = -rate_ / 200; shift <= rate_ / 200; ++shift)
                likeness = std::max(likeness, Likeness(heard, wave, spans[i].end - own[0].end + shift));
            const double heardMs = Ms(spans[i].end - spans[i].begin);
            std::printf("%s %zu: %.1f ms (the wave %.1f ms), likeness %.3f\n", name, i, heardMs,
                        ms, likeness);
            EXPECT_GE(likeness, 0.95) << name << " " << i;
            EXPECT_GE(heardMs, ms - 5) << name << " " << i;
            EXPECT_LE(heardMs, ms + kJoinMs) << name << " " << i;
        }
    }

  private:
    // Sounds less than this apart are heard as one.
    static constexpr long kJoinMs = 30;

    double Ms(long samples) const { return samples * 1000.0 / rate_; }

    bool StartRecording() {
        recorder_.setProcessEnvironment(env_);
        recorder_.setChildProcessModifier(DieWithTheTest);
        recorder_.start("parec", {"--device=cues.monitor", "--format=s16le", "--channels=1",
                                  QStringLiteral("--rate=%1").arg(rate_), "--raw",
                                  "--latency-msec=10", dir_.filePath("heard.raw")});
        // The output renders ahead in long blocks until a listener asks for short
        // ones; the recording starts with the first short block, a second or two on.
        QFileInfo heard(dir_.filePath("heard.raw"));
        for (int tries = 0; tries < 150 && heard.size() == 0; ++tries) {
            QTest::qWait(100);
            heard.refresh();
        }
        return heard.size() > 0;
    }

    QString Tool(const QStringList& args) {
        QProcess tool;
        tool.setProcessEnvironment(env_);
        tool.start("pactl", args);
        if (!tool.waitForFinished(10000) || tool.exitStatus() != QProcess::NormalExit ||
            tool.exitCode() != 0)
            return {};
        return QString::fromLocal8Bit(tool.readAllStandardOutput());
    }

    QByteArray ReadFile(const char* name) const {
        QFile file(dir_.filePath(QLatin1String(name)));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // Ends a tool by its process id, and for good if it does not listen.
    static void Stop(QProcess& process, int signal) {
        if (process.state() == QProcess::NotRunning) return;
        ::kill(static_cast<pid_t>(process.processId()), signal);
        if (!process.waitForFinished(5000)) {
            process.kill();
            process.waitForFinished(5000);
        }
    }

    int rate_;
    QTemporaryDir dir_;
    QProcessEnvironment env_;
    QProcess server_;
    QProcess recorder_;
};

// Removes the smallest group on the board, as a player's click does.
void RemoveAGroup(MainWindow& w) {
    int size = 1000, row = 0, col = 0;
    for (int r = 1; r <= kRows; ++r)
        for (int c = 1; c <= kCols; ++c)
            if (int n = w.game.GroupSize(r, c); n >= 2 && n < size) size = n, row = r, col = c;
    ASSERT_GT(row, 0) << "a group to remove";
    ClickCell(w, row, col);
}

bool StoreSoundOn() {
    Settings soundOn;
    soundOn.Sound = true;
    return SaveSettings(soundOn);
}

// The window of a game started with the sound on.
struct SoundOnWindow {
    SoundOnWindow() {
        EXPECT_TRUE(stored);
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    ~SoundOnWindow() { QFile::remove(SettingsLocation()); }
    bool stored = StoreSoundOn();  // before the window reads it
    MainWindow window;
};

// Qt's audio engine keeps to what it found at its first use in a process.
bool AudioInThisProcess() {
    QFile maps("/proc/self/maps");
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("libQt6Multimedia");
}

struct HeardCues : ::testing::Test {
    void SetUp() override {
        if (AudioInThisProcess()) GTEST_SKIP() << "needs a process of its own, as ctest runs it";
        int bazookaRate = 0;
        bleep = LoadSound("Bleep.wav", &rate);
        bazooka = LoadSound("Bazooka.wav", &bazookaRate);
        ASSERT_FALSE(bleep.empty());
        ASSERT_EQ(bazookaRate, rate) << "one output rate for both";
        server = std::make_unique<SoundServer>(rate);
    }

    int rate = 0;
    Samples bleep, bazooka;
    std::unique_ptr<SoundServer> server;
};

TEST_F(HeardCues, EveryRemovalIsHeardWholeFromTheFirstAfterStartUp) {
    std::string failure;
    ASSERT_TRUE(server->Start(&failure)) << failure;
    {
        SoundOnWindow shown;
        MainWindow& w = shown.window;
        EXPECT_TRUE(server->WaitForGame()) << "ready before the first cue";
        Click(w, w.pctNew);
        for (int move = 0; move < 10; ++move) {
            RemoveAGroup(w);
            QTest::qWait(300);  // a player's pause
        }
    }
    const Samples heard = server->StopRecording();
    const std::vector<Span> spans = server->HeardSpans(heard);
    EXPECT_EQ(spans.size(), 10u) << "one sound for each of the ten removals";
    server->ExpectWhole(heard, spans, bleep, "Bleep.wav");
}

TEST_F(HeardCues, SwitchedOnTheNextRemovalIsHeardAndAShiftsShotsFollowEachOther) {
    std::string failure;
    ASSERT_TRUE(server->Start(&failure)) << failure;
    ShownWindow shown;
    MainWindow& w = shown.window;
    ASSERT_FALSE(w.OptionOn(Option::Sound));
    Click(w, w.pctNew);
    RemoveAGroup(w);  // silent
    Click(w, w.pctSound);
    EXPECT_TRUE(server->WaitForGame()) << "ready before the first cue";
    RemoveAGroup(w);
    QTest::qWait(300);
    w.game.ShiftBoard(0);

    const Samples heard = server->StopRecording();
    const std::vector<Span> spans = server->HeardSpans(heard);
    ASSERT_EQ(spans.size(), 3u) << "the removal after switching on, then the two shots";
    server->ExpectWhole(heard, {spans[0]}, bleep, "Bleep.wav");
    server->ExpectWhole(heard, {spans[1], spans[2]}, bazooka, "Bazooka.wav");
}

TEST_F(HeardCues, AServerThatStartsDuringTheGameIsHeard) {
    SoundOnWindow shown;
    MainWindow& w = shown.window;
    Click(w, w.pctNew);
    RemoveAGroup(w);  // no server yet: silent, and the move goes on
    std::string failure;
    ASSERT_TRUE(server->Start(&failure)) << failure;
    RemoveAGroup(w);

    const Samples heard = server->StopRecording();
    const std::vector<Span> spans = server->HeardSpans(heard);
    EXPECT_EQ(spans.size(), 1u);
    server->ExpectWhole(heard, spans, bleep, "Bleep.wav");
}

}  // namespace
}  // namespace quabe::testing
