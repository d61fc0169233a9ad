#include "PixelImage.h"
#include "TFigureExport.h"
#include "TLenseGraph.h"
#include "TfrmExample.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
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

} // namespace
