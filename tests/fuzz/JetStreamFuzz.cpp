// The program's end of the Access reader's stream, the trust boundary between the two processes: whatever bytes a
// reader sends, for whatever file size it claims to read, the program gets the table or a StreamError, never a crash,
// an allocation beyond what the file can hold, or a loop. The first eight bytes are the file's size.
#include "store/jet/JetStream.h"

#include <cstdint>
#include <cstring>

namespace {

class Bytes final : public store::jetstream::ByteSource {
public:
    Bytes(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    bool read(void* into, std::size_t size) override {
        if (size > m_size - m_at) {
            return false;
        }
        std::memcpy(into, m_data + m_at, size);
        m_at += size;
        return true;
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_at = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < sizeof(std::uint64_t)) {
        return 0;
    }
    std::uint64_t fileSize = 0;
    std::memcpy(&fileSize, data, sizeof fileSize);
    fileSize %= std::uint64_t{1} << 24; // files up to 16 MB: a stream may claim whatever it likes within them
    Bytes stream(data + sizeof fileSize, size - sizeof fileSize);
    store::jetstream::Reader reader(stream, fileSize);
    try {
        if (reader.head()) {
            while (reader.next()) {
            }
        }
    } catch (const store::jetstream::StreamError&) {
        // what a stream no sound reader writes gives
    }
    return 0;
}
