// Any file content, names and values: no crash, reads stay within the buffer, a changed file is
// all CRLF lines, a plain value written under plain names reads back as written, and a parsed
// file that is written to reads as the written file does.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <string>

#include "support/profile_whole_file.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

// Letters and digits only, so the name cannot open a section, hold an "=" or be trimmed.
std::string PlainName(FuzzedDataProvider& in) {
  std::string name = in.ConsumeRandomLengthString(8);
  for (char& c : name)
    c = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJ0123456789"[static_cast<unsigned char>(c) % 46];
  return name.empty() ? "k" : name;
}

bool EndsEveryLineWithCrlf(const std::string& s) {
  if (s.empty()) return true;
  if (s.size() < 2 || s.compare(s.size() - 2, 2, "\r\n") != 0) return false;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\r' && s[i + 1] != '\n') return false;
    if (s[i] == '\n' && (i == 0 || s[i - 1] != '\r')) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  const std::string section = in.ConsumeRandomLengthString(16);
  const std::string key = in.ConsumeRandomLengthString(16);
  const std::string value = in.ConsumeRandomLengthString(64);
  const std::string plainSection = PlainName(in), plainKey = PlainName(in);
  const std::string content = in.ConsumeRemainingBytesAsString();

  const auto read = vetrix::ProfileRead(content, section, key);
  Check(!read || read->size() < vetrix::kProfileReadBuffer);
  vetrix::ProfileKeys(content, section);

  // Names and values are written as given, so only line ends in them can break a line.
  const bool noLineEnds = (section + key + value).find_first_of("\r\n") == std::string::npos;
  std::string withValue;
  for (const auto& v : {std::optional<std::string>(value), std::optional<std::string>()}) {
    const std::string written = vetrix::ProfileWrite(content, section, key, v);
    Check(written == content || !noLineEnds || EndsEveryLineWithCrlf(written));
    if (v) withValue = written;
  }

  // A value with no line end, NUL, quote or white space at either end reads back unchanged, in a
  // file without NUL bytes: a NUL can hide white space at the end of a section's name, which the
  // rewritten file then shows, so that "[n\t\0]" comes back as a second "[n]" before the one
  // written to (Wine does the same).
  std::string plain;
  for (char c : value)
    if (c != '\r' && c != '\n' && c != '\0' && c != '"' && c != '\'') plain += c;
  while (!plain.empty() && static_cast<unsigned char>(plain.back()) <= ' ') plain.pop_back();
  while (!plain.empty() && static_cast<unsigned char>(plain.front()) <= ' ') plain.erase(0, 1);
  const std::string after = vetrix::ProfileWrite(content, plainSection, plainKey, plain);
  Check(content.find('\0') != std::string::npos ||
        vetrix::ProfileRead(after, plainSection, plainKey) == plain);

  // A file parsed once and written to twice, looked at only then, holds what the plain functions
  // write and reads as that file.
  vetrix::ProfileText text(content);
  text.Write(section, key, value);
  text.Write(plainSection, plainKey, plain);
  Check(text.Text() == vetrix::ProfileWrite(withValue, plainSection, plainKey, plain));
  Check(text == vetrix::ProfileText(text.Text()));
  return 0;
}
