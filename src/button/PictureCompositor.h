#pragma once

#include "platform/DeviceContext.h"
#include "platform/Picture.h"

namespace zendrix {

// How PaintPicturePixels puts a picture's pixels on the surface. Colours are RGB values; -1 means
// "none".
struct CompositeOptions
{
    qint64 maskColor = -1;    // picture pixels of this colour are transparent
    qint64 solidColor = -1;   // when set, every drawn pixel takes this colour (a silhouette)
    bool darkOnly = false;    // with a solid colour: only pixels whose channels sum to less than 385
    bool greyscale = false;   // drawn pixels become grey (0.3 red, 0.59 green, 0.11 blue)
    bool fade = false;        // drawn pixels become two thirds picture, one third what was there
    bool useMaskColor = true; // the control's UseMaskColor: when false no pixel is transparent
    // The colour an icon is drawn onto before compositing, so that its transparent parts take it.
    ColorRef iconBackground = 0;
};

// Composites width x height pixels of picture, from its top-left corner, onto dc at (x, y).
// - Width or height 0 draws nothing; a negative width or height means the picture's own.
// - A bitmap's pixels are taken as they are (its alpha is ignored); past the bitmap's edge they read
//   as black. An icon is first drawn over iconBackground, alpha-blended.
// - For each pixel: a picture pixel of the mask colour leaves the surface as it was; otherwise the
//   solid colour (dark pixels only with darkOnly), else greyscale, else fade, else the picture pixel,
//   in that order of precedence.
// The surface is read once and written once; pixels outside it are left alone.
void PaintPicturePixels(DeviceContext& dc, int x, int y, int width, int height, const Picture& picture,
                        const CompositeOptions& options);

} // namespace zendrix
