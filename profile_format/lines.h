// The line rules of the Windows profile-file (INI) format, behaving as Wine's
// GetPrivateProfileStringA and WritePrivateProfileStringA do, for the platforms that have no
// profile routines of their own: how one line reads, how a name or value is trimmed and
// compared, and what a line written out reads back as. Pure; bytes pass through unchanged (code
// page 1251 texts included). document.h holds a whole file by these rules.
//
// The file is taken as Wine takes it (checked against Wine under code pages 1251 and 1252):
// - A line ends at "\r" or "\n", so CRLF, LF and a lone CR all end lines.
// - Lines are trimmed of white space (blank, tab, "\v", "\f", "\r", 0x1A; not 0xA0). Blank lines
//   vanish.
// - "[name]" opens a section: the name runs from after "[" to the last "]" and is trimmed;
//   anything after that "]" is ignored. "[Main" without "]" is an ordinary line.
// - Lines before the first section belong to a nameless section, reached with section "".
// - Any other line is a key: the name before the first "=", the value after it, both trimmed.
//   A line without "=" keeps its place but has no value: reads give the default, listings skip
//   it. A line starting with ";" is a key too (";x=1" reads under ";x"), only listings skip it.
// - A NUL byte ends the name or value it is in, and arguments end at their first NUL.
// - Only ASCII letters compare without case; Wine does not fold Cyrillic or Latin-1 either.
// A file starting with a UTF-8 or UTF-16 byte-order mark is read by Wine as that encoding; that
// is not supported here (the program never writes one).
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vetrix {

// Reads go through a buffer of this many bytes, one of them for the terminating NUL.
inline constexpr std::size_t kProfileReadBuffer = 2048;

// True when the file starts with a byte-order mark: the system reads it in that encoding,
// which the rules here do not.
bool ProfileHasByteOrderMark(std::string_view content);

// A read as the system's routine answers it through a buffer of kProfileReadBuffer bytes: the
// value found, or `fallback` when there is none, cut to fit.
std::string ProfileAnswer(std::optional<std::string> value, std::string_view fallback);

namespace profile {

std::string_view Trim(std::string_view text);
std::string_view TrimFront(std::string_view text);
// Wine keeps names and values as C strings, and takes its arguments as such.
std::string_view Arg(std::string_view text);
// Only ASCII letters fold, as in Wine: Cyrillic and Latin-1 names compare as they are.
bool SameName(std::string_view a, std::string_view b);

// One line as Wine reads it, within the line's text: a section header (no value) or a key;
// nothing when blank.
struct Line {
  bool header = false;
  std::string_view name;
  std::optional<std::string_view> value;
};
std::optional<Line> ParseLine(std::string_view line);

// A header or key line as it is written out, held in place when short: finding out how a line
// reads back then makes no string.
class WrittenLine {
 public:
  static WrittenLine Header(std::string_view name);
  static WrittenLine Key(std::string_view name, const std::optional<std::string>& value);
  std::string_view Text() const {
    return long_ ? std::string_view(*long_) : std::string_view(short_.data(), size_);
  }

 private:
  void Append(std::string_view piece);
  std::array<char, 120> short_{};
  std::size_t size_ = 0;
  std::optional<std::string> long_;
};
// What a line written out reads back as, within the line's text; nothing when it would not stay
// one line.
std::optional<Line> ReadBack(std::string_view written);
// Whether a header or key line written out reads back as the same name (and value). A section
// without a name is written without its header.
bool HeaderReadsBack(const std::string& name);
bool KeyReadsBack(const std::string& name, const std::optional<std::string>& value);

}  // namespace profile
}  // namespace vetrix
