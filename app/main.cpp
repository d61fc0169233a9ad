#include "TApplication.h"
#include "TFrmAbout.h"
#include "TProgramHalt.h"
#include "TfrmExample.h"

#include <exception>

int main(int argc, char** argv)
{
    TApplication Application(argc, argv);
    try {
        TfrmExample MainWindow;
        TFrmAbout AboutBox(frmExample);
        MainWindow.show();
        return Application.exec();
    } catch (const TProgramHalt& Halt) {
        // Another copy runs; nothing has been shown.
        return Halt.ExitCode;
    } catch (const std::exception& Error) {
        Application.ShowError(QString::fromLocal8Bit(Error.what()));
        return 1;
    }
}
