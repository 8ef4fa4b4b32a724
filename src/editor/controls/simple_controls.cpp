#include "editor/controls/simple_controls.h"

#include <utility>

#include "runtime/error.h"

namespace xfer::editor {

namespace {

// Sets a caption; whether it changed.
bool Assign(std::string& caption, std::string value) {
    if (caption == value) {
        return false;
    }
    caption = std::move(value);
    return true;
}

}  // namespace

void Label::setCaption(std::string caption) {
    if (Assign(caption_, std::move(caption))) {
        notify(Prop::Text);
    }
}

void CommandButton::setCaption(std::string caption) {
    if (Assign(caption_, std::move(caption))) {
        notify(Prop::Text);
    }
}

void Frame::setCaption(std::string caption) {
    if (Assign(caption_, std::move(caption))) {
        notify(Prop::Text);
    }
}

StatusBar::StatusBar(std::string name)
    : Control(std::move(name), ControlKind::StatusBar), panels_(1), design_(1) {}

const Panel& StatusBar::Panels(long index) const {
    if (index < 1 || index > PanelCount()) {
        runtime::RaiseRuntime(runtime::err::kIndexOutOfBounds);
    }
    return panels_[static_cast<std::size_t>(index - 1)];
}

Panel& StatusBar::at(long index) {
    return const_cast<Panel&>(std::as_const(*this).Panels(index));
}

void StatusBar::setPanelText(long index, std::string text) {
    if (Assign(at(index).Text, std::move(text))) {
        notify(Prop::Panels);
    }
}

void StatusBar::setPanelWidth(long index, int width) {
    Panel& panel = at(index);
    if (panel.Width != width) {
        panel.Width = width;
        notify(Prop::Panels);
    }
}

}  // namespace xfer::editor
