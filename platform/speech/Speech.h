#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// Saying a word aloud: through the desktop's speech service (speech-dispatcher, as Qt's text-to-speech module uses
// it, with the voice the user chose there) where there is one, else through espeak-ng. Saying never blocks the
// caller: the service is reached on a thread of its own, espeak-ng runs as a program of its own.
namespace platform::speech {

// Why nothing can be said here ("no sound device", "no speech service"), or empty when a word can be said.
QString unavailableReason();

// Says the text, when it can be said; does nothing otherwise.
void say(const QString& text);

// The espeak-ng command that says a text with the American English voice, or writes the sound to a file instead
// (a WAV file) when one is given. The text can never be taken for an option.
QStringList espeakArguments(const QString& text, const QString& toFile = {});

// Whether the machine has a sound device or sound server; a test replaces the answer (nullptr restores it).
void setSoundDeviceCheck(std::function<bool()> check);

// Says into a WAV file instead, through espeak-ng, for measuring how soon the sound starts (empty: the sound device).
void setOutputFile(const QString& wav);

} // namespace platform::speech
