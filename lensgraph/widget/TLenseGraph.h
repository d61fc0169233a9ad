#pragma once

#include "LenseDiagram.h"
#include "LenseDrag.h"
#include "LensePart.h"
#include "TLenseKeyboard.h"
#include "TPixelBuffer.h"

#include <QWidget>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class QPainter;
class TTolkar2000;

// The lens ray diagram as a widget without a native window. Every setter that
// changes a value repaints at once (compose into FBitmap, then a synchronous copy
// to the screen); dragging with the left button moves the object's top or the
// left focal marks. From the keyboard (Tab reaches it, a click does not), O, F and 2
// choose the object's top, the left F mark or the left 2F mark, the arrows move it by
// one pixel (with Shift by ten) as a drag would, and Escape leaves the choice; a focus
// mark, drawn over the diagram only while it has the focus, shows the choice.
// Its accessible name and description say, in the translator's language, what the
// diagram shows; the description follows every change. For a screen reader the chosen
// element is a focused child with a number (TLensePart), whose change it speaks
// together with the new situation; Up and Down on the object choose its height.
class TLenseGraph : public QWidget {
    Q_OBJECT
    Q_PROPERTY(quint32 GridColor READ GridColor WRITE SetGridColor)
    Q_PROPERTY(quint32 LenseColor READ LenseColor WRITE SetLenseColor)
    Q_PROPERTY(quint32 BackColor READ BackColor WRITE SetBackColor)
    Q_PROPERTY(quint32 ObjectColor READ ObjectColor WRITE SetObjectColor)
    Q_PROPERTY(quint32 ImageColor READ ImageColor WRITE SetImageColor)
    Q_PROPERTY(quint32 LineColor1 READ LineColor1 WRITE SetLineColor1)
    Q_PROPERTY(quint32 LineColor2 READ LineColor2 WRITE SetLineColor2)
    Q_PROPERTY(qint32 F READ F WRITE SetF)
    Q_PROPERTY(qint32 MarkWidth READ MarkWidth WRITE SetMarkWidth)
    Q_PROPERTY(qint32 MarkCapSpace READ MarkCapSpace WRITE SetMarkCapSpace)
    Q_PROPERTY(TLenseType LenseType READ LenseType WRITE SetLenseType)
    Q_PROPERTY(qint32 ObjectH READ ObjectH WRITE SetObjectH)
    Q_PROPERTY(qint32 ObjectX READ ObjectX WRITE SetObjectX)
    Q_PROPERTY(qint32 GrabSensitivity READ GrabSensitivity WRITE SetGrabSensitivity)
    Q_PROPERTY(double LenseHeightRatio READ LenseHeightRatio WRITE SetLenseHeightRatio)
    Q_PROPERTY(double LenseWidthRatio READ LenseWidthRatio WRITE SetLenseWidthRatio)
    Q_PROPERTY(quint8 ConcaveThick READ ConcaveThick WRITE SetConcaveThick)
    Q_PROPERTY(bool DrawLense READ DrawLense WRITE SetDrawLense)

public:
    explicit TLenseGraph(QWidget* Parent = nullptr);
    ~TLenseGraph() override;

    TColor GridColor() const { return FState.GridColor; }
    TColor LenseColor() const { return FState.LenseColor; }
    TColor BackColor() const { return FState.BackColor; }
    TColor ObjectColor() const { return FState.ObjectColor; }
    TColor ImageColor() const { return FState.ImageColor; }
    TColor LineColor1() const { return FState.LineColor1; }
    TColor LineColor2() const { return FState.LineColor2; }
    std::int32_t F() const { return FState.F; }
    std::int32_t MarkWidth() const { return FState.MarkWidth; }
    std::int32_t MarkCapSpace() const { return FState.MarkCapSpace; }
    TLenseType LenseType() const { return FState.LenseType; }
    std::int32_t ObjectH() const { return FState.ObjectH; }
    std::int32_t ObjectX() const { return FState.ObjectX; }
    std::int32_t GrabSensitivity() const { return FState.GrabSensitivity; }
    double LenseHeightRatio() const { return FState.LenseHeightRatio; }
    double LenseWidthRatio() const { return FState.LenseWidthRatio; }
    std::uint8_t ConcaveThick() const { return FState.ConcaveThick; }
    bool DrawLense() const { return FState.DrawLense; }

    void SetGridColor(TColor Value);
    void SetLenseColor(TColor Value);
    void SetBackColor(TColor Value);
    void SetObjectColor(TColor Value);
    void SetImageColor(TColor Value);
    void SetLineColor1(TColor Value);
    void SetLineColor2(TColor Value);
    void SetF(std::int32_t Value);
    void SetMarkWidth(std::int32_t Value);
    void SetMarkCapSpace(std::int32_t Value);
    void SetLenseType(TLenseType Value);
    void SetObjectH(std::int32_t Value);
    void SetObjectX(std::int32_t Value);
    // Stored without a repaint: it only matters at the next press.
    void SetGrabSensitivity(std::int32_t Value) { FState.GrabSensitivity = Value; }
    void SetLenseHeightRatio(double Value);
    void SetLenseWidthRatio(double Value);
    void SetConcaveThick(std::uint8_t Value);
    void SetDrawLense(bool Value);

    // The engine whose dictionary gives the accessible texts; it must outlive this
    // diagram. Until one is set, an engine without a dictionary gives the bare keys.
    void SetTranslator(TTolkar2000& Translator);
    // Back to the engine without a dictionary, for when the set one goes away.
    void ClearTranslator();
    // Looks a key up in the present translator.
    std::string Translate(std::string_view Key, const std::vector<std::string>& Args = {}) const;
    // The texts assistive technology reads: a name, and what the picture shows.
    const QString& AccessibleName() const;
    const QString& AccessibleDescription() const;
    // Which keys move what.
    QString AccessibleHelp() const;
    // A part's name, and its numbers with the situation they give.
    QString AccessiblePartName(TLensePart Part) const;
    QString AccessiblePartText(TLensePart Part) const;
    // Moves Part's element as a drag would, so that its number is Value within the
    // picture's limits; repaints when that changed anything.
    void SetPartValue(TLensePart Part, long long Value);
    // The diagram's state as the next paint draws it.
    const TLenseDiagramState& State() const { return FState; }
    // Sets every value at once with a single repaint, as a window sets its start values.
    void SetState(const TLenseDiagramState& Value);

    // Composes the whole diagram in FBitmap and puts it on the screen before returning.
    void Paint();

    TGrabTarget GrabTarget() const { return FGrabTarget; }
    // The element the keyboard moves; gtNone when none is chosen.
    TGrabTarget KeyTarget() const { return FKeys.Target(); }
    // Target's pixel, held near the picture where a setter put it far outside;
    // gtNone gives the lens centre.
    QPoint ElementPixel(TGrabTarget Target) const;
    // The ring that shows the keyboard's choice.
    static constexpr int FocusRingRadius = 9;
    // The part the keyboard moves; none while nothing is chosen.
    std::optional<TLensePart> KeyPart() const { return FKeys.Part(); }
    const TPixelBuffer& Bitmap() const { return FBitmap; }
    // How many times the diagram has been composed; lets callers see that an
    // unchanged value costs nothing.
    int PaintCount() const { return FPaintCount; }

protected:
    void MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    void MouseMove(Qt::KeyboardModifiers Shift, int X, int Y);
    void MouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);

    void paintEvent(QPaintEvent* Event) override;
    void mousePressEvent(QMouseEvent* Event) override;
    void mouseDoubleClickEvent(QMouseEvent* Event) override;
    void mouseMoveEvent(QMouseEvent* Event) override;
    void mouseReleaseEvent(QMouseEvent* Event) override;
    void keyPressEvent(QKeyEvent* Event) override;
    void focusInEvent(QFocusEvent* Event) override;
    void resizeEvent(QResizeEvent* Event) override;

signals:
    // After every change of what the diagram shows or says: setters, drags, keys, a new
    // translator.
    void Changed();

private:
    template <typename TValue, typename TEqual> void Assign(TValue& Field, TValue Value, TEqual Same);
    void Compose();
    struct TTextChanges {
        bool Name = false;
        bool Description = false;
    };
    // Composes the texts again if the diagram or the translator changed since; tells
    // which of them now differ.
    TTextChanges RefreshAccessibleTexts() const;
    // Marks the texts for composing again; with assistive technology running, composes
    // them at once and announces what changed.
    void UpdateAccessibleTexts();
    void PaintFocusMark(QPainter& Painter) const;
    // Chooses Target for the keyboard and tells assistive technology.
    void ChooseKeyTarget(TGrabTarget Target);
    // Tells assistive technology which part, or else the diagram, has the focus.
    void AnnounceFocus();
    TTextLookup Lookup() const;

    TPixelBuffer FBitmap;
    TGrabTarget FGrabTarget = TGrabTarget::gtNone;
    TLenseDiagramState FState;
    int FPaintCount = 0;
    TLenseKeyboard FKeys;
    std::unique_ptr<TTolkar2000> FNoDictionary;
    TTolkar2000* FTranslator;
    mutable QString FAccessibleName;
    mutable QString FAccessibleDescription;
    mutable bool FAccessibleStale = true;
};
