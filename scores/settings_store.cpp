#include "settings_store.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QSaveFile>
#include <QSettings>
#include <QStringList>
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

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// A text written so that the INI reader of QSettings gives it back unchanged.
QByteArray IniText(const QString& text) {
    QByteArray utf8 = text.toUtf8();
    if (utf8.startsWith('@')) utf8.prepend('@');  // a leading '@' marks a typed value
    bool plain = utf8.isEmpty() || (utf8.front() != ' ' && utf8.back() != ' ');
    for (char c : utf8) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F || QByteArray("\"\\;,#=").contains(c))
            plain = false;
    }
    if (plain) return utf8;

    QByteArray quoted = "\"";
    bool afterHexEscape = false;  // the reader takes every hex digit after \x
    for (char c : utf8) {
        auto code = static_cast<unsigned char>(c);
        if (afterHexEscape && IsHexDigit(c)) {
            quoted += "\\x" + QByteArray::number(code, 16);
            continue;
        }
        afterHexEscape = false;
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (c == '\n') {
            quoted += "\\n";
        } else if (c == '\r') {
            quoted += "\\r";
        } else if (c == '\t') {
            quoted += "\\t";
        } else if (code < 0x20 || code == 0x7F) {
            quoted += "\\x" + QByteArray::number(code, 16);
            afterHexEscape = true;
        } else {
            quoted += c;
        }
    }
    return quoted + '"';
}

QByteArray IniFile(const Settings& s) {
    QByteArray file = "[" + kGroup.toLatin1() + "]\n";
    for (const auto& [key, text] : StoredTexts(s))
        file += key.toLatin1() + '=' + IniText(text) + '\n';
    return file;
}

bool SyncToDisk([[maybe_unused]] QSaveFile& file) {
#ifdef Q_OS_UNIX
    return ::fsync(file.handle()) == 0;
#else
    return true;
#endif
}

// Writes a new file beside the old one and renames it over, so the old file stays
// whole until the new one is complete on disk.
bool ReplaceFile(const QString& path, const QByteArray& bytes) {
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) return false;
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly)) return false;
    // QSaveFile::commit() misses a failed final flush and would rename a cut-off
    // file over the good one, so the bytes are flushed and synced here first.
    if (file.write(bytes) != bytes.size() || !file.flush() || !SyncToDisk(file)) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

#if defined(Q_OS_WIN) || defined(Q_OS_DARWIN)
// The registry or the preferences system stores each value on its own.
bool SaveToNativeStore(const Settings& s) {
    QSettings store(kApplication, kApplication);
    store.beginGroup(kGroup);
    for (const auto& [key, text] : StoredTexts(s)) store.setValue(key, text);
    store.endGroup();
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
        return ReplaceFile(iniPath, IniFile(s));
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
