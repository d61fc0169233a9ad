#pragma once

#include <QKeySequence>
#include <QObject>
#include <QString>

class QAction;
class QMenu;
class QWidget;
class TFigureExport;
class TLenseGraph;

// The diagram's context menu, opened by a right click on it or by the Menu key while it has
// the focus: copy the figure, save it, and reset it to the start values. Reset also has a
// key of its own in the whole window. Its texts are published properties with the key
// prefix, so a translation of the window reaches them; the menu shows them as they are when
// it opens.
class TFigureMenu : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString CopyCaption READ CopyCaption WRITE SetCopyCaption)
    Q_PROPERTY(QString SaveCaption READ SaveCaption WRITE SetSaveCaption)
    Q_PROPERTY(QString ResetCaption READ ResetCaption WRITE SetResetCaption)

public:
    // The window-wide key of Reset.
    static QKeySequence ResetKey() { return QKeySequence(Qt::CTRL | Qt::Key_R); }

    // Attaches the menu to Graph and the Reset key to Window, which owns the object. Copy
    // and Save as go through Export.
    TFigureMenu(QWidget* Window, TLenseGraph* Graph, TFigureExport* Export);

    QString CopyCaption() const { return FCopyCaption; }
    void SetCopyCaption(const QString& Value) { FCopyCaption = Value; }
    QString SaveCaption() const { return FSaveCaption; }
    void SetSaveCaption(const QString& Value) { FSaveCaption = Value; }
    QString ResetCaption() const { return FResetCaption; }
    void SetResetCaption(const QString& Value) { FResetCaption = Value; }

    QMenu* Menu() const { return FMenu; }

    // Puts the diagram back to the start values (ResetToStartValues in the core).
    void Reset();

private:
    void UpdateCaptions();

    TLenseGraph* FGraph;
    QMenu* FMenu;
    QAction* FCopy;
    QAction* FSave;
    QAction* FReset;
    QString FCopyCaption = "TK_Copy Figure";
    QString FSaveCaption = "TK_Save Figure As";
    QString FResetCaption = "TK_Reset Figure";
};
