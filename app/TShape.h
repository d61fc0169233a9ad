#pragma once

#include <QColor>
#include <QWidget>

// A circle filled with BrushColor and outlined in black, as large as the control's
// shorter side allows and centred in it.
class TShape : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QColor BrushColor READ BrushColor WRITE SetBrushColor)

public:
    explicit TShape(QWidget* Parent = nullptr);

    QColor BrushColor() const { return FBrushColor; }
    void SetBrushColor(const QColor& Color);

protected:
    void paintEvent(QPaintEvent* Event) override;

private:
    QColor FBrushColor = Qt::white;
};
