// Controls that show a caption: buttons, labels and the status bar's panels.

#include <QPushButton>
#include <QStatusBar>

#include "desktop/binders.h"
#include "desktop/mnemonics.h"
#include "desktop/widgets.h"
#include "editor/controls/simple_controls.h"
#include "editor/controls/user_actions.h"

namespace xfer::desktop {

namespace {

class ButtonBinder final : public ControlBinder {
  public:
    ButtonBinder(editor::CommandButton& model, BinderContext& context, QWidget* parent)
        : ControlBinder(model, context, new QPushButton(parent)), model_(model) {
        auto* button = static_cast<QPushButton*>(widget_);
        if (!model.Symbol().empty()) {
            button->setIcon(NavigationIcon(QText(model.Symbol())));
            button->setIconSize(QSize(12, 10));
        }
        button->setDefault(model.Default());
    }

    void connectInput() override {
        QObject::connect(static_cast<QPushButton*>(widget_), &QPushButton::clicked, widget_,
                         [this] { context_.act([&] { context_.user().click(model_); }); });
    }

    void refreshText() override {
        auto* button = static_cast<QPushButton*>(widget_);
        const QString caption = Caption(model_.Name(), model_.Caption());
        if (button->text() != caption)
            button->setText(caption);
    }

  private:
    editor::CommandButton& model_;
};

class LabelBinder final : public ControlBinder {
  public:
    LabelBinder(editor::Label& model, BinderContext& context, QWidget* parent)
        : ControlBinder(model, context, new ElidedLabel(parent)),
          model_(model),
          label_(static_cast<ElidedLabel*>(widget_)) {
        label_->setTextFormat(Qt::PlainText);
        // A label as high as a box beside it (the record position) is centred on the box's
        // line, a few pixels clear of it.
        constexpr int kBoxLineHeight = 315;
        if (model.Height() >= kBoxLineHeight) {
            label_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            label_->setContentsMargins(kGap, 0, 0, 0);
        } else {
            label_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        }
    }

    void refreshText() override {
        const QString caption = Caption(model_.Name(), model_.Caption());
        if (label_->text() != caption) {
            label_->setText(caption);
            if (!label_->accessibleName().isEmpty())
                label_->setAccessibleDescription(caption);
            context_.fitWidth(model_);
        }
    }

    int neededWidth() const override {
        const QMargins around = label_->contentsMargins();
        return label_->textWidth() + around.left() + around.right() +
               2 * (label_->margin() + label_->frameWidth());
    }

  private:
    static constexpr int kGap = 3;
    editor::Label& model_;
    ElidedLabel* label_;
};

class StatusBarBinder final : public ControlBinder {
  public:
    StatusBarBinder(editor::StatusBar& model, BinderContext& context, QWidget* parent)
        : ControlBinder(model, context, new QStatusBar(parent)), model_(model) {
        static_cast<QStatusBar*>(widget_)->setSizeGripEnabled(false);
    }

    void refreshText() override {
        auto* bar = static_cast<QStatusBar*>(widget_);
        auto labels = bar->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly);
        for (long i = static_cast<long>(labels.size()); i < model_.PanelCount(); ++i) {
            auto* label = new QLabel(bar);
            bar->addWidget(label);
            labels.push_back(label);
        }
        for (long i = 0; i < static_cast<long>(labels.size()); ++i) {
            QLabel* label = labels[static_cast<int>(i)];
            label->setVisible(i < model_.PanelCount());
            if (i >= model_.PanelCount())
                continue;
            label->setText(QText(model_.Panels(i + 1).Text));
            label->setMinimumWidth(Pixels(model_.Panels(i + 1).Width));
        }
    }

  private:
    editor::StatusBar& model_;
};

}  // namespace

std::unique_ptr<ControlBinder> MakeButtonBinder(editor::Control& control, BinderContext& context,
                                                QWidget* parent) {
    return std::make_unique<ButtonBinder>(static_cast<editor::CommandButton&>(control), context,
                                          parent);
}

std::unique_ptr<ControlBinder> MakeLabelBinder(editor::Control& control, BinderContext& context,
                                               QWidget* parent) {
    return std::make_unique<LabelBinder>(static_cast<editor::Label&>(control), context, parent);
}

std::unique_ptr<ControlBinder> MakeStatusBarBinder(editor::Control& control, BinderContext& context,
                                                   QWidget* parent) {
    return std::make_unique<StatusBarBinder>(static_cast<editor::StatusBar&>(control), context,
                                             parent);
}

}  // namespace xfer::desktop
