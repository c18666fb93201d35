// libFuzzer target: any find text gives a criterion or the syntax error, never a crash; what parses reads back the
// same when it is written out again, and letter case folds to a fixed point.
#include "core/store/Criterion.h"
#include "platform/headless/RuntimeError.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string folded = core::foldCase(text);
    if (core::foldCase(folded) != folded) {
        std::abort();
    }
    try {
        const core::Criterion c = core::parseCriterion(text);
        std::string again = "[" + c.column + "] = '";
        for (char ch : c.literal) {
            again += ch;
            if (ch == '\'') {
                again += '\'';
            }
        }
        again += "'";
        const core::Criterion back = core::parseCriterion(again);
        if (back.column != c.column || back.literal != c.literal) {
            std::abort();
        }
    } catch (const platform::RuntimeError& error) {
        if (error.number() != platform::err::SyntaxInCriterion) {
            std::abort();
        }
    }
    return 0;
}
