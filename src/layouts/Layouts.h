#pragma once

namespace zendrix::layouts {
}  // namespace zendrix::layouts
