#include "support/UnknownTools.h"

#include <gtest/gtest.h>

namespace orv::test {

void failOnUnknownTools() {
    setUnknownToolHandler([](std::string_view where, std::string_view toolId) {
        ADD_FAILURE() << where << ": unknown tool id \"" << toolId << "\"";
    });
}

UnknownToolCatcher::UnknownToolCatcher() {
    previous_ = setUnknownToolHandler([this](std::string_view where, std::string_view toolId) {
        reports_.push_back(std::string(where) + ": " + std::string(toolId));
    });
}

UnknownToolCatcher::~UnknownToolCatcher() { setUnknownToolHandler(previous_); }

}  // namespace orv::test
