#pragma once

#include <QFont>
#include <QString>
#include <thread>

namespace zendrix {

// Reads the system's font configuration on a thread of its own. It takes some milliseconds, and the
// first font a window uses would otherwise read it on the UI thread: started before the application
// object is made, it overlaps the connection to the display. Join the thread before the first font is
// used (the configuration is shared by the process, and reading it twice is harmless).
std::jthread readFontConfigurationAhead();

// Registers the classic desktop fonts that Debian's fonts-wine package ships ("MS Sans Serif",
// "Tahoma" and "Tahoma" bold) with Qt's font database, so that a font given by those names renders
// with their glyphs. Runs once per process; later calls return the first answer at once. Returns how
// many files were registered: 0 when the package is absent, and Qt then substitutes its own fonts.
int loadBundledFonts();

// The font a description names, sized in pixels as a 96-dots-per-inch screen would show it
// (pixel size = points x 96 / 72, rounded; 8.25 pt is 11 px), so text measures the same on every
// screen. Glyphs are drawn without antialiasing, crisp like the classic desktop's. Registers the
// bundled fonts first.
QFont makeFont(const QString& family, double points, bool bold = false, bool italic = false,
               bool underline = false);

// The same for a font that holds a point size (as a control's stored font does); a font that already
// holds a pixel size keeps it. The result always draws without antialiasing.
QFont screenFont(const QFont& font);

// Points to pixels at 96 dots per inch, rounded to the nearest whole pixel.
int pointsToPixels(double points);

// A line of text as the classic desktop lays it out: the ascent and descent that the font file gives
// for that desktop (usWinAscent and usWinDescent of its OS/2 table) at the font's pixel size, rounded.
// They keep room above the capitals for accents, where some fonts' own metrics (a bitmap strike's, as
// in the Tahoma of fonts-wine) end at the top of the capitals. Never less than Qt's ascent and descent;
// a font without those values gives Qt's.
struct LineMetrics
{
    int ascent = 0;
    int descent = 0;
    int height() const { return ascent + descent; }
};
LineMetrics lineMetrics(const QFont& font);

} // namespace zendrix
