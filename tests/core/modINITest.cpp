// The settings file's own rules. The replayed fuzz corpus (fuzz/IniFuzzer.cpp) checks the rest on damaged
// files: a value written reads back, line breaks become blanks, reads stop at 254 characters and every
// other line keeps its bytes.
#include "core/modINI.h"
#include "support/Files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zendrix;
using namespace zendrix::testing;

namespace {

class IniTest : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    QString path = dir.filePath("config.ini");

    void store(const QByteArray& bytes) { ASSERT_EQ(writeFile(path, bytes), path); }
    QByteArray contents() const { return readFile(path); }
};

TEST_F(IniTest, WritesCrLfLinesAtTheEndOfTheirSectionAndKeepEveryOtherByte)
{
    EXPECT_EQ(ReadINI(path, "Position", "Top", "0"), "0");
    store("; kept as it is\r\n[Position]\r\nTop=4500\r\nLeft = 3000 \r\n\r\n[Player]\nodd line\r\n");
    EXPECT_EQ(ReadINI(path, "Position", "Left", ""), "3000");
    EXPECT_EQ(ReadINI(path, "Player", "Screen", QString(300, 'x')), QString(254, 'x'));
    WriteINI(path, "Position", "Top", "15");
    WriteINI(path, "Position", "Width", "7"); // at the end of its section, before the blank line
    WriteINI(path, "Player", "Volume", "50");
    WriteINI(path, "Skin", "Skin", "Zendrix");
    EXPECT_EQ(contents(),
              QByteArray("; kept as it is\r\n[Position]\r\nTop=15\r\nLeft = 3000 \r\nWidth=7\r\n\r\n"
                         "[Player]\nodd line\r\nVolume=50\r\n[Skin]\r\nSkin=Zendrix\r\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"config.ini"})
        << "no temporary file is left behind";
}

TEST_F(IniTest, NamesIgnoreCaseLoneCrEndsALineAndTheFirstSectionOfANameCounts)
{
    store("[player]\r\nrepeatplaylist=true\r\n");
    EXPECT_EQ(ReadINI(path, "Player", "RepeatPlaylist", "False"), "true");
    WriteINI(path, "PLAYER", "REPEATPLAYLIST", "True");
    EXPECT_EQ(contents(), QByteArray("[player]\r\nREPEATPLAYLIST=True\r\n"));

    store("[A]\rK=1\r[B]\rK=2\r[A]\rK=3\r");
    EXPECT_EQ(ReadINI(path, "A", "K", ""), "1");
    EXPECT_EQ(ReadINI(path, "B", "K", ""), "2");

    const QString value = QString::fromUtf8("Ünïcødé — 日本語 skin"); // in the locale's encoding
    WriteINI(path, "Skin", "Skin", value);
    EXPECT_EQ(ReadINI(path, "Skin", "Skin", ""), value);
    EXPECT_TRUE(contents().contains(value.toUtf8()));
}

TEST_F(IniTest, DamagedFilesAndFailedWritesNeverBreakAReadAndFailuresAreSilent)
{
    QByteArray many = QByteArray(1 << 20, '=') + "\r\n[Player\r\n"; // a header without ']' still counts
    for (int i = 0; i < 100000; ++i)
        many.append("line without an equals sign\r\n");
    store(many + "Volume=9");
    EXPECT_EQ(ReadINI(path, "Player", "Volume", "0"), "9");
    WriteINI(path, "Player", "K2", "w"); // the last line had no line end
    EXPECT_TRUE(contents().endsWith("\r\nVolume=9\r\nK2=w\r\n"));

    ASSERT_TRUE(QFile::remove(path) && QDir(dir.path()).mkdir("config.ini")); // a folder in the file's place
    WriteINI(path, "S", "K", "v");
    EXPECT_TRUE(QFileInfo(path).isDir());
    EXPECT_EQ(ReadINI(path, "S", "K", "default"), "default");
    const QString nowhere = dir.filePath("missing/config.ini");
    WriteINI(nowhere, "S", "K", "v");
    EXPECT_FALSE(QFile::exists(nowhere));
}

} // namespace
