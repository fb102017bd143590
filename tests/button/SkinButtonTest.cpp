// The control's stored layout: the 23 keys, the round trip and the defaults of missing or bad values.
#include "button/SkinButton.h"
#include "TestIcon.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace zendrix;

namespace {

const QStringList kKeys = {"BTYPE", "TX",     "ENAB",  "FONT", "COLTYPE", "FOCUSR", "BCOL", "BCOLO",
                           "FCOL",  "FCOLO",  "MCOL",  "MPTR", "MICON",   "PICN",   "PICH", "UMCOL",
                           "SOFT",  "PICPOS", "NGREY", "FX",   "HAND",    "CHECK",  "VALUE"};

TEST(SkinButtonStore, LoadsAWindowsButtonAndSavesAll23KeysBackUnchangedInOrder)
{
    // A transport button as the player's layouts hold it, keys in lower case.
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSizeF(8.25);
    const QVariant none = QVariant::fromValue(Picture());
    const QVariant play = QVariant::fromValue(fixtures::playIcon());
    const QVariantList values = {14,    "&Play", true,     font, 1,     true,  0xE3DFE0, 0xE3DFE0,
                                 0,     0,       0xC0C0C0, 1,    none,  play,  none,     true,
                                 false, 0,       false,    0,    false, false, false};
    PropertyBag stored;
    for (int i = 0; i < kKeys.size(); ++i)
        stored.write(kKeys[i].toLower(), values[i]);

    SkinButton button;
    QSignalSpy marked(&button, &SkinButton::propertyMarked);
    button.ReadProperties(stored);
    EXPECT_EQ(marked.count(), 0); // loading is not a change to save
    EXPECT_EQ(button.ButtonType(), 14);
    EXPECT_EQ(button.AccessKey(), u'p');
    EXPECT_EQ(button.captionLayout().pictureWidth, 16);

    PropertyBag saved;
    button.WriteProperties(saved);
    EXPECT_EQ(saved.keys(), kKeys);
    for (const QString& key : kKeys) {
        if (key == "PICN" || key == "PICH" || key == "MICON")
            EXPECT_EQ(saved.read(key).value<Picture>().image(), stored.read(key).value<Picture>().image())
                << key.toStdString();
        else
            EXPECT_EQ(saved.read(key), stored.read(key)) << key.toStdString();
    }
}

TEST(SkinButtonStore, MissingOrUnconvertibleValuesTakeTheirReadDefaults)
{
    PropertyBag bag;
    bag.write("bcol", 0x112233);
    bag.write("fcol", 0x445566);
    bag.write("mptr", 2);
    bag.write("ENAB", QString("maybe"));
    bag.write("BTYPE", QString("fourteen"));
    bag.write("PICN", QString("play.ico"));
    SkinButton button;
    QStringList bad;
    button.ReadProperties(bag, &bad);
    EXPECT_EQ(bad, QStringList({"BTYPE", "ENAB", "PICN"}));
    EXPECT_EQ(button.BackOver(), 0x112233u); // the BackColor just read
    EXPECT_EQ(button.ForeOver(), 0x445566u);
    EXPECT_EQ(button.ButtonType(), 2);
    EXPECT_EQ(button.ColorScheme(), 1);
    EXPECT_TRUE(button.Enabled());
    EXPECT_TRUE(button.ShowFocusRect());
    EXPECT_TRUE(button.UseMaskColor());
    EXPECT_EQ(button.MaskColor(), 0xC0C0C0u);
    EXPECT_TRUE(button.PictureNormal().isNull());
    EXPECT_EQ(button.MousePointer(), 1); // without the hand pointer, the arrow, whatever "MPTR" held

    SkinButton defaults;
    defaults.ReadProperties(PropertyBag());
    EXPECT_EQ(defaults.BackColor(), rgb(240, 240, 240));
    EXPECT_EQ(defaults.ForeColor(), rgb(0, 0, 0));
    EXPECT_EQ(defaults.Caption(), QString());
}

} // namespace
