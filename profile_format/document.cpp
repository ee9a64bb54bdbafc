#include "profile_format/document.h"

#include <algorithm>
#include <utility>

#include "base/ascii.h"

namespace vetrix {
namespace {

using profile::Arg;
using profile::Line;
using profile::ParseLine;
using profile::ReadBack;
using profile::SameName;
using profile::Trim;
using profile::TrimFront;
using profile::WrittenLine;

std::optional<std::string> Owned(std::optional<std::string_view> s) {
  return s ? std::optional<std::string>(*s) : std::nullopt;
}

// Where `name` is or would go in the index of `list`.
template <class List>
std::uint32_t& IndexSlot(std::vector<std::uint32_t>& slots, List& list, std::string_view name) {
  const std::size_t mask = slots.size() - 1;
  std::size_t slot = static_cast<std::size_t>(HashIgnoringAsciiCase(name)) & mask;
  for (;; slot = (slot + 1) & mask) {
    const std::uint32_t at = slots[slot];
    if (at == 0 || SameName(list[at - 1].name, name)) return slots[slot];
  }
}

template <class List>
void IndexNames(std::vector<std::uint32_t>& slots, List& list) {
  std::size_t size = 8;
  while (size < 2 * list.size()) size *= 2;
  slots.assign(size, 0);
  for (std::size_t i = 0; i < list.size(); ++i) {
    std::uint32_t& slot = IndexSlot(slots, list, list[i].name);
    if (slot == 0) slot = static_cast<std::uint32_t>(i + 1);
  }
}

// The first entry of `list` named `name` (without case); null when there is none.
template <class List, class Index>
auto* FindNamed(List& list, Index& index, std::string_view name) {
  using Pointer = decltype(&list.front());
  // A short list is walked: hashing the name would cost more.
  if (index.slots.empty() && (list.size() <= 8 || !std::exchange(index.lookedUp, true))) {
    for (auto& entry : list)
      if (SameName(entry.name, name)) return &entry;
    return Pointer(nullptr);
  }
  if (index.slots.empty()) IndexNames(index.slots, list);
  const std::uint32_t at = IndexSlot(index.slots, list, name);
  return at == 0 ? Pointer(nullptr) : &list[at - 1];
}

// The entry just added at the end of `list` goes into its index, if it has one.
template <class List, class Index>
void IndexLast(List& list, Index& index) {
  if (2 * list.size() > index.slots.size()) {
    index.slots.clear();  // made again, larger, at the next lookup
    return;
  }
  std::uint32_t& slot = IndexSlot(index.slots, list, list.back().name);
  if (slot == 0) slot = static_cast<std::uint32_t>(list.size());
}

template <class Section>
auto* FindKey(Section& section, std::string_view name) {
  return FindNamed(section.keys, section.index, name);
}

}  // namespace

ProfileText::ProfileText(std::string_view content) : text_(content) {
  // Every line first, so that the sections and each one's keys are made at their final size.
  std::vector<Line> lines;
  std::size_t headers = 0;
  // The next CR and the next LF, each searched for only once passed: a search for either at
  // every line would look at each byte again and again.
  std::size_t pos = 0, cr = content.find('\r'), lf = content.find('\n');
  while (pos < content.size()) {
    if (cr < pos) cr = content.find('\r', pos);
    if (lf < pos) lf = content.find('\n', pos);
    const std::size_t end = std::min(std::min(cr, lf), content.size());
    const std::optional<Line> line = ParseLine(content.substr(pos, end - pos));
    pos = end + 1;
    if (!line) continue;
    headers += line->header;
    lines.push_back(*line);
  }
  sections_.reserve(headers + 1);
  sections_.emplace_back();
  std::size_t first = 0;  // the current section's first key
  auto addKeys = [&](std::size_t end) {
    std::vector<Key>& keys = sections_.back().keys;
    // With room for the keys a program adds to the sections it writes to.
    if (end > first) keys.reserve(end - first + 4);
    for (std::size_t i = first; i < end; ++i)
      keys.push_back({std::string(lines[i].name), Owned(lines[i].value)});
  };
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (!lines[i].header) continue;
    addKeys(i);
    sections_.push_back({std::string(lines[i].name), {}, {}});
    first = i + 1;
  }
  addKeys(lines.size());
}

std::optional<std::string> ProfileText::Read(std::string_view section, std::string_view key) const {
  section = Arg(section);
  key = Arg(key);
  const auto* s = FindNamed(sections_, sectionIndex_, Trim(section));
  const auto* k = s ? FindKey(*s, Trim(key)) : nullptr;
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

std::vector<std::string> ProfileText::Keys(std::string_view section) const {
  std::vector<std::string> names;
  // Listings look the name up as given, reads and writes trimmed: Wine's own inconsistency, kept
  // so that both implementations find the same section.
  const auto* s = FindNamed(sections_, sectionIndex_, Arg(section));
  if (!s) return names;
  for (const Key& k : s->keys)
    if (k.value && (k.name.empty() || k.name.front() != ';')) names.push_back(k.name);
  // Wine takes a list that starts with an empty name for no list at all.
  if (!names.empty() && names.front().empty()) names.clear();
  return names;
}

std::vector<std::string> ProfileText::Sections() const {
  std::vector<std::string> names;
  for (std::size_t i = 1; i < sections_.size(); ++i)
    if (!sections_[i].name.empty()) names.push_back(sections_[i].name);
  return names;
}

bool ProfileText::Write(std::string_view section, std::string_view key,
                        std::optional<std::string_view> value) {
  const bool stable = Stable();  // the lines as they were, before one of them changes
  Change change;
  if (!Apply(section, key, value, change)) return false;
  asWritten_.reset();
  text_.reset();
  if (!stable || !Reread(change)) *this = ProfileText(Serialized());
  return true;
}

const std::string& ProfileText::Text() const {
  if (!text_) text_ = Serialized();
  return *text_;
}

bool ProfileText::Apply(std::string_view section, std::string_view key,
                        std::optional<std::string_view> value, Change& change) {
  section = Arg(section);
  key = Arg(key);
  if (!value) {
    // A deletion goes on to a later section of the same name when the first lacks the key.
    for (Section& s : sections_) {
      if (!SameName(s.name, section)) continue;
      if (const Key* k = FindKey(s, key)) {
        s.keys.erase(s.keys.begin() + (k - s.keys.data()));
        s.index.slots.clear();
        return true;
      }
    }
    return false;
  }

  const std::string text(TrimFront(Arg(*value)));
  change.section = FindNamed(sections_, sectionIndex_, Trim(section));
  if (!change.section) {
    // New names keep their trailing blanks: Wine trims only the front when it creates them.
    sections_.push_back({std::string(TrimFront(section)), {}, {}});
    IndexLast(sections_, sectionIndex_);
    change.section = &sections_.back();
    change.madeSection = true;
  }
  change.key = FindKey(*change.section, Trim(key));
  if (!change.key) {
    Section& s = *change.section;
    s.keys.push_back({std::string(TrimFront(key)), std::nullopt});
    change.key = &s.keys.back();
    IndexLast(s.keys, s.index);
  }
  if (change.key->value == text) return false;
  change.key->value = text;
  return true;
}

std::string ProfileText::Serialized() const {
  // The last written line as the file holds it.
  auto header = [this](std::size_t i) -> const std::string& {
    const bool written = asWritten_ && asWritten_->section == i && asWritten_->header;
    return written ? *asWritten_->header : sections_[i].name;
  };
  auto line = [this](std::size_t i, std::size_t j) {
    const bool written = asWritten_ && asWritten_->section == i && asWritten_->key == j;
    const Key& k = sections_[i].keys[j];
    return written ? std::pair(std::string_view(asWritten_->name), &asWritten_->value)
                   : std::pair(std::string_view(k.name), &k.value);
  };
  // Sized first: the program writes key after key, and each write writes the whole file.
  std::size_t size = 0;
  for (std::size_t i = 0; i < sections_.size(); ++i) {
    if (!header(i).empty()) size += header(i).size() + 4;
    for (std::size_t j = 0; j < sections_[i].keys.size(); ++j) {
      const auto [name, value] = line(i, j);
      size += name.size() + (*value ? (*value)->size() + 1 : 0) + 2;
    }
  }
  std::string out(size, '\0');
  char* at = out.data();
  auto put = [&at](std::string_view piece) { at = std::copy(piece.begin(), piece.end(), at); };
  for (std::size_t i = 0; i < sections_.size(); ++i) {
    // A section with an empty name, "[]" included, is written without its header.
    if (!header(i).empty()) {
      put("[");
      put(header(i));
      put("]\r\n");
    }
    for (std::size_t j = 0; j < sections_[i].keys.size(); ++j) {
      const auto [name, value] = line(i, j);
      put(name);
      if (*value) {
        put("=");
        put(**value);
      }
      put("\r\n");
    }
  }
  return out;
}

bool ProfileText::Stable() const {
  if (stable_) return *stable_;
  stable_ = true;
  for (std::size_t i = 0; i < sections_.size() && *stable_; ++i) {
    const Section& s = sections_[i];
    // The first section is the one before any header.
    if (i > 0 && !profile::HeaderReadsBack(s.name)) stable_ = false;
    for (const Key& k : s.keys)
      if (!profile::KeyReadsBack(k.name, k.value)) stable_ = false;
  }
  return *stable_;
}

// Brings the lines that a write changed to what reading the written file gives, keeping them as
// written for the file; enough when every other line reads back as itself. False, with nothing
// changed, when they would not read back as the same kind of line: only reading the whole file
// again will do then.
bool ProfileText::Reread(const Change& change) {
  if (!change.key) return true;  // a deleted line takes nothing else with it
  Section& s = *change.section;
  Key& k = *change.key;
  const WrittenLine headerLine = WrittenLine::Header(change.madeSection ? s.name : "");
  std::optional<Line> header;
  if (change.madeSection) {
    header = ReadBack(headerLine.Text());
    if (!header || !header->header || header->name.empty()) return false;
  }
  const WrittenLine keyLine = WrittenLine::Key(k.name, k.value);
  const std::optional<Line> line = ReadBack(keyLine.Text());
  if (!line || line->header) return false;

  asWritten_ = AsWritten{static_cast<std::size_t>(&s - sections_.data()), std::nullopt,
                         static_cast<std::size_t>(&k - s.keys.data()), std::move(k.name),
                         std::move(k.value)};
  if (header) {
    asWritten_->header = std::move(s.name);
    s.name = header->name;
    if (s.name != *asWritten_->header) sectionIndex_.slots.clear();
  }
  if (line->name != asWritten_->name) s.index.slots.clear();
  k.name = line->name;
  k.value = Owned(line->value);
  // Names and values hold no NUL (Arg cuts them), so what was read back reads back as itself.
  return true;
}

}  // namespace vetrix
