// libFuzzer target: the reader side of an Access file, run in this process rather than in a reader process of its
// own, so that each input costs no process. It finds the files on which libmdb itself crashes, reads outside its
// buffers or loops. The program would survive them, its reader being a process of its own, but each kind found gets a
// check in the reader that turns such a file away before libmdb goes wrong, and a file of it goes into
// tests/data/jet/damaged/, which a unit test reads in-process and the program's way.
//
// The test suite gives it a short run. A long campaign runs in libFuzzer's fork mode, which goes on past a crash and
// keeps each one (a crash in our own code shows there too, by its stack):
//   jet_reader_fuzz -fork=2 -ignore_crashes=1 -ignore_timeouts=1 -timeout=10 -max_len=300000
//                   -max_total_time=1800 CORPUS
#include "store/jet/reader/JetReader.h"
#include "tests/fuzz/ScratchFile.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>

extern "C" std::size_t LLVMFuzzerMutate(std::uint8_t* data, std::size_t size, std::size_t maxSize);

// libmdb is not instrumented, so coverage cannot lead the fuzzer into its pages; and a file that is not whole pages
// is turned away before libmdb sees it. So most mutations change a few bytes somewhere in the file and keep its
// size; the rest cut it to fewer whole pages.
extern "C" std::size_t LLVMFuzzerCustomMutator(std::uint8_t* data, std::size_t size, std::size_t maxSize,
                                               unsigned int seed) {
    constexpr std::size_t Page = 2048;
    std::srand(seed);
    if (size < 2 * Page) {
        return LLVMFuzzerMutate(data, size, maxSize);
    }
    if (std::rand() % 16 == 0) {
        const std::size_t pages = size / Page;
        return Page * (2 + static_cast<std::size_t>(std::rand()) % (pages - 1));
    }
    const std::size_t at = static_cast<std::size_t>(std::rand()) % size;
    const std::size_t window = std::min<std::size_t>(size - at, 1 + static_cast<std::size_t>(std::rand()) % 32);
    std::array<std::uint8_t, 32> piece{};
    std::memcpy(piece.data(), data + at, window);
    const std::size_t changed = LLVMFuzzerMutate(piece.data(), window, window);
    std::memcpy(data + at, piece.data(), changed);
    return size;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string& path = fuzzsupport::writeScratchFile(data, size);
    const int sink = open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (sink < 0) {
        std::abort();
    }
    (void)store::streamJetTable(path, "Table3", sink); // closes the sink
    return 0;
}
