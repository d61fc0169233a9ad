#pragma once

#include <QString>

#include <cstdint>
#include <optional>
#include <string_view>

class QImage;
class QIODevice;

enum class TFigureFormat : std::uint8_t { Png, Svg };

// Svg when FileName ends in ".svg" in any letter case, otherwise Png.
TFigureFormat FigureFormatOf(const QString& FileName);

// Both write through a temporary file in the same folder that replaces FileName
// only once all of it is on disk, so a failed write leaves the old file as it was
// and no cut-off one. A target that FigureTargetProblem refuses (a device, a pipe,
// a folder, a name asking for another format) is left untouched. They return the
// reason when the file cannot be written, nothing when it was.
std::optional<QString> WritePngFile(const QString& FileName, const QImage& Picture);
std::optional<QString> WriteSvgFile(const QString& FileName, std::string_view Document);

// The same figures written to a device already open for writing (standard output,
// for one); they return the device's reason when a write fails.
std::optional<QString> WritePng(QIODevice& Device, const QImage& Picture);
std::optional<QString> WriteSvg(QIODevice& Device, std::string_view Document);
