#include "platform/speech/Speech.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QProcess>
#include <QStandardPaths>
#include <QTextToSpeech>
#include <QThread>
#include <cstdlib>
#include <utility>

namespace platform::speech {

namespace {

const QString SpeechDispatcher = QStringLiteral("speechd");

// A sound server of the session (PipeWire or PulseAudio), or a sound card's playback device.
bool hasSoundDevice() {
    if (!qEnvironmentVariableIsEmpty("PULSE_SERVER")) {
        return true;
    }
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && (QFileInfo::exists(runtime + QStringLiteral("/pulse/native")) ||
                               QFileInfo::exists(runtime + QStringLiteral("/pipewire-0")))) {
        return true;
    }
    return !QDir(QStringLiteral("/dev/snd")).entryList({QStringLiteral("pcmC*D*p")}, QDir::System).isEmpty();
}

QString& outputFile() {
    static QString file;
    return file;
}

std::function<bool()>& soundDeviceCheck() {
    static std::function<bool()> check = hasSoundDevice;
    return check;
}

QString espeakProgram() {
    return QStandardPaths::findExecutable(QStringLiteral("espeak-ng"));
}

bool hasSpeechDispatcher() {
    return QTextToSpeech::availableEngines().contains(SpeechDispatcher);
}

// The speech service's end of the program: lives on a thread of its own, so that reaching the service (which may
// first have to start) never holds the window.
class Speaker : public QObject {
public:
    void say(const QString& text) {
        if (!outputFile().isEmpty()) {
            QProcess::startDetached(espeakProgram(), espeakArguments(text, outputFile()));
            return;
        }
        if (!m_failed && m_speech == nullptr && hasSpeechDispatcher()) {
            m_speech = new QTextToSpeech(SpeechDispatcher, this);
        }
        if (m_speech != nullptr && m_speech->state() != QTextToSpeech::Error) {
            m_speech->say(text);
            return;
        }
        m_failed = true; // the service is not there after all: espeak-ng from now on
        QProcess::startDetached(espeakProgram(), espeakArguments(text));
    }

private:
    QTextToSpeech* m_speech = nullptr;
    bool m_failed = false;
};

Speaker& speaker() {
    static Speaker* speaker = [] {
        auto* thread = new QThread;
        thread->setObjectName(QStringLiteral("speech"));
        auto* s = new Speaker;
        s->moveToThread(thread);
        QObject::connect(thread, &QThread::finished, s, &QObject::deleteLater);
        thread->start();
        // The thread ends with the program's event loop, its speaker with it.
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, qApp, [thread] {
            thread->quit();
            thread->wait();
            delete thread;
        });
        return s;
    }();
    return *speaker;
}

} // namespace

QString unavailableReason() {
    if (outputFile().isEmpty() && !soundDeviceCheck()()) {
        return QStringLiteral("no sound device");
    }
    if (!hasSpeechDispatcher() && espeakProgram().isEmpty()) {
        return QStringLiteral("no speech service");
    }
    return {};
}

void say(const QString& text) {
    if (text.trimmed().isEmpty() || !unavailableReason().isEmpty()) {
        return;
    }
    Speaker& s = speaker();
    QMetaObject::invokeMethod(
        &s, [&s, text] { s.say(text); }, Qt::QueuedConnection);
}

QStringList espeakArguments(const QString& text, const QString& toFile) {
    QStringList arguments{QStringLiteral("-v"), QStringLiteral("en-us")};
    if (!toFile.isEmpty()) {
        arguments << QStringLiteral("-w") << toFile;
    }
    return arguments << QStringLiteral("--") << text;
}

void setSoundDeviceCheck(std::function<bool()> check) {
    soundDeviceCheck() = check ? std::move(check) : std::function<bool()>(hasSoundDevice);
}

void setOutputFile(const QString& wav) {
    outputFile() = wav;
}

} // namespace platform::speech
