#include "app/install_summary.h"

#include "base/path_text.h"
#include "base/text_encoding.h"

const char kAlreadyInstalledReason[] = "This theme is already installed. Use the Morvanta window to activate it.";

static const wchar_t kBullet[] = L"\u2022 ";

std::wstring InstallDisplayName(const std::wstring& path) {
    return L"\"" + pathtext::Stem(path) + L"\"";
}

static std::wstring FailureItem(const InstallFailure& failure) {
    return failure.name + L"\n" + kBullet + text::Cp1252ToWide(failure.reason);
}

static std::wstring SingleFailureSentence(const wchar_t* lead, const InstallFailure& failure) {
    return lead + failure.name + L":\n" + kBullet + text::Cp1252ToWide(failure.reason);
}

static std::wstring FailureList(const std::vector<InstallFailure>& failed) {
    std::wstring list;
    for (const InstallFailure& failure : failed) list += L"\n\n" + FailureItem(failure);
    return list;
}

SummaryMessage ComposeInstallSummary(const InstallReport& report) {
    const auto& installed = report.installed;
    const auto& failed = report.failed;
    SummaryMessage message;
    if (failed.empty()) {
        if (installed.size() == 1) {
            message.caption = L"Theme Installed";
            message.text = L"Installed " + installed[0] + L".";
        } else {
            message.caption = L"Themes Installed";
            message.text = L"Installed the following themes:\n";
            for (const std::wstring& name : installed) message.text += L"\n" + name;
        }
        return message;
    }
    if (installed.empty()) {
        if (failed.size() == 1) {
            message.caption = L"Theme Installation Failed";
            message.text = SingleFailureSentence(L"We couldn't install ", failed[0]);
        } else {
            message.caption = L"Theme Installations Failed";
            message.text = L"We couldn't install any of the requested themes:" + FailureList(failed);
        }
        return message;
    }
    const bool oneFailure = failed.size() == 1;
    message.caption = oneFailure ? L"One Installation Failed" : L"Some Installations Failed";
    message.text =
        std::wstring(L"We couldn't install ") + (oneFailure ? L"one" : L"some") + L" of the requested themes.\n\n";
    if (installed.size() == 1) {
        message.text += L"We were able to install " + installed[0] + L".";
    } else {
        message.text += L"We were able to install the following themes:\n";
        for (const std::wstring& name : installed) message.text += L"\n" + name;
    }
    message.text += L"\n\n";
    if (oneFailure)
        message.text += SingleFailureSentence(L"However, we couldn't install ", failed[0]);
    else
        message.text += L"However, we couldn't install these themes:" + FailureList(failed);
    return message;
}
