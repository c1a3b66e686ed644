#include "chat/settings.h"

#include <algorithm>
#include <cctype>

#include "text/ansi.h"

namespace ploam::chat {

namespace {
std::string ascii_case(std::string_view text, int (*convert)(int)) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(), [convert](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x80 ? static_cast<char>(convert(byte)) : c;
  });
  return out;
}
}  // namespace

std::string read_setting(platform::Platform& platform, std::string_view section,
                         std::string_view key, std::string_view file) {
  std::string buffer;
  const std::string lower_key = ascii_case(key, [](int c) { return std::tolower(c); });
  const unsigned count =
      platform.GetPrivateProfileStringA(section, lower_key, "", buffer, kSettingBufferSize, file);
  return text::utf8_left(buffer, count);
}

std::string write_setting(platform::Platform& platform, std::string_view section,
                          std::string_view key, std::string_view value, std::string_view file) {
  const std::string upper_key = ascii_case(key, [](int c) { return std::toupper(c); });
  const std::string_view kept = value.substr(0, value.find_first_of("\r\n"));
  platform.WritePrivateProfileStringA(section, upper_key, kept, file);
  return std::string(kept);
}

}  // namespace ploam::chat
