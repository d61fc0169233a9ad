#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <optional>
#include <utility>

class QWidget;
class TLenseGraph;

// Takes the diagram out of the main window: Ctrl+C copies it to the clipboard as
// it is shown (unless text is selected where the focus is: then that text), Ctrl+S saves it as a PNG picture
// of the same pixels or as an SVG drawing, by the ending of the name the user gives. Its texts are published
// properties with the key prefix, so a translation of the window reaches them.
class TFigureExport : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString SaveCaption READ SaveCaption WRITE SetSaveCaption)
    Q_PROPERTY(QString CannotSaveText READ CannotSaveText WRITE SetCannotSaveText)

public:
    // Returns the chosen file name, or an empty one when the user cancels.
    using TAskFileName = std::function<QString(QWidget* Parent, const QString& Caption)>;
    using TShowError = std::function<void(QWidget* Parent, const QString& Caption, const QString& Text)>;

    // Attaches the shortcuts to Window, which owns the object.
    TFigureExport(QWidget* Window, TLenseGraph* Graph);

    QString SaveCaption() const { return FSaveCaption; }
    void SetSaveCaption(const QString& Value) { FSaveCaption = Value; }
    QString CannotSaveText() const { return FCannotSaveText; }
    void SetCannotSaveText(const QString& Value) { FCannotSaveText = Value; }

    // Replace the file dialog and the message box (tests answer without them).
    void SetAskFileName(TAskFileName Ask) { FAskFileName = std::move(Ask); }
    void SetShowError(TShowError Show) { FShowError = std::move(Show); }

    void CopyToClipboard();
    // What Ctrl+C does: the text selected in the focused text box, if any; else the figure.
    void CopySelectionOrFigure();
    // Asks for a file name and saves there; a cancelled question saves nothing, a
    // file that cannot be written is reported in a message box.
    void SaveAs();
    // Writes the figure to FileName. Returns the message for the user when the file
    // cannot be written: this object's text, the file's name and the system's reason.
    std::optional<QString> Save(const QString& FileName);

private:
    QWidget* FWindow;
    TLenseGraph* FGraph;
    QString FSaveCaption = "TK_Save Figure";
    QString FCannotSaveText = "TK_Cannot save the figure";
    TAskFileName FAskFileName;
    TShowError FShowError;
};
