#include "LenseGraph.h"

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
    TLenseGraph g;
    EXPECT_EQ(g.width(), 150);
    EXPECT_EQ(g.height(), 150);
    EXPECT_EQ(g.LenseType(), ltConvex);
    EXPECT_EQ(g.F(), 3);
    EXPECT_EQ(g.ObjectX(), 200);
    EXPECT_EQ(g.ObjectH(), 150);
    EXPECT_EQ(g.ImageColor(), 0u);
    EXPECT_EQ(g.LenseColor(), 0xFFDDDDu);
    EXPECT_EQ(g.GrabSensitivity(), 50);
    EXPECT_EQ(g.GrabTarget(), gtNone);
    EXPECT_EQ(g.PaintCount(), 0);
}

TEST(LenseGraph, PublishedPropertiesKeepTheirOrder)
{
    const QMetaObject& meta = TLenseGraph::staticMetaObject;
    const char* expected[] = { "GridColor", "LenseColor", "BackColor", "ObjectColor", "ImageColor",
        "LineColor1", "LineColor2", "F", "MarkWidth", "MarkCapSpace", "LenseType", "ObjectH", "ObjectX",
        "GrabSensitivity", "LenseHeightRatio", "LenseWidthRatio", "ConcaveThick", "DrawLense" };
    const int first = meta.propertyOffset();
    ASSERT_EQ(meta.propertyCount() - first, static_cast<int>(std::size(expected)));
    for (int i = 0; i < static_cast<int>(std::size(expected)); ++i)
        EXPECT_STREQ(meta.property(first + i).name(), expected[i]);
}

struct TSetterCase {
    std::string Name;
    std::function<void(TLenseGraph&)> SetSame;
    std::function<void(TLenseGraph&)> SetOther;
};

void PrintTo(const TSetterCase& c, std::ostream* os)
{
    *os << c.Name;
}

class SetterCases : public testing::TestWithParam<TSetterCase> { };

TEST_P(SetterCases, SameValuePaintsNothingAndAChangePaintsOnce)
{
    TLenseGraph g;
    GetParam().SetSame(g);
    EXPECT_EQ(g.PaintCount(), 0);
    GetParam().SetOther(g);
    EXPECT_EQ(g.PaintCount(), 1);
    GetParam().SetOther(g);
    EXPECT_EQ(g.PaintCount(), 1);
}

#define SETTER_CASE(Prop, Same, Other)                                                                       \
    TSetterCase                                                                                              \
    {                                                                                                        \
#Prop, [](TLenseGraph & g) { g.Set##Prop(Same); }, [](TLenseGraph & g) { g.Set##Prop(Other); }       \
    }

INSTANTIATE_TEST_SUITE_P(AllSetters, SetterCases,
    testing::Values(SETTER_CASE(GridColor, 0, 0x123456), SETTER_CASE(LenseColor, 0xFFDDDD, 0xFF),
        SETTER_CASE(BackColor, 0xFFFFFF, 0), SETTER_CASE(ObjectColor, 0x7F00, 1),
        SETTER_CASE(ImageColor, 0, 0x3366BB), SETTER_CASE(LineColor1, 0xFF, 0xFF00),
        SETTER_CASE(LineColor2, 0xFF0000, 0xFF00), SETTER_CASE(F, 3, 80), SETTER_CASE(MarkWidth, 3, 4),
        SETTER_CASE(MarkCapSpace, 5, 6), SETTER_CASE(LenseType, ltConvex, ltConcave),
        SETTER_CASE(ObjectH, 150, -40), SETTER_CASE(ObjectX, 200, -7),
        SETTER_CASE(LenseHeightRatio, 0.45, 0.3), SETTER_CASE(LenseWidthRatio, 0.1, 0.0),
        SETTER_CASE(ConcaveThick, 5, 0), SETTER_CASE(DrawLense, true, false)),
    [](const testing::TestParamInfo<TSetterCase>& info) { return info.param.Name; });

TEST(LenseGraph, NanRatioCountsAsEqualAndIsNeverStored)
{
    TLenseGraph g;
    g.SetLenseHeightRatio(std::nan(""));
    g.SetLenseWidthRatio(std::nan(""));
    EXPECT_EQ(g.LenseHeightRatio(), 0.45);
    EXPECT_EQ(g.LenseWidthRatio(), 0.1);
    EXPECT_EQ(g.PaintCount(), 0);
}

TEST(LenseGraph, GrabSensitivityNeverRepaints)
{
    TLenseGraph g;
    g.SetGrabSensitivity(7);
    EXPECT_EQ(g.GrabSensitivity(), 7);
    EXPECT_EQ(g.PaintCount(), 0);
}

TEST(LenseGraph, OutOfRangeValuesAreStoredUnchangedAndPaintWithoutCrashing)
{
    TLenseGraph g;
    g.resize(608, 475);
    for (int f : { 0, -80, INT_MAX, INT_MIN }) {
        g.SetF(f);
        EXPECT_EQ(g.F(), f);
    }
    for (int x : { -200, 0, INT_MAX, INT_MIN }) {
        g.SetObjectX(x);
        EXPECT_EQ(g.ObjectX(), x);
    }
    g.SetObjectH(INT_MIN);
    g.SetMarkWidth(INT_MAX);
    g.SetMarkCapSpace(INT_MIN);
    g.SetLenseHeightRatio(1e300);
    g.SetLenseWidthRatio(-HUGE_VAL);
    EXPECT_EQ(g.PaintCount(), 13);
    EXPECT_EQ(g.Bitmap().Width(), 608);
}

TEST(LenseGraph, LensTypeThereAndBackPaintsTwice)
{
    TLenseGraph g;
    g.SetLenseType(ltConcave);
    g.SetLenseType(ltConvex);
    EXPECT_EQ(g.PaintCount(), 2);
}

TEST(LenseGraph, ComposesAtTheWidgetSize)
{
    TLenseGraph g;
    g.resize(607, 474);
    g.SetF(80);
    EXPECT_EQ(g.Bitmap().Width(), 607);
    EXPECT_EQ(g.Bitmap().Height(), 474);
}

TEST(LenseGraph, ShownWidgetShowsTheComposedBitmap)
{
    TLenseGraph g;
    g.resize(200, 120);
    g.show();
    g.SetF(30);
    const int paints = g.PaintCount();
    const QImage onScreen = g.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(g.PaintCount(), paints) << "a plain repaint only copies the bitmap";
    EXPECT_EQ(onScreen, g.Bitmap().Image());
}

} // namespace
