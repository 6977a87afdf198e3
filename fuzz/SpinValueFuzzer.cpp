// Arbitrary key and mouse sequences into a spin field's value model, after random settings:
// while every occasion clamps, a non-blank value stays within its bounds, and whenever no
// entry is in progress the text reads back as the value.
#include "BlankValue.h"
#include "FuzzInput.h"
#include "SpinValueModel.h"

#include <cmath>
#include <cstdlib>
#include <iterator>
#include <stdexcept>
#include <string>

using namespace wendle;

namespace {

void Check(const TSpinValueModel& model)
{
    const double value = model.Value();
    FUZZ_REQUIRE(!std::isnan(value));
    if (model.IsBlank()) {
        FUZZ_REQUIRE(model.ValueText().empty());
        return;
    }
    if (model.CheckBounds() == FxSpAllOccasions && model.MinValue() <= model.MaxValue()
        && model.IsBounded())
        FUZZ_REQUIRE(value >= model.MinValue() && value <= model.MaxValue());
    // A lone "-" typed in direct entry shows "- " and leaves the value alone, and that text
    // stays until the next change even when the entry ends.
    if (model.DirectEntry() || model.Text() == "- ")
        return;
    // Placeholders, and the separators that group them, stand left of the number; a text
    // past the longest the field keeps is cut and cannot be read back.
    std::string shown;
    for (const char c : model.Text())
        if (c != TSpinValueModel::Placeholder
            && (c != model.ThousandSeparator()
                || (!shown.empty() && shown.back() >= '0' && shown.back() <= '9')))
            shown += c;
    if (model.Text().size() >= TSpinValueModel::MaxTextLength)
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
    try {
        model.SetThousandSeparator(",'. -5\0"[input.Int(0, 6)]);
    } catch (const std::out_of_range&) {
        // Refused separators leave the field as it was.
    }
    const std::uint8_t flags = input.Byte();
    model.SetCheckBounds(flags & 8 ? FxSpAllOccasions : flags & 7);
    model.SetPresumeDirectEntry(flags & 16);
    model.SetReadOnly((flags & 0xE0) == 0xE0);
    model.SetTrackSpin(flags & 32);
    Check(model);

    // Each byte picks the next thing the user does; most of the time, a key typed.
    using Action = void (*)(TSpinValueModel&, TFuzzInput&);
    static constexpr Action actions[] = {
        [](TSpinValueModel& m, TFuzzInput&) { m.UpClick(); },
        [](TSpinValueModel& m, TFuzzInput&) { m.DownClick(); },
        [](TSpinValueModel& m, TFuzzInput& in) { m.SpinMouseDown(in.Byte() & 1); },
        [](TSpinValueModel& m, TFuzzInput&) { m.SpinMouseUp(); },
        [](TSpinValueModel& m, TFuzzInput&) { m.ArrowUpPressed(); },
        [](TSpinValueModel& m, TFuzzInput&) { m.ArrowDownPressed(); },
        [](TSpinValueModel& m, TFuzzInput&) { m.ArrowLeftPressed(); },
        [](TSpinValueModel& m, TFuzzInput&) { m.ArrowRightPressed(); },
        [](TSpinValueModel& m, TFuzzInput&) { m.CtrlZeroPressed(); },
        [](TSpinValueModel& m, TFuzzInput&) { m.KeyReleased(); },
        [](TSpinValueModel& m, TFuzzInput& in) { m.MousePress(in.Int(-20, 400), in.Byte() & 1); },
        [](TSpinValueModel& m, TFuzzInput&) { m.DoubleClick(); },
        [](TSpinValueModel& m, TFuzzInput&) { m.FocusReceived(); },
        [](TSpinValueModel& m, TFuzzInput& in) { m.SetValue(in.Number(-2e4, 2e4)); },
        [](TSpinValueModel& m, TFuzzInput&) { m.SetValue(FxSpEmptyValue); },
        [](TSpinValueModel& m, TFuzzInput& in) { m.SetIncrement(in.Number(-1000, 1000)); },
    };
    constexpr std::size_t typing = 4; // of every 20 choices
    while (!input.Empty()) {
        const std::size_t choice = input.Byte() % (std::size(actions) + typing);
        if (choice < std::size(actions))
            actions[choice](model, input);
        else
            model.TypeCharacter("0123456789-.\x1b\bx"[input.Int(0, 15)]);
        Check(model);
    }
    return 0;
}
