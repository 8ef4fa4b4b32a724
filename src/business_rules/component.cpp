#include "business_rules/component.h"

#include "editor/gui.h"

namespace xfer::business_rules {

Component::Component(platform::Platform platform)
    : platform_(platform), gui_(std::make_unique<editor::GUI>(*this)) {}

Component::~Component() = default;

}  // namespace xfer::business_rules
