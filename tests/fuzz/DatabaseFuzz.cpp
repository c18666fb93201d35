// libFuzzer target: a damaged word database, SQLite or Access, gives a run-time error with a number and a text, never
// a crash, a hang or a write. Each input is written to a file of its own, opened as the program opens db2.mdb,
// browsed both ways and searched.
#include "platform/headless/RuntimeError.h"
#include "store/Database.h"
#include "tests/fuzz/ScratchFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

void browse(store::Recordset& view) {
    int seen = 0;
    for (view.MoveFirst(); !view.Eof() && seen < 200; view.MoveNext(), ++seen) {
        (void)view.Fields(0).Text();
        (void)view.Fields(1).Text();
    }
    if (view.Eof()) {
        view.MovePrevious();
    }
    view.FindFirst("Name = 'abate'");
    view.FindFirst("Name = 'nothing at all'");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string& path = fuzzsupport::writeScratchFile(data, size);
    try {
        auto db = store::DBEngine::instance().OpenDatabase(path);
        auto view = db->OpenRecordset("Select * From Table3");
        browse(*view);
    } catch (const platform::RuntimeError& error) {
        if (error.number() <= 0 || error.description().empty()) {
            std::abort();
        }
    }
    // Nothing may have appeared beside the file.
    for (const char* suffix : {"-wal", "-shm", "-journal", ".ldb"}) {
        if (access((path + suffix).c_str(), F_OK) == 0) {
            std::abort();
        }
    }
    return 0;
}
