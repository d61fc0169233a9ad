#pragma once

#include <QDialog>
#include <QEvent>
#include <QtTest>

#include <functional>

// Closes a dialog with accept() each time it is shown, once the event loop it runs in
// (its own modal one) is turned, after running WhileOpen; counts its showings. A test
// can so show a window whose handlers open the dialog modally without blocking.
class TModalCloser : public QObject {
public:
    explicit TModalCloser(QDialog& Dialog)
        : FDialog(Dialog)
    {
        Dialog.installEventFilter(this);
    }

    int Shows() const { return FShows; }

    // Waits until the dialog has been shown Count times in all and is closed again.
    bool WaitClosed(int Count)
    {
        return QTest::qWaitFor([&] { return FShows >= Count && !FDialog.isVisible(); });
    }

    std::function<void()> WhileOpen;

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override
    {
        if (Watched == &FDialog && Event->type() == QEvent::Show) {
            ++FShows;
            QMetaObject::invokeMethod(
                this,
                [this] {
                    if (WhileOpen)
                        WhileOpen();
                    FDialog.accept();
                },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    QDialog& FDialog;
    int FShows = 0;
};
