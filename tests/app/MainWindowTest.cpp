#include "FormLook.h"
#include "PixelImage.h"
#include "TLenseGraph.h"
#include "TMemo.h"
#include "TPanel.h"
#include "TRadioGroup.h"
#include "TShape.h"
#include "TfrmExample.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>
#include <gtest/gtest.h>

namespace {

class MainWindow : public testing::Test {
protected:
    MainWindow()
    {
        Window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&Window));
    }

    template <typename T = QWidget> T* Control(const char* Name)
    {
        T* Found = Window.findChild<T*>(Name);
        EXPECT_NE(Found, nullptr) << Name;
        return Found;
    }

    // The control's place in its parent's client area.
    QRect ClientBounds(const char* Name)
    {
        QWidget* Widget = Control(Name);
        return Widget->geometry().translated(-Widget->parentWidget()->contentsRect().topLeft());
    }

    TLenseGraph* Graph() { return Window.LenseGraph(); }

    TfrmExample Window;
};

TEST_F(MainWindow, ControlsStartWithTheirDesignedGeometryAndParents)
{
    struct Row {
        const char* Name;
        const char* Parent;
        QRect Bounds;
    };
    const Row Rows[] = {
        { "pnlCommand", "", QRect(608, 0, 162, 475) },
        { "cmdExit", "pnlCommand", QRect(10, 10, 143, 32) },
        { "BButAbout", "pnlCommand", QRect(8, 48, 145, 33) },
        { "RGLenseType", "pnlCommand", QRect(16, 104, 129, 65) },
        { "CBDrawLense", "pnlCommand", QRect(15, 216, 140, 17) },
        { "PLegend", "pnlCommand", QRect(11, 331, 142, 137) },
        { "Label1", "PLegend", QRect(1, 1, 136, 18) },
        { "SObject", "PLegend", QRect(8, 32, 16, 16) },
        { "LObject", "PLegend", QRect(32, 32, 129, 16) },
        { "SImage", "PLegend", QRect(8, 56, 16, 16) },
        { "LImage", "PLegend", QRect(32, 56, 129, 16) },
        { "SFocusBeam", "PLegend", QRect(8, 80, 16, 16) },
        { "LFocusbeam", "PLegend", QRect(32, 80, 129, 16) },
        { "SCenterBeam", "PLegend", QRect(8, 104, 16, 16) },
        { "LCenterbeam", "PLegend", QRect(32, 104, 129, 16) },
        { "Memo1", "", QRect(0, 475, 770, 92) },
    };
    EXPECT_EQ(Window.size(), QSize(770, 567));
    for (const Row& Expected : Rows) {
        SCOPED_TRACE(Expected.Name);
        EXPECT_EQ(ClientBounds(Expected.Name), Expected.Bounds);
        EXPECT_EQ(Control(Expected.Name)->parentWidget()->objectName(), Expected.Parent);
    }
    EXPECT_EQ(Graph()->parentWidget(), &Window);
    EXPECT_EQ(Graph()->geometry(), QRect(0, 0, 608, 475));
    EXPECT_EQ(Control<QObject>("pbmDead")->parent(), &Window);
}

TEST_F(MainWindow, RadioButtonsFollowTheItemsProperty)
{
    Control("RGLenseType")->setProperty("Items", QStringList({ "Konkav", "Konvex" }));
    EXPECT_EQ(Control<TRadioGroup>("RGLenseType")->Button(0)->text(), "Konkav");
    EXPECT_EQ(Control<TRadioGroup>("RGLenseType")->ItemIndex(), 1);
}

TEST_F(MainWindow, StartsConvexWithTheLensDrawnAndTheDiagramsStartingValues)
{
    EXPECT_EQ(Control<TRadioGroup>("RGLenseType")->ItemIndex(), 1);
    EXPECT_TRUE(Control<QCheckBox>("CBDrawLense")->isChecked());
    EXPECT_EQ(Graph()->LenseType(), TLenseType::ltConvex);
    EXPECT_TRUE(Graph()->DrawLense());
    EXPECT_EQ(Graph()->F(), 80);
    EXPECT_EQ(Graph()->ImageColor(), 0x3366BBu);
    EXPECT_EQ(Graph()->ObjectX(), 200);
    EXPECT_EQ(Graph()->ObjectH(), 150);
}

TEST_F(MainWindow, LegendIsColouredFromTheDiagram)
{
    const std::tuple<const char*, const char*, TColor> Rows[] = {
        { "SObject", "LObject", Graph()->ObjectColor() },
        { "SImage", "LImage", Graph()->ImageColor() },
        { "SFocusBeam", "LFocusbeam", Graph()->LineColor1() },
        { "SCenterBeam", "LCenterbeam", Graph()->LineColor2() },
    };
    for (const auto& [Shape, Label, Color] : Rows) {
        EXPECT_EQ(Control<TShape>(Shape)->BrushColor(), FormLook::FromTColor(Color)) << Shape;
        EXPECT_EQ(Control(Label)->palette().color(QPalette::WindowText), FormLook::FromTColor(Color))
            << Label;
    }
    EXPECT_EQ(Control<TShape>("SImage")->BrushColor(), QColor(0xBB, 0x66, 0x33));
    EXPECT_EQ(Control<TShape>("SFocusBeam")->BrushColor(), QColor(Qt::red));
    EXPECT_EQ(Control<TShape>("SCenterBeam")->BrushColor(), QColor(Qt::blue));

    const QImage Legend = Control("PLegend")->grab().toImage();
    EXPECT_EQ(Legend.pixelColor(ClientBounds("SImage").center() + QPoint(2, 2)), QColor(0xBB, 0x66, 0x33));
}

TEST_F(MainWindow, FontsAndSystemColours)
{
    EXPECT_EQ(Window.font().pixelSize(), 13);
    EXPECT_FALSE(Window.font().bold());
    EXPECT_EQ(Control("cmdExit")->font().pixelSize(), 13);
    const QFont Title = Control("Label1")->font();
    EXPECT_EQ(Title.pixelSize(), 14);
    EXPECT_TRUE(Title.bold());
    EXPECT_EQ(Control("Label1")->palette().color(QPalette::Window), QColor(Qt::blue));
    EXPECT_EQ(Control("Label1")->palette().color(QPalette::WindowText), QColor(Qt::white));
    EXPECT_EQ(Control("PLegend")->palette().color(QPalette::Window), QColor(Qt::white));
    EXPECT_EQ(Window.palette().color(QPalette::Window), FormLook::clBtnFace());
    EXPECT_EQ(Control("Memo1")->palette().color(QPalette::Base), FormLook::clInfoBk());
}

// As on the screen: the panel from the top (the lens type one stop), then the diagram and
// the text below it. The values' box, built when first asked for, takes its place between.
TEST_F(MainWindow, TabOrderRunsThroughThePanelThenTheDiagramThenTheMemo)
{
    const auto TabOrder = [this](int Count) {
        QStringList Order;
        QWidget* Widget = Control("cmdExit");
        for (int I = 0; I <= Count; ++I) {
            Order << (Widget->objectName().isEmpty() ? Widget->parentWidget()->objectName()
                                                     : Widget->objectName());
            do
                Widget = Widget->nextInFocusChain();
            while (!(Widget->focusPolicy() & Qt::TabFocus));
        }
        return Order;
    };
    EXPECT_EQ(Window.findChild<QWidget*>("MValues"), nullptr);
    EXPECT_EQ(TabOrder(7),
        QStringList({ "cmdExit", "BButAbout", "RGLenseType", "CBDrawLense", "CBShowValues", "FLenseGraph",
            "Memo1", "cmdExit" }));

    Control<QCheckBox>("CBShowValues")->setChecked(true);
    Control<QCheckBox>("CBShowValues")->setChecked(false);
    EXPECT_EQ(TabOrder(8),
        QStringList({ "cmdExit", "BButAbout", "RGLenseType", "CBDrawLense", "CBShowValues", "FLenseGraph",
            "MValues", "Memo1", "cmdExit" }));
    EXPECT_TRUE(Control("Memo1")->isVisibleTo(&Window));
    EXPECT_FALSE(Control("MValues")->isVisibleTo(&Window));
}

TEST_F(MainWindow, RadioItemsSetTheLensTypeWithOnePaintEach)
{
    auto* LenseType = Control<TRadioGroup>("RGLenseType");
    const int Before = Graph()->PaintCount();

    QTest::mouseClick(LenseType->Button(0), Qt::LeftButton);
    EXPECT_EQ(Graph()->LenseType(), TLenseType::ltConcave);
    EXPECT_EQ(Graph()->PaintCount(), Before + 1);

    QTest::mouseClick(LenseType->Button(0), Qt::LeftButton);
    EXPECT_EQ(Graph()->PaintCount(), Before + 1);

    QTest::mouseClick(LenseType->Button(1), Qt::LeftButton);
    EXPECT_EQ(Graph()->LenseType(), TLenseType::ltConvex);
    EXPECT_EQ(Graph()->PaintCount(), Before + 2);
}

TEST_F(MainWindow, CheckBoxTakesTheLensBodyOutOfTheDiagramAndBack)
{
    auto* DrawLense = Control<QCheckBox>("CBDrawLense");
    const QPoint InsideLens(296, 150);
    const QPoint OnAxis(20, 237);
    const QRgb LenseColor = FormLook::FromTColor(Graph()->LenseColor()).rgb();
    const QRgb BackColor = FormLook::FromTColor(Graph()->BackColor()).rgb();
    const QRgb GridColor = FormLook::FromTColor(Graph()->GridColor()).rgb();
    ASSERT_EQ(PixelImage(Graph()->Bitmap()).pixel(InsideLens), LenseColor);

    QTest::mouseClick(DrawLense, Qt::LeftButton);
    EXPECT_FALSE(Graph()->DrawLense());
    EXPECT_EQ(PixelImage(Graph()->Bitmap()).pixel(InsideLens), BackColor);
    EXPECT_EQ(PixelImage(Graph()->Bitmap()).pixel(OnAxis), GridColor);

    QTest::mouseClick(DrawLense, Qt::LeftButton);
    EXPECT_TRUE(Graph()->DrawLense());
    EXPECT_EQ(PixelImage(Graph()->Bitmap()).pixel(InsideLens), LenseColor);
}

TEST_F(MainWindow, ResizingMovesTheLensCentreAndKeepsTheLegendAtTheBottom)
{
    Window.resize(900, 700);
    QCoreApplication::processEvents();

    EXPECT_EQ(Graph()->geometry(), QRect(0, 0, 738, 608));
    EXPECT_EQ(ClientBounds("pnlCommand"), QRect(738, 0, 162, 608));
    EXPECT_EQ(ClientBounds("Memo1"), QRect(0, 608, 900, 92));
    EXPECT_EQ(ClientBounds("PLegend"), QRect(11, 464, 142, 137));
    EXPECT_EQ(ClientBounds("RGLenseType"), QRect(16, 104, 129, 65));
    EXPECT_EQ(ClientBounds("Label1"), QRect(1, 1, 136, 18));

    // The values' box, built only now, takes the explanation's place and follows the window.
    Control<QCheckBox>("CBShowValues")->setChecked(true);
    EXPECT_EQ(ClientBounds("MValues"), QRect(0, 608, 900, 92));
    Window.resize(800, 600);
    QCoreApplication::processEvents();
    EXPECT_EQ(ClientBounds("MValues"), QRect(0, 508, 800, 92));
    Window.resize(900, 700);
    QCoreApplication::processEvents();

    const QRgb GridColor = FormLook::FromTColor(Graph()->GridColor()).rgb();
    EXPECT_EQ(Graph()->Bitmap().Width(), 738);
    EXPECT_EQ(PixelImage(Graph()->Bitmap()).pixel(20, 304), GridColor);

    // The object's top is still 200 pixels left of the (new) lens centre.
    QTest::mousePress(Graph(), Qt::LeftButton, {}, QPoint(369 - 200, 304 - 150));
    EXPECT_EQ(Graph()->GrabTarget(), TGrabTarget::gtObject);
    EXPECT_EQ(Graph()->ObjectX(), 200);
    EXPECT_EQ(Graph()->ObjectH(), 150);
    QTest::mouseRelease(Graph(), Qt::LeftButton, {}, QPoint(369 - 200, 304 - 150));
}

TEST_F(MainWindow, ExitClosesTheWindow)
{
    QTest::mouseClick(Control("cmdExit"), Qt::LeftButton);
    EXPECT_FALSE(Window.isVisible());
}

}
