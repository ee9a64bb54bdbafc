#include "profile_format/lines.h"

#include <algorithm>
#include <array>
#include <utility>

#include "base/ascii.h"

namespace vetrix {
namespace {

// Wine's profile code trims with iswspace plus Ctrl+Z, the old end-of-file mark. A table, as
// every line and name is trimmed.
constexpr auto kSpace = [] {
  std::array<bool, 256> space{};
  for (int c = 0; c < 256; ++c) space[c] = c == ' ' || (c >= '\t' && c <= '\r') || c == '\x1a';
  return space;
}();

bool IsSpace(char c) { return kSpace[static_cast<unsigned char>(c)]; }

// Two searches for one byte each: a search for either byte looks at them one by one.
bool HasLineEnd(std::string_view s) {
  return s.find('\r') != std::string_view::npos || s.find('\n') != std::string_view::npos;
}

}  // namespace

std::string ProfileAnswer(std::optional<std::string> value, std::string_view fallback) {
  std::string out = value ? std::move(*value) : std::string(fallback);
  if (out.size() > kProfileReadBuffer - 1) out.resize(kProfileReadBuffer - 1);
  return out;
}

bool ProfileHasByteOrderMark(std::string_view content) {
  return content.starts_with("\xEF\xBB\xBF") || content.starts_with("\xFF\xFE") ||
         content.starts_with("\xFE\xFF");
}

namespace profile {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsSpace(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsSpace(s.back())) s.remove_suffix(1);
  return s;
}

std::string_view TrimFront(std::string_view s) {
  while (!s.empty() && IsSpace(s.front())) s.remove_prefix(1);
  return s;
}

std::string_view Arg(std::string_view s) { return s.substr(0, s.find('\0')); }

bool SameName(std::string_view a, std::string_view b) {
  // Names are mostly asked for as the file spells them: one comparison of the bytes then.
  return a.size() == b.size() && (a == b || EqualsIgnoringAsciiCase(a, b));
}

std::optional<Line> ParseLine(std::string_view line) {
  line = Trim(line);
  if (line.empty()) return std::nullopt;
  if (line.front() == '[') {
    const std::size_t close = line.find_last_of(']');
    if (close != std::string_view::npos)
      return Line{true, Arg(Trim(line.substr(1, close - 1))), std::nullopt};
  }
  const std::size_t eq = line.find('=');
  if (eq == std::string_view::npos) return Line{false, Arg(line), std::nullopt};
  return Line{false, Arg(Trim(line.substr(0, eq))), Arg(TrimFront(line.substr(eq + 1)))};
}

void WrittenLine::Append(std::string_view piece) {
  if (!long_ && size_ + piece.size() > short_.size()) long_.emplace(short_.data(), size_);
  if (long_) {
    long_->append(piece);
  } else {
    std::copy(piece.begin(), piece.end(), short_.data() + size_);
    size_ += piece.size();
  }
}

WrittenLine WrittenLine::Header(std::string_view name) {
  WrittenLine line;
  line.Append("[");
  line.Append(name);
  line.Append("]");
  return line;
}

WrittenLine WrittenLine::Key(std::string_view name, const std::optional<std::string>& value) {
  WrittenLine line;
  line.Append(name);
  if (value) {
    line.Append("=");
    line.Append(*value);
  }
  return line;
}

std::optional<Line> ReadBack(std::string_view written) {
  return HasLineEnd(written) ? std::nullopt : ParseLine(written);
}

bool HeaderReadsBack(const std::string& name) {
  const WrittenLine written = WrittenLine::Header(name);
  const std::optional<Line> read = ReadBack(written.Text());
  return !name.empty() && read && read->header && read->name == name;
}

bool KeyReadsBack(const std::string& name, const std::optional<std::string>& value) {
  const WrittenLine written = WrittenLine::Key(name, value);
  const std::optional<Line> read = ReadBack(written.Text());
  return read && !read->header && read->name == name && read->value == value;
}

}  // namespace profile
}  // namespace vetrix
