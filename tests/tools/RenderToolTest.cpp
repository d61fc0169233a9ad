#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct TRun {
    int ExitCode;
    QString Errors;
};

TRun Render(const QStringList& Args)
{
    QProcess p;
    p.start(FOKALIS_RENDER, Args);
    p.waitForFinished(30000);
    return { p.exitCode(), QString::fromLocal8Bit(p.readAllStandardError()) };
}

// 0x00BBGGRR as the PNG stores it.
QRgb Rgb(unsigned c)
{
    return qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

class RenderTool : public testing::Test {
protected:
    QImage RenderToImage(QStringList Args)
    {
        const QString file = dir.filePath("d.png");
        Args.prepend(file);
        const TRun run = Render(Args);
        EXPECT_EQ(run.ExitCode, 0) << run.Errors.toStdString();
        return QImage(file);
    }

    QTemporaryDir dir;
};

TEST_F(RenderTool, DefaultDiagramPutsFiguresWhereTheConstructionDoes)
{
    const QImage img = RenderToImage({});
    ASSERT_EQ(img.size(), QSize(608, 475));
    // Object: body column 104 between neck (row 137) and hip (row 187).
    EXPECT_EQ(img.pixel(104, 160), Rgb(0x7F00));
    // Real inverted image at x = 133: its body hangs from the axis at column 437.
    EXPECT_EQ(img.pixel(437, 290), Rgb(0x3366BB));
    // The lens body is filled beside the lens plane, the background far away.
    EXPECT_EQ(img.pixel(315, 237 - 100), Rgb(0xFFDDDD));
    EXPECT_EQ(img.pixel(20, 20), Rgb(0xFFFFFF));
    // Focus ray parallel to the axis from the object's top to the lens plane.
    EXPECT_EQ(img.pixel(200, 87), Rgb(0x0000FF));
    // Axis and lens plane in the grid colour.
    EXPECT_EQ(img.pixel(20, 237), Rgb(0));
    EXPECT_EQ(img.pixel(304, 5), Rgb(0));
}

TEST_F(RenderTool, OptionsChangeTheDiagram)
{
    const QImage noLens = RenderToImage({ "--no-lens" });
    EXPECT_EQ(noLens.pixel(315, 237 - 100), Rgb(0xFFFFFF));
    const QImage concave = RenderToImage({ "--lens", "concave", "--size", "300x200" });
    ASSERT_EQ(concave.size(), QSize(300, 200));
    // A concave lens is thinnest at the axis: ConcaveThick 5 each side of column 151.
    EXPECT_EQ(concave.pixel(151 + 3, 100 - 1), Rgb(0xFFDDDD));
    EXPECT_NE(concave.pixel(151 + 12, 100 - 1), Rgb(0xFFDDDD));
}

TEST_F(RenderTool, ExtremeValuesStillDrawAPicture)
{
    for (const QStringList& args : { QStringList { "--f", "0" }, QStringList { "--f", "2147483647" },
             QStringList { "--object-x", "-2147483648", "--object-h", "2147483647" },
             QStringList { "--object-x", "81" }, QStringList { "--size", "1x1" } }) {
        const QImage img = RenderToImage(args);
        EXPECT_FALSE(img.isNull()) << args.join(' ').toStdString();
    }
}

TEST_F(RenderTool, BadUsageAndUnwritableFilesFailWithAClearMessage)
{
    const TRun bad = Render({ dir.filePath("x.png"), "--lens", "flat" });
    EXPECT_EQ(bad.ExitCode, 2);
    EXPECT_TRUE(bad.Errors.contains("--lens"));
    EXPECT_EQ(bad.Errors.count('\n'), 1);
    const TRun unwritable = Render({ dir.filePath("missing/folder/x.png") });
    EXPECT_EQ(unwritable.ExitCode, 1);
    EXPECT_TRUE(unwritable.Errors.contains("cannot write"));
    EXPECT_EQ(Render({ "--help" }).ExitCode, 0);
}

} // namespace
