// The loaders that fill the form when the editor opens and when it moves to another node.

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "business_rules/node_loader.h"
#include "business_rules/required_nodes.h"
#include "business_rules/type_catalogue.h"

#include "platform/error_trap.h"
#include "runtime/error.h"
#include "runtime/text.h"

namespace xfer::business_rules {

using std::to_string;
namespace type = data::node_type;

namespace {
// A node's label: the field's text, or "" when there is no row or the field is Null.
std::string DescriptionOf(data::Recordset& rs) {
    return rs.eof() ? std::string() : rs.field("NodeDescription").textOrEmpty();
}
// The labels LoadData reads next: the style's and the six targets'. A target whose type the
// catalogue does not know is left out; the loader fails on it in its place.
std::vector<data::DataBase::Ahead> LabelsOf(editor::GUI& form, data::Recordset& node,
                                            const std::string& config, const std::string& partition,
                                            std::int16_t style) {
    std::vector<data::DataBase::Ahead> labels{
        {data::CommandId::Get_Description, {config, partition, kStyleTypeId, to_string(style)}}};
    const auto typeIdOf = [&form](const std::string& type) -> std::int16_t {
        return form.NodeTypeIDCollection().Exists(type)
                   ? form.NodeTypeIDCollection().Item(type).toInt16()
                   : std::int16_t{-1};
    };
    for (const auto& e : editor::kExceptions) {
        const std::string type = node.field(e.typeColumn).textOrEmpty();
        const std::string number = node.field(e.numberColumn).textOrEmpty();
        const RowTarget target = RowTargetOf(e, type, number, typeIdOf);
        if (target.NodeTypeID >= 0)
            labels.push_back({data::CommandId::Get_Description,
                              {config, partition, to_string(target.NodeTypeID), number}});
    }
    return labels;
}

// On a server, the labels are asked for in one exchange before they are read one by one.
void SendLabelsAhead(data::DataBase& db, editor::GUI& form, data::Recordset& node,
                     const std::string& config, const std::string& partition, std::int16_t style) {
    try {
        db.sendAhead(LabelsOf(form, node, config, partition, style));
    } catch (const runtime::Error&) {
        // A field or a type the loader itself fails on, in its place: nothing is sent.
    }
}

// The record selector's entries as they are read: listed together at the end, or when an error
// ends the reading, with the entries read so far (as adding them one by one left them).
class SelectorEntries {
  public:
    explicit SelectorEntries(editor::ComboBox& selector) : selector_(selector) {}
    ~SelectorEntries() {
        try {
            list();
        } catch (...) {
            // Only memory can fail here; the entries read so far are lost with it.
        }
    }
    SelectorEntries(const SelectorEntries&) = delete;
    SelectorEntries& operator=(const SelectorEntries&) = delete;

    bool named() const noexcept { return prefix_.has_value(); }
    // The text before each number; refused (as an entry's text) before any entry is added.
    void name(std::string prefix) {
        selector_.checkEntryText(prefix);
        prefix_ = std::move(prefix);
    }
    void add(long number, bool select) {
        if (select)
            selected_ = static_cast<long>(numbers_.size());
        numbers_.push_back(number);
    }
    // Lists the entries; returns the index to select (0 when none was asked for).
    long list() {
        const long first = selector_.ListCount();
        if (!numbers_.empty())
            selector_.addNumbered(*prefix_, std::move(numbers_));
        numbers_.clear();
        const long index = selected_ < 0 ? 0 : first + selected_;
        selected_ = -1;
        return index;
    }

  private:
    editor::ComboBox& selector_;
    std::optional<std::string> prefix_;
    std::vector<long> numbers_;
    long selected_ = -1;
};

}  // namespace

void NodeLoader::LoadNodeNameAndNodeTypeID() {
    platform::Trap(ctx_.platform().messageBoxes, "LoadNodeNameAndNodeTypeID", [&] {
        editor::GUI& form = ctx_.form();
        ReadNodeTypeCatalogue(ctx_.db, ctx_.config(), ctx_.partition(),
                              {form.NodeNameCollection(), form.NodeTypeIDCollection(),
                               form.MaxNodeNumberCollection()});
    });
}

void NodeLoader::LoadXStyle() {
    platform::Trap(ctx_.platform().messageBoxes, "LoadXStyle", [&] {
        editor::GUI& form = ctx_.form();
        form.cmbXStyle.Clear();
        const int length = ReadStyleListLength(ctx_.db, ctx_.config(), ctx_.partition());
        form.cmbXStyle.addNumbered(kStyleEntryPrefix, 1, length);
    });
}

void NodeLoader::Get_XStyle_Description(std::int16_t StyleNodeNumber) {
    platform::Trap(ctx_.platform().messageBoxes, "Get_XStyle_Description", [&] {
        editor::GUI& form = ctx_.form();
        auto& rs = ctx_.db.rsGet_Description();
        ctx_.db.Get_Description({to_string(form.ConfigID()), to_string(form.PartitionID()),
                                 kStyleTypeId, to_string(StyleNodeNumber)});
        form.txtXStyleDescription.setText(DescriptionOf(rs));
        rs.close();
    });
}

void NodeLoader::LoadExistingNodesInRecordSelector(std::int16_t Node_Number, bool IsTemplateNode) {
    platform::Trap(ctx_.platform().messageBoxes, "LoadExistingNodesInRecordSelector", [&] {
        editor::GUI& form = ctx_.form();
        auto& rs = ctx_.db.rsGet_All_XFER_Nodes();
        const data::ClosesOnExit closing(rs);
        ctx_.db.Get_All_XFER_Nodes(
            {to_string(form.ConfigID()), to_string(form.PartitionID()), kXferTypeId});
        // The entries hold the numbers; their texts are made when shown or asked for.
        SelectorEntries entries(form.cmbNode);
        while (!rs.eof()) {
            const std::int32_t number = rs.field("NodeNumber").toInt32();
            const bool take = IsTemplateNode ? number == 0 : number > 0;
            if (take) {
                if (!entries.named()) {
                    entries.name(form.NodeNameCollection().Item(kXferTypeId).toText() + " ");
                }
                entries.add(number, number == Node_Number);
            }
            rs.moveNext();
        }
        const long toSelect = entries.list();
        if (form.cmbNode.ListCount() > 0)
            form.cmbNode.setListIndex(toSelect);
        if (IsTemplateNode) {
            form.cmdFirst.setVisible(false);
            form.cmdPrevious.setVisible(false);
            form.cmbNode.setVisible(false);
            form.lblRecordPosition.setVisible(false);
            form.cmdNext.setVisible(false);
            form.cmdLast.setVisible(false);
            form.MoveControlsUp();
        }
    });
}

bool NodeLoader::LoadData(std::int16_t Node_Number) {
    bool NodeLoaded = false;
    auto& pointer = ctx_.platform().mousePointer;
    platform::Trap(
        ctx_.platform().messageBoxes, "LoadData",
        [&] {
            editor::GUI& form = ctx_.form();
            if (form.cmbXStyle.ListCount() == 0) {
                form.showNotAvailable("STYLE");
                NodeLoaded = false;
                return;
            }
            pointer.set(platform::Pointer::Hourglass);
            const data::ForgetsAheadOnExit forgetting(ctx_.db);
            const std::string config = to_string(form.ConfigID());
            const std::string partition = to_string(form.PartitionID());
            auto& node = ctx_.db.rsGet_XFER_Node();
            ctx_.db.Get_XFER_Node({config, partition, to_string(Node_Number), kXferTypeId});
            if (!node.eof()) {
                form.txtDial.setText(node.field("Dial").textOrEmpty());
                const std::int16_t style = node.field("StyleNodeNumber").toInt16();
                if (ctx_.db.sendsAhead())
                    SendLabelsAhead(ctx_.db, form, node, config, partition, style);
                form.cmbXStyle.setListIndex(style - 1);
                Get_XStyle_Description(style);
                form.txtDescription.setText(node.field("NodeDescription").textOrEmpty());
                form.LVExceptions.ClearItems();
                auto& description = ctx_.db.rsGet_Description();
                const auto typeIdOf = [&form](const std::string& type) {
                    return form.NodeTypeIDCollection().Item(type).toInt16();
                };
                for (const auto& e : editor::kExceptions) {
                    const std::string type = node.field(e.typeColumn).textOrEmpty();
                    const std::string number = node.field(e.numberColumn).textOrEmpty();
                    const RowTarget target = RowTargetOf(e, type, number, typeIdOf);
                    const std::string& shown = target.shown;
                    const std::int16_t typeId = target.NodeTypeID;
                    ctx_.db.Get_Description({config, partition, to_string(typeId), number});
                    const std::string label = DescriptionOf(description);
                    description.close();
                    editor::ListItem& row =
                        form.LVExceptions.AddItem(std::string(e.rowKey), std::string(e.rowText));
                    row.setSubItems(editor::cell::kLabel, std::string(e.label));
                    row.setSubItems(editor::cell::kCommandNode, shown);
                    row.setSubItems(editor::cell::kTargetLabel, label);
                    row.setSubItems(editor::cell::kNodeName, type);
                    row.setSubItems(editor::cell::kNodeTypeID, to_string(typeId));
                    row.setSubItems(editor::cell::kNodeNumber, number);
                }
                NodeLoaded = true;
                form.lblRecordPosition.setCaption(to_string(form.cmbNode.ListIndex() + 1) + " of " +
                                                  to_string(form.cmbNode.ListCount()));
            } else {
                ctx_.platform().messageBoxes.ask(
                    form.NodeNameCollection().Item(kXferTypeId).toText() + " " +
                        to_string(form.nodeNumber()) + " doesn't exist.",
                    platform::mb::kOKOnly | platform::mb::kInformation, "Information");
                NodeLoaded = false;
            }
            node.close();

            const long count = form.cmbNode.ListCount();
            const long index = form.cmbNode.ListIndex();
            bool back = true;
            bool forward = true;
            if (count == 1) {
                back = forward = false;
            } else if (index == 0) {
                back = false;
            } else if (index == count - 1) {
                forward = false;
            }
            form.cmdPrevious.setEnabled(back);
            form.cmdFirst.setEnabled(back);
            form.cmdNext.setEnabled(forward);
            form.cmdLast.setEnabled(forward);
            pointer.set(platform::Pointer::Default);
        },
        [&] {
            pointer.set(platform::Pointer::Default);
            NodeLoaded = false;
        });
    return NodeLoaded;
}

}  // namespace xfer::business_rules
