#include "widgets/SpinValueModel.h"
#include "chart/BlankValue.h"
#include "widgets/SpinRepeatTiming.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <stdexcept>
#include <tuple>

using namespace wendle;
using M = TSpinValueModel;

namespace {

constexpr double Blank = FxSpEmptyValue;
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double Inf = std::numeric_limits<double>::infinity();

// Expected texts write a placeholder as "_".
std::string Shown(std::string text)
{
    std::ranges::replace(text, TSpinTextFormat::Placeholder, '_');
    return text;
}

struct SpinValueModelTest : ::testing::Test {
    // A new field with the owner's settings, made before it listens: the counters start
    // afterwards. With textRight it also measures fixed-width characters, 10 by 16 pixels.
    void Configure(
        double min, double max, int decimals, double value, char sep = 0, int textRight = -1)
    {
        model = TSpinValueModel();
        model.OnChange = [this] { ++changes; };
        model.OnSetIncrement = [this] { ++incrementChanges; };
        model.SetDecimals(decimals), model.SetMaxValue(max), model.SetMinValue(min);
        model.SetValue(value);
        model.SetThousandSeparator(sep);
        if (textRight >= 0) {
            model.SetMetrics({ [](std::string_view t) { return 10 * int(t.size()); }, 10, 16 });
            model.SetTextPosition(textRight, 1);
        }
        changes = incrementChanges = 0;
    }

    TSpinValueModel model;
    int changes = 0, incrementChanges = 0;
};

// At most 18 decimals, of 18 significant digits; the marked digit may lie left of the number,
// and placeholders (never more than 31 characters of text) fill the gap.
TEST_F(SpinValueModelTest, TextGroupsInThreesAndPlaceholdersReachTheMarkedDigit)
{
    const std::tuple<int, char, double, int, const char*, int> cases[]
        = { { 0, ',', 1234567, 0, "1,234,567", 9 }, { 2, ',', 1234.5, 3, "1,234.50", 1 },
              { 7, ',', 1.0 / 7, -7, "0.142,857,1", 11 }, { 0, ',', 5, 3, "_,__5", 1 },
              { 0, ',', -5, 4, "-__,__5", 2 }, { 2, 0, Blank, 0, "____", 1 },
              { 19, 0, 12.3, 0, "12.300000000000000700", 2 }, { 6, 0, 0.5, -5, "0.500000", 7 },
              { 0, 0, 1, 10, "__________1", 1 },
              { 0, 0, 1, 40, "______________________________1", 1 } };
    for (const auto& [decimals, sep, value, exponent, text, caret] : cases) {
        SCOPED_TRACE(::testing::Message() << text << " e" << exponent);
        Configure(0, 0, decimals, value, sep);
        model.SetIncExponent(exponent);
        EXPECT_EQ(std::pair(Shown(model.Text()), model.CaretIndex()),
            std::pair(std::string(text), caret));
        EXPECT_DOUBLE_EQ(model.Increment(), std::pow(10.0, exponent));
    }
}

TEST_F(SpinValueModelTest, SeparatorsThatWouldChangeTheNumberAreRefused)
{
    for (const char sep : std::string("+-.0159\x01\x1f\x7f '/:~\x80")) {
        const bool bad = std::string(" '/:~\x80").find(sep) == std::string::npos;
        Configure(0, 0, 0, 1234, ',');
        try {
            model.SetThousandSeparator(sep);
        } catch (const std::out_of_range& error) {
            EXPECT_STREQ(error.what(), bad ? "Invalid thousand separator" : "");
        }
        EXPECT_EQ(model.Text(), "1" + std::string(1, bad ? ',' : sep) + "234") << int(sep);
    }
}

TEST_F(SpinValueModelTest, IncrementMarksThePowerOfTenAtOrBelow)
{
    const std::tuple<double, int, double> cases[] = { { 0.5, -1, 0.5 }, { 1 + 5E-8, 0, 1 },
        { 0.99999, 0, 0.99999 }, { 0.9998, -1, 0.9998 }, { -250, 2, 250 }, { 1E-20, -3, 1E-20 },
        { 1.1E-20, -20, 1.1E-20 }, { -0.0, 0, 1 }, { NaN, 0, 1 }, { Inf, 0, 1 } };
    for (const auto& [increment, exponent, stored] : cases) {
        Configure(0, 0, 2, 6);
        model.SetIncrement(increment);
        EXPECT_EQ(std::tuple(model.IncExponent(), model.Increment(), incrementChanges),
            std::tuple(exponent, stored, stored == 1 ? 0 : 1))
            << increment;
    }
}

// Entry, one user action per character: digits, ".", "-" and others are typed; B Backspace,
// E Esc, ^ v < > the arrow keys, R a key release, Z Ctrl+0, u d the spin steps, M a left press
// on a spin button and m its release, c a right click on the text, F the focus arriving and f
// leaving, Y a wheel notch down, w a third of one up and H three up in one turn. Settings:
// T TrackSpin off, P presumed direct entry, S separator ",", n bounds and N a value that are no
// number (ignored), k spin steps that are not clamped.
TEST_F(SpinValueModelTest, EntryScripts)
{
    const std::map<char, std::function<void(M&)>> actions { { '^', &M::ArrowUpPressed },
        { 'v', &M::ArrowDownPressed }, { '<', &M::ArrowLeftPressed },
        { '>', &M::ArrowRightPressed }, { 'R', &M::KeyReleased }, { 'Z', &M::CtrlZeroPressed },
        { 'u', &M::UpClick }, { 'd', &M::DownClick }, { 'm', &M::SpinMouseUp },
        { 'F', &M::FocusReceived }, { 'B', [](M& m) { m.TypeCharacter(M::Backspace); } },
        { 'Y', [](M& m) { m.WheelTurned(-120); } }, { 'w', [](M& m) { m.WheelTurned(40); } },
        { 'H', [](M& m) { m.WheelTurned(360); } }, { 'f', &M::FocusLost },
        { 'E', [](M& m) { m.TypeCharacter(M::Escape); } },
        { 'M', [](M& m) { m.SpinMouseDown(true); } }, { 'c', [](M& m) { m.MousePress(0, false); } },
        { 'T', [](M& m) { m.SetTrackSpin(false); } },
        { 'P', [](M& m) { m.SetPresumeDirectEntry(true); } },
        { 'S', [](M& m) { m.SetThousandSeparator(','); } },
        { 'n', [](M& m) { m.SetMinValue(-Inf), m.SetMaxValue(NaN); } },
        { 'N', [](M& m) { m.SetValue(NaN); } },
        { 'k', [](M& m) { m.SetCheckBounds(FxSpAllOccasions & ~(1u << fxspbcSpinner)); } } };
    const std::tuple<double, double, int, double, const char*, double, const char*, int, int, int>
        cases[] = { { 0, 0, 1, 12.5, "73", 17.3, "17.3", -1, 2, 1 },
            { 0, 0, 0, 5, "S<<<7", 7005, "7,005", 2, 1, 4 },
            { 0, 0, 0, -5, "S<<<<2", -20005, "-20,005", 3, 1, 5 },
            { 0, 0, 0, 5, "S<<<<>>", 5, "__5", 2, 0, 6 },
            { 0, 0, 1, 6, "a/:x ", 6, "6.0", 0, 0, 0 }, { 2, 16, 1, Blank, ".", 2, "2.0", 0, 1, 0 },
            { 0, 0, 1, Blank, "1..5", 1.5, "1.5", -1, 2, 1 },
            { 0, 0, 1, Blank, "-B5", 5, "5.0", 0, 1, 2 },
            { 0, 0, 1, Blank, "-5B", -5, "-5.0", 0, 1, 2 },
            { 0, 0, 1, Blank, "-c5", 5, "5.0", 0, 1, 2 },
            { 0, 0, 1, Blank, "F-E", Blank, "_", -1, 0, 1 },
            { 0, 0, 1, Blank, "-f", Blank, "_", -1, 0, 1 },
            { 0, 0, 0, 7, "PF3u9", 9, "9", 0, 3, 0 }, { 0, 0, 0, 7, "PF3d9", 9, "9", 0, 3, 0 },
            { 0, 0, 0, 7, "PF3c9", 9, "9", 0, 2, 0 },
            { 0, 0, 1, 7.5, "PF3>9", 3.9, "3.9", -1, 2, 1 },
            { 0, 0, 1, 0, "PF-0", 0, "0.0", 0, 0, 2 },
            { 0, 0, 1, Blank, "42Z3", 43, "43.0", -1, 3, 1 },
            { 2, 16, 1, 6, "FEE3", 3, "3.0", -1, 3, 1 },
            { 2, 16, 1, 15, "nuuu", 16, "16.0", 0, 1, 0 }, { 2, 16, 1, 6, "N", 6, "6.0", 0, 0, 0 },
            { 2, 16, 1, 15, "kuuu", 18, "18.0", 0, 3, 0 },
            { 2, 16, 1, 3, "nddd", 2, "2.0", 0, 1, 0 },
            { 1, 999, 0, 1, "<<<<>>>", 1, "1", 0, 0, 6 },
            { 0, 100, 0, 10, "^^^", 13, "13", 0, 3, 0 },
            { 0, 100, 0, 10, "T^^^RR", 13, "13", 0, 1, 0 },
            { 0, 100, 0, 10, "Tvvv", 7, "7", 0, 0, 0 },
            { 0, 100, 0, 100, "T^^R", 100, "100", 0, 0, 0 },
            { 0, 100, 0, 10, "TMuuuuumu", 16, "16", 0, 2, 0 },
            { 0, 100, 0, 10, "wwwwwYY", 10, "10", 0, 2, 0 },
            { 2, 16, 1, 14, "TH", 16, "16.0", 0, 1, 0 },
            { 1, 1000, 0, 1, "<<<<<", 1, "____1", 4, 0, 4 },
            { 0, 0.5, 2, 0, "<<<", 0, "__0.00", 2, 0, 2 },
            { 0, 0, 0, -5, "<Z", 0, "_0", 1, 1, 1 } };
    for (const auto& [min, max, decimals, start, script, value, text, exponent, changed,
             incChanged] : cases) {
        SCOPED_TRACE(::testing::Message() << script << " from " << start);
        Configure(min, max, decimals, start);
        for (const char key : std::string(script))
            actions.contains(key) ? actions.at(key)(model) : model.TypeCharacter(key);
        EXPECT_EQ(std::tuple(model.Value(), Shown(model.Text()), model.IncExponent(), changes,
                      incrementChanges),
            std::tuple(value, std::string(text), exponent, changed, incChanged));
    }
    Configure(0, 0, 0, Blank);
    for (int i = 0; i < 40; ++i)
        model.TypeCharacter('1');
    EXPECT_EQ(model.EntryBuffer(), std::string(31, '1')) << "the entry holds 31 characters";
}

// Cells of 10 by 16 pixels: where Left stops, and which digit a click marks.
TEST_F(SpinValueModelTest, CellsFollowTheMeasuredText)
{
    for (const auto& [textRight, exponent] : { std::pair { 38, 2 }, std::pair { 39, 3 } }) {
        Configure(0, 0, 0, 1, 0, textRight);
        for (int press = 0; press < 5; ++press)
            model.ArrowLeftPressed();
        EXPECT_EQ(model.IncExponent(), exponent) << "a cell at the left edge stops " << textRight;
    }
    const std::tuple<double, char, int, int> clicks[] = { { 123.45, 0, 39, 3 },
        { 123.45, 0, 40, 2 }, { 123.45, 0, 50, 1 }, { 123.45, 0, 99, -2 }, { 1234, ',', 55, 3 } };
    for (const auto& [value, sep, x, exponent] : clicks) {
        SCOPED_TRACE(::testing::Message() << value << " x " << x);
        Configure(0, 0, sep ? 0 : 2, value, sep, 100);
        model.MousePress(x, false);
        EXPECT_EQ(model.IncExponent(), 0) << "only the left button marks";
        model.MousePress(x, true);
        EXPECT_EQ(model.IncExponent(), exponent);
    }
}

// 62.5 ms rounds to even, no rate means the default rate, and no timer is ever zero.
TEST(SpinRepeatTimingTest, KeyboardSettingsAndRatesGiveDelayAndInterval)
{
    const auto K = &TSpinRepeatTiming::FromKeyboardSettings;
    const auto R = &TSpinRepeatTiming::FromRate;
    const std::tuple<TSpinRepeatTiming, TSpinRepeatTiming> cases[] = { { K(1, 31), { 500, 31 } },
        { K(0, 0), { 250, 1000 } }, { K(3, 2), { 1000, 333 } }, { K(2, 15), { 750, 62 } },
        { K(4, 32), { 1000, 31 } }, { K(-1, -1), { 250, 1000 } }, { R(500, 30), { 500, 33 } },
        { R(400, 25), { 400, 40 } }, { R(500, 0), { 500, 33 } }, { R(0, 2000), { 1, 1 } } };
    for (const auto& [timing, expected] : cases)
        EXPECT_EQ(timing, expected) << expected.InitialDelayMs << " " << expected.RepeatIntervalMs;
}

} // namespace
