#pragma once

// The maker's details, in one place: the about box shows them and the links open them.
namespace about {

inline constexpr const char* WebAddress = "https://www.lexorant.example/";
inline constexpr const char* MailAddress = "hello@lexorant.example";
inline constexpr const char* CopyrightLine = "Copyright \u00A9 2026 Lexorant";
inline constexpr const char* DistributionNotice = "Free to use, copy and share.";

} // namespace about
