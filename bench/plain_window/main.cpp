// The baselines of the first-paint benchmark, written as any Qt Widgets program would be.
// Without arguments: the main window's content in plain Qt, with the same size, widgets
// and English texts (the diagram area painted with QPainter, the command panel with its
// buttons, lens-type group, check boxes and legend, the whole explanation below in a
// label, as the comparison was first defined), but no dictionary, host link, icons or fonts
// of its own. With --bare: an empty window of the same size.
#include "LenseStartValues.h"
#include "TQPainterLenseScene.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPaintEvent>
#include <QPushButton>
#include <QRadioButton>

#include <cstring>

namespace {

constexpr QSize ClientSize(770, 567);
constexpr QRect DiagramBounds(0, 0, 608, 475);

const char* const Explanation
    = "The diagram shows how a thin lens forms the image of an object. The stick figure standing "
      "left of the lens is the object; the second figure is its image, which hangs head down when "
      "it is real and inverted.\nTwo rays are enough to find the image: the focus ray leaves the "
      "object's head parallel to the axis and is refracted through the focal point F, the center "
      "ray passes straight through the middle of the lens. Where the image is virtual, dotted lines "
      "continue the rays backwards.\nDrag the object's head with the left mouse button to change "
      "its distance and height, or drag the left mark \"F\" or \"2F\" to change the focal length. "
      "Choose a convex or a concave lens on the right.\nWith the keyboard: Tab to the diagram, then O, "
      "F or 2 chooses the object, the mark \"F\" or the mark \"2F\"; the arrow keys move it by one "
      "pixel, with Shift by ten, and Up and Down change the object's height; Escape leaves the choice.";

class TPlainDiagram : public QWidget {
public:
    explicit TPlainDiagram(QWidget* Parent)
        : QWidget(Parent)
        , FScene(LenseStartValues(), DiagramBounds.width(), DiagramBounds.height())
    {
        setGeometry(DiagramBounds);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter Painter(this);
        FScene.Paint(Painter);
    }

private:
    TQPainterLenseScene FScene;
};

template <typename T> T* Place(T* Control, const QRect& Bounds)
{
    Control->setGeometry(Bounds);
    return Control;
}

void BuildMainWindow(QWidget& Window)
{
    Window.setWindowTitle("Fokalis - Thin Lens");
    new TPlainDiagram(&Window);
    auto* Panel = Place(new QWidget(&Window), QRect(608, 0, 162, 475));
    Place(new QPushButton("Exit", Panel), QRect(10, 10, 143, 32));
    Place(new QPushButton("About", Panel), QRect(8, 48, 145, 33));
    auto* Group = Place(new QGroupBox("Type of Lens", Panel), QRect(16, 104, 129, 65));
    Place(new QRadioButton("Concave", Group), QRect(8, 18, 113, 20));
    Place(new QRadioButton("Convex", Group), QRect(8, 40, 113, 20))->setChecked(true);
    Place(new QCheckBox("Display Lens", Panel), QRect(15, 216, 140, 17))->setChecked(true);
    Place(new QCheckBox("Show Values", Panel), QRect(15, 240, 140, 17));
    Place(new QLabel("Key\nObject\nImage\nFocus Ray\nCenter Ray", Panel), QRect(11, 331, 142, 137));
    auto* Memo = Place(new QLabel(Explanation, &Window), QRect(0, 475, 770, 92));
    Memo->setWordWrap(true);
    Memo->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

}

int main(int ArgC, char** ArgV)
{
    const bool Bare = ArgC > 1 && std::strcmp(ArgV[1], "--bare") == 0;
    QApplication Application(ArgC, ArgV);
    QWidget Window;
    Window.resize(ClientSize);
    if (!Bare)
        BuildMainWindow(Window);
    Window.show();
    return QApplication::exec();
}
