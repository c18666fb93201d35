#include "trays/OfferSupply.h"

#include <malloc.h>
#include <utility>

namespace trays {

OfferSupply::OfferSupply(QObject* parent, std::function<void()> whenReady)
    : QObject(parent), m_whenReady(std::move(whenReady)) {}

OfferSupply::~OfferSupply() {
    if (m_thread != nullptr) {
        m_thread->wait();
        delete m_thread;
    }
}

void OfferSupply::start(Reader read) {
    if (m_thread != nullptr) {
        return;
    }
    m_thread = QThread::create([this, read = std::move(read)] {
        try {
            m_index = std::make_unique<offers::OfferIndex>(read());
            malloc_trim(0); // what reading and sorting took goes back to the system
        } catch (const std::exception&) {
            // No offers (out of memory, say): the find works as ever without them.
            m_index.reset();
        }
    });
    // Finished is delivered on this object's thread, the window's, after the builder has let go of the index.
    connect(m_thread, &QThread::finished, this, [this] {
        m_ready = m_index != nullptr;
        m_finished = true;
        if (m_whenReady) {
            m_whenReady();
        }
    });
    m_thread->setObjectName(QStringLiteral("offers"));
    m_thread->start(QThread::LowPriority);
}

} // namespace trays
