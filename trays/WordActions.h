#pragma once

#include <functional>

class QMenu;
class QString;

namespace trays {

// What a reader can do with the word shown, from the context menus of the word and meaning boxes and of the main
// window, and from the keyboard anywhere in the program.

// The word of the dictionary the word tray shows (empty before the first is shown: the box's own text then is
// none); set wherever a word is put there.
QString ShownWord();
void SetShownWord(const QString& word);

// A text for a menu item, its "&" shown as it is rather than taken for a key ("AT&T").
QString AsMenuText(QString text);

// "Add “word” to my words" (or "Remove “word” from my words" when it is kept), and "Say “word”", greyed with the
// reason when nothing can be said here (no sound device, no speech service).
void addWordActions(QMenu& menu);

// Ctrl+D: keeps the word shown, or lets it go when it is kept.
void KeepShownWord();
// Told when a word was kept or let go (the main window's set of words to browse follows).
extern std::function<void()> KeptWordsChanged;

// Ctrl+P: says the word shown, when it can be said.
void SayShownWord();

} // namespace trays
