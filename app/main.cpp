#include "TApplication.h"
#include "TfrmExample.h"

int main(int argc, char** argv)
{
    TApplication Application(argc, argv);
    TfrmExample MainWindow;
    MainWindow.show();
    return Application.exec();
}
