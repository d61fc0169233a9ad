// fokalis-render: the lens diagram as a PNG picture or an SVG drawing, drawn
// headless by the same code that paints the program's window.
#include "FigureFile.h"
#include "LenseDiagram.h"
#include "PixelImage.h"
#include "RenderOptions.h"
#include "TPixelBuffer.h"
#include "TQtGlyphSource.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>

#include <cstdlib>
#include <iostream>
#include <new>
#include <optional>
#include <unistd.h>

namespace {

QtMessageHandler QtHandler = nullptr;

// Starting a GUI application looks up the runtime folder, which this tool never uses,
// and without XDG_RUNTIME_DIR Qt warns about it: noise for a command-line tool.
void DropRuntimeFolderWarning(QtMsgType Type, const QMessageLogContext& Context, const QString& Message)
{
    if (Type == QtWarningMsg && Message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR")))
        return;
    QtHandler(Type, Context, Message);
}

std::optional<QString> WriteToStandardOutput(const TRenderOptions& Options)
{
    if (isatty(STDOUT_FILENO))
        return QStringLiteral("standard output is a terminal; send it to a file or a pipe");
    TPixelBuffer Buffer;
    PaintLenseDiagram(Options.State, Buffer, Options.Width, Options.Height);
    QFile Out;
    if (!Out.open(STDOUT_FILENO, QIODevice::WriteOnly | QIODevice::Unbuffered))
        return Out.errorString();
    return WritePng(Out, PixelImage(Buffer));
}

// Writes the diagram as an SVG drawing when the name ends in ".svg", else as a
// PNG picture; says why on stderr when the file cannot be written.
bool WriteFigure(const TRenderOptions& Options)
{
    const QString FileName = QString::fromLocal8Bit(Options.OutFile.c_str());
    std::optional<QString> Reason;
    if (Options.OutFile == "-") {
        Reason = WriteToStandardOutput(Options);
    } else if (FigureFormatOf(FileName) == TFigureFormat::Svg) {
        Reason = WriteSvgFile(FileName, LenseDiagramSvg(Options.State, Options.Width, Options.Height));
    } else {
        TPixelBuffer Buffer;
        PaintLenseDiagram(Options.State, Buffer, Options.Width, Options.Height);
        Reason = WritePngFile(FileName, PixelImage(Buffer));
    }
    if (!Reason)
        return true;
    std::cerr << "fokalis-render: cannot write '" << Options.OutFile
              << "': " << Reason->toLocal8Bit().constData() << '\n';
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
    if (Options.Version) {
        std::cout << "fokalis-render " FOKALIS_VERSION "\n";
        return 0;
    }

    // Text needs the font database of a GUI application, but never a screen.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QtHandler = qInstallMessageHandler(DropRuntimeFolderWarning);
    QGuiApplication Application(argc, argv);
    TQtGlyphSource::Install();

    try {
        return WriteFigure(Options) ? 0 : 1;
    } catch (const std::bad_alloc&) {
        std::cerr << "fokalis-render: a " << Options.Width << "x" << Options.Height
                  << " picture is too large for the memory available\n";
        return 1;
    }
}
