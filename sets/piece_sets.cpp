#include "piece_sets.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QStandardPaths>
#include <QStringDecoder>
#include <algorithm>
#include <optional>

#include "bounded_read.h"

namespace quabe {
namespace {

using Pieces = std::array<QImage, 7>;

// A title is one short line; a huge file put there by mistake is not read whole.
constexpr qint64 kTitleReadLimit = 64 * 1024;
// A picture of kLargestPiecePicture pixels square takes far less than this in any format.
constexpr qint64 kPictureReadLimit = 1024 * 1024;
constexpr int kPictureMegabytes = 1;  // what decoding one may allocate
// A kind's name is said after every arrow key: a few words, never a paragraph.
constexpr int kLongestPieceName = 40;
// The settings store keeps the set number as a 16-bit integer.
constexpr int kHighestSetNumber = 32767;

QString SetFolderName(int number) {
    return QStringLiteral("Set%1").arg(number);
}

// A name as the game writes it, then all in lower and all in upper case, as copies from a
// case-blind file system have it. Names are looked up in these spellings rather than found
// by listing the folder, which takes seconds when the folder holds many other files.
QStringList Spellings(const QString& name) {
    QStringList spellings{name, name.toLower(), name.toUpper()};
    spellings.removeDuplicates();
    return spellings;
}

// The entry `name` in `folder` in the first spelling that exists; empty when none does.
QString FindEntry(const QString& folder, const QString& name, bool isFolder) {
    if (folder.isEmpty()) return {};  // an empty path would be the working folder
    const QDir dir(folder);
    for (const QString& spelling : Spellings(name)) {
        const QFileInfo entry(dir.filePath(spelling));
        if (isFolder ? entry.isDir() : entry.exists()) return entry.filePath();
    }
    return {};
}

QString FindFile(const QString& folder, const QString& name) {
    return FindEntry(folder, name, false);
}

// The folders of set `number` in `places`, the one of the latest place first.
QStringList SetCandidates(const QStringList& places, int number) {
    QStringList folders;
    for (const QString& place : places) {
        const QString folder = FindEntry(place, SetFolderName(number), true);
        if (!folder.isEmpty()) folders.prepend(folder);
    }
    return folders;
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

// The picture in `bytes`, whatever its format (a picture under the wrong extension still
// loads); null when it does not decode or is larger than a piece may be.
QImage DecodePicture(const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAllocationLimit(kPictureMegabytes);
    auto fits = [](QSize size) {
        return size.width() <= kLargestPiecePicture && size.height() <= kLargestPiecePicture;
    };
    const QSize declared = reader.size();  // from the header, before any decoding
    if (declared.isValid() && !fits(declared)) return {};
    const QImage picture = reader.read();
    return fits(picture.size()) ? picture : QImage();
}

// Piece0..Piece6 of the set in `setFolder`, or nothing when one of them is missing, no
// plain file, too large or does not decode.
std::optional<Pieces> LoadPieces(const QString& setFolder) {
    Pieces pieces;
    for (int kind = 0; kind < 7; ++kind) {
        const QString path = FindFile(setFolder, QStringLiteral("Piece%1.gif").arg(kind));
        const BoundedRead file = ReadBounded(path, kPictureReadLimit);
        const QImage picture = file.Whole() ? DecodePicture(file.bytes) : QImage();
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

// The first usable set among `folders`: a broken set of the player's leaves the
// program's set of that number in use.
std::optional<UsableSet> FirstUsable(const QStringList& folders) {
    for (const QString& folder : folders)
        if (auto set = ReadSet(folder)) return set;
    return std::nullopt;
}

// The set numbers of the folders in `place`, from the names alone.
QList<int> ListedNumbers(const QString& place) {
    QList<int> numbers;
    if (place.isEmpty()) return numbers;
    QDirIterator entries(place, {QStringLiteral("Set*")},
                         QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    while (entries.hasNext()) {
        if (const int number = SetNumberOf(entries.nextFileInfo().fileName())) numbers.append(number);
    }
    return numbers;
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

// Letters are compared as ASCII: a case-blind match would also take letters that only fold
// to these, such as the long s of "\u017Fet7".
int SetNumberOf(const QString& folderName) {
    if (folderName.size() < 4) return 0;
    for (int i = 0; i < 3; ++i) {
        const char16_t c = folderName[i].unicode(), lower = u"set"[i];
        if (c != lower && c != lower - u'a' + u'A') return 0;
    }
    int number = 0;
    for (const QChar c : QStringView(folderName).sliced(3)) {
        if (c < u'0' || c > u'9') return 0;
        number = std::min(number * 10 + (c.unicode() - u'0'), kHighestSetNumber + 1);
    }
    return number <= kHighestSetNumber ? number : 0;
}

QString ProgramFolder() {
    return ProgramFolder(QCoreApplication::applicationDirPath());
}

QString ProgramFolder(const QString& executableFolder) {
    const QDir own(executableFolder);
    if (!FindEntry(own.absolutePath(), SetFolderName(1), true).isEmpty()) return own.absolutePath();
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
    if (const auto set = FirstUsable(SetCandidates(places, setNumber)))
        return MakePieceSet(*set, setNumber);
    if (setNumber != 1) {
        if (const auto set = FirstUsable(SetCandidates(places, 1))) return MakePieceSet(*set, 1);
    }
    Pieces pieces;
    for (int kind = 0; kind < 7; ++kind) pieces[kind] = AsPiece(builtIn[kind]);
    return MakePieceSet(pieces, 0);
}

QList<PieceSetEntry> ListPieceSets(const QStringList& places) {
    QList<int> numbers;
    for (const QString& place : places) numbers += ListedNumbers(place);
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());

    QList<PieceSetEntry> entries;
    for (const int number : numbers) {
        if (entries.size() == kMostListedSets) break;
        PieceSetEntry entry{number, {}, {}, SetCandidates(places, number)};
        // The folder that stands in may turn out broken once its pictures are read; until
        // then its title is the best guess of the one shown.
        bool ok = false;
        for (const QString& folder : entry.folders) {
            entry.title = ReadTitle(FindFile(folder, QStringLiteral("Title.txt")), &ok);
            if (ok) break;
        }
        if (ok) entries.append(entry);
    }
    return entries;
}

bool ReadListedSet(PieceSetEntry& entry) {
    const auto set = FirstUsable(entry.folders);
    if (!set) return false;
    entry.title = set->title;
    entry.icon = set->pieces[1];
    return true;
}

QList<PieceSetEntry> FindPieceSets(const QStringList& places) {
    QList<PieceSetEntry> usable;
    for (PieceSetEntry& entry : ListPieceSets(places))
        if (ReadListedSet(entry)) usable.append(entry);
    return usable;
}

QString TitleOf(const QByteArray& text) {
    return FirstField(DecodeText(text));
}

PieceNames ReadPieceNames(const QString& path) {
    PieceNames names;
    const BoundedRead file = ReadBounded(path, kTitleReadLimit);
    if (!file.Whole()) return names;
    QString text = DecodeText(file.bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    const QStringList lines = text.split(u'\n');
    for (int kind = 1; kind < 7 && kind <= lines.size(); ++kind)
        names[kind] = lines[kind - 1].simplified().left(kLongestPieceName).trimmed();
    return names;
}

// Only the start of a long file is read: the title is its first field.
QString ReadTitle(const QString& path, bool* ok) {
    const BoundedRead file = ReadBounded(path, kTitleReadLimit);
    const bool read = (file.Whole() || file.problem == BoundedRead::Problem::TooLarge) &&
                      !file.bytes.isEmpty();  // an empty file has no field to read
    if (ok) *ok = read;
    return read ? TitleOf(file.bytes) : QString();
}

}  // namespace quabe
