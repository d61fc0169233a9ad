#include "Main.h"
#include "Application.h"

int main(int argc, char** argv)
{
    TApplication Application(argc, argv);
    TfrmExample MainWindow;
    frmExample = &MainWindow;
    // The About box is created here, hidden, once it is part of the program.
    MainWindow.show();
    return Application.exec();
}
