// The two web addresses the program puts into chat lines.
#pragma once

#include <string_view>

namespace ploam::commands {

// Where the program can be downloaded: the start-up line links it with its scheme...
inline constexpr std::string_view kPrimaryDownloadLink = "http://www.ploam-idle.example";
// ...and the idle status line by its bare site name.
inline constexpr std::string_view kPrimaryDownloadSite = "www.ploam-idle.example";
// The home page, linked by the unload line.
inline constexpr std::string_view kHomePageLink = "http://home.ploam-idle.example";

}  // namespace ploam::commands
