#include "ui/panels/panel_state_win.h"

#include "graphics/hv_obj.h"

namespace {

// No states: never drawn, never hit.
class PanelStateHolder : public HVObj {
public:
    explicit PanelStateHolder(std::unique_ptr<PanelState> state) : HVObj(HVK_CHILD), state_(std::move(state)) {}

private:
    std::unique_ptr<PanelState> state_;
};

}  // namespace

void AttachPanelState(HVObj* panel, std::unique_ptr<PanelState> state) {
    auto* holder = new PanelStateHolder(std::move(state));
    holder->SetParent(panel);
}
