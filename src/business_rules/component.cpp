#include "business_rules/component.h"

#include "business_rules/business_rules.h"
#include "editor/gui.h"

namespace xfer::business_rules {

Component::Component(platform::Platform platform, data::SharedSessions& sessions)
    : platform_(platform),
      sessions_(sessions),
      gui_(std::make_unique<editor::GUI>(
          platform_, [this] { return std::make_unique<Business_Rules>(*this); })) {}

Component::~Component() = default;

editor::GUI& Component::loadedGui() {
    gui_->Load();
    return *gui_;
}

}  // namespace xfer::business_rules
