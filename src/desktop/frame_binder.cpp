// A frame: a titled border around its controls, or, without a border, a plain container.

#include "desktop/binders.h"
#include "desktop/widgets.h"
#include "editor/controls/simple_controls.h"

namespace xfer::desktop {

namespace {

class FrameBinder final : public ControlBinder {
  public:
    FrameBinder(editor::Frame& model, BinderContext& context, QWidget* parent)
        : ControlBinder(model, context,
                        model.Border() ? new TitledFrame(parent) : new QWidget(parent)),
          model_(model) {}

    void refreshText() override {
        if (auto* box = qobject_cast<QGroupBox*>(widget_))
            box->setTitle(QText(model_.Caption()));
    }

  private:
    editor::Frame& model_;
};

}  // namespace

std::unique_ptr<ControlBinder> MakeFrameBinder(editor::Control& control, BinderContext& context,
                                               QWidget* parent) {
    return std::make_unique<FrameBinder>(static_cast<editor::Frame&>(control), context, parent);
}

}  // namespace xfer::desktop
