#include "settings_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSettings>
#include <QStringList>
#include <cstdio>
#include <utility>
#include <vector>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

#include "numeric.h"

namespace quabe {
namespace {

const QString kApplication = QStringLiteral("Quabe Pro");
const QString kGroup = QStringLiteral("Settings");

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

// A value's text as stored. The INI reader splits a text at unquoted commas.
QString StoredText(const QSettings& store, const QString& key) {
    const QVariant value = store.value(key);
    if (value.typeId() == QMetaType::QStringList) return value.toStringList().join(u',');
    return value.toString();
}

void WriteTexts(QSettings& store, const Settings& s) {
    store.beginGroup(kGroup);
    for (const auto& [key, text] : StoredTexts(s)) store.setValue(key, text);
    store.endGroup();
}

// Whether the store holds exactly the texts of `s`: Qt 6.4 can report a write
// that a full disk cut short as a success, so the file is read back.
bool HoldsTexts(const QString& path, const Settings& s) {
    QSettings store(path, QSettings::IniFormat);
    store.beginGroup(kGroup);
    for (const auto& [key, text] : StoredTexts(s)) {
        if (!store.contains(key) || StoredText(store, key) != text) return false;
    }
    return true;
}

bool SyncToDisk(const QString& path) {
#ifdef Q_OS_UNIX
    QFile file(path);
    return file.open(QIODevice::ReadWrite) && ::fsync(file.handle()) == 0;
#else
    Q_UNUSED(path);
    return true;
#endif
}

// QSettings writes a scratch file beside the store; only when that file is whole
// and on disk is it renamed over the old one, which until then stays untouched.
bool ReplaceStore(const QString& path, const Settings& s) {
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) return false;
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

#if defined(Q_OS_WIN) || defined(Q_OS_DARWIN)
// The registry or the preferences system stores each value on its own.
bool SaveToNativeStore(const Settings& s) {
    QSettings store(kApplication, kApplication);
    WriteTexts(store, s);
    store.sync();
    return store.status() == QSettings::NoError;
}
#endif

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

Settings LoadSettings(QSettings& store) {
    Settings s;
    store.beginGroup(kGroup);
    auto flag = [&](const QString& key) {
        return ReadInteger(StoredText(store, key)).value_or(0) != 0;
    };
    s.RowShifts = flag(QStringLiteral("RowShifts"));
    s.ColumnShifts = flag(QStringLiteral("ColumnShifts"));
    s.Mines = flag(QStringLiteral("Mines"));
    s.Flash = flag(QStringLiteral("Flash"));
    s.Sound = flag(QStringLiteral("Sound"));
    for (int row = 1; row <= kTableRows; ++row) {
        s.Table.HighScoreNames[row] = StoredText(store, NameKey(row)).toStdString();
        s.Table.HighScores[row] = ReadScore(StoredText(store, ScoreKey(row)));
    }
    s.SetNumber = ReadInteger(StoredText(store, QStringLiteral("Set"))).value_or(1);
    s.OnePlayer = ReadInteger(StoredText(store, QStringLiteral("Players"))).value_or(1) == 1;
    store.endGroup();
    return s;
}

Settings LoadSettings(const QString& iniPath) {
    QSettings store(iniPath, QSettings::IniFormat);
    return LoadSettings(store);
}

Settings LoadSettings() {
    QSettings store(kApplication, kApplication);
    return LoadSettings(store);
}

bool SaveSettings(const Settings& s, const QString& iniPath) {
    try {
        return ReplaceStore(iniPath, s);
    } catch (...) {
        return false;  // the program exits normally even when the store is lost
    }
}

bool SaveSettings(const Settings& s) {
#if defined(Q_OS_WIN) || defined(Q_OS_DARWIN)
    try {
        return SaveToNativeStore(s);
    } catch (...) {
        return false;
    }
#else
    return SaveSettings(s, SettingsLocation());
#endif
}

QString SettingsLocation() {
    return QSettings(kApplication, kApplication).fileName();
}

}  // namespace quabe
