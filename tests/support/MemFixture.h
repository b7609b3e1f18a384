#pragma once
// Builds ".MEM" mesh files for tests: a header line, then records of a mesh code, a 3-digit
// record number and 200 five-character fields in 0.1 m.
#include <functional>
#include <string>
#include <vector>

namespace orv::test {

// Tenths of a metre at record n (1..200), field k (0..199).
using MemValues = std::function<int(int n, int k)>;

// One record line (without line end).
std::string memRecord(const std::string& code, int n, const MemValues& values);

// A whole file with the given records, in the given order, CR LF after each line.
std::string memFile(const std::string& code, const MemValues& values, const std::vector<int>& order);

// Records 1..200 in ascending order.
std::string memFile(const std::string& code, const MemValues& values);

}  // namespace orv::test
