#pragma once
// The program's version text, written into documents and the user's setup list.
inline constexpr const char VersionString[] = "2.0g";
