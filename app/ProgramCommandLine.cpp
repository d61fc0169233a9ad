#include "ProgramCommandLine.h"

#include <QString>
#include <QtGlobal>

#include <algorithm>
#include <cstdlib>

namespace {

struct THeldMessage {
    QtMsgType Type;
    std::string Category;
    QString Text;
};

std::string ProgramNameOpening;
std::vector<THeldMessage> Held;
QtMessageHandler Previous = nullptr;

bool Has(const std::vector<std::string>& Arguments, const char* Option)
{
    return std::find(Arguments.begin(), Arguments.end(), Option) != Arguments.end();
}

void HoldMessage(QtMsgType Type, const QMessageLogContext& Context, const QString& Text)
{
    if (Type == QtFatalMsg) {
        const char* Display = std::getenv("DISPLAY");
        std::fprintf(stderr, "%s\n", NoDisplayText(ProgramNameOpening, Display ? Display : "").c_str());
        std::fflush(stderr);
        std::_Exit(1);
    }
    Held.push_back({ Type, Context.category ? Context.category : "", Text });
}

} // namespace

std::string UsageText(const std::string& ProgramName)
{
    return "Usage: " + ProgramName + " [" + HostModeSwitch
        + "] [/serverhandle=SUFFIX] [PARAMETER...]\n"
          "Shows the ray diagram of a thin lens; drag the object or the F and 2F marks.\n"
          "\n"
          "  --host                 run as a participant of a host application, which must\n"
          "                         be running (see /serverhandle=); default: standalone\n"
          "  /serverhandle=SUFFIX   the suffix of the host's window names\n"
          "  --help, -h             print this help and end\n"
          "  --version              print the version and end\n"
          "\n"
          "Exit status: 0 when the window is closed, the host ends the program or another\n"
          "copy is already running; 1 when the program cannot start (no display, no host\n"
          "in host mode).\n"
          "See fokalis(1).\n";
}

std::string VersionText()
{
    return std::string("Fokalis ") + FOKALIS_VERSION + "\n";
}

std::optional<std::string> InformationRequest(
    const std::vector<std::string>& Arguments, const std::string& ProgramName)
{
    for (const std::string& Argument : Arguments) {
        if (Argument == "--help" || Argument == "-h")
            return UsageText(ProgramName);
        if (Argument == "--version")
            return VersionText();
    }
    return std::nullopt;
}

bool HostModeRequested(const std::vector<std::string>& Arguments)
{
    return Has(Arguments, HostModeSwitch);
}

std::string NoDisplayText(const std::string& ProgramName, const std::string& DisplayName)
{
    const std::string Which = DisplayName.empty() ? "(DISPLAY is not set)" : "\"" + DisplayName + "\"";
    return ProgramName + ": no display could be opened " + Which
        + "; without a screen, start it under Xvfb: xvfb-run -a " + ProgramName;
}

void BeginOpeningDisplay(const std::string& ProgramName)
{
    ProgramNameOpening = ProgramName;
    Previous = qInstallMessageHandler(HoldMessage);
}

void EndOpeningDisplay()
{
    qInstallMessageHandler(Previous);
    for (const THeldMessage& Message : Held) {
        const QMessageLogContext Context(nullptr, 0, nullptr, Message.Category.c_str());
        qt_message_output(Message.Type, Context, Message.Text);
    }
    Held.clear();
}
