// libFuzzer target: any find text gives a criterion or the syntax error, never a crash; what parses reads back the
// same when it is written out again, and letter case folds to a fixed point.
#include "platform/headless/RuntimeError.h"
#include "store/Criterion.h"
#include "store/Folding.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string folded = store::foldCase(text);
    if (store::foldCase(folded) != folded) {
        std::abort();
    }
    try {
        const store::Criterion c = store::parseCriterion(text);
        std::string again = "[" + c.column + "] = '";
        for (char ch : c.literal) {
            again += ch;
            if (ch == '\'') {
                again += '\'';
            }
        }
        again += "'";
        const store::Criterion back = store::parseCriterion(again);
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
