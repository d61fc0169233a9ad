#pragma once

#include <QApplication>

#include <functional>

// The program's application object: its identity (name, desktop id, icon) and the
// one place where an error that escapes an Event handler ends up. Such an error
// is shown in a message box with the text it was raised with, and the program
// goes on with the next Event.
class TApplication : public QApplication {
    Q_OBJECT

public:
    static constexpr const char* AppId = "org.fokalis.Fokalis";

    using TErrorReporter = std::function<void(const QString& Message)>;

    TApplication(int& Argc, char** Argv);

    bool notify(QObject* Receiver, QEvent* Event) override;

    // Shows Message as an error of the program (the message box, or the reporter set).
    void ShowError(const QString& Message) const;

    // Replaces the message box (tests record the message instead of opening a
    // modal box).
    void SetErrorReporter(TErrorReporter Reporter);

private:
    TErrorReporter FErrorReporter;
};
