#pragma once
// Table slots: the fixed tables are std::arrays indexed by the 1-based numbers the program
// counts in (int); slot() turns such a number into the array index.
#include <cstddef>

namespace orv {

constexpr size_t slot(int index) { return static_cast<size_t>(index); }

}  // namespace orv
