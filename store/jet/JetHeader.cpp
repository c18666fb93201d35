#include "store/jet/JetHeader.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <string>

namespace store {

namespace {

// The part of the header page after its first 24 bytes is scrambled with RC4 under a key every Jet file shares.
constexpr std::size_t ScrambledStart = 0x18;
constexpr std::array<std::uint8_t, 4> HeaderKey{0xC7, 0xDA, 0x39, 0x6B};

// Offsets in the unscrambled header.
constexpr std::size_t VersionAt = 0x14;
constexpr std::size_t DatabaseKeyAt = 0x3E;
constexpr std::size_t PasswordAt = 0x42;
constexpr std::size_t CreatedAt = 0x72; // Jet 4: the creation date, which also masks the password

std::string rc4(std::string_view data, const std::array<std::uint8_t, 4>& key) {
    std::array<std::uint8_t, 256> s{};
    for (std::size_t i = 0; i < s.size(); ++i) {
        s[i] = static_cast<std::uint8_t>(i);
    }
    std::uint8_t j = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        j = static_cast<std::uint8_t>(j + s[i] + key[i % key.size()]);
        std::swap(s[i], s[j]);
    }
    std::string out(data);
    std::uint8_t a = 0;
    std::uint8_t b = 0;
    for (char& c : out) {
        a = static_cast<std::uint8_t>(a + 1);
        b = static_cast<std::uint8_t>(b + s[a]);
        std::swap(s[a], s[b]);
        c = static_cast<char>(static_cast<std::uint8_t>(c) ^ s[static_cast<std::uint8_t>(s[a] + s[b])]);
    }
    return out;
}

std::uint32_t le32(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value |= static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes[at + i])) << (8 * i);
    }
    return value;
}

} // namespace

std::optional<JetHeader> readJetHeader(std::string_view start) {
    if (start.size() < JetHeaderSize) {
        return std::nullopt;
    }
    JetHeader header;
    const std::uint32_t version = le32(std::string(start.substr(VersionAt, 4)), 0);
    if (version > 1) {
        return std::nullopt;
    }
    header.version = static_cast<int>(version);
    const std::size_t scrambled = header.version == 0 ? 126 : 128;
    std::string page(start.substr(0, JetHeaderSize));
    page.replace(ScrambledStart, scrambled, rc4(start.substr(ScrambledStart, scrambled), HeaderKey));

    header.encoded = le32(page, DatabaseKeyAt) != 0;

    // An empty password is stored as zeros; Jet 4 stores each byte masked by the creation date's whole days.
    const std::size_t passwordSize = header.version == 0 ? 20 : 40;
    std::array<std::uint8_t, 4> mask{};
    if (header.version == 1) {
        double created = 0;
        std::memcpy(&created, page.data() + CreatedAt, sizeof created);
        // A damaged date masks nothing: its bytes would be read as a password no one set.
        if (created > -2147483648.0 && created < 2147483648.0) {
            const auto days = static_cast<std::uint32_t>(static_cast<std::int32_t>(created));
            for (std::size_t i = 0; i < mask.size(); ++i) {
                mask[i] = static_cast<std::uint8_t>(days >> (8 * i));
            }
        }
    }
    for (std::size_t i = 0; i < passwordSize; ++i) {
        if ((static_cast<std::uint8_t>(page[PasswordAt + i]) ^ mask[i % mask.size()]) != 0) {
            header.hasPassword = true;
        }
    }
    return header;
}

} // namespace store
