#include "TControlAlign.h"
#include "TMemo.h"
#include "TPanel.h"
#include "TRadioGroup.h"

#include <QRadioButton>
#include <QtTest>
#include <gtest/gtest.h>

namespace {

struct AlignedChildren : testing::Test {
    AlignedChildren()
    {
        Container.resize(300, 200);
        Align = new TControlAlign(&Container);
    }

    QWidget* Add(
        const QRect& Bounds, TAlign How, TAnchors Anchors = TAnchors(TAnchorKind::Left) | TAnchorKind::Top)
    {
        auto* Child = new QWidget(&Container);
        Align->Place(Child, Bounds, How, Anchors);
        return Child;
    }

    QWidget Container;
    TControlAlign* Align;
};

TEST_F(AlignedChildren, StripsAreTakenInTheOrderTopBottomLeftRightClient)
{
    QWidget* Client = Add(QRect(0, 0, 10, 10), TAlign::Client);
    QWidget* Right = Add(QRect(250, 0, 50, 10), TAlign::Right);
    QWidget* Bottom = Add(QRect(0, 170, 300, 30), TAlign::Bottom);
    QWidget* Top = Add(QRect(0, 0, 300, 20), TAlign::Top);

    EXPECT_EQ(Top->geometry(), QRect(0, 0, 300, 20));
    EXPECT_EQ(Bottom->geometry(), QRect(0, 170, 300, 30));
    EXPECT_EQ(Right->geometry(), QRect(250, 20, 50, 150));
    EXPECT_EQ(Client->geometry(), QRect(0, 20, 250, 150));

    Container.resize(400, 260);
    Align->Realign();
    EXPECT_EQ(Bottom->geometry(), QRect(0, 230, 400, 30));
    EXPECT_EQ(Right->geometry(), QRect(350, 20, 50, 210));
    EXPECT_EQ(Client->geometry(), QRect(0, 20, 350, 210));
}

TEST_F(AlignedChildren, AnchoredControlsKeepTheirDistanceToAnchoredEdges)
{
    QWidget* Stretching = Add(QRect(10, 10, 100, 20), TAlign::None,
        TAnchors(TAnchorKind::Left) | TAnchorKind::Top | TAnchorKind::Right);
    QWidget* Fixed = Add(QRect(10, 40, 100, 20), TAlign::None);
    QWidget* BottomRight
        = Add(QRect(180, 150, 100, 30), TAlign::None, TAnchors(TAnchorKind::Right) | TAnchorKind::Bottom);
    QWidget* Tall = Add(QRect(5, 70, 20, 100), TAlign::None,
        TAnchors(TAnchorKind::Left) | TAnchorKind::Top | TAnchorKind::Bottom);

    Container.resize(350, 150);
    Align->Realign();

    EXPECT_EQ(Stretching->geometry(), QRect(10, 10, 150, 20));
    EXPECT_EQ(Fixed->geometry(), QRect(10, 40, 100, 20));
    EXPECT_EQ(BottomRight->geometry(), QRect(230, 100, 100, 30));
    EXPECT_EQ(Tall->geometry(), QRect(5, 70, 20, 50));

    Container.resize(50, 20);
    Align->Realign();
    EXPECT_EQ(Stretching->width(), 0);
    EXPECT_EQ(Tall->height(), 0);
}

TEST(Panel, ChildrenAreInClientCoordinatesInsideTheSingleBorder)
{
    TPanel Panel;
    Panel.resize(142, 137);
    Panel.SetBevelOuter(TPanel::TBevelCut::None);
    Panel.SetSingleBorder(true);
    Panel.SetBorderWidth(1);
    QWidget Title(&Panel);
    QWidget Row(&Panel);
    Panel.Controls().Place(&Title, QRect(1, 1, 136, 18), TAlign::Top);
    Panel.Controls().Place(&Row, QRect(8, 32, 16, 16));

    EXPECT_EQ(Title.geometry(), QRect(3, 3, 136, 18));
    EXPECT_EQ(Row.geometry(), QRect(10, 34, 16, 16));
}

TEST(Memo, LinesFollowTheTextBothWays)
{
    TMemo Memo;
    EXPECT_TRUE(Memo.Lines().isEmpty());

    Memo.setProperty("Lines", QStringList({ "first", "", "third" }));
    EXPECT_EQ(Memo.toPlainText(), "first\n\nthird");

    Memo.show();
    Memo.setFocus();
    Memo.moveCursor(QTextCursor::End);
    QTest::keyClicks(&Memo, " line");
    QTest::keyClick(&Memo, Qt::Key_Return);
    QTest::keyClicks(&Memo, "fourth");
    EXPECT_EQ(Memo.property("Lines").toStringList(), QStringList({ "first", "", "third line", "fourth" }));
}

TEST(RadioGroup, ItemsNameTheButtonsAndAClickSelectsOne)
{
    TRadioGroup Group;
    Group.resize(129, 65);
    Group.setProperty("Items", QStringList({ "a", "b", "c" }));
    Group.SetItemIndex(2);
    Group.setProperty("Items", QStringList({ "Concave", "Convex" }));
    Group.show();

    ASSERT_EQ(Group.Button(1)->text(), "Convex");
    EXPECT_EQ(Group.findChildren<QRadioButton*>().size(), 2);
    EXPECT_EQ(Group.ItemIndex(), -1);
    EXPECT_GE(Group.Button(0)->y(), Group.fontMetrics().height());
    EXPECT_LE(Group.Button(1)->geometry().bottom(), Group.height());

    int Clicks = 0;
    QObject::connect(&Group, &TRadioGroup::Click, [&Clicks] { ++Clicks; });
    QTest::mouseClick(Group.Button(1), Qt::LeftButton);
    EXPECT_EQ(Group.ItemIndex(), 1);
    EXPECT_TRUE(Group.Button(1)->isChecked());
    EXPECT_EQ(Clicks, 1);

    Group.SetItemIndex(0);
    EXPECT_TRUE(Group.Button(0)->isChecked());
    EXPECT_FALSE(Group.Button(1)->isChecked());
    EXPECT_EQ(Clicks, 1);
}

}
