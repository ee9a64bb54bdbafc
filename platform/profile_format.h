// The Windows profile-file (INI) format over a file's bytes, behaving as Wine's
// GetPrivateProfileStringA and WritePrivateProfileStringA do, for the platforms that have no
// profile routines of their own. Pure: the caller reads and writes the file. Bytes pass through
// unchanged (code page 1251 texts included).
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

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vetrix {

// Reads go through a buffer of this many bytes, one of them for the terminating NUL.
inline constexpr std::size_t kProfileReadBuffer = 2048;

// The value of `key` in the first section named `section` (names trimmed, compared without
// case); nullopt when the section, the key or its "=" is missing. A duplicated key: the first
// wins; a later section of the same name is never searched. A value in matching quotes (" or ')
// loses them; the result is cut to kProfileReadBuffer - 1 bytes.
std::optional<std::string> ProfileRead(std::string_view content, std::string_view section,
                                       std::string_view key);

// True when the file starts with a byte-order mark: the system reads it in that encoding,
// which the functions here do not.
bool ProfileHasByteOrderMark(std::string_view content);

// A read as the system's routine answers it through a buffer of kProfileReadBuffer bytes: the
// value found, or `fallback` when there is none, cut to fit.
std::string ProfileAnswer(std::optional<std::string> value, std::string_view fallback);

// The file after setting `key` to `value` (leading white space of the value dropped), or after
// deleting the key when `value` is nullopt. An existing key keeps its spelling and place; a new
// one goes to the end of the first matching section, a new section to the end of the file. A
// changed file is written out whole, in Wine's form: "[name]", "key=value", CRLF after every
// line, no blank lines. When nothing changes (same value, nothing to delete) `content` comes
// back as it was and the caller must leave the file alone: Wine does not touch it then, so a
// missing file stays missing and an LF file keeps its LF.
std::string ProfileWrite(std::string_view content, std::string_view section, std::string_view key,
                         std::optional<std::string_view> value);

// The names of the keys with a value in the first section named `section` (not trimmed), in
// file order, duplicates included; how "key exists" is answered. A key "=v" with an empty name
// is listed as ""; Windows callers see its NUL as the end of the list.
std::vector<std::string> ProfileKeys(std::string_view content, std::string_view section);

// A file's content parsed once, for a caller that reads and writes many keys of one file in a
// row: each function above parses the whole file at every call, and a write writes it out whole.
// Reads answer as those functions do on the file as last written, which Text() gives.
class ProfileText {
 public:
  explicit ProfileText(std::string_view content);

  std::optional<std::string> Read(std::string_view section, std::string_view key) const;
  std::vector<std::string> Keys(std::string_view section) const;
  // A write as ProfileWrite makes it; false, with nothing changed, when the file is to be left
  // alone.
  bool Write(std::string_view section, std::string_view key, std::optional<std::string_view> value);
  // The file: the content given, or as the last write wrote it out.
  const std::string& Text() const;

  // The same sections and lines, as reads see them.
  friend bool operator==(const ProfileText& a, const ProfileText& b) {
    return a.sections_ == b.sections_;
  }

 private:
  struct Key {
    std::string name;
    std::optional<std::string> value;
    friend bool operator==(const Key&, const Key&) = default;
  };
  struct Section {
    std::string name;
    std::vector<Key> keys;
    // Each name's first key, by the name in lower case: made at the second look-up (the
    // functions above look up once), dropped when a key goes or is renamed.
    mutable std::optional<std::unordered_map<std::string, std::size_t>> index;
    mutable bool lookedUp = false;
    friend bool operator==(const Section& a, const Section& b) {
      return a.name == b.name && a.keys == b.keys;
    }
  };
  // The line that the last write changed, as it stands in the file: reading it back may give
  // something else (a value's trailing blanks), and the file keeps it so until the next write.
  struct AsWritten {
    std::size_t section;
    std::optional<std::string> header;  // when the write made the section
    std::size_t key;
    std::string name;
    std::optional<std::string> value;
  };

  // Where a write set a value; nothing for a deletion.
  struct Change {
    Section* section = nullptr;
    bool madeSection = false;
    Key* key = nullptr;
  };

  friend std::string ProfileWrite(std::string_view, std::string_view, std::string_view,
                                  std::optional<std::string_view>);
  // The write on the lines as they are; false when nothing changes.
  bool Apply(std::string_view section, std::string_view key, std::optional<std::string_view> value,
             Change& change);
  std::string Serialized() const;
  bool Stable() const;
  bool Reread(const Change& change);

  std::vector<Section> sections_;
  std::optional<AsWritten> asWritten_;
  mutable std::optional<std::string> text_;  // made when asked for
  // Whether writing the lines out and reading them back gives the same lines; known once asked.
  mutable std::optional<bool> stable_;
};

}  // namespace vetrix
