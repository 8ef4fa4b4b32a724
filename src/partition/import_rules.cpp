#include "partition/import_rules.h"

#include "business_rules/input_rules.h"
#include "business_rules/required_nodes.h"
#include "business_rules/type_catalogue.h"
#include "data/node_types.h"
#include "editor/exception_table.h"
#include "partition/document_fields.h"
#include "platform/components.h"
#include "runtime/error.h"
#include "runtime/utf8.h"

namespace xfer::partition {

namespace {

namespace type = data::node_type;

// The label text box's limit in characters.
constexpr std::size_t kLabelLimit = 30;

// What each exception's type picker is filled from: its rule set, and whether a type without a
// limit row is offered (the busy and no-answer pickers leave such a type out).
struct PickerSource {
    const char* setId;
    bool offerTypesWithoutLimit;
};
constexpr std::array<PickerSource, 6> kPickerSources = {
    {{"1", true}, {"3", true}, {"5", false}, {"5", false}, {"6", false}, {"7", true}}};

std::set<long> OfferedTypes(data::DataBase& db, const std::string& config,
                            const std::string& partition, const PickerSource& source) {
    std::set<long> offered;
    auto& rules = db.rsGet_Node_Type_can_contain_nodes();
    auto& limits = db.rsGet_Max_NodeNumber();
    db.Get_Node_Type_can_contain_nodes({type::Text(type::kXFER), source.setId});
    for (; !rules.eof(); rules.moveNext()) {
        const runtime::Variant& child = rules.field("Child_Node_Type_ID");
        db.Get_Max_NodeNumber({config, partition, child.toText()});
        bool offer = source.offerTypesWithoutLimit;
        if (!limits.eof()) {
            const runtime::Variant& max = limits.field("Max_Number");
            offer = !max.isNull() && max.toDouble() > 0;
        }
        limits.close();
        if (offer)
            offered.insert(child.toInt32());
    }
    rules.close();
    return offered;
}

std::string ExceptionField(std::size_t index) {
    return std::string(field::kExceptions) + "." + std::string(field::kExceptionKeys[index]);
}

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

void CheckTarget(const DocumentNode& node, std::size_t index, const ImportRules& rules,
                 std::vector<Refusal>& refused) {
    const editor::ExceptionInfo& exception = editor::kExceptions[index];
    const DocumentTarget& target = node.exceptions[index];
    const auto refuse = [&](const std::string& why) {
        refused.push_back({node.node, ExceptionField(index), why});
    };
    const std::string label(exception.label);
    const std::optional<long> catalogued = TypeIdOf(rules, target.type);
    if (!catalogued) {
        refuse(Quoted(target.type) + " is not a node type of the catalogue");
        return;
    }
    if (target.typeId && *target.typeId != *catalogued) {
        refuse(target.type + " is type " + std::to_string(*catalogued) +
               " here, but the export document says " + std::to_string(*target.typeId));
        return;
    }
    // A command names no node: only where the exception takes it as one, and always as "1".
    const auto row = business_rules::RowTargetOf(
        exception, target.type, "1",
        [&](const std::string&) { return static_cast<std::int16_t>(*catalogued); });
    const long id = row.NodeTypeID;
    if ((id == type::kNOOP || id == type::kBEEP) && !exception.isNoNumberCommand(id)) {
        refuse(target.type + " is a command that " + label + " does not take");
        return;
    }
    if (rules.offered[index].count(id) == 0) {
        refuse(label + " does not offer the type " + target.type + " in this partition");
        return;
    }
    if (exception.isNoNumberCommand(id)) {
        if (target.number != 1)
            refuse(target.type + " names no node: its number is 1");
        return;
    }
    const long max = rules.limit(id);
    if (!target.number) {
        refuse("no node number");
    } else if (*target.number < 1 || *target.number > max) {
        refuse(target.type + " " + std::to_string(*target.number) +
               " is outside the type's numbers in this partition (1 to " + std::to_string(max) +
               ")");
    }
}

}  // namespace

long ImportRules::limit(long typeId) const {
    const std::string key = std::to_string(typeId);
    if (!limits.Exists(key))
        return 0;
    try {
        return limits.Item(key).toInt16();
    } catch (const runtime::Error&) {
        return 0;  // a Null limit, as the number picker takes it: no entries
    }
}

std::optional<long> TypeIdOf(const ImportRules& rules, const std::string& name) {
    if (!rules.typeIds.Exists(name))
        return std::nullopt;
    try {
        return rules.typeIds.Item(name).toInt32();
    } catch (const runtime::Error&) {
        return std::nullopt;
    }
}

ImportRules ReadImportRules(data::DataBase& db, std::int16_t config, std::int16_t partition) {
    ImportRules rules;
    const std::string configText = std::to_string(config);
    const std::string partitionText = std::to_string(partition);
    business_rules::ReadNodeTypeCatalogue(db, configText, partitionText,
                                          {rules.typeNames, rules.typeIds, rules.limits});
    rules.styleListLength = business_rules::ReadStyleListLength(db, configText, partitionText);
    for (std::size_t i = 0; i < kPickerSources.size(); ++i)
        rules.offered[i] = OfferedTypes(db, configText, partitionText, kPickerSources[i]);
    return rules;
}

std::vector<Refusal> CheckNode(const DocumentNode& node, const ImportRules& rules) {
    std::vector<Refusal> refused;
    const auto refuse = [&](std::string_view fieldName, const std::string& why) {
        refused.push_back({node.node, std::string(fieldName), why});
    };
    const long maxXfer = rules.limit(type::kXFER);
    if (node.node < 0 || node.node > maxXfer) {
        refuse(field::kNode, "XFER " + std::to_string(node.node) +
                                 " is outside the partition's XFER numbers (0 to " +
                                 std::to_string(maxXfer) + ")");
    }

    if (!runtime::utf8::IsValid(node.label)) {
        refuse(field::kLabel, "the label is not valid UTF-8");
    } else if (runtime::utf8::Length(node.label) > kLabelLimit) {
        refuse(field::kLabel,
               "the label has more than " + std::to_string(kLabelLimit) + " characters");
    } else if (!platform::LabelValidator().ValidateText(node.label)) {
        refuse(field::kLabel,
               "double quotes, continuous single quotes and control characters are not "
               "allowed in the label");
    }

    if (!business_rules::input::PassesDialFilter(node.dial) ||
        !business_rules::input::IsValidDial(node.dial)) {
        refuse(field::kDial, Quoted(node.dial) +
                                 " is not a number to dial: at most 31 of the digits, ',', '!', "
                                 "'#', '*', or the keyword AUTO");
    }

    if (!node.style) {
        refuse(field::kStyle, "no style");
    } else if (*node.style < 1 || *node.style > rules.styleListLength) {
        refuse(field::kStyle,
               business_rules::StyleEntryText(*node.style) +
                   " is not in the partition's style list" +
                   (rules.styleListLength > 0
                        ? " (STYLE 1 to STYLE " + std::to_string(rules.styleListLength) + ")"
                        : " (it allows no STYLE nodes)"));
    }

    for (std::size_t i = 0; i < node.exceptions.size(); ++i)
        CheckTarget(node, i, rules, refused);
    return refused;
}

}  // namespace xfer::partition
