#pragma once

#include "fuzz/seeds/seed.h"

// Inputs of the settings target: section, key and value texts, a settings file and a buffer size.
Seeds SettingsSeeds();

// Output paths as the serial operations see them.
Seeds PathSeeds();
