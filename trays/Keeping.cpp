#include "trays/Keeping.h"

#include "core/module/modSlider.h"
#include "platform/headless/MessageBox.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace trays {

namespace {

std::int64_t now() {
    return QDateTime::currentSecsSinceEpoch();
}

QStringList words(const std::vector<keep::KeptWord>& kept) {
    QStringList out;
    for (const keep::KeptWord& k : kept) {
        out << QString::fromStdString(k.word);
    }
    return out;
}

} // namespace

Keeping& Keeping::shared() {
    static Keeping keeping;
    return keeping;
}

QString Keeping::fileName() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/lexorant/mywords.sqlite");
}

// The words of each word database are kept apart: the database is known by its full path.
std::string Keeping::database() const {
    const QString path = modSlider::AppDir + QStringLiteral("db2.mdb");
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return (canonical.isEmpty() ? path : canonical).toStdString();
}

void Keeping::say(const QString& message) {
    platform::MsgBox(message, platform::vbOKOnly | platform::vbExclamation, QStringLiteral("Lexorant"));
}

void Keeping::open() {
    if (std::exchange(m_opened, true)) {
        return;
    }
    const QString file = fileName();
    QDir().mkpath(QFileInfo(file).path());
    // One Lexorant writes at a time: the one that holds the lock beside the file (let go when it ends, however).
    m_lock = ::open(QFile::encodeName(file + QStringLiteral(".lock")).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    const bool writer = m_lock >= 0 && ::flock(m_lock, LOCK_EX | LOCK_NB) == 0;
    for (int attempt = 0; attempt < 2; ++attempt) {
        try {
            m_words = std::make_unique<keep::MyWords>(file.toStdString(), !writer);
            if (!writer && m_lock >= 0) {
                say(QStringLiteral("Another Lexorant is keeping your words in %1: this one shows them but keeps "
                                   "nothing new.")
                        .arg(file));
            } else if (!writer) {
                say(QStringLiteral("Your words cannot be kept: %1 cannot be written. Lexorant goes on without "
                                   "saving.")
                        .arg(file));
            }
            return;
        } catch (const keep::Failure& failure) {
            if (failure.kind() != keep::Failure::Kind::Damaged || !writer || attempt > 0) {
                say(QString::fromStdString(failure.what()) + QStringLiteral(" Lexorant goes on without saving."));
                m_words.reset();
                return;
            }
            const auto aside =
                keep::moveAside(file.toStdString(), QDate::currentDate().toString(Qt::ISODate).toStdString());
            say(QString::fromStdString(failure.what()) +
                QStringLiteral(" It was moved aside to %1, and a new one started.").arg(QString::fromStdString(aside)));
        }
    }
}

template <typename Write> void Keeping::write(Write&& write) {
    open();
    if (!saving()) {
        return;
    }
    try {
        write(*m_words);
    } catch (const keep::Failure& failure) {
        m_saving = false; // said once; nothing more is written this run
        say(QString::fromStdString(failure.what()) + QStringLiteral(" Lexorant goes on without saving."));
    }
}

bool Keeping::isKept(const QString& word) const {
    return m_words != nullptr && m_words->isKept(database(), word.toStdString());
}

bool Keeping::toggle(const QString& word) {
    const bool kept = isKept(word);
    write([&](keep::MyWords& w) {
        if (kept) {
            w.forget(database(), word.toStdString());
        } else {
            w.keepWord(database(), word.toStdString(), now());
        }
    });
    return isKept(word);
}

void Keeping::visit(const QString& word) {
    write([&](keep::MyWords& w) { w.visit(database(), word.toStdString(), now()); });
}

void Keeping::answer(const QString& word, bool knewIt) {
    write([&](keep::MyWords& w) { w.answer(database(), word.toStdString(), knewIt, now()); });
}

QStringList Keeping::kept() const {
    return words(keptCards());
}

std::vector<keep::KeptWord> Keeping::keptCards() const {
    return m_words != nullptr ? m_words->kept(database()) : std::vector<keep::KeptWord>{};
}

QStringList Keeping::due() const {
    return m_words != nullptr ? words(m_words->due(database(), now())) : QStringList();
}

QStringList Keeping::history(int limit) const {
    QStringList out;
    if (m_words != nullptr) {
        for (const std::string& w : m_words->history(database(), limit)) {
            out << QString::fromStdString(w);
        }
    }
    return out;
}

} // namespace trays
