#pragma once
// The binder of each kind of control (control_binder.h), one file each.

#include <memory>

#include "desktop/control_binder.h"

namespace xfer::desktop {

std::unique_ptr<ControlBinder> MakeTextBoxBinder(editor::Control&, BinderContext&, QWidget*);
// Combo boxes and list boxes: lists of entries.
std::unique_ptr<ControlBinder> MakeComboBinder(editor::Control&, BinderContext&, QWidget*);
std::unique_ptr<ControlBinder> MakeListBoxBinder(editor::Control&, BinderContext&, QWidget*);
std::unique_ptr<ControlBinder> MakeListViewBinder(editor::Control&, BinderContext&, QWidget*);
// Buttons, labels and the status bar: captions.
std::unique_ptr<ControlBinder> MakeButtonBinder(editor::Control&, BinderContext&, QWidget*);
std::unique_ptr<ControlBinder> MakeLabelBinder(editor::Control&, BinderContext&, QWidget*);
std::unique_ptr<ControlBinder> MakeStatusBarBinder(editor::Control&, BinderContext&, QWidget*);
std::unique_ptr<ControlBinder> MakeFrameBinder(editor::Control&, BinderContext&, QWidget*);

}  // namespace xfer::desktop
