#include "TFigureMenu.h"

#include "LenseStartValues.h"
#include "TFigureExport.h"
#include "TLenseGraph.h"

#include <QAction>
#include <QMenu>

TFigureMenu::TFigureMenu(QWidget* Window, TLenseGraph* Graph, TFigureExport* Export)
    : QObject(Window)
    , FGraph(Graph)
    , FMenu(new QMenu(Window))
{
    setObjectName(QStringLiteral("FigureMenu"));
    FMenu->setObjectName(QStringLiteral("pbmFigure"));
    // The keys are shown beside the items; the window's own shortcuts carry them out.
    FCopy = FMenu->addAction(QString(), Export, &TFigureExport::CopyToClipboard);
    FCopy->setShortcut(QKeySequence::Copy);
    FSave = FMenu->addAction(QString(), Export, &TFigureExport::SaveAs);
    FSave->setShortcut(QKeySequence::Save);
    FMenu->addSeparator();
    FReset = FMenu->addAction(QString(), this, &TFigureMenu::Reset);
    FReset->setShortcut(ResetKey());
    for (QAction* Action : FMenu->actions())
        Action->setShortcutVisibleInContextMenu(true);
    connect(FMenu, &QMenu::aboutToShow, this, &TFigureMenu::UpdateCaptions);

    Graph->setContextMenuPolicy(Qt::CustomContextMenu);
    // A right click in the middle of a drag belongs to the drag.
    connect(Graph, &QWidget::customContextMenuRequested, this, [this](const QPoint& At) {
        if (FGraph->GrabTarget() == TGrabTarget::gtNone)
            FMenu->popup(FGraph->mapToGlobal(At));
    });
    // The same action carries the key for the whole window, so no second shortcut competes with it.
    Window->addAction(FReset);
}

void TFigureMenu::UpdateCaptions()
{
    FCopy->setText(FCopyCaption);
    FSave->setText(FSaveCaption);
    FReset->setText(FResetCaption);
}

void TFigureMenu::Reset()
{
    TLenseDiagramState State = FGraph->State();
    if (ResetToStartValues(State))
        FGraph->SetState(State);
}
