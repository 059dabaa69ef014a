#pragma once
// Import of the earlier product's themes: ZIP archives (".tolvxtheme") holding a "scheme.ini" with
// one section per cursor and the cursor images as PNG or BMP files named after the sections. The
// archive is extracted into a fresh temporary folder, the sections become cursors at scale 1.0,
// the lines after "[Description]" become the description, and the folder is removed again,
// whatever happened in between. Archives are untrusted: extraction never writes outside the
// folder and is bounded in size (theme/archive_extract.h). An archive from which no cursor can be
// read (damaged, without scheme.ini, or with every image it names missing or damaged) is refused
// with a reason, as a damaged theme file is; a cursor whose image alone is missing is left out.
#include <string>

#include "theme/archive_extract.h"

class CTheme;
struct CCursor;
class SchemeIni;

// scheme.ini's keys and their defaults.
namespace legacykeys {
constexpr wchar_t kFrames[] = L"Frames";
constexpr wchar_t kInterval[] = L"Interval";
constexpr wchar_t kAnimationStyle[] = L"Animation style";
constexpr wchar_t kHotSpotX[] = L"Hot spot x";
constexpr wchar_t kHotSpotY[] = L"Hot spot y";
constexpr wchar_t kStdCursor[] = L"StdCursor";
constexpr wchar_t kFrameScript[] = L"FrameScript";
constexpr wchar_t kPerPixel[] = L"PerPixel";
constexpr wchar_t kScriptSuffix[] = L"_Script";
constexpr wchar_t kDownSuffix[] = L"_Down";
constexpr wchar_t kSchemeFileName[] = L"scheme.ini";
constexpr wchar_t kDescriptionHeader[] = L"[Description]";
}  // namespace legacykeys

// Fills theme (already emptied by the caller) from the archive: true with content flag 1 and at
// least one cursor. The theme's name is the archive's file name without extension. With preview
// only the normal Arrow cursor is read (another one when the Arrow cannot be). False, with the
// theme empty and a one-line reason, when the archive does not exist (or is a folder) or no cursor
// can be read from it. limits bound the extraction (tests make them small).
bool ImportLegacyTheme(CTheme& theme, const std::wstring& archivePath, bool preview,
                       const ExtractLimits& limits = ExtractLimits{}, std::string* reason = nullptr);

// What one section of scheme.ini gave.
enum class LegacySection {
    kRead,          // a cursor
    kNoImage,       // the section keeps the system pointer or has no frames: it names no image
    kImageMissing,  // neither its PNG nor its BMP is there
    kImageDamaged,  // the image does not decode, or is narrower than its frames
};

// Reads one section of scheme.ini into cursor (role, event, variant and scale already set).
// folder holds scheme.ini and the images; schemeBytes is scheme.ini's size, the most a script
// section may hold.
LegacySection ReadLegacySection(CCursor& cursor, const std::wstring& section, SchemeIni& ini,
                                const std::wstring& folder, size_t schemeBytes);

// The description from scheme.ini's text: every line after the first one starting (ignoring case)
// with "[Description]", joined with CR LF. Lines end at CR, LF or CR LF.
std::wstring LegacyDescription(const std::wstring& schemeText);

// The path of name inside folder. Archives made on Windows name files in any letter case; where
// the file system tells case apart, an entry differing only in case is found as well.
std::wstring FindInFolder(const std::wstring& folder, const std::wstring& name);

// --- platform parts (legacy_import_posix.cpp, legacy_import_win.cpp) ---

// Creates a new, uniquely named folder ("QZ" followed by a unique part) in the user's temporary
// folder. False when none could be made.
bool CreateImportFolder(std::wstring& folder);
// scheme.ini as text: UTF-16 after a byte-order mark, else the system's single-byte code page, with
// a line break appended; empty when it cannot be read.
std::wstring ReadSchemeText(const std::wstring& path);

// Deletes everything inside folder (files, and subfolders with their contents) and, when
// removeFolder, the folder itself. Links are removed, never followed.
void DeleteFolderTree(const std::wstring& folder, bool removeFolder);
