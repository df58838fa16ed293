#include "piece_sets.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QMap>
#include <QPainter>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStringDecoder>
#include <optional>

namespace quabe {
namespace {

using Pieces = std::array<QImage, 7>;

// A title is one short line; a huge file put there by mistake is not read whole.
constexpr qint64 kTitleReadLimit = 64 * 1024;
// A kind's name is said after every arrow key: a few words, never a paragraph.
constexpr int kLongestPieceName = 40;
// The settings store keeps the set number as a 16-bit integer.
constexpr int kHighestSetNumber = 32767;

QString SetFolderName(int number) {
    return QStringLiteral("Set%1").arg(number);
}

// The number a folder name gives a set, or 0 when the folder is not a set: "Set"
// followed by digits only, so Settings, Set2b and Set0 are left alone.
int SetNumberOf(const QString& folderName) {
    static const QRegularExpression pattern(QStringLiteral("^set([0-9]+)$"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = pattern.match(folderName);
    if (!match.hasMatch()) return 0;
    bool ok = false;
    const int number = match.captured(1).toInt(&ok);
    return ok && number <= kHighestSetNumber ? number : 0;
}

// The set folders of one place by number. Letter case is ignored so sets
// copied from a case-blind file system count; when several folders give the same
// number, the plain spelling "SetN" wins.
QMap<int, QString> SetFolders(const QString& folder) {
    QMap<int, QString> found;
    const QDir dir(folder);
    const QFileInfoList entries =
        dir.entryInfoList({QStringLiteral("Set*")}, QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& entry : entries) {
        const int number = SetNumberOf(entry.fileName());
        if (number == 0) continue;
        if (!found.contains(number) || entry.fileName() == SetFolderName(number))
            found.insert(number, entry.filePath());
    }
    return found;
}

// The file `name` in `folder` regardless of letter case, an exact match first; empty when absent.
QString FindFile(const QString& folder, const QString& name) {
    if (folder.isEmpty()) return {};
    const QDir dir(folder);
    const QStringList matches = dir.entryList({name}, QDir::Files);
    if (matches.isEmpty()) return {};
    return dir.filePath(matches.contains(name) ? name : matches.first());
}

// The board draws pieces unscaled on black-backed surfaces: odd sizes are scaled to
// 32 x 32 and transparency is painted onto black, so the board shows exactly this image.
QImage AsPiece(const QImage& picture) {
    QImage piece(kPiecePixels, kPiecePixels, QImage::Format_RGB32);
    piece.fill(Qt::black);
    if (picture.isNull()) return piece;
    QPainter painter(&piece);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(piece.rect(), picture);
    return piece;
}

// Piece0..Piece6 of the set in `setFolder`, or nothing when one of them is missing or
// does not decode.
std::optional<Pieces> LoadPieces(const QString& setFolder) {
    Pieces pieces;
    for (int kind = 0; kind < 7; ++kind) {
        const QString path = FindFile(setFolder, QStringLiteral("Piece%1.gif").arg(kind));
        if (path.isEmpty()) return std::nullopt;
        QImageReader reader(path);
        reader.setDecideFormatFromContent(true);  // a picture under the wrong extension still loads
        const QImage picture = reader.read();
        if (picture.isNull()) return std::nullopt;
        pieces[kind] = AsPiece(picture);
    }
    return pieces;
}

struct UsableSet {
    Pieces pieces;
    QString title;
    QString folder;
};

PieceSet MakePieceSet(const Pieces& pieces, int number, const PieceNames& names = {}) {
    return {pieces, pieces[0].pixel(0, 0) & 0xFFFFFFu, number, names};
}

PieceSet MakePieceSet(const UsableSet& set, int number) {
    return MakePieceSet(set.pieces, number,
                        ReadPieceNames(FindFile(set.folder, QStringLiteral("Names.txt"))));
}

// The set in `setFolder` when it is usable: all seven pictures decode and the title reads.
std::optional<UsableSet> ReadSet(const QString& setFolder) {
    auto pieces = LoadPieces(setFolder);
    if (!pieces) return std::nullopt;
    bool ok = false;
    QString title = ReadTitle(FindFile(setFolder, QStringLiteral("Title.txt")), &ok);
    if (!ok) return std::nullopt;
    return UsableSet{*pieces, title, setFolder};
}

// The folders that may hold each set number, the one of the latest place first.
QMap<int, QStringList> SetCandidates(const QStringList& places) {
    QMap<int, QStringList> candidates;
    for (const QString& place : places) {
        if (place.isEmpty()) continue;  // an empty path would be the working folder
        const QMap<int, QString> sets = SetFolders(place);
        for (auto set = sets.cbegin(); set != sets.cend(); ++set)
            candidates[set.key()].prepend(set.value());
    }
    return candidates;
}

// The first usable set among `folders`: a broken set of the player's leaves the
// program's set of that number in use.
std::optional<UsableSet> FirstUsable(const QStringList& folders) {
    for (const QString& folder : folders)
        if (auto set = ReadSet(folder)) return set;
    return std::nullopt;
}

// Title files come from any editor: a byte-order mark names the encoding; otherwise UTF-8,
// and text that is not valid UTF-8 is read as the Western code page of older systems.
QString DecodeText(const QByteArray& bytes) {
    if (const auto marked = QStringConverter::encodingForData(bytes)) {
        QStringDecoder decoder(*marked);
        return decoder.decode(bytes);
    }
    QStringDecoder utf8(QStringConverter::Utf8);
    const QString text = utf8.decode(bytes);
    if (!utf8.hasError()) return text;
    QStringDecoder western("windows-1252");
    return western.isValid() ? QString(western.decode(bytes)) : QString::fromLatin1(bytes);
}

// The first field as a delimited read takes it: leading blanks skipped; a field in double
// quotes runs to the closing quote, commas included; otherwise to a comma or the line's end.
QString FirstField(const QString& text) {
    qsizetype end = 0;
    while (end < text.size() && text[end] != u'\n' && text[end] != u'\r') ++end;
    qsizetype start = 0;
    while (start < end && (text[start] == u' ' || text[start] == u'\t')) ++start;
    const QStringView line = QStringView(text).sliced(start, end - start);
    if (line.startsWith(u'"')) {
        const qsizetype close = line.indexOf(u'"', 1);
        return line.sliced(1, (close < 0 ? line.size() : close) - 1).toString();
    }
    const qsizetype comma = line.indexOf(u',');
    return line.first(comma < 0 ? line.size() : comma).trimmed().toString();
}

}  // namespace

QString ProgramFolder() {
    return ProgramFolder(QCoreApplication::applicationDirPath());
}

QString ProgramFolder(const QString& executableFolder) {
    const QDir own(executableFolder);
    if (SetFolders(own.absolutePath()).contains(1)) return own.absolutePath();
    const QString installed = QDir::cleanPath(own.absoluteFilePath(QUABE_DATA_FROM_BIN));
    return QFileInfo(installed).isDir() ? installed : own.absolutePath();
}

QString PlayersSetFolder() {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return data.isEmpty() ? QString() : QDir(data).filePath(QStringLiteral("quabe-pro"));
}

QStringList PieceSetPlaces() {
    return {ProgramFolder(), PlayersSetFolder()};
}

PieceSet LoadPieceSet(const QStringList& places, int setNumber, const Pieces& builtIn) {
    const QMap<int, QStringList> candidates = SetCandidates(places);
    if (const auto set = FirstUsable(candidates.value(setNumber)))
        return MakePieceSet(*set, setNumber);
    if (setNumber != 1) {
        if (const auto set = FirstUsable(candidates.value(1))) return MakePieceSet(*set, 1);
    }
    Pieces pieces;
    for (int kind = 0; kind < 7; ++kind) pieces[kind] = AsPiece(builtIn[kind]);
    return MakePieceSet(pieces, 0);
}

QList<PieceSetEntry> FindPieceSets(const QStringList& places) {
    QList<PieceSetEntry> entries;
    const QMap<int, QStringList> candidates = SetCandidates(places);
    for (auto number = candidates.cbegin(); number != candidates.cend(); ++number) {
        if (const auto set = FirstUsable(number.value()))
            entries.append({number.key(), set->title, set->pieces[1]});
    }
    return entries;
}

PieceNames ReadPieceNames(const QString& path) {
    PieceNames names;
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly)) return names;
    const QStringList lines = DecodeText(file.read(kTitleReadLimit))
                                  .split(QRegularExpression(QStringLiteral("\\r\\n|\\r|\\n")));
    for (int kind = 1; kind < 7 && kind <= lines.size(); ++kind)
        names[kind] = lines[kind - 1].simplified().left(kLongestPieceName).trimmed();
    return names;
}

QString ReadTitle(const QString& path, bool* ok) {
    if (ok) *ok = false;
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly)) return {};
    const QByteArray bytes = file.read(kTitleReadLimit);
    if (bytes.isEmpty()) return {};  // an empty file has no field to read
    if (ok) *ok = true;
    return FirstField(DecodeText(bytes));
}

}  // namespace quabe
