#include "support/partition_builder.h"

#include <stdexcept>

namespace xfer::test {

namespace {

constexpr int kXferTypeId = 4;
constexpr int kStyleTypeId = 5;

// The detail tables of each type that can be copied, by type identifier.
struct Copyable {
    int typeId;
    std::vector<const char*> details;
};
const std::vector<Copyable>& CopyableTypes() {
    static const std::vector<Copyable> types = {
        {0, {}},
        {1, {"Detail_CMD"}},
        {2, {"Detail_TIME"}},
        {3, {"Detail_DATE"}},
        {4, {}},
        {5, {}},
        {6, {"Detail_DTMF_Prompts", "Detail_DTMF_Action"}},
        {7, {"Detail_VOX_Prompts", "Detail_VOX_Action"}},
        {8, {"Detail_LIST"}},
        {9, {"Detail_AUTO_Prompts", "Detail_AUTO_Action"}},
        {11, {}},
        {12, {}},
        {13, {"Detail_TABLE_Action"}},
        {15, {}},  // its prompts have columns of their own, below
    };
    return types;
}

std::string Number(const std::optional<int>& n) {
    return n ? std::to_string(*n) : "NULL";
}

}  // namespace

std::string Sql(const std::optional<std::string>& text) {
    if (!text)
        return "NULL";
    std::string quoted = "'";
    for (const char c : *text) {
        quoted += c;
        if (c == '\'')
            quoted += '\'';
    }
    return quoted + "'";
}

std::string PartitionBuilder::keys() const {
    return std::to_string(config_) + ", " + std::to_string(partition_);
}

int PartitionBuilder::id(const TypeRef& type) const {
    if (type.id_)
        return *type.id_;
    const std::string found =
        db_.scalar("SELECT ID FROM SR_Node_Type_Names WHERE English_Name = " + Sql(type.name_));
    if (found.empty())
        throw std::logic_error("no node type is named " + type.name_);
    return std::stoi(found);
}

std::string PartitionBuilder::name(const TypeRef& type) const {
    if (!type.id_)
        return type.name_;
    const std::string found = db_.scalar("SELECT English_Name FROM SR_Node_Type_Names WHERE ID = " +
                                         std::to_string(*type.id_));
    if (found.empty())
        throw std::logic_error("no node type has the identifier " + std::to_string(*type.id_));
    return found;
}

PartitionBuilder& PartitionBuilder::typeNames(
    const std::vector<std::pair<int, std::string>>& names) {
    for (const auto& [typeId, typeName] : names) {
        db_.exec("INSERT INTO SR_Node_Type_Names (ID, English_Name) VALUES (" +
                 std::to_string(typeId) + ", " + Sql(typeName) + ")");
    }
    return *this;
}

PartitionBuilder& PartitionBuilder::xferMayPointAt(int ruleSet,
                                                   const std::vector<TypeRef>& children) {
    for (const TypeRef& child : children) {
        db_.exec(
            "INSERT INTO SR_Node_Type_can_contain_Node_Type (Parent_Node_Type_ID, Set_ID, "
            "Child_Node_Type_ID) VALUES (" +
            std::to_string(kXferTypeId) + ", " + std::to_string(ruleSet) + ", " +
            std::to_string(id(child)) + ")");
    }
    return *this;
}

PartitionBuilder& PartitionBuilder::limits(
    const std::vector<std::pair<TypeRef, std::optional<int>>>& limits) {
    for (const auto& [type, max] : limits) {
        db_.exec(
            "INSERT INTO Node_Type_Max (Config_ID, PartitionID, NodeType_ID, Max_Number) "
            "VALUES (" +
            keys() + ", " + std::to_string(id(type)) + ", " + Number(max) + ")");
    }
    return *this;
}

void PartitionBuilder::generalRow(int typeId, int number, const std::optional<std::string>& label) {
    const std::string typeName = db_.scalar(
        "SELECT English_Name FROM SR_Node_Type_Names WHERE ID = " + std::to_string(typeId));
    db_.exec(
        "INSERT INTO Node_General_Pool (ConfigID, PartID, NodeTypeID, NodeNumber, NodeType, "
        "NodeDescription, DateModified) VALUES (" +
        keys() + ", " + std::to_string(typeId) + ", " + std::to_string(number) + ", " +
        (typeName.empty() ? "NULL" : Sql(typeName)) + ", " + Sql(label) + ", " + Sql(kBuiltDate) +
        ")");
}

PartitionBuilder& PartitionBuilder::node(TypeRef type, int number,
                                         std::optional<std::string> label) {
    generalRow(id(type), number, label);
    return *this;
}

PartitionBuilder& PartitionBuilder::style(int number, std::optional<std::string> label,
                                          int superviseId) {
    db_.exec(
        "INSERT INTO Node_STYLE (ConfigID, PartID, NodeTypeID, NodeNumber, SuperviseID, NodeType, "
        "NodeDescription) VALUES (" +
        keys() + ", " + std::to_string(kStyleTypeId) + ", " + std::to_string(number) + ", " +
        std::to_string(superviseId) + ", 'STYLE', " + Sql(label) + ")");
    generalRow(kStyleTypeId, number, label);
    return *this;
}

PartitionBuilder& PartitionBuilder::xfer(const XferNode& node) {
    std::string columns;
    std::string values;
    const char* exceptions[] = {"Hold", "MOH", "Busy1", "Busy2", "NoAnswer", "Answer"};
    for (std::size_t i = 0; i < node.targets.size(); ++i) {
        columns += std::string(", ") + exceptions[i] + "NodeType, " + exceptions[i] + "NodeNumber";
        values += ", " + Sql(node.targets[i].type) + ", " + std::to_string(node.targets[i].number);
    }
    db_.exec(
        "INSERT INTO Node_XFER (ConfigID, PartID, NodeTypeID, NodeNumber, StyleNodeNumber, "
        "Dial, NodeType, NodeDescription" +
        columns + ") VALUES (" + keys() + ", " + std::to_string(kXferTypeId) + ", " +
        std::to_string(node.number) + ", " + Number(node.style) + ", " + Sql(node.dial) +
        ", 'XFER', " + Sql(node.label) + values + ")");
    generalRow(kXferTypeId, node.number, node.label);
    return *this;
}

PartitionBuilder& PartitionBuilder::templates(int styleSuperviseId) {
    for (const Copyable& type : CopyableTypes()) {
        const std::string typeName = name(type.typeId);
        const std::string label = "New " + typeName;
        db_.exec("INSERT INTO Node_" + typeName +
                 " (ConfigID, PartID, NodeTypeID, NodeNumber, NodeType, NodeDescription) "
                 "VALUES (" +
                 keys() + ", " + std::to_string(type.typeId) + ", 0, " + Sql(typeName) + ", " +
                 Sql(label) + ")");
        generalRow(type.typeId, 0, label);
        for (const char* table : type.details)
            detail(table, 0, 1, "MSG", 1);
    }
    db_.exec("UPDATE Node_STYLE SET SuperviseID = " + std::to_string(styleSuperviseId) +
             " WHERE ConfigID = " + std::to_string(config_) +
             " AND PartID = " + std::to_string(partition_) + " AND NodeNumber = 0");
    const char* kinds[] = {nullptr, "STYLE_Partial", "STYLE_Full", "STYLE_DialCont"};
    const char* kind =
        styleSuperviseId >= 0 && styleSuperviseId <= 3 ? kinds[styleSuperviseId] : "STYLE_Enhanced";
    if (kind != nullptr) {
        db_.exec(std::string("INSERT INTO ") + kind +
                 " (ConfigID, PartID, StyleID, RingLimit, SuperviseID) VALUES (" + keys() +
                 ", 0, 6, " + std::to_string(styleSuperviseId) + ")");
    }
    db_.exec(
        "INSERT INTO Detail_DBN_Prompts (ConfigID, PartID, NodeMasterID, PromptNumber, "
        "PromptNodeType, PromptNodeNumber, PromptNodeTypeID) VALUES (" +
        keys() + ", 0, 1, 'MSG', 1, 0)");
    return *this;
}

PartitionBuilder& PartitionBuilder::detail(const std::string& table, int master, int sequence,
                                           TypeRef type, int number) {
    db_.exec("INSERT INTO " + table +
             " (ConfigID, PartID, SequenceNo, NodeTypeID, NodeNumber, NodeMasterID, NodeType) "
             "VALUES (" +
             keys() + ", " + std::to_string(sequence) + ", " + std::to_string(id(type)) + ", " +
             std::to_string(number) + ", " + std::to_string(master) + ", " + Sql(name(type)) + ")");
    return *this;
}

}  // namespace xfer::test
