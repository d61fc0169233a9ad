#pragma once

#include <optional>
#include <string>

// Why FileName (bytes, as the file system takes them) cannot receive a figure, or
// nothing when it can. Writing a figure replaces the file by a new one, which would
// destroy a device, a named pipe, a socket or a folder: anything that exists there,
// seen through symbolic links, must be a regular file. A name ending in .jpg, .gif
// or the like asks for a format the figure is not written in, and is refused rather
// than given PNG bytes under that name. A target whose type cannot be read (no
// permission, missing folder) passes: the write itself then says why it fails.
std::optional<std::string> FigureTargetProblem(const std::string& FileName);
