#include "report_file.h"

#include <cstdarg>
#include <vector>

namespace lobe {

ReportFile::ReportFile(const std::filesystem::path& path) : file_(std::fopen(path.c_str(), "wb")) {}

ReportFile::~ReportFile() {
  if (file_ != nullptr) std::fclose(file_);
}

void ReportFile::write(const std::string& text) {
  if (file_ == nullptr || failed_) return;
  if (std::fwrite(text.data(), 1, text.size(), file_) != text.size() || std::fflush(file_) != 0) failed_ = true;
}

std::string format(const char* pattern, ...) {
  std::va_list arguments;
  va_start(arguments, pattern);
  std::va_list copy;
  va_copy(copy, arguments);
  const int length = std::vsnprintf(nullptr, 0, pattern, copy);
  va_end(copy);
  std::vector<char> buffer(static_cast<std::size_t>(length > 0 ? length : 0) + 1);
  std::vsnprintf(buffer.data(), buffer.size(), pattern, arguments);
  va_end(arguments);
  return std::string(buffer.data(), static_cast<std::size_t>(length > 0 ? length : 0));
}

}  // namespace lobe
