#include "MeasurementReading.h"

#include "DeltaE.h"
#include "FrameScanner.h"
#include "Frames.h"
#include "InstrumentGeneration.h"
#include "MeasurementCommands.h"

namespace {

constexpr int kBlockBase = 0x20;
constexpr int kBlockModes = 6; // 0 Haze/T ... 5 Yxy; Haze/T/Lab has none

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
    switch (block.mode) {
    case 0:
        raw[19] = v[0];
        raw[20] = v[1];
        break;
    case 1:
        raw[19] = v[0];
        break;
    case 2:
        raw[20] = v[0];
        break;
    case 3:
    case 4:
    case 5:
        raw[0] = v[0];
        raw[1] = v[1];
        raw[2] = v[2];
        if (block.mode == 4) {
            raw[6] = v[3];
            raw[7] = v[4];
            raw[8] = v[5];
        } else if (block.mode == 5) {
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

int fetchMeasurement(Transport& transport, FetchPath path, int displayMode, ColorReading& reading)
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
        if (displayMode < 0 || displayMode >= kBlockModes) {
            // No block to read: a reading of zeros would be an invented one.
            return ProtocolResult::ValueDoesNotFit;
        }
        MeasurementBlock block;
        const int result = readMeasurementBlock(transport, displayMode, block);
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

bool readingFromPushedFrame(const PushedFrame& frame, int displayMode, ColorReading& reading)
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
        if (displayMode < 0 || displayMode >= kBlockModes
            || frame.blockNumber != kBlockBase + displayMode) {
            return false;
        }
        MeasurementBlock block;
        if (!decodeMeasurementBlock(frame.bytes, displayMode, block)) {
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

std::array<QString, 11> currentLayoutTexts(const ColorReading& r)
{
    return {formatValue(Quantity::Haze, r.haze),
            formatValue(Quantity::Transmittance, r.transmittance),
            formatValue(Quantity::L, r.lab.l),
            formatValue(Quantity::A, r.lab.a),
            formatValue(Quantity::B, r.lab.b),
            formatValue(Quantity::LchL, r.lchL),
            formatValue(Quantity::Chroma, r.chroma),
            formatValue(Quantity::Hue, r.hue),
            formatValue(Quantity::LuminanceY, r.luminanceY),
            formatValue(Quantity::ChromaticityX, r.chromaticityX),
            formatValue(Quantity::ChromaticityY, r.chromaticityY)};
}

std::array<QString, 5> legacyLayoutTexts(const ColorReading& r)
{
    return {formatValue(Quantity::L, r.lab.l), formatValue(Quantity::A, r.lab.a),
            formatValue(Quantity::B, r.lab.b), formatValue(Quantity::Chroma, r.chroma),
            formatValue(Quantity::LegacyHue, r.hue)};
}
