#pragma once
// The display mode: which quantities a comparison shows and judges. One type
// for the page, the records, the export, the statistics and the command line;
// the instrument's display parameter (0..6) and the numbers kept in files and
// in the station database are converted at those edges only.

#include <array>

enum class DisplayMode {
    None = -1, // no mode known (a legacy record, a file that names none)
    HazeT = 0,
    Haze = 1,
    Transmittance = 2,
    Lab = 3,
    LCh = 4,
    Yxy = 5,
    HazeTLab = 6,
};

inline constexpr int kDisplayModeCount = 7;

// The instrument's display parameter (and the number files keep) as a mode:
// None for anything outside 0..6.
constexpr DisplayMode displayModeFromIndex(int index)
{
    return index >= 0 && index < kDisplayModeCount ? static_cast<DisplayMode>(index) : DisplayMode::None;
}
// The instrument's display parameter of a mode; -1 for None.
constexpr int displayModeIndex(DisplayMode mode)
{
    return static_cast<int>(mode);
}

// The mode as one flag per mode in the order of the display parameter
// (Haze/T, Haze, T, Lab, LCh, Yxy, Haze/T/Lab): exactly one set, none for None.
using DisplayFlags = std::array<bool, kDisplayModeCount>;
constexpr DisplayFlags displayFlagsOf(DisplayMode mode)
{
    DisplayFlags flags{};
    const int index = displayModeIndex(mode);
    if (index >= 0 && index < kDisplayModeCount) {
        flags[static_cast<std::size_t>(index)] = true;
    }
    return flags;
}
// The mode of flags with exactly one set; None otherwise.
constexpr DisplayMode displayModeOfFlags(const DisplayFlags& flags)
{
    DisplayMode mode = DisplayMode::None;
    for (int index = 0; index < kDisplayModeCount; ++index) {
        if (flags[static_cast<std::size_t>(index)]) {
            if (mode != DisplayMode::None) {
                return DisplayMode::None;
            }
            mode = displayModeFromIndex(index);
        }
    }
    return mode;
}
static_assert(displayModeOfFlags(displayFlagsOf(DisplayMode::Yxy)) == DisplayMode::Yxy);
static_assert(displayModeOfFlags(DisplayFlags{true, false, false, true}) == DisplayMode::None);

// Lab, LCh and Yxy judge by delta-E alone (haze and transmittance are not looked at).
constexpr bool judgesByDeltaEAlone(DisplayMode mode)
{
    return mode == DisplayMode::Lab || mode == DisplayMode::LCh || mode == DisplayMode::Yxy;
}
// The modes whose verdict looks at delta-E: the three above and Haze/T/Lab.
constexpr bool judgesDeltaE(DisplayMode mode)
{
    return judgesByDeltaEAlone(mode) || mode == DisplayMode::HazeTLab;
}
constexpr bool judgesHaze(DisplayMode mode)
{
    return mode == DisplayMode::HazeT || mode == DisplayMode::Haze || mode == DisplayMode::HazeTLab;
}
constexpr bool judgesTransmittance(DisplayMode mode)
{
    return mode == DisplayMode::HazeT || mode == DisplayMode::Transmittance || mode == DisplayMode::HazeTLab;
}
