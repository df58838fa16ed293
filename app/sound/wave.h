#pragma once
// The wave files of the sound cues.
#include <QByteArray>
#include <QString>
#include <optional>

#include "audio_output.h"

namespace quabe {

// Reads a RIFF/WAVE file of 8-bit unsigned, 16- or 32-bit signed or 32-bit float
// PCM. Anything else, or a malformed file, gives nothing; a data chunk cut short
// by the end of the file keeps the frames that are there.
std::optional<Wave> ParseWave(const QByteArray& file);
// The wave file at `path`; nothing when it cannot be read or parsed.
std::optional<Wave> ReadWave(const QString& path);

}  // namespace quabe
