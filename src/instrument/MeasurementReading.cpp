#include "MeasurementReading.h"

#include "DeltaE.h"
#include "FrameScanner.h"
#include "Frames.h"
#include "InstrumentGeneration.h"
#include "MeasurementCommands.h"

namespace {

constexpr int kBlockBase = 0x20;

// The modes with a result block of their own: all but Haze/T/Lab.
bool hasBlock(DisplayMode mode)
{
    return mode != DisplayMode::None && mode != DisplayMode::HazeTLab;
}

std::array<int, 21> rawFromRecord(const MeasurementValues& v)
{
    return {v.r0,  v.r1,  v.r2,  v.r3,  v.r4,  v.r5,  v.r6,  v.r7,  v.r8,  v.r9, v.r10,
            v.r11, v.r12, v.r13, v.r14, v.r15, v.r16, v.r17, v.r18, v.r19, v.r20};
}

ColorReading readingFromRecord(const MeasurementValues& values)
{
    return scaleMeasurement(rawFromRecord(values));
}

// A block carries R, G, B and the quantities of its mode; the rest stays 0.
ColorReading readingFromBlock(const MeasurementBlock& block)
{
    std::array<int, 21> raw{};
    raw[16] = block.bytes[0];
    raw[17] = block.bytes[1];
    raw[18] = block.bytes[2];
    const auto& v = block.values;
    const DisplayMode mode = displayModeFromIndex(block.mode);
    switch (mode) {
    case DisplayMode::HazeT:
        raw[19] = v[0];
        raw[20] = v[1];
        break;
    case DisplayMode::Haze:
        raw[19] = v[0];
        break;
    case DisplayMode::Transmittance:
        raw[20] = v[0];
        break;
    case DisplayMode::Lab:
    case DisplayMode::LCh:
    case DisplayMode::Yxy:
        raw[0] = v[0];
        raw[1] = v[1];
        raw[2] = v[2];
        if (mode == DisplayMode::LCh) {
            raw[6] = v[3];
            raw[7] = v[4];
            raw[8] = v[5];
        } else if (mode == DisplayMode::Yxy) {
            raw[9] = v[3];
            raw[10] = v[4];
            raw[11] = v[5];
        }
        break;
    default:
        break;
    }
    return scaleMeasurement(raw);
}

// The legacy reply: L*, a*, b*, C* in hundredths and h in hundredths of a degree.
ColorReading readingFromLegacy(const MeasurementValues& v)
{
    ColorReading reading;
    reading.lab = {scaledValue(Quantity::L, v.r0), scaledValue(Quantity::A, v.r1),
                   scaledValue(Quantity::B, v.r2)};
    reading.chroma = scaledValue(Quantity::Chroma, v.r7);
    reading.hue = scaledValue(Quantity::LegacyHue, v.r8);
    reading.red = v.r16;
    reading.green = v.r17;
    reading.blue = v.r18;
    return reading;
}

} // namespace

FetchPath fetchPathFor(const QString& model, int softwareVersion)
{
    if (isFirstGenerationColorimeter(model, softwareVersion)) {
        return FetchPath::Legacy;
    }
    const bool blockModel = model == QLatin1String("TX310") || model == QLatin1String("TX470");
    return blockModel && softwareVersion < 106 ? FetchPath::Block : FetchPath::Full;
}

int fetchMeasurement(Transport& transport, FetchPath path, DisplayMode displayMode, ColorReading& reading)
{
    switch (path) {
    case FetchPath::Full: {
        MeasurementValues values;
        const int result = takeMeasurement(transport, values);
        if (result == ProtocolResult::Success) {
            reading = readingFromRecord(values);
        }
        return result;
    }
    case FetchPath::Block: {
        if (!hasBlock(displayMode)) {
            // No block to read: a reading of zeros would be an invented one.
            return ProtocolResult::ValueDoesNotFit;
        }
        MeasurementBlock block;
        const int result = readMeasurementBlock(transport, displayModeIndex(displayMode), block);
        if (result == ProtocolResult::Success) {
            reading = readingFromBlock(block);
        }
        return result;
    }
    case FetchPath::Legacy: {
        MeasurementValues values;
        const int result = readMeasurementLegacy(transport, values);
        if (result == ProtocolResult::Success) {
            reading = readingFromLegacy(values);
        }
        return result;
    }
    }
    return ProtocolResult::ValueDoesNotFit;
}

bool readingFromPushedFrame(const PushedFrame& frame, DisplayMode displayMode, ColorReading& reading)
{
    switch (frame.format) {
    case PushedFrameFormat::FullRecord: {
        MeasurementValues values;
        if (!decodeMeasurementRecord(frame.bytes, values)) {
            return false;
        }
        reading = readingFromRecord(values);
        return true;
    }
    case PushedFrameFormat::Block: {
        // Only the block of the mode in force; Haze/T/Lab has none of its own,
        // and a block of another mode would show a reading as the wrong quantities.
        if (!hasBlock(displayMode) || frame.blockNumber != kBlockBase + displayModeIndex(displayMode)) {
            return false;
        }
        MeasurementBlock block;
        if (!decodeMeasurementBlock(frame.bytes, displayModeIndex(displayMode), block)) {
            return false;
        }
        reading = readingFromBlock(block);
        return true;
    }
    case PushedFrameFormat::Legacy: {
        MeasurementValues values;
        if (!decodeMeasurementRecord(frame.bytes.leftJustified(43, '\0', true), values)) {
            return false;
        }
        reading = readingFromLegacy(values);
        return true;
    }
    }
    return false;
}

ComparisonRecord::Values currentLayoutValues(const ColorReading& r)
{
    return {r.haze, r.transmittance, r.lab.l, r.lab.a, r.lab.b, r.lchL, r.chroma, r.hue,
            r.luminanceY, r.chromaticityX, r.chromaticityY};
}

ComparisonRecord::LegacyValues legacyLayoutValues(const ColorReading& r)
{
    return {r.lab.l, r.lab.a, r.lab.b, r.chroma, r.hue};
}
