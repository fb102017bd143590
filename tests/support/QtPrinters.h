#pragma once

// Lets GoogleTest show Qt strings and points as text in its failure messages instead of as raw bytes.
#include <QPoint>
#include <QString>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QPoint& point, std::ostream* out)
{
    *out << '(' << point.x() << ", " << point.y() << ')';
}
