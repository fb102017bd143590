#include "core/modINI.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zendrix;

namespace {

class IniTest : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    QString path = dir.filePath("config.ini");

    void store(const QByteArray& bytes)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray contents() const
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

TEST_F(IniTest, MissingFileSectionOrKeyGivesTheDefault)
{
    EXPECT_EQ(ReadINI(path, "Position", "Top", "0"), "0");
    store("[Player]\r\nVolume=37\r\n");
    EXPECT_EQ(ReadINI(path, "Position", "Top", "0"), "0");
    EXPECT_EQ(ReadINI(path, "Player", "Screen", "False"), "False");
    EXPECT_EQ(ReadINI(path, "Player", "Volume", "0"), "37");
}

TEST_F(IniTest, FirstWriteCreatesTheFileWithCrLfLines)
{
    WriteINI(path, "Player", "Volume", "37");
    EXPECT_EQ(contents(), QByteArray("[Player]\r\nVolume=37\r\n"));
    EXPECT_EQ(ReadINI(path, "Player", "Volume", "0"), "37");
}

TEST_F(IniTest, AValueWrittenIsTheNextValueRead)
{
    WriteINI(path, "Skin", "Skin", "Zendrix");
    EXPECT_EQ(ReadINI(path, "Skin", "Skin", ""), "Zendrix");
    WriteINI(path, "Skin", "Skin", "Night");
    EXPECT_EQ(ReadINI(path, "Skin", "Skin", ""), "Night");
}

TEST_F(IniTest, ReplacingAndAddingKeepEveryOtherLineByteForByte)
{
    const QByteArray before = "; kept as it is\r\n"
                              "[Position]\r\nTop=4500\r\nLeft = 3000 \r\n\r\n"
                              "[Player]\nScreen=True\r\nodd line without equals\r\n";
    store(before);
    WriteINI(path, "Position", "Top", "15");
    EXPECT_EQ(contents(), QByteArray("; kept as it is\r\n"
                                     "[Position]\r\nTop=15\r\nLeft = 3000 \r\n\r\n"
                                     "[Player]\nScreen=True\r\nodd line without equals\r\n"));
    WriteINI(path, "Position", "Width", "7");  // new key: at the end of its section, before the blank line
    WriteINI(path, "Player", "Volume", "50");
    WriteINI(path, "Skin", "Skin", "Zendrix");
    EXPECT_EQ(contents(), QByteArray("; kept as it is\r\n"
                                     "[Position]\r\nTop=15\r\nLeft = 3000 \r\nWidth=7\r\n\r\n"
                                     "[Player]\nScreen=True\r\nodd line without equals\r\nVolume=50\r\n"
                                     "[Skin]\r\nSkin=Zendrix\r\n"));
    EXPECT_EQ(ReadINI(path, "Position", "Left", ""), "3000");
}

TEST_F(IniTest, SectionsAndKeysMatchWithoutRegardToCaseButValuesKeepTheirs)
{
    store("[player]\r\nrepeatplaylist=true\r\n");
    EXPECT_EQ(ReadINI(path, "Player", "RepeatPlaylist", "False"), "true");
    WriteINI(path, "PLAYER", "REPEATPLAYLIST", "True");
    EXPECT_EQ(contents(), QByteArray("[player]\r\nREPEATPLAYLIST=True\r\n"));
}

TEST_F(IniTest, LineBreaksInAWrittenValueBecomeBlanks)
{
    const QString value = "one\r\ntwo\rthree\nfour";
    WriteINI(path, "S", "K", value);
    EXPECT_EQ(ReadINI(path, "S", "K", ""), "one  two three four");
    EXPECT_EQ(value, "one\r\ntwo\rthree\nfour");  // the caller's string is untouched
    EXPECT_EQ(contents().count('\n'), 2);
}

TEST_F(IniTest, LongValuesReadBackCutTo254Characters)
{
    const QString value(300, QLatin1Char('x'));
    WriteINI(path, "S", "K", value);
    EXPECT_EQ(ReadINI(path, "S", "K", ""), value.left(254));
    EXPECT_EQ(ReadINI(path, "S", "Missing", value), value.left(254));
}

TEST_F(IniTest, NonAsciiTextRoundTripsInTheLocaleEncoding)
{
    const QString value = QString::fromUtf8("Ünïcødé — 日本語 skin");
    WriteINI(path, "Skin", "Skin", value);
    EXPECT_EQ(ReadINI(path, "Skin", "Skin", ""), value);
    EXPECT_TRUE(contents().contains(value.toUtf8()));
}

TEST_F(IniTest, LoneCrEndsALineAndOnlyTheFirstSectionOfANameCounts)
{
    store("[A]\rK=1\r[B]\rK=2\r[A]\rK=3\r");
    EXPECT_EQ(ReadINI(path, "A", "K", ""), "1");
    EXPECT_EQ(ReadINI(path, "B", "K", ""), "2");
}

TEST_F(IniTest, DamagedFilesNeverBreakAReadOrAWrite)
{
    QByteArray garbage;
    for (int i = 0; i < 70000; ++i)
        garbage.append(static_cast<char>((i * 7919) % 256));
    store(garbage);
    EXPECT_EQ(ReadINI(path, "Player", "Volume", "0"), "0");
    WriteINI(path, "Player", "Volume", "5");
    EXPECT_EQ(ReadINI(path, "Player", "Volume", "0"), "5");
    EXPECT_TRUE(contents().startsWith(garbage));

    QByteArray many = "[Player\r\n";  // a header missing its ']' still names the section
    for (int i = 0; i < 100000; ++i)
        many.append("line without an equals sign\r\n");
    many.append("Volume=9\r\n");
    store(many);
    EXPECT_EQ(ReadINI(path, "Player", "Volume", "0"), "9");

    store(QByteArray(1 << 20, '=') + "\r\n[S]\r\nK=v");
    EXPECT_EQ(ReadINI(path, "S", "K", ""), "v");
    WriteINI(path, "S", "K2", "w");  // the last line had no line end
    EXPECT_TRUE(contents().endsWith("\r\n[S]\r\nK=v\r\nK2=w\r\n"));
}

TEST_F(IniTest, AFailedWriteIsSilentAndLeavesWhatWasThere)
{
    // A folder standing where the file should be.
    ASSERT_TRUE(QDir(dir.path()).mkdir("config.ini"));
    WriteINI(path, "S", "K", "v");
    EXPECT_TRUE(QFileInfo(path).isDir());
    EXPECT_EQ(ReadINI(path, "S", "K", "default"), "default");

    // A folder that does not exist.
    const QString nowhere = dir.filePath("missing/config.ini");
    WriteINI(nowhere, "S", "K", "v");
    EXPECT_FALSE(QFile::exists(nowhere));
}

TEST_F(IniTest, WritesLeaveNoTemporaryFilesBehind)
{
    for (int i = 0; i < 20; ++i)
        WriteINI(path, "S", QString("K%1").arg(i), "v");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

}  // namespace
