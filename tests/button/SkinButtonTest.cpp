// The control's model: properties, what setting them sets off, the stored layout, and Redraw's rules.
#include "button/SkinButton.h"
#include "TestIcon.h"
#include "platform/Fonts.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace zendrix;

namespace {

const QStringList kKeys = {"BTYPE", "TX",     "ENAB",  "FONT", "COLTYPE", "FOCUSR", "BCOL", "BCOLO",
                           "FCOL",  "FCOLO",  "MCOL",  "MPTR", "MICON",   "PICN",   "PICH", "UMCOL",
                           "SOFT",  "PICPOS", "NGREY", "FX",   "HAND",    "CHECK",  "VALUE"};

// The window the tests' buttons sit on, shown once.
QWidget* host()
{
    static QWidget* window = [] {
        auto* w = new QWidget;
        w->resize(200, 100);
        w->show();
        return w;
    }();
    return window;
}

// A button of the given size, shown (in the offscreen platform) so that it has had its resize.
void place(SkinButton& button, int w, int h)
{
    button.resize(w, h);
    button.show();
}

ColorRef pixel(const SkinButton& button, int x, int y)
{
    return fromQRgb(button.surface().pixel(x, y));
}

TEST(SkinButtonStore, SavesAll23KeysInOrderEvenAtTheirDefaults)
{
    SkinButton button(host());
    PropertyBag bag;
    button.WriteProperties(bag);
    EXPECT_EQ(bag.keys(), kKeys);
    EXPECT_EQ(bag.read("BTYPE").toInt(), 2);
    EXPECT_EQ(bag.read("MCOL").toInt(), 0xC0C0C0);
    EXPECT_EQ(bag.read("TX").toString(), QString());
    EXPECT_TRUE(bag.read("PICN").value<Picture>().isNull());
}

TEST(SkinButtonStore, LoadsTheWindowsButtonsAndSavesThemBackUnchanged)
{
    // A transport button as the player's layouts hold it, keys in lower case.
    PropertyBag stored;
    const Picture icon = fixtures::playIcon();
    const QFont font = [] {
        QFont f(QStringLiteral("MS Sans Serif"));
        f.setPointSizeF(8.25);
        return f;
    }();
    const QVariantList values = {14,
                                 QString("&Play"),
                                 true,
                                 font,
                                 1,
                                 true,
                                 0xE3DFE0,
                                 0xE3DFE0,
                                 0,
                                 0,
                                 0xC0C0C0,
                                 1,
                                 QVariant::fromValue(Picture()),
                                 QVariant::fromValue(icon),
                                 QVariant::fromValue(Picture()),
                                 true,
                                 false,
                                 0,
                                 false,
                                 0,
                                 false,
                                 false,
                                 false};
    for (int i = 0; i < kKeys.size(); ++i)
        stored.write(kKeys[i].toLower(), values[i]);

    SkinButton button(host());
    QSignalSpy marked(&button, &SkinButton::propertyMarked);
    button.ReadProperties(stored);
    EXPECT_EQ(marked.count(), 0); // loading is not a change to save
    EXPECT_EQ(button.ButtonType(), 14);
    EXPECT_EQ(button.Caption(), "&Play");
    EXPECT_EQ(button.AccessKey(), u'p');
    EXPECT_EQ(button.BackColor(), 0xE3DFE0u);
    EXPECT_EQ(button.FontName(), "MS Sans Serif");
    EXPECT_EQ(button.FontSize(), 8);
    EXPECT_EQ(button.PictureNormal().width(), 16);
    EXPECT_EQ(button.captionLayout().pictureWidth, 16);
    EXPECT_EQ(button.MousePointer(), 1);

    PropertyBag saved;
    button.WriteProperties(saved);
    for (const QString& key : kKeys) {
        if (key == "PICN" || key == "PICH" || key == "MICON")
            EXPECT_EQ(saved.read(key).value<Picture>().image(), stored.read(key).value<Picture>().image())
                << key.toStdString();
        else
            EXPECT_EQ(saved.read(key), stored.read(key)) << key.toStdString();
    }
}

TEST(SkinButtonStore, MissingKeysTakeTheirReadDefaults)
{
    PropertyBag bag;
    bag.write("bcol", 0x112233);
    bag.write("fcol", 0x445566);
    bag.write("mptr", 2);
    SkinButton button(host());
    button.ReadProperties(bag);
    EXPECT_EQ(button.BackOver(), 0x112233u); // the BackColor just read
    EXPECT_EQ(button.ForeOver(), 0x445566u);
    EXPECT_EQ(button.ButtonType(), 2);
    EXPECT_EQ(button.ColorScheme(), 1);
    EXPECT_TRUE(button.Enabled());
    EXPECT_TRUE(button.ShowFocusRect());
    EXPECT_TRUE(button.UseMaskColor());
    EXPECT_EQ(button.MaskColor(), 0xC0C0C0u);
    // Without the hand pointer the pointer ends as the arrow, whatever "MPTR" held.
    EXPECT_EQ(button.MousePointer(), 1);
    EXPECT_EQ(button.cursor().shape(), Qt::ArrowCursor);

    SkinButton defaults(host());
    defaults.ReadProperties(PropertyBag());
    EXPECT_EQ(defaults.BackColor(), rgb(240, 240, 240));
    EXPECT_EQ(defaults.ForeColor(), rgb(0, 0, 0));
    EXPECT_FALSE(defaults.HandPointer());
}

TEST(SkinButtonStore, UnconvertibleValuesAreReportedAndKeepTheirDefaults)
{
    PropertyBag bag;
    bag.write("BTYPE", QString("fourteen"));
    bag.write("ENAB", QString("maybe"));
    bag.write("MPTR", 70000);
    bag.write("PICN", QString("play.ico"));
    bag.write("TX", QString("Ok"));
    SkinButton button(host());
    QStringList bad;
    button.ReadProperties(bag, &bad);
    EXPECT_EQ(bad, QStringList({"BTYPE", "ENAB", "MPTR", "PICN"}));
    EXPECT_EQ(button.ButtonType(), 2);
    EXPECT_TRUE(button.Enabled());
    EXPECT_EQ(button.Caption(), "Ok");
    EXPECT_TRUE(button.PictureNormal().isNull());
}

TEST(SkinButtonProperties, DesignModeCouplesColoursAndBoldensType5)
{
    SkinButton running(host());
    running.setBackColor(0x010203);
    running.setForeColor(0x040506);
    running.setButtonType(5);
    EXPECT_EQ(running.BackOver(), rgb(240, 240, 240));
    EXPECT_EQ(running.ForeOver(), rgb(0, 0, 0));
    EXPECT_FALSE(running.FontBold());

    SkinButton designed(host());
    ButtonAmbient design;
    design.userMode = false;
    design.displayName = "SkinButton1";
    design.font = QFont("Tahoma", 9);
    designed.setAmbient(design);
    designed.InitProperties();
    EXPECT_EQ(designed.Caption(), "SkinButton1");
    EXPECT_EQ(designed.FontName(), "Tahoma");
    EXPECT_EQ(designed.BackColor(), rgb(240, 240, 240));
    designed.setBackColor(0x010203);
    designed.setForeColor(0x040506);
    designed.setButtonType(5);
    EXPECT_EQ(designed.BackOver(), 0x010203u);
    EXPECT_EQ(designed.ForeOver(), 0x040506u);
    EXPECT_TRUE(designed.FontBold());
}

TEST(SkinButtonProperties, FontAttributesRepaintWithoutMarkingAndTheFontMarks)
{
    SkinButton button(host());
    place(button, 60, 20);
    QSignalSpy marked(&button, &SkinButton::propertyMarked);
    const int paints = button.paintCount();
    button.setFontBold(true);
    button.setFontSize(12);
    EXPECT_EQ(button.paintCount(), paints + 2);
    EXPECT_EQ(marked.count(), 0);
    EXPECT_EQ(button.FontSize(), 12);
    button.setFont(QFont("Tahoma", 9));
    EXPECT_EQ(marked.count(), 1);
    EXPECT_EQ(marked.at(0).at(0).toString(), "Font");
    button.setCaption("x");
    EXPECT_EQ(marked.count(), 2);
    EXPECT_EQ(SkinButton::Version(), "2.0.6 B");
    EXPECT_EQ(button.hwnd(), &button);
}

TEST(SkinButtonProperties, SettingMousePointerChecksItsRangeAndHandPointerShowsAHand)
{
    SkinButton button(host());
    EXPECT_FALSE(button.setMousePointer(70000));
    EXPECT_FALSE(button.setMousePointer(42));
    EXPECT_EQ(button.MousePointer(), 0);
    EXPECT_TRUE(button.setMousePointer(11));
    EXPECT_EQ(button.cursor().shape(), Qt::WaitCursor);
    button.setHandPointer(true);
    EXPECT_EQ(button.MousePointer(), 99);
    EXPECT_EQ(button.cursor().shape(), Qt::PointingHandCursor);
    button.setHandPointer(false);
    EXPECT_EQ(button.MousePointer(), 1);
    EXPECT_EQ(button.cursor().shape(), Qt::ArrowCursor);
}

TEST(SkinButtonRedraw, PaintsOnlyOnChangeUnlessForcedAndNeverWhileSuspended)
{
    SkinButton button(host());
    EXPECT_EQ(button.paintCount(), 0);
    button.Redraw(StateUp, Force::Yes); // no height yet: nothing
    EXPECT_EQ(button.paintCount(), 0);
    place(button, 36, 20);
    const int afterResize = button.paintCount();
    EXPECT_EQ(afterResize, 2); // the resize, then the show
    button.Redraw(StateUp, Force::No);
    button.Redraw(StateUp, Force::No);
    EXPECT_EQ(button.paintCount(), afterResize);
    button.Redraw(StateDown, Force::No);
    EXPECT_EQ(button.paintCount(), afterResize + 1);
    button.setCaption("Go"); // a forced repaint up
    EXPECT_EQ(button.LastState(), StateUp);

    button.DisableRefresh();
    const int before = button.paintCount();
    button.Redraw(StateDown, Force::No);
    button.setButtonType(3);
    button.setCaption("Stop");
    button.setBackColor(0x00FF00);
    EXPECT_EQ(button.paintCount(), before);
    EXPECT_EQ(button.LastState(), StateUp); // a stopped paint remembers nothing
    button.Refresh();
    EXPECT_EQ(button.paintCount(), before + 1);
    button.Redraw(StateUp, Force::No); // the caption was taken by the refresh
    EXPECT_EQ(button.paintCount(), before + 1);
}

TEST(SkinButtonRedraw, CheckBoxValueHoldsTheButtonDown)
{
    SkinButton button(host());
    place(button, 36, 20);
    int paints = button.paintCount();
    button.setValue(true); // without check-box behaviour: stored, not painted
    EXPECT_TRUE(button.Value());
    EXPECT_EQ(button.paintCount(), paints);
    button.setCheckBoxBehaviour(true);
    EXPECT_EQ(button.LastState(), StateDown);
    button.Redraw(StateUp, Force::No); // a release still shows the pressed face
    EXPECT_EQ(button.LastState(), StateDown);
    button.setValue(false);
    EXPECT_EQ(button.LastState(), StateUp);
}

TEST(SkinButtonRedraw, PictureOverRepaintsOnlyWhileHovered)
{
    SkinButton button(host());
    place(button, 36, 20);
    const int paints = button.paintCount();
    button.setPictureOver(fixtures::playIcon());
    EXPECT_EQ(button.paintCount(), paints);
    button.setUseGreyscale(true); // no PictureNormal: no repaint either
    EXPECT_EQ(button.paintCount(), paints);
    button.setPictureNormal(fixtures::playIcon());
    EXPECT_EQ(button.paintCount(), paints + 1);
}

TEST(SkinButtonRedraw, DefaultButtonCaptionIsBoldInTheUpStateOnly)
{
    auto inkCount = [](const SkinButton& button) {
        int count = 0;
        for (int y = 0; y < button.height(); ++y)
            for (int x = 0; x < button.width(); ++x)
                count += pixel(button, x, y) == rgb(0, 0, 0);
        return count;
    };
    SkinButton plain(host());
    place(plain, 80, 24);
    plain.setButtonType(14);
    plain.setCaption("Default");
    SkinButton bold(host());
    place(bold, 80, 24);
    bold.setButtonType(14);
    bold.setCaption("Default");
    ButtonAmbient ambient;
    ambient.displayAsDefault = true;
    bold.setAmbient(ambient);
    EXPECT_GT(inkCount(bold), inkCount(plain));
    EXPECT_FALSE(bold.FontBold());
    bold.Redraw(StateDown, Force::No);
    plain.Redraw(StateDown, Force::No);
    EXPECT_EQ(bold.surface(), plain.surface());
}

TEST(SkinButtonPainting, CaptionStaysInsideItsRectangleInTheCaptionColour)
{
    SkinButton button(host());
    place(button, 70, 24);
    button.setButtonType(14);
    SkinButton bare(host());
    place(bare, 70, 24);
    bare.setButtonType(14);
    button.setCaption("&Stop");
    const Rect text = button.captionLayout().textRect;
    int inked = 0;
    for (int y = 0; y < 24; ++y) {
        for (int x = 0; x < 70; ++x) {
            if (button.surface().pixel(x, y) == bare.surface().pixel(x, y))
                continue;
            ++inked;
            EXPECT_TRUE(x >= text.left && x < text.right && y >= text.top && y < text.bottom)
                << x << "," << y;
            EXPECT_EQ(pixel(button, x, y), rgb(0, 0, 0));
        }
    }
    EXPECT_GT(inked, 10);
}

TEST(SkinButtonPainting, PicturesMoveWhenPressedAndEngraveWhenDisabled)
{
    // A 4 x 4 bitmap: two dark columns, two light ones.
    QImage image(4, 4, QImage::Format_RGB32);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            image.setPixel(x, y, x < 2 ? qRgb(0, 0, 0) : qRgb(255, 255, 0));
    SkinButton button(host());
    place(button, 20, 20);
    button.setButtonType(1);
    button.setPictureNormal(Picture(image, Picture::Type::Bitmap));
    const int l = button.captionLayout().pictureLeft;
    const int t = button.captionLayout().pictureTop;
    EXPECT_EQ(l, 8);
    EXPECT_EQ(t, 8);
    EXPECT_EQ(pixel(button, l, t), rgb(0, 0, 0));
    EXPECT_EQ(pixel(button, l + 3, t + 3), rgb(255, 255, 0));
    button.Redraw(StateDown, Force::No);
    EXPECT_EQ(pixel(button, l, t), rgb(240, 240, 240));
    EXPECT_EQ(pixel(button, l + 1, t + 1), rgb(0, 0, 0));
    button.setEnabled(false);
    // Dark pixels in the shadow colour over a highlight copy one pixel down and right; light ones gone.
    EXPECT_EQ(pixel(button, l, t), rgb(160, 160, 160));
    EXPECT_EQ(pixel(button, l + 2, t + 1), rgb(255, 255, 255));
    EXPECT_EQ(pixel(button, l + 2, t), rgb(240, 240, 240));
    EXPECT_EQ(pixel(button, l + 3, t + 3), rgb(240, 240, 240));

    // A drop shadow effect: a dark copy one pixel down and right of the picture.
    button.setEnabled(true);
    button.setSpecialEffect(EffectShadow);
    EXPECT_EQ(pixel(button, l + 4, t + 4), rgb(200, 200, 200));
    EXPECT_EQ(pixel(button, l, t), rgb(0, 0, 0));
}

} // namespace
