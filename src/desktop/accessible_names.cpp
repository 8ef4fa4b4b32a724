#include "desktop/accessible_names.h"

#include <QAccessibleWidget>
#include <QComboBox>
#include <QLineEdit>

namespace xfer::desktop {

namespace {

struct Name {
    const char* control;
    const char* name;
};

constexpr Name kNames[] = {{"txtDescription", "Label"},
                           {"txtDial", "Number to dial"},
                           {"cmbXStyle", "Transfer style"},
                           {"txtXStyleDescription", "Transfer style description"},
                           {"LVExceptions", "Exceptions"},
                           {"cmbHoldNode", "Hold target type"},
                           {"cmbHoldNumber", "Hold target number"},
                           {"cmbMOHNode", "Music on hold target type"},
                           {"cmbMOHNumber", "Music on hold target number"},
                           {"cmbBusy1Node", "Busy 1 target type"},
                           {"cmbBusy1Number", "Busy 1 target number"},
                           {"cmbBusy2Node", "Busy 2 target type"},
                           {"cmbBusy2Number", "Busy 2 target number"},
                           {"cmbNoAnswerNode", "No answer target type"},
                           {"cmbNoAnswerNumber", "No answer target number"},
                           {"cmbAnswerNode", "Answer target type"},
                           {"cmbAnswerNumber", "Answer target number"},
                           {"cmdExceptionsEdit", "Edit exceptions"},
                           {"cmdExceptionsDefault", "Default exceptions"},
                           {"cmdFirst", "First node"},
                           {"cmdPrevious", "Previous node"},
                           {"cmbNode", "XFER node"},
                           {"lblRecordPosition", "Record position"},
                           {"cmdNext", "Next node"},
                           {"cmdLast", "Last node"},
                           {"StatusBar1", "Status"}};

class NamedComboBox final : public QAccessibleWidget {
  public:
    explicit NamedComboBox(QComboBox* combo) : QAccessibleWidget(combo, QAccessible::ComboBox) {}

    QString text(QAccessible::Text t) const override {
        const auto* combo = static_cast<const QComboBox*>(widget());
        if (t == QAccessible::Name)
            return combo->accessibleName();
        if (t == QAccessible::Value || t == QAccessible::Description)
            return combo->currentText();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* NamedComboBoxes(const QString&, QObject* object) {
    auto* combo = qobject_cast<QComboBox*>(object);
    if (combo == nullptr || combo->accessibleName().isEmpty())
        return nullptr;
    return new NamedComboBox(combo);
}

}  // namespace

void NameComboBoxesByPurpose() {
    static const bool installed = [] {
        QAccessible::installFactory(NamedComboBoxes);
        return true;
    }();
    (void)installed;
}

QString AccessibleName(const std::string& control) {
    for (const Name& n : kNames) {
        if (control == n.control)
            return QString::fromLatin1(n.name);
    }
    return {};
}

}  // namespace xfer::desktop
