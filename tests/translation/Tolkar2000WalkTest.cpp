#include "EngineFixture.h"
#include "WalkFixtures.h"

#include <memory>

namespace {

const char* const Dictionary = "[Fokalis]=Fokalis Linsen|$$\r\n"
                               "[Exit]=Beenden|$$\r\n"
                               "[Concave]=Konkav|$$\r\n"
                               "[Convex]=Konvex|$$\r\n"
                               "[MMExplain]=One\\nTwo\\nThree|$$\r\n"
                               "[Column]=Spalte|$$\r\n"
                               "[]=Empty key|$$\r\n";

// A main window with a nested panel, a non-visual component, a collection, and a dialog
// of its own; a second top-level window is referred to by a property.
class Walk : public EngineTest {
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        FWindow = std::make_unique<TFixtureControl>();
        FWindow->setObjectName("TK_Button");
        FWindow->setWindowTitle("TK_Fokalis");
        FWindow->FCaption = "TK_Fokalis";
        FWindow->FName = "TK_Name";
        FWindow->FItems = { "TK_Concave", "plain", "TK_Convex" };
        FWindow->FLines = { "TK_MMExplain" };
        FPanel = new TFixtureControl(FWindow.get());
        FButton = new TFixtureControl(FPanel);
        FButton->FCaption = "TK_Exit";
        FComponent = new TFixtureItem(FWindow.get());
        FComponent->FCaption = "TK_Exit";
        auto* columns = new TFixtureColumns(FWindow.get());
        for (int i = 0; i < 2; ++i) {
            columns->FItems.push_back(new TFixtureItem(columns));
            columns->FItems.back()->FCaption = "TK_Column";
        }
        FColumns = columns;
        FWindow->SetColumns(columns);
        FDialog = new TFixtureControl(FWindow.get(), Qt::Dialog);
        FDialog->FCaption = "TK_Exit";
        FOther = std::make_unique<TFixtureControl>();
        FOther->FCaption = "TK_Exit";
        FWindow->FBuddy = FOther.get();
    }

    std::unique_ptr<TFixtureControl> FWindow;
    TFixtureControl* FPanel = nullptr;
    TFixtureControl* FButton = nullptr;
    TFixtureItem* FComponent = nullptr;
    TFixtureColumns* FColumns = nullptr;
    TFixtureControl* FDialog = nullptr;
    std::unique_ptr<TFixtureControl> FOther;
};

TEST_F(Walk, WithoutDictionaryKeysLoseTheirPrefix)
{
    TTolkar2000 engine;
    engine.TranslateComponent(FWindow.get());
    EXPECT_EQ(FWindow->FCaption, "Fokalis");
    EXPECT_EQ(FWindow->windowTitle(), "Fokalis");
    EXPECT_EQ(FWindow->FItems, QStringList({ "Concave", "plain", "Convex" }));
    EXPECT_EQ(FWindow->FLines, QStringList { "MMExplain" });
    EXPECT_EQ(FButton->FCaption, "Exit");
    EXPECT_EQ(FComponent->FCaption, "Exit");
}

TEST_F(Walk, NamesOtherWindowsAndReferencedObjectsStay)
{
    TTolkar2000 engine;
    Load(engine, Dictionary);
    engine.TranslateComponent(FWindow.get());
    EXPECT_EQ(FWindow->objectName(), "TK_Button");
    EXPECT_EQ(FWindow->FName, "TK_Name");
    EXPECT_EQ(FDialog->FCaption, "TK_Exit");
    EXPECT_EQ(FOther->FCaption, "TK_Exit");
}

TEST_F(Walk, DictionaryTextsReplaceKeysAndBreaksMakeLines)
{
    TTolkar2000 engine;
    Load(engine, Dictionary);
    engine.TranslateComponent(FWindow.get());
    EXPECT_EQ(FWindow->FCaption, "Fokalis Linsen");
    EXPECT_EQ(FWindow->FItems, QStringList({ "Konkav", "plain", "Konvex" }));
    EXPECT_EQ(FWindow->FLines, QStringList({ "One", "Two", "Three" }));
    EXPECT_EQ(FButton->FCaption, "Beenden");
    EXPECT_EQ(FColumns->FItems[0]->FCaption, "Spalte");
    EXPECT_EQ(FColumns->FItems[1]->FCaption, "Spalte");
}

TEST_F(Walk, LinesBreakInPlaceAmongOtherLines)
{
    TTolkar2000 engine;
    Load(engine, Dictionary);
    FWindow->FLines = { "TK_MMExplain", "keep", "TK_MMExplain" };
    engine.TranslateObject(FWindow.get());
    EXPECT_EQ(FWindow->FLines, QStringList({ "One", "Two", "Three", "keep", "One", "Two", "Three" }));
}

TEST_F(Walk, OnlyTheExactPrefixMarksAKey)
{
    TTolkar2000 engine;
    Load(engine, Dictionary);
    const QStringList captions { "tk_Exit", " TK_Exit", "TK_", "TK_Focus  Ray", "TK_Exit\nmore" };
    const QStringList expected { "tk_Exit", " TK_Exit", "Empty key", "Focus  Ray", "Exit\nmore" };
    for (qsizetype i = 0; i < captions.size(); ++i) {
        FButton->FCaption = captions[i];
        engine.TranslateObject(FButton);
        EXPECT_EQ(FButton->FCaption, expected[i]) << captions[i].toStdString();
    }
}

TEST_F(Walk, AVetoedObjectStillHasItsChildrenTranslated)
{
    TTolkar2000 engine;
    Load(engine, Dictionary);
    engine.OnTranslateObject = [&](TTolkar2000&, QObject* Obj, bool& DoTranslate) {
        DoTranslate = Obj != FWindow.get() && Obj != FColumns->FItems[0];
    };
    engine.TranslateComponent(FWindow.get());
    EXPECT_EQ(FWindow->FCaption, "TK_Fokalis");
    EXPECT_EQ(FButton->FCaption, "Beenden");
    EXPECT_EQ(FColumns->FItems[0]->FCaption, "TK_Column");
    EXPECT_EQ(FColumns->FItems[1]->FCaption, "Spalte");
}

TEST_F(Walk, ASecondWalkChangesNothingAndMissesAreRecordedOnce)
{
    TTolkar2000 engine;
    engine.SetAutoCreateItlFile(true);
    engine.TranslateComponent(FWindow.get());
    const std::vector<std::string> missed = engine.MissingKeys();
    Load(engine, Dictionary);
    engine.TranslateComponent(FWindow.get());
    EXPECT_EQ(FButton->FCaption, "Exit");
    EXPECT_EQ(engine.MissingKeys(), missed);
    EXPECT_EQ(missed.front(), "[Fokalis]=Fokalis|$$");
    engine.SetAutoCreateItlFile(false);
}

} // namespace
