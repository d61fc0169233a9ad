// Tells from inside a Qt Widgets program when its first window has painted, and what that
// window says, without any code in the program: loaded with LD_PRELOAD, it hooks itself
// into the application object as it is made. The environment variable FOKALIS_PAINT_PROBE
// chooses what happens once the first window shown has painted for the first time:
//   exit   write "painted <ns>" (CLOCK_MONOTONIC) to standard output and end the process at
//          once with status 0, before anything else runs;
//   texts  write "painted <ns>", then "title <window title>" and one "text <text>" for each
//          label, button, group box and text box of the window (line breaks as "\n"),
//          then "end"; the program goes on.
// Without the variable it does nothing.
#include <QAbstractButton>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <unistd.h>

namespace {

void WriteLine(const QString& Kind, QString Text)
{
    Text.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    const QByteArray Line = (Kind + QLatin1Char(' ') + Text + QLatin1Char('\n')).toUtf8();
    std::fwrite(Line.constData(), 1, static_cast<std::size_t>(Line.size()), stdout);
}

QString TextOf(const QWidget* Widget)
{
    if (const auto* Label = qobject_cast<const QLabel*>(Widget))
        return Label->text();
    if (const auto* Button = qobject_cast<const QAbstractButton*>(Widget))
        return Button->text();
    if (const auto* Group = qobject_cast<const QGroupBox*>(Widget))
        return Group->title();
    if (const auto* Memo = qobject_cast<const QPlainTextEdit*>(Widget))
        return Memo->toPlainText();
    return {};
}

class TPaintProbe : public QObject {
public:
    explicit TPaintProbe(bool ExitAtPaint)
        : QObject(QCoreApplication::instance())
        , FExitAtPaint(ExitAtPaint)
    {
    }

    bool eventFilter(QObject* Watched, QEvent* Event) override
    {
        auto* Widget = qobject_cast<QWidget*>(Watched);
        if (!Widget || FReported)
            return false;
        if (Event->type() == QEvent::Show && Widget->isWindow() && !FWindow)
            FWindow = Widget;
        else if (Event->type() == QEvent::Paint && FWindow && Widget->window() == FWindow) {
            FReported = true;
            // Queued: it runs once the whole window has been painted and put on the screen.
            QMetaObject::invokeMethod(this, &TPaintProbe::Report, Qt::QueuedConnection);
        }
        return false;
    }

private:
    void Report()
    {
        timespec Now {};
        ::clock_gettime(CLOCK_MONOTONIC, &Now);
        std::printf("painted %lld\n", static_cast<long long>(Now.tv_sec) * 1000000000LL + Now.tv_nsec);
        if (FExitAtPaint) {
            std::fflush(stdout);
            ::_exit(0);
        }
        if (FWindow) {
            WriteLine(QStringLiteral("title"), FWindow->windowTitle());
            for (const QWidget* Child : FWindow->findChildren<QWidget*>())
                if (const QString Text = TextOf(Child); !Text.isEmpty())
                    WriteLine(QStringLiteral("text"), Text);
        }
        std::printf("end\n");
        std::fflush(stdout);
    }

    bool FExitAtPaint;
    bool FReported = false;
    QPointer<QWidget> FWindow;
};

void InstallPaintProbe()
{
    const char* Mode = std::getenv("FOKALIS_PAINT_PROBE");
    if (!Mode)
        return;
    const std::string What = Mode;
    if (What != "exit" && What != "texts")
        return;
    QCoreApplication::instance()->installEventFilter(new TPaintProbe(What == "exit"));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(InstallPaintProbe)
