// The settings store as the game reads it. Any bytes give settings without a fault; a
// store of plain texts reads as QSettings reads it; a name QSettings writes reads back
// as written. The statistics file too gives what it holds and writes back the same.
#include <QFile>
#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "settings_store.h"
#include "statistics.h"
#include "store_text.h"

namespace {

const QStringList& Keys() {
    static const QStringList keys = [] {
        QStringList all{"RowShifts", "ColumnShifts", "Mines", "Flash", "Sound", "Set", "Players"};
        for (int row = 1; row <= 10; ++row)
            all << QStringLiteral("HighScoreName%1").arg(row) << QStringLiteral("HighScore%1").arg(row);
        return all;
    }();
    return keys;
}

// A file of its own each time: QSettings keeps what it read of a path.
QString FreshPath() {
    static QTemporaryDir folder;
    static int files = 0;
    return folder.filePath(QStringLiteral("%1.conf").arg(++files));
}

void Fail(const char* what, const QString& key, const QString& expected, const QString& got) {
    std::fprintf(stderr, "%s, key %s:\n  QSettings: [%s]\n  the game:  [%s]\n", what,
                 qPrintable(key), expected.toUtf8().toPercentEncoding(" ").constData(),
                 got.toUtf8().toPercentEncoding(" ").constData());
    std::abort();
}

// What QSettings gives for a store without sections of its own, "%" escapes, values
// that begin with "@" (those it decodes into other types, which the game never does) or
// byte-order marks (which QSettings drops where a value's text begins, though it wrote
// them; the game keeps them).
void CompareWithQSettings(const QByteArray& lines) {
    if (lines.contains('@') || lines.contains('%') || lines.contains('[') ||
        lines.contains("\xEF\xBB\xBF"))
        return;
    const QByteArray store = "[Settings]\n" + lines;
    const QString path = FreshPath();
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(store) != store.size()) std::abort();
    file.close();
    const QHash<QString, QString> texts = quabe::StoreTexts(store);
    {
        QSettings settings(path, QSettings::IniFormat);
        settings.beginGroup("Settings");
        for (const QString& key : Keys()) {
            const QVariant value = settings.value(key);
            const QString expected = value.typeId() == QMetaType::QStringList
                                         ? value.toStringList().join(u',')
                                         : value.toString();
            const QString got = texts.value("Settings/" + key);
            if (got != expected) Fail("a store read otherwise", key, expected, got);
        }
    }
    QFile::remove(path);
}

void RoundTripName(const QString& name) {
    const QString path = FreshPath();
    {
        QSettings settings(path, QSettings::IniFormat);
        settings.setAtomicSyncRequired(false);  // no flush to the disk for each input
        settings.setValue("Settings/HighScoreName1", name);
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) std::abort();
    const QString got = quabe::StoreTexts(file.readAll()).value("Settings/HighScoreName1");
    if (got != name) Fail("a name written by QSettings read back otherwise", "HighScoreName1", name, got);
    file.close();
    QFile::remove(path);
}

}  // namespace

// QSettings keeps the files it has read in a cache, so the allocations of an input do not
// balance, and libFuzzer would search for leaks after nearly every input, a hundred times
// the cost of the input itself. A leak still shows when the run ends.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static std::vector<char*> args(*argv, *argv + *argc);
    static char noSearchEachInput[] = "-detect_leaks=0";
    args.insert(args.begin() + 1, noSearchEachInput);  // flags given later still win
    args.push_back(nullptr);
    *argc = static_cast<int>(args.size()) - 1;
    *argv = args.data();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    quabe::SettingsFromText(bytes);  // the sanitizers watch
    // The statistics file, the player's other one: what reads, writes back the same.
    if (const auto statistics = quabe::ReadStatisticsText(bytes)) {
        const QByteArray text = quabe::StatisticsText(*statistics);
        const auto again = quabe::ReadStatisticsText(text);
        if (!again || quabe::StatisticsText(*again) != text) std::abort();
    }
    CompareWithQSettings(bytes);
    RoundTripName(QString::fromUtf8(bytes));
    return 0;
}
