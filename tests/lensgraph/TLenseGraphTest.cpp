#include "TLenseGraph.h"
#include "PixelImage.h"

#include <QImage>
#include <QMetaProperty>

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <functional>
#include <ostream>
#include <string>

namespace {

TEST(LenseGraph, FreshComponentHasItsDefaults)
{
    TLenseGraph Graph;
    EXPECT_EQ(Graph.width(), 150);
    EXPECT_EQ(Graph.height(), 150);
    EXPECT_EQ(Graph.LenseType(), TLenseType::ltConvex);
    EXPECT_EQ(Graph.F(), 3);
    EXPECT_EQ(Graph.ObjectX(), 200);
    EXPECT_EQ(Graph.ObjectH(), 150);
    EXPECT_EQ(Graph.ImageColor(), 0u);
    EXPECT_EQ(Graph.LenseColor(), 0xFFDDDDu);
    EXPECT_EQ(Graph.GrabSensitivity(), 50);
    EXPECT_EQ(Graph.GrabTarget(), TGrabTarget::gtNone);
    EXPECT_EQ(Graph.PaintCount(), 0);
}

TEST(LenseGraph, PublishedPropertiesKeepTheirOrder)
{
    const QMetaObject& Meta = TLenseGraph::staticMetaObject;
    const char* Expected[] = { "GridColor", "LenseColor", "BackColor", "ObjectColor", "ImageColor",
        "LineColor1", "LineColor2", "F", "MarkWidth", "MarkCapSpace", "LenseType", "ObjectH", "ObjectX",
        "GrabSensitivity", "LenseHeightRatio", "LenseWidthRatio", "ConcaveThick", "DrawLense" };
    const int First = Meta.propertyOffset();
    ASSERT_EQ(Meta.propertyCount() - First, static_cast<int>(std::size(Expected)));
    for (int I = 0; I < static_cast<int>(std::size(Expected)); ++I)
        EXPECT_STREQ(Meta.property(First + I).name(), Expected[I]);
}

struct TSetterCase {
    std::string Name;
    std::function<void(TLenseGraph&)> SetSame;
    std::function<void(TLenseGraph&)> SetOther;
};

void PrintTo(const TSetterCase& Case, std::ostream* Out)
{
    *Out << Case.Name;
}

class SetterCases : public testing::TestWithParam<TSetterCase> { };

TEST_P(SetterCases, SameValuePaintsNothingAndAChangePaintsOnce)
{
    TLenseGraph Graph;
    GetParam().SetSame(Graph);
    EXPECT_EQ(Graph.PaintCount(), 0);
    GetParam().SetOther(Graph);
    EXPECT_EQ(Graph.PaintCount(), 1);
    GetParam().SetOther(Graph);
    EXPECT_EQ(Graph.PaintCount(), 1);
}

#define SETTER_CASE(Prop, Same, Other)                                                                       \
    TSetterCase                                                                                              \
    {                                                                                                        \
#Prop, [](TLenseGraph & Graph) { Graph.Set##Prop(Same); },                                           \
            [](TLenseGraph & Graph) { Graph.Set##Prop(Other); }                                              \
    }

INSTANTIATE_TEST_SUITE_P(AllSetters, SetterCases,
    testing::Values(SETTER_CASE(GridColor, 0, 0x123456), SETTER_CASE(LenseColor, 0xFFDDDD, 0xFF),
        SETTER_CASE(BackColor, 0xFFFFFF, 0), SETTER_CASE(ObjectColor, 0x7F00, 1),
        SETTER_CASE(ImageColor, 0, 0x3366BB), SETTER_CASE(LineColor1, 0xFF, 0xFF00),
        SETTER_CASE(LineColor2, 0xFF0000, 0xFF00), SETTER_CASE(F, 3, 80), SETTER_CASE(MarkWidth, 3, 4),
        SETTER_CASE(MarkCapSpace, 5, 6), SETTER_CASE(LenseType, TLenseType::ltConvex, TLenseType::ltConcave),
        SETTER_CASE(ObjectH, 150, -40), SETTER_CASE(ObjectX, 200, -7),
        SETTER_CASE(LenseHeightRatio, 0.45, 0.3), SETTER_CASE(LenseWidthRatio, 0.1, 0.0),
        SETTER_CASE(ConcaveThick, 5, 0), SETTER_CASE(DrawLense, true, false)),
    [](const testing::TestParamInfo<TSetterCase>& Info) { return Info.param.Name; });

TEST(LenseGraph, NanRatioCountsAsEqualAndIsNeverStored)
{
    TLenseGraph Graph;
    Graph.SetLenseHeightRatio(std::nan(""));
    Graph.SetLenseWidthRatio(std::nan(""));
    EXPECT_EQ(Graph.LenseHeightRatio(), 0.45);
    EXPECT_EQ(Graph.LenseWidthRatio(), 0.1);
    EXPECT_EQ(Graph.PaintCount(), 0);
}

TEST(LenseGraph, GrabSensitivityNeverRepaints)
{
    TLenseGraph Graph;
    Graph.SetGrabSensitivity(7);
    EXPECT_EQ(Graph.GrabSensitivity(), 7);
    EXPECT_EQ(Graph.PaintCount(), 0);
}

TEST(LenseGraph, OutOfRangeValuesAreStoredUnchangedAndPaintWithoutCrashing)
{
    TLenseGraph Graph;
    Graph.resize(608, 475);
    for (int Focal : { 0, -80, INT_MAX, INT_MIN }) {
        Graph.SetF(Focal);
        EXPECT_EQ(Graph.F(), Focal);
    }
    for (int X : { -200, 0, INT_MAX, INT_MIN }) {
        Graph.SetObjectX(X);
        EXPECT_EQ(Graph.ObjectX(), X);
    }
    Graph.SetObjectH(INT_MIN);
    Graph.SetMarkWidth(INT_MAX);
    Graph.SetMarkCapSpace(INT_MIN);
    Graph.SetLenseHeightRatio(1e300);
    Graph.SetLenseWidthRatio(-HUGE_VAL);
    EXPECT_EQ(Graph.PaintCount(), 13);
    EXPECT_EQ(Graph.Bitmap().Width(), 608);
}

// A whole state in one go draws what the same values set one by one draw, composed once.
TEST(LenseGraph, SetStateTakesEveryValueAndComposesOnce)
{
    TLenseDiagramState State;
    State.GridColor = 0x808080;
    State.LenseColor = 0xCCFFCC;
    State.BackColor = 0xF0F0F0;
    State.ImageColor = 0x3366BB;
    State.LineColor1 = 0x00AA00;
    State.LineColor2 = 0xAA00AA;
    State.F = 60;
    State.MarkWidth = 4;
    State.MarkCapSpace = 6;
    State.LenseType = TLenseType::ltConcave;
    State.ObjectH = -90;
    State.ObjectX = 170;
    State.GrabSensitivity = 9;
    State.LenseHeightRatio = 0.3;
    State.LenseWidthRatio = 0.2;
    State.ConcaveThick = 8;
    State.DrawLense = false;

    TLenseGraph OneByOne;
    OneByOne.resize(608, 475);
    OneByOne.SetGridColor(State.GridColor);
    OneByOne.SetLenseColor(State.LenseColor);
    OneByOne.SetBackColor(State.BackColor);
    OneByOne.SetImageColor(State.ImageColor);
    OneByOne.SetLineColor1(State.LineColor1);
    OneByOne.SetLineColor2(State.LineColor2);
    OneByOne.SetF(State.F);
    OneByOne.SetMarkWidth(State.MarkWidth);
    OneByOne.SetMarkCapSpace(State.MarkCapSpace);
    OneByOne.SetLenseType(State.LenseType);
    OneByOne.SetObjectH(State.ObjectH);
    OneByOne.SetObjectX(State.ObjectX);
    OneByOne.SetLenseHeightRatio(State.LenseHeightRatio);
    OneByOne.SetLenseWidthRatio(State.LenseWidthRatio);
    OneByOne.SetConcaveThick(State.ConcaveThick);
    OneByOne.SetDrawLense(State.DrawLense);

    TLenseGraph AtOnce;
    AtOnce.resize(608, 475);
    AtOnce.SetState(State);
    EXPECT_EQ(AtOnce.PaintCount(), 1);
    EXPECT_EQ(AtOnce.GrabSensitivity(), 9);
    EXPECT_EQ(PixelImage(AtOnce.Bitmap()), PixelImage(OneByOne.Bitmap()));
}

TEST(LenseGraph, LensTypeThereAndBackPaintsTwice)
{
    TLenseGraph Graph;
    Graph.SetLenseType(TLenseType::ltConcave);
    Graph.SetLenseType(TLenseType::ltConvex);
    EXPECT_EQ(Graph.PaintCount(), 2);
}

TEST(LenseGraph, ComposesAtTheWidgetSize)
{
    TLenseGraph Graph;
    Graph.resize(607, 474);
    Graph.SetF(80);
    EXPECT_EQ(Graph.Bitmap().Width(), 607);
    EXPECT_EQ(Graph.Bitmap().Height(), 474);
}

TEST(LenseGraph, ShownWidgetShowsTheComposedBitmap)
{
    TLenseGraph Graph;
    Graph.resize(200, 120);
    Graph.show();
    Graph.SetF(30);
    const int Paints = Graph.PaintCount();
    const QImage OnScreen = Graph.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(Graph.PaintCount(), Paints) << "a plain repaint only copies the bitmap";
    EXPECT_EQ(OnScreen, PixelImage(Graph.Bitmap()));
}

} // namespace
