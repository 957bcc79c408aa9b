// The program's identity: the name every message box is captioned with and
// the company and application names the settings file is filed under.
#pragma once

namespace app_identity {
inline constexpr const char* kAppName = "Pivra";
inline constexpr const char* kCompany = "Korvane";
}  // namespace app_identity
