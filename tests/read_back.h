// Test helper: everything written to a temporary file, read back from the start.
#pragma once

#include <cstdio>
#include <string>

namespace roughpi {

// Reads f from its beginning to its end and closes it.
inline std::string read_back(std::FILE* f) {
  std::fflush(f);
  std::rewind(f);
  std::string text;
  char buf[4096];
  std::size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) text.append(buf, n);
  std::fclose(f);
  return text;
}

}  // namespace roughpi
