#pragma once
// A folder of its own for one test, removed with everything in it when the test ends.
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "base/file_io.h"
#include "base/text_encoding.h"

class TempFolder {
public:
    TempFolder() {
        static std::atomic<int> counter{0};
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        path_ = std::filesystem::temp_directory_path() /
                ("morvanta-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code error;
        std::filesystem::remove_all(path_, error);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& FsPath() const { return path_; }
    // The folder as the wide path text the portable core takes.
    std::wstring Path() const { return Wide(path_); }
    std::wstring File(const std::wstring& name) const { return Wide(path_ / fileio::ToFsPath(name)); }

    template <typename Bytes>
    std::wstring Write(const std::wstring& name, const Bytes& bytes) const {
        const std::wstring path = File(name);
        std::ofstream out(fileio::ToFsPath(path), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        return path;
    }

    // Names of everything below the folder, relative, in no particular order.
    std::vector<std::string> Contents() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(path_))
            names.push_back(std::filesystem::relative(entry.path(), path_).generic_u8string());
        return names;
    }

    static std::wstring Wide(const std::filesystem::path& path) {
#ifdef _WIN32
        return path.wstring();
#else
        return text::Utf8ToUtf16(path.u8string());
#endif
    }

private:
    std::filesystem::path path_;
};
