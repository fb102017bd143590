#include "windows/InfoWindow.h"
#include "core/Failure.h"
#include "support/FakeMediaEngine.h"

#include <QLabel>
#include <QLocale>
#include <gtest/gtest.h>
#include <memory>

using namespace zendrix;

namespace {

// Runs a block with another default locale and puts the old one back.
struct LocaleScope
{
    explicit LocaleScope(const QLocale& locale) { QLocale::setDefault(locale); }
    ~LocaleScope() { QLocale::setDefault(saved); }
    QLocale saved;
};

TEST(MegabytesText, HundredthsOfAMegabyteRoundedHalfToEvenInTheShortestFormOrAFailure)
{
    const std::pair<const char*, const char*> cases[] = {
        {"5242880", "5 MB"},   {"1500000", "1.43 MB"}, // 143.05 hundredths
        {"131072", "0.12 MB"},                         // exactly 12.5 hundredths: to the even 12
        {"393216", "0.38 MB"},                         // exactly 37.5 hundredths: to the even 38
        {"1572864", "1.5 MB"}, {"5000", "0 MB"},       {"1073741824", "1024 MB"}, {" 2097152 ", "2 MB"},
    };
    const LocaleScope english(QLocale(QLocale::English, QLocale::UnitedStates));
    for (const auto& [bytes, text] : cases)
        EXPECT_EQ(megabytesText(bytes), text) << bytes;
    for (const char* bytes : {"", "abc", "12 bytes", "inf", "nan"})
        EXPECT_THROW(megabytesText(bytes), Failure) << bytes;
}

class GetInfoTest : public ::testing::Test
{
protected:
    const LocaleScope english{QLocale(QLocale::English, QLocale::UnitedStates)};
    FakeMediaEngine engine;
    std::unique_ptr<InfoWindow> window;
    const QMap<QString, QString> song{
        {"Title", "Song"}, {"Author", "Band"}, {"Album", "Disc"}, {"Size", "1500000"}, {"WM/Genre", "Jazz"}};

    // The five values as the window shows them: title, artist, album, genre, size.
    QStringList shown() const
    {
        QStringList texts;
        for (const char* name : {"lblTitle", "lblAuthor", "lblAlbum", "lblGenre", "lblSize"})
            texts.append(window->findChild<QLabel*>(name) ? window->findChild<QLabel*>(name)->text() : "?");
        return texts;
    }
};

TEST_F(GetInfoTest, CreatingTheWindowRefreshesItAndWithNothingLoadedARefreshChangesNothing)
{
    window = std::make_unique<InfoWindow>(engine);
    EXPECT_EQ(shown(), (QStringList{"N/A", "N/A", "N/A", "N/A", "N/A"}));
    engine.itemInfo = song;
    window = std::make_unique<InfoWindow>(engine);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(shown(), (QStringList{"Song", "Band", "Disc", "Jazz", "1.43 MB"}));
    engine.itemInfo.clear();
    window->GetInfo();
    EXPECT_EQ(shown(), (QStringList{"Song", "Band", "Disc", "Jazz", "1.43 MB"}));
}

TEST_F(GetInfoTest, AValueTheEngineCannotGiveLeavesOnlyItsOwnLabelAndAnEmptyOneEmptiesIt)
{
    const struct
    {
        const char* attribute;
        const char* value; // nullptr: the engine cannot give it
        QStringList expected;
    } cases[] = {
        {"Title", nullptr, {"Song", "Other", "Live", "Rock", "5 MB"}},
        {"WM/Genre", nullptr, {"Next", "Other", "Live", "Jazz", "5 MB"}},
        {"Size", nullptr, {"Next", "Other", "Live", "Rock", "1.43 MB"}},
        {"Size", "unknown", {"Next", "Other", "Live", "Rock", "1.43 MB"}},
        {"Album", "", {"Next", "Other", "", "Rock", "5 MB"}},
    };
    for (const auto& c : cases) {
        engine.itemInfo = song;
        window = std::make_unique<InfoWindow>(engine);
        engine.itemInfo = {{"Title", "Next"},
                           {"Author", "Other"},
                           {"Album", "Live"},
                           {"Size", "5242880"},
                           {"WM/Genre", "Rock"}};
        if (c.value)
            engine.itemInfo[c.attribute] = c.value;
        else
            engine.itemInfo.remove(c.attribute);
        window->GetInfo();
        EXPECT_EQ(shown(), c.expected) << c.attribute;
    }
}

} // namespace
