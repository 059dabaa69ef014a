#include "engine/engine_settings_win.h"

#include "services/settings_win.h"

EngineSettings ReadEngineSettings() {
    EngineSettings settings;
    LoadSettings(settings.block);
    ReadProductDword(settings.hotKey, kHotKeyValue, kDefaultHotKey);
    return settings;
}
