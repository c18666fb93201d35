// libFuzzer target: any text typed or pasted as a description is read and ranked, never a crash; the words it asks
// for are a part of it as it stands, and the ranking answers no more words than asked.
#include "offers/Describe.h"
#include "offers/DescriptionText.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

const offers::DescriptionIndex& smallIndex() {
    static const offers::DescriptionIndex index = [] {
        offers::DescriptionIndex built;
        built.add("acrophobia", "(noun) abnormal fear of being in a high place");
        built.add("grateful", "1. (adjective) feeling or showing gratitude. Opposite: ungrateful.");
        built.add("ungrateful", "(adjective) not feeling or showing gratitude");
        built.add("evaporate", "(verb) change into a vapor\r\n(verb) lose liquid");
        built.add("colour", "(noun) a visual attribute of things. Synonyms: color.");
        built.finish({});
        return built;
    }();
    return index;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const offers::Asked asked = offers::whatIsAsked(text);
    if (!asked.text.empty()) {
        // A part of the text as it stands, after "not " where it asks for an opposite, and never all of it.
        const std::string_view rest = std::string_view(asked.text).substr(asked.text.starts_with("not ") ? 4 : 0);
        if (rest.empty() || rest.size() >= text.size() || text.find(rest) == std::string_view::npos) {
            std::abort();
        }
    }
    for (const std::string& term : offers::descriptionTerms(text)) {
        if (term.empty()) {
            std::abort(); // a word of marks alone folds to nothing, and is no term
        }
    }
    (void)offers::negatedWords(text);
    (void)offers::partOfSpeechOf(text);
    const std::vector<offers::Described> found = smallIndex().wordsFor(text, 3);
    if (found.size() > 3) {
        std::abort();
    }
    return 0;
}
