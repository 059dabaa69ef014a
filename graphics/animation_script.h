#pragma once
// The playing form of a frame script: a tree of frame runs inside repeat groups, asked which
// frame to show a given number of milliseconds after the animation started. The root group loops
// forever; a nested group plays once per pass of its parent (its repeat count is kept with it but
// does not lengthen it). Elements are shared by the states that copy one another.
#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "graphics/frame_script.h"

class AnimationElement {
public:
    virtual ~AnimationElement() = default;
    // The 0-based frame index to show at elapsed milliseconds into this element.
    virtual int FrameAt(int64_t elapsed) const = 0;
    virtual int64_t Duration() const = 0;
};

// A run of frames shown one after another, each for the same delay. The run is kept as its first
// index, length and direction, so a script naming a huge range costs no memory.
class FrameElement : public AnimationElement {
public:
    FrameElement(int first, int64_t count, int step, int64_t delay);

    int FrameAt(int64_t elapsed) const override;
    int64_t Duration() const override;

    int64_t FrameCount() const { return count_; }
    int FrameIndex(int64_t i) const { return static_cast<int>(first_ + step_ * i); }
    int64_t Delay() const { return delay_; }

private:
    int64_t first_;
    int64_t count_;
    int step_;  // +1 or -1
    int64_t delay_;
};

// Children keyed by their start time within the group.
class RepeatElement : public AnimationElement {
public:
    explicit RepeatElement(int count) : count_(count) {}

    // Adds a child at the given start time; a child already starting there is replaced (it can
    // only be one that lasts 0 ms, since children are appended at the group's current end).
    void Insert(int64_t start, std::shared_ptr<AnimationElement> child);
    // Appends a child at the group's current end.
    void Append(std::shared_ptr<AnimationElement> child) { Insert(Duration(), std::move(child)); }

    int FrameAt(int64_t elapsed) const override;  // loops; an empty group answers frame 0
    int64_t Duration() const override;

    int Count() const { return count_; }
    const std::map<int64_t, std::shared_ptr<AnimationElement>>& Children() const { return children_; }

private:
    int count_;
    std::map<int64_t, std::shared_ptr<AnimationElement>> children_;
};

// Groups nested deeper than this are folded into their parent. Folding changes no timing (a nested
// group never plays longer than once per pass of its parent) and keeps the tree's recursion shallow
// whatever a script file contains.
constexpr size_t kMaxScriptNesting = 32;

// Builds the tree from parsed records: frame runs become 0-based index runs (upward when first <
// last, else downward), each inserted at the current end of the innermost open group; a repeat
// begin opens a group; a repeat end closes one, and closing the root ends the build. A frame run
// naming frame 0 alone is skipped and a run starting at frame 0 starts at frame 1 instead, so no
// element names index -1.
std::shared_ptr<RepeatElement> BuildAnimationTree(const std::vector<FrameScriptRecord>& records);
