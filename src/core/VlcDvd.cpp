#include "VlcDvd.h"

namespace zendrix {

std::optional<DvdAction> dvdActionFor(DvdCommand command, const DvdPlace& place)
{
    if (!place.loaded || !place.running || place.title < 0)
        return std::nullopt;
    switch (command) {
    case DvdCommand::TitleMenu:
        if (place.inTitleMenu())
            return std::nullopt;
        return DvdAction::ShowTitleMenu;
    case DvdCommand::TopMenu:
        if (place.inRootMenu())
            return std::nullopt;
        return DvdAction::ShowRootMenu;
    case DvdCommand::Resume:
        if (!place.inMenu() || !place.canResume)
            return std::nullopt;
        return DvdAction::Resume;
    case DvdCommand::Back:
        if (!place.inMenu())
            return DvdAction::ShowRootMenu;
        if (place.inTitleMenu())
            return std::nullopt;
        return DvdAction::ShowTitleMenu;
    }
    return std::nullopt;
}

bool dvdItemAvailable(const QString& item, const DvdPlace& place)
{
    if (item == QLatin1String("dvd"))
        return place.loaded;
    if (item == QLatin1String("back"))
        return dvdActionFor(DvdCommand::Back, place).has_value();
    if (item == QLatin1String("resume"))
        return dvdActionFor(DvdCommand::Resume, place).has_value();
    if (item == QLatin1String("titleMenu"))
        return dvdActionFor(DvdCommand::TitleMenu, place).has_value();
    if (item == QLatin1String("topMenu"))
        return dvdActionFor(DvdCommand::TopMenu, place).has_value();
    return false;
}

DvdPlace dvdTitleChanged(DvdPlace place, int title)
{
    if (title == 0 && place.title > 0)
        place.canResume = true;
    else if (title > 0)
        place.canResume = false;
    // The chapter stays: libvlc reports a chapter only when its number changes.
    place.title = title;
    return place;
}

} // namespace zendrix
