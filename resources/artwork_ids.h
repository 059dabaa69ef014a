// Identifiers of the window's PNG artwork (resource type "PNG"), shared by the resource script
// and the interface code. Each image is drawn for 96 dpi at the size noted (width x height); the
// window multiplies every size by its scale factor. Images marked "stretched" are resized with
// their edges kept unscaled, within the margins noted.
#pragma once

// Window and navigation
#define IDP_SIDEBAR 216      // 250 x 600  sidebar background; its divider is column 248
#define IDP_TAB_OVER 147     // 250 x 48   navigation tab under the pointer ("Over", "Away")
#define IDP_TAB_SELECTED 228 // 250 x 48   navigation tab of the panel shown ("Selected")
#define IDP_PANEL 150        // 551 x 600  background of every panel

// Navigation tab icons, 16 x 16
#define IDP_ICON_THEMES 145
#define IDP_ICON_EFFECTS 209
#define IDP_ICON_TRAILS 220
#define IDP_ICON_SOUNDS 223
#define IDP_ICON_MORE_THEMES 144
#define IDP_ICON_OPTIONS 179
#define IDP_ICON_ABOUT 177

// Push buttons, 100 x 27, states "Default", "Over" and "Down". Style 0 is the plain button;
// style 1 the accent button with a check-mark glyph; style 2 the plain button with a plus glyph.
// A glyph image is as large as its button and is laid over it.
#define IDP_BUTTON 149
#define IDP_BUTTON_OVER 196
#define IDP_BUTTON_DOWN 195
#define IDP_BUTTON_ACCENT 201
#define IDP_BUTTON_ACCENT_OVER 202
#define IDP_BUTTON_ACCENT_DOWN 200
#define IDP_BUTTON_ACCENT_GLYPH 204
#define IDP_BUTTON_ICON 198
#define IDP_BUTTON_ICON_OVER 199
#define IDP_BUTTON_ICON_DOWN 197
#define IDP_BUTTON_ICON_GLYPH 203

// Lists: the bars are 498 x 50, stretched to any row with margins of 6 on every side
#define IDP_LIST_HOVER 225
#define IDP_LIST_SELECTED 151

// Buttons on the theme list's selection bar
#define IDP_THEME_DETAILS 155    // 20 x 20
#define IDP_THEME_EDIT 154       // 20 x 20
#define IDP_THEME_PROPERTIES 231 // 15 x 15
#define IDP_THEME_WEB 152        // 15 x 15
#define IDP_THEME_DELETE 206     // 15 x 15

// Back link of the theme details panel, 16 x 16
#define IDP_BACK_ARROW 146

// Scroll bars, 17 wide: the track (17 x 100, stretched with margins of 6 at top and bottom), the
// arrows at its ends (17 x 17) and the thumb (17 x 48, stretched with margins of 6)
#define IDP_SCROLL_TRACK 157
#define IDP_SCROLL_UP 158
#define IDP_SCROLL_DOWN 159
#define IDP_SCROLL_THUMB 160

// Options panel
#define IDP_PAGE_TAB 161          // 150 x 36  page head, "Default"; stretched, margins 8 at the sides
#define IDP_PAGE_TAB_SELECTED 162 // 150 x 36  page head, "Selected"
#define IDP_CHECKBOX 207          // 18 x 18   clear ("Default")
#define IDP_CHECKBOX_CHECKED 208  // 18 x 18   checked ("Enabled")

// Sliders: tracks are 200 x 5, stretched with 10 unscaled at each end; the knob (10 x 21) sits
// 8 above the track and covers it exactly at both ends of its travel
#define IDP_SLIDER_TRACK 226
#define IDP_SLIDER_TRACK_HUE 186
#define IDP_SLIDER_TRACK_BRIGHTNESS 212
#define IDP_SLIDER_TRACK_CONTRAST 211
#define IDP_SLIDER_KNOB 227
#define IDP_SLIDER_KNOB_OVER 230

// Sound slots of the sounds panel, 45 x 45: states "sound" and "blank"
#define IDP_SOUND_SLOT 148
#define IDP_SOUND_SLOT_BLANK 153

// Pictures
#define IDP_BANNER 174       // 551 x 130  top of the about and more-themes panels
#define IDP_GALLERY 192      // 551 x 240  theme gallery picture (a link)
#define IDP_SIDE_PICTURE 233 // 150 x 190  beside the more-themes text
