// The DVD commands' availability and meaning, place by place, without libvlc.
#include "core/VlcDvd.h"

#include <gtest/gtest.h>

using namespace zendrix;

namespace {

DvdPlace at(int title, int chapter, bool canResume = false, bool running = true, bool loaded = true)
{
    return DvdPlace{loaded, running, title, chapter, canResume};
}

TEST(EngineDvdRules, EachCommandIsAvailableAndActsOnlyWhereItMovesTheDisc)
{
    using A = std::optional<DvdAction>;
    const A none, root = DvdAction::ShowRootMenu, title = DvdAction::ShowTitleMenu,
                  resume = DvdAction::Resume;
    const struct
    {
        const char* where;
        DvdPlace place;
        A back, resume, titleMenu, topMenu;
    } cases[] = {
        {"in a title", at(1, 0), root, none, title, root},
        {"title menu at start", at(0, 1), none, none, none, root},
        {"title menu left from a title", at(0, 1, true), none, resume, none, root},
        {"root menu left from a title", at(0, 2, true), title, resume, title, none},
        {"a chapter menu", at(0, 5), title, none, title, root},
        {"title not known yet", at(-1, -1), none, none, none, none},
        {"stopped", at(1, 0, true, false), none, none, none, none},
        {"not a disc", at(1, 0, true, true, false), none, none, none, none},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.where);
        const std::pair<DvdCommand, const char*> commands[] = {{DvdCommand::Back, "back"},
                                                               {DvdCommand::Resume, "resume"},
                                                               {DvdCommand::TitleMenu, "titleMenu"},
                                                               {DvdCommand::TopMenu, "topMenu"}};
        const A expected[] = {c.back, c.resume, c.titleMenu, c.topMenu};
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(dvdActionFor(commands[i].first, c.place), expected[i]) << commands[i].second;
            EXPECT_EQ(dvdItemAvailable(commands[i].second, c.place), expected[i].has_value())
                << commands[i].second;
        }
        EXPECT_EQ(dvdItemAvailable("dvd", c.place), c.place.loaded);
        EXPECT_FALSE(dvdItemAvailable("menu", c.place));
    }
}

} // namespace
