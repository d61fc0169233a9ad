#include "TfrmExample.h"
#include "Untranslated.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>

#include <gtest/gtest.h>

namespace {

QStringList Lines(QObject* Object, const char* Property)
{
    return Object->property(Property).toStringList();
}

// This test program has no dictionary beside it: the window translates itself while it
// loads, and every key stands for itself.
class MainWindowTranslation : public testing::Test {
protected:
    template <typename T = QObject> T* Control(const char* Name)
    {
        T* Found = Window.findChild<T*>(Name);
        EXPECT_NE(Found, nullptr) << Name;
        return Found;
    }

    TfrmExample Window;
};

TEST_F(MainWindowTranslation, WithoutADictionaryEveryCaptionShowsItsKeyWithoutThePrefix)
{
    EXPECT_EQ(Window.windowTitle(), "Fokalis");
    EXPECT_EQ(Control<QAbstractButton>("cmdExit")->text(), "Exit");
    EXPECT_EQ(Control<QAbstractButton>("BButAbout")->text(), "About");
    EXPECT_EQ(Control<QAbstractButton>("CBDrawLense")->text(), "Display Lens");
    EXPECT_EQ(Control<QGroupBox>("RGLenseType")->title(), "Type of Lens");
    EXPECT_EQ(Lines(Control("RGLenseType"), "Items"), QStringList({ "Concave", "Convex" }));
    const auto Radios = Control("RGLenseType")->findChildren<QRadioButton*>();
    ASSERT_EQ(Radios.size(), 2);
    EXPECT_EQ(Radios[0]->text(), "Concave");
    EXPECT_EQ(Radios[1]->text(), "Convex");
    EXPECT_EQ(Control<QLabel>("Label1")->text(), "Key");
    EXPECT_EQ(Control<QLabel>("LObject")->text(), "Object");
    EXPECT_EQ(Control<QLabel>("LImage")->text(), "Image");
    EXPECT_EQ(Control<QLabel>("LFocusbeam")->text(), "Focus Ray");
    EXPECT_EQ(Control<QLabel>("LCenterbeam")->text(), "Center Ray");
    EXPECT_EQ(Lines(Control("Memo1"), "Lines"), QStringList({ "MMExplain" }));
    EXPECT_EQ(Untranslated(&Window), QStringList());
}

} // namespace
