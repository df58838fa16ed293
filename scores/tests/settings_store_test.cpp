// The settings store: reading rules, the written texts, and saving without loss.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <algorithm>
#include <climits>

#ifdef __linux__
#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#endif

#include "settings_store.h"

namespace quabe {
namespace {

class SettingsStoreTest : public ::testing::Test {
  protected:
    QString StorePath() const { return dir.filePath(QStringLiteral("Quabe Pro.conf")); }

    QByteArray StoreBytes() const {
        QFile file(StorePath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // Each text goes to a file of its own: QSettings keeps what it has read of a
    // file and may not notice a rewrite of the same size within a millisecond.
    Settings LoadLines(const QByteArray& lines) {
        const QString path = dir.filePath(QStringLiteral("read%1.conf").arg(++reads));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[Settings]\n" + lines);
        file.close();
        return LoadSettings(path);
    }

    QTemporaryDir dir;
    int reads = 0;
};

Settings Sample() {
    Settings s;
    s.RowShifts = true;
    s.Mines = true;
    s.Sound = true;
    s.OnePlayer = false;
    s.SetNumber = 3;
    for (int row = 1; row <= kTableRows; ++row) {
        s.Table.HighScoreNames[row] = "P" + std::to_string(row);
        s.Table.HighScores[row] = 1000 - row * 90;
    }
    s.Table.HighScoreNames[4] = "";
    s.Table.HighScores[1] = INT32_MAX;
    s.Table.HighScores[10] = -7;
    return s;
}

void ExpectSame(const Settings& a, const Settings& b) {
    EXPECT_EQ(a.RowShifts, b.RowShifts);
    EXPECT_EQ(a.ColumnShifts, b.ColumnShifts);
    EXPECT_EQ(a.Mines, b.Mines);
    EXPECT_EQ(a.Flash, b.Flash);
    EXPECT_EQ(a.Sound, b.Sound);
    EXPECT_EQ(a.OnePlayer, b.OnePlayer);
    EXPECT_EQ(a.SetNumber, b.SetNumber);
    for (int row = 1; row <= kTableRows; ++row) {
        EXPECT_EQ(a.Table.HighScoreNames[row], b.Table.HighScoreNames[row]) << "row " << row;
        EXPECT_EQ(a.Table.HighScores[row], b.Table.HighScores[row]) << "row " << row;
    }
}

TEST_F(SettingsStoreTest, AnEmptyStoreGivesTheFirstRunState) {
    Settings first = LoadSettings(StorePath());
    Settings expected;
    expected.SetNumber = 1;
    expected.OnePlayer = true;
    ExpectSame(first, expected);
    EXPECT_FALSE(first.Sound);
    EXPECT_FALSE(QFile::exists(StorePath()));  // reading creates nothing
}

TEST_F(SettingsStoreTest, SaveThenLoadGivesEverythingBack) {
    Settings saved = Sample();
    ASSERT_TRUE(SaveSettings(saved, StorePath()));
    ExpectSame(LoadSettings(StorePath()), saved);
}

TEST_F(SettingsStoreTest, EveryKeyIsWrittenEveryTimeWithItsPlainText) {
    ASSERT_TRUE(SaveSettings(Settings{}, StorePath()));
    QSettings store(StorePath(), QSettings::IniFormat);
    store.beginGroup(QStringLiteral("Settings"));
    EXPECT_EQ(store.childKeys().size(), 27);
    EXPECT_EQ(store.value(QStringLiteral("Set")).toString(), "1");
    EXPECT_EQ(store.value(QStringLiteral("Players")).toString(), "1");
    EXPECT_EQ(store.value(QStringLiteral("Sound")).toString(), "0");
    EXPECT_TRUE(store.contains(QStringLiteral("HighScoreName10")));
    EXPECT_EQ(store.value(QStringLiteral("HighScoreName10")).toString(), "");
    EXPECT_EQ(store.value(QStringLiteral("HighScore10")).toString(), "0");

    ASSERT_TRUE(SaveSettings(Sample(), StorePath()));
    const QByteArray text = StoreBytes();
    EXPECT_TRUE(text.contains("\nPlayers=2\n"));
    EXPECT_TRUE(text.contains("\nHighScore1=2147483647\n"));
    EXPECT_TRUE(text.contains("\nHighScore10=-7\n"));
    EXPECT_TRUE(text.contains("\nHighScoreName4=\n"));
}

TEST_F(SettingsStoreTest, ScoresReadTheirLeadingNumberAndAreWrittenBackPlain) {
    Settings s = LoadLines(
        "HighScore3=00250\nHighScore4=250 points\nHighScore5=points\nHighScore6=1,000\n"
        "HighScore7=\"  12abc\"\nHighScore8=2.5\nHighScore9=3.5e2x\nMines=5\n");
    EXPECT_EQ(s.Table.HighScores[3], 250);
    EXPECT_EQ(s.Table.HighScores[4], 250);
    EXPECT_EQ(s.Table.HighScores[5], 0);
    EXPECT_EQ(s.Table.HighScores[6], 1);
    EXPECT_EQ(s.Table.HighScores[7], 12);
    EXPECT_EQ(s.Table.HighScores[8], 2);  // half to even
    EXPECT_EQ(s.Table.HighScores[9], 350);
    EXPECT_TRUE(s.Mines);

    ASSERT_TRUE(SaveSettings(s, StorePath()));
    const QByteArray text = StoreBytes();
    EXPECT_TRUE(text.contains("\nHighScore3=250\n"));
    EXPECT_TRUE(text.contains("\nHighScore4=250\n"));
    EXPECT_TRUE(text.contains("\nMines=1\n"));
}

TEST_F(SettingsStoreTest, OnlyPlayersOneMeansOnePlayer) {
    EXPECT_FALSE(LoadLines("Players=2\n").OnePlayer);
    EXPECT_FALSE(LoadLines("Players=0\n").OnePlayer);
    EXPECT_FALSE(LoadLines("Players=7\n").OnePlayer);
    EXPECT_TRUE(LoadLines("Players=1\n").OnePlayer);
    EXPECT_TRUE(LoadLines("Set=4\n").OnePlayer);  // missing key
}

TEST_F(SettingsStoreTest, TextThatIsNoNumberReadsAsTheKeysDefault) {
    Settings s = LoadLines("RowShifts=yes\nFlash=1x\nSet=abc\nPlayers=two\nSound=\n");
    EXPECT_FALSE(s.RowShifts);
    EXPECT_FALSE(s.Flash);
    EXPECT_FALSE(s.Sound);
    EXPECT_EQ(s.SetNumber, 1);
    EXPECT_TRUE(s.OnePlayer);

    s = LoadLines("ColumnShifts=0.4\nSound=2.5\nSet=\" 3.5 \"\nPlayers=1.4\n");
    EXPECT_FALSE(s.ColumnShifts);
    EXPECT_TRUE(s.Sound);
    EXPECT_EQ(s.SetNumber, 4);
    EXPECT_TRUE(s.OnePlayer);
}

TEST_F(SettingsStoreTest, NumbersOutOfRangeAreClamped) {
    Settings s = LoadLines(
        "Set=99999\nHighScore1=99999999999\nHighScore2=-99999999999\nHighScore3=1e400\n"
        "HighScore4=1e-400\n");
    EXPECT_EQ(s.SetNumber, 32767);
    EXPECT_EQ(s.Table.HighScores[1], INT32_MAX);
    EXPECT_EQ(s.Table.HighScores[2], INT32_MIN);
    EXPECT_EQ(s.Table.HighScores[3], INT32_MAX);
    EXPECT_EQ(s.Table.HighScores[4], 0);
    EXPECT_EQ(LoadLines("Set=-40000\n").SetNumber, -32768);
    EXPECT_TRUE(LoadLines("Mines=1e99\n").Mines);
}

TEST(ReadNumbers, FollowTheStoresReadingRules) {
    EXPECT_EQ(ReadInteger(" 7 "), 7);
    EXPECT_EQ(ReadInteger("+2"), 2);
    EXPECT_EQ(ReadInteger("-0.5"), 0);
    EXPECT_EQ(ReadInteger("1.5"), 2);
    EXPECT_EQ(ReadInteger("1e3"), 1000);
    EXPECT_EQ(ReadInteger("1e999"), 32767);
    EXPECT_EQ(ReadInteger("5x"), std::nullopt);
    EXPECT_EQ(ReadInteger("."), std::nullopt);
    EXPECT_EQ(ReadInteger("-"), std::nullopt);
    EXPECT_EQ(ReadInteger("inf"), std::nullopt);
    EXPECT_EQ(ReadInteger("nan"), std::nullopt);

    EXPECT_EQ(ReadScore(".5"), 0);
    EXPECT_EQ(ReadScore("0.51"), 1);
    EXPECT_EQ(ReadScore("5."), 5);
    EXPECT_EQ(ReadScore("5e"), 5);
    EXPECT_EQ(ReadScore("5e+"), 5);
    EXPECT_EQ(ReadScore("e5"), 0);
    EXPECT_EQ(ReadScore("-12 points"), -12);
    EXPECT_EQ(ReadScore("infinity"), 0);
}

TEST_F(SettingsStoreTest, NamesAreKeptExactlyAsStored) {
    Settings s;
    s.Table.HighScoreNames[1] = "ABCDEFGHIJKL";
    s.Table.HighScoreNames[2] = " lead and trail ";
    s.Table.HighScoreNames[3] = "a;b,c=d#e \"q\" \\ \xC3\xA9";
    s.Table.HighScoreNames[4] = "@Invalid()";
    s.Table.HighScoreNames[5] = std::string(
        "tab\there\nnl\x01"
        "Af\x7F",
        15);
    s.Table.HighScoreNames[6] = "@@";
    s.Table.HighScoreNames[7] = std::string("@Variant(\0\0\0H\0\0\0\b\x7f\xc3\xbf)", 20);
    s.Table.HighScoreNames[8] = "\f\xEF\xBB\xBFx";  // a byte-order mark right after an escape
    ASSERT_TRUE(SaveSettings(s, StorePath()));
    ExpectSame(LoadSettings(StorePath()), s);
}

// The store holds text and is read as text: nothing is decoded into other types, so the
// 101 bytes of a region of 2^31 - 1 rectangles are a name like any other.
TEST_F(SettingsStoreTest, ValuesAreReadAsTheTextTheyAre) {
    Settings s = LoadLines(
        "HighScoreName1=@Size(3 4)\n"
        "HighScore2=@Variant(\\0\\0\\0\\x2\\0\\0\\0\\a)\n"
        "HighScoreName3=@Variant(\\0\\0\\0H\\0\\0\\0\\b\\0\\0\\0\\n\\x7f\\xff\\xff\\xff)\n"
        "HighScoreName4=@@doubled\n");
    EXPECT_EQ(s.Table.HighScoreNames[1], "@Size(3 4)");
    EXPECT_EQ(s.Table.HighScores[2], 0);  // text that does not begin with a number
    EXPECT_EQ(s.Table.HighScoreNames[3],
              std::string("@Variant(\0\0\0H\0\0\0\b\0\0\0\n\x7f\xc3\xbf\xc3\xbf\xc3\xbf)", 29));
    EXPECT_EQ(s.Table.HighScoreNames[4], "@doubled");  // the game doubles a leading @ it writes
}

// A store far larger than the game writes is set aside beside itself, never lost, and the
// game starts from the defaults and says so; a second one does not take the first's place.
TEST_F(SettingsStoreTest, AStoreTooLargeIsSetAsideAndKept) {
    const QByteArray huge =
        "[Settings]\nMines=1\nHighScoreName1=" + QByteArray(1024 * 1024, 'a') + "\n";
    QStringList said;
    for (const char* last : {"1", "2"}) {
        QFile store(StorePath());
        ASSERT_TRUE(store.open(QIODevice::WriteOnly));
        store.write(huge + last);
        store.close();
        ::testing::internal::CaptureStderr();
        const Settings s = LoadSettings(StorePath());
        said << QString::fromStdString(::testing::internal::GetCapturedStderr());
        EXPECT_FALSE(s.Mines);
        EXPECT_FALSE(QFile::exists(StorePath()));
    }
    const QStringList aside =
        QDir(dir.path()).entryList({QStringLiteral("Quabe Pro.conf?*")}, QDir::Files);
    ASSERT_EQ(aside.size(), 2) << aside.join(u' ').toStdString();
    QList<QByteArray> kept;
    for (const QString& name : aside) {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        kept << file.readAll().right(1);
        EXPECT_TRUE(said.join(u' ').contains(name)) << said.join(u' ').toStdString();
    }
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(kept, (QList<QByteArray>{"1", "2"}));
}

// With no free name to set it aside under, a store the game cannot take stays where it
// is, and the save fails rather than write over it.
TEST_F(SettingsStoreTest, AStoreThatCannotBeSetAsideIsNeverWrittenOver) {
    for (int n = 1; n <= 100; ++n) {
        QFile taken(StorePath() + (n == 1 ? QString(".damaged") : QString(".damaged-%1").arg(n)));
        ASSERT_TRUE(taken.open(QIODevice::WriteOnly));
    }
    const QByteArray huge = "[Settings]\nMines=1\n" + QByteArray(2 * 1024 * 1024, ';');
    QFile store(StorePath());
    ASSERT_TRUE(store.open(QIODevice::WriteOnly));
    store.write(huge);
    store.close();
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(LoadSettings(StorePath()).Mines);
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("left there untouched"),
              std::string::npos);
    EXPECT_FALSE(SaveSettings(Sample(), StorePath()));
    EXPECT_EQ(StoreBytes(), huge);
}

#ifdef __linux__
// A FIFO in the store's place would hold the start in open() until someone wrote to it.
TEST_F(SettingsStoreTest, AStoreThatIsNoFileIsSetAsideWithoutWaiting) {
    ASSERT_EQ(mkfifo(QFile::encodeName(StorePath()).constData(), 0600), 0);
    ::testing::internal::CaptureStderr();
    ExpectSame(LoadSettings(StorePath()), Settings{});
    ::testing::internal::GetCapturedStderr();
    EXPECT_FALSE(QFile::exists(StorePath()));
    const QStringList aside =
        QDir(dir.path()).entryList({QStringLiteral("Quabe Pro.conf?*")}, QDir::System);
    ASSERT_EQ(aside.size(), 1);
    EXPECT_FALSE(QFileInfo(dir.filePath(aside[0])).isFile());
}
#endif

TEST_F(SettingsStoreTest, AStoreThatCannotBeWrittenFailsWithoutHarm) {
    QFile blocker(dir.filePath(QStringLiteral("not a folder")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_FALSE(
        SaveSettings(Sample(), dir.filePath(QStringLiteral("not a folder/Quabe Pro.conf"))));

    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder")));
    EXPECT_FALSE(SaveSettings(Sample(), dir.path() + QStringLiteral("/folder")));
    EXPECT_TRUE(QFileInfo(dir.path() + QStringLiteral("/folder")).isDir());
}

#ifdef __linux__
// What became of a save into a folder the player cannot write; a child process
// reports it as its exit status.
enum class ReadOnlyOutcome { Kept, FirstSaveFailed, ClaimedSaved, StoreChanged, NotRun };

ReadOnlyOutcome SaveIntoReadOnlyFolder(const QString& folder, const QString& store) {
    if (!SaveSettings(Settings{}, store)) return ReadOnlyOutcome::FirstSaveFailed;
    QFile file(store);
    const QByteArray before = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    file.close();
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
    const bool saved = SaveSettings(Sample(), store);
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (saved) return ReadOnlyOutcome::ClaimedSaved;
    return file.open(QIODevice::ReadOnly) && file.readAll() == before
               ? ReadOnlyOutcome::Kept
               : ReadOnlyOutcome::StoreChanged;
}

// Permissions do not bind the superuser, and the tests run as root on the build
// machines: there the folder is given to the unprivileged user "nobody", and a child
// process becomes that user, runs the case and reports through its exit status.
ReadOnlyOutcome SaveIntoReadOnlyFolderAsNobody(const QString& folder, const QString& store) {
    constexpr uid_t kNobody = 65534;
    if (chown(QFile::encodeName(folder).constData(), kNobody, kNobody) != 0)
        return ReadOnlyOutcome::NotRun;
    const pid_t child = fork();
    if (child < 0) return ReadOnlyOutcome::NotRun;
    if (child == 0) {
        if (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0 ||
            geteuid() == 0)
            _exit(int(ReadOnlyOutcome::NotRun));
        _exit(int(SaveIntoReadOnlyFolder(folder, store)));  // no test teardown in the child
    }
    int status = 0;
    if (waitpid(child, &status, 0) != child || !WIFEXITED(status)) return ReadOnlyOutcome::NotRun;
    return ReadOnlyOutcome(WEXITSTATUS(status));
}

TEST_F(SettingsStoreTest, AReadOnlyFolderKeepsTheOldStore) {
    const ReadOnlyOutcome outcome = geteuid() == 0
                                        ? SaveIntoReadOnlyFolderAsNobody(dir.path(), StorePath())
                                        : SaveIntoReadOnlyFolder(dir.path(), StorePath());
    EXPECT_EQ(int(outcome), int(ReadOnlyOutcome::Kept))
        << "1 first save failed, 2 claimed saved, 3 store changed, 4 not run";
}

// A disk that fills up halfway through the write: the file size limit makes the
// write fail after its first bytes, as a full disk would.
TEST_F(SettingsStoreTest, AWriteThatFailsMidwayLeavesTheOldStoreWhole) {
    ASSERT_TRUE(SaveSettings(Settings{}, StorePath()));
    const QByteArray before = StoreBytes();
    ASSERT_GT(before.size(), 200);

    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit oldLimit{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &oldLimit), 0);
    rlimit small = oldLimit;
    small.rlim_cur = 64;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved = SaveSettings(Sample(), StorePath());
    setrlimit(RLIMIT_FSIZE, &oldLimit);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(saved);
    EXPECT_EQ(StoreBytes(), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("Quabe Pro.conf")});
    ExpectSame(LoadSettings(StorePath()), Settings{});
}
#endif

// The player's own store, under the temporary config home the test program sets.
TEST(PlayersStore, LivesInTheConfigHomeAndKeepsASave) {
    const QString expected = qEnvironmentVariable("XDG_CONFIG_HOME") + "/Quabe Pro/Quabe Pro.conf";
    ASSERT_FALSE(qEnvironmentVariable("XDG_CONFIG_HOME").isEmpty());
    EXPECT_EQ(SettingsLocation(), expected);

    Settings saved = Sample();
    ASSERT_TRUE(SaveSettings(saved));
    ASSERT_TRUE(QFile::exists(expected));
    ExpectSame(LoadSettings(), saved);
}

// Qt would also read an organisation-wide "Quabe Pro.conf" beside the store's folder and
// carry what it holds into the game's own store at the next save.
TEST(PlayersStore, OnlyTheGamesOwnStoreIsRead) {
    const QString elsewhere = qEnvironmentVariable("XDG_CONFIG_HOME") + "/Quabe Pro.conf";
    const QByteArray text = "[Settings]\nMines=1\nHighScoreName1=ELSEWHERE\nHighScore1=999\n";
    QFile file(elsewhere);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
    file.close();
    QFile::remove(SettingsLocation());

    const Settings s = LoadSettings();
    EXPECT_FALSE(s.Mines);
    EXPECT_EQ(s.Table.HighScoreNames[1], "");
    EXPECT_EQ(s.Table.HighScores[1], 0);
    ASSERT_TRUE(SaveSettings(s));
    QFile own(SettingsLocation());
    ASSERT_TRUE(own.open(QIODevice::ReadOnly));
    EXPECT_FALSE(own.readAll().contains("ELSEWHERE"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), text);
    file.close();
    QFile::remove(elsewhere);
}

}  // namespace
}  // namespace quabe
