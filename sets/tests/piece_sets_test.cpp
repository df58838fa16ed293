#include "piece_sets.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QSet>

#include "test_folder.h"

namespace quabe {
namespace {

using testing::PieceColor;
using testing::TestFolder;

constexpr QRgb kBlue = 0xFF000080;
constexpr QRgb kBrown = 0xFF804020;

QList<int> Numbers(const QList<PieceSetEntry>& entries) {
    QList<int> numbers;
    for (const PieceSetEntry& entry : entries) numbers.append(entry.number);
    return numbers;
}

std::array<QImage, 7> BuiltInPieces() {
    std::array<QImage, 7> pieces;
    pieces[0] = QImage(kPiecePixels, kPiecePixels, QImage::Format_ARGB32);
    pieces[0].fill(Qt::transparent);  // the holder's empty cell is see-through
    for (int kind = 1; kind < 7; ++kind) {
        pieces[kind] = QImage(kPiecePixels, kPiecePixels, QImage::Format_RGB32);
        pieces[kind].fill(qRgb(kind, kind, kind));
    }
    return pieces;
}

// --- Title.txt -------------------------------------------------------------------------------

TEST(Title, FirstDelimitedField) {
    const struct {
        QByteArray text;
        QString title;
    } cases[] = {
        {"Sea, sand and sun\r\n", "Sea"},
        {"\"Sea, sand and sun\"\r\n", "Sea, sand and sun"},
        {"   Ocean   , deep\n", "Ocean"},
        {"\t\"Quoted\" and more, after", "Quoted"},
        {"\"Never closed, still a title", "Never closed, still a title"},
        {"First line\nSecond line", "First line"},
        {"Mac line\rnext", "Mac line"},
        {"No line end", "No line end"},
        {"\xEF\xBB\xBFMarked", "Marked"},
        {"Caf\xC3\xA9", QStringLiteral("Caf\u00E9")},
        {"Caf\xE9 old editor", QStringLiteral("Caf\u00E9 old editor")},
        {QByteArray("\xFF\xFEO\0k\0", 6), "Ok"},
        {"\n", ""},
        {", only a comma", ""},
    };
    TestFolder folder;
    for (const auto& c : cases) {
        folder.WriteFile("Title.txt", c.text);
        bool ok = false;
        EXPECT_EQ(ReadTitle(folder.PathOf("Title.txt"), &ok), c.title) << c.text.toStdString();
        EXPECT_TRUE(ok) << c.text.toStdString();
    }
}

TEST(Title, NothingToReadIsNotOk) {
    TestFolder folder;
    folder.WriteFile("Empty.txt", "");
    QDir(folder.Path()).mkdir("Folder.txt");
    for (const char* name : {"Missing.txt", "Empty.txt", "Folder.txt"}) {
        bool ok = true;
        EXPECT_EQ(ReadTitle(folder.PathOf(name), &ok), "") << name;
        EXPECT_FALSE(ok) << name;
    }
    bool ok = true;
    ReadTitle(QString(), &ok);
    EXPECT_FALSE(ok);
}

// --- Names.txt -------------------------------------------------------------------------------

TEST(PieceNames, OneLineAKindAndBlankWhereUnnamed) {
    TestFolder folder;
    folder.WriteFile("Names.txt",
                     "\xEF\xBB\xBF  green   ball \r\n\r\nred\rCaf\xC3\xA9\nyellow\n"
                     "a name far too long to be said after every single arrow key\n"
                     "seventh line\n");
    const PieceNames names = ReadPieceNames(folder.PathOf("Names.txt"));
    EXPECT_EQ(names[0], "");
    EXPECT_EQ(names[1], "green ball");
    EXPECT_EQ(names[2], "") << "a blank line names nothing";
    EXPECT_EQ(names[3], "red");
    EXPECT_EQ(names[4], QStringLiteral("Caf\u00E9"));
    EXPECT_EQ(names[5], "yellow");
    EXPECT_EQ(names[6], "a name far too long to be said after eve");

    folder.WriteFile("Short.txt", "one\ntwo");
    const PieceNames two = ReadPieceNames(folder.PathOf("Short.txt"));
    EXPECT_EQ(two[2], "two");
    EXPECT_EQ(two[3], "");
    EXPECT_EQ(ReadPieceNames(folder.PathOf("Missing.txt")), PieceNames{});
}

TEST(PieceNames, LoadedWithTheirSetOnly) {
    TestFolder folder;
    folder.AddSet("Set1", "One");
    folder.AddSet("Set2", "Two");
    folder.AddSet("Set3", "Three");
    folder.WriteFile("Set1/Names.txt", "star\n");
    folder.WriteFile("Set2/Names.txt", "moon\nsun\n");
    const PieceSet two = LoadPieceSet({folder.Path()}, 2, BuiltInPieces());
    EXPECT_EQ(two.names[1], "moon");
    EXPECT_EQ(two.names[2], "sun");
    EXPECT_EQ(LoadPieceSet({folder.Path()}, 3, BuiltInPieces()).names, PieceNames{});
    EXPECT_EQ(LoadPieceSet({folder.Path()}, 9, BuiltInPieces()).names[1], "star")
        << "the set that stands in for a missing one brings its own names";
}

// --- Finding the sets --------------------------------------------------------------------------

TEST(FindPieceSets, CompleteSetsInNumberOrder) {
    TestFolder folder;
    folder.AddSet("Set10", "Ten");
    folder.AddSet("Set2", "Two");
    folder.AddSet("Set1", "\"One, first\"");
    const QList<PieceSetEntry> sets = FindPieceSets({folder.Path()});
    ASSERT_EQ(Numbers(sets), (QList<int>{1, 2, 10}));
    EXPECT_EQ(sets[0].title, "One, first");
    EXPECT_EQ(sets[1].title, "Two");
    EXPECT_EQ(sets[2].title, "Ten");
    EXPECT_EQ(sets[1].icon.size(), QSize(kPiecePixels, kPiecePixels));
    EXPECT_EQ(sets[1].icon.pixel(5, 5), PieceColor(1));  // the icon is Piece1
}

TEST(FindPieceSets, OnlySetFollowedByDigitsCounts) {
    TestFolder folder;
    folder.AddSet("Set1", "One");
    for (const char* name : {"Settings", "Set2b", "Set0", "Set", "xSet3", "Set99999",
                             "\u017Fet5"})  // a long s, which folds to s
        folder.AddSet(name, name);
    folder.WriteFile("Set9.txt", "not a folder");
    folder.WriteFile("Set4", "a plain file named like a set");
    EXPECT_EQ(Numbers(FindPieceSets({folder.Path()})), (QList<int>{1}));
}

// "$" ends a pattern before a final line break too: "Set7" and a line break is no set.
TEST(FindPieceSets, NothingMayFollowTheDigits) {
    TestFolder folder;
    folder.AddSet("Set1", "One");
    folder.AddSet("Set7\n", "Line break");
    folder.AddSet("SET8", "Capitals");
    EXPECT_EQ(Numbers(FindPieceSets({folder.Path()})), (QList<int>{1, 8}));
    EXPECT_EQ(LoadPieceSet({folder.Path()}, 7, BuiltInPieces()).number, 1);
}

TEST(FindPieceSets, GapsAndTwinTitlesKeepEverySetAndItsNumber) {
    TestFolder folder;
    folder.AddSet("Set1", "Balls");
    folder.AddSet("Set3", "Balls");
    folder.AddSet("Set7", "Gems");
    const QList<PieceSetEntry> sets = FindPieceSets({folder.Path()});
    EXPECT_EQ(Numbers(sets), (QList<int>{1, 3, 7}));
    ASSERT_EQ(sets.size(), 3);
    EXPECT_EQ(sets[0].title, sets[1].title);
}

TEST(FindPieceSets, BrokenSetsAreLeftOut) {
    TestFolder folder;
    for (int number = 1; number <= 6; ++number)
        folder.AddSet(QString("Set%1").arg(number), "Title");
    folder.WriteFile("Set2/Piece4.gif", "GIF89a\x01\x02 this is no picture");
    folder.Remove("Set3/Title.txt");
    folder.Remove("Set4/Piece0.gif");
    folder.WriteFile("Set5/Title.txt", "");
    folder.Remove("Set6/Piece1.gif");
    QDir(folder.Path()).mkdir("Set6/Piece1.gif");
    EXPECT_EQ(Numbers(FindPieceSets({folder.Path()})), (QList<int>{1}));
}

// Set files are the player's: a FIFO or a device in their place (here through a link, as a
// link to a plain file is fine) must neither hold the game up nor be read.
TEST(FindPieceSets, AFifoOrADeviceInPlaceOfASetFileLeavesTheSetOut) {
    TestFolder folder;
    for (int number = 1; number <= 6; ++number)
        folder.AddSet(QString("Set%1").arg(number), QString("Set %1").arg(number).toUtf8());
    const QString fifo = folder.MakeFifo("fifo");
    folder.Link("Set2/Title.txt", fifo);
    folder.Link("Set3/Piece0.gif", fifo);
    folder.Link("Set4/Title.txt", "/dev/zero");
    folder.Link("Set5/Piece4.gif", "/dev/zero");
    folder.Link("Set6/Title.txt", folder.PathOf("Set1/Title.txt"));
    EXPECT_EQ(Numbers(FindPieceSets({folder.Path()})), (QList<int>{1, 6}));
    for (int asked : {2, 3, 4, 5})
        EXPECT_EQ(LoadPieceSet({folder.Path()}, asked, BuiltInPieces()).number, 1) << asked;
}

TEST(FindPieceSets, NamesMatchWhateverTheLetterCase) {
    TestFolder folder;
    folder.AddSet("set2", "Copied");
    for (int kind = 0; kind < 7; ++kind) {
        const QString name = QString("set2/Piece%1.gif").arg(kind);
        QFile::rename(folder.PathOf(name), folder.PathOf(name.toUpper().replace("SET2", "set2")));
    }
    QFile::rename(folder.PathOf("set2/Title.txt"), folder.PathOf("set2/TITLE.TXT"));
    const QList<PieceSetEntry> sets = FindPieceSets({folder.Path()});
    ASSERT_EQ(Numbers(sets), (QList<int>{2}));
    EXPECT_EQ(sets[0].title, "Copied");
    EXPECT_EQ(LoadPieceSet({folder.Path()}, 2, BuiltInPieces()).number, 2);
}

TEST(FindPieceSets, NoFolderNoSets) {
    TestFolder folder;
    EXPECT_TRUE(FindPieceSets({folder.Path()}).isEmpty());
    EXPECT_TRUE(FindPieceSets({folder.PathOf("does-not-exist")}).isEmpty());
}

// --- Loading a set ---------------------------------------------------------------------------

TEST(LoadPieceSet, LoadsTheRequestedSet) {
    TestFolder folder;
    folder.AddSet("Set1", "One", kBlue);
    folder.AddSet("Set2", "Two", kBrown);
    const PieceSet set = LoadPieceSet({folder.Path()}, 2, BuiltInPieces());
    EXPECT_EQ(set.number, 2);
    EXPECT_EQ(set.boardColor, kBrown & 0xFFFFFFu);
    for (int kind = 0; kind < 7; ++kind) {
        EXPECT_EQ(set.pieces[kind].size(), QSize(kPiecePixels, kPiecePixels)) << kind;
        EXPECT_FALSE(set.pieces[kind].hasAlphaChannel()) << kind;
        EXPECT_EQ(set.pieces[kind].pixel(31, 31), kind == 0 ? kBrown : PieceColor(kind)) << kind;
    }
}

TEST(LoadPieceSet, MissingOrBrokenSetFallsBackToSetOne) {
    TestFolder folder;
    folder.AddSet("Set1", "One", kBlue);
    folder.AddSet("Set2", "Two", kBrown);
    folder.WriteFile("Set2/Piece6.gif", "");
    for (int asked : {2, 5, 0, -3, 40000}) {
        const PieceSet set = LoadPieceSet({folder.Path()}, asked, BuiltInPieces());
        EXPECT_EQ(set.number, 1) << asked;
        EXPECT_EQ(set.boardColor, kBlue & 0xFFFFFFu) << asked;
    }
}

TEST(LoadPieceSet, WithoutAUsableSetOneTheBuiltInPiecesAreUsed) {
    TestFolder folder;
    folder.AddSet("Set1", "One", kBlue);
    folder.Remove("Set1/Piece3.gif");
    folder.AddSet("Set2", "Two", kBrown);
    folder.WriteFile("Set2/Piece0.gif", "GIF87a");
    const std::array<QImage, 7> builtIn = BuiltInPieces();
    for (const QString& path : {folder.Path(), folder.PathOf("nowhere")}) {
        const PieceSet set = LoadPieceSet({path}, 2, builtIn);
        EXPECT_EQ(set.number, 0);
        EXPECT_EQ(set.boardColor, 0u);  // the see-through empty cell shows black
        EXPECT_EQ(set.pieces[0].pixel(10, 10), qRgb(0, 0, 0));
        EXPECT_EQ(set.pieces[4].pixel(10, 10), builtIn[4].pixel(10, 10));
    }
}

TEST(LoadPieceSet, OddSizedPicturesAreScaledToAPiece) {
    for (int size : {64, 20}) {
        TestFolder folder;
        folder.AddSet("Set1", "One", kBlue, size);
        const PieceSet set = LoadPieceSet({folder.Path()}, 1, BuiltInPieces());
        ASSERT_EQ(set.number, 1) << size;
        for (int kind = 0; kind < 7; ++kind)
            EXPECT_EQ(set.pieces[kind].size(), QSize(kPiecePixels, kPiecePixels)) << size;
        EXPECT_EQ(set.pieces[5].pixel(16, 16), PieceColor(5)) << size;
        EXPECT_EQ(set.boardColor, kBlue & 0xFFFFFFu) << size;
    }
}

// A few bytes of GIF can declare a picture thousands of pixels square; such a picture is
// refused before it is decoded.
TEST(LoadPieceSet, APictureDeclaringAHugeSizeIsNotDecoded) {
    TestFolder folder;
    folder.AddSet("Set1", "One", kBlue);
    folder.AddSet("Set2", "Two", kBrown);
    QFile piece(folder.PathOf("Set2/Piece3.gif"));
    ASSERT_TRUE(piece.open(QIODevice::ReadWrite));
    QByteArray bytes = piece.readAll();
    bytes.replace(6, 4, QByteArray("\xA0\x16\xA0\x16", 4));  // a screen of 5792 x 5792
    ASSERT_TRUE(piece.seek(0));
    ASSERT_EQ(piece.write(bytes), bytes.size());
    piece.close();
    EXPECT_EQ(LoadPieceSet({folder.Path()}, 2, BuiltInPieces()).number, 1);
    EXPECT_EQ(Numbers(FindPieceSets({folder.Path()})), QList<int>{1});
}

TEST(LoadPieceSet, BoardColourIsTheEmptyCellsTopLeftPixelOnBlack) {
    TestFolder folder;
    folder.AddSet("Set1", "Corner");
    QImage corner(kPiecePixels, kPiecePixels, QImage::Format_RGB32);
    corner.fill(kBlue);
    corner.setPixel(0, 0, kBrown);
    ASSERT_TRUE(testing::WriteGif(folder.PathOf("Set1/Piece0.gif"), corner));
    EXPECT_EQ(LoadPieceSet({folder.Path()}, 1, BuiltInPieces()).boardColor, kBrown & 0xFFFFFFu);

    // A see-through pixel is black whatever colour its palette entry holds.
    corner.setPixel(0, 0, qRgb(255, 255, 255));
    ASSERT_TRUE(testing::WriteGif(folder.PathOf("Set1/Piece0.gif"), corner, qRgb(255, 255, 255)));
    const PieceSet set = LoadPieceSet({folder.Path()}, 1, BuiltInPieces());
    EXPECT_EQ(set.number, 1);
    EXPECT_EQ(set.boardColor, 0u);
    EXPECT_EQ(set.pieces[0].pixel(1, 1), kBlue);
}

// --- The player's own sets ----------------------------------------------------------------

// The player's folder comes after the program's: its sets are added, and its set of a
// number the program also has is used instead, unless the player's one is broken.
TEST(PlayersSets, AddToAndStandInForTheProgramsSets) {
    TestFolder program;
    program.AddSet("Set1", "Balls", kBlue);
    program.AddSet("Set2", "Gems", kBlue);
    TestFolder player;
    player.AddSet("Set1", "My balls", kBrown);
    player.AddSet("Set2", "Broken");
    player.Remove("Set2/Title.txt");
    player.AddSet("Set4", "Mine", kBrown);
    const QStringList places{program.Path(), player.Path()};

    const QList<PieceSetEntry> sets = FindPieceSets(places);
    ASSERT_EQ(Numbers(sets), (QList<int>{1, 2, 4}));
    EXPECT_EQ(sets[0].title, "My balls");
    EXPECT_EQ(sets[1].title, "Gems");
    EXPECT_EQ(sets[2].title, "Mine");

    const PieceSet one = LoadPieceSet(places, 1, BuiltInPieces());
    EXPECT_EQ(one.number, 1);
    EXPECT_EQ(one.boardColor, kBrown & 0xFFFFFFu);
    const PieceSet two = LoadPieceSet(places, 2, BuiltInPieces());
    EXPECT_EQ(two.number, 2);
    EXPECT_EQ(two.boardColor, kBlue & 0xFFFFFFu);
    EXPECT_EQ(LoadPieceSet(places, 4, BuiltInPieces()).number, 4);
}

// --- The sets that ship with the game -------------------------------------------------------

TEST(ShippedSets, AllListedAndLoadable) {
    const QList<PieceSetEntry> sets = FindPieceSets({QUABE_SHIPPED_SETS});
    ASSERT_EQ(Numbers(sets), (QList<int>{1, 2, 3}));
    for (const PieceSetEntry& set : sets) {
        EXPECT_FALSE(set.title.trimmed().isEmpty()) << set.number;
        const PieceSet loaded = LoadPieceSet({QUABE_SHIPPED_SETS}, set.number, BuiltInPieces());
        EXPECT_EQ(loaded.number, set.number);
        // A reader names each kind, and no two kinds alike.
        const QSet<QString> names(loaded.names.begin() + 1, loaded.names.end());
        EXPECT_EQ(names.size(), 6) << set.number;
        EXPECT_FALSE(names.contains("")) << set.number;
    }
}

// --- Where the sets live ---------------------------------------------------------------------

TEST(ProgramFolder, OwnFolderWithSetOneElseTheInstalledDataFolder) {
    TestFolder prefix;
    QDir(prefix.Path()).mkpath("bin");
    const QString bin = prefix.PathOf("bin");
    EXPECT_EQ(ProgramFolder(bin), bin);  // nothing installed: the sounds may still be there

    QDir(prefix.Path()).mkpath("share/quabe-pro");
    EXPECT_EQ(ProgramFolder(bin), prefix.PathOf("share/quabe-pro"));

    prefix.AddSet("bin/Set1", "Beside the program");
    EXPECT_EQ(ProgramFolder(bin), bin);
}

}  // namespace
}  // namespace quabe

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    QCoreApplication app(argc, argv);  // for the picture decoders
    return RUN_ALL_TESTS();
}
