#include "TTolkar2000.h"
#include "TfrmExample.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QMetaProperty>
#include <QRadioButton>

#include <gtest/gtest.h>

#include <fstream>

namespace {

QStringList Lines(QObject* Object, const char* Property)
{
    return Object->property(Property).toStringList();
}

// Every text of the window and of what it owns that still carries the key prefix.
QStringList Untranslated(const QObject* Root)
{
    QStringList Found;
    QList<const QObject*> Objects { Root };
    for (const QObject* Child : Root->findChildren<QObject*>())
        Objects.append(Child);
    for (const QObject* Object : Objects) {
        const QMetaObject* Meta = Object->metaObject();
        for (int I = 0; I < Meta->propertyCount(); ++I) {
            const QVariant Value = Meta->property(I).read(Object);
            for (const QString& Text : Value.toStringList() + QStringList { Value.toString() })
                if (Text.startsWith("TK_"))
                    Found << Object->objectName() + "." + Meta->property(I).name() + " = " + Text;
        }
    }
    return Found;
}

class MainWindowTranslation : public testing::Test {
protected:
    template <typename T> T* Control(const char* Name)
    {
        T* Found = Window.findChild<T*>(Name);
        EXPECT_NE(Found, nullptr) << Name;
        return Found;
    }

    void LoadDictionary(const char* File)
    {
        std::ifstream In(std::string(FOKALIS_DICTIONARY_DIR) + "/" + File, std::ios::binary);
        ASSERT_TRUE(In.good()) << File;
        Engine.LoadFromStream(In);
    }

    TfrmExample Window;
    TTolkar2000 Engine;
};

TEST_F(MainWindowTranslation, WithoutADictionaryEveryCaptionShowsItsKeyWithoutThePrefix)
{
    Engine.TranslateComponent(&Window);
    EXPECT_EQ(Window.windowTitle(), "Fokalis");
    EXPECT_EQ(Control<QAbstractButton>("cmdExit")->text(), "Exit");
    EXPECT_EQ(Control<QAbstractButton>("BButAbout")->text(), "About");
    EXPECT_EQ(Control<QAbstractButton>("CBDrawLense")->text(), "Display Lens");
    EXPECT_EQ(Control<QGroupBox>("RGLenseType")->title(), "Type of Lens");
    EXPECT_EQ(Lines(Control<QObject>("RGLenseType"), "Items"), QStringList({ "Concave", "Convex" }));
    const auto Radios = Control<QObject>("RGLenseType")->findChildren<QRadioButton*>();
    ASSERT_EQ(Radios.size(), 2);
    EXPECT_EQ(Radios[0]->text(), "Concave");
    EXPECT_EQ(Radios[1]->text(), "Convex");
    EXPECT_EQ(Control<QLabel>("Label1")->text(), "Key");
    EXPECT_EQ(Control<QLabel>("LObject")->text(), "Object");
    EXPECT_EQ(Control<QLabel>("LImage")->text(), "Image");
    EXPECT_EQ(Control<QLabel>("LFocusbeam")->text(), "Focus Ray");
    EXPECT_EQ(Control<QLabel>("LCenterbeam")->text(), "Center Ray");
    EXPECT_EQ(Lines(Control<QObject>("Memo1"), "Lines"), QStringList({ "MMExplain" }));
    EXPECT_EQ(Untranslated(&Window), QStringList());
}

TEST_F(MainWindowTranslation, EveryDictionaryReplacesEveryTextOfTheWindow)
{
    for (const char* File : { "english.itl", "german.itl" }) {
        TfrmExample FreshWindow;
        TTolkar2000 FreshEngine;
        std::ifstream In(std::string(FOKALIS_DICTIONARY_DIR) + "/" + File, std::ios::binary);
        FreshEngine.LoadFromStream(In);
        FreshEngine.TranslateComponent(&FreshWindow);
        EXPECT_EQ(Untranslated(&FreshWindow), QStringList()) << File;
        // Each key of the window has an entry: no caption is left as its bare key.
        auto* Memo = FreshWindow.findChild<QObject*>("Memo1");
        EXPECT_GT(Lines(Memo, "Lines").size(), 1) << File << ": the explanation spans several lines";
        EXPECT_NE(Lines(Memo, "Lines").first(), "MMExplain") << File;
    }
}

TEST_F(MainWindowTranslation, ASecondWalkWithAnotherDictionaryChangesNothing)
{
    LoadDictionary("english.itl");
    Engine.TranslateComponent(&Window);
    const QString Exit = Control<QAbstractButton>("cmdExit")->text();
    const QStringList Memo = Lines(Control<QObject>("Memo1"), "Lines");
    LoadDictionary("german.itl");
    Engine.TranslateComponent(&Window);
    EXPECT_EQ(Control<QAbstractButton>("cmdExit")->text(), Exit);
    EXPECT_EQ(Lines(Control<QObject>("Memo1"), "Lines"), Memo);
}

} // namespace
