#include "platform/headless/RuntimeError.h"

#include <utility>

namespace platform {

RuntimeError::RuntimeError(int number, std::string description, std::string source)
    : std::runtime_error(description), m_number(number), m_description(std::move(description)),
      m_source(std::move(source)) {}

RuntimeError RuntimeError::withSource(std::string source) const {
    return {m_number, m_description, std::move(source)};
}

void raiseOverflow() {
    throw RuntimeError(err::Overflow, "Overflow");
}

std::string unhandledErrorText(const RuntimeError& error) {
    return "Run-time error '" + std::to_string(error.number()) + "':\n\n" + error.description();
}

} // namespace platform
