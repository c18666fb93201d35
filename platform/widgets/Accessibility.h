#pragma once

namespace platform {

// Lets assistive tools press the picture and label controls that act on a click: a picture with a click handler
// is a push button, a label with one a link, and each offers the press action, which does what a click does. Their
// name is what they show (a label's text), or the name given them where they show no text. The application object
// installs it; installing it again changes nothing.
void installControlAccessibility();

} // namespace platform
