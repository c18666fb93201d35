#pragma once

#include "platform/headless/MessageBox.h"

namespace platform {

// The real message box: a modal dialog with the text, the title, the icon of the style and an OK button.
int showMessageDialog(const MessageBoxCall& call);

} // namespace platform
