#pragma once

// Lets GoogleTest show Qt strings as text in its failure messages instead of as raw bytes.
#include <QString>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}
