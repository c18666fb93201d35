// Words from their meaning: a floor under the quality on the bundled dictionary, hits counted over a fixed sample of
// the development sets (nothing timed), so that a ranking change that loses quality fails.
#include "offers/OfferData.h"
#include "tests/support/ReverseCases.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace offers;

TEST(DescribeQuality, TheBundledDictionaryFindsDescribedWords) {
    const DescriptionIndex index = readDescriptions(LEXORANT_DICTIONARY, "Table3");
    if (index.senses() < 100000) {
        GTEST_SKIP() << "the dictionary was built from the small word list, not WordNet";
    }
    auto gcide = testsupport::readReverseCases(LEXORANT_TEST_DATA_DIR "/reverse/gcide_dev.tsv");
    gcide.resize(std::min<std::size_t>(gcide.size(), 100));
    const auto everyday = testsupport::readReverseCases(LEXORANT_TEST_DATA_DIR "/reverse/desc60.tsv");
    const auto definitions = testsupport::scoreDescriptions(index, gcide);
    const auto descriptions = testsupport::scoreDescriptions(index, everyday);
    // Today: 27 / 56 / 76 of the first 100 definitions at 1 / 10 / 100, and 18 / 39 / 48 of the 60 descriptions.
    EXPECT_GE(definitions.at(1), 23U);
    EXPECT_GE(definitions.at(10), 52U);
    EXPECT_GE(definitions.at(100), 73U);
    EXPECT_GE(descriptions.at(1), 15U);
    EXPECT_GE(descriptions.at(10), 35U);
    EXPECT_GE(descriptions.at(100), 45U);
}
