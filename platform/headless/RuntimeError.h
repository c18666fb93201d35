#pragma once

#include <stdexcept>
#include <string>

namespace platform {

// A runtime error as the form runtime raises it: a number, a description and the name of whatever raised it.
class RuntimeError : public std::runtime_error {
public:
    RuntimeError(int number, std::string description, std::string source = {});

    int number() const noexcept { return m_number; }
    const std::string& description() const noexcept { return m_description; }
    const std::string& source() const noexcept { return m_source; }

    // The same error raised again under another source name.
    RuntimeError withSource(std::string source) const;

private:
    int m_number;
    std::string m_description;
    std::string m_source;
};

// Error numbers of the runtime and the database engine that this program raises.
namespace err {
inline constexpr int OutOfMemory = 7;
inline constexpr int Overflow = 6;
inline constexpr int SubscriptOutOfRange = 9;
inline constexpr int DivisionByZero = 11;
inline constexpr int BadFileNameOrNumber = 52;
inline constexpr int FileNotFound = 53;
inline constexpr int DeviceIO = 57;
inline constexpr int PathFileAccess = 75;
inline constexpr int NoCurrentRecord = 3021;
inline constexpr int CouldNotFindFile = 3024;
inline constexpr int NotValidPassword = 3031;
inline constexpr int ResourceExceeded = 3035;
inline constexpr int CannotOpenFile = 3051;
inline constexpr int UnknownField = 3070;
inline constexpr int SyntaxInCriterion = 3077;
inline constexpr int TableNotFound = 3078;
inline constexpr int SyntaxInFrom = 3131;
inline constexpr int DatabaseError = 3146;
inline constexpr int ItemNotInCollection = 3265;
inline constexpr int UnrecognizedFormat = 3343;
} // namespace err

// The text of the box that reports an error nobody handled: "Run-time error 'N':", an empty line, the description.
std::string unhandledErrorText(const RuntimeError& error);

} // namespace platform
