#include "core/MediaFilter.h"
#include "windows/QtHost.h"

#include <gtest/gtest.h>

using namespace zendrix;

TEST(QtHost, DialogFiltersKeepTheirTextsAndGainThePatternsQtReads)
{
    EXPECT_EQ(qtNameFilters("Zendrix Playlist Files(*.zdx)|*.zdx"),
              QStringList({"Zendrix Playlist Files(*.zdx) (*.zdx)"}));
    const QStringList media = qtNameFilters(kMediaFilter);
    ASSERT_EQ(media.size(), 8);
    EXPECT_TRUE(media[0].startsWith("All Media Files (*.ogg *.ogm *.mid"));
    EXPECT_EQ(media[1], "OGG Media Files (*.ogg,*.ogm) (*.ogg *.ogm)");
    EXPECT_EQ(media[7], "All Files (*.*) (*)") << "every file, with or without a dot";
}
