#include "Main.h"
#include "TTolkar2000.h"

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
    QStringList found;
    QList<const QObject*> objects { Root };
    for (const QObject* child : Root->findChildren<QObject*>())
        objects.append(child);
    for (const QObject* o : objects) {
        const QMetaObject* meta = o->metaObject();
        for (int i = 0; i < meta->propertyCount(); ++i) {
            const QVariant value = meta->property(i).read(o);
            for (const QString& text : value.toStringList() + QStringList { value.toString() })
                if (text.startsWith("TK_"))
                    found << o->objectName() + "." + meta->property(i).name() + " = " + text;
        }
    }
    return found;
}

class MainWindowTranslation : public testing::Test {
protected:
    template <typename T> T* Control(const char* Name)
    {
        T* found = Window.findChild<T*>(Name);
        EXPECT_NE(found, nullptr) << Name;
        return found;
    }

    void LoadDictionary(const char* File)
    {
        std::ifstream in(std::string(FOKALIS_DICTIONARY_DIR) + "/" + File, std::ios::binary);
        ASSERT_TRUE(in.good()) << File;
        Engine.LoadFromStream(in);
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
    const auto radios = Control<QObject>("RGLenseType")->findChildren<QRadioButton*>();
    ASSERT_EQ(radios.size(), 2);
    EXPECT_EQ(radios[0]->text(), "Concave");
    EXPECT_EQ(radios[1]->text(), "Convex");
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
    for (const char* file : { "english.itl", "german.itl" }) {
        TfrmExample window;
        TTolkar2000 engine;
        std::ifstream in(std::string(FOKALIS_DICTIONARY_DIR) + "/" + file, std::ios::binary);
        engine.LoadFromStream(in);
        engine.TranslateComponent(&window);
        EXPECT_EQ(Untranslated(&window), QStringList()) << file;
        // Each key of the window has an entry: no caption is left as its bare key.
        auto* memo = window.findChild<QObject*>("Memo1");
        EXPECT_GT(Lines(memo, "Lines").size(), 1) << file << ": the explanation spans several lines";
        EXPECT_NE(Lines(memo, "Lines").first(), "MMExplain") << file;
    }
}

TEST_F(MainWindowTranslation, ASecondWalkWithAnotherDictionaryChangesNothing)
{
    LoadDictionary("english.itl");
    Engine.TranslateComponent(&Window);
    const QString exit = Control<QAbstractButton>("cmdExit")->text();
    const QStringList memo = Lines(Control<QObject>("Memo1"), "Lines");
    LoadDictionary("german.itl");
    Engine.TranslateComponent(&Window);
    EXPECT_EQ(Control<QAbstractButton>("cmdExit")->text(), exit);
    EXPECT_EQ(Lines(Control<QObject>("Memo1"), "Lines"), memo);
}

} // namespace
