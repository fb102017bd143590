#pragma once

#include <QString>
#include <optional>

namespace zendrix {

// A picture's shape as libvlc takes it, two whole numbers: "16:9" as it stands, "2.35:1" as "47:20".
// Nothing for a text that is not two positive numbers with a colon between them (a dot for decimals,
// at most three of them), or for a shape flatter or taller than 10 to 1.
std::optional<QString> vlcAspectRatio(const QString& ratio);

} // namespace zendrix
