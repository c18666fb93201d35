#pragma once

#include "offers/Describe.h"
#include "offers/OfferIndex.h"

#include <QObject>
#include <QThread>
#include <functional>
#include <memory>

namespace trays {

// Something the find box offers from, built once on a thread of its own so that the window never waits for it:
// started on first use, ready some tenths of a second later, and then answered at once. Until then it is not there.
template <typename Built> class Supply : public QObject {
public:
    using Reader = std::function<Built()>;

    // `whenReady` runs on the window's thread once the building has ended (with nothing built if it failed).
    Supply(QObject* parent, std::function<void()> whenReady) : QObject(parent), m_whenReady(std::move(whenReady)) {}
    ~Supply() override {
        if (m_thread != nullptr) {
            m_thread->wait();
            delete m_thread;
        }
    }
    Supply(const Supply&) = delete;
    Supply& operator=(const Supply&) = delete;

    // Starts building from what `read` returns (it runs on the builder's thread); later calls do nothing.
    void start(Reader read) {
        if (m_thread != nullptr) {
            return;
        }
        m_thread = QThread::create([this, read = std::move(read)] { build(read); });
        // Finished is delivered on this object's thread, the window's, after the builder has let go of what it built.
        connect(m_thread, &QThread::finished, this, [this] {
            m_ready = m_built != nullptr;
            m_finished = true;
            if (m_whenReady) {
                m_whenReady();
            }
        });
        m_thread->setObjectName(QStringLiteral("offers"));
        m_thread->start(QThread::LowPriority);
    }
    bool started() const { return m_thread != nullptr; }
    bool finished() const { return m_finished; }
    // What was built; null until it is ready.
    const Built* index() const { return m_ready ? m_built.get() : nullptr; }

private:
    void build(const Reader& read);

    std::function<void()> m_whenReady;
    std::unique_ptr<Built> m_built; // written by the builder, read once it has finished
    QThread* m_thread = nullptr;
    bool m_ready = false;
    bool m_finished = false;
};

// The offers for what is typed, and the index of the meanings for descriptions.
using OfferSupply = Supply<offers::OfferIndex>;
using DescriptionSupply = Supply<offers::DescriptionIndex>;

} // namespace trays
