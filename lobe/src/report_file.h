#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

namespace lobe {

// lobe.out as it is being written: every piece goes to the disk at once
// (flushed), so that a viewer opened during a long run shows the progress.
class ReportFile {
 public:
  explicit ReportFile(const std::filesystem::path& path);
  ~ReportFile();
  ReportFile(const ReportFile&) = delete;
  ReportFile& operator=(const ReportFile&) = delete;

  bool isOpen() const { return file_ != nullptr; }
  bool failed() const { return failed_; }
  void write(const std::string& text);

 private:
  std::FILE* file_ = nullptr;
  bool failed_ = false;
};

// printf-style formatting into a std::string.
std::string format(const char* pattern, ...) __attribute__((format(printf, 1, 2)));

}  // namespace lobe
