// The attempt trace: what an attempt is, how it is written, and that a replay of what was written
// comes to what the program did.
#include "recognition/attempt_trace.h"

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "base/texts.h"
#include "check/analysis.h"
#include "check/inputs.h"
#include "fixture.h"
#include "recognition/watcher.h"
#include "shell/startup.h"

namespace vetrix {
namespace {

// Row 0: right, then down; row 1: up; row 2 follows left and has no action.
const std::string kRows =
    "[Main]\r\nNum=3\r\n1=0 270\r\n2=90\r\n3=180\r\na0=C:\\a.bat\r\na1=C:\\b.bat\r\n";
const std::string kGestures = kRows + "TraceFile=trace.txt\r\n";
// Where the program makes the relative setting point: the current folder at start-up.
constexpr const char* kTracePath = "/Vetrix/work/trace.txt";
constexpr Point kOrigin{500, 400};

struct Attempt {
  std::string opening;  // the comment line, without its line end
  std::vector<std::string> lines;
  std::vector<fake::World::Sample> samples;
};

// The file split at its comment lines, as vetrix-check splits it.
std::vector<Attempt> Attempts(const std::string& file) {
  std::vector<Attempt> attempts;
  std::size_t at = 0;
  while (at < file.size()) {
    const std::size_t end = file.find("\r\n", at);
    const std::string line = file.substr(at, end - at);
    at = end == std::string::npos ? file.size() : end + 2;
    if (line.starts_with("# ")) {
      attempts.push_back({line, {}, {}});
    } else if (!attempts.empty()) {
      attempts.back().lines.push_back(line);
    }
  }
  for (Attempt& a : attempts) {
    std::string text;
    for (const std::string& line : a.lines) text += line + "\n";
    a.samples = check::ParseTrace(text);
  }
  return attempts;
}

class AttemptTraceTest : public testing::FileTest {
 protected:
  void Create(const std::string& ini) {
    WriteIni(ini);
    OnCreate(window());
    world().cursor = kOrigin;
  }
  std::string Trace() {
    const std::string* bytes = world().FileBytes(kTracePath);
    return bytes ? *bytes : std::string();
  }
  // Continuous recognition over the track, stopped by a click at `stopAt`.
  void RunContinuous(std::vector<fake::World::Sample> track, std::uint64_t stopAt) {
    world().FollowTrack(std::move(track));
    world().At(stopAt, [this] { window().startButton.Click(); });
    window().startButton.Click();
  }
  // Row 0 (right, then down) fires once from each time in `at`, down a staircase.
  void FireAt(std::initializer_list<std::uint64_t> at, std::uint64_t stopAt) {
    std::vector<fake::World::Sample> track;
    Point p = kOrigin;
    for (const std::uint64_t t : at) {
      p.x += 30;
      track.push_back({t, p});
      p.y += 30;
      track.push_back({t + 40, p});
    }
    RunContinuous(std::move(track), stopAt);
  }
};

std::vector<int> FiredRows(const std::vector<check::FiredRow>& fires) {
  std::vector<int> rows;
  for (const auto& f : fires) rows.push_back(f.row);
  return rows;
}

// Each attempt begins with the counted movement that starts a gesture or the timer, its first
// line the point that movement was measured from, and ends as the program ended it; replayed
// from a fresh start it comes to the same end.
TEST_F(AttemptTraceTest, AttemptsAreWrittenWithTheirBoundsAndEnding) {
  struct Case {
    const char* name;
    const char* options;
    std::function<void()> run;
    const char* opening;
    std::vector<std::string> lines;
    std::vector<int> replayFires;
    std::string explanation;  // vetrix-check's, of the file as written
  };
  const Case cases[] = {
      {"a gesture fires",
       "",
       [this] {
         // A first movement down and to the left matches no first stroke: no attempt yet,
         // but the anchor moves to where it ended.
         RunContinuous({{50, {482, 418}}, {100, {512, 418}}, {140, {512, 448}}}, 1000);
       },
       "# attempt 2026-12-08 14:03:00, continuous, fired row 0",
       {"0 482 418", "50 512 418", "60 512 418", "70 512 418", "80 512 418", "90 512 448"},
       {0},
       ""},
      {"a wrong turn, then the timer",
       "",
       [this] {
         // Row 0 drops at the turn up (one failure of the two that stop the timer early), and
         // while the timer runs row 1 cannot start.
         RunContinuous({{100, {530, 400}}, {140, {530, 370}}}, 5000);
       },
       "# attempt 2026-12-08 14:03:00, continuous, ended by the timer",
       {"0 500 400", "100 530 400", "110 530 400", "120 530 400", "130 530 400", "140 530 370",
        "150 530 370", "160 530 370", "170 530 370", "3100 530 370"},
       {},
       "row 0 followed 1 of 2 strokes; then the pointer went 90°, the stroke wants 270°: 45° or "
       "more apart"},
      {"the button is released",
       "UM=1\r\nMB=3\r\n",
       [this] {
         world().FollowTrack({{100, {530, 400}}});
         world().At(200, [this] { window().frame.onHookMessage(517); });
         window().frame.onHookMessage(516);
       },
       "# attempt 2026-12-08 14:03:00, mouse button, ended with the run",
       {"0 500 400", "100 530 400", "110 530 400", "120 530 400", "130 530 400", "200 530 400"},
       {},
       "row 0 followed 1 of 2 strokes; then the pointer stopped, the stroke wants 270°"},
      {"the hot key's one gesture",
       "HK=yes\r\nHotkey=Ctrl+Alt+F5\r\n",
       [this] {
         world().FollowTrack({{1500, {500, 370}}});
         window().frame.onHotKey();
       },
       "# attempt 2026-12-08 14:03:01, hot key, fired row 1",
       {"0 500 400", "1500 500 370"},
       {1},
       ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Restart();
    PointWorldAtFolders();
    const std::string ini = std::string(kGestures) + c.options;
    Create(ini);
    c.run();
    // Read before the checker's runs below, which each start a fresh world.
    const std::string written = Trace();
    const std::vector<Attempt> attempts = Attempts(written);
    ASSERT_EQ(attempts.size(), 1u) << written;
    EXPECT_EQ(attempts[0].opening, c.opening);
    EXPECT_EQ(attempts[0].lines, c.lines);
    EXPECT_EQ(FiredRows(check::Replay(ini, attempts[0].samples)), c.replayFires);
    const check::Report explained = check::Analyse(ini, nullptr, check::ParseAttempts(written));
    ASSERT_EQ(explained.attempts.size(), 1u);
    EXPECT_EQ(explained.attempts[0].explanation, c.explanation);
    EXPECT_FALSE(explained.attempts[0].differs);
  }
}

// Two gestures followed drop out at one turn: the failures stop the timer there, which ends the
// attempt in that pass, by the timer, while the run goes on.
TEST_F(AttemptTraceTest, TheFailuresThatStopTheTimerEndTheAttemptByTheTimer) {
  Create(
      "[Main]\r\nNum=3\r\n1=0 270\r\n2=0 90\r\n3=180\r\na0=C:\\a.bat\r\n"
      "a1=C:\\b.bat\r\nTraceFile=trace.txt\r\n");
  RunContinuous({{100, {530, 400}}, {140, {500, 400}}}, 5000);
  const std::vector<Attempt> attempts = Attempts(Trace());
  ASSERT_EQ(attempts.size(), 1u) << Trace();
  EXPECT_EQ(attempts[0].opening, "# attempt 2026-12-08 14:03:00, continuous, ended by the timer");
  EXPECT_EQ(attempts[0].lines.back(), "140 500 400");
}

TEST_F(AttemptTraceTest, ALongAttemptKeepsItsLastPassesFromAnAnchor) {
  const std::string ini = "[Main]\r\nNum=1\r\n1=0 270\r\na0=C:\\a.bat\r\nTraceFile=trace.txt\r\n";
  Create(ini);
  // 15 pixels a pass: every second pass counts a movement, all of them rightward, which keeps
  // the one gesture on its first stroke; then a movement down fires it. The count makes the
  // ring's oldest pass one that counted none.
  std::vector<fake::World::Sample> track;
  const int steps = static_cast<int>(kTraceRingSize) + 101;
  for (int i = 1; i <= steps; ++i) track.push_back({10u * i, {kOrigin.x + 15 * i, kOrigin.y}});
  track.push_back({10u * steps + 10, {kOrigin.x + 15 * steps, kOrigin.y + 30}});
  RunContinuous(track, 10u * steps + 1000);
  ASSERT_EQ(world().shellCalls.size(), 1u);

  const std::vector<Attempt> attempts = Attempts(Trace());
  ASSERT_EQ(attempts.size(), 1u);
  const Attempt& a = attempts[0];
  // The attempt began at the second sample (the first movement of 30 pixels): the line of its
  // anchor, then one per pass, a pass per sample; the oldest went.
  const std::size_t lines = track.size();
  const std::size_t kept = a.lines.size();
  EXPECT_EQ(a.opening, "# attempt 2026-12-08 14:03:00, continuous, fired row 0, first " +
                           std::to_string(lines - kept) + " samples lost");
  // The first line kept is one that a movement was measured from, so the ring's oldest pass,
  // which was none, went too.
  EXPECT_EQ(kept, kTraceRingSize - 1);
  ASSERT_FALSE(a.samples.empty());
  EXPECT_EQ(a.samples.front().at, 0u);
  EXPECT_EQ((a.samples.front().to.x - kOrigin.x) % 30, 0);
  EXPECT_EQ(a.samples.back().to, track.back().to);
  EXPECT_EQ(FiredRows(check::Replay(ini, a.samples)), std::vector<int>{0});
}

// Past the limit the file starts afresh with the latest whole attempts that fit into half of
// it, then the new one; up to the limit it only grows.
TEST_F(AttemptTraceTest, TheFileStartsAfreshPastItsLimit) {
  const auto fire = [this] {
    FireAt({100}, 1000);
    ASSERT_EQ(world().shellCalls.size(), 1u);
  };
  Create(kGestures);
  fire();
  const std::string attempt = Trace();
  ASSERT_TRUE(attempt.starts_with("# attempt "));

  // Old attempts of about 1 kB each, numbered so that each is told from the others; the first,
  // as in a file already rotated, of the length that makes up `size`.
  const auto oldAttempts = [](std::size_t size) {
    const std::string opening = "# attempt 2026-01-01 00:00:00, continuous, ended by the timer\r\n";
    std::string text;
    for (int n = 1; text.size() + 1000 + 200 <= size; ++n) {
      std::string one = opening + std::to_string(n) + " 1 1\r\n";
      while (one.size() < 1000) one += "0 1 1\r\n";
      text += one.substr(0, 1000 - 2) + "\r\n";
    }
    const std::size_t padding = size - text.size() - opening.size() - 6;
    return opening + "0 1 " + std::string(padding, '1') + "\r\n" + text;
  };
  const std::size_t fits = kTraceFileLimit - attempt.size();
  for (const std::size_t size : {fits, fits + 1}) {
    SCOPED_TRACE(size);
    Restart();
    PointWorldAtFolders();
    const std::string old = oldAttempts(size);
    world().PutFile(kTracePath, old);
    Create(kGestures);
    fire();
    ASSERT_EQ(old.size(), size);
    const std::string file = Trace();
    ASSERT_TRUE(file.ends_with(attempt));
    // Texts of a megabyte: their sizes, then their equality without a line diff.
    if (size == fits) {
      ASSERT_EQ(file.size(), old.size() + attempt.size());
      EXPECT_TRUE(file == old + attempt);
      continue;
    }
    const std::size_t kept = file.size() - attempt.size();
    EXPECT_LE(file.size(), kTraceFileLimit / 2);
    EXPECT_TRUE(file.starts_with("# attempt "));
    EXPECT_TRUE(file.compare(0, kept, old, old.size() - kept) == 0);
    // The attempt before the first one kept would not have fitted.
    EXPECT_GT(kept + 1000, kTraceFileLimit / 2 - attempt.size());
  }
}

TEST_F(AttemptTraceTest, ARefusedPathIsShownOnceAndRecognitionGoesOn) {
  world().refusedFiles = {kTracePath};
  Create(kGestures);
  FireAt({100, 200, 300}, 1000);
  EXPECT_EQ(world().shellCalls.size(), 3u);
  EXPECT_EQ(world().FileBytes(kTracePath), nullptr);
  EXPECT_EQ(world().tray.tip, texts::kTraceRefusedTip.str() + "\\Vetrix\\work\\trace.txt");
  EXPECT_EQ(std::count(world().tray.calls.begin(), world().tray.calls.end(), "modify:tip"), 1);
}

// A mistyped path or a hostile gesture.ini names a file that holds something else: it is neither
// added to nor cut, however large, and neither is one that cannot be read, a share or a device.
TEST_F(AttemptTraceTest, OnlyANewEmptyOrAttemptFileIsWritten) {
  const std::string document(kTraceFileLimit + 14, 'x');
  const std::string attempts = "# attempt 2026-01-01 00:00:00, continuous, ended by the timer\r\n";
  struct Case {
    const char* setting;
    std::optional<std::string> before;
    bool unreadable;
    std::optional<std::string> tip;  // none: the attempt is added
    const char* shownPath;
  };
  const Case cases[] = {
      {"notes.txt", document, false, texts::kTraceNotATraceTip.str(), "\\Vetrix\\work\\notes.txt"},
      {"notes.txt", "Dear diary\r\n", false, texts::kTraceNotATraceTip.str(),
       "\\Vetrix\\work\\notes.txt"},
      {"notes.txt", "# attem", false, texts::kTraceNotATraceTip.str(), "\\Vetrix\\work\\notes.txt"},
      {"trace.txt", attempts, true, texts::kTraceRefusedTip.str(), "\\Vetrix\\work\\trace.txt"},
      {"\\\\server\\share\\trace.txt", std::nullopt, false, texts::kTraceNetworkTip.str(),
       "\\\\server\\share\\trace.txt"},
      {"//server/share/trace.txt", std::nullopt, false, texts::kTraceNetworkTip.str(),
       "//server/share/trace.txt"},
      {"NUL", std::nullopt, false, texts::kTraceNetworkTip.str(), "\\Vetrix\\work\\NUL"},
      {"C:\\logs\\Com1.txt", std::nullopt, false, texts::kTraceNetworkTip.str(),
       "C:\\logs\\Com1.txt"},
      {"trace.txt", "", false, std::nullopt, ""},
      {"trace.txt", attempts, false, std::nullopt, ""},
      {"trace.txt", std::nullopt, false, std::nullopt, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.setting) + " holding " + c.before.value_or("nothing").substr(0, 20));
    Restart();
    PointWorldAtFolders();
    const std::string path = std::string("/Vetrix/work/") + c.setting;
    if (c.before) world().PutFile(path, *c.before);
    if (c.unreadable) world().unreadableFiles = {path};
    Create(std::string(kRows) + "TraceFile=" + c.setting + "\r\n");
    FireAt({100}, 1000);
    ASSERT_EQ(world().shellCalls.size(), 1u);
    const std::string* after = world().FileBytes(path);
    if (c.tip) {
      EXPECT_EQ(world().tray.tip, *c.tip + c.shownPath);
      EXPECT_EQ(after != nullptr, c.before.has_value());
      if (after && c.before) {
        ASSERT_EQ(after->size(), c.before->size());
        EXPECT_TRUE(*after == *c.before);
      }
      if (!c.before) {
        EXPECT_EQ(world().plainFileWrites, 0);
      }
    } else {
      EXPECT_EQ(world().tray.tip, texts::kAppTitle.str());
      ASSERT_NE(after, nullptr);
      EXPECT_TRUE(after->starts_with(c.before.value_or("") + "# attempt 2026-12-08"));
    }
  }
}

// A write that fails or takes long stops the trace for a minute; then it is tried again.
TEST_F(AttemptTraceTest, AFailedOrSlowWriteStopsTheTraceForAWhile) {
  const std::uint64_t later = 1000 + kTraceQuietMs;
  for (const bool slow : {true, false}) {
    SCOPED_TRACE(slow ? "slow" : "refused");
    Restart();
    PointWorldAtFolders();
    if (slow) {
      world().plainFileWriteMs = kTraceSlowWriteMs + 1;
    } else {
      world().refusedFiles = {kTracePath};
    }
    Create(kGestures);
    // Row 0 fires three times: at once, soon after, and once the minute has passed.
    FireAt({100, 900, later}, later + 1000);
    EXPECT_EQ(world().shellCalls.size(), 3u);
    EXPECT_EQ(world().plainFileWrites, 2);
    if (slow) {
      EXPECT_EQ(Attempts(Trace()).size(), 2u);
    }
  }
}

// The refusal stays the tip once a pause has ended, where the program's name would hide it.
TEST_F(AttemptTraceTest, TheRefusalOutlastsAPause) {
  world().refusedFiles = {kTracePath};
  Create(std::string(kGestures) + "[Exclude]\r\n1=game.exe\r\n");
  FireAt({100}, 1000);
  const std::string refusal = texts::kTraceRefusedTip.str() + "\\Vetrix\\work\\trace.txt";
  ASSERT_EQ(world().tray.tip, refusal);
  const Rect monitor{0, 0, 1024, 768};
  world().BringToFront({"game.exe", {100, 100, 400, 300}, monitor, false});
  platform::ProcessMessages();
  EXPECT_EQ(world().tray.tip, texts::kPausedTip.str() + " (game.exe)");
  world().BringToFront({"notepad.exe", {100, 100, 400, 300}, monitor, false});
  platform::ProcessMessages();
  EXPECT_EQ(world().tray.tip, refusal);
}

TEST_F(AttemptTraceTest, WithoutAPathNothingListensAndNothingIsWritten) {
  for (const char* setting : {"", "TraceFile=\r\n", "TraceFile=  \r\n"}) {
    SCOPED_TRACE(setting);
    Restart();
    PointWorldAtFolders();
    const std::size_t boundWatchers = WatcherCount(window());
    Create(std::string("[Main]\r\nNum=1\r\n1=0\r\na0=C:\\a.bat\r\n") + setting);
    EXPECT_EQ(WatcherCount(window()), boundWatchers);
    RunContinuous({{100, {530, 400}}}, 1000);
    EXPECT_EQ(world().shellCalls.size(), 1u);
    EXPECT_EQ(world().FileBytes(kTracePath), nullptr);
  }
}

}  // namespace
}  // namespace vetrix
