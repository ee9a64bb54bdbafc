// Runs the same profile-file operations through Wine's GetPrivateProfileStringA and
// WritePrivateProfileStringA and through profile_format/document, prints every answer and every
// resulting file, and exits 1 when the two disagree anywhere.
//
//   profile_oracle <corpus folder> <cases file> [ANSI code page the run must have]
//
// The cases file has one operation a line, fields separated by tabs, "\t", "\r", "\n", "\\" and
// "\xHH" escapes allowed in fields; "#" starts a comment line:
//   file <name>|-             starts a case: a fresh copy of corpus/<name>, or no file at all
//   read <section> <key>...   reads each key; a missing key is told apart from any value
//   write <section> <key> <value>
//   delete <section> <key>
//   keys <section>            lists the section's keys
// After a difference the portable side goes on from Wine's file, so one fault is told once.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "support/profile_whole_file.h"

namespace {

using vetrix::kProfileReadBuffer;

std::string Shown(const std::string& s) {
  std::string out = "\"";
  for (unsigned char c : s) {
    if (c == '\\' || c == '"') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c >= 0x20 && c < 0x7f) {
      out += static_cast<char>(c);
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      out += hex;
    }
  }
  return out + "\"";
}

std::string Shown(const std::optional<std::string>& s) { return s ? Shown(*s) : "(none)"; }

std::string Unescape(const std::string& s) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] != '\\' || i + 1 == s.size()) {
      out += s[i];
      continue;
    }
    const char c = s[++i];
    if (c == 't')
      out += '\t';
    else if (c == 'r')
      out += '\r';
    else if (c == 'n')
      out += '\n';
    else if (c == 'x' && i + 2 < s.size()) {
      out += static_cast<char>(std::stoi(s.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else
      out += c;
  }
  return out;
}

std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (;;) {
    const std::size_t tab = line.find('\t', start);
    fields.push_back(Unescape(line.substr(start, tab - start)));
    if (tab == std::string::npos) return fields;
    start = tab + 1;
  }
}

std::optional<std::string> Slurp(const std::string& path) {
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return std::nullopt;
  std::string data;
  char buf[4096];
  for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;) data.append(buf, n);
  std::fclose(f);
  return data;
}

bool Spit(const std::string& path, const std::string& data) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool ok = std::fwrite(data.data(), 1, data.size(), f) == data.size();
  return std::fclose(f) == 0 && ok;
}

class Oracle {
 public:
  explicit Oracle(std::string corpus) : corpus_(std::move(corpus)) {}

  int differences() const { return differences_; }

  void Run(const std::vector<std::string>& f, int lineNo) {
    const std::string& op = f[0];
    if (op == "file" && f.size() == 2) return Start(f[1]);
    if (path_.empty()) return Bad(lineNo, "operation before any file");
    // Wine keeps a parsed copy of the file; dropping it makes every operation start from the
    // bytes on disk, as the portable side does.
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, path_.c_str());
    if (op == "read" && f.size() >= 3) {
      for (std::size_t i = 2; i < f.size(); ++i) Read(f[1], f[i]);
    } else if (op == "write" && f.size() == 4) {
      Write(f[1], f[2], f[3]);
    } else if (op == "delete" && f.size() == 3) {
      Write(f[1], f[2], std::nullopt);
    } else if (op == "keys" && f.size() == 2) {
      Keys(f[1]);
    } else {
      Bad(lineNo, "unknown operation " + op);
    }
  }

 private:
  void Start(const std::string& name) {
    char file[32];
    std::snprintf(file, sizeof file, ".\\case%03d.ini", ++case_);
    path_ = file;
    DeleteFileA(path_.c_str());
    ours_.reset();
    if (name != "-") {
      ours_ = Slurp(corpus_ + "\\" + name);
      if (!ours_ || !Spit(path_, *ours_)) {
        std::printf("ERROR cannot copy %s\n", name.c_str());
        ++differences_;
        path_.clear();
        return;
      }
    }
    std::printf("\n== case %d: %s\n", case_, name.c_str());
  }

  void Read(const std::string& section, const std::string& key) {
    // Two defaults that no value equals tell a missing key from any value.
    const std::string a = WineRead(section, key,
                                   "\x01"
                                   "A");
    const std::string b = WineRead(section, key,
                                   "\x01"
                                   "B");
    std::optional<std::string> wine;
    if (a != "\x01"
             "A" ||
        b != "\x01"
             "B")
      wine = a;
    const std::optional<std::string> ours = vetrix::ProfileRead(Content(), section, key);
    Report("read [" + section + "] " + Shown(key), Shown(wine), Shown(ours));
  }

  std::string WineRead(const std::string& section, const std::string& key, const char* def) {
    std::vector<char> buf(kProfileReadBuffer);
    const DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), def, buf.data(),
                                             static_cast<DWORD>(buf.size()), path_.c_str());
    return std::string(buf.data(), n);
  }

  void Keys(const std::string& section) {
    std::vector<char> buf(1 << 16);
    const DWORD n = GetPrivateProfileStringA(section.c_str(), nullptr, "", buf.data(),
                                             static_cast<DWORD>(buf.size()), path_.c_str());
    std::string ours;
    for (const std::string& k : vetrix::ProfileKeys(Content(), section)) ours += k + '\0';
    Report("keys [" + section + "]", Shown(std::string(buf.data(), n)), Shown(ours));
  }

  void Write(const std::string& section, const std::string& key,
             const std::optional<std::string>& value) {
    const BOOL ok = WritePrivateProfileStringA(section.c_str(), key.c_str(),
                                               value ? value->c_str() : nullptr, path_.c_str());
    const std::optional<std::string> wine = Slurp(path_);
    std::optional<std::string> ours = ours_;
    const std::string next = vetrix::ProfileWrite(Content(), section, key, value);
    if (next != Content()) ours = next;
    const std::string what =
        (value ? "write [" + section + "] " + Shown(key) + " = " + Shown(*value)
               : "delete [" + section + "] " + Shown(key)) +
        (ok ? "" : " (failed)");
    Report(what, Shown(wine), Shown(ours));
    ours_ = wine;
  }

  const std::string& Content() const {
    static const std::string none;
    return ours_ ? *ours_ : none;
  }

  void Report(const std::string& what, const std::string& wine, const std::string& ours) {
    if (wine == ours) {
      std::printf("ok   %s -> %s\n", what.c_str(), wine.c_str());
      return;
    }
    ++differences_;
    std::printf("DIFF %s\n  wine: %s\n  ours: %s\n", what.c_str(), wine.c_str(), ours.c_str());
  }

  void Bad(int lineNo, const std::string& why) {
    std::printf("ERROR line %d: %s\n", lineNo, why.c_str());
    ++differences_;
  }

  std::string corpus_;
  std::string path_;
  std::optional<std::string> ours_;
  int case_ = 0;
  int differences_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 && argc != 4) {
    std::fprintf(stderr, "usage: profile_oracle <corpus folder> <cases file> [code page]\n");
    return 2;
  }
  // A missing locale silently gives another code page; that run would prove nothing new.
  if (argc == 4 && GetACP() != std::strtoul(argv[3], nullptr, 10)) {
    std::fprintf(stderr, "profile_oracle: ANSI code page is %u, not %s\n", GetACP(), argv[3]);
    return 2;
  }
  const std::optional<std::string> cases = Slurp(argv[2]);
  if (!cases) {
    std::fprintf(stderr, "profile_oracle: cannot read %s\n", argv[2]);
    return 2;
  }
  std::printf("ANSI code page %u\n", GetACP());
  Oracle oracle(argv[1]);
  int lineNo = 0;
  std::size_t start = 0;
  while (start < cases->size()) {
    std::size_t end = cases->find('\n', start);
    if (end == std::string::npos) end = cases->size();
    std::string line = cases->substr(start, end - start);
    start = end + 1;
    ++lineNo;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    oracle.Run(Fields(line), lineNo);
  }
  std::printf("\n%d difference(s)\n", oracle.differences());
  return oracle.differences() == 0 ? 0 : 1;
}
