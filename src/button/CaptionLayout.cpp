#include "CaptionLayout.h"

#include "button/ButtonTypes.h"
#include "platform/DrawText.h"

namespace zendrix {

namespace {

void PlacePicture(CaptionLayout& layout, const LayoutInputs& in)
{
    if (!in.hasPicture)
        return;
    const int w = in.clientWidth;
    const int h = in.clientHeight;
    const Rect& text = layout.textRect;
    if (!in.caption.trimmed().isEmpty() && in.picturePosition != PicCentred) {
        switch (in.picturePosition) {
        case PicLeftOfCaption:
            layout.pictureLeft = text.left - layout.pictureWidth - 4;
            layout.pictureTop = (h - layout.pictureHeight) / 2;
            break;
        case PicRightOfCaption:
            layout.pictureLeft = text.right + 4;
            layout.pictureTop = (h - layout.pictureHeight) / 2;
            break;
        case PicAboveCaption:
            layout.pictureLeft = (w - layout.pictureWidth) / 2;
            layout.pictureTop = text.top - layout.pictureHeight - 2;
            break;
        case PicBelowCaption:
            layout.pictureLeft = (w - layout.pictureWidth) / 2;
            layout.pictureTop = text.bottom + 2;
            break;
        default:
            break;
        }
        return;
    }
    layout.pictureLeft = (w - layout.pictureWidth) / 2;
    layout.pictureTop = (h - layout.pictureHeight) / 2;
}

} // namespace

void MeasurePicture(CaptionLayout& layout, const Picture& pictureNormal)
{
    layout.pictureWidth = pictureNormal.isNull() ? 0 : pictureNormal.width();
    layout.pictureHeight = pictureNormal.isNull() ? 0 : pictureNormal.height();
}

void LayoutCaption(CaptionLayout& layout, const LayoutInputs& in)
{
    const int w = in.clientWidth;
    const int h = in.clientHeight;
    const int pw = layout.pictureWidth;
    const int ph = layout.pictureHeight;
    switch (in.picturePosition) {
    case PicLeftOfCaption:
        layout.available = {pw + 1, 1, w - 2, h - 2};
        break;
    case PicRightOfCaption:
        layout.available = {1, 1, w - 2 - pw, h - 2};
        break;
    case PicAboveCaption:
        layout.available = {1, ph + 1, w - 2, h - 2};
        break;
    case PicBelowCaption:
        layout.available = {1, 1, w - 2, h - 2 - ph};
        break;
    case PicCentred:
        layout.available = {1, 1, w - 2, h - 2};
        break;
    default:
        break;
    }

    Rect text = layout.available;
    QImage none;
    DeviceContext measuring(none);
    drawText(measuring, in.font, in.caption, text, DtCalcRect | DtWordBreak);

    int dx = 0;
    int dy = 0;
    switch (in.picturePosition) {
    case PicLeftOfCaption:
    case PicAboveCaption:
    case PicCentred:
        dx = (w - text.right) / 2;
        dy = (h - text.bottom) / 2;
        break;
    case PicRightOfCaption:
        dx = (w - text.right - pw - 4) / 2;
        dy = (h - text.bottom) / 2;
        break;
    case PicBelowCaption:
        dx = (w - text.right) / 2;
        dy = (h - text.bottom - ph - 4) / 2;
        break;
    default:
        break;
    }
    layout.textRect = text.translated(dx, dy);
    layout.textRectPressed = layout.textRect.translated(1, 1);
    PlacePicture(layout, in);
}

QChar accessKeyOf(const QString& caption)
{
    if (caption.size() < 2)
        return {};
    qsizetype at = caption.indexOf(u'&');
    if (at < 0 || at == caption.size() - 1)
        return {};
    if (caption[at + 1] != u'&')
        return caption[at + 1].toLower();
    at = caption.indexOf(u'&', at + 2);
    if (at < 0 || at == caption.size() - 1)
        return {};
    if (caption[at + 1] == u'&')
        return {};
    return caption[at + 1].toLower();
}

} // namespace zendrix
