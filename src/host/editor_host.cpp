#include "host/editor_host.h"

#include "business_rules/business_rules.h"
#include "business_rules/component.h"
#include "data/shared_sessions.h"

namespace xfer::host {

EditorHost::EditorHost(platform::PlatformServices services)
    : EditorHost(std::move(services), std::make_unique<data::SharedSessions>()) {}

EditorHost::EditorHost(platform::PlatformServices services,
                       std::unique_ptr<data::SharedSessions> sessions)
    : services_(std::move(services)),
      sessions_(std::move(sessions)),
      component_(std::make_unique<business_rules::Component>(services_.view(), *sessions_)) {}

EditorHost::~EditorHost() = default;

bool EditorHost::open(std::int16_t config, std::int16_t partition, std::int16_t node) {
    business_rules::Business_Rules host(*component_);
    return host.ShowNodeEditor(config, partition, node);
}

editor::GUI& EditorHost::form() noexcept {
    return component_->gui();
}

}  // namespace xfer::host
