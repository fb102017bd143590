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
    new BoundLabel(this, layout.lblInfo);
    new BoundLabel(this, layout.lblTitle, &lblTitle);
    new BoundLabel(this, layout.lbl1);
    new BoundLabel(this, layout.lblAuthor, &lblAuthor);
    new BoundLabel(this, layout.lbl2);
    new BoundLabel(this, layout.lblAlbum, &lblAlbum);
    new BoundLabel(this, layout.lbl3);
    new BoundLabel(this, layout.lblGenre, &lblGenre);
    new BoundLabel(this, layout.lbl4);
    new BoundLabel(this, layout.lblSize, &lblSize);
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
