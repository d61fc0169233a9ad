#include "TMemo.h"

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
