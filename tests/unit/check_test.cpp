// vetrix-check over files with known faults: what it reports, what a replay fires, what it
// draws, and that FILE stays as it was.
#include <gtest/gtest.h>
#include <png.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "capture/gesture_view.h"
#include "check/analysis.h"
#include "check/command_line.h"
#include "check/inputs.h"
#include "check/loaded_program.h"

namespace vetrix::check {
namespace {

namespace fs = std::filesystem;

const Problem* FindProblem(const Report& r, const std::string& key) {
  for (const Problem& p : r.problems)
    if (p.key == key) return &p;
  return nullptr;
}

class CheckFileTest : public ::testing::Test {
 protected:
  CheckFileTest()
      : folder_(fs::temp_directory_path() / ("vetrix-check-" + std::to_string(::getpid()))) {
    fs::create_directories(folder_);
  }
  ~CheckFileTest() override { fs::remove_all(folder_); }

  fs::path Write(const std::string& name, const std::string& bytes) {
    std::ofstream(folder_ / name, std::ios::binary) << bytes;
    return folder_ / name;
  }
  static std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  // Runs the command line; FILE must come out byte for byte as it went in.
  int Run(std::vector<std::string> args, const fs::path& file) {
    const std::string before = Read(file);
    args.insert(args.begin(), "vetrix-check");
    args.push_back(file.string());
    std::vector<const char*> argv;
    for (const std::string& a : args) argv.push_back(a.c_str());
    out_.str("");
    err_.str("");
    const int status = RunCheck(static_cast<int>(argv.size()), argv.data(), out_, err_);
    EXPECT_EQ(Read(file), before) << "FILE changed by " << args[1];
    return status;
  }

  fs::path folder_;
  std::ostringstream out_, err_;
};

TEST(CheckTest, AOneStrokeGestureShadowsALongerOneStartingTheSameWay) {
  const Report r =
      Analyse("[Main]\nNum=3\n1=0\n2=0 90\n3=90 180\na0=x.bat\na1=y.bat\na2=z.bat\n", nullptr);
  ASSERT_EQ(r.problems.size(), 1u);
  EXPECT_EQ(r.problems[0].key, "2");
  EXPECT_EQ(r.problems[0].severity, Severity::Warning);
  EXPECT_EQ(r.problems[0].message,
            "row 1 never fires when drawn exactly: row 0 fires first, at stroke 1 of 2");
  EXPECT_EQ(ExitStatus(r), 1);
  ASSERT_EQ(r.gestures.size(), 3u);
  EXPECT_EQ(r.gestures[1].angles, (std::vector<std::int32_t>{0, 90}));
}

TEST(CheckTest, AGestureNoneCanFollowAndOneWithoutActionNeverFire) {
  // Recognition measures 0..360: a stored 400 never matches, so nothing fires on its path.
  const Report r = Analyse("[Main]\nNum=3\n1=400\n2=90\n3=\na0=x.bat\n", nullptr);
  ASSERT_NE(FindProblem(r, "1"), nullptr);
  EXPECT_EQ(FindProblem(r, "1")->message,
            "row 0 never fires when drawn exactly: no gesture fires on its path");
  ASSERT_NE(FindProblem(r, "a1"), nullptr);
  EXPECT_EQ(FindProblem(r, "a1")->message, "row 1 has no action: it never fires");
  ASSERT_NE(FindProblem(r, "3"), nullptr);
  EXPECT_EQ(FindProblem(r, "3")->message, "row 2 has no strokes: it never fires");
}

TEST(CheckTest, StartUpErrorsCarryTheProgramsOwnTextAndTheirKeys) {
  const Report r = Analyse("[Main]\nNum=3\nScale=big\n1=0\n2=0  90\n3=x 5\na0=a.bat\n", nullptr);
  ASSERT_GE(r.problems.size(), 3u);
  EXPECT_EQ(r.problems[0].key, "Scale");
  EXPECT_EQ(r.problems[0].message, "'big' is not a valid integer value");
  EXPECT_EQ(r.problems[1].key, "2");
  EXPECT_EQ(r.problems[1].message, "'' is not a valid integer value");
  EXPECT_EQ(r.problems[1].severity, Severity::Error);
  // The program shows only the first broken list; the later one still loses its strokes.
  const Problem* later = FindProblem(r, "3");
  ASSERT_NE(later, nullptr);
  EXPECT_EQ(later->severity, Severity::Warning);
  EXPECT_EQ(later->message.rfind("'x' is not a valid integer value: row 2 has no strokes", 0), 0u);
  EXPECT_EQ(ExitStatus(r), 2);
}

TEST(CheckTest, EachBrokenAngleListIsReportedOnce) {
  struct Case {
    std::string file;
    std::vector<std::string> broken;
  };
  const Case cases[] = {
      {"[Main]\nNum=3\n1=0\n2=0  90\n3=x 5\na0=a.bat\na1=b.bat\na2=c.bat\n", {"2", "3"}},
      {"[Main]\nNum=2\n1=y\n2=0 z\n", {"1", "2"}},
      {"[Main]\nNum=2\n1=0 90 q\n2=90\na0=a.bat\na1=b.bat\n", {"1"}},
  };
  for (const Case& c : cases) {
    const Report r = Analyse(c.file, nullptr);
    for (const std::string& key : c.broken) {
      const auto reports = std::count_if(r.problems.begin(), r.problems.end(),
                                         [&key](const Problem& p) { return p.key == key; });
      EXPECT_EQ(reports, 1) << c.file << "key " << key;
    }
  }
}

TEST(CheckTest, KeysNothingReadsAreReported) {
  const Report r = Analyse(
      "[Main]\nNum=3\n1=0\n2=90\n3=180\n4=270\na0=a\na1=b\na2=c\nA5=stale\n"
      "[Messages]\nNumOfMessages=1\n1=one\n2=hidden\n",
      nullptr);
  const Problem* stale = FindProblem(r, "A5");
  ASSERT_NE(stale, nullptr);
  EXPECT_EQ(stale->message,
            "action key A5 belongs to no gesture (\"Num\" is 3): nothing uses it; the program "
            "deletes it once a recording makes row 5");
  ASSERT_NE(FindProblem(r, "4"), nullptr);
  ASSERT_NE(FindProblem(r, "[Messages] 2"), nullptr);
  EXPECT_EQ(FindProblem(r, "[Messages] 2")->message,
            "saved command line 2 is hidden: \"NumOfMessages\" is 1");
  EXPECT_EQ(r.problems.size(), 3u);
  ASSERT_EQ(r.commands.size(), 1u);
  EXPECT_EQ(r.commands[0].text, "one");
}

TEST(CheckTest, HotKeyModeWithoutAKeyAndMissingFilesAreWarnings) {
  const auto probe = [](const std::string& path) -> std::optional<bool> {
    if (path == "C:\\gone.exe") return false;
    return std::nullopt;
  };
  const Report r = Analyse(
      "[Main]\nHK=yes\nHotkey=Ctrl+\nNum=2\n1=0\n2=90\na0=C:\\gone.exe\na1=rel.bat\n", probe);
  ASSERT_EQ(r.problems.size(), 2u);
  EXPECT_EQ(r.problems[0].key, "Hotkey");
  EXPECT_EQ(r.problems[1].key, "a0");
  EXPECT_EQ(r.problems[1].message, "row 0 opens \"C:\\gone.exe\", which does not exist");
}

TEST(CheckTest, ReplayFiresAtThePassThatSeesTheLastStrokeComplete) {
  // A 125 Hz mouse: 3 pixels every 8 ms, right for 80 ms, then up. Passes every 10 ms see the
  // latest sample; the movement counts at 60 ms (21 px right) and at 130 ms (9 right, 18 up:
  // 20.1 px at 63 degrees, within 45 of 90), so row 1 fires at 130 ms.
  std::ostringstream trace;
  trace << "# ms x y\n";
  for (int k = 0; k <= 10; ++k) trace << 8 * k << " " << 500 + 3 * k << " 400\n";
  for (int k = 1; k <= 10; ++k) trace << 80 + 8 * k << " 530 " << 400 - 3 * k << "\n";
  const std::string ini =
      "[Main]\nNum=3\n1=180\n2=0 90\n3=90 180\na0=l.bat\na1=ru.bat\na2=ul.bat\n";
  const std::vector<fake::World::Sample> track = ParseTrace(trace.str());
  // On a start-up of its own, and on the analysis's, as the command line runs it.
  for (const std::vector<FiredRow>& fires :
       {Replay(ini, track), Analyse(ini, nullptr, &track).fires}) {
    ASSERT_EQ(fires.size(), 1u);
    EXPECT_EQ(fires[0].ms, 130u);
    EXPECT_EQ(fires[0].row, 1);
    EXPECT_EQ(fires[0].action, "ru.bat");
  }
  // After another run on the same start-up, as the analysis runs its checks: that run left row 1
  // half followed and its attempt timer running, and the clock past the track's start.
  LoadedProgram program(ini);
  EXPECT_TRUE(program.Recognise({{0, {500, 400}}, {10, {530, 400}}}).empty());
  const std::vector<Firing> again = program.Recognise(track);
  ASSERT_EQ(again.size(), 1u);
  EXPECT_EQ(again[0].ms, 130u);
  EXPECT_EQ(again[0].row, 1);
}

TEST(CheckTest, TraceLinesAreReadStrictly) {
  EXPECT_EQ(ParseTrace("\n# c\n5 1 2\r\n5 -3 4\n").size(), 2u);
  for (const char* bad : {"5 1\n", "5 1 2 3\n", "-1 0 0\n", "9 0 0\n8 0 0\n", "1 0 x\n"})
    EXPECT_THROW(ParseTrace(bad), std::runtime_error) << bad;
  // Coordinates far beyond any screen would overflow the step rule and the drawing.
  EXPECT_EQ(ParseTrace("0 -1000000 1000000\n").size(), 1u);
  for (const char* far :
       {"0 -2147483648 0\n10 2147483647 0\n", "0 0 1000001\n", "0 99999999999 0\n"}) {
    try {
      ParseTrace(far);
      ADD_FAILURE() << far;
    } catch (const std::runtime_error& e) {
      EXPECT_TRUE(std::string(e.what()).starts_with("line 1: x and y are screen pixels"))
          << e.what();
    }
  }
}

// Hand-made attempts, one line each "ms x y" (ms 10 apart unless given): what the nearest
// gesture followed and what ended it, in the words vetrix-check prints.
TEST(CheckTest, AnAttemptThatFiresNothingIsExplainedByItsNearestMiss) {
  struct Case {
    const char* what;
    std::string ini;
    std::string trace;
    std::string explanation;
    std::string strokes;
  };
  const std::string actions = "a0=a.bat\na1=b.bat\na2=c.bat\n";
  const Case cases[] = {
      {"a wrong turn: 228 degrees where 180 is wanted",
       "[Main]\nNum=3\n1=270\n2=180 0\n3=0 90 180\n" + actions,
       "0 500 400\n10 530 400\n20 530 370\n30 510 392\n",
       "row 2 followed 2 of 3 strokes; then the pointer went 228°, the stroke wants 180°: 45° or "
       "more apart",
       "a recording of this movement would give the strokes 0 90 240, which drawn exactly fire no "
       "gesture of this file"},
      {"the last stroke too short to count", "[Main]\nNum=2\n1=0 90\n2=270\n" + actions,
       "0 500 400\n10 530 400\n20 530 385\n",
       "row 0 followed 1 of 2 strokes; then the pointer went 90° for only 15 px, the stroke wants "
       "90°: too short to count, a movement counts past 20 px",
       "a recording of this movement would give the strokes 0, which drawn exactly fire no gesture "
       "of this file"},
      {"the timer: the second stroke comes 3.5 s after the first",
       "[Main]\nNum=3\n1=0 90\n2=270\n3=180\n" + actions, "0 500 400\n10 530 400\n3500 530 370\n",
       "row 0 followed 1 of 2 strokes; then the attempt's 3-second timer ran out, at 3010 ms",
       "a recording of this movement would give the strokes 0 90, which drawn exactly fire row 0"},
      {"followed to the end, but no action", "[Main]\nNum=2\n1=0 90\n2=270\na1=b.bat\n",
       "0 500 400\n10 530 400\n20 530 370\n",
       "row 0 followed all 2 strokes, but has no action: it never fires",
       "a recording of this movement would give the strokes 0 90, which drawn exactly fire no "
       "gesture of this file"},
      {"a gesture shadowed by a shorter one that fires first",
       "[Main]\nNum=2\n1=0\n2=0 90\n" + actions, "0 500 400\n10 530 400\n20 530 370\n",
       "row 1 had followed 1 of 2 strokes when row 0 fired first, at 10 ms",
       // Row 0 fired: no word on what a recording would make of it.
       ""},
      {"a tie goes to the lowest row", "[Main]\nNum=2\n1=0 90\n2=0 270\n" + actions,
       "0 500 400\n10 530 400\n20 500 400\n",
       "row 0 followed 1 of 2 strokes; then the pointer went 180°, the stroke wants 90°: 45° or "
       "more apart",
       "a recording of this movement would give the strokes 0 180, which drawn exactly fire no "
       "gesture of this file"},
      {"the timer on the trace's own clock", "[Main]\nNum=3\n1=0 90\n2=270\n3=180\n" + actions,
       "5000 500 400\n5010 530 400\n8500 530 370\n",
       "row 0 followed 1 of 2 strokes; then the attempt's 3-second timer ran out, at 8010 ms",
       "a recording of this movement would give the strokes 0 90, which drawn exactly fire row 0"},
      {"shadowed by the first of two firings",
       "[Main]\nNum=4\n1=0\n2=0 90 90\n3=90 90\n4=90 90 0\n" + actions + "a3=d.bat\n",
       "0 500 400\n10 530 400\n20 530 370\n30 530 340\n",
       "row 1 had followed 1 of 3 strokes when row 0 fired first, at 10 ms",
       // Row 0 fired: no word on what a recording would make of it.
       ""},
      {"no gesture starts", "[Main]\nNum=1\n1=0\n" + actions, "0 500 400\n10 500 430\n",
       "no gesture followed its first stroke; the first counted movement went 270°",
       "a recording of this movement would give the strokes 270, which drawn exactly fire no "
       "gesture of this file"},
      {"nothing counts", "[Main]\nNum=1\n1=0\n" + actions, "0 500 400\n10 510 400\n",
       "the pointer never went more than 20 px from where the attempt began: no movement counted",
       ""},
  };
  for (const Case& c : cases) {
    const Report r = Analyse(c.ini, nullptr, ParseAttempts(c.trace));
    ASSERT_EQ(r.attempts.size(), 1u) << c.what;
    EXPECT_EQ(r.attempts[0].explanation, c.explanation) << c.what;
    EXPECT_EQ(r.attempts[0].strokesText, c.strokes) << c.what;
  }
}

// The sentence on what a recording would make is for attempts that fired nothing: beside one
// that Vetrix recorded as fired, though the replay fires nothing, it would read as a denial.
TEST(CheckTest, TheRecordingSentenceStaysAwayFromAFiredAttempt) {
  const std::string ini = "[Main]\nNum=1\n1=0 90\na0=a.bat\n";
  const std::string samples = "0 500 400\n10 530 400\n20 530 385\n";
  const Report plain = Analyse(ini, nullptr, ParseAttempts(samples));
  ASSERT_EQ(plain.attempts.size(), 1u);
  EXPECT_NE(plain.attempts[0].strokesText, "");
  const Report fired =
      Analyse(ini, nullptr,
              ParseAttempts("# attempt 2026-12-08 14:03:21, continuous, fired row 0\n" + samples));
  ASSERT_EQ(fired.attempts.size(), 1u);
  EXPECT_TRUE(fired.attempts[0].differs);
  EXPECT_EQ(fired.attempts[0].strokesText, "");
}

// Attempts are replayed each from a fresh start: the second fires as it would alone, at its own
// time, though the first left a gesture half followed and the attempt timer running.
TEST(CheckTest, ARecordedTraceSplitsIntoAttemptsAtTheirHeaders) {
  const std::string trace =
      "# vetrix trace\r\n"
      "# attempt 2026-12-08 14:03:21, continuous, ended with the run, first 7 samples lost\r\n"
      "0 500 400\r\n10 530 400\r\n"
      "# a comment, not an attempt\n"
      "# attempt 2026-12-08 14:03:25, hot key, fired row 1\n"
      "0 100 100\n10 130 100\n20 130 70\n"
      "# attempt 2026-12-08 14:03:30, mouse button, ended by the timer\n"
      "# attempt 2026-12-08 14:03:31, continuous, something new\n";
  const std::vector<Attempt> attempts = ParseAttempts(trace);
  ASSERT_EQ(attempts.size(), 4u);
  using End = AttemptHeader::End;
  const struct {
    int line;
    std::size_t samples;
    End end;
    int row;
    long long lost;
  } want[] = {{2, 2, End::kRun, -1, 7},
              {6, 3, End::kFired, 1, 0},
              {10, 0, End::kTimer, -1, 0},
              {11, 0, End::kUnknown, -1, 0}};
  for (std::size_t k = 0; k < attempts.size(); ++k) {
    ASSERT_TRUE(attempts[k].header) << k;
    EXPECT_EQ(attempts[k].line, want[k].line) << k;
    EXPECT_EQ(attempts[k].samples.size(), want[k].samples) << k;
    EXPECT_EQ(attempts[k].header->end, want[k].end) << k;
    EXPECT_EQ(attempts[k].header->firedRow, want[k].row) << k;
    EXPECT_EQ(attempts[k].header->samplesLost, want[k].lost) << k;
  }
  EXPECT_EQ(attempts[1].header->text, "2026-12-08 14:03:25, hot key, fired row 1");
  EXPECT_EQ(attempts[1].samples[0].at, 0u);

  const Report r =
      Analyse("[Main]\nNum=2\n1=0 90 180\n2=0 90\na0=a.bat\na1=b.bat\n", nullptr, attempts);
  ASSERT_EQ(r.fires.size(), 1u);
  EXPECT_EQ(r.fires[0].attempt, 2);
  EXPECT_EQ(r.fires[0].ms, 20u);
  EXPECT_EQ(r.fires[0].row, 1);
  EXPECT_FALSE(r.attempts[1].differs);
  EXPECT_EQ(r.attempts[2].explanation, "");

  // Written by hand, without headers: one attempt, comments and all; times restart only at a
  // header.
  const std::vector<Attempt> one = ParseAttempts("# ms x y\n0 1 1\n# attempted\n5 2 2\n");
  ASSERT_EQ(one.size(), 1u);
  EXPECT_FALSE(one[0].header);
  EXPECT_EQ(one[0].samples.size(), 2u);
  EXPECT_THROW(ParseAttempts("0 1 1\n9 1 1\n# attempted again\n0 1 1\n"), std::runtime_error);
}

TEST_F(CheckFileTest, ExitStatusesAndFileUntouched) {
  const fs::path good = Write("good.ini", "[Main]\nNum=2\n1=0 90\n2=180\na0=a\na1=b\n");
  EXPECT_EQ(Run({}, good), 0);
  EXPECT_NE(out_.str().find("no problems"), std::string::npos) << out_.str();
  const fs::path broken = Write("broken.ini", "[Main]\nNum=2\n1=0\n2=0  90\na0=a\na1=b\n");
  EXPECT_EQ(Run({"--json"}, broken), 2);
  EXPECT_NE(out_.str().find("\"message\": \"'' is not a valid integer value\""), std::string::npos)
      << out_.str();
  const fs::path trace = Write("trace.txt", "0 100 100\n10 130 100\n");
  EXPECT_EQ(Run({"--replay", trace.string()}, good), 0);
  EXPECT_NE(out_.str().find("replay: 0 firings"), std::string::npos) << out_.str();
  EXPECT_EQ(Run({"--replay", (folder_ / "none.txt").string()}, good), kUnusableInput);
  EXPECT_EQ(Run({}, folder_ / "missing.ini"), kUnusableInput);
  EXPECT_NE(err_.str().find("cannot read"), std::string::npos);
  EXPECT_EQ(Run({"--bogus"}, good), kUnusableInput);

  // Where recognition pauses and where it records attempts, as the program read them: listed,
  // and no problem by themselves.
  const fs::path paused = Write("paused.ini",
                                "[Main]\nNum=1\n1=0\na0=a\nPauseFullscreen=yes\n"
                                "TraceFile= C:\\\xEF\\trace.txt \n"
                                "[Exclude]\n1=game.exe\n2=\xEF\xE0\xE9\xED\xF2.exe\n");
  EXPECT_EQ(Run({}, paused), 0);
  EXPECT_NE(out_.str().find("paused while in front\n  game.exe\n  \xD0\xBF\xD0\xB0\xD0\xB9"
                            "\xD0\xBD\xD1\x82.exe\n  any full-screen window"),
            std::string::npos)
      << out_.str();
  EXPECT_NE(out_.str().find("\nattempts recorded to C:\\\xD0\xBF\\trace.txt (TraceFile)\n"),
            std::string::npos)
      << out_.str();
  EXPECT_EQ(Run({"--json"}, paused), 0);
  EXPECT_NE(out_.str().find("\"pauseFullscreen\": true"), std::string::npos) << out_.str();
  EXPECT_NE(out_.str().find("\"traceFile\": \"C:\\\\\xD0\xBF\\\\trace.txt\""), std::string::npos)
      << out_.str();
  EXPECT_EQ(Run({}, good), 0);
  EXPECT_EQ(out_.str().find("paused while in front"), std::string::npos) << out_.str();
  EXPECT_EQ(out_.str().find("TraceFile"), std::string::npos) << out_.str();
  EXPECT_NE(out_.str().find("on screen while drawing\n  trail: yes\n  tip:   yes\n"),
            std::string::npos)
      << out_.str();

  // What a triggered run shows, as the program read it.
  const fs::path quiet = Write("quiet.ini", "[Main]\nNum=1\n1=0\na0=a\nTrail=no\n");
  EXPECT_EQ(Run({}, quiet), 0);
  EXPECT_NE(out_.str().find("trail: no (Trail=no)\n  tip:   yes\n"), std::string::npos)
      << out_.str();
  EXPECT_EQ(Run({"--json"}, quiet), 0);
  EXPECT_NE(out_.str().find("\"trail\": false,\n  \"tip\": true"), std::string::npos) << out_.str();
}

// A recorded file through the command line: the recorded end beside the replay's, the same
// explanation in text and JSON, and one picture per attempt with the path over its gesture.
TEST_F(CheckFileTest, RecordedAttemptsInTextJsonAndPictures) {
  const fs::path file = Write("turn.ini",
                              "[Main]\nNum=2\nx2=50\ny2=100\n1=270\n2=0 90 180\n"
                              "a0=a.bat\na1=b.bat\n");
  const fs::path trace = Write("trace.txt",
                               "# attempt 2026-12-08 14:03:21, continuous, fired row 1\n"
                               "0 500 400\n10 530 400\n20 530 370\n30 510 392\n");
  const std::string because =
      "row 1 followed 2 of 3 strokes; then the pointer went 228°, the stroke wants 180°: 45° or "
      "more apart";
  EXPECT_EQ(Run({"--replay", trace.string(), "--draw", (folder_ / "pictures").string()}, file), 0);
  EXPECT_NE(out_.str().find("replay: 0 firings\n\nattempt 1: 2026-12-08 14:03:21, continuous, "
                            "fired row 1\n  recorded: fired row 1; replayed: nothing fired (they "
                            "differ)\n  " +
                            because + "\n"),
            std::string::npos)
      << out_.str();
  EXPECT_EQ(Run({"--json", "--replay", trace.string()}, file), 0);
  for (const std::string& part :
       {"\"explanation\": \"" + because + "\"", std::string("\"kind\": \"wrong turn\""),
        std::string("\"direction\": 228"), std::string("\"differs\": true")})
    EXPECT_NE(out_.str().find(part), std::string::npos) << part << "\n" << out_.str();

  // The path, in green, starts on the start point (50, 100) and runs 30 px right, then 30 px up,
  // over the drawing of row 1, the nearest miss, at the file's scale of 15.
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  const std::string picture = (folder_ / "pictures" / "attempt-1.png").string();
  ASSERT_TRUE(png_image_begin_read_from_file(&image, picture.c_str()));
  image.format = PNG_FORMAT_RGB;
  std::vector<std::uint8_t> rgb(PNG_IMAGE_SIZE(image));
  ASSERT_TRUE(png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr));
  const auto at = [&](int x, int y) {
    const std::uint8_t* p = &rgb[(static_cast<std::size_t>(y) * image.width + x) * 3];
    return platform::Rgb{p[0], p[1], p[2]};
  };
  const platform::Rgb green{0, 160, 0};
  EXPECT_EQ(at(50 + 20, 100), green);
  EXPECT_EQ(at(50 + 30, 100 - 20), green);
  EXPECT_EQ(at(50 + 15, 100 - 8), (platform::Rgb{0, 0, 0})) << "the gesture's second stroke";
}

// Actions of their own per program: listed under their gesture, what the program leaves unused
// warned about, and a replay explained with the program the trace recorded, or the one named.
TEST_F(CheckFileTest, ProgramSectionsAreListedCheckedAndReplayedInTheirProgram) {
  const fs::path file = Write("own.ini",
                              "[Main]\nNum=2\n1=0 90\n2=180\na1=b.bat\n"
                              "[Program:notepad.exe]\na0=*Copy;*c;\na1=\na7=x.bat\nb1=y\n"
                              "[Program:C:\\Windows\\NOTEPAD.EXE]\na0=z.bat\n"
                              "[Program:]\na0=q.bat\n");
  EXPECT_EQ(Run({}, file), 1);
  const std::string text = out_.str();
  for (const std::string part :
       {"in notepad.exe: *Copy\n", "in notepad.exe: nothing\n",
        "key \"a7\" of [Program:notepad.exe] names no gesture (it must be \"a\" and a row from 0 "
        "to 1): nothing uses it",
        "key \"b1\" of [Program:notepad.exe]",
        "a second section for \"NOTEPAD.EXE\": the program uses only the first",
        "section [Program:] names no program"})
    EXPECT_NE(text.find(part), std::string::npos) << part << "\n" << text;
  // Row 0 has no action but its own in notepad.exe: not "never fires".
  EXPECT_EQ(text.find("row 0 has no action"), std::string::npos) << text;
  EXPECT_EQ(Run({"--json"}, file), 1);
  EXPECT_NE(out_.str().find("\"programs\": [\n        {\n          \"program\": \"notepad.exe\",\n"
                            "          \"action\": \"*Copy;*c;\""),
            std::string::npos)
      << out_.str();

  // Row 0 fires only where notepad.exe is in front.
  const fs::path trace = Write("trace.txt",
                               "# attempt 2026-12-08 14:03:21, continuous, fired row 0, program "
                               "Notepad.exe\n0 500 400\n10 530 400\n20 530 370\n"
                               "# attempt 2026-12-08 14:03:25, continuous, ended with the run\n"
                               "0 500 400\n10 530 400\n20 530 370\n");
  EXPECT_EQ(Run({"--replay", trace.string()}, file), 1);
  EXPECT_NE(out_.str().find("replay: 1 firing\n  attempt 1, 20 ms  row 0  *Copy;*c;\n"),
            std::string::npos)
      << out_.str();
  EXPECT_NE(out_.str().find("  in front: Notepad.exe\n  recorded: fired row 0; replayed: fired "
                            "row 0\n"),
            std::string::npos)
      << out_.str();
  EXPECT_NE(out_.str().find("row 0 followed all 2 strokes, but has no action"), std::string::npos)
      << out_.str();
  EXPECT_EQ(Run({"--replay", trace.string(), "--program", "notepad.exe"}, file), 1);
  EXPECT_NE(out_.str().find("replay: 2 firings"), std::string::npos) << out_.str();
}

// The picture is the program's own drawing area, pixel for pixel, where the gesture fits in it.
TEST_F(CheckFileTest, DrawnPicturesAreTheProgramsDrawing) {
  const std::string ini =
      "[Main]\nNum=2\nScale=15\nx2=50\ny2=200\n1=0 90\n2=0 0 0 0 0 0 0 0 0 0 0 0 0 0\n";
  const fs::path file = Write("draw.ini", ini);
  ASSERT_EQ(Run({"--draw", (folder_ / "pictures").string()}, file), 1);  // row 1: no action

  auto read = [](const fs::path& path) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    EXPECT_TRUE(png_image_begin_read_from_file(&image, path.string().c_str())) << path;
    image.format = PNG_FORMAT_RGB;
    std::vector<std::uint8_t> rgb(PNG_IMAGE_SIZE(image));
    EXPECT_TRUE(png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr));
    return std::tuple{static_cast<int>(image.width), static_cast<int>(image.height), rgb};
  };
  const auto [w0, h0, rgb0] = read(folder_ / "pictures" / "gesture-0.png");
  LoadedProgram program(ini);
  MainWindow& window = program.window();
  ASSERT_EQ(w0, window.drawingArea.BitmapWidth());
  ASSERT_EQ(h0, window.drawingArea.BitmapHeight());
  window.gestureList.Select(0);
  DrawGesture(window);
  int differing = 0, inked = 0;
  for (int y = 0; y < h0; ++y)
    for (int x = 0; x < w0; ++x) {
      const platform::Rgb c = window.drawingArea.Pixel(x, y);
      const std::uint8_t* p = &rgb0[(static_cast<std::size_t>(y) * w0 + x) * 3];
      differing += c != platform::Rgb{p[0], p[1], p[2]};
      inked += c != platform::Rgb{255, 255, 255};
    }
  EXPECT_EQ(differing, 0);
  EXPECT_GT(inked, 40);

  // 14 strokes of 15 pixels run off a 209-pixel area from x = 50: the picture moves the start
  // point so that the whole chain shows, arrowhead included.
  const auto [w1, h1, rgb1] = read(folder_ / "pictures" / "gesture-1.png");
  int rightmostRed = -1;
  for (int y = 0; y < h1; ++y)
    for (int x = 0; x < w1; ++x) {
      const std::uint8_t* p = &rgb1[(static_cast<std::size_t>(y) * w1 + x) * 3];
      if (p[0] == 255 && p[1] == 0 && p[2] == 0) rightmostRed = std::max(rightmostRed, x);
    }
  EXPECT_GE(w1, 209);
  EXPECT_GT(rightmostRed, 0);
  EXPECT_LT(rightmostRed, w1 - 1);
}

}  // namespace
}  // namespace vetrix::check
