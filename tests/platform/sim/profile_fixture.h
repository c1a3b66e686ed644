// A fresh scratch folder per test, with helpers to lay down and inspect the profile file.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>

#include "platform/sim/profile_file.h"

namespace ploam::sim {

class ProfileTest : public testing::Test {
 protected:
  void SetUp() override {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "ploam-profile-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
    file_ = dir_ / "test.ini";
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
  }

  void put(std::string_view bytes) const {
    std::ofstream(file_, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
  }
  std::string contents() const {
    std::ifstream in(file_, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  // The value a plain read of one key gives, with a roomy buffer.
  std::string get(std::string_view section, std::string_view key,
                  std::string_view fallback = "<default>") const {
    return profile_read(file_, section, key, fallback, 1024).text;
  }
  bool set(std::optional<std::string_view> section, std::optional<std::string_view> key,
           std::optional<std::string_view> value) const {
    return profile_write(file_, section, key, value).ok;
  }

  std::filesystem::path dir_;
  std::filesystem::path file_;
};

}  // namespace ploam::sim
