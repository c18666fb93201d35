#pragma once

#include <string>
#include <string_view>

namespace store {

// A find criterion of the form  Column = 'literal'  with apostrophes doubled inside the literal.
struct Criterion {
    std::string column;
    std::string literal;
};

// The criterion that finds the text in a column: "Name = 'o''clock'" for o'clock. Parsing it gives the text back.
std::string criterionFor(std::string_view column, std::string_view text);

// Parses a criterion strictly; anything else raises runtime error 3077 naming the expression.
Criterion parseCriterion(std::string_view text);

} // namespace store
