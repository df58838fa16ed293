// Set folder names and titles: a name is a set only as "Set" and digits, told here by
// plain code; a title is one line.
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <cstdlib>

#include "piece_sets.h"

namespace {

int PlainSetNumber(const QString& name) {
    if (name.size() < 4) return 0;
    const char16_t set[] = {u's', u'e', u't'};
    for (int i = 0; i < 3; ++i)
        if (name[i].unicode() != set[i] && name[i].unicode() != set[i] - 32) return 0;
    int number = 0;
    for (qsizetype i = 3; i < name.size(); ++i) {
        const char16_t c = name[i].unicode();
        if (c < u'0' || c > u'9') return 0;
        number = std::min(number * 10 + (c - u'0'), 100000);
    }
    return number <= 32767 ? number : 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString name = QString::fromUtf8(bytes);
    if (quabe::SetNumberOf(name) != PlainSetNumber(name)) std::abort();

    const QString title = quabe::TitleOf(bytes);
    if (title.contains(u'\n') || title.contains(u'\r')) std::abort();
    return 0;
}
