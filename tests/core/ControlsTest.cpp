#include "core/Controls.h"
#include "core/Failure.h"
#include "core/ListControl.h"

#include <gtest/gtest.h>

using namespace zendrix;

TEST(ScrollBarControl, ChangeRunsForEveryNewValueWhoeverSetsIt)
{
    ScrollBarControl bar(100);
    std::vector<int> seen;
    bar.Change = [&] { seen.push_back(bar.Value()); };
    bar.setValue(5);
    bar.setValue(5);  // unchanged: no change handling
    bar.setMax(3);    // the value drops to the new maximum
    bar.setMax(50);
    EXPECT_EQ(seen, (std::vector<int>{5, 3}));
    EXPECT_THROW(bar.setValue(51), Failure);
    EXPECT_THROW(bar.setValue(-1), Failure);
    EXPECT_THROW(bar.setMax(40000), Failure);
    EXPECT_EQ(bar.Value(), 3);
    EXPECT_EQ(bar.Max(), 50);
}

TEST(ListControl, SelectionRaisesClickOnlyWhenAskedAndRemovalClearsIt)
{
    ListControl list;
    int clicks = 0;
    list.Click = [&] { ++clicks; };
    list.AddItem("a");
    list.AddItem("a");
    list.AddItem("c");
    list.setListIndex(1);
    list.setListIndex(2, ListControl::Notify::No);
    list.setListIndex(2);  // no change, no click
    EXPECT_EQ(clicks, 1);
    EXPECT_THROW(list.setListIndex(3), Failure);
    EXPECT_THROW((void)list.List(3), Failure);
    // Whoever hears of the removal finds the list whole: the selection no longer names the last entry,
    // which has gone.
    int selectedWhenTold = 99;
    QObject::connect(&list, &ListControl::removed, [&] { selectedWhenTold = list.ListIndex(); });
    list.RemoveItem(2);
    EXPECT_EQ(selectedWhenTold, -1);
    EXPECT_EQ(list.ListIndex(), -1);
    EXPECT_EQ(list.ListCount(), 2);
    EXPECT_THROW(list.RemoveItem(-1), Failure);
}
