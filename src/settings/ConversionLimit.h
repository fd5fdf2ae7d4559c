#pragma once

class SettingsStore;

// The longest time one conversion of a drawing may take, in seconds: the
// stored ConversionSeconds, a whole number from 1 to 32767; the default when
// none is stored or the stored text is no such number.
int conversionSeconds(SettingsStore& settings);
