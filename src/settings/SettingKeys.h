#pragma once

// The program's remembered choices. Each is stored as text under one key of
// the per-user store, in one application and section; the key names and their
// values are what earlier versions stored, so they never change.
enum class Setting {
    PrinterPosition,  // "Combo1": 0-based position of the chosen printer; empty when none was chosen
    PausePosition,    // "Combo2": 0-based position of the chosen pause
    ScanExtension,    // "Extension": the extension the last folder scan asked for
    ScanFolder,       // "LastFolder": the folder the last folder scan looked in
    SampleRecord,     // "Snapshot": the scrambled record of the sample drawings
    ConversionLimit,  // "ConversionSeconds": the longest time one conversion of a drawing may take
};

// The address every value of this program lives under.
namespace SettingsAddress {
inline const char* const Application = "Tarnwell";
inline const char* const Section = "Plotvane";
}  // namespace SettingsAddress

// The conversion limit when none is stored, in seconds.
constexpr int DefaultConversionSeconds = 120;

// The key a setting is stored under.
const char* keyOf(Setting setting);
