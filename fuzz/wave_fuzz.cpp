// The wave reader: any bytes give a well-formed wave or nothing.
#include <QByteArray>
#include <cstdint>
#include <cstdlib>

#include "wave.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray file(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const auto wave = quabe::ParseWave(file);
    if (!wave) return 0;
    const int frame = wave->BytesPerFrame();
    const qsizetype bytes = wave->samples.size();
    if (wave->channels < 1 || wave->channels > 8 || wave->sampleRate < 1000 ||
        wave->sampleRate > 384000 || bytes == 0 || bytes % frame != 0 || bytes > file.size() ||
        wave->durationMs != bytes / frame * 1000 / wave->sampleRate)
        std::abort();
    return 0;
}
