// The object model without a window: a fake host stands in for the adopted window, so dispatch,
// layout, invalidation, raising and the state queue run under the sanitizers with a hand-driven
// clock. Real mouse input through Wine is tested with the gallery program.
#include "graphics/hv_obj.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "graphics/hv_state.h"
#include "graphics/hv_window_host.h"
#include "tests/native/fake_tick.h"

namespace {

class FakeHost : public HVWindowHost {
public:
    void ClientSize(int* width, int* height) override {
        *width = 400;
        *height = 300;
    }
    void Adopt(HVObj*) override {}
    void Release() override {}
    void PaintNow(const HVRect& area) override { paintedNow.push_back(area); }
    void PaintLater(const HVRect& area) override { paintedLater.push_back(area); }
    void CaptureMouse() override { captured = true; }
    void ReleaseMouse() override { captured = false; }
    bool CursorPosition(int* x, int* y) override {
        *x = cursorX;
        *y = cursorY;
        return true;
    }
    void TrackMouseLeave() override { ++leaveRequests; }
    void ShowPointer(int) override {}
    void FocusWindow() override {}

    std::vector<HVRect> paintedNow, paintedLater;
    int cursorX = 0, cursorY = 0;
    bool captured = false;
    int leaveRequests = 0;
};

// An object that writes down what happens to it.
class Recorder : public HVObj {
public:
    explicit Recorder(std::vector<std::string>* log, std::string name) : log_(log), name_(std::move(name)) {}
    bool OnMouseEnter() override { return Note("enter"); }
    bool OnMouseLeave(HVObj* next) override {
        Note("leave");
        return HVObj::OnMouseLeave(next);
    }
    bool OnDoubleClick(int, int) override { return Note("double"); }
    bool OnDrag(int x, int y, int dx, int dy) override {
        return Note("drag " + std::to_string(dx) + "," + std::to_string(dy));
    }
    void OnStateChanging(const std::wstring& state, uint32_t) override { Note("changing " + Narrow(state)); }
    void OnStateChanged(const std::wstring& state, uint32_t) override { Note("changed " + Narrow(state)); }

private:
    static std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }
    bool Note(const std::string& what) {
        log_->push_back(name_ + " " + what);
        return true;
    }
    std::vector<std::string>* log_;
    std::string name_;
};

HVBlankState* Blank(const wchar_t* name, int width, int height) {
    auto* state = new HVBlankState(name);
    state->SetSize(width, height);
    state->SetHitMode(HVH_ALWAYS);
    return state;
}

class ObjectModel : public ::testing::Test {
protected:
    void SetUp() override {
        host = new FakeHost;
        window = new HVObj(HVK_WRAPPED, host);
        window->Create();
        window->Show();
    }
    void TearDown() override {
        delete window;
        gHVObjects = HVObjLibrary{};
    }

    Recorder* Box(const std::string& name, HVObj* parent, int x, int y, int width = 40, int height = 30) {
        auto* object = new Recorder(&log, name);
        object->AddState(Blank(L"Default", width, height));
        object->SetParent(parent);
        object->Create();
        object->Move(x, y);
        object->Show();
        log.clear();
        return object;
    }

    void PointerTo(int x, int y) {
        host->cursorX = x;
        host->cursorY = y;
        window->MouseMove(x, y);
    }
    void Click(int x, int y) {
        PointerTo(x, y);
        window->MouseDown(x, y, false);
        window->MouseUp(x, y, false);
    }

    FakeTick tick;
    FakeHost* host = nullptr;  // owned by the window object
    HVObj* window = nullptr;
    std::vector<std::string> log;
};

TEST_F(ObjectModel, PressAndMoveDragsOnlyFromSixPixelsInEitherDirection) {
    Box("a", window, 100, 100);
    PointerTo(110, 110);
    window->MouseDown(110, 110, false);
    EXPECT_TRUE(host->captured);
    PointerTo(115, 115);
    PointerTo(105, 105);
    EXPECT_TRUE(log.size() == 1 && log[0] == "a enter") << log.back();
    PointerTo(110, 116);
    ASSERT_EQ(log.back(), "a drag 0,6");
    window->MouseUp(110, 116, false);
    EXPECT_FALSE(host->captured);

    // The same object, pressed again, drags at 6 pixels in x as well.
    log.clear();
    window->MouseDown(110, 116, false);
    PointerTo(116, 116);
    EXPECT_EQ(log.back(), "a drag 6,0");
}

TEST_F(ObjectModel, TwoClicksOnOneObjectAreADoubleClickOnlyWithinHalfASecond) {
    Box("a", window, 10, 10);
    Box("b", window, 100, 10);
    Click(20, 20);
    tick.Advance(499);
    Click(20, 20);
    EXPECT_EQ(log.back(), "a double");
    // A third click right away starts over; 500 ms later is a new single click.
    log.clear();
    Click(20, 20);
    tick.Advance(500);
    Click(20, 20);
    EXPECT_TRUE(log.empty());
    // A click on another object in between breaks the pair.
    tick.Advance(1000);
    Click(20, 20);
    Click(110, 20);
    Click(20, 20);
    EXPECT_EQ(log, (std::vector<std::string>{"a leave", "b enter", "b leave", "a enter"}));
}

TEST_F(ObjectModel, HoverFollowsThePointerAcrossObjectsAndLeavesTheWindow) {
    HVObj* panel = Box("panel", window, 50, 50, 200, 100);
    Box("inner", panel, 10, 10);
    PointerTo(55, 55);
    PointerTo(65, 65);  // inside the child, which lies on top
    PointerTo(300, 250);
    PointerTo(55, 55);
    window->MouseLeave();
    EXPECT_EQ(log, (std::vector<std::string>{"panel enter", "panel leave", "inner enter", "inner leave", "panel enter",
                                             "panel leave"}));
    EXPECT_EQ(gHVObjects.hover, nullptr);
    PointerTo(300, 250);
    EXPECT_EQ(host->leaveRequests, 2);  // asked again on the first move after a leave
}

TEST_F(ObjectModel, DestroyingTheHoveredObjectLeavesNoHoverBehind) {
    HVObj* a = Box("a", window, 10, 10);
    PointerTo(20, 20);
    ASSERT_EQ(gHVObjects.hover, a);
    delete a;
    EXPECT_EQ(gHVObjects.hover, nullptr);
    PointerTo(21, 21);
    window->MouseDown(21, 21, false);
    window->MouseUp(21, 21, false);
    EXPECT_EQ(log, std::vector<std::string>{"a enter"});
}

TEST_F(ObjectModel, HitTestingSkipsHiddenObjectsAndChildrenOutsideTheirParent) {
    HVObj* panel = Box("panel", window, 0, 0, 100, 100);
    HVObj* below = Box("below", panel, 10, 10);
    HVObj* above = Box("above", panel, 20, 20);
    Box("outside", panel, 90, 90);  // reaches past the panel's box
    EXPECT_EQ(window->HitObject(35, 35), above);
    EXPECT_EQ(window->HitObject(15, 15), below);
    above->Hide();
    EXPECT_EQ(window->HitObject(35, 35), below);
    EXPECT_EQ(window->HitObject(105, 105), nullptr);
}

TEST_F(ObjectModel, MovingToTheSameAnchorAgainInvalidatesNothing) {
    HVObj* a = Box("a", window, 10, 10);
    host->paintedNow.clear();
    a->Move(30, 10);  // overlaps the old place: one union
    ASSERT_EQ(host->paintedNow.size(), 1u);
    EXPECT_EQ(host->paintedNow[0], (HVRect{10, 10, 70, 40}));
    a->Move(30, 10);
    EXPECT_EQ(host->paintedNow.size(), 1u);
    a->Move(200, 200);  // apart: old and new separately
    ASSERT_EQ(host->paintedNow.size(), 3u);
    EXPECT_EQ(host->paintedNow[1], (HVRect{30, 10, 70, 40}));
    EXPECT_EQ(host->paintedNow[2], (HVRect{200, 200, 240, 230}));
}

TEST_F(ObjectModel, CentredObjectsKeepTheirCentreWhenTheirStateChangesSize) {
    HVObj* a = Box("a", window, 0, 0);
    a->AddState(Blank(L"Wide", 80, 30));
    a->SetAlignment(HVA_CENTRE, HVA_TOP);
    a->MoveAligned(100, 0);
    EXPECT_EQ(a->GetRect(), (HVRect{80, 0, 120, 30}));
    a->ChangeState(L"Wide");
    EXPECT_EQ(a->GetRect(), (HVRect{60, 0, 140, 30}));
}

TEST_F(ObjectModel, RaisingAChildOfItsParentsGroupRaisesTheParent) {
    HVObj* first = Box("first", window, 0, 0);
    HVObj* second = Box("second", window, 0, 0);
    HVObj* child = Box("child", first, 0, 0);
    first->SetGroupName(L"card");
    child->SetGroupName(L"CARD");
    ASSERT_EQ(window->Children().back(), second);
    EXPECT_TRUE(child->OnTop());
    EXPECT_EQ(window->Children().back(), first);

    // Siblings sharing a group rise together and keep their order; the rest keep theirs below.
    HVObj* third = Box("third", window, 0, 0);
    second->SetGroupName(L"pair");
    third->SetGroupName(L"pair");
    EXPECT_TRUE(second->OnTop());
    EXPECT_EQ(window->Children(), (std::vector<HVObj*>{first, second, third}));
}

// --- the state queue ---

class StateQueue : public ObjectModel {
protected:
    void SetUp() override {
        ObjectModel::SetUp();
        object = Box("o", window, 0, 0);
        // "Down": three frames of 100 ms that may not be interrupted; "Fade": interruptible.
        down = Blank(L"Down", 40, 30);
        down->SetAnimation(3, 100, 0);
        fade = Blank(L"Fade", 40, 30);
        fade->SetAnimation(4, 100, HVS_INTERRUPTIBLE);
        object->AddState(down);
        object->AddState(fade);
        object->AddState(Blank(L"Over", 40, 30));
        log.clear();
    }
    HVObj* object = nullptr;
    HVBlankState* down = nullptr;
    HVBlankState* fade = nullptr;
};

TEST_F(StateQueue, ARequestDuringAnUninterruptibleAnimationWaitsAndAForcedOneDiscardsIt) {
    object->ChangeState(L"Down");
    object->ChangeState(L"Over");
    EXPECT_EQ(object->CurrentStateName(), L"Down");
    ASSERT_EQ(object->Queue().size(), 1u);
    EXPECT_EQ(object->Queue()[0].name, L"Over");
    object->ChangeState(L"Default", HVC_FORCE);
    EXPECT_EQ(object->CurrentStateName(), L"Default");
    EXPECT_TRUE(object->Queue().empty());
}

TEST_F(StateQueue, AHeldRequestIsAppliedOnceTheAnimationHasPlayed) {
    object->ChangeState(L"Down");
    object->ChangeState(L"Over");
    tick.Advance(250);
    object->update(tick.Now());
    EXPECT_EQ(object->CurrentStateName(), L"Down");
    tick.Advance(60);
    object->update(tick.Now());
    EXPECT_EQ(object->CurrentStateName(), L"Over");
    EXPECT_TRUE(object->Queue().empty());
    // Reaching an animation is not reported, its end is: once, before "Over" took its place.
    EXPECT_EQ(std::count(log.begin(), log.end(), "o changed Down"), 1);
    object->update(tick.Now());
    EXPECT_EQ(std::count(log.begin(), log.end(), "o changed Down"), 1);
}

TEST_F(StateQueue, ConsecutiveInterruptibleRequestsCollapseIntoOne) {
    object->ChangeState(L"Down");
    object->ChangeState(L"Fade");
    object->ChangeState(L"Over");
    ASSERT_EQ(object->Queue().size(), 1u);
    EXPECT_EQ(object->Queue()[0].name, L"Over");
    EXPECT_EQ(object->Queue()[0].state, object->FindState(L"Over"));
}

TEST_F(StateQueue, TheTwentySeventhQueuedRequestIsRefused) {
    object->ChangeState(L"Down");
    for (int i = 0; i < 26; ++i) EXPECT_EQ(object->EnqueueState(L"Down", 0), 1);
    EXPECT_EQ(object->EnqueueState(L"Over", 0), 0);
    EXPECT_EQ(object->Queue().size(), 26u);
    EXPECT_EQ(object->Queue().back().name, L"Down");
}

TEST_F(StateQueue, RequestingTheCurrentStateAgainRestartsOrRenotifies) {
    object->ChangeState(L"Fade");
    tick.Advance(250);
    EXPECT_EQ(fade->CurrentFrame(), 2);
    object->ChangeState(L"fade");  // names ignore case
    EXPECT_EQ(fade->CurrentFrame(), 0);

    object->ChangeState(L"Over", HVC_FORCE);
    log.clear();
    object->ChangeState(L"Over");
    EXPECT_EQ(log, (std::vector<std::string>{"o changing Over", "o changed Over"}));
}

TEST_F(StateQueue, SilentChangesAndUnknownNames) {
    object->ChangeState(L"Over", HVC_SILENT);
    EXPECT_EQ(object->CurrentStateName(), L"Over");
    EXPECT_TRUE(log.empty());
    // A name without a state only notifies; the current state stays.
    object->ChangeState(L"Nowhere");
    EXPECT_EQ(log, (std::vector<std::string>{"o changing Nowhere", "o changed Nowhere"}));
    EXPECT_EQ(object->CurrentStateName(), L"Over");
}

TEST_F(StateQueue, MouseAwayIsNotReenteredUnlessForced) {
    object->AddState(Blank(L"Mouse away", 40, 30));
    object->ChangeState(L"Mouse away");
    log.clear();
    EXPECT_EQ(object->InternalChangeState(L"MOUSE AWAY", 0), HVS_UNCHANGED);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(object->InternalChangeState(L"Mouse away", HVC_FORCE), HVS_CHANGED);
}

TEST_F(StateQueue, AStateChangeDuringAPressKeepsTheDragSmooth) {
    object->AddState(Blank(L"Small", 20, 10));
    object->SetAlignment(HVA_CENTRE, HVA_MIDDLE);
    object->MoveAligned(100, 100);  // box 80..120 x 85..115
    PointerTo(90, 90);
    window->MouseDown(90, 90, false);
    ASSERT_EQ(gHVObjects.pressX, 10);
    object->ChangeState(L"Small");  // box 90..110 x 95..105: the pointer has not moved
    PointerTo(90, 90);
    PointerTo(93, 90);  // 3 pixels: still no drag
    EXPECT_EQ(std::count_if(log.begin(), log.end(), [](const std::string& s) { return s.rfind("o drag", 0) == 0; }), 0);
}

}  // namespace
