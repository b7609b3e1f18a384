#pragma once
// Unknown tool ids in tests: the test main makes every report a failure; a test that sends an
// unknown id on purpose catches the reports with an UnknownToolCatcher while it lives.
#include "platform/ToolId.h"

#include <string>
#include <vector>

namespace orv::test {

// Installed by the test main: each report fails the running test.
void failOnUnknownTools();

class UnknownToolCatcher {
public:
    UnknownToolCatcher();
    ~UnknownToolCatcher();
    UnknownToolCatcher(const UnknownToolCatcher&) = delete;
    UnknownToolCatcher& operator=(const UnknownToolCatcher&) = delete;

    // "where: id" of every report, in order.
    const std::vector<std::string>& reports() const { return reports_; }

private:
    std::vector<std::string> reports_;
    UnknownToolHandler previous_;
};

}  // namespace orv::test
