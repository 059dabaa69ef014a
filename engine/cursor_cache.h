#pragma once
// The engine's cache of cursor files: "Cursors" beside the current-theme file, one file per
// replaced system cursor, named after it as the system's schemes name it ("Arrow.cur",
// "Wait.ani", "Arrow held.cur" for the one shown while a button is held). The engine writes every
// cursor it builds here and loads it back from the file, so what the system was handed can be
// looked at (and the folder imported as a scheme). Only the engine writes here; the files are
// rebuilt whenever needed, so they are written without flushing to the disk.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

// The cache folder for a current-theme file: "Cursors" in the file's folder.
std::wstring CursorCacheFolder(const std::wstring& currentThemePath);

class CursorCache {
public:
    explicit CursorCache(std::wstring folder) : folder_(std::move(folder)) {}

    const std::wstring& Folder() const { return folder_; }
    std::wstring PathOf(const std::wstring& fileName) const;

    // Creates the folder when missing. False with a reason when it cannot.
    bool Prepare(std::string& reason) const;
    // Writes the file whole under a temporary name, then puts it in place, so that a reader never
    // sees half a file. False with a reason (the old file, if any, stays).
    bool Write(const std::wstring& fileName, const std::vector<uint8_t>& bytes, std::string& reason) const;
    // Removes every ".cur" and ".ani" file of the folder not named in keep (any letter case);
    // other files stay. Answers how many went.
    int RemoveAllBut(const std::vector<std::wstring>& keep) const;

    // The fingerprint of each file (CursorFingerprint), from the folder's index: "index.txt", one
    // "<16 hex digits> <file name>" a line. Entries whose file is gone, and lines that do not read,
    // are left out; no index is an empty one.
    std::map<std::wstring, uint64_t> ReadIndex() const;
    bool WriteIndex(const std::map<std::wstring, uint64_t>& index, std::string& reason) const;

private:
    std::wstring folder_;
};
