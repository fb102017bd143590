#include "InfoWindow.h"

#include "core/Conversions.h"
#include "core/Failure.h"

#include <QLocale>

namespace zendrix {

QString megabytesText(const QString& bytes)
{
    const double hundredths = static_cast<double>(roundHalfEven(toDouble(bytes) / 1048576.0 * 100.0));
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(hundredths / 100.0, 'g', 15) + QStringLiteral(" MB");
}

InfoWindow::InfoWindow(MediaEngine& engine) : Form(layouts::frmInfo().window, Kind::Secondary), m_engine(engine)
{
    const layouts::InfoWindow& layout = layouts::frmInfo();
    imgBack = new ImageBox(this, layout.imgBack.rect, ImageBox::Fit::Stretch);
    imgBack->setObjectName(layout.imgBack.name);
    // The values keep to the window's margin, which the captions' left edge sets. The title stands where
    // the window's middle puts a short one; a longer one moves left as far as the margin, to show more.
    const int margin = layout.lbl1.rect.left();
    const auto value = [this, right = width() - margin](const layouts::Label& label, LabelControl& control,
                                                        int left) {
        (new BoundLabel(this, label, &control))->setRoom(left, right);
    };
    new BoundLabel(this, layout.lblInfo);
    value(layout.lblTitle, lblTitle, margin);
    new BoundLabel(this, layout.lbl1);
    value(layout.lblAuthor, lblAuthor, layout.lblAuthor.rect.left());
    new BoundLabel(this, layout.lbl2);
    value(layout.lblAlbum, lblAlbum, layout.lblAlbum.rect.left());
    new BoundLabel(this, layout.lbl3);
    value(layout.lblGenre, lblGenre, layout.lblGenre.rect.left());
    new BoundLabel(this, layout.lbl4);
    value(layout.lblSize, lblSize, layout.lblSize.rect.left());
    GetInfo();
}

void InfoWindow::GetInfo()
{
    auto step = [](auto&& action) {
        try {
            action();
        } catch (const Failure&) {
        }
    };
    auto item = [this](const char* name) { return m_engine.currentMedia().getItemInfo(QLatin1String(name)); };
    step([&] { lblTitle.setCaption(item("Title")); });
    step([&] { lblAuthor.setCaption(item("Author")); });
    step([&] { lblAlbum.setCaption(item("Album")); });
    step([&] { lblSize.setCaption(megabytesText(item("Size"))); });
    step([&] { lblGenre.setCaption(item("WM/Genre")); });
}

}  // namespace zendrix
