// gm900ctl's output and input without the C++ streams, whose locale code would be most of the
// tool's size on Windows. Text is gathered in a string (what tests read) unless a subclass
// sends it on; standard input is read whole.
#pragma once

#include <concepts>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gm::cli {

class OutText {
 public:
  OutText() = default;
  OutText(const OutText&) = delete;
  OutText& operator=(const OutText&) = delete;
  virtual ~OutText() = default;

  OutText& operator<<(std::string_view text) {
    Write(text);
    return *this;
  }
  OutText& operator<<(const std::string& text) { return *this << std::string_view(text); }
  OutText& operator<<(const char* text) { return *this << std::string_view(text); }
  OutText& operator<<(char c) { return *this << std::string_view(&c, 1); }
  template <std::integral Number>
  requires(!std::same_as<Number, char> && !std::same_as<Number, bool>) OutText& operator<<(
      Number number) {
    return *this << std::to_string(number);
  }
  OutText& flush() {
    Flush();
    return *this;
  }

  // What was gathered, as a string stream has it.
  const std::string& str() const { return text_; }
  void str(std::string text) { text_ = std::move(text); }

 protected:
  virtual void Write(std::string_view text) { text_.append(text); }
  virtual void Flush() {}

 private:
  std::string text_;
};

// What "-" reads: a C stream, or a text given in advance (tests).
class InText {
 public:
  explicit InText(std::FILE* file) : file_(file) {}
  explicit InText(std::string text) : text_(std::move(text)) {}

  // Everything, or its first maxBytes + 1 bytes when there is more (the caller refuses it);
  // nothing on a read error.
  std::optional<std::vector<std::uint8_t>> Read(std::size_t maxBytes);

 private:
  std::FILE* file_ = nullptr;
  std::string text_;
};

}  // namespace gm::cli
