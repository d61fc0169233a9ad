#include "EVexaURLLabError.h"
#include "TRecordingShell.h"
#include "TUrlLab.h"

#include <QEnterEvent>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <gtest/gtest.h>

#include <cerrno>

namespace {

using TRequests = std::vector<TRecordingShell::TRequest>;

class UrlLab : public testing::Test {
protected:
    UrlLab()
    {
        Label.setObjectName("UrlLabHomepage");
        Label.SetShell(Shell);
        QObject::connect(&Label, &TUrlLab::OnClick, [this] { ++Clicks; });
    }

    // Clicks the label in code; the error's message, or empty when there is none.
    std::string ClickError()
    {
        try {
            Label.Click();
        } catch (const EVexaURLLabError& Error) {
            return Error.what();
        }
        return {};
    }

    TRecordingShell Shell;
    QWidget Window;
    TUrlLab Label { &Window };
    int Clicks = 0;
};

void Enter(TUrlLab& Label)
{
    QEnterEvent Event(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QApplication::sendEvent(&Label, &Event);
}

void Leave(TUrlLab& Label)
{
    QEvent Event(QEvent::Leave);
    QApplication::sendEvent(&Label, &Event);
}

TFont MakeFont(const char* Family, const QColor& Color, bool Underline)
{
    QFont Font(Family);
    Font.setPixelSize(13);
    Font.setUnderline(Underline);
    return { Font, Color };
}

TEST_F(UrlLab, UrlAndParametersAreStoredWithoutOuterSpacesOnly)
{
    Label.SetURL("   C:\\My Tools\\a.exe ");
    Label.SetTaskParams("\t -a  -b \t ");

    EXPECT_EQ(Label.property("URL").toString(), "C:\\My Tools\\a.exe");
    EXPECT_EQ(Label.TaskParams(), "\t -a  -b \t");
    EXPECT_EQ(TrimBlanks("    "), "");
}

TEST_F(UrlLab, WebAddressInAnyLetterCaseOpensUnderTheBusyCursorWithoutParameters)
{
    Label.setCursor(Qt::PointingHandCursor);
    Label.SetTaskParams("-ignored");
    std::vector<Qt::CursorShape> CursorsDuringRequest;
    Shell.DuringRequest = [&] { CursorsDuringRequest.push_back(Label.cursor().shape()); };

    for (const char* Address : { "HTTP://Example.org/", "hTTpS://example.org/setup.exe" }) {
        Label.SetURL(Address);
        EXPECT_EQ(ClickError(), "");
    }

    EXPECT_EQ(Shell.Requests,
        TRequests({ { "web", "HTTP://Example.org/", "" }, { "web", "hTTpS://example.org/setup.exe", "" } }));
    EXPECT_EQ(CursorsDuringRequest, std::vector({ Qt::BusyCursor, Qt::BusyCursor }));
    EXPECT_EQ(Label.cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(Clicks, 2);

    Label.unsetCursor();
    EXPECT_EQ(ClickError(), "");
    EXPECT_FALSE(Label.testAttribute(Qt::WA_SetCursor));
}

TEST_F(UrlLab, TextThatIsNeitherWebAddressNorProgramIsRefusedWithoutOnClick)
{
    QTemporaryDir Folder;
    const QString Plain = Folder.filePath("readme");
    QFile(Plain).open(QIODevice::WriteOnly);

    for (const QString& Url :
        { QString("mailto:someone@example.org"), QString("HomePageURL"), QString("ftp://example.org/"),
            QString("www.example.org"), QString("/opt/tool.exe/run"), QString("C:\\tool.exe\\run"),
            QString("relative/run"), Folder.path(), Plain, Folder.filePath("missing") }) {
        SCOPED_TRACE(Url.toStdString());
        Label.SetURL(Url);
        EXPECT_EQ(ClickError(), "Component \"UrlLabHomepage\": URL of URLLab is invalid");
    }
    EXPECT_TRUE(Shell.Requests.empty());
    EXPECT_EQ(Clicks, 0);
}

TEST_F(UrlLab, ProgramsStartWithTheirParameters)
{
    QTemporaryDir Folder;
    const QString Program = Folder.filePath("viewer");
    QFile File(Program);
    File.open(QIODevice::WriteOnly);
    File.setPermissions(QFile::ReadOwner | QFile::ExeOwner);

    Label.SetTaskParams(" -page 3 ");
    for (const QString& Url : { QString("C:\\Tools\\VIEWER.EXE"), QString("viewer.Exe"), Program }) {
        Label.SetURL(Url);
        EXPECT_EQ(ClickError(), "");
    }

    EXPECT_EQ(Shell.Requests,
        TRequests({ { "program", "C:\\Tools\\VIEWER.EXE", "-page 3" }, { "program", "viewer.Exe", "-page 3" },
            { "program", Program, "-page 3" } }));
    EXPECT_EQ(Clicks, 3);
}

TEST_F(UrlLab, FailedStartGivesTheErrorNumberAndNoOnClick)
{
    Label.setObjectName("UrlLab1");
    Shell.StartResult = std::make_error_code(std::errc::no_such_file_or_directory);
    Label.SetURL("missing.exe");

    EXPECT_EQ(ClickError(), "Component \"UrlLab1\": Cannot start executable (errnum=2)");
    EXPECT_EQ(Clicks, 0);
}

TEST_F(UrlLab, EmptyUrlOpensNothingAndStillRaisesOnClick)
{
    Label.SetURL("   ");
    EXPECT_EQ(ClickError(), "");
    EXPECT_TRUE(Shell.Requests.empty());
    EXPECT_EQ(Clicks, 1);
}

TEST_F(UrlLab, ReleaseOfTheLeftButtonInsideIsAClick)
{
    Label.resize(100, 16);
    Window.show();

    QTest::mouseClick(&Label, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseClick(&Label, Qt::RightButton, {}, QPoint(5, 5));
    QTest::mousePress(&Label, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(&Label, Qt::LeftButton, {}, QPoint(150, 5));

    EXPECT_EQ(Clicks, 1);
}

TEST_F(UrlLab, FontFollowsThePointerOnlyWhileEnabled)
{
    const TFont Normal = MakeFont("Liberation Mono", Qt::blue, false);
    const TFont Active = MakeFont("Liberation Mono", Qt::red, true);
    Label.SetFont(Normal);
    Label.SetFontActive(Active);
    Label.Loaded();
    Label.SetFont(MakeFont("Liberation Sans", Qt::green, false));

    Enter(Label);
    EXPECT_EQ(Label.Font(), Active);
    Leave(Label);
    EXPECT_EQ(Label.Font(), Normal);

    Label.setEnabled(false);
    Enter(Label);
    EXPECT_EQ(Label.Font(), Normal);

    Label.setEnabled(true);
    Enter(Label);
    Label.setEnabled(false);
    Leave(Label);
    EXPECT_EQ(Label.Font(), Active);

    // A label never loaded returns to the font it showed before the pointer came.
    TUrlLab Unloaded(&Window);
    Unloaded.SetFont(Normal);
    Unloaded.SetFontActive(Active);
    Enter(Unloaded);
    Leave(Unloaded);
    EXPECT_EQ(Unloaded.Font(), Normal);
}

TEST_F(UrlLab, CaptionIsMeasuredWithItsAmpersandsAsTheyAre)
{
    Label.SetCaption("A&B");
    const int WithAmpersand = Label.width();
    Label.SetCaption("AB");
    const int Without = Label.width();
    Label.SetCaption("A&&B");

    EXPECT_GT(WithAmpersand, Without);
    EXPECT_GT(Label.width(), WithAmpersand);
}

}
