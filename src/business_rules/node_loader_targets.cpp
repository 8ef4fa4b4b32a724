// The five loaders of the exceptions' target types (one implementation, driven by a table of
// what differs between them) and the hiding of the pickers before they run.

#include <string>
#include <vector>

#include "business_rules/node_loader.h"
#include "platform/error_trap.h"

namespace xfer::business_rules {

struct NodeLoader::TargetLoader {
    const char* procedure;
    const char* setId;
    std::vector<editor::Exception> pickers;  // the type pickers filled, in this order
    editor::Exception notAvailable;          // whose not-available collection is filled
    bool offerTypesWithoutLimit;
};

void NodeLoader::LoadExceptionTargets(const TargetLoader& loader) {
    platform::Trap(ctx_.platform().messageBoxes, loader.procedure, [&] {
        editor::GUI& form = ctx_.form();
        for (const auto e : loader.pickers)
            form.nodePicker(e).Clear();
        auto& rules = ctx_.db.rsGet_Node_Type_can_contain_nodes();
        auto& limits = ctx_.db.rsGet_Max_NodeNumber();
        const data::ClosesOnExit closingRules(rules);
        const data::ClosesOnExit closingLimits(limits);
        ctx_.db.Get_Node_Type_can_contain_nodes(
            {data::node_type::Text(data::node_type::kXFER), loader.setId});
        while (!rules.eof()) {
            const runtime::Variant& child = rules.field("Child_Node_Type_ID");
            const std::string childId = child.toText();
            ctx_.db.Get_Max_NodeNumber(
                {std::to_string(form.ConfigID()), std::to_string(form.PartitionID()), childId});
            bool offer = false;
            if (!limits.eof()) {
                const runtime::Variant& max = limits.field("Max_Number");
                if (!max.isNull() && max.toDouble() > 0) {
                    offer = true;
                } else {
                    form.notAvailableFor(loader.notAvailable)
                        .Add(form.NodeNameCollection().Item(childId), childId);
                }
            } else {
                offer = loader.offerTypesWithoutLimit;
            }
            if (offer) {
                const std::string name = form.NodeNameCollection().Item(childId).toText();
                for (const auto e : loader.pickers) {
                    editor::ComboBox& picker = form.nodePicker(e);
                    picker.AddItem(name);
                    picker.setItemData(picker.NewIndex(), child.toInt32());
                }
            }
            limits.close();
            rules.moveNext();
        }
        rules.close();
    });
}

namespace {
// The sets of rules of the five loaders below, in their order.
constexpr const char* kTargetSets[] = {"1", "3", "5", "6", "7"};
}  // namespace

void NodeLoader::SendOpeningAhead(std::int16_t Node_Number) {
    if (!ctx_.db.sendsAhead())
        return;
    using data::CommandId;
    const std::string config = ctx_.config();
    const std::string partition = ctx_.partition();
    std::vector<data::DataBase::Ahead> reads{
        {CommandId::Get_Node_Names, {}},
        {CommandId::Get_Max_NodeNumber, {config, partition, kStyleTypeId}}};
    for (const char* set : kTargetSets)
        reads.push_back({CommandId::Get_Node_Type_can_contain_nodes, {kXferTypeId, set}});
    reads.push_back({CommandId::Get_All_XFER_Nodes, {config, partition, kXferTypeId}});
    reads.push_back(
        {CommandId::Get_XFER_Node, {config, partition, std::to_string(Node_Number), kXferTypeId}});
    ctx_.db.sendAhead(reads);
}

void NodeLoader::LoadHoldNode() {
    LoadExceptionTargets(
        {"LoadHoldNode", kTargetSets[0], {editor::Exception::Hold}, editor::Exception::Hold, true});
}

void NodeLoader::LoadMOHNode() {
    LoadExceptionTargets(
        {"LoadMOHNode", kTargetSets[1], {editor::Exception::MOH}, editor::Exception::MOH, true});
}

void NodeLoader::LoadBusy1Busy2Node() {
    LoadExceptionTargets({"LoadBusy1Busy2Node",
                          kTargetSets[2],
                          {editor::Exception::Busy1, editor::Exception::Busy2},
                          editor::Exception::Busy1,
                          false});
}

void NodeLoader::LoadNoAnswerNode() {
    LoadExceptionTargets({"LoadNoAnswerNode",
                          kTargetSets[3],
                          {editor::Exception::NoAnswer},
                          editor::Exception::NoAnswer,
                          false});
}

void NodeLoader::LoadAnswerNode() {
    LoadExceptionTargets({"LoadAnswerNode",
                          kTargetSets[4],
                          {editor::Exception::Answer},
                          editor::Exception::Answer,
                          true});
}

}  // namespace xfer::business_rules

namespace xfer::business_rules {

void NodeLoader::HideExceptionPickers() {
    ctx_.form().hideAllPickers();
}

}  // namespace xfer::business_rules
