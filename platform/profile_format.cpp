#include "platform/profile_format.h"

#include "base/ascii.h"

#include <algorithm>

namespace vetrix {
namespace {

struct Key {
  std::string name;
  std::optional<std::string> value;
};

struct Section {
  std::string name;
  std::vector<Key> keys;
};

// Wine's profile code trims with iswspace plus Ctrl+Z, the old end-of-file mark.
bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r') || c == '\x1a'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsSpace(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsSpace(s.back())) s.remove_suffix(1);
  return s;
}

std::string_view TrimFront(std::string_view s) {
  while (!s.empty() && IsSpace(s.front())) s.remove_prefix(1);
  return s;
}

// Wine keeps names and values as C strings, and takes its arguments as such.
std::string_view Arg(std::string_view s) { return s.substr(0, s.find('\0')); }
std::string UpToNul(std::string_view s) { return std::string(Arg(s)); }

// Only ASCII letters fold, as in Wine: Cyrillic and Latin-1 names compare as they are.
bool SameName(std::string_view a, std::string_view b) { return EqualsIgnoringAsciiCase(a, b); }

std::vector<Section> Parse(std::string_view content) {
  std::vector<Section> sections(1);
  std::size_t pos = 0;
  while (pos < content.size()) {
    std::size_t end = content.find_first_of("\r\n", pos);
    end = end == std::string_view::npos ? content.size() : end + 1;
    const std::string_view line = Trim(content.substr(pos, end - pos));
    pos = end;
    if (line.empty()) continue;

    if (line.front() == '[') {
      const std::size_t close = line.find_last_of(']');
      if (close != std::string_view::npos) {
        sections.push_back({UpToNul(Trim(line.substr(1, close - 1))), {}});
        continue;
      }
    }
    Key key;
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) {
      key.name = UpToNul(line);
    } else {
      key.name = UpToNul(Trim(line.substr(0, eq)));
      key.value = UpToNul(TrimFront(line.substr(eq + 1)));
    }
    sections.back().keys.push_back(std::move(key));
  }
  return sections;
}

std::string Serialize(const std::vector<Section>& sections) {
  std::string out;
  for (const Section& s : sections) {
    // A section with an empty name, "[]" included, is written without its header.
    if (!s.name.empty()) out += '[' + s.name + "]\r\n";
    for (const Key& k : s.keys) {
      out += k.name;
      if (k.value) out += '=' + *k.value;
      out += "\r\n";
    }
  }
  return out;
}

// Reads and writes look a section up by its trimmed name, listings and deletions by the name as
// given: Wine's own inconsistency, kept so that both implementations find the same section.
Section* FindSection(std::vector<Section>& sections, std::string_view name) {
  for (Section& s : sections)
    if (SameName(s.name, name)) return &s;
  return nullptr;
}

Key* FindKey(Section& section, std::string_view name) {
  for (Key& k : section.keys)
    if (SameName(k.name, name)) return &k;
  return nullptr;
}

}  // namespace

std::optional<std::string> ProfileRead(std::string_view content, std::string_view section,
                                       std::string_view key) {
  section = Arg(section);
  key = Arg(key);
  std::vector<Section> sections = Parse(content);
  Section* s = FindSection(sections, Trim(section));
  const Key* k = s ? FindKey(*s, Trim(key)) : nullptr;
  if (!k || !k->value) return std::nullopt;

  constexpr std::size_t kLimit = kProfileReadBuffer - 1;
  std::string_view v = *k->value;
  // Wine drops the closing quote only when the whole unquoted rest fits the buffer, so a quoted
  // value of exactly kLimit characters loses its last character instead.
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
    v.remove_prefix(1);
    const bool dropClose = v.size() <= kProfileReadBuffer;
    v = v.substr(0, kLimit);
    if (dropClose) v.remove_suffix(1);
    return std::string(v);
  }
  return std::string(v.substr(0, kLimit));
}

std::string ProfileWrite(std::string_view content, std::string_view section, std::string_view key,
                         std::optional<std::string_view> value) {
  section = Arg(section);
  key = Arg(key);
  std::vector<Section> sections = Parse(content);
  if (!value) {
    // A deletion goes on to a later section of the same name when the first lacks the key.
    for (Section& s : sections) {
      if (!SameName(s.name, section)) continue;
      const auto it = std::find_if(s.keys.begin(), s.keys.end(),
                                   [&](const Key& k) { return SameName(k.name, key); });
      if (it != s.keys.end()) {
        s.keys.erase(it);
        return Serialize(sections);
      }
    }
    return std::string(content);
  }

  const std::string text(TrimFront(Arg(*value)));
  Section* s = FindSection(sections, Trim(section));
  if (!s) {
    // New names keep their trailing blanks: Wine trims only the front when it creates them.
    sections.push_back({std::string(TrimFront(section)), {}});
    s = &sections.back();
  }
  Key* k = FindKey(*s, Trim(key));
  if (!k) {
    s->keys.push_back({std::string(TrimFront(key)), std::nullopt});
    k = &s->keys.back();
  }
  if (k->value == text) return std::string(content);
  k->value = text;
  return Serialize(sections);
}

std::vector<std::string> ProfileKeys(std::string_view content, std::string_view section) {
  section = Arg(section);
  std::vector<Section> sections = Parse(content);
  std::vector<std::string> names;
  Section* s = FindSection(sections, section);
  if (!s) return names;
  for (const Key& k : s->keys)
    if (k.value && (k.name.empty() || k.name.front() != ';')) names.push_back(k.name);
  // Wine takes a list that starts with an empty name for no list at all.
  if (!names.empty() && names.front().empty()) names.clear();
  return names;
}

std::string ProfileReadFrom(const std::optional<std::string>& content, std::string_view section,
                            std::string_view key, std::string_view fallback) {
  auto value = content ? ProfileRead(*content, section, key) : std::nullopt;
  std::string out = value ? std::move(*value) : std::string(fallback);
  if (out.size() > kProfileReadBuffer - 1) out.resize(kProfileReadBuffer - 1);
  return out;
}

bool ProfileHasByteOrderMark(std::string_view content) {
  return content.starts_with("\xEF\xBB\xBF") || content.starts_with("\xFF\xFE") ||
         content.starts_with("\xFE\xFF");
}

}  // namespace vetrix
