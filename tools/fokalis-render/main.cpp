// fokalis-render: the lens diagram as a PNG file, drawn headless by the same code
// that paints the program's window.
#include "LenseDiagram.h"
#include "RenderOptions.h"
#include "TPixelBuffer.h"

#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QSaveFile>

#include <cstdlib>
#include <iostream>
#include <new>

namespace {

// Writes the picture through a temporary file in the same folder that replaces
// OutFile only once all of it is on disk, so a failed write leaves no cut-off file.
bool WritePng(const QImage& Picture, const std::string& OutFile)
{
    QSaveFile File(QString::fromLocal8Bit(OutFile.c_str()));
    QString Reason;
    if (File.open(QIODevice::WriteOnly)) {
        QImageWriter Writer(&File, "png");
        if (!Writer.write(Picture))
            Reason = File.error() != QFileDevice::NoError ? File.errorString() : Writer.errorString();
        // commit() flushes too but does not look at the result.
        else if (!File.flush() || !File.commit())
            Reason = File.errorString();
        else
            return true;
    } else {
        Reason = File.errorString();
    }
    File.cancelWriting();
    std::cerr << "fokalis-render: cannot write '" << OutFile << "': " << Reason.toLocal8Bit().constData()
              << '\n';
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    TRenderOptions Options;
    try {
        Options = ParseRenderOptions(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const EUsage& Error) {
        std::cerr << "fokalis-render: " << Error.what() << " (try --help)\n";
        return 2;
    }
    if (Options.Help) {
        std::cout << RenderUsage;
        return 0;
    }

    // Text needs the font database of a GUI application, but never a screen.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication Application(argc, argv);

    TPixelBuffer Buffer;
    try {
        PaintLenseDiagram(Options.State, Buffer, Options.Width, Options.Height);
        return WritePng(Buffer.Image(), Options.OutFile) ? 0 : 1;
    } catch (const std::bad_alloc&) {
        std::cerr << "fokalis-render: a " << Options.Width << "x" << Options.Height
                  << " picture is too large for the memory available\n";
        return 1;
    }
}
