// New orders for the playlist: natural order, stable sorts with the entries that lack a key last,
// duplicates and missing files, the jump filter, and the list keeping its current entry through them.
#include "core/PlaylistOrder.h"
#include "core/EntryFilter.h"
#include "core/Failure.h"
#include "core/ListControl.h"
#include "core/NaturalOrder.h"

#include <QHash>
#include <QSet>
#include <gtest/gtest.h>
#include <random>
#include <vector>

using namespace zendrix;

namespace {

QStringList inOrder(const QStringList& entries, const QList<int>& order)
{
    QStringList result;
    for (const int index : order)
        result.append(entries.at(index));
    return result;
}

// The comparison as it was first written, one character at a time: the quick one must agree with it.
int referenceCompare(const QString& a, const QString& b)
{
    qsizetype i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (a[i].isDigit() && b[j].isDigit()) {
            qsizetype endA = i, endB = j;
            while (endA < a.size() && a[endA].isDigit())
                ++endA;
            while (endB < b.size() && b[endB].isDigit())
                ++endB;
            QString x = a.mid(i, endA - i), y = b.mid(j, endB - j);
            while (x.size() > 1 && x.front() == '0')
                x.remove(0, 1);
            while (y.size() > 1 && y.front() == '0')
                y.remove(0, 1);
            if (x.size() != y.size())
                return x.size() < y.size() ? -1 : 1;
            if (x != y)
                return x < y ? -1 : 1;
            i = endA;
            j = endB;
            continue;
        }
        const int order = QString(a[i]).compare(QString(b[j]), Qt::CaseInsensitive);
        if (order != 0)
            return order < 0 ? -1 : 1;
        ++i;
        ++j;
    }
    if (a.size() - i != b.size() - j)
        return a.size() - i < b.size() - j ? -1 : 1;
    return a == b ? 0 : (a < b ? -1 : 1);
}

TEST(NaturalOrder, NumbersCompareByValueAndTheQuickComparisonAgreesWithTheCharacterByCharacterOne)
{
    const QStringList sorted = {"1 x",     "2 x",      "02 y",      "10 x",
                                "Track 9", "track 10", "Track 10b", "Track 100"};
    for (qsizetype i = 0; i < sorted.size(); ++i) {
        for (qsizetype j = 0; j < sorted.size(); ++j)
            EXPECT_EQ(naturalCompare(sorted[i], sorted[j]) < 0, i < j)
                << sorted[i].toStdString() << " / " << sorted[j].toStdString();
    }
    // Long shared beginnings that end inside a number are where a shortcut goes wrong.
    std::mt19937 random(7);
    const QString alphabet = "a0A19 /";
    const auto word = [&] {
        QString text = "/music/Artist 1";
        for (int n = std::uniform_int_distribution(0, 6)(random); n > 0; --n)
            text += alphabet[std::uniform_int_distribution(0, int(alphabet.size()) - 1)(random)];
        return text;
    };
    for (int i = 0; i < 20000; ++i) {
        const QString a = word(), b = word();
        ASSERT_EQ(naturalCompare(a, b), referenceCompare(a, b))
            << a.toStdString() << " / " << b.toStdString();
    }
}

TEST(PlaylistOrder, SortsAreNaturalAndStableWithEntriesLackingTheKeyLastInPathOrder)
{
    const QStringList entries = {
        "/m/b/10 Song.mp3", "http://radio/stream", "/m/a/2 Song.mp3", "/m/c/2 Song.mp3", "/m/z.mp3",
        "/m/y.mp3",         "/m/a/1 Song.mp3"};
    QHash<QString, EntryTags> tags;
    tags["/m/b/10 Song.mp3"] = {"Beta", "X", 200'000};
    tags["/m/a/2 Song.mp3"] = {"alpha", "", 100'000};
    tags["/m/c/2 Song.mp3"] = {"Beta", "", 100'000}; // same title and length as others: keeps its order
    tags["/m/z.mp3"] = {"", "", -1};                 // read, but nothing known
    const TagLookup lookup = [&](const QString& entry) {
        const auto it = tags.constFind(entry);
        return it == tags.constEnd() ? nullptr : &*it;
    };

    EXPECT_EQ(inOrder(entries, sortedOrder(entries, SortKey::FileName)),
              QStringList({"/m/a/1 Song.mp3", "/m/a/2 Song.mp3", "/m/c/2 Song.mp3", "/m/b/10 Song.mp3",
                           "http://radio/stream", "/m/y.mp3", "/m/z.mp3"}));
    EXPECT_EQ(inOrder(entries, sortedOrder(entries, SortKey::Path)),
              QStringList({"/m/a/1 Song.mp3", "/m/a/2 Song.mp3", "/m/b/10 Song.mp3", "/m/c/2 Song.mp3",
                           "/m/y.mp3", "/m/z.mp3", "http://radio/stream"}));
    EXPECT_EQ(inOrder(entries, sortedOrder(entries, SortKey::Title, lookup)),
              QStringList({"/m/a/2 Song.mp3", "/m/b/10 Song.mp3", "/m/c/2 Song.mp3", "/m/a/1 Song.mp3",
                           "/m/y.mp3", "/m/z.mp3", "http://radio/stream"}));
    EXPECT_EQ(inOrder(entries, sortedOrder(entries, SortKey::Length, lookup)),
              QStringList({"/m/a/2 Song.mp3", "/m/c/2 Song.mp3", "/m/b/10 Song.mp3", "/m/a/1 Song.mp3",
                           "/m/y.mp3", "/m/z.mp3", "http://radio/stream"}));
    EXPECT_EQ(inOrder(entries, sortedOrder(entries, SortKey::Title)),
              inOrder(entries, sortedOrder(entries, SortKey::Path)))
        << "without tags every entry lacks a title";
    EXPECT_EQ(inOrder(entries, reversedOrder(entries.size())).first(), "/m/a/1 Song.mp3");
}

TEST(PlaylistOrder, DuplicatesKeepTheFirstAndMissingFilesGoButAddressesAndTheCurrentEntryStay)
{
    const QStringList entries = {"/a.mp3",
                                 "/gone.mp3",
                                 "/a.mp3",
                                 "",
                                 "http://host/x",
                                 "/A.mp3",
                                 "file:///gone2.mp3",
                                 "/current-gone.mp3",
                                 "/gone.mp3"};
    EXPECT_EQ(withoutDuplicates(entries), QList<int>({0, 1, 3, 4, 5, 6, 7}));
    const QSet<QString> present = {"/a.mp3", "/A.mp3"};
    QStringList asked;
    const auto exists = [&](const QString& path) {
        asked.append(path);
        return present.contains(path);
    };
    EXPECT_EQ(withoutMissing(entries, 7, exists), QList<int>({0, 2, 4, 5, 7}));
    EXPECT_TRUE(asked.contains("/gone2.mp3")) << "a file: URI is asked about by its path";
    EXPECT_FALSE(asked.contains("http://host/x"));
    EXPECT_EQ(missingPaths(entries, exists),
              QStringList({"/gone.mp3", "file:///gone2.mp3", "/current-gone.mp3"}));
}

TEST(PlaylistOrder, TheListKeepsItsCurrentEntryThroughANewOrderWithoutRaisingClickAndRefusesABadOne)
{
    ListControl list;
    int clicks = 0;
    list.Click = [&] { ++clicks; };
    list.addItems({"a", "b", "c", "d"});
    list.setListIndex(1, ListControl::Notify::No);
    QList<QList<int>> told;
    QObject::connect(&list, &ListControl::rearranged, [&](const QList<int>& order) { told.append(order); });

    list.moveItem(1, 3);
    EXPECT_EQ(list.items(), QStringList({"a", "c", "d", "b"}));
    EXPECT_EQ(list.ListIndex(), 3);
    list.rearrange({3, 2, 1, 0});
    EXPECT_EQ(list.items(), QStringList({"b", "d", "c", "a"}));
    EXPECT_EQ(list.ListIndex(), 0);
    EXPECT_EQ(told, QList<QList<int>>({{0, 2, 3, 1}, {3, 2, 1, 0}}));

    for (const QList<int>& bad : {QList<int>{0, 0}, QList<int>{4}, QList<int>{-1}}) {
        EXPECT_THROW(list.rearrange(bad), Failure);
        EXPECT_EQ(list.items(), QStringList({"b", "d", "c", "a"}));
    }
    EXPECT_THROW(list.moveItem(0, 4), Failure);
    list.rearrange({1, 2}); // the current entry left out: nothing is selected
    EXPECT_EQ(list.items(), QStringList({"d", "c"}));
    EXPECT_EQ(list.ListIndex(), -1);
    EXPECT_EQ(clicks, 0);
}

TEST(EntryFilter, EveryWordMustMatchTitleArtistOrPathAndTypingOnOrBackGivesTheSameAsAFreshSearch)
{
    const QStringList entries = {"/music/Queen/Bohemian.mp3", "/music/abba/waterloo.mp3", "/talk/news.ogg",
                                 "/music/x.mp3"};
    QHash<QString, EntryTags> tags;
    tags["/music/x.mp3"] = {"Waterloo Sunset", "The Kinks", 1000};
    const TagLookup lookup = [&](const QString& entry) {
        const auto it = tags.constFind(entry);
        return it == tags.constEnd() ? nullptr : &*it;
    };
    EntryFilter typing(entries, lookup);
    const struct
    {
        const char* text;
        QList<int> matches;
    } steps[] = {
        {"", {0, 1, 2, 3}},        {"w", {1, 2, 3}},  {"wa", {1, 3}},           {"wat", {1, 3}},
        {"wat kinks", {3}},        {"wat kink", {3}}, {"wat", {1, 3}},          {"WATERLOO", {1, 3}},
        {"  music   QUEEN ", {0}}, {"zzz", {}},       {"mp3 music", {0, 1, 3}},
    };
    // Compared as vectors: Qt 6.4 compares two empty lists with memcmp on a null pointer, which the
    // undefined behaviour sanitizer stops at.
    const auto values = [](const QList<int>& list) { return std::vector<int>(list.begin(), list.end()); };
    for (const auto& step : steps) {
        EXPECT_EQ(values(typing.match(step.text)), values(step.matches)) << step.text;
        EntryFilter fresh(entries, lookup);
        EXPECT_EQ(values(fresh.match(step.text)), values(step.matches)) << step.text;
    }
}

} // namespace
