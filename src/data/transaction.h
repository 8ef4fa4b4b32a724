#pragma once
// A transaction on a DataBase's connection, for the host's commands that read or change a
// whole partition at once. The editor's own commands never run in one: each commits by
// itself. A transaction that is not committed is rolled back when it goes, on every path,
// so that an error half-way leaves the database as it was.

#include "data/database.h"

namespace xfer::data {

class Transaction {
  public:
    // Begins at once; raises the provider's error when it cannot (the database is missing or
    // locked past the command time-out).
    Transaction(DataBase& db, TransactionMode mode);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    // Makes the changes permanent; raises the provider's error when it cannot, and the
    // transaction then ends without them.
    void commit();

  private:
    DataBase& db_;
    bool open_ = true;
};

// Every command of a report sees one state of the database, even while an editor saves.
// Nothing is written, so it is never committed.
class ReadTransaction {
  public:
    explicit ReadTransaction(DataBase& db) : transaction_(db, TransactionMode::ReadOnly) {}

  private:
    Transaction transaction_;
};

}  // namespace xfer::data
