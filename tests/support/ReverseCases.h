#pragma once

#include "offers/Describe.h"

#include <string>
#include <vector>

// Descriptions and the word each describes (target TAB description), and how the ranking scores on them: the
// target's rank among the ranked words counting from 0, a hit at N when it is below N.
namespace testsupport {

struct ReverseCase {
    std::string target;
    std::string description;
};
std::vector<ReverseCase> readReverseCases(const std::string& file);

struct ReverseScore {
    std::vector<std::size_t> ranks; // 1000 for a target not among the first 1000
    std::size_t at(std::size_t n) const;
    double median() const;
};
ReverseScore scoreDescriptions(const offers::DescriptionIndex& index, const std::vector<ReverseCase>& cases);

// The words found, best first.
std::vector<std::string> wordsOf(const std::vector<offers::Described>& found);

} // namespace testsupport
