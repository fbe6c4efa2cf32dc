// The tooltip records, in order of attachment, and the shared tooltip state.
#include "panels/tooltip.h"

Registry<Tooltip>& tooltip_list() {
    static Registry<Tooltip> list;
    return list;
}

TooltipState& tooltip_state() {
    static TooltipState state;
    return state;
}

std::int32_t tooltip_add(std::int32_t widget_id, std::string_view text, std::int32_t delay,
                         std::int32_t duration) {
    Tooltip& tooltip = tooltip_list().append();
    tooltip.widget_id = widget_id;
    tooltip.text = std::string(text);
    tooltip.show_at = delay;
    tooltip.hide_at = delay + duration;
    return 0;
}

Tooltip* tooltip_find(std::int32_t widget_id) {
    auto& tooltips = tooltip_list();
    for (std::size_t i = 0; i < tooltips.size(); ++i) {
        if (tooltips[i].widget_id == widget_id) {
            return &tooltips[i];
        }
    }
    return nullptr;
}

std::int32_t tooltip_retarget(std::int32_t widget_id, std::int32_t& hover_time) {
    const Tooltip* tooltip = tooltip_find(widget_id);
    if (tooltip == nullptr) {
        return 0;
    }
    hover_time = tooltip->show_at;
    return 1;
}

void reset_tooltips() {
    tooltip_list().clear();
    tooltip_state() = TooltipState{};
}
