#include "graphics/animation_script.h"

#include <algorithm>
#include <limits>

namespace {

constexpr int64_t kMaxTime = std::numeric_limits<int64_t>::max();

int64_t SaturatingAdd(int64_t a, int64_t b) {
    return (a > kMaxTime - b) ? kMaxTime : a + b;
}

}  // namespace

FrameElement::FrameElement(int first, int64_t count, int step, int64_t delay)
    : first_(first),
      count_(std::max<int64_t>(count, 1)),
      step_(step < 0 ? -1 : 1),
      delay_(std::max<int64_t>(delay, 0)) {}

int FrameElement::FrameAt(int64_t elapsed) const {
    if (delay_ <= 0 || elapsed <= 0) return FrameIndex(0);
    return FrameIndex(std::min(elapsed / delay_, count_ - 1));
}

int64_t FrameElement::Duration() const {
    // count < 2^32 and delay < 2^31 as built from records, so the product fits.
    return count_ * delay_;
}

void RepeatElement::Insert(int64_t start, std::shared_ptr<AnimationElement> child) {
    children_[start] = std::move(child);
}

int64_t RepeatElement::Duration() const {
    if (children_.empty()) return 0;
    const auto& last = *children_.rbegin();
    return SaturatingAdd(last.first, last.second->Duration());
}

int RepeatElement::FrameAt(int64_t elapsed) const {
    int64_t duration = Duration();
    if (duration <= 0) return 0;
    int64_t t = elapsed % duration;
    if (t < 0) t += duration;
    auto it = children_.upper_bound(t);  // the first child starting after t; the one before answers
    if (it == children_.begin()) return 0;
    --it;
    return it->second->FrameAt(t - it->first);
}

std::shared_ptr<RepeatElement> BuildAnimationTree(const std::vector<FrameScriptRecord>& records) {
    auto root = std::make_shared<RepeatElement>(1);
    std::vector<RepeatElement*> open{root.get()};
    size_t folded = 0;  // groups opened beyond kMaxScriptNesting, still to be closed
    for (const FrameScriptRecord& record : records) {
        RepeatElement* top = open.back();
        if (record.kind == FrameScriptRecord::kFrameRun) {
            int64_t first = record.first;
            int64_t last = record.last;
            if (last == 0) last = first;
            if (first <= 0 && last <= 0) continue;  // names frame 0 only
            if (first <= 0) first = 1;              // the run keeps its frames from 1 on
            if (last <= 0) last = 1;
            int step = (first < last) ? 1 : -1;
            int64_t count = (first < last ? last - first : first - last) + 1;
            top->Append(std::make_shared<FrameElement>(static_cast<int>(first - 1), count, step, record.interval));
        } else if (record.kind == FrameScriptRecord::kRepeatBegin) {
            if (open.size() >= kMaxScriptNesting) {
                ++folded;
                continue;
            }
            auto group = std::make_shared<RepeatElement>(record.count);
            open.push_back(group.get());
            top->Append(std::move(group));
        } else if (record.kind == FrameScriptRecord::kRepeatEnd) {
            if (folded > 0) {
                --folded;
                continue;
            }
            open.pop_back();
            if (open.empty()) break;  // an end with no group open ends the build
        }
    }
    return root;
}
