#include "core/Failure.h"
#include "support/FakeMediaEngine.h"
#include "windows/InfoWindow.h"

#include <QLabel>
#include <QLocale>
#include <gtest/gtest.h>
#include <memory>

using namespace zendrix;

namespace {

// Runs a block with another default locale and puts the old one back.
class LocaleScope
{
public:
    explicit LocaleScope(const QLocale& locale) { QLocale::setDefault(locale); }
    ~LocaleScope() { QLocale::setDefault(m_saved); }

private:
    QLocale m_saved;
};

TEST(MegabytesText, HundredthsOfAMegabyteRoundedHalfToEvenInTheShortestForm)
{
    const LocaleScope english(QLocale(QLocale::English, QLocale::UnitedStates));
    const struct
    {
        const char* bytes;
        const char* text;
    } cases[] = {
        {"5242880", "5 MB"},        {"1048576", "1 MB"},
        {"1500000", "1.43 MB"},     // 143.05 hundredths
        {"131072", "0.12 MB"},      // exactly 12.5 hundredths: to the even 12
        {"393216", "0.38 MB"},      // exactly 37.5 hundredths: to the even 38
        {"1572864", "1.5 MB"},      // no trailing zero
        {"5000", "0 MB"},           {"0", "0 MB"},
        {"1073741824", "1024 MB"},  // no group separator
        {" 2097152 ", "2 MB"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(megabytesText(c.bytes), c.text) << c.bytes;
}

TEST(MegabytesText, FollowsTheLocaleAndFailsOnWhatIsNoNumber)
{
    const LocaleScope german(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(megabytesText("1500000"), "1,43 MB");
    EXPECT_EQ(megabytesText("1073741824"), "1024 MB");
    for (const char* bytes : {"", "abc", "12 bytes", "inf", "nan"})
        EXPECT_THROW(megabytesText(bytes), Failure) << bytes;
}

const QMap<QString, QString> kSong{{"Title", "Song"},    {"Author", "Band"},    {"Album", "Disc"},
                                   {"Size", "1500000"}, {"WM/Genre", "Jazz"}};

class GetInfoTest : public ::testing::Test
{
protected:
    const LocaleScope english{QLocale(QLocale::English, QLocale::UnitedStates)};
    FakeMediaEngine engine;
    std::unique_ptr<InfoWindow> window;

    // The five values as the window shows them: title, artist, album, genre, size.
    QStringList shown() const
    {
        QStringList texts;
        for (const char* name : {"lblTitle", "lblAuthor", "lblAlbum", "lblGenre", "lblSize"}) {
            const auto* label = window->findChild<QLabel*>(name);
            texts.append(label ? label->text() : "<no label>");
        }
        return texts;
    }
};

TEST_F(GetInfoTest, CreatingTheWindowRefreshesItEvenWhileHiddenAndAnEmptyAnswerEmptiesALabel)
{
    engine.itemInfo = kSong;
    window = std::make_unique<InfoWindow>(engine);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(shown(), (QStringList{"Song", "Band", "Disc", "Jazz", "1.43 MB"}));
    engine.itemInfo["Album"] = "";
    window->GetInfo();
    EXPECT_EQ(shown(), (QStringList{"Song", "Band", "", "Jazz", "1.43 MB"}));
}

TEST_F(GetInfoTest, WithNothingLoadedARefreshChangesNothing)
{
    window = std::make_unique<InfoWindow>(engine);
    EXPECT_EQ(shown(), (QStringList{"N/A", "N/A", "N/A", "N/A", "N/A"}));
    engine.itemInfo = kSong;
    window->GetInfo();
    engine.itemInfo.clear();
    window->GetInfo();
    EXPECT_EQ(shown(), (QStringList{"Song", "Band", "Disc", "Jazz", "1.43 MB"}));
}

TEST_F(GetInfoTest, AValueTheEngineCannotGiveLeavesOnlyItsOwnLabel)
{
    const QStringList before{"Song", "Band", "Disc", "Jazz", "1.43 MB"};
    const struct
    {
        const char* attribute;
        const char* value;  // nullptr: the engine cannot give it
        int label;          // its place in shown()
    } cases[] = {
        {"Title", nullptr, 0}, {"Author", nullptr, 1}, {"Album", nullptr, 2}, {"WM/Genre", nullptr, 3},
        {"Size", nullptr, 4},  {"Size", "", 4},        {"Size", "unknown", 4},
    };
    for (const auto& c : cases) {
        engine.itemInfo = kSong;
        window = std::make_unique<InfoWindow>(engine);
        engine.itemInfo = {{"Title", "Next"}, {"Author", "Other"}, {"Album", "Live"}, {"Size", "5242880"},
                           {"WM/Genre", "Rock"}};
        if (c.value)
            engine.itemInfo[c.attribute] = c.value;
        else
            engine.itemInfo.remove(c.attribute);
        window->GetInfo();
        QStringList expected{"Next", "Other", "Live", "Rock", "5 MB"};
        expected[c.label] = before[c.label];
        EXPECT_EQ(shown(), expected) << c.attribute;
    }
}

}  // namespace
