#include "platform/components.h"

#include <iostream>

#include "runtime/error.h"

namespace xfer::platform {

bool LabelValidator::ValidateText(std::string text) {
    if (text.find('"') != std::string::npos)
        return false;
    if (text.find("''") != std::string::npos)
        return false;
    for (const unsigned char c : text) {
        if (c < 0x20 || c == 0x7F)
            return false;
    }
    return true;
}

long StderrConfirmationDialog::show(short, const std::string& prompt, long, long,
                                    const std::string& title) {
    std::cerr << "[" << title << "] " << prompt << " -> skipped (no one to ask)\n";
    return confirm::kSkip;
}

void ComponentFactory::registerComponent(const std::string& progId, Maker maker) {
    makers_[progId] = std::move(maker);
}

std::shared_ptr<NamedComponent> ComponentFactory::create(const std::string& progId) const {
    const auto it = makers_.find(progId);
    if (it == makers_.end())
        runtime::RaiseRuntime(runtime::err::kCannotCreateComponent);
    auto object = it->second();
    if (!object)
        runtime::RaiseRuntime(runtime::err::kCannotCreateComponent);
    return object;
}

void RaiseTypeMismatch() {
    runtime::RaiseRuntime(runtime::err::kTypeMismatch);
}

}  // namespace xfer::platform
