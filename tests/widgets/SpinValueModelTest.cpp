#include "SpinValueModel.h"

#include "BlankValue.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

using namespace wendle;

namespace {

constexpr char P = TSpinValueModel::Placeholder;

std::string Chars(std::initializer_list<char> characters) { return std::string(characters); }

// A model with counters on its two notifications, as the widget would connect them.
class SpinValueModelTest : public ::testing::Test {
protected:
    SpinValueModelTest()
    {
        model.OnChange = [this] { ++changes; };
        model.OnSetIncrement = [this] { ++incrementChanges; };
    }

    // Configures the way an owner does before it listens, then clears the counters.
    void Configure(double minValue, double maxValue, int decimals, double value)
    {
        model.SetDecimals(decimals);
        model.SetMaxValue(maxValue);
        model.SetMinValue(minValue);
        model.SetValue(value);
        changes = 0;
        incrementChanges = 0;
    }

    void Type(const std::string& characters)
    {
        for (const char c : characters)
            model.TypeCharacter(c);
    }

    TSpinValueModel model;
    int changes { 0 };
    int incrementChanges { 0 };
};

// --- The display text -------------------------------------------------------------------

TEST_F(SpinValueModelTest, NewFieldShowsZeroWithTwoDecimalsAndMarksTheUnits)
{
    EXPECT_EQ(model.Value(), 0.0);
    EXPECT_EQ(model.Text(), "0.00");
    EXPECT_EQ(model.Decimals(), 2);
    EXPECT_EQ(model.Increment(), 1.0);
    EXPECT_EQ(model.IncExponent(), 0);
    EXPECT_EQ(model.CaretIndex(), 1);
    EXPECT_EQ(model.CheckBounds(), FxSpAllOccasions);
    EXPECT_TRUE(model.TrackSpin());
    EXPECT_FALSE(model.ReadOnly());
    EXPECT_FALSE(model.IsBounded());
    EXPECT_FALSE(model.CaretValid()) << "no metrics, so no cell";
}

TEST_F(SpinValueModelTest, ThousandSeparatorGroupsIntegerAndFraction)
{
    model.SetThousandSeparator(',');
    model.SetValue(1234.5);
    EXPECT_EQ(model.Text(), "1,234.50");

    model.SetDecimals(0);
    model.SetValue(-123456);
    EXPECT_EQ(model.Text(), "-123,456") << "no separator may follow the minus";
    model.SetValue(-123);
    EXPECT_EQ(model.Text(), "-123");
    model.SetValue(1234567);
    EXPECT_EQ(model.Text(), "1,234,567");

    model.SetDecimals(7);
    model.SetValue(1.0 / 7.0);
    EXPECT_EQ(model.Text(), "0.142,857,1");

    model.SetDecimals(3);
    model.SetValue(1234.567);
    EXPECT_EQ(model.Text(), "1,234.567") << "up to three decimals get no separator";
}

TEST_F(SpinValueModelTest, InvalidThousandSeparatorIsRefusedWithItsMessage)
{
    model.SetThousandSeparator(',');
    for (const char bad : { '+', '-', '0', '5', '9', '.', '\x01' }) {
        try {
            model.SetThousandSeparator(bad);
            ADD_FAILURE() << "separator '" << bad << "' was accepted";
        } catch (const std::out_of_range& error) {
            EXPECT_STREQ(error.what(), "Invalid thousand separator");
        }
        EXPECT_EQ(model.ThousandSeparator(), ',') << "the separator stays as it was";
    }
    model.SetThousandSeparator('\0');
    model.SetValue(1234.5);
    EXPECT_EQ(model.Text(), "1234.50");
}

TEST_F(SpinValueModelTest, FixedDecimalsRoundHalfAwayAndNeverShowMinusZero)
{
    model.SetDecimals(0);
    model.SetValue(7.5);
    EXPECT_EQ(model.Text(), "8");
    model.SetValue(2.5);
    EXPECT_EQ(model.Text(), "3");
    model.SetDecimals(1);
    model.SetValue(6.25);
    EXPECT_EQ(model.Text(), "6.3");
    model.SetDecimals(2);
    model.SetValue(-0.001);
    EXPECT_EQ(model.Text(), "0.00");
    model.SetValue(0.1 + 0.2);
    EXPECT_EQ(model.Text(), "0.30");
}

TEST_F(SpinValueModelTest, DecimalsAreClampedAndDoNotMoveTheMark)
{
    model.SetIncExponent(-2);
    model.SetDecimals(25);
    EXPECT_EQ(model.Decimals(), 18);
    model.SetDecimals(-3);
    EXPECT_EQ(model.Decimals(), 0);
    EXPECT_EQ(model.Text(), "0");
    EXPECT_EQ(model.IncExponent(), -2) << "lowering the decimals leaves the mark";
}

// --- ApplyValue, bounds and OnChange ----------------------------------------------------

TEST_F(SpinValueModelTest, SettingTheSameValueFiresNothingAndANewOneFiresOnce)
{
    Configure(2, 16, 1, 6);
    model.SetValue(6);
    EXPECT_EQ(changes, 0);
    model.SetValue(7.5);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(model.Value(), 7.5);
    EXPECT_EQ(model.Text(), "7.5");
}

TEST_F(SpinValueModelTest, BoundsClampOnTheirOccasionsOnly)
{
    Configure(2, 16, 1, 6);
    model.SetValue(40);
    EXPECT_EQ(model.Value(), 16);
    model.SetValue(-3);
    EXPECT_EQ(model.Value(), 2);

    model.SetCheckBounds(1u << fxspbcKeystroke);
    model.SetValue(40);
    EXPECT_EQ(model.Value(), 40) << "direct sets are not clamped without fxspbcDirectSet";
    model.ApplyValue(fxspbcKeystroke, 50);
    EXPECT_EQ(model.Value(), 16);
}

TEST_F(SpinValueModelTest, NewBoundsReapplyTheValue)
{
    model.SetMaxValue(16);
    EXPECT_EQ(changes, 0) << "0 lies within 0..16";
    model.SetMinValue(2);
    EXPECT_EQ(changes, 1) << "0 is clamped to the new minimum";
    EXPECT_EQ(model.Value(), 2);

    model.SetValue(12);
    changes = 0;
    model.SetMaxValue(16);
    EXPECT_EQ(changes, 0) << "an unchanged bound does nothing";
    model.SetMaxValue(10);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(model.Value(), 10);
}

TEST_F(SpinValueModelTest, EqualBoundsMeanNoBoundsAtAll)
{
    model.SetValue(1.0E6);
    EXPECT_EQ(model.Value(), 1.0E6);
    model.SetValue(-1.0E6);
    EXPECT_EQ(model.Value(), -1.0E6);
    model.SetIncExponent(7);
    EXPECT_EQ(model.IncExponent(), 7) << "no upper cap without bounds";
}

TEST_F(SpinValueModelTest, BlankValuesAreNeverClampedAndAlwaysReadAsEmptyValue)
{
    Configure(2, 16, 1, 6);
    model.SetValue(-5.0E35);
    EXPECT_TRUE(model.IsBlank());
    EXPECT_EQ(model.Value(), FxSpEmptyValue);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(model.VisibleText(), "") << "a blank field shows no placeholders";
    EXPECT_EQ(model.ValueText(), "");
    model.SetValue(FxSpEmptyValue);
    EXPECT_EQ(changes, 1);
}

TEST_F(SpinValueModelTest, BlankTextIsPlaceholdersUpToTheMark)
{
    Configure(0, 0, 1, FxSpEmptyValue);
    EXPECT_EQ(model.Text(), std::string(3, P));
    EXPECT_EQ(model.CaretIndex(), 1);
}

TEST_F(SpinValueModelTest, ValuesThatAreNoNumberAreIgnored)
{
    Configure(0, 0, 2, 5);
    model.SetValue(std::numeric_limits<double>::quiet_NaN());
    model.SetValue(std::numeric_limits<double>::infinity());
    model.SetValue(-std::numeric_limits<double>::infinity());
    EXPECT_EQ(model.Value(), 5);
    EXPECT_EQ(model.Text(), "5.00");
    EXPECT_EQ(changes, 0);
}

// --- Increment and the marked digit ----------------------------------------------------

TEST_F(SpinValueModelTest, IncrementOfAHalfMarksTenthsAndStepsByAHalf)
{
    Configure(0, 0, 1, 6);
    model.SetIncrement(0.5);
    EXPECT_EQ(model.Increment(), 0.5);
    EXPECT_EQ(model.IncExponent(), -1);
    EXPECT_EQ(incrementChanges, 1);
    EXPECT_EQ(model.CaretIndex(), 3) << "the tenths of 6.0";
    model.UpClick();
    EXPECT_EQ(model.Value(), 6.5);
    model.ArrowLeftPressed();
    EXPECT_EQ(model.Increment(), 1.0);
    EXPECT_EQ(model.IncExponent(), 0);
    EXPECT_EQ(incrementChanges, 2);
}

TEST_F(SpinValueModelTest, IncrementPicksThePowerOfTenAtOrBelow)
{
    model.SetIncrement(-250);
    EXPECT_EQ(model.Increment(), 250) << "stored as a magnitude";
    EXPECT_EQ(model.IncExponent(), 2);
    model.SetIncrement(0.99999);
    EXPECT_EQ(model.IncExponent(), 0) << "0.99999 counts as 1";
    model.SetIncrement(1000);
    EXPECT_EQ(model.IncExponent(), 3);
    model.SetIncrement(1.0E-25);
    EXPECT_EQ(model.IncExponent(), -3) << "-Decimals - 1";
}

TEST_F(SpinValueModelTest, ZeroIncrementIsRefused)
{
    model.SetIncrement(0.5);
    incrementChanges = 0;
    model.SetIncrement(0.0);
    model.SetIncrement(-0.0);
    model.SetIncrement(std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(model.Increment(), 0.5);
    EXPECT_EQ(model.IncExponent(), -1);
    EXPECT_EQ(incrementChanges, 0);
    model.SetIncrement(0.5 * (1 + 1E-9));
    EXPECT_EQ(incrementChanges, 0) << "a change within 1E-7 is no change";
}

TEST_F(SpinValueModelTest, LeftStopsOnePlaceLeftOfTheLargerBound)
{
    Configure(1, 999, 0, 1);
    const std::string expected[]
        = { std::string(1, P) + "1", std::string(2, P) + "1", std::string(3, P) + "1" };
    for (int step = 0; step < 3; ++step) {
        model.ArrowLeftPressed();
        EXPECT_EQ(model.IncExponent(), step + 1);
        EXPECT_EQ(model.Text(), expected[step]);
        EXPECT_EQ(model.CaretIndex(), 1);
    }
    model.ArrowLeftPressed();
    EXPECT_EQ(model.IncExponent(), 3) << "LeadExponent(999) is 2, so the cap is 3";
    EXPECT_EQ(incrementChanges, 3);

    model.ArrowRightPressed();
    EXPECT_EQ(model.Text(), std::string(2, P) + "1") << "placeholders go as the mark moves right";
    model.ArrowRightPressed();
    model.ArrowRightPressed();
    EXPECT_EQ(model.Text(), "1");
    model.ArrowRightPressed();
    EXPECT_EQ(model.IncExponent(), 0) << "no decimals, so the units are the last digit";
}

TEST_F(SpinValueModelTest, SetIncExponentCapsAtTheHundredsOnTwoToSixteen)
{
    Configure(2, 16, 1, 6);
    model.SetIncExponent(5);
    EXPECT_EQ(model.IncExponent(), 2);
    model.SetIncExponent(-5);
    EXPECT_EQ(model.IncExponent(), -1);
}

TEST_F(SpinValueModelTest, PlaceholdersAndSeparatorsLeftOfTheNumber)
{
    Configure(0, 0, 0, 5);
    model.SetThousandSeparator(',');
    model.SetIncExponent(3);
    EXPECT_EQ(model.Text(), Chars({ P, ',', P, P, '5' }));
    EXPECT_EQ(model.CaretIndex(), 1);
    model.SetIncExponent(4);
    EXPECT_EQ(model.Text(), Chars({ P, P, ',', P, P, '5' }));
    EXPECT_EQ(model.CaretIndex(), 1);
}

TEST_F(SpinValueModelTest, MarkSkipsPointAndSeparators)
{
    Configure(0, 0, 2, 1234.5);
    model.SetThousandSeparator(',');
    ASSERT_EQ(model.Text(), "1,234.50");
    const int expectedIndex[] = { 8, 7, 5, 4, 3, 1 };
    int exponent = -2;
    for (const int index : expectedIndex) {
        model.SetIncExponent(exponent);
        EXPECT_EQ(model.CaretIndex(), index) << "exponent " << exponent;
        ++exponent;
    }
}

TEST_F(SpinValueModelTest, LeadExponentAndPowerOfTen)
{
    EXPECT_EQ(TSpinValueModel::LeadExponent(999), 2);
    EXPECT_EQ(TSpinValueModel::LeadExponent(1000), 3);
    EXPECT_EQ(TSpinValueModel::LeadExponent(16), 1);
    EXPECT_EQ(TSpinValueModel::LeadExponent(0.5), 1);
    EXPECT_EQ(TSpinValueModel::LeadExponent(0), 1);
    EXPECT_EQ(TSpinValueModel::LeadExponent(-5), 2);
    EXPECT_EQ(TSpinValueModel::LeadExponent(-999), 3);
    EXPECT_EQ(TSpinValueModel::PowerOfTen(-4), 1E-4);
    EXPECT_EQ(TSpinValueModel::PowerOfTen(0), 1.0);
    EXPECT_EQ(TSpinValueModel::PowerOfTen(9), 1E9);
    EXPECT_DOUBLE_EQ(TSpinValueModel::PowerOfTen(-6), 1E-6);
    EXPECT_EQ(TSpinValueModel::PowerOfTen(12), 1E12);
}

// --- Spin steps ---------------------------------------------------------------------------

TEST_F(SpinValueModelTest, UpAndDownOnABlankFieldGiveTheBounds)
{
    Configure(2, 16, 1, FxSpEmptyValue);
    model.SetIncrement(5);
    model.UpClick();
    EXPECT_EQ(model.Value(), 2);
    model.SetValue(FxSpEmptyValue);
    model.DownClick();
    EXPECT_EQ(model.Value(), 16);
    EXPECT_EQ(changes, 3);
}

TEST_F(SpinValueModelTest, StepsStopAtTheBoundAndThenFireNothing)
{
    Configure(2, 16, 1, 14.5);
    model.UpClick();
    EXPECT_EQ(model.Value(), 15.5);
    model.UpClick();
    EXPECT_EQ(model.Value(), 16);
    model.UpClick();
    EXPECT_EQ(model.Value(), 16);
    EXPECT_EQ(changes, 2);
    model.SetValue(2.5);
    model.DownClick();
    model.DownClick();
    EXPECT_EQ(model.Value(), 2);
}

TEST_F(SpinValueModelTest, HeldSpinWithoutTrackSpinFiresOnceAtTheRelease)
{
    Configure(0, 100, 0, 10);
    model.SetTrackSpin(false);
    model.SpinMouseDown(true);
    for (int step = 0; step < 5; ++step)
        model.UpClick();
    EXPECT_EQ(model.Value(), 15);
    EXPECT_EQ(changes, 0);
    EXPECT_TRUE(model.ChangePending());
    model.SpinMouseUp();
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(model.ChangePending());
    model.SpinMouseUp();
    EXPECT_EQ(changes, 1) << "at most once per spin";
}

TEST_F(SpinValueModelTest, HeldSpinWithTrackSpinFiresAtEveryStep)
{
    Configure(0, 100, 0, 10);
    model.SpinMouseDown(true);
    for (int step = 0; step < 5; ++step)
        model.UpClick();
    model.SpinMouseUp();
    EXPECT_EQ(changes, 5);
}

TEST_F(SpinValueModelTest, HeldSpinThatChangesNothingFiresNothing)
{
    Configure(0, 100, 0, 100);
    model.SetTrackSpin(false);
    model.SpinMouseDown(true);
    model.UpClick();
    model.UpClick();
    model.SpinMouseUp();
    EXPECT_EQ(changes, 0);
}

TEST_F(SpinValueModelTest, RightButtonSpinNeverHoldsBack)
{
    Configure(0, 100, 0, 10);
    model.SetTrackSpin(false);
    model.SpinMouseDown(false);
    model.UpClick();
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(model.Spinning());
}

TEST_F(SpinValueModelTest, HeldArrowKeySpinsUntilAnyKeyRelease)
{
    Configure(0, 100, 0, 10);
    model.SetTrackSpin(false);
    for (int step = 0; step < 3; ++step)
        model.ArrowUpPressed();
    model.ArrowDownPressed();
    EXPECT_EQ(model.Value(), 12);
    EXPECT_EQ(changes, 0);
    model.KeyReleased();
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(model.Spinning());
}

TEST_F(SpinValueModelTest, ReadOnlyFieldIgnoresStepsAndKeysButNotTheProgram)
{
    Configure(0, 100, 1, 10);
    model.SetReadOnly(true);
    model.UpClick();
    model.ArrowDownPressed();
    model.ArrowLeftPressed();
    Type("5\x1b");
    model.DoubleClick();
    model.CtrlZeroPressed();
    EXPECT_EQ(model.Value(), 10);
    EXPECT_EQ(model.IncExponent(), 0);
    EXPECT_EQ(changes, 0);
    model.SetValue(20);
    EXPECT_EQ(changes, 1);
}

TEST_F(SpinValueModelTest, StepIsNotRoundedToTheDecimals)
{
    Configure(0, 0, 1, 0);
    model.SetIncrement(0.05);
    EXPECT_EQ(model.IncExponent(), -2);
    model.UpClick();
    EXPECT_EQ(model.Value(), 0.05);
    EXPECT_EQ(model.Text(), "0.1") << "the text rounds, the value keeps the step";
}

// --- Truncation (double-click, Ctrl+0) ----------------------------------------------------

TEST_F(SpinValueModelTest, TruncationZeroesTheDigitsBelowTheMark)
{
    const struct {
        int exponent;
        double value;
        const char* text;
    } cases[] = { { 1, 120, "120.00" }, { 0, 123, "123.00" }, { -1, 123.4, "123.40" },
        { -2, 123.45, "123.45" }, { 2, 100, "100.00" }, { 4, 0, "0.00" } };
    for (const auto& c : cases) {
        Configure(0, 0, 2, 123.45);
        model.SetIncExponent(c.exponent);
        model.TruncateToIncrement();
        EXPECT_DOUBLE_EQ(model.Value(), c.value) << "exponent " << c.exponent;
        EXPECT_EQ(model.Text().substr(model.Text().find_first_not_of(P)), c.text)
            << "exponent " << c.exponent;
    }
}

TEST_F(SpinValueModelTest, TruncationKeepsTheSign)
{
    Configure(0, 0, 2, -123.45);
    model.SetIncExponent(1);
    model.CtrlZeroPressed();
    EXPECT_EQ(model.Value(), -120);
    model.SetIncExponent(3);
    model.DoubleClick();
    EXPECT_EQ(model.Value(), 0);
    EXPECT_EQ(model.ValueText(), "0.00");
}

TEST_F(SpinValueModelTest, TruncationOfABlankFieldOrBelowTheDecimalsDoesNothing)
{
    Configure(0, 0, 2, FxSpEmptyValue);
    model.DoubleClick();
    model.CtrlZeroPressed();
    EXPECT_TRUE(model.IsBlank());
    Configure(0, 0, 2, 1.23);
    model.SetIncrement(0.001);
    model.TruncateToIncrement();
    EXPECT_EQ(model.Value(), 1.23);
    EXPECT_EQ(changes, 0);
}

// --- Direct (calculator) entry ---------------------------------------------------------

TEST_F(SpinValueModelTest, DirectEntryBuildsANumberAndBackspaceTakesItApart)
{
    Configure(0, 0, 1, FxSpEmptyValue);
    const struct {
        char typed;
        const char* text;
        int exponent;
        int caret;
    } typing[] = { { '1', "1.0", 0, 1 }, { '2', "12.0", 0, 2 }, { '.', "12.0", 0, 2 },
        { '5', "12.5", -1, 4 } };
    for (const auto& step : typing) {
        model.TypeCharacter(step.typed);
        EXPECT_TRUE(model.DirectEntry());
        EXPECT_EQ(model.Text(), step.text) << "after '" << step.typed << "'";
        EXPECT_EQ(model.IncExponent(), step.exponent) << "after '" << step.typed << "'";
        EXPECT_EQ(model.CaretIndex(), step.caret) << "after '" << step.typed << "'";
    }
    EXPECT_EQ(model.Value(), 12.5);
    EXPECT_EQ(model.EntryBuffer(), "12.5");

    const struct {
        const char* buffer;
        const char* text;
        int exponent;
    } erasing[] = { { "12.", "12.0", 0 }, { "12", "12.0", 0 }, { "1", "1.0", 0 } };
    for (const auto& step : erasing) {
        model.TypeCharacter(TSpinValueModel::Backspace);
        EXPECT_EQ(model.EntryBuffer(), step.buffer);
        EXPECT_EQ(model.Text(), step.text) << "buffer " << step.buffer;
        EXPECT_EQ(model.IncExponent(), step.exponent) << "buffer " << step.buffer;
    }
    model.TypeCharacter(TSpinValueModel::Backspace);
    EXPECT_TRUE(model.IsBlank());
    EXPECT_EQ(model.Value(), FxSpEmptyValue);

    const int before = changes;
    model.TypeCharacter(TSpinValueModel::Backspace);
    EXPECT_TRUE(model.IsBlank()) << "Backspace in a blank field changes nothing";
    EXPECT_EQ(changes, before);
}

TEST_F(SpinValueModelTest, DirectEntryShowsTheClampedNumber)
{
    Configure(2, 16, 1, FxSpEmptyValue);
    model.TypeCharacter('1');
    EXPECT_EQ(model.Value(), 2);
    EXPECT_EQ(model.Text(), "2.0");
    model.TypeCharacter('6');
    EXPECT_EQ(model.Value(), 16);
    EXPECT_EQ(model.EntryBuffer(), "16");
}

TEST_F(SpinValueModelTest, PointAloneReadsAsZero)
{
    Configure(0, 0, 1, FxSpEmptyValue);
    model.TypeCharacter('.');
    EXPECT_EQ(model.Value(), 0);
    EXPECT_EQ(model.IncExponent(), 0);
    model.TypeCharacter('5');
    EXPECT_EQ(model.Value(), 0.5);
    EXPECT_EQ(model.IncExponent(), -1);
    model.TypeCharacter('.');
    EXPECT_EQ(model.EntryBuffer(), ".5") << "a second point is refused";
}

TEST_F(SpinValueModelTest, MinusStartsANegativeEntry)
{
    Configure(0, 0, 1, FxSpEmptyValue);
    model.TypeCharacter('-');
    EXPECT_EQ(model.Text(), "- ");
    EXPECT_EQ(model.CaretIndex(), 2) << "the mark waits for the first digit";
    EXPECT_TRUE(model.IsBlank()) << "the value is not touched";
    EXPECT_EQ(model.VisibleText(), "- ");
    model.TypeCharacter('5');
    EXPECT_EQ(model.Value(), -5);
    EXPECT_EQ(model.Text(), "-5.0");
    model.TypeCharacter('-');
    EXPECT_EQ(model.EntryBuffer(), "-5") << "a later minus is ignored";

    model.TypeCharacter(TSpinValueModel::Backspace);
    EXPECT_EQ(model.EntryBuffer(), "") << "a lone minus goes too";
    EXPECT_EQ(model.Value(), -5) << "and the value stays";
}

TEST_F(SpinValueModelTest, NegativeEntryIsClampedToTheMinimum)
{
    Configure(2, 16, 1, FxSpEmptyValue);
    Type("-5");
    EXPECT_EQ(model.Value(), 2);
}

TEST_F(SpinValueModelTest, EntryBufferHoldsAtMost31Characters)
{
    Configure(0, 0, 0, FxSpEmptyValue);
    Type(std::string(40, '1'));
    EXPECT_EQ(model.EntryBuffer().size(), TSpinValueModel::MaxTextLength);
    EXPECT_LE(model.Text().size(), TSpinValueModel::MaxTextLength);
}

TEST_F(SpinValueModelTest, PresumedDirectEntryStartsOnFocus)
{
    Configure(0, 0, 1, 7.5);
    model.SetPresumeDirectEntry(true);
    model.FocusReceived();
    EXPECT_TRUE(model.DirectEntry());
    model.TypeCharacter('3');
    EXPECT_EQ(model.Value(), 3);
    model.UpClick();
    EXPECT_FALSE(model.DirectEntry()) << "a spin step ends direct entry";
    model.TypeCharacter('9');
    EXPECT_EQ(model.Value(), 9) << "now it overtypes the units";
}

TEST_F(SpinValueModelTest, MinusInPresumedEntryKeepsTheOldValueUntilADigit)
{
    Configure(0, 0, 1, 0);
    model.SetPresumeDirectEntry(true);
    model.FocusReceived();
    model.TypeCharacter('-');
    EXPECT_EQ(model.Text(), "- ");
    model.TypeCharacter('0');
    EXPECT_EQ(model.Text(), "0.0") << "an entry that reads as the old value still shows it";
}

// --- Overtyping -----------------------------------------------------------------------

TEST_F(SpinValueModelTest, OvertypingReplacesTheMarkedDigitAndMovesRight)
{
    Configure(0, 0, 1, 12.5);
    model.TypeCharacter('7');
    EXPECT_EQ(model.Value(), 17.5);
    EXPECT_EQ(model.IncExponent(), -1);
    model.TypeCharacter('3');
    EXPECT_EQ(model.Value(), 17.3);
    EXPECT_EQ(model.IncExponent(), -1) << "the last decimal keeps the mark";
    EXPECT_FALSE(model.DirectEntry());
}

TEST_F(SpinValueModelTest, OvertypingAPlaceholderFillsTheZerosBetween)
{
    Configure(0, 0, 0, 5);
    model.SetThousandSeparator(',');
    model.SetIncExponent(3);
    model.TypeCharacter('7');
    EXPECT_EQ(model.Value(), 7005);
    EXPECT_EQ(model.Text(), "7,005");
    EXPECT_EQ(model.IncExponent(), 2);
    EXPECT_EQ(model.CaretIndex(), 3);
}

TEST_F(SpinValueModelTest, OvertypingIsClampedAndNeedsInput)
{
    Configure(2, 16, 1, 6);
    model.SetIncExponent(1);
    model.TypeCharacter('9');
    EXPECT_EQ(model.Value(), 16);
    model.SetInputEnabled(false);
    model.SetIncExponent(0);
    model.TypeCharacter('3');
    EXPECT_EQ(model.Value(), 16);
}

TEST_F(SpinValueModelTest, NegativeNumbersKeepTheirSignWhenTheMarkGoesLeft)
{
    Configure(0, 0, 0, -5);
    model.ArrowLeftPressed();
    EXPECT_EQ(model.Text(), Chars({ '-', P, '5' }));
    EXPECT_EQ(model.CaretIndex(), 2) << "the mark never lies on the sign";
    model.TypeCharacter('3');
    EXPECT_EQ(model.Value(), -35);

    model.SetValue(-5);
    model.SetIncExponent(3);
    EXPECT_EQ(model.Text(), Chars({ '-', P, P, P, '5' }));
    model.TypeCharacter('1');
    EXPECT_EQ(model.Value(), -1005);
    model.SetIncExponent(0);
    EXPECT_EQ(model.Text(), "-1005");
}

TEST_F(SpinValueModelTest, NegativeNumbersWithSeparators)
{
    Configure(0, 0, 0, -5);
    model.SetThousandSeparator(',');
    model.SetIncExponent(4);
    EXPECT_EQ(model.Text(), Chars({ '-', P, P, ',', P, P, '5' }));
    model.TypeCharacter('2');
    EXPECT_EQ(model.Value(), -20005);
    EXPECT_EQ(model.Text(), "-20,005");
}

TEST_F(SpinValueModelTest, MarkRightOfTheTextOvertypesNothing)
{
    Configure(0, 0, 2, 1.25);
    model.SetIncrement(0.001);
    EXPECT_EQ(model.IncExponent(), -3);
    EXPECT_GT(model.CaretIndex(), static_cast<int>(model.Text().size()));
    model.TypeCharacter('7');
    EXPECT_EQ(model.Value(), 1.25);
    EXPECT_EQ(model.Text(), "1.25");
    model.UpClick();
    EXPECT_DOUBLE_EQ(model.Value(), 1.251);
}

// --- Esc ------------------------------------------------------------------------------------

TEST_F(SpinValueModelTest, EscBlanksAndASecondEscRestoresTheFocusValue)
{
    Configure(2, 16, 1, 6);
    model.FocusReceived();
    model.TypeCharacter(TSpinValueModel::Escape);
    EXPECT_TRUE(model.IsBlank());
    EXPECT_EQ(changes, 1);
    model.TypeCharacter(TSpinValueModel::Escape);
    EXPECT_EQ(model.Value(), 6);
    EXPECT_EQ(changes, 2);
}

TEST_F(SpinValueModelTest, RestoredValueIsClampedToTheCurrentBounds)
{
    Configure(2, 16, 1, 6);
    model.FocusReceived();
    model.SetMinValue(7);
    model.TypeCharacter(TSpinValueModel::Escape);
    model.TypeCharacter(TSpinValueModel::Escape);
    EXPECT_EQ(model.Value(), 7);
}

TEST_F(SpinValueModelTest, EscWithABlankFocusValueStaysBlank)
{
    Configure(2, 16, 1, FxSpEmptyValue);
    model.FocusReceived();
    model.TypeCharacter(TSpinValueModel::Escape);
    EXPECT_TRUE(model.IsBlank());
    EXPECT_EQ(changes, 0);
}

TEST_F(SpinValueModelTest, EscEndsDirectEntry)
{
    Configure(0, 0, 1, FxSpEmptyValue);
    model.FocusReceived();
    Type("42");
    model.TypeCharacter(TSpinValueModel::Escape);
    EXPECT_FALSE(model.DirectEntry());
    EXPECT_TRUE(model.IsBlank());
}

// --- Geometry with fixed-width characters ---------------------------------------------

class SpinValueGeometryTest : public SpinValueModelTest {
protected:
    static constexpr int CharWidth = 10;
    static constexpr int CharHeight = 16;

    void Measure(int textRight)
    {
        TSpinTextMetrics metrics;
        metrics.CharWidth = CharWidth;
        metrics.CharHeight = CharHeight;
        metrics.TextWidth
            = [](std::string_view text) { return static_cast<int>(text.size()) * CharWidth; };
        model.SetMetrics(metrics);
        model.SetTextPosition(textRight, 1);
    }
};

TEST_F(SpinValueGeometryTest, CellOfTheMarkedDigit)
{
    Measure(100);
    ASSERT_TRUE(model.CaretValid());
    EXPECT_EQ(model.TextLeft(), 60);
    EXPECT_EQ(model.CaretRect(), (TSpinCellRect { 60, 1, 69, 16 }));
    model.SetIncExponent(-2);
    EXPECT_EQ(model.CaretRect(), (TSpinCellRect { 90, 1, 99, 16 }));
}

TEST_F(SpinValueGeometryTest, CellRightOfTheTextForAFineIncrement)
{
    Measure(100);
    model.SetIncrement(0.001);
    EXPECT_EQ(model.CaretRect(), (TSpinCellRect { 100, 1, 109, 16 }));
}

TEST_F(SpinValueGeometryTest, LeftStopsAtTheFieldsLeftEdge)
{
    Configure(0, 0, 0, 1);
    Measure(35);
    for (int press = 0; press < 5; ++press)
        model.ArrowLeftPressed();
    EXPECT_EQ(model.IncExponent(), 2);
    EXPECT_EQ(model.CaretRect().Left, 5);
}

TEST_F(SpinValueGeometryTest, ClickMarksTheDigitUnderThePointer)
{
    Configure(0, 0, 2, 123.45);
    Measure(100); // "123.45" from x = 40 to 99
    const struct {
        int x;
        int exponent;
    } clicks[] = { { 45, 2 }, { 55, 1 }, { 65, 0 }, { 72, 0 }, { 85, -1 }, { 99, -2 }, { 30, 3 } };
    for (const auto& click : clicks) {
        model.MousePress(click.x, true);
        EXPECT_EQ(model.IncExponent(), click.exponent) << "x " << click.x;
    }
}

TEST_F(SpinValueGeometryTest, ClickOnASeparatorMarksTheDigitRightOfIt)
{
    Configure(0, 0, 0, 1234);
    model.SetThousandSeparator(',');
    Measure(100); // "1,234" from x = 50
    model.MousePress(65, true);
    EXPECT_EQ(model.IncExponent(), 2);
    model.MousePress(55, true);
    EXPECT_EQ(model.IncExponent(), 3);
}

TEST_F(SpinValueGeometryTest, OnlyTheLeftButtonMovesTheMarkButAnyPressEndsEntry)
{
    Configure(0, 0, 1, FxSpEmptyValue);
    Measure(100);
    model.TypeCharacter('4');
    ASSERT_TRUE(model.DirectEntry());
    model.MousePress(40, false);
    EXPECT_FALSE(model.DirectEntry());
    EXPECT_EQ(model.IncExponent(), 0);
}

TEST_F(SpinValueGeometryTest, ReadOnlyStillMovesTheMarkByClick)
{
    Configure(0, 0, 2, 123.45);
    Measure(100);
    model.SetReadOnly(true);
    model.MousePress(45, true);
    EXPECT_EQ(model.IncExponent(), 2);
}

TEST_F(SpinValueGeometryTest, ClicksOnNegativeAndBlankTextsStayInside)
{
    Configure(0, 0, 0, -5);
    Measure(100); // "-5" from x = 80
    model.MousePress(85, true);
    EXPECT_EQ(model.IncExponent(), 1) << "the sign counts as the position left of the number";
    EXPECT_EQ(model.Text(), Chars({ '-', P, '5' }));
    model.SetValue(FxSpEmptyValue);
    for (int x = -20; x < 120; x += 7)
        model.MousePress(x, true);
    EXPECT_LE(model.CaretIndex(), static_cast<int>(model.Text().size()));
}

} // namespace
