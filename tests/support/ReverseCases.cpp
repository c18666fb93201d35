#include "tests/support/ReverseCases.h"

#include <algorithm>
#include <fstream>

namespace testsupport {

std::vector<ReverseCase> readReverseCases(const std::string& file) {
    std::vector<ReverseCase> cases;
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);) {
        const std::size_t tab = line.find('\t');
        if (tab != std::string::npos) {
            cases.push_back({line.substr(0, tab), line.substr(tab + 1)});
        }
    }
    return cases;
}

std::size_t ReverseScore::at(std::size_t n) const {
    return static_cast<std::size_t>(std::count_if(ranks.begin(), ranks.end(), [n](std::size_t r) { return r < n; }));
}

double ReverseScore::median() const {
    if (ranks.empty()) {
        return 0;
    }
    std::vector<std::size_t> sorted = ranks;
    std::sort(sorted.begin(), sorted.end());
    const std::size_t mid = sorted.size() / 2;
    return sorted.size() % 2 == 1 ? static_cast<double>(sorted[mid])
                                  : (static_cast<double>(sorted[mid - 1]) + static_cast<double>(sorted[mid])) / 2;
}

ReverseScore scoreDescriptions(const offers::DescriptionIndex& index, const std::vector<ReverseCase>& cases) {
    constexpr std::size_t Deepest = 1000;
    ReverseScore score;
    for (const ReverseCase& c : cases) {
        const auto ranked = index.wordsFor(c.description, Deepest);
        std::size_t rank = Deepest;
        for (std::size_t i = 0; i < ranked.size(); ++i) {
            if (ranked[i].word == c.target) {
                rank = i;
                break;
            }
        }
        score.ranks.push_back(rank);
    }
    return score;
}

std::vector<std::string> wordsOf(const std::vector<offers::Described>& found) {
    std::vector<std::string> words;
    words.reserve(found.size());
    for (const offers::Described& d : found) {
        words.push_back(d.word);
    }
    return words;
}

} // namespace testsupport
