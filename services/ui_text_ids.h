#pragma once
// The text ids the window asks UiText for, in one list: the window code uses the names, and the
// language-file tests check every shipped language against the list.
//
// Texts 38, 143 and 145 to 149 are formats: each holds one "%s" for a file name (149: an address).
#include <cstddef>

#define MORVANTA_UI_TEXTS(X)                                                                \
    /* themes panel */                                                                      \
    X(kThemesHeading, 1)                                                                    \
    X(kThemesIntro, 2)                                                                      \
    X(kThemeInUse, 3)                                                                       \
    X(kApply, 4) /* every apply button */                                                   \
    X(kNewTheme, 5)                                                                         \
    X(kSystemPointers, 46) /* row 0 of the theme list, and the in-use name without theme */ \
    X(kConfirmDeleteTheme, 38)                                                              \
    X(kEditorMissing, 146)   /* holds one "%s" for the editor's path */                     \
    X(kThemeLoadFailed, 147) /* holds one "%s" for the theme's name */                      \
    X(kThemeSaveFailed, 148) /* holds one "%s" for the current-theme file's path */         \
    X(kNotAWebAddress, 149)  /* holds one "%s" for the refused address */                   \
    /* theme details panel */                                                               \
    X(kDetailsHeading, 6)                                                                   \
    X(kDetailsPointers, 7)                                                                  \
    X(kBackToThemes, 8)                                                                     \
    X(kApplyAndGoBack, 9)                                                                   \
    /* sidebar tabs and the window */                                                       \
    X(kTabThemes, 34)                                                                       \
    X(kTabEffects, 51)                                                                      \
    X(kTabTrails, 62)                                                                       \
    X(kTabSounds, 79)                                                                       \
    X(kTabMoreThemes, 35)                                                                   \
    X(kTabOptions, 12)                                                                      \
    X(kTabAbout, 36)                                                                        \
    X(kWindowTitle, 58)                                                                     \
    X(kRestartForLanguage, 78)                                                              \
    /* options panel: pages, sliders, check boxes, shadow mode */                           \
    X(kPageAppearance, 14)                                                                  \
    X(kPageShadow, 15)                                                                      \
    X(kPageOther, 49)                                                                       \
    X(kHue, 17)                                                                             \
    X(kBrightness, 59)                                                                      \
    X(kContrast, 60)                                                                        \
    X(kOpacity, 16) /* also the ghost opacity slider */                                     \
    X(kSize, 48)                                                                            \
    X(kShadowSharpness, 24)                                                                 \
    X(kShadowDarkness, 25)                                                                  \
    X(kLightX, 26)                                                                          \
    X(kLightY, 27)                                                                          \
    X(kLightHeight, 28)                                                                     \
    X(kCursorHeight, 29)                                                                    \
    X(kShadowOffsetX, 30)                                                                   \
    X(kShadowOffsetY, 31)                                                                   \
    X(kMovementSmoothing, 50)                                                               \
    X(kDisableShadow, 61)                                                                   \
    X(kMirror, 47)                                                                          \
    X(kGlassEffect, 63)                                                                     \
    X(kFixedShadowMode, 20)                                                                 \
    X(kLightShadowMode, 21)                                                                 \
    X(kUseLightSource, 22)                                                                  \
    X(kUseFixedOffset, 23)                                                                  \
    X(kRestoreDefaults, 120) /* reset button: no number of its own elsewhere */             \
    /* hot-key button and dialog */                                                         \
    X(kHotKey, 68)                                                                          \
    X(kHotKeyPrompt, 69)                                                                    \
    X(kOk, 70)                                                                              \
    X(kCancel, 71)                                                                          \
    /* effects, sounds and trails panels */                                                 \
    X(kNone, 55)                                                                            \
    X(kLeftDown, 101)                                                                       \
    X(kLeftUp, 102)                                                                         \
    X(kLeftDoubleClick, 103)                                                                \
    X(kMiddleDown, 104)                                                                     \
    X(kMiddleUp, 105)                                                                       \
    X(kMiddleDoubleClick, 106)                                                              \
    X(kRightDown, 107)                                                                      \
    X(kRightUp, 108)                                                                        \
    X(kRightDoubleClick, 109)                                                               \
    X(kEffectNeedsTheme, 57)                                                                \
    X(kSoundNeedsTheme, 82)                                                                 \
    X(kTrailNeedsTheme, 64)                                                                 \
    X(kGhostTrail, 74)                                                                      \
    X(kTrailPreviewIdle, 66)                                                                \
    X(kTrailPreviewRunning, 67)                                                             \
    X(kGhostsPerSecond, 75)                                                                 \
    X(kGhostLife, 76)                                                                       \
    X(kEffectsIntro, 140)                                                                   \
    X(kSoundsIntro, 141)                                                                    \
    X(kTrailsIntro, 142)                                                                    \
    X(kSoundUnreadable, 143) /* holds one "%s" for the file name */                         \
    /* more-themes and about panels */                                                      \
    X(kMoreThemesText, 32)                                                                  \
    X(kMoreThemesHowTo, 33)                                                                 \
    X(kProductWebPage, 43)                                                                  \
    X(kOnlineWiki, 121) /* wiki link: no number of its own elsewhere */                     \
    X(kHelpLink, 144)                                                                       \
    X(kHelpMissing, 145) /* holds one "%s" for the help file's path */                      \
    X(kLanguageLabel, 77)

namespace uitext {

#define MORVANTA_UI_TEXT_CONSTANT(name, number) constexpr int name = number;
MORVANTA_UI_TEXTS(MORVANTA_UI_TEXT_CONSTANT)
#undef MORVANTA_UI_TEXT_CONSTANT

// The label of mouse event 0..8 ("Left down" .. "Right double-click").
constexpr int MouseEventText(int event) {
    return kLeftDown + event;
}

#define MORVANTA_UI_TEXT_NUMBER(name, number) number,
constexpr int kAllTextIds[] = {MORVANTA_UI_TEXTS(MORVANTA_UI_TEXT_NUMBER)};
#undef MORVANTA_UI_TEXT_NUMBER
constexpr size_t kTextIdCount = sizeof kAllTextIds / sizeof kAllTextIds[0];

}  // namespace uitext
