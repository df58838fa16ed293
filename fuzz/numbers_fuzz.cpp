// The store's reading rule for numbers against the C library's strtod, on the texts both
// read: decimal numbers (strtod also reads hexadecimal, infinity and nan; the rule does not).
#include <QString>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <optional>

#include "numeric.h"
#include "settings_store.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const std::optional<int16_t> integer = quabe::ReadInteger(text);
    const int32_t score = quabe::ReadScore(text);

    const QByteArray trimmed = text.trimmed().toUtf8();
    for (const char c : trimmed)
        if (static_cast<unsigned char>(c) >= 0x80 || c == '\0') return 0;
    char* end = nullptr;
    const double value = std::strtod(trimmed.constData(), &end);
    const qsizetype length = end - trimmed.constData();
    for (const char c : trimmed.first(length))
        if (!(c >= '0' && c <= '9') && c != '.' && c != 'e' && c != 'E' && c != '+' && c != '-')
            return 0;

    if (score != (length == 0 ? 0 : quabe::CLng(value))) std::abort();
    const std::optional<int16_t> whole =
        length > 0 && length == trimmed.size() ? std::optional<int16_t>(quabe::CInt(value))
                                               : std::nullopt;
    if (integer != whole) std::abort();
    return 0;
}
