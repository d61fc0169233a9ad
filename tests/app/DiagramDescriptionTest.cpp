#include "TLenseGraph.h"
#include "TTolkar2000.h"
#include "TfrmExample.h"

#include <QAccessible>
#include <QCheckBox>
#include <QPlainTextEdit>
#include <QtTest>

#include <gtest/gtest.h>

#include <fstream>

namespace {

struct TScene {
    TLenseType Type;
    int ObjectX;
};

// The worked cases of the construction, and one object between F and 2F (F = 80).
constexpr TScene BeyondConvex { TLenseType::ltConvex, 200 };
constexpr TScene AtDoubleFocus { TLenseType::ltConvex, 160 };
constexpr TScene BetweenConvex { TLenseType::ltConvex, 120 };
constexpr TScene AtFocus { TLenseType::ltConvex, 80 };
constexpr TScene InsideConvex { TLenseType::ltConvex, 50 };
constexpr TScene BeyondConcave { TLenseType::ltConcave, 200 };

class DiagramDescription : public testing::Test {
protected:
    void Load(const char* File)
    {
        std::ifstream In(std::string(FOKALIS_DICTIONARY_DIR) + "/" + File, std::ios::binary);
        ASSERT_TRUE(In.good()) << File;
        Engine.LoadFromStream(In);
        Graph()->SetTranslator(Engine);
    }

    TLenseGraph* Graph() { return Window.LenseGraph(); }

    void Show(TScene Scene)
    {
        Graph()->SetLenseType(Scene.Type);
        Graph()->SetObjectX(Scene.ObjectX);
    }

    QString Accessible(QAccessible::Text Which)
    {
        QAccessibleInterface* Interface = QAccessible::queryAccessibleInterface(Graph());
        return Interface ? Interface->text(Which) : QString("(no interface)");
    }

    QString Described(TScene Scene)
    {
        Show(Scene);
        return Accessible(QAccessible::Description);
    }

    QString Values() { return Window.findChild<QPlainTextEdit*>("MValues")->toPlainText(); }

    TTolkar2000 Engine;
    TfrmExample Window;
};

TEST_F(DiagramDescription, EnglishSaysWhereObjectAndImageStandAndWhatTheImageIs)
{
    Load("english.itl");
    EXPECT_EQ(Accessible(QAccessible::Name), "Lens diagram");
    EXPECT_EQ(Described(BeyondConvex),
        "Convex lens with a focal length of 80 pixels. The object stands 200 pixels left of the lens, "
        "beyond 2F. The image is real, inverted and reduced; it lies 133 pixels right of the lens.");
    EXPECT_EQ(Described(AtDoubleFocus),
        "Convex lens with a focal length of 80 pixels. The object stands 160 pixels left of the lens, at 2F. "
        "The image is real, inverted and as large as the object; it lies 160 pixels right of the lens.");
    EXPECT_TRUE(Described(BetweenConvex)
                    .endsWith("between F and 2F. The image is real, inverted and enlarged; it lies 240 "
                              "pixels right of the lens."));
    EXPECT_TRUE(
        Described(AtFocus).endsWith("at F. No image forms: the rays leave the lens parallel to each other."));
    EXPECT_TRUE(Described(InsideConvex)
                    .endsWith("inside F. The image is virtual, upright and enlarged; it lies 133 pixels left "
                              "of the lens."));
    EXPECT_EQ(Described(BeyondConcave),
        "Concave lens with a focal length of 80 pixels. The object stands 200 pixels left of the lens, "
        "beyond 2F. The image is virtual, upright and reduced; it lies 57 pixels left of the lens.");
}

TEST_F(DiagramDescription, GermanToo)
{
    Load("german.itl");
    EXPECT_EQ(Accessible(QAccessible::Name), "Linsendiagramm");
    EXPECT_EQ(Described(BeyondConvex),
        "Sammellinse (konvex) mit der Brennweite 80 Pixel. Der Gegenstand steht 200 Pixel links der Linse, "
        "außerhalb von 2F. Das Bild ist reell, umgekehrt und verkleinert; es liegt 133 Pixel rechts der "
        "Linse.");
    EXPECT_TRUE(Described(AtFocus).endsWith(
        "im Brennpunkt F. Es entsteht kein Bild: Die Strahlen verlassen die Linse parallel zueinander."));
    EXPECT_TRUE(Described(InsideConvex)
                    .endsWith("Das Bild ist virtuell, aufrecht und vergrößert; es liegt "
                              "133 Pixel links der Linse."));
}

TEST_F(DiagramDescription, ValuesPanelShowsTheEquationFilledInAndFollowsTheDiagram)
{
    Load("english.itl");
    auto* Check = Window.findChild<QCheckBox*>("CBShowValues");
    EXPECT_FALSE(Check->isChecked());
    EXPECT_EQ(Window.findChild<QPlainTextEdit*>("MValues"), nullptr) << "built when first shown";
    Check->setChecked(true);
    EXPECT_EQ(Values().split('\n'),
        QStringList({ "Object distance u = 200 px    Image distance v = 133.3 px    Focal length f = 80 px",
            "Magnification m = -v/u = -0.67: the image is real and inverted.",
            "Thin-lens equation 1/f = 1/u + 1/v:   1/80 = 1/200 + 1/133.3",
            "Lengths in pixels of the diagram; f is negative for a concave lens, v for a virtual image." }));
    Show(BeyondConcave);
    EXPECT_TRUE(Values().contains("Image distance v = -57.1 px    Focal length f = -80 px"));
    EXPECT_TRUE(Values().contains("m = -v/u = 0.29: the image is virtual and upright."));
    EXPECT_TRUE(Values().contains("1/(-80) = 1/200 + 1/(-57.1)"));
    Show(AtFocus);
    EXPECT_EQ(Values().split('\n').mid(0, 2),
        QStringList({ "Object distance u = 80 px    Focal length f = 80 px",
            "No image forms: the object stands in the focal plane (u = f), so 1/v = 1/f - 1/u = 0." }));

    Load("german.itl");
    Show(BeyondConvex);
    EXPECT_TRUE(Values().contains("Bildweite b = 133,3 px")) << Values().toStdString();
    EXPECT_TRUE(Values().contains("1/80 = 1/200 + 1/133,3"));
    Check->setChecked(false);
    EXPECT_TRUE(Window.findChild<QWidget*>("Memo1")->isVisibleTo(&Window));
}

} // namespace
