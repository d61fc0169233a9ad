#pragma once

#include <QColor>
#include <QFont>
#include <QMetaType>

// A font as the form library has it: Qt's font together with the colour of the text.
struct TFont {
    QFont Font;
    QColor Color;

    bool operator==(const TFont&) const = default;
};

Q_DECLARE_METATYPE(TFont)
