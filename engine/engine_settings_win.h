#pragma once
#include "engine/engine_settings.h"

// The settings from the product's key (each missing value its default) and the hot key.
EngineSettings ReadEngineSettings();
