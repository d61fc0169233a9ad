#include "LenseStartValues.h"
#include "PixelImage.h"
#include "TFigureExport.h"
#include "TLenseGraph.h"
#include "TfrmExample.h"

#include <QCheckBox>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>
#include <gtest/gtest.h>

namespace {

// The main window with its export answered by the test: the file dialog gives
// FileName, and a message meant for the user is kept in Shown.
class FigureExport : public testing::Test {
protected:
    FigureExport()
    {
        Window.show();
        QApplication::setActiveWindow(&Window);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&Window));
        Export = Window.findChild<TFigureExport*>();
        EXPECT_NE(Export, nullptr);
        Export->SetAskFileName([this](QWidget*, const QString&) { return FileName; });
        Export->SetShowError([this](QWidget*, const QString&, const QString& Text) { Shown << Text; });
        // Not the start picture, so the copy is seen to follow the diagram.
        Window.LenseGraph()->SetLenseType(TLenseType::ltConcave);
        Window.LenseGraph()->SetObjectX(50);
    }

    TfrmExample Window;
    TFigureExport* Export = nullptr;
    QTemporaryDir Dir;
    QString FileName;
    QStringList Shown;
};

TEST_F(FigureExport, CtrlCCopiesThePixelsAsShown)
{
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(&Window, Qt::Key_C, Qt::ControlModifier);
    const QImage Copied = QGuiApplication::clipboard()->image();
    ASSERT_FALSE(Copied.isNull());
    EXPECT_EQ(Copied.convertToFormat(QImage::Format_RGB32), PixelImage(Window.LenseGraph()->Bitmap()));
}

// The file name's ending chooses the kind: the PNG holds the pixels shown, the
// SVG is a drawing of the diagram at the same size.
TEST_F(FigureExport, CtrlSSavesByTheNamesEnding)
{
    FileName = Dir.filePath("figure.png");
    QTest::keyClick(&Window, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(
        QImage(FileName).convertToFormat(QImage::Format_RGB32), PixelImage(Window.LenseGraph()->Bitmap()));

    FileName = Dir.filePath("figure.Svg");
    QTest::keyClick(&Window, Qt::Key_S, Qt::ControlModifier);
    QFile Drawing(FileName);
    ASSERT_TRUE(Drawing.open(QIODevice::ReadOnly));
    QXmlStreamReader Reader(&Drawing);
    while (!Reader.isStartElement() && !Reader.atEnd())
        Reader.readNext();
    EXPECT_EQ(Reader.name(), QStringLiteral("svg"));
    EXPECT_EQ(Reader.attributes().value("width").toInt(), Window.LenseGraph()->width());
    EXPECT_TRUE(Shown.isEmpty()) << Shown.join('\n').toStdString();
}

TEST_F(FigureExport, AFileThatCannotBeWrittenIsReportedWithItsNameAndReason)
{
    FileName = Dir.filePath("missing/figure.png");
    QTest::keyClick(&Window, Qt::Key_S, Qt::ControlModifier);
    ASSERT_EQ(Shown.size(), 1);
    const QStringList Lines = Shown.first().split('\n');
    EXPECT_EQ(Lines.value(0), Export->CannotSaveText());
    EXPECT_TRUE(Lines.contains(QDir::toNativeSeparators(FileName))) << Shown.first().toStdString();
    EXPECT_FALSE(Lines.last().trimmed().isEmpty()) << "the system's reason";
    EXPECT_FALSE(QFile::exists(FileName));

    // A cancelled dialog writes nothing and says nothing.
    FileName.clear();
    QTest::keyClick(&Window, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(Shown.size(), 1);
}

// Save never replaces a folder, nor puts PNG bytes under a name that promises JPEG.
TEST_F(FigureExport, AFolderOrAJpegNameIsRefusedAndLeftAsItWas)
{
    ASSERT_TRUE(QDir(Dir.path()).mkdir("figure.png"));
    for (const char* Name : { "figure.png", "figure.jpg" }) {
        FileName = Dir.filePath(Name);
        QTest::keyClick(&Window, Qt::Key_S, Qt::ControlModifier);
    }
    ASSERT_EQ(Shown.size(), 2);
    EXPECT_TRUE(Shown[0].contains("folder")) << Shown[0].toStdString();
    EXPECT_TRUE(Shown[1].contains(".png or .svg")) << Shown[1].toStdString();
    EXPECT_TRUE(QFileInfo(Dir.filePath("figure.png")).isDir());
    EXPECT_FALSE(QFile::exists(Dir.filePath("figure.jpg")));
}

} // namespace

TEST_F(FigureExport, CtrlCCopiesTheSelectedTextInsteadOfTheDiagram)
{
    Window.findChild<QCheckBox*>("CBShowValues")->setChecked(true);
    auto* Values = Window.findChild<QPlainTextEdit*>("MValues");
    Values->setFocus();
    Values->selectAll();
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(Values, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), Values->toPlainText());
    EXPECT_TRUE(QGuiApplication::clipboard()->image().isNull());

    // Without a selection Ctrl+C is the diagram's again.
    QTextCursor Cursor = Values->textCursor();
    Cursor.clearSelection();
    Values->setTextCursor(Cursor);
    QTest::keyClick(Values, Qt::Key_C, Qt::ControlModifier);
    EXPECT_FALSE(QGuiApplication::clipboard()->image().isNull());
}

// A right click and the Menu key open the same menu, but not in the middle of a drag; its
// Reset, and Ctrl+R, bring the object and the focal length back and leave the lens type.
TEST_F(FigureExport, ContextMenuAndResetKey)
{
    TLenseGraph* Graph = Window.LenseGraph();
    auto* Menu = Window.findChild<QMenu*>("pbmFigure");
    ASSERT_NE(Menu, nullptr);
    QContextMenuEvent Click(QContextMenuEvent::Mouse, QPoint(30, 30), Graph->mapToGlobal(QPoint(30, 30)));
    QApplication::sendEvent(Graph, &Click);
    ASSERT_TRUE(Menu->isVisible());
    QStringList Items;
    for (const QAction* Action : Menu->actions())
        if (!Action->isSeparator())
            Items << Action->text() + " " + Action->shortcut().toString();
    EXPECT_EQ(Items, (QStringList { "Copy Figure Ctrl+C", "Save Figure As Ctrl+S", "Reset Figure Ctrl+R" }));
    Menu->hide();

    // The window system turns the Menu key into this event for the widget with the focus.
    QContextMenuEvent Key(QContextMenuEvent::Keyboard, QPoint(), Graph->mapToGlobal(QPoint()));
    QApplication::sendEvent(Graph, &Key);
    EXPECT_TRUE(Menu->isVisible());
    Menu->actions().constLast()->trigger();
    Menu->hide();
    QTest::mousePress(Graph, Qt::LeftButton, {}, QPoint(104, 87));
    QApplication::sendEvent(Graph, &Click);
    EXPECT_FALSE(Menu->isVisible()) << "a right click while dragging";
    QTest::mouseRelease(Graph, Qt::LeftButton, {}, QPoint(104, 87));
    const TLenseDiagramState Start = LenseStartValues();
    EXPECT_EQ(Graph->ObjectX(), Start.ObjectX);
    EXPECT_EQ(Graph->LenseType(), TLenseType::ltConcave);

    Graph->SetF(31);
    Graph->SetObjectH(-12);
    QTest::keyClick(&Window, Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(Graph->F(), Start.F);
    EXPECT_EQ(Graph->ObjectH(), Start.ObjectH);
}

// However small the user makes the window, the legend stays clear of the panel's controls
// above it and the diagram keeps room.
TEST_F(FigureExport, AtItsSmallestSizeNothingOverlaps)
{
    Window.resize(100, 100);
    QTest::qWait(0);
    EXPECT_GE(Window.width(), Window.minimumWidth());
    EXPECT_GE(Window.height(), Window.minimumHeight());
    const QWidget* Legend = Window.findChild<QWidget*>("PLegend");
    for (const char* Name : { "cmdExit", "BButAbout", "RGLenseType", "CBDrawLense", "CBShowValues" }) {
        const QWidget* Control = Window.findChild<QWidget*>(Name);
        EXPECT_FALSE(Legend->geometry().intersects(Control->geometry())) << Name;
    }
    EXPECT_GE(Window.LenseGraph()->width(), 2 * LenseStartValues().ObjectX);
}
