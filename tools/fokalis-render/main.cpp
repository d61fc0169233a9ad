// fokalis-render: the lens diagram as a PNG file, drawn headless by the same code
// that paints the program's window.
#include "LenseDiagram.h"
#include "PixelBuffer.h"
#include "RenderOptions.h"

#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>

#include <cstdlib>
#include <iostream>

int main(int argc, char** argv)
{
    TRenderOptions options;
    try {
        options = ParseRenderOptions(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const EUsage& e) {
        std::cerr << "fokalis-render: " << e.what() << " (try --help)\n";
        return 2;
    }
    if (options.Help) {
        std::cout << RenderUsage;
        return 0;
    }

    // Text needs the font database of a GUI application, but never a screen.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);

    PixelBuffer buffer;
    PaintLenseDiagram(options.State, buffer, options.Width, options.Height);
    QImageWriter writer(QString::fromLocal8Bit(options.OutFile.c_str()), "png");
    if (!writer.write(buffer.Image())) {
        std::cerr << "fokalis-render: cannot write '" << options.OutFile
                  << "': " << writer.errorString().toLocal8Bit().constData() << '\n';
        return 1;
    }
    return 0;
}
