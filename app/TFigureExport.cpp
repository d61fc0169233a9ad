#include "TFigureExport.h"

#include "FigureFile.h"
#include "LenseDiagram.h"
#include "PixelImage.h"
#include "TLenseGraph.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QImage>
#include <QKeySequence>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QShortcut>

namespace {

const QString PngFilter = QStringLiteral("PNG (*.png)");
const QString SvgFilter = QStringLiteral("SVG (*.svg)");

QString AskWithDialog(QWidget* Parent, const QString& Caption)
{
    QFileDialog Dialog(Parent, Caption, QString(), PngFilter + QStringLiteral(";;") + SvgFilter);
    Dialog.setAcceptMode(QFileDialog::AcceptSave);
    // A name typed without an ending gets the one of the chosen kind.
    Dialog.setDefaultSuffix(QStringLiteral("png"));
    QObject::connect(&Dialog, &QFileDialog::filterSelected, &Dialog, [&Dialog](const QString& Filter) {
        Dialog.setDefaultSuffix(Filter == SvgFilter ? QStringLiteral("svg") : QStringLiteral("png"));
    });
    if (Dialog.exec() != QDialog::Accepted || Dialog.selectedFiles().isEmpty())
        return {};
    return Dialog.selectedFiles().constFirst();
}

void ShowInMessageBox(QWidget* Parent, const QString& Caption, const QString& Text)
{
    QMessageBox::warning(Parent, Caption, Text);
}

} // namespace

TFigureExport::TFigureExport(QWidget* Window, TLenseGraph* Graph)
    : QObject(Window)
    , FWindow(Window)
    , FGraph(Graph)
    , FAskFileName(AskWithDialog)
    , FShowError(ShowInMessageBox)
{
    setObjectName(QStringLiteral("FigureExport"));
    connect(new QShortcut(QKeySequence::Copy, Window), &QShortcut::activated, this,
        &TFigureExport::CopySelectionOrFigure);
    connect(new QShortcut(QKeySequence::Save, Window), &QShortcut::activated, this, &TFigureExport::SaveAs);
}

void TFigureExport::CopyToClipboard()
{
    // The bitmap's memory is reused by the next paint; the clipboard keeps a copy.
    QGuiApplication::clipboard()->setImage(PixelImage(FGraph->Bitmap()).copy());
}

void TFigureExport::CopySelectionOrFigure()
{
    // The window's shortcut comes before the text box's own Ctrl+C, so the box is asked here.
    if (auto* Box = qobject_cast<QPlainTextEdit*>(QApplication::focusWidget());
        Box && Box->textCursor().hasSelection()) {
        Box->copy();
        return;
    }
    CopyToClipboard();
}

void TFigureExport::SaveAs()
{
    const QString FileName = FAskFileName(FWindow, FSaveCaption);
    if (FileName.isEmpty())
        return;
    if (const auto Message = Save(FileName))
        FShowError(FWindow, FSaveCaption, *Message);
}

std::optional<QString> TFigureExport::Save(const QString& FileName)
{
    const TPixelBuffer& Bitmap = FGraph->Bitmap();
    const std::optional<QString> Reason = FigureFormatOf(FileName) == TFigureFormat::Svg
        ? WriteSvgFile(FileName, LenseDiagramSvg(FGraph->State(), Bitmap.Width(), Bitmap.Height()))
        : WritePngFile(FileName, PixelImage(Bitmap));
    if (!Reason)
        return std::nullopt;
    return FCannotSaveText + QStringLiteral("\n\n") + QDir::toNativeSeparators(FileName)
        + QStringLiteral("\n") + *Reason;
}
