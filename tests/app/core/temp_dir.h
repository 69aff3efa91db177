// A fresh folder for one test's files, removed with everything in it.
#pragma once

#include <atomic>
#include <chrono>
#include <filesystem>
#include <string>

#include "fw/core/types.h"

class TTempDir {
 public:
  TTempDir() {
    static std::atomic<int> serial{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    dir_ = std::filesystem::temp_directory_path() /
           ("vl_app_core_" + std::to_string(stamp) + "_" + std::to_string(serial++));
    std::filesystem::create_directories(dir_);
  }
  ~TTempDir() {
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }
  TTempDir(const TTempDir&) = delete;
  TTempDir& operator=(const TTempDir&) = delete;

  const std::filesystem::path& Dir() const { return dir_; }
  fw::String Path(const std::string& name) const { return (dir_ / name).u16string(); }

 private:
  std::filesystem::path dir_;
};
