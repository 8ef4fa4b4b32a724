#include "editor/controls/control.h"

#include <atomic>

#include "editor/controls/simple_controls.h"
#include "editor/controls/text_editing.h"
#include "runtime/error.h"

namespace xfer::editor {

namespace {

std::intptr_t NextWindowHandle() {
    static std::atomic<std::intptr_t> next{0x10000};
    return next.fetch_add(4);
}

// Whether `frame` is `control` or contains it.
bool Encloses(const Control& frame, const Control* control) {
    for (const Control* c = control; c != nullptr; c = c->Container()) {
        if (c == &frame) {
            return true;
        }
    }
    return false;
}

}  // namespace

Control::Control(std::string name, ControlKind kind)
    : name_(std::move(name)), kind_(kind), hwnd_(NextWindowHandle()) {}

Control::~Control() {
    if (hasFocus()) {
        observer_ = nullptr;  // the derived part is gone: nobody may look at it now
        focusHost_->clearFocus();
    }
}

void Control::setLeft(int v) {
    Move(v, top_, width_, height_);
}

void Control::setTop(int v) {
    Move(left_, v, width_, height_);
}

void Control::setWidth(int v) {
    Move(left_, top_, v, height_);
}

void Control::setHeight(int v) {
    Move(left_, top_, width_, v);
}

void Control::Move(int left, int top, int width, int height) {
    if (left == left_ && top == top_ && width == width_ && height == height_) {
        return;
    }
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    notify(Prop::Geometry);
}

void Control::setVisible(bool v) {
    if (v == visible_) {
        return;
    }
    visible_ = v;
    if (!v) {
        dropFocusWithin();
    }
    notify(Prop::Visible);
}

void Control::setEnabled(bool v) {
    if (v == enabled_) {
        return;
    }
    enabled_ = v;
    if (!v) {
        dropFocusWithin();
    }
    notify(Prop::Enabled);
}

// A control that cannot be reached any more, or sits in a frame that cannot, loses the focus.
void Control::dropFocusWithin() noexcept {
    if (focusHost_ != nullptr && Encloses(*this, focusHost_->focusedControl())) {
        focusHost_->clearFocus();
    }
}

void Control::setFont(std::string name, double size, bool bold) {
    if (name == fontName_ && size == fontSize_ && bold == fontBold_) {
        return;
    }
    fontName_ = std::move(name);
    fontSize_ = size;
    fontBold_ = bold;
    notify(Prop::All);
}

bool Control::isUsable() const noexcept {
    if (!visible_ || !enabled_) {
        return false;
    }
    for (const Frame* f = container_; f != nullptr; f = f->Container()) {
        if (!f->Visible() || !f->Enabled()) {
            return false;
        }
    }
    return true;
}

void Control::SetFocus() {
    if (focusHost_ == nullptr) {
        runtime::RaiseRuntime(runtime::err::kInvalidProcedureCall);
    }
    focusHost_->moveFocus(*this);
}

bool Control::hasFocus() const noexcept {
    return focusHost_ != nullptr && focusHost_->focusedControl() == this;
}

void Control::captureDesign() {
    design_ = {left_, top_, width_, height_, visible_, enabled_};
    captureOwnDesign();
}

void Control::restoreDesign() {
    left_ = design_.left;
    top_ = design_.top;
    width_ = design_.width;
    height_ = design_.height;
    visible_ = design_.visible;
    enabled_ = design_.enabled;
    if (!visible_ || !enabled_) {
        dropFocusWithin();
    }
    restoreOwnDesign();
    notify(Prop::All);
}

void Control::notify(Prop what) {
    if (observer_) {
        observer_(*this, what);
    }
}

void FocusHost::moveFocus(Control& control) {
    if (!focusAllowed() || !control.isUsable()) {
        runtime::RaiseRuntime(runtime::err::kInvalidProcedureCall);
    }
    Control* old = focused_;
    if (old == &control) {
        return;
    }
    if (old != nullptr) {
        detail::Fire(old->LostFocus);
        // The handler may have moved the focus itself or made the target unreachable.
        if (focused_ != old) {
            return;
        }
        if (!focusAllowed() || !control.isUsable()) {
            clearFocus();
            return;
        }
    }
    focused_ = &control;
    if (old != nullptr) {
        old->notify(Prop::Focus);
    }
    control.notify(Prop::Focus);
    detail::Fire(control.GotFocus);
}

void FocusHost::clearFocus() noexcept {
    Control* old = focused_;
    focused_ = nullptr;
    if (old != nullptr) {
        old->notify(Prop::Focus);
    }
}

}  // namespace xfer::editor
