// A text box as a line edit that shows a text too long for it elided while it has no focus.

#include "desktop/binders.h"
#include "desktop/line_edit_link.h"
#include "desktop/paste_cleaning.h"
#include "desktop/widgets.h"
#include "editor/controls/text_box.h"
#include "editor/controls/user_actions.h"

namespace xfer::desktop {

namespace {

class TextBoxBinder final : public ControlBinder {
  public:
    TextBoxBinder(editor::TextBox& box, BinderContext& context, QWidget* parent)
        : ControlBinder(box, context, new ElidedLineEdit(parent)),
          box_(box),
          edit_(static_cast<ElidedLineEdit*>(widget_)),
          link_(
              {.text = [&box]() -> const std::string& { return box.Text(); },
               .selStart = [&box] { return box.SelStart(); },
               .selLength = [&box] { return box.SelLength(); },
               .edit = [&box, &context](
                           std::string text,
                           int caret) { context.user().edit(box, std::move(text), caret); },
               .select = [&box, &context](
                             int start, int length) { context.user().select(box, start, length); }},
              context, edit_, edit_) {
        CleanPastes(edit_, [&box] { return box.MaxLength(); });
    }

    void connectInput() override { link_.connectInput(); }

    void refreshText() override {
        if (edit_->isReadOnly() != box_.Locked())
            Quietly(edit_, [&](QLineEdit* e) { e->setReadOnly(box_.Locked()); });
        link_.showText();
    }

    void refreshSelection(editor::Prop what) override {
        if (what == editor::Prop::All || what == editor::Prop::Selection)
            link_.showSelection();
    }

  private:
    editor::TextBox& box_;
    ElidedLineEdit* edit_;
    LineEditLink link_;
};

}  // namespace

std::unique_ptr<ControlBinder> MakeTextBoxBinder(editor::Control& control, BinderContext& context,
                                                 QWidget* parent) {
    return std::make_unique<TextBoxBinder>(static_cast<editor::TextBox&>(control), context, parent);
}

}  // namespace xfer::desktop
