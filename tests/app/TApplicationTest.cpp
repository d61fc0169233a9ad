#include "TApplication.h"
#include "RawCommandLine.h"
#include "TLenseGraph.h"
#include "TRadioGroup.h"
#include "TfrmExample.h"

#include <QRadioButton>
#include <QtTest>
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

namespace {

class ApplicationErrors : public testing::Test {
protected:
    void SetUp() override
    {
        App()->SetErrorReporter([this](const QString& Message) { Reported << Message; });
    }
    void TearDown() override
    {
        App()->SetErrorReporter([](const QString&) {});
    }

    static TApplication* App() { return static_cast<TApplication*>(QCoreApplication::instance()); }

    QStringList Reported;
};

// Errors are raised from timer and queued-call handlers: an error that unwinds
// through a widget's own mouse handling also skips Qt's cleanups there (Qt is not
// built for exceptions), which the leak checker would rightly report.
void RaiseLater(QObject* Context, std::function<void()> Raise)
{
    QTimer::singleShot(0, Context, std::move(Raise));
    QCoreApplication::processEvents();
}

TEST_F(ApplicationErrors, MessageOfAnErrorInAHandlerIsShownAsRaisedAndTheProgramGoesOn)
{
    QObject Receiver;
    int Calls = 0;
    const auto Raise = [&Calls] {
        ++Calls;
        throw std::runtime_error("Stream read error");
    };
    RaiseLater(&Receiver, Raise);
    RaiseLater(&Receiver, Raise);

    EXPECT_EQ(Calls, 2);
    EXPECT_EQ(Reported, QStringList({ "Stream read error", "Stream read error" }));
}

TEST_F(ApplicationErrors, MessageBytesAreReadInTheLocaleEncoding)
{
    QObject Receiver;
    RaiseLater(&Receiver, [] { throw std::runtime_error("Größe \"x\" fehlt"); });

    EXPECT_EQ(Reported, QStringList({ QString::fromUtf8("Größe \"x\" fehlt") }));
}

TEST_F(ApplicationErrors, AnErrorOfNoKnownTypeIsReportedToo)
{
    QObject Receiver;
    RaiseLater(&Receiver, [] { throw 42; });

    EXPECT_EQ(Reported, QStringList({ "Unknown error" }));
}

TEST_F(ApplicationErrors, MainWindowKeepsWorkingAfterAnErrorInAHandler)
{
    TfrmExample Window;
    Window.show();
    auto* LenseType = Window.findChild<TRadioGroup*>("RGLenseType");
    const int Paints = Window.LenseGraph()->PaintCount();

    RaiseLater(&Window, [] { throw std::logic_error("lens type refused"); });
    ASSERT_EQ(Reported, QStringList({ "lens type refused" }));
    EXPECT_TRUE(Window.isVisible());
    EXPECT_EQ(Window.LenseGraph()->PaintCount(), Paints);

    QTest::mouseClick(LenseType->Button(0), Qt::LeftButton);
    EXPECT_EQ(Window.LenseGraph()->LenseType(), TLenseType::ltConcave);
    EXPECT_EQ(Reported.size(), 1);
}

}

TEST(ApplicationCommandLine, IsKeptAsTheSystemGaveItBeforeQtTakesItsOptions)
{
    // Whatever took arguments out afterwards (Qt, the test framework), none was lost here.
    const auto& Raw = RawCommandLine();
    ASSERT_TRUE(Raw);
    ASSERT_GE(Raw->size(), static_cast<std::size_t>(QCoreApplication::arguments().size()));
    EXPECT_EQ(Raw->front(), QCoreApplication::arguments().front().toStdString());
}
