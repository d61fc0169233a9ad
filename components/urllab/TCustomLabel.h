#pragma once

#include "TFont.h"

#include <QPointer>
#include <QWidget>

#include <cstdint>

class QMenu;

// A window-less text label: draws its caption as it is (an ampersand is no accelerator
// marker, angle brackets are no markup) on its own colour or transparently, aligned
// and optionally word-wrapped; with AutoSize it takes the size its caption needs
// (with WordWrap only its height). It reports the pointer and button events as the
// form library's controls do; a click is a left-button press and release inside it.
class TCustomLabel : public QWidget {
    Q_OBJECT

public:
    enum class TAlignment : std::uint8_t { taLeftJustify, taRightJustify, taCenter };
    Q_ENUM(TAlignment)
    enum class TTextLayout : std::uint8_t { tlTop, tlCenter, tlBottom };
    Q_ENUM(TTextLayout)

    explicit TCustomLabel(QWidget* parent = nullptr);

    QString Caption() const { return FCaption; }
    void SetCaption(const QString& Value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    TTextLayout Layout() const { return FLayout; }
    void SetLayout(TTextLayout Value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);

    // The background; with ParentColor it is the parent's colour.
    QColor Color() const;
    // Also clears ParentColor.
    void SetColor(const QColor& Value);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool Value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);

    // The font the caption is drawn in; a disabled label draws it in the disabled colour.
    TFont Font() const;
    // Also clears ParentFont.
    void SetFont(const TFont& Value);
    // With ParentFont the label takes its parent's font and text colour.
    bool ParentFont() const;
    void SetParentFont(bool Value);

    // Shown on a right click unless an OnContextPopup handler took the click.
    QMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(QMenu* Value);

    // Whether the label is shown with its parent: true unless it was hidden.
    bool Visible() const { return !isHidden() || !testAttribute(Qt::WA_WState_ExplicitShowHide); }

    QSize sizeHint() const override;

    // What a click does: raises OnClick.
    virtual void Click();

signals:
    void OnClick();
    void OnDblClick();
    void OnMouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, QPoint Pos);
    void OnMouseMove(Qt::KeyboardModifiers Shift, QPoint Pos);
    void OnMouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, QPoint Pos);
    // Setting Handled keeps the popup menu from showing.
    void OnContextPopup(QPoint Pos, bool& Handled);
    void OnMouseEnter();
    void OnMouseLeave();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    int TextFlags() const;
    void AdjustBounds();

    QString FCaption;
    TAlignment FAlignment = TAlignment::taLeftJustify;
    TTextLayout FLayout = TTextLayout::tlTop;
    bool FWordWrap = false;
    bool FAutoSize = true;
    QColor FColor;
    bool FParentColor = true;
    bool FTransparent = false;
    QPointer<QMenu> FPopupMenu;
    bool FClicked = false;
};
