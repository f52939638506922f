// libFuzzer target that plays a quiz: the input is a quiz file, then a line
// "#actions" (the last one in the input), then actions, one character each
// unless it takes numbers:
//   1..6      choose answer k            s   skip the question
//   r         restart, twice: the second must change nothing
//   dN/M      wait N ticks of the spinner's Timer1, press its Stop if the
//             window is up, then wait M ticks of Slower
//   pN        wait N ticks of the pendulum's timer, press its Stop if up
//   c         close the open tie-break windows (the window manager's close)
//   a         the user comes back to the open tie-break window
// Anything else is ignored. The engine plays through a window that only
// writes down what it shows; the tie-break windows' spinner and pendulum are
// the product's, their timers ticking on one clock, and their choice goes to
// the engine as a window's does. After every action the
// target checks what the player must see against its own reading of the quiz
// and against the authors' checker, and aborts on the first difference. An
// input that once broke something belongs in play-corpus/, which every build
// replays.
#include "checker.h"
#include "input_file.h"
#include "pendulum.h"
#include "quiz.h"
#include "quiz_error.h"
#include "reference_reader.h"
#include "result.h"
#include "spinner.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace {

using namespace kinsight;

constexpr std::string_view kSeparator = "\n#actions\n";
constexpr int kMaxActions = 200;
constexpr long long kMaxTicks = 20000; // timer ticks per input
constexpr int kMaxWaitTicks = 1000;    // per number in an action

void require(bool holds, const char* invariant) {
    if (holds)
        return;
    std::fprintf(stderr, "fuzz_play: broken: %s\n", invariant);
    std::abort();
}

// ---------------------------------------------------------------------------
// The target's own reading of the quiz: names and every question's points,
// from the plain reference fields, by the file layout alone.

using Points = std::array<std::array<int, kCharacterSlots>, kAnswerSlots>;

struct Model {
    std::array<std::string, kCharacterSlots> names{};
    std::vector<Points> questions; // those that load without a failure
    bool ended = false;            // "ENDQUESTIONS" follows the last of them
};

// The leading number of at most two characters: blanks do not count, a sign,
// digits and one point; rounded half to even.
long long leadingValue(std::string_view text) {
    std::string s;
    for (char ch : text)
        if (ch != ' ' && ch != '\t')
            s += ch;
    std::size_t i = 0;
    const bool negative = !s.empty() && s[0] == '-';
    if (!s.empty() && (s[0] == '-' || s[0] == '+'))
        ++i;
    double value = 0, scale = 0;
    for (; i < s.size(); ++i) {
        if (s[i] == '.' && scale == 0)
            scale = 0.1;
        else if (s[i] < '0' || s[i] > '9')
            break;
        else if (scale == 0)
            value = value * 10 + (s[i] - '0');
        else
            value += (s[i] - '0') * scale, scale /= 10;
    }
    return static_cast<long long>(std::nearbyint(negative ? -value : value));
}

// Characters 2-3 give the slot, character 5 the points (characters, not bytes).
std::pair<long long, int> weightOf(std::string_view field) {
    std::vector<std::size_t> starts;
    for (std::size_t i = 0; i < field.size(); ++i)
        if ((static_cast<unsigned char>(field[i]) & 0xC0) != 0x80)
            starts.push_back(i);
    starts.push_back(field.size());
    auto chars = [&](std::size_t first, std::size_t count) {
        if (first + 1 >= starts.size())
            return std::string_view();
        const std::size_t last = std::min(first + count, starts.size() - 1);
        return field.substr(starts[first], starts[last] - starts[first]);
    };
    const std::size_t length = starts.size() - 1;
    return {leadingValue(chars(1, 2)),
            length >= 5 ? static_cast<int>(leadingValue(chars(4, 1))) : 0};
}

Model readModel(std::string_view bytes) {
    const auto fields = test::referenceReading(bytes, "way.txt").fields;
    Model model;
    std::size_t at = 0;
    struct Fails {};
    auto next = [&]() -> const std::string& {
        if (at >= fields.size())
            throw Fails{};
        return fields[at++].text;
    };
    auto forwardTo = [&](std::string_view marker) {
        while (next() != marker) {
        }
    };
    auto question = [&] {
        Points points{};
        next(); // the question's text
        for (int k = 1; k <= kAnswerCount; ++k) {
            // Spelt out: GCC 12 warns falsely (-Wrestrict) on "A" + std::string.
            const char marker[] = {'A', static_cast<char>('0' + k), ')', '\0'};
            forwardTo(marker);
            next(); // the answer's text
            next();
            for (;;) {
                const std::string& field = next();
                const auto [slot, value] = weightOf(field);
                if (slot < 0 || slot > kCharacterCount)
                    throw Fails{};
                points[k][slot] = value;
                if (field.empty())
                    break;
            }
        }
        model.questions.push_back(points);
    };
    try {
        next();
        next();
        for (int slot = 1; slot <= kCharacterCount; ++slot)
            model.names[slot] = next();
        forwardTo("Start:");
        next();
        question();
        for (;;) {
            forwardTo("NewQuestion:");
            if (next() == "ENDQUESTIONS") {
                model.ended = true;
                break;
            }
            question();
        }
    } catch (Fails) {
    }
    return model;
}

// ---------------------------------------------------------------------------
// What the checker claims, read from its messages as an author reads them.

struct Claims {
    bool error = false;
    std::array<bool, kCharacterSlots> never{};
    std::vector<std::pair<int, int>> alwaysTie;
};

Claims readClaims(const CheckReport& report, const Model& model) {
    Claims claims;
    std::array<std::string, kCharacterSlots> refs;
    for (int c = 1; c <= kCharacterCount; ++c)
        refs[c] = "\"" + model.names[c] + "\" (character " + std::to_string(c) + ")";
    for (const Diagnostic& d : report.diagnostics) {
        if (d.severity == Severity::Error) {
            claims.error = true;
            continue;
        }
        for (int c = 1; c <= kCharacterCount; ++c) {
            const std::string_view m = d.message;
            if (m.substr(0, refs[c].size()) != refs[c])
                continue;
            const std::string_view rest = m.substr(refs[c].size());
            if (rest.starts_with(" can never be the result"))
                claims.never[c] = true;
            for (int a = 1; a < c; ++a)
                if (rest == " gets the same points as " + refs[a] +
                                " from every answer, so they always tie")
                    claims.alwaysTie.emplace_back(a, c);
        }
    }
    return claims;
}

// The checker runs once per input, when a claim is first needed: at a
// failure, at the end or at an announcement. Most inputs reach none of them.
class LazyClaims {
public:
    LazyClaims(const std::filesystem::path& path, const Model& model)
        : m_path(path), m_model(model) {}
    const Claims& get() {
        if (!m_claims)
            m_claims = readClaims(checkQuiz(m_path), m_model);
        return *m_claims;
    }

private:
    const std::filesystem::path& m_path;
    const Model& m_model;
    std::optional<Claims> m_claims;
};

// ---------------------------------------------------------------------------
// The main window as a record of what it shows, and the few operations whose
// order counts.

struct Screen {
    std::string title, question, resultName, picture;
    std::array<std::string, kAnswerSlots> answers{};
    std::array<std::string, kCharacterCount> scores{};
    // By Control; answers and skip start enabled, restart disabled.
    std::array<bool, 9> enabled{false, true, true, true, true, true, true, true, false};
    bool visible = true;
    bool operator==(const Screen&) const = default;
};

struct Shown {
    enum Kind { Message, Open, Greet, Result, Picture } kind;
    std::string text;
    int ways = 0;
    bool operator==(const Shown&) const = default;
};

class PlayWindow : public QuizWindow {
public:
    Screen screen;
    std::vector<Shown> shown;

    void setTitle(const std::string& text) override { screen.title = text; }
    void setQuestion(const std::string& text) override { screen.question = text; }
    void setAnswer(int k, const std::string& text) override {
        require(k >= 1 && k <= kAnswerCount, "answer caption 1..6");
        screen.answers[k] = text;
    }
    void clearSelection(Control) override {}
    void setScoreText(int i, const std::string& text) override {
        require(i >= 0 && i < kCharacterCount, "score box 0..14");
        screen.scores[i] = text;
    }
    void setResultName(const std::string& text) override {
        screen.resultName = text;
        shown.push_back({Shown::Result, text});
    }
    void showPicture(const std::string& name) override {
        screen.picture = name;
        shown.push_back({Shown::Picture, name});
    }
    void greet(const std::string& name) override { shown.push_back({Shown::Greet, name}); }
    void setControlEnabled(Control control, bool enabled) override {
        screen.enabled[static_cast<std::size_t>(control)] = enabled;
    }
    void hideWindow() override { screen.visible = false; }
    void showWindow() override { screen.visible = true; }
    void message(const std::string& text, const std::string& title) override {
        require(title == kDrawTitle, "draw message titled \"Draw\"");
        shown.push_back({Shown::Message, text});
    }
};

// ---------------------------------------------------------------------------
// The tie-break windows with the product's own motion and timing: what the
// windows hand to their spinner and pendulum on a show, a return of the
// user, Stop, the program's hide and the restart, and the ticks of the
// timers those switch on, on one clock. The window manager's close is the
// target's: the window is gone, the pendulum stays.

struct Timer {
    long long interval;
    bool on = false;
    long long due = 0;
    bool operator==(const Timer&) const = default;
};

struct DualState {
    bool exists = false, visible = false;
    Timer timer1{Spinner::kTimer1Ms}, slower{Spinner::kSlowerMs};
    Spinner spinner;
    double speed = 0, angle = 0; // the target's own needle
    bool operator==(const DualState& o) const {
        return exists == o.exists && visible == o.visible && timer1 == o.timer1 &&
               slower == o.slower && spinner.Speed == o.spinner.Speed &&
               spinner.Angle == o.spinner.Angle && speed == o.speed && angle == o.angle;
    }
};

struct TriState {
    bool exists = false, visible = false;
    Timer timer1{Pendulum::kTimer1Ms};
    Pendulum pendulum; // outlives the window
    double phase = 0;  // the target's own pointer
    float y = Pendulum::kRestY;
    bool operator==(const TriState& o) const {
        return exists == o.exists && visible == o.visible && timer1 == o.timer1 &&
               pendulum.Phase == o.pendulum.Phase && pendulum.y() == o.pendulum.y() &&
               phase == o.phase && y == o.y;
    }
};

struct Expected; // what the target expects, below

class TieBreaks : public TieBreakWindows {
public:
    TieBreaks(Quiz& quiz, PlayWindow& window, const Expected& expected)
        : m_quiz(quiz), m_window(window), m_expected(expected) {}

    DualState dual;
    TriState tri;
    long long now = 0;
    long long ticksLeft = kMaxTicks;

    void openTieBreak(const std::vector<std::string>& names) override {
        std::string shown;
        for (const std::string& name : names)
            shown += name + '\n';
        m_window.shown.push_back({Shown::Open, shown, static_cast<int>(names.size())});
        if (names.size() == 2) {
            if (!dual.exists)
                makeDual();
            dual.visible = true;
            dualActivated();
        } else {
            require(names.size() == 3, "a tie-break window offers two or three names");
            if (!tri.exists) {
                tri.exists = true;
                tri.pendulum.resetPointer();
                tri.y = Pendulum::kRestY;
            }
            tri.visible = true;
            tri.pendulum.start();
        }
        syncClock();
    }
    // A hide of the program's own stops the timers; a hidden window gets no hide.
    void hideTieBreaks() override {
        if (dual.visible)
            dual.spinner.halt();
        if (tri.visible)
            tri.pendulum.halt();
        dual.visible = tri.visible = false;
        syncClock();
    }
    void resetDualTimers() override {
        if (!dual.exists)
            makeDual();
        dual.spinner.resetTimers();
        syncClock();
    }
    void closeByUser() {
        if (dual.visible)
            dual = DualState{};
        if (tri.visible)
            tri.exists = tri.visible = false;
        syncClock();
    }
    void userComesBack() {
        if (dual.visible)
            dualActivated();
        if (tri.visible)
            tri.pendulum.start();
        syncClock();
    }
    // False once the input's ticks are spent.
    bool stopSpinner(int needleTicks, int slowerTicks) {
        if (!wait(dual.timer1.interval * needleTicks))
            return false;
        if (dual.visible) {
            dual.spinner.pressStop();
            syncClock();
        }
        return wait(dual.slower.interval * slowerTicks);
    }
    bool stopPendulum(int ticks) {
        if (!wait(tri.timer1.interval * ticks))
            return false;
        if (tri.visible) {
            const int chosen = tri.pendulum.stop();
            syncClock();
            require(chosen == (tri.y <= 105.0f  ? 0
                               : tri.y < 188.0f ? 1
                                                : 2),
                    "the pendulum picks the band its height lies in");
            announce(chosen, 3, ResultOrder::NameThenPicture);
        }
        return true;
    }

private:
    void makeDual() {
        dual = DualState{};
        dual.exists = true;
        dualActivated();
    }
    void dualActivated() {
        dual.spinner.reset();
        dual.speed = 0.3;
        dual.angle = 0;
    }
    // Each timer runs while its window exists and the motion says so; one
    // switched on starts a new interval, one already on keeps its phase.
    void syncClock() {
        sync(dual.timer1, dual.exists && dual.spinner.timer1On());
        sync(dual.slower, dual.exists && dual.spinner.slowerOn());
        sync(tri.timer1, tri.exists && tri.pendulum.timerOn());
    }
    void sync(Timer& t, bool on) {
        if (on && !t.on)
            t.due = now + t.interval;
        t.on = on;
    }

    bool wait(long long ms) {
        const long long until = now + ms;
        for (;;) {
            Timer* next = nullptr;
            for (Timer* t : {&dual.timer1, &dual.slower, &tri.timer1})
                if (t->on && t->due <= until && (!next || t->due < next->due))
                    next = t;
            if (!next)
                break;
            if (--ticksLeft < 0)
                return false;
            now = next->due;
            next->due += next->interval;
            if (next == &dual.timer1)
                needleTick();
            else if (next == &dual.slower)
                slowerTick();
            else
                pointerTick();
        }
        now = until;
        return true;
    }

    void needleTick() {
        dual.spinner.tickNeedle();
        dual.angle += dual.speed;
        if (dual.angle > 6.2832)
            dual.angle = 0;
    }
    void slowerTick() {
        const SlowerTick tick = dual.spinner.tickSlower();
        syncClock();
        dual.speed /= 1.1;
        const bool stops = dual.speed < 0.0005;
        require(tick.stopped == stops, "the needle stops on the tick its speed falls below 0.0005");
        require(!stops || (!dual.timer1.on && !dual.slower.on),
                "the stopping tick switches both timers off");
        const int chosen = tick.choice == SpinnerChoice::Position0   ? 0
                           : tick.choice == SpinnerChoice::Position1 ? 1
                                                                     : -1;
        // Left of the divider (over 180 degrees) is position 0.
        const int side = !stops ? -1 : dual.angle * (180 / 3.1415675) > 180 ? 0 : 1;
        require(chosen == side, "the spinner picks the half its stop angle lies in");
        if (chosen >= 0)
            announce(chosen, 2, ResultOrder::PictureThenName);
    }
    void pointerTick() {
        tri.pendulum.tick();
        tri.y = static_cast<float>(150 + 100 * std::sin(tri.phase));
        tri.phase += 0.3;
    }

    void announce(int position, int offered, ResultOrder order);

    Quiz& m_quiz;
    PlayWindow& m_window;
    const Expected& m_expected;
};

// ---------------------------------------------------------------------------
// The target's expectation of the game, from its own reading.

struct Expected {
    const Model& model;
    LazyClaims& claims;
    std::size_t question = 0; // index into model.questions
    bool answered = false;    // since the last restart
    bool finished = false;
    std::array<long long, kCharacterSlots> scores{};
    std::vector<int> tied; // at the end: the characters sharing the top score
};

// The product's own presentation of a result, on a window of its own; the
// target proves who is presented, not how.
template <typename Present> std::vector<Shown> presented(Present present) {
    PlayWindow window;
    present(window);
    return window.shown;
}

// The window reports the position to the engine, which announces it.
void TieBreaks::announce(int position, int offered, ResultOrder order) {
    const Expected& e = m_expected;
    require(e.finished && position < offered && position < static_cast<int>(e.tied.size()),
            "a tie-break announces one of the tied it offers");
    const int slot = e.tied[static_cast<std::size_t>(position)];
    require(!e.claims.get().never[slot],
            "the checker's \"can never be the result\" is never announced");
    m_window.shown.clear();
    m_quiz.tieBreakChosen(position);
    const std::vector<Shown> want = presented([&](PlayWindow& window) {
        NullTieBreakWindows none;
        announceChoice(window, none, e.model.names[slot], order);
    });
    require(m_window.shown == want, "the greeting, name and picture of the chosen character");
    require(!dual.visible && !tri.visible, "the tie-break window hides after announcing");
}

// ---------------------------------------------------------------------------

struct Snapshot {
    Screen screen;
    QuizTables tables;
    bool finished;
    int question;
    DualState dual;
    TriState tri;
    bool operator==(const Snapshot& o) const {
        const QuizTables &a = tables, &b = o.tables;
        return screen == o.screen && finished == o.finished && question == o.question &&
               dual == o.dual && tri == o.tri && a.CharacterTable == b.CharacterTable &&
               a.WeightTable == b.WeightTable && a.ScoreTable == b.ScoreTable &&
               a.WinCount == b.WinCount && a.TieList == b.TieList;
    }
};

class Game {
public:
    Game(const std::filesystem::path& path, const Model& model, LazyClaims& claims)
        : m_expected{model, claims, 0, false, false, {}, {}},
          m_tieBreaks(m_quiz, m_window, m_expected), m_quiz(m_window, m_tieBreaks, path) {}

    // False when the quiz failed to load (the failure checked).
    bool load() {
        if (!survives([&] { m_quiz.load(); }, m_expected.model.questions.empty()))
            return false;
        checkState();
        return true;
    }

    // False once nothing more is to be played.
    bool act(char action, int n, int m) {
        switch (action) {
        case 's':
            return choose(0);
        case 'r':
            return restart();
        case 'd':
            return m_tieBreaks.stopSpinner(n, m) && (checkState(), true);
        case 'p':
            return m_tieBreaks.stopPendulum(n) && (checkState(), true);
        case 'c':
            m_tieBreaks.closeByUser();
            break;
        case 'a':
            m_tieBreaks.userComesBack();
            break;
        default:
            if (action >= '1' && action <= '6')
                return choose(action - '0');
            return true;
        }
        checkState();
        return true;
    }

private:
    // Runs step; a QuizError must be foreseen by the target's reading and by
    // the checker. False if it came.
    template <typename Step> bool survives(Step step, bool failureForeseen) {
        try {
            step();
        } catch (const QuizError&) {
            require(failureForeseen, "the quiz fails only where its reading ends");
            require(m_expected.claims.get().error, "a quiz the checker passes never fails in play");
            return false;
        }
        require(!failureForeseen, "the quiz fails where its reading ends");
        return true;
    }

    Snapshot snapshot() const {
        return {m_window.screen,         m_quiz.tables(),  m_quiz.finished(),
                m_quiz.questionNumber(), m_tieBreaks.dual, m_tieBreaks.tri};
    }

    // k = 0 skips.
    bool choose(int k) {
        Expected& e = m_expected;
        if (e.finished) {
            const Snapshot before = snapshot();
            m_window.shown.clear();
            k == 0 ? m_quiz.skipChosen() : m_quiz.answerChosen(k);
            require(snapshot() == before && m_window.shown.empty(),
                    "after the end no answer or skip changes anything");
            return true;
        }
        if (k > 0) {
            for (int c = 1; c <= kCharacterCount; ++c)
                e.scores[c] += e.model.questions[e.question][k][c];
            e.answered = true;
        }
        const bool last = e.question + 1 == e.model.questions.size();
        m_window.shown.clear();
        if (!survives([&] { k == 0 ? m_quiz.skipChosen() : m_quiz.answerChosen(k); },
                      last && !e.model.ended))
            return false;
        if (last) {
            e.finished = true;
            checkEnd();
        } else {
            ++e.question;
            require(!m_quiz.finished() &&
                        m_quiz.questionNumber() == static_cast<int>(e.question) + 1,
                    "the next question is shown");
        }
        checkState();
        return true;
    }

    bool restart() {
        Expected& e = m_expected;
        m_window.shown.clear();
        const Snapshot before = snapshot();
        // The restart checks the whole quiz first, so one that breaks anywhere
        // fails it before anything changes.
        if (!survives([&] { m_quiz.restart(); }, !e.model.ended)) {
            require(snapshot() == before && m_window.shown.empty(),
                    "a restart that fails changes nothing");
            return false;
        }
        e.question = 0;
        e.answered = e.finished = false;
        e.scores.fill(0);
        e.tied.clear();
        for (const Shown& s : m_window.shown)
            require(s.kind == Shown::Result && s.text.empty(), "a restart announces nothing");
        const Screen& screen = m_window.screen;
        require(screen.visible && screen.resultName.empty() &&
                    std::all_of(screen.enabled.begin() + 1, screen.enabled.begin() + 8,
                                [](bool on) { return on; }),
                "a restart shows the first question with every option enabled");
        require(!m_tieBreaks.tri.visible && !m_tieBreaks.dual.visible,
                "a restart leaves no tie-break window open");
        checkState();
        const Snapshot once = snapshot();
        if (!survives([&] { m_quiz.restart(); }, false))
            return false;
        require(snapshot() == once, "restarting twice is restarting once");
        return true;
    }

    // Scores and boxes, after every action.
    void checkState() {
        const Expected& e = m_expected;
        const QuizTables& t = m_quiz.tables();
        for (int c = 1; c <= kCharacterCount; ++c) {
            require(t.ScoreTable[c] == e.scores[c] && t.ScoreTable[c] >= 0,
                    "every score is the sum of the chosen answers' points");
            require(m_window.screen.scores[c - 1] ==
                        (e.answered ? std::to_string(e.scores[c]) : ""),
                    "the score boxes show the sums, blank until the first answer");
        }
    }

    // The final ranking, against a naive one from the expected scores.
    void checkEnd() {
        Expected& e = m_expected;
        const QuizTables& t = m_quiz.tables();
        require(m_quiz.finished(), "the quiz ends after its last question");
        const long long top = *std::max_element(e.scores.begin() + 1, e.scores.end());
        std::vector<std::string> names;
        for (int c = 1; c <= kCharacterCount; ++c) {
            int wins = 0;
            for (int o = 1; o <= kCharacterCount; ++o)
                wins += e.scores[o] < e.scores[c];
            require(t.WinCount[c] == wins, "WinCount counts the strictly lower scores");
            if (e.scores[c] == top) {
                e.tied.push_back(c);
                names.push_back(e.model.names[c]);
            }
        }
        const std::size_t n = e.tied.size();
        for (const auto& [a, b] : e.claims.get().alwaysTie)
            require(e.scores[a] == e.scores[b], "characters the checker says always tie end tied");
        std::vector<Shown> want;
        if (n == 1) {
            require(!e.claims.get().never[e.tied[0]],
                    "the checker's \"can never be the result\" is never announced");
            want = presented([&](PlayWindow& window) {
                presentResult(window, names[0], ResultOrder::PictureThenName);
            });
        } else {
            want.push_back({Shown::Message, drawMessage(names)});
            if (n <= 4) {
                // The window gets the first two or three names; a fourth is not offered.
                const std::size_t offered = std::min<std::size_t>(n, 3);
                std::string open;
                for (std::size_t p = 0; p < offered; ++p)
                    open += names[p] + '\n';
                want.push_back({Shown::Open, open, static_cast<int>(offered)});
            } else {
                want.push_back({Shown::Picture, ""}); // nobody's: none
            }
            want.push_back({Shown::Result, ""});
        }
        // The winner's name may be set twice in a row; the screen is the same.
        std::vector<Shown> shown;
        for (const Shown& s : m_window.shown)
            if (shown.empty() || s.kind != Shown::Result || !(shown.back() == s))
                shown.push_back(s);
        require(shown == want, "the result or draw message of the ranking's case");
        const std::size_t listed = n >= 2 && n <= 4 ? n : 0;
        for (std::size_t p = 0; p < t.TieList.size(); ++p)
            require(t.TieList[p] == (p < listed ? e.tied[p] : 0), "the TieList holds the tied");
        for (std::size_t p = 1; p < listed; ++p)
            require(t.TieList[p - 1] < t.TieList[p], "the TieList is ascending");
        const auto& on = m_window.screen.enabled;
        require(std::none_of(on.begin() + 1, on.begin() + 8, [](bool b) { return b; }) && on[8],
                "the end closes the quiz for answers and offers restart");
    }

    Expected m_expected;
    TieBreaks m_tieBreaks;
    PlayWindow m_window;
    Quiz m_quiz;
};

int number(std::string_view& text) {
    int value = 0;
    while (!text.empty() && text[0] >= '0' && text[0] <= '9') {
        value = std::min(kMaxWaitTicks, value * 10 + (text[0] - '0'));
        text.remove_prefix(1);
    }
    return value;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = input.rfind(kSeparator);
    const std::string_view quiz = input.substr(0, split);
    std::string_view actions = split == std::string_view::npos
                                   ? std::string_view()
                                   : input.substr(split + kSeparator.size());

    const std::filesystem::path& path = test::fuzzQuizPath();
    test::writeFuzzInput(path, quiz);

    const Model model = readModel(quiz);
    LazyClaims claims(path, model);
    Game game(path, model, claims);
    if (!game.load())
        return 0;
    for (int done = 0; done < kMaxActions && !actions.empty(); ++done) {
        const char action = actions[0];
        actions.remove_prefix(1);
        int n = 0, m = 0;
        if (action == 'd' || action == 'p') {
            n = number(actions);
            if (action == 'd' && !actions.empty() && actions[0] == '/') {
                actions.remove_prefix(1);
                m = number(actions);
            }
        }
        if (!game.act(action, n, m))
            break;
    }
    return 0;
}
