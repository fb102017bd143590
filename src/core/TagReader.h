#pragma once

#include "EntryTags.h"

#include <QString>
#include <memory>
#include <optional>

namespace zendrix {

// Reads a local media file's tags and length for the playlist. Called on background threads, by several
// at once; a call may take as long as the file takes to parse, never much longer than a few seconds.
class TagReader
{
public:
    virtual ~TagReader() = default;
    // The file's tags, with an empty title where it has none; nothing when it cannot be parsed.
    virtual std::optional<EntryTags> read(const QString& path) = 0;
};

// The media library's own parser, on the file alone (nothing from the network). Its libvlc instance is
// made at the first read, on the reading thread, so the player pays for it only once titles or lengths
// are asked for.
std::unique_ptr<TagReader> makeVlcTagReader();

} // namespace zendrix
