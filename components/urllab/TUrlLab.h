#pragma once

#include "TCustomLabel.h"

namespace platform {
class TShell;
}

// A label that acts as a link: it shows FontActive while the pointer is over it (if it
// is enabled) and its normal font again when the pointer leaves, and a click opens its
// URL through the shell, as a web address ("http://" or "https://", any letter case) or
// as a program started with TaskParams (a path ending in ".exe" in any letter case, or an
// absolute path to an executable file). Tab reaches it; Enter or Space then opens it as a
// click would, and a focus frame shows around it. Assistive technology sees a link
// named by its caption (TUrlLabAccessible). Properties in the order the form library
// publishes them.
class TUrlLab : public TCustomLabel {
    Q_OBJECT
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(bool Enabled READ isEnabled WRITE setEnabled)
    Q_PROPERTY(TFont Font READ Font WRITE SetFont)
    Q_PROPERTY(TFont FontActive READ FontActive WRITE SetFontActive)
    Q_PROPERTY(QString URL READ URL WRITE SetURL)
    Q_PROPERTY(QString TaskParams READ TaskParams WRITE SetTaskParams)
    Q_PROPERTY(bool Visible READ Visible WRITE setVisible)

public:
    // Opens through the desktop shell; the active font starts as a copy of the label's.
    explicit TUrlLab(QWidget* parent = nullptr);

    // The shell that clicks go to; it must outlive the label.
    void SetShell(platform::TShell& Shell) { FShell = &Shell; }

    // Ends the set-up of a label built from its layout: its present font becomes the
    // normal font. A label that is never loaded takes the font it shows when the pointer
    // first enters.
    void Loaded();

    TFont FontActive() const { return FFontActive; }
    void SetFontActive(const TFont& Value);
    // Both are stored without leading and trailing blanks and not checked.
    QString URL() const { return FURL; }
    void SetURL(const QString& Value);
    QString TaskParams() const { return FTaskParams; }
    void SetTaskParams(const QString& Value);
    // With WebOnly a click opens web addresses only and reports anything else as
    // invalid: for an address that comes from outside the program, such as a dictionary.
    bool WebOnly() const { return FWebOnly; }
    void SetWebOnly(bool Value) { FWebOnly = Value; }

    // Opens URL, then raises OnClick; an empty URL opens nothing. Throws EVexaURLLabError
    // (and raises no OnClick) when URL is neither a web address nor a program, or when
    // the program cannot be started. A click with the mouse raises the error from a
    // queued call, so that it reaches the application's handler outside Qt's mouse
    // handling.
    void Click() override;
    // Click for the keyboard and assistive technology: an error reaches the
    // application's handler from a queued call, as for the mouse.
    void Activate();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void OpenWebAddress();
    void StartProgram();
    [[noreturn]] void Raise(const std::string& What) const;
    void RepaintIfVisible();

    QString FURL;
    QString FTaskParams;
    bool FWebOnly = false;
    TFont FFontActive;
    TFont FFontNormal;
    bool FHasNormalFont = false;
    platform::TShell* FShell;
};

// S without its leading and trailing spaces (code 32); tabs and other blanks stay.
QString TrimBlanks(const QString& S);
