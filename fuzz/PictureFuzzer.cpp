// Skin pictures and button icons: any bytes either load as a picture of a sane size and format or are
// refused; nothing crashes, hangs or allocates without bound, and no picture past the size limit loads. The
// input's first byte asks for an icon width, as the buttons do, so that every image of a many-image file is
// read too.
#include "Fuzz.h"
#include "platform/Picture.h"

#include <QGuiApplication>

using namespace zendrix;
using namespace zendrix::fuzz;

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    silenceQtMessages();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The image format plugins are found through the application object.
    new QGuiApplication(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput input(data, size);
    const int preferredWidth = static_cast<int>(input.byte() % 4) * 16; // 0 (the first image), 16, 32, 48
    const QByteArray bytes = input.rest();
    const std::optional<Picture> picture = Picture::fromData(bytes, preferredWidth);
    if (!picture)
        return 0;
    check(!picture->isNull() && picture->width() > 0 && picture->height() > 0, "a loaded picture has a size");
    check(picture->width() <= Picture::kMaxSide && picture->height() <= Picture::kMaxSide,
          "a loaded picture is within the size limit");
    const QImage::Format format = picture->image().format();
    check(format == QImage::Format_ARGB32 || format == QImage::Format_RGB32,
          "pictures come in the two drawing formats");
    check(!picture->isIcon() || format == QImage::Format_ARGB32, "icons keep their alpha channel");
    // Every pixel is readable where the picture says it is.
    const QImage& image = picture->image();
    volatile QRgb corner = image.pixel(image.width() - 1, image.height() - 1);
    (void)corner;
    return 0;
}
