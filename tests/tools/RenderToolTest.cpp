#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

struct TRun {
    int ExitCode;
    QString Errors;
    QByteArray Output;
};

TRun Render(const QStringList& Args, const std::function<void()>& InChild = {},
    const QProcessEnvironment& Environment = QProcessEnvironment::systemEnvironment())
{
    QProcess Process;
    if (InChild)
        Process.setChildProcessModifier(InChild);
    Process.setProcessEnvironment(Environment);
    Process.start(FOKALIS_RENDER, Args);
    Process.waitForFinished(30000);
    return { Process.exitCode(), QString::fromLocal8Bit(Process.readAllStandardError()),
        Process.readAllStandardOutput() };
}

// Runs the tool with Resource limited to Limit; a write past a file size limit then
// fails with EFBIG instead of ending the process.
std::function<void()> Limited(int Resource, rlim_t Limit)
{
    return [Resource, Limit] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit Bound { Limit, Limit };
        setrlimit(Resource, &Bound);
    };
}

// 0x00BBGGRR as the PNG stores it.
QRgb Rgb(unsigned Color)
{
    return qRgb(Color & 0xFF, (Color >> 8) & 0xFF, (Color >> 16) & 0xFF);
}

class RenderTool : public testing::Test {
protected:
    QImage RenderToImage(QStringList Args)
    {
        const QString File = FDir.filePath("d.png");
        Args.prepend(File);
        const TRun Run = Render(Args);
        EXPECT_EQ(Run.ExitCode, 0) << Run.Errors.toStdString();
        return QImage(File);
    }

    QTemporaryDir FDir;
};

TEST_F(RenderTool, DefaultDiagramPutsFiguresWhereTheConstructionDoes)
{
    const QImage Picture = RenderToImage({});
    ASSERT_EQ(Picture.size(), QSize(608, 475));
    // Object: body column 104 between neck (row 137) and hip (row 187).
    EXPECT_EQ(Picture.pixel(104, 160), Rgb(0x7F00));
    // Real inverted image at x = 133: its body hangs from the axis at column 437.
    EXPECT_EQ(Picture.pixel(437, 290), Rgb(0x3366BB));
    // The lens body is filled beside the lens plane, the background far away.
    EXPECT_EQ(Picture.pixel(315, 237 - 100), Rgb(0xFFDDDD));
    EXPECT_EQ(Picture.pixel(20, 20), Rgb(0xFFFFFF));
    // Focus ray parallel to the axis from the object's top to the lens plane.
    EXPECT_EQ(Picture.pixel(200, 87), Rgb(0x0000FF));
    // Axis and lens plane in the grid colour.
    EXPECT_EQ(Picture.pixel(20, 237), Rgb(0));
    EXPECT_EQ(Picture.pixel(304, 5), Rgb(0));
}

TEST_F(RenderTool, OptionsChangeTheDiagram)
{
    const QImage NoLens = RenderToImage({ "--no-lens" });
    EXPECT_EQ(NoLens.pixel(315, 237 - 100), Rgb(0xFFFFFF));
    const QImage Concave = RenderToImage({ "--lens", "concave", "--size", "300x200" });
    ASSERT_EQ(Concave.size(), QSize(300, 200));
    // A concave lens is thinnest at the axis: ConcaveThick 5 each side of column 151.
    EXPECT_EQ(Concave.pixel(151 + 3, 100 - 1), Rgb(0xFFDDDD));
    EXPECT_NE(Concave.pixel(151 + 12, 100 - 1), Rgb(0xFFDDDD));
}

TEST_F(RenderTool, ExtremeValuesStillDrawAPicture)
{
    for (const QStringList& Args : { QStringList { "--f", "1" }, QStringList { "--f", "2147483647" },
             QStringList { "--object-x", "1", "--object-h", "2147483647" },
             QStringList { "--object-x", "2147483647", "--object-h", "-2147483648" },
             QStringList { "--object-x", "81" }, QStringList { "--size", "1x1" } }) {
        const QImage Picture = RenderToImage(Args);
        EXPECT_FALSE(Picture.isNull()) << Args.join(' ').toStdString();
    }
}

// A pipe, a folder, or a pipe behind a link, stays what it was, and nothing is left
// beside it; a name asking for JPEG gets no file at all.
TEST_F(RenderTool, TargetsThatAreNotRegularFilesAreRefusedAndLeftAlone)
{
    const QString Pipe = FDir.filePath("pipe.png");
    ASSERT_EQ(mkfifo(QFile::encodeName(Pipe).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(Pipe, FDir.filePath("link.svg")));
    ASSERT_TRUE(QDir(FDir.path()).mkdir("folder.png"));
    for (const char* Name : { "pipe.png", "link.svg", "folder.png", "photo.jpg" }) {
        const TRun Run = Render({ FDir.filePath(Name) });
        EXPECT_EQ(Run.ExitCode, 1) << Name;
        EXPECT_TRUE(Run.Errors.contains("cannot write")) << Run.Errors.toStdString();
        EXPECT_EQ(Run.Errors.count('\n'), 1) << Run.Errors.toStdString();
    }
    struct stat Status { };
    ASSERT_EQ(stat(QFile::encodeName(Pipe).constData(), &Status), 0);
    EXPECT_TRUE(S_ISFIFO(Status.st_mode));
    EXPECT_TRUE(QFileInfo(FDir.filePath("folder.png")).isDir());
    EXPECT_EQ(QDir(FDir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System),
        (QStringList { "folder.png", "link.svg", "pipe.png" }));
}

// "-" gives the same picture on standard output as in a file, and no Qt warning
// reaches the user's terminal when the runtime folder is not set.
TEST_F(RenderTool, DashWritesThePictureToStandardOutputQuietly)
{
    QProcessEnvironment Environment = QProcessEnvironment::systemEnvironment();
    Environment.remove("XDG_RUNTIME_DIR");
    const TRun Piped = Render({ "-", "--lens", "concave", "--f=60" }, {}, Environment);
    EXPECT_EQ(Piped.ExitCode, 0);
    EXPECT_EQ(Piped.Errors, QString());
    const QImage FromPipe = QImage::fromData(Piped.Output, "PNG");
    const QImage FromFile = RenderToImage({ "--lens", "concave", "--f", "60" });
    ASSERT_FALSE(FromPipe.isNull());
    EXPECT_EQ(FromPipe, FromFile);
}

TEST_F(RenderTool, VersionIsOneLine)
{
    const TRun Run = Render({ "--version" });
    EXPECT_EQ(Run.ExitCode, 0);
    EXPECT_TRUE(Run.Output.startsWith("fokalis-render ")) << Run.Output.toStdString();
    EXPECT_EQ(Run.Output.count('\n'), 1);
}

TEST_F(RenderTool, BadUsageAndUnwritableFilesFailWithAClearMessage)
{
    const TRun Bad = Render({ FDir.filePath("x.png"), "--lens", "flat" });
    EXPECT_EQ(Bad.ExitCode, 2);
    EXPECT_TRUE(Bad.Errors.contains("--lens"));
    EXPECT_EQ(Bad.Errors.count('\n'), 1);
    for (const char* Name : { "missing/folder/x.png", "missing/folder/x.svg" }) {
        const TRun Unwritable = Render({ FDir.filePath(Name) });
        EXPECT_EQ(Unwritable.ExitCode, 1) << Name;
        EXPECT_TRUE(Unwritable.Errors.contains("cannot write")) << Name;
    }
    EXPECT_EQ(Render({ "--help" }).ExitCode, 0);
}

} // namespace

namespace {

TEST_F(RenderTool, AFailedWriteKeepsTheOldFileAndLeavesNoPartOfTheNewOne)
{
    for (const QString Name : { "d.png", "d.svg" }) {
        const QString File = FDir.filePath(Name);
        {
            QFile Old(File);
            ASSERT_TRUE(Old.open(QIODevice::WriteOnly));
            Old.write("old");
        }
        const TRun Full = Render({ File }, Limited(RLIMIT_FSIZE, 1024));
        EXPECT_EQ(Full.ExitCode, 1);
        EXPECT_TRUE(Full.Errors.contains(File)) << Full.Errors.toStdString();
        EXPECT_TRUE(Full.Errors.contains("too large", Qt::CaseInsensitive)) << Full.Errors.toStdString();
        QFile Old(File);
        ASSERT_TRUE(Old.open(QIODevice::ReadOnly));
        EXPECT_EQ(Old.readAll(), "old");
        EXPECT_EQ(QDir(FDir.path()).entryList(QDir::Files), QStringList { Name });
        Old.remove();
    }
}

// A name ending in .svg in any letter case gets a well-formed SVG drawing of the
// chosen size, drawn in vector elements; the diagram's options reach it.
TEST_F(RenderTool, AnSvgNameGetsAVectorDrawing)
{
    const QString File = FDir.filePath("d.SVG");
    const TRun Run = Render({ File, "--size", "300x200", "--lens", "concave" });
    ASSERT_EQ(Run.ExitCode, 0) << Run.Errors.toStdString();
    QFile Drawing(File);
    ASSERT_TRUE(Drawing.open(QIODevice::ReadOnly));
    QXmlStreamReader Reader(&Drawing);
    QStringList Elements;
    while (Reader.readNext() != QXmlStreamReader::EndDocument && !Reader.hasError()) {
        if (!Reader.isStartElement())
            continue;
        Elements << Reader.name().toString();
        if (Reader.name() == QStringLiteral("svg")) {
            EXPECT_EQ(Reader.attributes().value("width"), QStringLiteral("300"));
            EXPECT_EQ(Reader.attributes().value("viewBox"), QStringLiteral("0 0 300 200"));
        }
    }
    EXPECT_FALSE(Reader.hasError()) << Reader.errorString().toStdString();
    EXPECT_EQ(Elements.value(0), "svg");
    EXPECT_FALSE(Elements.contains("image"));
    // The faces of the lens, its fill and the two captions of each side.
    EXPECT_GE(Elements.count("path"), 3);
    EXPECT_EQ(Elements.count("text"), 4);
}

TEST_F(RenderTool, APictureBeyondTheMemoryAvailableEndsWithOneLine)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer reserves more address space than the limit";
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    GTEST_SKIP() << "the address sanitizer reserves more address space than the limit";
#endif
#endif
    const TRun Large = Render(
        { FDir.filePath("d.png"), "--size", "16384x16384" }, Limited(RLIMIT_AS, rlim_t { 800000 } * 1024));
    EXPECT_EQ(Large.ExitCode, 1);
    EXPECT_TRUE(Large.Errors.contains("too large for the memory available")) << Large.Errors.toStdString();
    EXPECT_EQ(Large.Errors.count("fokalis-render:"), 1);
    EXPECT_FALSE(QFile::exists(FDir.filePath("d.png")));
}

} // namespace
