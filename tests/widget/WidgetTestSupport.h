#pragma once

#include "platform/headless/MessageBox.h"
#include "platform/headless/Region.h"
#include "platform/widgets/Program.h"
#include "tests/support/TestDatabase.h"

#include <filesystem>
#include <fstream>
#include <vector>

namespace testsupport {

// Thrown by the test's end handler so that "ending the program" unwinds back to the test.
struct ProgramEnded {
    int status;
};

// Answers every message box with OK and records it, and turns the program's end into ProgramEnded, for the
// lifetime of the object.
class ProgramSeams {
public:
    ProgramSeams() {
        m_oldBox = platform::setMessageBoxHandler([this](const platform::MessageBoxCall& call) {
            boxes.push_back(call);
            if (onBox) {
                onBox(call);
            }
            return platform::vbOK;
        });
        m_oldEnd = platform::program::setEndHandler([](int status) { throw ProgramEnded{status}; });
    }
    ~ProgramSeams() {
        platform::setMessageBoxHandler(m_oldBox);
        platform::program::setEndHandler(m_oldEnd);
        platform::program::setExecutableDirectory(QString());
    }
    ProgramSeams(const ProgramSeams&) = delete;
    ProgramSeams& operator=(const ProgramSeams&) = delete;

    std::vector<platform::MessageBoxCall> boxes;
    std::function<void(const platform::MessageBoxCall&)> onBox;

private:
    platform::MessageBoxHandler m_oldBox;
    platform::program::EndHandler m_oldEnd;
};

inline void writeFile(const std::filesystem::path& file, const std::vector<std::uint8_t>& bytes) {
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// A program directory of its own: the four region files and a word database, taken as the executable's directory
// for as long as the object lives.
class ProgramDirectory {
public:
    explicit ProgramDirectory(const std::vector<Row>& words = numberedRows(3)) {
        for (const char* name : {"main.pts", "lh.pts", "rh.pts", "bot.pts"}) {
            writeFile(m_dir.path() / name, platform::regionBytes({{4, 0, 309, 210}, {0, 4, 313, 206}}));
        }
        writeWordDatabase(m_dir.path() / "db2.mdb", words);
        platform::program::setExecutableDirectory(dir());
    }
    ~ProgramDirectory() { platform::program::setExecutableDirectory(QString()); }
    ProgramDirectory(const ProgramDirectory&) = delete;
    ProgramDirectory& operator=(const ProgramDirectory&) = delete;

    QString dir() const { return QString::fromStdString(m_dir.path().string()); }
    const std::filesystem::path& path() const { return m_dir.path(); }

private:
    TempDir m_dir;
};

} // namespace testsupport
