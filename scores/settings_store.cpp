#include "settings_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSettings>
#include <QStandardPaths>
#include <cstdio>
#include <utility>
#include <vector>

#include <unistd.h>

#include "bounded_read.h"
#include "numeric.h"
#include "set_aside.h"
#include "store_text.h"

namespace quabe {
namespace {

const QString kApplication = QStringLiteral("Quabe Pro");
const QString kGroup = QStringLiteral("Settings");
// The game's store is a few hundred bytes; far more is not the game's.
constexpr qint64 kStoreReadLimit = 1024 * 1024;

QString NameKey(int row) {
    return QStringLiteral("HighScoreName%1").arg(row);
}
QString ScoreKey(int row) {
    return QStringLiteral("HighScore%1").arg(row);
}
QString FlagText(bool on) {
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

// The 27 keys with their texts, in the order the store is written.
std::vector<std::pair<QString, QString>> StoredTexts(const Settings& s) {
    std::vector<std::pair<QString, QString>> texts = {
        {QStringLiteral("RowShifts"), FlagText(s.RowShifts)},
        {QStringLiteral("ColumnShifts"), FlagText(s.ColumnShifts)},
        {QStringLiteral("Mines"), FlagText(s.Mines)},
        {QStringLiteral("Flash"), FlagText(s.Flash)},
        {QStringLiteral("Sound"), FlagText(s.Sound)},
    };
    for (int row = 1; row <= kTableRows; ++row) {
        texts.emplace_back(NameKey(row), QString::fromStdString(s.Table.HighScoreNames[row]));
        texts.emplace_back(ScoreKey(row), QString::number(s.Table.HighScores[row]));
    }
    texts.emplace_back(QStringLiteral("Set"), QString::number(s.SetNumber));
    texts.emplace_back(QStringLiteral("Players"),
                       s.OnePlayer ? QStringLiteral("1") : QStringLiteral("2"));
    return texts;
}

// Length of the decimal number (sign, digits, fraction, exponent) that opens the
// text; 0 when it does not open with one.
qsizetype NumberLength(QStringView text) {
    const qsizetype n = text.size();
    auto digitAt = [&](qsizetype i) { return i < n && text[i] >= u'0' && text[i] <= u'9'; };
    qsizetype i = 0;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) ++i;
    bool digits = false;
    for (; digitAt(i); ++i) digits = true;
    if (i < n && text[i] == u'.') {
        for (++i; digitAt(i); ++i) digits = true;
    }
    if (!digits) return 0;
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        qsizetype e = i + 1;
        if (e < n && (text[e] == u'+' || text[e] == u'-')) ++e;
        if (digitAt(e)) {
            while (digitAt(e)) ++e;
            i = e;
        }
    }
    return i;
}

// The C locale keeps the reading independent of the player's language; a number
// too large comes back infinite (clamped by CInt/CLng), one too small as 0.
double NumberValue(QStringView number) {
    return QLocale::c().toDouble(number);
}

void WriteTexts(QSettings& store, const Settings& s) {
    store.beginGroup(kGroup);
    for (const auto& [key, text] : StoredTexts(s)) store.setValue(key, text);
    store.endGroup();
}

// The store's texts by key within the group; a key that is not there reads as empty text.
class StoreGroup {
  public:
    explicit StoreGroup(QByteArrayView file) : texts_(StoreTexts(file)) {}
    bool Holds(const QString& key) const { return texts_.contains(kGroup + u'/' + key); }
    QString Text(const QString& key) const { return texts_.value(kGroup + u'/' + key); }

  private:
    QHash<QString, QString> texts_;
};

Settings SettingsOf(const StoreGroup& store) {
    Settings s;
    auto flag = [&](const QString& key) { return ReadInteger(store.Text(key)).value_or(0) != 0; };
    s.RowShifts = flag(QStringLiteral("RowShifts"));
    s.ColumnShifts = flag(QStringLiteral("ColumnShifts"));
    s.Mines = flag(QStringLiteral("Mines"));
    s.Flash = flag(QStringLiteral("Flash"));
    s.Sound = flag(QStringLiteral("Sound"));
    for (int row = 1; row <= kTableRows; ++row) {
        s.Table.HighScoreNames[row] = store.Text(NameKey(row)).toStdString();
        s.Table.HighScores[row] = ReadScore(store.Text(ScoreKey(row)));
    }
    s.SetNumber = ReadInteger(store.Text(QStringLiteral("Set"))).value_or(1);
    s.OnePlayer = ReadInteger(store.Text(QStringLiteral("Players"))).value_or(1) == 1;
    return s;
}

// Whether the store holds exactly the texts of `s`: Qt 6.4 can report a write that a
// full disk cut short as a success, so the file is read back, as the game reads it.
bool HoldsTexts(const QString& path, const Settings& s) {
    const BoundedRead file = ReadBounded(path, kStoreReadLimit);
    const StoreGroup store(file.bytes);
    for (const auto& [key, text] : StoredTexts(s)) {
        if (!store.Holds(key) || store.Text(key) != text) return false;
    }
    return file.Whole();
}

bool SyncToDisk(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadWrite) && ::fsync(file.handle()) == 0;
}

// A store the game could not read and could not set aside either is never replaced:
// the player may still want what it holds.
bool Replaceable(const QString& path) {
    const BoundedRead store = ReadBounded(path, kStoreReadLimit);
    return store.Whole() || store.problem == BoundedRead::Problem::Missing;
}

// QSettings writes a scratch file beside the store; only when that file is whole
// and on disk is it renamed over the old one, which until then stays untouched.
bool ReplaceStore(const QString& path, const Settings& s) {
    if (!Replaceable(path) || !QDir().mkpath(QFileInfo(path).absolutePath())) return false;
    const QString scratch = path + QStringLiteral(".new");
    QFile::remove(scratch);
    bool written = false;
    {
        QSettings store(scratch, QSettings::IniFormat);
        WriteTexts(store, s);
        store.sync();
        written = store.status() == QSettings::NoError;
    }
    const bool replaced = written && HoldsTexts(scratch, s) && SyncToDisk(scratch) &&
                          std::rename(QFile::encodeName(scratch).constData(),
                                      QFile::encodeName(path).constData()) == 0;
    if (!replaced) QFile::remove(scratch);
    return replaced;
}

// A store the game cannot take is set aside, and the game starts from the defaults.
void SetStoreAside(const QString& path, const char* why) {
    const QString aside = SetAside(path);
    const QString kept = aside.isEmpty() ? QStringLiteral("it is left there untouched")
                                         : QStringLiteral("it is kept as ") + aside;
    qWarning("Quabe Pro: the settings store %s %s; %s and the game starts with the default "
             "settings",
             qPrintable(path), why, qPrintable(kept));
}

}  // namespace

std::optional<int16_t> ReadInteger(const QString& text) {
    const QStringView number = QStringView(text).trimmed();
    const qsizetype length = NumberLength(number);
    if (length == 0 || length != number.size()) return std::nullopt;
    return CInt(NumberValue(number));
}

int32_t ReadScore(const QString& text) {
    const QStringView trimmed = QStringView(text).trimmed();
    const qsizetype length = NumberLength(trimmed);
    return length == 0 ? 0 : CLng(NumberValue(trimmed.first(length)));
}

Settings SettingsFromText(QByteArrayView store) {
    return SettingsOf(StoreGroup(store));
}

Settings LoadSettings(const QString& path) {
    using Problem = BoundedRead::Problem;
    const BoundedRead file = ReadBounded(path, kStoreReadLimit);
    switch (file.problem) {
        case Problem::None:
            return SettingsFromText(file.bytes);
        case Problem::Missing:
            return {};  // a first run
        case Problem::NotAFile:
            SetStoreAside(path, "is not a plain file");
            break;
        case Problem::TooLarge:
            SetStoreAside(path, "is larger than a settings store can be (1 MB)");
            break;
        case Problem::Unreadable:
            SetStoreAside(path, "cannot be read");
            break;
    }
    return {};
}

Settings LoadSettings() {
    return LoadSettings(SettingsLocation());
}

bool SaveSettings(const Settings& s, const QString& iniPath) {
    try {
        return ReplaceStore(iniPath, s);
    } catch (...) {
        return false;  // the program exits normally even when the store is lost
    }
}

bool SaveSettings(const Settings& s) {
    return SaveSettings(s, SettingsLocation());
}

// Where QSettings keeps the store of application "Quabe Pro", and only that file: QSettings
// itself would also read an organisation-wide file beside the folder.
QString SettingsLocation() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u'/' +
           kApplication + u'/' + kApplication + QStringLiteral(".conf");
}

}  // namespace quabe
