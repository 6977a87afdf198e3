// Arbitrary key and mouse sequences into a spin field's value model, after random settings:
// while every occasion clamps, a non-blank value stays within its bounds, and whenever no
// entry is in progress the text reads back as the value.
#include "fuzz/FuzzInput.h"
#include "widgets/BlankValue.h"
#include "widgets/SpinValueModel.h"

#include <cmath>
#include <cstdlib>
#include <iterator>
#include <string>

using namespace wendle;

namespace {

void Check(const TSpinValueModel& model)
{
    const double value = model.Value();
    FUZZ_REQUIRE(!std::isnan(value));
    // A lone "-" typed in direct entry shows "- " and leaves the value alone, until it ends.
    FUZZ_REQUIRE(model.Text() != "- " || model.DirectEntry());
    if (model.IsBlank()) {
        FUZZ_REQUIRE(model.ValueText().empty());
        return;
    }
    if (model.CheckBounds() == FxSpAllOccasions && model.MinValue() <= model.MaxValue()
        && model.IsBounded())
        FUZZ_REQUIRE(value >= model.MinValue() && value <= model.MaxValue());
    if (model.DirectEntry())
        return;
    // Placeholders, and the separators that group them, stand left of the number; a text
    // past the longest the field keeps is cut and cannot be read back.
    std::string shown;
    for (const char c : model.Text())
        if (c != TSpinTextFormat::Placeholder
            && (c != model.ThousandSeparator()
                || (!shown.empty() && shown.back() >= '0' && shown.back() <= '9')))
            shown += c;
    if (model.Text().size() >= TSpinTextFormat::MaxTextLength)
        return;
    FUZZ_REQUIRE(shown == model.ValueText());
    std::erase(shown, model.ThousandSeparator());
    char* end = nullptr;
    const double read = std::strtod(shown.c_str(), &end);
    FUZZ_REQUIRE(end == shown.c_str() + shown.size());
    const double tolerance = 0.5 * std::pow(10.0, -model.Decimals()) + std::abs(value) * 1e-15;
    FUZZ_REQUIRE(std::abs(read - value) <= tolerance);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TFuzzInput input { { data, size } };
    TSpinValueModel model;
    model.SetMetrics(
        { [](std::string_view text) { return 7 * static_cast<int>(text.size()); }, 7, 12 });
    model.SetTextPosition(input.Int(0, 300), 2);
    model.SetDecimals(input.Int(-1, 19));
    model.SetMaxValue(input.Number(-1e4, 1e4));
    model.SetMinValue(input.Number(-1e4, 1e4));
    model.SetIncrement(input.Number(-100, 100));
    model.SetThousandSeparator(",' \0"[input.Int(0, 3)]); // the refused ones are unit-tested
    const std::uint8_t flags = input.Byte();
    model.SetCheckBounds(flags & 8 ? FxSpAllOccasions : flags & 7);
    model.SetPresumeDirectEntry(flags & 16);
    model.SetReadOnly((flags & 0xE0) == 0xE0);
    model.SetTrackSpin(flags & 32);
    Check(model);

    // Each byte picks the next thing the user does: a plain action, one with an argument, or,
    // about one time in four, a key typed.
    using M = TSpinValueModel;
    static constexpr void (M::*plain[])() = { &M::UpClick, &M::DownClick, &M::SpinMouseUp,
        &M::ArrowUpPressed, &M::ArrowDownPressed, &M::ArrowLeftPressed, &M::ArrowRightPressed,
        &M::CtrlZeroPressed, &M::KeyReleased, &M::DoubleClick, &M::FocusReceived, &M::FocusLost };
    while (!input.Empty()) {
        const std::size_t choice = input.Byte() % 22, other = choice - std::size(plain);
        if (choice < std::size(plain))
            (model.*plain[choice])();
        else if (other == 0)
            model.SpinMouseDown(input.Byte() & 1);
        else if (other == 1)
            model.MousePress(input.Int(-20, 400), input.Byte() & 1);
        else if (other == 2)
            model.SetValue(input.Byte() & 1 ? FxSpEmptyValue : input.Number(-2e4, 2e4));
        else if (other == 3)
            model.SetIncrement(input.Number(-1000, 1000));
        else if (other == 4)
            model.WheelTurned(input.Int(-400, 400));
        else
            model.TypeCharacter("0123456789-.\x1b\bx"[input.Int(0, 15)]);
        Check(model);
    }
    return 0;
}
