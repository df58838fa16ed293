#pragma once
// The settings store's file: an INI file as QSettings writes it, with [sections],
// key=value lines and values that may be quoted and escaped.
#include <QByteArrayView>
#include <QHash>
#include <QString>

namespace quabe {

// Every value of `store` by its full key ("Section/Key", or "Key" before any section),
// read the way QSettings reads what it has written, but only ever as text: QSettings
// would also turn a value beginning with "@" into another type (a region, a nested
// list...), which a few bytes can make enormous. A list of values separated by unquoted
// commas reads as its items joined by commas. Of the values that begin with "@", only
// the two that QSettings writes for texts are read as what they stand for.
QHash<QString, QString> StoreTexts(QByteArrayView store);

}  // namespace quabe
