#include "TMemo.h"

#include <QPainter>

TMemo::TMemo(QWidget* Parent)
    : QPlainTextEdit(Parent)
{
    // Tab moves on to the next control; the text holds no tabs.
    setTabChangesFocus(true);
}

QStringList TMemo::Lines() const
{
    const QString Text = toPlainText();
    return Text.isEmpty() ? QStringList() : Text.split(u'\n');
}

void TMemo::SetLines(const QStringList& Lines)
{
    setPlainText(Lines.join(u'\n'));
}

void TMemo::MakeReadOnly()
{
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
}

void TMemo::paintEvent(QPaintEvent* Event)
{
    QPlainTextEdit::paintEvent(Event);
    // The style draws no focus frame around a text box, and a caret alone is easily lost.
    if (!hasFocus())
        return;
    QPainter Painter(viewport());
    Painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
    Painter.drawRect(viewport()->rect().adjusted(1, 1, -1, -1));
}

void TMemo::focusInEvent(QFocusEvent* Event)
{
    QPlainTextEdit::focusInEvent(Event);
    viewport()->update();
}

void TMemo::focusOutEvent(QFocusEvent* Event)
{
    QPlainTextEdit::focusOutEvent(Event);
    viewport()->update();
}
