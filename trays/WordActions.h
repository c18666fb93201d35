#pragma once

class QMenu;
class QString;

namespace trays {

// What a reader can do with the word shown, from the context menus of the word and meaning boxes and of the main
// window, and from the keyboard anywhere in the program.

// The word the word tray shows (empty before the first is shown).
QString ShownWord();

// "Say “word”", greyed with the reason when nothing can be said here (no sound device, no speech service).
void addWordActions(QMenu& menu);

// Ctrl+P: says the word shown, when it can be said.
void SayShownWord();

} // namespace trays
