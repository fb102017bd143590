#include "core/Failure.h"
#include "windows/InfoWindow.h"

#include <QLocale>
#include <gtest/gtest.h>

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

}  // namespace
