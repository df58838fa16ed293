#include "store_text.h"

#include <QList>
#include <QMap>
#include <QStringDecoder>
#include <QStringList>

namespace quabe {
namespace {

bool IsLineSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

int DigitValue(char c, int base) {
    int value = -1;
    if (c >= '0' && c <= '9') value = c - '0';
    else if (c >= 'a' && c <= 'f') value = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F') value = c - 'A' + 10;
    return value < base ? value : -1;
}

struct Line {
    QByteArrayView text;
    qsizetype equals = -1;  // the first unquoted '=' in `text`, or -1
};

// The next line from `at`, as QSettings splits them: a quoted newline or one after a
// backslash continues the line, a ';' begins a comment, blank lines are skipped. False
// at the end of `data`.
bool NextLine(QByteArrayView data, qsizetype& at, Line& line, qsizetype& lineStart) {
    const qsizetype size = data.size();
    lineStart = at;
    while (lineStart < size && IsLineSpace(data[lineStart])) ++lineStart;
    qsizetype equals = -1;
    bool inQuotes = false;
    qsizetype i = lineStart;
    while (i < size) {
        const char c = data[i++];
        if (c == '=') {
            if (!inQuotes && equals < 0) equals = i - 1;
        } else if (c == '\n' || c == '\r') {
            if (i == lineStart + 1) {
                ++lineStart;
            } else if (!inQuotes) {
                --i;
                break;
            }
        } else if (c == '\\') {
            if (i < size) {
                const char escaped = data[i++];
                if (i < size && ((escaped == '\n' && data[i] == '\r') ||
                                 (escaped == '\r' && data[i] == '\n')))
                    ++i;
            }
        } else if (c == '"') {
            inQuotes = !inQuotes;
        } else if (c == ';') {
            if (i == lineStart + 1) {
                while (i < size && data[i] != '\n' && data[i] != '\r') ++i;
                while (i < size && IsLineSpace(data[i])) ++i;
                lineStart = i;
            } else if (!inQuotes) {
                --i;
                break;
            }
        }
    }
    at = i;
    line = {data.sliced(lineStart, i - lineStart), equals < 0 ? -1 : equals - lineStart};
    return !line.text.isEmpty();
}

// A key or section name: a backslash stands for '/', %XX and %UXXXX for a character.
QString KeyText(QByteArrayView raw) {
    const QString decoded = QString::fromUtf8(raw);
    QString key;
    for (qsizetype i = 0; i < decoded.size();) {
        const QChar c = decoded[i];
        if (c == u'\\') {
            key += u'/';
            ++i;
            continue;
        }
        const qsizetype first = i + 1 < decoded.size() && decoded[i + 1] == u'U' ? i + 2 : i + 1;
        const qsizetype digits = first == i + 2 ? 4 : 2;
        bool ok = c == u'%' && i + 1 < decoded.size() && first + digits <= decoded.size();
        const ushort code = ok ? QStringView(decoded).sliced(first, digits).toUShort(&ok, 16) : 0;
        if (!ok) {
            key += c;
            ++i;
            continue;
        }
        key += QChar(code);
        i = first + digits;
    }
    return key;
}

// An item that starts with "@" holds a type QSettings decodes. Two are texts, as the game
// writes them: "@@" stands for a text that starts with "@", and "@String(...)" holds a text
// with a NUL character in it.
QString ItemText(const QString& item) {
    if (item.startsWith(QLatin1String("@@"))) return item.sliced(1);
    if (item.startsWith(QLatin1String("@String(")) && item.endsWith(u')'))
        return item.sliced(8, item.size() - 9);
    return item;
}

// A value as QSettings reads it: blanks round it dropped unless quoted, backslash escapes
// (C's, \x hex and octal), UTF-8 text.
QString ValueText(QByteArrayView raw) {
    static constexpr char kEscapes[][2] = {{'a', '\a'}, {'b', '\b'}, {'f', '\f'},  {'n', '\n'},
                                           {'r', '\r'}, {'t', '\t'}, {'v', '\v'},  {'"', '"'},
                                           {'?', '?'},  {'\'', '\''}, {'\\', '\\'}};
    // A byte-order mark is a character of the text like any other: QSettings writes one
    // that way, though its own reading drops one where a value's text begins.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    const qsizetype size = raw.size();
    QStringList items;
    QString text;
    bool isList = false, inQuotes = false, quoted = false;
    bool chopAtEnd = true;  // an escape cut short by the end keeps the blanks before it
    qsizetype i = 0;
    qsizetype keep = 0;  // blanks before this belong to the text
    auto skipBlanks = [&] {
        while (i < size && (raw[i] == ' ' || raw[i] == '\t')) ++i;
    };
    auto chop = [&] {
        while (text.size() > keep && (text.back() == u' ' || text.back() == u'\t')) text.chop(1);
    };
    skipBlanks();
    while (i < size) {
        const char c = raw[i];
        if (c == '\\') {
            if (++i == size) {
                chopAtEnd = false;
                break;
            }
            const char code = raw[i++];
            const auto known = std::find_if(std::begin(kEscapes), std::end(kEscapes),
                                            [&](const char* e) { return e[0] == code; });
            if (known != std::end(kEscapes)) {
                text += QLatin1Char((*known)[1]);
            } else if ((code == 'x' && i < size && DigitValue(raw[i], 16) >= 0) ||
                       DigitValue(code, 8) >= 0) {
                const int base = code == 'x' ? 16 : 8;
                char16_t value = code == 'x' ? 0 : char16_t(code - '0');
                for (; i < size && DigitValue(raw[i], base) >= 0; ++i)
                    value = char16_t(value * base + DigitValue(raw[i], base));
                text += QChar(value);
                if (i == size) {
                    chopAtEnd = false;
                    break;
                }
            } else if (code == 'x' && i == size) {
                chopAtEnd = false;
                break;
            } else if ((code == '\n' || code == '\r') && i < size &&
                       (raw[i] == '\n' || raw[i] == '\r') && raw[i] != code) {
                ++i;  // a line continued by a backslash
            }
            keep = text.size();
        } else if (c == '"') {
            ++i;
            quoted = true;
            inQuotes = !inQuotes;
            if (!inQuotes) {
                skipBlanks();
                keep = text.size();
            }
        } else if (c == ',' && !inQuotes) {
            if (!quoted) chop();
            isList = true;
            items.append(ItemText(text));
            text.clear();
            quoted = false;
            ++i;
            skipBlanks();
            keep = 0;
        } else {
            qsizetype end = i + 1;
            while (end < size && raw[end] != '\\' && raw[end] != '"' && raw[end] != ',') ++end;
            text += utf8(raw.sliced(i, end - i));
            i = end;
        }
    }
    if (chopAtEnd && !quoted) chop();
    if (!isList) return ItemText(text);
    items.append(ItemText(text));
    return items.join(u',');
}

}  // namespace

// QSettings gathers the lines of each section, sections of one name together, and reads
// the sections in the order of their names; a later key of the same name wins.
QHash<QString, QString> StoreTexts(QByteArrayView store) {
    if (store.startsWith("\xEF\xBB\xBF")) store = store.sliced(3);
    QMap<QString, QByteArray> sections;  // by key prefix: "" or "Name/"
    QString section;
    qsizetype sectionStart = 0, at = 0, lineStart = 0;
    auto flush = [&](qsizetype end) {
        QByteArray& lines = sections[section];
        if (!lines.isEmpty()) lines.append('\n');
        lines += store.sliced(sectionStart, end - sectionStart);
    };
    Line line;
    while (NextLine(store, at, line, lineStart)) {
        if (!line.text.startsWith('[')) continue;
        flush(lineStart);
        const qsizetype close = line.text.indexOf(']');
        const QByteArrayView name =
            line.text.first(close < 0 ? line.text.size() : close).sliced(1).trimmed();
        if (name.compare("general", Qt::CaseInsensitive) == 0) {
            section.clear();
        } else {
            section = name.compare("%general", Qt::CaseInsensitive) == 0
                          ? QString::fromLatin1(name.sliced(1))
                          : KeyText(name);
            section += u'/';
        }
        sectionStart = at;
    }
    flush(store.size());

    QHash<QString, QString> texts;
    for (auto s = sections.cbegin(); s != sections.cend(); ++s) {
        qsizetype pos = 0, start = 0;
        while (NextLine(s.value(), pos, line, start)) {
            if (line.equals < 0) continue;
            texts.insert(s.key() + KeyText(line.text.first(line.equals).trimmed()),
                         ValueText(line.text.sliced(line.equals + 1)));
        }
    }
    return texts;
}

}  // namespace quabe
