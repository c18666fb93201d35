#include "core/store/PrefixIndex.h"

#include <gtest/gtest.h>

using core::PrefixIndex;

namespace {

// Words in the store's order (their keys), not sorted.
PrefixIndex storeOf(const std::vector<std::string>& words) {
    PrefixIndex index;
    for (std::size_t i = 0; i < words.size(); ++i) {
        index.add(static_cast<std::int64_t>(i), words[i]);
    }
    index.build();
    return index;
}

struct PrefixCase {
    const char* name;
    std::string typed;
    std::vector<std::string> expected;
};

class Prefixes : public ::testing::TestWithParam<PrefixCase> {};

} // namespace

TEST_P(Prefixes, SuggestWordsBeginningWithTheTextInTheStoresOrder) {
    std::vector<std::string> words{"zeal", "abate", "Abbey", "\xC3\x89mile", "emit", "abacus", "o'clock"};
    for (int i = 0; i < 12; ++i) {
        words.push_back("many" + std::to_string(i));
    }
    EXPECT_EQ(storeOf(words).wordsBeginningWith(GetParam().typed, 10), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(PrefixIndex, Prefixes,
                         ::testing::Values(PrefixCase{"EmptyText", "", {}},
                                           PrefixCase{"LongerThanAnyWord", "abacuses", {}},
                                           PrefixCase{"IgnoringLetterCase", "AB", {"abate", "Abbey", "abacus"}},
                                           PrefixCase{"WholeWord", "abate", {"abate"}},
                                           PrefixCase{"LettersOutsideAscii", "\xC3\x89M", {"\xC3\x89mile"}},
                                           PrefixCase{"FoldedLikeTheFind", "\xC3\xA9m", {"\xC3\x89mile"}},
                                           PrefixCase{"Apostrophe", "o'", {"o'clock"}},
                                           PrefixCase{"MoreThanTenMatchesGiveTheFirstTen",
                                                      "many",
                                                      {"many0", "many1", "many2", "many3", "many4", "many5", "many6",
                                                       "many7", "many8", "many9"}},
                                           PrefixCase{"Nothing", "q", {}}),
                         [](const auto& param) { return std::string(param.param.name); });
