#pragma once

#include "platform/Picture.h"
#include "platform/Rect.h"

#include <QChar>
#include <QFont>
#include <QString>

namespace zendrix {

// Where a button shows its caption and its picture.
struct CaptionLayout
{
    Rect textRect;        // the caption at rest; its size is the measured caption's
    Rect textRectPressed; // textRect moved one pixel right and down
    int pictureWidth = 0; // PictureNormal's size; 0 when there is none
    int pictureHeight = 0;
    int pictureLeft = 0;
    int pictureTop = 0;
    Rect available; // the space the caption was measured in, kept for positions without a rule
};

// What the layout depends on besides the previous layout.
struct LayoutInputs
{
    int clientWidth = 0;
    int clientHeight = 0;
    int picturePosition = 0;
    bool hasPicture = false; // PictureNormal or PictureOver is set
    QString caption;
    QFont font; // the font the caption is drawn with (a screen font)
};

// Sets pictureWidth and pictureHeight from PictureNormal (0 x 0 for none).
void MeasurePicture(CaptionLayout& layout, const Picture& pictureNormal);

// Measures the caption (word-wrapped in the space that PicturePosition leaves beside the picture),
// centres it and places the picture beside, above, below or behind it. A PicturePosition outside 0..4
// keeps the previous space and picture position and does not centre the text.
void LayoutCaption(CaptionLayout& layout, const LayoutInputs& in);

// The caption's access key, in lower case, or a null QChar: the letter after the first single "&";
// "&&" shows an ampersand and is skipped once.
QChar accessKeyOf(const QString& caption);

} // namespace zendrix
