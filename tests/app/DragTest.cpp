// Mouse events go through the window system, so moves during a drag reach the
// widget that holds the implicit grab, also outside the widget.
#define QTEST_QPA_MOUSE_HANDLING
#include <QtTest>

#include "TLenseGraph.h"
#include "TfrmExample.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace {

struct TDragCase {
    const char* Name;
    Qt::MouseButton Button;
    QPoint Press;
    std::vector<QPoint> Moves;
    TGrabTarget Grabbed;
    std::int32_t ObjectX;
    std::int32_t ObjectH;
    std::int32_t F;
    int Paints;
};

void PrintTo(const TDragCase& Case, std::ostream* Out)
{
    *Out << Case.Name;
}

class DiagramDrag : public testing::TestWithParam<TDragCase> {
protected:
    DiagramDrag()
    {
        Window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&Window));
    }

    TLenseGraph* Graph() { return Window.LenseGraph(); }

    TfrmExample Window;
};

// In the main window the diagram is 608 x 475 (centre 304, 237) with ObjectX 200,
// ObjectH 150, F 80 and GrabSensitivity 50: the object's top is at (104, 87), the
// left F mark at (224, 237) and the left 2F mark at (144, 237).
TEST_P(DiagramDrag, PressAndMovesThroughTheWindowSystem)
{
    const TDragCase& Case = GetParam();
    ASSERT_EQ(Graph()->size(), QSize(608, 475));
    const int Before = Graph()->PaintCount();

    QTest::mousePress(Graph(), Case.Button, {}, Case.Press);
    for (const QPoint& Move : Case.Moves)
        QTest::mouseMove(Graph(), Move);

    EXPECT_EQ(Graph()->GrabTarget(), Case.Grabbed);
    EXPECT_EQ(Graph()->ObjectX(), Case.ObjectX);
    EXPECT_EQ(Graph()->ObjectH(), Case.ObjectH);
    EXPECT_EQ(Graph()->F(), Case.F);
    EXPECT_EQ(Graph()->PaintCount() - Before, Case.Paints);

    const QPoint Last = Case.Moves.empty() ? Case.Press : Case.Moves.back();
    QTest::mouseRelease(Graph(), Case.Button, {}, Last);
    EXPECT_EQ(Graph()->GrabTarget(), TGrabTarget::gtNone);
    EXPECT_EQ(Graph()->PaintCount() - Before, Case.Paints);
}

const TDragCase Cases[] = {
    { "ObjectTopExactly", Qt::LeftButton, { 104, 87 }, {}, TGrabTarget::gtObject, 200, 150, 80, 1 },
    { "ObjectWithinTheCircleJumps", Qt::LeftButton, { 140, 120 }, {}, TGrabTarget::gtObject, 164, 117, 80,
        1 },
    { "FocusAtTheDiamondsTip", Qt::LeftButton, { 224, 187 }, {}, TGrabTarget::gtFocus, 200, 150, 80, 1 },
    { "OnePixelAboveTheDiamond", Qt::LeftButton, { 224, 186 }, {}, TGrabTarget::gtNone, 200, 150, 80, 0 },
    { "FocusAtTheDiamondsEdge", Qt::LeftButton, { 249, 212 }, {}, TGrabTarget::gtFocus, 200, 150, 55, 1 },
    { "JustOutsideTheDiamond", Qt::LeftButton, { 250, 212 }, {}, TGrabTarget::gtNone, 200, 150, 80, 0 },
    { "DoubleFocus", Qt::LeftButton, { 144, 237 }, {}, TGrabTarget::gtDoubleFocus, 200, 150, 80, 1 },
    { "DoubleFocusToTheLens", Qt::LeftButton, { 144, 237 }, { { 303, 237 } }, TGrabTarget::gtDoubleFocus, 200,
        150, 1, 2 },
    { "DoubleFocusInStepsOfTwo", Qt::LeftButton, { 144, 237 }, { { 145, 10 } }, TGrabTarget::gtDoubleFocus,
        200, 150, 79, 2 },
    { "FocusPastTheLens", Qt::LeftButton, { 224, 237 }, { { 400, 300 } }, TGrabTarget::gtFocus, 200, 150, 1,
        2 },
    { "ObjectPastTheLens", Qt::LeftButton, { 104, 87 }, { { 310, 87 } }, TGrabTarget::gtObject, 1, 150, 80,
        2 },
    { "ObjectBelowTheAxis", Qt::LeftButton, { 104, 87 }, { { 104, 300 } }, TGrabTarget::gtObject, 200, -63,
        80, 2 },
    { "ObjectPastTheLeftEdgeStaysInThePicture", Qt::LeftButton, { 104, 87 }, { { 50, 50 }, { -20, -5 } },
        TGrabTarget::gtObject, 304, 237, 80, 3 },
    { "RightButtonGrabsNothing", Qt::RightButton, { 104, 87 }, { { 150, 150 } }, TGrabTarget::gtNone, 200,
        150, 80, 0 },
};

INSTANTIATE_TEST_SUITE_P(WorkedExamples, DiagramDrag, testing::ValuesIn(Cases),
    [](const testing::TestParamInfo<TDragCase>& Info) { return std::string(Info.param.Name); });

TEST_F(DiagramDrag, OtherButtonsDuringADragNeitherEndNorRestartIt)
{
    QTest::mousePress(Graph(), Qt::LeftButton, {}, QPoint(104, 87));
    QTest::mousePress(Graph(), Qt::RightButton, Qt::NoModifier, QPoint(600, 400));
    QTest::mouseRelease(Graph(), Qt::RightButton, {}, QPoint(600, 400));
    EXPECT_EQ(Graph()->GrabTarget(), TGrabTarget::gtObject);

    QTest::mouseMove(Graph(), QPoint(154, 137));
    EXPECT_EQ(Graph()->ObjectX(), 150);
    EXPECT_EQ(Graph()->ObjectH(), 100);

    QTest::mouseRelease(Graph(), Qt::LeftButton, {}, QPoint(154, 137));
    const int Released = Graph()->PaintCount();
    QTest::mouseMove(Graph(), QPoint(10, 10));
    EXPECT_EQ(Graph()->GrabTarget(), TGrabTarget::gtNone);
    EXPECT_EQ(Graph()->ObjectX(), 150);
    EXPECT_EQ(Graph()->PaintCount(), Released);
}

}
