#include "TUrlLab.h"

#include "AsciiCase.h"
#include "EVexaURLLabError.h"
#include "ProgramFile.h"
#include "TDesktopShell.h"

#include "TUrlLabAccessible.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QTimer>

#include <exception>
#include <string>
#include <string_view>

namespace {

// The extension as the form library finds it: from the last dot to the end, unless a
// backslash or colon comes after that dot (a slash does not count).
std::string_view Extension(std::string_view Path)
{
    const std::size_t Last = Path.find_last_of(".\\:");
    if (Last == std::string_view::npos || Path[Last] != '.')
        return {};
    return Path.substr(Last);
}

// Puts the label's cursor back as it was, also when opening fails.
class TCursorRestore {
public:
    explicit TCursorRestore(QWidget& Control)
        : FControl(Control)
        , FHadCursor(Control.testAttribute(Qt::WA_SetCursor))
        , FCursor(Control.cursor())
    {
    }
    ~TCursorRestore()
    {
        if (FHadCursor)
            FControl.setCursor(FCursor);
        else
            FControl.unsetCursor();
    }
    TCursorRestore(const TCursorRestore&) = delete;
    TCursorRestore& operator=(const TCursorRestore&) = delete;

private:
    QWidget& FControl;
    bool FHadCursor;
    QCursor FCursor;
};

// Unwinding through Qt's event handling would skip its clean-ups.
void RaiseLater(QObject* Context, std::exception_ptr Error)
{
    QTimer::singleShot(0, Context, [Error] { std::rethrow_exception(Error); });
}

}

QString TrimBlanks(const QString& S)
{
    qsizetype First = 0;
    qsizetype End = S.size();
    while (First < End && S[First] == u' ')
        ++First;
    while (End > First && S[End - 1] == u' ')
        --End;
    return S.mid(First, End - First);
}

TUrlLab::TUrlLab(QWidget* parent)
    : TCustomLabel(parent)
    , FFontActive(Font())
    , FShell(&platform::DesktopShell())
{
    // Tab only: a click opens the link and needs no focus frame.
    setFocusPolicy(Qt::TabFocus);
    TUrlLabAccessible::Register();
}

void TUrlLab::Loaded()
{
    FFontNormal = Font();
    FHasNormalFont = true;
}

void TUrlLab::SetFontActive(const TFont& Value)
{
    FFontActive = Value;
    RepaintIfVisible();
}

void TUrlLab::SetURL(const QString& Value)
{
    FURL = TrimBlanks(Value);
    RepaintIfVisible();
}

void TUrlLab::SetTaskParams(const QString& Value)
{
    FTaskParams = TrimBlanks(Value);
    RepaintIfVisible();
}

void TUrlLab::Click()
{
    if (!FURL.isEmpty()) {
        const std::string Lower = LowerAscii(FURL.toLocal8Bit().toStdString());
        if (Lower.starts_with("http://") || Lower.starts_with("https://"))
            OpenWebAddress();
        else if (!FWebOnly && (Extension(Lower) == ".exe" || platform::IsExecutableFile(FURL)))
            StartProgram();
        else
            Raise("URL of URLLab is invalid");
    }
    TCustomLabel::Click();
}

void TUrlLab::mouseReleaseEvent(QMouseEvent* event)
{
    try {
        TCustomLabel::mouseReleaseEvent(event);
    } catch (...) {
        RaiseLater(this, std::current_exception());
    }
}

void TUrlLab::Activate()
{
    try {
        Click();
    } catch (...) {
        RaiseLater(this, std::current_exception());
    }
}

void TUrlLab::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
            Activate();
            return;
        }
        break;
    default:
        break;
    }
    TCustomLabel::keyPressEvent(event);
}

void TUrlLab::paintEvent(QPaintEvent* event)
{
    TCustomLabel::paintEvent(event);
    if (!hasFocus())
        return;
    QPainter Painter(this);
    QStyleOptionFocusRect Option;
    Option.initFrom(this);
    Option.backgroundColor = Color();
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &Option, &Painter, this);
}

void TUrlLab::enterEvent(QEnterEvent* event)
{
    TCustomLabel::enterEvent(event);
    if (!isEnabled())
        return;
    if (!FHasNormalFont)
        Loaded();
    SetFont(FFontActive);
}

void TUrlLab::leaveEvent(QEvent* event)
{
    TCustomLabel::leaveEvent(event);
    if (isEnabled() && FHasNormalFont)
        SetFont(FFontNormal);
}

void TUrlLab::OpenWebAddress()
{
    const TCursorRestore Restore(*this);
    setCursor(Qt::BusyCursor);
    QApplication::processEvents();
    FShell->OpenUrl(FURL);
}

void TUrlLab::StartProgram()
{
    if (const std::error_code Error = FShell->StartProgram(FURL, FTaskParams))
        Raise("Cannot start executable (errnum=" + std::to_string(Error.value()) + ")");
}

void TUrlLab::Raise(const std::string& What) const
{
    throw EVexaURLLabError("Component \"" + objectName().toLocal8Bit().toStdString() + "\": " + What);
}

void TUrlLab::RepaintIfVisible()
{
    if (isVisible())
        repaint();
}
