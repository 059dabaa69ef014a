#pragma once
// The results of one installation batch and the one message that reports them.
#include <string>
#include <vector>

struct InstallFailure {
    std::wstring name;   // display name, in double quotes
    std::string reason;  // 8-bit text (code page 1252)
};

struct InstallReport {
    std::vector<std::wstring> installed;  // display names, in queue order
    std::vector<InstallFailure> failed;   // in queue order
};

struct SummaryMessage {
    std::wstring caption;
    std::wstring text;
};

extern const char kAlreadyInstalledReason[];

// The display name of a theme file: its stem in double quotes.
std::wstring InstallDisplayName(const std::wstring& path);

// Caption and text of the summary for a batch that handled at least one file.
SummaryMessage ComposeInstallSummary(const InstallReport& report);
