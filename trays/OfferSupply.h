#pragma once

#include "offers/OfferIndex.h"

#include <QObject>
#include <QThread>
#include <functional>
#include <memory>

namespace trays {

// The find box's offers, built once on a thread of their own so that the window never waits for them: started on
// first use, ready some tenths of a second later, and then answered at once. Until then there are no offers.
class OfferSupply : public QObject {
public:
    using Reader = std::function<offers::OfferData()>;

    // `whenReady` runs on the window's thread once the building has ended (with no offers if it failed).
    OfferSupply(QObject* parent, std::function<void()> whenReady);
    ~OfferSupply() override;
    OfferSupply(const OfferSupply&) = delete;
    OfferSupply& operator=(const OfferSupply&) = delete;

    // Starts building from what `read` returns (it runs on the builder's thread); later calls do nothing.
    void start(Reader read);
    bool started() const { return m_thread != nullptr; }
    bool finished() const { return m_finished; }
    // The built offers; null until they are ready.
    const offers::OfferIndex* index() const { return m_ready ? m_index.get() : nullptr; }

private:
    std::function<void()> m_whenReady;
    std::unique_ptr<offers::OfferIndex> m_index; // written by the builder, read once it has finished
    QThread* m_thread = nullptr;
    bool m_ready = false;
    bool m_finished = false;
};

} // namespace trays
