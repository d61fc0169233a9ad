#include "Application.h"
#include "LenseGraph.h"
#include "Main.h"
#include "RadioGroup.h"

#include <QPushButton>
#include <QRadioButton>
#include <QtTest>
#include <gtest/gtest.h>

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

TEST_F(ApplicationErrors, MessageOfAnErrorInAHandlerIsShownAsRaisedAndTheProgramGoesOn)
{
    QPushButton Button("Go");
    int Clicks = 0;
    QObject::connect(&Button, &QPushButton::clicked, [&Clicks] {
        ++Clicks;
        throw std::runtime_error("Stream read error");
    });
    Button.show();

    QTest::mouseClick(&Button, Qt::LeftButton);
    QTest::mouseClick(&Button, Qt::LeftButton);

    EXPECT_EQ(Clicks, 2);
    EXPECT_EQ(Reported, QStringList({ "Stream read error", "Stream read error" }));
    EXPECT_FALSE(Button.isDown());
}

TEST_F(ApplicationErrors, MessageBytesAreReadInTheLocaleEncoding)
{
    QObject Receiver;
    QObject::connect(
        &Receiver, &QObject::objectNameChanged, [] { throw std::runtime_error("Größe \"x\" fehlt"); });
    QTimer::singleShot(0, &Receiver, [&Receiver] { Receiver.setObjectName("changed"); });
    QCoreApplication::processEvents();

    EXPECT_EQ(Reported, QStringList({ QString::fromUtf8("Größe \"x\" fehlt") }));
}

TEST_F(ApplicationErrors, AnErrorOfNoKnownTypeIsReportedToo)
{
    QPushButton Button("Go");
    QObject::connect(&Button, &QPushButton::clicked, [] { throw 42; });
    Button.show();

    QTest::mouseClick(&Button, Qt::LeftButton);

    EXPECT_EQ(Reported, QStringList({ "Unknown error" }));
}

TEST_F(ApplicationErrors, MainWindowKeepsWorkingAfterAnErrorInAClickHandler)
{
    TfrmExample Window;
    Window.show();
    auto* LenseType = Window.findChild<TRadioGroup*>("RGLenseType");
    bool Fail = true;
    QObject::connect(LenseType, &TRadioGroup::Click, [&Fail] {
        if (Fail)
            throw std::logic_error("lens type refused");
    });

    QTest::mouseClick(LenseType->Button(0), Qt::LeftButton);
    Fail = false;
    ASSERT_EQ(Reported, QStringList({ "lens type refused" }));
    EXPECT_EQ(Window.LenseGraph()->LenseType(), ltConcave);

    QTest::mouseClick(LenseType->Button(1), Qt::LeftButton);
    EXPECT_EQ(Window.LenseGraph()->LenseType(), ltConvex);
    EXPECT_TRUE(Window.isVisible());
    EXPECT_EQ(Reported.size(), 1);
}

}
