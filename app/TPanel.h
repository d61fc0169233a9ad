#pragma once

#include <QWidget>

class TControlAlign;

// A panel of the form library: a client area in its own colour, optionally framed
// by a sunken two-pixel border (outside the client area) and an outer bevel drawn
// just inside it. Its children are placed in client coordinates through Controls().
class TPanel : public QWidget {
    Q_OBJECT

public:
    enum class TBevelCut { None, Lowered, Raised };

    explicit TPanel(QWidget* Parent = nullptr);

    void SetColor(const QColor& Color);
    void SetBevelOuter(TBevelCut Bevel);
    void SetSingleBorder(bool Single);
    // Space kept free between the bevel and the aligned children.
    void SetBorderWidth(int Width);

    TControlAlign& Controls() { return *FControls; }

protected:
    void paintEvent(QPaintEvent* Event) override;

private:
    void UpdateAlignMargin();

    TControlAlign* FControls;
    TBevelCut FBevelOuter = TBevelCut::Raised;
    int FBorderWidth = 0;
    bool FSingleBorder = false;
};
