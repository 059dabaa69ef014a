#pragma once
// The sound files the sounds panel offers: the ".wav" files of the shared Sounds folder, and
// reading one whole to store it in a theme.
#include <cstdint>
#include <string>
#include <vector>

// A sound file is stored whole inside the theme; larger files are refused.
constexpr uint64_t kMaxSoundFileBytes = 64u * 1024 * 1024;

// A listed name is longer than four characters and ends in ".wav" in any letter case: "a.wav"
// is listed, ".wav" alone is not.
bool IsListedSoundName(const std::wstring& name);

// The names of the listed files in folder, in the order the file system returns them. Folders
// are not files, whatever their names.
std::vector<std::wstring> ListSoundFiles(const std::wstring& folder);

// Reads the file whole; false (bytes empty) when it is gone, locked, unreadable or too large.
bool ReadSoundFile(const std::wstring& path, std::vector<uint8_t>& bytes);
