#pragma once
// A file of the player's that the game cannot take is moved aside, never deleted or
// written over, so that the player can still look into it.
#include <QString>

namespace quabe {

// Renames `path` to the first free name of "<path>.damaged", "<path>.damaged-2", ...
// "<path>.damaged-100", never replacing a file there. The new name, or empty when none
// was free or the rename failed.
QString SetAside(const QString& path);

}  // namespace quabe
