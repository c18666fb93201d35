#pragma once

#include "platform/MessageBox.h"
#include "platform/Program.h"

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

} // namespace testsupport
