#pragma once

#include <QString>

namespace zendrix {

// Where the player starts its items, and what becomes of the place an item is left at: the player asks
// as each item is given to the engine and tells as it leaves one. Without one, every item starts at its
// beginning.
class StartPlaces
{
public:
    virtual ~StartPlaces() = default;
    // The item at `url` has just been given to the engine, not yet started: where it starts, in seconds
    // (0: its beginning).
    virtual double startOf(const QString& url) = 0;
    // The item loaded is about to be paused, stopped or replaced: the place it stands at may be kept.
    virtual void leaving() = 0;
    // The item loaded has played to its end.
    virtual void ended() = 0;
};

} // namespace zendrix
