#include "editor/controls/form_base.h"

#include "runtime/text.h"

namespace xfer::editor {

FormBase::FormBase(std::string caption, int width, int height)
    : caption_(std::move(caption)), width_(width), height_(height) {}

void FormBase::setClientHeight(int twips) {
    if (twips == height_) {
        return;
    }
    height_ = twips;
    if (auto handler = FormChanged) {
        handler();
    }
}

Control* FormBase::findControl(const std::string& name) const {
    for (Control* control : controls_) {
        if (runtime::EqualsNoCase(control->Name(), name)) {
            return control;
        }
    }
    return nullptr;
}

void FormBase::registerControl(Control& control) {
    controls_.push_back(&control);
    control.setFocusHost(this);
}

}  // namespace xfer::editor
