#include "support/MemFixture.h"

#include <cstdio>

namespace orv::test {

std::string memRecord(const std::string& code, int n, const MemValues& values) {
    char number[8];
    std::snprintf(number, sizeof number, "%03d", n);
    std::string line = code + number;
    for (int k = 0; k < 200; ++k) {
        char field[16];
        std::snprintf(field, sizeof field, "%5d", values(n, k));
        line += field;
    }
    return line;
}

std::string memFile(const std::string& code, const MemValues& values, const std::vector<int>& order) {
    std::string file = code + "200200 test mesh\r\n";
    for (int n : order) file += memRecord(code, n, values) + "\r\n";
    return file;
}

std::string memFile(const std::string& code, const MemValues& values) {
    std::vector<int> order;
    for (int n = 1; n <= 200; ++n) order.push_back(n);
    return memFile(code, values, order);
}

}  // namespace orv::test
