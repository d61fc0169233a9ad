#include "GdiScript.h"

#include "TCanvas.h"
#include "TPixelBuffer.h"

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace {

constexpr int ReportedDifferences = 8;

TColor ReadColor(std::istringstream& Line)
{
    std::string Text;
    Line >> Text;
    return static_cast<TColor>(std::stoul(Text, nullptr, 16));
}

std::vector<std::int64_t> ReadNumbers(std::istringstream& Line)
{
    std::vector<std::int64_t> Numbers;
    std::int64_t Value;
    while (Line >> Value)
        Numbers.push_back(Value);
    return Numbers;
}

void Apply(TCanvas& Canvas, const std::string& Command, std::istringstream& Line)
{
    if (Command == "pen") {
        std::string Style;
        Line >> Style;
        Canvas.SetPenStyle(Style == "dot" ? TPenStyle::Dotted : TPenStyle::Solid);
        Canvas.SetPenColor(ReadColor(Line));
        return;
    }
    if (Command == "brush") {
        std::string Style;
        Line >> Style;
        Canvas.SetBrushStyle(Style == "clear" ? TBrushStyle::Clear : TBrushStyle::Solid);
        if (Style != "clear")
            Canvas.SetBrushColor(ReadColor(Line));
        return;
    }
    if (Command == "floodfill") {
        std::int64_t X, Y;
        Line >> X >> Y;
        Canvas.FloodFill(X, Y, ReadColor(Line));
        return;
    }
    const std::vector<std::int64_t> N = ReadNumbers(Line);
    if (Command == "fillrect" && N.size() == 4)
        Canvas.FillRect(N[0], N[1], N[2], N[3]);
    else if (Command == "moveto" && N.size() == 2)
        Canvas.MoveTo(N[0], N[1]);
    else if (Command == "lineto" && N.size() == 2)
        Canvas.LineTo(N[0], N[1]);
    else if (Command == "arc" && N.size() == 8)
        Canvas.Arc(N[0], N[1], N[2], N[3], N[4], N[5], N[6], N[7]);
    else if (Command == "ellipse" && N.size() == 4)
        Canvas.Ellipse(N[0], N[1], N[2], N[3]);
    else
        throw std::runtime_error("unknown script line: " + Command);
}

} // namespace

std::unique_ptr<TPixelBuffer> RunGdiScript(const std::string& Path)
{
    std::ifstream File(Path);
    if (!File)
        throw std::runtime_error("cannot open " + Path);
    std::unique_ptr<TPixelBuffer> Buffer;
    std::unique_ptr<TCanvas> Canvas;
    std::string Text;
    while (std::getline(File, Text)) {
        std::istringstream Line(Text.substr(0, Text.find('#')));
        std::string Command;
        if (!(Line >> Command))
            continue;
        if (Command == "size") {
            int Width, Height;
            Line >> Width >> Height;
            Buffer = std::make_unique<TPixelBuffer>(Width, Height);
            Canvas = std::make_unique<TCanvas>(*Buffer);
            Canvas->FillRect(0, 0, Width, Height);
            continue;
        }
        if (!Canvas)
            throw std::runtime_error(Path + ": the script must start with size");
        Apply(*Canvas, Command, Line);
    }
    return Buffer;
}

QImage LoadGolden(const std::string& Path)
{
    return QImage(QString::fromStdString(Path));
}

std::string CompareWithGolden(const TPixelBuffer& Buffer, const QImage& Golden)
{
    if (Golden.isNull())
        return "golden image missing";
    if (Golden.width() != Buffer.Width() || Golden.height() != Buffer.Height())
        return "size differs from the golden image";
    std::ostringstream Report;
    int Differences = 0;
    for (int Y = 0; Y < Buffer.Height(); ++Y)
        for (int X = 0; X < Buffer.Width(); ++X) {
            const QRgb Want = Golden.pixel(X, Y) & 0xFFFFFFu;
            const QRgb Got = Buffer.Pixel(X, Y) & 0xFFFFFFu;
            if (Want == Got)
                continue;
            if (Differences++ < ReportedDifferences)
                Report << "(" << X << "," << Y << "): want #" << std::hex << Want << " got #" << Got
                       << std::dec << "\n";
        }
    if (Differences > 0)
        Report << Differences << " pixels differ";
    return Report.str();
}
