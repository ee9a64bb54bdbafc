// A profile file (gesture.ini) held as its sections and lines, parsed once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "profile_format/lines.h"

namespace vetrix {

// A file's content parsed once by the line rules, for a caller that reads and writes many keys
// of one file in a row. Reads answer as the system's routines do on the file as last written,
// which Text() gives. A write changes the lines it touches and writes the file out whole only
// when asked for it; whole-file reference functions for the tests are in
// tests/unit/support/profile_whole_file.h.
class ProfileText {
 public:
  explicit ProfileText(std::string_view content);

  std::optional<std::string> Read(std::string_view section, std::string_view key) const;
  std::vector<std::string> Keys(std::string_view section) const;
  // The names of the sections, in file order, duplicates included; the nameless one before
  // the first header is none.
  std::vector<std::string> Sections() const;
  // Sets `key` to `value` (leading white space of the value dropped), or deletes the key when
  // `value` is nullopt. An existing key keeps its spelling and place; a new one goes to the end
  // of the first matching section, a new section to the end of the file. A changed file is
  // written out whole, in Wine's form: "[name]", "key=value", CRLF after every line, no blank
  // lines. False, with nothing changed, when nothing changes (same value, nothing to delete): the
  // caller must leave the file alone then, as Wine does, so a missing file stays missing and an
  // LF file keeps its LF.
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
  // Each name's first entry in a list of keys or sections: an open-addressed table of positions
  // + 1 (0: free), at most half of it used. Made at the second lookup, as most lists are looked
  // up once if at all; emptied when an entry goes or is renamed.
  struct NameIndex {
    std::vector<std::uint32_t> slots;
    bool lookedUp = false;
  };
  struct Section {
    std::string name;
    std::vector<Key> keys;
    mutable NameIndex index;
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

  // The tests' whole-file reference writes through Apply and Serialized alone.
  friend struct ProfileWholeFile;
  // The write on the lines as they are; false when nothing changes.
  bool Apply(std::string_view section, std::string_view key, std::optional<std::string_view> value,
             Change& change);
  std::string Serialized() const;
  bool Stable() const;
  bool Reread(const Change& change);

  std::vector<Section> sections_;
  mutable NameIndex sectionIndex_;  // by the names as they stand, trimmed or not
  std::optional<AsWritten> asWritten_;
  mutable std::optional<std::string> text_;  // made when asked for
  // Whether writing the lines out and reading them back gives the same lines; known once asked.
  mutable std::optional<bool> stable_;
};

}  // namespace vetrix
