#include "check/report_output.h"

#include <algorithm>
#include <nlohmann/json.hpp>

namespace vetrix::check {
namespace {

// Characters, not bytes: the texts are UTF-8.
std::size_t Width(const std::string& s) {
  return static_cast<std::size_t>(
      std::count_if(s.begin(), s.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

std::string Padded(const std::string& s, std::size_t width) {
  return s + std::string(width > Width(s) ? width - Width(s) : 0, ' ');
}

std::string Strokes(const std::vector<std::int32_t>& angles) {
  std::string text;
  for (std::int32_t a : angles) text += (text.empty() ? "" : " ") + std::to_string(a) + Arrow(a);
  return text.empty() ? "-" : text;
}

const char* SeverityName(Severity s) { return s == Severity::Error ? "error" : "warning"; }

std::string Count(std::size_t n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

}  // namespace

std::string Arrow(std::int32_t angle) {
  static const char* const kArrows[] = {"→", "↗", "↑", "↖", "←", "↙", "↓", "↘"};
  const std::int32_t a = angle % 360 < 0 ? angle % 360 + 360 : angle % 360;
  return a % 45 == 0 ? kArrows[a / 45] : "";
}

void PrintText(std::ostream& out, const std::string& fileName, const Report& report,
               bool replayed) {
  out << fileName << ": " << Count(report.gestures.size(), "gesture", "gestures") << ", "
      << Count(report.commands.size(), "saved command line", "saved command lines") << "\n";

  if (!report.gestures.empty()) {
    std::size_t strokesWidth = Width("strokes");
    for (const GestureRow& g : report.gestures)
      strokesWidth = std::max(strokesWidth, Width(Strokes(g.angles)));
    out << "\nrow  key  " << Padded("strokes", strokesWidth) << "  action\n";
    for (const GestureRow& g : report.gestures) {
      out << Padded(std::to_string(g.row), 3) << "  " << Padded(g.key, 3) << "  "
          << Padded(Strokes(g.angles), strokesWidth) << "  " << g.shown << "\n";
      for (const OwnAction& own : g.own)
        out << std::string(strokesWidth + 12, ' ') << "in " << own.program << ": "
            << (own.action.empty() ? "nothing" : own.shown) << "\n";
    }
  }

  if (!report.commands.empty()) {
    out << "\nsaved command lines\n";
    for (const SavedCommand& c : report.commands)
      out << "  " << Padded(std::to_string(c.key), 3) << "  " << c.text << "\n";
  }

  if (!report.excluded.empty() || report.pauseFullscreen) {
    out << "\npaused while in front\n";
    for (const std::string& program : report.excluded) out << "  " << program << "\n";
    if (report.pauseFullscreen) out << "  any full-screen window (PauseFullscreen=yes)\n";
  }

  if (!report.traceFile.empty())
    out << "\nattempts recorded to " << report.traceFile << " (TraceFile)\n";
  out << "\non screen while drawing\n  trail: " << (report.trail ? "yes" : "no (Trail=no)")
      << "\n  tip:   " << (report.tip ? "yes" : "no (Tip=no)") << "\n";

  if (report.problems.empty()) {
    out << "\nno problems\n";
  } else {
    std::size_t keyWidth = 3;
    for (const Problem& p : report.problems) keyWidth = std::max(keyWidth, Width(p.key));
    out << "\nproblems\n";
    for (const Problem& p : report.problems)
      out << "  " << Padded(SeverityName(p.severity), 7) << "  " << Padded(p.key, keyWidth) << "  "
          << p.message << "\n";
  }

  if (replayed) {
    out << "\nreplay: " << Count(report.fires.size(), "firing", "firings") << "\n";
    const bool several = report.attempts.size() > 1;
    for (const FiredRow& f : report.fires)
      out << "  " << (several ? "attempt " + std::to_string(f.attempt) + ", " : "") << f.ms
          << " ms  row " << f.row << "  " << f.action << "\n";
  }
  for (std::size_t k = 0; k < report.attempts.size(); ++k) {
    const AttemptReport& a = report.attempts[k];
    out << "\nattempt " << k + 1 << (a.header ? ": " + a.header->text : "") << "\n";
    if (a.samples == 0) {
      out << "  no samples\n";
      continue;
    }
    if (!a.program.empty()) out << "  in front: " << a.program << "\n";
    if (a.header)
      out << "  recorded: " << a.recorded << "; replayed: " << a.replayed
          << (a.differs ? " (they differ)" : "") << "\n";
    else
      out << "  replayed: " << a.replayed << "\n";
    if (!a.explanation.empty()) out << "  " << a.explanation << "\n";
    if (!a.strokesText.empty()) out << "  " << a.strokesText << "\n";
  }
}

void PrintJson(std::ostream& out, const Report& report) {
  using Json = nlohmann::ordered_json;
  Json gestures = Json::array(), commands = Json::array(), problems = Json::array(),
       fires = Json::array();
  for (const GestureRow& g : report.gestures) {
    Json own = Json::array();
    for (const OwnAction& o : g.own) own.push_back({{"program", o.program}, {"action", o.action}});
    gestures.push_back({{"row", g.row},
                        {"key", g.key},
                        {"angles", g.angles},
                        {"action", g.action},
                        {"programs", std::move(own)}});
  }
  for (const SavedCommand& c : report.commands)
    commands.push_back({{"key", c.key}, {"text", c.text}});
  for (const Problem& p : report.problems)
    problems.push_back(
        {{"key", p.key}, {"severity", SeverityName(p.severity)}, {"message", p.message}});
  for (const FiredRow& f : report.fires)
    fires.push_back({{"ms", f.ms}, {"row", f.row}, {"action", f.action}, {"attempt", f.attempt}});
  Json attempts = Json::array();
  for (const AttemptReport& a : report.attempts) {
    Json fired = Json::array();
    for (const AttemptFiring& f : a.fires)
      fired.push_back({{"ms", f.ms}, {"row", f.row}, {"action", f.action}});
    Json miss = nullptr;
    if (a.miss) {
      static const char* const kKinds[] = {"wrong turn", "too short", "timer", "shadowed",
                                           "no action"};
      const Miss& m = *a.miss;
      miss = {{"kind", kKinds[static_cast<int>(m.kind)]},
              {"row", m.row},
              {"followed", m.followed},
              {"strokes", m.strokes}};
      if (m.kind == Miss::Kind::kWrongTurn || m.kind == Miss::Kind::kTooShort)
        miss["direction"] = static_cast<int>(m.direction);
      if (m.kind == Miss::Kind::kTooShort) miss["distance"] = m.distance;
      if (m.wantsAny) miss["wants"] = m.wants;
      if (m.kind == Miss::Kind::kTimer || m.kind == Miss::Kind::kShadowed) miss["ms"] = m.ms;
      if (m.kind == Miss::Kind::kShadowed) miss["firedRow"] = m.firedRow;
    }
    attempts.push_back({{"line", a.line},
                        {"header", a.header ? Json(a.header->text) : Json(nullptr)},
                        {"recorded", a.header ? Json(a.recorded) : Json(nullptr)},
                        {"program", a.program},
                        {"replayed", a.replayed},
                        {"differs", a.differs},
                        {"samples", a.samples},
                        {"fires", std::move(fired)},
                        {"miss", std::move(miss)},
                        {"explanation", a.explanation},
                        {"strokes", a.strokes},
                        {"strokesFire", a.strokesFire ? Json(*a.strokesFire) : Json(nullptr)},
                        {"strokesText", a.strokesText}});
  }
  const Json document = {{"gestures", std::move(gestures)},
                         {"commands", std::move(commands)},
                         {"exclude", report.excluded},
                         {"pauseFullscreen", report.pauseFullscreen},
                         {"traceFile", report.traceFile},
                         {"trail", report.trail},
                         {"tip", report.tip},
                         {"problems", std::move(problems)},
                         {"fires", std::move(fires)},
                         {"attempts", std::move(attempts)}};
  out << document.dump(2) << "\n";
}

}  // namespace vetrix::check
