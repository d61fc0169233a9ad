// Mouse events go through the window system, as in the drag tests, so the keyboard is
// compared with real drags.
#define QTEST_QPA_MOUSE_HANDLING
#include <QtTest>

#include "PixelImage.h"
#include "TLenseGraph.h"
#include "TRadioGroup.h"
#include "TTolkar2000.h"
#include "TfrmExample.h"

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

#include <fstream>

namespace {

class Keyboard : public testing::Test {
protected:
    Keyboard()
    {
        std::ifstream In(std::string(FOKALIS_DICTIONARY_DIR) + "/english.itl", std::ios::binary);
        English.LoadFromStream(In);
        Window.LenseGraph()->SetTranslator(English);
        Show(Window);
    }

    static void Show(TfrmExample& Shown)
    {
        Shown.show();
        QApplication::setActiveWindow(&Shown);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&Shown));
    }

    template <typename T = QWidget> T* Control(const char* Name)
    {
        T* Found = Window.findChild<T*>(Name);
        EXPECT_NE(Found, nullptr) << Name;
        return Found;
    }

    static void Press(Qt::Key Key, Qt::KeyboardModifiers Modifiers = {}, int Times = 1)
    {
        for (int I = 0; I < Times; ++I)
            QTest::keyClick(QApplication::focusWidget(), Key, Modifiers);
    }

    static QString FocusName()
    {
        const QWidget* Focus = QApplication::focusWidget();
        if (!Focus)
            return "(none)";
        return Focus->objectName().isEmpty() ? Focus->parentWidget()->objectName() : Focus->objectName();
    }

    TTolkar2000 English;
    TfrmExample Window;
};

TEST_F(Keyboard, TabReachesThePanelsControlsThenTheDiagramAndKeysOperateThem)
{
    Control("CBDrawLense")->setFocus();
    QStringList Order { FocusName() };
    for (int I = 0; I < 6; ++I) {
        Press(Qt::Key_Tab);
        Order << FocusName();
    }
    // The radio group is one stop: the arrows choose within it.
    EXPECT_EQ(Order,
        QStringList({ "CBDrawLense", "CBShowValues", "RGLenseType", "cmdExit", "BButAbout", "FLenseGraph",
            "Memo1" }));

    // Tab leaves the explanation too: the first stop again.
    Press(Qt::Key_Tab);
    EXPECT_EQ(FocusName(), "CBDrawLense");

    TLenseGraph* Graph = Window.LenseGraph();
    Control("CBDrawLense")->setFocus();
    Press(Qt::Key_Space);
    EXPECT_FALSE(Graph->DrawLense());
    Press(Qt::Key_Tab);
    Press(Qt::Key_Space);
    EXPECT_TRUE(Control<QCheckBox>("CBShowValues")->isChecked());
    EXPECT_TRUE(Control("MValues")->isVisible());
    EXPECT_FALSE(Control("Memo1")->isVisible());
    // The group's first item takes the focus; Space chooses it, and from a chosen item
    // the arrows choose the next.
    Press(Qt::Key_Tab);
    Press(Qt::Key_Space);
    EXPECT_EQ(Graph->LenseType(), TLenseType::ltConcave);
    Press(Qt::Key_Down);
    EXPECT_EQ(Graph->LenseType(), TLenseType::ltConvex);
    Press(Qt::Key_Up);
    EXPECT_EQ(Graph->LenseType(), TLenseType::ltConcave);

    // A shortcut clicks its button after the button's short press animation.
    Press(Qt::Key_Q, Qt::ControlModifier);
    EXPECT_TRUE(QTest::qWaitFor([this] { return !Window.isVisible(); }));
}

TEST_F(Keyboard, KeyMovesGiveThePictureOfADragToTheSamePlace)
{
    struct TCase {
        Qt::Key Choice;
        QPoint Press;
        QPoint Release;
        std::vector<std::pair<Qt::Key, Qt::KeyboardModifiers>> Keys;
    };
    const TCase Cases[] = {
        { Qt::Key_O, { 104, 87 }, { 104 + 13, 87 - 20 },
            { { Qt::Key_Right, Qt::ShiftModifier }, { Qt::Key_Right, {} }, { Qt::Key_Right, {} },
                { Qt::Key_Right, {} }, { Qt::Key_Up, Qt::ShiftModifier },
                { Qt::Key_Up, Qt::ShiftModifier } } },
        { Qt::Key_F, { 224, 237 }, { 224 - 11, 237 },
            { { Qt::Key_Left, Qt::ShiftModifier }, { Qt::Key_Left, {} } } },
        { Qt::Key_2, { 144, 237 }, { 144 + 3, 237 },
            { { Qt::Key_Right, {} }, { Qt::Key_Right, {} }, { Qt::Key_Right, {} }, { Qt::Key_Down, {} } } },
    };
    // One window runs per process, so the drag and the keys take turns on the same diagram.
    TLenseGraph* Graph = Window.LenseGraph();
    const QImage Start = PixelImage(Graph->Bitmap()).copy();
    const QString StartDescription = Graph->AccessibleDescription();
    const auto Reset = [Graph] {
        Graph->SetObjectX(200);
        Graph->SetObjectH(150);
        Graph->SetF(80);
    };
    for (const TCase& Case : Cases) {
        Reset();
        QTest::mousePress(Graph, Qt::LeftButton, {}, Case.Press);
        QTest::mouseMove(Graph, Case.Release);
        QTest::mouseRelease(Graph, Qt::LeftButton, {}, Case.Release);
        const QImage Dragged = PixelImage(Graph->Bitmap()).copy();
        const QString DraggedDescription = Graph->AccessibleDescription();

        Reset();
        Graph->setFocus();
        Press(Case.Choice);
        for (const auto& [Key, Modifiers] : Case.Keys)
            Press(Key, Modifiers);
        EXPECT_NE(Dragged, Start) << Case.Press.x();
        EXPECT_EQ(PixelImage(Graph->Bitmap()), Dragged) << Case.Press.x();
        // What a screen reader reads follows keys and drags alike.
        EXPECT_EQ(Graph->AccessibleDescription(), DraggedDescription);
        EXPECT_NE(Graph->AccessibleDescription(), StartDescription);
        Press(Qt::Key_Escape);
        Graph->clearFocus();
    }
}

TEST_F(Keyboard, TheFocusMarkShowsOnlyOnTheScreenAndOnlyWithTheFocus)
{
    TLenseGraph* Graph = Window.LenseGraph();
    const QImage Diagram = PixelImage(Graph->Bitmap()).copy();
    const auto Screen = [Graph] { return Graph->grab().toImage().convertToFormat(QImage::Format_RGB32); };
    EXPECT_EQ(Screen(), Diagram);

    Graph->setFocus();
    Press(Qt::Key_O);
    EXPECT_EQ(Graph->KeyTarget(), TGrabTarget::gtObject);
    const QImage Marked = Screen();
    EXPECT_NE(Marked, Diagram);
    EXPECT_EQ(PixelImage(Graph->Bitmap()).copy(), Diagram);

    // Escape leaves the choice: the mark around the object goes, the focus frame stays.
    Press(Qt::Key_Escape);
    EXPECT_EQ(Graph->KeyTarget(), TGrabTarget::gtNone);
    const QImage Framed = Screen();
    EXPECT_NE(Framed, Marked);
    EXPECT_NE(Framed, Diagram);
    const int Paints = Graph->PaintCount();
    Press(Qt::Key_Left);
    EXPECT_EQ(Graph->PaintCount(), Paints);

    Control("cmdExit")->setFocus();
    EXPECT_EQ(Screen(), Diagram);
    // A click does not take the focus, so a mouse user never sees the mark.
    QTest::mouseClick(Graph, Qt::LeftButton, {}, QPoint(500, 400));
    EXPECT_FALSE(Graph->hasFocus());
}

} // namespace
