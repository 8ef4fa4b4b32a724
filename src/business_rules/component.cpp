#include "business_rules/component.h"

#include "editor/gui.h"

namespace xfer::business_rules {

Component::Component(platform::Platform platform)
    : platform_(platform), gui_(std::make_unique<editor::GUI>(*this)) {}

Component::~Component() = default;

Component& Component::Default() {
    static platform::PlatformServices services;
    static Component component(services.view());
    return component;
}

}  // namespace xfer::business_rules
