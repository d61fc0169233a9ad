#pragma once

#include "TFont.h"

#include <QWidget>

// A window-less text label: draws its caption as it is (an ampersand is no accelerator
// marker, angle brackets are no markup) at its top left on its parent's colour; with
// AutoSize it takes the size its caption needs. A click is a left-button press and
// release inside it and raises OnClick.
class TCustomLabel : public QWidget {
    Q_OBJECT

public:
    explicit TCustomLabel(QWidget* parent = nullptr);

    QString Caption() const { return FCaption; }
    void SetCaption(const QString& Value);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);

    // The background: its parent's window colour, its own without a parent.
    QColor Color() const;
    // The font the caption is drawn in; a disabled label draws it in the disabled colour.
    TFont Font() const;
    void SetFont(const TFont& Value);

    // Whether the label is shown with its parent: true unless it was hidden.
    bool Visible() const { return !isHidden() || !testAttribute(Qt::WA_WState_ExplicitShowHide); }

    QSize sizeHint() const override;

    // What a click does: raises OnClick.
    virtual void Click();

signals:
    void OnClick();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void AdjustBounds();

    QString FCaption;
    bool FAutoSize = true;
    bool FClicked = false;
};
