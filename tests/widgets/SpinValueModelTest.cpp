#include "widgets/SpinValueModel.h"

#include "widgets/BlankValue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <functional>
#include <limits>
#include <map>
#include <sstream>
#include <stdexcept>
#include <tuple>

using namespace wendle;
using M = TSpinValueModel;

namespace {

constexpr double Blank = FxSpEmptyValue;
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double Inf = std::numeric_limits<double>::infinity();

// One user action per word, "Left*4" four of them. Keys: Up Down Left Right, KeyUp (any key's
// release), Ctrl+0, Esc, Backspace; UpClick and DownClick are spin steps, Hold and Release a left
// press on a spin button and its release, Click@40 and RightClick@40 a left and a right press on
// the text at x 40, FocusIn and FocusOut the focus arriving and leaving, Wheel+40 a turn of the
// wheel by a third of a notch.
// Settings: NoTrack (TrackSpin off), Presume (direct entry), Sep (separator ","), NaNBounds and
// NaN (bounds and a value that are no number, ignored), FreeSpin (spin steps not clamped). Other
// words are typed, one character each.
const auto Wheel = [](int angle) { return [angle](M& m) { m.WheelTurned(angle); }; };
const std::map<std::string, std::function<void(M&)>> Actions { { "Up", &M::ArrowUpPressed },
    { "Down", &M::ArrowDownPressed }, { "Left", &M::ArrowLeftPressed },
    { "Right", &M::ArrowRightPressed }, { "KeyUp", &M::KeyReleased },
    { "Ctrl+0", &M::CtrlZeroPressed }, { "UpClick", &M::UpClick }, { "DownClick", &M::DownClick },
    { "Hold", [](M& m) { m.SpinMouseDown(true); } }, { "Release", &M::SpinMouseUp },
    { "FocusIn", &M::FocusReceived }, { "FocusOut", &M::FocusLost },
    { "Backspace", [](M& m) { m.TypeCharacter(M::Backspace); } },
    { "Esc", [](M& m) { m.TypeCharacter(M::Escape); } }, { "Wheel-120", Wheel(-120) },
    { "Wheel+40", Wheel(40) }, { "Wheel+360", Wheel(360) },
    { "NoTrack", [](M& m) { m.SetTrackSpin(false); } },
    { "Presume", [](M& m) { m.SetPresumeDirectEntry(true); } },
    { "Sep", [](M& m) { m.SetThousandSeparator(','); } },
    { "NaNBounds", [](M& m) { m.SetMinValue(-Inf), m.SetMaxValue(NaN); } },
    { "NaN", [](M& m) { m.SetValue(NaN); } },
    { "FreeSpin", [](M& m) { m.SetCheckBounds(FxSpAllOccasions & ~(1u << fxspbcSpinner)); } } };

// chg and inc count the calls of OnChange and of OnSetIncrement.
struct Case {
    double from = 0;
    const char* keys = "";
    const char* text; // as Shown reads it
    int chg = 0, inc = 0;
};

// A display text as the tests write it, "_" a placeholder and [x] the marked character: the
// number it shows (blank when it shows only placeholders), the text and the mark's position.
std::tuple<double, std::string, int> Shown(std::string text)
{
    const auto mark = text.find('[');
    text.erase(mark + 2, 1), text.erase(mark, 1);
    std::string number = text;
    std::erase_if(number, [](char k) { return k == '_' || k == ','; });
    double value = Blank;
    std::from_chars(number.data(), number.data() + number.size(), value);
    std::ranges::replace(text, '_', TSpinTextFormat::Placeholder);
    return { value, text, int(mark) + 1 };
}

struct SpinValueModelTest : ::testing::Test {
    // A new field with the owner's settings, made before it listens: the counters start
    // afterwards. With textRight it also measures fixed-width characters, 10 by 16 pixels.
    void Configure(double min, double max, int decimals, double value, int textRight = -1)
    {
        model = TSpinValueModel();
        model.OnChange = [this] { ++changes; };
        model.OnSetIncrement = [this] { ++incrementChanges; };
        model.SetDecimals(decimals), model.SetMaxValue(max), model.SetMinValue(min);
        model.SetValue(value);
        if (textRight >= 0) {
            model.SetMetrics({ [](std::string_view t) { return 10 * int(t.size()); }, 10, 16 });
            model.SetTextPosition(textRight, 1);
        }
        changes = incrementChanges = 0;
    }

    // Runs each case's keys on a new field, which measures its text when textRight is given.
    template <std::size_t N>
    void Run(double min, double max, int decimals, const Case (&cases)[N], int textRight = -1)
    {
        for (const Case& c : cases) {
            Configure(min, max, decimals, c.from, textRight);
            std::istringstream keys(c.keys);
            for (std::string word; keys >> word;) {
                const auto star = word.find('*'), at = word.find('@');
                const std::string name = word.substr(0, std::min(star, at));
                const int x = at == word.npos ? 0 : std::stoi(word.substr(at + 1));
                for (int n = star == word.npos ? 1 : std::stoi(word.substr(star + 1)); n > 0; --n)
                    if (const auto action = Actions.find(name); action != Actions.end())
                        action->second(model);
                    else if (name.ends_with("Click"))
                        model.MousePress(x, name == "Click");
                    else
                        model.TypeCharacter(name[0]);
            }
            EXPECT_EQ(std::tuple(model.Value(), model.Text(), model.CaretIndex(), changes,
                          incrementChanges),
                std::tuple_cat(Shown(c.text), std::tuple(c.chg, c.inc)))
                << c.keys;
        }
    }

    TSpinValueModel model;
    int changes = 0, incrementChanges = 0;
};

// At most 18 decimals, of 18 significant digits; the marked digit may lie left of the number,
// and placeholders fill the gap, never making the text longer than 31 characters. Without bounds
// the mark has no cap, and a step adds the power of ten it marks.
TEST_F(SpinValueModelTest, TextGroupsInThreesAndPlaceholdersReachTheMarkedDigit)
{
    const Case whole[] { { .from = 1234567, .keys = "Sep", .text = "1,234,56[7]" },
        { .from = -5, .keys = "Sep Left*4", .text = "-[_]_,__5", .inc = 4 },
        { .from = 1, .keys = "Left*10 UpClick", .text = "[1]0000000001", .chg = 1, .inc = 10 },
        { .from = 1, .keys = "Left*40", .text = "[_]_____________________________1", .inc = 40 } };
    Run(0, 0, 0, whole);
    const Case hundredths[] { { .from = Blank, .text = "[_]___" },
        { .from = 1234.5, .keys = "Sep Left*3", .text = "[1],234.50", .inc = 3 } };
    Run(0, 0, 2, hundredths);
    Run(0, 0, 7,
        { { .from = 0.1428571, .keys = "Sep Right*7", .text = "0.142,857,[1]", .inc = 7 } });
    Run(0, 0, 19, { { .from = 12.3, .text = "1[2].300000000000000700" } });
    Run(0, 0, 6,
        { { .from = 0.5, .keys = "Right*5 UpClick", .text = "0.5000[1]0", .chg = 1, .inc = 5 } });
}

TEST_F(SpinValueModelTest, SeparatorsThatWouldChangeTheNumberAreRefused)
{
    for (const char sep : std::string("+-.0159\x01\x1f\x7f '/:~\x80")) {
        const bool bad = std::string(" '/:~\x80").find(sep) == std::string::npos;
        Configure(0, 0, 0, 1234);
        model.SetThousandSeparator(',');
        try {
            model.SetThousandSeparator(sep);
        } catch (const std::out_of_range& error) {
            EXPECT_STREQ(error.what(), bad ? "Invalid thousand separator" : "");
        }
        EXPECT_EQ(model.Text(), "1" + std::string(1, bad ? ',' : sep) + "234") << int(sep);
    }
}

// The power of ten at or below the step is marked; the step is the amount as set.
TEST_F(SpinValueModelTest, IncrementMarksThePowerOfTenAtOrBelow)
{
    struct Case {
        double set;
        int exp = 0;
        double step = 1;
    } const cases[] { { .set = 0.5, .exp = -1, .step = 0.5 }, { .set = 1 + 5E-8 },
        { .set = 0.99999, .step = 0.99999 }, { .set = 0.9998, .exp = -1, .step = 0.9998 },
        { .set = -250, .exp = 2, .step = 250 }, { .set = 1E-20, .exp = -3, .step = 1E-20 },
        { .set = 1.1E-20, .exp = -20, .step = 1.1E-20 }, { .set = -0.0 }, { .set = NaN },
        { .set = Inf } };
    for (const Case& c : cases) {
        Configure(0, 0, 2, 6);
        model.SetIncrement(c.set);
        EXPECT_EQ(std::tuple(model.IncExponent(), model.Increment(), incrementChanges),
            std::tuple(c.exp, c.step, c.step == 1 ? 0 : 1))
            << c.set;
    }
}

// Overtyping, the mark, direct entry into a blank field, Esc, and the steps of a held spin. A
// spin step or a click ends direct entry (DownClick as UpClick); so does Esc (as leaving).
TEST_F(SpinValueModelTest, EntryScripts)
{
    const Case whole[] { { .from = -5, .keys = "Left Ctrl+0", .text = "[_]0", .chg = 1, .inc = 1 },
        { .from = 5, .keys = "Sep Left*3 7", .text = "7,[0]05", .chg = 1, .inc = 4 },
        { .from = -5, .keys = "Sep Left*4 2", .text = "-2[0],005", .chg = 1, .inc = 5 },
        { .from = 5, .keys = "Sep Left*4 Right*2", .text = "[_]_5", .inc = 6 },
        { .from = 7, .keys = "Presume FocusIn 3 UpClick 9", .text = "[9]", .chg = 3 },
        { .from = 7, .keys = "Presume FocusIn 3 RightClick 9", .text = "[9]", .chg = 2 } };
    Run(0, 0, 0, whole);
    const Case tenths[] { { .from = 12.5, .keys = "7 3", .text = "17.[3]", .chg = 2, .inc = 1 },
        { .from = 6, .keys = "a / : x", .text = "[6].0" },
        { .from = Blank, .keys = "1 . . 5", .text = "1.[5]", .chg = 2, .inc = 1 },
        { .from = Blank, .keys = "- Backspace 5", .text = "[5].0", .chg = 1, .inc = 2 },
        { .from = Blank, .keys = "- 5 Backspace", .text = "-[5].0", .chg = 1, .inc = 2 },
        { .from = Blank, .keys = "- RightClick 5", .text = "[5].0", .chg = 1, .inc = 2 },
        { .from = Blank, .keys = "FocusIn - Esc", .text = "[_]", .inc = 1 },
        { .from = 7.5, .keys = "Presume FocusIn 3 Right 9", .text = "3.[9]", .chg = 2, .inc = 1 },
        { .keys = "Presume FocusIn - 0", .text = "[0].0", .inc = 2 },
        { .from = Blank, .keys = "4 2 Ctrl+0 3", .text = "43.[0]", .chg = 3, .inc = 1 } };
    Run(0, 0, 1, tenths);
    const Case gauge[] { { .from = Blank, .keys = ".", .text = "[2].0", .chg = 1 },
        { .from = 6, .keys = "FocusIn Esc Esc 3", .text = "3.[0]", .chg = 3, .inc = 1 },
        { .from = 15, .keys = "NaNBounds UpClick*3", .text = "1[6].0", .chg = 1 },
        { .from = 6, .keys = "NaN", .text = "[6].0" },
        { .from = 15, .keys = "FreeSpin UpClick*3", .text = "1[8].0", .chg = 3 },
        { .from = 3, .keys = "NaNBounds DownClick*3", .text = "[2].0", .chg = 1 },
        { .from = 14, .keys = "NoTrack Wheel+360", .text = "1[6].0", .chg = 1 } };
    Run(2, 16, 1, gauge);
    const Case percent[] { { .from = 10, .keys = "NoTrack Up*3 KeyUp*2", .text = "1[3]", .chg = 1 },
        { .from = 10, .keys = "NoTrack Down*3", .text = "[7]" },
        { .from = 100, .keys = "NoTrack Up*2 KeyUp", .text = "10[0]" },
        { .from = 10, .keys = "NoTrack Hold UpClick*5 Release UpClick", .text = "1[6]", .chg = 2 },
        { .from = 10, .keys = "Wheel+40*5 Wheel-120*2", .text = "1[0]", .chg = 2 } };
    Run(0, 100, 0, percent);
    // The mark goes one place left of the larger bound's leading digit, and no further.
    Run(1, 999, 0, { { .from = 1, .keys = "Left*4 Right*3", .text = "[1]", .inc = 6 } });
    Run(1, 1000, 0, { { .from = 1, .keys = "Left*5", .text = "[_]___1", .inc = 4 } });
    Run(0, 0.5, 2, { { .keys = "Left*3", .text = "[_]_0.00", .inc = 2 } });
    Configure(0, 0, 0, Blank);
    for (int i = 0; i < 40; ++i)
        model.TypeCharacter('1');
    EXPECT_EQ(model.EntryBuffer(), std::string(31, '1')) << "the entry holds 31 characters";
}

// Cells of 10 by 16 pixels: Left stops at a cell on the field's left edge; a left click marks the
// digit under it, the point marking the units and a separator the digit right of it; a right
// click marks nothing.
TEST_F(SpinValueModelTest, CellsFollowTheMeasuredText)
{
    Run(0, 0, 0, { { .from = 1, .keys = "Left*5", .text = "[_]_1", .inc = 2 } }, 38);
    Run(0, 0, 0, { { .from = 1, .keys = "Left*5", .text = "[_]__1", .inc = 3 } }, 39);
    const Case clicks[] { { .from = 123.45, .keys = "Click@39", .text = "[_]123.45", .inc = 1 },
        { .from = 123.45, .keys = "Click@40", .text = "[1]23.45", .inc = 1 },
        { .from = 123.45, .keys = "RightClick@39 Click@50", .text = "1[2]3.45", .inc = 1 },
        { .from = 123.45, .keys = "Click@99", .text = "123.4[5]", .inc = 1 } };
    Run(0, 0, 2, clicks, 100);
    Run(0, 0, 0, { { .from = 1234, .keys = "Sep Click@55", .text = "[1],234", .inc = 1 } }, 100);
}

} // namespace
