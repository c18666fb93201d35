#pragma once

#include "core/store/Recordset.h"

namespace trays {

// Writes a view's current record into the trays' boxes: the word into the word tray's Text1, the meaning into the
// meaning tray's Text2, whether the trays are out or not.
void ShowRecordInTrays(core::Recordset& view);

} // namespace trays
