#pragma once
// The text of a 50 m mesh file (".MEM") in the layout the loader reads: a header line, then records
// 001..200 from the north, each the mesh code, the record number in characters 7-9 and 200
// fields of five characters in 0.1 m ("-9999" = no data), every line ended by CR LF.
#include <string>
#include <string_view>
#include <vector>

namespace orv::terrain {

// heights: 200 × 200 metres, record 1 first; NaN is no data. note: ASCII text for the header.
std::string formatMemFile(std::string_view code, const std::vector<float>& heights, std::string_view note);

// The field of one height: 0.1 m rounded half to even, kept inside the field; "-9999" for NaN.
std::string memField(float metres);

}  // namespace orv::terrain
