#include "AssetSet.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace zendrix::assetgen;

namespace {

// The pictures in the repository are the generator's output: a change to a drawing that was not followed
// by a run of the generator (or a hand-edited picture) shows up here. Drawing twice also proves that the
// output does not depend on anything that changes between runs.
TEST(Assetgen, CommittedPicturesAreWhatTheGeneratorDraws)
{
    QString error;
    const auto assets = buildAssets(&error);
    ASSERT_TRUE(assets) << error.toStdString();
    const auto again = buildAssets();
    ASSERT_TRUE(again);
    ASSERT_EQ(assets->size(), again->size());

    for (size_t i = 0; i < assets->size(); ++i) {
        const Asset& asset = (*assets)[i];
        EXPECT_EQ(asset.bytes, (*again)[i].bytes) << asset.path.toStdString() << " differs between two runs";
        QFile file(QStringLiteral(ZENDRIX_SOURCE_DIR "/") + asset.path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << asset.path.toStdString() << " is missing";
        EXPECT_TRUE(file.readAll() == asset.bytes)
            << asset.path.toStdString() << " is out of date: run build/bin/assetgen <repository-root>";
    }
}

} // namespace
