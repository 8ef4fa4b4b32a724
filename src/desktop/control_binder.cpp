#include "desktop/control_binder.h"

#include "desktop/binders.h"

namespace xfer::desktop {

int Pixels(int twips) {
    constexpr int kTwipsPerPixel = 15;
    return twips >= 0 ? (twips + kTwipsPerPixel / 2) / kTwipsPerPixel
                      : -((-twips + kTwipsPerPixel / 2) / kTwipsPerPixel);
}

std::unique_ptr<ControlBinder> MakeBinder(editor::Control& control, BinderContext& context,
                                          QWidget* parent) {
    using editor::ControlKind;
    switch (control.kind()) {
        case ControlKind::TextBox:
            return MakeTextBoxBinder(control, context, parent);
        case ControlKind::ComboBox:
            return MakeComboBinder(control, context, parent);
        case ControlKind::ListBox:
            return MakeListBoxBinder(control, context, parent);
        case ControlKind::CommandButton:
            return MakeButtonBinder(control, context, parent);
        case ControlKind::Label:
            return MakeLabelBinder(control, context, parent);
        case ControlKind::Frame:
            return MakeFrameBinder(control, context, parent);
        case ControlKind::StatusBar:
            return MakeStatusBarBinder(control, context, parent);
        case ControlKind::ListView:
            return MakeListViewBinder(control, context, parent);
        case ControlKind::ImageList:
            return nullptr;
    }
    return nullptr;
}

}  // namespace xfer::desktop
