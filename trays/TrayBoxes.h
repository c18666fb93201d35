#pragma once

#include "store/Recordset.h"

namespace trays {

// Writes a view's current record into the trays' boxes: the word into the word tray's Text1, the meaning into the
// meaning tray's Text2, whether the trays are out or not.
void ShowRecordInTrays(store::Recordset& view);

// Builds the controls of every tray that has loaded, in the order they load (word, meaning, find).
void BuildLoadedTrays();

} // namespace trays
