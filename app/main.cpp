#include "ProgramCommandLine.h"
#include "QtNoise.h"
#include "TApplication.h"
#include "TProgramHalt.h"
#include "TfrmExample.h"
#include "UserSettings.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    const std::vector<std::string> Arguments(argv + 1, argv + argc);
    std::string ProgramName = argc > 0 ? std::filesystem::path(argv[0]).filename().string() : "";
    if (ProgramName.empty())
        ProgramName = "fokalis";
    // Answered before Qt starts, so that they need no display.
    if (const auto Information = InformationRequest(Arguments, ProgramName)) {
        std::fputs(Information->c_str(), stdout);
        return 0;
    }
    DropRuntimeFolderWarning();
    BeginOpeningDisplay(ProgramName);
    TApplication Application(argc, argv);
    EndOpeningDisplay();
    try {
        TfrmExample frmExample(nullptr, HostModeRequested(Arguments));
        // The About box is the first thing the user deals with, over the painted window.
        frmExample.SetAboutBoxOnFirstShowing(true);
        RestoreWindowGeometry(frmExample);
        frmExample.show();
        const int Status = Application.exec();
        SaveWindowGeometry(frmExample);
        return Status;
    } catch (const TProgramHalt& Halt) {
        // Another copy runs and has been asked to come to the front; nothing has been shown.
        std::fprintf(stderr, "%s\n", AlreadyRunningText);
        return Halt.ExitCode;
    } catch (const std::exception& Error) {
        std::fprintf(stderr, "%s: %s\n", ProgramName.c_str(), Error.what());
        Application.ShowError(QString::fromLocal8Bit(Error.what()));
        return 1;
    }
}
