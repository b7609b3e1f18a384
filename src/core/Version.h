#pragma once
// The program's one version number, set by the build from the project's version.

namespace orv {

#ifndef ORVANE_VERSION
#error "ORVANE_VERSION is set by the build"
#endif
inline constexpr const char* kVersion = ORVANE_VERSION;

}  // namespace orv
