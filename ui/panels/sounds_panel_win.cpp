#include "ui/panels/sounds_panel_win.h"

#include <windows.h>
#include <mmsystem.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "services/folders_win.h"
#include "services/ui_text_ids.h"
#include "base/text_encoding.h"
#include "graphics/hv_bitmap_state.h"
#include "resources/artwork_ids.h"
#include "theme/theme.h"
#include "ui/apply_win.h"
#include "ui/click_guards_win.h"
#include "ui/controls/artwork_win.h"
#include "ui/controls/control_factory_win.h"
#include "ui/current_theme_win.h"
#include "ui/panel_handler_win.h"
#include "ui/panels/mouse_event_list_win.h"
#include "ui/panels/panel_layout_win.h"
#include "ui/panels/panel_state_win.h"
#include "ui/panels/panel_trace_win.h"
#include "ui/panels/part_panels_layout_win.h"
#include "ui/panels/part_views_win.h"
#include "ui/panels/sound_files_win.h"
#include "ui/ui_metrics_win.h"
#include "ui/window_state_win.h"

namespace {

// Command ids of the panel's controls.
constexpr int kEventContent = 103;
constexpr int kFileContent = 104;
constexpr int kApply = 105;
constexpr int kFileRow = 106;
constexpr int kEventHoverBar = 107;
constexpr int kFileHoverBar = 108;
constexpr int kEventSelectionBar = 109;
constexpr int kFileSelectionBar = 110;
constexpr int kEventSlot = 119;

constexpr PanelListIds kEventIds = {
    kEventContent, kEventHoverBar, kEventSelectionBar, 116, 117, 118, 115, 218, 217, 30};
constexpr PanelListIds kFileIds = {kFileContent, kFileHoverBar, kFileSelectionBar, 112, 113, 114, 111, 216, 215, 5};

constexpr int kFileRowHeight = 45;

// The slot's looks.
constexpr wchar_t kSoundState[] = L"sound";
constexpr wchar_t kBlankState[] = L"blank";

// The sound playing from memory. PlaySound reads it for as long as it plays, so it is a copy of
// its own, replaced only after the sound has been stopped.
std::vector<uint8_t> gPlaying;

void StopSound() {
    PlaySoundW(nullptr, nullptr, 0);
}

void PlayFromMemory(const std::vector<uint8_t>& bytes) {
    StopSound();
    gPlaying = bytes;
    if (gPlaying.empty()) return;
    PlaySoundW(reinterpret_cast<LPCWSTR>(gPlaying.data()), nullptr, SND_ASYNC | SND_MEMORY | SND_NODEFAULT);
    PanelTrace("sound-played memory " + std::to_string(gPlaying.size()));
}

void PlayFile(const std::wstring& path, const std::wstring& name) {
    StopSound();
    PlaySoundW(path.c_str(), nullptr, SND_ASYNC | SND_FILENAME | SND_NODEFAULT);
    PanelTrace("sound-played file " + text::Utf16ToUtf8(name));
}

HVBitmapState* SlotLook(const wchar_t* name, int resourceId, int size) {
    auto* state = new HVBitmapState(name, LoadArtwork(resourceId));
    state->Resize(size, size);
    return state;
}

class SoundsPanel : public PanelHandler, public PanelState {
public:
    ~SoundsPanel() override;

    void Build() {
        using namespace partlayout;
        HVObj* panel = PanelObject(Panel::Sounds);
        CreatePanelHeading(panel, uitext::kTabSounds);
        CreatePanelIntro(panel, uitext::kSoundsIntro);
        events_ = std::make_unique<MouseEventList>(panel, Scaled(panelstyle::kMargin), Scaled(kListTop),
                                                   Scaled(kFirstListWidth), Scaled(kListHeight), kEventIds, kEventSlot);
        files_ = std::make_unique<PanelList>(panel, Scaled(kSecondListLeft), Scaled(kListTop), Scaled(kSecondListWidth),
                                             Scaled(kListHeight), Scaled(kFileRowHeight), kFileIds);
        CreateApplyButton(panel, kApply);
        const int size = events_->SlotSize();
        for (int event = 0; event < MouseEventList::kEvents; ++event) {
            auto* slot = new CTXObj;
            slot->AddState(SlotLook(kBlankState, IDP_SOUND_SLOT_BLANK, size));
            slot->AddState(SlotLook(kSoundState, IDP_SOUND_SLOT, size));
            MakeClickable(slot, kEventSlot);
            slot->SetMovable(false);
            slot->SetParent(events_->SlotBox(event));
            slot->Create();
            slot->Move(0, 0);
            slot->Show();
            slots_[event] = slot;
        }
        Fill();
        RegisterPanelHandler(this);
    }

    void SelectFirstEvent() {
        if (events_) events_->List().Select(0, true);
        gUi.currentSubList = 1;
    }

    void ShowSounds(const CTheme* theme) {
        if (!events_) return;
        for (int event = 0; event < MouseEventList::kEvents; ++event)
            ShowSlot(event, theme && theme->sounds.count(event) != 0);
    }

    bool OnCommand(CTXObj* control, int commandId) override {
        switch (commandId) {
            case kEventHoverBar:
                SelectEvent(events_->List().List().HoverIndex());
                return true;
            case kEventSlot:
                SelectEvent(events_->EventOfSlot(control));
                return true;
            case kEventSelectionBar:
            case kEventContent:
                gUi.currentSubList = 1;
                return true;
            case kFileHoverBar:
                RecordListClick();
                SelectFile(files_->List().HoverIndex());
                return true;
            case kFileSelectionBar: {
                const bool second = IsSecondClick();
                RecordListClick();
                gUi.currentSubList = 2;
                if (second) Apply();
                return true;
            }
            case kFileContent:
            case kFileRow:
                gUi.currentSubList = 2;
                return true;
            case kApply:
                Apply();
                return true;
        }
        return kEventIds.IsScrollPart(commandId) || kFileIds.IsScrollPart(commandId);
    }

    void OnHoverEnter(CTXObj* control) override {
        if (control->commandId == kEventSlot) events_->List().HoverRow(events_->EventOfSlot(control));
    }

    void OnHoverMove(CTXObj* control, int x, int y) override {
        if (!events_->List().OnHoverMove(control, x, y)) files_->OnHoverMove(control, x, y);
    }

    void OnHoverLeave(CTXObj*, HVObj* next) override {
        events_->List().OnHoverLeave(next);
        files_->OnHoverLeave(next);
    }

    bool OnWheel(int delta) override {
        if (!IsPanelShown(Panel::Sounds)) return false;
        if (gUi.currentSubList == 1) events_->List().Wheel(delta);
        if (gUi.currentSubList == 2) files_->Wheel(delta);
        return true;
    }

    void OnLibraryChanged() override { Fill(); }

private:
    // The file list: "no sound", then the listed files of the Sounds folder.
    void Fill() {
        using namespace panelstyle;
        HoverList& list = files_->List();
        list.ClearRows();
        files_->Select(-1);
        list.HideHover();
        names_.clear();
        std::wstring folder;
        if (GetSoundsFolder(folder)) names_ = ListSoundFiles(folder);
        const TextStyle style = panelstyle::Text(kSmallPoints, kLabelInk);
        std::string traced;
        for (size_t row = 0; row <= names_.size(); ++row) {
            CTXObj* area = list.AddRow(kFileRow);
            const std::wstring label = row == 0 ? Text(uitext::kNone) : names_[row - 1];
            CTXObj* text = CreateTextLabel(area, Scaled(10), 0, label, style);
            text->Move(Scaled(10), (list.RowHeight() - ControlHeight(text)) / 2);
            if (row > 0) traced += "|" + text::Utf16ToUtf8(label);
        }
        list.FinishRows(list.RowHeight() * list.RowCount() + Scaled(MouseEventList::kContentPadding));
        files_->CountRows(list.RowCount());
        PanelTrace("sound-list " + std::to_string(names_.size()) + traced);
    }

    void ShowSlot(int event, bool hasSound) {
        if (CTXObj* slot = slots_[event]) slot->ChangeState(hasSound ? kSoundState : kBlankState);
    }

    // A chosen event plays the sound it has in the theme in use.
    void SelectEvent(int event) {
        gUi.currentSubList = 1;
        if (event < 0 || event >= MouseEventList::kEvents) return;
        events_->List().Select(event);
        if (!gCurrentTheme) return;
        if (const std::vector<uint8_t>* sound = gCurrentTheme->Sound(event))
            PlayFromMemory(*sound);
        else
            StopSound();
    }

    // A chosen file plays from the Sounds folder.
    void SelectFile(int row) {
        gUi.currentSubList = 2;
        if (row < 0 || row >= files_->List().RowCount()) return;
        files_->Select(row);
        std::wstring folder;
        if (row >= 1 && GetSoundsFolder(folder)) PlayFile(folder + L"\\" + names_[row - 1], names_[row - 1]);
    }

    // Stores the selected file (row 0: none) as the selected event's sound in the theme in use. A
    // file that cannot be read any more stores nothing and says so.
    void Apply() {
        if (!gCurrentTheme) {
            ShowInformation(Text(uitext::kSoundNeedsTheme));
            return;
        }
        const int row = files_->Selected();
        const int event = events_->List().Selected();
        if (row < 0 || event < 0) return;
        std::optional<std::vector<uint8_t>> before;
        if (const std::vector<uint8_t>* sound = gCurrentTheme->Sound(event)) before = *sound;
        const int flagsBefore = gCurrentTheme->contentFlags;
        if (row == 0) {
            gCurrentTheme->RemoveSound(event);
        } else {
            const std::wstring& name = names_[row - 1];
            std::wstring folder;
            std::vector<uint8_t> bytes;
            if (!GetSoundsFolder(folder) || !ReadSoundFile(folder + L"\\" + name, bytes)) {
                PanelTrace("sound-unreadable " + text::Utf16ToUtf8(name));
                ShowInformation(WithName(Text(uitext::kSoundUnreadable), name));
                return;
            }
            gCurrentTheme->SetSound(event, std::move(bytes));
        }
        UpdatePartFlags(*gCurrentTheme);
        if (!SaveThemeInUseOrSay()) {
            if (before)
                gCurrentTheme->SetSound(event, std::move(*before));
            else
                gCurrentTheme->RemoveSound(event);
            gCurrentTheme->contentFlags = flagsBefore;
            return;
        }
        ShowSlot(event, row != 0);
        PanelTrace("sound-applied event " + std::to_string(event) + " row " + std::to_string(row));
        ApplyToEngineFromWindow();
    }

    std::unique_ptr<MouseEventList> events_;
    std::unique_ptr<PanelList> files_;
    CTXObj* slots_[MouseEventList::kEvents] = {};
    std::vector<std::wstring> names_;  // the files of rows 1 ..
};

SoundsPanel* gSounds = nullptr;  // while the window is built

SoundsPanel::~SoundsPanel() {
    StopSound();  // before the copy it may be reading goes
    gSounds = nullptr;
}

}  // namespace

void BuildSoundsPanel() {
    auto panel = std::make_unique<SoundsPanel>();
    gSounds = panel.get();
    gSounds->Build();
    AttachPanelState(PanelObject(Panel::Sounds), std::move(panel));
}

void SelectFirstSoundEvent() {
    if (gSounds) gSounds->SelectFirstEvent();
}

void ShowThemeSounds(const CTheme* theme) {
    if (gSounds) gSounds->ShowSounds(theme);
}
