#pragma once

#include <QPlainTextEdit>
#include <QStringList>

// A multi-line text box whose text is a list of lines. Lines always reads what the
// box shows, so the user's edits are in it at once; writing Lines replaces the text.
// With the keyboard focus it shows a frame in the highlight colour inside its border.
class TMemo : public QPlainTextEdit {
    Q_OBJECT
    Q_PROPERTY(QStringList Lines READ Lines WRITE SetLines)

public:
    explicit TMemo(QWidget* Parent = nullptr);

    // An empty box has no lines.
    QStringList Lines() const;
    void SetLines(const QStringList& Lines);
    // Read and selected, never written: letters meant for the diagram must not change the
    // text.
    void MakeReadOnly();

protected:
    void paintEvent(QPaintEvent* Event) override;
    void focusInEvent(QFocusEvent* Event) override;
    void focusOutEvent(QFocusEvent* Event) override;
};
