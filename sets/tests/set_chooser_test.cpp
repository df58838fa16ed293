#include "set_chooser.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QListWidget>
#include <QPainter>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include "piece_sets.h"
#include "test_folder.h"

namespace quabe {
namespace {

using testing::TestFolder;

// A program folder with the sets `numbers`, titled "Set <n>".
void AddSets(TestFolder& folder, std::initializer_list<int> numbers) {
    for (int number : numbers)
        folder.AddSet(QString("Set%1").arg(number), QString("Set %1").arg(number).toUtf8());
}

QListWidget* List(QWidget& chooser) {
    return chooser.findChild<QListWidget*>("lstSets");
}

QStringList Labels(QListWidget* list) {
    QStringList labels;
    for (int row = 0; row < list->count(); ++row) labels.append(list->item(row)->text());
    return labels;
}

// Whether an entry's icon is its set's Piece1, which the sets of these tests fill with
// the colour of kind 1.
bool ShowsItsPicture(QListWidgetItem* item) {
    const QImage icon = item->icon().pixmap(kPiecePixels).toImage();
    return !icon.isNull() && icon.pixel(16, 16) == testing::PieceColor(1);
}

void Click(QWidget& chooser, const char* button) {
    auto* picture = chooser.findChild<QAbstractButton*>(button);
    ASSERT_NE(picture, nullptr) << button;
    QTest::mouseClick(picture, Qt::LeftButton);
}

QPoint CentreOf(QListWidget* list, int row) {
    return list->visualItemRect(list->item(row)).center();
}

void ClickEntry(QWidget& chooser, int row) {
    QListWidget* list = List(chooser);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, CentreOf(list, row));
}

// A player's double-click, sent through the window as the desktop sends it: press,
// release, then the second press that makes it a double-click.
void DoubleClick(QListWidget* list, QPoint at) {
    QTest::mouseDClick(list->window()->windowHandle(), Qt::LeftButton, {},
                       list->viewport()->mapTo(list->window(), at));
}

// Shown the way the window shows it, but without its own event loop, so the test can act.
struct ShownChooser {
    ShownChooser(const TestFolder& folder, int current) : dialog({folder.Path()}, current) {
        dialog.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    }
    SetChooser dialog;
};

TEST(SetChooser, ListsEverySetInOrderWithTheCurrentOneSelected) {
    TestFolder folder;
    AddSets(folder, {3, 1, 2});
    ShownChooser chooser(folder, 2);
    QListWidget* list = List(chooser.dialog);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(Labels(list), (QStringList{"Set 1", "Set 2", "Set 3"}));
    ASSERT_EQ(list->selectedItems().size(), 1);
    EXPECT_EQ(list->selectedItems().first()->text(), "Set 2");
    for (int row = 0; row < list->count(); ++row) EXPECT_TRUE(ShowsItsPicture(list->item(row)));
    EXPECT_EQ(chooser.dialog.size(), QSize(479, 326));
}

// The chooser is drawn from the game's own pictures; a lost resource would leave it bare.
TEST(SetChooser, WearsTheFrameButtonsAndHandPointerOfTheGame) {
    TestFolder folder;
    ShownChooser chooser(folder, 1);
    const QImage frame(":/pictures/frmSets.gif");
    ASSERT_EQ(frame.size(), QSize(478, 324));
    const QImage shown = chooser.dialog.grab().toImage();
    EXPECT_EQ(shown.pixel(3, 3), frame.pixel(3, 3));
    EXPECT_EQ(shown.pixel(470, 316), frame.pixel(470, 316));

    for (const char* name : {"pctOk", "pctReset"}) {
        auto* button = chooser.dialog.findChild<QAbstractButton*>(name);
        ASSERT_NE(button, nullptr) << name;
        QImage expected(32, 32, QImage::Format_RGB32);
        expected.fill(Qt::black);
        QPainter(&expected).drawImage(0, 0, QImage(QString(":/pictures/%1.gif").arg(name)));
        EXPECT_EQ(button->grab().toImage().convertToFormat(QImage::Format_RGB32), expected) << name;
        EXPECT_EQ(button->cursor().shape(), Qt::BitmapCursor) << name;
        EXPECT_EQ(button->cursor().hotSpot(), QPoint(12, 1)) << name;
    }
}

TEST(SetChooser, OkTakesTheSelectedSetAndCancelKeepsTheCurrentOne) {
    TestFolder folder;
    AddSets(folder, {1, 2, 3});
    {
        ShownChooser chooser(folder, 1);
        ClickEntry(chooser.dialog, 2);
        Click(chooser.dialog, "pctOk");
        EXPECT_FALSE(chooser.dialog.isVisible());
        EXPECT_EQ(chooser.dialog.result(), QDialog::Accepted);
        EXPECT_EQ(chooser.dialog.ChosenSet(), 3);
    }
    {
        ShownChooser chooser(folder, 1);
        ClickEntry(chooser.dialog, 2);
        Click(chooser.dialog, "pctReset");
        EXPECT_FALSE(chooser.dialog.isVisible());
        EXPECT_EQ(chooser.dialog.ChosenSet(), 1);
    }
    {
        ShownChooser chooser(folder, 2);
        ClickEntry(chooser.dialog, 0);
        QTest::keyClick(List(chooser.dialog), Qt::Key_Escape);
        EXPECT_FALSE(chooser.dialog.isVisible());
        EXPECT_EQ(chooser.dialog.ChosenSet(), 2);
    }
    {
        ShownChooser chooser(folder, 2);
        Click(chooser.dialog, "pctOk");  // the current set again
        EXPECT_EQ(chooser.dialog.ChosenSet(), 2);
    }
}

TEST(SetChooser, DoubleClickChoosesTheSetsNumberNotItsPlace) {
    TestFolder folder;
    AddSets(folder, {1, 3});
    ShownChooser chooser(folder, 1);
    QListWidget* list = List(chooser.dialog);
    ASSERT_EQ(list->count(), 2);
    DoubleClick(list, CentreOf(list, 1));
    EXPECT_FALSE(chooser.dialog.isVisible());
    EXPECT_EQ(chooser.dialog.result(), QDialog::Accepted);
    EXPECT_EQ(chooser.dialog.ChosenSet(), 3);
}

TEST(SetChooser, ReturnChoosesTheSetMovedToWithTheKeys) {
    TestFolder folder;
    AddSets(folder, {1, 2, 4});
    ShownChooser chooser(folder, 1);
    QTest::keyClick(List(chooser.dialog), Qt::Key_Right);
    QTest::keyClick(List(chooser.dialog), Qt::Key_Right);
    QTest::keyClick(List(chooser.dialog), Qt::Key_Return);
    EXPECT_FALSE(chooser.dialog.isVisible());
    EXPECT_EQ(chooser.dialog.ChosenSet(), 4);
}

TEST(SetChooser, WithNothingSelectedOkAndDoubleClickChangeNothing) {
    TestFolder folder;
    AddSets(folder, {1, 2});
    {
        ShownChooser chooser(folder, 7);  // a stored set that is gone
        EXPECT_TRUE(List(chooser.dialog)->selectedItems().isEmpty());
        Click(chooser.dialog, "pctOk");
        EXPECT_FALSE(chooser.dialog.isVisible());
        EXPECT_EQ(chooser.dialog.result(), QDialog::Rejected);
        EXPECT_EQ(chooser.dialog.ChosenSet(), 7);
    }
    {
        ShownChooser chooser(folder, 7);
        QListWidget* list = List(chooser.dialog);
        const QPoint blank = list->viewport()->rect().bottomRight() - QPoint(5, 5);
        ASSERT_EQ(list->itemAt(blank), nullptr);
        DoubleClick(list, blank);
        EXPECT_FALSE(chooser.dialog.isVisible());
        EXPECT_EQ(chooser.dialog.ChosenSet(), 7);
    }
    {
        TestFolder empty;
        ShownChooser chooser(empty, 1);
        EXPECT_EQ(List(chooser.dialog)->count(), 0);
        Click(chooser.dialog, "pctOk");
        EXPECT_EQ(chooser.dialog.ChosenSet(), 1);
    }
}

// One rule for the loader and the chooser: a set the chooser leaves out is not loaded
// either, so the set in use can always be seen and chosen again.
TEST(SetChooser, ASetItLeavesOutIsNotLoadedEither) {
    TestFolder folder;
    AddSets(folder, {1, 12});
    folder.Remove("Set12/Title.txt");
    const PieceSet set = LoadPieceSet({folder.Path()}, 12, {});
    EXPECT_EQ(set.number, 1);
    ShownChooser chooser(folder, set.number);
    QListWidget* list = List(chooser.dialog);
    EXPECT_EQ(Labels(list), QStringList{"Set 1"});
    ASSERT_EQ(list->selectedItems().size(), 1);
    EXPECT_EQ(list->selectedItems().first()->text(), "Set 1");
}

// A folder of thousands of sets opens at once: only the sets in view have their pictures read,
// and one that turns out broken then is left out as the loader leaves it out.
TEST(SetChooser, ReadsThePicturesOfTheSetsInViewOnly) {
    TestFolder folder;
    for (int number = 1; number <= 40; ++number) AddSets(folder, {number});
    folder.WriteFile("Set2/Piece4.gif", "GIF89a");
    ShownChooser chooser(folder, 1);
    QListWidget* list = List(chooser.dialog);
    ASSERT_EQ(list->count(), 40);
    EXPECT_TRUE(QTest::qWaitFor([&] { return list->item(1)->isHidden(); }));
    EXPECT_TRUE(ShowsItsPicture(list->item(0)));
    EXPECT_TRUE(ShowsItsPicture(list->item(2)));
    QListWidgetItem* last = list->item(39);
    EXPECT_FALSE(ShowsItsPicture(last));
    list->scrollToItem(last);
    EXPECT_TRUE(QTest::qWaitFor([&] { return ShowsItsPicture(last); }));
    QTest::qWait(50);  // a change of layout would come now
    EXPECT_TRUE(list->viewport()->rect().contains(list->visualItemRect(last)))
        << "the entry scrolled to stays in view whole once its picture is read";
}

TEST(SetChooser, ListsTheFirstThreeHundredSets) {
    TestFolder folder;
    for (int number = 305; number >= 1; --number) AddSets(folder, {number});
    ShownChooser chooser(folder, 1);
    QListWidget* list = List(chooser.dialog);
    ASSERT_EQ(list->count(), 300);
    EXPECT_EQ(list->item(299)->text(), "Set 300");
}

// The window disables itself around the chooser; the chooser must still take the player's
// choice, and the click that opened it must not wait for it.
TEST(OpenSetChooser, ReturnsAtOnceAndHandsTheChoiceOverWhenClosed) {
    TestFolder folder;
    AddSets(folder, {1, 2, 5});
    QWidget window;
    window.show();
    window.setEnabled(false);
    std::vector<int> chosen;
    SetChooser* chooser =
        OpenSetChooser(&window, {folder.Path()}, 1, [&](int set) { chosen.push_back(set); });
    ASSERT_TRUE(chooser->isVisible());
    EXPECT_TRUE(chooser->isEnabled());
    EXPECT_EQ(chooser->parentWidget(), &window);
    EXPECT_EQ(QApplication::activeModalWidget(), chooser);
    EXPECT_TRUE(chosen.empty());
    QPointer<SetChooser> open = chooser;
    QListWidget* list = List(*chooser);
    DoubleClick(list, CentreOf(list, 2));
    EXPECT_EQ(chosen, std::vector<int>{5});
    EXPECT_TRUE(QTest::qWaitFor([&] { return open.isNull(); }));  // it deletes itself once closed

    chooser = OpenSetChooser(&window, {folder.Path()}, 2, [&](int set) { chosen.push_back(set); });
    Click(*chooser, "pctReset");
    EXPECT_EQ(chosen, (std::vector<int>{5, 2}));
}

// A player on the keys reaches the list, Ok and Cancel with Tab, and a reader names the
// dialog; Enter presses the button that has the focus.
TEST(SetChooser, TabReachesTheListOkAndCancelAndEnterPressesTheFocusedOne) {
    TestFolder folder;
    AddSets(folder, {1, 2});
    ShownChooser chooser(folder, 1);
    chooser.dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&chooser.dialog));
    EXPECT_EQ(chooser.dialog.windowTitle(), "Choose a piece set");
    QListWidget* list = List(chooser.dialog);
    EXPECT_EQ(QApplication::focusWidget(), list);
    QTest::keyClick(list, Qt::Key_Right);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), chooser.dialog.findChild<QAbstractButton*>("pctOk"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), chooser.dialog.findChild<QAbstractButton*>("pctReset"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_FALSE(chooser.dialog.isVisible());
    EXPECT_EQ(chooser.dialog.result(), QDialog::Rejected) << "Enter on Cancel cancels";
    EXPECT_EQ(chooser.dialog.ChosenSet(), 1);
}

}  // namespace
}  // namespace quabe

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Headless unless told otherwise, also when the build lists the tests.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
