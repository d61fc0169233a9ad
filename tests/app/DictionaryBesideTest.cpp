#include "AsciiCase.h"
#include "TFrmAbout.h"
#include "TModalCloser.h"
#include "TTolkar2000Walk.h"
#include "TUrlLab.h"
#include "TfrmExample.h"
#include "Untranslated.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QLibraryInfo>
#include <gtest/gtest.h>

#include <fstream>
#include <string>

// Built once for each shipped dictionary, which lies beside this test program under the
// program's own name (FOKALIS_BESIDE names the shipped file, FOKALIS_OTHER another one).
namespace {

std::string Shipped(const char* File)
{
    return std::string(FOKALIS_DICTIONARY_DIR) + "/" + File;
}

TEST(DictionaryBesideTheProgram, TranslatesTheWindowAtStartAndTheAboutBoxWhenFirstShown)
{
    TTolkar2000 Dictionary;
    std::ifstream In(Shipped(FOKALIS_BESIDE), std::ios::binary);
    ASSERT_TRUE(In.good());
    Dictionary.LoadFromStream(In);
    const auto Text
        = [&Dictionary](const char* Key) { return QString::fromLocal8Bit(Dictionary.Translate(Key)); };

    TfrmExample Window;
    Window.SetAboutBoxOnFirstShowing(true);
    EXPECT_EQ(Untranslated(&Window), QStringList());
    EXPECT_EQ(Window.windowTitle(), Text("Fokalis"));
    EXPECT_NE(Window.windowTitle(), "Fokalis");
    auto* Exit = Window.findChild<QAbstractButton*>("cmdExit");
    EXPECT_EQ(Exit->text(), Text("Exit"));
    const QStringList Memo = Window.findChild<QObject*>("Memo1")->property("Lines").toStringList();
    EXPECT_GT(Memo.size(), 1) << "the explanation spans several lines";
    EXPECT_NE(Memo.first(), "MMExplain");

    TFrmAbout& Box = Window.AboutBox();
    TModalCloser Closer(Box);
    Window.show();
    ASSERT_TRUE(Closer.WaitClosed(1));
    EXPECT_EQ(Untranslated(&Box), QStringList());
    EXPECT_EQ(Box.windowTitle(), Text("About"));
    EXPECT_EQ(Box.findChild<QLabel*>("LblWebSite")->text().startsWith("Mehr Informationen"),
        LowerAscii(Dictionary.Translate("$dlglanguage$")) == "lggerman");
    auto* Home = Box.findChild<TUrlLab*>("UrlLabHomepage");
    EXPECT_FALSE(Home->isHidden());
    EXPECT_EQ(Home->Caption(), Text("HomePage"));
    EXPECT_EQ(Home->URL(), Text("HomePageURL"));

    // Qt's own texts (its dialogs and context menus) speak the dictionary's language too.
    const bool German = LowerAscii(Dictionary.Translate("$dlglanguage$")) == "lggerman";
    if (QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qtbase_de.qm")) {
        EXPECT_EQ(QCoreApplication::translate("QFileDialog", "File &name:") != "File &name:", German);
    }

    // A translated window keeps its texts when another dictionary walks over it.
    TTolkar2000Walk Other;
    std::ifstream OtherIn(Shipped(FOKALIS_OTHER), std::ios::binary);
    Other.LoadFromStream(OtherIn);
    Other.TranslateComponent(&Window);
    EXPECT_EQ(Exit->text(), Text("Exit"));
    EXPECT_EQ(Window.findChild<QObject*>("Memo1")->property("Lines").toStringList(), Memo);
}

} // namespace
