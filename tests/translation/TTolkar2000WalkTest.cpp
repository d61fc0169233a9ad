#include "TTolkar2000Walk.h"
#include "TEngineFixture.h"
#include "WalkFixtures.h"
#include "WindowBoundary.h"

#include <memory>

namespace {

const char* const Dictionary = "[Fokalis]=Fokalis Linsen|$$\r\n"
                               "[Exit]=Beenden|$$\r\n"
                               "[Concave]=Konkav|$$\r\n"
                               "[Convex]=Konvex|$$\r\n"
                               "[MMExplain]=One\\nTwo\\nThree|$$\r\n"
                               "[Column]=Spalte|$$\r\n"
                               "[]=Empty key|$$\r\n";

// A main window with a nested panel, a memo, a non-visual component, a collection, and a
// dialog of its own; a second top-level window is referred to by a property.
class Walk : public TEngineFixture {
protected:
    void SetUp() override
    {
        TEngineFixture::SetUp();
        FWindow = std::make_unique<TFixtureControl>();
        FWindow->setObjectName("TK_Button");
        FWindow->setWindowTitle("TK_Fokalis");
        FWindow->FCaption = "TK_Fokalis";
        FWindow->FName = "TK_Name";
        FWindow->FItems = { "TK_Concave", "plain", "TK_Convex" };
        FPanel = new TFixtureControl(FWindow.get());
        FButton = new TFixtureControl(FPanel);
        FButton->FCaption = "TK_Exit";
        FMemo = new TFixtureMemo(FPanel);
        FMemo->SetLines({ "TK_MMExplain" });
        FComponent = new TFixtureItem(FWindow.get());
        FComponent->FCaption = "TK_Exit";
        auto* Columns = new TFixtureColumns(FWindow.get());
        for (int I = 0; I < 2; ++I) {
            Columns->FItems.push_back(new TFixtureItem(Columns));
            Columns->FItems.back()->FCaption = "TK_Column";
        }
        FColumns = Columns;
        FWindow->SetColumns(Columns);
        FDialog = new TFixtureControl(FWindow.get(), Qt::Dialog);
        FDialog->FCaption = "TK_Exit";
        FOther = std::make_unique<TFixtureControl>();
        FOther->FCaption = "TK_Exit";
        FWindow->FBuddy = FOther.get();
    }

    std::unique_ptr<TFixtureControl> FWindow;
    TFixtureControl* FPanel = nullptr;
    TFixtureControl* FButton = nullptr;
    TFixtureMemo* FMemo = nullptr;
    TFixtureItem* FComponent = nullptr;
    TFixtureColumns* FColumns = nullptr;
    TFixtureControl* FDialog = nullptr;
    std::unique_ptr<TFixtureControl> FOther;
};

TEST_F(Walk, WithoutDictionaryKeysLoseTheirPrefix)
{
    TTolkar2000Walk Engine;
    Engine.TranslateComponent(FWindow.get());
    EXPECT_EQ(FWindow->FCaption, "Fokalis");
    EXPECT_EQ(FWindow->windowTitle(), "Fokalis");
    EXPECT_EQ(FWindow->FItems, QStringList({ "Concave", "plain", "Convex" }));
    EXPECT_EQ(FMemo->Lines(), QStringList { "MMExplain" });
    EXPECT_EQ(FButton->FCaption, "Exit");
    EXPECT_EQ(FComponent->FCaption, "Exit");
}

TEST_F(Walk, NamesOtherWindowsAndReferencedObjectsStay)
{
    TTolkar2000Walk Engine;
    Engine.SetWindowBoundary(IsSeparateWindow);
    Load(Engine, Dictionary);
    Engine.TranslateComponent(FWindow.get());
    EXPECT_EQ(FWindow->objectName(), "TK_Button");
    EXPECT_EQ(FWindow->FName, "TK_Name");
    EXPECT_EQ(FDialog->FCaption, "TK_Exit");
    EXPECT_EQ(FOther->FCaption, "TK_Exit");
    EXPECT_EQ(FButton->FCaption, "Beenden");
}

TEST_F(Walk, DictionaryTextsReplaceKeysAndBreaksMakeMemoLines)
{
    TTolkar2000Walk Engine;
    Load(Engine, Dictionary);
    Engine.TranslateComponent(FWindow.get());
    EXPECT_EQ(FWindow->FCaption, "Fokalis Linsen");
    EXPECT_EQ(FWindow->FItems, QStringList({ "Konkav", "plain", "Konvex" }));
    EXPECT_EQ(FMemo->Lines(), QStringList({ "One", "Two", "Three" }));
    EXPECT_EQ(FButton->FCaption, "Beenden");
    EXPECT_EQ(FColumns->FItems[0]->FCaption, "Spalte");
    EXPECT_EQ(FColumns->FItems[1]->FCaption, "Spalte");
}

TEST_F(Walk, MemoLinesBreakInPlaceAmongOtherLines)
{
    TTolkar2000Walk Engine;
    Load(Engine, Dictionary);
    FMemo->SetLines({ "TK_MMExplain", "keep", "TK_MMExplain" });
    Engine.TranslateObject(FMemo);
    EXPECT_EQ(FMemo->Lines(), QStringList({ "One", "Two", "Three", "keep", "One", "Two", "Three" }));
}

// The memo's whole text must not be looked up as one key before its lines: "A\nTK_B" would
// be a miss, and the first line would lose its prefix untranslated.
TEST_F(Walk, AMemoIsTranslatedLineByLineOnly)
{
    TTolkar2000Walk Engine;
    Engine.SetAutoCreateItlFile(true);
    Load(Engine, "[A]=Alpha|$$\r\n[B]=Beta|$$\r\n");
    FMemo->SetLines({ "TK_A", "TK_B" });
    Engine.TranslateComponent(FMemo);
    EXPECT_EQ(FMemo->Lines(), QStringList({ "Alpha", "Beta" }));
    EXPECT_EQ(Engine.MissingKeys(), std::vector<std::string> {});
    Engine.SetAutoCreateItlFile(false);
}

// A radio group's items are counted by index: a break in a text stays inside its item.
TEST_F(Walk, OutsideAMemoATextWithBreaksStaysOneItem)
{
    TTolkar2000Walk Engine;
    Load(Engine, "[Concave]=Kon\\nkav|$$\r\n[Convex]=Konvex|$$\r\n");
    Engine.TranslateObject(FWindow.get());
    EXPECT_EQ(FWindow->FItems, QStringList({ "Kon\r\nkav", "plain", "Konvex" }));
}

TEST_F(Walk, OnlyTheExactPrefixMarksAKey)
{
    TTolkar2000Walk Engine;
    Load(Engine, Dictionary);
    const QStringList Captions { "tk_Exit", " TK_Exit", "TK_", "TK_Focus  Ray", "TK_Exit\nmore" };
    const QStringList Expected { "tk_Exit", " TK_Exit", "Empty key", "Focus  Ray", "Exit\nmore" };
    for (qsizetype I = 0; I < Captions.size(); ++I) {
        FButton->FCaption = Captions[I];
        Engine.TranslateObject(FButton);
        EXPECT_EQ(FButton->FCaption, Expected[I]) << Captions[I].toStdString();
    }
}

TEST_F(Walk, AVetoedObjectStillHasItsChildrenTranslated)
{
    TTolkar2000Walk Engine;
    Load(Engine, Dictionary);
    Engine.OnTranslateObject = [&](TTolkar2000&, QObject* Obj, bool& DoTranslate) {
        DoTranslate = Obj != FWindow.get() && Obj != FColumns->FItems[0];
    };
    Engine.TranslateComponent(FWindow.get());
    EXPECT_EQ(FWindow->FCaption, "TK_Fokalis");
    EXPECT_EQ(FButton->FCaption, "Beenden");
    EXPECT_EQ(FColumns->FItems[0]->FCaption, "TK_Column");
    EXPECT_EQ(FColumns->FItems[1]->FCaption, "Spalte");
}

TEST_F(Walk, ASecondWalkChangesNothingAndMissesAreRecordedOnce)
{
    TTolkar2000Walk Engine;
    Engine.SetAutoCreateItlFile(true);
    Engine.TranslateComponent(FWindow.get());
    const std::vector<std::string> Missed = Engine.MissingKeys();
    Load(Engine, Dictionary);
    Engine.TranslateComponent(FWindow.get());
    EXPECT_EQ(FButton->FCaption, "Exit");
    EXPECT_EQ(Engine.MissingKeys(), Missed);
    EXPECT_EQ(Missed.front(), "[Fokalis]=Fokalis|$$");
    Engine.SetAutoCreateItlFile(false);
}

} // namespace
