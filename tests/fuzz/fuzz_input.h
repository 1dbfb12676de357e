#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <unistd.h>

// Takes fixed-size values off the front of a fuzzer's input; zeros once it
// runs out.
class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
  template <typename T>
  T Take() {
    T value{};
    const std::size_t n = m_size < sizeof(T) ? m_size : sizeof(T);
    std::memcpy(&value, m_data, n);
    m_data += n;
    m_size -= n;
    return value;
  }
  std::vector<std::uint8_t> Rest() {
    std::vector<std::uint8_t> rest(m_data, m_data + m_size);
    m_data += m_size;
    m_size = 0;
    return rest;
  }
  std::size_t Left() const { return m_size; }

 private:
  const std::uint8_t* m_data;
  std::size_t m_size;
};

// The input as a command line: arguments separated by NUL or newline bytes,
// behind a program name.
inline std::vector<std::string> SplitArguments(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> args{"program"};
  std::string current;
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == 0 || data[i] == '\n') {
      args.push_back(current);
      current.clear();
    } else {
      current += static_cast<char>(data[i]);
    }
  }
  if (!current.empty()) args.push_back(current);
  return args;
}

// A file name of this process's own under the temporary folder: libFuzzer
// may run several jobs at once.
inline std::string FuzzTempFile(const char* suffix) {
  const char* dir = std::getenv("TMPDIR");
  return std::string(dir && *dir ? dir : "/tmp") + "/mirovane-fuzz-" + std::to_string(getpid()) + suffix;
}
