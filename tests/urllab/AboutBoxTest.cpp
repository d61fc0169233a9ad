#include "TApplication.h"
#include "TFrmAbout.h"
#include "TRecordingShell.h"
#include "TTolkar2000Walk.h"
#include "TUrlLab.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QtTest>
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>

namespace {

const QString English = "More information can be found at the following Web sites:";
const QString German = "Mehr Informationen finden Sie auf folgenden Webseiten:";

// A box filled from a dictionary's bytes and shown (not modally), its links opening
// through a recording shell.
class AboutBox : public testing::Test {
protected:
    void Show(const std::string& Dictionary)
    {
        std::istringstream In(Dictionary);
        Engine.LoadFromStream(In);
        Box = std::make_unique<TFrmAbout>();
        for (TUrlLab* Link : Box->findChildren<TUrlLab*>())
            Link->SetShell(Shell);
        Box->FillAndTranslate(Engine);
        Box->show();
    }

    void ShowShipped(const char* FileName)
    {
        std::ifstream In(std::string(FOKALIS_DICTIONARY_DIR) + "/" + FileName, std::ios::binary);
        Show(std::string(std::istreambuf_iterator<char>(In), {}));
    }

    template <typename T = QLabel> T* Control(const char* Name)
    {
        T* Found = Box->findChild<T*>(Name);
        EXPECT_NE(Found, nullptr) << Name;
        return Found;
    }
    TUrlLab* Link(const char* Name) { return Control<TUrlLab>(Name); }
    QString Text(const char* Name) { return Control(Name)->text(); }

    // The tops of the two fixed links and whether the home-page link shows.
    std::tuple<int, int, bool> Links()
    {
        return { Link("UrlLabVexaSuite")->y(), Link("UrlLabSimulations")->y(),
            Link("UrlLabHomepage")->isVisible() };
    }

    TRecordingShell Shell;
    TTolkar2000Walk Engine;
    std::unique_ptr<TFrmAbout> Box;
};

TEST_F(AboutBox, WithoutDictionaryShowsEnglishTextsAndTwoCentredLinks)
{
    Show("");

    EXPECT_EQ(Box->windowTitle(), "About");
    EXPECT_EQ(Control<QPushButton>("BButOK")->text(), "OK");
    EXPECT_EQ(Text("LblName"), "Fokalis");
    EXPECT_EQ(Text("LblVersion"), "Version 1.2");
    EXPECT_EQ(Text("LblWebSite"), English);
    EXPECT_TRUE(Text("LblDescription").startsWith("Fokalis simulates"));
    EXPECT_EQ(Links(), std::make_tuple(16, 32, false));
    EXPECT_EQ(Link("UrlLabHomepage")->URL(), "HomePageURL");
}

TEST_F(AboutBox, LanguageNameIsComparedAfterLowerCasingOnly)
{
    Show("[$dlglanguage$]=lgGERMAN|$$\r\n");
    EXPECT_EQ(Text("LblWebSite"), German);
    EXPECT_TRUE(Text("LblDescription").startsWith("Fokalis simuliert"));

    TTolkar2000Walk Other;
    std::istringstream In("[$dlglanguage$]=lggerman |$$\r\n");
    Other.LoadFromStream(In);
    Box->FillAndTranslate(Other);
    EXPECT_EQ(Text("LblWebSite"), English);
}

TEST_F(AboutBox, ShippedDictionariesShowTheHomePageLinkInTheirLanguage)
{
    ShowShipped("german.itl");
    EXPECT_EQ(Box->windowTitle(), "Info");
    EXPECT_EQ(Text("LblWebSite"), German);
    EXPECT_EQ(Links(), std::make_tuple(8, 24, true));

    QTest::mouseClick(Link("UrlLabHomepage"), Qt::LeftButton, {}, QPoint(4, 4));
    ASSERT_EQ(Shell.Requests.size(), 1U);
    EXPECT_EQ(Shell.Requests[0].Target.toStdString(), Engine.Translate("HomePageURL"));
}

TEST_F(AboutBox, HomePageWithoutAWebAddressRaisesTheInvalidUrlErrorAndStartsNothing)
{
    auto* App = static_cast<TApplication*>(QCoreApplication::instance());
    QStringList Reported;
    App->SetErrorReporter([&Reported](const QString& Message) { Reported << Message; });
    // No address, then what a dictionary must not be able to start: an executable file
    // and a program name.
    for (const std::string Address :
        { "", "[HomePageURL]=/bin/sh|$$\r\n", "[HomePageURL]=setup.exe|$$\r\n" }) {
        Reported.clear();
        Show("[HomePage]=Home|$$\r\n" + Address);
        EXPECT_EQ(Links(), std::make_tuple(8, 24, true));
        QTest::mouseClick(Link("UrlLabHomepage"), Qt::LeftButton, {}, QPoint(4, 4));
        QCoreApplication::processEvents();
        EXPECT_EQ(Reported, QStringList("Component \"UrlLabHomepage\": URL of URLLab is invalid")) << Address;
        EXPECT_TRUE(Box->isVisible());
    }
    App->SetErrorReporter([](const QString&) {});
    EXPECT_TRUE(Shell.Requests.empty());
}

TEST_F(AboutBox, HomePageTranslatedToNothingIsHidden)
{
    Show("[HomePage]=|$$\r\n[HomePageURL]=http://example.org/|$$\r\n");
    EXPECT_EQ(Links(), std::make_tuple(16, 32, false));
}

TEST_F(AboutBox, OkClosesTheBoxAndShowingItAgainKeepsWhatWasFilled)
{
    Show("[$dlglanguage$]=lgGerman|$$\r\n");
    QTest::mouseClick(Control<QPushButton>("BButOK"), Qt::LeftButton);
    EXPECT_FALSE(Box->isVisible());
    EXPECT_EQ(Box->result(), QDialog::Accepted);

    Box->show();
    EXPECT_EQ(Text("LblWebSite"), German);
    EXPECT_EQ(Links(), std::make_tuple(16, 32, false));
}

// Tab, Enter and Space do for a keyboard what the mouse does; a screen reader hears each
// link by its caption as a link, in the dictionary's language, and can open it.
TEST_F(AboutBox, LinksAreTabStopsInScreenOrderNamedLinksOpenedByEnterSpaceOrTheirAction)
{
    ShowShipped("german.itl");
    const auto Translated = [this](const char* Key) { return QString::fromLocal8Bit(Engine.Translate(Key)); };
    EXPECT_EQ(Text("LblCopyright"), Translated("Copyright 2026 the Fokalis project"));
    EXPECT_NE(Text("LblCopyright"), "Copyright 2026 the Fokalis project");
    QApplication::setActiveWindow(Box.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(Box.get()));
    EXPECT_TRUE(Control<QPushButton>("BButOK")->hasFocus()) << "Enter still closes the box";

    TUrlLab* First = Link("UrlLabVexaSuite");
    const QImage Unfocused = First->grab().toImage();
    QStringList Order;
    for (int I = 0; I < 4; ++I) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        Order << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(Order, QStringList({ "UrlLabVexaSuite", "UrlLabSimulations", "UrlLabHomepage", "BButOK" }));

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_TRUE(First->hasFocus());
    EXPECT_NE(First->grab().toImage(), Unfocused) << "a focus frame shows";
    QAccessibleInterface* Accessible = QAccessible::queryAccessibleInterface(First);
    ASSERT_NE(Accessible, nullptr);
    EXPECT_EQ(Accessible->role(), QAccessible::Link);
    EXPECT_EQ(Accessible->text(QAccessible::Name), Translated("Qt application toolkit"));
    EXPECT_TRUE(Accessible->state().focused);

    QTest::keyClick(First, Qt::Key_Return);
    QTest::keyClick(First, Qt::Key_Space);
    QTest::keyClick(First, Qt::Key_Space, Qt::ControlModifier);
    ASSERT_NE(Accessible->actionInterface(), nullptr);
    Accessible->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    ASSERT_EQ(Shell.Requests.size(), 3u) << "Ctrl+Space opens nothing";
    for (const TRecordingShell::TRequest& Request : Shell.Requests)
        EXPECT_EQ(Request, (TRecordingShell::TRequest { "web", First->URL(), {} }));
    EXPECT_TRUE(Box->isVisible()) << "Enter on a link opens it, not the default button";
}

}
