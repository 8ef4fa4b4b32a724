#include "data/transaction.h"

#include "data/database_access.h"

namespace xfer::data {

Transaction::Transaction(DataBase& db, TransactionMode mode) : db_(db) {
    DataBaseAccess::connection(db_).begin(mode);
}

Transaction::~Transaction() {
    if (open_)
        DataBaseAccess::connection(db_).rollback();
}

void Transaction::commit() {
    open_ = false;
    try {
        DataBaseAccess::connection(db_).commit();
    } catch (...) {
        DataBaseAccess::connection(db_).rollback();
        throw;
    }
}

}  // namespace xfer::data
