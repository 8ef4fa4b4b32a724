#include "support/partition_builder.h"

#include <stdexcept>

namespace xfer::test {

namespace {

constexpr int kXferTypeId = 4;
constexpr int kStyleTypeId = 5;

std::string Number(const std::optional<int>& n) {
    return n ? std::to_string(*n) : "NULL";
}

// "<label> <n>" in SQL, for the node numbered n.
std::string NumberedLabel(const std::string& label) {
    return Sql(label + " ") + " || CAST(n AS VARCHAR(6))";
}

// The columns of Node_XFER that an XferNode fills besides its keys and label, and their values.
std::pair<std::string, std::string> XferColumns(const XferNode& node) {
    std::string columns = "StyleNodeNumber, Dial";
    std::string values = Number(node.style) + ", " + Sql(node.dial);
    const char* exceptions[] = {"Hold", "MOH", "Busy1", "Busy2", "NoAnswer", "Answer"};
    for (std::size_t i = 0; i < node.targets.size(); ++i) {
        columns += std::string(", ") + exceptions[i] + "NodeType, " + exceptions[i] + "NodeNumber";
        values += ", " + Sql(node.targets[i].type) + ", " + std::to_string(node.targets[i].number);
    }
    return {columns, values};
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

std::pair<int, std::string> PartitionBuilder::lookUp(const TypeRef& type) const {
    const std::string where =
        type.id_ ? "ID = " + std::to_string(*type.id_) : "English_Name = " + Sql(type.name_);
    const auto found = db_.rows("SELECT ID, English_Name FROM SR_Node_Type_Names WHERE " + where);
    if (found.empty())
        throw std::logic_error("no node type has " + where);
    return {std::stoi(found[0][0]), found[0][1]};
}

int PartitionBuilder::id(const TypeRef& type) const {
    return type.id_ ? *type.id_ : lookUp(type).first;
}

std::string PartitionBuilder::name(const TypeRef& type) const {
    return type.id_ ? lookUp(type).second : type.name_;
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

PartitionBuilder& PartitionBuilder::node(TypeRef type, int number,
                                         std::optional<std::string> label) {
    db_.exec(
        "INSERT INTO Node_General_Pool (ConfigID, PartID, NodeTypeID, NodeNumber, NodeType, "
        "NodeDescription, DateModified) VALUES (" +
        keys() + ", " + std::to_string(id(type)) + ", " + std::to_string(number) + ", " +
        Sql(name(type)) + ", " + Sql(label) + ", " + Sql(kBuiltDate) + ")");
    return *this;
}

void PartitionBuilder::numbered(int typeId, const std::string& typeName, int first, int last,
                                const std::string& columns, const std::string& values,
                                const std::string& label) {
    const std::string table = "Node_" + typeName;
    const std::string more = columns.empty() ? "" : ", " + columns;
    const std::string from = std::to_string(first);
    const std::string to = std::to_string(last);
    db_.exec("WITH RECURSIVE numbers(n) AS (SELECT " + from +
             " UNION ALL SELECT n + 1 FROM numbers WHERE n < " + to + ") INSERT INTO " + table +
             " (ConfigID, PartID, NodeTypeID, NodeNumber, NodeType, NodeDescription" + more +
             ") SELECT " + keys() + ", " + std::to_string(typeId) + ", n, " + Sql(typeName) + ", " +
             label + (values.empty() ? "" : ", " + values) + " FROM numbers");
    db_.exec(
        "INSERT INTO Node_General_Pool (ConfigID, PartID, NodeTypeID, NodeNumber, NodeType, "
        "NodeDescription, DateModified) SELECT ConfigID, PartID, NodeTypeID, NodeNumber, "
        "NodeType, NodeDescription, " +
        Sql(kBuiltDate) + " FROM " + table + " WHERE ConfigID = " + std::to_string(config_) +
        " AND PartID = " + std::to_string(partition_) + " AND NodeNumber BETWEEN " + from +
        " AND " + to);
}

PartitionBuilder& PartitionBuilder::style(int number, std::optional<std::string> label,
                                          int superviseId) {
    numbered(kStyleTypeId, "STYLE", number, number, "SuperviseID", std::to_string(superviseId),
             Sql(label));
    return *this;
}

PartitionBuilder& PartitionBuilder::styles(int first, int last, const std::string& label,
                                           int superviseId) {
    numbered(kStyleTypeId, "STYLE", first, last, "SuperviseID", std::to_string(superviseId),
             NumberedLabel(label));
    return *this;
}

PartitionBuilder& PartitionBuilder::xfer(const XferNode& node) {
    const auto [columns, values] = XferColumns(node);
    numbered(kXferTypeId, "XFER", node.number, node.number, columns, values, Sql(node.label));
    return *this;
}

PartitionBuilder& PartitionBuilder::xfers(int first, int last, const XferNode& each) {
    const auto [columns, values] = XferColumns(each);
    numbered(kXferTypeId, "XFER", first, last, columns, values,
             each.label ? NumberedLabel(*each.label) : "NULL");
    return *this;
}

PartitionBuilder& PartitionBuilder::templates(int styleSuperviseId) {
    // Each type that can be copied, by identifier, then the detail tables of their templates
    // (DBN's prompts have columns of their own, below).
    for (const int typeId : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 12, 13, 15}) {
        if (typeId == kStyleTypeId)
            style(0, "New STYLE", styleSuperviseId);
        else
            numbered(typeId, name(typeId), 0, 0, "", "", Sql("New " + name(typeId)));
    }
    for (const char* table :
         {"Detail_CMD", "Detail_TIME", "Detail_DATE", "Detail_DTMF_Prompts", "Detail_DTMF_Action",
          "Detail_VOX_Prompts", "Detail_VOX_Action", "Detail_LIST", "Detail_AUTO_Prompts",
          "Detail_AUTO_Action", "Detail_TABLE_Action"})
        detail(table, 0, 1, "MSG", 1);
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
