#pragma once

#include "offers/Describe.h"
#include "offers/OfferIndex.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace offers {

// Reads what the offers are made from out of the word database, through a connection (or an Access reader) of its
// own, so that it may run on a thread of its own: the first column of `table`, then an SQLite file's BaseForms
// (Form, Base) and WordUse (Word, Count) tables where it has them. A table the offers cannot use, or a value that is no
// text (or no number for a count), is passed over; a base that is no word of the table is left out. Never raises: what
// could not be read is simply not there.
OfferData readOfferData(const std::string& path, const std::string& table);

// The words of the database's word-use table (WordUse: Word, Count), the most used first, ties in the table's order;
// empty when it has none. Never raises.
std::vector<std::string> wordsMostUsedFirst(const std::string& path);

// Every word of `table` (its first two columns: the word and its meaning) in an index of their senses, for finding
// words from their meaning, ranked with the word-use table where the file has one, and with the words made one from
// the other where it has a Derivations table (Word, Related). Never raises.
// Given a description, the index is for that description alone (see DescriptionIndex::keepOnlyTermsOf).
DescriptionIndex readDescriptions(const std::string& path, const std::string& table,
                                  std::optional<std::string_view> onlyFor = std::nullopt);

} // namespace offers
