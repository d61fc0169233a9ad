// Mouse events go through the window system, as in the drag tests, so the keyboard is
// compared with real drags.
#define QTEST_QPA_MOUSE_HANDLING
#include <QtTest>

#include "PixelImage.h"
#include "TLenseGraph.h"
#include "TRadioGroup.h"
#include "TTolkar2000.h"
#include "TfrmExample.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QPlainTextEdit>
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

TEST_F(Keyboard, TabFollowsTheScreenFromTheDiagramAndKeysOperateTheControls)
{
    EXPECT_EQ(FocusName(), "FLenseGraph") << "the diagram has the focus at start";
    QStringList Order;
    for (int I = 0; I < 8; ++I) {
        Press(Qt::Key_Tab);
        Order << FocusName();
    }
    // The radio group is one stop, at its chosen item: the arrows choose within it.
    EXPECT_EQ(Order,
        QStringList({ "Memo1", "cmdExit", "BButAbout", "RGLenseType", "CBDrawLense", "CBShowValues",
            "FLenseGraph", "Memo1" }));

    TLenseGraph* Graph = Window.LenseGraph();
    auto* Group = Control<TRadioGroup>("RGLenseType");
    Control("BButAbout")->setFocus();
    Press(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), Group->Button(1)) << "the chosen item, convex";
    Press(Qt::Key_Up);
    EXPECT_EQ(Graph->LenseType(), TLenseType::ltConcave);
    Press(Qt::Key_Tab);
    Press(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), Group->Button(0)) << "the stop follows the choice";
    Press(Qt::Key_Down);
    EXPECT_EQ(Graph->LenseType(), TLenseType::ltConvex);

    Control("CBDrawLense")->setFocus();
    Press(Qt::Key_Space);
    EXPECT_FALSE(Graph->DrawLense());
    Press(Qt::Key_Tab);
    Press(Qt::Key_Space);
    EXPECT_TRUE(Control<QCheckBox>("CBShowValues")->isChecked());
    EXPECT_TRUE(Control("MValues")->isVisible());
    EXPECT_FALSE(Control("Memo1")->isVisible());

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
    Control("cmdExit")->setFocus();
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

// What a screen reader reads: the chosen element is the diagram's focused child, a spin
// button whose number and text follow keys and drags; the window is a named frame whose
// containers and explanation have names, and the explanation takes no letters.
TEST_F(Keyboard, TheChoiceIsAFocusedPartWhoseNumberAndTextFollowEveryChange)
{
    TLenseGraph* Graph = Window.LenseGraph();
    QAccessibleInterface* Diagram = QAccessible::queryAccessibleInterface(Graph);
    ASSERT_NE(Diagram, nullptr);
    EXPECT_EQ(
        Diagram->text(QAccessible::Help), QString::fromLocal8Bit(English.Translate("Lens Diagram Help")));
    const auto Focused = [Diagram]() -> QAccessibleInterface* {
        QAccessibleInterface* Child = Diagram->focusChild();
        return Child && Child != Diagram && Child->state().focused ? Child : nullptr;
    };
    ASSERT_TRUE(Graph->hasFocus());
    EXPECT_EQ(Focused(), nullptr);

    Press(Qt::Key_O);
    QAccessibleInterface* Part = Focused();
    ASSERT_NE(Part, nullptr);
    EXPECT_EQ(Part->role(), QAccessible::SpinBox);
    EXPECT_EQ(Part->text(QAccessible::Name), "object");
    EXPECT_EQ(Diagram->indexOfChild(Part), 0);
    EXPECT_EQ(Part->valueInterface()->currentValue().toInt(), 200);
    Press(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(Part->valueInterface()->currentValue().toInt(), 190);
    QAccessibleTextInterface* Text = Part->textInterface();
    ASSERT_NE(Text, nullptr);
    const QString Spoken = Text->text(0, Text->characterCount());
    EXPECT_TRUE(
        Spoken.startsWith("190 pixels left of the lens, 150 pixels high. The object stands 190 pixels"))
        << Spoken.toStdString();
    EXPECT_TRUE(Spoken.contains("The image is real")) << Spoken.toStdString();

    // Up and Down change the other number of the object: its height is the part heard.
    Press(Qt::Key_Up);
    QAccessibleInterface* Height = Focused();
    ASSERT_NE(Height, nullptr);
    EXPECT_EQ(Height->text(QAccessible::Name), "object height");
    EXPECT_EQ(Height->valueInterface()->currentValue().toInt(), 151);
    EXPECT_FALSE(Part->state().focused);
    Height->valueInterface()->setCurrentValue(10000);
    EXPECT_EQ(Graph->ObjectH(), Height->valueInterface()->maximumValue().toInt());
    EXPECT_EQ(Graph->ObjectX(), 190);

    Press(Qt::Key_2);
    EXPECT_EQ(Focused()->text(QAccessible::Name), "2F mark");
    Press(Qt::Key_Escape);
    EXPECT_EQ(Focused(), nullptr);
    // Dragging with the focus here makes the dragged element the choice, heard as well.
    QTest::mousePress(Graph, Qt::LeftButton, {}, QPoint(224, 237));
    QTest::mouseRelease(Graph, Qt::LeftButton, {}, QPoint(224, 237));
    ASSERT_NE(Focused(), nullptr);
    EXPECT_EQ(Focused()->text(QAccessible::Name), "focal point F");

    QAccessibleInterface* Frame = QAccessible::queryAccessibleInterface(&Window);
    EXPECT_EQ(Frame->role(), QAccessible::Window);
    EXPECT_EQ(Frame->text(QAccessible::Name), Window.windowTitle());
    const auto Name = [this](const char* Control) {
        return QAccessible::queryAccessibleInterface(this->Control(Control))->text(QAccessible::Name);
    };
    EXPECT_EQ(QStringList({ Name("pnlCommand"), Name("PLegend"), Name("RGLenseType"), Name("Memo1") }),
        QStringList({ "Commands", "Key", "Type of Lens", "Explanation" }));
    auto* Memo = Control<QPlainTextEdit>("Memo1");
    const QString Explanation = Memo->toPlainText();
    const QPoint Edge = Memo->viewport()->geometry().topLeft() + QPoint(1, Memo->viewport()->height() / 2);
    const QColor Highlight = Memo->palette().color(QPalette::Highlight);
    EXPECT_NE(Memo->grab().toImage().pixelColor(Edge), Highlight);
    Memo->setFocus();
    EXPECT_EQ(Memo->grab().toImage().pixelColor(Edge), Highlight) << "a focus frame shows";
    Press(Qt::Key_X);
    EXPECT_EQ(Memo->toPlainText(), Explanation);
}

} // namespace
