#include "macro/list_editor.h"

#include <algorithm>
#include <string_view>

namespace gm {
namespace {

constexpr std::wstring_view kUnit = L"ms";

void ReplaceAll(std::wstring& text, std::wstring_view from, std::wstring_view to) {
  for (std::size_t at = text.find(from); at != std::wstring::npos;
       at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
}

// The decimal value of a text of digits, held at `limit` + 1 once it passes the limit.
std::uint64_t DigitsValue(std::wstring_view digits, std::uint64_t limit) {
  std::uint64_t value = 0;
  for (wchar_t c : digits) {
    value = std::min(value * 10 + static_cast<std::uint64_t>(c - L'0'), limit + 1);
  }
  return value;
}

}  // namespace

std::optional<EditorCommit> CommitEditorText(EditMode mode, std::wstring text) {
  if (mode == EditMode::Delay) {
    if (text.find(kUnit) == std::wstring::npos) return std::nullopt;
    std::erase(text, L' ');
    std::wstring number = text;
    ReplaceAll(number, kUnit, L"");
    const bool digitsOnly =
        std::all_of(number.begin(), number.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; });
    if (!digitsOnly) return std::nullopt;
    constexpr auto kLimit = static_cast<std::uint64_t>(kMaxDelayMs);
    if (DigitsValue(number, kLimit) > kLimit) text = L"6553500ms";
    ReplaceAll(text, kUnit, L" ms");
    return EditorCommit{std::move(text), true};
  }
  return EditorCommit{std::move(text), false};
}

}  // namespace gm
