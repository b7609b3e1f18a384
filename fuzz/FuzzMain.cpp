// One libFuzzer program: the target named by ORVANE_FUZZ_TARGET. A check that fails aborts, so
// the fuzzer keeps the input that made it fail.
#include "FuzzTargets.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const orv::fuzz::Target* const target = orv::fuzz::findTarget(ORVANE_FUZZ_TARGET);
    if (target == nullptr) {
        std::fprintf(stderr, "no fuzz target named %s\n", ORVANE_FUZZ_TARGET);
        std::abort();
    }
    orv::fuzz::Checks checks;
    target->run(std::string_view(reinterpret_cast<const char*>(data), size), checks);
    if (!checks.ok()) {
        std::fprintf(stderr, "%s: %s\n", ORVANE_FUZZ_TARGET, checks.failure().c_str());
        std::abort();
    }
    return 0;
}
